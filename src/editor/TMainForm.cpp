#include "editor/TMainForm.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPainter>
#include <QPixmap>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <algorithm>
#include <iterator>
#include <cmath>

#include "diagram/DiagramDocument.h"
#include "editor/AccessKeys.h"
#include "editor/Autosave.h"
#include "editor/DialogService.h"
#include "editor/MenuTable.h"
#include "editor/PictureCommands.h"
#include "editor/QtText.h"
#include "editor/TFChild.h"
#include "editor/TFClassInspector.h"
#include "editor/UndoCommands.h"
#include "model/Win1252.h"

namespace zedro {

TMainForm::TMainForm(IDialogService& dialogs, const std::vector<std::string>& args)
    : dialogs_(dialogs), autosave_(std::make_unique<TAutosave>(*this)) {
  setObjectName("MainForm");
  setWindowTitle(kInitialCaption);
  MdiArea = new QMdiArea(this);
  MdiArea->setObjectName("MdiArea");
  MdiArea->setActivationOrder(QMdiArea::CreationOrder);
  MdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  MdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setCentralWidget(MdiArea);
  connect(MdiArea, &QMdiArea::subWindowActivated, this,
          [this](QMdiSubWindow* w) { ChildActivated(w); });
  BuildMenus();
  statusBar()->setObjectName("StatusBar");

  // The class inspector belongs to the frame, which starts right of it.
  SetClassInspector(new TFClassInspector(*this));
  undo_ = new TUndoCommands(*this);

  ClipboardClass = std::make_unique<TUMLClass>("dummy");
  clipboardBoxStore_ =
      std::make_unique<TUMLDrawClass>(50, 50, nullptr, nullptr, ClipboardClass.get());
  ClipboardBox = clipboardBoxStore_.get();
  LanguageOfMainWindow = 1;

  if (!args.empty()) {
    StartFile = args[0];
    OpenStartFile = StartFile.size() >= 3 && StartFile.compare(StartFile.size() - 3, 3, "urd") == 0;
  }
}

TMainForm::~TMainForm() {
  // The diagram windows go first, main diagrams taking their sub-diagram windows along;
  // windows already closed but not yet deleted are among them.
  std::vector<QPointer<TFChild>> all;
  for (TFChild* c : MdiArea->findChildren<TFChild*>()) all.emplace_back(c);
  for (auto& c : all)
    if (c && c->IsMainDiagram()) {
      c->ClosingAll = true;
      delete c.data();
    }
  for (auto& c : all)
    if (c) {
      c->ClosingAll = true;
      delete c.data();
    }
  children_.clear();
}

// The frame leaves room for the class inspector on the left.
void TMainForm::PlaceOnScreen() {
  const int left = inspector_ ? inspector_->InspectorWidth() : 0;
  setGeometry(left, 0, std::max(640, dialogs_.ScreenWidth() - left),
              std::max(480, dialogs_.ScreenHeight() - 20));
}

void TMainForm::SetClassInspector(IClassInspector* inspector) {
  inspector_ = inspector;
  PlaceOnScreen();
}

namespace {

template <void (TMainForm::*command)()>
void Call(TMainForm& f) {
  (f.*command)();
}

// The frame's menus, one table each. Captions carry their access keys already; items
// without one get a key when the menu is built.
constexpr FrameMenuRow kFileMenu[] = {
    {"FileNewItem", "&Neues Diagramm", "Ctrl+N", "Neu|Neue Datei erstellen",
     Call<&TMainForm::FileNew1Execute>, 0},
    {"FileOpenItem", "Diagramm Ö&ffnen", "Ctrl+O", "Öffnen|Eine Datei öffnen",
     Call<&TMainForm::FileOpen1Execute>, 0},
    {"FileCloseItem", "Fenster s&chließen", "", "Schließen|Aktuelle Datei schließen",
     Call<&TMainForm::FileClose1Click>, kDisabled},
    {"FileSaveItem", "Diagramm &speichern", "Ctrl+S", "Speichern|Aktuelle Datei speichern",
     Call<&TMainForm::FileSaveClick>, 0},
    {"FileSaveAsItem", "Diagramm speichern &unter...", "", "", Call<&TMainForm::FileSaveAsClick>,
     0},
    SeparatorRow<TMainForm>(),
    {"SavePictureItem", "als Bild Speichern (BMP)", "", "",
     Call<&TMainForm::SavePictureItemClick>, kDisabled},
    {"PictureToClipboardItem", "Bild in Zwischenablage", "", "",
     Call<&TMainForm::PictureToClipboardItemClick>, kDisabled},
    {"PrintPictureItem", "Bild direkt drucken", "", "", Call<&TMainForm::PrintPictureItemClick>,
     kDisabled},
    {"Druckerauswhlen1", "Drucker einrichten", "", "", Call<&TMainForm::DruckerEinrichtenClick>,
     0},
    SeparatorRow<TMainForm>(),
    {"FileExitItem", "&Beenden", "", "Beenden|Das Programm beenden",
     Call<&TMainForm::FileExit1Execute>, 0},
};

constexpr FrameMenuRow kEditMenu[] = {
    {"DeleteItem", "Klasse Löschen", "Del",
     "Ausschneiden|Das markierte Objekt in die Zwischenablage verschieben",
     Call<&TMainForm::DeleteItemClick>, 0},
    {"CopyItem", "Klasse &Kopieren", "Ctrl+C",
     "Kopieren|Das markierte Objekt in die Zwischenablage kopieren",
     Call<&TMainForm::CopyItemClick>, 0},
    {"PasteItem", "Klasse &Einfügen", "Ctrl+V", "Einfügen|Den Inhalt der Zwischenablage einfügen",
     Call<&TMainForm::PasteItemClick>, kDisabled},
};

// The window list follows these items (FillWindowList).
constexpr FrameMenuRow kWindowMenu[] = {
    {"WindowCascadeItem", "Über&lappend", "", "", Call<&TMainForm::CascadeWindows>, 0},
    {"WindowTileItem", "&Nebeneinander", "", "", Call<&TMainForm::TileSideBySide>, 0},
    {"WindowTileItem2", "&Uebereinander", "", "", Call<&TMainForm::TileStacked>, 0},
    {"WindowMinimizeAll1", "Alle mi&nimieren", "", "", Call<&TMainForm::MinimizeAll>, kHidden},
    {"WindowArrange1", "An&ordnen", "", "", Call<&TMainForm::ArrangeWindows>, kHidden},
};

constexpr FrameMenuRow kHelpMenu[] = {
    {"HelpAboutItem", "&Info...", "", "", Call<&TMainForm::HelpAboutItemClick>, 0},
};

// The tool bar: items of the menus above by name; "" is a separator.
constexpr const char* kToolBar[] = {"FileNewItem", "FileOpenItem", "FileSaveItem", "",
                                    "DeleteItem",  "CopyItem",     "PasteItem",    "",
                                    "WindowCascadeItem", "WindowTileItem", "WindowTileItem2"};

struct ItemIcon {
  const char* name;
  QStyle::StandardPixmap icon;
};
constexpr ItemIcon kIcons[] = {
    {"FileNewItem", QStyle::SP_FileIcon},
    {"FileOpenItem", QStyle::SP_DialogOpenButton},
    {"FileSaveItem", QStyle::SP_DialogSaveButton},
    {"DeleteItem", QStyle::SP_TrashIcon},
    {"CopyItem", QStyle::SP_FileDialogContentsView},
    {"PasteItem", QStyle::SP_DialogApplyButton},
    {"WindowCascadeItem", QStyle::SP_TitleBarNormalButton},
    {"WindowTileItem", QStyle::SP_ToolBarHorizontalExtensionButton},
    {"WindowTileItem2", QStyle::SP_ToolBarVerticalExtensionButton},
};

}  // namespace

QMenu* TMainForm::AddFrameMenu(const char* name, const char* title, const FrameMenuRow* rows,
                               size_t count) {
  QMenu* menu = menuBar()->addMenu(QString::fromUtf8(title));
  menu->setObjectName(name);
  for (size_t i = 0; i < count; ++i) {
    const FrameMenuRow& row = rows[i];
    QAction* item = AddMenuItem(menu, row);
    if (row.handler)
      connect(item, &QAction::triggered, this, [this, handler = row.handler] { handler(*this); });
  }
  return menu;
}

void TMainForm::BuildMenus() {
  menuBar()->setObjectName("MainMenu1");
  File1 = AddFrameMenu("File1", "&Datei", kFileMenu, std::size(kFileMenu));
  Edit1 = AddFrameMenu("Edit1", "B&earbeiten", kEditMenu, std::size(kEditMenu));
  Window1 = AddFrameMenu("Window1", "&Fenster", kWindowMenu, std::size(kWindowMenu));
  windowMenuAction_ = Window1->menuAction();
  connect(Window1, &QMenu::aboutToShow, this, [this] { FillWindowList(); });
  Help1 = AddFrameMenu("Help1", "&Info", kHelpMenu, std::size(kHelpMenu));
  for (const ItemIcon& i : kIcons)
    if (QAction* a = Item(i.name)) a->setIcon(style()->standardIcon(i.icon));

  // Items without a key of their own get one, so that every item can be reached from
  // the keyboard.
  for (QMenu* m : {File1, Edit1, Window1, Help1}) AssignAccessKeys(m);

  ToolBar2 = addToolBar("ToolBar2");
  ToolBar2->setObjectName("ToolBar2");
  ToolBar2->setMovable(false);
  for (const char* name : kToolBar) {
    if (*name)
      ToolBar2->addAction(Item(name));
    else
      ToolBar2->addSeparator();
  }
  // The hint of a tool button goes when the mouse leaves the button.
  for (QToolButton* b : ToolBar2->findChildren<QToolButton*>()) b->installEventFilter(this);
}

// The window list follows the fixed items of "Fenster".
void TMainForm::FillWindowList() {
  for (QAction* a : Window1->actions())
    if (a->property("windowListEntry").toBool()) {
      Window1->removeAction(a);
      a->deleteLater();
    }
  TFChild* active = ActiveChild();
  int n = 0;
  if (!children_.empty()) {
    QAction* sep = Window1->addSeparator();
    sep->setProperty("windowListEntry", true);
  }
  for (TFChild* c : children_) {
    // A "&" in a file name is shown, not taken for an access key.
    QString title = c->windowTitle();
    QAction* a = Window1->addAction(QString("&%1 %2").arg(++n).arg(title.replace('&', "&&")));
    a->setProperty("windowListEntry", true);
    a->setCheckable(true);
    a->setChecked(c == active);
    QPointer<TFChild> target(c);
    connect(a, &QAction::triggered, this, [this, target] {
      if (target) ActivateChild(target);
    });
  }
  AssignAccessKeys(Window1);
}

void TMainForm::CascadeWindows() { MdiArea->cascadeSubWindows(); }
void TMainForm::TileSideBySide() { TileWindows(TileDirection::SideBySide); }
void TMainForm::TileStacked() { TileWindows(TileDirection::Stacked); }
void TMainForm::ArrangeWindows() { MdiArea->tileSubWindows(); }

void TMainForm::MinimizeAll() {
  for (QMdiSubWindow* w : MdiArea->subWindowList()) w->showMinimized();
}

// Side by side in columns, or stacked in rows.
void TMainForm::TileWindows(TileDirection direction) {
  QList<QMdiSubWindow*> windows;
  for (QMdiSubWindow* w : MdiArea->subWindowList(QMdiArea::CreationOrder))
    if (w->isVisible() && !w->isMinimized()) windows.push_back(w);
  if (windows.isEmpty()) return;
  const QRect area = MdiArea->viewport()->rect();
  const int n = static_cast<int>(windows.size());
  for (int i = 0; i < n; ++i) {
    windows[i]->showNormal();
    if (direction == TileDirection::SideBySide)
      windows[i]->setGeometry(area.width() * i / n, 0, area.width() / n, area.height());
    else
      windows[i]->setGeometry(0, area.height() * i / n, area.width(), area.height() / n);
  }
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Leave && qobject_cast<QToolButton*>(watched))
    statusBar()->clearMessage();
  return QMainWindow::eventFilter(watched, event);
}

