#include "persistence/DiagramFile.h"

#include <unordered_map>

#include "diagram/BorderPointIndex.h"
#include "diagram/DiagramDocument.h"
#include "model/Messages.h"
#include "model/Notation.h"
#include "model/Win1252.h"
#include "persistence/Files.h"
#include "persistence/MappedFile.h"
#include "persistence/SavePositions.h"
#include "persistence/ValueStream.h"

namespace zedro {
namespace {

void SortAllMembers(DiagramDocument& doc) {
  for (TUMLDrawClass* box : doc.DrawClasses.Items) {
    if (box->OwnsClass() && box->UMLClass) box->UMLClass->SortMembers();
    if (box->IsObjectBox() && box->UMLClass)
      static_cast<TUMLDrawObject*>(box)->Values.Rebuild(&box->UMLClass->Attributes);
  }
  for (TConnection* c : doc.Connections.Items) c->Attributes.Sort();
}

// Reads the connections and info boxes of a diagram whose boxes are read. Each element is
// created on the surface, read, and only then put into its list: an element whose record
// breaks off stays out of the diagram.
void ReadConnectionsAndInfoBoxes(DiagramDocument& doc, ValueReader& r, int v, int connections,
                                 int infoBoxes, ILoadObserver* observer) {
  std::unique_ptr<TBorderPointIndex> pointIndex;
  if (v <= 140 && connections > 0)
    pointIndex = std::make_unique<TBorderPointIndex>(doc.DrawClasses);
  for (int i = 0; i < connections; ++i) {
    TConnection* c =
        TConnection::Create(nullptr, nullptr, 1, 1, TConnectionKind::ClassInfo, &doc.DrawClasses, &doc.Surface);
    c->Load(r, v, pointIndex.get());
    if (c->StartBox && c->EndBox) {
      if (observer && !observer->ConnectionRead(*c, r.Position())) {
        doc.Surface.Destroy(c);
        continue;
      }
      doc.Connections.Add(c);
    } else {
      // An old connection whose ends lie at no border point can be neither drawn nor saved.
      doc.Surface.Destroy(c);
      r.Messages().Message(MsgKind::Warning, W("Eine Beziehung ließ sich keiner Klasse zuordnen "
                                               "und wurde entfernt."));
    }
  }
  for (int i = 0; i < infoBoxes; ++i) {
    TInfoBox* box = TInfoBox::Create(0, 0, &doc.Surface);
    box->Load(r);
    doc.InfoBoxes.Add(box);
  }
}

void ReadElements(DiagramDocument& doc, ValueReader& r, int v, int boxes, int connections,
                  int infoBoxes, ILoadObserver* observer) {
  if (observer) observer->ElementsAhead(doc, boxes, connections, infoBoxes);
  doc.DrawClasses.Items.reserve(static_cast<size_t>(boxes));
  doc.Connections.Items.reserve(static_cast<size_t>(connections));
  doc.InfoBoxes.Items.reserve(static_cast<size_t>(infoBoxes));
  for (int i = 0; i < boxes; ++i) {
    auto cls = std::make_unique<TUMLClass>("dummy");
    TUMLDrawClass* box = TUMLDrawClass::Create(50, 50, &doc.Connections, &doc.Surface, cls.get());
    box->OwnClass(std::move(cls));
    box->Load(r, v);
    doc.DrawClasses.Add(box);
    doc.CurrentBox = box;
    if (v < 142) box->Options.Assign(doc.ClassOptions);
    if (observer) observer->BoxRead(*box, r.Position());
  }
  ReadConnectionsAndInfoBoxes(doc, r, v, connections, infoBoxes, observer);
}

}  // namespace

LoadResult ReadDiagram(DiagramDocument& doc, std::string_view bytes, const std::string& path,
                       IMessages& messages, const LoadOptions& options) {
  LoadResult result;
  doc.FileName = path;
  doc.ProjectDir = DirectoryPart(path);
  ValueReader r(bytes, messages);
  try {
    int v = r.ReadInteger();
    result.version = v;
    doc.LoadedVersion = v;
    if (v < kDiagramVersion)
      messages.Message(MsgKind::Warning, "Altes Diagramm. Typ: " + text::IntToStr(v));
    if (v > kDiagramVersion) {
      messages.Message(
          MsgKind::Information,
          "Diagramm hat den Typ: " + text::IntToStr(v) +
              "\nIhre Zedro-Version ist veraltet!\n\ndie aktuelle Version erhalten Sie "
              "bei " +
              W("Ihrer Lehrkraft oder den Herausgebern von Zedro."));
      v = kDiagramVersion;
    }
    if (v < 134) {
      messages.Message(MsgKind::Error,
                       "Zedro-Datei hat die falsche Versionsnummer :'" + text::IntToStr(v) + "'");
      return result;
    }
    if (v > 181) {
      int language = r.ReadInteger() == 2 ? 2 : 1;
      if (language != options.languageOfMainWindow && options.switchLanguage) {
        options.switchLanguage(language);
      } else if (!options.switchLanguage) {
        ActiveNotation::Set(language);
      }
      doc.Language = language;
    }
    doc.ClassOptions.Load(r, v);
    doc.ConnectionOptions.Load(r, v);
    doc.ClearElements();
    int b = r.ReadCount(8);
    int c = r.ReadCount(4);
    int i = v > 150 ? r.ReadCount(10) : 0;
    ReadElements(doc, r, v, b, c, i, options.observer);
    if (v > 153) {
      int s = r.ReadCount(8);
      for (int k = 0; k < s; ++k) ReadSubDiagram(doc, r, v, options);
    }
    result.completed = true;
  } catch (const StreamError& e) {
    if (*e.what()) messages.Message(MsgKind::Error, e.what());
  }
  SortAllMembers(doc);
  for (auto& sub : doc.SubDiagrams) SortAllMembers(*sub);
  if (doc.DrawClasses.Count() > 0) {
    doc.CurrentBox = doc.DrawClasses.At(doc.DrawClasses.Count() - 1);
    doc.CurrentClass = doc.CurrentBox->UMLClass;
  }
  doc.AssertParents();
  doc.Saved = true;
  return result;
}

namespace {

void CannotOpen(IMessages& messages, const std::string& path, const std::string& error) {
  messages.Message(MsgKind::Error,
                   "Die Datei '" + path + W("' kann nicht geöffnet werden.\n") + error);
}

// Lets go of the file's pages behind the reader, then passes on what it sees.
class ReleasingObserver : public ILoadObserver {
 public:
  ReleasingObserver(MappedFile& file, ILoadObserver* next) : file_(file), next_(next) {}
  void ElementsAhead(DiagramDocument& doc, int boxes, int connections, int infoBoxes) override {
    if (next_) next_->ElementsAhead(doc, boxes, connections, infoBoxes);
  }
  void BoxRead(TUMLDrawClass& box, size_t bytesRead) override {
    file_.ReleaseBefore(bytesRead);
    if (next_) next_->BoxRead(box, bytesRead);
  }
  bool ConnectionRead(TConnection& c, size_t bytesRead) override {
    file_.ReleaseBefore(bytesRead);
    return !next_ || next_->ConnectionRead(c, bytesRead);
  }

