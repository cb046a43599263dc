// Every menu, context menu and tool button as the user meets it, and what each of their items
// starts: compared with the record in menu_commands.txt, so that an item that moved, lost
// its caption, its key, its place or its command fails here. ZEDRO_WRITE_MENU_RECORD=1
// writes the record anew (look at the difference before committing it).
#include <QFile>
#include <QMenuBar>
#include <QSettings>
#include <QStatusBar>
#include <QToolBar>
#include <sstream>

#include "EditorFixture.h"
#include "codegen/CodegenTestSupport.h"
#include "editor/DesktopFeatures.h"
#include "persistence/StoredCodes.h"

namespace zedro {
namespace {

using namespace editortest;

const char* const kRecord = ZEDRO_SOURCE_DIR "/tests/editor/menu_commands.txt";

std::string Utf8(const QString& s) { return s.toStdString(); }
std::string Utf8(const std::string& win1252) { return text::ToUtf8(win1252); }

std::string ModeName(EditMode mode) { return std::to_string(static_cast<int>(mode)); }

void DumpItems(std::ostream& out, const QList<QAction*>& items, const std::string& indent) {
  int position = 0;
  for (QAction* a : items) {
    out << indent << position++ << ' ';
    if (a->isSeparator()) {
      out << "----";
    } else {
      out << '[' << Utf8(a->objectName()) << "] \"" << Utf8(a->text()) << '"';
    }
    if (!a->isVisible()) out << " hidden";
    if (!a->isEnabled()) out << " disabled";
    if (a->isCheckable()) out << (a->isChecked() ? " ticked" : " tickable");
    if (!a->shortcut().isEmpty()) out << " key=" << Utf8(a->shortcut().toString());
    if (!a->toolTip().isEmpty() && a->toolTip() != PlainCaption(a->text()))
      out << " tip=\"" << Utf8(a->toolTip()) << '"';
    if (!a->statusTip().isEmpty()) out << " hint=\"" << Utf8(a->statusTip()) << '"';
    out << '\n';
    if (a->menu()) DumpItems(out, a->menu()->actions(), indent + "  ");
  }
}

void DumpMenu(std::ostream& out, const QMenu* m) {
  out << "menu [" << Utf8(m->objectName()) << "] \"" << Utf8(m->title()) << '"'
      << (m->menuAction()->isVisible() ? "" : " hidden") << '\n';
  DumpItems(out, m->actions(), "  ");
}

// Every item of the menus, submenus included.
void CollectItems(const QList<QAction*>& items, std::vector<QAction*>& out) {
  for (QAction* a : items) {
    if (a->menu()) CollectItems(a->menu()->actions(), out);
    if (!a->isSeparator() && !a->objectName().isEmpty()) out.push_back(a);
  }
}

class MenuRecord : public EditorTest {
 protected:
  void SetUp() override {
    EditorTest::SetUp();
    Install(*form);
  }
  void Install(TMainForm& f) {
    // As in the program: the frame with its desktop features.
    new TDesktopFeatures(
        f, std::make_unique<QSettings>(dir.filePath("zedro.conf"), QSettings::IniFormat));
  }

  // A main diagram: A inherits from B and has C, gives B an Auftrag, has a note; a free
  // note; A is the current box, the HAT the selected connection, the free note the last
  // one clicked.
  struct Scene {
    TFChild* main = nullptr;
    TFChild* sub = nullptr;
    TUMLDrawClass* a = nullptr;
    TUMLDrawClass* b = nullptr;
    TUMLDrawClass* c = nullptr;
    TConnection* ist = nullptr;
    TConnection* hat = nullptr;
    TConnection* kennt = nullptr;
    TConnection* auftrag = nullptr;
    TConnection* anfrage = nullptr;
    TConnection* note = nullptr;
    TInfoBox* free = nullptr;
    TUMLDrawObject* object = nullptr;
  };
  Scene Build(TMainForm& f) {
    Scene s;
    f.FileNew1Execute();
    s.main = Watch(f.ActiveChild());
    DiagramDocument& d = s.main->Doc();
    s.a = PlacedBox(s.main, "TA", 40, 40);
    s.b = PlacedBox(s.main, "TB", 300, 40);
    s.c = PlacedBox(s.main, "TC", 40, 300);
    TAttribute* hatC = testing::AddAttr(*s.a->UMLClass, "hatC", "TC");
    TMethod* tue = testing::AddMeth(*s.b->UMLClass, {"tue"});
    s.ist = d.AddConnection(s.a, 6, s.b, 28, TConnectionKind::Ist);
    s.hat = d.AddConnection(s.a, 20, s.c, 6, TConnectionKind::Hat);
    s.hat->Attributes.Add(hatC);
    s.kennt = d.AddConnection(s.c, 10, s.b, 36, TConnectionKind::Kennt);
    s.auftrag = d.AddConnection(s.a, 9, s.b, 31, TConnectionKind::Auftrag);
    s.auftrag->Method = tue;
    s.anfrage = d.AddConnection(s.b, 40, s.c, 14, TConnectionKind::Anfrage);
    s.note = d.AddConnection(s.c, 1, s.c, 1, TConnectionKind::ClassInfo);
    s.note->TextBox->Lines = {"Hinweis"};
    s.free = d.AddInfoBox(500, 300);
    s.free->Lines = {"frei"};
    d.CurrentBox = s.a;
    d.CurrentClass = s.a->UMLClass;
    s.main->SelectedConnection = s.hat;
    s.main->DraggedBox = s.free;
    s.main->Redraw();

    s.sub = Watch(s.main->SubDiagrams().CreateSubDiagram("Teil"));
    DiagramDocument& sd = s.sub->Doc();
    TUMLDrawClass* subA = sd.AddBoxForClass(s.a->UMLClass, 40, 40);
    s.object = sd.AddObjectBox(s.b->UMLClass, 300, 40);
    s.object->ObjectName = "b1";
    s.sub->SelectedConnection = sd.AddConnection(subA, 9, s.object, 31, TConnectionKind::Auftrag);
    s.sub->DraggedBox = sd.AddInfoBox(500, 300);
    s.sub->DraggedBox->Lines = {"frei im Teil"};
    sd.CurrentBox = s.object;
    sd.CurrentClass = s.b->UMLClass;
    s.sub->Redraw();
    f.ActivateChild(s.main);
    return s;
  }