QAction* TMainForm::Item(const std::string& name) const {
  QString n = QString::fromStdString(name);
  for (QMenu* m : {File1, Edit1, Window1, Help1})
    for (QAction* a : m->actions())
      if (a->objectName() == n) return a;
  return nullptr;
}

// ---- diagram windows -------------------------------------------------------------------

std::vector<TFChild*> TMainForm::Children() const { return children_; }

TFChild* TMainForm::ActiveChild() const {
  if (merged_ && std::find(children_.begin(), children_.end(), merged_.data()) != children_.end())
    return merged_;
  return nullptr;
}

void TMainForm::ChildCreated(TFChild* child) {
  children_.push_back(child);
  MdiArea->addSubWindow(child);
  const QSize area = MdiArea->viewport()->size();
  child->resize(std::clamp(area.width() * 2 / 3, 400, 900), std::clamp(area.height() * 3 / 4, 300, 700));
  ++creating_;
  child->show();
  --creating_;
  KeepInsideArea(child);
  if (onChildCreated) onChildCreated(*child);
}

void TMainForm::KeepInsideArea(QMdiSubWindow* window) {
  const QRect area = MdiArea->viewport()->rect();
  if (area.width() < 100 || area.height() < 100) return;  // the frame is not laid out yet
  QRect g = window->geometry();
  g.setWidth(std::min(g.width(), area.width()));
  g.setHeight(std::min(g.height(), area.height()));
  g.moveLeft(std::clamp(g.left(), 0, area.width() - g.width()));
  g.moveTop(std::clamp(g.top(), 0, area.height() - g.height()));
  if (g != window->geometry()) window->setGeometry(g);
}

