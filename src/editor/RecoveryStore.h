// The folder of autosaves: every changed diagram family is kept there as a diagram file
// beside a small description, so that its work survives a crash or a power cut. Which
// autosaves are offered at the next start is decided here, without any window.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace zedro {

struct RecoveryEntry {
  std::string id;              // "<process>-<number>", unique among running programs
  long process = 0;            // the process that wrote the autosave
  std::string originalFile;    // the diagram's own file; empty when it has none yet
  std::string title;           // the window caption when the autosave was written
  std::string projectDir;      // the project directory at that time
  std::int64_t savedAtMs = 0;  // when it was written, milliseconds since 1970
  std::string diagramFile;     // the autosave itself, a diagram file in the folder
};

class RecoveryStore {
 public:
  // folder: a directory path (in-memory text); it is created when first written to.
  explicit RecoveryStore(std::string folder);

  const std::string& Folder() const { return folder_; }

  // Writes (or replaces) the autosave of entry.id with the diagram file's bytes; the
  // entry's process, time and file are filled in here. Never touches the diagram's own
  // file. False with a German reason when the folder or the files cannot be written.
  bool Write(RecoveryEntry& entry, const std::string& bytes, std::string* error = nullptr);
  void Remove(const std::string& id);
  // Every complete autosave in the folder, oldest first.
  std::vector<RecoveryEntry> List() const;

  // The autosaves to offer at a start: those of processes that have ended (never those
  // of this process or of another running program) that are newer than their diagram's
  // file, or whose diagram has no file. An ended process's autosave that its file has
  // overtaken is out of date and removed.
  std::vector<RecoveryEntry> Offers(const std::function<bool(long process)>& processAlive);

  // Whether a process still runs.
  static bool ProcessAlive(long process);
  // A new id for an autosave of this process.
  static std::string NewId();

 private:
  std::string InfoPath(const std::string& id) const;
  std::string DiagramPath(const std::string& id) const;

  std::string folder_;
};

}  // namespace zedro
