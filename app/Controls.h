#pragma once

#include <array>

class QPushButton;
class QScrollBar;
class QWidget;
class ColouredButton;
class WrappingLabel;

// The window's ten controls, placed, captioned, coloured and chained in tab order
// as designed. The widgets are children of the window, which owns them.
struct Controls {
  QScrollBar* VScroll1 = nullptr;
  QScrollBar* VScroll2 = nullptr;
  QPushButton* Command1 = nullptr;  // "CLS"
  QPushButton* Command2 = nullptr;  // "QUIT"
  WrappingLabel* Label1 = nullptr;  // credit
  QScrollBar* HScroll1 = nullptr;
  WrappingLabel* Label2 = nullptr;  // text pages
  ColouredButton* Command3 = nullptr;  // "auto": first control shaft
  ColouredButton* Command4 = nullptr;  // " auto": second control shaft
  ColouredButton* Command5 = nullptr;  // "random change"

  // The controls that paint every pixel of their place (square faces, full grooves,
  // filled labels): what they cover of the window's drawing is never seen.
  std::array<const QWidget*, 8> Opaque() const;
};

Controls BuildControls(QWidget& window);
