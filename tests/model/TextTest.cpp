#include <gtest/gtest.h>

#include "model/Win1252.h"

using namespace zedro;
using namespace zedro::text;

TEST(Win1252, ConvertsBothWaysAndMarksUnknownCharacters) {
  std::string groesse =
      "Gr\xF6\xDF"
      "e";
  EXPECT_EQ(ToUtf8(groesse), "Größe");
  EXPECT_EQ(FromUtf8("Größe"), groesse);
  EXPECT_EQ(FromUtf8("\xE2\x82\xAC"), "\x80");  // euro sign
  EXPECT_EQ(ToUtf8("\x80"), "\xE2\x82\xAC");
  EXPECT_EQ(FromUtf8("a\xE4\xB8\xAD"
                     "b"),
            "a?b");                    // a CJK character has no equivalent
  EXPECT_EQ(FromUtf8("x\xC3"), "x?");  // truncated sequence
  EXPECT_EQ(FromUtf16(u"Gr\u00F6\u00DFe"), groesse);
  EXPECT_EQ(FromUtf16(u"\U0001F600"), "?");
  EXPECT_EQ(ToUtf16(groesse), u"Gr\u00F6\u00DFe");
  EXPECT_TRUE(IsValidUtf8("Größe"));
  EXPECT_FALSE(IsValidUtf8(groesse));
}

TEST(Win1252, FoldsOnlyAsciiLettersAndReadsWholeNumbers) {
  EXPECT_EQ(UpperAscii("abc\xE4z"), "ABC\xE4Z");
  EXPECT_EQ(LowerAscii("ABC\xC4Z"), "abc\xC4z");
  EXPECT_TRUE(EqualsIgnoreCase("TForm", "tform"));
  EXPECT_FALSE(EqualsIgnoreCase("\xC4", "\xE4"));  // Ä and ä differ
  EXPECT_NE(CompareIgnoreCase("\xC4", "\xE4"), 0);
  EXPECT_LT(CompareIgnoreCase("BOOLEAN", "integer"), 0);
  // -1 for anything but a whole number with one sign at most.
  const std::pair<const char*, int> numbers[] = {
      {"4", 4},     {"-3", -3},          {"+7", 7},   {"n", -1},   {"", -1},
      {"1..3", -1}, {"99999999999", -1}, {"--3", -1}, {"+-3", -1}, {"$-5", -1}};
  for (auto [text, value] : numbers) EXPECT_EQ(StrToIntDef(text, -1), value) << text;
}
