// The class inspector and the rules for editing members, offscreen with scripted dialogs.
#include <QDialog>
#include <QPushButton>
#include <QTreeWidget>

#include "EditorFixture.h"
#include "codegen/CodegenTestSupport.h"
#include "editor/MemberEditor.h"
#include "editor/QtDialogs.h"
#include "editor/TFClassInspector.h"

namespace zedro {
namespace {

using namespace editortest;
using Lines = StringList;

// A diagram window with the class TPerson shown in the inspector.
class Inspector : public EditorTest {
 protected:
  void SetUp() override {
    EditorTest::SetUp();
    child = NewDiagram();
    box = AddClass(child, "TPerson");
    cls = box->UMLClass;
    form->ShowClassInInspector(cls);
  }

  TFClassInspector& Insp() { return *dynamic_cast<TFClassInspector*>(form->ClassInspector()); }
  void Reply(std::initializer_list<MsgResult> a) {
    dialogs.messages.answers.insert(dialogs.messages.answers.end(), a);
  }
  bool Shown(const std::string& utf8) { return dialogs.messages.Contains(W(utf8)); }
  // A new attribute through the inspector, with read and write methods.
  TAttribute* NewAttribute(const std::string& name, const std::string& type, bool read = true) {
    Ok<TAttributeForm>([=](TAttributeForm& f) {
      f.Name = name;
      f.Type = type;
      f.SetReadChecked(read);
      f.SetWriteChecked(true);
    });
    Insp().BtNewAttributeClick();
    for (TAttribute* a : cls->Attributes.Items)
      if (a->Name == name) return a;
    ADD_FAILURE() << "no attribute " << name;
    return nullptr;
  }
  static TMethod* Method(TUMLClass* c, const std::string& name,
                         TMethodKind kind = TMethodKind::Procedure,
                         TVisibility v = TVisibility::Public) {
    const char* result = kind == TMethodKind::Function ? "Integer" : "";
    return testing::AddMeth(*c, {name, kind, {}, result, v});
  }
  // Selects a node as the mouse would and lets the selection settle.
  void Pick(QTreeWidgetItem* node) {
    Insp().TVclass->setCurrentItem(node);
    QApplication::processEvents();
  }

