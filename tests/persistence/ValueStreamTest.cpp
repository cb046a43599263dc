// The value stream: the exact ranges of the 1- and 2-byte integer forms, the string forms
// and where a short string becomes a long one, and lengths in a damaged file that the rest
// of the file cannot hold.
#include <gtest/gtest.h>

#include <cstdint>
#include <new>

#include "model/Messages.h"
#include "model/Win1252.h"
#include "persistence/ValueStream.h"
#include "support/AllocationCap.h"
#include "support/HexBytes.h"

using namespace zedro;
using zedro::testing::Hex;

namespace {

std::string Bytes(std::initializer_list<int> values) {
  std::string s;
  for (int v : values) s += static_cast<char>(v);
  return s;
}

std::string IntegerBytes(std::int32_t value) {
  ValueWriter w;
  w.WriteInteger(value);
  return w.Bytes();
}

// How reading one value from the bytes ended: "read <text>" (and whether bytes were left),
// the stream's message, or how much memory the reader asked for before it refused.
template <class Read>
std::string Outcome(const std::string& bytes, Read read) {
  ScriptedMessages m;
  ValueReader r(bytes, m);
  zedro::testing::AllocationCap cap(1 << 20);  // far more than any of these streams needs
  try {
    const std::string text = read(r);
    return "read " + text + (r.Remaining() ? " with bytes left" : "");
  } catch (const StreamError& e) {
    return e.what();
  } catch (const std::bad_alloc&) {
    return "asked for " + std::to_string(cap.LargestRefused()) + " bytes before refusing";
  }
}

std::string ReadIntegerOutcome(const std::string& bytes) {
  return Outcome(bytes, [](ValueReader& r) { return std::to_string(r.ReadInteger()); });
}

std::string ReadStringOutcome(const std::string& bytes) {
  return Outcome(bytes, [](ValueReader& r) { return r.ReadString(); });
}

}  // namespace

TEST(ValueStreamBounds, EachIntegerFormIsUsedUpToItsLastValue) {
  const std::pair<std::int32_t, const char*> cases[] = {
      {0, "02 00"},          {127, "02 7F"},          {-128, "02 80"},
      {-1, "02 FF"},         {128, "03 80 00"},       {-129, "03 7F FF"},
      {32767, "03 FF 7F"},   {-32768, "03 00 80"},    {32768, "04 00 80 00 00"},
      {-32769, "04 FF 7F FF FF"}, {INT32_MAX, "04 FF FF FF 7F"}, {INT32_MIN, "04 00 00 00 80"},
  };
  for (const auto& [value, hex] : cases) {
    EXPECT_EQ(Hex(IntegerBytes(value)), hex) << value;
    EXPECT_EQ(ReadIntegerOutcome(IntegerBytes(value)), "read " + std::to_string(value)) << hex;
  }
}

// Shorter forms are sign-extended, longer forms than needed are accepted, and anything
// but an integer tag or a complete value is refused.
TEST(ValueStreamBounds, IntegersInEveryFormAndBrokenOnes) {
  const std::pair<std::string, std::string> cases[] = {
      {Bytes({2, 0x80}), "read -128"},
      {Bytes({3, 0x80, 0xFF}), "read -128"},
      {Bytes({3, 0xFF, 0xFF}), "read -1"},
      {Bytes({3, 0x00, 0x80}), "read -32768"},
      {Bytes({3, 0xFF, 0x7F}), "read 32767"},
      {Bytes({4, 0x7F, 0, 0, 0}), "read 127"},
      {Bytes({4, 0x00, 0x80, 0xFF, 0xFF}), "read -32768"},
      {Bytes({9}), W("Ungültiger Eigenschaftswert")},
      {Bytes({1}), W("Ungültiger Eigenschaftswert")},
      {Bytes({4, 1, 2}), "Stream-Lesefehler"},
  };
  for (const auto& [bytes, outcome] : cases) EXPECT_EQ(ReadIntegerOutcome(bytes), outcome) << Hex(bytes);
  // A boolean consumes only its tag.
  ScriptedMessages m;
  const std::string booleans = Bytes({9, 8, 2, 5});  // the reader only looks at the bytes
  ValueReader r(booleans, m);
  EXPECT_TRUE(r.ReadBoolean());
  EXPECT_FALSE(r.ReadBoolean());
  EXPECT_EQ(r.ReadInteger(), 5);
}

