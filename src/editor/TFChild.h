// The diagram window: one main diagram or one sub-diagram inside the frame's
// multi-document area, with its menus, context menus, status bar, the scrolling drawing
// surface and the interaction state that the mouse handlers and commands share.
//
// The window is spread over a few files: TFChild.cpp (creation, activation, language,
// drawing, keys, closing), TFChildFiles.cpp (reading and saving the diagram),
// TFChildMenus.cpp (the menu tables and the one place every command runs through) and
// TFChildMouse.cpp (the mouse). The commands themselves live in command areas of their
// own (RelationshipCommands, MessageCommands, ElementCommands, SubDiagramCommands,
// ClassTransferCommands, RoundTripCommands, PictureCommands).
//
// Ownership: a main diagram window owns its DiagramDocument, and with it every sub
// document; a sub-diagram window refers to a sub document of its main diagram's document.
// The main diagram window closes its sub-diagram windows before its document goes.
#pragma once

#include <QMdiSubWindow>
#include <QPointer>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "diagram/Canvas.h"
#include "diagram/DiagramDocument.h"
#include "diagram/Redraw.h"
#include "editor/MenuTable.h"

class QAction;
class QImage;
class QMenu;
class QPoint;
class QScrollArea;
class QStatusBar;
class QTimer;

namespace zedro {

class ClassTransferCommands;
class ElementCommands;
class IDialogService;
class MessageCommands;
class PictureCommands;
class QtCanvas;
class RelationshipCommands;
class RoundTripCommands;
class SubDiagramCommands;
class SurfaceView;
class TFChild;
class TMainForm;

// A row of the window's menu tables: its handler runs a command of the window.
using WindowMenuRow = MenuRow<TFChild>;

enum class EditMode : unsigned char {
  Idle = 0,
  PickFirstPoint = 1,
  PickSecondPoint = 2,
  SelectionShown = 3,
  PickFirstPointOnCurrent = 4,
  MoveStartEnd = 5,
  MoveTargetEnd = 6,
  ConnectionEndHit = 7,
  DeleteConnection = 8,
  RubberBand = 9,
  MoveSelection = 11,
  MoveBox = 12,
  BoxMenu = 13,
  MoveInfoBox = 14,
  MoveConnectionText = 15,
  BoxHit = 16,
  InfoBoxHit = 17,
  ConnectionTextHit = 18,
  EmptyAreaMenu = 19,
};

class TFChild : public QMdiSubWindow {
  Q_OBJECT

 public:
  // A main diagram window owning a new, empty document.
  explicit TFChild(TMainForm& mainForm);
  // A sub-diagram window for a sub document of the main diagram window.
  TFChild(TMainForm& mainForm, TFChild& mainDiagram, DiagramDocument& subDocument);
  ~TFChild() override;

  DiagramDocument& Doc() { return *doc_; }
  const DiagramDocument& Doc() const { return *doc_; }
  TMainForm& MainForm() { return main_; }
  IDialogService& Dialogs();
  // The main diagram window of a sub-diagram window (itself for a main diagram).
  TFChild& MainDiagramWindow() { return mainDiagram_ ? *mainDiagram_ : *this; }
  const std::vector<TFChild*>& SubDiagramWindows() const { return subWindows_; }
  bool IsMainDiagram() const { return doc_->IsMainDiagram; }
  int Language() const { return doc_->Language; }

  // ---- the commands, by area --------------------------------------------------------------
  RelationshipCommands& Relationships() { return *relationships_; }
  MessageCommands& Messages() { return *messages_; }
  ElementCommands& Elements() { return *elements_; }
  SubDiagramCommands& SubDiagrams() { return *subDiagrams_; }
  ClassTransferCommands& ClassTransfer() { return *classTransfer_; }
  RoundTripCommands& RoundTrip() { return *roundTrip_; }
  PictureCommands& Pictures() { return *pictures_; }

