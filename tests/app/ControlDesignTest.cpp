// The browser page lays its controls out from the shared designs; the window must
// show the same ones.
#include <QCoreApplication>
#include <QImage>
#include <QScrollBar>

#include "WindowFixture.h"
#include "animation/ControlDesign.h"
#include "animation/PageTexts.h"

TEST_F(WindowFixture, TheWindowShowsTheSharedControlDesigns) {
  using window_units::TwipsToPixels;
  for (const ControlDesign& design : ControlDesigns()) {
    auto* control = window->findChild<QWidget*>(QString::fromLatin1(design.name));
    ASSERT_NE(control, nullptr) << design.name;
    EXPECT_EQ(control->geometry(), QRect(TwipsToPixels(design.place.left), TwipsToPixels(design.place.top),
                                         TwipsToPixels(design.place.width), TwipsToPixels(design.place.height)))
        << design.name;
    if (auto* bar = qobject_cast<QScrollBar*>(control)) {
      EXPECT_EQ(bar->minimum(), design.min) << design.name;
      EXPECT_EQ(bar->maximum(), design.max) << design.name;
      EXPECT_EQ(bar->value(), design.value) << design.name;
      EXPECT_EQ(bar->singleStep(), design.arrowStep) << design.name;
      EXPECT_EQ(bar->pageStep(), design.pageStep) << design.name;
      EXPECT_EQ(bar->orientation() == Qt::Vertical, design.kind == ControlKind::VerticalScrollBar);
    } else if (auto* button = qobject_cast<QPushButton*>(control)) {
      EXPECT_EQ(button->text(), QString::fromLatin1(design.caption)) << design.name;
      EXPECT_DOUBLE_EQ(button->font().pointSizeF(), design.pointSize) << design.name;
      EXPECT_EQ(qobject_cast<ColouredButton*>(control) != nullptr, design.kind == ControlKind::ColouredButton);
    } else {
      EXPECT_DOUBLE_EQ(control->font().pointSizeF(), design.pointSize) << design.name;
    }
  }
  EXPECT_EQ(window->windowTitle().toStdString(), page_texts::Caption());
}

// The window leaves what these controls cover out of its repaints; that is sound only
// if each of them paints every pixel of its place, whatever its state.
TEST_F(WindowFixture, TheControlsTheDrawingMayHideBehindPaintAllTheirPixels) {
  const QColor key(255, 0, 255);
  window->Widgets().Command4->SetFace(colours::cyan);
  QCoreApplication::processEvents();  // the new face's style settles
  for (const QWidget* control : window->Widgets().Opaque()) {
    QImage picture(control->size(), QImage::Format_RGB32);
    picture.fill(key);
    const_cast<QWidget*>(control)->render(&picture, {}, {}, QWidget::DrawChildren);
    long keyPixels = 0;
    QPoint first;
    for (int y = 0; y < picture.height(); ++y) {
      for (int x = 0; x < picture.width(); ++x) {
        if (picture.pixelColor(x, y) == key && keyPixels++ == 0) first = {x, y};
      }
    }
    EXPECT_EQ(keyPixels, 0) << control->objectName().toStdString() << " " << control->width() << "x"
                            << control->height() << ", the first unpainted pixel at " << first.x() << ","
                            << first.y();
  }
}
