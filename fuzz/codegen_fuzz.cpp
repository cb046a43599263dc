// Damaged or strange diagram files through all three generators: whatever the reader
// keeps of them must generate without a crash or an endless loop (inheritance drawn in
// a circle, missing boxes, texts with any bytes).
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "codegen/ClassDocumentation.h"
#include "codegen/ExportSupport.h"
#include "diagram/DiagramDocument.h"
#include "model/Messages.h"
#include "persistence/DiagramFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zedro;
  DiagramDocument doc;
  ScriptedMessages messages;
  ReadDiagram(doc, std::string_view(reinterpret_cast<const char*>(data), size), "fuzz.urd",
              messages);
  doc.AssertParents();
  for (TUMLDrawClass* box : doc.DrawClasses.Items) {
    if (!box || !box->UMLClass) continue;
    PascalUnitText(doc, *box, &messages);
    JavaClassText(doc, *box);
    WriteRtf(BuildClassDocumentation(*box->UMLClass, doc.Connections));
  }
  return 0;
}
