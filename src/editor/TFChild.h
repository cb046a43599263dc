// The diagram window: one main diagram or one sub-diagram inside the frame's
// multi-document area, with its menus, context menus, status bar, the scrolling drawing
// surface and the interaction state that the mouse handlers and commands share.
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
#include <vector>

#include "diagram/Canvas.h"
#include "diagram/DiagramDocument.h"

class QAction;
class QImage;
class QLabel;
class QMenu;
class QScrollArea;
class QStatusBar;
class QTimer;

namespace zedro {

class IDialogService;
class QtCanvas;
class SurfaceView;
class TMainForm;

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

  // Called for every window right after it was created (main and sub-diagram windows),
  // so that the commands of other parts of the editor can hook into its menus.
  using CreationHook = std::function<void(TFChild&)>;
  static void AddCreationHook(CreationHook hook);

  DiagramDocument& Doc() { return *doc_; }
  const DiagramDocument& Doc() const { return *doc_; }
  TMainForm& MainForm() { return main_; }
  IDialogService& Dialogs();
  // The main diagram window of a sub-diagram window (itself for a main diagram).
  TFChild& MainDiagramWindow() { return mainDiagram_ ? *mainDiagram_ : *this; }
  const std::vector<TFChild*>& SubDiagramWindows() const { return subWindows_; }
  bool IsMainDiagram() const { return doc_->IsMainDiagram; }
  int Language() const { return doc_->Language; }

  // Window events.
  void FormActivate();
  void FormResize();
  void FormKeyDown(int qtKey);

  // The language switch (menu items "Delphi-Version" and "Java-Version").
  void DelphiVersionClick();
  void IstJavaVersionClick();
  void UpdateMenusForDiagramKind();

  // The close question; the answer also goes into CloseConfirmed.
  bool AskClose();

  // Full redraw of the diagram on the surface; every redraw marks the diagram changed
  // and sets the caption to the file-name part of FileName.
  void Redraw(bool markCurrent = true);
  // Redraw without touching Saved (becoming active, activation of other windows).
  void RedrawKeepSaved(bool markCurrent = true);
  // The surface picture without markers (for the clipboard, files and the printer).
  QImage Picture();

  // File commands (the window side of loading and saving).
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
  void PictureToClipboard();
  void SavePicture();
  void PrintPicture();
  // Makes the directory the project directory of the diagram (and its sub-diagrams).
  void SetProjectDirectory(const std::string& directory);

  // Gives the drawing surface the keyboard focus (arrow keys, Escape).
  void FocusSurface();
  // The bitmap covers at least the visible area of the scroll box (at the window's zoom).
  void FollowViewSize();

  // The status line.
  void SetStatus(const std::string& text);
  std::string StatusText() const;

  // Mouse events of the drawing surface in surface pixels (TFChildMouse.cpp).
  // button: Qt::MouseButton value.
  void ImClassDiagrammMouseDown(int button, int x, int y);
  void ImClassDiagrammMouseMove(int x, int y);
  void ImClassDiagrammMouseUp(int button, int x, int y);
  // The watch timer's tick (every 500 ms).
  void Timer1Timer();

  // ---- mouse, relationship and message commands ----------------------------------------
  // Connects the menu items of these commands (called once by FormCreate).
  void WireMouseCommands();

  // Every context menu is shown through here. By default the menu pops up at the screen
  // position and returns at once; the item the user picks runs its command afterwards.
  // Tests set ShowContextMenu to see which menu would pop up, with its items as prepared.
  std::function<void(QMenu* menu, TPoint screenPos)> ShowContextMenu;
  void PopupContextMenu(QMenu* menu, TPoint screenPos);
  // PopupPos for a context menu at this surface point (kept inside the screen);
  // ClickPos := the point.
  void SetPopupPosition(int x, int y);
  // The cursor shape of the surface (a Qt::CursorShape value).
  int SurfaceCursor() const;
  // Shows what was drawn on the surface since the last redraw (markers, not-xor figures).
  void ShowCanvas();
  // True when some command listens to the menu item.
  static bool IsWired(const QAction* item);

