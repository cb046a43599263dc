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
  if (size() != picture_.size()) setFixedSize(picture_.size());
  update();
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
