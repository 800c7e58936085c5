#include "app/NoDisplayGuard.h"

#include <QByteArray>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

struct HeldMessage {
  QtMsgType type;
  QByteArray category;
  QByteArray file;
  QByteArray function;
  int line;
  QString text;
};

std::vector<HeldMessage>& Held() {
  static std::vector<HeldMessage> held;
  return held;
}

void HoldOrFail(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (type == QtFatalMsg && text.contains(QLatin1String("platform plugin"))) {
    std::fputs(NoDisplayGuard::Message(), stderr);
    std::fputc('\n', stderr);
    std::fflush(stderr);
    std::_Exit(1);  // Qt is half set up: leave without running its destructors
  }
  if (type == QtFatalMsg) {
    std::fprintf(stderr, "%s\n", qUtf8Printable(text));
    std::abort();
  }
  Held().push_back({type, QByteArray(context.category), QByteArray(context.file),
                    QByteArray(context.function), context.line, text});
}

}  // namespace

NoDisplayGuard::NoDisplayGuard() : previous_(qInstallMessageHandler(HoldOrFail)) {}

NoDisplayGuard::~NoDisplayGuard() { Release(); }

void NoDisplayGuard::Release() {
  if (released_) return;
  released_ = true;
  qInstallMessageHandler(previous_);
  for (const HeldMessage& m : Held()) {
    const QMessageLogContext context(m.file.isEmpty() ? nullptr : m.file.constData(), m.line,
                                     m.function.isEmpty() ? nullptr : m.function.constData(),
                                     m.category.isEmpty() ? nullptr : m.category.constData());
    qt_message_output(m.type, context, m.text);
  }
  Held().clear();
}

const char* NoDisplayGuard::Message() {
  return "torlin: no display found. Run it on a graphical desktop, or under a virtual display: "
         "xvfb-run torlin";
}
