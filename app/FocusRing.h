#pragma once

#include <QObject>
#include <QPointer>
#include <vector>

class QFocusFrame;
class QWidget;

// Shows which control has the keyboard focus: a ring drawn around the control,
// outside it, so that no face colour (the mode buttons' light grey or cyan) ever
// changes with focus. It shows while the user works with the keyboard (Tab, keys
// on a control), as the style's own focus marks do, and not while with the mouse.
class FocusRing final : public QObject {
  Q_OBJECT

 public:
  FocusRing(QWidget& window, std::vector<QWidget*> controls);

  // The control the ring is around, or none.
  QWidget* Around() const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Puts the ring around the control if it has the focus and the keyboard is in use;
  // hides it otherwise.
  void Show(QWidget* control);

  QPointer<QFocusFrame> frame_;
  bool byKeyboard_ = false;
};
