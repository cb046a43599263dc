#include "editor/SurfaceView.h"

#include <QMouseEvent>
#include <QPainter>

namespace zedro {

SurfaceView::SurfaceView(QWidget* parent) : QWidget(parent) {
  setMouseTracking(true);
  setCursor(Qt::SizeAllCursor);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void SurfaceView::SetPicture(const QImage& picture) {
  picture_ = picture;
  FitSize();
  update();
}

void SurfaceView::SetMinimumArea(int width, int height) {
  minimumArea_ = QSize(width, height);
  FitSize();
}

void SurfaceView::FitSize() {
  const QSize wanted = picture_.size().expandedTo(minimumArea_);
  if (size() != wanted) setFixedSize(wanted);
}

void SurfaceView::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), Qt::white);
  p.drawImage(0, 0, picture_);
}

void SurfaceView::mousePressEvent(QMouseEvent* e) {
  QPoint pos = e->position().toPoint();
  if (onMouseDown) onMouseDown(static_cast<int>(e->button()), pos.x(), pos.y());
}

void SurfaceView::mouseMoveEvent(QMouseEvent* e) {
  QPoint pos = e->position().toPoint();
  if (onMouseMove) onMouseMove(pos.x(), pos.y());
}

void SurfaceView::mouseReleaseEvent(QMouseEvent* e) {
  QPoint pos = e->position().toPoint();
  if (onMouseUp) onMouseUp(static_cast<int>(e->button()), pos.x(), pos.y());
}

}  // namespace zedro
