#include "editor/TFChild.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QImage>
#include <QKeyEvent>
#include <QMenu>
#include <QScrollArea>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

#include "diagram/Redraw.h"
#include "editor/AccessKeys.h"
#include "editor/Autosave.h"
#include "editor/ClassTransferCommands.h"
#include "editor/DiagramZoom.h"
#include "editor/DialogService.h"
#include "editor/ElementCommands.h"
#include "editor/MessageCommands.h"
#include "editor/PictureCommands.h"
#include "editor/QtText.h"
#include "editor/RelationshipCommands.h"
#include "editor/RoundTripCommands.h"
#include "editor/SubDiagramCommands.h"
#include "editor/SurfaceView.h"
#include "editor/TMainForm.h"
#include "editor/UndoHistory.h"
#include "editor/WindowMessages.h"
#include "editor/canvas/QtCanvas.h"
#include "model/Notation.h"
#include "model/Win1252.h"
#include "persistence/Files.h"

namespace zedro {

namespace {

// The element dialogs of a window. The surface is shown before each of them, so that what
// was drawn for the question (the candidate routes of a new relationship) is seen.
class SurfaceFirstDialogs : public IDiagramDialogs {
 public:
  explicit SurfaceFirstDialogs(TFChild& window) : window_(window) {}
  bool EditInfoBox(const std::string& caption, StringList& lines) override {
    window_.ShowCanvas();
    return window_.Dialogs().EditInfoBox(caption, lines);
  }
  std::string ConnectionText(const ConnectionTextRequest& request) override {
    window_.ShowCanvas();
    return window_.Dialogs().ConnectionText(request);
  }
  bool ChooseLongDash() override {
    window_.ShowCanvas();
    return window_.Dialogs().ChooseLongDash();
  }

