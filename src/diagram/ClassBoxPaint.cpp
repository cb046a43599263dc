// Layout and drawing of class boxes and object boxes. There is no cached layout: every
// paint recomputes Right and Bottom from the texts it writes.
#include <algorithm>

#include "diagram/Canvas.h"
#include "diagram/ClassBox.h"
#include "diagram/Connection.h"
#include "diagram/ElementLists.h"
#include "diagram/MemberColours.h"
#include "model/Notation.h"

namespace zedro {
namespace {

// Boxes never sit closer than this to the surface's top-left corner, nor further away
// than kFarthest (coordinates beyond it only come from damaged files and would overflow
// the layout arithmetic).
constexpr int kNearest = 3;
constexpr int kFarthest = 1000000;

Canvas* CanvasOf(DrawingSurface* image) { return image ? image->canvas : nullptr; }

std::string ParameterText(const TMethod& m, int notation) {
  std::string p;
  for (size_t i = 0; i < m.Parameters.size(); ++i) {
    if (i) p += "; ";
    p += m.Parameters[i].DisplayText(notation);
  }
  return p;
}

// The running state of one box layout.
struct Layout {
  Canvas& c;
  TUMLDrawClass& box;
  int step;
  int y;

  void Text(int x, const std::string& s) {
    c.TextOut(x, y, s);
    box.Right = std::max(box.Right, c.PenPos().X);
  }
  // The narrow form of a method: the head, then the parameters one per line (each piece
  // up to and including its semicolon), the closing text after the last one.
  void Narrow(const std::string& head, std::string params, const std::string& closing) {
    c.TextOut(box.Left + 4, y, head);
    int xp = c.PenPos().X;
    size_t semi;
    while ((semi = params.find(';')) != std::string::npos) {
      Text(xp, params.substr(0, semi + 1));
      params.erase(0, semi + 1);
      y += step;
    }
    if (!params.empty()) c.TextOut(xp, y, params);
    Text(c.PenPos().X, closing);
  }
};

void StartBox(Canvas& c, TUMLDrawClass& box) {
  TFontSpec font = box.Options.Font;
  font.Italic = false;
  c.SetFont(font);
  c.SetBrushColor(kClWhite);
  c.SetBrushStyle(BrushStyle::Solid);
  if (box.UMLClass->IsLibraryClass) {
    c.SetFontColor(kClGray);
    c.SetPenColor(kClGray);
  }
  box.Left = std::clamp(box.Left, kNearest, kFarthest);
  box.Top = std::clamp(box.Top, kNearest, kFarthest);
  box.Right = box.Left;
  box.Bottom = box.Top;
  c.SetFontBold(false);
}

// Name (or object head), frame and separators, once the members have been laid out.
void FinishBox(Canvas& c, TUMLDrawClass& box, const Layout& l, int ySep, const std::string& head,
               bool underline) {
  int h = c.FontPixelHeight();
  box.Right += 6;
  box.Bottom = l.y + 2;
  c.SetFontBold(true);
  c.SetFontItalic(box.UMLClass->IsAbstract);
  if (underline) c.SetFontUnderline(true);
  int w = c.TextWidth(head);
  if (box.Left + w > box.Right) box.Right = box.Left + w + 6;
  c.TextOut(box.Left + (box.Right - box.Left - w) / 2, box.Top + 4, head);
  c.SetFontBold(false);
  if (underline) c.SetFontUnderline(false);

  c.SetBrushStyle(BrushStyle::Clear);
  c.SetPenColor(kClBlack);
  c.SetPenMode(PenMode::Copy);
  c.Rectangle(box.Left, box.Top, box.Right, box.Bottom);
  c.MoveTo(box.Left, ySep);
  c.LineTo(box.Right, ySep);
  c.MoveTo(box.Left, box.Top + h + 8);
  c.LineTo(box.Right, box.Top + h + 8);
  if (box.UMLClass->IsLibraryClass) {
    c.SetFontColor(kClBlack);
    c.SetPenColor(kClBlack);
  }
  c.SetFontItalic(false);
}

}  // namespace

void TUMLDrawClass::Paint() {
  Canvas* canvas = CanvasOf(Image);
  if (!canvas || !UMLClass) return;
  Canvas& c = *canvas;
  const int notation = ActiveNotation::Get();
  const bool java = notation == 2;
  StartBox(c, *this);
  const int h = c.FontPixelHeight();
  Layout l{c, *this, h + 4, Top + h + 12};
  MemberColours colours(Connections, UMLClass, Image->memberColours);

  for (TAttribute* a : UMLClass->Attributes.Items) {
    TColor saved = c.Font().Color;
    if (!Options.ListsMembers(a->Visibility)) continue;
    c.SetFontColor(colours.ForAttribute(a, saved));
    std::string line = Options.AttributeSymbol(a->Visibility);
    line += Options.RGWidth == TWidthOption::NamesOnly ? a->Name : a->DisplayText(notation);
    l.Text(Left + 4, line);
    l.y += l.step;
    c.SetFontColor(saved);
  }

  const int ySep = l.y;
  l.y += 4;

  for (TMethod* m : UMLClass->Methods.Items) {
    TColor saved = c.Font().Color;
    if (!Options.ListsMembers(m->Visibility)) continue;
    c.SetFontItalic(m->IsAbstract);
    c.SetFontColor(colours.ForMethod(m, saved));
    std::string params = ParameterText(*m, notation);
    std::string v = Options.MethodSymbol(m->Visibility);
    std::string r;
    if (m->Kind == TMethodKind::Function) {
      r = java ? m->ResultType : ": " + m->ResultType;
      if (Options.RGShowKindOfM == TShowOption::Yes) v += " ? ";
    } else if (Options.RGShowKindOfM == TShowOption::Yes) {
      v += " ! ";
    }
    switch (Options.RGWidth) {
      case TWidthOption::Normal:
        l.Text(Left + 4, java ? v + r + " " + m->Name + " (" + params + ")"
                              : v + " " + m->Name + " (" + params + ")" + r);
        break;
      case TWidthOption::Narrow:
        l.Narrow(java ? v + " " + r + " " + m->Name + " (" : v + " " + m->Name + " (", params,
                 java ? ")" : ")" + r);
        break;
      default:  // names only, or no choice
        l.Text(Left + 4, v + " " + m->Name);
        break;
    }
    l.y += l.step;
    Bottom = l.y;
    c.SetFontColor(saved);
  }
  c.SetFontItalic(false);

  FinishBox(c, *this, l, ySep, UMLClass->Name, false);
}

void TUMLDrawObject::Paint() {
  Canvas* canvas = CanvasOf(Image);
  if (!canvas || !UMLClass) return;
  Canvas& c = *canvas;
  const int notation = ActiveNotation::Get();
  StartBox(c, *this);
  const int h = c.FontPixelHeight();
  Layout l{c, *this, h + 4, Top + h + 12};
  MemberColours colours(Connections, UMLClass, Image->memberColours);

  for (int i = 0; i < Values.Count(); ++i) {
    const TAttribute* a = Values.AttributeAt(i);
    const std::string& value = Values.ValueAt(i);
    if (!a) continue;
    TColor saved = c.Font().Color;
    if (!Options.ListsMembers(a->Visibility) && value.empty()) continue;
    c.SetFontColor(colours.ForAttribute(a, saved));
    std::string line = Options.AttributeSymbol(a->Visibility);
    line += a->Name;
    if (Options.RGWidth != TWidthOption::NamesOnly) line += ": " + a->TypeName;
    line += " -> " + value;
    l.Text(Left + 4, line);
    l.y += l.step;
    c.SetFontColor(saved);
  }

  const int ySep = l.y;
  l.y += 4;

  for (TMethod* m : UMLClass->Methods.Items) {
    TColor saved = c.Font().Color;
    if (!Options.ListsMembers(m->Visibility) && !colours.Calls(m)) continue;
    c.SetFontItalic(m->IsAbstract);
    c.SetFontColor(colours.ForMethod(m, saved));
    std::string v = Options.MethodSymbol(m->Visibility);
    std::string r;
    if (m->ResultType.empty()) {
      v += " !";
    } else {
      v += " ?";
      r = ": " + m->ResultType;
    }
    switch (Options.RGWidth) {
      case TWidthOption::Normal:
        l.Text(Left + 4, v + " " + m->Name + " (" + ParameterText(*m, notation) + ")" + r);
        break;
      case TWidthOption::Narrow:
        l.Narrow(v + " " + m->Name + " (", ParameterText(*m, notation), ")" + r);
        break;
      default:  // names only, or no choice
        l.Text(Left + 4, v + " " + m->Name);
        break;
    }
    l.y += l.step;
    Bottom = l.y;
    c.SetFontColor(saved);
  }
  c.SetFontItalic(false);

  FinishBox(c, *this, l, ySep, ObjectName + " : " + UMLClass->Name, true);
}

void TUMLDrawClass::DrawBorderPoints(TColor color, int radius) {
  Canvas* c = CanvasOf(Image);
  if (!c) return;
  c->SetBrushStyle(BrushStyle::Solid);
  c->SetBrushColor(color);
  c->SetPenColor(color);
  for (int i = 1; i <= 4 * BorderPointsPerSide; ++i) {
    int x = BorderPointX(i), y = BorderPointY(i);
    c->Ellipse(x - radius, y - radius, x + radius, y + radius);
  }
}

void TUMLDrawClass::MoveBy(int dx, int dy) {
  if (Canvas* c = CanvasOf(Image)) {
    c->SetPenColor(kClWhite);
    c->SetPenMode(PenMode::Copy);
    c->SetBrushColor(kClWhite);
    c->SetBrushStyle(BrushStyle::Solid);
    c->Rectangle(Left - 3, Top - 3, Right + 3, Bottom + 3);
    c->SetPenColor(kClBlack);
  }
  Left += dx;
  Top += dy;
  Paint();
}

}  // namespace zedro
