#include "app/Controls.h"

#include <QColor>
#include <QPushButton>
#include <QRect>
#include <QScrollBar>
#include <cstddef>
#include <iterator>

#include "animation/ControlDesign.h"
#include "app/ColouredButton.h"
#include "app/FocusRing.h"
#include "app/Fonts.h"
#include "app/WindowUnits.h"
#include "app/WrappingLabel.h"

namespace {

QRect PixelPlace(const TwipsRect& twips) {
  using window_units::TwipsToPixels;
  return QRect(TwipsToPixels(twips.left), TwipsToPixels(twips.top), TwipsToPixels(twips.width),
               TwipsToPixels(twips.height));
}

QColor ToQColor(Colour c) { return QColor(c.r, c.g, c.b); }

// What the control does, for assistive technology, and its tooltip.
void Describe(QWidget& control, const ControlDesign& d) {
  control.setAccessibleName(QString::fromUtf8(d.accessibleName));
  control.setAccessibleDescription(QString::fromUtf8(d.description));
  if (d.tip) control.setToolTip(QString::fromUtf8(d.tip));
}

// Step sizes: the smaller one moves the bar by an arrow, the larger by a page.
QScrollBar* MakeScrollBar(QWidget& window, const ControlDesign& d) {
  const Qt::Orientation orientation =
      d.kind == ControlKind::VerticalScrollBar ? Qt::Vertical : Qt::Horizontal;
  auto* bar = new QScrollBar(orientation, &window);
  bar->setObjectName(QString::fromLatin1(d.name));
  bar->setGeometry(PixelPlace(d.place));
  bar->setRange(d.min, d.max);
  bar->setValue(d.value);
  bar->setSingleStep(d.arrowStep);
  bar->setPageStep(d.pageStep);
  bar->setFocusPolicy(Qt::StrongFocus);
  Describe(*bar, d);
  return bar;
}

template <typename Button>
Button* MakeButton(QWidget& window, const ControlDesign& d) {
  auto* button = new Button(QString::fromUtf8(d.caption), &window);
  button->setObjectName(QString::fromLatin1(d.name));
  button->setGeometry(PixelPlace(d.place));
  button->setFont(ArialBold(d.pointSize));
  button->setFocusPolicy(Qt::StrongFocus);
  button->setAutoDefault(false);
  Describe(*button, d);
  return button;
}

WrappingLabel* MakeLabel(QWidget& window, const ControlDesign& d) {
  auto* label = new WrappingLabel(&window);
  label->setObjectName(QString::fromLatin1(d.name));
  label->setGeometry(PixelPlace(d.place));
  label->setFont(ArialBold(d.pointSize));
  label->SetColours(ToQColor(d.background), ToQColor(d.foreground));
  label->setText(QString::fromLatin1(d.name));  // design-time caption, replaced at start
  Describe(*label, d);
  return label;
}

}  // namespace

// Places, ranges, captions, fonts, colours and descriptions are the shared
// designs', which the browser page lays out too.
Controls BuildControls(QWidget& window) {
  Controls c;
  c.VScroll1 = MakeScrollBar(window, ControlDesignNamed("VScroll1"));
  c.VScroll2 = MakeScrollBar(window, ControlDesignNamed("VScroll2"));
  c.Command1 = MakeButton<QPushButton>(window, ControlDesignNamed("Command1"));
  c.Command2 = MakeButton<QPushButton>(window, ControlDesignNamed("Command2"));
  c.Label1 = MakeLabel(window, ControlDesignNamed("Label1"));
  c.HScroll1 = MakeScrollBar(window, ControlDesignNamed("HScroll1"));
  c.Label2 = MakeLabel(window, ControlDesignNamed("Label2"));
  c.Command3 = MakeButton<ColouredButton>(window, ControlDesignNamed("Command3"));
  c.Command4 = MakeButton<ColouredButton>(window, ControlDesignNamed("Command4"));
  c.Command5 = MakeButton<ColouredButton>(window, ControlDesignNamed("Command5"));

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
  return c;
}

std::array<const QWidget*, 8> Controls::Opaque() const {
  return {VScroll1, VScroll2, HScroll1, Label1, Label2, Command3, Command4, Command5};
}
