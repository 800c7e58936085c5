#include "app/StartGuard.h"

#include <unistd.h>

#include <QByteArray>
#include <QStringList>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "app/StartFailure.h"

namespace {

// Set by the program for the fresh start it makes of itself: the number of
// attempts made and why the last one failed. The count is written with the
// process id, which a fresh start in the same process keeps: a value set by
// anyone else, or left over from another process, counts as no attempt.
constexpr const char* kAttemptVariable = "TORLIN_START_ATTEMPT";
constexpr const char* kReasonVariable = "TORLIN_START_FAILURE";

struct HeldMessage {
  QtMsgType type;
  QByteArray category;
  QByteArray file;
  QByteArray function;
  int line;
  QString text;
};

// Qt may report from any of its threads, so the held messages are guarded.
std::mutex& HeldLock() {
  static std::mutex lock;
  return lock;
}

std::vector<HeldMessage>& Held() {
  static std::vector<HeldMessage> held;
  return held;
}

std::vector<std::string>& CommandLine() {
  static std::vector<std::string> arguments;
  return arguments;
}

QStringList HeldTexts() {
  const std::lock_guard<std::mutex> hold(HeldLock());
  QStringList texts;
  for (const HeldMessage& m : Held()) texts.append(m.text);
  return texts;
}

QByteArray AttemptValue(int attempts) { return QByteArray::number(::getpid()) + ':' + QByteArray::number(attempts); }

// 0 unless this process wrote the count itself, and then at most kAttempts - 1.
int AttemptsMade() {
  const QByteArray value = qgetenv(kAttemptVariable);
  for (int attempts = 1; attempts < StartGuard::kAttempts; ++attempts) {
    if (value == AttemptValue(attempts)) return attempts;
  }
  return 0;
}

// Starts the program again, in this process, unless enough attempts were made or
// no display server is there to try again with. Returns only if it does not.
void StartAfresh(const StartFailure& failure) {
  const int attempt = AttemptsMade() + 1;  // 1 for the first start
  if (attempt >= StartGuard::kAttempts || !DisplayServerMayBeThere(qgetenv("DISPLAY"))) return;
  std::this_thread::sleep_for(std::chrono::milliseconds(50 << attempt));
  qputenv(kAttemptVariable, AttemptValue(attempt));
  qputenv(kReasonVariable, failure.reason.toLocal8Bit());
  std::vector<char*> argv;
  for (std::string& argument : CommandLine()) argv.push_back(argument.data());
  argv.push_back(nullptr);
  ::execv("/proc/self/exe", argv.data());
}

void HoldOrFail(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (type == QtFatalMsg) {
    const StartFailure failure = DescribeStartFailure(HeldTexts(), text, AttemptsMade() + 1);
    if (failure.noDisplay) StartAfresh(failure);
    std::fprintf(stderr, "%s\n", qUtf8Printable(failure.line));
    std::fflush(stderr);
    std::_Exit(1);  // Qt is half set up: leave without running its destructors
  }
  const std::lock_guard<std::mutex> hold(HeldLock());
  Held().push_back({type, QByteArray(context.category), QByteArray(context.file),
                    QByteArray(context.function), context.line, text});
}

}  // namespace

StartGuard::StartGuard(int argc, char** argv) {
  CommandLine().assign(argv, argv + argc);
  previous_ = qInstallMessageHandler(HoldOrFail);
}

StartGuard::~StartGuard() { Release(); }

void StartGuard::Release() {
  if (released_) return;
  released_ = true;
  qInstallMessageHandler(previous_);
  if (const int failed = AttemptsMade(); failed > 0) {
    // A passing fault is still worth knowing about.
    std::fprintf(stderr, "torlin: started at attempt %d; the one before failed: %s\n", failed + 1,
                 qgetenv(kReasonVariable).constData());
  }
  qunsetenv(kAttemptVariable);
  qunsetenv(kReasonVariable);
  std::vector<HeldMessage> held;
  {
    const std::lock_guard<std::mutex> hold(HeldLock());
    held.swap(Held());
  }
  for (const HeldMessage& m : held) {
    // Qt's notes and warnings on the way to a display (a runtime folder it made up,
    // say) served only to explain a failure; the start succeeded.
    if (m.type != QtCriticalMsg) continue;
    const QMessageLogContext context(m.file.isEmpty() ? nullptr : m.file.constData(), m.line,
                                     m.function.isEmpty() ? nullptr : m.function.constData(),
                                     m.category.isEmpty() ? nullptr : m.category.constData());
    qt_message_output(m.type, context, m.text);
  }
}
