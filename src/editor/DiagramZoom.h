// The zoom of one diagram window, 25 % to 400 %: the items "Vergrößern" (Strg++),
// "Verkleinern" (Strg+-), "Originalgröße" (Strg+0) and "An Fenster anpassen" at the end
// of the window's menu "Optionen", Strg + mouse wheel around the mouse position, and the
// factor in the window's status line. Zooming changes no coordinate of the diagram and
// does not count as a change of it.
#pragma once

#include <QObject>
#include <QPoint>
#include <QString>

class QAction;
class QLabel;

namespace zedro {

class TFChild;

class DiagramZoom : public QObject {
  Q_OBJECT

 public:
  // Lives as long as the window (its child).
  explicit DiagramZoom(TFChild& window);

  double Zoom() const;
  // Zooms around the middle of the visible part of the diagram.
  void SetZoom(double zoom);
  // Zooms so that the diagram point under `viewPos` (surface widget pixels) stays where it
  // is on the screen. Ignored while a mouse button is held (something is being dragged).
  void SetZoomAround(double zoom, QPoint viewPos);
  void ZoomIn();
  void ZoomOut();
  void ResetZoom();
  // The whole diagram in the visible area, as large as it fits (within 25 % and 400 %).
  void FitToWindow();

  // The next zoom level above or below a factor.
  static double StepUp(double zoom);
  static double StepDown(double zoom);
  // The factor as the status line shows it: "Zoom: 150 %".
  static QString ZoomText(double zoom);

 private:
  void ShowZoom();
  // Draws the diagram again at the new scale when no command waits for clicks: a redraw
  // would wipe what such a command has marked (the enlarged picture keeps it).
  void RedrawIfIdle();
  QPoint VisibleMiddle() const;

  TFChild& window_;
  QLabel* label_ = nullptr;
};

}  // namespace zedro