  TFChild* child = nullptr;
  TUMLDrawClass* box = nullptr;
  TUMLClass* cls = nullptr;
};

TEST_F(Inspector, NewAttributeWritesItsMethodsInTheApplicationsLanguage) {
  TAttribute* a = NewAttribute("alter", "Integer");
  EXPECT_EQ(a->Visibility, TVisibility::Protected);
  EXPECT_EQ(a->ReadMethod->Code, (Lines{"begin", "  result  := alter", "end;"}));
  EXPECT_EQ(a->WriteMethod->MethodSignature(1), "SetzeAlter(pAlter: Integer)");
  EXPECT_EQ(a->WriteMethod->Code, (Lines{"begin", "  alter := pAlter", "end;"}));
}

TEST_F(Inspector, ChangedAttributeKeepsItsMethodsOnceAndWritesInTheDiagramsNotation) {
  TAttribute* a = NewAttribute("alter", "Integer", false);
  TMethod* write = a->WriteMethod;
  form->LanguageOfMainWindow = 2;         // must not matter: the diagram's item is Delphi
  Pick(Insp().TVclass->topLevelItem(0));  // the root does nothing
  EXPECT_EQ(dialogs.CountAsked("TFAttributeDialog"), 1);
  Ok<TAttributeForm>([](TAttributeForm& f) {
    EXPECT_EQ(f.WriteCaption, "Schreib-Auftrag beibehalten");
    f.Type = "Real";
    f.SetReadChecked(true);
  });
  Pick(Insp().AttributesNode->child(0));
  EXPECT_EQ(dialogs.CountAsked("TFAttributeDialog"), 2);
  EXPECT_EQ(std::count(cls->Methods.Items.begin(), cls->Methods.Items.end(), write), 1);
  EXPECT_EQ(write->MethodSignature(1), "SetzeAlter(pAlter: Real)");
  EXPECT_EQ(a->ReadMethod->ResultType, "Real");
  EXPECT_EQ(a->ReadMethod->Code, (Lines{"begin", "  result := alter", "end;"}));

  // Unticking "Lies-Anfrage beibehalten" keeps the query and its link.
  child->IstJavaVersionClick();
  TMethod* read = a->ReadMethod;
  Ok<TAttributeForm>([](TAttributeForm& f) {
    EXPECT_EQ(f.ReadCaption, "Lies-Anfrage beibehalten");
    f.SetReadChecked(false);
  });
  MemberEditor(*form).ChangeAttribute(*cls, *a);
  EXPECT_TRUE(a->ReadMethod == read && cls->Methods.Contains(read));
  EXPECT_EQ(write->Code, (Lines{"{", "  alter = pAlter;", "}"}));
}

TEST_F(Inspector, PublishedMembersOnlyLetTheirVisibilityBeLowered) {
  TAttribute* a = testing::AddAttr(*cls, "x", "Integer");
  TMethod* m = Method(cls, "Zahle", TMethodKind::Procedure, TVisibility::Published);
  Ok<TAttributeForm>([](TAttributeForm& f) { f.Visibility = CodeOf(TVisibility::Published); });
  Ok<TAttributeForm>([](TAttributeForm& f) { f.Name = "y"; });
  Answer<TAttributeForm>([](TAttributeForm& f) { f.PressDelete(); });
  Ok<TAttributeForm>([](TAttributeForm& f) {
    f.Name = "z";
    f.Visibility = CodeOf(TVisibility::Public);
  });
  Ok<TMethodForm>();
  Answer<TMethodForm>([](TMethodForm& f) { f.PressDelete(); });
  Ok<TMethodForm>([](TMethodForm& f) {
    f.Name = "Bezahle";
    f.Access = CodeOf(TVisibility::Public);
  });
  Reply({MsgResult::Yes, MsgResult::Yes});
  MemberEditor editor(*form);
  for (int i = 0; i < 4; ++i) editor.ChangeAttribute(*cls, *a);
  for (int i = 0; i < 3; ++i) editor.ChangeMethod(*cls, *m);
  EXPECT_EQ(dialogs.messages.Texts(),
            (Lines{W("Attribute mit dem Zugriffsrecht 'published' können nicht geändert werden!"),
                   W("Attribute mit dem Zugriffsrecht 'published' können nicht gelöscht werden!"),
                   W("Möchten Sie das Zugriffsrecht des Attributs ->'x'<- wirklich ändern?"),
                   W("Methoden mit dem Zugriffsrecht 'published' können nicht geändert werden!"),
                   W("Methoden mit dem Zugriffsrecht 'published' können nicht gelöscht werden!"),
                   W("Möchten Sie das Zugriffsrecht der Methode ->'Zahle'<- wirklich ändern?")}));
  EXPECT_TRUE(a->Name == "x" && a->Visibility == TVisibility::Public &&
              cls->Attributes.Contains(a));
  EXPECT_TRUE(m->Name == "Zahle" && m->Visibility == TVisibility::Public &&
              cls->Methods.Contains(m));
}

// A main diagram: TPerson HAT TAuto through the attribute auto, asks TAuto for its tempo
// (GibTempo, the read query of tempo) and tells it to drive (Fahre); a sub-diagram shows
// the object eva.
class InspectorFile : public Inspector {
 protected:
  void SetUp() override {
    Inspector::SetUp();
    DiagramDocument doc;
    TUMLDrawClass* person = doc.AddClassBox(std::make_unique<TUMLClass>("TPerson"), 50, 50);
    TUMLDrawClass* car = doc.AddClassBox(std::make_unique<TUMLClass>("TAuto"), 300, 50);
    auto attr = [](TUMLDrawClass* b, const char* name) {
      return testing::AddAttr(*b->UMLClass, name, "T");
    };
    TAttribute* autoAttr = attr(person, "auto");
    attr(person, "name");
    TMethod* gib = Method(car->UMLClass, "GibTempo", TMethodKind::Function);
    attr(car, "tempo")->ReadMethod = gib;
    doc.AddConnection(person, 5, car, 30, TConnectionKind::Hat)->Attributes.Add(autoAttr);
    doc.AddConnection(person, 6, car, 31, TConnectionKind::Anfrage)->Method = gib;
    doc.AddConnection(person, 7, car, 32, TConnectionKind::Auftrag)->Method =
        Method(car->UMLClass, "Fahre");
    TUMLDrawObject* eva = doc.AddSubDiagram("Teil 1")->AddObjectBox(person->UMLClass, 60, 70);
    for (int i = 0; i < eva->Values.Count(); ++i)
      eva->Values.Item(i).Value = eva->Values.AttributeAt(i)->Name == "auto" ? "golf" : "Eva";
    path = Path("Verkehr.urd");
    ScriptedMessages m;
    ASSERT_TRUE(WriteDiagramFile(doc, path, m));
    main = Open(path);
    ASSERT_NE(nullptr, main);
    ASSERT_EQ(main->Doc().FileName, path);
  }
  static TUMLClass* ClassNamed(DiagramDocument& d, const std::string& name) {
    for (TUMLDrawClass* b : d.DrawClasses.Items)
      if (b->UMLClass->Name == name) return b->UMLClass;
    return nullptr;
  }
  std::unique_ptr<DiagramDocument> SaveAndReload() {
    main->SaveDiagramm();
    auto doc = std::make_unique<DiagramDocument>();
    ScriptedMessages m;
    LoadDiagramFile(*doc, path, m);
    EXPECT_EQ(m.Texts(), Lines{});
    return doc;
  }

