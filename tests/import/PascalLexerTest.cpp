#include <gtest/gtest.h>

#include "import/PascalLexer.h"

namespace zedro {
namespace {

// "kind:text" of every token up to and including the end of the unit.
std::vector<std::string> Lex(const std::string& src) {
  SourceLines lines = SplitSourceLines(src);
  tLexer lexer(lines);
  std::vector<std::string> out;
  TPascalToken t;
  do {
    lexer.NextToken(t);
    out.push_back(std::to_string(t.Kind) + ":" + t.Text);
  } while (t.Kind != tkEndOfUnit && out.size() < 200);
  return out;
}

std::string T(int kind, const std::string& text) { return std::to_string(kind) + ":" + text; }

TEST(PascalLexer, Tokens) {
  const std::string end = T(tkEndOfUnit, "end.");
  // Keywords in any letter case and only as whole words.
  EXPECT_EQ(Lex("Classname CLASS Procedure PUBLISHED Override uses"),
            (std::vector<std::string>{T(tkIdentifier, "Classname"), T(tkClass, "CLASS"),
                                      T(tkMethodKeyword, "Procedure"), T(tkVisibility, "PUBLISHED"),
                                      T(tkDirective, "Override"), T(tkUses, "uses"), end}));
  EXPECT_EQ(Lex("1..10 3.25"),
            (std::vector<std::string>{T(tkReal, "1."), T(tkDot, "."), T(tkInteger, "10"),
                                      T(tkReal, "3.25"), end}));
  // Comments give only their closing token; the two bracket styles close each other.
  EXPECT_EQ(Lex("a (* b\n c } d"),
            (std::vector<std::string>{T(tkIdentifier, "a"), T(tkCommentClose, "}"),
                                      T(tkIdentifier, "d"), end}));
  // "//" inside a string literal starts a comment; an umlaut is skipped, "_" starts a word.
  EXPECT_EQ(Lex("'http://x'\n\xe4_y"),
            (std::vector<std::string>{T(tkOther, ""), T(tkIdentifier, "http"), T(tkColon, ":"),
                                      T(tkOther, ""), T(tkIdentifier, "_y"), end}));
  // Only the whole line "end." ends the unit, blanks and letter case aside.
  EXPECT_EQ(Lex("end. // x\n END .\nEnd.\ny"),
            (std::vector<std::string>{T(tkIdentifier, "end"), T(tkDot, "."), T(tkIdentifier, "END"),
                                      T(tkDot, "."), T(tkEndOfUnit, "End.")}));
}

TEST(SourceText, EncodingAndLineBreaks) {
  EXPECT_EQ(DecodeSourceText("Gr\xc3\xb6\xc3\x9f"
                             "e"),
            "Gr\xf6\xdf"
            "e");
  EXPECT_EQ(DecodeSourceText("\xef\xbb\xbfx"), "x");
  EXPECT_EQ(DecodeSourceText("Gr\xf6\xdf"
                             "e"),
            "Gr\xf6\xdf"
            "e");  // no UTF-8: Windows-1252
  EXPECT_EQ(SplitSourceLines("a\r\nb\n\nc\n"), (SourceLines{"a", "b", "", "c"}));
}

}  // namespace
}  // namespace zedro
