// The frame of the editor: the multi-document area with the diagram windows, the
// application menus, the tool bar and the status bar. It opens and creates diagrams,
// forwards the file, picture and clipboard commands to the active diagram window, keeps
// the class clipboard and the application-wide language, and asks every main diagram
// before the program ends.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "diagram/ClassBox.h"
#include "diagram/ElementLists.h"
#include "editor/MenuTable.h"

class QAction;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QToolBar;

namespace zedro {

class DiagramDocument;
class IDialogService;
class PictureCommands;
class TAutosave;
class TFChild;
class TUndoCommands;
class TMainForm;

// A row of the frame's menu tables: its handler runs a command of the frame.
using FrameMenuRow = MenuRow<TMainForm>;

constexpr const char* kApplicationTitle = "Zedro 1.8.4_03 b";
constexpr const char* kInitialCaption = "Zedro 1.8.4_02";

// The class inspector as the frame sees it; the inspector window plugs in here.
class IClassInspector {
 public:
  virtual ~IClassInspector() = default;
  virtual void ShowClass(TUMLClass* cls) = 0;
  virtual void ShowInspectorWindow() = 0;
  // The frame starts right of the inspector window.
  virtual int InspectorWidth() const { return 0; }
};

class TMainForm : public QMainWindow {
  Q_OBJECT

 public:
  // args: the command-line arguments after the program name.
  TMainForm(IDialogService& dialogs, const std::vector<std::string>& args = {});
  ~TMainForm() override;

  IDialogService& Dialogs() { return dialogs_; }
  // Autosaves of changed diagrams and their recovery after a crash.
  TAutosave& Autosave() { return *autosave_; }
  // The recovery offer is made once, when the window first becomes active (before the
  // start file is opened). Only the interactive program asks for it.
  void OfferRecoveryAtStart() { offerRecovery_ = true; }
  // A diagram file is being read.
  bool IsLoading() const { return loading_ > 0; }

  // The diagram windows (main and sub-diagram windows) in creation order.
  std::vector<TFChild*> Children() const;
  // The active diagram window, or nullptr.
  TFChild* ActiveChild() const;
  void ActivateChild(TFChild* child);

  // Operations offered to the rest of the editor.
  // Opens the file in a new main diagram window; nullptr (and no window) when nothing
  // could be read. A damaged file's window has no file name of its own.
  TFChild* OpenDiagramFile(const std::string& path);
  void RedrawActiveDiagram();
  void RedrawAllDiagrams();
  void PurgeAttribute(TUMLClass& cls, TAttribute& attribute);
  // Every "show this class in the class inspector" passes through here.
  void ShowClassInInspector(TUMLClass* cls);
  void ShowInspectorWindow();
  void SetClassInspector(IClassInspector* inspector);
  IClassInspector* ClassInspector() const { return inspector_; }
  // "Rückgängig" and "Wiederholen" for the active diagram window.
  TUndoCommands* UndoCommands() const { return undo_; }

  // The commands of the menus and the tool bar.
  void FileNew1Execute();
  void FileOpen1Execute();
  void FileSaveClick();
  void FileSaveAsClick();
  void SavePictureItemClick();
  void PictureToClipboardItemClick();
  void PrintPictureItemClick();
  void DruckerEinrichtenClick();
  void FileClose1Click();
  void FileExit1Execute();
  void DeleteItemClick();
  void CopyItemClick();
  void PasteItemClick();
  void HelpAboutItemClick();
  void CascadeWindows();
  void TileSideBySide();
  void TileStacked();
  void MinimizeAll();
  void ArrangeWindows();

  // Opens the start file when the window first becomes active (once).
  void FormActivate();
  // The close question to every main diagram, last to first; true when all agreed.
  bool FormCloseQuery();

  // Renders the frame with its menu bar and diagram windows into a picture file.
  bool SaveScreenshot(const std::string& path);

  // Called by the diagram windows.
  void ChildCreated(TFChild* child);
  void ChildGone(TFChild* child);
  void SetCaptionForLanguage(int language);
  void EnableDiagramItems();

  // State.
  bool OpenStartFile = false;
  std::string StartFile;
  TDrawClassList ClipboardBoxes;
  int LanguageOfMainWindow = 1;
  std::unique_ptr<TUMLClass> ClipboardClass;
  TUMLDrawClass* ClipboardBox = nullptr;

  QAction* Item(const std::string& name) const;
  QMenu* File1 = nullptr;
  QMenu* Edit1 = nullptr;
  QMenu* Window1 = nullptr;
  QMenu* Help1 = nullptr;
  QToolBar* ToolBar2 = nullptr;
  QMdiArea* MdiArea = nullptr;

  // A diagram window was created (main or sub-diagram window); the desktop features
  // prepare it for dropped files.
  std::function<void(TFChild&)> onChildCreated;
  // A diagram file was opened or saved (closing: its window closes, the file may have been
  // saved by the close question). Feeds the recent files.
  std::function<void(const std::string& path, bool closing)> onDiagramFileUsed;
  // Boxes about to be freed leave the clipboard, so that no paste can reach them.
  void ForgetClipboardBox(const TUMLDrawClass* box);
  void ForgetClipboardBoxesOf(const DiagramDocument& doc);

 protected:
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildMenus();
  void PlaceOnScreen();
  void ChildActivated(QMdiSubWindow* window);
  void MergeMenus(TFChild* child);
  // Moves (and if need be shrinks) a diagram window into the visible part of the area.
  void KeepInsideArea(QMdiSubWindow* window);
  QMenu* AddFrameMenu(const char* name, const char* title, const FrameMenuRow* rows,
                      size_t count);
  void FillWindowList();
  enum class TileDirection { SideBySide, Stacked };
  void TileWindows(TileDirection direction);
  void RunOnActiveWindow(const char* itemName, void (PictureCommands::*command)());
  // Reports the diagram's file to onDiagramFileUsed when it is saved under its name.
  void NoteDiagramFile(TFChild* child, bool closing = false);

  IDialogService& dialogs_;
  std::unique_ptr<TAutosave> autosave_;
  bool offerRecovery_ = false;
  IClassInspector* inspector_ = nullptr;
  TUndoCommands* undo_ = nullptr;
  std::unique_ptr<TUMLDrawClass> clipboardBoxStore_;
  std::vector<TFChild*> children_;
  QPointer<TFChild> merged_;
  std::vector<QAction*> mergedActions_;
  QAction* windowMenuAction_ = nullptr;
  int creating_ = 0;  // a diagram window is being created
  int loading_ = 0;   // a diagram file is being read into a new window
};

}  // namespace zedro
