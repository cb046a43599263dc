// libFuzzer target: Pascal units of any shape must neither crash nor hang the importer.
#include "import/FuzzEntry.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  zedro::FuzzPascalSource(data, size);
  return 0;
}
