// A regular file mapped into memory for one pass of reading from front to back.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace zedro {

class MappedFile {
 public:
  MappedFile() = default;
  ~MappedFile();
  MappedFile(const MappedFile&) = delete;
  MappedFile& operator=(const MappedFile&) = delete;

  // False, with a German reason in error, when the file cannot be opened, is no regular file
  // or cannot be mapped. An empty file maps to no bytes.
  bool Open(const std::string& path, std::string* error);
  std::string_view Bytes() const { return {static_cast<const char*>(base_), size_}; }
  // The reader has passed the offset and never comes back: the pages before it leave the
  // process's memory (they are read from the file again should anybody touch them).
  void ReleaseBefore(size_t offset);

 private:
  void* base_ = nullptr;
  size_t size_ = 0;
  size_t released_ = 0;
};

}  // namespace zedro
