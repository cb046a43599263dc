// Classes, notes, objects, sub-diagrams, copy and paste and the display options, driven
// offscreen through the diagram windows with the scripted dialog service.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QMenu>
#include <QPointer>
#include <QTemporaryDir>
#include <map>

#include "cli/DumpJson.h"
#include "diagram/DiagramDocument.h"
#include "editor/CoOptionsForm.h"
#include "editor/DialogService.h"
#include "editor/TFChild.h"
#include "editor/TMainForm.h"
#include "model/Notation.h"
#include "model/Win1252.h"
#include "persistence/DiagramFile.h"
#include "persistence/Files.h"

namespace zedro {
namespace {

TAttribute* AddAttribute(TUMLClass& cls, const std::string& name, const std::string& type) {
  auto a = std::make_unique<TAttribute>();
  a->Name = name;
  a->TypeName = type;
  return cls.AddAttribute(std::move(a));
}

class Elements : public ::testing::Test {
 protected:
  void SetUp() override {
    ActiveNotation::Set(1);
    form = std::make_unique<TMainForm>(dialogs);
    form->show();
    QApplication::processEvents();
  }
  void TearDown() override {
    form.reset();
    ActiveNotation::Set(1);
  }

  std::string Path(const std::string& name) const {
    return text::FromUtf8(dir.filePath(QString::fromStdString(name)).toStdString());
  }
  TFChild* NewDiagram() {
    form->FileNew1Execute();
    return form->ActiveChild();
  }
  static TUMLDrawClass* AddClass(TFChild* w, const std::string& name, int x = 50, int y = 50) {
    TUMLDrawClass* box = w->Doc().AddClassBox(std::make_unique<TUMLClass>(name), x, y);
    w->Doc().CurrentBox = box;
    w->Doc().CurrentClass = box->UMLClass;
    return box;
  }
  TFChild* NewSub(TFChild* main, const std::string& name) {
    dialogs.inputs.push_back(name);
    main->erzeugeUnterdiagrammClick();
    return main->SubDiagramWindows().back();
  }
  // Chooses the class at the index in the class chooser, then answers the object dialog.
  void ScriptObject(int classIndex, std::function<void(TChangeObjectForm&)> values) {
    dialogs.dialogScripts.push_back([classIndex](TDialogForm& f) {
      auto& c = dynamic_cast<TChooseClassForm&>(f);
      c.Selected = classIndex;
      c.PressOk();
    });
    dialogs.dialogScripts.push_back(
        [values](TDialogForm& f) { values(dynamic_cast<TChangeObjectForm&>(f)); });
  }
  TUMLDrawObject* InsertObject(TFChild* sub, int classIndex, const std::string& name) {
    ScriptObject(classIndex, [name](TChangeObjectForm& f) {
      f.ObjectName = name;
      f.PressOk();
    });
    sub->ObjektEinfuegenClick();
    return static_cast<TUMLDrawObject*>(sub->Doc().CurrentBox);
  }
  void Copy(TFChild* w) {
    form->ActivateChild(w);
    form->CopyItemClick();
  }
  void Paste(TFChild* w) {
    form->ActivateChild(w);
    form->PasteItemClick();
  }
  static std::string Dump(const DiagramDocument& doc) {
    cli::Json j;
    cli::WriteDiagram(j, doc, kDiagramVersion);
    return j.Text();
  }
  bool Shown(const std::string& text) const { return dialogs.messages.Contains(text); }
  size_t MessageCount() const { return dialogs.messages.shown.size(); }

