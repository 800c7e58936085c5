#include <QApplication>

#include "app/NoDisplayGuard.h"
#include "app/TorlinWindow.h"

int main(int argc, char** argv) {
  NoDisplayGuard guard;
  QApplication app(argc, argv);
  guard.Release();

  Torlin window;
  window.show();
  window.activateWindow();
  return app.exec();
}