  // The window's menus and its context menus as prepared by right clicks.
  std::string WindowMenus(TFChild* w) {
    std::ostringstream out;
    for (QMenu* m : w->WindowMenus()) {
      emit m->aboutToShow();
      DumpMenu(out, m);
    }
    return out.str();
  }
  std::string ContextMenu(TFChild* w, TPoint at, int button = Qt::RightButton) {
    std::ostringstream out;
    QMenu* shown = nullptr;
    w->ShowContextMenu = [&shown](QMenu* m, TPoint) { shown = m; };
    Click(w, at, button);
    Watch(w);
    if (!shown) return "no menu\n";
    DumpMenu(out, shown);
    return out.str();
  }
  static TPoint Middle(const TInfoBox* box) { return {box->Left + 3, box->Top + 3}; }
  static TPoint StartOf(const TConnection* c) {
    return {c->StartBox->BorderPointX(c->StartPoint), c->StartBox->BorderPointY(c->StartPoint)};
  }

  // What choosing the item starts: the dialogs and messages in order, the status line,
  // the mode, and the diagram's element counts afterwards.
  std::string Effect(TMainForm& f, TFChild* w, QAction* item) {
    dialogs.asked.clear();
    dialogs.messages.shown.clear();
    item->trigger();
    std::ostringstream out;
    for (const auto& asked : dialogs.asked) out << ' ' << asked.what << "(" << Utf8(asked.caption) << ")";
    if (w->StatusBar) out << " status(" << Utf8(w->StatusBar->currentMessage()) << ')';
    const DiagramDocument& d = w->Doc();
    out << " mode " << ModeName(w->Mode) << " boxes " << d.DrawClasses.Count() << " connections "
        << d.Connections.Count() << " notes " << d.InfoBoxes.Count();
    out << " ticked";
    for (const char* name : {"Vererbung", "Aggregation", "Assoziation", "deleteConnection", "Auftrag",
                             "Anfrage", "BotschaftLoeschen", "IstJavaVersion", "IstDelphiVersion"})
      if (QAction* a = w->Item(name); a && a->isChecked()) out << ' ' << name;
    if (QAction* paste = f.Item("PasteItem"); paste && paste->isEnabled()) out << " paste";
    if (auto* inspector = dynamic_cast<QWidget*>(f.ClassInspector()); inspector && inspector->isVisible())
      out << " inspector";
    return out.str();
  }

  // Triggers each named item in a frame and scene of its own; run describes what it started.
  using Run = std::function<std::string(TMainForm&, Scene&, const std::string& name)>;
  std::string EachItem(const std::vector<std::string>& names, const Run& run) {
    std::ostringstream out;
    for (const std::string& name : names) {
      ActiveNotation::Set(1);
      TMainForm f(dialogs);
      Install(f);
      f.show();
      Scene s = Build(f);
      out << name << ':' << run(f, s, name) << '\n';
      for (TFChild* c : f.Children()) c->ClosingAll = true;
    }
    return out.str();
  }
  static std::vector<QAction*> FrameItems(TMainForm& f) {
    std::vector<QAction*> items;
    CollectItems(f.menuBar()->actions(), items);
    return items;
  }

