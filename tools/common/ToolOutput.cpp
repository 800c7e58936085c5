#include "common/ToolOutput.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>

void PrepareStandardStreams() {
  std::signal(SIGPIPE, SIG_DFL);  // an ignored signal is inherited; a filter must not inherit it
  for (int fd = 0; fd <= 2; ++fd) {
    if (fcntl(fd, F_GETFD) != -1 || errno != EBADF) continue;
    const int placeholder = open("/dev/null", O_RDONLY);
    if (placeholder >= 0 && placeholder != fd) {
      dup2(placeholder, fd);
      close(placeholder);
    }
  }
}

std::string Quoted(std::string_view text) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::string quoted = "'";
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte != 0x7f) {
      quoted += c;
    } else if (c == '\n') {
      quoted += "\\n";
    } else if (c == '\t') {
      quoted += "\\t";
    } else if (c == '\r') {
      quoted += "\\r";
    } else {
      quoted += "\\x";
      quoted += kHex[byte >> 4];
      quoted += kHex[byte & 15];
    }
  }
  return quoted + "'";
}

std::string EchoedValue(std::string_view value) {
  constexpr std::size_t kLongest = 80;
  constexpr std::size_t kShown = 60;
  if (value.size() <= kLongest) return Quoted(value);
  std::size_t cut = kShown;
  // Not inside a UTF-8 character: back to the start of the one the cut falls in.
  while (cut > 0 && (static_cast<unsigned char>(value[cut]) & 0xc0) == 0x80) --cut;
  std::string echoed = Quoted(value.substr(0, cut));
  echoed.insert(echoed.size() - 1, "...");
  return echoed + " (" + std::to_string(value.size()) + " bytes)";
}

void PrintError(std::string_view program, std::string_view line) {
  std::string text(program);
  text += ": ";
  // Quoting escapes what could break the line; the quotes themselves are dropped.
  const std::string escaped = Quoted(line);
  text.append(escaped, 1, escaped.size() - 2);
  text += '\n';
  std::fputs(text.c_str(), stderr);
}

namespace {
constexpr std::size_t kWriteRun = 4096;  // as stdio's buffer: rows appear as they come
}  // namespace

bool CheckedOutput::Write(std::string_view text) {
  if (Failed()) return false;
  pending_ += text;
  return pending_.size() < kWriteRun || Flush();
}

bool CheckedOutput::Flush() {
  if (Failed()) return false;
  struct stat file = {};
  const off_t start = fstat(fd_, &file) == 0 && S_ISREG(file.st_mode) ? lseek(fd_, 0, SEEK_CUR) : -1;
  std::size_t written = 0;
  while (written < pending_.size()) {
    const ssize_t n = write(fd_, pending_.data() + written, pending_.size() - written);
    if (n > 0) {
      written += std::size_t(n);
    } else if (n == 0 || errno != EINTR) {
      error_ = n < 0 ? errno : EIO;
      break;
    }
  }
  if (Failed() && start >= 0 && written > 0) {
    // Cut a torn last row off the file; what remains ends with a whole row.
    const std::size_t whole = pending_.rfind('\n', written - 1);
    const off_t end = start + off_t(whole == std::string::npos ? 0 : whole + 1);
    if (ftruncate(fd_, end) != 0) {
      // the reason already reported stands; nothing more can be done
    }
  }
  pending_.clear();
  return !Failed();
}

std::string CheckedOutput::FailureLine() const {
  return std::string("could not write to standard output: ") + std::strerror(error_);
}

int PrintAndFlush(std::string_view program, std::string_view text) {
  CheckedOutput out;
  if (out.Write(text) && out.Flush()) return 0;
  PrintError(program, out.FailureLine());
  return kExitFailed;
}
