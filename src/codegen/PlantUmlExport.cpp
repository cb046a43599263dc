#include "codegen/PlantUmlExport.h"

#include <cstdio>
#include <map>

#include "diagram/DiagramDocument.h"
#include "model/Win1252.h"

namespace zedro {
namespace {

std::string Unicode(char c) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "<U+%04X>", static_cast<unsigned char>(c));
  return buffer;
}

bool IsLetter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || static_cast<unsigned char>(c) >= 0x80;
}

// Free text as PlantUML shows it literally: the characters that would start markup
// (doubled *, -, _, /, ~, =, quotes, tags, links, line breaks in labels) are written as
// Unicode escapes; control characters become blanks.
std::string Literal(const std::string& s) {
  std::string out;
  for (size_t i = 0; i < s.size(); ++i) {
    const char c = s[i];
    const char next = i + 1 < s.size() ? s[i + 1] : '\0';
    if (static_cast<unsigned char>(c) < 0x20) {
      out += ' ';
    } else if (c == '"' || c == '\\') {
      out += Unicode(c);
    } else if ((c == '*' || c == '-' || c == '_' || c == '/' || c == '~' || c == '=' ||
                c == '[' || c == '{') &&
               next == c) {
      out += Unicode(c);
    } else if (c == '<' && (IsLetter(next) || next == '/' || next == '&')) {
      out += Unicode(c);
    } else {
      out += c;
    }
  }
  return out;
}

// A line of a note: besides the markup, a line must not end the note, end the diagram or
// be taken for a comment.
std::string NoteLine(const std::string& line) {
  std::string s = Literal(line);
  const size_t first = s.find_first_not_of(' ');
  if (first == std::string::npos) return s;
  const std::string lower = text::LowerAscii(s.substr(first));
  if (s[first] == '\'' || s[first] == '@' || lower.rfind("end", 0) == 0)
    s = s.substr(0, first) + Unicode(s[first]) + s.substr(first + 1);
  return s;
}

// A name in double quotes (PlantUML has no escape for quotes there, and refuses an empty
// name).
std::string Quoted(const std::string& name) {
  std::string s;
  for (char c : name) s += c == '"' ? '\'' : static_cast<unsigned char>(c) < 0x20 ? ' ' : c;
  return "\"" + (s.empty() ? std::string(" ") : s) + "\"";
}

std::string Joined(const StringList& lines) {
  std::string s;
  for (size_t i = 0; i < lines.size(); ++i) s += (i ? "\\n" : "") + Literal(lines[i]);
  return s;
}

std::string Parameters(const TMethod& m, int notation) {
  std::string p;
  for (size_t i = 0; i < m.Parameters.size(); ++i) p += (i ? "; " : "") + m.Parameters[i].DisplayText(notation);
  return p;
}

// A method as its box shows it in normal width (the narrow width on one line).
std::string MethodLine(const TMethod& m, const TFOptions& o, int notation) {
  const bool java = notation == 2;
  std::string v = o.MethodSymbol(m.Visibility);
  std::string r;
  if (m.Kind == TMethodKind::Function) {
    r = java ? m.ResultType : ": " + m.ResultType;
    if (o.RGShowKindOfM == TShowOption::Yes) v += " ? ";
  } else if (o.RGShowKindOfM == TShowOption::Yes) {
    v += " ! ";
  }
  std::string modifiers;
  if (m.IsAbstract) modifiers += "{abstract} ";
  if (m.IsClassMethod) modifiers += "{static} ";
  std::string line;
  if (o.RGWidth == TWidthOption::NamesOnly)
    line = v + " " + m.Name;
  else if (java)
    line = v + r + " " + m.Name + " (" + Parameters(m, notation) + ")";
  else
    line = v + " " + m.Name + " (" + Parameters(m, notation) + ")" + r;
  // The box's blanks around the marks are single blanks here.
  for (size_t p = line.find("  "); p != std::string::npos; p = line.find("  ", p)) line.erase(p, 1);
  return "{method} " + modifiers + Literal(line);
}

class Writer {
 public:
  explicit Writer(const DiagramDocument& doc)
      : doc_(doc), notation_(doc.MainDocument().Language == 2 ? 2 : 1) {}

