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

bool RedrawPass(DiagramDocument& doc, bool markCurrent, IMessages* status, bool mayGrow) {
  doc.Saved = false;
  DrawingSurface& surface = doc.Surface;
  Canvas* c = surface.canvas;
  if (!c) return false;
  if (c->Width() != surface.Width || c->Height() != surface.Height)
    c->Resize(surface.Width, surface.Height);

  c->SetFont(doc.ClassOptions.Font);
  c->SetBrushColor(kClWhite);
  c->SetBrushStyle(BrushStyle::Solid);
  c->SetPenColor(kClWhite);
  c->SetPenMode(PenMode::Copy);
  c->SetPenStyle(PenStyle::Solid);
  c->SetPenWidth(1);
  c->Rectangle(0, 0, surface.Width, surface.Height);
  c->SetPenColor(kClBlack);

  long long maxRight = 0, maxBottom = 0;
  {
    // Painting changes no connection: the member colours are gathered once for all boxes.
    const MemberColourIndex colours(doc.Connections);
    surface.memberColours = &colours;
    for (TUMLDrawClass* box : doc.DrawClasses.Items) {
      box->Image = &surface;
      box->Paint();
      maxRight = std::max<long long>(maxRight, box->Right);
      maxBottom = std::max<long long>(maxBottom, box->Bottom);
    }
    surface.memberColours = nullptr;
  }
  for (TConnection* conn : doc.Connections.Items) {
    if (conn->Kind == kIst && conn->StartBox && conn->EndBox && conn->StartBox->UMLClass)
      conn->StartBox->UMLClass->Parent = conn->EndBox->UMLClass;
    conn->Image = &surface;
    conn->Paint(false);
    maxRight = std::max<long long>(maxRight, conn->TextBox->Right);
    maxBottom = std::max<long long>(maxBottom, conn->TextBox->Bottom);
  }
  for (TInfoBox* note : doc.InfoBoxes.Items) {
    note->Paint(false);
    maxRight = std::max<long long>(maxRight, note->Right);
    maxBottom = std::max<long long>(maxBottom, note->Bottom);
  }

  bool grew = false;
  if (mayGrow) {
    int width = surface.Width, height = surface.Height;
    Grow(width, height, maxRight, maxBottom);
    if (width != surface.Width || height != surface.Height) {
      surface.Width = width;
      surface.Height = height;
      c->Resize(width, height);
      // The grown surface holds everything: the repaint cannot grow it again.
      RedrawPass(doc, false, status, false);
      grew = true;
    }
  }

  // Markers. Boxes are marked only while they are in the diagram's list.
  if (!doc.DrawClasses.Items.empty() && markCurrent && doc.CurrentBox &&
      doc.DrawClasses.Contains(doc.CurrentBox))
    doc.CurrentBox->DrawBorderPoints(kClBlack, 2);
  if (status) status->Status("Verzeichnis: " + doc.ProjectDir);
  if (!doc.Selection.Items.empty()) {
    for (TUMLDrawClass* box : doc.Selection.Items)
      if (doc.DrawClasses.Contains(box)) box->DrawBorderPoints(kClBlue, 2);
    if (!grew) {
      c->SetPenMode(PenMode::NotXor);
      c->SetPenColor(kClGray);
      c->SetBrushStyle(BrushStyle::Clear);
      const TRect& r = doc.SelectionRect;
      c->Rectangle(r.Left, r.Top, r.Right, r.Bottom);
    }
    c->SetPenMode(PenMode::Copy);
    c->SetPenColor(kClBlack);
    c->SetBrushStyle(BrushStyle::Solid);
  }
  return grew;
}

}  // namespace

bool Redraw(DiagramDocument& doc, bool markCurrent, IMessages* status) {
  return RedrawPass(doc, markCurrent, status, true);
}

}  // namespace zedro
