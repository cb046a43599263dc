// The zoom of a diagram window: the mouse works in diagram pixels at every zoom, the
// picture of the diagram stays the same, the view is drawn at the zoom's resolution.
#include <QLabel>
#include <QMouseEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>
#include <cmath>

#include "EditorFixture.h"
#include "editor/DiagramZoom.h"
#include "editor/Forms.h"
#include "editor/SurfaceView.h"

namespace zedro {
namespace {

using namespace editortest;

class Zoom : public WindowTest {
 protected:
  SurfaceView* View() { return w->ImClassDiagramm; }
  DiagramZoom* Zoomer() { return w->findChild<DiagramZoom*>(); }
  std::string StatusFactor() {
    auto* label = w->findChild<QLabel*>("ZoomLabel");
    return label ? label->text().toStdString() : "(kein Zoomfeld)";
  }
  void SetZoom(double zoom) {
    DiagramZoom* z = Zoomer();
    ASSERT_NE(nullptr, z);
    z->SetZoom(zoom);
    ASSERT_DOUBLE_EQ(zoom, View()->Zoom());
  }
  // Where the view shows a diagram pixel (its middle).
  QPointF At(TPoint p) {
    const double z = View()->Zoom();
    return {(p.X + 0.5) * z, (p.Y + 0.5) * z};
  }
  // Real mouse events on the surface widget, at view positions.
  void Send(QEvent::Type type, QPointF at, Qt::MouseButton button) {
    QMouseEvent e(type, at, View()->mapToGlobal(at), button, button, Qt::NoModifier);
    QApplication::sendEvent(View(), &e);
  }
  void MouseMove(TPoint p) { Send(QEvent::MouseMove, At(p), Qt::NoButton); }
  void MouseClick(TPoint p, Qt::MouseButton button = Qt::LeftButton) {
    Send(QEvent::MouseMove, At(p), Qt::NoButton);
    Send(QEvent::MouseButtonPress, At(p), button);
    Send(QEvent::MouseButtonRelease, At(p), button);
  }
  void MouseDrag(TPoint from, TPoint to) {
    Send(QEvent::MouseMove, At(from), Qt::NoButton);
    Send(QEvent::MouseButtonPress, At(from), Qt::LeftButton);
    Send(QEvent::MouseMove, At(to), Qt::LeftButton);
    Send(QEvent::MouseButtonRelease, At(to), Qt::LeftButton);
  }
  bool Hand() { return w->SurfaceCursor() == Qt::PointingHandCursor; }
  // The view as it appears on the screen.
  QImage Shown() { return View()->grab().toImage().convertToFormat(QImage::Format_RGB32); }
  static bool Dark(QRgb c) { return qGray(c) < 100; }
  static bool White(QRgb c) { return (c & 0xFFFFFF) == 0xFFFFFF; }
};

const double kZooms[] = {0.5, 1.0, 2.0};

TEST_F(Zoom, DragsAndHitTestsWorkInDiagramPixelsAtEveryZoom) {
  TUMLDrawClass* a = Box("A", 60, 60);
  TUMLDrawClass* b = Box("B", 300, 220);
  for (double z : kZooms) {
    SCOPED_TRACE(z);
    SetZoom(z);
    const TPoint grab = Inside(b);
    const int left = b->Left, top = b->Top;
    MouseDrag(grab, {grab.X + 40, grab.Y + 24});
    EXPECT_EQ(left + 40, b->Left);
    EXPECT_EQ(top + 24, b->Top);
    EXPECT_EQ(EditMode::Idle, w->Mode);

    popupTitles.clear();
    MouseClick(Inside(b), Qt::RightButton);
    MouseClick({250, 40}, Qt::RightButton);
    EXPECT_EQ((Names{"     Klasse: ----> B", "Klasse"}), popupTitles);
    EXPECT_EQ(b, Doc().CurrentBox);

    // Border points answer within 4 diagram pixels, not 4 view pixels.
    Trigger("Vererbung");
    const TPoint p = Pt(a, 6);
    MouseMove({p.X + 3, p.Y});
    EXPECT_TRUE(Hand());
    MouseMove({p.X, p.Y - 4});
    EXPECT_FALSE(Hand());
    w->FormKeyDown(Qt::Key_Escape);

    // The rubber band takes the boxes it encloses in diagram pixels.
    MouseDrag({20, 20}, {b->Right + 5, b->Bottom + 5});
    EXPECT_EQ(2, Doc().Selection.Count());
    EXPECT_EQ(EditMode::SelectionShown, w->Mode);
    MouseClick({b->Right + 30, 30});
    EXPECT_EQ(0, Doc().Selection.Count());
  }
}

TEST_F(Zoom, AnIstDrawnAtHalfSizeConnectsTheClickedBorderPoints) {
  TUMLDrawClass* a = Box("A", 60, 60);
  TUMLDrawClass* b = Box("B", 300, 220);
  SetZoom(0.5);
  Answer<TChooseLineForm>([](TChooseLineForm& f) { f.LongDash = false; });
  MouseClick(Inside(a));
  Trigger("Vererbung");
  const TPoint first = Pt(a, 30), second = Pt(b, 6);
  MouseClick(first);
  ASSERT_EQ(EditMode::PickSecondPoint, w->Mode);
  MouseClick(second);
  ASSERT_EQ(1, Doc().Connections.Count());
  const TConnection* c = Doc().Connections.At(0);
  ASSERT_NE(nullptr, c);
  // The points a click there hits at 100 % (the first of the points within reach).
  EXPECT_EQ(a, c->StartBox);
  EXPECT_EQ(a->BorderPointAt(first.X, first.Y), c->StartPoint);
  EXPECT_EQ(b, c->EndBox);
  EXPECT_EQ(b->BorderPointAt(second.X, second.Y), c->EndPoint);
  EXPECT_EQ(b->UMLClass, a->UMLClass->Parent);
}

TEST_F(Zoom, ContextMenusOpenWhereTheMouseIsOnTheScreen) {
  TUMLDrawClass* box = Box("TAuto", 120, 90);
  dialogs.screenWidth = dialogs.screenHeight = 100000;  // no clamping at the screen's edges
  QPoint shownAt;
  w->ShowContextMenu = [&](QMenu*, TPoint at) { shownAt = QPoint(at.X, at.Y); };
  form->move(300, 300);
  for (double z : kZooms) {
    SetZoom(z);
    w->ScrollBox1->horizontalScrollBar()->setValue(0);
    w->ScrollBox1->verticalScrollBar()->setValue(0);
    const TPoint p = Inside(box);
    MouseClick(p, Qt::RightButton);
    const QPoint mouse = View()->mapToGlobal(At(p).toPoint());
    ASSERT_GT(mouse.x(), 10);
    ASSERT_GT(mouse.y(), 10);
    EXPECT_LE((shownAt - mouse).manhattanLength(), 2) << "zoom " << z;
    EXPECT_EQ(p, w->ClickPos) << "zoom " << z;
  }
}

TEST_F(Zoom, ZoomingChangesNeitherTheDiagramNorItsPicture) {
  TUMLDrawClass* a = Box("TAuto", 60, 60);
  TUMLDrawClass* b = Box("TRad", 300, 200);
  Doc().AddConnection(a, 14, b, 38, TConnectionKind::Kennt);
  const QImage before = w->Pictures().Picture();
  w->Redraw();
  Doc().Saved = true;
  // The diagram's part of the window's picture (which grows with the visible area).
  auto shown = [this] {
    return View()->Picture().copy(0, 0, Doc().Surface.Width, Doc().Surface.Height);
  };
  const QImage shownBefore = shown();
  const std::string dump = Dump(w);
  for (double z : {2.0, 0.25, 4.0, 1.5}) {
    SetZoom(z);
    EXPECT_EQ(dump, Dump(w)) << "zoom " << z;
    EXPECT_TRUE(Doc().Saved) << "zoom " << z;
    EXPECT_TRUE(shown() == shownBefore) << "the 1:1 picture at zoom " << z;
  }
  EXPECT_TRUE(w->Pictures().Picture() == before) << "clipboard, files and printer get the same picture";
  SetZoom(1.0);
  w->Redraw();
  EXPECT_TRUE(shown() == shownBefore);
}

TEST_F(Zoom, TheViewIsDrawnAtTheZoomsResolution) {
  TUMLDrawClass* box = Box("TAuto", 60, 60);
  const int bitmapWidth = Doc().Surface.BitmapWidth();
  SetZoom(2.0);
  EXPECT_DOUBLE_EQ(2.0 * View()->devicePixelRatioF(), View()->DrawingScale());
  EXPECT_GE(View()->width(), 2 * bitmapWidth);
  const QImage shown = Shown();
  ASSERT_FALSE(shown.isNull());
  // The top frame line is two view pixels thick, and the box below it white.
  const int x = 2 * box->Left + 4, y = 2 * box->Top;
  ASSERT_LT(y + 3, shown.height());
  EXPECT_TRUE(Dark(shown.pixel(x, y)));
  EXPECT_TRUE(Dark(shown.pixel(x, y + 1)));
  EXPECT_TRUE(White(shown.pixel(x, y + 2)));
  EXPECT_TRUE(White(shown.pixel(x, y - 1)));
  // Back at 100 % the view shows the raster picture again, pixel for pixel.
  SetZoom(1.0);
  EXPECT_DOUBLE_EQ(View()->devicePixelRatioF(), View()->DrawingScale());
  if (View()->devicePixelRatioF() == 1.0) {
    const QImage plain = Shown();
    const QImage& picture = View()->Picture();
    ASSERT_GE(plain.width(), picture.width());
    EXPECT_TRUE(plain.copy(picture.rect()) == picture.convertToFormat(QImage::Format_RGB32));
  }
}

TEST_F(Zoom, TheRubberBandIsSeenAndErasedWhenZoomed) {
  Box("TAuto", 60, 60);
  SetZoom(2.0);
  const TPoint start{250, 250};
  Send(QEvent::MouseMove, At(start), Qt::NoButton);
  Send(QEvent::MouseButtonPress, At(start), Qt::LeftButton);
  Send(QEvent::MouseMove, At({320, 300}), Qt::LeftButton);
  ASSERT_EQ(EditMode::RubberBand, w->Mode);
  QImage shown = Shown();
  // The band covers [250, 320) x [250, 300): its bottom edge is row 299.
  const QPoint bottomEdge = At({290, 299}).toPoint();
  ASSERT_TRUE(shown.rect().contains(bottomEdge));
  EXPECT_FALSE(White(shown.pixel(bottomEdge))) << "the band is seen";
  Send(QEvent::MouseMove, At({340, 330}), Qt::LeftButton);
  shown = Shown();
  EXPECT_TRUE(White(shown.pixel(bottomEdge))) << "its old edge is gone";
  EXPECT_FALSE(White(shown.pixel(At({290, 329}).toPoint()))) << "its new edge is there";
  Send(QEvent::MouseButtonRelease, At({340, 330}), Qt::LeftButton);
  EXPECT_EQ(EditMode::Idle, w->Mode);
}

TEST_F(Zoom, KeysMenuAndFitShowTheFactorInTheStatusLine) {
  // The items' places and keys are in the menu record; here the keys are pressed.
  EXPECT_EQ("Zoom: 100 %", StatusFactor());
  w->FocusSurface();
  QApplication::processEvents();
  QWidget* focus = QApplication::focusWidget();
  ASSERT_NE(nullptr, focus);
  QTest::keyClick(focus, Qt::Key_Plus, Qt::ControlModifier);
  EXPECT_EQ("Zoom: 125 %", StatusFactor());
  QTest::keyClick(focus, Qt::Key_Minus, Qt::ControlModifier);
  QTest::keyClick(focus, Qt::Key_Minus, Qt::ControlModifier);
  EXPECT_EQ("Zoom: 75 %", StatusFactor());
  QTest::keyClick(focus, Qt::Key_0, Qt::ControlModifier);
  EXPECT_EQ("Zoom: 100 %", StatusFactor());

  for (int i = 0; i < 20; ++i) Trigger("Vergroessern");
  EXPECT_EQ("Zoom: 400 %", StatusFactor());
  for (int i = 0; i < 20; ++i) Trigger("Verkleinern");
  EXPECT_EQ("Zoom: 25 %", StatusFactor());

  // A diagram larger than the window is made to fit into it.
  Box("TFern", 1400, 1100);
  Trigger("AnFensterAnpassen");
  const double z = View()->Zoom();
  EXPECT_LT(z, 1.0);
  const QSize room = w->ScrollBox1->maximumViewportSize();
  EXPECT_LE(Doc().Surface.Width * z, room.width());
  EXPECT_LE(Doc().Surface.Height * z, room.height());
  EXPECT_TRUE(Doc().Surface.Width * (z + 0.02) > room.width() ||
              Doc().Surface.Height * (z + 0.02) > room.height())
      << "as large as it fits";
  EXPECT_EQ(DiagramZoom::ZoomText(z).toStdString(), StatusFactor());
}

TEST_F(Zoom, TheWheelWithStrgZoomsAroundTheMouse) {
  Box("TAuto", 400, 300);
  w->resize(500, 400);
  SetZoom(2.0);
  QApplication::processEvents();
  QWidget* viewport = w->ScrollBox1->viewport();
  w->ScrollBox1->horizontalScrollBar()->setValue(300);
  w->ScrollBox1->verticalScrollBar()->setValue(200);
  const TPoint target{420, 310};
  const QPoint before = View()->mapTo(viewport, At(target).toPoint());
  auto wheel = [&](Qt::KeyboardModifiers modifiers) {
    const QPointF at = At(target);
    QWheelEvent e(at, View()->mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton, modifiers,
                  Qt::NoScrollPhase, false);
    QApplication::sendEvent(View(), &e);
  };
  wheel(Qt::ControlModifier);
  EXPECT_DOUBLE_EQ(2.5, View()->Zoom());
  EXPECT_EQ("Zoom: 250 %", StatusFactor());
  const QPoint after = View()->mapTo(viewport, At(target).toPoint());
  EXPECT_LE((after - before).manhattanLength(), 3) << "the point under the mouse stays";
  wheel(Qt::NoModifier);
  EXPECT_DOUBLE_EQ(2.5, View()->Zoom()) << "the plain wheel scrolls";
}

}  // namespace
}  // namespace zedro
