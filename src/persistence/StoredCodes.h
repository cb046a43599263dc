// The integers by which the program's kinds are written: connection kind, visibility,
// method kind and the display settings in diagram and class files, and these with the
// border sides in the JSON of zedro-cli. Only the readers and writers convert; everything
// else works with the enumerations.
#pragma once

#include <cstdint>
#include <type_traits>

namespace zedro {

template <class E>
  requires std::is_enum_v<E>
constexpr int CodeOf(E value) {
  return static_cast<int>(value);
}

// The value a stored integer stands for. Integers without a name are kept as they are
// (cut to the width of the field, as they always were), so that a file is written back
// as it was read.
template <class E>
  requires std::is_enum_v<E>
constexpr E FromCode(std::int32_t code) {
  return static_cast<E>(static_cast<std::underlying_type_t<E>>(code));
}

}  // namespace zedro
