// The diagrams opened or saved last, newest first, kept between runs in the user's
// settings ("Zuletzt geöffnet" in the Datei menu).
#pragma once

#include <memory>
#include <string>
#include <vector>

class QSettings;

namespace zedro {

class TRecentFiles {
 public:
  static constexpr int kMaxEntries = 8;

  // settings: where the list is kept; without it the user's settings of Zedro
  // (~/.config/Zedro/zedro.conf).
  explicit TRecentFiles(std::unique_ptr<QSettings> settings = nullptr);
  ~TRecentFiles();
  TRecentFiles(const TRecentFiles&) = delete;
  TRecentFiles& operator=(const TRecentFiles&) = delete;

  // Puts the file at the top; a file already listed (by its absolute path) moves there.
  void Add(const std::string& path);
  void Remove(const std::string& path);
  bool Contains(const std::string& path) const;
  void Clear();
  // Absolute paths, newest first (in-memory text).
  std::vector<std::string> Paths() const;

 private:
  void Store(const std::vector<std::string>& paths);
  std::unique_ptr<QSettings> settings_;
};

}  // namespace zedro
