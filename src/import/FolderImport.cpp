#include "import/FolderImport.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <map>
#include <memory>
#include <system_error>

#include "diagram/ConnectionRouting.h"
#include "diagram/DiagramDocument.h"
#include "diagram/RecordingCanvas.h"
#include "diagram/Redraw.h"
#include "import/JavaParser.h"
#include "import/PascalParser.h"
#include "model/Messages.h"
#include "model/Win1252.h"
#include "persistence/Files.h"

namespace zedro {
namespace {

bool HasExtension(const std::string& name, std::string_view extension) {
  return name.size() > extension.size() &&
         text::EqualsIgnoreCase(std::string_view(name).substr(name.size() - extension.size()),
                                extension);
}

bool IsSourceOf(const std::string& name, int language) {
  if (language == 2) return HasExtension(name, ".java");
  return HasExtension(name, ".pas") || HasExtension(name, ".pp");
}

std::string WithSeparator(const std::string& dir) {
  if (dir.empty() || dir.back() == '/' || dir.back() == '\\') return dir;
  return dir + "/";
}

// The parsers' messages go into the notes of the import (each with its file); their
// questions are answered No, their choices cancelled.
class CollectingMessages : public IMessages {
 public:
  CollectingMessages(IMessages& outer, std::vector<std::string>& notes)
      : outer_(outer), notes_(notes) {}
  MsgResult Message(MsgKind, const std::string& text, MsgButtons buttons) override {
    std::string line = file + ": ";
    for (char c : text) {
      if (c == '\n') {
        if (!line.empty() && line.back() != ' ') line += ' ';
      } else if (c != '\r') {
        line += c;
      }
    }
    notes_.push_back(line);
    if (buttons == MsgButtons::Ok) return MsgResult::Ok;
    if (buttons == MsgButtons::Yes) return MsgResult::Yes;
    return MsgResult::No;
  }
  int ChooseFromList(const std::string&, const std::vector<std::string>&, const std::string&,
                     const std::string&) override {
    return -1;
  }
  void Status(const std::string& text) override { outer_.Status(text); }

  std::string file;

