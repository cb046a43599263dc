#include "import/PascalLexer.h"

#include "import/LexerScan.h"
#include "model/Win1252.h"

namespace zedro {
namespace {

using lexscan::IsAsciiLetter;
using lexscan::IsDigit;

bool IsWordChar(char c) { return IsAsciiLetter(c) || IsDigit(c) || c == '_'; }

const lexscan::TKeyword<TPascalTokenKind> kKeywords[] = {
    {"class", tkClass},
    {"type", tkType},
    {"implementation", tkImplementation},
    {"interface", tkInterface},
    {"function", tkMethodKeyword},
    {"procedure", tkMethodKeyword},
    {"constructor", tkMethodKeyword},
    {"destructor", tkMethodKeyword},
    {"private", tkVisibility},
    {"protected", tkVisibility},
    {"public", tkVisibility},
    {"published", tkVisibility},
    {"uses", tkUses},
    {"virtual", tkDirective},
    {"dynamic", tkDirective},
    {"abstract", tkDirective},
    {"override", tkDirective},
    {"overload", tkDirective},
    {"reintroduce", tkDirective},
};

}  // namespace

void tLexer::ReadLine() {
  if (next_ >= lines_.size()) {
    next_ = lines_.size() + 1;
    Line = "end.";
    restPos_ = 0;
    Token.Kind = tkEndOfUnit;
    Token.Text = "end.";
    return;
  }
  Line = text::Trim(lines_[next_++]);
  restPos_ = 0;
}

void tLexer::ReadRawLine() {
  if (next_ >= lines_.size()) {
    next_ = lines_.size() + 1;
    Line = "end.";
  } else {
    Line = lines_[next_++];
  }
  restPos_ = 0;
}

std::string tLexer::LineWithoutBlanks() const { return text::RemoveBlanks(Line); }

void tLexer::ResumeAt(size_t index, size_t restPos, const TPascalToken& token) {
  next_ = index;
  ReadLine();
  restPos_ = restPos;
  Token = token;
  inComment_ = false;
}

void tLexer::ScanNumber() {
  const lexscan::TNumberSpan n = lexscan::NumberAt(Line, restPos_, IsDigit);
  Token.Kind = n.IsReal ? tkReal : tkInteger;
  Token.Text = Line.substr(restPos_, n.End - restPos_);
  restPos_ = n.End;
}

void tLexer::ScanWord() {
  size_t p = lexscan::RunEnd(Line, restPos_, IsWordChar);
  const std::string_view word(Line.data() + restPos_, p - restPos_);
  Token.Kind = lexscan::KeywordKind(word, kKeywords, tkIdentifier);
  // "end" closes the unit only as the whole line "end." (blanks aside).
  if (text::EqualsIgnoreCase(word, "end") && p < Line.size() && Line[p] == '.' &&
      text::LowerAscii(LineWithoutBlanks()) == "end.") {
    Token.Kind = tkEndOfUnit;
    ++p;
  }
  Token.Text.assign(Line, restPos_, p - restPos_);
  restPos_ = p;
}

void tLexer::ScanSymbol() {
  char c = Line[restPos_];
  char d = restPos_ + 1 < Line.size() ? Line[restPos_ + 1] : '\0';
  size_t len = 1;
  TPascalTokenKind kind = tkOther;
  switch (c) {
    case '{': kind = tkCommentOpen; break;
    case '}': kind = tkCommentClose; break;
    case '(':
      if (d == '*') {
        kind = tkCommentOpen;
        len = 2;
      } else {
        kind = tkOpenParen;
      }
      break;
    case '*':
      if (d == ')') {
        kind = tkCommentClose;
        len = 2;
      }
      break;
    case '/':
      if (d == '/') {
        kind = tkLineComment;
        len = 2;
      }
      break;
    case '.': kind = tkDot; break;
    case ':': kind = tkColon; break;
    case ',': kind = tkComma; break;
    case ')': kind = tkCloseParen; break;
    case '[': kind = tkOpenBracket; break;
    case ']': kind = tkCloseBracket; break;
    case '=': kind = tkEquals; break;
    case ';': kind = tkSemicolon; break;
    default: break;
  }
  if (kind == tkOther) return;  // consumed by NextToken
  Token.Kind = kind;
  Token.Text = kind == tkLineComment ? std::string() : Line.substr(restPos_, len);
  restPos_ += len;
}

void tLexer::NextToken(TPascalToken& token) {
  for (;;) {
    if (Token.Kind == tkLineComment) ReadLine();
    while (Token.Kind != tkEndOfUnit && RestEmpty()) ReadLine();
    if (Token.Kind == tkEndOfUnit) {
      token = Token;
      return;
    }
    Token.Kind = tkOther;
    Token.Text.clear();
    restPos_ = lexscan::SkipBlanks(Line, restPos_);
    if (RestEmpty()) continue;  // only blanks were left: on to the next line
    char c = Line[restPos_];
    if (IsDigit(c)) {
      ScanNumber();
    } else if (IsAsciiLetter(c) || c == '_') {
      ScanWord();
    } else {
      ScanSymbol();
    }
    token = Token;
    if (Token.Kind == tkOther) ++restPos_;
    if (Token.Kind == tkCommentOpen) inComment_ = true;
    if (Token.Kind == tkCommentClose) inComment_ = false;
    if (Token.Kind != tkLineComment && !inComment_) return;
  }
}

}  // namespace zedro
