// Source files as the importers see them: the whole file read once, decoded to the
// Windows-1252 text the program keeps in memory, and split into lines.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zedro {

using SourceLines = std::vector<std::string>;

// UTF-8 when the bytes begin with a UTF-8 byte-order mark (which is dropped) or are valid
// UTF-8 holding at least one multi-byte sequence; Windows-1252 otherwise.
std::string DecodeSourceText(std::string_view bytes);
// Splits at line feeds; a carriage return before a line feed belongs to the break. A last
// line without a line break still counts, an empty text has no lines.
SourceLines SplitSourceLines(std::string_view text);
// Decoding and splitting together.
SourceLines SourceLinesFromBytes(std::string_view bytes);
// Reads a source file; false (lines empty) when it cannot be read.
bool ReadSourceLines(const std::string& path, SourceLines& lines, std::string* error = nullptr);

}  // namespace zedro
