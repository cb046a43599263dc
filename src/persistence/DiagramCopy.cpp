#include "persistence/DiagramCopy.h"

#include "diagram/DiagramDocument.h"
#include "model/Messages.h"

namespace zedro {
namespace {

constexpr size_t kChunk = 1u << 20;

}  // namespace

DiagramCopy::DiagramCopy(std::string target, IMessages& messages)
    : target_(std::move(target)), messages_(messages) {}

void DiagramCopy::ElementsAhead(DiagramDocument& doc, int boxes, int connections,
                                int infoBoxes) {
  if (doc.LoadedVersion <= 140) return;
  // A target that cannot be written is reported, as for any save, after the load.
  if (!file_.Begin(target_, nullptr)) return;
  streaming_ = true;
  WriteDiagramHeader(writer_, doc, boxes, connections, infoBoxes);
}

void DiagramCopy::BoxRead(TUMLDrawClass& box, size_t) {
  if (!streaming_ || !box.UMLClass) return;
  {
    SortedMembersView sorted(*box.UMLClass);
    box.Save(writer_);
    // A class whose file order differs from its sorted order keeps its parameters: the
    // final sort of the load compares them.
    if (sorted.WasInOrder()) box.UMLClass->ReleaseBodies();
  }
  Drain(kChunk);
}

void DiagramCopy::Drain(size_t atLeast) {
  if (writer_.Bytes().size() < atLeast) return;
  file_.Write(writer_.Bytes());
  writer_.Clear();
}

bool DiagramCopy::Finish(DiagramDocument& doc) {
  if (!streaming_) return WriteDiagramFile(doc, target_, messages_);
  messages_.Message(MsgKind::Information, "Speichere Diagramm unter: " + target_);
  WriteRecordsAfterBoxes(writer_, doc);
  Drain(0);
  std::string error;
  if (!file_.Commit(&error)) {
    messages_.Message(MsgKind::Error,
                      "Die Datei '" + target_ + "' kann nicht geschrieben werden.\n" + error);
    return false;
  }
  doc.FileName = target_;
  doc.Saved = true;
  return true;
}

}  // namespace zedro
