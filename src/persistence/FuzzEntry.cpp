#include "persistence/FuzzEntry.h"

#include <string_view>

#include "diagram/DiagramDocument.h"
#include "model/Messages.h"
#include "model/Notation.h"
#include "persistence/DiagramFile.h"

namespace zedro {

int FuzzDiagramReader(const std::uint8_t* data, std::size_t size) {
  NotationScope notation(1);
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  ScriptedMessages messages;
  DiagramDocument doc;
  LoadOptions options;
  options.switchLanguage = [](int) {};
  ReadDiagram(doc, bytes, "fuzz.urd", messages, options);
  // What was read must write and read back without trouble.
  std::string again = DiagramToBytes(doc);
  DiagramDocument second;
  ScriptedMessages quiet;
  ReadDiagram(second, again, "fuzz.urd", quiet, options);
  return 0;
}

}  // namespace zedro
