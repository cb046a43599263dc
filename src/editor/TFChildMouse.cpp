// The interaction state machine of the drawing surface: the window hands every mouse
// event of the surface (in surface pixels) here. Mouse down dispatches on Mode: picking
// border points for a new connection, re-attaching a connection end, deleting connections
// by their ends, or hit-testing connection ends and texts, boxes and info boxes (in this
// order) to start a drag or prepare a context menu. Mouse move drags and sets the cursor;
// mouse up ends drags and the rubber band.
#include <QAction>
#include <QCursor>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <utility>

#include "diagram/DiagramDialogs.h"
#include "editor/DialogService.h"
#include "editor/QtText.h"
#include "editor/SurfaceView.h"
#include "editor/TFChild.h"
#include "editor/TFChildMouseSupport.h"
#include "editor/TMainForm.h"
#include "editor/canvas/QtCanvas.h"
#include "model/Win1252.h"

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

// The number of connections to a signal, which QObject only tells its own subclasses.
// (A pointer to the protected member formed through a subclass is a plain member pointer.)
struct SignalReceivers : QObject {
  static int Count(const QObject& object, const char* signal) {
    return (object.*(&SignalReceivers::receivers))(signal);
  }
};

bool IsMessageKind(int kind) { return kind == kAuftrag || kind == kAnfrage; }

std::string ClassNameOf(const TUMLDrawClass* box) {
  return box && box->UMLClass ? box->UMLClass->Name : std::string();
}

// The prompt for the second border point, by the ticked command item.
std::string SecondPointPrompt(const TFChild& w) {
  using mouse::IsTicked;
  if (IsTicked(w, "Vererbung"))
    return W("WAS ist diese Klasse: Bitte Randpunkt der Vorgängerlasse mit Handsymbol anklicken");
  if (IsTicked(w, "Aggregation"))
    return "Was BESITZT ein Objekt: Bitte Randpunkt der entsprechenden Klasse mit Handsymbol "
           "anklicken";
  if (IsTicked(w, "Assoziation"))
    return "Was KENNT ein Objekt: Bitte Randpunkt der entsprechenden Klasse mit Handsymbol "
           "anklicken";
  if (IsTicked(w, "Auftrag"))
    return "AUFTRAG: Bitte Randpunkt des beauftragten Objektes mit Handsymbol anklicken";
  if (IsTicked(w, "Anfrage"))
    return "ANFRAGE: Bitte Randpunkt des befragten Objektes mit Handsymbol anklicken";
  return "Bitte Randpunkt der zweiten Klasse mit Handsymbol anklicken";
}

// Whether a click deletes this connection: messages while "Botschaft löschen" is ticked,
// every other kind while "Beziehung löschen" is ticked.
bool Deletable(const TFChild& w, const TConnection& c) {
  return IsMessageKind(c.Kind) ? mouse::IsTicked(w, "BotschaftLoeschen")
                               : mouse::IsTicked(w, "deleteConnection");
}

// An IST relationship draws no text box, so its box is never a target.
bool HasTextTarget(const TConnection& c) { return c.Kind != kIst; }

}  // namespace

// ---- wiring ----------------------------------------------------------------------------

