#include "diagram/Redraw.h"

#include <algorithm>

#include "diagram/Canvas.h"
#include "diagram/DiagramDocument.h"
#include "diagram/MemberColours.h"
#include "model/Messages.h"

namespace zedro {
namespace {

// The size the surface needs for content reaching to (maxRight, maxBottom): unchanged
// while it fits, else the extent plus the margin, never more than the limit.
void Grow(int& width, int& height, long long maxRight, long long maxBottom) {
  auto grown = [](long long extent) {
    return static_cast<int>(std::min<long long>(extent + kSurfaceMargin, kMaxSurfaceExtent));
  };
  if (width < maxRight) {
    width = std::max(width, grown(maxRight));
    if (height < maxBottom) height = std::max(height, grown(maxBottom));
  } else if (height < maxBottom) {
    height = std::max(height, grown(maxBottom));
  }
}

// Passes every drawing call on to another canvas and remembers how far right and down the
// drawing reached. Connections keep no extent of their own: their routes, heads and end
// texts are measured this way while they are painted.
class ExtentCanvas : public Canvas {
 public:
  explicit ExtentCanvas(Canvas& inner) : inner_(inner) { TakeStateOf(inner); }
  // Leaves the other canvas in the state this one is in.
  void Finish() {
    Sync();
    inner_.MoveTo(penPos_.X, penPos_.Y);
  }
  long long Right() const { return right_; }
  long long Bottom() const { return bottom_; }

  void Rectangle(int x1, int y1, int x2, int y2) override {
    Sync();
    inner_.Rectangle(x1, y1, x2, y2);
    Extend(std::max(x1, x2), std::max(y1, y2));
  }
  void Ellipse(int x1, int y1, int x2, int y2) override {
    Sync();
    inner_.Ellipse(x1, y1, x2, y2);
    Extend(std::max(x1, x2), std::max(y1, y2));
  }
  int TextWidth(const std::string& text) override { return inner_.TextWidth(text); }
  int TextHeight(const std::string& text) override { return inner_.TextHeight(text); }
  int Width() const override { return inner_.Width(); }
  int Height() const override { return inner_.Height(); }
  void Resize(int width, int height) override { inner_.Resize(width, height); }

 protected:
  void DrawLine(int x1, int y1, int x2, int y2) override {
    Sync();
    inner_.MoveTo(x1, y1);
    inner_.LineTo(x2, y2);
    // A wide pen reaches past the line's end points.
    Extend(std::max(x1, x2) + penWidth_, std::max(y1, y2) + penWidth_);
  }
  int DrawText(int x, int y, const std::string& text) override {
    Sync();
    inner_.TextOut(x, y, text);
    const int width = inner_.PenPos().X - x;
    if (!text.empty()) Extend(x + width, y + inner_.TextHeight(text));
    return width;
  }
  void FontChanged() override { inner_.SetFont(font_); }