 private:
  TFChild& window_;
};

}  // namespace

TFChild::TFChild(TMainForm& mainForm)
    : QMdiSubWindow(nullptr),
      main_(mainForm),
      ownDoc_(std::make_unique<DiagramDocument>()),
      doc_(ownDoc_.get()) {
  FormCreate();
  main_.ChildCreated(this);
  UndoHistory::Attach(*this);
}

TFChild::TFChild(TMainForm& mainForm, TFChild& mainDiagram, DiagramDocument& subDocument)
    : QMdiSubWindow(nullptr), main_(mainForm), doc_(&subDocument), mainDiagram_(&mainDiagram) {
  FormCreate();
  UpdateMenusForDiagramKind();
  main_.ChildCreated(this);
  UndoHistory::Attach(*this);
}

TFChild::~TFChild() {
  destroying_ = true;
  // The window goes in an orderly way: its autosave is no longer needed.
  if (!mainDiagram_) main_.Autosave().Discard(*this);
  CloseSubWindows();
  if (mainDiagram_) {
    auto& subs = mainDiagram_->subWindows_;
    subs.erase(std::remove(subs.begin(), subs.end(), this), subs.end());
  }
  main_.ChildGone(this);
  doc_->Surface.canvas = nullptr;
  if (doc_->Surface.dialogs == ElementDialogs.get()) doc_->Surface.dialogs = nullptr;
  for (QMenu* m : menus_) delete m;
  delete MyClassMenue;
  delete MyConnectionMenue;
  delete MyCreateMenu;
  delete MyInfoBoxMenu;
}

IDialogService& TFChild::Dialogs() { return main_.Dialogs(); }

// ---- creation --------------------------------------------------------------------------

void TFChild::FormCreate() {
  setAttribute(Qt::WA_DeleteOnClose);
  CloseAllowed = false;
  main_.ShowInspectorWindow();
  Mode = EditMode::Idle;
  doc_->Saved = true;
  WatchEnabled = true;
  ClosingAll = false;

  relationships_ = std::make_unique<RelationshipCommands>(*this);
  messages_ = std::make_unique<MessageCommands>(*this);
  elements_ = std::make_unique<ElementCommands>(*this);
  subDiagrams_ = std::make_unique<SubDiagramCommands>(*this);
  classTransfer_ = std::make_unique<ClassTransferCommands>(*this);
  roundTrip_ = std::make_unique<RoundTripCommands>(*this);
  pictures_ = std::make_unique<PictureCommands>(*this);

  CreateSurface();
  Timer1 = new QTimer(this);
  Timer1->setInterval(500);
  connect(Timer1, &QTimer::timeout, this, [this] { Timer1Timer(); });
  Timer1->start();

  BuildMenus();
  ElementDialogs = std::make_shared<SurfaceFirstDialogs>(*this);
  doc_->Surface.dialogs = ElementDialogs.get();
  subDiagrams_->AddEntriesToMainDiagram();
  new DiagramZoom(*this);

  // A new window starts in Delphi; a sub-diagram read from a file keeps the language
  // of its main diagram until it becomes active.
  const int language = doc_->IsMainDiagram ? 1 : doc_->Language;
  ShowItemsForLanguage(language);
  doc_->Language = language;
  main_.SetCaptionForLanguage(language);
  ShowSurface();
}

void TFChild::CreateSurface() {
  auto* content = new QWidget(this);
  auto* layout = new QVBoxLayout(content);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  ScrollBox1 = new QScrollArea(content);
  ScrollBox1->setObjectName("ScrollBox1");
  ScrollBox1->setBackgroundRole(QPalette::Dark);
  ImClassDiagramm = new SurfaceView();
  ImClassDiagramm->setObjectName("ImClassDiagramm");
  ScrollBox1->setWidget(ImClassDiagramm);
  ScrollBox1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  StatusBar = new QStatusBar(content);
  StatusBar->setObjectName("StatusBar");
  StatusBar->setSizeGripEnabled(false);
  layout->addWidget(ScrollBox1, 1);
  layout->addWidget(StatusBar);
  setWidget(content);
  resize(560, 460);

  ConnectSurfaceMouse();
  ImClassDiagramm->onDrawingCanvasChanged = [this](Canvas& c) { doc_->Surface.canvas = &c; };
  // The scroll area would take the arrow keys for scrolling; the diagram moves boxes.
  ScrollBox1->installEventFilter(this);
  ImClassDiagramm->installEventFilter(this);
  // The whole visible area is drawing surface.
  ScrollBox1->viewport()->installEventFilter(this);
  ImClassDiagramm->setFocusPolicy(Qt::StrongFocus);
  setFocusProxy(ImClassDiagramm);
}

// ---- activation, language --------------------------------------------------------------

void TFChild::FormActivate() {
  // Becoming active never marks the diagram modified, although it redraws (also in the
  // language switch below).
  const bool saved = doc_->Saved;
  Redraw();
  main_.ShowClassInInspector(doc_->CurrentClass);
  UpdateMenusForDiagramKind();
  doc_->Language = main_.LanguageOfMainWindow;
  SwitchLanguage(doc_->Language == 2 ? 2 : 1);
  doc_->Saved = saved;
  FocusSurface();
}

void TFChild::DelphiVersionClick() { SwitchLanguage(1); }
void TFChild::IstJavaVersionClick() { SwitchLanguage(2); }

void TFChild::SwitchLanguage(int language) {
  const bool java = language == 2;
  ShowItemsForLanguage(language);
  doc_->Language = language;
  ActiveNotation::Set(language);
  main_.ShowClassInInspector(doc_->CurrentClass);  // the tree in the new notation
  main_.SetCaptionForLanguage(language);
  AssignAccessKeys(Klasse1);  // for the items shown now
  if (main_.LanguageOfMainWindow != language) {
    main_.LanguageOfMainWindow = language;
    Dialogs().Message(MsgKind::Information,
                      "Diagramm: " + S(windowTitle()) +
                          "\n\n                  Sprache gewechselt !\n\n"
                          "Zedro arbeitet bei diesem Diagramm nun auf der Basis von " +
                          (java ? "JAVA" : "DELPHI"),
                      MsgButtons::Yes);
  }
  Redraw();
}

void TFChild::UpdateMenusForDiagramKind() {
  // Compared as shown: a title that stays keeps its access key.
  const QString title = doc_->IsMainDiagram ? "Klasse" : "Objekt/Klasse";
  if (PlainCaption(Klasse1->title()) != title) Klasse1->setTitle(title);
  if (!doc_->IsMainDiagram) Unterdiagramm->menuAction()->setVisible(false);
  AssignAccessKeys(Klasse1);
}

// ---- drawing ---------------------------------------------------------------------------

void TFChild::ShowSurface() {
  if (!canvas_) {
    canvas_ = std::make_unique<QtCanvas>(doc_->Surface.BitmapWidth(), doc_->Surface.BitmapHeight());
    doc_->Surface.canvas = canvas_.get();
  }
  ImClassDiagramm->ShowPicture(*canvas_);
}

void TFChild::ShowCanvas() {
  if (canvas_) ImClassDiagramm->ShowPicture(*canvas_);
}

const QImage& TFChild::SurfaceImage() const { return canvas_->Image(); }

void TFChild::FollowViewSize() {
  if (!ScrollBox1) return;
  const QSize view = ImClassDiagramm->ToDiagramSize(ScrollBox1->viewport()->size());
  DrawingSurface& surface = doc_->Surface;
  // The bitmap follows the window when it grows; like the diagram it never shrinks, so
  // that scroll bars coming and going cannot make it change back and forth.
  if (view.width() <= surface.ViewWidth && view.height() <= surface.ViewHeight) return;
  surface.ViewWidth = std::max(surface.ViewWidth, view.width());
  surface.ViewHeight = std::max(surface.ViewHeight, view.height());
  ImClassDiagramm->SetMinimumArea(surface.BitmapWidth(), surface.BitmapHeight());
  // The drawing follows once no command waits for clicks and no dialog is open: a redraw
  // now would wipe the markers of a command or paint a diagram that is being read.
  if (!viewRedrawPending_) {
    viewRedrawPending_ = true;
    QTimer::singleShot(0, this, [this] { RedrawForView(); });
  }
}

void TFChild::RedrawForView() {
  viewRedrawPending_ = false;
  if (destroying_ || !canvas_) return;
  const DrawingSurface& surface = doc_->Surface;
  if (canvas_->Width() == surface.BitmapWidth() && canvas_->Height() == surface.BitmapHeight())
    return;
  if (Mode != EditMode::Idle || QApplication::activeModalWidget()) {
    viewRedrawPending_ = true;
    QTimer::singleShot(200, this, [this] { RedrawForView(); });
    return;
  }
  RedrawKeepSaved();
}

void TFChild::DrawDiagram(CurrentBoxMark mark) {
  setWindowTitle(Q(CaptionOf(*doc_)));
  if (!canvas_) ShowSurface();
  WindowMessages status(*this);
  zedro::Redraw(*doc_, mark, &status);
  doc_->Saved = false;
  ImClassDiagramm->ShowPicture(*canvas_);
  if (UndoHistory* history = UndoHistory::Of(*this)) history->Changed(*this);
}

void TFChild::Redraw() { DrawDiagram(CurrentBoxMark::Shown); }
void TFChild::RedrawUnmarked() { DrawDiagram(CurrentBoxMark::Hidden); }

void TFChild::RedrawKeepSaved() {
  const bool saved = doc_->Saved;
  Redraw();
  doc_->Saved = saved;
}

std::string TFChild::CaptionOf(const DiagramDocument& doc) {
  if (doc.IsMainDiagram) return FileNamePart(doc.FileName);
  const size_t p = doc.FileName.find_last_of("/\\:");
  return p == std::string::npos ? doc.FileName : doc.FileName.substr(p + 1);
}

// ---- status, resize, keyboard ----------------------------------------------------------

void TFChild::FocusSurface() {
  if (ImClassDiagramm) ImClassDiagramm->setFocus(Qt::OtherFocusReason);
}

void TFChild::SetStatus(const std::string& text) { StatusBar->showMessage(Q(text)); }
void TFChild::ClearStatus() { StatusBar->clearMessage(); }
std::string TFChild::StatusText() const { return S(StatusBar->currentMessage()); }

void TFChild::FormResize() {
  ClearStatus();
  SetStatus("Verzeichnis: " + doc_->ProjectDir);
}

void TFChild::resizeEvent(QResizeEvent* event) {
  QMdiSubWindow::resizeEvent(event);
  if (StatusBar) FormResize();
}

bool TFChild::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Resize && ScrollBox1 && watched == ScrollBox1->viewport())
    FollowViewSize();
  if (event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    switch (key->key()) {
      case Qt::Key_Left:
      case Qt::Key_Right:
      case Qt::Key_Up:
      case Qt::Key_Down:
      case Qt::Key_Escape:
        FormKeyDown(key->key());
        return true;
      default:
        break;
    }
  }
  return QMdiSubWindow::eventFilter(watched, event);
}