void TFChild::WireMouseCommands() {
  ElementDialogs = std::make_shared<SurfaceFirstDialogs>(*this);
  Doc().Surface.dialogs = ElementDialogs.get();

  // The relationship and message entries of the empty-area menu, below its class entries.
  auto add = [this](const char* name, const std::string& caption) {
    QAction* a = MyCreateMenu->addAction(Q(caption));
    a->setObjectName(name);
    return a;
  };
  MyCreateMenu->addSeparator();
  add("MyCreateMenuBeziehung", "Beziehung")->setEnabled(false);
  add("ISTVererbung1", "       IST........ : Vererbung");
  add("HATAggregation1", "       HAT....... : Aggregation");
  add("KENNTAssoziation1", "       KENNT.... : Assoziation");
  add("Beziehunglschen1", W("       Beziehung löschen"));
  MyCreateMenu->addSeparator();
  add("MyCreateMenuBotschaft", "Botschaft")->setEnabled(false);
  add("ANFRAGE1", "       AUFTRAG");
  add("ANFRAGE2", "       ANFRAGE");
  add("Botschaftlschen1", W("       Botschaft löschen"));

  using Command = void (TFChild::*)();
  auto on = [this](const char* name, Command command) {
    if (QAction* a = Item(name))
      connect(a, &QAction::triggered, this, [this, command] { (this->*command)(); });
  };
  // The command items carry a tick that their commands set themselves: the automatic
  // toggle of a checkable item is taken back first.
  auto onTicked = [this](const char* name, Command command) {
    if (QAction* a = Item(name))
      connect(a, &QAction::triggered, this, [this, a, command] {
        if (a->isCheckable()) a->setChecked(!a->isChecked());
        (this->*command)();
      });
  };

  // In a sub-diagram these items insert objects (the element commands wire them there).
  if (IsMainDiagram()) {
    on("newClass", &TFChild::newClassClick);
    on("NeueKlasseanlegen1", &TFChild::newClassClick);
  }
  onTicked("Vererbung", &TFChild::VererbungClick);
  onTicked("Aggregation", &TFChild::AggregationClick);
  onTicked("Assoziation", &TFChild::AssoziationClick);
  onTicked("deleteConnection", &TFChild::deleteConnectionClick);
  onTicked("Auftrag", &TFChild::AuftragClick);
  onTicked("Anfrage", &TFChild::AnfrageClick);
  onTicked("BotschaftLoeschen", &TFChild::BotschaftLoeschenClick);
  on("ISTVererbung1", &TFChild::VererbungClick);
  on("HATAggregation1", &TFChild::AggregationClick);
  on("KENNTAssoziation1", &TFChild::AssoziationClick);
  on("Beziehunglschen1", &TFChild::deleteConnectionClick);
  on("ANFRAGE1", &TFChild::AuftragClick);
  on("ANFRAGE2", &TFChild::AnfrageClick);
  on("Botschaftlschen1", &TFChild::BotschaftLoeschenClick);
  for (const char* name : {"IST2", "IST1"}) on(name, &TFChild::KlasseISTClick);
  for (const char* name : {"HAT2", "HAT1"}) on(name, &TFChild::KlasseHATClick);
  for (const char* name : {"KENNT2", "KENNT1"}) on(name, &TFChild::KlasseKENNTClick);
  for (const char* name : {"StelltANFRAGEan2", "StelltAnfragean1"})
    on(name, &TFChild::StelltAnfrageanClick);
  for (const char* name : {"ErteiltAUFTRAGan1", "BEAUFTRAGT1"})
    on(name, &TFChild::erteiltAUFTRAGanClick);
  on("beziehungLoeschen", &TFChild::beziehungLoeschenClick);
  on("beziehungBearbeiten", &TFChild::beziehungBearbeitenClick);
  on("SchriftAendern", &TFChild::SchriftAendernClick);
  on("LinienzugWaehlen", &TFChild::LinienzugWaehlenClick);
  on("CoFarbenAendern", &TFChild::CoFarbenAendernClick);
  on("Methodewaehlen", &TFChild::MethodewaehlenClick);
  on("Attributwaehlen", &TFChild::AttributwaehlenClick);
}

bool TFChild::IsWired(const QAction* item) {
  if (!item) return false;
  // Every menu that shows the item listens to it as well.
  int menus = 0;
  for (const QObject* o : item->associatedObjects())
    if (qobject_cast<const QMenu*>(o) || qobject_cast<const QMenuBar*>(o)) ++menus;
  return SignalReceivers::Count(*item, SIGNAL(triggered(bool))) > menus;
}

// ---- surface, cursor, context menus ----------------------------------------------------

void TFChild::ShowCanvas() {
  if (canvas_) ImClassDiagramm->ShowPicture(*canvas_);
}