  // The items of the window (main or sub-diagram), its context menus included.
  std::string Effects(bool subDiagram) {
    std::vector<std::string> names;
    {
      TMainForm probe(dialogs);
      Install(probe);
      Scene s = Build(probe);
      TFChild* w = subDiagram ? s.sub : s.main;
      std::vector<QAction*> items;
      for (QMenu* m : w->WindowMenus()) CollectItems(m->actions(), items);
      for (QMenu* m : {w->MyClassMenue, w->MyConnectionMenue, w->MyCreateMenu, w->MyInfoBoxMenu})
        CollectItems(m->actions(), items);
      for (QAction* a : items) names.push_back(Utf8(a->objectName()));
      for (TFChild* c : probe.Children()) c->ClosingAll = true;
    }
    return EachItem(names, [&](TMainForm& f, Scene& s, const std::string& name) {
      TFChild* w = subDiagram ? s.sub : s.main;
      f.ActivateChild(w);
      QAction* item = w->Item(name);
      return item ? Effect(f, w, item) : std::string(" missing");
    });
  }

  std::string FrameEffects() {
    std::vector<std::string> names;
    {
      TMainForm probe(dialogs);
      Install(probe);
      for (QAction* a : FrameItems(probe))
        if (a->objectName() != "FileExitItem") names.push_back(Utf8(a->objectName()));
    }
    return EachItem(names, [&](TMainForm& f, Scene& s, const std::string& name) {
      QAction* item = nullptr;
      for (QAction* a : FrameItems(f))
        if (Utf8(a->objectName()) == name) item = a;
      if (!item) return std::string(" missing");
      const std::string effect = Effect(f, s.main, item);
      return effect + " windows " + std::to_string(f.Children().size());
    });
  }
};

TEST_F(MenuRecord, MenusContextMenusToolBarAndTheirCommandsStayAsRecorded) {
  std::ostringstream out;
  out << "== frame\n";
  for (QAction* a : form->menuBar()->actions()) DumpMenu(out, a->menu());
  out << "tool bar:";
  for (QAction* a : form->ToolBar2->actions())
    out << ' ' << (a->isSeparator() ? "|" : Utf8(a->objectName()));
  out << '\n';

  Scene s = Build(*form);
  out << "== main diagram, Delphi\n" << WindowMenus(s.main);
  out << "== frame with a diagram\n";
  for (QAction* a : form->menuBar()->actions())
    out << Utf8(a->objectName()) << " \"" << Utf8(a->text()) << "\"\n";
  out << "== context menus of the main diagram\n";
  out << "class box: " << ContextMenu(s.main, Inside(s.a));
  s.b->UMLClass->IsLibraryClass = true;
  out << "library class: " << ContextMenu(s.main, Inside(s.b));
  s.b->UMLClass->IsLibraryClass = false;
  for (TConnection* c : {s.ist, s.hat, s.kennt, s.auftrag, s.anfrage})
    out << "end of kind " << CodeOf(c->Kind) << ": " << ContextMenu(s.main, StartOf(c));
  for (TConnection* c : {s.hat, s.kennt, s.auftrag, s.anfrage, s.note})
    out << "text of kind " << CodeOf(c->Kind) << ": " << ContextMenu(s.main, Middle(c->TextBox));
  out << "free note: " << ContextMenu(s.main, Middle(s.free));
  out << "empty area: " << ContextMenu(s.main, {700, 450});
  s.main->IstJavaVersionClick();
  out << "== main diagram, Java\n" << WindowMenus(s.main);
  out << "empty area: " << ContextMenu(s.main, {700, 450});
  out << "class box: " << ContextMenu(s.main, Inside(s.a));

  form->ActivateChild(s.sub);
  out << "== sub-diagram, Java\n" << WindowMenus(s.sub);
  out << "object box: " << ContextMenu(s.sub, Inside(s.object));
  out << "empty area: " << ContextMenu(s.sub, {700, 450});
  s.sub->DelphiVersionClick();
  out << "== sub-diagram, Delphi\n" << WindowMenus(s.sub);
  out << "empty area: " << ContextMenu(s.sub, {700, 450});
  out << "class box: " << ContextMenu(s.sub, Inside(s.sub->Doc().DrawClasses.At(0)));
  form->ActivateChild(s.main);
  out << "== main diagram again\n" << WindowMenus(s.main);

  out << "== what the items of a main diagram start\n" << Effects(false);
  out << "== what the items of a sub-diagram start\n" << Effects(true);
  out << "== what the items of the frame start\n" << FrameEffects();

  const std::string record = out.str();
  if (qEnvironmentVariableIsSet("ZEDRO_WRITE_MENU_RECORD")) {
    QFile file(kRecord);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(record.data(), static_cast<qint64>(record.size()));
  }
  QFile file(kRecord);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << kRecord;
  const std::string expected = file.readAll().toStdString();
  // Line by line, so that a difference names its place.
  std::istringstream want(expected), got(record);
  std::string w, g;
  int line = 0;
  while (true) {
    const bool moreWant = static_cast<bool>(std::getline(want, w));
    const bool moreGot = static_cast<bool>(std::getline(got, g));
    ++line;
    if (!moreWant && !moreGot) break;
    ASSERT_EQ(moreWant ? w : "(end)", moreGot ? g : "(end)") << "line " << line;
  }
}

}  // namespace
}  // namespace zedro
