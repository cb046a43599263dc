// What the editor offers besides its diagram commands, as a desktop program:
// - "Zuletzt geöffnet" in the Datei menu: the last eight diagrams opened or saved;
// - "als PlantUML-Text kopieren" in the Datei menu: the active diagram as PlantUML text
//   on the clipboard;
// - "Hilfe" (F1) in the Info menu: the German guide;
// - files dropped on the frame or a diagram window: diagrams (*.urd) open; units (*.pas,
//   *.pp), Java sources and folders dropped on a diagram window are imported as the
//   class import and the folder import do (refused in sub-diagrams);
// It is a child of the frame and hooks into the frame's menus and diagram windows. (The
// folder import itself, "Klassen aus Ordner importieren", is a command of the main
// diagram windows' class menus.)
#pragma once

#include <QObject>
#include <QPointer>
#include <QSettings>
#include <memory>
#include <string>
#include <vector>

#include "editor/HelpWindow.h"

class QAction;
class QMenu;

namespace zedro {

class TFChild;
class TMainForm;
class TRecentFiles;

class TDesktopFeatures : public QObject {
  Q_OBJECT

 public:
  // settings: where the recent files are kept (the user's settings by default).
  explicit TDesktopFeatures(TMainForm& form, std::unique_ptr<QSettings> settings = nullptr);
  ~TDesktopFeatures() override;

  TRecentFiles& RecentFiles() { return *recent_; }
  QMenu* RecentMenu() const { return recentMenu_; }
  // Opens a diagram file; a diagram open already comes to the front instead. A file that
  // no longer exists is taken out of the recent files, with a message.
  void OpenDiagram(const std::string& path);
  // Copies the active diagram as PlantUML text to the clipboard.
  void CopyPlantUml();
  void ShowHelp();
  THelpWindow* HelpWindow() const { return help_; }
  // What a drop of these files does (local paths, in-memory text).
  void DropOnFrame(const std::vector<std::string>& paths);
  void DropOnDiagram(TFChild& window, const std::vector<std::string>& paths);
  // Called for every new diagram window: it takes dropped files.
  void PrepareWindow(TFChild& window);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void FillRecentMenu();

  TMainForm& form_;
  std::unique_ptr<TRecentFiles> recent_;
  QMenu* recentMenu_ = nullptr;
  QAction* plantUml_ = nullptr;
  QPointer<THelpWindow> help_;
};

}  // namespace zedro