int TFChild::SurfaceCursor() const { return static_cast<int>(ImClassDiagramm->cursor().shape()); }

void TFChild::SetPopupPosition(int x, int y) {
  ClickPos = {x, y};
  const QPoint screen = ImClassDiagramm->ToScreen(x, y);
  const int width = Dialogs().ScreenWidth(), height = Dialogs().ScreenHeight();
  int px = screen.x(), py = screen.y();
  if (px > width - 10) px = width - 10;
  if (px < 10) px = 10;
  if (py > height - 20) py = height - 20;
  if (py < 10) py = 10;
  PopupPos = {px, py};
}

void TFChild::PopupContextMenu(QMenu* menu, TPoint screenPos) {
  // Items whose command is not there are not offered.
  const QList<QAction*> items = menu->actions();
  for (QAction* a : items)
    if (!a->isSeparator() && a->isEnabled() && !IsWired(a)) a->setVisible(false);
  if (ShowContextMenu) {
    ShowContextMenu(menu, screenPos);
    return;
  }
  bool offers = false;
  for (QAction* a : items)
    offers = offers || (!a->isSeparator() && a->isVisible() && a->isEnabled());
  if (offers) menu->popup(QPoint(screenPos.X, screenPos.Y));
}

// ---- mouse down ------------------------------------------------------------------------

void TFChild::ImClassDiagrammMouseDown(int button, int x, int y) {
  DiagramDocument& d = Doc();
  switch (Mode) {
    case EditMode::PickFirstPoint:
      PickBorderPoint(x, y, false);
      return;
    case EditMode::PickFirstPointOnCurrent:
      PickBorderPoint(x, y, true);
      return;
    case EditMode::PickSecondPoint:
      PickSecondBorderPoint(x, y);
      return;
    case EditMode::SelectionShown: {
      const TRect& r = d.SelectionRect;
      if (r.Left < x && x < r.Right && r.Top < y && y < r.Bottom) {
        Mode = EditMode::MoveSelection;
        DragLast = {x, y};
        SetStatus(W("Auswahl nun bei gedrückter Maus bewegen"));
      } else {
        Mode = EditMode::Idle;
        d.Selection.Clear();
        Redraw(true);
        SetStatus("Auswahl der Klassen wurde aufgehoben");
      }
      return;
    }
    case EditMode::MoveStartEnd:
    case EditMode::MoveTargetEnd:
      ReattachConnectionEnd(button, x, y);
      return;
    case EditMode::DeleteConnection:
      DeleteConnectionsAt(x, y);
      return;
    default:
      HitTest(button, x, y);
      return;
  }
}

void TFChild::PickBorderPoint(int x, int y, bool currentBoxOnly) {
  DiagramDocument& d = Doc();
  int index = -1, point = -1;
  for (int i = 0; i < d.DrawClasses.Count(); ++i) {
    TUMLDrawClass* box = d.DrawClasses.At(i);
    if (currentBoxOnly && box != d.CurrentBox) continue;
    point = box->BorderPointAt(x, y);
    if (point > 0) {
      index = i;
      break;
    }
  }
  if (index < 0) return;
  FirstBoxIndex = index;
  FirstBorderPoint = point;
  Mode = EditMode::PickSecondPoint;
  Redraw(false);
  SetStatus(SecondPointPrompt(*this));
  mouse::MarkBorderPoints(*this, kClRed, d.DrawClasses.At(index));
}

