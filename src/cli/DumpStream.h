// zedro-cli dump of a large diagram: each box and connection is printed as soon as it is
// read, and of a printed class only what later records refer to is kept.
#pragma once

#include <memory>

#include "cli/Json.h"
#include "persistence/DiagramFile.h"
#include "persistence/SavePositions.h"

namespace zedro::cli {

class DumpStream : public ILoadObserver {
 public:
  explicit DumpStream(Json& j) : j_(j) {}

  void ElementsAhead(DiagramDocument& doc, int boxes, int connections, int infoBoxes) override;
  void BoxRead(TUMLDrawClass& box, size_t bytesRead) override;
  bool ConnectionRead(TConnection& c, size_t bytesRead) override;

  // After the load, complete or not: prints what is left (the whole diagram when the load
  // stopped before its boxes).
  void Finish(const DiagramDocument& doc, int version);

 private:
  enum class Part { NotBegun, Boxes, Connections };
  void BeginConnections();

  Json& j_;
  DiagramDocument* doc_ = nullptr;
  Part part_ = Part::NotBegun;
  std::unique_ptr<SavePositions> boxPositions_;
};

}  // namespace zedro::cli
