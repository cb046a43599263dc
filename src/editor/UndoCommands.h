// "Rückgängig" and "Wiederholen" of the frame: the first items of "Bearbeiten", their keys
// (Strg+Z; Strg+Y and Strg+Umschalt+Z) and tool-bar buttons. They act on the history of
// the active diagram window's family and name the step they would take back or do again.
// The class inspector's buttons name the steps they make.
#pragma once

#include <QObject>

class QAction;

namespace zedro {

class TFChild;
class TMainForm;
class UndoHistory;

class TUndoCommands : public QObject {
  Q_OBJECT

 public:
  explicit TUndoCommands(TMainForm& form);

  // Captions and enabled state for the active diagram window.
  void Refresh();
  // The history of the active diagram window's family, or nullptr.
  UndoHistory* ActiveHistory() const;

  QAction* UndoItem = nullptr;
  QAction* RedoItem = nullptr;

 private:
  void NameStepOfActive(const std::string& name);

  TMainForm& form_;
};

}  // namespace zedro