void TFChild::PickSecondBorderPoint(int x, int y) {
  DiagramDocument& d = Doc();
  int index = -1, point = -1;
  for (int i = 0; i < d.DrawClasses.Count(); ++i) {
    point = d.DrawClasses.At(i)->BorderPointAt(x, y);
    if (point > 0) {
      index = i;
      break;
    }
  }
  if (index < 0) return;
  const int kind = mouse::TickedKind(*this);
  // The command was withdrawn, or the first box went away, since the first pick.
  if (kind == 0 || FirstBoxIndex < 0 || FirstBoxIndex >= d.DrawClasses.Count()) {
    Mode = EditMode::Idle;
    FirstBoxIndex = -1;
    StatusBar->clearMessage();
    Redraw(true);
    return;
  }
  SecondBoxIndex = index;
  SecondBorderPoint = point;
  TConnection* c =
      TConnection::Create(d.DrawClasses.At(FirstBoxIndex), d.DrawClasses.At(SecondBoxIndex),
                          FirstBorderPoint, SecondBorderPoint, kind, &d.DrawClasses, &d.Surface);
  NewConnection = c;
  d.Connections.Add(c);
  SelectedConnection = c;
  c->Paint(true);
  if (kind == kHat || kind == kKennt)
    AttributwaehlenClick();
  else if (IsMessageKind(kind))
    MethodewaehlenClick();
  mouse::Untick(*this, {"Vererbung", "Aggregation", "Assoziation", "Auftrag", "Anfrage",
                        "deleteConnection", "BotschaftLoeschen"});
  Mode = EditMode::Idle;
  FirstBoxIndex = -1;
  StatusBar->clearMessage();
  MainForm().ShowClassInInspector(d.CurrentClass);
  Redraw(true);
}

void TFChild::ReattachConnectionEnd(int button, int x, int y) {
  if (button != Qt::LeftButton) return;
  DiagramDocument& d = Doc();
  // The connection or its box may have gone meanwhile: then there is nothing to re-attach.
  if (!mouse::IsListed(*this, SelectedConnection) || !ReattachBox ||
      !d.DrawClasses.Contains(ReattachBox)) {
    Mode = EditMode::Idle;
    StatusBar->clearMessage();
    Redraw(true);
    return;
  }
  const int point = ReattachBox->BorderPointAt(x, y);
  if (point <= 0) return;
  SecondBorderPoint = point;
  if (Mode == EditMode::MoveStartEnd)
    SelectedConnection->StartPoint = point;
  else
    SelectedConnection->EndPoint = point;
  SelectedConnection->Paint(false);
  Mode = EditMode::Idle;
  StatusBar->clearMessage();
  Redraw(true);
}

void TFChild::DeleteConnectionsAt(int x, int y) {
  DiagramDocument& d = Doc();
  // Every connection that ends at the point and may be deleted now is offered in turn.
  int i = 0;
  while (i < d.Connections.Count()) {
    TConnection* c = d.Connections.At(i);
    if (!c->NearEitherEnd(x, y)) {
      ++i;
      continue;
    }
    SelectedConnection = c;
    if (!Deletable(*this, *c)) {
      ++i;
      continue;
    }
    mouse::MarkRed(*this, *c);
    if (Dialogs().MessageAt(MsgKind::Confirmation, mouse::DeleteQuestion(c->Kind),
                            MsgButtons::YesNo, PopupPos.X, PopupPos.Y) == MsgResult::Yes)
      mouse::RemoveConnection(*this, c);  // the next one moves up to i
    else
      ++i;
  }
  StatusBar->clearMessage();
  mouse::Untick(*this, {"deleteConnection", "BotschaftLoeschen"});
  Mode = EditMode::Idle;
  Redraw(true);
}

