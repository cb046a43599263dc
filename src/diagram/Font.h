// Fonts and colours as the diagram elements keep them.
#pragma once

#include <cstdint>
#include <string>

namespace zedro {

class ValueReader;
class ValueWriter;

// A colour: red in the low byte, then green, then blue ($00BBGGRR). A negative value names
// a system colour of the platform.
using TColor = std::int32_t;
constexpr TColor kClWindowText = static_cast<TColor>(0x80000008u);
constexpr TColor kClBlack = 0x000000;
constexpr TColor kClWhite = 0xFFFFFF;
constexpr TColor kClRed = 0x0000FF;
constexpr TColor kClBlue = 0xFF0000;
constexpr TColor kClGray = 0x808080;
constexpr TColor RGB(int r, int g, int b) { return r | (g << 8) | (b << 16); }

// Rounded a * b / c as the classic MulDiv does (halves away from zero).
int MulDiv(int a, int b, int c);

struct TFontSpec {
  std::string Name = "MS Sans Serif";
  int Size = 8;  // points
  TColor Color = kClWindowText;
  bool Bold = false;
  bool Italic = false;
  bool Underline = false;
  bool StrikeOut = false;

  // Character height in pixels at 96 pixels per inch, negative as the platform gives it
  // (-11 for 8 points).
  int Height() const { return -MulDiv(Size, 96, 72); }
  void SetHeight(int height) { Size = -MulDiv(height, 72, 96); }

  // The font record of a diagram file: name, size, colour, bold, italic, underline.
  void Load(ValueReader& reader);
  void Save(ValueWriter& writer) const;

  bool operator==(const TFontSpec&) const = default;
};

}  // namespace zedro
