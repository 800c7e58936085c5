#include "app/TorlinWindow.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QCursor>
#include <QKeySequence>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>
#include <QToolTip>
#include <algorithm>
#include <chrono>

#include "animation/Animation.h"
#include "animation/BarReading.h"
#include "animation/PageTexts.h"
#include "app/ColouredButton.h"
#include "app/Fonts.h"
#include "app/RasterImage.h"
#include "app/TextPages.h"
#include "app/WindowUnits.h"
#include "app/WrappingLabel.h"
#include "raster/RasterCanvas.h"

Torlin::Torlin(Animate animate, std::function<void()> quitApplication)
    : quitApplication_(std::move(quitApplication)), animate_(animate) {
  if (!quitApplication_) quitApplication_ = [] { QCoreApplication::exit(0); };
  setObjectName(QStringLiteral("Torlin"));
  setWindowTitle(QString::fromStdString(page_texts::Caption()));
  setFixedSize(window_units::kClientWidth, window_units::kClientHeight);
  setFont(ArialBold(18));
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);

  controls_ = BuildControls(*this);
  canvas_ = std::make_unique<RasterCanvas>(width(), height(), devicePixelRatioF(), PixelOrder::BlueFirst);
  ConnectHandlers();
}

Torlin::~Torlin() = default;

void Torlin::ConnectHandlers() {
  const auto on = [this](EventKind kind) { return [this, kind] { Handle({kind}); }; };
  connect(controls_.Command1, &QPushButton::clicked, this, on(EventKind::Command1Click));
  connect(controls_.Command2, &QPushButton::clicked, this, on(EventKind::Command2Click));
  connect(controls_.Command3, &QPushButton::clicked, this, on(EventKind::Command3Click));
  connect(controls_.Command4, &QPushButton::clicked, this, on(EventKind::Command4Click));
  connect(controls_.Command5, &QPushButton::clicked, this, on(EventKind::Command5Click));
  connect(controls_.Label2, &WrappingLabel::clicked, this, on(EventKind::Label2Click));
  connect(controls_.Label2, &WrappingLabel::doubleClicked, this, on(EventKind::Label2DblClick));
  connect(controls_.Label1, &WrappingLabel::doubleClicked, this, on(EventKind::Label1DblClick));

  // Each bar's tooltip reads its value and what it sets, and follows it while shown.
  for (const ScrollBar which : {ScrollBar::VScroll1, ScrollBar::VScroll2, ScrollBar::HScroll1}) {
    QScrollBar* bar = &Bar(which);
    const auto read = [bar, which](int value) {
      const QString text = QString::fromStdString(BarReading(which, value));
      bar->setToolTip(text);
      if (QToolTip::isVisible() && bar->underMouse()) QToolTip::showText(QCursor::pos(), text, bar);
    };
    read(bar->value());
    connect(bar, &QScrollBar::valueChanged, this, read);
  }

  // One shortcut for the whole window: it fires once per Escape press, whichever
  // control has the focus.
  auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
  escape->setContext(Qt::WindowShortcut);
  connect(escape, &QShortcut::activated, this,
          [this] { Handle({EventKind::FormKeyPress, 0, 0, kEscapeKey}); });
}

void Torlin::Handle(const Event& event) {
  Dispatch(event, vars_, *this);
  resumer_.EventHandled();
}

QScrollBar& Torlin::Bar(ScrollBar bar) const {
  switch (bar) {
    case ScrollBar::VScroll1: return *controls_.VScroll1;
    case ScrollBar::VScroll2: return *controls_.VScroll2;
    case ScrollBar::HScroll1: break;
  }
  return *controls_.HScroll1;
}

int Torlin::Value(ScrollBar bar) const { return Bar(bar).value(); }
// The scroll bar keeps its value inside its range, whatever it is given.
void Torlin::SetValue(ScrollBar bar, int value) { Bar(bar).setValue(value); }
int Torlin::Min(ScrollBar bar) const { return Bar(bar).minimum(); }
int Torlin::Max(ScrollBar bar) const { return Bar(bar).maximum(); }

void Torlin::SetFace(ModeButton button, Colour face) {
  switch (button) {
    case ModeButton::Command3: controls_.Command3->SetFace(face); return;
    case ModeButton::Command4: controls_.Command4->SetFace(face); return;
    case ModeButton::Command5: controls_.Command5->SetFace(face); return;
  }
}

