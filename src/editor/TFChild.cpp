#include "editor/TFChild.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QImage>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QScrollArea>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

#include "diagram/Redraw.h"
#include "editor/AccessKeys.h"
#include "editor/Autosave.h"
#include "editor/DiagramZoom.h"
#include "editor/DialogService.h"
#include "editor/Picture.h"
#include "editor/PictureOutput.h"
#include "editor/QtText.h"
#include "editor/SurfaceView.h"
#include "editor/TMainForm.h"
#include "editor/WindowMessages.h"
#include "editor/canvas/QtCanvas.h"
#include "model/Notation.h"
#include "model/Win1252.h"
#include "persistence/DiagramFile.h"
#include "persistence/Files.h"
#include "persistence/ValueStream.h"

namespace zedro {

namespace {

std::vector<TFChild::CreationHook>& Hooks() {
  static std::vector<TFChild::CreationHook> hooks;
  return hooks;
}

std::string WithDefaultExtension(const std::string& path, const std::string& ext) {
  std::string name = FileNamePart(path);
  if (!name.empty() && name.find('.') == std::string::npos) return path + "." + ext;
  return path;
}

const char* const kReplaceQuestion = "' existiert schon !   ...    Soll sie ersetzt werden ?";

// The messages of a load. The stream's error alone names no file and cannot say what
// becomes of the window, so it is held back until the load has ended.
class LoadMessages : public WindowMessages {
 public:
  using WindowMessages::WindowMessages;
  MsgResult Message(MsgKind kind, const std::string& text, MsgButtons buttons) override {
    if (kind == MsgKind::Error && (text == StreamReadErrorText() || text == InvalidValueText())) {
      streamError = text;
      return MsgResult::Ok;
    }
    return WindowMessages::Message(kind, text, buttons);
  }
  std::string streamError;
};

// "Fahrzeuge.urd" -> "Fahrzeuge_gerettet.urd": what a damaged file's diagram is saved as.
std::string RescueName(const std::string& path) {
  std::string name = FileNamePart(path);
  const size_t dot = name.rfind('.');
  const std::string stem = dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
  return stem + "_gerettet.urd";
}

bool SameFile(const std::string& a, const std::string& b) {
  return !a.empty() && !b.empty() && LinkTarget(a) == LinkTarget(b);
}

}  // namespace

void TFChild::AddCreationHook(CreationHook hook) { Hooks().push_back(std::move(hook)); }

TFChild::TFChild(TMainForm& mainForm)
    : QMdiSubWindow(nullptr),
      main_(mainForm),
      ownDoc_(std::make_unique<DiagramDocument>()),
      doc_(ownDoc_.get()) {
  FormCreate();
  main_.ChildCreated(this);
  for (auto& hook : Hooks()) hook(*this);
}

TFChild::TFChild(TMainForm& mainForm, TFChild& mainDiagram, DiagramDocument& subDocument)
    : QMdiSubWindow(nullptr), main_(mainForm), doc_(&subDocument), mainDiagram_(&mainDiagram) {
  FormCreate();
  UpdateMenusForDiagramKind();
  main_.ChildCreated(this);
  for (auto& hook : Hooks()) hook(*this);
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

  ImClassDiagramm->onMouseDown = [this](int b, int x, int y) { ImClassDiagrammMouseDown(b, x, y); };
  ImClassDiagramm->onMouseMove = [this](int x, int y) { ImClassDiagrammMouseMove(x, y); };
  ImClassDiagramm->onMouseUp = [this](int b, int x, int y) { ImClassDiagrammMouseUp(b, x, y); };
  ImClassDiagramm->onDrawingCanvasChanged = [this](Canvas& c) { doc_->Surface.canvas = &c; };
  // The scroll area would take the arrow keys for scrolling; the diagram moves boxes.
  ScrollBox1->installEventFilter(this);
  ImClassDiagramm->installEventFilter(this);
  // The whole visible area is drawing surface.
  ScrollBox1->viewport()->installEventFilter(this);
  ImClassDiagramm->setFocusPolicy(Qt::StrongFocus);
  setFocusProxy(ImClassDiagramm);

  Timer1 = new QTimer(this);
  Timer1->setInterval(500);
  connect(Timer1, &QTimer::timeout, this, [this] { Timer1Timer(); });
  Timer1->start();

  BuildMenus();
  WireMouseCommands();
  WireElementCommands();
  WireMemberCommands();
  WireRoundTripCommands();
  new DiagramZoom(*this);

  // A new window starts in Delphi; a sub-diagram read from a file keeps the language
  // of its main diagram until it becomes active.
  int language = doc_->IsMainDiagram ? 1 : doc_->Language;
  IstDelphiVersion->setChecked(language != 2);
  IstJavaVersion->setChecked(language == 2);
  ItemAt(Klasse1, 7)->setVisible(language == 2);
  ItemAt(Klasse1, 10)->setVisible(language == 2);
  ItemAt(Klasse1, 8)->setVisible(language != 2);
  ItemAt(Klasse1, 11)->setVisible(language != 2);
  ItemAt(MyCreateMenu, 2)->setVisible(language == 2);
  ItemAt(MyCreateMenu, 3)->setVisible(language != 2);
  ItemAt(MyClassMenue, 14)->setVisible(language == 2);
  ItemAt(MyClassMenue, 15)->setVisible(language != 2);
  doc_->Language = language;
  main_.SetCaptionForLanguage(language);
  ShowSurface();
}

QAction* TFChild::AddItem(QMenu* menu, const char* name, const std::string& caption) {
  QAction* a = menu->addAction(Q(caption));
  a->setObjectName(name);
  return a;
}

void TFChild::BuildMenus() {
  auto menu = [this](const char* name, const std::string& caption) {
    QMenu* m = new QMenu(Q(caption));
    m->setObjectName(name);
    menus_.push_back(m);
    return m;
  };
  auto separator = [](QMenu* m) { return m->addSeparator(); };

  Klasse1 = menu("Klasse1", "Klasse");
  AddItem(Klasse1, "newClass", "Neue Klasse");
  separator(Klasse1);
  AddItem(Klasse1, "DeleteClassItem", W("Klasse löschen"));
  AddItem(Klasse1, "Klasseausscheiden1", "Klasse ausscheiden")->setVisible(false);
  AddItem(Klasse1, "Klassekopieren1", "Klasse kopieren");
  AddItem(Klasse1, "Klasseeinfgen1", W("Klasse einfügen"));
  separator(Klasse1);
  AddItem(Klasse1, "ImportJavaSource", "Klassenimport aus Java");
  AddItem(Klasse1, "ImportPascalSource", "Klassenimport aus Delphi");
  AddItem(Klasse1, "MiAktualisieren", "Klasse aktualisieren");
  AddItem(Klasse1, "JavaExport1", "Java Export");
  AddItem(Klasse1, "Quellcodeanzeigen1", "Delphi Export");
  separator(Klasse1);
  AddItem(Klasse1, "DokumentationderKlasseanzeigen1", "Dokumentation anzeigen / speichern");
  separator(Klasse1);
  AddItem(Klasse1, "MiKlassenDarstellungAendern", W("Klassendarstellung ändern"));
  AddItem(Klasse1, "InfoBoxzurKlasseeinfgen1", W("InfoBox zur Klasse einfügen"));
  separator(Klasse1);
  AddItem(Klasse1, "IST2", "IST........");
  AddItem(Klasse1, "HAT2", "HAT.......");
  AddItem(Klasse1, "KENNT2", "KENNT....");
  AddItem(Klasse1, "StelltANFRAGEan2", "Stellt ANFRAGE an ...");
  AddItem(Klasse1, "ErteiltAUFTRAGan1", "Erteilt AUFTRAG an ..");

  Unterdiagramm = menu("Unterdiagramm", "Unterdiagramm");
  AddItem(Unterdiagramm, "erzeugeUnterdiagramm", "Neues Unterdiagramm");
  QMenu* del = Unterdiagramm->addMenu(Q(W("Unterdiagramm löschen")));
  del->setObjectName("Unterdiagrammloeschen");
  del->menuAction()->setObjectName("UnterdiagrammloeschenItem");
  QMenu* rename = Unterdiagramm->addMenu(Q(W("Name ändern")));
  rename->setObjectName("NamenAendern1");
  rename->menuAction()->setObjectName("NamenAendern1Item");

  Beziehungen1 = menu("Beziehungen1", "Beziehungen");
  for (QAction* a : {AddItem(Beziehungen1, "Vererbung", "IST........ : Vererbung"),
                     AddItem(Beziehungen1, "Aggregation", "HAT....... : Aggregation"),
                     AddItem(Beziehungen1, "Assoziation", "KENNT.... : Assoziation")})
    a->setCheckable(true);
  separator(Beziehungen1);
  AddItem(Beziehungen1, "deleteConnection", W("Löschen"))->setCheckable(true);

  Botschaft = menu("Botschaft", "Botschaft");
  AddItem(Botschaft, "Auftrag", "Auftrag")->setCheckable(true);
  AddItem(Botschaft, "Anfrage", "Anfrage")->setCheckable(true);
  separator(Botschaft);
  AddItem(Botschaft, "BotschaftLoeschen", W("Löschen"))->setCheckable(true);

  DelphiVersion = menu("DelphiVersion", "Optionen");
  AddItem(DelphiVersion, "AlleKlassendarstellungenAendern",
          W("Darstellung für alle Klassen ändern"));
  AddItem(DelphiVersion, "SchriftallerBeziehungenAendern", W("Schrift aller Beziehungen ändern"));
  QAction* inspector =
      AddItem(DelphiVersion, "Klassensinspectorzeigen1", "Klassensinspektor anzeigen");
  connect(inspector, &QAction::triggered, this, [this] { main_.ShowInspectorWindow(); });
  separator(DelphiVersion);
  IstJavaVersion = AddItem(DelphiVersion, "IstJavaVersion", "Java-Version");
  IstDelphiVersion = AddItem(DelphiVersion, "IstDelphiVersion", "Delphi-Version");
  IstJavaVersion->setCheckable(true);
  IstDelphiVersion->setCheckable(true);
  separator(DelphiVersion);
  connect(IstJavaVersion, &QAction::triggered, this, [this] { IstJavaVersionClick(); });
  connect(IstDelphiVersion, &QAction::triggered, this, [this] { DelphiVersionClick(); });

  Extras1 = menu("Extras1", "Extras");
  AddItem(Extras1, "AlleKlassenbrutalexportieren1", "Alle Klassen \"brutal\" exportieren");
  AddItem(Extras1, "aktualisiereAlle", "Alle Klassen aktualisieren");
  AddItem(Extras1, "InfoBoxEinfuegen", W("InfoBox einfügen"));
  AddItem(Extras1, "InfozueinerKlasseeinfgen1", W("Info zur aktuellen Klasse einfügen"));
  AddItem(Extras1, "Verzeichnisndern1", W("Projektverzeichnis ändern"));

  // The context menus; the interaction state machine fills in titles and visibility.
  MyClassMenue = new QMenu();
  MyClassMenue->setObjectName("MyClassMenue");
  AddItem(MyClassMenue, "MyClassMenueTitle", "     Klasse: ---->")->setEnabled(false);
  separator(MyClassMenue);
  AddItem(MyClassMenue, "Wertbelegungndern1", W("Wertbelegung ändern"));
  separator(MyClassMenue);
  AddItem(MyClassMenue, "Attributhinzufuegen", W("Attribut hinzufügen"));
  AddItem(MyClassMenue, "MethodeHinzufuegen", W("Methode hinzufügen"));
  AddItem(MyClassMenue, "Methodeberschreiben1", W("Methode überschreiben"));
  separator(MyClassMenue);
  AddItem(MyClassMenue, "NameoderArtAendern", W("Name oder Art der Klasse ändern"));
  AddItem(MyClassMenue, "BeschreibungAendern", W("Beschreibung der Klasse ändern"));
  separator(MyClassMenue);
  AddItem(MyClassMenue, "loeschen", W("Klasse Löschen"));
  separator(MyClassMenue);
  AddItem(MyClassMenue, "Codeersetzen1", "Klasse aktualisieren");
  AddItem(MyClassMenue, "pmiJavaExport2", "Java Export");
  AddItem(MyClassMenue, "Codeanzeigenspeichern", "Delphi Export");
  separator(MyClassMenue);
  AddItem(MyClassMenue, "DokuAnzeigen", "Dokumentation anzeigen / speichern");
  separator(MyClassMenue);
  AddItem(MyClassMenue, "Klassendarstellungndern1", W("Klassendarstellung ändern"));
  AddItem(MyClassMenue, "InfoBoxzurKlasseeinfgen2", W("Infobox zur Klasse einfügen"));
  separator(MyClassMenue);
  AddItem(MyClassMenue, "IST1", "IST........");
  AddItem(MyClassMenue, "HAT1", "HAT.......");
  AddItem(MyClassMenue, "KENNT1", "KENNT....");
  AddItem(MyClassMenue, "StelltAnfragean1", "Stellt ANFRAGE an ...");
  AddItem(MyClassMenue, "BEAUFTRAGT1", "Erteilt AUFTRAG an ..");

  MyConnectionMenue = new QMenu();
  MyConnectionMenue->setObjectName("MyConnectionMenue");
  AddItem(MyConnectionMenue, "MyConnectionMenueTitle", "   Beziehung: ")->setEnabled(false);
  separator(MyConnectionMenue);
  AddItem(MyConnectionMenue, "beziehungLoeschen", W("löschen"));
  AddItem(MyConnectionMenue, "beziehungBearbeiten", W("Text(e) ändern"));
  AddItem(MyConnectionMenue, "SchriftAendern", W("Schrifttyp ändern"));
  AddItem(MyConnectionMenue, "LinienzugWaehlen", "Linienzug waehlen");
  AddItem(MyConnectionMenue, "CoFarbenAendern", W("Farbe ändern"));
  AddItem(MyConnectionMenue, "Methodewaehlen", W("Methode wählen"));
  AddItem(MyConnectionMenue, "Attributwaehlen", W("Attribute wählen"));

  MyCreateMenu = new QMenu();
  MyCreateMenu->setObjectName("MyCreateMenu");
  AddItem(MyCreateMenu, "MyCreateMenuTitle", "Klasse")->setEnabled(false);
  AddItem(MyCreateMenu, "NeueKlasseanlegen1", "       neue Klasse");
  AddItem(MyCreateMenu, "ImportJavaSource2", "       Klassenimport aus Java");
  AddItem(MyCreateMenu, "ImportPascalSource2", "       Klassenimport aus Delphi");

  MyInfoBoxMenu = new QMenu();
  MyInfoBoxMenu->setObjectName("MyInfoBoxMenu");
  AddItem(MyInfoBoxMenu, "InfoBoxInhaltAendern", W("Texte ändern"));
  AddItem(MyInfoBoxMenu, "InfoBoxSchrifttypAendern", W("Schrift ändern"));
  AddItem(MyInfoBoxMenu, "Farbendern1", W("Farbe ändern"));
  AddItem(MyInfoBoxMenu, "InfoBoxLoeschen", W("Löschen"));

  // Every item can be reached from the keyboard; captions changed later (sub-diagrams,
  // the entries of the sub-diagram submenus) get their keys when the menu opens.
  for (QMenu* m : menus_) {
    AssignAccessKeys(m);
    connect(m, &QMenu::aboutToShow, m, [m] { AssignAccessKeys(m); });
  }
}

QAction* TFChild::ItemAt(QMenu* menu, int position) {
  if (!menu) return nullptr;
  const QList<QAction*> items = menu->actions();
  return position >= 0 && position < items.size() ? items[position] : nullptr;
}

QAction* TFChild::Item(const std::string& name) const {
  QString n = QString::fromStdString(name);
  for (QMenu* m : menus_) {
    if (QAction* a = m->findChild<QAction*>(n)) return a;
    for (QAction* a : m->actions())
      if (a->objectName() == n) return a;
    for (QMenu* sub : m->findChildren<QMenu*>())
      for (QAction* a : sub->actions())
        if (a->objectName() == n) return a;
  }
  for (QMenu* m : {MyClassMenue, MyConnectionMenue, MyCreateMenu, MyInfoBoxMenu})
    for (QAction* a : m->actions())
      if (a->objectName() == n) return a;
  return nullptr;
}

QMenu* TFChild::Menu(const std::string& name) const {
  QString n = QString::fromStdString(name);
  for (QMenu* m : menus_) {
    if (m->objectName() == n) return m;
    if (QMenu* sub = m->findChild<QMenu*>(n)) return sub;
  }
  for (QMenu* m : {MyClassMenue, MyConnectionMenue, MyCreateMenu, MyInfoBoxMenu})
    if (m->objectName() == n) return m;
  return nullptr;
}

// ---- activation, menus, language -------------------------------------------------------

void TFChild::FormActivate() {
  // Becoming active never marks the diagram modified, although it redraws (also in the
  // language switch below).
  const bool saved = doc_->Saved;
  Redraw(true);
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
  IstDelphiVersion->setChecked(!java);
  IstJavaVersion->setChecked(java);
  // Classes are imported into main diagrams only; a sub-diagram keeps both imports hidden.
  const bool main = doc_->IsMainDiagram;
  ItemAt(Klasse1, 7)->setVisible(java && main);
  ItemAt(Klasse1, 10)->setVisible(java);
  ItemAt(Klasse1, 8)->setVisible(!java && main);
  ItemAt(Klasse1, 11)->setVisible(!java);
  ItemAt(MyCreateMenu, 2)->setVisible(java);
  ItemAt(MyCreateMenu, 3)->setVisible(!java);
  ItemAt(MyClassMenue, 14)->setVisible(java);
  ItemAt(MyClassMenue, 15)->setVisible(!java);
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
  Redraw(true);
}

void TFChild::UpdateMenusForDiagramKind() {
  // Captions are compared as shown: a caption that stays keeps its access key.
  auto caption = [](QAction* item, const std::string& text) {
    if (PlainCaption(item->text()) != Q(text)) item->setText(Q(text));
  };
  if (doc_->IsMainDiagram) {
    caption(Klasse1->menuAction(), "Klasse");
    caption(ItemAt(Klasse1, 2), W("Klasse löschen"));
    AssignAccessKeys(Klasse1);
    return;
  }
  caption(Klasse1->menuAction(), "Objekt/Klasse");
  caption(ItemAt(Klasse1, 0), W("Objekt einfügen"));
  QAction* insert = ItemAt(Klasse1, 1);
  insert->setSeparator(false);
  caption(insert, W("Klasse einfügen"));
  insert->setObjectName("KlasseEinfuegenSub");
  caption(ItemAt(Klasse1, 2), W("Klasse/Objekt löschen"));
  ItemAt(Klasse1, 3)->setSeparator(true);
  for (int i : {4, 5, 7, 8}) ItemAt(Klasse1, i)->setVisible(false);
  caption(ItemAt(Klasse1, 9), "Klasse/Objekt aktualisieren");
  caption(ItemAt(Klasse1, 15), W("Klassen-/Objektdarstellung ändern"));
  caption(ItemAt(Klasse1, 16), W("Infobox zur Klasse/zum Objekt einfügen"));
  Unterdiagramm->menuAction()->setVisible(false);
  RouteSubDiagramCommands();
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
  RedrawKeepSaved(true);
}

void TFChild::Redraw(bool markCurrent) {
  setWindowTitle(Q(CaptionOf(*doc_)));
  if (!canvas_) ShowSurface();
  WindowMessages status(*this);
  zedro::Redraw(*doc_, markCurrent, &status);
  doc_->Saved = false;
  ImClassDiagramm->ShowPicture(*canvas_);
}

void TFChild::RedrawKeepSaved(bool markCurrent) {
  const bool saved = doc_->Saved;
  Redraw(markCurrent);
  doc_->Saved = saved;
}

QImage TFChild::Picture() {
  Redraw(false);
  // The diagram, without the part of the bitmap that only fills the window.
  return canvas_->Image().copy(0, 0, doc_->Surface.Width, doc_->Surface.Height);
}

// ---- status, resize, keyboard ----------------------------------------------------------

void TFChild::FocusSurface() {
  if (ImClassDiagramm) ImClassDiagramm->setFocus(Qt::OtherFocusReason);
}

void TFChild::SetStatus(const std::string& text) { StatusBar->showMessage(Q(text)); }
std::string TFChild::StatusText() const { return S(StatusBar->currentMessage()); }

void TFChild::FormResize() {
  StatusBar->clearMessage();
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
  int dx = 0, dy = 0;
  switch (qtKey) {
    case Qt::Key_Left:
      dx = -1;
      break;
    case Qt::Key_Right:
      dx = 1;
      break;
    case Qt::Key_Up:
      dy = -1;
      break;
    case Qt::Key_Down:
      dy = 1;
      break;
    case Qt::Key_Escape: {
      Mode = EditMode::Idle;
      StatusBar->clearMessage();
      for (const char* name : {"deleteConnection", "Vererbung", "Assoziation", "Aggregation"})
        if (QAction* a = Item(name)) a->setChecked(false);
      Redraw(true);
      return;
    }
    default:
      return;
  }
  if (doc_->Selection.Count() == 0) {
    if (!doc_->CurrentBox) return;
    doc_->CurrentBox->MoveBy(dx, dy);
    Redraw(true);
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
  Redraw(true);
}

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

void TFChild::AttachSubWindow(DiagramDocument& sub) {
  auto* window = new TFChild(main_, *this, sub);
  subWindows_.push_back(window);
  SubDiagramWindow = window;
}

// ---- files -----------------------------------------------------------------------------

TFChild::LoadOutcome TFChild::LoadDiagram(const std::string& path) {
  LoadOptions options;
  options.languageOfMainWindow = main_.LanguageOfMainWindow;
  int fileLanguage = 0;
  options.switchLanguage = [&fileLanguage](int language) { fileLanguage = language; };
  options.subDiagramCreated = [this](DiagramDocument& sub) { AttachSubWindow(sub); };
  LoadMessages messages(*this);
  // The caption first: the messages of the load name the diagram.
  setWindowTitle(Q(FileNamePart(path)));
  LoadResult result = LoadDiagramFile(*doc_, path, messages, options);
  const bool nothingRead = doc_->DrawClasses.Count() == 0 && doc_->Connections.Count() == 0 &&
                           doc_->InfoBoxes.Count() == 0 && doc_->SubDiagrams.empty();
  // A file that broke off (not one refused for its version, nor one that could not be
  // opened, which have had their messages).
  const bool broken = !result.completed && (!messages.streamError.empty() || result.version >= 134);
  const std::string reason =
      messages.streamError.empty() ? std::string() : " (" + messages.streamError + ")";
  if (!result.completed && nothingRead) {
    if (broken)
      Dialogs().Message(MsgKind::Error, "Die Datei '" + path + W("' ist beschädigt") + reason +
                                            W(" und enthält nichts, was sich lesen ließ.\n\n"
                                              "Sie wurde nicht geöffnet."));
    return LoadOutcome::Failed;
  }
  if (!result.completed) {
    DamagedFile = path;
    Dialogs().Message(MsgKind::Error,
                      "Die Datei '" + path + W("' ist beschädigt oder unvollständig") + reason +
                          W(".\n\nWas sich lesen ließ, wird angezeigt. Die Datei selbst bleibt "
                            "unverändert: Beim Speichern fragt Zedro nach einem neuen "
                            "Dateinamen."));
  }
  if (fileLanguage != 0) SwitchLanguage(fileLanguage == 2 ? 2 : 1);
  setWindowTitle(Q(FileNamePart(doc_->FileName)));
  main_.ShowClassInInspector(doc_->CurrentClass);
  for (TFChild* sub : subWindows_) {
    sub->Redraw(true);
    sub->Doc().Saved = true;
  }
  Redraw(true);
  doc_->Saved = true;
  return result.completed ? LoadOutcome::Complete : LoadOutcome::Damaged;
}

bool TFChild::WriteFile(const std::string& path) {
  const bool written = WriteDiagramFile(*doc_, path, Dialogs());
  setWindowTitle(Q(FileNamePart(doc_->FileName)));
  if (written) {
    DamagedFile.clear();
    main_.Autosave().Forget(*this);
  }
  return written;
}

void TFChild::SaveDiagramm() {
  if (!doc_->IsMainDiagram) {
    if (Dialogs().Message(MsgKind::Confirmation,
                          "         Speichern aus einem Unterdiagramm heraus!\n\n"
                          "Soll das Hauptdiagramm mit allen Unterdiagrammen gespeichert werden ?",
                          MsgButtons::YesNo) == MsgResult::Yes &&
        mainDiagram_)
      mainDiagram_->SaveDiagramm();
    return;
  }
  // A diagram without a file of its own (new, or read from a damaged file) asks for one.
  if (!doc_->HasFileName) {
    SaveDiagrammAs();
    return;
  }
  WriteFile(doc_->FileName);
}

void TFChild::SaveDiagrammAs() {
  if (!doc_->IsMainDiagram) {
    if (Dialogs().Message(MsgKind::Confirmation,
                          "         Speichern aus einem Unterdiagramm heraus!\n\n"
                          "Soll das Hauptdiagramm mit allen Unterdiagrammen gespeichert werden ?",
                          MsgButtons::YesNo) == MsgResult::Yes &&
        mainDiagram_)
      mainDiagram_->SaveDiagrammAs();
    return;
  }
  TFileRequest request;
  request.caption = "Diagramm speichern unter";
  request.filter = "Beziehungsdiagramme|*.urd|Alle Dateien|*.*";
  request.defaultExt = "urd";
  request.initialDir = doc_->ProjectDir;
  request.fileName = DamagedFile.empty() ? FileNamePart(doc_->FileName) : RescueName(DamagedFile);
  std::string path = Dialogs().SaveFileName(request);
  if (path.empty()) return;
  path = WithDefaultExtension(path, "urd");
  if (SameFile(path, DamagedFile)) {
    if (Dialogs().Message(MsgKind::Warning,
                          "Die Datei '" + path +
                              W("' ist beschädigt und wurde nur teilweise gelesen.\n\n"
                                "Soll sie wirklich durch das Gelesene ersetzt werden? Was "
                                "nicht gelesen werden konnte, geht dann verloren."),
                          MsgButtons::YesNo) != MsgResult::Yes)
      return;
  } else if (FileExists(path) &&
             Dialogs().Message(MsgKind::Warning, "Die Datei '" + path + kReplaceQuestion,
                               MsgButtons::YesNo) != MsgResult::Yes) {
    return;
  }
  if (!WriteFile(path)) return;
  SetProjectDirectory(DirectoryPart(path));
  doc_->Saved = true;
}

void TFChild::SetProjectDirectory(const std::string& directory) {
  if (text::EqualsIgnoreCase(directory, doc_->ProjectDir)) return;
  if (!doc_->ProjectDir.empty())
    Dialogs().Message(MsgKind::Warning, "Projektverzeichnis wurde gewechselt !!", MsgButtons::Yes);
  else
    Dialogs().Message(MsgKind::Information,
                      W("Zedro hat sich ein Verzeichnis für das Projekt gemerkt."),
                      MsgButtons::Yes);
  doc_->SetProjectDir(directory);
  StatusBar->clearMessage();
  SetStatus("Verzeichnis: " + doc_->ProjectDir);
}

// ---- pictures --------------------------------------------------------------------------

void TFChild::PictureToClipboard() {
  CopyPictureToClipboard(Picture());
  Redraw(true);
}

void TFChild::SavePicture() {
  QImage picture = Picture();
  TFileRequest request;
  request.caption = "Bild speichern";
  request.filter = PictureFilter();
  request.defaultExt = "BMP";
  request.initialDir = doc_->ProjectDir;
  int chosenFilter = kFilterBmp;
  request.chosenFilter = &chosenFilter;
  std::string path = Dialogs().SaveFileName(request);
  if (!path.empty()) {
    path = WithDefaultExtension(path, PictureExtension(chosenFilter));
    if (!FileExists(path) ||
        Dialogs().Message(MsgKind::Warning, "Die Datei '" + path + kReplaceQuestion,
                          MsgButtons::YesNo) == MsgResult::Yes) {
      std::string error;
      if (!SaveDiagramPicture(*doc_, picture, path, ChoosePicture(path, chosenFilter), &error))
        Dialogs().Message(MsgKind::Error, "Das Bild kann nicht in die Datei '" + path +
                                              "' geschrieben werden.\n" + error);
    }
  }
  Redraw(true);
}

void TFChild::PrintPicture() {
  Picture();
  Dialogs().PrintPicture(DiagramPrintJob(*doc_, S(windowTitle())));
  Redraw(true);
}

}  // namespace zedro
