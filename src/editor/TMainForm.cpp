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
#include <cmath>

#include "diagram/DiagramDocument.h"
#include "editor/AccessKeys.h"
#include "editor/Autosave.h"
#include "editor/DialogService.h"
#include "editor/PictureCommands.h"
#include "editor/QtText.h"
#include "editor/TFChild.h"
#include "editor/TFClassInspector.h"
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

QAction* TMainForm::AddAction(QMenu* menu, const char* name, const std::string& caption,
                              const std::string& hint) {
  QAction* a = menu->addAction(Q(caption));
  a->setObjectName(name);
  if (!hint.empty()) {
    std::string shortHint = hint.substr(0, hint.find('|'));
    std::string longHint = hint.find('|') == std::string::npos ? hint : hint.substr(hint.find('|') + 1);
    a->setToolTip(Q(shortHint));
    a->setStatusTip(Q(longHint));
  }
  return a;
}

void TMainForm::BuildMenus() {
  QMenuBar* bar = menuBar();
  bar->setObjectName("MainMenu1");
  QStyle* st = style();

  File1 = bar->addMenu("&Datei");
  File1->setObjectName("File1");
  QAction* fileNew = AddAction(File1, "FileNewItem", "&Neues Diagramm", "Neu|Neue Datei erstellen");
  fileNew->setShortcut(QKeySequence("Ctrl+N"));
  fileNew->setIcon(st->standardIcon(QStyle::SP_FileIcon));
  connect(fileNew, &QAction::triggered, this, [this] { FileNew1Execute(); });
  QAction* fileOpen =
      AddAction(File1, "FileOpenItem", W("Diagramm Ö&ffnen"), W("Öffnen|Eine Datei öffnen"));
  fileOpen->setShortcut(QKeySequence("Ctrl+O"));
  fileOpen->setIcon(st->standardIcon(QStyle::SP_DialogOpenButton));
  connect(fileOpen, &QAction::triggered, this, [this] { FileOpen1Execute(); });
  QAction* fileClose = AddAction(File1, "FileCloseItem", W("Fenster s&chließen"),
                                 W("Schließen|Aktuelle Datei schließen"));
  fileClose->setEnabled(false);
  connect(fileClose, &QAction::triggered, this, [this] { FileClose1Click(); });
  QAction* fileSave = AddAction(File1, "FileSaveItem", "Diagramm &speichern",
                                "Speichern|Aktuelle Datei speichern");
  fileSave->setShortcut(QKeySequence("Ctrl+S"));
  fileSave->setIcon(st->standardIcon(QStyle::SP_DialogSaveButton));
  connect(fileSave, &QAction::triggered, this, [this] { FileSaveClick(); });
  QAction* fileSaveAs = AddAction(File1, "FileSaveAsItem", "Diagramm speichern &unter...");
  connect(fileSaveAs, &QAction::triggered, this, [this] { FileSaveAsClick(); });
  File1->addSeparator();
  QAction* savePicture = AddAction(File1, "SavePictureItem", "als Bild Speichern (BMP)");
  savePicture->setEnabled(false);
  connect(savePicture, &QAction::triggered, this, [this] { SavePictureItemClick(); });
  QAction* clip = AddAction(File1, "PictureToClipboardItem", "Bild in Zwischenablage");
  clip->setEnabled(false);
  connect(clip, &QAction::triggered, this, [this] { PictureToClipboardItemClick(); });
  QAction* print = AddAction(File1, "PrintPictureItem", "Bild direkt drucken");
  print->setEnabled(false);
  connect(print, &QAction::triggered, this, [this] { PrintPictureItemClick(); });
  QAction* setup = AddAction(File1, "Druckerauswhlen1", "Drucker einrichten");
  connect(setup, &QAction::triggered, this, [this] { DruckerEinrichtenClick(); });
  File1->addSeparator();
  QAction* exitItem = AddAction(File1, "FileExitItem", "&Beenden", "Beenden|Das Programm beenden");
  connect(exitItem, &QAction::triggered, this, [this] { FileExit1Execute(); });

  Edit1 = bar->addMenu("B&earbeiten");
  Edit1->setObjectName("Edit1");
  QAction* del = AddAction(Edit1, "DeleteItem", W("Klasse Löschen"),
                           "Ausschneiden|Das markierte Objekt in die Zwischenablage verschieben");
  del->setShortcut(QKeySequence(Qt::Key_Delete));
  del->setIcon(st->standardIcon(QStyle::SP_TrashIcon));
  connect(del, &QAction::triggered, this, [this] { DeleteItemClick(); });
  QAction* copy = AddAction(Edit1, "CopyItem", "Klasse &Kopieren",
                            "Kopieren|Das markierte Objekt in die Zwischenablage kopieren");
  copy->setShortcut(QKeySequence("Ctrl+C"));
  copy->setIcon(st->standardIcon(QStyle::SP_FileDialogContentsView));
  connect(copy, &QAction::triggered, this, [this] { CopyItemClick(); });
  QAction* paste = AddAction(Edit1, "PasteItem", W("Klasse &Einfügen"),
                             W("Einfügen|Den Inhalt der Zwischenablage einfügen"));
  paste->setShortcut(QKeySequence("Ctrl+V"));
  paste->setIcon(st->standardIcon(QStyle::SP_DialogApplyButton));
  paste->setEnabled(false);
  connect(paste, &QAction::triggered, this, [this] { PasteItemClick(); });

  Window1 = bar->addMenu("&Fenster");
  Window1->setObjectName("Window1");
  windowMenuAction_ = Window1->menuAction();
  QAction* cascade = AddAction(Window1, "WindowCascadeItem", W("Über&lappend"));
  cascade->setIcon(st->standardIcon(QStyle::SP_TitleBarNormalButton));
  connect(cascade, &QAction::triggered, MdiArea, &QMdiArea::cascadeSubWindows);
  QAction* tileV = AddAction(Window1, "WindowTileItem", "&Nebeneinander");
  tileV->setIcon(st->standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton));
  QAction* tileH = AddAction(Window1, "WindowTileItem2", "&Uebereinander");
  tileH->setIcon(st->standardIcon(QStyle::SP_ToolBarVerticalExtensionButton));
  // Side by side in columns, or stacked in rows.
  auto tile = [this](bool sideBySide) {
    QList<QMdiSubWindow*> windows;
    for (QMdiSubWindow* w : MdiArea->subWindowList(QMdiArea::CreationOrder))
      if (w->isVisible() && !w->isMinimized()) windows.push_back(w);
    if (windows.isEmpty()) return;
    const QRect area = MdiArea->viewport()->rect();
    const int n = static_cast<int>(windows.size());
    for (int i = 0; i < n; ++i) {
      windows[i]->showNormal();
      if (sideBySide)
        windows[i]->setGeometry(area.width() * i / n, 0, area.width() / n, area.height());
      else
        windows[i]->setGeometry(0, area.height() * i / n, area.width(), area.height() / n);
    }
  };
  connect(tileV, &QAction::triggered, this, [tile] { tile(true); });
  connect(tileH, &QAction::triggered, this, [tile] { tile(false); });
  QAction* minimize = AddAction(Window1, "WindowMinimizeAll1", "Alle mi&nimieren");
  minimize->setVisible(false);
  connect(minimize, &QAction::triggered, this, [this] {
    for (QMdiSubWindow* w : MdiArea->subWindowList()) w->showMinimized();
  });
  QAction* arrange = AddAction(Window1, "WindowArrange1", "An&ordnen");
  arrange->setVisible(false);
  connect(arrange, &QAction::triggered, MdiArea, &QMdiArea::tileSubWindows);
  // The window list follows the fixed items.
  connect(Window1, &QMenu::aboutToShow, this, [this] {
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
  });

  Help1 = bar->addMenu("&Info");
  Help1->setObjectName("Help1");
  QAction* about = AddAction(Help1, "HelpAboutItem", "&Info...");
  connect(about, &QAction::triggered, this, [this] { HelpAboutItemClick(); });

  // Items without a key of their own get one, so that every item can be reached from
  // the keyboard.
  for (QMenu* m : {File1, Edit1, Window1, Help1}) AssignAccessKeys(m);

  ToolBar2 = addToolBar("ToolBar2");
  ToolBar2->setObjectName("ToolBar2");
  ToolBar2->setMovable(false);
  ToolBar2->addAction(fileNew);
  ToolBar2->addAction(fileOpen);
  ToolBar2->addAction(fileSave);
  ToolBar2->addSeparator();
  ToolBar2->addAction(del);
  ToolBar2->addAction(copy);
  ToolBar2->addAction(paste);
  ToolBar2->addSeparator();
  ToolBar2->addAction(cascade);
  ToolBar2->addAction(tileV);
  ToolBar2->addAction(tileH);
  // The hint of a tool button goes when the mouse leaves the button.
  for (QToolButton* b : ToolBar2->findChildren<QToolButton*>()) b->installEventFilter(this);
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

void TMainForm::SavePictureItemClick() {
  if (TFChild* c = ActiveChild()) c->Pictures().SavePicture();
}

void TMainForm::PictureToClipboardItemClick() {
  if (TFChild* c = ActiveChild()) c->Pictures().PictureToClipboard();
}

void TMainForm::PrintPictureItemClick() {
  if (TFChild* c = ActiveChild()) c->Pictures().PrintPicture();
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
