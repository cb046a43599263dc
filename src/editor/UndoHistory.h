// Undo and redo for a main diagram with all its sub-diagrams (a family of windows). The
// main diagram window owns the history; every window of the family reports its redraws
// here. Once a command has ended (no dialog open, nothing being dragged), the family is
// written in the diagram file format and becomes a step when it differs from the state
// before. Undo and redo read such a state back into the family and rebuild its windows.
//
// What the diagram file leaves out is carried along: the project directory and the
// directories of the boxes' source files are part of each state; the recorded ages of the
// source files are those known before a restore, so that the watch timer never asks
// because of an undo. The language of the diagram is application-wide and no step.
#pragma once

#include <QObject>
#include <QRect>
#include <map>
#include <set>
#include <string>

#include "persistence/SnapshotHistory.h"

class QAction;

namespace zedro {

class TFChild;

class UndoHistory : public QObject {
  Q_OBJECT

 public:
  // The history of the main diagram window, owned by it.
  explicit UndoHistory(TFChild& mainWindow);

  // Joins a new window to its family: a main diagram window gets its history, every
  // window gets the undo and redo items of its empty-area menu and the step names of its
  // mouse work and keys.
  static void Attach(TFChild& window);
  // The history of the window's family; nullptr while there is none.
  static UndoHistory* Of(TFChild& window);

  // A window of the family was redrawn: a change is recorded once the command has ended.
  void Changed(TFChild& window);
  // Records a change that waits, now.
  void Flush();
  // The family as it is now is the first state, the one on disk (after reading a file),
  // or one that differs from its file (a diagram recovered after a crash).
  void Restart(bool saved = true);
  // The family as it is now was saved.
  void MarkSaved();
  // The name of the step under way; the next recorded change gets it.
  void NameStep(const std::string& name);

  bool CanUndo() const { return steps_.CanUndo(); }
  bool CanRedo() const { return steps_.CanRedo(); }
  // "Rückgängig: Klasse löschen", "Wiederholen: Attribut hinzufügen"; without a step
  // just "Rückgängig" and "Wiederholen".
  std::string UndoCaption() const;
  std::string RedoCaption() const;
  void Undo();
  void Redo();
  // The same once the event that asks for it has been dealt with: a menu of a window that
  // the step removes may be the one that asked.
  void UndoLater();
  void RedoLater();
  const SnapshotHistory& Steps() const { return steps_; }

  // The family in the form the steps hold: its diagram file and what the file leaves out.
  std::string Snapshot();
  // The diagram file part of a snapshot.
  static std::string FileBytesOf(const std::string& snapshot);

  // The name of the step a command makes, from the caption of its item: as shown, without
  // its access key and the blanks and dot leaders around words.
  static std::string StepNameOf(const std::string& caption);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Schedule(int delayMs = 0);
  void FlushWhenIdle();
  // A dialog is open or something is being dragged in a window of the family.
  bool Busy() const;
  void Restore(const std::string& snapshot);
  // Every window's undo and redo items and the frame's.
  void ShowState();
  void ShowItemsOf(TFChild& window) const;
  TFChild* WindowOfSurface(QObject* surface) const;

  TFChild& main_;
  SnapshotHistory steps_;
  std::string name_;
  bool pending_ = false;
  bool scheduled_ = false;
  bool restoring_ = false;
  bool settling_ = false;
  bool savedPending_ = false;
  // The windows redrawn since the last recording.
  std::set<const TFChild*> redrawn_;
  // The last place of each sub-diagram window, by its name.
  std::map<std::string, QRect> places_;
};

}  // namespace zedro
