// The lexer of Java sources: cuts the lines of a file into the few tokens that class
// import needs, hides comments, can give the last token back once and hands whole lines
// to the parser for method bodies.
#pragma once

#include <cstdint>
#include <string>

#include "import/SourceText.h"

namespace zedro {

class IMessages;

enum TJavaTokenKind : std::uint8_t {
  jtIdentifier = 0,
  jtInteger = 1,
  jtReal = 2,
  jtClass = 3,
  jtModifier = 4,  // abstract final native strictfp synchronized transient volatile static
  jtVisibility = 5,
  jtImport = 6,
  jtExtends = 7,
  jtImplements = 8,
  jtLineComment = 9,  // never delivered
  jtCommentOpen = 10,
  jtCommentClose = 11,
  jtDot = 12,
  jtColon = 13,
  jtComma = 14,
  jtAssign = 15,
  jtSemicolon = 16,
  jtStar = 17,
  jtOpenParen = 18,
  jtCloseParen = 19,
  jtOpenBracket = 20,
  jtCloseBracket = 21,
  jtOpenBrace = 22,
  jtCloseBrace = 23,
  jtEndOfFile = 24,
  jtOther = 25,    // any other single character ("<", "@", "?", ...), the character as text
  jtLiteral = 26,  // a string, character or text-block literal, as written
};

struct ttoken {
  TJavaTokenKind Kind = jtIdentifier;
  std::string Text;
};

class tJavaLexer {
 public:
  // Progress texts go to the status line of the sink.
  tJavaLexer(const SourceLines& lines, IMessages& messages) : lines_(lines), messages_(messages) {}

  ttoken GetNext();
  // The next GetNext hands out the token just delivered once more.
  void PushBack() { PushedBack = true; }
  // The next line, trimmed / as it is. At the end Rest becomes "}" and Current the end.
  void NextLine();
  void NextSourceLine();
  const std::string& ThisLine();
  bool AtEndOfFile() const { return next_ >= lines_.size(); }

  // Where the unread rest of the current line begins.
  size_t RestPosition() const { return restPos_; }
  void SetRestPosition(size_t p) { restPos_ = p < Line.size() ? p : Line.size(); }

  std::string Line;
  ttoken Current;
  ttoken LastDelivered;
  bool PushedBack = false;

 private:
  void TakeLine(bool trimmed);
  bool RestEmpty() const { return restPos_ >= Line.size(); }
  void ScanNumber();
  void ScanWord();
  void ScanSymbol();
  // A literal from the quote at the rest position: "...", '...' or a text block
  // """...""" that may run over several lines.
  void ScanLiteral();

  const SourceLines& lines_;
  IMessages& messages_;
  size_t next_ = 0;
  size_t restPos_ = 0;
  bool atEnd_ = false;  // NextLine ran past the last line
  bool inComment_ = false;
};

}  // namespace zedro
