#include "editor/Autosave.h"

#include <QApplication>
#include <QDir>
#include <QStandardPaths>
#include <ctime>
#include <functional>

#include "diagram/DiagramDocument.h"
#include "editor/DialogService.h"
#include "editor/QtText.h"
#include "editor/TFChild.h"
#include "editor/TMainForm.h"
#include "editor/UndoHistory.h"
#include "model/Win1252.h"
#include "persistence/DiagramFile.h"

namespace zedro {

namespace {

bool FamilyChanged(const DiagramDocument& main) {
  if (!main.Saved) return true;
  for (const auto& sub : main.SubDiagrams)
    if (!sub->Saved) return true;
  return false;
}

// "12.03.2025 um 10:14 Uhr"
std::string WhenText(std::int64_t ms) {
  const std::time_t t = static_cast<std::time_t>(ms / 1000);
  std::tm tm{};
  ::localtime_r(&t, &tm);
  char buffer[64];
  std::strftime(buffer, sizeof buffer, "%d.%m.%Y um %H:%M Uhr", &tm);
  return buffer;
}

std::string OfferText(const RecoveryEntry& e) {
  std::string text = W("Zedro wurde beim letzten Mal nicht ordnungsgemäß beendet.\n\n");
  if (e.originalFile.empty())
    text += "Vom Diagramm '" + e.title + W("', das noch nicht gespeichert war, gibt es eine ") +
            "automatische Sicherung vom " + WhenText(e.savedAtMs) + ".";
  else
    text += "Vom Diagramm '" + e.title + "' (" + e.originalFile +
            ") gibt es eine automatische Sicherung vom " + WhenText(e.savedAtMs) +
            ", die neuer ist als die gespeicherte Datei.";
  return text + W("\n\nWiederherstellen?\n\n"
                  "Ja: Die Sicherung wird geöffnet. Speichern Sie das Diagramm danach.\n"
                  "Nein: Die Sicherung wird gelöscht.\n"
                  "Abbrechen: Beim nächsten Start wird wieder gefragt.");
}

}  // namespace

TAutosave::TAutosave(TMainForm& form, const std::string& folder)
    : form_(form), store_(folder.empty() ? DefaultFolder() : folder) {
  connect(&timer_, &QTimer::timeout, this, [this] { SaveAllChanged(); });
}

std::string TAutosave::DefaultFolder() {
  QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
  if (base.isEmpty()) base = QDir::homePath() + "/.local/share";
  return S(base) + "/zedro/Wiederherstellung/";
}

void TAutosave::Start(int intervalMs) { timer_.start(intervalMs); }

void TAutosave::SaveAllChanged() {
  if (QApplication::activeModalWidget() || form_.IsLoading()) return;
  for (TFChild* c : form_.Children())
    if (c->IsMainDiagram()) SaveNow(*c);
}

bool TAutosave::SaveNow(TFChild& window) {
  TFChild& main = window.MainDiagramWindow();
  const DiagramDocument& doc = main.Doc();
  if (!FamilyChanged(doc)) return false;
  const std::string bytes = DiagramToBytes(doc);
  const std::size_t hash = std::hash<std::string>{}(bytes);
  Written& w = written_[&main];
  if (w.present && w.hash == hash) return false;
  if (w.id.empty()) w.id = RecoveryStore::NewId();
  RecoveryEntry entry;
  entry.id = w.id;
  entry.originalFile = doc.HasFileName ? doc.FileName : std::string();
  entry.title = TFChild::CaptionOf(doc);
  entry.projectDir = doc.ProjectDir;
  std::string error;
  if (!store_.Write(entry, bytes, &error)) {
    // Said once, in the status line: a box every two minutes would stop the work.
    if (!reportedFailure_) main.SetStatus(W("Automatische Sicherung nicht möglich: ") + error);
    reportedFailure_ = true;
    return false;
  }
  w.hash = hash;
  w.present = true;
  return true;
}

void TAutosave::Forget(TFChild& window) {
  auto it = written_.find(&window.MainDiagramWindow());
  if (it == written_.end()) return;
  if (it->second.present) store_.Remove(it->second.id);
  it->second.present = false;
  it->second.hash = 0;
}

void TAutosave::Discard(TFChild& window) {
  Forget(window);
  written_.erase(&window.MainDiagramWindow());
}

std::string TAutosave::IdOf(const TFChild& window) const {
  auto it = written_.find(&window);
  return it != written_.end() && it->second.present ? it->second.id : std::string();
}

int TAutosave::OfferRecovery() {
  int restored = 0;
  for (const RecoveryEntry& e : store_.Offers(&RecoveryStore::ProcessAlive)) {
    const MsgResult answer =
        form_.Dialogs().Message(MsgKind::Confirmation, OfferText(e), MsgButtons::YesNoCancel);
    if (answer == MsgResult::Yes) {
      if (Restore(e)) ++restored;
    } else if (answer == MsgResult::No) {
      store_.Remove(e.id);
    }
  }
  return restored;
}

TFChild* TAutosave::Restore(const RecoveryEntry& e) {
  TFChild* child = form_.OpenDiagramFile(e.diagramFile);
  if (!child) {
    // Its message has been shown; an autosave that cannot be read is of no further use.
    store_.Remove(e.id);
    return nullptr;
  }
  const bool damaged = !child->DamagedFile.empty();
  DiagramDocument& doc = child->Doc();
  // The diagram is again the user's, with its own file (which is saved over only by
  // the user's save) and its project directory; it differs from that file.
  doc.FileName = e.originalFile.empty() ? (e.title.empty() ? "NONAME" : e.title) : e.originalFile;
  doc.HasFileName = !e.originalFile.empty() && !damaged;
  child->DamagedFile.clear();
  doc.ProjectDir = e.originalFile.empty() ? e.projectDir : DirectoryPart(e.originalFile);
  for (auto& sub : doc.SubDiagrams) sub->ProjectDir = doc.ProjectDir;
  child->Redraw();
  // Undo goes back as far as the recovered state, which differs from the user's file.
  if (UndoHistory* history = UndoHistory::Of(*child)) history->Restart(false);
  child->FormResize();
  // Kept at once under the new window, so that a second crash loses nothing either.
  SaveNow(*child);
  store_.Remove(e.id);
  return child;
}

}  // namespace zedro