  // Every command of the window runs through here: the items of its menus and context
  // menus, the frame's delete, copy and paste on the active window, and the entries of the
  // sub-diagram submenus. The caption is the one of the item it was chosen with.
  void RunCommand(const std::string& caption, const std::function<void()>& command);
  // Runs the command of the window's item of that name as if the item had been chosen;
  // false when the window has no such item.
  bool RunItemCommand(const std::string& itemName);

  // ---- window events ------------------------------------------------------------------------
  void FormActivate();
  void FormResize();
  void FormKeyDown(int qtKey);

  // The language switch (menu items "Delphi-Version" and "Java-Version").
  void DelphiVersionClick();
  void IstJavaVersionClick();
  // The first menu's title and the sub-diagram menu follow the kind of diagram (the items
  // of a sub-diagram's menus are built for it from the menu tables).
  void UpdateMenusForDiagramKind();

  // The close question; the answer also goes into CloseConfirmed.
  bool AskClose();

  // ---- drawing ------------------------------------------------------------------------------
  // Full redraw of the diagram on the surface, the current box marked with its border
  // points; every redraw marks the diagram changed and sets the caption to the file-name
  // part of FileName.
  void Redraw();
  // The same without the current box's border points (pictures, the first pick).
  void RedrawUnmarked();
  // A full redraw that leaves Saved as it was (becoming active, reading a file).
  void RedrawKeepSaved();
  // The bitmap of the surface as drawn last (it can be larger than the diagram).
  const QImage& SurfaceImage() const;
  // Shows what was drawn on the surface since the last redraw (markers, not-xor figures).
  void ShowCanvas();

  // ---- files (TFChildFiles.cpp) -------------------------------------------------------------
  enum class LoadOutcome {
    Failed,   // nothing could be read: the window is of no use
    Damaged,  // the file broke off; what was read is shown, the file is not saved over
    Complete,
  };
  // Reads the file into this new window. The application's language follows the file
  // only when the window is kept (not when the load failed).
  LoadOutcome LoadDiagram(const std::string& path);
  void SaveDiagramm();
  void SaveDiagrammAs();
  // Makes the directory the project directory of the diagram (and its sub-diagrams).
  void SetProjectDirectory(const std::string& directory);

  // Gives the drawing surface the keyboard focus (arrow keys, Escape).
  void FocusSurface();
  // The bitmap covers at least the visible area of the scroll box (at the window's zoom).
  void FollowViewSize();

  // The status line.
  void SetStatus(const std::string& text);
  void ClearStatus();
  std::string StatusText() const;

  // ---- the mouse (TFChildMouse.cpp) ---------------------------------------------------------
  // The handlers of the drawing surface's mouse events, in diagram coordinates (the surface
  // view converts its positions at every zoom); button: a Qt::MouseButton value.
  void ImClassDiagrammMouseDown(int button, int x, int y);
  void ImClassDiagrammMouseMove(int x, int y);
  void ImClassDiagrammMouseUp(int button, int x, int y);
  // Where a point of the surface view lies in the diagram, and where a point of the diagram
  // is on the screen: the only places where the two kinds of coordinates meet.
  TPoint DiagramPointOf(const QPoint& viewPoint) const;
  QPoint ScreenPointOf(TPoint diagramPoint) const;
  // Scrolls the surface so that this point of the diagram is at the view's top left.
  void ScrollTo(TPoint diagramPoint);
  // The cursor shape of the surface (a Qt::CursorShape value).
  int SurfaceCursor() const;

  // The watch timer's tick (every 500 ms).
  void Timer1Timer();

  // ---- menus (TFChildMenus.cpp) -------------------------------------------------------------
  // Every context menu is shown through here. By default the menu pops up at the screen
  // position and returns at once; the item the user picks runs its command afterwards.
  // Tests set ShowContextMenu to see which menu would pop up, with its items as prepared.
  std::function<void(QMenu* menu, TPoint screenPos)> ShowContextMenu;
  void PopupContextMenu(QMenu* menu, TPoint screenPos);
  // PopupPos for a context menu at this surface point (kept inside the screen);
  // ClickPos := the point.
  void SetPopupPosition(int x, int y);

