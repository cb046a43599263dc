// The scanning both source lexers share: blanks, numbers and words with their keywords.
// Each lexer says which characters belong to its numbers and words.
#pragma once

#include <cstddef>
#include <string_view>

#include "model/Win1252.h"

namespace zedro::lexscan {

constexpr bool IsDigit(char c) { return c >= '0' && c <= '9'; }
constexpr bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// The end of the run of characters from `start` on that `inRun` accepts.
template <class Pred>
size_t RunEnd(std::string_view line, size_t start, Pred inRun) {
  size_t p = start;
  while (p < line.size() && inRun(line[p])) ++p;
  return p;
}

// The first position from `start` on that holds no blank or control character.
inline size_t SkipBlanks(std::string_view line, size_t start) {
  return RunEnd(line, start, [](char c) { return static_cast<unsigned char>(c) <= ' '; });
}

struct TNumberSpan {
  size_t End = 0;
  bool IsReal = false;  // it has a decimal point
};

// A number from `start`: a run of number characters, and when a point follows, the point
// and a second run.
template <class Pred>
TNumberSpan NumberAt(std::string_view line, size_t start, Pred numberChar) {
  TNumberSpan n;
  n.End = RunEnd(line, start, numberChar);
  if (n.End < line.size() && line[n.End] == '.') {
    n.IsReal = true;
    n.End = RunEnd(line, n.End + 1, numberChar);
  }
  return n;
}

template <class Kind>
struct TKeyword {
  std::string_view Word;  // in lower case
  Kind TokenKind;
};

// The token kind of a word: that of its keyword, letter case ignored, or `identifier`.
template <class Kind, size_t N>
Kind KeywordKind(std::string_view word, const TKeyword<Kind> (&keywords)[N], Kind identifier) {
  // The keywords are short: a longer word is an identifier without further looking.
  char lowered[16];
  if (word.size() > sizeof lowered) return identifier;
  for (size_t i = 0; i < word.size(); ++i) lowered[i] = text::LowerAsciiChar(word[i]);
  const std::string_view lower(lowered, word.size());
  for (const TKeyword<Kind>& k : keywords) {
    if (k.Word == lower) return k.TokenKind;
  }
  return identifier;
}

}  // namespace zedro::lexscan