void TFChild::FormKeyDown(int qtKey) {
  if (doc_->DrawClasses.Count() == 0) return;
  switch (qtKey) {
    case Qt::Key_Left:
      MoveByKey(-1, 0);
      return;
    case Qt::Key_Right:
      MoveByKey(1, 0);
      return;
    case Qt::Key_Up:
      MoveByKey(0, -1);
      return;
    case Qt::Key_Down:
      MoveByKey(0, 1);
      return;
    case Qt::Key_Escape:
      Mode = EditMode::Idle;
      ClearStatus();
      for (const char* name : {"deleteConnection", "Vererbung", "Assoziation", "Aggregation"})
        if (QAction* a = Item(name)) a->setChecked(false);
      Redraw();
      return;
    default:
      return;
  }
}

void TFChild::MoveByKey(int dx, int dy) {
  if (doc_->Selection.Count() == 0) {
    if (!doc_->CurrentBox) return;
    doc_->CurrentBox->MoveBy(dx, dy);
    Redraw();
    return;
  }
  TRect& r = doc_->SelectionRect;
  const int w = doc_->Surface.BitmapWidth(), h = doc_->Surface.BitmapHeight();
  if (!(r.Left + dx > 2 && r.Top + dy > 2 && r.Right + dx < w - 2 && r.Bottom + dy < h - 2)) return;
  for (TUMLDrawClass* box : doc_->Selection.Items) box->MoveBy(dx, dy);
  r.Left += dx;
  r.Right += dx;
  r.Top += dy;
  r.Bottom += dy;
  Redraw();
}

