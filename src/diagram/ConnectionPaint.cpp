// Drawing of connections: start decoration, end decoration, the route between their outer
// ends and the description text box beside the route; plus the creation dialogs.
#include "diagram/Canvas.h"
#include "diagram/Connection.h"
#include "diagram/ConnectionGeometry.h"
#include "diagram/DiagramDialogs.h"
#include "model/Win1252.h"

namespace zedro {
namespace {

std::string Quoted(const TUMLDrawClass* box) {
  return "\"" + (box && box->UMLClass ? box->UMLClass->Name : std::string()) + "\"";
}
std::string NameOf(const TUMLDrawClass* box) {
  return box && box->UMLClass ? box->UMLClass->Name : std::string();
}

TTextSize SizeOf(Canvas& c, const std::string& text) {
  return {c.TextWidth(text), c.TextHeight(text)};
}

}  // namespace

void TConnection::Paint() { Draw(Pass::Repainting); }

void TConnection::PaintCreating() { Draw(Pass::Creating); }

void TConnection::Draw(Pass pass) {
  UpdateEndPoints();
  Canvas* canvas = Image ? Image->canvas : nullptr;
  if (!canvas || !StartBox || !EndBox) return;
  Canvas& c = *canvas;

  StartSide = StartBox->SideOfBorderPoint(StartPoint);
  EndSide = EndBox->SideOfBorderPoint(EndPoint);
  c.MoveTo(StartX, StartY);
  if (pass == Pass::Creating) {
    AskTexts();
    if (IsRelationship(Kind) || IsMessage(Kind)) Color = DefaultConnectionColor(Kind);
  }
  SetUpPenAndFont(c, pass);

  DrawStartDecoration(c);
  DrawEndDecoration(c);
  if (pass == Pass::Creating) ChooseLineShape();
  Trace(c, RoutePath(Kind, LineShape, {StartX, StartY}, {EndX, EndY}));
  if (HasTextBox(Kind)) PlaceAndPaintTextBox(c);

  c.SetPenColor(kClBlack);
  c.SetPenWidth(1);
  c.SetFontColor(kClBlack);
}

void TConnection::SetUpPenAndFont(Canvas& c, Pass pass) {
  CoOptions->Font.Color = Color;
  // A message is drawn 2 pixels wide, except in the paint that creates it.
  if (IsMessage(Kind) && pass == Pass::Repainting) c.SetPenWidth(2);
  c.SetFont(CoOptions->Font);
  c.SetPenColor(Color);
  c.SetPenMode(PenMode::Copy);
  c.SetBrushStyle(BrushStyle::Clear);
}

void TConnection::DrawStartDecoration(Canvas& c) {
  const TStartDecoration d = StartDecoration(Kind, StartSide, {StartX, StartY},
                                             c.FontPixelHeight(), SizeOf(c, StartText), EndY);
  Trace(c, d.Path);
  if (d.HasText) c.TextOut(d.TextAt.X, d.TextAt.Y, StartText);
  c.MoveTo(d.RouteStart.X, d.RouteStart.Y);
  StartX = d.RouteStart.X;
  StartY = d.RouteStart.Y;
}

void TConnection::DrawEndDecoration(Canvas& c) {
  const TPoint end{EndX, EndY};
  if (HasEndText(Kind)) {
    const TPoint at = EndTextPosition(Kind, EndSide, end, {StartX, StartY}, SizeOf(c, EndText));
    c.TextOut(at.X, at.Y, EndText);
  }
  const int hatTopStem = EndText.empty() ? 10 : c.TextHeight(EndText) + 1;
  const TPenPath head = HeadPath(Kind, EndSide, end, hatTopStem);
  Trace(c, head);
  if (Kind == TConnectionKind::ClassInfo) return;
  const TPoint routeEnd = RouteEnd(EndSide, head.End(end));
  EndX = routeEnd.X;
  EndY = routeEnd.Y;
}

void TConnection::PlaceAndPaintTextBox(Canvas& c) {
  const bool hasLines = !TextBox->Lines.empty();
  const int firstWidth = hasLines ? c.TextWidth(TextBox->Lines.front()) : 0;
  const TPoint at = TextBoxPosition(Kind, LineShape, {StartX, StartY}, {EndX, EndY},
                                    {TextOffsetX, TextOffsetY}, hasLines, firstWidth);
  TextBox->Left = at.X;
  TextBox->Top = at.Y;
  TextBox->PaintUnframed();
}

void TConnection::AskTexts() {
  switch (Kind) {
    case TConnectionKind::ClassInfo:
      TextBox->Edit("Informationen zur Klasse: " + NameOf(StartBox));
      break;
    case TConnectionKind::Ist:
      break;
    case TConnectionKind::Hat:
      AskMultiplicities();
      TextBox->Edit("Beschreibung der HAT-Beziehung");
      break;
    case TConnectionKind::Kennt:
      AskMultiplicities();
      TextBox->Edit("Beschreibung der KENNT-Beziehung");
      break;
    case TConnectionKind::Auftrag:
      TextBox->Edit("Auftrag an Klasse: " + NameOf(EndBox));
      break;
    case TConnectionKind::Anfrage:
      AskQuery();
      TextBox->Lines.clear();
      TextBox->AddLine(EndText + " ?");
      TextBox->AddLine((EndX < StartX ? "--> " : "<-- ") + StartText);
      break;
  }
}

void TConnection::AskMultiplicities() {
  const bool hat = Kind == TConnectionKind::Hat;
  IDiagramDialogs* dialogs = Image ? Image->dialogs : nullptr;
  if (hat) StartText.clear();
  if (!dialogs) return;
  IDiagramDialogs::ConnectionTextRequest r;
  r.caption = W("Wieviele Objekte ...? (Kardinalitäten)");
  r.topRight = Quoted(StartBox);
  r.middle = hat ? "HAT / besitzt" : "KENNT";
  r.bottomRight = Quoted(EndBox);
  r.text = EndText;
  EndText = dialogs->ConnectionText(r);
  if (hat) return;
  // A KENNT also knows the way back.
  r.caption = "... Gegenrichtung ...";
  r.topRight = Quoted(EndBox);
  r.bottomRight = Quoted(StartBox);
  r.text = StartText;
  StartText = dialogs->ConnectionText(r);
}

void TConnection::AskQuery() {
  IDiagramDialogs* dialogs = Image ? Image->dialogs : nullptr;
  if (!dialogs) return;
  IDiagramDialogs::ConnectionTextRequest r;
  r.caption = "Wie lautet die ANFRAGE";
  r.topLeft = "anfragende Klasse:";
  r.topRight = Quoted(StartBox);
  r.middle.clear();
  r.bottomLeft = "antwortende Klasse:";
  r.bottomRight = Quoted(EndBox);
  r.text = EndText;
  EndText = dialogs->ConnectionText(r);
  r.caption = "Welchen Datentyp hat die ANTWORT ?";
  r.text = StartText;
  StartText = dialogs->ConnectionText(r);
}

void TConnection::ChooseLineShape() {
  // Messages are drawn straight and notes have no line: there is nothing to choose.
  if (IsMessage(Kind) || Kind == TConnectionKind::ClassInfo) return;
  Canvas* c = Image ? Image->canvas : nullptr;
  IDiagramDialogs* dialogs = Image ? Image->dialogs : nullptr;
  const TPoint start{StartX, StartY}, end{EndX, EndY};
  auto candidates = [&] {
    if (!c) return;
    c->SetPenMode(PenMode::NotXor);
    c->SetPenColor(kClRed);
    c->SetPenStyle(PenStyle::Dash);
    Trace(*c, RelationshipRoute(1, start, end));
    c->SetPenStyle(PenStyle::Dot);
    Trace(*c, RelationshipRoute(2, start, end));
  };
  candidates();
  bool longDash = dialogs ? dialogs->ChooseLongDash() : true;
  LineShape = longDash ? 1 : 2;
  candidates();
  if (c) {
    c->SetPenMode(PenMode::Copy);
    c->SetPenColor(Color);
    c->SetPenStyle(PenStyle::Solid);
  }
}

}  // namespace zedro
