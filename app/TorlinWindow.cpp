#include "app/TorlinWindow.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QKeySequence>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPushButton>
#include <QShortcut>

#include "animation/Animation.h"
#include "animation/PageTexts.h"
#include "app/ColouredButton.h"
#include "app/Fonts.h"
#include "app/QtHost.h"
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
  canvas_ = std::make_unique<RasterCanvas>(width(), height(), devicePixelRatioF());
  host_ = std::make_unique<QtHost>(*this);
  ConnectHandlers();
}

Torlin::~Torlin() = default;

void Torlin::ConnectHandlers() {
  connect(controls_.Command1, &QPushButton::clicked, this, &Torlin::Command1_Click);
  connect(controls_.Command2, &QPushButton::clicked, this, &Torlin::Command2_Click);
  connect(controls_.Command3, &QPushButton::clicked, this, &Torlin::Command3_Click);
  connect(controls_.Command4, &QPushButton::clicked, this, &Torlin::Command4_Click);
  connect(controls_.Command5, &QPushButton::clicked, this, &Torlin::Command5_Click);
  connect(controls_.Label2, &WrappingLabel::clicked, this, &Torlin::Label2_Click);
  connect(controls_.Label2, &WrappingLabel::doubleClicked, this, &Torlin::Label2_DblClick);
  connect(controls_.Label1, &WrappingLabel::doubleClicked, this, &Torlin::Label1_DblClick);

  // One shortcut for the whole window: it fires once per Escape press, whichever
  // control has the focus.
  auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
  escape->setContext(Qt::WindowShortcut);
  connect(escape, &QShortcut::activated, this, [this] { Form_KeyPress(27); });
}

void Torlin::ShowDrawing() {
  const double ratio = canvas_->DevicePixelRatio();
  QRegion logical;
  for (const PixelRect& area : canvas_->TakeDirty()) {
    logical += QRectF(area.x / ratio, area.y / ratio, area.width / ratio, area.height / ratio).toAlignedRect();
  }
  if (!logical.isEmpty()) update(logical);
}

void Torlin::ShowTextPage() { ::ShowTextPage(vars_.mes, *controls_.Label2); }

void Torlin::ShowCredit() { controls_.Label1->setText(text_pages::Credit()); }

void Torlin::EndProgram() {
  if (ending_) return;
  ending_ = true;
  host_->WakeUp();
  quitApplication_();
}

// The animation starts from the event loop, once, after the first activation, so
// that it runs inside the application's event loop and can give it turns.
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
  animation_ = std::make_unique<Animation>(vars_, *host_, *canvas_);
  animation_->StartUp();
  ShowDrawing();
  if (!ending_) animation_->Run();
  ShowDrawing();
}

// Presents the parts asked for, straight from the canvas's pixels. Presented
// smaller (a scaled view), the picture is filtered, so that thin lines stay whole.
void Torlin::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  const double ratio = canvas_->DevicePixelRatio();
  painter.setRenderHint(QPainter::SmoothPixmapTransform, painter.deviceTransform().m11() < ratio - 1e-9);
  const QImage image = ImageOf(*canvas_);
  for (const QRect& area : event->region()) {
    const QRectF source(area.x() * ratio, area.y() * ratio, area.width() * ratio, area.height() * ratio);
    painter.drawImage(QRectF(area), image, source);
  }
}

void Torlin::mousePressEvent(QMouseEvent* event) { clicks_.Press(*event); }

void Torlin::mouseReleaseEvent(QMouseEvent* event) {
  if (clicks_.Release(*event, rect())) Form_Click();
}

void Torlin::mouseDoubleClickEvent(QMouseEvent* event) {
  if (clicks_.DoubleClick(*event)) Form_DblClick();
}

void Torlin::mouseMoveEvent(QMouseEvent* event) {
  const QPointF at = event->position();
  Form_MouseMove(static_cast<float>(window_units::FromPixelX(at.x())),
                 static_cast<float>(window_units::FromPixelY(at.y())));
}

// The close box ends the program like "QUIT".
void Torlin::closeEvent(QCloseEvent* event) {
  EndProgram();
  event->accept();
}
