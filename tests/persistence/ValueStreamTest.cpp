#include <gtest/gtest.h>

#include "model/Messages.h"
#include "model/Win1252.h"
#include "persistence/ValueStream.h"
#include "support/HexBytes.h"

using namespace zedro;
using zedro::testing::Hex;

namespace {

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
  ValueWriter w;
  for (int v : {-1, 127, 128, -129, 32768}) w.WriteInteger(v);
  EXPECT_EQ(Hex(w.Bytes()), "02 FF 02 7F 03 80 00 03 7F FF 04 00 80 00 00");
  const std::pair<std::string, std::string> texts[] = {
      {"abc", "06 03 61 62 63"},
      {W("Größe"), "14 07 00 00 00 47 72 C3 B6 C3 9F 65"},  // UTF-8 bytes
      {std::string(255, 'a'), "06 FF"},
      {std::string(300, 'a'), "0C 2C 01 00 00"}};
  for (const auto& [text, hex] : texts) {
    ValueWriter s;
    s.WriteString(text);
    EXPECT_EQ(Hex(s.Bytes()).substr(0, hex.size()), hex);
  }
}

TEST(ValueStream, ReaderReadsWhatTheWriterWritesAndOtherForms) {
  const int numbers[] = {-1, 128, -32768, 32768, INT32_MIN, INT32_MAX};
  ValueWriter w;
  for (int v : numbers) w.WriteInteger(v);
  w.WriteString(W("Größe"));
  w.WriteString(std::string(300, 'x'));
  w.WriteBoolean(true);
  std::string bytes = w.Bytes() + std::string("\x03\xFF\xFF", 3)  // -1 in two bytes
                      + std::string("\x0C\x02\x00\x00\x00hi", 7)  // tag 12 for a short text
                      + std::string("\x12\x02\x00\x00\x00\xF6\x00\x3A\x26", 9)  // UTF-16
                      + std::string("\x02\x01", 2);                             // the integer 1
  ScriptedMessages m;
  ValueReader r(bytes, m);
  for (int v : numbers) EXPECT_EQ(r.ReadInteger(), v);
  EXPECT_EQ(r.ReadString(), W("Größe"));
  EXPECT_EQ(r.ReadString(), std::string(300, 'x'));
  EXPECT_TRUE(r.ReadBoolean());
  EXPECT_EQ(r.ReadInteger(), -1);
  EXPECT_EQ(r.ReadString(), "hi");
  EXPECT_EQ(r.ReadString(), "\xF6?");  // ö and a character outside Windows-1252
  // A boolean consumes only the tag: 01 is then no integer tag.
  EXPECT_FALSE(r.ReadBoolean());
  EXPECT_THROW(r.ReadInteger(), StreamError);
}

TEST(ValueStream, ReaderFailsWithTheStreamMessagesBeforeAllocating) {
  EXPECT_EQ(ErrorOf(std::string("\x09", 1), false), W("Ungültiger Eigenschaftswert"));
  EXPECT_EQ(ErrorOf(std::string("\x04\x01\x02", 3), false), "Stream-Lesefehler");
  // Lengths and counts far beyond the end fail at once.
  EXPECT_EQ(ErrorOf(std::string("\x12\xFF\xFF\xFF\x7F", 5), true), "Stream-Lesefehler");
  ScriptedMessages m;
  ValueWriter w;
  w.WriteInteger(1000000);
  w.WriteString("abc");
  w.WriteInteger(-5);
  ValueReader r(w.Bytes(), m);
  EXPECT_THROW(r.ReadStrings(), StreamError);
  const std::string minusFive = w.Bytes().substr(w.Bytes().size() - 2);
  ValueReader negative(minusFive, m);
  EXPECT_EQ(negative.ReadCount(1), 0);
}