// Seven-bit text up to 255 bytes is a short string, longer one a long string; text with an
// umlaut is always UTF-8, counted in bytes.
TEST(ValueStreamBounds, StringsAreWrittenInTheSmallestFormAndReadBack) {
  const std::pair<std::string, std::string> cases[] = {
      {"abc", "06 03 61 62 63"},
      {std::string(255, 'a'), "06 FF 61 61 61"},
      {std::string(256, 'a'), "0C 00 01 00 00"},
      {W("Größe"), "14 07 00 00 00 47 72 C3 B6 C3 9F 65"},
      {std::string(200, 'a') + W("ä") + std::string(100, 'b'), "14 2E 01 00 00"},
  };
  for (const auto& [text, hex] : cases) {
    ValueWriter w;
    w.WriteString(text);
    EXPECT_EQ(Hex(w.Bytes()).substr(0, hex.size()), hex);
    EXPECT_EQ(ReadStringOutcome(w.Bytes()), "read " + text) << hex;
  }
}

// Forms only other writers use: a short text in a long string, UTF-16 counted in units,
// characters outside Windows-1252. A damaged file may claim any length; the reader must
// see that the rest of the file cannot hold it before it sets memory aside for it (the cap
// turns a reader that allocates first into a failure here instead of a slow test).
TEST(ValueStreamBounds, ForeignStringFormsAndHugeLengths) {
  const std::string tail = "abcdefgh";
  const std::pair<std::string, std::string> cases[] = {
      {Bytes({0x0C, 2, 0, 0, 0, 'h', 'i'}), "read hi"},
      {Bytes({0x12, 3, 0, 0, 0, 'Z', 0, 'o', 0, 0xEB, 0}), "read " + W("Zoë")},
      {Bytes({0x12, 1, 0, 0, 0, 0xAC, 0x20}), "read \x80"},  // the euro sign of Windows-1252
      {Bytes({0x12, 2, 0, 0, 0, 0xF6, 0, 0x3A, 0x26}), "read \xF6?"},
      {Bytes({0x12, 0, 0, 0, 0}), "read "},
      {Bytes({0x12, 2, 0, 0, 0, 'a', 0, 'b'}), "Stream-Lesefehler"},  // one unit short
      {Bytes({0x12, 0xFF, 0xFF, 0xFF, 0x7F}) + tail, "Stream-Lesefehler"},
      {Bytes({0x12, 0xFF, 0xFF, 0xFF, 0xFF}) + tail, "Stream-Lesefehler"},
      {Bytes({0x12, 5, 0, 0, 0}) + tail, "Stream-Lesefehler"},
      {Bytes({0x14, 0xFF, 0xFF, 0xFF, 0xFF}) + tail, "Stream-Lesefehler"},
      {Bytes({0x0C, 0xFF, 0xFF, 0xFF, 0xFF}) + tail, "Stream-Lesefehler"},
      {Bytes({0x0C, 0x00, 0x00, 0x00, 0x80}) + tail, "Stream-Lesefehler"},
  };
  for (const auto& [bytes, outcome] : cases) EXPECT_EQ(ReadStringOutcome(bytes), outcome) << Hex(bytes);
}

TEST(ValueStreamBounds, HugeLineCountsAreRefusedBeforeAnythingIsAllocatedAndNegativeOnesAreNone) {
  for (std::int32_t count : {INT32_MAX, 1 << 24}) {
    ValueWriter w;
    w.WriteInteger(count);
    w.WriteString("eine Zeile");
    EXPECT_EQ(Outcome(w.Bytes(), [](ValueReader& r) { return std::to_string(r.ReadStrings().size()); }),
              "Stream-Lesefehler")
        << count;
  }
  ScriptedMessages m;
  const std::string minusFive = IntegerBytes(-5);
  ValueReader negative(minusFive, m);
  EXPECT_EQ(negative.ReadCount(1), 0);
}
