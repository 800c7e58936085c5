#include "app/FocusRing.h"

#include <QFocusEvent>
#include <QFocusFrame>

FocusRing::FocusRing(QWidget& window, std::vector<QWidget*> controls)
    : QObject(&window), frame_(new QFocusFrame(&window)) {
  frame_->setObjectName(QStringLiteral("FocusRing"));
  frame_->hide();
  for (QWidget* control : controls) control->installEventFilter(this);
}

QWidget* FocusRing::Around() const { return frame_->isVisible() ? frame_->widget() : nullptr; }

bool FocusRing::eventFilter(QObject* watched, QEvent* event) {
  auto* control = static_cast<QWidget*>(watched);
  switch (event->type()) {
    case QEvent::FocusIn: {
      const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
      if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason || reason == Qt::ShortcutFocusReason) {
        byKeyboard_ = true;
      } else if (reason == Qt::MouseFocusReason) {
        byKeyboard_ = false;
      }
      Show(control);
      break;
    }
    case QEvent::KeyPress:
      byKeyboard_ = true;
      Show(control);
      break;
    case QEvent::MouseButtonPress:
      byKeyboard_ = false;
      Show(control);
      break;
    case QEvent::FocusOut:
      Show(nullptr);
      break;
    default:
      break;
  }
  return QObject::eventFilter(watched, event);
}

void FocusRing::Show(QWidget* control) {
  if (control && byKeyboard_ && control->hasFocus()) {
    frame_->setWidget(control);
    frame_->show();
  } else {
    frame_->hide();
  }
}
