// libFuzzer target: Java sources of any shape must neither crash nor hang the importer.
#include "import/FuzzEntry.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  zedro::FuzzJavaSource(data, size);
  return 0;
}
