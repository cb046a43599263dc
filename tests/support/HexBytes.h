// Bytes as two-digit hexadecimal numbers separated by blanks ("06 03 61"), so that stream
// contents read well in a failed comparison.
#pragma once

#include <cstdio>
#include <string>

namespace zedro::testing {

inline std::string Hex(const std::string& bytes) {
  std::string out;
  char digits[4];
  for (unsigned char c : bytes) {
    std::snprintf(digits, sizeof digits, " %02X", c);
    out += digits;
  }
  return out.empty() ? out : out.substr(1);
}

}  // namespace zedro::testing
