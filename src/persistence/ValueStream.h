// The tagged value stream of diagram and class files: each integer, string and Boolean is
// a one-byte tag followed by its payload (little-endian).
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

#include "model/UMLClass.h"

namespace zedro {

class IMessages;

// Raised by ValueReader when the stream is malformed or ends too early; the load that
// reads the stream stops at once and reports what() to the user.
class StreamError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The two messages of the stream, as Windows-1252 text.
std::string InvalidValueText();     // "Ungültiger Eigenschaftswert"
std::string StreamReadErrorText();  // "Stream-Lesefehler"

class ValueWriter {
 public:
  ValueWriter() = default;
  // Writes into the storage of the given buffer: its bytes are dropped, its capacity is
  // kept, so that a buffer of the right size (the bytes of the file just read, say) is
  // written again without a new allocation.
  explicit ValueWriter(std::string buffer) : bytes_(std::move(buffer)) { bytes_.clear(); }

  // The short forms are written here, everything else out of line.
  void WriteInteger(std::int32_t value) {
    if (value >= -128 && value <= 127) {
      const char b[2] = {2, static_cast<char>(value)};
      bytes_.append(b, 2);
    } else {
      WriteWideInteger(value);
    }
  }
  void WriteString(std::string_view cp1252);
  void WriteBoolean(bool value) { bytes_.push_back(static_cast<char>(value ? 9 : 8)); }
  void WriteStrings(const StringList& lines);  // count, then the lines

  const std::string& Bytes() const { return bytes_; }
  std::string TakeBytes() { return std::move(bytes_); }
  // Drops the bytes written so far (after they went out to a file) and keeps the storage.
  void Clear() { bytes_.clear(); }

 private:
  void WriteWideInteger(std::int32_t value);
  // A tag byte followed by an n-byte little-endian number.
  void Tagged(char tag, std::uint32_t v, int n);
  std::string bytes_;
};

class ValueReader {
 public:
  // Reads from bytes that stay alive while the reader is used. Messages shown while
  // records are read (range messages, repairs) go to the given sink.
  ValueReader(std::string_view bytes, IMessages& messages) : data_(bytes), messages_(messages) {}

  // The common short forms are read here; everything else, and every failure, out of line.
  std::int32_t ReadInteger() {
    if (Remaining() >= 2 && data_[pos_] == 2) {
      pos_ += 2;
      return static_cast<std::int8_t>(data_[pos_ - 1]);
    }
    return ReadIntegerSlow();
  }
  std::string ReadString() {
    if (Remaining() >= 2 && data_[pos_] == 6) {
      size_t n = static_cast<std::uint8_t>(data_[pos_ + 1]);
      if (Remaining() - 2 >= n) {
        std::string s(data_.data() + pos_ + 2, n);
        pos_ += 2 + n;
        return s;
      }
    }
    return ReadStringSlow();
  }
  bool ReadBoolean() {
    if (pos_ < data_.size()) return data_[pos_++] == 9;
    return ReadBooleanSlow();
  }
  StringList ReadStrings();
  // Reads a count of items each of which needs at least minBytesPerItem bytes. A count
  // that the rest of the stream could not hold fails at once with "Stream-Lesefehler",
  // before anything is allocated for it; a negative count is read as 0.
  int ReadCount(int minBytesPerItem);

  // Accounts for items that a record sets up without reading bytes for them (the default
  // values of object boxes). Together they may not outnumber the bytes of the stream, plus
  // a margin for small files; more fails with "Stream-Lesefehler", so that a damaged file
  // never makes the reader set up more than a file of its size could describe.
  void Allot(size_t items);

  size_t Remaining() const { return data_.size() - pos_; }
  size_t Position() const { return pos_; }
  IMessages& Messages() { return messages_; }

 private:
  std::int32_t ReadIntegerSlow();
  std::string ReadStringSlow();
  bool ReadBooleanSlow();
  std::uint8_t Byte();
  std::uint32_t Raw(int n);
  void Need(size_t n) const;

  std::string_view data_;
  size_t pos_ = 0;
  size_t allotted_ = 0;
  IMessages& messages_;
};

}  // namespace zedro
