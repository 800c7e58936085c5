#pragma once

#include <QIcon>

// How the desktop knows the program: its name, version, desktop entry (which
// ties the window to the menu entry and the icon) and window icon.
void PresentToTheDesktop();

// The icon shipped inside the program: the scalable picture, with small versions
// drawn for 16, 24 and 32 pixels, which the scalable one would blur.
QIcon BuiltInIcon();

// The desktop theme's icon of the program when it is installed, else the built-in one.
QIcon WindowIcon();