void TFChild::HitTest(int button, int x, int y) {
  DiagramDocument& d = Doc();
  for (TConnection* c : d.Connections.Items) {
    if (c->NearEitherEnd(x, y)) {
      Mode = EditMode::ConnectionEndHit;
      SelectedConnection = c;
      OnConnectionEnd(button, x, y);
      return;
    }
    if (HasTextTarget(*c) && c->TextBox->ContainsPoint(x, y)) {
      SelectedConnection = c;
      DraggedBox = c->TextBox;
      Mode = EditMode::ConnectionTextHit;
      OnConnectionText(button, x, y);
      return;
    }
  }
  for (int i = d.DrawClasses.Count() - 1; i >= 0; --i) {
    TUMLDrawClass* box = d.DrawClasses.At(i);
    if (box->ContainsPoint(x, y)) {
      d.CurrentBox = box;
      d.CurrentClass = box->UMLClass;
      MainForm().ShowClassInInspector(d.CurrentClass);
      Mode = EditMode::BoxHit;
      OnBox(button, x, y);
      return;
    }
  }
  for (TInfoBox* info : d.InfoBoxes.Items) {
    if (info->ContainsPoint(x, y)) {
      DraggedBox = info;
      Mode = EditMode::InfoBoxHit;
      OnInfoBox(button, x, y);
      return;
    }
  }
  if (button == Qt::LeftButton) {
    d.SelectionRect = TRect{x, y, x, y};
    Mode = EditMode::RubberBand;
    return;
  }
  Mode = EditMode::EmptyAreaMenu;
  OnEmptyArea(x, y);
}

void TFChild::ShowItems(QMenu* menu, std::initializer_list<int> shown,
                        std::initializer_list<int> hidden) {
  for (int i : shown) ItemAt(menu, i)->setVisible(true);
  for (int i : hidden) ItemAt(menu, i)->setVisible(false);
}

// The connection menu, prepared for what was clicked, at the mouse.
void TFChild::PopUpConnectionMenu(int x, int y) {
  SetPopupPosition(x, y);
  PopupContextMenu(MyConnectionMenue, PopupPos);
  Mode = EditMode::Idle;
  StatusBar->clearMessage();
}

void TFChild::OnConnectionEnd(int button, int x, int y) {
  TConnection& c = *SelectedConnection;
  mouse::MarkRed(*this, c);
  if (button == Qt::LeftButton) {
    ReattachBox = nullptr;
    if (c.NearStartPoint(x, y)) {
      ReattachBox = c.StartBox;
      Mode = EditMode::MoveStartEnd;
    } else if (c.NearEndPoint(x, y)) {
      ReattachBox = c.EndBox;
      Mode = EditMode::MoveTargetEnd;
    }
    if (ReattachBox) ReattachBox->DrawBorderPoints(kClRed, 2);
    ShowCanvas();
    SetStatus("Klicken Sie einen anderen Randpunkt der Klasse an!");
    return;
  }
  QMenu* m = MyConnectionMenue;
  const std::string start = ClassNameOf(c.StartBox), end = ClassNameOf(c.EndBox);
  switch (c.Kind) {
    case kAuftrag:
    case kAnfrage:
      ItemAt(m, 0)->setText(
          Q((c.Kind == kAuftrag ? "   Auftrag: " : "   Anfrage: ") + c.StartText));
      ShowItems(m, {3, 4, 6, 7}, {5, 8});
      break;
    case kIst:
      ItemAt(m, 0)->setText(Q("   Beziehung: " + start + " IST " + end));
      ShowItems(m, {5, 6}, {3, 4, 7, 8});
      break;
    case kHat:
    case kKennt:
      ItemAt(m, 0)->setText(
          Q("   Beziehung: " + start + (c.Kind == kHat ? " HAT " : " KENNT ") + end));
      ShowItems(m, {3, 4, 5, 6, 8}, {7});
      break;
    default:
      break;
  }
  ItemAt(m, 2)->setVisible(true);
  PopUpConnectionMenu(x, y);
}

void TFChild::StartDrag(EditMode mode, int x, int y, const std::string& status) {
  Mode = mode;
  ImClassDiagramm->setCursor(Qt::SizeAllCursor);
  DragLast = {x, y};
  SetStatus(status);
}

void TFChild::OnBox(int button, int x, int y) {
  if (button == Qt::LeftButton) {
    StartDrag(EditMode::MoveBox, x, y, W("Klasse ist bei gedrückter Maus verschiebbar"));
    return;
  }
  Mode = EditMode::BoxMenu;
  PrepareClassMenu();
  SetPopupPosition(x, y);
  PopupContextMenu(MyClassMenue, PopupPos);
  Mode = EditMode::Idle;
  Redraw(true);
  StatusBar->clearMessage();
}

