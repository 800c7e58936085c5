#include "common/ToolOutput.h"

#include <fcntl.h>
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

void PrintError(std::string_view program, std::string_view line) {
  std::string text(program);
  text += ": ";
  // Quoting escapes what could break the line; the quotes themselves are dropped.
  const std::string escaped = Quoted(line);
  text.append(escaped, 1, escaped.size() - 2);
  text += '\n';
  std::fputs(text.c_str(), stderr);
}

bool CheckedOutput::Write(std::string_view text) {
  if (Failed()) return false;
  errno = 0;  // the reason reported must be this write's, not an earlier call's
  if (std::fwrite(text.data(), 1, text.size(), stream_) != text.size()) Fail();
  return !Failed();
}

bool CheckedOutput::Flush() {
  if (Failed()) return false;
  errno = 0;
  if (std::fflush(stream_) != 0) Fail();
  return !Failed();
}

void CheckedOutput::Fail() { error_ = errno != 0 ? errno : EIO; }

std::string CheckedOutput::FailureLine() const {
  return std::string("could not write to standard output: ") + std::strerror(error_);
}

int PrintAndFlush(std::string_view program, std::string_view text) {
  CheckedOutput out;
  if (out.Write(text) && out.Flush()) return 0;
  PrintError(program, out.FailureLine());
  return kExitFailed;
}
