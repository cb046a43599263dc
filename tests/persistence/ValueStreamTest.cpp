#include <gtest/gtest.h>

#include <type_traits>
#include <utility>

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

// The bytes of one value as the writer writes it.
template <typename T>
std::string BytesOf(const T& value) {
  ValueWriter w;
  if constexpr (std::is_same_v<T, int>)
    w.WriteInteger(value);
  else
    w.WriteString(value);
  return Hex(w.Bytes());
}

std::string ErrorOf(const std::string& bytes, bool asString) {
  ScriptedMessages m;
  ValueReader r(bytes, m);
  try {
    asString ? (void)r.ReadString() : (void)r.ReadInteger();
  } catch (const StreamError& e) {
    return e.what();
  }
  return "";
}

}  // namespace

TEST(ValueStream, WritesTheSmallestIntegerFormAndSevenBitTextAsIs) {
  for (auto [v, hex] : {std::pair{-1, "02 FF"}, {127, "02 7F"}, {128, "03 80 00"},
                        {-129, "03 7F FF"}, {32768, "04 00 80 00 00"}})
    EXPECT_EQ(BytesOf(v), hex) << v;
  EXPECT_EQ(BytesOf(std::string("abc")), "06 03 61 62 63");
  EXPECT_EQ(BytesOf(W("Größe")), "14 07 00 00 00 47 72 C3 B6 C3 9F 65");  // UTF-8 bytes
  EXPECT_EQ(BytesOf(std::string(255, 'a')).substr(0, 5), "06 FF");
  EXPECT_EQ(BytesOf(std::string(300, 'a')).substr(0, 14), "0C 2C 01 00 00");
}

TEST(ValueStream, ReaderReadsWhatTheWriterWritesAndOtherForms) {
  const int numbers[] = {0, -1, 128, -32768, 32768, INT32_MIN, INT32_MAX};
  ValueWriter w;
  for (int v : numbers) w.WriteInteger(v);
  w.WriteString(W("Größe"));
  w.WriteString(std::string(300, 'x'));
  w.WriteBoolean(true);
  w.WriteBoolean(false);
  std::string bytes = w.Bytes() + std::string("\x03\xFF\xFF", 3)  // -1 in two bytes
                      + std::string("\x0C\x02\x00\x00\x00hi", 7)  // tag 12 for a short text
                      +
                      std::string("\x12\x02\x00\x00\x00\xF6\x00\x3A\x26", 9)  // UTF-16: ö, non-1252
                      + std::string("\x02\x01", 2);                           // the integer 1
  ScriptedMessages m;
  ValueReader r(bytes, m);
  for (int v : numbers) EXPECT_EQ(r.ReadInteger(), v);
  EXPECT_EQ(r.ReadString(), W("Größe"));
  EXPECT_EQ(r.ReadString(), std::string(300, 'x'));
  EXPECT_TRUE(r.ReadBoolean());
  EXPECT_FALSE(r.ReadBoolean());
  EXPECT_EQ(r.ReadInteger(), -1);
  EXPECT_EQ(r.ReadString(), "hi");
  EXPECT_EQ(r.ReadString(), "\xF6?");
  // A boolean consumes only the tag: 01 is then no integer tag.
  EXPECT_FALSE(r.ReadBoolean());
  EXPECT_EQ(r.Remaining(), 1u);
  EXPECT_THROW(r.ReadInteger(), StreamError);
}

TEST(ValueStream, ReaderFailsWithTheStreamMessagesBeforeAllocating) {
  EXPECT_EQ(ErrorOf(std::string("\x09", 1), false), W("Ungültiger Eigenschaftswert"));
  EXPECT_EQ(ErrorOf(std::string("\x04\x01\x02", 3), false), "Stream-Lesefehler");
  // Lengths and counts far beyond the end fail at once.
  EXPECT_NE(ErrorOf(std::string("\x0C\xFF\xFF\xFF\x7F", 5), true), "");
  EXPECT_NE(ErrorOf(std::string("\x12\xFF\xFF\xFF\x7F", 5), true), "");
  ScriptedMessages m;
  ValueWriter w;
  w.WriteInteger(1000000);
  w.WriteString("abc");
  w.WriteInteger(-5);
  ValueReader r(w.Bytes(), m);
  EXPECT_THROW(r.ReadStrings(), StreamError);
  const std::string minusFive = w.Bytes().substr(w.Bytes().size() - 2);
  ValueReader r2(minusFive, m);
  EXPECT_EQ(r2.ReadCount(1), 0);
}
