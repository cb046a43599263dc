#include "cli/DumpStream.h"

#include <optional>

#include "cli/DumpJson.h"
#include "diagram/DiagramDocument.h"

namespace zedro::cli {

void DumpStream::ElementsAhead(DiagramDocument& doc, int, int, int) {
  doc_ = &doc;
  BeginDiagram(j_, doc, doc.LoadedVersion);
  j_.Key("DrawClasses").BeginArray();
  part_ = Part::Boxes;
}

void DumpStream::BoxRead(TUMLDrawClass& box, size_t) {
  if (!box.UMLClass) {
    WriteBox(j_, box);
    return;
  }
  SortedMembersView sorted(*box.UMLClass);
  WriteBox(j_, box);
  // Connections and object boxes find members by name and position only; a class out of
  // order keeps its parameters for the final sort of the load.
  if (sorted.WasInOrder()) box.UMLClass->ReleaseBodies();
}

void DumpStream::BeginConnections() {
  j_.EndArray();
  j_.Key("Connections").BeginArray();
  part_ = Part::Connections;
}

bool DumpStream::ConnectionRead(TConnection& c, size_t) {
  if (part_ == Part::Boxes) {
    BeginConnections();
    boxPositions_ = std::make_unique<SavePositions>(doc_->DrawClasses);
  }
  // Positions are those of the members in sorted order, as after the load. The reader calls
  // only for connections with both ends.
  TUMLClass* startClass = c.StartBox->UMLClass;
  TUMLClass* endClass = c.EndBox->UMLClass;
  std::optional<SortedMembersView> start, end;
  if (startClass) start.emplace(*startClass);
  if (endClass && endClass != startClass) end.emplace(*endClass);
  WriteConnection(j_, c, *boxPositions_);
  return false;
}

void DumpStream::Finish(const DiagramDocument& doc, int version) {
  if (part_ == Part::NotBegun) {
    WriteDiagram(j_, doc, version);
    return;
  }
  if (part_ == Part::Boxes) BeginConnections();
  j_.EndArray();
  WriteInfoBoxes(j_, doc);
  WriteSubDiagrams(j_, doc);
  j_.EndObject();
}

}  // namespace zedro::cli
