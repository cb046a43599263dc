// The drawing surface on screen: the diagram's picture inside the scroll area at the
// window's zoom, white beyond the picture up to the minimum area (the window's visible
// area). The picture is the canvas' own, shown without a copy of it.
//
// Mouse positions are handed on in diagram pixels whatever the zoom, and diagram points are
// mapped back to the screen (context menus) here and nowhere else.
#pragma once

#include <QImage>
#include <QPoint>
#include <QWidget>
#include <functional>
#include <memory>

namespace zedro {

class Canvas;
class QtCanvas;
class ZoomedPicture;

class SurfaceView : public QWidget {
  Q_OBJECT

 public:
  explicit SurfaceView(QWidget* parent = nullptr);
  ~SurfaceView() override;
  // Shows the picture of the canvas (which outlives the view) as it is now and whenever it
  // is drawn on later; the view holds no copy of it.
  void ShowPicture(QtCanvas& canvas);
  // The diagram's picture at one pixel per diagram pixel (a null image before ShowPicture).
  const QImage& Picture();
  // The view is at least this large (diagram pixels), whatever the picture's size.
  void SetMinimumArea(int width, int height);

  // The zoom: view pixels per diagram pixel, 0.25 to 4.
  static constexpr double kMinZoom = 0.25;
  static constexpr double kMaxZoom = 4.0;
  double Zoom() const { return zoom_; }
  // Sets the zoom (kept within the limits) and draws at zoom x the screen's device pixel
  // ratio from now on. The picture shown is the old one enlarged until the next redraw.
  void SetZoom(double zoom);
  // The canvas the diagram is drawn on at the current zoom (null before ShowPicture).
  Canvas* DrawingCanvas();
  // Device pixels per diagram pixel that the picture is drawn with.
  double DrawingScale() const;

  // Mapping between view positions (widget pixels) and diagram pixels.
  QPoint ToDiagram(QPointF viewPos) const;
  QPoint ToView(int x, int y) const;
  QPoint ToScreen(int x, int y) const { return mapToGlobal(ToView(x, y)); }
  // A size in view pixels as diagram pixels (rounded up).
  QSize ToDiagramSize(QSize viewSize) const;

  std::function<void(int button, int x, int y)> onMouseDown;
  std::function<void(int x, int y)> onMouseMove;
  std::function<void(int button, int x, int y)> onMouseUp;
  // Strg + mouse wheel: steps up (positive) or down, around that view position.
  std::function<void(int steps, QPoint viewPos)> onZoomWheel;
  // The canvas to draw the diagram on has changed (a new zoom, a new picture): whoever
  // draws must draw on this one from now on.
  std::function<void(Canvas& canvas)> onDrawingCanvasChanged;
  // The screen's device pixel ratio changed (the window moved to another screen): the
  // picture needs drawing at the new resolution.
  std::function<void()> onScaleChanged;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  void FitSize();
  // The scale the picture should be drawn at now.
  double WantedScale() const;
  // Draws at the wanted scale from now on and tells the drawer.
  void ApplyScale();

  std::unique_ptr<ZoomedPicture> picture_;
  QSize minimumArea_;
  double zoom_ = 1;
  int wheelRest_ = 0;  // wheel angle not yet a whole step
  bool scaleCheckPending_ = false;
};

}  // namespace zedro
