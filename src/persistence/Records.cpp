// Save and version-aware Load of every stored element: fonts, option sets, classes with
// their members, class and object boxes, connections and info boxes.
#include <algorithm>

#include "diagram/BorderPointIndex.h"
#include "diagram/ClassBox.h"
#include "diagram/Connection.h"
#include "diagram/DiagramDocument.h"
#include "diagram/ElementLists.h"
#include "diagram/InfoBox.h"
#include "diagram/Options.h"
#include "model/Messages.h"
#include "model/ParameterScanner.h"
#include "model/UMLClass.h"
#include "model/Win1252.h"
#include "persistence/Files.h"
#include "persistence/SavePositions.h"
#include "persistence/StoredCodes.h"
#include "persistence/ValueStream.h"

namespace zedro {

constexpr int kCurrentVersion = 184;

// ---- font and options -----------------------------------------------------------------

void TFontSpec::Load(ValueReader& r) {
  Name = r.ReadString();
  Size = r.ReadInteger();
  Color = r.ReadInteger();
  Bold = r.ReadBoolean();
  Italic = r.ReadBoolean();
  Underline = r.ReadBoolean();
}

void TFontSpec::Save(ValueWriter& w) const {
  w.WriteString(Name);
  w.WriteInteger(Size);
  w.WriteInteger(Color);
  w.WriteBoolean(Bold);
  w.WriteBoolean(Italic);
  w.WriteBoolean(Underline);
}

void TFOptions::Load(ValueReader& r, int v) {
  Font.Load(r);
  if (v == 134) {
    RGWidth = r.ReadBoolean() ? TWidthOption::Narrow : TWidthOption::Normal;
    return;
  }
  RGWidth = FromCode<TWidthOption>(r.ReadInteger());
  RGShowAc = FromCode<TShowOption>(r.ReadInteger());
  if (v > 183) RGShowKindOfM = FromCode<TShowOption>(r.ReadInteger());
  if (v < 151) {
    SetOldVisibilityFilter(r.ReadInteger());
    return;
  }
  RgPublished = FromCode<TShowOption>(r.ReadInteger());
  RgPublic = FromCode<TShowOption>(r.ReadInteger());
  RgProtected = FromCode<TShowOption>(r.ReadInteger());
  RgPrivate = FromCode<TShowOption>(r.ReadInteger());
}

void TFOptions::SetOldVisibilityFilter(int filter) {
  // The filter of old files hid the lowest visibilities: none, private, private and
  // protected, or all four.
  const TShowOption show = TShowOption::Yes, hide = TShowOption::Unset;
  switch (filter) {
    case 0:
      RgPublished = RgPublic = RgProtected = RgPrivate = show;
      break;
    case 1:
      RgPublished = RgPublic = RgProtected = show;
      RgPrivate = hide;
      break;
    case 2:
      RgPublished = RgPublic = show;
      RgProtected = RgPrivate = hide;
      break;
    case 3:
      RgPublished = RgPublic = RgProtected = RgPrivate = hide;
      break;
    default:
      break;  // the groups stay as they are
  }
}

void TFOptions::Save(ValueWriter& w) const {
  Font.Save(w);
  w.WriteInteger(CodeOf(RGWidth));
  w.WriteInteger(CodeOf(RGShowAc));
  w.WriteInteger(CodeOf(RGShowKindOfM));
  w.WriteInteger(CodeOf(RgPublished));
  w.WriteInteger(CodeOf(RgPublic));
  w.WriteInteger(CodeOf(RgProtected));
  w.WriteInteger(CodeOf(RgPrivate));
}

void TFCoOptions::Load(ValueReader& r, int v) {
  if (v > 141) Font.Load(r);
}

void TFCoOptions::Save(ValueWriter& w) const { Font.Save(w); }

// ---- class model ----------------------------------------------------------------------

namespace {

// Members of a class record come in blocks of at most this many: one allocation for a
// usual class, and a damaged count makes nothing large before the file shows its members.
constexpr int kMemberBlock = 64;

// The place for member i of count, in a new block at the start of each block.
template <class T>
T* NextInBlock(std::vector<std::unique_ptr<T[]>>& blocks, int i, int count) {
  if (i % kMemberBlock == 0)
    blocks.push_back(std::make_unique<T[]>(static_cast<size_t>(std::min(kMemberBlock, count - i))));
  return &blocks.back()[static_cast<size_t>(i % kMemberBlock)];
}

}  // namespace

void TAttribute::Load(ValueReader& r, int c) {
  Name = r.ReadString();
  TypeName = r.ReadString();
  Visibility = FromCode<TVisibility>(r.ReadInteger());
  if (c < 175) {
    Documentation = {r.ReadString()};
  } else {
    Documentation = r.ReadStrings();
  }
}

void TAttribute::Save(ValueWriter& w) const {
  w.WriteString(Name);
  w.WriteString(TypeName);
  w.WriteInteger(CodeOf(Visibility));
  w.WriteStrings(Documentation);
}

void TMethod::Load(ValueReader& r, int c) {
  Name = r.ReadString();
  std::string oldParameters;
  if (c < 175) oldParameters = r.ReadString();
  ResultType = r.ReadString();
  Visibility = FromCode<TVisibility>(r.ReadInteger());
  Kind = c > 140 ? FromCode<TMethodKind>(r.ReadInteger()) : TMethodKind::Procedure;
  if (c >= 175) {
    IsClassMethod = r.ReadBoolean();
    IsAbstract = r.ReadBoolean();
    IsFinal = r.ReadBoolean();
    int n = r.ReadCount(4);
    Parameters.clear();
    Parameters.reserve(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
      std::string name = r.ReadString();
      std::string type = r.ReadString();
      Parameters.emplace_back(std::move(name), std::move(type));
    }
  }
  Documentation = r.ReadStrings();
  if (c > 136) Code = r.ReadStrings();
  if (c < 175) {
    StringList directives;
    if (c > 136) directives = r.ReadStrings();
    if (c > 140) IsClassMethod = IsOldClassMethodKind(Kind);
    auto has = [&](const char* word) {
      return std::any_of(directives.begin(), directives.end(),
                         [&](const std::string& d) { return text::EqualsIgnoreCase(d, word); });
    };
    IsAbstract = c > 136 && has("abstract");
    IsFinal = c <= 136 || (!has("virtual") && !has("dynamic"));
    Parameters.clear();
    if (!oldParameters.empty()) {
      TParameterScanner scanner(oldParameters, r.Messages());
      scanner.Parse();
      Parameters = std::move(scanner.Parameters());
    }
  }
}

void TMethod::Save(ValueWriter& w) const {
  w.WriteString(Name);
  w.WriteString(ResultType);
  w.WriteInteger(CodeOf(Visibility));
  w.WriteInteger(CodeOf(Kind));
  w.WriteBoolean(IsClassMethod);
  w.WriteBoolean(IsAbstract);
  w.WriteBoolean(IsFinal);
  w.WriteInteger(static_cast<std::int32_t>(Parameters.size()));
  for (const TParameter& p : Parameters) {
    w.WriteString(p.Name);
    w.WriteString(p.TypeName);
  }
  w.WriteStrings(Documentation);
  w.WriteStrings(Code);
}

void TUMLClass::Load(ValueReader& r, int v) {
  int c = v >= 140 ? r.ReadInteger() : v;
  if (c < 175) {
    int kind = r.ReadInteger();
    IsAbstract = kind == 1;
    IsLibraryClass = kind == 2;
    Name = r.ReadString();
  } else {
    Name = r.ReadString();
    IsAbstract = r.ReadBoolean();
    if (c > 180) IsLibraryClass = r.ReadBoolean();
  }
  Documentation = r.ReadStrings();
  InterfaceUses.clear();
  ImplementationUses.clear();
  if (c > 136) InterfaceUses = r.ReadStrings();
  if (c > 170) ImplementationUses = r.ReadStrings();
  int attributeCount = r.ReadCount(8);
  int methodCount = r.ReadCount(6);
  Attributes.Clear();
  Methods.Clear();
  Attributes.Items.reserve(static_cast<size_t>(attributeCount));
  Methods.Items.reserve(static_cast<size_t>(methodCount));
  // Members are kept in the order of the file while the diagram is read, so that every
  // stored position (read and write methods here, attributes and methods of connections
  // later) means what it meant when it was written; the reader sorts afterwards.
  std::vector<std::pair<int, int>> links;
  if (c > 172) links.reserve(static_cast<size_t>(attributeCount));
  for (int i = 0; i < attributeCount; ++i) {
    TAttribute* a = NextInBlock(attributeBlocks_, i, attributeCount);
    a->Load(r, c);
    Attributes.Append(a);
    if (c > 172) {
      int read = r.ReadInteger();
      int write = r.ReadInteger();
      links.emplace_back(read, write);
    }
  }
  for (int i = 0; i < methodCount; ++i) {
    TMethod* m = NextInBlock(methodBlocks_, i, methodCount);
    m->Load(r, c);
    Methods.Append(m);
  }
  for (size_t i = 0; i < links.size(); ++i) {
    TAttribute* a = Attributes.At(static_cast<int>(i));
    auto method = [&](int index) -> TMethod* {
      if (index < 0) return nullptr;
      return Methods.Get(index, &r.Messages());
    };
    a->ReadMethod = method(links[i].first);
    a->WriteMethod = method(links[i].second);
  }
}

void TUMLClass::Save(ValueWriter& w) const {
  w.WriteInteger(kCurrentVersion);
  w.WriteString(Name);
  w.WriteBoolean(IsAbstract);
  w.WriteBoolean(IsLibraryClass);
  w.WriteStrings(Documentation);
  w.WriteStrings(InterfaceUses);
  w.WriteStrings(ImplementationUses);
  w.WriteInteger(Attributes.Count());
  w.WriteInteger(Methods.Count());
  SavePositions positions;
  for (const TAttribute* a : Attributes.Items) {
    a->Save(w);
    w.WriteInteger(a->ReadMethod ? positions.MethodIn(*this, a->ReadMethod) : -1);
    w.WriteInteger(a->WriteMethod ? positions.MethodIn(*this, a->WriteMethod) : -1);
  }
  for (const TMethod* m : Methods.Items) m->Save(w);
}

// ---- boxes ----------------------------------------------------------------------------

namespace {

// The age of the file the box's source file is found in, wherever the project directory
// has moved since.
std::int32_t CurrentAgeOf(const TUMLDrawClass& box) {
  const std::string path = SourceFilePath(box);
  return path.empty() ? -1 : FileAge(path);
}

}  // namespace

void TUMLDrawClass::Load(ValueReader& r, int v) {
  Left = r.ReadInteger();
  Top = r.ReadInteger();
  Right = r.ReadInteger();
  Bottom = r.ReadInteger();
  if (v > 170) {
    SourceFileName = r.ReadString();
    SourceFileAge = r.ReadInteger();
  }
  if (UMLClass) UMLClass->Load(r, v);
  if (v > 141) Options.Load(r, v);
}

void TUMLDrawClass::Save(ValueWriter& w) const {
  w.WriteInteger(Left);
  w.WriteInteger(Top);
  w.WriteInteger(Right);
  w.WriteInteger(Bottom);
  w.WriteString(FileNamePart(SourceFileName));
  w.WriteInteger(CurrentAgeOf(*this));
  if (UMLClass) {
    UMLClass->Save(w);
  } else {
    TUMLClass("").Save(w);
  }
  Options.Save(w);
}

void TUMLDrawObject::Load(ValueReader& r, int v) {
  ObjectName = r.ReadString();
  Left = r.ReadInteger();
  Top = r.ReadInteger();
  Right = r.ReadInteger();
  Bottom = r.ReadInteger();
  if (!UMLClass) throw StreamError("");
  UMLClass->Load(r, v);
  UMLClass->SortMembers();
  Values.Rebuild(&UMLClass->Attributes);
  int n = r.ReadCount(2);
  for (int i = 0; i < n; ++i) {
    std::string value = r.ReadString();
    if (i < Values.Count()) Values.Item(i).Value = value;
  }
  Options.Load(r, v);
}

void TUMLDrawObject::Save(ValueWriter& w) const {
  w.WriteString(ObjectName);
  w.WriteInteger(Left);
  w.WriteInteger(Top);
  w.WriteInteger(Right);
  w.WriteInteger(Bottom);
  UMLClass->Save(w);
  w.WriteInteger(Values.Count());
  for (int i = 0; i < Values.Count(); ++i) w.WriteString(Values.ValueAt(i));
  Options.Save(w);
}

// ---- info boxes and connections -------------------------------------------------------

void TInfoBox::Load(ValueReader& r) {
  Left = r.ReadInteger();
  Top = r.ReadInteger();
  Right = r.ReadInteger();
  Bottom = r.ReadInteger();
  Lines = r.ReadStrings();
  FontDialog->Load(r);
}

void TInfoBox::Save(ValueWriter& w) const {
  w.WriteInteger(Left);
  w.WriteInteger(Top);
  w.WriteInteger(Right);
  w.WriteInteger(Bottom);
  w.WriteStrings(Lines);
  FontDialog->Save(w);
}

namespace {

// The box of a stored position; a position that names no box stops the load after the
// list's range message.
TUMLDrawClass* BoxAt(TDrawClassList* boxes, int index, IMessages& messages) {
  TUMLDrawClass* box = boxes ? boxes->Get(index, &messages) : nullptr;
  if (!box) throw StreamError("");
  return box;
}

// Boxes of files before version 141 are found by the position of a border point: the last
// box with a point nearer than 4 pixels.
TUMLDrawClass* BoxWithPointAt(TDrawClassList* boxes, const TBorderPointIndex* index, int x, int y,
                              int& point) {
  if (index) return index->Find(x, y, point);
  TUMLDrawClass* found = nullptr;
  if (!boxes) return nullptr;
  for (TUMLDrawClass* box : boxes->Items) {
    int p = box->BorderPointAt(x, y);
    if (p > 0) {
      found = box;
      point = p;
    }
  }
  return found;
}

}  // namespace

namespace {

// The attributes of the start class that the connection stands for, by their stored
// positions; positions the class does not have are dropped with a message.
void ReadAttributes(TConnection& c, ValueReader& r, int v) {
  IMessages& messages = r.Messages();
  c.Attributes.Clear();
  // Appended as read and sorted once afterwards: a damaged file may list very many.
  auto add = [&](int index) {
    TAttribute* a = c.StartBox->UMLClass->Attributes.Get(index, &messages);
    if (a) {
      c.Attributes.Append(a);
    } else {
      messages.Message(MsgKind::Plain,
                       "Fehler in Attributliste einer Beziehung wird automatisch beseitigt.\n\n"
                       "Starklasse: " +
                           c.StartBox->UMLClass->Name + "\nZielklasse: " + c.EndBox->UMLClass->Name);
    }
  };
  if (v >= 183) {
    int n = r.ReadCount(2);
    for (int i = 0; i < n; ++i) add(r.ReadInteger());
  } else if (v > 142) {
    int index = r.ReadInteger();
    if (index >= 0) add(index);
  }
  c.Attributes.Sort();
}

// Boxes, border points, the message's method and the attributes (files from version 141).
void ReadEnds(TConnection& c, ValueReader& r, int v) {
  IMessages& messages = r.Messages();
  c.StartBox = BoxAt(c.Boxes, r.ReadInteger(), messages);
  c.StartPoint = r.ReadInteger();
  c.EndBox = BoxAt(c.Boxes, r.ReadInteger(), messages);
  const int methodIndex = v > 142 ? r.ReadInteger() : -1;
  ReadAttributes(c, r, v);
  c.EndPoint = r.ReadInteger();
  if (v > 142)
    c.Method = methodIndex >= 0 ? c.EndBox->UMLClass->Methods.Get(methodIndex, &messages) : nullptr;
}

// Files before version 141 give the coordinates of the two end points.
void ReadOldEnds(TConnection& c, ValueReader& r, const TBorderPointIndex* pointIndex) {
  int sx = r.ReadInteger();
  int sy = r.ReadInteger();
  int ex = r.ReadInteger();
  int ey = r.ReadInteger();
  c.StartBox = BoxWithPointAt(c.Boxes, pointIndex, sx, sy, c.StartPoint);
  c.EndBox = BoxWithPointAt(c.Boxes, pointIndex, ex, ey, c.EndPoint);
}

}  // namespace

void TConnection::Load(ValueReader& r, int v, const TBorderPointIndex* pointIndex) {
  Kind = FromCode<TConnectionKind>(r.ReadInteger());
  LineShape = r.ReadInteger();
  if (v > 141) Color = r.ReadInteger();
  if (v > 140) {
    ReadEnds(*this, r, v);
  } else {
    ReadOldEnds(*this, r, pointIndex);
  }
  StartText = r.ReadString();
  EndText = r.ReadString();
  if (v >= 161) {
    TextBox->Load(r);
  } else {
    // Older files keep the texts of a message only in StartText and EndText.
    switch (Kind) {
      case TConnectionKind::Auftrag:
        TextBox->Lines = {EndText};
        break;
      case TConnectionKind::Anfrage:
        TextBox->Lines = {StartText, EndText};
        break;
      default:
        break;
    }
  }
  if (v >= 151) {
    TextOffsetX = r.ReadInteger();
    TextOffsetY = r.ReadInteger();
  } else {
    TextOffsetX = TextOffsetY = 0;
  }
  CoOptions->Load(r, v);
  // Files before version 142 store no colour: each kind gets its own.
  if (v < 142 && (IsRelationship(Kind) || IsMessage(Kind))) Color = DefaultConnectionColor(Kind);
}

void TConnection::Save(ValueWriter& w) const {
  SavePositions positions = Boxes ? SavePositions(*Boxes) : SavePositions();
  Save(w, positions);
}

void TConnection::Save(ValueWriter& w, SavePositions& positions) const {
  const TUMLClass* startClass = StartBox ? StartBox->UMLClass : nullptr;
  const TUMLClass* endClass = EndBox ? EndBox->UMLClass : nullptr;
  w.WriteInteger(CodeOf(Kind));
  w.WriteInteger(LineShape);
  w.WriteInteger(Color);
  w.WriteInteger(positions.Box(StartBox));
  w.WriteInteger(StartPoint);
  w.WriteInteger(positions.Box(EndBox));
  w.WriteInteger(Method && endClass ? positions.MethodIn(*endClass, Method) : -1);
  w.WriteInteger(Attributes.Count());
  for (const TAttribute* a : Attributes.Items)
    w.WriteInteger(startClass ? positions.AttributeIn(*startClass, a) : -1);
  w.WriteInteger(EndPoint);
  w.WriteString(StartText);
  w.WriteString(EndText);
  TextBox->Save(w);
  w.WriteInteger(TextOffsetX);
  w.WriteInteger(TextOffsetY);
  CoOptions->Save(w);
}

}  // namespace zedro
