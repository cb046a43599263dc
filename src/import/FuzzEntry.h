// Entry functions of the import fuzz targets, shared with the test that replays their
// corpus: the bytes are taken as a source file and read the way the editor reads one.
#pragma once

#include <cstddef>
#include <cstdint>

namespace zedro {

// Every class of the unit, and for each of them its bodies and both uses lists.
void FuzzPascalSource(const std::uint8_t* data, std::size_t size);
// The class of a Java source.
void FuzzJavaSource(const std::uint8_t* data, std::size_t size);

}  // namespace zedro
