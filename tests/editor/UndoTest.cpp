// Undo and redo: every change is one step that takes the whole family of windows back to
// the bytes it had before and forward again to the bytes it had after.
#include <QKeyEvent>
#include <QPointer>
#include <QTreeWidget>
#include <QTest>

#include "EditorFixture.h"
#include "codegen/CodegenTestSupport.h"
#include "editor/ClassTransferCommands.h"
#include "editor/CodeViewers.h"
#include "editor/SubDiagramCommands.h"
#include "editor/SurfaceView.h"
#include "editor/TFClassInspector.h"
#include "editor/UndoCommands.h"
#include "editor/UndoHistory.h"
#include "persistence/Files.h"

namespace zedro {
namespace {

using namespace editortest;
using testing::AddAttr;
using testing::AddMeth;

const char* const kUnitTKunde =
    "unit mTKunde;\n\ninterface\n\ntype\n  TKunde = class\n  private\n    name : String;\n"
    "  public\n    procedure Kaufe;\n  end;\n\nimplementation\n\nprocedure TKunde.Kaufe;\nbegin\n"
    "end;\n\nend.\n";
const char* const kUnitTKonto =
    "unit mTKonto;\n\ninterface\n\ntype\n  TKonto = class\n  private\n    stand : Integer;\n"
    "    zins : Real;\n  end;\n\nimplementation\n\nend.\n";

class UndoTest : public EditorTest {
 public:
  // The commands of the table below reach the fixture from outside.
  using EditorTest::Answer;
  using EditorTest::Click;
  using EditorTest::dialogs;
  using EditorTest::Dir;
  using EditorTest::Drag;
  using EditorTest::form;
  using EditorTest::Inside;
  using EditorTest::LastMessage;
  using EditorTest::Ok;
  using EditorTest::Path;
  using EditorTest::Pt;
  using EditorTest::SendDrag;

  // A main diagram with TKonto (an attribute and a method) and TBank, a KENNT between
  // them, a free note, and a sub-diagram "Teil" with a box of TKonto and an object k1.
  void BuildScene() {
    main = NewDiagram();
    main->Timer1->stop();
    main->Doc().ProjectDir = Dir();
    konto = PlacedBox(main, "TKonto", 40, 40);
    AddAttr(*konto->UMLClass, "stand", "Integer");
    AddMeth(*konto->UMLClass, {"Einzahlen"});
    bank = PlacedBox(main, "TBank", 320, 60);
    kennt = main->Doc().AddConnection(konto, 17, bank, 39, TConnectionKind::Kennt);
    kennt->EndText = "1";
    note = main->Doc().AddInfoBox(120, 260);
    note->Lines = {"Hinweis"};
    dialogs.inputs.push_back(std::string("Teil"));
    main->SubDiagrams().erzeugeUnterdiagrammClick();
    ASSERT_EQ(1u, main->SubDiagramWindows().size());
    sub = main->SubDiagramWindows().back();
    sub->Timer1->stop();
    sub->Doc().AddBoxForClass(konto->UMLClass, 40, 40);
    object = sub->Doc().AddObjectBox(konto->UMLClass, 260, 80);
    object->ObjectName = "k1";
    ASSERT_EQ(1, object->Values.Count());
    object->Values.Item(0).Value = "100";
    sub->Doc().CurrentBox = object;
    sub->Doc().CurrentClass = konto->UMLClass;
    sub->Redraw();
    form->ActivateChild(main);
    main->Doc().CurrentBox = konto;
    main->Doc().CurrentClass = konto->UMLClass;
    main->Redraw();
    Settle();
    dialogs.messages.shown.clear();
  }

  UndoHistory* History() const { return main ? UndoHistory::Of(*main) : nullptr; }
  // Lets the command end: what it changed becomes a step.
  void Settle() {
    QApplication::processEvents();
    if (UndoHistory* h = History()) h->Flush();
  }
  // The family in the diagram file format.
  std::string Bytes() const { return DiagramToBytes(main->Doc()); }
  TFChild* Sub() const {
    return main->SubDiagramWindows().empty() ? nullptr : main->SubDiagramWindows().front();
  }

