// The lexer of Pascal units: cuts the lines of a unit into the few tokens that class
// import needs and hides comments.
#pragma once

#include <cstdint>
#include <string>

#include "import/SourceText.h"

namespace zedro {

enum TPascalTokenKind : std::uint8_t {
  tkIdentifier = 0,
  tkInteger = 1,
  tkReal = 2,
  tkClass = 3,
  tkType = 4,
  tkImplementation = 5,
  tkInterface = 6,
  tkMethodKeyword = 7,  // function, procedure, constructor, destructor
  tkVisibility = 8,     // private, protected, public, published
  tkLineComment = 9,    // "//"; never delivered
  tkUses = 10,
  tkDirective = 11,  // virtual, dynamic, abstract, override, overload, reintroduce
  tkCommentOpen = 12,
  tkCommentClose = 13,
  tkDot = 14,
  tkColon = 15,
  tkComma = 16,
  tkOpenParen = 17,
  tkCloseParen = 18,
  tkOpenBracket = 19,
  tkCloseBracket = 20,
  tkEquals = 21,
  tkSemicolon = 22,
  tkEndOfUnit = 23,  // the line "end." or the end of the file
  tkOther = 24,      // any other single character, delivered with empty text
};

struct TPascalToken {
  TPascalTokenKind Kind = tkIdentifier;
  std::string Text;
};

// Works on the lines of a unit that the caller keeps alive. Tokens inside "{ }" and
// "(* *)" and the rest of a line after "//" are swallowed; the token that closes a
// bracketed comment is delivered.
class tLexer {
 public:
  explicit tLexer(const SourceLines& lines) : lines_(lines) {}

  // The next line, trimmed. At the end of the lines Line becomes "end." and the token
  // the end of the unit.
  void ReadLine();
  // The next line as it is; at the end Line becomes "end." and the token stays.
  void ReadRawLine();
  void NextToken(TPascalToken& token);
  const std::string& CurrentLine() const { return Line; }
  std::string LineWithoutBlanks() const;
  std::string Rest() const { return Line.substr(restPos_); }

  // Index of the line held in Line (-1 before the first one, the number of lines once
  // the end has been read).
  long LineIndex() const { return static_cast<long>(next_) - 1; }
  size_t RestPosition() const { return restPos_; }
  // Continues as if line `index` had just been read with ReadLine and `restPos`
  // characters of it consumed; the last token becomes `token`.
  void ResumeAt(size_t index, size_t restPos, const TPascalToken& token);

  std::string Line;
  TPascalToken Token;

 private:
  bool RestEmpty() const { return restPos_ >= Line.size(); }
  void ScanNumber();
  void ScanWord();
  void ScanSymbol();

  const SourceLines& lines_;
  size_t next_ = 0;     // index of the next line to read
  size_t restPos_ = 0;  // start of the unconsumed rest within Line
  bool inComment_ = false;
};

}  // namespace zedro
