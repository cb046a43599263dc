// Entry points shared by the fuzz targets and the tests that replay their corpora.
#pragma once

#include <cstddef>
#include <cstdint>

namespace zedro {

// Reads the bytes as a diagram file, writes the result back and reads that again; any
// crash, hang or sanitizer report is a fault. Returns 0.
int FuzzDiagramReader(const std::uint8_t* data, std::size_t size);

}  // namespace zedro
