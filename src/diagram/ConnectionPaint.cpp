// Drawing of connections: start decoration, end decoration, the route between their outer
// ends and the description text box beside the route; plus the creation dialogs.
#include <cstdlib>

#include "diagram/Canvas.h"
#include "diagram/Connection.h"
#include "diagram/DiagramDialogs.h"
#include "model/Win1252.h"

namespace zedro {
namespace {

// A point a pixels away from (x, y) out of the box on that side and b pixels across
// (positive b: right on the top and bottom sides, up on the left and right sides).
TPoint Out(int side, int x, int y, int a, int b = 0) {
  switch (side) {
    case 1:
      return {x + b, y - a};
    case 2:
      return {x + a, y - b};
    case 3:
      return {x + b, y + a};
    default:
      return {x - a, y - b};
  }
}

void LineTo(Canvas& c, TPoint p) { c.LineTo(p.X, p.Y); }
void MoveTo(Canvas& c, TPoint p) { c.MoveTo(p.X, p.Y); }

bool IsMessage(int kind) { return kind == kAuftrag || kind == kAnfrage; }

std::string Quoted(const TUMLDrawClass* box) {
  return "\"" + (box && box->UMLClass ? box->UMLClass->Name : std::string()) + "\"";
}
std::string NameOf(const TUMLDrawClass* box) {
  return box && box->UMLClass ? box->UMLClass->Name : std::string();
}

// The two candidate routes of a relationship between the current end points.
void HorizontalFirst(Canvas& c, int sx, int sy, int ex, int ey) {
  c.MoveTo(sx, sy);
  c.LineTo(ex, sy);
  c.LineTo(ex, ey);
}
void VerticalFirst(Canvas& c, int sx, int sy, int ex, int ey) {
  c.MoveTo(sx, sy);
  c.LineTo(sx, ey);
  c.LineTo(ex, ey);
}

}  // namespace

void TConnection::Paint(bool creating) {
  UpdateEndPoints();
  Canvas* canvas = Image ? Image->canvas : nullptr;
  if (!canvas || !StartBox || !EndBox) return;
  Canvas& c = *canvas;
  const int k = Kind;

  // 1. Sides and the start point.
  StartSide = StartBox->SideOfBorderPoint(StartPoint);
  EndSide = EndBox->SideOfBorderPoint(EndPoint);
  c.MoveTo(StartX, StartY);

  // 2./3. Creation dialogs, colour, pen.
  if (creating) {
    AskTexts();
    if (k == kIst || k == kHat || k == kKennt || IsMessage(k)) Color = DefaultConnectionColor(k);
  }
  CoOptions->Font.Color = Color;
  if (IsMessage(k) && !creating) c.SetPenWidth(2);

  // 4. Font, pen and brush.
  c.SetFont(CoOptions->Font);
  c.SetPenColor(Color);
  c.SetPenMode(PenMode::Copy);
  c.SetBrushStyle(BrushStyle::Clear);
  const int h = c.FontPixelHeight();

  // 5. Start decoration.
  int sx = StartX, sy = StartY;
  const int ey0 = EndY;
  if (k == kIst || k == kKennt) {
    switch (StartSide) {
      case 1:
        c.LineTo(sx, sy - h - 2 * k);
        c.TextOut(sx + 2, sy - h - 1, StartText);
        c.MoveTo(sx, sy - h + 1 - 2 * k);
        break;
      case 2:
        c.LineTo(sx + 8 + 2 * k, sy);
        if (sy >= ey0)
          c.TextOut(sx + 1, sy + 1, StartText);
        else
          c.TextOut(sx + 1, sy - c.TextHeight(StartText) - 1, StartText);
        c.MoveTo(sx + 8 + 2 * k, sy);
        break;
      case 3:
        c.LineTo(sx, sy + h + 2 * k);
        c.TextOut(sx + 2, sy + 1, StartText);
        c.MoveTo(sx, sy + h - 1 + 2 * k);
        break;
      default: {
        int w = c.TextWidth(StartText), th = c.TextHeight(StartText);
        c.LineTo(sx - 10 - 2 * k, sy);
        if (sy > ey0)
          c.TextOut(sx - w - 2, sy + 2, StartText);
        else
          c.TextOut(sx - w - 2, sy - th - 1, StartText);
        c.MoveTo(sx - 9 - 2 * k, sy);
        break;
      }
    }
  } else if (IsMessage(k)) {
    LineTo(c, Out(StartSide, sx, sy, 3 * k));
  } else if (k == kHat) {
    // Diamond corners (relative to the start point) in drawing order, then the stem.
    static const int kDiamond[4][4][2] = {
        {{-5, -7}, {0, -14}, {5, -7}, {0, 0}},
        {{7, -5}, {14, 0}, {7, 5}, {0, 0}},
        {{-5, 7}, {0, 14}, {5, 7}, {0, 0}},
        {{-7, -5}, {-14, 0}, {-7, 5}, {0, 0}},
    };
    const int s = StartSide >= 1 && StartSide <= 4 ? StartSide - 1 : 3;
    c.MoveTo(sx, sy);
    for (const auto& p : kDiamond[s]) c.LineTo(sx + p[0], sy + p[1]);
    MoveTo(c, Out(StartSide, sx, sy, 14));
    LineTo(c, Out(StartSide, sx, sy, 24));
  }

  // 6. The route starts at the outer end of the start decoration.
  if (k != kClassInfo) {
    StartX = c.PenPos().X;
    StartY = c.PenPos().Y;
  }
  sx = StartX;
  sy = StartY;

  // 7. End text and head.
  const int ex = EndX, ey = EndY;
  if (k == kIst || k == kHat || k == kKennt) {
    const int d = k == kKennt ? 6 : 2;
    const int w = c.TextWidth(EndText), th = c.TextHeight(EndText);
    const int gap = k == kKennt ? 5 : 1;
    const int ySide = ey >= sy ? ey + gap : ey - th - gap;
    switch (EndSide) {
      case 1:
        c.TextOut(sx <= ex ? ex + d : ex - w - d, ey - th, EndText);
        break;
      case 2:
        c.TextOut(ex + 1, ySide, EndText);
        break;
      case 3:
        c.TextOut(ex >= sx ? ex + d : ex - w - d, ey + 2, EndText);
        break;
      default:
        c.TextOut(ex - w - 1, ySide, EndText);
        break;
    }
  }
  c.MoveTo(ex, ey);
  const int side = EndSide;
  switch (k) {
    case kIst:
      LineTo(c, Out(side, ex, ey, 14, -7));
      LineTo(c, Out(side, ex, ey, 14, 7));
      c.LineTo(ex, ey);
      MoveTo(c, Out(side, ex, ey, 14));
      LineTo(c, Out(side, ex, ey, 20));
      break;
    case kKennt:
      LineTo(c, Out(side, ex, ey, 11, -4));
      MoveTo(c, Out(side, ex, ey, 11, 4));
      c.LineTo(ex, ey);
      LineTo(c, Out(side, ex, ey, 15));
      break;
    case kAuftrag:
    case kAnfrage:
      LineTo(c, Out(side, ex, ey, 14, -7));
      MoveTo(c, Out(side, ex, ey, 14, 7));
      c.LineTo(ex, ey);
      LineTo(c, Out(side, ex, ey, 3 * k));
      break;
    case kHat:
      if (side == 1)
        c.LineTo(ex, EndText.empty() ? ey - 5 * k : ey - c.TextHeight(EndText) - 1);
      else
        LineTo(c, Out(side, ex, ey, side == 3 ? 16 : 10));
      break;
    default:
      break;
  }

  // 8. The route ends one pixel short of the head's outer end (the line leaves that pixel
  // out), where the head's last line stopped.
  if (k != kClassInfo) {
    TPoint p = c.PenPos();
    switch (side) {
      case 1:
        p.Y += 1;
        break;
      case 2:
        p.X -= 1;
        break;
      case 3:
        p.Y -= 1;
        break;
      default:
        p.X += 1;
        break;
    }
    EndX = p.X;
    EndY = p.Y;
  }

  // 9./10. Route.
  if (creating) ChooseLineShape();
  if (k == kClassInfo) {
    // Both ends are the same point: there is no line to draw.
  } else if (IsMessage(k)) {
    c.MoveTo(StartX, StartY);
    c.LineTo(EndX, EndY);
  } else if (LineShape == 1) {
    HorizontalFirst(c, StartX, StartY, EndX, EndY);
  } else {
    VerticalFirst(c, StartX, StartY, EndX, EndY);
  }

  // 11. The description text box beside the route's corner or in the middle of a message.
  if (k != kIst) {
    const int SX = StartX, SY = StartY, EX = EndX, EY = EndY;
    const bool hasLines = !TextBox->Lines.empty();
    const int first = hasLines ? c.TextWidth(TextBox->Lines.front()) : 0;
    if ((k == kHat || k == kKennt) && LineShape == 1) {
      if (!hasLines) {
        TextBox->Left = EX - 3;
        TextBox->Top = SY - 3;
      } else {
        TextBox->Left = TextOffsetX + (EX < SX ? EX + 10 : EX - first - 2);
        TextBox->Top = TextOffsetY + SY + 2;
      }
    } else if (k == kHat || k == kKennt) {
      if (!hasLines) {
        TextBox->Left = SX - 3;
        TextBox->Top = EY - 3;
      } else {
        TextBox->Left = TextOffsetX + (SX < EX ? SX + 10 : SX - first - 2);
        TextBox->Top = TextOffsetY + EY + 2;
      }
    } else {
      // Notes and messages: centred between the ends. The centring corrections of the
      // classic layout amount to nothing here (see TextOffsetX/Y, changed only by drags).
      TextBox->Left = (SX + EX) / 2 + TextOffsetX;
      TextBox->Top = (SY + EY) / 2 + TextOffsetY;
    }
    TextBox->Paint(false);
  }

  // 12.
  c.SetPenColor(kClBlack);
  c.SetPenWidth(1);
  c.SetFontColor(kClBlack);
}

void TConnection::AskTexts() {
  IDiagramDialogs* dialogs = Image ? Image->dialogs : nullptr;
  using Request = IDiagramDialogs::ConnectionTextRequest;
  switch (Kind) {
    case kClassInfo:
      TextBox->Edit("Informationen zur Klasse: " + NameOf(StartBox));
      break;
    case kHat:
    case kKennt: {
      const bool hat = Kind == kHat;
      if (dialogs) {
        Request r;
        r.caption = W("Wieviele Objekte ...? (Kardinalitäten)");
        r.topRight = Quoted(StartBox);
        r.middle = hat ? "HAT / besitzt" : "KENNT";
        r.bottomRight = Quoted(EndBox);
        r.text = EndText;
        EndText = dialogs->ConnectionText(r);
        if (hat) {
          StartText.clear();
        } else {
          r.caption = "... Gegenrichtung ...";
          r.topRight = Quoted(EndBox);
          r.bottomRight = Quoted(StartBox);
          r.text = StartText;
          StartText = dialogs->ConnectionText(r);
        }
      } else if (hat) {
        StartText.clear();
      }
      TextBox->Edit(hat ? "Beschreibung der HAT-Beziehung" : "Beschreibung der KENNT-Beziehung");
      break;
    }
    case kAuftrag:
      TextBox->Edit("Auftrag an Klasse: " + NameOf(EndBox));
      break;
    case kAnfrage: {
      if (dialogs) {
        Request r;
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
      TextBox->Lines.clear();
      TextBox->AddLine(EndText + " ?");
      TextBox->AddLine((EndX < StartX ? "--> " : "<-- ") + StartText);
      break;
    }
    default:
      break;
  }
}

void TConnection::ChooseLineShape() {
  // Messages are drawn straight and notes have no line: there is nothing to choose.
  if (IsMessage(Kind) || Kind == kClassInfo) return;
  Canvas* c = Image ? Image->canvas : nullptr;
  IDiagramDialogs* dialogs = Image ? Image->dialogs : nullptr;
  auto candidates = [&] {
    if (!c) return;
    c->SetPenMode(PenMode::NotXor);
    c->SetPenColor(kClRed);
    c->SetPenStyle(PenStyle::Dash);
    HorizontalFirst(*c, StartX, StartY, EndX, EndY);
    c->SetPenStyle(PenStyle::Dot);
    VerticalFirst(*c, StartX, StartY, EndX, EndY);
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