 private:
  MappedFile& file_;
  ILoadObserver* next_;
};

}  // namespace

LoadResult LoadDiagramFile(DiagramDocument& doc, const std::string& path, IMessages& messages,
                           const LoadOptions& options) {
  std::string bytes, error;
  if (!ReadFileBytes(path, bytes, &error)) {
    CannotOpen(messages, path, error);
    return {};
  }
  return ReadDiagram(doc, bytes, path, messages, options);
}

LoadResult StreamDiagramFile(DiagramDocument& doc, const std::string& path, IMessages& messages,
                             const LoadOptions& options) {
  MappedFile file;
  std::string error;
  if (!file.Open(path, &error)) {
    CannotOpen(messages, path, error);
    return {};
  }
  ReleasingObserver releasing(file, options.observer);
  LoadOptions streaming = options;
  streaming.observer = &releasing;
  return ReadDiagram(doc, file.Bytes(), path, messages, streaming);
}

namespace {

// Position of the last main box of each class, for the class indices of sub-diagram boxes.
using ClassPositions = std::unordered_map<const TUMLClass*, int>;

ClassPositions ClassPositionsOf(const DiagramDocument& main) {
  ClassPositions positions;
  for (int i = 0; i < main.DrawClasses.Count(); ++i)
    positions[main.DrawClasses.At(i)->UMLClass] = i;
  return positions;
}

void WriteSubDiagram(ValueWriter& w, const DiagramDocument& sub, const ClassPositions& classIndex) {
  w.WriteString(sub.FileName);
  sub.ClassOptions.Save(w);
  sub.ConnectionOptions.Save(w);
  w.WriteInteger(sub.DrawClasses.Count());
  w.WriteInteger(sub.Connections.Count());
  w.WriteInteger(sub.InfoBoxes.Count());
  for (const TUMLDrawClass* box : sub.DrawClasses.Items) {
    w.WriteInteger(box->Left);
    w.WriteInteger(box->Top);
    w.WriteInteger(box->Right);
    w.WriteInteger(box->Bottom);
    auto k = classIndex.find(box->UMLClass);
    w.WriteInteger(k == classIndex.end() ? -1 : k->second);
    w.WriteBoolean(box->IsObjectBox());
    if (box->IsObjectBox()) {
      const auto* object = static_cast<const TUMLDrawObject*>(box);
      w.WriteString(object->ObjectName);
      // The values are restored by position against the class's attributes, so they are
      // written in the order of those attributes as they are now, even when the class
      // changed since the object's values were last brought in line with it.
      std::unordered_map<const TAttribute*, const std::string*> values;
      for (int i = 0; i < object->Values.Count(); ++i)
        values[object->Values.AttributeAt(i)] = &object->Values.ValueAt(i);
      const TAttributeList& attributes = box->UMLClass->Attributes;
      w.WriteInteger(attributes.Count());
      for (const TAttribute* a : attributes.Items) {
        auto it = values.find(a);
        w.WriteString(it == values.end() ? std::string("-") : *it->second);
      }
    }
    box->Options.Save(w);
  }
  SavePositions positions(sub.DrawClasses);
  for (const TConnection* c : sub.Connections.Items) c->Save(w, positions);
  for (const TInfoBox* i : sub.InfoBoxes.Items) i->Save(w);
}

}  // namespace

void WriteSubDiagram(ValueWriter& w, const DiagramDocument& sub, const DiagramDocument& main) {
  WriteSubDiagram(w, sub, ClassPositionsOf(main));
}

DiagramDocument& ReadSubDiagram(DiagramDocument& main, ValueReader& r, int v,
                                const LoadOptions& options) {
  std::string name;
  if (v > 170) {
    name = r.ReadString();
  } else {
    name = FileNamePart(main.FileName);
    if (name.size() >= 4 && text::LowerAscii(name.substr(name.size() - 4)) == ".urd")
      name.resize(name.size() - 3);
    name += " Unterdiagramm " + text::IntToStr(static_cast<long long>(main.SubDiagrams.size()) + 1);
  }
  DiagramDocument& sub = *main.AddSubDiagram(name);
  sub.Language = main.Language;
  sub.LoadedVersion = main.LoadedVersion;
  if (options.subDiagramCreated) options.subDiagramCreated(sub);
  sub.ClassOptions.Load(r, v);
  sub.ConnectionOptions.Load(r, v);
  int b = r.ReadCount(8);
  int c = r.ReadCount(4);
  int infoCount = r.ReadCount(10);
  for (int i = 0; i < b; ++i) {
    int left = r.ReadInteger();
    int top = r.ReadInteger();
    int right = r.ReadInteger();
    int bottom = r.ReadInteger();
    int k = r.ReadInteger();
    TUMLDrawClass* owner = main.DrawClasses.Get(k, &r.Messages());
    if (!owner || !owner->UMLClass) throw StreamError("");
    TUMLClass* cls = owner->UMLClass;
    bool isObject = v >= 176 && r.ReadBoolean();
    TUMLDrawClass* box;
    if (isObject) {
      // A value for every attribute of the class; those the file has no text for cost no
      // bytes, so the reader keeps count of them.
      r.Allot(static_cast<size_t>(cls->Attributes.Count()));
      TUMLDrawObject* object = TUMLDrawObject::Create(50, 50, &sub.Connections, &sub.Surface, cls);
      object->ObjectName = r.ReadString();
      // The class's members are still in file order here, as the values were written.
      object->Values.Rebuild(&cls->Attributes);
      int n = r.ReadCount(2);
      for (int j = 0; j < n; ++j) {
        std::string value = r.ReadString();
        if (j >= object->Values.Count()) throw StreamError(InvalidValueText());
        object->Values.Item(j).Value = std::move(value);
      }
      box = object;
    } else {
      box = TUMLDrawClass::Create(50, 50, &sub.Connections, &sub.Surface, cls);
    }
    box->Left = left;
    box->Top = top;
    box->Right = right;
    box->Bottom = bottom;
    box->Options.Load(r, v);
    sub.DrawClasses.Add(box);
    sub.CurrentClass = cls;
    sub.CurrentBox = box;
  }
  ReadConnectionsAndInfoBoxes(sub, r, v, c, infoCount, nullptr);
  sub.AssertParents();
  sub.Saved = true;
  return sub;
}

namespace {

// Room for the bytes of a diagram, generous for usual classes: room that is never written
// costs no memory, a buffer that proves too small is copied into a larger one.
size_t ExpectedBytes(const DiagramDocument& doc) {
  size_t n = 4096;
  for (const TUMLDrawClass* box : doc.DrawClasses.Items) {
    n += 400;
    if (box->UMLClass)
      n += 64 *
           static_cast<size_t>(box->UMLClass->Attributes.Count() + box->UMLClass->Methods.Count());
  }
  n += 200 * doc.Connections.Items.size() + 150 * doc.InfoBoxes.Items.size();
  for (const auto& sub : doc.SubDiagrams)
    n += 120 * sub->DrawClasses.Items.size() + 200 * sub->Connections.Items.size() +
         150 * sub->InfoBoxes.Items.size();
  return n;
}

}  // namespace

std::string DiagramToBytes(const DiagramDocument& doc, std::string buffer) {
  // A buffer that was given is used as it is: it is usually the file just read.
  if (buffer.capacity() == std::string().capacity()) buffer.reserve(ExpectedBytes(doc));
  ValueWriter w(std::move(buffer));
  WriteDiagramHeader(w, doc, doc.DrawClasses.Count(), doc.Connections.Count(),
                     doc.InfoBoxes.Count());
  for (const TUMLDrawClass* box : doc.DrawClasses.Items) box->Save(w);
  WriteRecordsAfterBoxes(w, doc);
  return w.TakeBytes();
}

void WriteDiagramHeader(ValueWriter& w, const DiagramDocument& doc, int boxes, int connections,
                        int infoBoxes) {
  w.WriteInteger(kDiagramVersion);
  w.WriteInteger(doc.Language == 2 ? 2 : doc.Language == 1 ? 1 : 0);
  doc.ClassOptions.Save(w);
  doc.ConnectionOptions.Save(w);
  w.WriteInteger(boxes);
  w.WriteInteger(connections);
  w.WriteInteger(infoBoxes);
}

void WriteRecordsAfterBoxes(ValueWriter& w, const DiagramDocument& doc) {
  SavePositions positions(doc.DrawClasses);
  for (const TConnection* c : doc.Connections.Items) c->Save(w, positions);
  for (const TInfoBox* i : doc.InfoBoxes.Items) i->Save(w);
  w.WriteInteger(doc.IsMainDiagram ? static_cast<int>(doc.SubDiagrams.size()) : 0);
  if (doc.IsMainDiagram) {
    ClassPositions classIndex = ClassPositionsOf(doc);
    for (const auto& sub : doc.SubDiagrams) WriteSubDiagram(w, *sub, classIndex);
  }
}

bool WriteDiagramFile(DiagramDocument& doc, const std::string& path, IMessages& messages) {
  messages.Message(MsgKind::Information, "Speichere Diagramm unter: " + path);
  doc.FileName = path;
  std::string error;
  if (!WriteFileAtomically(path, DiagramToBytes(doc), &error)) {
    messages.Message(MsgKind::Error,
                     "Die Datei '" + path + "' kann nicht geschrieben werden.\n" + error);
    return false;
  }
  doc.Saved = true;
  doc.HasFileName = true;
  for (auto& sub : doc.SubDiagrams) sub->Saved = true;
  return true;
}

std::unique_ptr<TUMLClass> ReadClassFile(const std::string& path, IMessages& messages) {
  std::string bytes, error;
  if (!ReadFileBytes(path, bytes, &error)) {
    messages.Message(MsgKind::Error,
                     "Die Datei '" + path + W("' kann nicht geöffnet werden.\n") + error);
    return nullptr;
  }
  ValueReader r(bytes, messages);
  auto cls = std::make_unique<TUMLClass>("dummy");
  try {
    cls->Load(r, kDiagramVersion);
  } catch (const StreamError& e) {
    if (*e.what()) messages.Message(MsgKind::Error, e.what());
    return nullptr;
  }
  cls->SortMembers();
  return cls;
}

bool WriteClassFile(const TUMLClass& cls, const std::string& path, IMessages& messages) {
  ValueWriter w;
  cls.Save(w);
  std::string error;
  if (!WriteFileAtomically(path, w.Bytes(), &error)) {
    messages.Message(MsgKind::Error,
                     "Die Datei '" + path + "' kann nicht geschrieben werden.\n" + error);
    return false;
  }
  return true;
}

}  // namespace zedro
