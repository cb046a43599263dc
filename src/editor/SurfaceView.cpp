#include "editor/SurfaceView.h"

#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "editor/canvas/QtCanvas.h"
#include "editor/canvas/ZoomedPicture.h"

namespace zedro {

namespace {
// One notch of a mouse wheel.
constexpr int kWheelStep = 120;
}  // namespace

SurfaceView::SurfaceView(QWidget* parent) : QWidget(parent) {
  setMouseTracking(true);
  setCursor(Qt::SizeAllCursor);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

SurfaceView::~SurfaceView() = default;

void SurfaceView::ShowPicture(QtCanvas& canvas) {
  if (!picture_ || &picture_->Screen() != &canvas) {
    picture_ = std::make_unique<ZoomedPicture>(canvas);
    ApplyScale();
  }
  FitSize();
  update();
}

const QImage& SurfaceView::Picture() {
  static const QImage none;
  return picture_ ? picture_->Screen().Image() : none;
}

Canvas* SurfaceView::DrawingCanvas() { return picture_ ? &picture_->Target() : nullptr; }

double SurfaceView::DrawingScale() const { return picture_ ? picture_->Scale() : 1.0; }

double SurfaceView::WantedScale() const { return zoom_ * devicePixelRatioF(); }

void SurfaceView::ApplyScale() {
  if (!picture_) return;
  picture_->SetScale(WantedScale());
  if (onDrawingCanvasChanged) onDrawingCanvasChanged(picture_->Target());
}

void SurfaceView::SetZoom(double zoom) {
  zoom_ = std::clamp(zoom, kMinZoom, kMaxZoom);
  ApplyScale();
  FitSize();
  update();
}

void SurfaceView::SetMinimumArea(int width, int height) {
  minimumArea_ = QSize(width, height);
  FitSize();
}

void SurfaceView::FitSize() {
  QSize area = minimumArea_;
  if (picture_) area = area.expandedTo(QSize(picture_->Screen().Width(), picture_->Screen().Height()));
  const QSize wanted(static_cast<int>(std::ceil(area.width() * zoom_)),
                     static_cast<int>(std::ceil(area.height() * zoom_)));
  if (size() != wanted) setFixedSize(wanted);
}

// The diagram pixel that covers the position (a screen scaled by 1.25 or 1.5 reports
// positions between whole view pixels).
QPoint SurfaceView::ToDiagram(QPointF viewPos) const {
  return QPoint(static_cast<int>(std::floor(viewPos.x() / zoom_)),
                static_cast<int>(std::floor(viewPos.y() / zoom_)));
}

QPoint SurfaceView::ToView(int x, int y) const {
  if (zoom_ == 1) return QPoint(x, y);
  // The middle of the diagram pixel.
  return QPoint(static_cast<int>(std::floor((x + 0.5) * zoom_)),
                static_cast<int>(std::floor((y + 0.5) * zoom_)));
}

QSize SurfaceView::ToDiagramSize(QSize viewSize) const {
  return QSize(static_cast<int>(std::ceil(viewSize.width() / zoom_)),
               static_cast<int>(std::ceil(viewSize.height() / zoom_)));
}

void SurfaceView::paintEvent(QPaintEvent* event) {
  QPainter p(this);
  const QRect area = event->rect();
  p.fillRect(area, Qt::white);
  if (!picture_) return;
  if (!picture_->Scaled()) {
    // One picture pixel on each view pixel: the exposed part, straight from the canvas.
    const QImage& image = picture_->Screen().ImagePart(area);
    const QRect part = area.intersected(image.rect());
    if (!part.isEmpty()) p.drawImage(part.topLeft(), image, part);
  } else {
    // Picture pixels per view pixel; the exposed part only.
    const QImage& image = picture_->Image();
    const double f = picture_->Scale() / zoom_;
    const QRectF source = QRectF(area.x() * f, area.y() * f, area.width() * f, area.height() * f)
                              .intersected(QRectF(image.rect()));
    if (!source.isEmpty())
      p.drawImage(QRectF(source.x() / f, source.y() / f, source.width() / f, source.height() / f),
                  image, source);
  }
  // Moved to a screen of another pixel ratio: drawn anew at its resolution.
  if (picture_->RequestedScale() != WantedScale() && !scaleCheckPending_) {
    scaleCheckPending_ = true;
    QTimer::singleShot(0, this, [this] {
      scaleCheckPending_ = false;
      if (!picture_ || picture_->RequestedScale() == WantedScale()) return;
      ApplyScale();
      if (onScaleChanged) onScaleChanged();
      update();
    });
  }
}

void SurfaceView::mousePressEvent(QMouseEvent* e) {
  const QPoint pos = ToDiagram(e->position());
  if (onMouseDown) onMouseDown(static_cast<int>(e->button()), pos.x(), pos.y());
}

void SurfaceView::mouseMoveEvent(QMouseEvent* e) {
  const QPoint pos = ToDiagram(e->position());
  if (onMouseMove) onMouseMove(pos.x(), pos.y());
}

void SurfaceView::mouseReleaseEvent(QMouseEvent* e) {
  const QPoint pos = ToDiagram(e->position());
  if (onMouseUp) onMouseUp(static_cast<int>(e->button()), pos.x(), pos.y());
}

void SurfaceView::wheelEvent(QWheelEvent* e) {
  if (!(e->modifiers() & Qt::ControlModifier) || !onZoomWheel) {
    e->ignore();  // the scroll area scrolls
    return;
  }
  e->accept();
  wheelRest_ += e->angleDelta().y();
  const int steps = wheelRest_ / kWheelStep;
  wheelRest_ -= steps * kWheelStep;
  if (steps != 0) onZoomWheel(steps, e->position().toPoint());
}

}  // namespace zedro
