#pragma once

#include <QColor>
#include <QString>
#include <QStringList>
#include <QWidget>

#include "app/ClickTracker.h"

// A label that word-wraps its caption at its width and keeps every blank (see
// BreakIntoLines), painted opaque, left-aligned, clipped at its bottom edge.
// Clicks count as a press and a release on the label; the release that follows a
// double-click is not a further click.
class WrappingLabel final : public QWidget {
  Q_OBJECT

 public:
  explicit WrappingLabel(QWidget* parent = nullptr);

  void setText(const QString& text);
  const QString& text() const { return text_; }
  void SetColours(const QColor& background, const QColor& foreground);
  // The caption as it is laid out now, one entry per line.
  const QStringList& LaidOutLines() const { return lines_; }

 signals:
  void clicked();
  void doubleClicked();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  void LayOut();

  QString text_;
  QStringList lines_;
  QColor background_ = Qt::white;
  QColor foreground_ = Qt::black;
  ClickTracker clicks_;
};
