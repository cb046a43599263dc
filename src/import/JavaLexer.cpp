#include "import/JavaLexer.h"

#include "model/Messages.h"
#include "model/Win1252.h"

namespace zedro {
namespace {

constexpr size_t kStatusRestLength = 160;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

struct Keyword {
  const char* word;
  TJavaTokenKind kind;
};

const Keyword kKeywords[] = {
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
  size_t p = restPos_;
  while (p < Line.size() && IsDigit(Line[p])) ++p;
  Current.Kind = jtInteger;
  if (p < Line.size() && Line[p] == '.') {
    Current.Kind = jtReal;
    ++p;
    while (p < Line.size() && IsDigit(Line[p])) ++p;
  }
  Current.Text = Line.substr(restPos_, p - restPos_);
  restPos_ = p;
}

void tJavaLexer::ScanWord() {
  size_t p = restPos_;
  while (p < Line.size() && (IsAsciiLetter(Line[p]) || IsDigit(Line[p]) || Line[p] == '_')) ++p;
  Current.Text = Line.substr(restPos_, p - restPos_);
  Current.Kind = jtIdentifier;
  std::string lower = text::LowerAscii(Current.Text);
  for (const Keyword& k : kKeywords) {
    if (lower == k.word) {
      Current.Kind = k.kind;
      break;
    }
  }
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
  if (kind == jtOther) return;  // consumed by GetNext
  Current.Kind = kind;
  Current.Text = Line.substr(restPos_, len);
  restPos_ += len;
}

ttoken tJavaLexer::GetNext() {
  if (PushedBack) {
    PushedBack = false;
    return LastDelivered;
  }
  // Once the last line has been taken, nothing more is delivered. The end is remembered
  // like any other token, so that giving it back yields the end again and not the token
  // before it.
  if (AtEndOfFile()) {
    LastDelivered = ttoken{jtEndOfFile, "end of file"};
    return LastDelivered;
  }
  for (;;) {
    if (Current.Kind == jtLineComment) NextLine();
    if (Current.Kind == jtCommentClose) inComment_ = false;
    while (Current.Kind != jtEndOfFile && RestEmpty()) NextLine();
    // The status line shows the beginning of the rest (a whole minified file would make
    // every token cost the length of the line).
    messages_.Status("JavaLexer: Nextline in GetNext ergibt: >" +
                     Line.substr(restPos_, kStatusRestLength) + "<");
    if (Current.Kind == jtEndOfFile) {
      LastDelivered = Current;
      return Current;
    }
    Current.Kind = jtOther;
    Current.Text.clear();
    while (restPos_ < Line.size() && static_cast<unsigned char>(Line[restPos_]) <= ' ')
      ++restPos_;
    if (RestEmpty()) continue;  // only blanks were left: on to the next line
    char c = Line[restPos_];
    if (IsDigit(c)) {
      ScanNumber();
    } else if (IsAsciiLetter(c)) {
      ScanWord();
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
