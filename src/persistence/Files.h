// File access for the core. Paths are Windows-1252 text like every other text in memory;
// they are converted to the file system's UTF-8 here and nowhere else.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "persistence/SystemErrors.h"

namespace zedro {

// Opens a regular file for reading, never waiting on a named pipe; its size in size. -1,
// with a German reason in error, when it cannot be opened or is no regular file.
int OpenRegularFile(const std::string& path, std::int64_t* size, std::string* error);

// Reads a whole regular file. False, with a German reason in error, when the file cannot
// be opened or read, also when there is not enough memory for it.
bool ReadFileBytes(const std::string& path, std::string& bytes, std::string* error = nullptr);

// Replaces the file by the bytes without ever leaving it half written:
// - a symbolic link is followed to the file it names, which is replaced; the link stays;
// - a write-protected file is refused (it is not replaced behind the user's back);
// - the bytes go to a temporary file in the same directory first, which is renamed over
//   the target only when it is complete; where the file system allows it the temporary
//   file has no name until then, so a save killed half way leaves nothing behind;
// - temporary files that earlier, killed saves of the same file left behind are removed.
// On failure the reason is a German text in error and an existing file is as it was.
bool WriteFileAtomically(const std::string& path, const std::string& bytes,
                         std::string* error = nullptr);

// The same for bytes that come in parts: Begin checks the target and opens the temporary
// file, Write adds bytes, Commit puts the file in the target's place. A writer that is not
// committed leaves the target as it was and no temporary file behind.
class AtomicFileWriter {
 public:
  AtomicFileWriter() = default;
  ~AtomicFileWriter();
  AtomicFileWriter(const AtomicFileWriter&) = delete;
  AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

  bool Begin(const std::string& path, std::string* error);
  // False once a write failed; Commit then gives the reason.
  bool Write(std::string_view bytes);
  bool Commit(std::string* error);

 private:
  std::string target_, dir_, base_, tmp_;
  int fd_ = -1;
  bool named_ = false;
  int failure_ = 0;
  unsigned mode_ = 0;
  bool keepOwner_ = false;
  unsigned uid_ = 0, gid_ = 0;
};

// True when the path names an existing file (or a link to one) that must not be written:
// no write permission bit is set, or the program lacks the right to write it.
bool IsWriteProtected(const std::string& path);
// The path with every symbolic link of its last component followed (the file a save
// writes); the path itself when it is no link.
std::string LinkTarget(const std::string& path);

bool FileExists(const std::string& path);
bool DirectoryExists(const std::string& path);
bool CreateDirectory(const std::string& path);

// The name part that marks Zedro's temporary files: "<file>.tmp-<process>-XXXXXX".
std::string TemporaryFilePrefix(const std::string& fileName);
// Removes the temporary files of earlier saves of the file whose writing process has
// ended. Returns how many were removed.
int RemoveStaleTemporaryFiles(const std::string& path);

// The age of a file: its modification time in the packed date-time form (bits from the
// top: year - 1980, month, day, hour, minute, second / 2), -1 when there is no such file.
std::int32_t FileAge(const std::string& path);
// Packs a time given in seconds since 1970 (local time) into that form.
std::int32_t PackFileTime(std::int64_t unixSeconds);
// The modification time in milliseconds since 1970; -1 when there is no such file.
std::int64_t FileTimeMs(const std::string& path);

// Tests replace the clock behind FileAge; an empty function restores the file system's.
using FileAgeFunction = std::function<std::int32_t(const std::string& path)>;
void SetFileAgeFunction(FileAgeFunction f);

}  // namespace zedro