  // Menus and their items by the names they have in the menu tables. The window menus
  // are shown in the frame's menu bar while the window is active.
  const std::vector<QMenu*>& WindowMenus() const { return menus_; }
  QAction* Item(const std::string& name) const;
  QMenu* Menu(const std::string& name) const;
  // The item at a position of a menu (separators counted), or nullptr.
  static QAction* ItemAt(QMenu* menu, int position);
  // True when the item runs a command of the window.
  bool HasCommand(const QAction* item) const;

  // The window caption for a FileName: the part after the last separator; in a
  // sub-diagram a colon separates too.
  static std::string CaptionOf(const DiagramDocument& doc);
  // A new sub-diagram window for a sub document of this main diagram's document.
  TFChild* AttachSubWindow(DiagramDocument& sub);

  // The dialogs the diagram's elements open while they are created or edited; they show
  // the surface first, so that previews drawn on it are seen behind the dialog.
  std::shared_ptr<IDiagramDialogs> ElementDialogs;

  QMenu* Klasse1 = nullptr;
  QMenu* Unterdiagramm = nullptr;
  QMenu* Beziehungen1 = nullptr;
  QMenu* Botschaft = nullptr;
  QMenu* DelphiVersion = nullptr;
  QMenu* Extras1 = nullptr;
  QMenu* MyClassMenue = nullptr;
  QMenu* MyConnectionMenue = nullptr;
  QMenu* MyCreateMenu = nullptr;
  QMenu* MyInfoBoxMenu = nullptr;
  QAction* IstDelphiVersion = nullptr;
  QAction* IstJavaVersion = nullptr;
  // The entries of a sub-diagram window in its main diagram's submenus "Unterdiagramm
  // löschen" and "Name ändern"; they go with the window.
  QAction* DeleteEntry = nullptr;
  QAction* RenameEntry = nullptr;

  // Interaction state (the document carries the diagram's own data).
  bool CloseAllowed = false;
  bool WatchEnabled = true;
  TPoint DragLast;
  TPoint ClickPos;
  int FirstBoxIndex = -1;
  int SecondBoxIndex = -1;
  int FirstBorderPoint = 0;
  int SecondBorderPoint = 0;
  TConnection* NewConnection = nullptr;
  TConnection* SelectedConnection = nullptr;
  TFChild* SubDiagramWindow = nullptr;
  TInfoBox* DraggedBox = nullptr;
  EditMode Mode = EditMode::Idle;
  TUMLDrawClass* ReattachBox = nullptr;
  bool ClosingAll = false;
  bool CloseConfirmed = false;
  // The damaged file this diagram was read from: saving never replaces it unasked.
  std::string DamagedFile;
  TPoint PopupPos;
  TUMLDrawObject* NewObjectBox = nullptr;

  QScrollArea* ScrollBox1 = nullptr;
  SurfaceView* ImClassDiagramm = nullptr;
  QStatusBar* StatusBar = nullptr;
  QTimer* Timer1 = nullptr;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Rebuilds the sub-diagram windows when a step is undone or redone.
  friend class UndoHistory;

  // What an item of the menu tables runs, and with which caption.
  struct ItemCommand {
    QAction* item;
    std::string caption;
    void (*handler)(TFChild&);
    unsigned flags;
  };

  void FormCreate();
  void CreateSurface();
  void ConnectSurfaceMouse();

