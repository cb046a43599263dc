// zedro-cli save: a diagram file read and written again in the current version, record by
// record, so that a large diagram is never held in memory as a whole.
#pragma once

#include <string>

#include "persistence/Files.h"
#include "persistence/DiagramFile.h"
#include "persistence/ValueStream.h"

namespace zedro {

// Given to the load of the source file (StreamDiagramFile) as its observer: it writes each
// box as soon as it is read and keeps of its class only what later records refer to. Files
// before version 141 are written whole after the load (their connections are found by
// position, and those without ends are dropped, which changes the count written first).
class DiagramCopy : public ILoadObserver {
 public:
  DiagramCopy(std::string target, IMessages& messages);

  void ElementsAhead(DiagramDocument& doc, int boxes, int connections, int infoBoxes) override;
  void BoxRead(TUMLDrawClass& box, size_t bytesRead) override;

  // After a complete load: writes the rest and puts the file in place. False, after an
  // error message, when the file could not be written.
  bool Finish(DiagramDocument& doc);

 private:
  void Drain(size_t atLeast);

  std::string target_;
  IMessages& messages_;
  AtomicFileWriter file_;
  ValueWriter writer_;
  bool streaming_ = false;
};

}  // namespace zedro
