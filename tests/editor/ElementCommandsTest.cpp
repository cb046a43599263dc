// Classes, notes, objects, sub-diagrams, copy and paste and the display options.
#include <QPointer>
#include <map>

#include "EditorFixture.h"
#include "codegen/CodegenTestSupport.h"

namespace zedro {
namespace {

using namespace editortest;
using testing::AddAttr;

class Elements : public EditorTest {
 protected:
  TFChild* NewSub(TFChild* main, const std::string& name) {
    dialogs.inputs.push_back(name);
    main->SubDiagrams().erzeugeUnterdiagrammClick();
    return main->SubDiagramWindows().back();
  }
  // Chooses the class at the index in the class chooser, then answers the object dialog.
  void ScriptObject(int classIndex, std::function<void(TChangeObjectForm&)> values) {
    Ok<TChooseClassForm>([classIndex](TChooseClassForm& c) { c.Selected = classIndex; });
    Answer<TChangeObjectForm>(values);
  }
  TUMLDrawObject* InsertObject(TFChild* sub, const std::string& name) {
    ScriptObject(0, [name](TChangeObjectForm& f) {
      f.ObjectName = name;
      f.PressOk();
    });
    sub->Elements().ObjektEinfuegenClick();
    return static_cast<TUMLDrawObject*>(sub->Doc().CurrentBox);
  }
  void Note(const StringList& lines) {
    Ok<TInfoBoxForm>([lines](TInfoBoxForm& f) { f.Lines = lines; });
  }
  void Copy(TFChild* w) {
    form->ActivateChild(w);
    form->CopyItemClick();
  }
  void Paste(TFChild* w) {
    form->ActivateChild(w);
    form->PasteItemClick();
  }
  static Names Entries(TFChild* main, const char* submenu) {
    Names out;
    for (QAction* a : main->Menu(submenu)->actions())
      out.push_back(PlainCaption(a->text()).toStdString());
    return out;
  }
};

const std::string kNothingToPaste =
    W("Einfügen einer Klasse/eines Objektes ist nicht möglich.\n"
      "  Bitte kopieren Sie erst eine Klasse/ein Objekt.");

TEST_F(Elements, DeletingAClassOfAMainDiagramTakesItsBoxesInEverySubDiagram) {
  TFChild* main = NewDiagram();
  TUMLDrawClass* konto = AddClass(main, "TKonto");
  TUMLDrawClass* bank = AddClass(main, "TBank", 250);
  main->Doc().AddConnection(konto, 5, bank, 30, TConnectionKind::Ist);
  main->Doc().AddConnection(bank, 3, bank, 9, TConnectionKind::Auftrag);
  TFChild* sub1 = NewSub(main, "Eins");
  TFChild* sub2 = NewSub(main, "Zwei");
  TUMLDrawClass* k1 = sub1->Doc().AddBoxForClass(konto->UMLClass);
  TUMLDrawClass* b1 = sub1->Doc().AddBoxForClass(bank->UMLClass, 200);
  sub1->Doc().AddConnection(b1, 1, k1, 2, TConnectionKind::Kennt);
  TUMLDrawClass* k2 = sub2->Doc().AddObjectBox(konto->UMLClass, 80, 80);
  sub2->Doc().AddConnection(k2, 1, k2, 1, TConnectionKind::ClassInfo);
  sub2->Doc().CurrentBox = k2;
  sub2->Doc().CurrentClass = konto->UMLClass;
  main->Doc().CurrentBox = konto;
  main->Doc().CurrentClass = konto->UMLClass;
  dialogs.messages.answers = {MsgResult::Yes, MsgResult::Yes};
  main->Elements().DeleteClassClick();
  EXPECT_EQ(dialogs.messages.Texts(),
            (Names{W("Möchten Sie die Klasse ->'TKonto'<- wirklich löschen?"),
                   W("Sie möchten eine Klasse in einem Hauptdiagramm mit Unterdiagrammen "
                     "löschen!\n\nMöchten Sie die Klasse ->'TKonto'<- ganz sicher löschen?")}));
  EXPECT_EQ(main->Doc().DrawClasses.Items, std::vector<TUMLDrawClass*>{bank});
  EXPECT_EQ(main->Doc().Connections.Count(), 1);  // TBank's message to itself stays
  EXPECT_EQ(sub1->Doc().DrawClasses.Items, std::vector<TUMLDrawClass*>{b1});
  EXPECT_EQ(sub1->Doc().Connections.Count(), 0);
  EXPECT_EQ(sub2->Doc().DrawClasses.Count() + sub2->Doc().Connections.Count(), 0);
  EXPECT_EQ(sub2->Doc().CurrentBox, nullptr);

  // The last box of a sub-diagram: one question only, the class stays with the main diagram.
  TFChild* sub3 = NewSub(main, "Drei");
  InsertObject(sub3, "b1");
  dialogs.messages.shown.clear();
  dialogs.messages.answers = {MsgResult::Yes};
  sub3->Elements().DeleteClassClick();
  EXPECT_EQ(dialogs.messages.Texts(),
            Names{W("Möchten Sie das Object ->'b1'<- wirklich löschen?")});
  EXPECT_EQ(sub3->Doc().DrawClasses.Count(), 0);
  EXPECT_EQ(main->Doc().DrawClasses.Items, std::vector<TUMLDrawClass*>{bank});
  sub3->Elements().InfozueinerKlasseeinfgen1Click();
  EXPECT_EQ(LastMessage(), W("Es ist keine aktuelle Klasse angewählt."));
}

TEST_F(Elements, NotesOfAClassSitAboveItAndFreeNotesTakeTheConnectionFont) {
  EXPECT_EQ(ElementCommands::ClassNoteOffsetY(3, -13), -52);
  TFChild* main = NewDiagram();
  TUMLDrawClass* konto = AddClass(main, "TKonto");
  main->Doc().ConnectionOptions.Font.Size = 9;
  main->Doc().ConnectionOptions.Font.Bold = true;
  // The note of a class has a fresh font of its own, not the window's connection font.
  Note({"Erste", "Zweite", "Dritte"});
  main->Elements().InfozueinerKlasseeinfgen1Click();
  ASSERT_EQ(main->Doc().Connections.Count(), 1);
  TConnection* classNote = main->Doc().Connections.At(0);
  EXPECT_TRUE(classNote->StartBox == konto && classNote->EndBox == konto);
  EXPECT_EQ(classNote->TextOffsetY, -46);  // 3 lines of the default font, 11 pixels high

  Note({"Hinweis"});
  main->Elements().InfoBoxEinfuegenClick();
  ASSERT_EQ(main->Doc().InfoBoxes.Count(), 1);
  EXPECT_EQ(main->Doc().InfoBoxes.At(0)->FontDialog->Size, 10);

  dialogs.messages.answers = {MsgResult::Yes};
  main->Elements().InfoBoxLoeschenClick();
  EXPECT_EQ(main->Doc().InfoBoxes.Count(), 0);
  // The text box of a connection is not a free note: it is never deleted on its own.
  main->DraggedBox = classNote->TextBox;
  main->Elements().InfoBoxLoeschenClick();
  EXPECT_TRUE(main->Doc().Surface.Owns(classNote->TextBox));
}

TEST_F(Elements, AnObjectIsInsertedAtTheClickForAChosenClassOfTheMainDiagram) {
  TFChild* main = NewDiagram();
  AddClass(main, "TKonto");
  TUMLDrawClass* bank = AddClass(main, "TBank", 250);
  AddAttr(*bank->UMLClass, "blz", "Integer");
  TFChild* sub = NewSub(main, "Teil");
  sub->ClickPos = {200, 140};
  Names offered;
  std::string proposed;
  Ok<TChooseClassForm>([&offered](TChooseClassForm& c) {
    offered = c.Items;
    c.Selected = 1;
  });
  Ok<TChangeObjectForm>([&proposed](TChangeObjectForm& o) {
    proposed = o.ObjectName;
    o.SetValue(0, "37040044");
    o.ObjectName = "vb";
  });
  sub->Elements().ObjektEinfuegenClick();
  EXPECT_EQ(offered, (Names{"TKonto", "TBank"}));
  EXPECT_EQ(proposed, "TBank");
  auto* object = dynamic_cast<TUMLDrawObject*>(sub->Doc().CurrentBox);
  ASSERT_NE(object, nullptr);
  EXPECT_EQ(object->UMLClass, bank->UMLClass);
  EXPECT_EQ(object->ObjectName + " " + object->Values.ValueAt(0), "vb 37040044");
  // At the click, moved on by the surface's component count like every new box.
  EXPECT_EQ(object->Top, 140 + sub->Doc().Surface.ComponentCount());
}

TEST_F(Elements, ObjectValuesFollowTheAttributesOfTheirClassAndKeepWhatWasTyped) {
  TFChild* main = NewDiagram();
  TUMLClass& cls = *AddClass(main, "TKonto")->UMLClass;
  TAttribute* stand = AddAttr(cls, "stand", "Integer");
  TAttribute* inhaber = AddAttr(cls, "inhaber", "Integer");
  TFChild* sub = NewSub(main, "Teil");
  TUMLDrawObject* k1 = InsertObject(sub, "k1");
  ASSERT_NE(nullptr, k1);
  for (int i = 0; i < k1->Values.Count(); ++i)
    k1->Values.Item(i).Value = k1->Values.AttributeAt(i) == stand ? "100" : "Max";

  // Renamed in place the value stays; a new attribute gets "-".
  stand->Name = "kontostand";
  AddAttr(cls, "zins", "Integer");
  std::map<std::string, std::string> grid;
  Ok<TChangeObjectForm>([&grid](TChangeObjectForm& o) {
    for (int r = 0; r < o.RowCount(); ++r) grid[o.AttributeName(r)] = o.Value(r);
  });
  sub->Elements().Wertbelegungaendern1Click();
  EXPECT_EQ(grid, (std::map<std::string, std::string>{
                      {"kontostand", "100"}, {"inhaber", "Max"}, {"zins", "-"}}));

  // Purged from the class: the object keeps only the other values.
  form->PurgeAttribute(cls, *inhaber);
  cls.RemoveAttribute(inhaber);
  ASSERT_EQ(k1->Values.Count(), 2);
  for (int i = 0; i < k1->Values.Count(); ++i) EXPECT_NE(k1->Values.AttributeAt(i), inhaber);

  // Abbrechen in the value grid keeps the typed values, not the name, and marks the change.
  main->Doc().Saved = sub->Doc().Saved = true;
  Answer<TChangeObjectForm>([](TChangeObjectForm& o) {
    o.SetValue(0, "250");
    o.ObjectName = "anders";
    o.PressCancel();
  });
  sub->Elements().Wertbelegungaendern1Click();
  EXPECT_EQ(k1->Values.ValueAt(0), "250");
  EXPECT_EQ(k1->ObjectName, "k1");
  dialogs.messages.answers = {MsgResult::Cancel};
  EXPECT_FALSE(main->AskClose());
  EXPECT_NE(LastMessage().find(W("in diesem geänderten Zustand speichern?")), std::string::npos);
}

TEST_F(Elements, SubDiagramsAreNumberedByTheirCountWhenCreatedAndRenamedByTheirEntries) {
  TFChild* main = NewDiagram();
  main->Doc().ProjectDir = "/tmp/projekt/";
  TFChild* eins = NewSub(main, "Eins");
  TFChild* zwei = NewSub(main, "Zwei");
  EXPECT_EQ(zwei->Doc().ProjectDir, "/tmp/projekt/");
  EXPECT_EQ(Entries(main, "NamenAendern1"),
            (Names{"Unterdiagramm 1 - Eins", "Unterdiagramm 2 - Zwei"}));

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
  EXPECT_EQ(LastMessage(), "Diagramm 'Unterdiagramm 1 - Eins' wirklich schliessen?");
  EXPECT_FALSE(main->Doc().Saved);
  TFChild* drei = NewSub(main, "Drei");
  EXPECT_EQ(drei->Doc().FileName, "Unterdiagramm 2 - Drei");

  // Renaming acts on the window of its entry; cancelled, the main diagram still counts as
  // changed.
  main->Doc().Saved = true;
  zwei->RenameEntry->trigger();
  EXPECT_EQ(zwei->Doc().FileName, "Unterdiagramm 2 - Zwei");
  EXPECT_FALSE(main->Doc().Saved);
  dialogs.inputs.push_back(std::string("Konten: A&B"));
  drei->RenameEntry->trigger();
  // Shown as named: the "&" is no access-key marker.
  EXPECT_EQ(Entries(main, "Unterdiagrammloeschen")[1], "Konten: A&B");
}

TEST_F(Elements, PastingIntoAMainDiagramMakesIndependentNormalClasses) {
  TFChild* main = NewDiagram();
  TUMLDrawClass* konto = AddClass(main, "TKonto", 100);
  konto->UMLClass->IsLibraryClass = true;
  AddAttr(*konto->UMLClass, "stand", "Integer");
  QAction* paste = form->Item("PasteItem");
  ASSERT_NE(nullptr, paste);
  EXPECT_FALSE(paste->isEnabled());
  Copy(main);
  EXPECT_TRUE(paste->isEnabled());
  Paste(main);
  ASSERT_EQ(main->Doc().DrawClasses.Count(), 2);
  TUMLDrawClass* copy = main->Doc().DrawClasses.At(1);
  ASSERT_NE(copy->UMLClass, konto->UMLClass);
  EXPECT_FALSE(copy->UMLClass->IsLibraryClass);
  EXPECT_EQ(copy->Top, konto->Top + 4);
  ASSERT_EQ(copy->UMLClass->Attributes.Count(), 1);
  copy->UMLClass->Attributes.At(0)->Name = "saldo";
  EXPECT_EQ(konto->UMLClass->Attributes.At(0)->Name, "stand");

  // Two selected boxes pasted twice give four boxes.
  TFChild* source = NewDiagram();
  source->Doc().Selection.Add(AddClass(source, "TA"));
  source->Doc().Selection.Add(AddClass(source, "TB", 200));
  Copy(source);
  TFChild* target = NewDiagram();
  Paste(target);
  Paste(target);
  Names names;
  for (TUMLDrawClass* box : target->Doc().DrawClasses.Items) names.push_back(box->UMLClass->Name);
  EXPECT_EQ(names, (Names{"TA", "TB", "TA", "TB"}));
}

TEST_F(Elements, PastingIntoASubDiagramShowsTheSameClassOfItsOwnMainDiagramOnly) {
  TFChild* main = NewDiagram();
  TUMLDrawClass* konto = AddClass(main, "TKonto");
  TFChild* sub = NewSub(main, "Teil");
  Copy(main);
  Paste(sub);
  ASSERT_EQ(sub->Doc().DrawClasses.Count(), 1);
  EXPECT_EQ(sub->Doc().DrawClasses.At(0)->UMLClass, konto->UMLClass);

  // A class of another main diagram is refused.
  TFChild* foreign = NewSub(NewDiagram(), "Fremd");
  Copy(main);
  foreign->Doc().Saved = true;
  Paste(foreign);
  EXPECT_EQ(LastMessage(),
            W("Klassen aus anderen Diagrammen müssen erst ins Hauptdiagramm geladen werden!"));
  EXPECT_EQ(foreign->Doc().Surface.ComponentCount(), 0);
  EXPECT_TRUE(foreign->Doc().Saved);
}

TEST_F(Elements, BoxesThatAreGoneCannotBePasted) {
  TFChild* main = NewDiagram();
  Paste(main);  // nothing copied yet
  EXPECT_EQ(LastMessage(), kNothingToPaste);

  // A single box deleted after copying.
  AddClass(main, "TKonto");
  Copy(main);
  dialogs.messages.answers = {MsgResult::Yes};
  main->Elements().DeleteClassClick();
  Paste(main);
  EXPECT_EQ(LastMessage(), kNothingToPaste);

  TUMLDrawClass* konto = AddClass(main, "TKonto");
  Copy(main);
  ASSERT_EQ(form->ClipboardBox, konto);
  TFChild* other = NewDiagram();
  main->ClosingAll = true;
  main->close();
  EXPECT_EQ(form->ClipboardBox, nullptr);
  Paste(other);
  EXPECT_EQ(LastMessage(), kNothingToPaste);
  EXPECT_EQ(other->Doc().DrawClasses.Count(), 0);
}

TEST_F(Elements, AFontChosenInTheBoxOptionsClosesTheDialogAndRedrawsEveryWindow) {
  TFChild* other = NewDiagram();
  TFChild* main = NewDiagram();
  TUMLDrawClass* konto = AddClass(main, "TKonto");
  other->Doc().Saved = true;
  // A font chosen in the box options closes the dialog and redraws every window.
  bool openAfterFont = true;
  Answer<TOptionsForm>([&](TOptionsForm& o) {
    TFontSpec chosen;
    chosen.Name = "Courier New";
    o.FontChosen(chosen);
    openAfterFont = o.IsOpen();
  });
  main->Elements().MiKlassenDarstellungAendernClick();
  EXPECT_FALSE(openAfterFont);
  EXPECT_EQ(konto->Options.Font.Name, "Courier New");
  EXPECT_FALSE(other->Doc().Saved);
}

}  // namespace
}  // namespace zedro
