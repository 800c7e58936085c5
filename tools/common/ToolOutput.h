#pragma once

#include <string>
#include <string_view>

// What every tool's main needs around its output: exit statuses, one-line error
// messages, and standard output whose every write is checked.

inline constexpr int kExitFailed = 1;      // a write failed, or the work could not be done
inline constexpr int kExitBadOptions = 2;  // the command line was not understood

// Makes the standard streams safe before anything opens a file: a stream the parent
// closed gets a read-only /dev/null, so writes to it fail with "Bad file descriptor"
// instead of landing in whatever file would otherwise take its number. Also lets a
// reader that stops early end the program quietly, as it ends other filters, even
// when the parent ignores SIGPIPE.
void PrepareStandardStreams();

// "PROGRAM: line" on stderr, as one line: control characters in it (from a file name
// or an option value) are escaped.
void PrintError(std::string_view program, std::string_view line);

// Text quoted for an error line: 'text' with control characters written as \n, \t,
// \xHH, so that no value can break the line or reach the terminal raw.
std::string Quoted(std::string_view text);
// A value as an error line echoes it: quoted, and cut short, with its length said,
// when too long to read (a value may be a whole file's worth).
std::string EchoedValue(std::string_view value);

// Standard output for results, written in whole rows: text is gathered and written
// in runs of whole lines, and if a write fails part way into a file (a full disk),
// the file is cut back to its last whole line. The first failure is remembered with
// its reason and everything after it is dropped, so the work can stop at once.
class CheckedOutput {
 public:
  explicit CheckedOutput(int fd = 1) : fd_(fd) {}

  // text must end a line (a row, or several). False once any write has failed.
  bool Write(std::string_view text);
  bool Flush();
  bool Failed() const { return error_ != 0; }
  // "could not write to standard output: REASON".
  std::string FailureLine() const;

 private:
  int fd_;
  std::string pending_;
  int error_ = 0;
};

// Writes text to stdout and flushes; 0, or kExitFailed after printing the reason.
int PrintAndFlush(std::string_view program, std::string_view text);
