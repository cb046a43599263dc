#include "codegen/ClassDocumentation.h"

#include <cstdio>

#include "codegen/MethodKinds.h"
#include "diagram/ClassBox.h"
#include "diagram/Connection.h"
#include "diagram/ElementLists.h"
#include "model/Messages.h"
#include "model/UMLClass.h"
#include "model/Win1252.h"
#include "persistence/Files.h"

namespace zedro {

namespace {

const TUMLClass* ClassOf(const TUMLDrawClass* box) { return box ? box->UMLClass : nullptr; }

// Collects the lines with the font attributes in effect when each line is added.
class DocBuilder {
 public:
  DocBuilder() {
    font_.Name = "ARIAL";
    font_.Size = 10;
    font_.Color = RGB(0, 0, 255);
    font_.Bold = true;
  }
  void Style(bool bold, bool underline) {
    font_.Bold = bold;
    font_.Underline = underline;
  }
  void Size(int points) { font_.Size = points; }
  void Add(const std::string& line) { lines_.push_back({line, font_}); }
  TDocLines Take() { return std::move(lines_); }

 private:
  TFontSpec font_;
  TDocLines lines_;
};

const char* KindLabel(const TMethod& m) {
  switch (codegen::EffectiveKind(m)) {
    case TMethodKind::Constructor:
      return "Konstruktor ";
    case TMethodKind::Procedure:
      return "Auftrag     ";
    case TMethodKind::Function:
      return "Anfrage     ";
    case TMethodKind::Destructor:
      return "Destruktor  ";
    default:
      return "            ";
  }
}

// name(parameter : type, ...) [: result type]
std::string MethodHeading(const TMethod& m) {
  std::string heading = m.Name + "(";
  for (size_t i = 0; i < m.Parameters.size(); ++i) {
    if (i > 0) heading += ", ";
    heading += m.Parameters[i].Name + " : " + m.Parameters[i].TypeName;
  }
  heading += ")";
  if (!m.ResultType.empty()) heading += " : " + m.ResultType;
  return heading;
}

void AddTitleAndDescription(DocBuilder& doc, const TUMLClass& cls) {
  doc.Add("");
  doc.Size(12);
  doc.Style(true, true);
  doc.Add("Dokumentation der Klasse \"" + cls.Name + "\"");
  doc.Style(false, false);
  doc.Add("");

  doc.Size(10);
  doc.Style(true, false);
  doc.Add("Beschreibung der Klasse:");
  doc.Style(false, false);
  for (const std::string& line : cls.Documentation) doc.Add("  " + line);
  doc.Add("");
}

// "Bezugsklasse:    TA, TB." from the IST connections of the class.
void AddAncestors(DocBuilder& doc, const TUMLClass& cls, const TConnectionList& connections) {
  std::string ancestors = "Bezugsklasse:   ";
  bool anyAncestor = false;
  for (const TConnection* con : connections.Items) {
    if (!con || con->Kind != TConnectionKind::Ist || ClassOf(con->StartBox) != &cls) continue;
    const TUMLClass* end = ClassOf(con->EndBox);
    if (!end || end == &cls) continue;
    ancestors += " " + end->Name + ",";
    anyAncestor = true;
  }
  if (anyAncestor) {
    ancestors.back() = '.';
    doc.Add(ancestors);
    doc.Add("");
  }
}

// The partners of the class's HAT and KENNT relationships with their multiplicities.
void AddRelationships(DocBuilder& doc, const TUMLClass& cls, const TConnectionList& connections) {
  bool relationsHeading = false;
  auto relation = [&](const std::string& partner, const std::string& word,
                      const std::string& multiplicity) {
    if (!relationsHeading) {
      doc.Style(true, true);
      doc.Add("Objektbeziehungen");
      relationsHeading = true;
    }
    doc.Style(true, false);
    doc.Add(partner + "   (Beziehungstyp: " + word + W("Kardinalität ") + multiplicity + ")");
  };
  for (const TConnection* con : connections.Items) {
    if (!con || IsMessage(con->Kind)) continue;  // messages follow under their own heading
    const TUMLClass* start = ClassOf(con->StartBox);
    const TUMLClass* end = ClassOf(con->EndBox);
    if (!start || !end) continue;
    const bool kennt = con->Kind == TConnectionKind::Kennt;
    if (start == &cls && end != &cls && codegen::IsForwardRelationship(con->Kind) &&
        text::StrToIntDef(con->EndText, -1) != 0)
      relation(end->Name, kennt ? "Kennt, " : "Hat, ", con->EndText);
    if (end == &cls && start != &cls && kennt && text::StrToIntDef(con->StartText, -1) != 0)
      relation(start->Name, "Kennt, ", con->StartText);
  }
  if (relationsHeading) {
    doc.Style(false, false);
    doc.Add("");
  }
}

// The messages the class sends: Auftrag or Anfrage, with the method of the receiver they
// call ('TKonto   (Auftrag: einzahlen(betrag : int))').
void AddMessages(DocBuilder& doc, const TUMLClass& cls, const TConnectionList& connections) {
  bool messagesHeading = false;
  for (const TConnection* con : connections.Items) {
    if (!con || !IsMessage(con->Kind) || ClassOf(con->StartBox) != &cls) continue;
    const TUMLClass* receiver = ClassOf(con->EndBox);
    if (!receiver) continue;
    if (!messagesHeading) {
      doc.Style(true, true);
      doc.Add("Botschaften");
      messagesHeading = true;
    }
    const std::string kind = con->Kind == TConnectionKind::Auftrag ? "Auftrag" : "Anfrage";
    // A method that has left its class is no longer called.
    const TMethod* method =
        con->Method && receiver->Methods.Contains(con->Method) ? con->Method : nullptr;
    doc.Style(true, false);
    doc.Add(receiver->Name + "   (" + kind +
            (method ? ": " + MethodHeading(*method) : std::string(" ohne Methode")) + ")");
  }
  if (messagesHeading) {
    doc.Style(false, false);
    doc.Add("");
  }
}

void AddMembers(DocBuilder& doc, const TUMLClass& cls) {
  doc.Style(true, true);
  doc.Add("");
  doc.Add("Attribute");
  doc.Add("");
  for (const TAttribute* a : cls.Attributes.Items) {
    doc.Style(true, false);
    doc.Add(a->Name + " : " + a->TypeName);
    doc.Style(false, false);
    for (const std::string& line : a->Documentation) doc.Add("        " + line);
    doc.Add("");
  }

  doc.Add("");
  doc.Style(true, true);
  doc.Add("Protokoll der Dienste / Methoden");
  doc.Style(false, false);
  doc.Add("");
  for (const TMethod* m : cls.Methods.Items) {
    doc.Style(false, false);
    doc.Add(KindLabel(*m));
    doc.Style(true, false);
    doc.Add("   " + MethodHeading(*m));
    doc.Style(false, false);
    for (const std::string& line : m->Documentation) doc.Add("        " + line);
    doc.Add("");
  }
}

}  // namespace

TDocLines BuildClassDocumentation(const TUMLClass& cls, const TConnectionList& connections) {
  DocBuilder doc;
  AddTitleAndDescription(doc, cls);
  AddAncestors(doc, cls, connections);
  AddRelationships(doc, cls, connections);
  AddMessages(doc, cls, connections);
  AddMembers(doc, cls);
  return doc.Take();
}

std::string DocumentationFileName(const TUMLClass& cls) { return "Doku_" + cls.Name + ".rtf"; }

namespace {

// Text for an RTF group: control characters of RTF escaped, bytes outside printable ASCII
// as \'xx; line breaks inside a text become \line, tabs \tab.
std::string RtfText(const std::string& s) {
  std::string out;
  for (char ch : s) {
    const unsigned char b = static_cast<unsigned char>(ch);
    if (ch == '\\' || ch == '{' || ch == '}') {
      out += '\\';
      out += ch;
    } else if (ch == '\t') {
      out += "\\tab ";
    } else if (ch == '\n') {
      out += "\\line ";
    } else if (b < 0x20) {
      // Other control bytes have no meaning in a documentation line.
    } else if (b >= 0x7F) {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\'%02x", b);
      out += hex;
    } else {
      out += ch;
    }
  }
  return out;
}

int IndexOf(std::vector<std::string>& list, const std::string& s) {
  for (size_t i = 0; i < list.size(); ++i)
    if (list[i] == s) return static_cast<int>(i);
  list.push_back(s);
  return static_cast<int>(list.size() - 1);
}

int IndexOf(std::vector<TColor>& list, TColor c) {
  for (size_t i = 0; i < list.size(); ++i)
    if (list[i] == c) return static_cast<int>(i);
  list.push_back(c);
  return static_cast<int>(list.size() - 1);
}

}  // namespace

std::string WriteRtf(const TDocLines& lines) {
  std::vector<std::string> fonts;
  std::vector<TColor> colours;
  std::vector<std::pair<int, int>> refs;  // font and colour index of each line
  for (const TDocLine& line : lines) {
    // System colours (negative values) have no RGB value here: they print as black.
    TColor c = line.Font.Color < 0 ? kClBlack : line.Font.Color;
    refs.emplace_back(
        IndexOf(fonts, line.Font.Name.empty() ? std::string("ARIAL") : line.Font.Name),
        IndexOf(colours, c));
  }
  if (fonts.empty()) fonts.push_back("ARIAL");

  std::string out = "{\\rtf1\\ansi\\ansicpg1252\\deff0\n{\\fonttbl";
  for (size_t i = 0; i < fonts.size(); ++i)
    out += "{\\f" + text::IntToStr(static_cast<long long>(i)) + "\\fnil\\fcharset0 " +
           RtfText(fonts[i]) + ";}";
  out += "}\n{\\colortbl ;";
  for (TColor c : colours)
    out += "\\red" + text::IntToStr(c & 0xFF) + "\\green" + text::IntToStr((c >> 8) & 0xFF) +
           "\\blue" + text::IntToStr((c >> 16) & 0xFF) + ";";
  out += "}\n";
  for (size_t i = 0; i < lines.size(); ++i) {
    const TFontSpec& f = lines[i].Font;
    const int size = f.Size > 0 && f.Size < 1000 ? f.Size : 10;
    out += "\\pard\\plain\\f" + text::IntToStr(refs[i].first) + "\\fs" + text::IntToStr(size * 2) +
           "\\cf" + text::IntToStr(refs[i].second + 1);
    if (f.Bold) out += "\\b";
    if (f.Italic) out += "\\i";
    if (f.Underline) out += "\\ul";
    out += " " + RtfText(lines[i].Text) + "\\par\n";
  }
  out += "}\n";
  return out;
}

bool SaveDocumentation(const std::string& path, const TDocLines& lines, IMessages& messages) {
  if (WriteFileAtomically(path, WriteRtf(lines))) return true;
  messages.Message(MsgKind::Warning,
                   W("Abspeichern nicht möglich. Datei ist wahrscheinlich geöffnet."),
                   MsgButtons::Ok);
  return false;
}

SaveOutcome SaveDocumentationAsked(const std::string& path, const TDocLines& lines,
                                   IMessages& messages) {
  if (FileExists(path) &&
      messages.Message(
          MsgKind::Warning,
          "Die Datei '" + path + "' existiert schon !   ...    Soll sie ersetzt werden ?",
          MsgButtons::YesNo) != MsgResult::Yes)
    return SaveOutcome::Declined;
  return SaveDocumentation(path, lines, messages) ? SaveOutcome::Saved : SaveOutcome::Failed;
}

}  // namespace zedro