void TFChild::Timer1Timer() { roundTrip_->WatchSourceFiles(); }

// ---- closing ---------------------------------------------------------------------------

bool TFChild::AskClose() {
  CloseConfirmed = false;
  if (!doc_->IsMainDiagram && !CloseAllowed) {
    Dialogs().Message(MsgKind::Warning, W("Schliessen ist nur über den Menüpunkt 'Unterdiagramm'\n"
                                          "des Hauptdiagramms möglich !!"));
    return false;
  }
  main_.ActivateChild(this);
  const std::string name = FileNamePart(doc_->FileName);
  if (doc_->IsMainDiagram) {
    const size_t n = doc_->SubDiagrams.size();
    bool modified = !doc_->Saved;
    for (auto& sub : doc_->SubDiagrams) modified = modified || !sub->Saved;
    const std::string head = n == 0 ? "Diagramm '" + name + "' "
                                    : "Diagramm '" + name + "'\nund alle Unterdiagramme (" +
                                          text::IntToStr(static_cast<long long>(n)) + ")\n";
    if (modified) {
      MsgResult r = Dialogs().Message(MsgKind::Confirmation,
                                      head + W("in diesem geänderten Zustand speichern?"),
                                      MsgButtons::YesNoCancel);
      if (r == MsgResult::Cancel) return false;
      if (r == MsgResult::Yes) {
        // A save that was cancelled or failed keeps the window, so nothing is lost.
        if (!doc_->HasFileName)
          SaveDiagrammAs();
        else
          WriteFile(doc_->FileName);
        bool saved = doc_->Saved;
        for (auto& sub : doc_->SubDiagrams) saved = saved && sub->Saved;
        if (!saved) return false;
      }
      CloseConfirmed = true;
      return true;
    }
    CloseConfirmed =
        Dialogs().Message(MsgKind::Confirmation, head + (n == 0 ? "schliessen?" : "schliessen ?"),
                          MsgButtons::YesNo) == MsgResult::Yes;
    return CloseConfirmed;
  }
  CloseConfirmed =
      Dialogs().Message(MsgKind::Confirmation, "Diagramm '" + name + "' wirklich schliessen?",
                        MsgButtons::YesNo) == MsgResult::Yes;
  return CloseConfirmed;
}

void TFChild::closeEvent(QCloseEvent* event) {
  if (!ClosingAll) {
    if (!doc_->IsMainDiagram && !CloseAllowed) {
      Dialogs().Message(MsgKind::Warning,
                        W("Schliessen Sie dieses Diagramm über den Menüpunkt 'Unterdiagramm'\n"
                          "des Hauptdiagramms\n\n"
                          "oder schliessen Sie das Hauptdiagramm mit allen Unterdiagrammen\n"
                          "direkt vom Hauptdiagramm aus!"));
      event->ignore();
      return;
    }
    if (!AskClose()) {
      event->ignore();
      return;
    }
    for (TUMLDrawClass* box : doc_->DrawClasses.Items)
      box->SourceFileAge = box->SourceFileName.empty() ? -1 : FileAge(SourceFilePath(*box));
  }
  Timer1->stop();
  // Closed in order (saved, or not saved on the user's word): no autosave is kept.
  if (!mainDiagram_) main_.Autosave().Discard(*this);
  CloseSubWindows();
  main_.ChildGone(this);
  QMdiSubWindow::closeEvent(event);
  event->accept();
}

void TFChild::CloseSubWindows() {
  std::vector<TFChild*> subs = subWindows_;
  subWindows_.clear();
  for (TFChild* sub : subs) {
    sub->ClosingAll = true;
    sub->mainDiagram_ = nullptr;
    main_.ChildGone(sub);
    // Gone at once: the sub documents belong to this window's document.
    delete sub;
  }
}

TFChild* TFChild::AttachSubWindow(DiagramDocument& sub) {
  auto* window = new TFChild(main_, *this, sub);
  subWindows_.push_back(window);
  SubDiagramWindow = window;
  return window;
}

}  // namespace zedro