void Torlin::Reseed() {
  random_.Seed(seedSource_ ? seedSource_()
                           : static_cast<std::uint64_t>(
                                 std::chrono::system_clock::now().time_since_epoch().count()));
}

void Torlin::ClearSurface() {
  canvas_->Cls();
  ShowDrawing();
}

void Torlin::FrameCompleted(const FrameReport& report) {
  if (frameObserver_) frameObserver_(report);
}

void Torlin::ShowDrawing() {
  const double ratio = canvas_->DevicePixelRatio();
  QRegion logical;
  for (const PixelRect& area : canvas_->TakeDirty()) {
    logical += QRectF(area.x / ratio, area.y / ratio, area.width / ratio, area.height / ratio).toAlignedRect();
  }
  // What opaque controls cover is never seen: repainting it would only make them
  // paint themselves again, every frame.
  for (const QWidget* control : controls_.Opaque()) {
    if (control->isVisible()) logical -= control->geometry();
  }
  if (!logical.isEmpty()) update(logical);
}

void Torlin::ShowTextPage() { ::ShowTextPage(vars_.mes, *controls_.Label2); }

void Torlin::ShowCredit() { controls_.Label1->setText(text_pages::Credit()); }

void Torlin::EndProgram() {
  if (ending_) return;
  ending_ = true;  // the loop is resumed no more
  quitApplication_();
}

// The animation starts from the event loop, once, after the first activation.
bool Torlin::event(QEvent* event) {
  if (event->type() == QEvent::WindowActivate && !activated_) {
    activated_ = true;
    if (animate_ == Animate::OnFirstActivation) {
      QMetaObject::invokeMethod(this, &Torlin::Form_Activate, Qt::QueuedConnection);
    }
  }
  return QWidget::event(event);
}

void Torlin::Form_Activate() {
  if (animation_ || ending_) return;
  animation_ = std::make_unique<Animation>(vars_, *this, *canvas_);
  animation_->StartUp();
  ShowDrawing();
  if (!ending_) resumer_.Start(animation_->Loop());
}

// Presents the parts asked for, straight from the canvas's pixels. Presented
// smaller (a scaled view), the picture is filtered, so that thin lines stay whole.
namespace {
constexpr int kBandPixels = 8192;
}  // namespace

void Torlin::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  const double ratio = canvas_->DevicePixelRatio();
  painter.setRenderHint(QPainter::SmoothPixmapTransform, painter.deviceTransform().m11() < ratio - 1e-9);
  for (const QRect& area : event->region()) {
    // In bands of a few thousand pixels: a larger image makes the toolkit hand the
    // copy to its thread pool, whose wake-ups cost more than the copy itself.
    const int bandRows = std::max(1, kBandPixels / std::max(1, area.width()));
    for (int top = area.top(); top <= area.bottom(); top += bandRows) {
      const QRect band(area.left(), top, area.width(), std::min(bandRows, area.bottom() + 1 - top));
      const QRectF source(band.x() * ratio, band.y() * ratio, band.width() * ratio, band.height() * ratio);
      // One pixel more on every side, so that filtering at the band's edge sees the
      // same neighbours as it would in the whole picture.
      const QRect part =
          source.toAlignedRect().adjusted(-1, -1, 1, 1) & QRect(0, 0, canvas_->Width(), canvas_->Height());
      painter.drawImage(QRectF(band), ImageOf(*canvas_, part), source.translated(-part.topLeft()));
    }
  }
}

void Torlin::mousePressEvent(QMouseEvent* event) { clicks_.Press(*event); }

void Torlin::mouseReleaseEvent(QMouseEvent* event) {
  if (clicks_.Release(*event, rect())) Handle({EventKind::FormClick});
}

void Torlin::mouseDoubleClickEvent(QMouseEvent* event) {
  if (clicks_.DoubleClick(*event)) Handle({EventKind::FormDblClick});
}

void Torlin::mouseMoveEvent(QMouseEvent* event) {
  const QPointF at = event->position();
  Handle({EventKind::FormMouseMove, static_cast<float>(window_units::FromPixelX(at.x())),
          static_cast<float>(window_units::FromPixelY(at.y()))});
}

// The close box ends the program like "QUIT".
void Torlin::closeEvent(QCloseEvent* event) {
  EndProgram();
  event->accept();
}
