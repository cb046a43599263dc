// Entry points shared by the fuzz targets and the tests that replay their corpora.
#pragma once

#include <cstddef>
#include <cstdint>

namespace zedro {

// Reads the bytes as a diagram file, writes what was read, reads that again and writes it
// once more. True when the second read completed without any message and both writes
// gave the same bytes: whatever a damaged file leaves in a diagram must be sound.
bool DiagramSurvivesRoundTrip(const std::uint8_t* data, std::size_t size);

// The libFuzzer body: DiagramSurvivesRoundTrip, aborting when it fails, so that the
// fuzzer keeps the input. Any crash, hang or sanitizer report is a fault as well.
int FuzzDiagramReader(const std::uint8_t* data, std::size_t size);

}  // namespace zedro
