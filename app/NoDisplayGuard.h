#pragma once

#include <QtGlobal>
#include <QList>
#include <QString>

// While the application object is being created, catches Qt's fatal "no platform"
// message (no display: DISPLAY unset or pointing at no server) and turns it into
// one clear line and exit status 1 instead of an abort. The platform warnings that
// precede it are held back and, if the start succeeds, passed on unchanged.
class NoDisplayGuard {
 public:
  NoDisplayGuard();
  ~NoDisplayGuard();
  NoDisplayGuard(const NoDisplayGuard&) = delete;
  NoDisplayGuard& operator=(const NoDisplayGuard&) = delete;

  // The application started: restore the previous handler and pass on what was held.
  void Release();

  static const char* Message();

 private:
  QtMessageHandler previous_;
  bool released_ = false;
};