  TFChild* main = nullptr;
  TFChild* sub = nullptr;
  TUMLDrawClass* konto = nullptr;
  TUMLDrawClass* bank = nullptr;
  TConnection* kennt = nullptr;
  TInfoBox* note = nullptr;
  TUMLDrawObject* object = nullptr;
};

// ---- the table of commands -------------------------------------------------------------

struct Command {
  const char* test;
  const char* step;  // the name of the step, "" where the test does not look at it
  std::function<void(UndoTest&)> run;
  std::function<void(UndoTest&)> afterwards = {};  // more checks on the state reached
};

class EveryChange : public UndoTest, public ::testing::WithParamInterface<Command> {};

TEST_P(EveryChange, IsOneStepThatUndoesAndRedoesByteForByte) {
  BuildScene();
  UndoHistory* h = History();
  ASSERT_NE(nullptr, h);
  const std::string before = Bytes();
  const std::string beforeSnapshot = h->Snapshot();
  const size_t steps = h->Steps().UndoCount();

  GetParam().run(*this);
  Settle();
  const std::string after = Bytes();
  const std::string afterSnapshot = h->Snapshot();
  ASSERT_NE(beforeSnapshot, afterSnapshot) << "the command changed nothing";
  EXPECT_EQ(steps + 1, h->Steps().UndoCount()) << "one step, not " << h->Steps().UndoCount() - steps;
  if (*GetParam().step) {
    EXPECT_EQ(W(std::string("Rückgängig: ") + GetParam().step), h->UndoCaption());
  }
  EXPECT_FALSE(h->CanRedo());

  for (int round = 0; round < 2; ++round) {
    h->Undo();
    ASSERT_EQ(before, Bytes()) << "undo, round " << round;
    EXPECT_EQ(beforeSnapshot, h->Snapshot());
    EXPECT_TRUE(h->CanRedo());
    h->Redo();
    ASSERT_EQ(after, Bytes()) << "redo, round " << round;
    EXPECT_EQ(afterSnapshot, h->Snapshot());
  }
  if (GetParam().afterwards) GetParam().afterwards(*this);
  // A restore is no step of its own.
  Settle();
  EXPECT_EQ(steps + 1, h->Steps().UndoCount());
}

void Trigger(TFChild* w, const char* item) {
  ASSERT_NE(nullptr, w);
  QAction* a = w->Item(item);
  ASSERT_NE(nullptr, a) << item;
  a->trigger();
}

const Command kCommands[] = {
    {"NewClass", "Neue Klasse",
     [](UndoTest& t) {
       t.dialogs.inputs.push_back(std::string("TKunde"));
       Trigger(t.main, "newClass");
     }},
    // Mouse and keys as the platform delivers them: the step is named by what they did.
    {"MoveBoxWithTheMouse", "Verschieben",
     [](UndoTest& t) {
       const TPoint p = t.Inside(t.konto);
       t.SendDrag(t.main->ImClassDiagramm, p, {p.X + 40, p.Y + 30});
     }},
    {"MoveBoxWithAnArrowKey", "Verschieben",
     [](UndoTest& t) {
       QKeyEvent key(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier);
       QApplication::sendEvent(t.main->ImClassDiagramm, &key);
     }},
    {"MoveAGroup", "",
     [](UndoTest& t) {
       t.Drag(t.main, {10, 10}, {t.bank->Right + 10, t.bank->Bottom + 60});
       ASSERT_EQ(2, t.main->Doc().Selection.Count());
       t.main->FormKeyDown(Qt::Key_Down);
       t.main->FormKeyDown(Qt::Key_Down);
     }},
    {"DeleteAClassShownInASubDiagram", "Klasse löschen",
     [](UndoTest& t) {
       t.dialogs.messages.answers = {MsgResult::Yes, MsgResult::Yes};
       Trigger(t.main, "DeleteClassItem");
     },
     [](UndoTest& t) {
       t.History()->Undo();
       TFChild* sub = t.Sub();
       ASSERT_NE(nullptr, sub);
       EXPECT_EQ(2, sub->Doc().DrawClasses.Count()) << "the boxes in the sub-diagram are back";
       t.History()->Redo();
     }},
    {"RenameAClass", "Name oder Art der Klasse ändern",
     [](UndoTest& t) {
       t.Ok<TClassnameForm>([](TClassnameForm& f) {
         f.Name = "TSparkonto";
         f.Kind = 1;
       });
       Trigger(t.main, "NameoderArtAendern");
     }},
    {"DescribeAClass", "Beschreibung der Klasse ändern",
     [](UndoTest& t) {
       t.Ok<TClassDokuForm>(
           [](TClassDokuForm& f) { f.Lines = {"Ein Konto bei der Bank"}; });
       Trigger(t.main, "BeschreibungAendern");
     }},
    {"AddAnAttribute", "Attribut hinzufügen",
     [](UndoTest& t) {
       t.Ok<TAttributeForm>([](TAttributeForm& f) {
         f.Name = "zins";
         f.Type = "Real";
         f.SetReadChecked(true);
       });
       Trigger(t.main, "Attributhinzufuegen");
     },
     [](UndoTest& t) {
       // The object in the sub-diagram has a value for the new attribute again.
       ASSERT_NE(nullptr, t.Sub());
       TUMLDrawClass* box = t.Sub()->Doc().DrawClasses.At(1);
       ASSERT_NE(nullptr, box);
       ASSERT_TRUE(box->IsObjectBox());
       EXPECT_EQ(2, static_cast<TUMLDrawObject*>(box)->Values.Count());
     }},
    {"AddAMethod", "Methode hinzufügen",
     [](UndoTest& t) {
       t.Ok<TMethodForm>([](TMethodForm& f) {
         f.Name = "Abheben";
         f.Access = CodeOf(TVisibility::Public);
       });
       Trigger(t.main, "MethodeHinzufuegen");
     }},
    {"DrawAnIst", "IST-Beziehung zeichnen",
     [](UndoTest& t) {
       t.Answer<TChooseLineForm>([](TChooseLineForm& f) { f.LongDash = false; });
       Trigger(t.main, "Vererbung");
       t.Click(t.main, t.Pt(t.konto, 6));
       t.Click(t.main, t.Pt(t.bank, 28));
       ASSERT_EQ(t.konto->UMLClass->Parent, t.bank->UMLClass);
     },
     [](UndoTest& t) {
       ASSERT_EQ(2, t.main->Doc().DrawClasses.Count());
       TUMLDrawClass* k = t.main->Doc().DrawClasses.At(0);
       TUMLDrawClass* b = t.main->Doc().DrawClasses.At(1);
       EXPECT_EQ(k->UMLClass->Parent, b->UMLClass) << "the parent follows the IST after redo";
       t.History()->Undo();
       k = t.main->Doc().DrawClasses.At(0);
       EXPECT_EQ(nullptr, k->UMLClass->Parent);
       t.History()->Redo();
     }},
    {"ReattachAConnectionEnd", "",
     [](UndoTest& t) {
       t.Click(t.main, t.Pt(t.konto, 17));
       ASSERT_EQ(EditMode::MoveStartEnd, t.main->Mode);
       t.Click(t.main, t.Pt(t.konto, 20));
       ASSERT_EQ(20, t.kennt->StartPoint);
     }},
    {"ChangeConnectionTexts", "Text(e) ändern",
     [](UndoTest& t) {
       for (const char* text : {"0..*", "1"})
         t.Answer<TConnectionTextForm>([text](TConnectionTextForm& f) { f.Text = text; });
       t.main->SelectedConnection = t.kennt;
       Trigger(t.main, "beziehungBearbeiten");
     }},
    {"ChooseTheLineShape", "Linienzug waehlen",
     [](UndoTest& t) {
       t.Answer<TChooseLineForm>(
           [](TChooseLineForm& f) { f.LongDash = !f.LongDash; });
       t.main->SelectedConnection = t.kennt;
       Trigger(t.main, "LinienzugWaehlen");
     }},
    {"ChangeAConnectionFont", "Schrifttyp ändern",
     [](UndoTest& t) {
       TFontSpec font = t.kennt->CoOptions->Font;
       font.Size = 14;
       font.Bold = true;
       t.dialogs.fonts.push_back(font);
       t.main->SelectedConnection = t.kennt;
       Trigger(t.main, "SchriftAendern");
     }},
    {"ChangeAConnectionColour", "Farbe ändern",
     [](UndoTest& t) {
       t.dialogs.colors.push_back(TColor{0x00AA00});
       t.main->SelectedConnection = t.kennt;
       Trigger(t.main, "CoFarbenAendern");
     }},
    {"DeleteAConnection", "löschen",
     [](UndoTest& t) {
       t.dialogs.messages.answers = {MsgResult::Yes};
       t.main->SelectedConnection = t.kennt;
       Trigger(t.main, "beziehungLoeschen");
     }},
    {"InsertANote", "InfoBox einfügen",
     [](UndoTest& t) {
       t.Ok<TInfoBoxForm>(
           [](TInfoBoxForm& f) { f.Lines = {"Neu", "zweite Zeile"}; });
       Trigger(t.main, "InfoBoxEinfuegen");
     }},
    {"InsertANoteOfAClass", "Info zur aktuellen Klasse einfügen",
     [](UndoTest& t) {
       t.Ok<TInfoBoxForm>([](TInfoBoxForm& f) { f.Lines = {"Konto"}; });
       Trigger(t.main, "InfozueinerKlasseeinfgen1");
     }},
    {"MoveANote", "",
     [](UndoTest& t) {
       const TPoint p{t.note->Left + 5, t.note->Top + 5};
       t.Drag(t.main, p, {p.X + 25, p.Y - 20});
     }},
    {"ChangeTheTextOfANote", "Texte ändern",
     [](UndoTest& t) {
       t.Ok<TInfoBoxForm>([](TInfoBoxForm& f) { f.Lines = {"Anders"}; });
       t.main->DraggedBox = t.note;
       Trigger(t.main, "InfoBoxInhaltAendern");
     }},
    {"DeleteANote", "Löschen",
     [](UndoTest& t) {
       t.dialogs.messages.answers = {MsgResult::Yes};
       t.main->DraggedBox = t.note;
       Trigger(t.main, "InfoBoxLoeschen");
     }},
    {"ChangeObjectValues", "Wertbelegung ändern",
     [](UndoTest& t) {
       t.Answer<TChangeObjectForm>([](TChangeObjectForm& f) {
         f.SetValue(0, "250");
         f.ObjectName = "k2";
         f.PressOk();
       });
       Trigger(t.sub, "Wertbelegungndern1");
     }},
    {"InsertAnObject", "Objekt einfügen",
     [](UndoTest& t) {
       t.Ok<TChooseClassForm>([](TChooseClassForm& f) { f.Selected = 1; });
       t.Answer<TChangeObjectForm>([](TChangeObjectForm& f) {
         f.ObjectName = "b1";
         f.PressOk();
       });
       TFChild::ItemAt(t.sub->Klasse1, 0)->trigger();
     }},
    {"ChangeTheDisplayOfAllClasses", "Darstellung für alle Klassen ändern",
     [](UndoTest& t) {
       t.Answer<TOptionsForm>([](TOptionsForm& f) {
         f.Options.RGWidth = TWidthOption::Narrow;
         f.Options.RgPrivate = TShowOption::No;
         f.PressOk();
       });
       Trigger(t.main, "AlleKlassendarstellungenAendern");
     }},
    {"ChangeTheDisplayOfOneClass", "Klassendarstellung ändern",
     [](UndoTest& t) {
       t.Answer<TOptionsForm>([](TOptionsForm& f) {
         f.Options.RGShowAc = TShowOption::No;
         f.PressOk();
       });
       Trigger(t.main, "MiKlassenDarstellungAendern");
     }},
    {"CreateASubDiagram", "Neues Unterdiagramm",
     [](UndoTest& t) {
       t.dialogs.inputs.push_back(std::string("Zweiter Teil"));
       Trigger(t.main, "erzeugeUnterdiagramm");
     },
     [](UndoTest& t) {
       EXPECT_EQ(2u, t.main->SubDiagramWindows().size());
       t.History()->Undo();
       EXPECT_EQ(1u, t.main->SubDiagramWindows().size());
       t.History()->Redo();
     }},
    {"RenameASubDiagram", "Unterdiagramm umbenennen",
     [](UndoTest& t) {
       t.dialogs.inputs.push_back(std::string("Umbenannt"));
       ASSERT_NE(nullptr, t.sub->RenameEntry);
       t.sub->RenameEntry->trigger();
     },
     [](UndoTest& t) {
       ASSERT_NE(nullptr, t.Sub());
       EXPECT_EQ("Umbenannt", S(t.Sub()->windowTitle()));
       ASSERT_NE(nullptr, t.Sub()->RenameEntry);
       EXPECT_EQ("Umbenannt", PlainCaption(t.Sub()->RenameEntry->text()).toStdString());
     }},
    {"DeleteASubDiagram", "Unterdiagramm löschen",
     [](UndoTest& t) {
       t.dialogs.messages.answers = {MsgResult::Yes};
       ASSERT_NE(nullptr, t.sub->DeleteEntry);
       t.sub->DeleteEntry->trigger();
     }},
    {"PasteAClass", "Klasse einfügen",
     [](UndoTest& t) {
       t.form->ActivateChild(t.main);
       t.form->CopyItemClick();
       QAction* paste = t.form->Item("PasteItem");
       ASSERT_NE(nullptr, paste);
       paste->trigger();
       ASSERT_EQ(3, t.main->Doc().DrawClasses.Count());
     }},
    {"PasteAClassIntoASubDiagram", "",
     [](UndoTest& t) {
       t.form->ActivateChild(t.main);
       t.main->Doc().CurrentBox = t.bank;
       t.main->Doc().CurrentClass = t.bank->UMLClass;
       t.form->CopyItemClick();
       t.form->ActivateChild(t.sub);
       t.form->PasteItemClick();
       ASSERT_EQ(3, t.sub->Doc().DrawClasses.Count());
     }},
    {"LoadAClassFile", "",
     [](UndoTest& t) {
       TUMLClass kunde("TKunde");
       ScriptedMessages m;
       ASSERT_TRUE(WriteClassFile(kunde, t.Path("TKunde.umc"), m));
       t.dialogs.openFiles.push_back(t.Path("TKunde.umc"));
       t.main->ClassTransfer().LadeObjectClick();
       ASSERT_EQ(3, t.main->Doc().DrawClasses.Count());
     }},
    {"ImportAPascalUnit", "Klassenimport aus Delphi",
     [](UndoTest& t) {
       WriteText(t.Path("mTKunde.pas"), kUnitTKunde);
       t.dialogs.openFiles.push_back(t.Path("mTKunde.pas"));
       t.dialogs.messages.answers = {MsgResult::Yes};
       Trigger(t.main, "ImportPascalSource");
       ASSERT_EQ(3, t.main->Doc().DrawClasses.Count());
     }},
    {"UpdateAClassFromItsUnit", "Klasse aktualisieren",
     [](UndoTest& t) {
       WriteText(t.Path("mTKonto.pas"), kUnitTKonto);
       t.dialogs.openFiles.push_back(t.Path("mTKonto.pas"));
       Trigger(t.main, "MiAktualisieren");
       ASSERT_EQ(2, t.konto->UMLClass->Attributes.Count());
     }},
    {"ExportAUnit", "Delphi Export",
     [](UndoTest& t) {
       t.dialogs.saveFiles.push_back(t.Path("mTKonto.pas"));
       t.dialogs.dialogScripts.push_back(
           [](TDialogForm& f) { static_cast<TFDokuCodeAnzeige&>(f).PressSave(); });
       Trigger(t.main, "Codeanzeigenspeichern");
       ASSERT_EQ("mTKonto.pas", t.konto->SourceFileName);
     },
     [](UndoTest& t) {
       // Undo never touches files on disk, and the watch never asks about an undone export.
       t.dialogs.messages.shown.clear();
       for (int round = 0; round < 2; ++round) {
         t.History()->Undo();
         t.main->Timer1Timer();
         t.History()->Redo();
         t.main->Timer1Timer();
       }
       ASSERT_EQ(2, t.main->Doc().DrawClasses.Count());
       EXPECT_EQ("mTKonto.pas", t.main->Doc().DrawClasses.At(0)->SourceFileName);
       EXPECT_TRUE(t.dialogs.messages.shown.empty()) << t.LastMessage();
       EXPECT_TRUE(FileExists(t.Path("mTKonto.pas")));
     }},
    {"ChangeTheProjectDirectory", "Projektverzeichnis ändern",
     [](UndoTest& t) {
       const std::string other = t.Path("anderes");
       ASSERT_TRUE(CreateDirectory(other));
       t.Answer<TChangeDirectoryForm>([other](TChangeDirectoryForm& f) {
         f.SetListDirectory(other);
         f.PressOk();
       });
       Trigger(t.main, "Verzeichnisndern1");
       ASSERT_EQ(other + "/", t.main->Doc().ProjectDir);
     },
     [](UndoTest& t) {
       const std::string dir = t.main->Doc().ProjectDir;
       t.History()->Undo();
       EXPECT_EQ(t.Dir(), t.main->Doc().ProjectDir);
       ASSERT_NE(nullptr, t.Sub());
       EXPECT_EQ(t.main->Doc().ProjectDir, t.Sub()->Doc().ProjectDir);
       t.History()->Redo();
       EXPECT_EQ(dir, t.main->Doc().ProjectDir);
     }},
};

INSTANTIATE_TEST_SUITE_P(Undo, EveryChange, ::testing::ValuesIn(kCommands),
                         [](const ::testing::TestParamInfo<Command>& info) {
                           return std::string(info.param.test);
                         });

// ---- windows, marks, items --------------------------------------------------------------

TEST_F(UndoTest, ASubDiagramWindowComesBackWithItsPlaceAndEntriesWhenItsDeletionIsUndone) {
  BuildScene();
  sub->setGeometry(30, 40, 420, 310);
  const std::string caption = S(sub->windowTitle());
  dialogs.messages.answers = {MsgResult::Yes};
  QPointer<TFChild> gone(sub);
  sub->DeleteEntry->trigger();
  Settle();
  ASSERT_TRUE(gone.isNull());

  History()->Undo();
  TFChild* back = Sub();
  ASSERT_NE(nullptr, back);
  EXPECT_EQ(caption, S(back->windowTitle()));
  EXPECT_EQ(QRect(30, 40, 420, 310), back->geometry());
  EXPECT_FALSE(back->IsMainDiagram());
  EXPECT_EQ(main, &back->MainDiagramWindow());
  const auto children = form->Children();
  EXPECT_NE(std::find(children.begin(), children.end(), back), children.end());
  ASSERT_EQ(2, back->Doc().DrawClasses.Count());
  EXPECT_EQ(back->Doc().DrawClasses.At(0)->UMLClass, main->Doc().DrawClasses.At(0)->UMLClass);
  ASSERT_NE(nullptr, back->DeleteEntry);
  ASSERT_NE(nullptr, main->Menu("Unterdiagrammloeschen"));
  EXPECT_EQ(1, main->Menu("Unterdiagrammloeschen")->actions().size());

  // The window that came back works: its deletion is a step again.
  History()->Redo();
  EXPECT_TRUE(main->SubDiagramWindows().empty());
  EXPECT_EQ(0, main->Menu("Unterdiagrammloeschen")->actions().size());
  History()->Undo();
  ASSERT_NE(nullptr, Sub());
  dialogs.messages.answers = {MsgResult::Yes};
  Sub()->DeleteEntry->trigger();
  Settle();
  EXPECT_TRUE(main->SubDiagramWindows().empty());
  EXPECT_FALSE(History()->CanRedo());
}

TEST_F(UndoTest, UndoingBackToTheOpenedOrSavedStateCountsAsUnchanged) {
  BuildScene();
  main->Doc().ProjectDir = Path("alt") + "/";
  main->Redraw();
  Settle();
  dialogs.saveFiles.push_back(Path("Bank.urd"));
  main->SaveDiagrammAs();
  ASSERT_TRUE(main->Doc().Saved);
  ASSERT_TRUE(History()->Steps().AtSavedState());

  // The project directory moved with the file: that is the saved state too.
  Settle();
  EXPECT_EQ(Dir(), main->Doc().ProjectDir);
  EXPECT_TRUE(History()->Steps().AtSavedState());

  main->FormKeyDown(Qt::Key_Left);
  Settle();
  EXPECT_FALSE(main->Doc().Saved);
  History()->Undo();
  EXPECT_TRUE(main->Doc().Saved);
  EXPECT_TRUE(Sub()->Doc().Saved);
  dialogs.messages.answers = {MsgResult::No};
  main->AskClose();
  EXPECT_EQ("Diagramm 'Bank.urd'\nund alle Unterdiagramme (1)\nschliessen ?", LastMessage());
  History()->Redo();
  EXPECT_FALSE(main->Doc().Saved);

  // Opened from the file: the opened state is the unchanged one.
  TFChild* opened = Open(Path("Bank.urd"));
  ASSERT_NE(nullptr, opened);
  UndoHistory* h = UndoHistory::Of(*opened);
  ASSERT_NE(nullptr, h);
  EXPECT_FALSE(h->CanUndo());
  ASSERT_GT(opened->Doc().DrawClasses.Count(), 0);
  opened->Doc().CurrentBox = opened->Doc().DrawClasses.At(0);
  opened->FormKeyDown(Qt::Key_Up);
  QApplication::processEvents();
  h->Flush();
  EXPECT_FALSE(opened->Doc().Saved);
  h->Undo();
  EXPECT_TRUE(opened->Doc().Saved);
  for (TFChild* s : opened->SubDiagramWindows()) EXPECT_TRUE(s->Doc().Saved);
}

TEST_F(UndoTest, TheItemsNameTheStepAndAreDisabledWithNothingToUndo) {
  main = NewDiagram();
  TUndoCommands* commands = form->UndoCommands();
  ASSERT_NE(nullptr, commands);
  QAction* undo = commands->UndoItem;
  QAction* redo = commands->RedoItem;
  ASSERT_NE(nullptr, undo);
  ASSERT_NE(nullptr, redo);
  // Places, captions and main keys are in the menu record; the second key of redo is not.
  EXPECT_TRUE(redo->shortcuts().contains(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)));
  QAction* undoHere = main->Item("UndoItem2");
  QAction* redoHere = main->Item("RedoItem2");
  ASSERT_NE(nullptr, undoHere);
  ASSERT_NE(nullptr, redoHere);

