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

TEST(PascalLexer, ClassHeadingAndKeywordsInAnyCase) {
  EXPECT_EQ(Lex("TAuto=class(TFahrzeug)"),
            (std::vector<Tok>{{tkIdentifier, "TAuto"}, {tkEquals, "="}, {tkClass, "class"},
                              {tkOpenParen, "("}, {tkIdentifier, "TFahrzeug"},
                              {tkCloseParen, ")"}, {tkEndOfUnit, "end."}}));
  auto t = Lex("Classname types CLASS Procedure PUBLISHED Override uses");
  EXPECT_EQ(t[0], (Tok{tkIdentifier, "Classname"}));
  EXPECT_EQ(t[1], (Tok{tkIdentifier, "types"}));
  EXPECT_EQ(t[2], (Tok{tkClass, "CLASS"}));
  EXPECT_EQ(t[3], (Tok{tkMethodKeyword, "Procedure"}));
  EXPECT_EQ(t[4], (Tok{tkVisibility, "PUBLISHED"}));
  EXPECT_EQ(t[5], (Tok{tkDirective, "Override"}));
  EXPECT_EQ(t[6], (Tok{tkUses, "uses"}));
}

TEST(PascalLexer, NumbersAndRanges) {
  EXPECT_EQ(Lex("1..10 3.25 42"),
            (std::vector<Tok>{{tkReal, "1."}, {tkDot, "."}, {tkInteger, "10"}, {tkReal, "3.25"},
                              {tkInteger, "42"}, {tkEndOfUnit, "end."}}));
}

TEST(PascalLexer, CommentsDeliverOnlyTheirClosingToken) {
  EXPECT_EQ(Lex("{$R *.DFM}\nx"), (std::vector<Tok>{{tkCommentClose, "}"}, {tkIdentifier, "x"},
                                                    {tkEndOfUnit, "end."}}));
  // The two bracket styles close each other; a comment can span lines.
  EXPECT_EQ(Lex("a (* b\n c } d"), (std::vector<Tok>{{tkIdentifier, "a"}, {tkCommentClose, "}"},
                                                     {tkIdentifier, "d"}, {tkEndOfUnit, "end."}}));
  EXPECT_EQ(Lex("a // b c\nd"), (std::vector<Tok>{{tkIdentifier, "a"}, {tkIdentifier, "d"},
                                                  {tkEndOfUnit, "end."}}));
  // "//" inside a string literal starts a comment; quotes are skipped one by one.
  EXPECT_EQ(Lex("s := 'http://x'; y"),
            (std::vector<Tok>{{tkIdentifier, "s"}, {tkColon, ":"}, {tkEquals, "="},
                              {tkOther, ""}, {tkIdentifier, "http"}, {tkColon, ":"},
                              {tkEndOfUnit, "end."}}));
}

TEST(PascalLexer, EndOfUnit) {
  // Only the whole line "end." ends the unit, blanks and letter case aside.
  auto t = Lex("end. // Ende\nx\n END .\ny");
  EXPECT_EQ(t[0], (Tok{tkIdentifier, "end"}));
  EXPECT_EQ(t[1], (Tok{tkDot, "."}));
  EXPECT_EQ(t[2], (Tok{tkIdentifier, "x"}));
  EXPECT_EQ(t[3], (Tok{tkIdentifier, "END"}));  // "end ." : the dot does not follow directly
  auto u = Lex("x\nEnd.\ny");
  EXPECT_EQ(u, (std::vector<Tok>{{tkIdentifier, "x"}, {tkEndOfUnit, "End."}}));
  // Without "end." the end of the lines ends the unit, and it stays ended.
  SourceLines lines = SplitSourceLines("x");
  tLexer lexer(lines);
  TPascalToken tok;
  lexer.NextToken(tok);
  for (int i = 0; i < 3; ++i) {
    lexer.NextToken(tok);
    EXPECT_EQ(tok.Kind, tkEndOfUnit);
    EXPECT_EQ(tok.Text, "end.");
  }
}

TEST(PascalLexer, UnclosedCommentAndOddCharactersEnd) {
  EXPECT_EQ(Lex("a { never closed\n b c"),
            (std::vector<Tok>{{tkIdentifier, "a"}, {tkEndOfUnit, "end."}}));
  auto t = Lex("\xe4x\t+ _y");  // an umlaut ends nothing but is skipped, "_" starts a word
  EXPECT_EQ(t[0], (Tok{tkOther, ""}));
  EXPECT_EQ(t[1], (Tok{tkIdentifier, "x"}));
  EXPECT_EQ(t[2], (Tok{tkOther, ""}));
  EXPECT_EQ(t[3], (Tok{tkIdentifier, "_y"}));
}

TEST(PascalLexer, RawLinesAndLineHelpers) {
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
