#include "persistence/FuzzEntry.h"

#include <cstdlib>
#include <string_view>

#include "diagram/DiagramDocument.h"
#include "model/Messages.h"
#include "model/Notation.h"
#include "persistence/DiagramFile.h"

namespace zedro {

bool DiagramSurvivesRoundTrip(const std::uint8_t* data, std::size_t size) {
  NotationScope notation(1);
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  ScriptedMessages messages;
  DiagramDocument doc;
  LoadOptions options;
  options.switchLanguage = [](int) {};
  ReadDiagram(doc, bytes, "fuzz.urd", messages, options);
  std::string again = DiagramToBytes(doc);
  DiagramDocument second;
  ScriptedMessages quiet;
  LoadResult reread = ReadDiagram(second, again, "fuzz.urd", quiet, options);
  return reread.completed && quiet.shown.empty() && DiagramToBytes(second) == again;
}

int FuzzDiagramReader(const std::uint8_t* data, std::size_t size) {
  if (!DiagramSurvivesRoundTrip(data, size)) std::abort();
  return 0;
}

}  // namespace zedro
