// The menus of the diagram window, each built from one table below, and the one place every
// command of the window runs through (RunCommand). A row names the item, its caption and
// the command it runs: Run<&Area::Command> calls that command of the window's area.
#include <QAction>
#include <QMenu>
#include <type_traits>

#include "editor/AccessKeys.h"
#include "editor/ClassTransferCommands.h"
#include "editor/ConnectionPicking.h"
#include "editor/DialogService.h"
#include "editor/ElementCommands.h"
#include "editor/FolderImportCommand.h"
#include "editor/MessageCommands.h"
#include "editor/QtText.h"
#include "editor/RelationshipCommands.h"
#include "editor/RoundTripCommands.h"
#include "editor/SubDiagramCommands.h"
#include "editor/TFChild.h"
#include "editor/UndoHistory.h"
#include "model/Win1252.h"

namespace zedro {

namespace {

// ---- handlers: a command of one of the window's areas ---------------------------------

template <class Area>
Area& AreaOf(TFChild& w) {
  if constexpr (std::is_same_v<Area, TFChild>) return w;
  else if constexpr (std::is_same_v<Area, RelationshipCommands>) return w.Relationships();
  else if constexpr (std::is_same_v<Area, MessageCommands>) return w.Messages();
  else if constexpr (std::is_same_v<Area, ElementCommands>) return w.Elements();
  else if constexpr (std::is_same_v<Area, SubDiagramCommands>) return w.SubDiagrams();
  else if constexpr (std::is_same_v<Area, ClassTransferCommands>) return w.ClassTransfer();
  else if constexpr (std::is_same_v<Area, RoundTripCommands>) return w.RoundTrip();
}

template <class Command>
struct AreaOfCommand;
template <class Area>
struct AreaOfCommand<void (Area::*)()> {
  using Type = Area;
};

template <auto command>
void Run(TFChild& w) {
  (AreaOf<typename AreaOfCommand<decltype(command)>::Type>(w).*command)();
}

constexpr WindowMenuRow Separator(unsigned flags = 0, const char* name = "") {
  return SeparatorRow<TFChild>(flags, name);
}

// ---- the class menu (the window's first menu) and the class context menu -------------

// The class menu up to its commands on the current class. A sub-diagram's menu starts
// with inserting objects and classes.
constexpr WindowMenuRow kClassMenuHead[] = {
    {"newClass", "Neue Klasse", "", "", Run<&ElementCommands::newClassClick>, kMainDiagramRow},
    {"newClass", "Objekt einfügen", "", "", Run<&ElementCommands::ObjektEinfuegenClick>,
     kSubDiagramRow},
    Separator(kMainDiagramRow),
    {"KlasseEinfuegenSub", "Klasse einfügen", "", "",
     Run<&ClassTransferCommands::KlasseEinfuegenClick>, kSubDiagramRow},
    {"DeleteClassItem", "Klasse löschen", "", "", Run<&ElementCommands::DeleteClassClick>,
     kMainDiagramRow},
    {"DeleteClassItem", "Klasse/Objekt löschen", "", "", Run<&ElementCommands::DeleteClassClick>,
     kSubDiagramRow},
    {"Klasseausscheiden1", "Klasse ausscheiden", "", "", nullptr, kHidden | kMainDiagramRow},
    Separator(kHidden | kSubDiagramRow),
    {"Klassekopieren1", "Klasse kopieren", "", "",
     Run<&ClassTransferCommands::KlassekopierenClick>, kHiddenInSubDiagram},
    {"Klasseeinfgen1", "Klasse einfügen", "", "",
     Run<&ClassTransferCommands::KlasseEinfuegenClick>, kHiddenInSubDiagram},
    Separator(),
    {"ImportJavaSource", "Klassenimport aus Java", "", "",
     Run<&RoundTripCommands::ImportJavaSourceClick>, kJavaOnly | kHiddenInSubDiagram},
    {"ImportPascalSource", "Klassenimport aus Delphi", "", "",
     Run<&RoundTripCommands::ImportPascalSourceClick>, kDelphiOnly | kHiddenInSubDiagram},
};

// The commands on a class that the class menu and the class context menu share, in this
// order at their ends: the item's name in each menu (nullptr: not in that menu), and the
// class menu's caption in a sub-diagram where it differs.
struct ClassCommandRow {
  const char* menuName;
  const char* contextName;
  const char* caption;
  const char* shortcut;
  const char* hint;
  void (*handler)(TFChild&);
  unsigned flags;
  const char* subDiagramCaption;
};

constexpr ClassCommandRow kClassCommands[] = {
    {"MiAktualisieren", "Codeersetzen1", "Klasse aktualisieren", "", "",
     Run<&RoundTripCommands::MiAktualisierenClick>, 0, "Klasse/Objekt aktualisieren"},
    {"JavaExport1", "pmiJavaExport2", "Java Export", "", "",
     Run<&RoundTripCommands::JavaExportClick>, kJavaOnly, nullptr},
    {"Quellcodeanzeigen1", "Codeanzeigenspeichern", "Delphi Export", "", "",
     Run<&RoundTripCommands::DelphiExportClick>, kDelphiOnly, nullptr},
    {"ImportClassFolder", nullptr, "Klassen aus Ordner importieren", "", "",
     ImportClassFolderClick, kMainDiagramRow, nullptr},
    {"", "", "", "", "", nullptr, kSeparator, nullptr},
    {"DokumentationderKlasseanzeigen1", "DokuAnzeigen", "Dokumentation anzeigen / speichern", "",
     "", Run<&RoundTripCommands::DokumentationderKlasseanzeigen1Click>, 0, nullptr},
    {"", "", "", "", "", nullptr, kSeparator, nullptr},
    {"MiKlassenDarstellungAendern", "Klassendarstellungndern1", "Klassendarstellung ändern", "",
     "", Run<&ElementCommands::MiKlassenDarstellungAendernClick>, 0,
     "Klassen-/Objektdarstellung ändern"},
    {"InfoBoxzurKlasseeinfgen1", "InfoBoxzurKlasseeinfgen2", "InfoBox zur Klasse einfügen", "",
     "", Run<&ElementCommands::InfozueinerKlasseeinfgen1Click>, 0,
     "Infobox zur Klasse/zum Objekt einfügen"},
    {"", "", "", "", "", nullptr, kSeparator, nullptr},
    {"IST2", "IST1", "IST........", "", "", Run<&RelationshipCommands::KlasseISTClick>, 0, nullptr},
    {"HAT2", "HAT1", "HAT.......", "", "", Run<&RelationshipCommands::KlasseHATClick>, 0, nullptr},
    {"KENNT2", "KENNT1", "KENNT....", "", "", Run<&RelationshipCommands::KlasseKENNTClick>, 0,
     nullptr},
    {"StelltANFRAGEan2", "StelltAnfragean1", "Stellt ANFRAGE an ...", "", "",
     Run<&MessageCommands::StelltAnfrageanClick>, 0, nullptr},
    {"ErteiltAUFTRAGan1", "BEAUFTRAGT1", "Erteilt AUFTRAG an ..", "", "",
     Run<&MessageCommands::erteiltAUFTRAGanClick>, 0, nullptr},
};

// Class files, at the end of a main diagram's class menu.
constexpr WindowMenuRow kClassMenuFoot[] = {
    Separator(kMainDiagramRow),
    {"KlasseSpeichern1", "Klasse als Datei speichern ...", "", "",
     Run<&ClassTransferCommands::KlasseSpeichernClick>, kMainDiagramRow},
    {"KlasseLaden1", "Klasse aus Datei laden ...", "", "",
     Run<&ClassTransferCommands::LadeObjectClick>, kMainDiagramRow},
};

// The context menu of a class or object box up to the shared commands; its title and the
// items for objects are prepared at each right click (PrepareClassMenu).
constexpr WindowMenuRow kClassContextMenuHead[] = {
    {"MyClassMenueTitle", "     Klasse: ---->", "", "", nullptr, kTitle},
    Separator(0, "WertbelegungTrenner"),
    {"Wertbelegungndern1", "Wertbelegung ändern", "", "",
     Run<&ElementCommands::Wertbelegungaendern1Click>, 0},
    Separator(),
    {"Attributhinzufuegen", "Attribut hinzufügen", "", "",
     Run<&ElementCommands::AttributhinzufuegenClick>, 0},
    {"MethodeHinzufuegen", "Methode hinzufügen", "", "",
     Run<&ElementCommands::MethodeHinzufuegenClick>, 0},
    {"Methodeberschreiben1", "Methode überschreiben", "", "",
     Run<&ElementCommands::MethodeueberschreibenClick>, 0},
    Separator(),
    {"NameoderArtAendern", "Name oder Art der Klasse ändern", "", "",
     Run<&ElementCommands::NameoderArtAendernClick>, 0},
    {"BeschreibungAendern", "Beschreibung der Klasse ändern", "", "",
     Run<&ElementCommands::BeschreibungAendernClick>, 0},
    Separator(),
    {"loeschen", "Klasse Löschen", "", "", Run<&ElementCommands::DeleteClassClick>, 0},
    Separator(),
};

// ---- the other menus of the window ----------------------------------------------------

constexpr WindowMenuRow kSubDiagramMenu[] = {
    {"erzeugeUnterdiagramm", "Neues Unterdiagramm", "", "",
     Run<&SubDiagramCommands::erzeugeUnterdiagrammClick>, 0},
    // One entry per sub-diagram (SubDiagramCommands::AddEntriesToMainDiagram).
    {"Unterdiagrammloeschen", "Unterdiagramm löschen", "", "", nullptr, kSubmenu},
    {"NamenAendern1", "Name ändern", "", "", nullptr, kSubmenu},
};

constexpr WindowMenuRow kRelationshipMenu[] = {
    {"Vererbung", "IST........ : Vererbung", "", "", Run<&RelationshipCommands::VererbungClick>,
     kTicked},
    {"Aggregation", "HAT....... : Aggregation", "", "",
     Run<&RelationshipCommands::AggregationClick>, kTicked},
    {"Assoziation", "KENNT.... : Assoziation", "", "",
     Run<&RelationshipCommands::AssoziationClick>, kTicked},
    Separator(),
    {"deleteConnection", "Löschen", "", "", Run<&RelationshipCommands::deleteConnectionClick>,
     kTicked},
};

constexpr WindowMenuRow kMessageMenu[] = {
    {"Auftrag", "Auftrag", "", "", Run<&MessageCommands::AuftragClick>, kTicked},
    {"Anfrage", "Anfrage", "", "", Run<&MessageCommands::AnfrageClick>, kTicked},
    Separator(),
    {"BotschaftLoeschen", "Löschen", "", "", Run<&MessageCommands::BotschaftLoeschenClick>,
     kTicked},
};

constexpr WindowMenuRow kOptionsMenu[] = {
    {"AlleKlassendarstellungenAendern", "Darstellung für alle Klassen ändern", "", "",
     Run<&ElementCommands::AlleKlassendarstellungenAendernClick>, 0},
    {"SchriftallerBeziehungenAendern", "Schrift aller Beziehungen ändern", "", "",
     Run<&ElementCommands::SchriftallerBeziehungenAendernClick>, 0},
    {"Klassensinspectorzeigen1", "Klassensinspektor anzeigen", "", "",
     Run<&ElementCommands::Klassensinspectorzeigen1Click>, 0},
    Separator(),
    {"IstJavaVersion", "Java-Version", "", "", Run<&TFChild::IstJavaVersionClick>, kTicked},
    {"IstDelphiVersion", "Delphi-Version", "", "", Run<&TFChild::DelphiVersionClick>, kTicked},
    Separator(),
};

constexpr WindowMenuRow kExtrasMenu[] = {
    {"AlleKlassenbrutalexportieren1", "Alle Klassen \"brutal\" exportieren", "", "",
     Run<&RoundTripCommands::ExportAllClick>, 0},
    {"aktualisiereAlle", "Alle Klassen aktualisieren", "", "",
     Run<&RoundTripCommands::aktualisiereAlleClick>, 0},
    {"InfoBoxEinfuegen", "InfoBox einfügen", "", "",
     Run<&ElementCommands::InfoBoxEinfuegenClick>, 0},
    {"InfozueinerKlasseeinfgen1", "Info zur aktuellen Klasse einfügen", "", "",
     Run<&ElementCommands::InfozueinerKlasseeinfgen1Click>, 0},
    {"Verzeichnisndern1", "Projektverzeichnis ändern", "", "",
     Run<&ElementCommands::VerzeichnisaendernClick>, 0},
};

// The context menu of a connection end or a connection's text; title and items are
// prepared for the connection at each right click.
constexpr WindowMenuRow kConnectionContextMenu[] = {
    {"MyConnectionMenueTitle", "   Beziehung: ", "", "", nullptr, kTitle},
    Separator(),
    {"beziehungLoeschen", "löschen", "", "", Run<&RelationshipCommands::beziehungLoeschenClick>,
     0},
    {"beziehungBearbeiten", "Text(e) ändern", "", "",
     Run<&MessageCommands::beziehungBearbeitenClick>, 0},
    {"SchriftAendern", "Schrifttyp ändern", "", "", Run<&RelationshipCommands::SchriftAendernClick>,
     0},
    {"LinienzugWaehlen", "Linienzug waehlen", "", "",
     Run<&RelationshipCommands::LinienzugWaehlenClick>, 0},
    {"CoFarbenAendern", "Farbe ändern", "", "", Run<&RelationshipCommands::CoFarbenAendernClick>,
     0},
    {"Methodewaehlen", "Methode wählen", "", "", Run<&MessageCommands::MethodewaehlenClick>, 0},
    {"Attributwaehlen", "Attribute wählen", "", "",
     Run<&RelationshipCommands::AttributwaehlenClick>, 0},
};

// The context menu of the empty drawing area: new classes (in a sub-diagram objects and
// classes of the main diagram), relationships and messages.
constexpr WindowMenuRow kCreateContextMenu[] = {
    {"MyCreateMenuTitle", "Klasse", "", "", nullptr, kTitle | kMainDiagramRow},
    {"MyCreateMenuTitle", "Objekt", "", "", nullptr, kTitle | kSubDiagramRow},
    {"NeueKlasseanlegen1", "       neue Klasse", "", "", Run<&ElementCommands::newClassClick>,
     kMainDiagramRow},
    {"NeueKlasseanlegen1", "       Objekt einfügen", "", "",
     Run<&ElementCommands::ObjektEinfuegenClick>, kSubDiagramRow},
    {"ImportJavaSource2", "       Klassenimport aus Java", "", "",
     Run<&RoundTripCommands::ImportJavaSourceClick>, kJavaOnly | kMainDiagramRow},
    {"ImportJavaSource2", "       Klasse einfügen", "", "",
     Run<&ClassTransferCommands::KlasseEinfuegenClick>, kSubDiagramRow},
    {"ImportPascalSource2", "       Klassenimport aus Delphi", "", "",
     Run<&RoundTripCommands::ImportPascalSourceClick>, kDelphiOnly | kHiddenInSubDiagram},
    {"ImportClassFolder2", "       Klassen aus Ordner importieren", "", "", ImportClassFolderClick,
     kMainDiagramRow},
    Separator(),
    {"MyCreateMenuBeziehung", "Beziehung", "", "", nullptr, kTitle},
    {"ISTVererbung1", "       IST........ : Vererbung", "", "",
     Run<&RelationshipCommands::VererbungClick>, 0},
    {"HATAggregation1", "       HAT....... : Aggregation", "", "",
     Run<&RelationshipCommands::AggregationClick>, 0},
    {"KENNTAssoziation1", "       KENNT.... : Assoziation", "", "",
     Run<&RelationshipCommands::AssoziationClick>, 0},
    {"Beziehunglschen1", "       Beziehung löschen", "", "",
     Run<&RelationshipCommands::deleteConnectionClick>, 0},
    Separator(),
    {"MyCreateMenuBotschaft", "Botschaft", "", "", nullptr, kTitle},
    {"ANFRAGE1", "       AUFTRAG", "", "", Run<&MessageCommands::AuftragClick>, 0},
    {"ANFRAGE2", "       ANFRAGE", "", "", Run<&MessageCommands::AnfrageClick>, 0},
    {"Botschaftlschen1", "       Botschaft löschen", "", "",
     Run<&MessageCommands::BotschaftLoeschenClick>, 0},
};

// The context menu of a free note (the note clicked last, DraggedBox).
constexpr WindowMenuRow kInfoBoxContextMenu[] = {
    {"InfoBoxInhaltAendern", "Texte ändern", "", "",
     Run<&ElementCommands::InfoBoxInhaltAendernClick>, 0},
    {"InfoBoxSchrifttypAendern", "Schrift ändern", "", "",
     Run<&ElementCommands::InfoBoxSchrifttypAendernClick>, 0},
    {"Farbendern1", "Farbe ändern", "", "", Run<&ElementCommands::InfoBoxFarbeAendernClick>, 0},
    {"InfoBoxLoeschen", "Löschen", "", "", Run<&ElementCommands::InfoBoxLoeschenClick>, 0},
};

template <size_t n>
constexpr size_t Count(const WindowMenuRow (&)[n]) {
  return n;
}

}  // namespace

// ---- building --------------------------------------------------------------------------

void TFChild::BuildMenus() {
  auto windowMenu = [this](const char* name, const char* title) {
    auto* m = new QMenu(QString::fromUtf8(title));
    m->setObjectName(name);
    menus_.push_back(m);
    return m;
  };
  auto contextMenu = [](const char* name) {
    auto* m = new QMenu();
    m->setObjectName(name);
    return m;
  };
  Klasse1 = windowMenu("Klasse1", "Klasse");
  Unterdiagramm = windowMenu("Unterdiagramm", "Unterdiagramm");
  AddRows(Unterdiagramm, kSubDiagramMenu, Count(kSubDiagramMenu));
  Beziehungen1 = windowMenu("Beziehungen1", "Beziehungen");
  AddRows(Beziehungen1, kRelationshipMenu, Count(kRelationshipMenu));
  Botschaft = windowMenu("Botschaft", "Botschaft");
  AddRows(Botschaft, kMessageMenu, Count(kMessageMenu));
  DelphiVersion = windowMenu("DelphiVersion", "Optionen");
  AddRows(DelphiVersion, kOptionsMenu, Count(kOptionsMenu));
  Extras1 = windowMenu("Extras1", "Extras");
  AddRows(Extras1, kExtrasMenu, Count(kExtrasMenu));
  MyClassMenue = contextMenu("MyClassMenue");
  BuildClassMenus();
  MyConnectionMenue = contextMenu("MyConnectionMenue");
  AddRows(MyConnectionMenue, kConnectionContextMenu, Count(kConnectionContextMenu));
  MyCreateMenu = contextMenu("MyCreateMenu");
  AddRows(MyCreateMenu, kCreateContextMenu, Count(kCreateContextMenu));
  MyInfoBoxMenu = contextMenu("MyInfoBoxMenu");
  AddRows(MyInfoBoxMenu, kInfoBoxContextMenu, Count(kInfoBoxContextMenu));
  IstJavaVersion = Item("IstJavaVersion");
  IstDelphiVersion = Item("IstDelphiVersion");

  // Every item can be reached from the keyboard; captions changed later (sub-diagrams,
  // the entries of the sub-diagram submenus) get their keys when the menu opens.
  for (QMenu* m : menus_) {
    AssignAccessKeys(m);
    connect(m, &QMenu::aboutToShow, m, [m] { AssignAccessKeys(m); });
  }
}

void TFChild::BuildClassMenus() {
  AddRows(Klasse1, kClassMenuHead, Count(kClassMenuHead));
  AddRows(MyClassMenue, kClassContextMenuHead, Count(kClassContextMenuHead));
  const bool main = IsMainDiagram();
  for (const ClassCommandRow& r : kClassCommands) {
    if (!RowBelongsTo(r.flags, main)) continue;
    const WindowMenuRow row{"", r.caption, r.shortcut, r.hint, r.handler, r.flags};
    if (r.menuName) {
      WindowMenuRow inMenu = row;
      inMenu.name = r.menuName;
      AddCommandItem(Klasse1, inMenu, !main && r.subDiagramCaption ? r.subDiagramCaption : r.caption);
    }
    if (r.contextName) {
      WindowMenuRow inContext = row;
      inContext.name = r.contextName;
      AddCommandItem(MyClassMenue, inContext, r.caption);
    }
  }
  AddRows(Klasse1, kClassMenuFoot, Count(kClassMenuFoot));
}

void TFChild::AddRows(QMenu* menu, const WindowMenuRow* rows, size_t count) {
  for (size_t i = 0; i < count; ++i)
    if (RowBelongsTo(rows[i].flags, IsMainDiagram())) AddCommandItem(menu, rows[i], rows[i].caption);
}

QAction* TFChild::AddCommandItem(QMenu* menu, const WindowMenuRow& row, const char* caption) {
  QAction* item = AddMenuItem(menu, row.name, caption, row.shortcut, row.hint, row.flags);
  if (!IsMainDiagram() && (row.flags & kHiddenInSubDiagram)) item->setVisible(false);
  commands_[item] = {item, W(caption), row.handler, row.flags};
  if (!row.handler) return item;
  connect(item, &QAction::triggered, this, [this, item] {
    // The ticks of the command items are set by their commands: Qt's own toggle is taken
    // back first.
    if (item->isCheckable()) item->setChecked(!item->isChecked());
    const ItemCommand& command = commands_.at(item);
    RunCommand(command.caption, [this, &command] { command.handler(*this); });
  });
  return item;
}

// ---- running commands ------------------------------------------------------------------

void TFChild::RunCommand(const std::string& caption, const std::function<void()>& command) {
  // The one way in for every command of the window; what is done around a command
  // belongs here. The caption names the step the command makes.
  if (UndoHistory* history = UndoHistory::Of(*this))
    history->NameStep(UndoHistory::StepNameOf(caption));
  command();
}

bool TFChild::RunItemCommand(const std::string& itemName) {
  const auto it = commands_.find(Item(itemName));
  if (it == commands_.end() || !it->second.handler) return false;
  const ItemCommand& command = it->second;
  RunCommand(command.caption, [this, &command] { command.handler(*this); });
  return true;
}

bool TFChild::HasCommand(const QAction* item) const {
  const auto it = commands_.find(item);
  return it != commands_.end() && it->second.handler;
}

// ---- finding items ---------------------------------------------------------------------

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

void TFChild::ShowItems(std::initializer_list<const char*> shown,
                        std::initializer_list<const char*> hidden) {
  for (const char* name : shown)
    if (QAction* a = Item(name)) a->setVisible(true);
  for (const char* name : hidden)
    if (QAction* a = Item(name)) a->setVisible(false);
}

void TFChild::SetCaption(const char* item, const std::string& text) {
  if (QAction* a = Item(item)) a->setText(Q(text));
}

void TFChild::ShowItemsForLanguage(int language) {
  IstDelphiVersion->setChecked(language != 2);
  IstJavaVersion->setChecked(language == 2);
  // Classes are imported into main diagrams only; a sub-diagram keeps both imports hidden.
  for (auto& [key, command] : commands_)
    if (command.flags & (kJavaOnly | kDelphiOnly))
      command.item->setVisible(ShownFor(command.flags, language, IsMainDiagram()));
}

// ---- context menus ---------------------------------------------------------------------

void TFChild::PopupContextMenu(QMenu* menu, TPoint screenPos) {
  // Items whose command is not there are not offered.
  const QList<QAction*> items = menu->actions();
  for (QAction* a : items)
    if (!a->isSeparator() && a->isEnabled() && !HasCommand(a)) a->setVisible(false);
  if (ShowContextMenu) {
    ShowContextMenu(menu, screenPos);
    return;
  }
  bool offers = false;
  for (QAction* a : items)
    offers = offers || (!a->isSeparator() && a->isVisible() && a->isEnabled());
  if (offers) menu->popup(QPoint(screenPos.X, screenPos.Y));
}

void TFChild::SetPopupPosition(int x, int y) {
  ClickPos = {x, y};
  const QPoint screen = ScreenPointOf({x, y});
  const int width = Dialogs().ScreenWidth(), height = Dialogs().ScreenHeight();
  int px = screen.x(), py = screen.y();
  if (px > width - 10) px = width - 10;
  if (px < 10) px = 10;
  if (py > height - 20) py = height - 20;
  if (py < 10) py = 10;
  PopupPos = {px, py};
}

void TFChild::PrepareClassMenu() {
  DiagramDocument& d = Doc();
  TUMLClass* cls = d.CurrentClass;
  const bool library = cls && cls->IsLibraryClass;
  // A library class gets no new members and no update; overriding needs a parent class.
  for (const char* name :
       {"Attributhinzufuegen", "MethodeHinzufuegen", "BeschreibungAendern", "Codeersetzen1"})
    if (QAction* a = Item(name)) a->setVisible(!library);
  if (QAction* a = Item("Methodeberschreiben1")) a->setVisible(cls && cls->Parent && !library);
  if (d.CurrentBox && d.CurrentBox->IsObjectBox()) {
    auto* object = static_cast<TUMLDrawObject*>(d.CurrentBox);
    SetCaption("MyClassMenueTitle", "     Objekt: ----> " + object->ObjectName);
    SetCaption("loeschen", W("Objekt Löschen"));
    SetCaption("Codeersetzen1", W("zugehörige Klasse aktualisieren"));
    SetCaption("InfoBoxzurKlasseeinfgen2", W("Infobox zum Objekt einfügen"));
    // Values and messages belong to objects.
    ShowItems({"WertbelegungTrenner", "Wertbelegungndern1", "StelltAnfragean1", "BEAUFTRAGT1"},
              {});
  } else {
    SetCaption("MyClassMenueTitle", "     Klasse: ----> " + (cls ? cls->Name : std::string()));
    SetCaption("loeschen", W("Klasse Löschen"));
    SetCaption("Codeersetzen1", "Klasse aktualisieren");
    SetCaption("InfoBoxzurKlasseeinfgen2", W("Infobox zur Klasse einfügen"));
    ShowItems({},
              {"WertbelegungTrenner", "Wertbelegungndern1", "StelltAnfragean1", "BEAUFTRAGT1"});
  }
}

void TFChild::PrepareConnectionMenuForEnd(const TConnection& c) {
  const std::string start = picking::ClassNameOf(c.StartBox);
  const std::string end = picking::ClassNameOf(c.EndBox);
  switch (c.Kind) {
    case TConnectionKind::Auftrag:
    case TConnectionKind::Anfrage:
      SetCaption(
          "MyConnectionMenueTitle",
          (c.Kind == TConnectionKind::Auftrag ? "   Auftrag: " : "   Anfrage: ") + c.StartText);
      ShowItems({"beziehungBearbeiten", "SchriftAendern", "CoFarbenAendern", "Methodewaehlen"},
                {"LinienzugWaehlen", "Attributwaehlen"});
      break;
    case TConnectionKind::Ist:
      SetCaption("MyConnectionMenueTitle", "   Beziehung: " + start + " IST " + end);
      ShowItems({"LinienzugWaehlen", "CoFarbenAendern"},
                {"beziehungBearbeiten", "SchriftAendern", "Methodewaehlen", "Attributwaehlen"});
      break;
    case TConnectionKind::Hat:
    case TConnectionKind::Kennt:
      SetCaption(
          "MyConnectionMenueTitle",
          "   Beziehung: " + start + (c.Kind == TConnectionKind::Hat ? " HAT " : " KENNT ") + end);
      ShowItems({"beziehungBearbeiten", "SchriftAendern", "LinienzugWaehlen", "CoFarbenAendern",
                 "Attributwaehlen"},
                {"Methodewaehlen"});
      break;
    default:
      break;
  }
  ShowItems({"beziehungLoeschen"}, {});
}

void TFChild::PrepareConnectionMenuForText(TConnection& c) {
  const std::string start = picking::ClassNameOf(c.StartBox);
  const std::string end = picking::ClassNameOf(c.EndBox);
  switch (c.Kind) {
    case TConnectionKind::ClassInfo:
      SetCaption("MyConnectionMenueTitle", "Infobox zur Klasse: " + end);
      ShowItems({"beziehungLoeschen", "beziehungBearbeiten", "SchriftAendern", "CoFarbenAendern"},
                {"LinienzugWaehlen", "Methodewaehlen", "Attributwaehlen"});
      break;
    case TConnectionKind::Hat:
    case TConnectionKind::Kennt:
      picking::MarkRed(*this, c);
      SetCaption(
          "MyConnectionMenueTitle",
          "   Beziehung: " + start + (c.Kind == TConnectionKind::Hat ? " HAT " : " KENNT ") + end);
      ShowItems({"beziehungLoeschen", "beziehungBearbeiten", "SchriftAendern", "LinienzugWaehlen",
                 "CoFarbenAendern", "Attributwaehlen"},
                {"Methodewaehlen"});
      break;
    case TConnectionKind::Auftrag:
    case TConnectionKind::Anfrage:
      SetCaption(
          "MyConnectionMenueTitle",
          (c.Kind == TConnectionKind::Auftrag ? "Auftrag an Klasse: " : "Anfrage an Klasse: ") +
              end);
      ShowItems({"beziehungLoeschen", "beziehungBearbeiten", "SchriftAendern", "CoFarbenAendern",
                 "Methodewaehlen"},
                {"LinienzugWaehlen", "Attributwaehlen"});
      break;
    default:
      break;
  }
}

}  // namespace zedro
