#pragma once

#include <QString>
#include <QStringList>
#include <functional>

// Breaks a caption into lines no wider than maxWidth, the way the window's labels
// show text: lines break only at blanks, every blank is kept (runs are neither
// collapsed nor trimmed), a blank that does not fit moves to the next line, and a
// word moves whole (a word wider than a line stands alone on its line).
// width measures a string in pixels.
QStringList BreakIntoLines(const QString& text, int maxWidth,
                           const std::function<int(const QString&)>& width);