void TFChild::PrepareClassMenu() {
  DiagramDocument& d = Doc();
  QMenu* m = MyClassMenue;
  TUMLClass* cls = d.CurrentClass;
  auto item = [m](int i) { return ItemAt(m, i); };
  item(6)->setVisible(cls && cls->Parent);
  const bool library = cls && cls->IsLibraryClass;
  for (int i : {4, 5, 9, 13}) item(i)->setVisible(!library);
  if (library) item(6)->setVisible(false);
  if (d.CurrentBox && d.CurrentBox->IsObjectBox()) {
    auto* object = static_cast<TUMLDrawObject*>(d.CurrentBox);
    item(0)->setText(Q("     Objekt: ----> " + object->ObjectName));
    item(1)->setVisible(true);
    item(2)->setVisible(true);
    item(11)->setText(Q(W("Objekt Löschen")));
    item(13)->setText(Q(W("zugehörige Klasse aktualisieren")));
    item(20)->setText(Q(W("Infobox zum Objekt einfügen")));
    // Messages go between objects.
    item(25)->setVisible(true);
    item(26)->setVisible(true);
  } else {
    item(0)->setText(Q("     Klasse: ----> " + (cls ? cls->Name : std::string())));
    item(1)->setVisible(false);
    item(2)->setVisible(false);
    item(11)->setText(Q(W("Klasse Löschen")));
    item(13)->setText("Klasse aktualisieren");
    item(20)->setText(Q(W("Infobox zur Klasse einfügen")));
    item(25)->setVisible(false);
    item(26)->setVisible(false);
  }
}

void TFChild::OnInfoBox(int button, int x, int y) {
  if (button == Qt::LeftButton) {
    StartDrag(EditMode::MoveInfoBox, x, y, W("InfoBox ist bei gedrückter Maus verschiebbar"));
    return;
  }
  // Below the note's top-left corner; this menu leaves PopupPos as it is.
  const QPoint at = ImClassDiagramm->ToScreen(DraggedBox->Left, DraggedBox->Top + 50);
  PopupContextMenu(MyInfoBoxMenu, TPoint{at.x(), at.y()});
  Mode = EditMode::Idle;
  Redraw(true);
  StatusBar->clearMessage();
}

void TFChild::OnConnectionText(int button, int x, int y) {
  if (button == Qt::LeftButton) {
    StartDrag(EditMode::MoveConnectionText, x, y,
              W("Botschaftstext ist bei gedrückter Maus verschiebbar"));
    return;
  }
  TConnection& c = *SelectedConnection;
  QMenu* m = MyConnectionMenue;
  const std::string start = ClassNameOf(c.StartBox), end = ClassNameOf(c.EndBox);
  switch (c.Kind) {
    case kClassInfo:
      ItemAt(m, 0)->setText(Q("Infobox zur Klasse: " + end));
      ShowItems(m, {2, 3, 4, 6}, {5, 7, 8});
      break;
    case kHat:
    case kKennt:
      mouse::MarkRed(*this, c);
      ItemAt(m, 0)->setText(
          Q("   Beziehung: " + start + (c.Kind == kHat ? " HAT " : " KENNT ") + end));
      ShowItems(m, {2, 3, 4, 5, 6, 8}, {7});
      break;
    case kAuftrag:
    case kAnfrage:
      ItemAt(m, 0)->setText(
          Q((c.Kind == kAuftrag ? "Auftrag an Klasse: " : "Anfrage an Klasse: ") + end));
      ShowItems(m, {2, 3, 4, 6, 7}, {5, 8});
      break;
    default:
      break;
  }
  PopUpConnectionMenu(x, y);
}

void TFChild::OnEmptyArea(int x, int y) {
  SetPopupPosition(x, y);
  PrepareCreateMenu();
  PopupContextMenu(MyCreateMenu, PopupPos);
  Mode = EditMode::Idle;
  StatusBar->clearMessage();
}

