// The interaction state machine of the drawing surface. Mouse events enter through
// ConnectSurfaceMouse in diagram coordinates (the surface view converts its pixels at the
// window's zoom); ScreenPointOf is the way back. Mouse down dispatches on Mode: picking border
// points for a new connection, re-attaching a connection end, deleting connections by their
// ends, or hit-testing connection ends and texts, boxes and info boxes (in this order) to
// start a drag or prepare a context menu. Mouse move drags and sets the cursor; mouse up
// ends drags and the rubber band.
#include <QAction>
#include <QCursor>
#include <QMenu>
#include <QScrollArea>
#include <QScrollBar>
#include <utility>

#include "editor/ConnectionPicking.h"
#include "editor/DialogService.h"
#include "editor/MessageCommands.h"
#include "editor/QtText.h"
#include "editor/RelationshipCommands.h"
#include "editor/SurfaceView.h"
#include "editor/TFChild.h"
#include "editor/TMainForm.h"
#include "model/Win1252.h"

namespace zedro {
namespace {

// An IST relationship draws no text box, so its box is never a target.
bool HasTextTarget(const TConnection& c) { return c.Kind != TConnectionKind::Ist; }

bool StrictlyInside(const TRect& r, int x, int y) {
  return r.Left < x && x < r.Right && r.Top < y && y < r.Bottom;
}

// Draws the rectangle in not-xor grey, so that drawing it again erases it.
void DrawXorFrame(Canvas& c, const TRect& r) {
  c.SetPenMode(PenMode::NotXor);
  c.SetPenColor(kClGray);
  c.SetBrushStyle(BrushStyle::Clear);
  c.Rectangle(r.Left, r.Top, r.Right, r.Bottom);
}

}  // namespace

// ---- where the mouse comes in ----------------------------------------------------------

// The surface view hands its mouse positions on in diagram pixels, at every zoom.
void TFChild::ConnectSurfaceMouse() {
  ImClassDiagramm->onMouseDown = [this](int button, int x, int y) {
    ImClassDiagrammMouseDown(button, x, y);
  };
  ImClassDiagramm->onMouseMove = [this](int x, int y) { ImClassDiagrammMouseMove(x, y); };
  ImClassDiagramm->onMouseUp = [this](int button, int x, int y) {
    ImClassDiagrammMouseUp(button, x, y);
  };
}

// The surface view maps between its pixels and the diagram's at the window's zoom.
TPoint TFChild::DiagramPointOf(const QPoint& viewPoint) const {
  const QPoint p = ImClassDiagramm->ToDiagram(QPointF(viewPoint));
  return {p.x(), p.y()};
}

QPoint TFChild::ScreenPointOf(TPoint diagramPoint) const {
  return ImClassDiagramm->ToScreen(diagramPoint.X, diagramPoint.Y);
}

void TFChild::ScrollTo(TPoint diagramPoint) {
  const QPoint at = ImClassDiagramm->ToView(diagramPoint.X, diagramPoint.Y);
  ScrollBox1->horizontalScrollBar()->setValue(at.x());
  ScrollBox1->verticalScrollBar()->setValue(at.y());
}

int TFChild::SurfaceCursor() const { return static_cast<int>(ImClassDiagramm->cursor().shape()); }

// ---- mouse down ------------------------------------------------------------------------

void TFChild::ImClassDiagrammMouseDown(int button, int x, int y) {
  switch (Mode) {
    case EditMode::PickFirstPoint:
      PickFirstBorderPoint(x, y);
      return;
    case EditMode::PickFirstPointOnCurrent:
      PickFirstBorderPointOnCurrent(x, y);
      return;
    case EditMode::PickSecondPoint:
      PickSecondBorderPoint(x, y);
      return;
    case EditMode::SelectionShown:
      ClickOnSelection(x, y);
      return;
    case EditMode::MoveStartEnd:
    case EditMode::MoveTargetEnd:
      ReattachConnectionEnd(button, x, y);
      return;
    case EditMode::DeleteConnection:
      DeleteConnectionsAt(x, y);
      return;
    default:
      HitTest(button, x, y);
      return;
  }
}

void TFChild::PickFirstBorderPoint(int x, int y) { PickFirstBorderPointOn(x, y, nullptr); }

void TFChild::PickFirstBorderPointOnCurrent(int x, int y) {
  PickFirstBorderPointOn(x, y, Doc().CurrentBox);
}

void TFChild::PickFirstBorderPointOn(int x, int y, const TUMLDrawClass* only) {
  DiagramDocument& d = Doc();
  int index = -1, point = -1;
  for (int i = 0; i < d.DrawClasses.Count(); ++i) {
    TUMLDrawClass* box = d.DrawClasses.At(i);
    if (only && box != only) continue;
    point = box->BorderPointAt(x, y);
    if (point > 0) {
      index = i;
      break;
    }
  }
  if (index < 0) return;
  FirstBoxIndex = index;
  FirstBorderPoint = point;
  Mode = EditMode::PickSecondPoint;
  RedrawUnmarked();
  SetStatus(SecondPointPrompt());
  picking::MarkBorderPoints(*this, kClRed, d.DrawClasses.At(index));
}

std::string TFChild::SecondPointPrompt() const {
  using picking::IsTicked;
  if (IsTicked(*this, "Vererbung"))
    return W("WAS ist diese Klasse: Bitte Randpunkt der Vorgängerlasse mit Handsymbol anklicken");
  if (IsTicked(*this, "Aggregation"))
    return "Was BESITZT ein Objekt: Bitte Randpunkt der entsprechenden Klasse mit Handsymbol "
           "anklicken";
  if (IsTicked(*this, "Assoziation"))
    return "Was KENNT ein Objekt: Bitte Randpunkt der entsprechenden Klasse mit Handsymbol "
           "anklicken";
  if (IsTicked(*this, "Auftrag"))
    return "AUFTRAG: Bitte Randpunkt des beauftragten Objektes mit Handsymbol anklicken";
  if (IsTicked(*this, "Anfrage"))
    return "ANFRAGE: Bitte Randpunkt des befragten Objektes mit Handsymbol anklicken";
  return "Bitte Randpunkt der zweiten Klasse mit Handsymbol anklicken";
}

void TFChild::PickSecondBorderPoint(int x, int y) {
  DiagramDocument& d = Doc();
  int index = -1, point = -1;
  for (int i = 0; i < d.DrawClasses.Count(); ++i) {
    point = d.DrawClasses.At(i)->BorderPointAt(x, y);
    if (point > 0) {
      index = i;
      break;
    }
  }
  if (index < 0) return;
  const TConnectionKind kind = picking::TickedKind(*this);
  // The command was withdrawn, or the first box went away, since the first pick.
  if (kind == TConnectionKind::ClassInfo || FirstBoxIndex < 0 ||
      FirstBoxIndex >= d.DrawClasses.Count()) {
    Mode = EditMode::Idle;
    FirstBoxIndex = -1;
    ClearStatus();
    Redraw();
    return;
  }
  SecondBoxIndex = index;
  SecondBorderPoint = point;
  TConnection* c =
      TConnection::Create(d.DrawClasses.At(FirstBoxIndex), d.DrawClasses.At(SecondBoxIndex),
                          FirstBorderPoint, SecondBorderPoint, kind, &d.DrawClasses, &d.Surface);
  NewConnection = c;
  d.Connections.Add(c);
  SelectedConnection = c;
  c->PaintCreating();
  if (kind == TConnectionKind::Hat || kind == TConnectionKind::Kennt)
    Relationships().AttributwaehlenClick();
  else if (IsMessage(kind))
    Messages().MethodewaehlenClick();
  picking::Untick(*this, {"Vererbung", "Aggregation", "Assoziation", "Auftrag", "Anfrage",
                          "deleteConnection", "BotschaftLoeschen"});
  Mode = EditMode::Idle;
  FirstBoxIndex = -1;
  ClearStatus();
  MainForm().ShowClassInInspector(d.CurrentClass);
  Redraw();
}

void TFChild::ClickOnSelection(int x, int y) {
  DiagramDocument& d = Doc();
  if (StrictlyInside(d.SelectionRect, x, y)) {
    Mode = EditMode::MoveSelection;
    DragLast = {x, y};
    SetStatus(W("Auswahl nun bei gedrückter Maus bewegen"));
  } else {
    Mode = EditMode::Idle;
    d.Selection.Clear();
    Redraw();
    SetStatus("Auswahl der Klassen wurde aufgehoben");
  }
}

void TFChild::ReattachConnectionEnd(int button, int x, int y) {
  if (button != Qt::LeftButton) return;
  DiagramDocument& d = Doc();
  // The connection or its box may have gone meanwhile: then there is nothing to re-attach.
  if (!picking::IsListed(*this, SelectedConnection) || !ReattachBox ||
      !d.DrawClasses.Contains(ReattachBox)) {
    Mode = EditMode::Idle;
    ClearStatus();
    Redraw();
    return;
  }
  const int point = ReattachBox->BorderPointAt(x, y);
  if (point <= 0) return;
  SecondBorderPoint = point;
  if (Mode == EditMode::MoveStartEnd)
    SelectedConnection->StartPoint = point;
  else
    SelectedConnection->EndPoint = point;
  SelectedConnection->Paint();
  Mode = EditMode::Idle;
  ClearStatus();
  Redraw();
}

bool TFChild::Deletable(const TConnection& c) const {
  return IsMessage(c.Kind) ? picking::IsTicked(*this, "BotschaftLoeschen")
                           : picking::IsTicked(*this, "deleteConnection");
}

void TFChild::DeleteConnectionsAt(int x, int y) {
  DiagramDocument& d = Doc();
  // Every connection that ends at the point and may be deleted now is offered in turn.
  int i = 0;
  while (i < d.Connections.Count()) {
    TConnection* c = d.Connections.At(i);
    if (!c->NearEitherEnd(x, y)) {
      ++i;
      continue;
    }
    SelectedConnection = c;
    if (!Deletable(*c)) {
      ++i;
      continue;
    }
    picking::MarkRed(*this, *c);
    if (Dialogs().MessageAt(MsgKind::Confirmation, picking::DeleteQuestion(c->Kind),
                            MsgButtons::YesNo, PopupPos.X, PopupPos.Y) == MsgResult::Yes)
      picking::RemoveConnection(*this, c);  // the next one moves up to i
    else
      ++i;
  }
  ClearStatus();
  picking::Untick(*this, {"deleteConnection", "BotschaftLoeschen"});
  Mode = EditMode::Idle;
  Redraw();
}

void TFChild::HitTest(int button, int x, int y) {
  DiagramDocument& d = Doc();
  for (TConnection* c : d.Connections.Items) {
    if (c->NearEitherEnd(x, y)) {
      Mode = EditMode::ConnectionEndHit;
      SelectedConnection = c;
      OnConnectionEnd(button, x, y);
      return;
    }
    if (HasTextTarget(*c) && c->TextBox->ContainsPoint(x, y)) {
      SelectedConnection = c;
      DraggedBox = c->TextBox;
      Mode = EditMode::ConnectionTextHit;
      OnConnectionText(button, x, y);
      return;
    }
  }
  for (int i = d.DrawClasses.Count() - 1; i >= 0; --i) {
    TUMLDrawClass* box = d.DrawClasses.At(i);
    if (box->ContainsPoint(x, y)) {
      d.CurrentBox = box;
      d.CurrentClass = box->UMLClass;
      MainForm().ShowClassInInspector(d.CurrentClass);
      Mode = EditMode::BoxHit;
      OnBox(button, x, y);
      return;
    }
  }
  for (TInfoBox* info : d.InfoBoxes.Items) {
    if (info->ContainsPoint(x, y)) {
      DraggedBox = info;
      Mode = EditMode::InfoBoxHit;
      OnInfoBox(button, x, y);
      return;
    }
  }
  if (button == Qt::LeftButton) {
    d.SelectionRect = TRect{x, y, x, y};
    Mode = EditMode::RubberBand;
    return;
  }
  Mode = EditMode::EmptyAreaMenu;
  OnEmptyArea(x, y);
}

// The connection menu, prepared for what was clicked, at the mouse.
void TFChild::PopUpConnectionMenu(int x, int y) {
  SetPopupPosition(x, y);
  PopupContextMenu(MyConnectionMenue, PopupPos);
  Mode = EditMode::Idle;
  ClearStatus();
}

void TFChild::OnConnectionEnd(int button, int x, int y) {
  TConnection& c = *SelectedConnection;
  picking::MarkRed(*this, c);
  if (button == Qt::LeftButton) {
    ReattachBox = nullptr;
    if (c.NearStartPoint(x, y)) {
      ReattachBox = c.StartBox;
      Mode = EditMode::MoveStartEnd;
    } else if (c.NearEndPoint(x, y)) {
      ReattachBox = c.EndBox;
      Mode = EditMode::MoveTargetEnd;
    }
    if (ReattachBox) ReattachBox->DrawBorderPoints(kClRed, 2);
    ShowCanvas();
    SetStatus("Klicken Sie einen anderen Randpunkt der Klasse an!");
    return;
  }
  PrepareConnectionMenuForEnd(c);
  PopUpConnectionMenu(x, y);
}

void TFChild::StartDrag(EditMode mode, int x, int y, const std::string& status) {
  Mode = mode;
  ImClassDiagramm->setCursor(Qt::SizeAllCursor);
  DragLast = {x, y};
  SetStatus(status);
}

void TFChild::OnBox(int button, int x, int y) {
  if (button == Qt::LeftButton) {
    StartDrag(EditMode::MoveBox, x, y, W("Klasse ist bei gedrückter Maus verschiebbar"));
    return;
  }
  Mode = EditMode::BoxMenu;
  PrepareClassMenu();
  SetPopupPosition(x, y);
  PopupContextMenu(MyClassMenue, PopupPos);
  Mode = EditMode::Idle;
  Redraw();
  ClearStatus();
}

void TFChild::OnInfoBox(int button, int x, int y) {
  if (button == Qt::LeftButton) {
    StartDrag(EditMode::MoveInfoBox, x, y, W("InfoBox ist bei gedrückter Maus verschiebbar"));
    return;
  }
  // Below the note's top-left corner; this menu leaves PopupPos as it is.
  const QPoint at = ScreenPointOf({DraggedBox->Left, DraggedBox->Top + 50});
  PopupContextMenu(MyInfoBoxMenu, TPoint{at.x(), at.y()});
  Mode = EditMode::Idle;
  Redraw();
  ClearStatus();
}

void TFChild::OnConnectionText(int button, int x, int y) {
  if (button == Qt::LeftButton) {
    StartDrag(EditMode::MoveConnectionText, x, y,
              W("Botschaftstext ist bei gedrückter Maus verschiebbar"));
    return;
  }
  PrepareConnectionMenuForText(*SelectedConnection);
  PopUpConnectionMenu(x, y);
}

void TFChild::OnEmptyArea(int x, int y) {
  SetPopupPosition(x, y);
  PopupContextMenu(MyCreateMenu, PopupPos);
  Mode = EditMode::Idle;
  ClearStatus();
}

// ---- mouse move ------------------------------------------------------------------------

void TFChild::ImClassDiagrammMouseMove(int x, int y) {
  DiagramDocument& d = Doc();
  if (!(0 < x && x < d.Surface.BitmapWidth() && 0 < y && y < d.Surface.BitmapHeight())) {
    ImClassDiagramm->setCursor(Qt::ArrowCursor);
    return;
  }
  Hover hover;
  bool drawn = false;
  const int dx = x - DragLast.X, dy = y - DragLast.Y;
  switch (Mode) {
    case EditMode::Idle:
      hover = HoverWhenIdle(x, y);
      break;
    case EditMode::PickFirstPoint:
    case EditMode::PickSecondPoint:
      hover.overPoint = BorderPointOfAnyBoxAt(x, y);
      break;
    case EditMode::PickFirstPointOnCurrent:
      hover.overPoint = d.CurrentBox && d.CurrentBox->BorderPointAt(x, y) > 0;
      break;
    case EditMode::MoveStartEnd:
    case EditMode::MoveTargetEnd:
      hover.overPoint = ReattachBox && d.DrawClasses.Contains(ReattachBox) &&
                        ReattachBox->BorderPointAt(x, y) > 0;
      break;
    case EditMode::DeleteConnection:
      hover.overPoint = DeletableEndAt(x, y);
      break;
    case EditMode::MoveBox:
      if (d.DrawClasses.Count() == 0) break;
      hover.overElement = true;
      drawn = DragBox(dx, dy);
      DragLast = {x, y};
      break;
    case EditMode::MoveInfoBox:
      hover.overElement = true;
      drawn = DragInfoBox(dx, dy);
      DragLast = {x, y};
      break;
    case EditMode::MoveConnectionText:
      hover.overElement = true;
      drawn = DragConnectionText(dx, dy);
      DragLast = {x, y};
      break;
    case EditMode::SelectionShown:
      hover.overElement = StrictlyInside(d.SelectionRect, x, y);
      break;
    case EditMode::MoveSelection:
      drawn = DragSelection(x, y, dx, dy);
      break;
    case EditMode::RubberBand:
      drawn = StretchRubberBand(x, y);
      break;
    default:
      break;
  }
  if (drawn) ShowCanvas();
  SetHoverCursor(hover);
}

TFChild::Hover TFChild::HoverWhenIdle(int x, int y) const {
  const DiagramDocument& d = Doc();
  Hover hover;
  for (TConnection* c : d.Connections.Items) {
    if (c->NearEitherEnd(x, y)) hover.overPoint = true;
    if (HasTextTarget(*c) && c->TextBox->ContainsPoint(x, y)) hover.overElement = true;
  }
  for (const TUMLDrawClass* box : d.DrawClasses.Items)
    if (box->ContainsPoint(x, y)) hover.overElement = true;
  for (const TInfoBox* info : d.InfoBoxes.Items)
    if (info->ContainsPoint(x, y)) hover.overElement = true;
  return hover;
}

bool TFChild::BorderPointOfAnyBoxAt(int x, int y) const {
  for (const TUMLDrawClass* box : Doc().DrawClasses.Items)
    if (box->BorderPointAt(x, y) > 0) return true;
  return false;
}

bool TFChild::DeletableEndAt(int x, int y) const {
  for (TConnection* c : Doc().Connections.Items)
    if (c->NearEitherEnd(x, y) && Deletable(*c)) return true;
  return false;
}

bool TFChild::DragBox(int dx, int dy) {
  if ((dx == 0 && dy == 0) || !Doc().CurrentBox) return false;
  Doc().CurrentBox->MoveBy(dx, dy);
  return true;
}

bool TFChild::DragInfoBox(int dx, int dy) {
  if ((dx == 0 && dy == 0) || !DraggedBox) return false;
  DraggedBox->MoveBy(dx, dy);
  return true;
}

bool TFChild::DragConnectionText(int dx, int dy) {
  if ((dx == 0 && dy == 0) || !DraggedBox || !SelectedConnection) return false;
  DraggedBox->MoveBy(dx, dy);
  SelectedConnection->TextOffsetX += dx;
  SelectedConnection->TextOffsetY += dy;
  return true;
}

bool TFChild::DragSelection(int x, int y, int dx, int dy) {
  DiagramDocument& d = Doc();
  TRect& r = d.SelectionRect;
  Canvas* c = d.Surface.canvas;
  // The group stops following when its left or top edge would come within 2 pixels; the
  // mouse offset then grows until the mouse comes back.
  if ((dx == 0 && dy == 0) || r.Left + dx <= 2 || r.Top + dy <= 2 || !c) return false;
  DrawXorFrame(*c, r);  // erases the frame drawn before
  for (TUMLDrawClass* box : d.Selection.Items) box->MoveBy(dx, dy);
  r = TRect{r.Left + dx, r.Top + dy, r.Right + dx, r.Bottom + dy};
  DrawXorFrame(*c, r);
  c->SetPenMode(PenMode::Copy);
  c->SetBrushStyle(BrushStyle::Solid);
  DragLast = {x, y};
  return true;
}

bool TFChild::StretchRubberBand(int x, int y) {
  DiagramDocument& d = Doc();
  TRect& r = d.SelectionRect;
  Canvas* c = d.Surface.canvas;
  if ((x == r.Right && y == r.Bottom) || !c) return false;
  DrawXorFrame(*c, r);  // erases the band drawn before
  r.Right = x;
  r.Bottom = y;
  DrawXorFrame(*c, r);
  c->SetPenMode(PenMode::Copy);
  c->SetBrushStyle(BrushStyle::Solid);
  return true;
}

void TFChild::SetHoverCursor(Hover hover) {
  ImClassDiagramm->setCursor(hover.overPoint     ? Qt::PointingHandCursor
                             : hover.overElement ? Qt::SizeAllCursor
                                                 : Qt::ArrowCursor);
}

// ---- mouse up --------------------------------------------------------------------------

void TFChild::ImClassDiagrammMouseUp(int, int, int) {
  switch (Mode) {
    case EditMode::RubberBand:
      EndRubberBand();
      break;
    case EditMode::MoveSelection:
      Redraw();
      SetStatus(W("Auswahl der Klassen durch Klick außerhalb aufheben"));
      Mode = EditMode::SelectionShown;
      break;
    case EditMode::MoveBox:
    case EditMode::MoveInfoBox:
    case EditMode::MoveConnectionText:
      ClearStatus();
      Redraw();
      Mode = EditMode::Idle;
      break;
    default:
      return;
  }
  ImClassDiagramm->setCursor(Qt::ArrowCursor);
}

void TFChild::EndRubberBand() {
  DiagramDocument& d = Doc();
  TRect& r = d.SelectionRect;
  if (r.Left > r.Right) std::swap(r.Left, r.Right);
  if (r.Top > r.Bottom) std::swap(r.Top, r.Bottom);
  // The boxes wholly inside the band.
  d.Selection.Clear();
  for (TUMLDrawClass* box : d.DrawClasses.Items)
    if (r.Left < box->Left && box->Left < r.Right && r.Left < box->Right &&
        box->Right < r.Right && r.Top < box->Top && box->Top < r.Bottom &&
        r.Top < box->Bottom && box->Bottom < r.Bottom)
      d.Selection.Add(box);
  if (Canvas* c = d.Surface.canvas) {
    c->SetPenMode(PenMode::Copy);
    c->SetPenColor(kClBlack);
    c->SetPenStyle(PenStyle::Solid);
    c->SetBrushStyle(BrushStyle::Solid);
  }
  for (TUMLDrawClass* box : d.Selection.Items) box->DrawBorderPoints(kClBlue, 2);
  if (d.Selection.Count() == 0) {
    Mode = EditMode::Idle;
    Redraw();
  } else {
    ShowCanvas();
    SetStatus("Markierten Bereich anklicken und Klassen bewegen");
    Mode = EditMode::SelectionShown;
  }
}

}  // namespace zedro