  QTemporaryDir dir;
  ScriptedDialogs dialogs;
  std::unique_ptr<TMainForm> form;
};

// ---- deleting --------------------------------------------------------------------------

TEST_F(Elements, DeletingAClassOfAMainDiagramTakesItsBoxesInEverySubDiagram) {
  TFChild* main = NewDiagram();
  TUMLDrawClass* konto = AddClass(main, "TKonto");
  TUMLDrawClass* bank = AddClass(main, "TBank", 250, 60);
  main->Doc().AddConnection(konto, 5, bank, 30, kIst);
  main->Doc().AddConnection(bank, 3, bank, 9, kAuftrag);
  ASSERT_EQ(konto->UMLClass->Parent, bank->UMLClass);
  TFChild* sub1 = NewSub(main, "Eins");
  TFChild* sub2 = NewSub(main, "Zwei");
  TUMLDrawClass* k1 = sub1->Doc().AddBoxForClass(konto->UMLClass);
  TUMLDrawClass* b1 = sub1->Doc().AddBoxForClass(bank->UMLClass, 200, 50);
  sub1->Doc().AddConnection(b1, 1, k1, 2, kKennt);
  TUMLDrawClass* k2 = sub2->Doc().AddObjectBox(konto->UMLClass, 80, 80);
  sub2->Doc().AddConnection(k2, 1, k2, 1, kClassInfo);
  sub2->Doc().CurrentBox = k2;
  sub2->Doc().CurrentClass = konto->UMLClass;
  // The clipboard refers to two of the doomed boxes.
  form->ClipboardBox = konto;
  form->ClipboardBoxes.Add(k1);
  form->ClipboardBoxes.Add(b1);

  // "No" to the question about sub-diagrams keeps everything.
  main->Doc().CurrentBox = konto;
  main->Doc().CurrentClass = konto->UMLClass;
  dialogs.messages.answers = {MsgResult::Yes, MsgResult::No};
  main->DeleteClassClick();
  EXPECT_EQ(main->Doc().DrawClasses.Count(), 2);
  EXPECT_EQ(sub1->Doc().DrawClasses.Count(), 2);

  dialogs.messages.shown.clear();
  dialogs.messages.answers = {MsgResult::Yes, MsgResult::Yes};
  main->DeleteClassClick();
  ASSERT_EQ(dialogs.messages.shown.size(), 2u);
  EXPECT_EQ(dialogs.messages.shown[0].text,
            W("Möchten Sie die Klasse ->'TKonto'<- wirklich löschen?"));
  EXPECT_EQ(dialogs.messages.shown[1].text,
            W("Sie möchten eine Klasse in einem Hauptdiagramm mit Unterdiagrammen löschen!\n\n"
              "Möchten Sie die Klasse ->'TKonto'<- ganz sicher löschen?"));
  ASSERT_EQ(main->Doc().DrawClasses.Count(), 1);
  EXPECT_EQ(main->Doc().DrawClasses.At(0), bank);
  EXPECT_EQ(main->Doc().Connections.Count(), 1);  // the message of TBank to itself stays
  ASSERT_EQ(sub1->Doc().DrawClasses.Count(), 1);
  EXPECT_EQ(sub1->Doc().DrawClasses.At(0), b1);
  EXPECT_EQ(sub1->Doc().Connections.Count(), 0);
  EXPECT_EQ(sub2->Doc().DrawClasses.Count(), 0);
  EXPECT_EQ(sub2->Doc().Connections.Count(), 0);
  EXPECT_EQ(sub2->Doc().CurrentBox, nullptr);
  EXPECT_EQ(sub2->Doc().CurrentClass, nullptr);
  EXPECT_EQ(main->Doc().CurrentBox, bank);
  EXPECT_EQ(main->Doc().CurrentClass, bank->UMLClass);
  // Nothing that is gone can be pasted; the box of TBank that is left can.
  EXPECT_EQ(form->ClipboardBox, nullptr);
  ASSERT_EQ(form->ClipboardBoxes.Count(), 1);
  EXPECT_EQ(form->ClipboardBoxes.At(0), b1);
  EXPECT_FALSE(main->Doc().Saved);
}

TEST_F(Elements, DeletingTheLastBoxOfASubDiagramLeavesNoCurrentBox) {
  TFChild* main = NewDiagram();
  TUMLDrawClass* konto = AddClass(main, "TKonto");
  TFChild* sub = NewSub(main, "Teil");
  TUMLDrawObject* k1 = InsertObject(sub, 0, "k1");
  ASSERT_NE(k1, nullptr);
  dialogs.messages.shown.clear();
  dialogs.messages.answers = {MsgResult::Yes};
  sub->DeleteClassClick();
  ASSERT_EQ(dialogs.messages.shown.size(), 1u);  // no question about sub-diagrams here
  EXPECT_EQ(dialogs.messages.shown[0].text, W("Möchten Sie das Object ->'k1'<- wirklich löschen?"));
  EXPECT_EQ(sub->Doc().DrawClasses.Count(), 0);
  EXPECT_EQ(sub->Doc().CurrentBox, nullptr);
  EXPECT_EQ(sub->Doc().CurrentClass, nullptr);
  EXPECT_EQ(main->Doc().DrawClasses.At(0), konto);  // the class stays with the main diagram

  sub->InfozueinerKlasseeinfgen1Click();
  EXPECT_EQ(dialogs.messages.shown.back().text, W("Es ist keine aktuelle Klasse angewählt."));
  sub->DeleteClassClick();
  EXPECT_EQ(dialogs.messages.shown.back().text, W("Es ist keine aktuelle Klasse angewählt!"));
  EXPECT_EQ(sub->Doc().Connections.Count(), 0);
}

// ---- notes -----------------------------------------------------------------------------

TEST_F(Elements, TheNoteOfAClassSitsAboveItByItsLineCount) {
  EXPECT_EQ(TFChild::ClassNoteOffsetY(3, -13), -52);
  EXPECT_EQ(TFChild::ClassNoteOffsetY(0, -11), -10);

  TFChild* main = NewDiagram();
  TUMLDrawClass* konto = AddClass(main, "TKonto");
  // The window's connection font does not count: the note has a fresh font of its own.
  main->Doc().ConnectionOptions.Font.SetHeight(-20);
  dialogs.dialogScripts.push_back([](TDialogForm& f) {
    auto& memo = dynamic_cast<TInfoBoxForm&>(f);
    memo.Lines = {"Erste", "Zweite", "Dritte"};
    memo.PressOk();
  });
  main->InfozueinerKlasseeinfgen1Click();
  ASSERT_EQ(main->Doc().Connections.Count(), 1);
  TConnection* note = main->Doc().Connections.At(0);
  EXPECT_EQ(dialogs.asked.back().caption, "Informationen zur Klasse: TKonto");
  EXPECT_EQ(dialogs.CountAsked("TFConnectionText"), 0);
  EXPECT_EQ(note->Kind, kClassInfo);
  EXPECT_EQ(note->StartBox, konto);
  EXPECT_EQ(note->EndBox, konto);
  EXPECT_EQ(note->StartPoint, 1);
  EXPECT_EQ(note->TextBox->Lines.size(), 3u);
  EXPECT_EQ(note->TextOffsetY, TFChild::ClassNoteOffsetY(3, note->CoOptions->Font.Height()));
  EXPECT_EQ(note->TextOffsetY, -46);  // the default font is 11 pixels high
}

TEST_F(Elements, FreeNotesAreInsertedRecolouredAndDeletedAfterTheRedMarking) {
  TFChild* main = NewDiagram();
  TFCoOptions& defaults = main->Doc().ConnectionOptions;
  defaults.Font.Name = "Arial";
  defaults.Font.Size = 9;
  defaults.Font.Color = RGB(0, 128, 0);
  defaults.Font.Bold = true;
  dialogs.dialogScripts.push_back([](TDialogForm& f) {
    auto& memo = dynamic_cast<TInfoBoxForm&>(f);
    memo.Lines = {"Hinweis"};
    memo.PressOk();
  });
  main->InfoBoxEinfuegenClick();
  ASSERT_EQ(main->Doc().InfoBoxes.Count(), 1);
  TInfoBox* note = main->Doc().InfoBoxes.At(0);
  EXPECT_EQ(dialogs.asked.back().caption, "Neue InfoBox: Text eingeben");
  EXPECT_EQ(note->Lines, StringList{"Hinweis"});
  EXPECT_EQ(note->FontDialog->Name, "Arial");
  EXPECT_EQ(note->FontDialog->Size, 10);
  EXPECT_EQ(note->FontDialog->Color, RGB(0, 128, 0));
  EXPECT_TRUE(note->FontDialog->Bold);
  EXPECT_EQ(main->DraggedBox, note);

  // "Abbrechen" in the text dialog keeps the lines.
  main->InfoBoxInhaltAendernClick();
  EXPECT_EQ(note->Lines, StringList{"Hinweis"});

  dialogs.colors.push_back(RGB(0, 0, 200));
  main->InfoBoxFarbeAendernClick();
  EXPECT_EQ(note->FontDialog->Color, RGB(0, 0, 200));

  // No: the red marking goes again.
  dialogs.messages.answers = {MsgResult::No};
  main->InfoBoxLoeschenClick();
  EXPECT_EQ(dialogs.messages.shown.back().text,
            W("Wollen Sie die markierte Infobox wirklich löschen?"));
  EXPECT_EQ(main->Doc().InfoBoxes.Count(), 1);
  EXPECT_EQ(note->FontDialog->Color, RGB(0, 0, 200));
  dialogs.messages.answers = {MsgResult::Yes};
  main->InfoBoxLoeschenClick();
  EXPECT_EQ(main->Doc().InfoBoxes.Count(), 0);
  EXPECT_EQ(main->DraggedBox, nullptr);
  main->InfoBoxLoeschenClick();  // nothing left to delete
  EXPECT_EQ(dialogs.messages.shown.size(), 2u);
}

TEST_F(Elements, TheDeleteCommandOfNotesLeavesTheTextBoxOfAConnectionAlone) {
  TFChild* main = NewDiagram();
  TUMLDrawClass* konto = AddClass(main, "TKonto");
  TConnection* c = main->Doc().AddConnection(konto, 1, konto, 1, kClassInfo);
  main->DraggedBox = c->TextBox;
  dialogs.messages.answers = {MsgResult::Yes};
  main->InfoBoxLoeschenClick();
  EXPECT_TRUE(dialogs.messages.shown.empty());
  EXPECT_EQ(main->Doc().Connections.Count(), 1);
  EXPECT_TRUE(main->Doc().Surface.Owns(c->TextBox));
}

// ---- objects ---------------------------------------------------------------------------

TEST_F(Elements, AnObjectIsInsertedAtTheClickForAChosenClassOfTheMainDiagram) {
  TFChild* main = NewDiagram();
  AddClass(main, "TKonto");
  TUMLDrawClass* bank = AddClass(main, "TBank", 250, 50);
  AddAttribute(*bank->UMLClass, "name", "String");
  AddAttribute(*bank->UMLClass, "blz", "Integer");
  TFChild* sub = NewSub(main, "Teil");
  sub->ClickPos = {200, 140};
  std::vector<std::string> offered;
  std::string proposedName, label;
  ScriptObject(1, [&](TChangeObjectForm& f) {
    proposedName = f.ObjectName;
    label = f.ClassLabel;
    ASSERT_EQ(f.RowCount(), 2);
    f.SetValue(1, "Volksbank");
    f.ObjectName = "vb";
    f.PressOk();
  });
  dialogs.dialogScripts.front() = [&offered](TDialogForm& f) {
    auto& c = dynamic_cast<TChooseClassForm&>(f);
    offered = c.Items;
    EXPECT_EQ(c.Caption, W("Zu welcher Klasse soll das Object gehören? !"));
    EXPECT_EQ(c.OkCaption, W("Objekt aus gewählter Klasse einfügen "));
    c.Selected = 1;
    c.PressOk();
  };
  sub->ObjektEinfuegenClick();
  EXPECT_EQ(offered, (std::vector<std::string>{"TKonto", "TBank"}));
  EXPECT_EQ(proposedName, "TBank");
  EXPECT_EQ(label, "Klasse: TBank");
  ASSERT_EQ(sub->Doc().DrawClasses.Count(), 1);
  auto* object = dynamic_cast<TUMLDrawObject*>(sub->Doc().DrawClasses.At(0));
  ASSERT_NE(object, nullptr);
  EXPECT_EQ(object->UMLClass, bank->UMLClass);
  EXPECT_EQ(object->ObjectName, "vb");
  // At the click, moved on by the surface's component count like every new box.
  const int n = sub->Doc().Surface.ComponentCount();
  EXPECT_EQ(object->Left, 200 + n);
  EXPECT_EQ(object->Top, 140 + n);
  int withValue = 0;
  for (int i = 0; i < object->Values.Count(); ++i)
    if (object->Values.ValueAt(i) == "Volksbank") ++withValue;
  EXPECT_EQ(withValue, 1);
  EXPECT_EQ(sub->Doc().CurrentClass, bank->UMLClass);
  EXPECT_EQ(sub->Doc().CurrentBox, object);
  EXPECT_FALSE(sub->Doc().Saved);

  // Cancelling the object dialog discards the new box completely.
  const int components = sub->Doc().Surface.ComponentCount();
  ScriptObject(0, [](TChangeObjectForm& f) { f.PressCancel(); });
  sub->ObjektEinfuegenClick();
  EXPECT_EQ(sub->Doc().DrawClasses.Count(), 1);
  EXPECT_EQ(sub->Doc().Surface.ComponentCount(), components);
  EXPECT_EQ(sub->NewObjectBox, nullptr);
}

TEST_F(Elements, ObjectValuesFollowTheAttributesOfTheirClass) {
  TFChild* main = NewDiagram();
  TUMLDrawClass* konto = AddClass(main, "TKonto");
  TUMLClass& cls = *konto->UMLClass;
  TAttribute* stand = AddAttribute(cls, "stand", "Integer");
  TAttribute* inhaber = AddAttribute(cls, "inhaber", "String");
  TFChild* sub = NewSub(main, "Teil");
  ScriptObject(0, [](TChangeObjectForm& f) {
    for (int r = 0; r < f.RowCount(); ++r)
      f.SetValue(r, f.AttributeName(r) == "stand" ? "100" : "Max");
    f.PressOk();
  });
  sub->ObjektEinfuegenClick();
  auto* k1 = static_cast<TUMLDrawObject*>(sub->Doc().CurrentBox);
  ASSERT_EQ(k1->Values.Count(), 2);

  // Renamed in place: the value stays. A new attribute gets "-".
  stand->Name = "kontostand";
  TAttribute* zins = AddAttribute(cls, "zins", "Real");
  std::vector<std::pair<std::string, std::string>> grid;
  dialogs.dialogScripts.push_back([&grid](TDialogForm& f) {
    auto& o = dynamic_cast<TChangeObjectForm&>(f);
    for (int r = 0; r < o.RowCount(); ++r) grid.emplace_back(o.AttributeName(r), o.Value(r));
    o.PressOk();
  });
  sub->Wertbelegungaendern1Click();
  ASSERT_EQ(grid.size(), 3u);
  std::map<std::string, std::string> values(grid.begin(), grid.end());
  EXPECT_EQ(values, (std::map<std::string, std::string>{
                        {"kontostand", "100"}, {"inhaber", "Max"}, {"zins", "-"}}));

  // Purged from the class: the object keeps only the other values.
  form->PurgeAttribute(cls, *inhaber);
  cls.RemoveAttribute(inhaber);
  ASSERT_EQ(k1->Values.Count(), 2);
  for (int i = 0; i < k1->Values.Count(); ++i) EXPECT_NE(k1->Values.AttributeAt(i), inhaber);
  EXPECT_FALSE(cls.Attributes.Contains(inhaber));
  EXPECT_TRUE(cls.Attributes.Contains(zins));
}

TEST_F(Elements, AbbrechenInTheValueGridKeepsTheTypedValuesAndMarksTheChange) {
  TFChild* main = NewDiagram();
  TUMLDrawClass* konto = AddClass(main, "TKonto");
  AddAttribute(*konto->UMLClass, "stand", "Integer");
  TFChild* sub = NewSub(main, "Teil");
  TUMLDrawObject* k1 = InsertObject(sub, 0, "k1");
  sub->Doc().Saved = true;
  dialogs.dialogScripts.push_back([](TDialogForm& f) {
    auto& o = dynamic_cast<TChangeObjectForm&>(f);
    o.SetValue(0, "250");
    o.ObjectName = "anders";
    o.PressCancel();
  });
  sub->Wertbelegungaendern1Click();
  EXPECT_EQ(k1->Values.ValueAt(0), "250");
  EXPECT_EQ(k1->ObjectName, "k1");
  EXPECT_FALSE(sub->Doc().Saved);
  // Closing the main diagram asks to save the change.
  main->Doc().Saved = true;
  dialogs.messages.answers = {MsgResult::Cancel};
  EXPECT_FALSE(main->AskClose());
  EXPECT_NE(dialogs.messages.shown.back().text.find(W("in diesem geänderten Zustand speichern?")),
            std::string::npos);
}

// ---- sub-diagrams ----------------------------------------------------------------------

std::vector<std::string> Entries(TFChild* main, const char* submenu) {
  std::vector<std::string> out;
  for (QAction* a : main->Menu(submenu)->actions()) out.push_back(a->text().toStdString());
  return out;
}

TEST_F(Elements, SubDiagramsAreNumberedByTheirCountWhenCreated) {
  TFChild* main = NewDiagram();
  main->Doc().ProjectDir = "/tmp/projekt/";
  main->Doc().Saved = true;
  dialogs.inputs.push_back(std::string());  // an empty name creates nothing
  main->erzeugeUnterdiagrammClick();
  EXPECT_TRUE(main->SubDiagramWindows().empty());
  EXPECT_TRUE(main->Doc().Saved);

  TFChild* eins = NewSub(main, "Eins");
  EXPECT_FALSE(main->Doc().Saved);
  TFChild* zwei = NewSub(main, "Zwei");
  EXPECT_EQ(eins->Doc().FileName, "Unterdiagramm 1 - Eins");
  EXPECT_EQ(zwei->Doc().FileName, "Unterdiagramm 2 - Zwei");
  EXPECT_EQ(zwei->windowTitle().toStdString(), "Unterdiagramm 2 - Zwei");
  EXPECT_EQ(zwei->Doc().ProjectDir, "/tmp/projekt/");
  EXPECT_FALSE(zwei->IsMainDiagram());
  EXPECT_EQ(form->ActiveChild(), zwei);
  EXPECT_EQ(main->Doc().SubDiagrams.size(), 2u);
  EXPECT_EQ(Entries(main, "Unterdiagrammloeschen"),
            (std::vector<std::string>{"Unterdiagramm 1 - Eins", "Unterdiagramm 2 - Zwei"}));
  EXPECT_EQ(Entries(main, "NamenAendern1"), Entries(main, "Unterdiagrammloeschen"));

  // "No" to the close question keeps the sub-diagram and its entries.
  dialogs.messages.answers = {MsgResult::No};
  eins->DeleteEntry->trigger();
  EXPECT_EQ(main->SubDiagramWindows().size(), 2u);
  EXPECT_FALSE(eins->CloseAllowed);

  main->Doc().Saved = true;
  dialogs.messages.answers = {MsgResult::Yes};
  QPointer<TFChild> gone(eins);
  eins->DeleteEntry->trigger();
  EXPECT_TRUE(gone.isNull());
  EXPECT_EQ(dialogs.messages.shown.back().text,
            "Diagramm 'Unterdiagramm 1 - Eins' wirklich schliessen?");
  EXPECT_FALSE(main->Doc().Saved);
  ASSERT_EQ(main->Doc().SubDiagrams.size(), 1u);
  EXPECT_EQ(main->Doc().SubDiagrams[0].get(), &zwei->Doc());
  EXPECT_EQ(Entries(main, "Unterdiagrammloeschen"),
            (std::vector<std::string>{"Unterdiagramm 2 - Zwei"}));
  EXPECT_EQ(Entries(main, "NamenAendern1"), (std::vector<std::string>{"Unterdiagramm 2 - Zwei"}));

  TFChild* drei = NewSub(main, "Drei");
  EXPECT_EQ(drei->Doc().FileName, "Unterdiagramm 2 - Drei");
  EXPECT_EQ(form->Children().size(), 3u);
}

TEST_F(Elements, RenamingASubDiagramActsOnTheWindowOfItsEntry) {
  TFChild* main = NewDiagram();
  TFChild* eins = NewSub(main, "Eins");
  TFChild* zwei = NewSub(main, "Zwei");

  // Cancelled: the old name stays, the main diagram still counts as changed.
  main->Doc().Saved = true;
  zwei->RenameEntry->trigger();
  EXPECT_EQ(dialogs.asked.back().caption, "Unterdiagramm umbenennen");
  EXPECT_EQ(zwei->Doc().FileName, "Unterdiagramm 2 - Zwei");
  EXPECT_FALSE(main->Doc().Saved);

  dialogs.inputs.push_back(std::string("Konten: A&B"));
  eins->RenameEntry->trigger();
  EXPECT_EQ(eins->Doc().FileName, "Konten: A&B");
  EXPECT_EQ(zwei->Doc().FileName, "Unterdiagramm 2 - Zwei");
  // The caption shows the part after the colon; the entries show the whole name.
  EXPECT_EQ(eins->windowTitle().toStdString(), " A&B");
  EXPECT_EQ(Entries(main, "NamenAendern1")[0], "Konten: A&&B");
  EXPECT_EQ(Entries(main, "Unterdiagrammloeschen")[0], "Konten: A&&B");
  eins->Redraw(true);
  EXPECT_EQ(eins->windowTitle().toStdString(), " A&B");
}

TEST_F(Elements, SubDiagramsReadFromAFileGetTheirEntries) {
  DiagramDocument doc;
  TUMLDrawClass* konto = doc.AddClassBox(std::make_unique<TUMLClass>("TKonto"));
  doc.AddSubDiagram("Teil A")->AddBoxForClass(konto->UMLClass);
  doc.AddSubDiagram("Teil B");
  ScriptedMessages m;
  ASSERT_TRUE(WriteDiagramFile(doc, Path("Bank.urd"), m));
  dialogs.openFiles.push_back(Path("Bank.urd"));
  form->FileOpen1Execute();
  TFChild* main = form->Children().front();
  ASSERT_EQ(main->SubDiagramWindows().size(), 2u);
  EXPECT_EQ(Entries(main, "Unterdiagrammloeschen"), (std::vector<std::string>{"Teil A", "Teil B"}));
  TFChild* b = main->SubDiagramWindows()[1];
  dialogs.messages.answers = {MsgResult::Yes};
  b->DeleteEntry->trigger();
  ASSERT_EQ(main->Doc().SubDiagrams.size(), 1u);
  EXPECT_EQ(main->Doc().SubDiagrams[0]->FileName, "Teil A");
}

TEST_F(Elements, TheFirstItemsOfASubDiagramInsertObjectsAndClassesOnlyOnce) {
  TFChild* main = NewDiagram();
  AddClass(main, "TKonto");
  TFChild* sub = NewSub(main, "Teil");
  // Becoming active again adapts the menus again; the commands must not pile up.
  form->ActivateChild(main);
  form->ActivateChild(sub);
  sub->UpdateMenusForDiagramKind();
  TFChild::ItemAt(sub->Klasse1, 0)->trigger();
  EXPECT_EQ(dialogs.CountAsked("TFormChooseClass"), 1);
  TFChild::ItemAt(sub->MyCreateMenu, 1)->trigger();
  EXPECT_EQ(dialogs.CountAsked("TFormChooseClass"), 2);
  dialogs.messages.shown.clear();
  TFChild::ItemAt(sub->Klasse1, 1)->trigger();
  TFChild::ItemAt(sub->MyCreateMenu, 2)->trigger();
  EXPECT_EQ(dialogs.messages.shown.size(), 2u);  // nothing copied yet, twice
  // The class files belong to main diagrams only.
  EXPECT_NE(main->Item("KlasseLaden1"), nullptr);
  EXPECT_EQ(sub->Item("KlasseLaden1"), nullptr);
}

TEST_F(Elements, TheProjectDirectoryIsSharedByTheWholeFamily) {
  TFChild* main = NewDiagram();
  TFChild* eins = NewSub(main, "Eins");
  TFChild* zwei = NewSub(main, "Zwei");
  const std::string base = Path("");
  const std::string fresh = Path("neu");
  // A new sub-directory is created first and becomes the project directory when it is
  // chosen again.
  auto choose = [this](const std::string& list, const std::string& sub) {
    dialogs.dialogScripts.push_back([list, sub](TDialogForm& f) {
      auto& d = dynamic_cast<TChangeDirectoryForm&>(f);
      d.SetListDirectory(list);
      d.SetSubDirectory(sub);
      d.PressOk();
    });
  };
  choose(base, "neu");
  zwei->VerzeichnisaendernClick();
  EXPECT_TRUE(DirectoryExists(fresh));
  EXPECT_EQ(main->Doc().ProjectDir, "");
  choose(fresh, "");
  zwei->VerzeichnisaendernClick();
  EXPECT_EQ(dialogs.messages.shown.back().text,
            W("Zedro hat sich ein Verzeichnis für das Projekt gemerkt."));
  for (TFChild* w : {main, eins, zwei}) EXPECT_EQ(w->Doc().ProjectDir, fresh + "/");
  EXPECT_EQ(zwei->StatusText(), "Verzeichnis: " + fresh + "/");
  // The same directory once more: no message.
  const size_t shown = MessageCount();
  choose(fresh, "");
  eins->VerzeichnisaendernClick();
  EXPECT_EQ(MessageCount(), shown);

  // A directory that cannot be made.
  ASSERT_TRUE(WriteFileAtomically(Path("datei"), "x"));
  choose(Path("datei"), "unter");
  main->VerzeichnisaendernClick();
  EXPECT_EQ(dialogs.messages.shown.back().text, "Das neue Verzeichnis kann nicht erstellt werden");
  EXPECT_EQ(main->Doc().ProjectDir, fresh + "/");
}

// ---- copy and paste --------------------------------------------------------------------

TEST_F(Elements, PastingIntoAMainDiagramMakesAnIndependentNormalClass) {
  TFChild* main = NewDiagram();
  TUMLDrawClass* konto = AddClass(main, "TKonto", 100, 120);
  konto->UMLClass->IsLibraryClass = true;
  konto->UMLClass->IsAbstract = true;
  AddAttribute(*konto->UMLClass, "stand", "Integer");
  konto->Options.RGWidth = 1;
  EXPECT_FALSE(form->Item("PasteItem")->isEnabled());
  Copy(main);
  EXPECT_TRUE(form->Item("PasteItem")->isEnabled());
  Paste(main);
  ASSERT_EQ(main->Doc().DrawClasses.Count(), 2);
  TUMLDrawClass* copy = main->Doc().DrawClasses.At(1);
  ASSERT_NE(copy->UMLClass, konto->UMLClass);
  EXPECT_EQ(copy->UMLClass->Name, "TKonto");
  EXPECT_TRUE(copy->UMLClass->IsAbstract);
  EXPECT_FALSE(copy->UMLClass->IsLibraryClass);
  EXPECT_EQ(copy->Left, konto->Left + 3);
  EXPECT_EQ(copy->Top, konto->Top + 4);
  EXPECT_EQ(copy->Options.RGWidth, 1);
  EXPECT_EQ(main->Doc().CurrentBox, copy);
  ASSERT_EQ(copy->UMLClass->Attributes.Count(), 1);
  copy->UMLClass->Attributes.At(0)->Name = "saldo";
  EXPECT_EQ(konto->UMLClass->Attributes.At(0)->Name, "stand");
  AddAttribute(*copy->UMLClass, "zins", "Real");
  EXPECT_EQ(konto->UMLClass->Attributes.Count(), 1);

  // The clipboard is not used up.
  Paste(main);
  EXPECT_EQ(main->Doc().DrawClasses.Count(), 3);
}

TEST_F(Elements, TwoSelectedBoxesPastedTwiceGiveFourBoxes) {
  TFChild* source = NewDiagram();
  TUMLDrawClass* a = AddClass(source, "TA");
  TUMLDrawClass* b = AddClass(source, "TB", 200, 50);
  source->Doc().Selection.Add(a);
  source->Doc().Selection.Add(b);
  Copy(source);
  TFChild* target = NewDiagram();
  Paste(target);
  Paste(target);
  ASSERT_EQ(target->Doc().DrawClasses.Count(), 4);
  std::vector<std::string> names;
  for (TUMLDrawClass* box : target->Doc().DrawClasses.Items) names.push_back(box->UMLClass->Name);
  EXPECT_EQ(names, (std::vector<std::string>{"TA", "TB", "TA", "TB"}));
  EXPECT_EQ(source->Doc().DrawClasses.Count(), 2);
}

TEST_F(Elements, PastingIntoASubDiagramShowsTheSameClass) {
  TFChild* main = NewDiagram();
  TUMLDrawClass* konto = AddClass(main, "TKonto");
  TFChild* sub = NewSub(main, "Teil");
  Copy(main);
  Paste(sub);
  ASSERT_EQ(sub->Doc().DrawClasses.Count(), 1);
  TUMLDrawClass* shown = sub->Doc().DrawClasses.At(0);
  EXPECT_FALSE(shown->IsObjectBox());
  EXPECT_EQ(shown->UMLClass, konto->UMLClass);
  EXPECT_EQ(sub->Doc().CurrentClass, konto->UMLClass);
  EXPECT_EQ(main->Doc().DrawClasses.Count(), 1);
  // A member added through the sub-diagram's box is the main box's member too.
  AddAttribute(*shown->UMLClass, "stand", "Integer");
  EXPECT_EQ(konto->UMLClass->Attributes.Count(), 1);

  // An object copied from one sub-diagram into another keeps name and values.
  TUMLDrawObject* k1 = InsertObject(sub, 0, "k1");
  k1->Values.Item(0).Value = "42";
  TFChild* other = NewSub(main, "Anderes");
  Copy(sub);
  Paste(other);
  ASSERT_EQ(other->Doc().DrawClasses.Count(), 1);
  auto* pasted = dynamic_cast<TUMLDrawObject*>(other->Doc().DrawClasses.At(0));
  ASSERT_NE(pasted, nullptr);
  EXPECT_EQ(pasted->ObjectName, "k1");
  EXPECT_EQ(pasted->Values.ValueAt(0), "42");
  EXPECT_EQ(pasted->UMLClass, konto->UMLClass);

  // The same object pasted into the main diagram becomes a box of a copy of its class.
  Paste(main);
  ASSERT_EQ(main->Doc().DrawClasses.Count(), 2);
  EXPECT_FALSE(main->Doc().DrawClasses.At(1)->IsObjectBox());
  EXPECT_NE(main->Doc().DrawClasses.At(1)->UMLClass, konto->UMLClass);
}

TEST_F(Elements, PastingAClassOfAnotherMainDiagramIntoASubDiagramIsRefused) {
  TFChild* first = NewDiagram();
  AddClass(first, "TFremd");
  TFChild* main = NewDiagram();
  AddClass(main, "TKonto");
  TFChild* sub = NewSub(main, "Teil");
  Copy(first);
  sub->Doc().Saved = true;
  Paste(sub);
  EXPECT_EQ(dialogs.messages.shown.back().text,
            W("Klassen aus anderen Diagrammen müssen erst ins Hauptdiagramm geladen werden!"));
  EXPECT_EQ(sub->Doc().DrawClasses.Count(), 0);
  EXPECT_EQ(sub->Doc().Surface.ComponentCount(), 0);
  EXPECT_TRUE(sub->Doc().Saved);
}

TEST_F(Elements, BoxesThatAreGoneCannotBePasted) {
  const std::string nothing =
      W("Einfügen einer Klasse/eines Objektes ist nicht möglich.\n  Bitte kopieren Sie erst eine "
        "Klasse/ein Objekt.");
  TFChild* main = NewDiagram();
  Paste(main);  // nothing copied yet
  EXPECT_EQ(dialogs.messages.shown.back().text, nothing);
  EXPECT_EQ(main->Doc().DrawClasses.Count(), 0);

  // A single box deleted after copying.
  TUMLDrawClass* konto = AddClass(main, "TKonto");
  Copy(main);
  dialogs.messages.answers = {MsgResult::Yes};
  main->DeleteClassClick();
  Paste(main);
  EXPECT_EQ(dialogs.messages.shown.back().text, nothing);
  EXPECT_EQ(main->Doc().DrawClasses.Count(), 0);

  // Selected boxes of a sub-diagram that is deleted afterwards.
  konto = AddClass(main, "TKonto");
  TFChild* sub = NewSub(main, "Teil");
  TUMLDrawClass* shown = sub->Doc().AddBoxForClass(konto->UMLClass);
  sub->Doc().Selection.Add(shown);
  Copy(sub);
  ASSERT_EQ(form->ClipboardBoxes.Count(), 1);
  dialogs.messages.answers = {MsgResult::Yes};
  sub->DeleteEntry->trigger();
  EXPECT_EQ(form->ClipboardBoxes.Count(), 0);

  // A box of a main diagram window that is closed.
  Copy(main);
  ASSERT_EQ(form->ClipboardBox, konto);
  TFChild* other = NewDiagram();
  main->ClosingAll = true;
  main->close();
  QApplication::processEvents();
  EXPECT_EQ(form->ClipboardBox, nullptr);
  Paste(other);
  EXPECT_EQ(dialogs.messages.shown.back().text, nothing);
  EXPECT_EQ(other->Doc().DrawClasses.Count(), 0);
}

TEST_F(Elements, CopyingNeedsACurrentClassOrASelection) {
  TFChild* main = NewDiagram();
  main->KlassekopierenClick();  // an empty surface: nothing happens
  EXPECT_TRUE(dialogs.messages.shown.empty());
  main->Doc().AddInfoBox();
  main->KlassekopierenClick();
  EXPECT_EQ(dialogs.messages.shown.back().text, W("Es ist keine aktuelle Klasse angewählt"));
  EXPECT_FALSE(form->Item("PasteItem")->isEnabled());
}

// ---- class files -----------------------------------------------------------------------

TEST_F(Elements, AClassSavedAsAFileIsLoadedIntoAnotherMainDiagram) {
  TFChild* main = NewDiagram();
  TUMLDrawClass* konto = AddClass(main, "TKonto");
  AddAttribute(*konto->UMLClass, "stand", "Integer");
  konto->UMLClass->Documentation = {"Ein Konto"};
  dialogs.saveFiles.push_back(Path("Konto"));
  main->Item("KlasseSpeichern1")->trigger();
  EXPECT_EQ(dialogs.fileRequests.back().fileName, "TKonto.umc");
  EXPECT_EQ(dialogs.fileRequests.back().filter, "UML-Klassen (*.umc)|*.umc|Alle Dateien (*.*)|*.*");
  ASSERT_TRUE(FileExists(Path("Konto.umc")));

  TFChild* other = NewDiagram();
  other->ClickPos = {300, 300};
  dialogs.openFiles.push_back(Path("Konto.umc"));
  other->Item("KlasseLaden1")->trigger();
  ASSERT_EQ(other->Doc().DrawClasses.Count(), 1);
  TUMLDrawClass* loaded = other->Doc().DrawClasses.At(0);
  EXPECT_EQ(other->Doc().CurrentBox, loaded);
  EXPECT_EQ(loaded->UMLClass->Name, "TKonto");
  EXPECT_EQ(loaded->UMLClass->Documentation, StringList{"Ein Konto"});
  ASSERT_EQ(loaded->UMLClass->Attributes.Count(), 1);
  EXPECT_EQ(loaded->UMLClass->Attributes.At(0)->Name, "stand");
  // At (50, 50) and the component offset, whatever the last click was.
  EXPECT_EQ(loaded->Left, 50 + other->Doc().Surface.ComponentCount());

  // A damaged file gives its message and no box; a sub-diagram refuses.
  ASSERT_TRUE(WriteFileAtomically(Path("kaputt.umc"), "\x03\x01"));
  dialogs.openFiles.push_back(Path("kaputt.umc"));
  other->LadeObjectClick();
  EXPECT_EQ(other->Doc().DrawClasses.Count(), 1);
  TFChild* sub = NewSub(other, "Teil");
  sub->LadeObjectClick();
  EXPECT_EQ(dialogs.messages.shown.back().text,
            W("Neue Klassen können nur im Hauptdiagramm geladen werden"));
}

// ---- display options -------------------------------------------------------------------

TEST_F(Elements, AFontChosenInTheBoxOptionsClosesTheDialogAndRedrawsEveryWindow) {
  TFChild* other = NewDiagram();
  TFChild* main = NewDiagram();
  TUMLDrawClass* konto = AddClass(main, "TKonto");
  other->Doc().Saved = true;
  TFontSpec chosen;
  chosen.Name = "Courier New";
  chosen.Size = 12;
  bool openAfterFont = true;
  dialogs.dialogScripts.push_back([&](TDialogForm& f) {
    auto& o = dynamic_cast<TOptionsForm&>(f);
    EXPECT_EQ(&o.Options, &konto->Options);
    o.FontChosen(chosen);
    openAfterFont = o.IsOpen();
  });
  main->MiKlassenDarstellungAendernClick();
  EXPECT_FALSE(openAfterFont);
  EXPECT_EQ(konto->Options.Font.Name, "Courier New");
  EXPECT_FALSE(other->Doc().Saved);
}

TEST_F(Elements, TheDefaultsOfAllBoxesApplyOnlyWhenConfirmed) {
  TFChild* main = NewDiagram();
  TUMLDrawClass* a = AddClass(main, "TA");
  TUMLDrawClass* b = AddClass(main, "TB", 200, 50);
  // Closed with the close box: the defaults changed, the boxes did not.
  dialogs.dialogScripts.push_back(
      [](TDialogForm& f) { dynamic_cast<TOptionsForm&>(f).Options.RGWidth = 2; });
  main->AlleKlassendarstellungenAendernClick();
  EXPECT_EQ(main->Doc().ClassOptions.RGWidth, 2);
  EXPECT_EQ(a->Options.RGWidth, 0);
  EXPECT_EQ(b->Options.RGWidth, 0);
  dialogs.dialogScripts.push_back([](TDialogForm& f) {
    auto& o = dynamic_cast<TOptionsForm&>(f);
    o.Options.RgPrivate = 1;
    o.PressOk();
  });
  main->AlleKlassendarstellungenAendernClick();
  for (TUMLDrawClass* box : {a, b}) {
    EXPECT_EQ(box->Options.RGWidth, 2);
    EXPECT_EQ(box->Options.RgPrivate, 1);
  }
}

TEST_F(Elements, TheFontOfAllConnectionsKeepsTheirColours) {
  TFChild* main = NewDiagram();
  TUMLDrawClass* a = AddClass(main, "TA");
  TUMLDrawClass* b = AddClass(main, "TB", 200, 50);
  TConnection* hat = main->Doc().AddConnection(a, 5, b, 30, kHat);
  hat->Color = RGB(0, 0, 170);
  TFontSpec chosen;
  chosen.Name = "Arial";
  chosen.Size = 14;
  chosen.Color = RGB(200, 0, 0);
  auto activate = [](TDialogForm& f) { dynamic_cast<TCoOptionsForm&>(f).Activate(); };
  // The font dialog opens as soon as the options dialog is active; cancelling it ends all.
  dialogs.dialogScripts.push_back(activate);
  dialogs.fonts.push_back(std::nullopt);
  main->SchriftallerBeziehungenAendernClick();
  EXPECT_EQ(dialogs.CountAsked("font"), 1);
  EXPECT_EQ(hat->CoOptions->Font.Name, "MS Sans Serif");

  dialogs.dialogScripts.push_back(activate);
  dialogs.fonts.push_back(chosen);
  main->SchriftallerBeziehungenAendernClick();
  EXPECT_EQ(main->Doc().ConnectionOptions.Font.Name, "Arial");
  EXPECT_EQ(hat->CoOptions->Font.Name, "Arial");
  EXPECT_EQ(hat->CoOptions->Font.Size, 14);
  EXPECT_EQ(hat->Color, RGB(0, 0, 170));
}

TEST_F(Elements, TheConnectionFontDialogStaysOpenWhenItsFontButtonIsCancelled) {
  ScriptedDialogs d;
  TFCoOptions options;
  TCoOptionsForm f(d, options);
  EXPECT_EQ(f.Caption, "FCoOptions");
  d.fonts = {std::nullopt};
  f.PressFont();
  EXPECT_TRUE(f.IsOpen());
  TFontSpec chosen;
  chosen.Name = "Arial";
  d.fonts = {chosen};
  f.PressFont();
  EXPECT_EQ(f.Result, kResultOk);
  EXPECT_EQ(options.Font.Name, "Arial");
}

// ---- saving and reading ----------------------------------------------------------------

TEST_F(Elements, SavingAndReadingGivesTheSameDiagram) {
  TFChild* main = NewDiagram();
  TUMLDrawClass* konto = AddClass(main, "TKonto");
  TUMLDrawClass* bank = AddClass(main, "TBank", 250, 60);
  AddAttribute(*konto->UMLClass, "stand", "Integer");
  AddAttribute(*konto->UMLClass, "inhaber", "String");
  main->Doc().AddConnection(bank, 20, konto, 40, kHat);
  dialogs.dialogScripts.push_back([](TDialogForm& f) {
    auto& memo = dynamic_cast<TInfoBoxForm&>(f);
    memo.Lines = {"Bank", W("Übersicht")};
    memo.PressOk();
  });
  main->InfoBoxEinfuegenClick();

  TFChild* sub = NewSub(main, "Objekte");
  main->Doc().CurrentBox = konto;
  Copy(main);
  Paste(sub);
  sub->ClickPos = {220, 160};
  ScriptObject(0, [](TChangeObjectForm& f) {
    f.SetValue(0, "Max");
    f.SetValue(1, "100");
    f.ObjectName = "k1";
    f.PressOk();
  });
  sub->ObjektEinfuegenClick();
  dialogs.dialogScripts.push_back([](TDialogForm& f) {
    auto& memo = dynamic_cast<TInfoBoxForm&>(f);
    memo.Lines = {"Das Konto von Max"};
    memo.PressOk();
  });
  sub->InfozueinerKlasseeinfgen1Click();
  NewSub(main, "Leer");
  for (TFChild* w : {main, sub}) w->Redraw(true);

  dialogs.saveFiles.push_back(Path("Bank.urd"));
  main->SaveDiagrammAs();
  ASSERT_TRUE(main->Doc().Saved);
  const std::string before = Dump(main->Doc());
  EXPECT_NE(before.find("\"k1\""), std::string::npos);

  dialogs.openFiles.push_back(Path("Bank.urd"));
  form->FileOpen1Execute();
  TFChild* reopened = form->ActiveChild();
  ASSERT_NE(reopened, main);
  ASSERT_EQ(reopened->SubDiagramWindows().size(), 2u);
  EXPECT_EQ(Dump(reopened->Doc()), before);
  EXPECT_EQ(reopened->SubDiagramWindows()[0]->Doc().FileName, "Unterdiagramm 1 - Objekte");
}

}  // namespace
}  // namespace zedro