void TFChild::PrepareCreateMenu() {
  QMenu* m = MyCreateMenu;
  if (IsMainDiagram()) {
    ItemAt(m, 0)->setText("Klasse");
    ItemAt(m, 1)->setText("       neue Klasse");
    return;
  }
  // In a sub-diagram items 1 and 2 insert an object and a class of the main diagram; the
  // sub-diagram commands route them (RouteSubDiagramCommands).
  ItemAt(m, 0)->setText("Objekt");
  ItemAt(m, 1)->setText(Q(W("       Objekt einfügen")));
  QAction* insertClass = ItemAt(m, 2);
  insertClass->setText(Q(W("       Klasse einfügen")));
  insertClass->setVisible(true);
  ItemAt(m, 3)->setVisible(false);
}

// ---- mouse move ------------------------------------------------------------------------

void TFChild::ImClassDiagrammMouseMove(int x, int y) {
  DiagramDocument& d = Doc();
  if (!(0 < x && x < d.Surface.BitmapWidth() && 0 < y && y < d.Surface.BitmapHeight())) {
    ImClassDiagramm->setCursor(Qt::ArrowCursor);
    return;
  }
  bool overPoint = false, overElement = false, drawn = false;
  auto anyBoxPoint = [&] {
    for (TUMLDrawClass* box : d.DrawClasses.Items)
      if (box->BorderPointAt(x, y) > 0) return true;
    return false;
  };
  const int dx = x - DragLast.X, dy = y - DragLast.Y;
  const bool moved = dx != 0 || dy != 0;
  switch (Mode) {
    case EditMode::Idle:
      for (TConnection* c : d.Connections.Items) {
        if (c->NearEitherEnd(x, y)) overPoint = true;
        if (HasTextTarget(*c) && c->TextBox->ContainsPoint(x, y)) overElement = true;
      }
      for (TUMLDrawClass* box : d.DrawClasses.Items)
        if (box->ContainsPoint(x, y)) overElement = true;
      for (TInfoBox* info : d.InfoBoxes.Items)
        if (info->ContainsPoint(x, y)) overElement = true;
      break;
    case EditMode::PickFirstPoint:
    case EditMode::PickSecondPoint:
      overPoint = anyBoxPoint();
      break;
    case EditMode::PickFirstPointOnCurrent:
      overPoint = d.CurrentBox && d.CurrentBox->BorderPointAt(x, y) > 0;
      break;
    case EditMode::MoveStartEnd:
    case EditMode::MoveTargetEnd:
      overPoint = ReattachBox && d.DrawClasses.Contains(ReattachBox) &&
                  ReattachBox->BorderPointAt(x, y) > 0;
      break;
    case EditMode::DeleteConnection:
      for (TConnection* c : d.Connections.Items)
        if (c->NearEitherEnd(x, y) && Deletable(*this, *c)) overPoint = true;
      break;
    case EditMode::MoveBox:
      if (d.DrawClasses.Count() > 0) {
        overElement = true;
        if (moved && d.CurrentBox) {
          d.CurrentBox->MoveBy(dx, dy);
          drawn = true;
        }
        DragLast = {x, y};
      }
      break;
    case EditMode::MoveInfoBox:
      overElement = true;
      if (moved && DraggedBox) {
        DraggedBox->MoveBy(dx, dy);
        drawn = true;
      }
      DragLast = {x, y};
      break;
    case EditMode::MoveConnectionText:
      overElement = true;
      if (moved && DraggedBox && SelectedConnection) {
        DraggedBox->MoveBy(dx, dy);
        SelectedConnection->TextOffsetX += dx;
        SelectedConnection->TextOffsetY += dy;
        drawn = true;
      }
      DragLast = {x, y};
      break;
    case EditMode::SelectionShown: {
      const TRect& r = d.SelectionRect;
      overElement = r.Left < x && x < r.Right && r.Top < y && y < r.Bottom;
      break;
    }
    case EditMode::MoveSelection: {
      TRect& r = d.SelectionRect;
      Canvas* c = d.Surface.canvas;
      if (moved && r.Left + dx > 2 && r.Top + dy > 2 && c) {
        auto frame = [&] {
          c->SetPenMode(PenMode::NotXor);
          c->SetPenColor(kClGray);
          c->SetBrushStyle(BrushStyle::Clear);
          c->Rectangle(r.Left, r.Top, r.Right, r.Bottom);
        };
        frame();
        for (TUMLDrawClass* box : d.Selection.Items) box->MoveBy(dx, dy);
        r = TRect{r.Left + dx, r.Top + dy, r.Right + dx, r.Bottom + dy};
        frame();
        c->SetPenMode(PenMode::Copy);
        c->SetBrushStyle(BrushStyle::Solid);
        DragLast = {x, y};
        drawn = true;
      }
      break;
    }
    case EditMode::RubberBand: {
      TRect& r = d.SelectionRect;
      Canvas* c = d.Surface.canvas;
      if ((x != r.Right || y != r.Bottom) && c) {
        c->SetBrushStyle(BrushStyle::Clear);
        c->SetPenMode(PenMode::NotXor);
        c->SetPenColor(kClGray);
        c->Rectangle(r.Left, r.Top, r.Right, r.Bottom);
        r.Right = x;
        r.Bottom = y;
        c->Rectangle(r.Left, r.Top, r.Right, r.Bottom);
        c->SetPenMode(PenMode::Copy);
        c->SetBrushStyle(BrushStyle::Solid);
        drawn = true;
      }
      break;
    }
    default:
      break;
  }
  if (drawn) ShowCanvas();
  ImClassDiagramm->setCursor(overPoint     ? Qt::PointingHandCursor
                             : overElement ? Qt::SizeAllCursor
                                           : Qt::ArrowCursor);
}

