#include <gtest/gtest.h>

#include "model/Win1252.h"

using namespace zedro;
using namespace zedro::text;

TEST(Win1252, ConvertsBothWaysAndMarksUnknownCharacters) {
  std::string groesse = "Gr\xF6\xDF" "e";
  EXPECT_EQ(ToUtf8(groesse), "Größe");
  EXPECT_EQ(FromUtf8("Größe"), groesse);
  EXPECT_EQ(FromUtf8("\xE2\x82\xAC"), "\x80");   // euro sign
  EXPECT_EQ(ToUtf8("\x80"), "\xE2\x82\xAC");
  EXPECT_EQ(FromUtf8("a\xE4\xB8\xAD" "b"), "a?b");  // a CJK character has no equivalent
  EXPECT_EQ(FromUtf8("x\xC3"), "x?");            // truncated sequence
  EXPECT_EQ(FromUtf16(u"Gr\u00F6\u00DFe"), groesse);
  EXPECT_EQ(FromUtf16(u"\U0001F600"), "?");
  EXPECT_EQ(ToUtf16(groesse), u"Gr\u00F6\u00DFe");
  EXPECT_TRUE(IsValidUtf8("Größe"));
  EXPECT_FALSE(IsValidUtf8(groesse));
}

TEST(Win1252, FoldsOnlyAsciiLetters) {
  EXPECT_EQ(UpperAscii("abc\xE4z"), "ABC\xE4Z");
  EXPECT_EQ(LowerAscii("ABC\xC4Z"), "abc\xC4z");
  EXPECT_TRUE(EqualsIgnoreCase("TForm", "tform"));
  EXPECT_FALSE(EqualsIgnoreCase("\xC4", "\xE4"));  // Ä and ä differ
  EXPECT_LT(CompareIgnoreCase("BOOLEAN", "integer"), 0);
}

TEST(Win1252, ReadsWholeNumbersOrMinusOne) {
  EXPECT_EQ(StrToIntDef("4", -1), 4);
  EXPECT_EQ(StrToIntDef("-3", -1), -3);
  EXPECT_EQ(StrToIntDef("n", -1), -1);
  EXPECT_EQ(StrToIntDef("", -1), -1);
  EXPECT_EQ(StrToIntDef("1..3", -1), -1);
  EXPECT_EQ(StrToIntDef("99999999999", -1), -1);
  // One sign at most: a doubled sign is no number.
  EXPECT_EQ(StrToIntDef("--3", -1), -1);
  EXPECT_EQ(StrToIntDef("+-3", -1), -1);
  EXPECT_EQ(StrToIntDef("$-5", -1), -1);
  EXPECT_EQ(StrToIntDef("+7", -1), 7);
}
