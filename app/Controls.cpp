#include "app/Controls.h"

#include <QPushButton>
#include <QRect>
#include <QScrollBar>

#include "app/ColouredButton.h"
#include "app/ControlDescriptions.h"
#include "app/FocusRing.h"
#include "app/Fonts.h"
#include "app/WindowUnits.h"
#include "app/WrappingLabel.h"

namespace {

QRect TwipsRect(int left, int top, int width, int height) {
  using window_units::TwipsToPixels;
  return QRect(TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width), TwipsToPixels(height));
}

// Step sizes: the smaller one moves the bar by an arrow, the larger by a page.
QScrollBar* MakeScrollBar(QWidget& window, const char* name, Qt::Orientation orientation,
                          QRect place, int min, int max, int value, int arrowStep, int pageStep) {
  auto* bar = new QScrollBar(orientation, &window);
  bar->setObjectName(QString::fromLatin1(name));
  bar->setGeometry(place);
  bar->setRange(min, max);
  bar->setValue(value);
  bar->setSingleStep(arrowStep);
  bar->setPageStep(pageStep);
  bar->setFocusPolicy(Qt::StrongFocus);
  return bar;
}

template <typename Button>
Button* MakeButton(QWidget& window, const char* name, const QString& caption, QRect place,
                   double pointSize) {
  auto* button = new Button(caption, &window);
  button->setObjectName(QString::fromLatin1(name));
  button->setGeometry(place);
  button->setFont(ArialBold(pointSize));
  button->setFocusPolicy(Qt::StrongFocus);
  button->setAutoDefault(false);
  return button;
}

WrappingLabel* MakeLabel(QWidget& window, const char* name, QRect place, double pointSize,
                         const QColor& background, const QColor& foreground) {
  auto* label = new WrappingLabel(&window);
  label->setObjectName(QString::fromLatin1(name));
  label->setGeometry(place);
  label->setFont(ArialBold(pointSize));
  label->SetColours(background, foreground);
  label->setText(QString::fromLatin1(name));  // design-time caption, replaced at start
  return label;
}

}  // namespace

Controls BuildControls(QWidget& window) {
  const QColor teal(0, 192, 192);
  Controls c;
  c.VScroll1 = MakeScrollBar(window, "VScroll1", Qt::Vertical, TwipsRect(13680, 2880, 255, 2175),
                             0, 115, 60, 1, 5);
  c.VScroll2 = MakeScrollBar(window, "VScroll2", Qt::Vertical, TwipsRect(9720, 4080, 255, 2055),
                             -95, 700, 200, 50, 50);
  c.Command1 = MakeButton<QPushButton>(window, "Command1", QStringLiteral("CLS"),
                                       TwipsRect(13080, 5880, 1095, 615), 14.25);
  c.Command2 = MakeButton<QPushButton>(window, "Command2", QStringLiteral("QUIT"),
                                       TwipsRect(13080, 6600, 1095, 615), 14.25);
  c.Label1 = MakeLabel(window, "Label1", TwipsRect(9600, 7920, 4575, 1455), 24, Qt::white, teal);
  c.HScroll1 = MakeScrollBar(window, "HScroll1", Qt::Horizontal, TwipsRect(13080, 7320, 1095, 255),
                             25, 1000, 400, 1, 25);
  c.Label2 = MakeLabel(window, "Label2", TwipsRect(120, 120, 2655, 5655), 9.75, teal, Qt::white);
  c.Command3 = MakeButton<ColouredButton>(window, "Command3", QStringLiteral("auto"),
                                          TwipsRect(13440, 2400, 735, 375), 9.75);
  c.Command4 = MakeButton<ColouredButton>(window, "Command4", QStringLiteral(" auto"),
                                          TwipsRect(9480, 3600, 735, 375), 9.75);
  c.Command5 = MakeButton<ColouredButton>(window, "Command5", QStringLiteral("random change"),
                                          TwipsRect(13080, 240, 1095, 615), 9.75);

  // Mouse events on a control stay there: a move over a control must not reach
  // the window's pause test, a click on a label is not a click on the window.
  QWidget* all[] = {c.VScroll1, c.VScroll2, c.Command1, c.Command2, c.Label1,
                    c.HScroll1, c.Label2, c.Command3, c.Command4, c.Command5};
  for (QWidget* control : all) control->setAttribute(Qt::WA_NoMousePropagation);

  // Tab order by tab index; the labels take no focus.
  QWidget* order[] = {c.VScroll1, c.VScroll2, c.Command1, c.Command2, c.HScroll1,
                      c.Command3, c.Command4, c.Command5};
  for (std::size_t i = 1; i < std::size(order); ++i) QWidget::setTabOrder(order[i - 1], order[i]);

  new FocusRing(window, {std::begin(order), std::end(order)});  // owned by the window
  DescribeControls(c);
  return c;
}
