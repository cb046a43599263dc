#include "diagram/DiagramDocument.h"

namespace zedro {

DiagramDocument::DiagramDocument(DiagramDocument* main)
    : IsMainDiagram(main == nullptr), Main(main), Surface(this) {}

DiagramDocument::~DiagramDocument() {
  SubDiagrams.clear();
  Surface.DestroyAll();
}

TUMLDrawClass* DiagramDocument::AddClassBox(std::unique_ptr<TUMLClass> cls, int x, int y) {
  TUMLClass* raw = cls.get();
  TUMLDrawClass* box = TUMLDrawClass::Create(x, y, &Connections, &Surface, raw);
  box->OwnClass(std::move(cls));
  DrawClasses.Add(box);
  return box;
}

TUMLDrawClass* DiagramDocument::AddBoxForClass(TUMLClass* cls, int x, int y) {
  TUMLDrawClass* box = TUMLDrawClass::Create(x, y, &Connections, &Surface, cls);
  DrawClasses.Add(box);
  return box;
}

TUMLDrawObject* DiagramDocument::AddObjectBox(TUMLClass* cls, int x, int y) {
  TUMLDrawObject* box = TUMLDrawObject::Create(x, y, &Connections, &Surface, cls);
  DrawClasses.Add(box);
  return box;
}

TConnection* DiagramDocument::AddConnection(TUMLDrawClass* startBox, int startPoint,
                                            TUMLDrawClass* endBox, int endPoint, TConnectionKind kind) {
  TConnection* c =
      TConnection::Create(startBox, endBox, startPoint, endPoint, kind, &DrawClasses, &Surface);
  Connections.Add(c);
  return c;
}

TInfoBox* DiagramDocument::AddInfoBox(int x, int y) {
  TInfoBox* box = TInfoBox::Create(x, y, &Surface);
  InfoBoxes.Add(box);
  return box;
}

DiagramDocument* DiagramDocument::AddSubDiagram(const std::string& fileName) {
  auto sub = std::make_unique<DiagramDocument>(this);
  sub->FileName = fileName;
  sub->ProjectDir = ProjectDir;
  SubDiagrams.push_back(std::move(sub));
  return SubDiagrams.back().get();
}

void DiagramDocument::DeleteConnection(TConnection* c) {
  Connections.Remove(c);
  if (c->Kind == TConnectionKind::Ist && c->StartBox && c->StartBox->UMLClass) c->StartBox->UMLClass->Parent = nullptr;
  Surface.Destroy(c);
}

void DiagramDocument::ClearElements() {
  DrawClasses.Clear();
  Connections.Clear();
  InfoBoxes.Clear();
  Selection.Clear();
  CurrentBox = nullptr;
  CurrentClass = nullptr;
  Surface.DestroyAll();
}

void DiagramDocument::PurgeAttribute(TUMLClass& cls, TAttribute& attribute) {
  auto purgeIn = [&](DiagramDocument& d) {
    d.Connections.RemoveAttributeEverywhere(&attribute);
    if (!d.IsMainDiagram) {
      for (TUMLDrawClass* box : d.DrawClasses.Items)
        if (box->IsObjectBox() && box->UMLClass == &cls)
          static_cast<TUMLDrawObject*>(box)->Values.RemoveAttribute(&attribute);
    }
  };
  DiagramDocument& main = MainDocument();
  purgeIn(main);
  for (auto& sub : main.SubDiagrams) purgeIn(*sub);
}

void DiagramDocument::AssertParents() {
  for (TConnection* c : Connections.Items)
    if (c->Kind == TConnectionKind::Ist && c->StartBox && c->EndBox && c->StartBox->UMLClass)
      c->StartBox->UMLClass->Parent = c->EndBox->UMLClass;
}

void DiagramDocument::SetProjectDir(const std::string& directory) {
  DiagramDocument& main = MainDocument();
  auto pin = [&main](DiagramDocument& d) {
    for (TUMLDrawClass* box : d.DrawClasses.Items)
      if (!box->SourceFileName.empty() && box->SourceDirectory.empty())
        box->SourceDirectory = main.ProjectDir;
  };
  pin(main);
  for (auto& sub : main.SubDiagrams) pin(*sub);
  main.ProjectDir = directory;
  for (auto& sub : main.SubDiagrams) sub->ProjectDir = directory;
}

std::string SourceFilePath(const TUMLDrawClass& box) {
  const std::string name = FileNamePart(box.SourceFileName);
  if (name.empty()) return {};
  if (!box.SourceDirectory.empty()) return box.SourceDirectory + name;
  if (box.Image && box.Image->Document)
    return box.Image->Document->MainDocument().ProjectDir + name;
  return name;
}

std::string FileNamePart(const std::string& path) {
  size_t p = path.find_last_of("/\\");
  return p == std::string::npos ? path : path.substr(p + 1);
}

std::string DirectoryPart(const std::string& path) {
  size_t p = path.find_last_of("/\\");
  return p == std::string::npos ? std::string() : path.substr(0, p + 1);
}

}  // namespace zedro