  // Class: "Neue Klasse".
  void newClassClick();
  // Relationships: picking from any class, picking from the current box, the attribute
  // choice, deletion by clicking and from the context menu.
  void VererbungClick();
  void AggregationClick();
  void AssoziationClick();
  void KlasseISTClick();
  void KlasseHATClick();
  void KlasseKENNTClick();
  void AttributwaehlenClick();
  void deleteConnectionClick();
  void beziehungLoeschenClick();
  // Messages: picking, the method choice, deletion by clicking, text editing.
  void AuftragClick();
  void AnfrageClick();
  void erteiltAUFTRAGanClick();
  void StelltAnfrageanClick();
  void MethodewaehlenClick();
  void BotschaftLoeschenClick();
  void beziehungBearbeitenClick();
  // The connection context menu's font, colour and route commands.
  void SchriftAendernClick();
  void CoFarbenAendernClick();
  void LinienzugWaehlenClick();

  // Steps of the mouse handlers.
  void PickBorderPoint(int x, int y, bool currentBoxOnly);
  void PickSecondBorderPoint(int x, int y);
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
  void PrepareClassMenu();
  void PrepareCreateMenu();
  // Relationship and message commands: their common start.
  void StartPicking(const char* item, const std::string& prompt);
  void StartPickingOnCurrent(const char* item);
  void ToggleDeletion(const char* item, const std::string& prompt);
  // Creates an attribute for SelectedConnection in cls; false when cancelled.
  bool NewAttributeForConnection(TUMLClass& cls);
  // Creates the method a message calls in cls (the method dialog).
  void NewMethodForMessage(TUMLClass& cls);

  // The previous answer of the new-class input box.
  std::string NewClassName;
  // The dialogs the diagram's elements open while they are created or edited; they show
  // the surface first, so that previews drawn on it are seen behind the dialog.
  std::shared_ptr<IDiagramDialogs> ElementDialogs;

  // ---- classes, notes, sub-diagrams, objects, class transfer, display options ----------
  void WireElementCommands();

  // Deleting the current class or object box after its question; DeleteBox removes a box
  // with everything that hangs on it (in a main diagram also the boxes of its class in
  // every sub-diagram, and the class itself).
  void DeleteClassClick();
  void DeleteBox(TUMLDrawClass* box);
  // Objects (sub-diagrams only): inserted at ClickPos; their values edited in the grid.
  void ObjektEinfuegenClick();
  void Wertbelegungaendern1Click();
  // Notes: free info boxes and the note tied to the current class.
  void InfoBoxEinfuegenClick();
  void InfozueinerKlasseeinfgen1Click();
  void InfoBoxInhaltAendernClick();
  void InfoBoxSchrifttypAendernClick();
  void InfoBoxFarbeAendernClick();
  void InfoBoxLoeschenClick();
  // The text of a class note sits this far above the box: one line step of |height| + 1
  // pixels per line, and 10 pixels more.
  static int ClassNoteOffsetY(int lineCount, int fontHeight);
  void VerzeichnisaendernClick();
  // Display options of the current box, of all boxes, and the font of all connections.
  void MiKlassenDarstellungAendernClick();
  void AlleKlassendarstellungenAendernClick();
  void SchriftallerBeziehungenAendernClick();

  // Sub-diagrams. The entries of the submenus "Unterdiagramm löschen" and "Name ändern"
  // of the main diagram belong to the sub-diagram windows (they go with them).
  void erzeugeUnterdiagrammClick();
  // A new, empty sub-diagram window named "Unterdiagramm n - " + name; it becomes active.
  TFChild* CreateSubDiagram(const std::string& name);
  void RenameSubDiagram(TFChild* sub);
  void DeleteSubDiagram(TFChild* sub);
  QAction* DeleteEntry = nullptr;  // of a sub-diagram window, in its main diagram's menus
  QAction* RenameEntry = nullptr;
  // The window caption for a FileName: the part after the last separator; in a
  // sub-diagram a colon separates too.
  static std::string CaptionOf(const DiagramDocument& doc);
  // In a sub-diagram the first items of the class menu and of the empty-area menu insert
  // objects and classes; called whenever the menus are adapted to the diagram kind.
  void RouteSubDiagramCommands();

