#include "app/WrappingLabel.h"

#include <QEvent>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>

#include "app/LineBreaking.h"

WrappingLabel::WrappingLabel(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void WrappingLabel::setText(const QString& text) {
  if (text == text_) return;
  text_ = text;
  LayOut();
}

void WrappingLabel::SetColours(const QColor& background, const QColor& foreground) {
  background_ = background;
  foreground_ = foreground;
  update();
}

void WrappingLabel::LayOut() {
  const QFontMetrics metrics(font());
  lines_ = BreakIntoLines(text_, width(),
                          [&metrics](const QString& s) { return metrics.horizontalAdvance(s); });
  update();
}

void WrappingLabel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), background_);
  painter.setPen(foreground_);
  painter.setFont(font());
  const QFontMetrics metrics(font());
  int baseline = metrics.ascent();
  for (const QString& line : lines_) {
    if (baseline - metrics.ascent() >= height()) break;  // the rest lies below the edge
    painter.drawText(QPoint(0, baseline), line);
    baseline += metrics.lineSpacing();
  }
}

void WrappingLabel::resizeEvent(QResizeEvent*) { LayOut(); }

void WrappingLabel::changeEvent(QEvent* event) {
  if (event->type() == QEvent::FontChange) LayOut();
  QWidget::changeEvent(event);
}

void WrappingLabel::mousePressEvent(QMouseEvent* event) {
  clicks_.Press(*event);
  event->accept();
}

void WrappingLabel::mouseReleaseEvent(QMouseEvent* event) {
  event->accept();
  if (clicks_.Release(*event, rect())) emit clicked();
}

void WrappingLabel::mouseDoubleClickEvent(QMouseEvent* event) {
  event->accept();
  if (clicks_.DoubleClick(*event)) emit doubleClicked();
}
