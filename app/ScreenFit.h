#pragma once

#include <QMargins>
#include <QRect>
#include <QSize>

// Whether the window, with its frame, fits the screen's available area, and if
// not, by how much to present it smaller: one factor for both directions, so that
// the picture keeps its proportions. 1 when it fits.
double FitScale(QSize designed, QSize available, QMargins frame);

// The window frame a desktop typically adds before it has shown the window and
// told the real one: a title bar and thin borders.
QMargins TypicalFrame();
