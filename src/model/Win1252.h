// Text helpers for the 8-bit Windows-1252 text that the whole program keeps in memory.
#pragma once

#include <string>
#include <string_view>

namespace zedro::text {

// Conversions. Characters without a Windows-1252 equivalent become '?'.
std::string ToUtf8(std::string_view cp1252);
std::string FromUtf8(std::string_view utf8);
std::u16string ToUtf16(std::string_view cp1252);
std::string FromUtf16(std::u16string_view utf16);

// True when the bytes are well-formed UTF-8 (overlong forms and surrogates rejected).
bool IsValidUtf8(std::string_view bytes);
// True when the text holds at least one byte of 0x80 or above.
bool HasHighBytes(std::string_view bytes);

// ASCII-only case folding: umlauts and every other byte stay as they are.
std::string UpperAscii(std::string_view s);
std::string LowerAscii(std::string_view s);
char UpperAsciiChar(char c);
char LowerAsciiChar(char c);

// Byte-wise comparison of the upper-cased texts: negative, zero or positive.
int CompareIgnoreCase(std::string_view a, std::string_view b);
bool EqualsIgnoreCase(std::string_view a, std::string_view b);

// Blanks (space and control characters up to 0x20) removed at both ends / at the start.
std::string Trim(std::string_view s);
std::string TrimLeft(std::string_view s);
// Every space character removed.
std::string RemoveBlanks(std::string_view s);

// Decimal text of a whole number, and the reverse: text that is not a valid integer is -1.
std::string IntToStr(long long v);
int StrToIntDef(std::string_view s, int def);

}  // namespace zedro::text

namespace zedro {
// A text written in this program's UTF-8 sources, as the Windows-1252 text that the
// program keeps in memory: W("Klasse löschen").
inline std::string W(std::string_view utf8) { return text::FromUtf8(utf8); }
}  // namespace zedro