  std::string path;
  TFChild* main = nullptr;
};

TEST_F(InspectorFile, DeletingAnAttributeEmptiesConnectionsAndObjectsAlsoAfterReloading) {
  TUMLClass* person = ClassNamed(main->Doc(), "TPerson");
  ASSERT_NE(nullptr, person);
  ASSERT_EQ(person->Attributes.Count(), 2);
  Answer<TAttributeForm>([](TAttributeForm& f) { f.PressDelete(); });
  Reply({MsgResult::Yes});
  MemberEditor(*form).ChangeAttribute(*person, *person->Attributes.At(0));  // auto
  ASSERT_EQ(main->Doc().Connections.Count(), 3);
  EXPECT_EQ(main->Doc().Connections.At(0)->Attributes.Count(), 0);
  ASSERT_EQ(main->Doc().SubDiagrams.size(), 1u);
  ASSERT_EQ(main->Doc().SubDiagrams[0]->DrawClasses.Count(), 1);
  auto* shown = static_cast<TUMLDrawObject*>(main->Doc().SubDiagrams[0]->DrawClasses.At(0));
  ASSERT_EQ(shown->Values.Count(), 1);
  EXPECT_EQ(shown->Values.ValueAt(0), "Eva");
  std::unique_ptr<DiagramDocument> re = SaveAndReload();
  TUMLClass* reread = ClassNamed(*re, "TPerson");
  ASSERT_NE(nullptr, reread);
  ASSERT_EQ(reread->Attributes.Count(), 1);
  ASSERT_EQ(re->Connections.Count(), 3);
  EXPECT_EQ(re->Connections.At(0)->Attributes.Count(), 0);
  ASSERT_EQ(re->SubDiagrams.size(), 1u);
  ASSERT_EQ(re->SubDiagrams[0]->DrawClasses.Count(), 1);
  auto* eva = static_cast<TUMLDrawObject*>(re->SubDiagrams[0]->DrawClasses.At(0));
  ASSERT_EQ(eva->Values.Count(), 1);
  EXPECT_EQ(eva->Values.AttributeAt(0)->Name, "name");
  EXPECT_EQ(eva->Values.ValueAt(0), "Eva");
}

// Methods removed by the inspector or by an update leave no reference that reaches a dead
// object; messages that called them are painted and saved without a method.
TEST_F(InspectorFile, RemovedMethodsLeaveAttributesAndMessagesWithoutThem) {
  DiagramDocument& d = main->Doc();
  TUMLClass* car = ClassNamed(d, "TAuto");
  ASSERT_NE(nullptr, car);
  ASSERT_EQ(car->Attributes.Count(), 1);
  ASSERT_EQ(d.Connections.Count(), 3);
  TAttribute* tempo = car->Attributes.At(0);
  ASSERT_EQ(d.Connections.At(1)->Method, tempo->ReadMethod);
  Answer<TMethodForm>([](TMethodForm& f) { f.PressDelete(); });
  Reply({MsgResult::Yes});
  MemberEditor(*form).ChangeMethod(*car, *tempo->ReadMethod);
  EXPECT_TRUE(Shown("Möchten Sie die Methode ->'GibTempo'<- wirklich löschen?"));
  EXPECT_EQ(tempo->ReadMethod, nullptr);
  EXPECT_EQ(d.Connections.At(1)->Method, nullptr);

  TUMLClass source("TAuto");  // an update from a source without Fahre
  testing::AddAttr(source, "tempo", "T");
  car->UpdateFrom(source, d.Purger());
  EXPECT_EQ(car->Methods.Count(), 0);
  if (TMethod* called = d.Connections.At(2)->Method) {
    EXPECT_EQ(called->Name, "Fahre");  // still a live object
  }
  main->Redraw();
  std::unique_ptr<DiagramDocument> re = SaveAndReload();
  ASSERT_EQ(re->Connections.Count(), 3);
  EXPECT_EQ(re->Connections.At(1)->Method, nullptr);
  EXPECT_EQ(re->Connections.At(2)->Method, nullptr);
}

TEST_F(Inspector, OverrideOffersThePredecessorsMethodsAndTheGrandparentEntry) {
  DiagramDocument& d = child->Doc();
  TUMLDrawClass* boxA = d.AddClassBox(std::make_unique<TUMLClass>("TA"), 300, 50);
  TUMLDrawClass* boxB = d.AddClassBox(std::make_unique<TUMLClass>("TB"), 300, 250);
  Method(boxA->UMLClass, "Zeichne");
  Method(boxA->UMLClass, "Basis")->IsFinal = true;
  Method(boxB->UMLClass, "Bewege")->IsAbstract = true;
  d.AddConnection(box, 1, boxB, 1, TConnectionKind::Ist);
  d.AddConnection(boxB, 1, boxA, 1, TConnectionKind::Ist);
  const std::string up = W("Methode der Vorgängerklasse auswählen");
  Ok<TChooseMethodForm>([up](TChooseMethodForm& f) {
    EXPECT_EQ(f.Caption, W("Welche Methode der Klasse 'TB' soll überschrieben werden?"));
    EXPECT_EQ(f.Items, (Lines{"Bewege()", up}));
    f.Selected = 1;
  });
  Ok<TChooseMethodForm>([](TChooseMethodForm& f) {
    EXPECT_EQ(f.Items, (Lines{W("           nicht überschreibbar: Basis()"), "Zeichne()"}));
    f.Selected = 1;
  });
  Ok<TChooseMethodForm>();  // the abstract Bewege
  Ok<TChooseMethodForm>([](TChooseMethodForm& f) { f.Selected = 1; });
  Ok<TChooseMethodForm>();  // the final Basis
  Answer<TChooseMethodForm>([](TChooseMethodForm& f) { f.PressNew(); });
  Answer<TChooseMethodForm>([](TChooseMethodForm& f) { f.PressNone(); });
  form->ShowClassInInspector(cls);
  for (int i = 0; i < 4; ++i) Insp().BtOverrideMethodClick();
  Trigger(child, "Methodeberschreiben1");
  EXPECT_EQ(dialogs.messages.Texts(), (Lines{W("Gewählte Methode ist nicht überschreibbar !"),
                                             W("Fehler beim Wählen der Methode")}));
  ASSERT_EQ(cls->Methods.Count(), 2);
  for (TMethod* m : cls->Methods.Items) EXPECT_FALSE(m->IsAbstract) << m->Name;
  MemberEditor(*form).OverrideMethod(boxA->UMLClass);
  EXPECT_TRUE(Shown("Es gibt keine Vorgängerklasse"));
}

TEST_F(Inspector, RenamingForgetsTheSourceFileAndFormClassesRefuse) {
  box->SourceFileName = "TPerson.pas";
  Ok<TClassnameForm>([](TClassnameForm& f) { f.Name = "TMensch"; });
  Insp().BtChangeNameClick();
  EXPECT_TRUE(cls->Name == "TMensch" && box->SourceFileName.empty());
  TUMLDrawClass* tform = child->Doc().AddClassBox(std::make_unique<TUMLClass>("TForm"), 300, 50);
  child->Doc().AddConnection(box, 1, tform, 1, TConnectionKind::Ist);
  MemberEditor(*form).ChangeNameAndKind(cls);
  EXPECT_EQ(LastMessage(), W("Bei Formularklassen darf der Name nur über den\n"
                             "Objektinspektor von Delphi geändert werden !"));
}

TEST_F(Inspector, TheDescriptionSurvivesBeingConfirmedTwice) {
  const Lines doc{"Eine Person.", "", "  mit Alter", ""};
  Ok<TClassDokuForm>([&doc](TClassDokuForm& f) { f.Lines = doc; });
  Trigger(child, "BeschreibungAendern");
  for (int i = 0; i < 2; ++i) {  // the real dialog, confirmed without changes
    TClassDokuForm f(dialogs);
    f.Lines = cls->Documentation;
    std::unique_ptr<QDialog> shown(CreateFormDialog(f, dialogs, nullptr));
    for (QPushButton* b : shown->findChildren<QPushButton*>())
      if (b->text() == "OK") b->click();
    ASSERT_EQ(f.Result, kResultOk);
    cls->Documentation = f.Lines;
  }
  EXPECT_EQ(cls->Documentation, doc);
}

}  // namespace
}  // namespace zedro
