#include "app/ColouredButton.h"

#include <QStyleOptionButton>
#include <QStylePainter>

ColouredButton::ColouredButton(const QString& caption, QWidget* parent)
    : QPushButton(caption, parent) {
  SetFace(colours::lightGrey);
}

void ColouredButton::SetFace(Colour face) {
  face_ = face;
  // No focus outline from the style: it would tint the face. The window's focus
  // ring shows the focus outside the button instead.
  setStyleSheet(QStringLiteral("QPushButton { background-color: rgb(%1, %2, %3);"
                               " border: 1px solid rgb(96, 96, 96); outline: none; }"
                               "QPushButton:pressed { border: 3px solid rgb(64, 64, 64); }")
                    .arg(face.r)
                    .arg(face.g)
                    .arg(face.b));
}

// The face and frame come from the style; the caption is drawn here so that it can
// wrap, which a push button's own label never does.
void ColouredButton::paintEvent(QPaintEvent*) {
  QStylePainter painter(this);
  QStyleOptionButton option;
  initStyleOption(&option);
  const QString caption = option.text;
  option.text.clear();
  painter.drawControl(QStyle::CE_PushButton, option);
  const QRect area = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
  painter.setPen(option.palette.color(QPalette::ButtonText));
  painter.drawText(area, Qt::AlignCenter | Qt::TextWordWrap, caption);
}
