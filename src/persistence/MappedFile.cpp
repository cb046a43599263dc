#include "persistence/MappedFile.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>

#include "persistence/Files.h"
#include "persistence/SystemErrors.h"

namespace zedro {

MappedFile::~MappedFile() {
  if (base_) ::munmap(base_, size_);
}

bool MappedFile::Open(const std::string& path, std::string* error) {
  std::int64_t size = 0;
  const int fd = OpenRegularFile(path, &size, error);
  if (fd < 0) return false;
  if (size > 0) {
    void* base = ::mmap(nullptr, static_cast<size_t>(size), PROT_READ, MAP_PRIVATE, fd, 0);
    if (base == MAP_FAILED) {
      const int failure = errno;
      ::close(fd);
      if (error) *error = SystemErrorText(failure);
      return false;
    }
    ::madvise(base, static_cast<size_t>(size), MADV_SEQUENTIAL);
    base_ = base;
    size_ = static_cast<size_t>(size);
  }
  ::close(fd);
  return true;
}

void MappedFile::ReleaseBefore(size_t offset) {
  // In steps of a megabyte: each release is a system call.
  constexpr size_t kStep = 1u << 20;
  if (!base_ || offset > size_ || offset < released_ + kStep) return;
  const auto page = static_cast<size_t>(::sysconf(_SC_PAGESIZE));
  const size_t end = offset / page * page;
  ::madvise(static_cast<char*>(base_) + released_, end - released_, MADV_DONTNEED);
  released_ = end;
}

}  // namespace zedro