void TMainForm::ChildGone(TFChild* child) {
  ForgetClipboardBoxesOf(child->Doc());
  if (child->IsMainDiagram()) NoteDiagramFile(child, true);
  auto it = std::find(children_.begin(), children_.end(), child);
  if (it == children_.end()) return;
  children_.erase(it);
  if (merged_ == child) {
    MergeMenus(nullptr);
    merged_ = nullptr;
  }
  // The inspector must not keep showing a class that goes with the window.
  TFChild* active = ActiveChild();
  ShowClassInInspector(active ? active->Doc().CurrentClass : nullptr);
  if (undo_) undo_->Refresh();
}

void TMainForm::ActivateChild(TFChild* child) {
  if (!child) return;
  if (MdiArea->activeSubWindow() != child) MdiArea->setActiveSubWindow(child);
  // Offscreen or while the frame is inactive the area may not report the activation.
  if (merged_ != child) ChildActivated(child);
}

void TMainForm::ChildActivated(QMdiSubWindow* window) {
  auto* child = qobject_cast<TFChild*>(window);
  if (!child || creating_ > 0 || loading_ > 0) return;
  if (std::find(children_.begin(), children_.end(), child) == children_.end()) return;
  if (merged_ == child) return;
  merged_ = child;
  MergeMenus(child);
  child->FormActivate();
  // Keys reach the diagram at once, without a click into it first: the frame is the
  // active window and the drawing surface has the focus.
  // (Asked for also when the frame seems active already: the activation of a window just
  // shown, the inspector, may still be under way.)
  if (!QApplication::activeModalWidget()) activateWindow();
  child->FocusSurface();
  // The menu titles as the window shows them now (a sub-diagram names its first menu
  // differently) with keys that no other menu of the bar has.
  AssignAccessKeys(menuBar()->actions());
  if (undo_) undo_->Refresh();
}

