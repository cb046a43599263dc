// The drawing surface on screen: the diagram's picture shown 1:1 inside the scroll area,
// white beyond the picture up to the minimum area (the window's visible area). Mouse
// events are handed on in surface pixels.
#pragma once

#include <QImage>
#include <QWidget>
#include <functional>

namespace zedro {

class SurfaceView : public QWidget {
  Q_OBJECT

 public:
  explicit SurfaceView(QWidget* parent = nullptr);
  void SetPicture(const QImage& picture);
  // The view is at least this large, whatever the picture's size.
  void SetMinimumArea(int width, int height);
  const QImage& Picture() const { return picture_; }

  std::function<void(int button, int x, int y)> onMouseDown;
  std::function<void(int x, int y)> onMouseMove;
  std::function<void(int button, int x, int y)> onMouseUp;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void FitSize();
  QImage picture_;
  QSize minimumArea_;
};

}  // namespace zedro
