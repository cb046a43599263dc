#include "import/JavaLexer.h"

#include "import/LexerScan.h"
#include "model/Messages.h"
#include "model/Win1252.h"

namespace zedro {
namespace {

constexpr size_t kStatusRestLength = 160;

using lexscan::IsAsciiLetter;
using lexscan::IsDigit;

// Java identifiers may begin with "_" and "$" and hold letters beyond ASCII (the
// Windows-1252 letters from 0xC0 on; "×" and "÷" are no letters).
bool IsWordStart(char c) {
  const unsigned char b = static_cast<unsigned char>(c);
  return IsAsciiLetter(c) || c == '_' || c == '$' || (b >= 0xC0 && b != 0xD7 && b != 0xF7);
}
bool IsWordChar(char c) { return IsWordStart(c) || IsDigit(c); }

// Digits with the letters and underscores of hexadecimal numbers, exponents and type
// suffixes (0x1F, 1_000L, 2.5e3f): none of them begins a word of its own.
bool IsNumberChar(char c) { return IsDigit(c) || IsAsciiLetter(c) || c == '_'; }

const lexscan::TKeyword<TJavaTokenKind> kKeywords[] = {
    {"class", jtClass},         {"abstract", jtModifier},     {"final", jtModifier},
    {"native", jtModifier},     {"strictfp", jtModifier},     {"synchronized", jtModifier},
    {"transient", jtModifier},  {"volatile", jtModifier},     {"static", jtModifier},
    {"private", jtVisibility},  {"protected", jtVisibility},  {"public", jtVisibility},
    {"import", jtImport},       {"extends", jtExtends},       {"implements", jtImplements},
};

}  // namespace

void tJavaLexer::TakeLine(bool trimmed) {
  if (next_ >= lines_.size()) {
    atEnd_ = true;
    Line = "}";
    restPos_ = 0;
    Current = ttoken{jtEndOfFile, "}"};
    return;
  }
  Line = trimmed ? text::Trim(lines_[next_]) : lines_[next_];
  ++next_;
  restPos_ = 0;
}

void tJavaLexer::NextLine() {
  TakeLine(true);
  messages_.Status("Nextline: " + Line);
}

void tJavaLexer::NextSourceLine() {
  TakeLine(false);
  messages_.Status("Next Sourceline: " + Line);
}

const std::string& tJavaLexer::ThisLine() {
  messages_.Status("ThisLine: " + Line);
  return Line;
}

void tJavaLexer::ScanNumber() {
  const lexscan::TNumberSpan n = lexscan::NumberAt(Line, restPos_, IsNumberChar);
  Current.Kind = n.IsReal ? jtReal : jtInteger;
  Current.Text = Line.substr(restPos_, n.End - restPos_);
  restPos_ = n.End;
}

void tJavaLexer::ScanLiteral() {
  const char quote = Line[restPos_];
  const bool textBlock = quote == '"' && Line.compare(restPos_, 3, "\"\"\"") == 0;
  Current.Kind = jtLiteral;
  if (textBlock) {
    // The text block ends at the next """ that no backslash escapes, on this line or a later one.
    std::string text;
    size_t p = restPos_ + 3;
    for (;;) {
      size_t q = p;
      while (q < Line.size() && Line.compare(q, 3, "\"\"\"") != 0) q += Line[q] == '\\' ? 2 : 1;
      if (q < Line.size()) {
        text += Line.substr(restPos_, q + 3 - restPos_);
        restPos_ = q + 3;
        break;
      }
      text += Line.substr(restPos_) + "\n";
      if (AtEndOfFile()) {
        restPos_ = Line.size();
        break;
      }
      TakeLine(false);
      p = 0;
    }
    Current.Text = text;
    return;
  }
  size_t p = restPos_ + 1;
  while (p < Line.size() && Line[p] != quote) p += Line[p] == '\\' ? 2 : 1;
  p = p < Line.size() ? p + 1 : Line.size();  // an unclosed literal ends with its line
  Current.Text = Line.substr(restPos_, p - restPos_);
  restPos_ = p;
}

void tJavaLexer::ScanWord() {
  const size_t p = lexscan::RunEnd(Line, restPos_, IsWordChar);
  Current.Text = Line.substr(restPos_, p - restPos_);
  Current.Kind = lexscan::KeywordKind(std::string_view(Current.Text), kKeywords, jtIdentifier);
  restPos_ = p;
}

void tJavaLexer::ScanSymbol() {
  char c = Line[restPos_];
  char d = restPos_ + 1 < Line.size() ? Line[restPos_ + 1] : '\0';
  size_t len = 1;
  TJavaTokenKind kind = jtOther;
  switch (c) {
    case '/':
      if (d == '*') {
        kind = jtCommentOpen;
        len = 2;
      } else if (d == '/') {
        kind = jtLineComment;
        len = 2;
      }
      break;
    case '*':
      if (d == '/') {
        kind = jtCommentClose;
        len = 2;
      } else {
        kind = jtStar;
      }
      break;
    case '.': kind = jtDot; break;
    case ':': kind = jtColon; break;
    case ',': kind = jtComma; break;
    case '=': kind = jtAssign; break;
    case ';': kind = jtSemicolon; break;
    case '(': kind = jtOpenParen; break;
    case ')': kind = jtCloseParen; break;
    case '[': kind = jtOpenBracket; break;
    case ']': kind = jtCloseBracket; break;
    case '{': kind = jtOpenBrace; break;
    case '}': kind = jtCloseBrace; break;
    default: break;
  }
  if (kind == jtOther) {  // consumed by GetNext
    Current.Text = std::string(1, c);
    return;
  }
  Current.Kind = kind;
  Current.Text = Line.substr(restPos_, len);
  restPos_ += len;
}

ttoken tJavaLexer::GetNext() {
  if (PushedBack) {
    PushedBack = false;
    return LastDelivered;
  }
  for (;;) {
    if (Current.Kind == jtLineComment) {  // the rest of the line is a comment
      restPos_ = Line.size();
      Current.Kind = jtOther;
    }
    if (Current.Kind == jtCommentClose) inComment_ = false;
    while (Current.Kind != jtEndOfFile && RestEmpty() && !AtEndOfFile()) NextLine();
    // The status line shows the beginning of the rest (a whole minified file would make
    // every token cost the length of the line).
    messages_.Status("JavaLexer: Nextline in GetNext ergibt: >" +
                     Line.substr(restPos_, kStatusRestLength) + "<");
    // The tokens of the last line are delivered too; then the end, again and again. The
    // end is remembered like any other token, so that giving it back yields the end.
    if (Current.Kind == jtEndOfFile || (RestEmpty() && AtEndOfFile())) {
      Current = ttoken{jtEndOfFile, "end of file"};
      LastDelivered = Current;
      return Current;
    }
    Current.Kind = jtOther;
    Current.Text.clear();
    restPos_ = lexscan::SkipBlanks(Line, restPos_);
    if (RestEmpty()) continue;  // only blanks were left: on to the next line
    char c = Line[restPos_];
    if (IsDigit(c)) {
      ScanNumber();
    } else if (IsWordStart(c)) {
      ScanWord();
    } else if ((c == '"' || c == '\'') && !inComment_) {
      ScanLiteral();  // a quote inside a comment is part of the comment
    } else {
      ScanSymbol();
    }
    ttoken token = Current;
    if (Current.Kind == jtOther) ++restPos_;
    if (Current.Kind == jtCommentOpen) inComment_ = true;
    if (Current.Kind != jtLineComment && !inComment_) {
      LastDelivered = token;
      return token;
    }
  }
}

}  // namespace zedro
