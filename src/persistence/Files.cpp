#include "persistence/Files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <ctime>

#include "model/Win1252.h"
#include "persistence/SystemErrors.h"

namespace zedro {
namespace {

FileAgeFunction& AgeOverride() {
  static FileAgeFunction f;
  return f;
}

std::string Native(const std::string& path) { return text::ToUtf8(path); }

// The reason of the last failed call, in German.
std::string ErrnoText() { return SystemErrorText(errno); }

}  // namespace

bool ReadFileBytes(const std::string& path, std::string& bytes, std::string* error) {
  // Without blocking: a named pipe must not stall the program while it is opened.
  int fd = ::open(Native(path).c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    if (error) *error = ErrnoText();
    return false;
  }
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    // Devices, pipes and directories have no end that could be read.
    if (error)
      *error = S_ISDIR(st.st_mode) ? SystemErrorText(EISDIR) : W("Das ist keine gewöhnliche Datei.");
    ::close(fd);
    return false;
  }
  std::string data;
  data.reserve(static_cast<size_t>(st.st_size));
  char buffer[65536];
  bool failed = false;
  for (;;) {
    ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n > 0) {
      data.append(buffer, static_cast<size_t>(n));
    } else if (n == 0) {
      break;
    } else if (errno != EINTR) {
      failed = true;
      if (error) *error = ErrnoText();
      break;
    }
  }
  ::close(fd);
  if (failed) return false;
  bytes = std::move(data);
  return true;
}

bool WriteFileAtomically(const std::string& path, const std::string& bytes, std::string* error) {
  std::string target = Native(path);
  std::string tmpl = target + ".tmp-XXXXXX";
  int fd = ::mkstemp(tmpl.data());
  if (fd < 0) {
    if (error) *error = ErrnoText();
    return false;
  }
  const char* p = bytes.data();
  size_t left = bytes.size();
  bool ok = true;
  while (left > 0) {
    ssize_t n = ::write(fd, p, left);
    if (n < 0) {
      if (errno == EINTR) continue;
      ok = false;
      break;
    }
    p += n;
    left -= static_cast<size_t>(n);
  }
  if (ok && ::fsync(fd) != 0) ok = false;
  int savedErrno = errno;
  // Keep the permissions of a file that is replaced, else the usual ones for a new file.
  struct stat st {};
  mode_t mode = 0644;
  if (::stat(target.c_str(), &st) == 0) {
    mode = st.st_mode & 07777;
  } else {
    mode_t mask = ::umask(0);
    ::umask(mask);
    mode = 0666 & ~mask;
  }
  ::fchmod(fd, mode);
  if (::close(fd) != 0 && ok) {
    ok = false;
    savedErrno = errno;
  }
  if (ok && ::rename(tmpl.c_str(), target.c_str()) != 0) {
    ok = false;
    savedErrno = errno;
  }
  if (!ok) {
    ::unlink(tmpl.c_str());
    errno = savedErrno;
    if (error) *error = ErrnoText();
  }
  return ok;
}

bool FileExists(const std::string& path) {
  struct stat st {};
  return ::stat(Native(path).c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool DirectoryExists(const std::string& path) {
  struct stat st {};
  return ::stat(Native(path).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool CreateDirectory(const std::string& path) { return ::mkdir(Native(path).c_str(), 0777) == 0; }

std::int32_t PackFileTime(std::int64_t unixSeconds) {
  std::time_t t = static_cast<std::time_t>(unixSeconds);
  std::tm tm{};
  ::localtime_r(&t, &tm);
  int year = tm.tm_year + 1900 - 1980;
  if (year < 0) year = 0;
  std::uint32_t v = (static_cast<std::uint32_t>(year & 0x7F) << 25) |
                    (static_cast<std::uint32_t>(tm.tm_mon + 1) << 21) |
                    (static_cast<std::uint32_t>(tm.tm_mday) << 16) |
                    (static_cast<std::uint32_t>(tm.tm_hour) << 11) |
                    (static_cast<std::uint32_t>(tm.tm_min) << 5) |
                    static_cast<std::uint32_t>(tm.tm_sec / 2);
  return static_cast<std::int32_t>(v);
}

std::int32_t FileAge(const std::string& path) {
  if (AgeOverride()) return AgeOverride()(path);
  struct stat st {};
  if (::stat(Native(path).c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return -1;
  return PackFileTime(st.st_mtime);
}

void SetFileAgeFunction(FileAgeFunction f) { AgeOverride() = std::move(f); }

}  // namespace zedro