void TMainForm::MergeMenus(TFChild* child) {
  for (QAction* a : mergedActions_) menuBar()->removeAction(a);
  mergedActions_.clear();
  if (!child) return;
  for (QMenu* m : child->WindowMenus()) {
    menuBar()->insertAction(windowMenuAction_, m->menuAction());
    mergedActions_.push_back(m->menuAction());
  }
  AssignAccessKeys(menuBar()->actions());
}

TFChild* TMainForm::OpenDiagramFile(const std::string& path) {
  ++loading_;
  auto* child = new TFChild(*this);
  // An absolute name, so that the project directory the load derives from it is one too.
  const TFChild::LoadOutcome outcome =
      child->LoadDiagram(S(QFileInfo(Q(path)).absoluteFilePath()));
  --loading_;
  if (outcome == TFChild::LoadOutcome::Failed) {
    child->ClosingAll = true;
    delete child;
    return nullptr;
  }
  child->Doc().IsMainDiagram = true;
  // What was read from a damaged file is never saved over it without a file dialog.
  child->Doc().HasFileName = outcome == TFChild::LoadOutcome::Complete;
  EnableDiagramItems();
  ActivateChild(child);
  NoteDiagramFile(child);
  return child;
}

void TMainForm::EnableDiagramItems() {
  for (const char* name : {"FileSaveItem", "FileSaveAsItem", "SavePictureItem",
                           "PictureToClipboardItem", "PrintPictureItem"})
    if (QAction* a = Item(name)) a->setEnabled(true);
}

