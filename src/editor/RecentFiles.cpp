#include "editor/RecentFiles.h"

#include <QFileInfo>
#include <QSettings>
#include <QStringList>
#include <algorithm>

#include "editor/QtText.h"

namespace zedro {
namespace {

constexpr const char* kKey = "RecentFiles";

std::string Absolute(const std::string& path) { return S(QFileInfo(Q(path)).absoluteFilePath()); }

}  // namespace

TRecentFiles::TRecentFiles(std::unique_ptr<QSettings> settings)
    : settings_(settings ? std::move(settings)
                         : std::make_unique<QSettings>(QSettings::NativeFormat,
                                                       QSettings::UserScope, "Zedro", "zedro")) {}

TRecentFiles::~TRecentFiles() = default;

std::vector<std::string> TRecentFiles::Paths() const {
  std::vector<std::string> paths;
  for (const QString& p : settings_->value(kKey).toStringList()) {
    if (p.isEmpty() || std::find(paths.begin(), paths.end(), S(p)) != paths.end()) continue;
    paths.push_back(S(p));
    if (static_cast<int>(paths.size()) == kMaxEntries) break;
  }
  return paths;
}

void TRecentFiles::Store(const std::vector<std::string>& paths) {
  QStringList list;
  for (const std::string& p : paths) list.push_back(Q(p));
  settings_->setValue(kKey, list);
  settings_->sync();
}

void TRecentFiles::Add(const std::string& path) {
  if (path.empty()) return;
  const std::string absolute = Absolute(path);
  std::vector<std::string> paths = Paths();
  paths.erase(std::remove(paths.begin(), paths.end(), absolute), paths.end());
  paths.insert(paths.begin(), absolute);
  if (static_cast<int>(paths.size()) > kMaxEntries) paths.resize(kMaxEntries);
  Store(paths);
}

void TRecentFiles::Remove(const std::string& path) {
  std::vector<std::string> paths = Paths();
  const std::string absolute = Absolute(path);
  paths.erase(std::remove_if(paths.begin(), paths.end(),
                             [&](const std::string& p) { return p == path || p == absolute; }),
              paths.end());
  Store(paths);
}

bool TRecentFiles::Contains(const std::string& path) const {
  const std::vector<std::string> paths = Paths();
  return std::find(paths.begin(), paths.end(), Absolute(path)) != paths.end();
}

void TRecentFiles::Clear() { Store({}); }

}  // namespace zedro
