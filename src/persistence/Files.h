// File access for the core. Paths are Windows-1252 text like every other text in memory;
// they are converted to the file system's UTF-8 here and nowhere else.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace zedro {

bool ReadFileBytes(const std::string& path, std::string& bytes, std::string* error = nullptr);
// Writes to a temporary file in the same directory and renames it over the target, so a
// failed write leaves an existing file as it was.
bool WriteFileAtomically(const std::string& path, const std::string& bytes,
                         std::string* error = nullptr);
bool FileExists(const std::string& path);
bool DirectoryExists(const std::string& path);
bool CreateDirectory(const std::string& path);

// The age of a file: its modification time in the packed date-time form (bits from the
// top: year - 1980, month, day, hour, minute, second / 2), -1 when there is no such file.
std::int32_t FileAge(const std::string& path);
// Packs a time given in seconds since 1970 (local time) into that form.
std::int32_t PackFileTime(std::int64_t unixSeconds);

// Tests replace the clock behind FileAge; an empty function restores the file system's.
using FileAgeFunction = std::function<std::int32_t(const std::string& path)>;
void SetFileAgeFunction(FileAgeFunction f);

}  // namespace zedro
