#pragma once

#include <QPushButton>
#include <QString>

#include "animation/Canvas.h"

// A push button whose face shows exactly the colour it is given, under any widget
// style (a style sheet paints a flat face; a palette colour would be shaded), and
// whose caption wraps at blanks onto centred lines when it does not fit on one.
class ColouredButton final : public QPushButton {
  Q_OBJECT

 public:
  ColouredButton(const QString& caption, QWidget* parent);

  void SetFace(Colour face);
  Colour Face() const { return face_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  Colour face_;
};