  std::string Text() {
    Line("@startuml");
    const std::string name = FileNamePart(doc_.FileName);
    if (!name.empty()) Line("' Zedro: " + Literal(name));
    Line("set namespaceSeparator none");
    Line("skinparam classAttributeIconSize 0");
    for (const TUMLDrawClass* box : doc_.DrawClasses.Items)
      if (box->UMLClass) Box(*box);
    for (const TConnection* c : doc_.Connections.Items) Connection(*c);
    int n = 0;
    for (const TInfoBox* info : doc_.InfoBoxes.Items) {
      Line("note as N" + text::IntToStr(++n));
      Lines(info->Lines);
      Line("end note");
    }
    Line("@enduml");
    return out_;
  }

 private:
  void Line(const std::string& s) { out_ += s + "\n"; }
  void Lines(const StringList& lines) {
    for (const std::string& l : lines) Line("  " + NoteLine(l));
  }

  std::string Alias(const TUMLDrawClass* box) {
    auto it = aliases_.find(box);
    if (it != aliases_.end()) return it->second;
    const std::string alias = (box->IsObjectBox() ? "O" : "C") + text::IntToStr(static_cast<long long>(aliases_.size() + 1));
    aliases_[box] = alias;
    return alias;
  }

  void Box(const TUMLDrawClass& box) {
    const TUMLClass& cls = *box.UMLClass;
    const TFOptions& o = box.Options;
    if (box.IsObjectBox()) {
      const auto& object = static_cast<const TUMLDrawObject&>(box);
      Line("object " + Quoted(object.ObjectName + " : " + cls.Name) + " as " + Alias(&box) + " {");
      for (int i = 0; i < object.Values.Count(); ++i) {
        const TAttribute* a = object.Values.AttributeAt(i);
        const std::string& value = object.Values.ValueAt(i);
        if (!a || (!o.ListsMembers(a->Visibility) && value.empty())) continue;
        Line("  " + Literal(a->Name + " = " + value));
      }
      Line("}");
      return;
    }
    std::string head = cls.IsAbstract ? "abstract class " : "class ";
    head += Quoted(cls.Name) + " as " + Alias(&box);
    if (cls.IsLibraryClass) head += " <<Bibliotheksklasse>> #DDDDDD";
    Line(head + " {");
    for (const TAttribute* a : cls.Attributes.Items) {
      if (!o.ListsMembers(a->Visibility)) continue;
      std::string line = o.AttributeSymbol(a->Visibility);
      line += o.RGWidth == TWidthOption::NamesOnly ? a->Name : a->DisplayText(notation_);
      Line("  {field} " + Literal(line));
    }
    for (const TMethod* m : cls.Methods.Items)
      if (o.ListsMembers(m->Visibility)) Line("  " + MethodLine(*m, o, notation_));
    Line("}");
  }

  static std::string End(const std::string& multiplicity) {
    const std::string t = text::Trim(multiplicity);
    return t.empty() ? "" : " \"" + Literal(t) + "\"";
  }

  void Connection(const TConnection& c) {
    if (!c.StartBox || !c.EndBox || !c.StartBox->UMLClass || !c.EndBox->UMLClass) return;
    const std::string from = Alias(c.StartBox), to = Alias(c.EndBox);
    const std::string label = c.TextBox ? Joined(c.TextBox->Lines) : std::string();
    const std::string withLabel = label.empty() ? "" : " : " + label;
    switch (c.Kind) {
      case TConnectionKind::ClassInfo:
        if (!c.TextBox || c.TextBox->Lines.empty()) return;
        Line("note top of " + from);
        Lines(c.TextBox->Lines);
        Line("end note");
        return;
      case TConnectionKind::Ist:
        Line(to + " <|--" + End(c.StartText) + " " + from + withLabel);
        return;
      case TConnectionKind::Hat:
        Line(from + End(c.StartText) + " o--" + End(c.EndText) + " " + to + withLabel);
        return;
      case TConnectionKind::Kennt:
        Line(from + End(c.StartText) + " -->" + End(c.EndText) + " " + to + withLabel);
        return;
      case TConnectionKind::Auftrag:
        Line(from + " .[#800080].> " + to + " : " + (label.empty() ? "Auftrag" : label));
        return;
      case TConnectionKind::Anfrage:
        Line(from + " .[#008080].> " + to + " : " + (label.empty() ? "Anfrage" : label));
        return;
      default:
        return;
    }
  }

  const DiagramDocument& doc_;
  const int notation_;
  std::map<const TUMLDrawClass*, std::string> aliases_;
  std::string out_;
};

}  // namespace

std::string PlantUmlText(const DiagramDocument& doc) { return Writer(doc).Text(); }

}  // namespace zedro