  // Class transfer through the frame's clipboard, and class files.
  void KlassekopierenClick();
  void KlasseEinfuegenClick();
  void PasteBox(const TUMLDrawClass& source);
  void LadeObjectClick();
  void KlasseSpeichernClick();

  // ---- class inspector commands ---------------------------------------------------------
  void WireMemberCommands();
  // The inspector's operations on the current class (TFChildMembers.cpp).
  void AttributhinzufuegenClick();
  void MethodeHinzufuegenClick();
  void MethodeueberschreibenClick();
  void NameoderArtAendernClick();
  void BeschreibungAendernClick();

  // ---- export, import, update and watching of source files -----------------------------
  void WireRoundTripCommands();
  // "Delphi Export", "Java Export": the code viewer of the current class, which saves it.
  void DelphiExportClick();
  void JavaExportClick();
  // Alle Klassen "brutal" exportieren: every class of the main diagram, without asking.
  void ExportAllClick();
  // "Dokumentation anzeigen / speichern": the documentation viewer of the current class.
  void DokumentationderKlasseanzeigen1Click();
  // "Klassenimport aus Delphi" / "Klassenimport aus Java": a new box for a class read
  // from a source file (main diagrams only), then its ancestors are connected.
  void ImportPascalSourceClick();
  void ImportJavaSourceClick();
  // The same for a file already chosen (dropped on the window): refused outside a main
  // diagram, otherwise with the chooser and the questions of the commands.
  void ImportPascalFile(const std::string& path);
  void ImportJavaFile(const std::string& path);
  // Outside a main diagram: the warning that classes are imported into main diagrams
  // only, and true.
  bool RefuseImportOutsideMainDiagram();
  // "Klasse aktualisieren": the current class from a source file chosen by the user.
  void MiAktualisierenClick();
  // "Alle Klassen aktualisieren": every box in turn, each with its own file dialog.
  void aktualisiereAlleClick();
  // Brings the class up to date from the file, with the Pascal parser for a ".pas" file,
  // the Java parser for a ".java" file and by the diagram's language otherwise; the file
  // is then recorded in every box of the class. Redraws; true when the class was updated.
  bool UpdateClassFromFile(TUMLClass& cls, const std::string& path);
  // Gives every box whose class names an ancestor an IST connection to a box of that
  // class, creating the class above the box when the diagram has none.
  void ConnectAncestors();

  // ---------------------------------------------------------------------------------------

  // Menus and their items by the names they have in the menu tables. The window menus
  // are shown in the frame's menu bar while the window is active.
  const std::vector<QMenu*>& WindowMenus() const { return menus_; }
  QAction* Item(const std::string& name) const;
  QMenu* Menu(const std::string& name) const;
  // The item at a position of a menu (separators counted), or nullptr.
  static QAction* ItemAt(QMenu* menu, int position);
  // Shows and hides menu items by their positions.
  static void ShowItems(QMenu* menu, std::initializer_list<int> shown,
                        std::initializer_list<int> hidden);

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
  void FormCreate();
  void BuildMenus();
  // Writes the diagram file; a successful save makes the autosave obsolete.
  bool WriteFile(const std::string& path);
  void SwitchLanguage(int language);
  // Closes the sub-diagram windows without questions (the main diagram goes).
  void CloseSubWindows();
  void AttachSubWindow(DiagramDocument& sub);
  void ShowSurface();
  void RedrawForView();
  QAction* AddItem(QMenu* menu, const char* name, const std::string& caption);

  TMainForm& main_;
  std::unique_ptr<DiagramDocument> ownDoc_;
  DiagramDocument* doc_;
  TFChild* mainDiagram_ = nullptr;
  std::vector<TFChild*> subWindows_;
  std::vector<QMenu*> menus_;
  std::unique_ptr<QtCanvas> canvas_;
  std::unique_ptr<QImage> placeholder_;
  bool destroying_ = false;
  bool viewRedrawPending_ = false;
};

}  // namespace zedro
