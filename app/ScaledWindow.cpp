#include "app/ScaledWindow.h"

#include <QCloseEvent>
#include <QGraphicsProxyWidget>
#include <QGraphicsScene>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QTimer>
#include <QWindow>
#include <cmath>

#include "app/ScreenFit.h"
#include "app/TorlinWindow.h"

namespace {

// The desktop may frame and place a new window a little after it is shown.
constexpr int kFramingDelayMs = 300;

}  // namespace

ScaledWindow::ScaledWindow(Torlin& window, double scale) : window_(window) {
  setObjectName(QStringLiteral("ScaledWindow"));
  setWindowTitle(window.windowTitle());
  auto* scene = new QGraphicsScene(this);
  proxy_ = scene->addWidget(&window);
  scene->setSceneRect(QRectF(QPointF(0, 0), window.size()));
  setScene(scene);
  setFrameShape(QFrame::NoFrame);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  // The window's top-left corner at the view's: a view point maps to the window
  // by the factor alone.
  setAlignment(Qt::AlignLeft | Qt::AlignTop);
  setRenderHints(QPainter::SmoothPixmapTransform | QPainter::TextAntialiasing);
  setBackgroundBrush(Qt::white);
  proxy_->setFocus();
  SetScale(scale);
}

// The window belongs to the caller: take it out before the scene deletes its items.
ScaledWindow::~ScaledWindow() { proxy_->setWidget(nullptr); }

void ScaledWindow::SetScale(double scale) {
  scale_ = scale;
  setTransform(QTransform::fromScale(scale, scale));
  setFixedSize(static_cast<int>(std::ceil(window_.width() * scale)),
               static_cast<int>(std::ceil(window_.height() * scale)));
}

QPointF ScaledWindow::ToWindow(QPointF viewPoint) const { return viewPoint / scale_; }
QPointF ScaledWindow::FromWindow(QPointF windowPoint) const { return windowPoint * scale_; }

// Tab and Backtab walk the window's controls round and round as they do in the
// window itself; the scene alone would stop at the last control.
bool ScaledWindow::event(QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    const bool other = key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    const bool backtab = key->key() == Qt::Key_Backtab ||
                         (key->key() == Qt::Key_Tab && (key->modifiers() & Qt::ShiftModifier));
    if (!other && (backtab || key->key() == Qt::Key_Tab)) {
      StepFocus(!backtab);
      return true;
    }
  }
  return QGraphicsView::event(event);
}

void ScaledWindow::StepFocus(bool forward) {
  QWidget* const from = window_.focusWidget() ? window_.focusWidget() : &window_;
  for (QWidget* next = from;;) {
    next = forward ? next->nextInFocusChain() : next->previousInFocusChain();
    if (next == from) return;
    if (next != &window_ && (next->focusPolicy() & Qt::TabFocus) && next->isVisibleTo(&window_) &&
        next->isEnabled()) {
      next->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
      return;
    }
  }
}

// The close box ends the program as it does on the window itself.
void ScaledWindow::closeEvent(QCloseEvent* event) {
  window_.EndProgram();
  event->accept();
}

void ScaledWindow::FitToScreen() {
  if (!windowHandle() || !screen()) return;
  const double fitted =
      FitScale(window_.size(), screen()->availableGeometry().size(), windowHandle()->frameMargins());
  if (std::abs(fitted - scale_) > 0.002) SetScale(fitted);
}

std::unique_ptr<ScaledWindow> ShowFitted(Torlin& window) {
  const QScreen* screen = QGuiApplication::primaryScreen();
  const QRect available = screen ? screen->availableGeometry() : QRect();
  const double scale = FitScale(window.size(), available.size(), TypicalFrame());
  if (scale >= 1.0) {
    window.show();
    window.activateWindow();
    return nullptr;
  }
  auto scaled = std::make_unique<ScaledWindow>(window, scale);
  scaled->move(available.topLeft());
  scaled->show();
  scaled->activateWindow();
  QTimer::singleShot(kFramingDelayMs, scaled.get(), &ScaledWindow::FitToScreen);
  return scaled;
}