void TMainForm::SetCaptionForLanguage(int language) {
  setWindowTitle(language == 2 ? "Zedro 184 - Java Version" : "Zedro 184 - Delphi Version");
}

void TMainForm::RedrawActiveDiagram() {
  if (TFChild* c = ActiveChild()) c->Redraw();
}

void TMainForm::RedrawAllDiagrams() {
  std::vector<TFChild*> all = children_;
  for (auto it = all.rbegin(); it != all.rend(); ++it) (*it)->Redraw();
}

void TMainForm::PurgeAttribute(TUMLClass& cls, TAttribute& attribute) {
  std::vector<TFChild*> all = children_;
  for (auto it = all.rbegin(); it != all.rend(); ++it) {
    DiagramDocument& d = (*it)->Doc();
    d.Connections.RemoveAttributeEverywhere(&attribute);
    if (d.IsMainDiagram) continue;
    for (TUMLDrawClass* box : d.DrawClasses.Items)
      if (box->IsObjectBox() && box->UMLClass == &cls) {
        TObjectAttributeList& values = static_cast<TUMLDrawObject*>(box)->Values;
        for (int i = values.Count() - 1; i >= 0; --i)
          if (values.AttributeAt(i) == &attribute) values.Items.erase(values.Items.begin() + i);
      }
  }
}

void TMainForm::ShowClassInInspector(TUMLClass* cls) {
  if (inspector_) inspector_->ShowClass(cls);
}

void TMainForm::ShowInspectorWindow() {
  if (inspector_) inspector_->ShowInspectorWindow();
}

// ---- commands --------------------------------------------------------------------------

void TMainForm::FileNew1Execute() {
  auto* child = new TFChild(*this);
  child->Doc().IsMainDiagram = true;
  EnableDiagramItems();
  DiagramDocument& doc = child->Doc();
  doc.ProjectDir.clear();
  doc.HasFileName = false;
  doc.FileName = "NONAME" + text::IntToStr(static_cast<long long>(children_.size()));
  child->setWindowTitle(Q(FileNamePart(doc.FileName)));
  ActivateChild(child);
}

void TMainForm::FileOpen1Execute() {
  TFileRequest request;
  request.caption = W("Diagramm öffnen");
  request.filter = "UML Relation Diagramm|*.urd|Alle Dateien (*.*)|*.*";
  request.defaultExt = "urd";
  request.initialDir = S(QDir::currentPath());
  std::string path = dialogs_.OpenFileName(request);
  if (path.empty()) return;
  if (TFChild* child = OpenDiagramFile(path)) child->RedrawKeepSaved();
}

void TMainForm::FileSaveClick() {
  TFChild* c = ActiveChild();
  if (!c) return;
  c->SaveDiagramm();
  if (QAction* a = Item("FileSaveAsItem")) a->setEnabled(true);
  NoteDiagramFile(c);
}

void TMainForm::FileSaveAsClick() {
  TFChild* c = ActiveChild();
  if (!c) return;
  c->SaveDiagrammAs();
  NoteDiagramFile(c);
}

void TMainForm::NoteDiagramFile(TFChild* child, bool closing) {
  const DiagramDocument& doc = child->Doc().MainDocument();
  if (onDiagramFileUsed && doc.HasFileName && doc.Saved) onDiagramFileUsed(doc.FileName, closing);
}

// The picture commands act on the active window and run through its RunCommand, named
// after the frame's item.
void TMainForm::RunOnActiveWindow(const char* itemName, void (PictureCommands::*command)()) {
  TFChild* c = ActiveChild();
  if (!c) return;
  const QAction* item = Item(itemName);
  const std::string caption = item ? S(PlainCaption(item->text())) : std::string();
  c->RunCommand(caption, [c, command] { (c->Pictures().*command)(); });
}

