#include "editor/RecoveryStore.h"

#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <filesystem>
#include <sstream>
#include <system_error>

#include "model/Win1252.h"
#include "persistence/Files.h"

namespace zedro {

namespace {

namespace fs = std::filesystem;

const char* const kInfoExtension = ".info";
const char* const kDiagramExtension = ".urd";
const char* const kInfoHeading = "Zedro-Sicherung 1";

std::int64_t NowMs() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(
             std::chrono::system_clock::now().time_since_epoch())
      .count();
}

// One line of the description: a path with a line break in it cannot be kept there.
std::string OneLine(const std::string& s) {
  return s.find_first_of("\r\n") == std::string::npos ? s : std::string();
}

std::string InfoText(const RecoveryEntry& e) {
  std::ostringstream out;
  out << kInfoHeading << "\n"
      << "process=" << e.process << "\n"
      << "saved=" << e.savedAtMs << "\n"
      << "file=" << text::ToUtf8(OneLine(e.originalFile)) << "\n"
      << "title=" << text::ToUtf8(OneLine(e.title)) << "\n"
      << "dir=" << text::ToUtf8(OneLine(e.projectDir)) << "\n";
  return out.str();
}

bool ParseInfo(const std::string& bytes, RecoveryEntry& e) {
  std::istringstream in(bytes);
  std::string line;
  if (!std::getline(in, line) || line != kInfoHeading) return false;
  bool haveProcess = false;
  while (std::getline(in, line)) {
    const size_t eq = line.find('=');
    if (eq == std::string::npos) continue;
    const std::string key = line.substr(0, eq);
    const std::string value = line.substr(eq + 1);
    try {
      if (key == "process") {
        e.process = std::stol(value);
        haveProcess = true;
      } else if (key == "saved") {
        e.savedAtMs = std::stoll(value);
      }
    } catch (const std::exception&) {
      return false;
    }
    if (key == "file") e.originalFile = text::FromUtf8(value);
    if (key == "title") e.title = text::FromUtf8(value);
    if (key == "dir") e.projectDir = text::FromUtf8(value);
  }
  return haveProcess;
}

}  // namespace

RecoveryStore::RecoveryStore(std::string folder) : folder_(std::move(folder)) {
  if (!folder_.empty() && folder_.back() != '/') folder_ += '/';
}

std::string RecoveryStore::InfoPath(const std::string& id) const {
  return folder_ + id + kInfoExtension;
}

std::string RecoveryStore::DiagramPath(const std::string& id) const {
  return folder_ + id + kDiagramExtension;
}

bool RecoveryStore::ProcessAlive(long process) {
  if (process <= 0) return false;
  return ::kill(static_cast<pid_t>(process), 0) == 0 || errno == EPERM;
}

std::string RecoveryStore::NewId() {
  static int counter = 0;
  return std::to_string(static_cast<long>(::getpid())) + "-" + std::to_string(++counter);
}

bool RecoveryStore::Write(RecoveryEntry& entry, const std::string& bytes, std::string* error) {
  std::error_code ec;
  fs::create_directories(fs::path(text::ToUtf8(folder_)), ec);
  if (!DirectoryExists(folder_)) {
    if (error) *error = SystemErrorText(ec.value());
    return false;
  }
  entry.process = static_cast<long>(::getpid());
  entry.savedAtMs = NowMs();
  entry.diagramFile = DiagramPath(entry.id);
  // The diagram first: a description without its diagram is never listed.
  return WriteFileAtomically(entry.diagramFile, bytes, error) &&
         WriteFileAtomically(InfoPath(entry.id), InfoText(entry), error);
}

void RecoveryStore::Remove(const std::string& id) {
  // The description first: a diagram without one is no autosave any more.
  std::error_code ec;
  fs::remove(fs::path(text::ToUtf8(InfoPath(id))), ec);
  fs::remove(fs::path(text::ToUtf8(DiagramPath(id))), ec);
}

std::vector<RecoveryEntry> RecoveryStore::List() const {
  std::vector<RecoveryEntry> entries;
  std::error_code ec;
  for (fs::directory_iterator it(fs::path(text::ToUtf8(folder_)), ec), end; !ec && it != end;
       it.increment(ec)) {
    const fs::path p = it->path();
    if (p.extension() != kInfoExtension) continue;
    RecoveryEntry e;
    e.id = text::FromUtf8(p.stem().string());
    std::string bytes;
    if (!ReadFileBytes(InfoPath(e.id), bytes) || !ParseInfo(bytes, e)) continue;
    e.diagramFile = DiagramPath(e.id);
    if (!FileExists(e.diagramFile)) continue;
    entries.push_back(std::move(e));
  }
  std::sort(entries.begin(), entries.end(), [](const RecoveryEntry& a, const RecoveryEntry& b) {
    return a.savedAtMs != b.savedAtMs ? a.savedAtMs < b.savedAtMs : a.id < b.id;
  });
  return entries;
}

std::vector<RecoveryEntry> RecoveryStore::Offers(
    const std::function<bool(long process)>& processAlive) {
  std::vector<RecoveryEntry> offers;
  const long self = static_cast<long>(::getpid());
  for (RecoveryEntry& e : List()) {
    if (e.process == self || processAlive(e.process)) continue;
    const std::int64_t fileTime = e.originalFile.empty() ? -1 : FileTimeMs(e.originalFile);
    if (fileTime >= 0 && fileTime >= e.savedAtMs) {
      Remove(e.id);  // saved again later (or changed by someone else): out of date
      continue;
    }
    offers.push_back(std::move(e));
  }
  return offers;
}

}  // namespace zedro
