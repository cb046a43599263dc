// Autosave and recovery: every changed diagram family (a main diagram with its
// sub-diagrams) is written into a per-user folder every two minutes and before every
// import or update, never over the user's own file. A save or an orderly close removes
// the autosave; after a crash or a power cut the next start offers "Wiederherstellen".
#pragma once

#include <QObject>
#include <QTimer>
#include <cstddef>
#include <map>
#include <string>

#include "editor/RecoveryStore.h"

namespace zedro {

class TFChild;
class TMainForm;

class TAutosave : public QObject {
 public:
  static constexpr int kDefaultIntervalMs = 2 * 60 * 1000;

  // folder: where the autosaves go; empty for the user's data folder.
  explicit TAutosave(TMainForm& form, const std::string& folder = {});

  // The folder of the autosaves in the user's data folder ("…/zedro/Wiederherstellung").
  static std::string DefaultFolder();

  // Writes an autosave of every changed diagram family now and then every intervalMs.
  void Start(int intervalMs = kDefaultIntervalMs);
  // Autosaves of all changed families (the timer's work). Families are skipped while a
  // dialog is open: the diagram may be in the middle of a change.
  void SaveAllChanged();
  // The autosave of one family (the window or its main diagram) when it changed since
  // it was last saved or autosaved. True when an autosave was written.
  bool SaveNow(TFChild& window);
  // The diagram was saved: its autosave is obsolete.
  void Forget(TFChild& window);
  // The window closes in an orderly way.
  void Discard(TFChild& window);
  // Offers each autosave that a crashed program left behind and that is newer than its
  // file: Ja restores it into a new window, Nein deletes it, Abbrechen keeps it for the
  // next start. Returns the number of diagrams restored.
  int OfferRecovery();

  RecoveryStore& Store() { return store_; }
  // The autosave id of the family of the window; empty when none was written.
  std::string IdOf(const TFChild& window) const;

 private:
  TFChild* Restore(const RecoveryEntry& entry);

  TMainForm& form_;
  RecoveryStore store_;
  QTimer timer_;
  struct Written {
    std::string id;
    std::size_t hash = 0;  // of the bytes written last, so that unchanged bytes are not rewritten
    bool present = false;
  };
  std::map<const TFChild*, Written> written_;
  bool reportedFailure_ = false;
};

}  // namespace zedro