  // ---- menus ----
  void BuildMenus();
  void AddRows(QMenu* menu, const WindowMenuRow* rows, size_t count);
  void BuildClassMenus();
  QAction* AddCommandItem(QMenu* menu, const WindowMenuRow& row, const char* caption);
  // Shows the items that depend on the language (and on the kind of diagram) for it.
  void ShowItemsForLanguage(int language);
  // Shows and hides items of the window by their names.
  void ShowItems(std::initializer_list<const char*> shown, std::initializer_list<const char*> hidden);
  void SetCaption(const char* item, const std::string& text);
  void PrepareClassMenu();
  void PrepareConnectionMenuForEnd(const TConnection& c);
  void PrepareConnectionMenuForText(TConnection& c);

  // ---- mouse down ----
  void PickFirstBorderPoint(int x, int y);
  void PickFirstBorderPointOnCurrent(int x, int y);
  // The first pick on any box, or on `only` when given.
  void PickFirstBorderPointOn(int x, int y, const TUMLDrawClass* only);
  void PickSecondBorderPoint(int x, int y);
  void ClickOnSelection(int x, int y);
  void ReattachConnectionEnd(int button, int x, int y);
  void DeleteConnectionsAt(int x, int y);
  void HitTest(int button, int x, int y);
  void OnConnectionEnd(int button, int x, int y);
  // A left press on something movable: drag it while the button is held.
  void StartDrag(EditMode mode, int x, int y, const std::string& status);
  void OnBox(int button, int x, int y);
  void OnInfoBox(int button, int x, int y);
  void OnConnectionText(int button, int x, int y);
  void PopUpConnectionMenu(int x, int y);
  void OnEmptyArea(int x, int y);
  // Whether a click deletes this connection: messages while "Botschaft löschen" is ticked,
  // every other kind while "Beziehung löschen" is ticked.
  bool Deletable(const TConnection& c) const;
  // The prompt for the second border point, by the ticked command item.
  std::string SecondPointPrompt() const;

  // ---- mouse move: what the mouse is over, and the drags ----
  struct Hover {
    bool overPoint = false;    // a border point or connection end: the hand
    bool overElement = false;  // something that can be dragged: the size-all cursor
  };
  Hover HoverWhenIdle(int x, int y) const;
  bool BorderPointOfAnyBoxAt(int x, int y) const;
  bool DeletableEndAt(int x, int y) const;
  // Each returns true when it drew on the surface.
  bool DragBox(int dx, int dy);
  bool DragInfoBox(int dx, int dy);
  bool DragConnectionText(int dx, int dy);
  bool DragSelection(int x, int y, int dx, int dy);
  bool StretchRubberBand(int x, int y);
  void SetHoverCursor(Hover hover);

  // ---- mouse up ----
  void EndRubberBand();

  // ---- drawing, closing, files ----
  using CurrentBoxMark = zedro::CurrentBoxMark;
  void DrawDiagram(CurrentBoxMark mark);
  void SwitchLanguage(int language);
  // Closes the sub-diagram windows without questions (the main diagram goes).
  void CloseSubWindows();
  void ShowSurface();
  void RedrawForView();
  // Moves the current box or the selection by one key step.
  void MoveByKey(int dx, int dy);
  // Writes the diagram file; a successful save makes the autosave obsolete.
  bool WriteFile(const std::string& path);

  TMainForm& main_;
  std::unique_ptr<DiagramDocument> ownDoc_;
  DiagramDocument* doc_;
  TFChild* mainDiagram_ = nullptr;
  std::vector<TFChild*> subWindows_;
  std::vector<QMenu*> menus_;
  std::unordered_map<const QAction*, ItemCommand> commands_;
  std::unique_ptr<QtCanvas> canvas_;
  bool destroying_ = false;
  bool viewRedrawPending_ = false;

  std::unique_ptr<RelationshipCommands> relationships_;
  std::unique_ptr<MessageCommands> messages_;
  std::unique_ptr<ElementCommands> elements_;
  std::unique_ptr<SubDiagramCommands> subDiagrams_;
  std::unique_ptr<ClassTransferCommands> classTransfer_;
  std::unique_ptr<RoundTripCommands> roundTrip_;
  std::unique_ptr<PictureCommands> pictures_;
};

}  // namespace zedro
