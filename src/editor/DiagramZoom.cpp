#include "editor/DiagramZoom.h"

#include <QAction>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <algorithm>
#include <cmath>
#include <iterator>

#include "editor/QtText.h"
#include "editor/SurfaceView.h"
#include "editor/TFChild.h"

namespace zedro {

namespace {

// The zoom levels of the keys and the wheel, in per cent.
constexpr int kLevels[] = {25, 33, 50, 67, 75, 100, 125, 150, 175, 200, 250, 300, 400};
// Factors nearer than this count as the same level.
constexpr double kSame = 1e-6;

}  // namespace

DiagramZoom::DiagramZoom(TFChild& window) : QObject(&window), window_(window) {
  setObjectName("DiagramZoom");
  QMenu* menu = window.DelphiVersion;
  auto add = [&](const char* name, const char* caption, QKeySequence key, void (DiagramZoom::*command)()) {
    QAction* a = menu->addAction(Q(W(caption)));
    a->setObjectName(name);
    a->setShortcut(key);
    connect(a, &QAction::triggered, this, [this, command] { (this->*command)(); });
    return a;
  };
  // Below the separator that ends the language items.
  add("Vergroessern", "Vergrößern", QKeySequence(Qt::CTRL | Qt::Key_Plus), &DiagramZoom::ZoomIn)
      ->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)});
  add("Verkleinern", "Verkleinern", QKeySequence(Qt::CTRL | Qt::Key_Minus), &DiagramZoom::ZoomOut);
  add("Originalgroesse", "Originalgröße (100 %)", QKeySequence(Qt::CTRL | Qt::Key_0),
      &DiagramZoom::ResetZoom);
  add("AnFensterAnpassen", "An Fenster anpassen", QKeySequence(), &DiagramZoom::FitToWindow);

  label_ = new QLabel(&window);
  label_->setObjectName("ZoomLabel");
  window.StatusBar->addPermanentWidget(label_);

  SurfaceView* view = window.ImClassDiagramm;
  view->onZoomWheel = [this](int steps, QPoint viewPos) {
    double zoom = Zoom();
    for (int i = 0; i < std::abs(steps); ++i) zoom = steps > 0 ? StepUp(zoom) : StepDown(zoom);
    SetZoomAround(zoom, viewPos);
  };
  view->onScaleChanged = [this] { RedrawIfIdle(); };
  ShowZoom();
}

double DiagramZoom::Zoom() const { return window_.ImClassDiagramm->Zoom(); }

double DiagramZoom::StepUp(double zoom) {
  for (int level : kLevels)
    if (level / 100.0 > zoom + kSame) return level / 100.0;
  return SurfaceView::kMaxZoom;
}

double DiagramZoom::StepDown(double zoom) {
  for (auto it = std::rbegin(kLevels); it != std::rend(kLevels); ++it)
    if (*it / 100.0 < zoom - kSame) return *it / 100.0;
  return SurfaceView::kMinZoom;
}

QString DiagramZoom::ZoomText(double zoom) {
  return QStringLiteral("Zoom: %1 %").arg(static_cast<int>(std::lround(zoom * 100)));
}

void DiagramZoom::ShowZoom() { label_->setText(ZoomText(Zoom())); }

void DiagramZoom::ZoomIn() { SetZoom(StepUp(Zoom())); }
void DiagramZoom::ZoomOut() { SetZoom(StepDown(Zoom())); }
void DiagramZoom::ResetZoom() { SetZoom(1.0); }

QPoint DiagramZoom::VisibleMiddle() const {
  QWidget* viewport = window_.ScrollBox1->viewport();
  return window_.ImClassDiagramm->mapFrom(viewport, viewport->rect().center());
}

void DiagramZoom::SetZoom(double zoom) { SetZoomAround(zoom, VisibleMiddle()); }

void DiagramZoom::SetZoomAround(double zoom, QPoint viewPos) {
  if (QGuiApplication::mouseButtons() != Qt::NoButton) return;
  SurfaceView* view = window_.ImClassDiagramm;
  const double old = view->Zoom();
  zoom = std::clamp(zoom, SurfaceView::kMinZoom, SurfaceView::kMaxZoom);
  if (std::abs(zoom - old) < kSame) return;
  QWidget* viewport = window_.ScrollBox1->viewport();
  // The diagram point under viewPos, and where the viewport shows it.
  const QPointF diagram(viewPos.x() / old, viewPos.y() / old);
  const QPoint onViewport = view->mapTo(viewport, viewPos);
  view->SetZoom(zoom);
  window_.FollowViewSize();
  RedrawIfIdle();
  QScrollBar* h = window_.ScrollBox1->horizontalScrollBar();
  QScrollBar* v = window_.ScrollBox1->verticalScrollBar();
  h->setValue(static_cast<int>(std::lround(diagram.x() * zoom - onViewport.x())));
  v->setValue(static_cast<int>(std::lround(diagram.y() * zoom - onViewport.y())));
  ShowZoom();
}

void DiagramZoom::FitToWindow() {
  const DrawingSurface& surface = window_.Doc().Surface;
  const QSize room = window_.ScrollBox1->maximumViewportSize();
  const double fit = std::min(static_cast<double>(room.width()) / std::max(surface.Width, 1),
                              static_cast<double>(room.height()) / std::max(surface.Height, 1));
  // Whole per cents, rounded down: the diagram fits.
  SetZoomAround(std::floor(fit * 100 + kSame) / 100, QPoint(0, 0));
  window_.ScrollBox1->horizontalScrollBar()->setValue(0);
  window_.ScrollBox1->verticalScrollBar()->setValue(0);
}

void DiagramZoom::RedrawIfIdle() {
  if (window_.Mode == EditMode::Idle || window_.Mode == EditMode::SelectionShown)
    window_.RedrawKeepSaved();
}

}  // namespace zedro
