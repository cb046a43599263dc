#include "persistence/ValueStream.h"

#include "model/Win1252.h"

namespace zedro {

std::string InvalidValueText() { return W("Ungültiger Eigenschaftswert"); }
std::string StreamReadErrorText() { return "Stream-Lesefehler"; }

// ---- writer ---------------------------------------------------------------------------

void ValueWriter::Tagged(char tag, std::uint32_t v, int n) {
  char b[5] = {tag};
  for (int i = 0; i < n; ++i) b[1 + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
  bytes_.append(b, static_cast<size_t>(1 + n));
}

void ValueWriter::WriteWideInteger(std::int32_t value) {
  if (value >= -32768 && value <= 32767) {
    Tagged(3, static_cast<std::uint32_t>(value), 2);
  } else {
    Tagged(4, static_cast<std::uint32_t>(value), 4);
  }
}

void ValueWriter::WriteString(std::string_view cp1252) {
  if (text::HasHighBytes(cp1252)) {
    const std::string utf8 = text::ToUtf8(cp1252);
    Tagged(20, static_cast<std::uint32_t>(utf8.size()), 4);
    bytes_ += utf8;
  } else if (cp1252.size() <= 255) {
    Tagged(6, static_cast<std::uint32_t>(cp1252.size()), 1);
    bytes_ += cp1252;
  } else {
    Tagged(12, static_cast<std::uint32_t>(cp1252.size()), 4);
    bytes_ += cp1252;
  }
}

void ValueWriter::WriteStrings(const StringList& lines) {
  WriteInteger(static_cast<std::int32_t>(lines.size()));
  for (const std::string& s : lines) WriteString(s);
}

// ---- reader ---------------------------------------------------------------------------

void ValueReader::Need(size_t n) const {
  if (n > data_.size() - pos_) throw StreamError(StreamReadErrorText());
}

std::uint8_t ValueReader::Byte() {
  Need(1);
  return static_cast<std::uint8_t>(data_[pos_++]);
}

std::uint32_t ValueReader::Raw(int n) {
  Need(static_cast<size_t>(n));
  std::uint32_t v = 0;
  for (int i = 0; i < n; ++i)
    v |= static_cast<std::uint32_t>(static_cast<std::uint8_t>(data_[pos_ + i])) << (8 * i);
  pos_ += static_cast<size_t>(n);
  return v;
}

std::int32_t ValueReader::ReadIntegerSlow() {
  switch (Byte()) {
    case 2:
      return static_cast<std::int8_t>(Raw(1));
    case 3:
      return static_cast<std::int16_t>(Raw(2));
    case 4:
      return static_cast<std::int32_t>(Raw(4));
    default:
      throw StreamError(InvalidValueText());
  }
}

std::string ValueReader::ReadStringSlow() {
  std::uint8_t tag = Byte();
  switch (tag) {
    case 18: {
      std::uint32_t units = Raw(4);
      if (units > Remaining() / 2) throw StreamError(StreamReadErrorText());
      std::u16string s(units, u'\0');
      for (std::uint32_t i = 0; i < units; ++i) s[i] = static_cast<char16_t>(Raw(2));
      return text::FromUtf16(s);
    }
    case 20: {
      std::uint32_t n = Raw(4);
      Need(n);
      std::string_view bytes = data_.substr(pos_, n);
      pos_ += n;
      return text::FromUtf8(bytes);
    }
    case 6:
    case 12: {
      std::uint32_t n = tag == 6 ? Raw(1) : Raw(4);
      Need(n);
      std::string s(data_.substr(pos_, n));
      pos_ += n;
      return s;
    }
    default:
      throw StreamError(InvalidValueText());
  }
}

bool ValueReader::ReadBooleanSlow() { return Byte() == 9; }

int ValueReader::ReadCount(int minBytesPerItem) {
  std::int32_t n = ReadInteger();
  if (n <= 0) return 0;
  if (static_cast<std::uint64_t>(n) * static_cast<std::uint64_t>(minBytesPerItem) > Remaining())
    throw StreamError(StreamReadErrorText());
  return n;
}

void ValueReader::Allot(size_t items) {
  constexpr size_t kMargin = 65536;
  if (items > data_.size() + kMargin - allotted_) throw StreamError(StreamReadErrorText());
  allotted_ += items;
}

StringList ValueReader::ReadStrings() {
  int n = ReadCount(2);
  StringList lines;
  lines.reserve(static_cast<size_t>(n));
  for (int i = 0; i < n; ++i) lines.push_back(ReadString());
  return lines;
}

}  // namespace zedro
