#include "persistence/Files.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <new>
#include <vector>

#include "model/Win1252.h"
#include "persistence/SystemErrors.h"

namespace zedro {
namespace {

FileAgeFunction& AgeOverride() {
  static FileAgeFunction f;
  return f;
}

std::string Native(const std::string& path) { return text::ToUtf8(path); }

// Directory and name of a native path; the directory of a bare name is ".".
std::string DirectoryOf(const std::string& native) {
  const size_t slash = native.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : native.substr(0, slash);
}

std::string NameOf(const std::string& native) {
  const size_t slash = native.rfind('/');
  return slash == std::string::npos ? native : native.substr(slash + 1);
}

// Follows symbolic links until the path names no link (or nothing). False with the error
// number when a link cannot be read or the links go round in circles.
bool FollowLinks(std::string& native, int& errorNumber) {
  for (int depth = 0; depth < 40; ++depth) {
    struct stat st {};
    if (::lstat(native.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return true;
    std::string target(st.st_size > 0 ? static_cast<size_t>(st.st_size) + 1 : 4096, '\0');
    const ssize_t n = ::readlink(native.c_str(), target.data(), target.size());
    if (n < 0) {
      errorNumber = errno;
      return false;
    }
    target.resize(static_cast<size_t>(n));
    native = !target.empty() && target[0] == '/' ? target : DirectoryOf(native) + "/" + target;
  }
  errorNumber = ELOOP;
  return false;
}

bool ProcessAlive(long pid) {
  if (pid <= 0) return false;
  return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
}

bool ProtectedStat(const struct stat& st, const std::string& native) {
  return (st.st_mode & 0222) == 0 || ::access(native.c_str(), W_OK) != 0;
}

// A temporary file is stale when the process that wrote it has ended; the older form of
// the name carries no process and counts as stale after ten minutes.
bool IsStaleTemporary(const std::string& rest, const std::string& native) {
  const size_t dash = rest.find('-');
  if (dash == std::string::npos) {
    struct stat st {};
    return rest.size() == 6 && ::lstat(native.c_str(), &st) == 0 &&
           std::time(nullptr) - st.st_mtime > 600;
  }
  if (dash == 0 || rest.size() - dash - 1 != 6) return false;
  long pid = 0;
  for (size_t i = 0; i < dash; ++i) {
    if (rest[i] < '0' || rest[i] > '9' || pid > 100000000) return false;
    pid = pid * 10 + (rest[i] - '0');
  }
  return pid == static_cast<long>(::getpid()) || !ProcessAlive(pid);
}

int RemoveStaleTemporaries(const std::string& nativeTarget) {
  const std::string dir = DirectoryOf(nativeTarget);
  const std::string prefix = NameOf(nativeTarget) + ".tmp-";
  DIR* d = ::opendir(dir.c_str());
  if (!d) return 0;
  std::vector<std::string> stale;
  while (const dirent* entry = ::readdir(d)) {
    const std::string name = entry->d_name;
    if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0) continue;
    const std::string full = dir + "/" + name;
    struct stat st {};
    if (::lstat(full.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
    if (IsStaleTemporary(name.substr(prefix.size()), full)) stale.push_back(full);
  }
  ::closedir(d);
  int removed = 0;
  for (const std::string& full : stale)
    if (::unlink(full.c_str()) == 0) ++removed;
  return removed;
}

// Six letters and digits that differ from call to call.
std::string RandomSuffix() {
  static unsigned long long state = 0;
  if (state == 0)
    state = static_cast<unsigned long long>(
                std::chrono::steady_clock::now().time_since_epoch().count()) ^
            (static_cast<unsigned long long>(::getpid()) << 32);
  static const char kChars[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  std::string s(6, 'x');
  for (char& c : s) {
    state = state * 6364136223846793005ULL + 1442695040888963407ULL;
    c = kChars[(state >> 33) % (sizeof kChars - 1)];
  }
  return s;
}

bool WriteAll(int fd, std::string_view bytes) {
  const char* p = bytes.data();
  size_t left = bytes.size();
  while (left > 0) {
    const ssize_t n = ::write(fd, p, left);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    p += n;
    left -= static_cast<size_t>(n);
  }
  return true;
}

// Gives the unnamed file of O_TMPFILE a temporary name next to the target.
bool NameTemporary(int fd, const std::string& base, std::string& tmp) {
  const std::string source = "/proc/self/fd/" + std::to_string(fd);
  for (int attempt = 0; attempt < 100; ++attempt) {
    tmp = base + RandomSuffix();
    if (::linkat(AT_FDCWD, source.c_str(), AT_FDCWD, tmp.c_str(), AT_SYMLINK_FOLLOW) == 0)
      return true;
    if (errno != EEXIST) return false;
  }
  return false;
}

void SyncDirectory(const std::string& dir) {
  int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

bool Fail(std::string* error, const std::string& text) {
  if (error) *error = text;
  return false;
}

}  // namespace

int OpenRegularFile(const std::string& path, std::int64_t* size, std::string* error) {
  // Without blocking: a named pipe must not stall the program while it is opened.
  int fd = ::open(Native(path).c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    Fail(error, SystemErrorText(errno));
    return -1;
  }
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    // Devices, pipes and directories have no end that could be read.
    const bool directory = S_ISDIR(st.st_mode);
    ::close(fd);
    Fail(error, directory ? SystemErrorText(EISDIR) : W("Das ist keine gewöhnliche Datei."));
    return -1;
  }
  *size = static_cast<std::int64_t>(st.st_size);
  return fd;
}

bool ReadFileBytes(const std::string& path, std::string& bytes, std::string* error) {
  std::int64_t size = 0;
  const int fd = OpenRegularFile(path, &size, error);
  if (fd < 0) return false;
  std::string data;
  int failure = 0;
  try {
    data.reserve(static_cast<size_t>(size));
    char buffer[65536];
    for (;;) {
      const ssize_t n = ::read(fd, buffer, sizeof buffer);
      if (n > 0) {
        data.append(buffer, static_cast<size_t>(n));
      } else if (n == 0) {
        break;
      } else if (errno != EINTR) {
        failure = errno;
        break;
      }
    }
  } catch (const std::bad_alloc&) {
    ::close(fd);
    std::string().swap(data);
    return Fail(error, W("Nicht genug Arbeitsspeicher, um die Datei zu lesen (") +
                           text::IntToStr(static_cast<long long>(size / (1024 * 1024))) +
                           " MB).");
  }
  ::close(fd);
  if (failure != 0) return Fail(error, SystemErrorText(failure));
  bytes = std::move(data);
  return true;
}

std::string TemporaryFilePrefix(const std::string& fileName) {
  return fileName + ".tmp-" + std::to_string(static_cast<long>(::getpid())) + "-";
}

int RemoveStaleTemporaryFiles(const std::string& path) {
  std::string target = Native(path);
  int ignored = 0;
  if (!FollowLinks(target, ignored)) return 0;
  return RemoveStaleTemporaries(target);
}

std::string LinkTarget(const std::string& path) {
  std::string target = Native(path);
  int ignored = 0;
  if (!FollowLinks(target, ignored)) return path;
  return text::FromUtf8(target);
}

bool IsWriteProtected(const std::string& path) {
  struct stat st {};
  const std::string native = Native(path);
  return ::stat(native.c_str(), &st) == 0 && S_ISREG(st.st_mode) && ProtectedStat(st, native);
}

AtomicFileWriter::~AtomicFileWriter() {
  if (fd_ >= 0) ::close(fd_);
  if (named_) ::unlink(tmp_.c_str());
}

bool AtomicFileWriter::Begin(const std::string& path, std::string* error) {
  target_ = Native(path);
  int linkError = 0;
  if (!FollowLinks(target_, linkError)) return Fail(error, SystemErrorText(linkError));
  struct stat st {};
  const bool exists = ::stat(target_.c_str(), &st) == 0;
  if (exists && S_ISDIR(st.st_mode)) return Fail(error, SystemErrorText(EISDIR));
  if (exists && !S_ISREG(st.st_mode)) return Fail(error, W("Das ist keine gewöhnliche Datei."));
  if (exists && ProtectedStat(st, target_)) return Fail(error, W("Die Datei ist schreibgeschützt."));
  if (exists) {
    mode_ = st.st_mode & 07777;
    // Best effort: a file replaced by the administrator keeps its owner.
    keepOwner_ = ::geteuid() == 0;
    uid_ = st.st_uid;
    gid_ = st.st_gid;
  } else {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    mode_ = 0666 & ~mask;
  }
  RemoveStaleTemporaries(target_);

  dir_ = DirectoryOf(target_);
  base_ = dir_ + "/" + TemporaryFilePrefix(NameOf(target_));
  // An unnamed file vanishes with the process; it gets its temporary name only when it
  // is complete (through /proc). File systems without unnamed files get a named one at
  // once.
  if (::access("/proc/self/fd", X_OK) == 0)
    fd_ = ::open(dir_.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
  else
    errno = EOPNOTSUPP;
  if (fd_ < 0 && (errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL)) {
    tmp_ = base_ + "XXXXXX";
    fd_ = ::mkostemp(tmp_.data(), O_CLOEXEC);
    named_ = fd_ >= 0;
  }
  if (fd_ < 0) return Fail(error, SystemErrorText(errno));
  return true;
}

bool AtomicFileWriter::Write(std::string_view bytes) {
  if (fd_ < 0 || failure_ != 0) return false;
  if (!WriteAll(fd_, bytes)) failure_ = errno;
  return failure_ == 0;
}

bool AtomicFileWriter::Commit(std::string* error) {
  if (fd_ < 0) return Fail(error, SystemErrorText(EBADF));
  if (failure_ == 0 && ::fsync(fd_) != 0) failure_ = errno;
  if (failure_ == 0) {
    ::fchmod(fd_, mode_);
    if (keepOwner_) (void)!::fchown(fd_, uid_, gid_);
  }
  if (failure_ == 0 && !named_) {
    if (NameTemporary(fd_, base_, tmp_))
      named_ = true;
    else
      failure_ = errno ? errno : EEXIST;
  }
  if (::close(fd_) != 0 && failure_ == 0) failure_ = errno;
  fd_ = -1;
  if (failure_ == 0 && ::rename(tmp_.c_str(), target_.c_str()) != 0) failure_ = errno;
  if (failure_ != 0) return Fail(error, SystemErrorText(failure_));
  named_ = false;  // the temporary name is the target's now
  SyncDirectory(dir_);
  return true;
}

bool WriteFileAtomically(const std::string& path, const std::string& bytes, std::string* error) {
  AtomicFileWriter writer;
  if (!writer.Begin(path, error)) return false;
  writer.Write(bytes);
  return writer.Commit(error);
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

std::int64_t FileTimeMs(const std::string& path) {
  struct stat st {};
  if (::stat(Native(path).c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return -1;
  return static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000 + st.st_mtim.tv_nsec / 1000000;
}

void SetFileAgeFunction(FileAgeFunction f) { AgeOverride() = std::move(f); }

}  // namespace zedro