void TMainForm::SavePictureItemClick() {
  RunOnActiveWindow("SavePictureItem", &PictureCommands::SavePicture);
}

void TMainForm::PictureToClipboardItemClick() {
  RunOnActiveWindow("PictureToClipboardItem", &PictureCommands::PictureToClipboard);
}

void TMainForm::PrintPictureItemClick() {
  RunOnActiveWindow("PrintPictureItem", &PictureCommands::PrintPicture);
}

void TMainForm::DruckerEinrichtenClick() { dialogs_.PrinterSetup(); }

void TMainForm::FileClose1Click() {
  if (TFChild* c = ActiveChild()) c->close();
}

void TMainForm::FileExit1Execute() { close(); }

// Delete, copy and paste run the commands of the active window's class menu.
void TMainForm::DeleteItemClick() {
  if (TFChild* c = ActiveChild()) c->RunItemCommand("DeleteClassItem");
}

void TMainForm::CopyItemClick() {
  // The copy command enables pasting when it copied something.
  if (TFChild* c = ActiveChild()) c->RunItemCommand("Klassekopieren1");
}

void TMainForm::PasteItemClick() {
  if (TFChild* c = ActiveChild()) c->RunItemCommand("Klasseeinfgen1");
}

void TMainForm::HelpAboutItemClick() {
  dialogs_.Message(MsgKind::Information,
                   std::string(kApplicationTitle) +
                       W("\n\nEin Editor für UML-Klassendiagramme für den Unterricht in "
                         "objektorientiertem Modellieren.\n\nDiagramme werden als Pascal-Units "
                         "oder Java-Klassen exportiert und aus Quelltexten eingelesen."));
}

// ---- start and end ---------------------------------------------------------------------

void TMainForm::FormActivate() {
  // Both only once, also when the questions of the offer let this run again meanwhile.
  const bool offer = offerRecovery_;
  const bool open = OpenStartFile;
  offerRecovery_ = false;
  OpenStartFile = false;
  if (offer) autosave_->OfferRecovery();
  if (open) OpenDiagramFile(StartFile);
}

void TMainForm::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isActiveWindow() &&
      (OpenStartFile || offerRecovery_))
    QTimer::singleShot(0, this, [this] { FormActivate(); });
}

void TMainForm::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  // Platforms without window activation (offscreen) still open the start file.
  if (OpenStartFile || offerRecovery_) QTimer::singleShot(0, this, [this] { FormActivate(); });
}

bool TMainForm::FormCloseQuery() {
  // Not in the middle of reading a diagram (its messages run their own event loop).
  if (loading_ > 0) return false;
  bool canClose = true;
  std::vector<QPointer<TFChild>> snapshot;
  for (TFChild* c : children_) snapshot.emplace_back(c);
  for (auto it = snapshot.rbegin(); it != snapshot.rend(); ++it) {
    TFChild* c = *it;
    if (!c || std::find(children_.begin(), children_.end(), c) == children_.end()) continue;
    if (!c->IsMainDiagram()) continue;
    if (c->AskClose()) {
      c->ClosingAll = true;
      c->close();
    } else {
      canClose = false;
    }
  }
  return canClose;
}

void TMainForm::closeEvent(QCloseEvent* event) {
  if (FormCloseQuery())
    event->accept();
  else
    event->ignore();
}

bool TMainForm::SaveScreenshot(const std::string& path) {
  // The class inspector is a window of its own left of the frame; the picture shows both
  // where they stand on the screen.
  auto* inspector = dynamic_cast<QWidget*>(inspector_);
  if (!inspector || !inspector->isVisible()) return grab().save(Q(path), "PNG");
  const QRect frame = geometry();
  const QRect tool = inspector->geometry();
  const QRect all = frame.united(tool);
  QImage shot(all.size(), QImage::Format_RGB32);
  shot.fill(palette().color(QPalette::Window));
  QPainter painter(&shot);
  painter.drawPixmap(tool.topLeft() - all.topLeft(), inspector->grab());
  painter.drawPixmap(frame.topLeft() - all.topLeft(), grab());
  painter.end();
  return shot.save(Q(path), "PNG");
}

}  // namespace zedro
