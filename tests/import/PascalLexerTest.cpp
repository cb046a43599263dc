#include <gtest/gtest.h>

#include "import/PascalLexer.h"

namespace zedro {
namespace {

struct Tok {
  int kind;
  std::string text;
  bool operator==(const Tok& o) const { return kind == o.kind && text == o.text; }
};

std::ostream& operator<<(std::ostream& os, const Tok& t) {
  return os << "(" << t.kind << " '" << t.text << "')";
}

// All tokens up to and including the end of the unit.
std::vector<Tok> Lex(const std::string& src, size_t limit = 200) {
  SourceLines lines = SplitSourceLines(src);
  tLexer lexer(lines);
  std::vector<Tok> out;
  TPascalToken t;
  do {
    lexer.NextToken(t);
    out.push_back({t.Kind, t.Text});
  } while (t.Kind != tkEndOfUnit && out.size() < limit);
  return out;
}

TEST(PascalLexer, Tokens) {
  const Tok end{tkEndOfUnit, "end."};
  const struct {
    const char* src;
    std::vector<Tok> tokens;
  } cases[] = {
      // Keywords in any letter case, and only as whole words.
      {"Classname types CLASS Procedure PUBLISHED Override uses",
       {{tkIdentifier, "Classname"}, {tkIdentifier, "types"}, {tkClass, "CLASS"},
        {tkMethodKeyword, "Procedure"}, {tkVisibility, "PUBLISHED"}, {tkDirective, "Override"},
        {tkUses, "uses"}, end}},
      {"1..10 3.25 42",
       {{tkReal, "1."}, {tkDot, "."}, {tkInteger, "10"}, {tkReal, "3.25"}, {tkInteger, "42"}, end}},
      // Comments deliver only their closing token; the two bracket styles close each other
      // and a comment can span lines.
      {"{$R *.DFM}\nx", {{tkCommentClose, "}"}, {tkIdentifier, "x"}, end}},
      {"a (* b\n c } d", {{tkIdentifier, "a"}, {tkCommentClose, "}"}, {tkIdentifier, "d"}, end}},
      // "//" inside a string literal starts a comment; quotes are skipped one by one.
      {"s := 'http://x'; y", {{tkIdentifier, "s"}, {tkColon, ":"}, {tkEquals, "="}, {tkOther, ""},
                              {tkIdentifier, "http"}, {tkColon, ":"}, end}},
      // An umlaut ends nothing but is skipped, "_" starts a word.
      {"\xe4x\t+ _y",
       {{tkOther, ""}, {tkIdentifier, "x"}, {tkOther, ""}, {tkIdentifier, "_y"}, end}},
  };
  for (const auto& c : cases) EXPECT_EQ(Lex(c.src), c.tokens) << c.src;
}

TEST(PascalLexer, EndOfUnitAndRawLines) {
  // Only the whole line "end." ends the unit, blanks and letter case aside.
  auto t = Lex("end. // Ende\nx\n END .\ny");
  EXPECT_EQ(std::vector<Tok>(t.begin(), t.begin() + 4),
            (std::vector<Tok>{{tkIdentifier, "end"}, {tkDot, "."}, {tkIdentifier, "x"},
                              {tkIdentifier, "END"}}));
  EXPECT_EQ(Lex("x\nEnd.\ny"), (std::vector<Tok>{{tkIdentifier, "x"}, {tkEndOfUnit, "End."}}));

  SourceLines lines = SplitSourceLines("  a b  \r\n  c\n");
  ASSERT_EQ(lines.size(), 2u);
  tLexer lexer(lines);
  lexer.ReadRawLine();
  EXPECT_EQ(lexer.CurrentLine(), "  a b  ");
  EXPECT_EQ(lexer.LineWithoutBlanks(), "ab");
  lexer.ReadLine();
  EXPECT_EQ(lexer.CurrentLine(), "c");
  lexer.ReadRawLine();
  EXPECT_EQ(lexer.CurrentLine(), "end.");
  // Without "end." the end of the lines ends the unit, and it stays ended.
  TPascalToken tok;
  for (int i = 0; i < 3; ++i) {
    lexer.NextToken(tok);
    EXPECT_EQ(tok.Kind, tkEndOfUnit);
    EXPECT_EQ(tok.Text, "end.");
  }
}

TEST(SourceText, EncodingAndLineBreaks) {
  // Valid UTF-8 with a multi-byte sequence, with and without byte-order mark.
  EXPECT_EQ(DecodeSourceText("Gr\xc3\xb6\xc3\x9f" "e"), "Gr\xf6\xdf" "e");
  EXPECT_EQ(DecodeSourceText("\xef\xbb\xbfx"), "x");
  // Bytes that are no UTF-8 stay Windows-1252; plain ASCII stays as it is.
  EXPECT_EQ(DecodeSourceText("Gr\xf6\xdf" "e"), "Gr\xf6\xdf" "e");
  EXPECT_EQ(SplitSourceLines("a\r\nb\nc"), (SourceLines{"a", "b", "c"}));
  EXPECT_EQ(SplitSourceLines("a\n\nb\n"), (SourceLines{"a", "", "b"}));
  EXPECT_TRUE(SplitSourceLines("").empty());
}

}  // namespace
}  // namespace zedro