 private:
  void Sync() {
    inner_.SetPenColor(penColor_);
    inner_.SetPenWidth(penWidth_);
    inner_.SetPenMode(penMode_);
    inner_.SetPenStyle(penStyle_);
    inner_.SetBrushColor(brushColor_);
    inner_.SetBrushStyle(brushStyle_);
  }
  void Extend(long long right, long long bottom) {
    right_ = std::max(right_, right);
    bottom_ = std::max(bottom_, bottom);
  }
  Canvas& inner_;
  long long right_ = 0;
  long long bottom_ = 0;
};

// How far right and down the drawing reaches.
struct Extent {
  long long right = 0;
  long long bottom = 0;
  void Include(long long r, long long b) {
    right = std::max(right, r);
    bottom = std::max(bottom, b);
  }
};

void ClearSurface(DiagramDocument& doc, Canvas& c) {
  const int bitmapWidth = doc.Surface.BitmapWidth(), bitmapHeight = doc.Surface.BitmapHeight();
  if (c.Width() != bitmapWidth || c.Height() != bitmapHeight) c.Resize(bitmapWidth, bitmapHeight);
  c.SetFont(doc.ClassOptions.Font);
  c.SetBrushColor(kClWhite);
  c.SetBrushStyle(BrushStyle::Solid);
  c.SetPenColor(kClWhite);
  c.SetPenMode(PenMode::Copy);
  c.SetPenStyle(PenStyle::Solid);
  c.SetPenWidth(1);
  c.Rectangle(0, 0, bitmapWidth, bitmapHeight);
  c.SetPenColor(kClBlack);
}

void PaintBoxes(DiagramDocument& doc, Extent& extent) {
  DrawingSurface& surface = doc.Surface;
  // Painting changes no connection: the member colours are gathered once for all boxes.
  const MemberColourIndex colours(doc.Connections);
  surface.memberColours = &colours;
  for (TUMLDrawClass* box : doc.DrawClasses.Items) {
    box->Image = &surface;
    box->Paint();
    extent.Include(box->Right, box->Bottom);
  }
  surface.memberColours = nullptr;
}

// Paints the connections through an ExtentCanvas and widens the extent by what they drew.
void PaintConnections(DiagramDocument& doc, Canvas& c, Extent& extent) {
  DrawingSurface& surface = doc.Surface;
  ExtentCanvas measured(c);
  surface.canvas = &measured;
  for (TConnection* conn : doc.Connections.Items) {
    if (conn->Kind == TConnectionKind::Ist && conn->StartBox && conn->EndBox &&
        conn->StartBox->UMLClass)
      conn->StartBox->UMLClass->Parent = conn->EndBox->UMLClass;
    conn->Image = &surface;
    conn->Paint();
    extent.Include(conn->TextBox->Right, conn->TextBox->Bottom);
  }
  surface.canvas = &c;
  measured.Finish();
  extent.Include(measured.Right(), measured.Bottom());
}

void PaintNotes(DiagramDocument& doc, Extent& extent) {
  for (TInfoBox* note : doc.InfoBoxes.Items) {
    // Notes stay inside the left and top edges, as boxes do.
    note->Left = std::max(note->Left, kMinElementLeft);
    note->Top = std::max(note->Top, kMinElementTop);
    note->PaintUnframed();
    extent.Include(note->Right, note->Bottom);
  }
}

// The current box's border points in black, the selected boxes' in blue and the selection
// rectangle (unless the surface has just grown).
void DrawMarkers(DiagramDocument& doc, Canvas& c, CurrentBoxMark mark, bool grew) {
  // Boxes are marked only while they are in the diagram's list.
  if (!doc.DrawClasses.Items.empty() && mark == CurrentBoxMark::Shown && doc.CurrentBox &&
      doc.DrawClasses.Contains(doc.CurrentBox))
    doc.CurrentBox->DrawBorderPoints(kClBlack, 2);
  if (doc.Selection.Items.empty()) return;
  for (TUMLDrawClass* box : doc.Selection.Items)
    if (doc.DrawClasses.Contains(box)) box->DrawBorderPoints(kClBlue, 2);
  if (!grew) {
    c.SetPenMode(PenMode::NotXor);
    c.SetPenColor(kClGray);
    c.SetBrushStyle(BrushStyle::Clear);
    const TRect& r = doc.SelectionRect;
    c.Rectangle(r.Left, r.Top, r.Right, r.Bottom);
  }
  c.SetPenMode(PenMode::Copy);
  c.SetPenColor(kClBlack);
  c.SetBrushStyle(BrushStyle::Solid);
}

enum class Growth { Allowed, Done };

bool RedrawPass(DiagramDocument& doc, CurrentBoxMark mark, IMessages* status, Growth growth) {
  doc.Saved = false;
  DrawingSurface& surface = doc.Surface;
  Canvas* c = surface.canvas;
  if (!c) return false;
  // The bitmap also covers the window's visible area; the diagram is Width x Height.
  ClearSurface(doc, *c);
  Extent extent;
  PaintBoxes(doc, extent);
  PaintConnections(doc, *c, extent);
  PaintNotes(doc, extent);

  bool grew = false;
  if (growth == Growth::Allowed) {
    int width = surface.Width, height = surface.Height;
    Grow(width, height, extent.right, extent.bottom);
    if (width != surface.Width || height != surface.Height) {
      surface.Width = width;
      surface.Height = height;
      // The grown surface holds everything: the repaint cannot grow it again.
      RedrawPass(doc, CurrentBoxMark::Hidden, status, Growth::Done);
      grew = true;
    }
  }
  DrawMarkers(doc, *c, mark, grew);
  if (status) status->Status("Verzeichnis: " + doc.ProjectDir);
  return grew;
}

}  // namespace

bool Redraw(DiagramDocument& doc, CurrentBoxMark mark, IMessages* status) {
  return RedrawPass(doc, mark, status, Growth::Allowed);
}

}  // namespace zedro