// ---- mouse up --------------------------------------------------------------------------

void TFChild::ImClassDiagrammMouseUp(int, int, int) {
  DiagramDocument& d = Doc();
  switch (Mode) {
    case EditMode::RubberBand: {
      TRect& r = d.SelectionRect;
      if (r.Left > r.Right) std::swap(r.Left, r.Right);
      if (r.Top > r.Bottom) std::swap(r.Top, r.Bottom);
      d.Selection.Clear();
      for (TUMLDrawClass* box : d.DrawClasses.Items)
        if (r.Left < box->Left && box->Left < r.Right && r.Left < box->Right &&
            box->Right < r.Right && r.Top < box->Top && box->Top < r.Bottom &&
            r.Top < box->Bottom && box->Bottom < r.Bottom)
          d.Selection.Add(box);
      if (Canvas* c = d.Surface.canvas) {
        c->SetPenMode(PenMode::Copy);
        c->SetPenColor(kClBlack);
        c->SetPenStyle(PenStyle::Solid);
        c->SetBrushStyle(BrushStyle::Solid);
      }
      for (TUMLDrawClass* box : d.Selection.Items) box->DrawBorderPoints(kClBlue, 2);
      if (d.Selection.Count() == 0) {
        Mode = EditMode::Idle;
        Redraw(true);
      } else {
        ShowCanvas();
        SetStatus("Markierten Bereich anklicken und Klassen bewegen");
        Mode = EditMode::SelectionShown;
      }
      break;
    }
    case EditMode::MoveSelection:
      Redraw(true);
      SetStatus(W("Auswahl der Klassen durch Klick außerhalb aufheben"));
      Mode = EditMode::SelectionShown;
      break;
    case EditMode::MoveBox:
    case EditMode::MoveInfoBox:
    case EditMode::MoveConnectionText:
      StatusBar->clearMessage();
      Redraw(true);
      Mode = EditMode::Idle;
      break;
    default:
      return;
  }
  ImClassDiagramm->setCursor(Qt::ArrowCursor);
}

}  // namespace zedro
