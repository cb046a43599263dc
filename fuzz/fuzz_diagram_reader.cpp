// libFuzzer target for the diagram file reader.
#include "persistence/FuzzEntry.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, unsigned long size) {
  return zedro::FuzzDiagramReader(data, size);
}
