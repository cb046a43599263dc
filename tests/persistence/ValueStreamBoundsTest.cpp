// The edges of the value stream: the exact ranges of the 1- and 2-byte integer forms, the
// length at which a short string becomes a long one, and lengths in a damaged file that
// the rest of the file cannot hold.
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

std::int32_t ReadIntegerFrom(const std::string& bytes) {
  ScriptedMessages m;
  ValueReader r(bytes, m);
  return r.ReadInteger();
}

// How reading a string from the bytes ended: "read <text>", the stream's message, or how
// much memory the reader asked for before it refused.
std::string StringReadOutcome(const std::string& bytes) {
  ScriptedMessages m;
  ValueReader r(bytes, m);
  zedro::testing::AllocationCap cap(1 << 20);  // far more than any of these streams needs
  try {
    return "read " + r.ReadString();
  } catch (const StreamError& e) {
    return e.what();
  } catch (const std::bad_alloc&) {
    return "asked for " + std::to_string(cap.LargestRefused()) + " bytes before refusing";
  }
}

}  // namespace

TEST(ValueStreamBounds, EachIntegerFormIsUsedUpToItsLastValue) {
  const std::pair<std::int32_t, const char*> cases[] = {
      {0, "02 00"},
      {127, "02 7F"},
      {-128, "02 80"},
      {128, "03 80 00"},
      {-129, "03 7F FF"},
      {32767, "03 FF 7F"},
      {-32768, "03 00 80"},
      {32768, "04 00 80 00 00"},
      {-32769, "04 FF 7F FF FF"},
      {INT32_MAX, "04 FF FF FF 7F"},
      {INT32_MIN, "04 00 00 00 80"},
  };
  for (const auto& [value, hex] : cases) {
    EXPECT_EQ(Hex(IntegerBytes(value)), hex) << value;
    EXPECT_EQ(ReadIntegerFrom(IntegerBytes(value)), value) << hex;
  }
}

TEST(ValueStreamBounds, EveryValueNearAFormBoundaryReadsBackFromTheSmallestForm) {
  for (std::int32_t edge : {-32768, -128, 0, 127, 32767}) {
    for (std::int32_t value = edge - 3; value <= edge + 3; ++value) {
      const std::string bytes = IntegerBytes(value);
      const size_t expected = value >= -128 && value <= 127       ? 2
                              : value >= -32768 && value <= 32767 ? 3
                                                                  : 5;
      EXPECT_EQ(bytes.size(), expected) << value;
      EXPECT_EQ(ReadIntegerFrom(bytes), value) << value;
    }
  }
}

TEST(ValueStreamBounds, ShorterFormsAreSignExtendedAndLongerFormsAreAccepted) {
  EXPECT_EQ(ReadIntegerFrom(Bytes({2, 0x80})), -128);
  EXPECT_EQ(ReadIntegerFrom(Bytes({3, 0x80, 0xFF})), -128);
  EXPECT_EQ(ReadIntegerFrom(Bytes({3, 0x00, 0x80})), -32768);
  EXPECT_EQ(ReadIntegerFrom(Bytes({3, 0xFF, 0x7F})), 32767);
  EXPECT_EQ(ReadIntegerFrom(Bytes({4, 0x7F, 0, 0, 0})), 127);
  EXPECT_EQ(ReadIntegerFrom(Bytes({4, 0x00, 0x80, 0xFF, 0xFF})), -32768);
}

TEST(ValueStreamBounds, AShortStringHoldsAtMost255SevenBitBytes) {
  for (size_t length : {size_t{255}, size_t{256}}) {
    ValueWriter w;
    w.WriteString(std::string(length, 'a'));
    const std::string& bytes = w.Bytes();
    EXPECT_EQ(Hex(bytes.substr(0, 5)), length == 255 ? "06 FF 61 61 61" : "0C 00 01 00 00");
    ScriptedMessages m;
    ValueReader r(bytes, m);
    EXPECT_EQ(r.ReadString(), std::string(length, 'a'));
    EXPECT_EQ(r.Remaining(), 0u);
  }
  // Text with an umlaut is always UTF-8, counted in bytes, also beyond 255.
  ValueWriter w;
  w.WriteString(std::string(200, 'a') + W("ä") + std::string(100, 'b'));
  EXPECT_EQ(Hex(w.Bytes().substr(0, 5)), "14 2E 01 00 00");  // 200 + 2 + 100 bytes
}

TEST(ValueStreamBounds, UTF16StringsAreCountedInUnits) {
  // "Zoë" and "€" in UTF-16LE: three units, then one.
  const std::string bytes = Bytes({0x12, 3, 0, 0, 0, 'Z',  0,    'o', 0, 0xEB, 0,  //
                                   0x12, 1, 0, 0, 0, 0xAC, 0x20,                   //
                                   0x12, 0, 0, 0, 0, 2,    5});
  ScriptedMessages m;
  ValueReader r(bytes, m);
  EXPECT_EQ(r.ReadString(), W("Zoë"));
  EXPECT_EQ(r.ReadString(), "\x80");  // the euro sign of Windows-1252
  EXPECT_EQ(r.ReadString(), "");
  EXPECT_EQ(r.ReadInteger(), 5);
  // One unit short: the stream ends inside the text.
  EXPECT_EQ(StringReadOutcome(Bytes({0x12, 2, 0, 0, 0, 'a', 0, 'b'})), "Stream-Lesefehler");
}

// A damaged file may claim any length. The reader must see that the rest of the file
// cannot hold it before it sets memory aside for it: the cap turns a reader that
// allocates first into a failure here instead of a test that only gets slow.
TEST(ValueStreamBounds, HugeStringLengthsAreRefusedBeforeAnythingIsAllocated) {
  const std::string tail = "abcdefgh";
  const std::pair<const char*, std::string> cases[] = {
      {"UTF-16, 2^31-1 units", Bytes({0x12, 0xFF, 0xFF, 0xFF, 0x7F}) + tail},
      {"UTF-16, 2^32-1 units", Bytes({0x12, 0xFF, 0xFF, 0xFF, 0xFF}) + tail},
      {"UTF-16, one unit more than the rest", Bytes({0x12, 5, 0, 0, 0}) + tail},
      {"UTF-8, 2^32-1 bytes", Bytes({0x14, 0xFF, 0xFF, 0xFF, 0xFF}) + tail},
      {"long string, 2^32-1 bytes", Bytes({0x0C, 0xFF, 0xFF, 0xFF, 0xFF}) + tail},
      {"long string, 2^31 bytes", Bytes({0x0C, 0x00, 0x00, 0x00, 0x80}) + tail},
  };
  for (const auto& [what, bytes] : cases)
    EXPECT_EQ(StringReadOutcome(bytes), "Stream-Lesefehler") << what;
}

TEST(ValueStreamBounds, HugeLineCountsAreRefusedBeforeAnythingIsAllocated) {
  for (std::int32_t count : {INT32_MAX, 1 << 24}) {
    ValueWriter w;
    w.WriteInteger(count);
    w.WriteString("eine Zeile");
    ScriptedMessages m;
    ValueReader r(w.Bytes(), m);
    zedro::testing::AllocationCap cap(1 << 20);
    std::string outcome = "read";
    try {
      r.ReadStrings();
    } catch (const StreamError& e) {
      outcome = e.what();
    } catch (const std::bad_alloc&) {
      outcome = "asked for " + std::to_string(cap.LargestRefused()) + " bytes";
    }
    EXPECT_EQ(outcome, "Stream-Lesefehler") << count;
  }
}