 private:
  IMessages& outer_;
  std::vector<std::string>& notes_;
};

struct ReadClass {
  std::unique_ptr<TUMLClass> cls;
  std::string file;
};

void ReadFile(const std::string& path, int language, CollectingMessages& messages,
              std::vector<ReadClass>& out) {
  const std::string file = FileNamePart(path);
  if (language == 2) {
    TJavaParser parser(path, messages);
    auto cls = parser.Parse();
    // A file without a class heading the parser understands (an interface, only
    // comments) yields the parser's placeholder class: no box for it.
    const bool headless = parser.SyntaxError && cls && cls->Name == "NONAME";
    if (cls && !cls->Name.empty() && !headless) out.push_back({std::move(cls), file});
    return;
  }
  TSourceParser parser(path, messages);
  std::vector<std::unique_ptr<TUMLClass>> classes;
  while (auto cls = parser.ReadNextClass()) classes.push_back(std::move(cls));
  for (auto& cls : classes) {
    parser.SetClass(cls.get());
    parser.ReadMethodBodies();
    parser.ReadInterfaceUses();
    parser.ReadImplementationUses();
    out.push_back({std::move(cls), file});
  }
}

// A plain name from a type or ancestor text: without generic arguments, unit or package.
std::string PlainName(std::string_view s) {
  std::string t = text::Trim(s);
  if (size_t lt = t.find('<'); lt != std::string::npos) t = text::Trim(t.substr(0, lt));
  if (size_t dot = t.find_last_of('.'); dot != std::string::npos) t = t.substr(dot + 1);
  return t;
}

// The class an attribute's type refers to, and how many objects of it the attribute
// holds: 1, a fixed number (array[1..4] of T gives 4) or -1 for many.
struct TypeTarget {
  std::string name;
  int count = 1;
};

TypeTarget TargetOf(const std::string& typeName) {
  std::string t = text::Trim(typeName);
  TypeTarget target;
  // Java arrays.
  bool array = false;
  while (t.size() >= 2 && t.compare(t.size() - 2, 2, "[]") == 0) {
    t = text::Trim(t.substr(0, t.size() - 2));
    array = true;
  }
  std::string lower = text::LowerAscii(t);
  if (lower.rfind("specialize ", 0) == 0) {
    t = text::Trim(t.substr(11));
    lower = text::LowerAscii(t);
  }
  if (lower.rfind("array", 0) == 0) {
    const size_t of = lower.rfind(" of ");
    if (of == std::string::npos) return {};
    // Bounds "[ 1 .. 4 ]" give a fixed count.
    const size_t open = lower.find('['), close = lower.find(']');
    target.count = -1;
    if (open != std::string::npos && close != std::string::npos && open < close) {
      const std::string bounds = text::RemoveBlanks(lower.substr(open + 1, close - open - 1));
      const size_t dots = bounds.find("..");
      if (dots != std::string::npos && bounds.find(',') == std::string::npos) {
        const int lo = text::StrToIntDef(bounds.substr(0, dots), -1);
        const int hi = text::StrToIntDef(bounds.substr(dots + 2), -2);
        if (lo >= 0 && hi >= lo) target.count = hi - lo + 1;
      }
    }
    target.name = TargetOf(t.substr(of + 4)).name;
    return target;
  }
  // Generic containers: List<T>, TObjectList<T>, Map<K, V> (the values).
  const size_t lt = t.find('<'), gt = t.rfind('>');
  if (lt != std::string::npos && gt != std::string::npos && lt < gt) {
    std::string inner = t.substr(lt + 1, gt - lt - 1);
    int depth = 0;
    size_t lastComma = std::string::npos;
    for (size_t i = 0; i < inner.size(); ++i) {
      if (inner[i] == '<') ++depth;
      if (inner[i] == '>') --depth;
      if (inner[i] == ',' && depth == 0) lastComma = i;
    }
    if (lastComma != std::string::npos) inner = inner.substr(lastComma + 1);
    target.name = TargetOf(inner).name;
    target.count = -1;
    return target;
  }
  target.name = PlainName(t);
  if (array) target.count = -1;
  return target;
}

bool IsIdentifierChar(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
         c == '_' || static_cast<unsigned char>(c) >= 0x80;
}

// True when a method body of the class creates an object of that class: "T.Create" in a
// unit (letter case ignored), "new T" in a Java source.
bool CreatesObjectOf(const TUMLClass& cls, const std::string& target, int language) {
  const std::string wanted = language == 2 ? "new " + target : text::LowerAscii(target) + ".create";
  for (const TMethod* m : cls.Methods.Items)
    for (const std::string& raw : m->Code) {
      const std::string line = language == 2 ? raw : text::LowerAscii(raw);
      for (size_t p = line.find(wanted); p != std::string::npos; p = line.find(wanted, p + 1)) {
        const size_t end = p + wanted.size();
        const bool startOk = p == 0 || !IsIdentifierChar(line[p - 1]);
        const bool endOk = end == line.size() || !IsIdentifierChar(line[end]);
        if (startOk && endOk) return true;
      }
    }
  return false;
}

TConnectionKind KindForAttribute(const TUMLClass& cls, const TAttribute& a,
                                 const std::string& target, int language) {
  const std::string name = text::LowerAscii(text::Trim(a.Name));
  if (name.rfind("kennt", 0) == 0) return TConnectionKind::Kennt;
  if (name.rfind("hat", 0) == 0) return TConnectionKind::Hat;
  return CreatesObjectOf(cls, target, language) ? TConnectionKind::Hat : TConnectionKind::Kennt;
}

// Rows in the order given, for when there is no graph layout.
void PlaceInRows(const std::vector<layout::Node>& nodes, std::vector<layout::Position>& positions) {
  constexpr int kGap = 40;
  double area = 0;
  for (const auto& n : nodes) area += double(n.width + kGap) * (n.height + kGap);
  const int rowWidth = static_cast<int>(std::sqrt(area * 1.6));
  positions.assign(nodes.size(), {});
  int x = 0, y = 0, rowHeight = 0;
  for (size_t i = 0; i < nodes.size(); ++i) {
    if (x > 0 && x + nodes[i].width > rowWidth) {
      x = 0;
      y += rowHeight + kGap;
      rowHeight = 0;
    }
    positions[i] = {x, y};
    x += nodes[i].width + kGap;
    rowHeight = std::max(rowHeight, nodes[i].height);
  }
}

}  // namespace

std::vector<std::string> FolderSourceFiles(const std::string& dir, int language, bool* readable) {
  namespace fs = std::filesystem;
  std::vector<std::string> files;
  std::error_code ec;
  fs::directory_iterator it(fs::path(text::ToUtf8(dir)), ec);
  if (readable) *readable = !ec;
  if (ec) return files;
  for (; it != fs::directory_iterator(); it.increment(ec)) {
    if (ec) break;
    std::error_code fileError;
    if (!it->is_regular_file(fileError)) continue;
    const std::string name = text::FromUtf8(it->path().filename().string());
    if (IsSourceOf(name, language)) files.push_back(name);
  }
  std::sort(files.begin(), files.end(), [](const std::string& a, const std::string& b) {
    const int c = text::CompareIgnoreCase(a, b);
    return c != 0 ? c < 0 : a < b;
  });
  return files;
}

int FolderLanguage(const std::string& dir) {
  return FolderSourceFiles(dir, 1).empty() && !FolderSourceFiles(dir, 2).empty() ? 2 : 1;
}

FolderImportResult ImportClassFolder(DiagramDocument& doc, const std::string& dir, int language,
                                     const GraphLayoutFunction& layOut, IMessages& messages) {
  FolderImportResult result;
  result.language = language;
  const std::string folder = WithSeparator(dir);
  const std::vector<std::string> files = FolderSourceFiles(folder, language, &result.readable);
  if (!result.readable) return result;

  // 1. Every class of every file; a name already taken is left out.
  std::map<std::string, TUMLDrawClass*> byName;  // lower-cased name, the last box wins
  for (TUMLDrawClass* box : doc.DrawClasses.Items)
    if (!box->IsObjectBox() && box->UMLClass) byName[text::LowerAscii(box->UMLClass->Name)] = box;
  const std::vector<TUMLDrawClass*> oldBoxes = doc.DrawClasses.Items;
  CollectingMessages collector(messages, result.notes);
  std::vector<ReadClass> read;
  for (const std::string& file : files) {
    if (static_cast<int>(read.size()) >= kMaxFolderClasses) break;
    collector.file = file;
    ReadFile(folder + file, language, collector, read);
    ++result.files;
  }
  if (static_cast<int>(read.size()) > kMaxFolderClasses || result.files < static_cast<int>(files.size())) {
    result.truncated = true;
    if (static_cast<int>(read.size()) > kMaxFolderClasses) read.resize(kMaxFolderClasses);
  }
  for (ReadClass& r : read) {
    const std::string key = text::LowerAscii(r.cls->Name);
    if (byName.count(key)) {
      result.skipped.push_back(r.cls->Name + " (" + r.file + ")");
      continue;
    }
    TUMLDrawClass* box = doc.AddClassBox(std::move(r.cls));
    box->SourceFileName = r.file;
    box->SourceFileAge = FileAge(folder + r.file);
    byName[key] = box;
    result.boxes.push_back(box);
  }
  messages.Status("");
  if (result.boxes.empty()) return result;

  // 2. Connections: IST to an ancestor, HAT or KENNT for attributes of a class's type.
  std::map<const TUMLDrawClass*, int> nodeOf;
  for (size_t i = 0; i < result.boxes.size(); ++i) nodeOf[result.boxes[i]] = static_cast<int>(i);
  std::vector<layout::Edge> edges;
  std::vector<TConnection*> made;
  auto connect = [&](TUMLDrawClass* from, TUMLDrawClass* to, TConnectionKind kind) {
    TConnection* c = doc.AddConnection(from, 6, to, 28, kind);
    c->Color = DefaultConnectionColor(kind);
    made.push_back(c);
    auto a = nodeOf.find(from), b = nodeOf.find(to);
    if (a != nodeOf.end() && b != nodeOf.end()) {
      // An ancestor stands above its descendants.
      if (kind == TConnectionKind::Ist)
        edges.push_back({b->second, a->second, true});
      else
        edges.push_back({a->second, b->second, false});
    }
    return c;
  };
  for (TUMLDrawClass* box : result.boxes) {
    const TUMLClass& cls = *box->UMLClass;
    if (!cls.AncestorName.empty()) {
      auto it = byName.find(text::LowerAscii(PlainName(cls.AncestorName)));
      if (it != byName.end() && it->second != box) {
        connect(box, it->second, TConnectionKind::Ist);
        ++result.inheritance;
      }
    }
    // One connection per partner and kind, with all its attributes.
    struct Link {
      TUMLDrawClass* partner;
      TConnectionKind kind;
      int count;
      std::vector<TAttribute*> attributes;
    };
    std::vector<Link> links;
    for (TAttribute* a : cls.Attributes.Items) {
      const TypeTarget target = TargetOf(a->TypeName);
      if (target.name.empty()) continue;
      auto it = byName.find(text::LowerAscii(target.name));
      if (it == byName.end() || it->second == box) continue;
      const TConnectionKind kind = KindForAttribute(cls, *a, it->second->UMLClass->Name, language);
      auto link = std::find_if(links.begin(), links.end(), [&](const Link& l) {
        return l.partner == it->second && l.kind == kind;
      });
      if (link == links.end()) {
        links.push_back({it->second, kind, 0, {}});
        link = links.end() - 1;
      }
      link->count = link->count < 0 || target.count < 0 ? -1 : link->count + target.count;
      link->attributes.push_back(a);
    }
    for (const Link& l : links) {
      TConnection* c = connect(box, l.partner, l.kind);
      for (TAttribute* a : l.attributes) c->Attributes.Add(a);
      c->EndText = l.count < 0 ? "*" : text::IntToStr(l.count);
      ++(l.kind == TConnectionKind::Hat ? result.aggregations : result.associations);
    }
  }

  // 3. Sizes: every new box painted once on the document's canvas.
  RecordingCanvas fixedMetrics;
  Canvas* const previous = doc.Surface.canvas;
  if (!previous) doc.Surface.canvas = &fixedMetrics;
  std::vector<layout::Node> nodes;
  for (TUMLDrawClass* box : result.boxes) {
    box->Paint();
    nodes.push_back({box->Right - box->Left, box->Bottom - box->Top});
  }
  doc.Surface.canvas = previous;

  // 4. Places, below whatever the diagram showed before.
  std::vector<layout::Position> positions;
  result.laidOut =
      layOut && layOut(nodes, edges, positions, result.layoutError) && positions.size() == nodes.size();
  if (!result.laidOut) PlaceInRows(nodes, positions);
  int top = 20;
  for (const TUMLDrawClass* box : oldBoxes) top = std::max(top, box->Bottom + 60);
  for (const TInfoBox* info : doc.InfoBoxes.Items) top = std::max(top, info->Bottom + 60);
  for (size_t i = 0; i < result.boxes.size(); ++i) {
    TUMLDrawClass* box = result.boxes[i];
    box->Left = 20 + positions[i].x;
    box->Top = top + positions[i].y;
    box->Right = box->Left + nodes[i].width;
    box->Bottom = box->Top + nodes[i].height;
    result.right = std::max(result.right, box->Right);
    result.bottom = std::max(result.bottom, box->Bottom);
  }
  for (TConnection* c : made) AttachFacingBorderPoints(*c, doc.DrawClasses.Items);
  SeparateSharedBorderPoints(made);
  doc.CurrentBox = result.boxes.back();
  doc.CurrentClass = doc.CurrentBox->UMLClass;
  doc.Saved = false;
  return result;
}

std::string FolderImportSummary(const FolderImportResult& result, const std::string& dir,
                                size_t notesShown) {
  if (!result.readable) return "Der Ordner '" + dir + "' kann nicht gelesen werden.";
  if (result.files == 0)
    return "Im Ordner '" + dir + "' gibt es keine " +
           (result.language == 2 ? "Java-Quelltexte (*.java)." : "Delphi-Units (*.pas, *.pp).");
  std::string s = text::IntToStr(static_cast<long long>(result.boxes.size())) + " Klasse" +
                  (result.boxes.size() == 1 ? "" : "n") + " aus " + text::IntToStr(result.files) +
                  (result.files == 1 ? " Datei" : " Dateien") + " eingelesen, " +
                  text::IntToStr(result.inheritance) + " IST-, " +
                  text::IntToStr(result.aggregations) + " HAT- und " +
                  text::IntToStr(result.associations) + " KENNT-Beziehungen.";
  if (result.truncated)
    s += "\n\nMehr als " + text::IntToStr(kMaxFolderClasses) +
         W(" Klassen werden nicht auf einmal eingelesen; die übrigen fehlen.");
  if (!result.skipped.empty()) {
    s += W("\n\nNicht eingelesen, weil es die Klasse schon gibt: ");
    for (size_t i = 0; i < result.skipped.size(); ++i) s += (i ? ", " : "") + result.skipped[i];
  }
  if (result.right > kMaxSurfaceExtent || result.bottom > kMaxSurfaceExtent)
    s += W("\n\nDas Diagramm ist größer als die Zeichenfläche (") +
         text::IntToStr(kMaxSurfaceExtent) + " x " + text::IntToStr(kMaxSurfaceExtent) +
         W(" Bildpunkte); Kästen außerhalb sind nicht zu sehen. Ein Ordner mit weniger Klassen "
           "ergibt ein übersichtlicheres Diagramm.");
  if (!result.laidOut && !result.boxes.empty())
    s += W("\n\nDie Klassen konnten nicht automatisch angeordnet werden und stehen in Reihen.");
  if (!result.notes.empty()) {
    s += "\n\nHinweise beim Einlesen: " + text::IntToStr(static_cast<long long>(result.notes.size()));
    for (size_t i = 0; i < result.notes.size() && i < notesShown; ++i) s += "\n" + result.notes[i];
    if (notesShown > 0 && result.notes.size() > notesShown) s += W("\n…");
  }
  return s;
}

}  // namespace zedro
