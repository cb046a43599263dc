#include <gtest/gtest.h>

#include "model/Messages.h"
#include "model/Win1252.h"
#include "persistence/ValueStream.h"

using namespace zedro;

namespace {

std::string Hex(const std::string& bytes) {
  static const char* digits = "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : bytes) {
    if (!out.empty()) out += ' ';
    out += digits[c >> 4];
    out += digits[c & 15];
  }
  return out;
}

std::string IntBytes(int v) {
  ValueWriter w;
  w.WriteInteger(v);
  return Hex(w.Bytes());
}

std::string StrBytes(const std::string& s) {
  ValueWriter w;
  w.WriteString(s);
  return Hex(w.Bytes());
}

}  // namespace

TEST(ValueWriter, WritesTheSmallestIntegerForm) {
  EXPECT_EQ(IntBytes(184), "03 B8 00");
  EXPECT_EQ(IntBytes(-1), "02 FF");
  EXPECT_EQ(IntBytes(0), "02 00");
  EXPECT_EQ(IntBytes(127), "02 7F");
  EXPECT_EQ(IntBytes(128), "03 80 00");
  EXPECT_EQ(IntBytes(-129), "03 7F FF");
  EXPECT_EQ(IntBytes(32768), "04 00 80 00 00");
  EXPECT_EQ(IntBytes(8421504), "04 80 80 80 00");
}

TEST(ValueWriter, WritesSevenBitTextAsIsAndOtherTextAsUtf8) {
  EXPECT_EQ(StrBytes(""), "06 00");
  EXPECT_EQ(StrBytes("abc"), "06 03 61 62 63");
  EXPECT_EQ(StrBytes(W("Größe")), "14 07 00 00 00 47 72 C3 B6 C3 9F 65");
  EXPECT_EQ(StrBytes(std::string(255, 'a')).substr(0, 5), "06 FF");
  EXPECT_EQ(StrBytes(std::string(256, 'a')).substr(0, 14), "0C 00 01 00 00");
  EXPECT_EQ(StrBytes(std::string(300, 'a')).substr(0, 14), "0C 2C 01 00 00");
  EXPECT_EQ(StrBytes(W("ä")), "14 02 00 00 00 C3 A4");  // length counts UTF-8 bytes
}

TEST(ValueReader, ReadsWhatTheWriterWrites) {
  ValueWriter w;
  for (int v : {0, -1, 127, 128, -129, 32767, -32768, 32768, INT32_MIN, INT32_MAX}) w.WriteInteger(v);
  w.WriteString(W("Größe"));
  w.WriteString(std::string(300, 'x'));
  w.WriteBoolean(true);
  w.WriteBoolean(false);
  ScriptedMessages m;
  ValueReader r(w.Bytes(), m);
  for (int v : {0, -1, 127, 128, -129, 32767, -32768, 32768, INT32_MIN, INT32_MAX})
    EXPECT_EQ(r.ReadInteger(), v);
  EXPECT_EQ(r.ReadString(), W("Größe"));
  EXPECT_EQ(r.ReadString(), std::string(300, 'x'));
  EXPECT_TRUE(r.ReadBoolean());
  EXPECT_FALSE(r.ReadBoolean());
  EXPECT_EQ(r.Remaining(), 0u);
}

TEST(ValueReader, AcceptsOtherStringFormsAndSignExtends) {
  ScriptedMessages m;
  std::string bytes = std::string("\x03\xFF\xFF", 3)            // -1 in two bytes
                      + std::string("\x0C\x02\x00\x00\x00hi", 7)  // tag 12 for a short text
                      + std::string("\x06\x00", 2)              // the empty text
                      + std::string("\x12\x02\x00\x00\x00\xF6\x00\x3A\x26", 9);  // UTF-16: ö and a non-1252 char
  ValueReader r(bytes, m);
  EXPECT_EQ(r.ReadInteger(), -1);
  EXPECT_EQ(r.ReadString(), "hi");
  EXPECT_EQ(r.ReadString(), "");
  EXPECT_EQ(r.ReadString(), "\xF6?");
}

TEST(ValueReader, BooleanConsumesOnlyTheTag) {
  ScriptedMessages m;
  std::string bytes("\x02\x01", 2);  // the integer 1
  ValueReader r(bytes, m);
  EXPECT_FALSE(r.ReadBoolean());
  EXPECT_EQ(r.Position(), 1u);
  EXPECT_THROW(r.ReadInteger(), StreamError);  // 01 is no integer tag
}

TEST(ValueReader, FailsWithTheStreamMessages) {
  ScriptedMessages m;
  std::string wrongTag("\x09", 1);
  ValueReader r1(wrongTag, m);
  try {
    r1.ReadInteger();
    FAIL();
  } catch (const StreamError& e) {
    EXPECT_EQ(std::string(e.what()), W("Ungültiger Eigenschaftswert"));
  }
  std::string truncated("\x04\x01\x02", 3);
  ValueReader r2(truncated, m);
  try {
    r2.ReadInteger();
    FAIL();
  } catch (const StreamError& e) {
    EXPECT_EQ(std::string(e.what()), "Stream-Lesefehler");
  }
  // A string length far beyond the end is refused before anything is allocated.
  std::string huge("\x0C\xFF\xFF\xFF\x7F", 5);
  ValueReader r3(huge, m);
  EXPECT_THROW(r3.ReadString(), StreamError);
  std::string hugeUtf16("\x12\xFF\xFF\xFF\x7F", 5);
  ValueReader r4(hugeUtf16, m);
  EXPECT_THROW(r4.ReadString(), StreamError);
}

TEST(ValueReader, CountsThatTheRestCannotHoldFailAtOnce) {
  ScriptedMessages m;
  ValueWriter w;
  w.WriteInteger(1000000);
  w.WriteString("abc");
  ValueReader r(w.Bytes(), m);
  EXPECT_THROW(r.ReadStrings(), StreamError);
  ValueWriter w2;
  w2.WriteInteger(-5);
  ValueReader r2(w2.Bytes(), m);
  EXPECT_EQ(r2.ReadCount(1), 0);
}