  PlacedBox(main, "TAuto", 60, 60);
  Settle();
  main->Doc().CurrentBox = main->Doc().DrawClasses.At(0);
  main->Doc().CurrentClass = main->Doc().CurrentBox->UMLClass;
  dialogs.messages.answers = {MsgResult::Yes};
  Trigger(main, "DeleteClassItem");
  Settle();
  EXPECT_TRUE(undo->isEnabled());
  EXPECT_EQ(W("Rückgängig: Klasse löschen"), S(PlainCaption(undo->text())));
  EXPECT_EQ(W("Rückgängig: Klasse löschen"), S(undoHere->text()));

  undo->trigger();
  QApplication::processEvents();
  EXPECT_EQ(1, main->Doc().DrawClasses.Count());
  EXPECT_TRUE(redo->isEnabled());
  EXPECT_EQ(W("Wiederholen: Klasse löschen"), S(PlainCaption(redo->text())));
  EXPECT_EQ(W("Wiederholen: Klasse löschen"), S(redoHere->text()));
  redo->trigger();
  QApplication::processEvents();
  EXPECT_EQ(0, main->Doc().DrawClasses.Count());
  // A new sub-diagram window offers the family's step at once.
  TFChild* sub = main->AttachSubWindow(*main->Doc().AddSubDiagram("Teil"));
  ASSERT_NE(nullptr, sub);
  QAction* undoInSub = sub->Item("UndoItem2");
  ASSERT_NE(nullptr, undoInSub);
  EXPECT_TRUE(undoInSub->isEnabled());
  EXPECT_EQ(W("Rückgängig: Klasse löschen"), S(undoInSub->text()));

