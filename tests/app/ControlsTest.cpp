#include <QFontInfo>
#include <QImage>

#include "WindowFixture.h"

namespace {

struct Expected {
  const char* name;
  QRect pixels;  // twips / 15
};

const Expected kPlaces[] = {
    {"VScroll1", {912, 192, 17, 145}}, {"VScroll2", {648, 272, 17, 137}},
    {"Command1", {872, 392, 73, 41}},  {"Command2", {872, 440, 73, 41}},
    {"Label1", {640, 528, 305, 97}},   {"HScroll1", {872, 488, 73, 17}},
    {"Label2", {8, 8, 177, 377}},      {"Command3", {896, 160, 49, 25}},
    {"Command4", {632, 240, 49, 25}},  {"Command5", {872, 16, 73, 41}},
};

}  // namespace

using ControlsTest = WindowFixture;

TEST_F(ControlsTest, WindowSizeCaptionAndBackground) {
  EXPECT_EQ(window->objectName(), "Torlin");
  EXPECT_EQ(window->size(), QSize(960, 662));
  EXPECT_EQ(window->minimumSize(), window->maximumSize());  // not resizable
  EXPECT_EQ(window->windowTitle(),
            "  Torlin Brennick" + QString(24, ' ') +
                "Click on the buttons, on the window, move the scroll bars, approach lower red cross, etc");
  EXPECT_TRUE(window->hasMouseTracking());
  const QImage shown = window->grab().toImage();
  EXPECT_EQ(shown.pixelColor(400, 300), QColor(Qt::white));
}

TEST_F(ControlsTest, TenControlsByNameInTheirDesignedRectangles) {
  for (const Expected& e : kPlaces) {
    auto* control = window->findChild<QWidget*>(e.name);
    ASSERT_NE(control, nullptr) << e.name;
    EXPECT_EQ(control->geometry(), e.pixels) << e.name;
    // Every button and scroll bar lies inside the teal frame (-20,-20)-(40,74).
    if (QString(e.name).startsWith("Label")) continue;
    const QRect frame(PixelAt(-20, 74), PixelAt(40, -20));
    EXPECT_TRUE(frame.contains(e.pixels)) << e.name;
  }
}

TEST_F(ControlsTest, ScrollRangesValuesAndSteps) {
  const auto check = [](QScrollBar* bar, int min, int max, int value, int arrow, int page,
                        Qt::Orientation orientation) {
    EXPECT_EQ(bar->minimum(), min);
    EXPECT_EQ(bar->maximum(), max);
    EXPECT_EQ(bar->value(), value);
    EXPECT_EQ(bar->singleStep(), arrow);
    EXPECT_EQ(bar->pageStep(), page);
    EXPECT_EQ(bar->orientation(), orientation);
    EXPECT_FALSE(bar->invertedAppearance());  // Min at the top / left
  };
  check(controls().VScroll1, 0, 115, 60, 1, 5, Qt::Vertical);
  check(controls().VScroll2, -95, 700, 200, 50, 50, Qt::Vertical);
  check(controls().HScroll1, 25, 1000, 400, 1, 25, Qt::Horizontal);
}

TEST_F(ControlsTest, CaptionsFontsAndLabelColours) {
  EXPECT_EQ(controls().Command1->text(), "CLS");
  EXPECT_EQ(controls().Command2->text(), "QUIT");
  EXPECT_EQ(controls().Command3->text(), "auto");
  EXPECT_EQ(controls().Command4->text(), " auto");
  EXPECT_EQ(controls().Command5->text(), "random change");
  EXPECT_EQ(controls().Label1->text(), "Label1");
  EXPECT_EQ(controls().Label2->text(), "Label2");

  const auto checkFont = [](QWidget* w, double points) {
    const QFontInfo info(w->font());
    EXPECT_TRUE(info.family() == "Arial" || info.family() == "Liberation Sans") << info.family().toStdString();
    EXPECT_TRUE(info.bold());
    EXPECT_DOUBLE_EQ(w->font().pointSizeF(), points);
  };
  checkFont(controls().Command1, 14.25);
  checkFont(controls().Command2, 14.25);
  checkFont(controls().Command3, 9.75);
  checkFont(controls().Command5, 9.75);
  checkFont(controls().Label1, 24);
  checkFont(controls().Label2, 9.75);

  const QImage shown = window->grab().toImage();
  const QPoint label2Corner = controls().Label2->geometry().bottomRight() - QPoint(2, 2);
  EXPECT_EQ(shown.pixelColor(label2Corner), QColor(0, 192, 192));
  const QPoint label1Corner = controls().Label1->geometry().bottomRight() - QPoint(2, 2);
  EXPECT_EQ(shown.pixelColor(label1Corner), QColor(Qt::white));
}

TEST_F(ControlsTest, TabOrderFollowsTheTabIndex) {
  QWidget* expected[] = {controls().VScroll1, controls().VScroll2, controls().Command1,
                         controls().Command2, controls().HScroll1, controls().Command3,
                         controls().Command4, controls().Command5, controls().VScroll1};
  controls().VScroll1->setFocus();
  for (std::size_t i = 1; i < std::size(expected); ++i) {
    QTest::keyClick(window->windowHandle(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), expected[i]) << "step " << i;
  }
}

// The caption "random change" is wider than its button: it must show on two
// centred lines rather than one clipped line.
TEST_F(ControlsTest, RandomChangeCaptionWrapsOntoTwoLines) {
  ColouredButton* button = controls().Command5;
  const QImage face = button->grab().toImage();
  int bands = 0;
  bool inText = false;
  for (int y = 4; y < face.height() - 4; ++y) {
    bool dark = false;
    for (int x = 4; x < face.width() - 4; ++x) dark = dark || face.pixelColor(x, y).red() < 60;
    if (dark && !inText) ++bands;
    inText = dark;
  }
  EXPECT_EQ(bands, 2);
}
