#include <gtest/gtest.h>

#include "model/Win1252.h"

using namespace zedro::text;

TEST(Win1252, ConvertsFoldsAndReadsWholeNumbers) {
  const std::string groesse =
      "Gr\xF6\xDF"
      "e";
  EXPECT_EQ(ToUtf8(groesse), "Größe");
  EXPECT_EQ(FromUtf8("Größe\xE2\x82\xAC"), groesse + "\x80");  // with the euro sign
  EXPECT_EQ(FromUtf8("a\xE4\xB8\xAD"
                     "b\xC3"),
            "a?b?");  // no equivalent; truncated
  EXPECT_EQ(FromUtf16(u"Gr\u00F6\u00DFe\U0001F600"), groesse + "?");
  EXPECT_FALSE(IsValidUtf8(groesse));
  EXPECT_EQ(UpperAscii("abc\xE4z"), "ABC\xE4Z");
  EXPECT_FALSE(EqualsIgnoreCase("\xC4", "\xE4"));  // only ASCII letters fold
  EXPECT_LT(CompareIgnoreCase("BOOLEAN", "integer"), 0);
  const std::pair<const char*, int> numbers[] = {{"-3", -3},   {"+7", 7},           {"", -1},
                                                 {"1..3", -1}, {"99999999999", -1}, {"+-3", -1}};
  for (auto [text, value] : numbers) EXPECT_EQ(StrToIntDef(text, -1), value) << text;
}

// The check for bytes of 0x80 and above looks at eight bytes at a time: every place in and
// after a word counts.
TEST(Win1252, FindsAHighByteAtEveryPlace) {
  for (size_t n = 0; n <= 20; ++n) {
    std::string text(n, 'a');
    EXPECT_FALSE(HasHighBytes(text)) << n;
    for (size_t at = 0; at < n; ++at) {
      std::string high = text;
      high[at] = '\x80';
      EXPECT_TRUE(HasHighBytes(high)) << n << " " << at;
      EXPECT_TRUE(HasHighBytes(std::string_view(high).substr(at))) << n << " " << at;
    }
  }
}