  // Another diagram in front has a history of its own.
  TFChild* other = NewDiagram();
  ASSERT_EQ(other, form->ActiveChild());
  EXPECT_FALSE(undo->isEnabled());
  form->ActivateChild(main);
  EXPECT_TRUE(undo->isEnabled());

  // Strg+Z also works while the class inspector, a window of its own, has the focus.
  auto* inspector = dynamic_cast<TFClassInspector*>(form->ClassInspector());
  ASSERT_NE(nullptr, inspector);
  ASSERT_NE(nullptr, inspector->TVclass);
  inspector->show();
  QApplication::setActiveWindow(inspector);
  inspector->TVclass->setFocus();
  QApplication::processEvents();
  ASSERT_EQ(inspector, QApplication::activeWindow());
  const std::string step = S(PlainCaption(undo->text())).substr(W("Rückgängig").size());
  QTest::keyClick(inspector->TVclass, Qt::Key_Z, Qt::ControlModifier);
  QApplication::processEvents();
  EXPECT_EQ("Wiederholen" + step, S(PlainCaption(redo->text())));
}

TEST_F(UndoTest, UndoInASubDiagramWindowTakesBackTheFamilysLastStepWhereverItWasMade) {
  BuildScene();
  main->FormKeyDown(Qt::Key_Right);
  Settle();
  const int left = konto->Left;
  QAction* undoInSub = sub->Item("UndoItem2");
  ASSERT_NE(nullptr, undoInSub);
  EXPECT_TRUE(undoInSub->isEnabled());
  form->ActivateChild(sub);
  undoInSub->trigger();
  QApplication::processEvents();
  ASSERT_EQ(2, main->Doc().DrawClasses.Count());
  EXPECT_EQ(left - 1, main->Doc().DrawClasses.At(0)->Left);
  // The sub-diagram window was in front, and it is in front again.
  ASSERT_NE(nullptr, Sub());
  EXPECT_EQ(Sub(), form->ActiveChild());
}

TEST_F(UndoTest, CancelledAndUnfinishedCommandsAreNoSteps) {
  BuildScene();
  const size_t steps = History()->Steps().UndoCount();
  Trigger(main, "newClass");  // the name is not given
  Settle();
  Trigger(main, "Vererbung");
  Settle();
  Click(main, Pt(konto, 6));
  Settle();
  main->FormKeyDown(Qt::Key_Escape);
  Settle();
  dialogs.messages.answers = {MsgResult::No};
  Trigger(main, "DeleteClassItem");
  Settle();
  Click(main, Inside(bank));  // a click without a move
  Settle();
  EXPECT_EQ(steps, History()->Steps().UndoCount());
  EXPECT_EQ(2, main->Doc().DrawClasses.Count());

  // A change after some undos drops the steps that could be redone.
  main->FormKeyDown(Qt::Key_Right);
  Settle();
  History()->Undo();
  ASSERT_TRUE(History()->CanRedo());
  main->FormKeyDown(Qt::Key_Down);
  Settle();
  EXPECT_FALSE(History()->CanRedo());
}

TEST_F(UndoTest, StepNamesComeFromTheCaptionsWithoutKeysAndLeaders) {
  EXPECT_EQ("neue Klasse", UndoHistory::StepNameOf("       &neue Klasse"));
  EXPECT_EQ("IST-Beziehung zeichnen", UndoHistory::StepNameOf("       IST........ : Vererbung"));
  EXPECT_EQ("Anfrage zeichnen", UndoHistory::StepNameOf("Stellt ANFRAGE an ..."));
  EXPECT_EQ(W("Klasse Einfügen"), UndoHistory::StepNameOf(W("Klasse &Einfügen")));
  EXPECT_EQ("Alle Klassen \"brutal\" exportieren",
            UndoHistory::StepNameOf("Alle Klassen \"brutal\" exportieren"));
  EXPECT_EQ("Unterdiagramm umbenennen", UndoHistory::StepNameOf(W("Name ändern")));
}

}  // namespace
}  // namespace zedro
