// The class inspector and the rules for editing members, offscreen with scripted dialogs.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <algorithm>
#include <functional>

#include "diagram/DiagramDocument.h"
#include "editor/DialogService.h"
#include "editor/MemberEditor.h"
#include "editor/QtDialogs.h"
#include "editor/QtText.h"
#include "editor/TFChild.h"
#include "editor/TFClassInspector.h"
#include "editor/TMainForm.h"
#include "model/Notation.h"
#include "model/Win1252.h"
#include "persistence/DiagramFile.h"

namespace zedro {
namespace {

using Lines = StringList;

class Inspector : public ::testing::Test {
 protected:
  void SetUp() override {
    ActiveNotation::Set(1);
    form = std::make_unique<TMainForm>(dialogs);
    form->show();
    form->FileNew1Execute();
    child = form->ActiveChild();
    box = child->Doc().AddClassBox(std::make_unique<TUMLClass>("TPerson"));
    cls = box->UMLClass;
    Select(child, box);
  }
  void TearDown() override {
    form.reset();
    ActiveNotation::Set(1);
  }

  TFClassInspector& Insp() { return *dynamic_cast<TFClassInspector*>(form->ClassInspector()); }
  void Select(TFChild* window, TUMLDrawClass* b) {
    window->Doc().CurrentBox = b;
    window->Doc().CurrentClass = b->UMLClass;
    form->ShowClassInInspector(b->UMLClass);
  }
  // Presses the buttons of the next dialog, which must be of type F.
  template <class F, class Fn>
  void Script(Fn fn) {
    dialogs.dialogScripts.push_back([fn](TDialogForm& f) {
      auto* form = dynamic_cast<F*>(&f);
      ASSERT_NE(form, nullptr) << "unexpected dialog " << f.TypeName();
      fn(*form);
    });
  }
  void Answer(std::initializer_list<MsgResult> answers) {
    dialogs.messages.answers.insert(dialogs.messages.answers.end(), answers);
  }
  bool Shown(const std::string& utf8) { return dialogs.messages.Contains(W(utf8)); }
  TAttribute* Attr(TUMLClass* c, const std::string& name, const std::string& type,
                   TVisibility v = kPrivate) {
    return c->AddAttribute(std::make_unique<TAttribute>(name, type, v, Lines{}));
  }
  TMethod* Method(TUMLClass* c, const std::string& name, TMethodKind kind = kProcedure,
                  TVisibility v = kPublic) {
    auto m = std::make_unique<TMethod>();
    m->Name = name;
    m->Kind = kind;
    m->Visibility = v;
    if (kind == kFunction) m->ResultType = "Integer";
    return c->AddMethod(std::move(m));
  }
  std::vector<std::string> Children(QTreeWidgetItem* node) {
    std::vector<std::string> out;
    for (int i = 0; node && i < node->childCount(); ++i) out.push_back(S(node->child(i)->text(0)));
    return out;
  }
  // Selects a node as the mouse would and lets the selection settle.
  void Pick(QTreeWidgetItem* node) {
    Insp().TVclass->setCurrentItem(node);
    QApplication::processEvents();
  }
  std::string Path(const std::string& name) { return S(dir.filePath(Q(name))); }

  QTemporaryDir dir;
  ScriptedDialogs dialogs;
  std::unique_ptr<TMainForm> form;
  TFChild* child = nullptr;
  TUMLDrawClass* box = nullptr;
  TUMLClass* cls = nullptr;
};

TEST_F(Inspector, TheFrameOwnsItAndItShowsTheClassInTheActiveNotation) {
  EXPECT_EQ(Insp().parent(), form.get());
  EXPECT_EQ(form->geometry().x(), Insp().InspectorWidth());
  Attr(cls, "name", "String");
  Attr(cls, "alter", "Integer", kPublished);
  Method(cls, "GibAlter", kFunction);
  TMethod* setter = Method(cls, "SetzeAlter", kProcedure, kProtected);
  setter->AddParameter(TParameter("pAlter", "Integer"));
  Method(cls, "Anzahl", kFunction)->IsClassMethod = true;
  form->ShowClassInInspector(cls);
  QTreeWidgetItem* root = Insp().TVclass->topLevelItem(0);
  EXPECT_EQ(S(root->text(0)), "Klasse: TPerson");
  EXPECT_EQ(Children(root), (Lines{"Attribute", "Methoden", "Klassen-Methoden"}));
  EXPECT_EQ(Children(Insp().AttributesNode), (Lines{"++ alter: Integer", "- name: String"}));
  EXPECT_EQ(Children(Insp().MethodsNode),
            (Lines{"+ ? GibAlter() : Integer", "# ! SetzeAlter(pAlter: Integer)"}));
  EXPECT_EQ(Children(Insp().ClassMethodsNode), (Lines{"+ ? Anzahl() : Integer"}));
  EXPECT_TRUE(Insp().BtNewAttribute->isEnabled());
  EXPECT_FALSE(Insp().BtOverrideMethod->isEnabled());  // no predecessor

  child->IstJavaVersionClick();
  EXPECT_EQ(Children(Insp().AttributesNode)[0], "++ alter: Integer");
  EXPECT_EQ(Children(Insp().MethodsNode)[0], "+ ? Integer GibAlter()");

  cls->IsLibraryClass = true;
  form->ShowClassInInspector(cls);
  EXPECT_TRUE(Insp().TVclass->isEnabled());
  EXPECT_FALSE(Insp().BtNewAttribute->isEnabled() || Insp().BtDoku->isEnabled());
  EXPECT_EQ(Insp().TVclass->palette().color(QPalette::Text), QColor(128, 128, 128));

  // The class goes with its window; the inspector forgets it.
  child->ClosingAll = true;
  child->close();
  QApplication::processEvents();
  EXPECT_EQ(Insp().ShownClass(), nullptr);
  EXPECT_FALSE(Insp().isEnabled());
  EXPECT_EQ(S(Insp().LbClassName->text()), "--");
  EXPECT_EQ(Insp().TVclass->topLevelItemCount(), 0);
  Insp().BtNewAttributeClick();
  EXPECT_TRUE(Shown("Keine aktive Klasse vorhanden"));
}

TEST_F(Inspector, NewAttributeGetsReadAndWriteMethodsInTheApplicationsLanguage) {
  Script<TAttributeForm>([](TAttributeForm& f) {
    EXPECT_EQ(f.Caption, "Attribut eingeben");
    EXPECT_EQ(f.ClassLabel, "Klasse \"TPerson\"");
    EXPECT_FALSE(f.DeleteVisible);
    EXPECT_EQ(f.Visibility, kProtected);
    f.Name = "alter";
    f.Type = "Integer";
    f.SetReadChecked(true);
    f.SetWriteChecked(true);
    EXPECT_EQ(f.ReadName, "GibAlter");
    EXPECT_EQ(f.WriteName, "SetzeAlter");
    f.PressOk();
  });
  Insp().BtNewAttributeClick();
  ASSERT_EQ(cls->Attributes.Count(), 1);
  TAttribute* a = cls->Attributes.At(0);
  EXPECT_EQ(a->Visibility, kProtected);
  ASSERT_TRUE(a->ReadMethod && a->WriteMethod);
  EXPECT_EQ(a->ReadMethod->Kind, kFunction);
  EXPECT_EQ(a->ReadMethod->ResultType, "Integer");
  EXPECT_EQ(a->ReadMethod->Code, (Lines{"begin", "  result  := alter", "end;"}));
  ASSERT_EQ(a->WriteMethod->Parameters.size(), 1u);
  EXPECT_EQ(a->WriteMethod->Parameters[0].Name, "pAlter");
  EXPECT_EQ(a->WriteMethod->Parameters[0].TypeName, "Integer");
  EXPECT_EQ(a->WriteMethod->Code, (Lines{"begin", "  alter := pAlter", "end;"}));
  EXPECT_EQ(Children(Insp().AttributesNode), (Lines{"# alter: Integer"}));

  // The application's language decides, not the Java item of the diagram.
  form->LanguageOfMainWindow = 2;
  Script<TAttributeForm>([](TAttributeForm& f) {
    f.Name = "tempo";
    f.Type = "Real";
    f.SetReadChecked(true);
    f.SetWriteChecked(true);
    f.PressOk();
  });
  child->Item("Attributhinzufuegen")->trigger();
  TAttribute* tempo = nullptr;
  for (TAttribute* x : cls->Attributes.Items)
    if (x->Name == "tempo") tempo = x;
  ASSERT_NE(tempo, nullptr);
  EXPECT_EQ(tempo->ReadMethod->Code, (Lines{"{", "  return tempo", "}"}));
  EXPECT_EQ(tempo->WriteMethod->Code, (Lines{"{", "  tempo = pTempo", "}"}));
}

TEST_F(Inspector, ChangingAnAttributeKeepsItsWriteCommandOnceAndWritesInTheDiagramsNotation) {
  form->LanguageOfMainWindow = 2;  // must not matter here: the diagram's item is Delphi
  TAttribute* a = Attr(cls, "alter", "Integer");
  a->WriteMethod = Method(cls, "SetzeAlter");
  a->WriteMethod->AddParameter(TParameter("pAlter", "Integer"));
  form->ShowClassInInspector(cls);

  Pick(Insp().TVclass->topLevelItem(0));  // the root does nothing
  EXPECT_TRUE(dialogs.asked.empty());
  Script<TAttributeForm>([](TAttributeForm& f) {
    EXPECT_EQ(f.Caption, W("Attribut ändern"));
    EXPECT_EQ(f.ClassLabel, "Klasse : TPerson");
    EXPECT_FALSE(f.ReadChecked);
    EXPECT_TRUE(f.WriteChecked);
    EXPECT_EQ(f.WriteCaption, "Schreib-Auftrag beibehalten");
    EXPECT_EQ(f.WriteName, "SetzeAlter");
    f.Type = "Real";
    f.SetReadChecked(true);
    f.PressOk();
  });
  Pick(Insp().AttributesNode->child(0));
  ASSERT_EQ(dialogs.CountAsked("TFAttributeDialog"), 1);
  TMethod* write = a->WriteMethod;
  EXPECT_EQ(std::count(cls->Methods.Items.begin(), cls->Methods.Items.end(), write), 1);
  EXPECT_EQ(cls->Methods.Count(), 2);
  ASSERT_EQ(write->Parameters.size(), 1u);
  EXPECT_EQ(write->Parameters[0].TypeName, "Real");
  EXPECT_EQ(write->Code, (Lines{"begin", "  alter := pAlter", "end;"}));
  ASSERT_NE(a->ReadMethod, nullptr);
  EXPECT_EQ(a->ReadMethod->ResultType, "Real");
  EXPECT_EQ(a->ReadMethod->Code, (Lines{"begin", "  result := alter", "end;"}));
  EXPECT_EQ(Children(Insp().MethodsNode).size(), 2u);  // the tree was rebuilt

  // Unticking "Lies-Anfrage beibehalten" keeps the method and its link; Java lines now.
  child->IstJavaVersionClick();
  TMethod* read = a->ReadMethod;
  Script<TAttributeForm>([](TAttributeForm& f) {
    EXPECT_EQ(f.ReadCaption, "Lies-Anfrage beibehalten");
    EXPECT_EQ(f.ReadName, "GibAlter");
    f.SetReadChecked(false);
    f.PressOk();
  });
  MemberEditor(*form).ChangeAttribute(*cls, *a);
  EXPECT_EQ(a->ReadMethod, read);
  EXPECT_TRUE(cls->Methods.Contains(read));
  EXPECT_EQ(write->Code, (Lines{"{", "  alter = pAlter", "}"}));
}

TEST_F(Inspector, PublishedMembersOnlyLetTheirVisibilityBeLowered) {
  TAttribute* a = Attr(cls, "x", "Integer");
  Script<TAttributeForm>([](TAttributeForm& f) {
    f.Visibility = kPublished;
    f.PressOk();
  });
  Script<TAttributeForm>([](TAttributeForm& f) {
    f.Name = "y";
    f.PressOk();
  });
  Script<TAttributeForm>([](TAttributeForm& f) { f.PressDelete(); });
  Script<TAttributeForm>([](TAttributeForm& f) {
    f.Name = "z";
    f.Visibility = kPublic;
    f.PressOk();
  });
  Answer({MsgResult::Yes});
  MemberEditor editor(*form);
  for (int i = 0; i < 4; ++i) editor.ChangeAttribute(*cls, *a);
  EXPECT_TRUE(Shown("Attribute mit dem Zugriffsrecht 'published' können nicht geändert werden!"));
  EXPECT_TRUE(Shown("Attribute mit dem Zugriffsrecht 'published' können nicht gelöscht werden!"));
  EXPECT_TRUE(Shown("Möchten Sie das Zugriffsrecht des Attributs ->'x'<- wirklich ändern?"));
  EXPECT_EQ(dialogs.messages.shown.size(), 3u);
  EXPECT_TRUE(cls->Attributes.Contains(a));
  EXPECT_EQ(a->Name, "x");
  EXPECT_EQ(a->Visibility, kPublic);

  TMethod* m = Method(cls, "Zahle", kProcedure, kPublished);
  Script<TMethodForm>([](TMethodForm& f) { f.PressOk(); });
  Script<TMethodForm>([](TMethodForm& f) { f.PressDelete(); });
  Script<TMethodForm>([](TMethodForm& f) {
    f.Name = "Bezahle";
    f.Access = kPublic;
    f.PressOk();
  });
  Answer({MsgResult::Yes});
  for (int i = 0; i < 3; ++i) editor.ChangeMethod(*cls, *m);
  EXPECT_TRUE(Shown("Methoden mit dem Zugriffsrecht 'published' können nicht geändert werden!"));
  EXPECT_TRUE(Shown("Methoden mit dem Zugriffsrecht 'published' können nicht gelöscht werden!"));
  EXPECT_TRUE(Shown("Möchten Sie das Zugriffsrecht der Methode ->'Zahle'<- wirklich ändern?"));
  EXPECT_EQ(dialogs.messages.shown.size(), 6u);
  EXPECT_EQ(m->Name, "Zahle");
  EXPECT_EQ(m->Visibility, kPublic);
  EXPECT_TRUE(cls->Methods.Contains(m));
}

TEST_F(Inspector, NewMethodStartsWithCodeInTheDiagramsNotationAndCancelAddsNothing) {
  Script<TMethodForm>([this](TMethodForm& f) {
    EXPECT_EQ(f.Caption, "Neue Methode erstellen");
    EXPECT_EQ(f.Access, kPublic);
    EXPECT_FALSE(f.DeleteVisible);
    EXPECT_EQ(*f.Code, (Lines{"begin", W("  //hier ggf. Code ergänzen"), "end;"}));
    f.Name = "Stand";
    f.SetKind(kFunction);
    f.ResultType = "Integer";
    f.Parameters.emplace_back("a", "Integer");
    f.EditCode(dialogs);
    f.PressOk();
  });
  Script<TCodeForm>([](TCodeForm& f) {
    EXPECT_EQ(f.Caption, "Code bearbeiten");
    EXPECT_EQ(f.Heading, "FUNCTION TPerson.Stand(a: Integer):Integer;");
    f.Lines = {"begin", "  result := a", "end;"};
    f.PressOk();
  });
  Insp().BtNewMethodClick();
  ASSERT_EQ(cls->Methods.Count(), 1);
  TMethod* m = cls->Methods.At(0);
  EXPECT_EQ(m->MethodSignature(1), "Stand(a: Integer) : Integer");
  EXPECT_EQ(m->Code, (Lines{"begin", "  result := a", "end;"}));

  child->IstJavaVersionClick();
  Script<TMethodForm>([](TMethodForm& f) {
    EXPECT_EQ(*f.Code, (Lines{"{", W("  //hier ggf. Code ergänzen"), "}"}));
    f.Name = "Weg";
    f.PressCancel();
  });
  child->Item("MethodeHinzufuegen")->trigger();
  EXPECT_EQ(cls->Methods.Count(), 1);
}

TEST_F(Inspector, DeletingAnAttributeAsksForItsReadAndWriteMethods) {
  Script<TAttributeForm>([](TAttributeForm& f) {
    f.Name = "alter";
    f.Type = "Integer";
    f.SetReadChecked(true);
    f.SetWriteChecked(true);
    f.PressOk();
  });
  Insp().BtNewAttributeClick();
  TAttribute* a = cls->Attributes.At(0);
  TMethod* write = a->WriteMethod;
  Script<TAttributeForm>([](TAttributeForm& f) { f.PressDelete(); });
  Answer({MsgResult::Yes, MsgResult::Yes, MsgResult::No});
  Pick(Insp().AttributesNode->child(0));
  EXPECT_EQ(dialogs.messages.Texts(),
            (Lines{W("Möchten Sie das Attribut ->'alter'<- wirklich löschen?"),
                   W("Möchten Sie die zugehörige Lese-Anfrage ->'GibAlter'<- auch löschen? "
                     "(empfohlen)"),
                   W("Möchten Sie den zugehörige Schreib-Auftrag ->'SetzeAlter'<- auch "
                     "löschen? (empfohlen)")}));
  EXPECT_EQ(cls->Attributes.Count(), 0);
  EXPECT_EQ(cls->Methods.Items, (std::vector<TMethod*>{write}));
  EXPECT_EQ(Children(Insp().AttributesNode).size(), 0u);
}

// A main diagram: TPerson HAT TAuto through the attribute auto and asks TAuto for its
// tempo (GibTempo, the read query of tempo); a sub-diagram shows the object eva.
class InspectorFile : public Inspector {
 protected:
  void SetUp() override {
    Inspector::SetUp();
    DiagramDocument doc;
    TUMLDrawClass* person = doc.AddClassBox(std::make_unique<TUMLClass>("TPerson"), 50, 50);
    TUMLDrawClass* car = doc.AddClassBox(std::make_unique<TUMLClass>("TAuto"), 300, 50);
    TAttribute* autoAttr = Attr(person->UMLClass, "auto", "TAuto");
    Attr(person->UMLClass, "name", "String");
    TAttribute* tempo = Attr(car->UMLClass, "tempo", "Integer");
    tempo->ReadMethod = Method(car->UMLClass, "GibTempo", kFunction);
    Method(car->UMLClass, "Fahre");
    doc.AddConnection(person, 5, car, 30, kHat)->Attributes.Add(autoAttr);
    doc.AddConnection(person, 6, car, 31, kAnfrage)->Method = tempo->ReadMethod;
    doc.AddConnection(person, 7, car, 32, kAuftrag)->Method = car->UMLClass->Methods.At(0);
    TUMLDrawObject* eva = doc.AddSubDiagram("Teil 1")->AddObjectBox(person->UMLClass, 60, 70);
    eva->ObjectName = "eva";
    for (int i = 0; i < eva->Values.Count(); ++i)
      eva->Values.Item(i).Value = eva->Values.AttributeAt(i)->Name == "auto" ? "golf" : "Eva";
    path = Path("Verkehr.urd");
    ScriptedMessages m;
    ASSERT_TRUE(WriteDiagramFile(doc, path, m));
    dialogs.openFiles.push_back(path);
    form->FileOpen1Execute();
    main = form->ActiveChild();
    ASSERT_TRUE(main && main->Doc().FileName == path);
  }
  TUMLClass* ClassNamed(DiagramDocument& d, const std::string& name) {
    for (TUMLDrawClass* b : d.DrawClasses.Items)
      if (b->UMLClass->Name == name) return b->UMLClass;
    return nullptr;
  }
  std::unique_ptr<DiagramDocument> SaveAndReload() {
    main->SaveDiagramm();
    auto doc = std::make_unique<DiagramDocument>();
    ScriptedMessages m;
    LoadDiagramFile(*doc, path, m);
    EXPECT_TRUE(m.shown.empty()) << (m.shown.empty() ? "" : text::ToUtf8(m.shown[0].text));
    return doc;
  }

  std::string path;
  TFChild* main = nullptr;
};

TEST_F(InspectorFile, DeletingAnAttributeEmptiesConnectionsAndObjectsAlsoAfterReloading) {
  DiagramDocument& d = main->Doc();
  TUMLClass* person = ClassNamed(d, "TPerson");
  TAttribute* autoAttr = person->Attributes.At(0)->Name == "auto" ? person->Attributes.At(0)
                                                                  : person->Attributes.At(1);
  Script<TAttributeForm>([](TAttributeForm& f) { f.PressDelete(); });
  Answer({MsgResult::Yes});
  MemberEditor(*form).ChangeAttribute(*person, *autoAttr);
  EXPECT_EQ(d.Connections.At(0)->Attributes.Count(), 0);
  auto* eva = static_cast<TUMLDrawObject*>(d.SubDiagrams[0]->DrawClasses.At(0));
  ASSERT_EQ(eva->Values.Count(), 1);
  EXPECT_EQ(eva->Values.ValueAt(0), "Eva");

  std::unique_ptr<DiagramDocument> re = SaveAndReload();
  TUMLClass* again = ClassNamed(*re, "TPerson");
  ASSERT_EQ(again->Attributes.Count(), 1);
  EXPECT_EQ(again->Attributes.At(0)->Name, "name");
  EXPECT_EQ(re->Connections.At(0)->Kind, kHat);
  EXPECT_EQ(re->Connections.At(0)->Attributes.Count(), 0);
  auto* evaAgain = static_cast<TUMLDrawObject*>(re->SubDiagrams[0]->DrawClasses.At(0));
  ASSERT_EQ(evaAgain->Values.Count(), 1);
  EXPECT_EQ(evaAgain->Values.ValueAt(0), "Eva");
}

// Methods removed by the inspector or by an update leave no reference that could reach a
// dead object; messages that called them are painted and saved without a method.
TEST_F(InspectorFile, RemovedMethodsLeaveAttributesAndMessagesWithoutThem) {
  DiagramDocument& d = main->Doc();
  TUMLClass* car = ClassNamed(d, "TAuto");
  TAttribute* tempo = car->Attributes.At(0);
  TMethod* gib = tempo->ReadMethod;
  ASSERT_EQ(d.Connections.At(1)->Method, gib);
  Script<TMethodForm>([](TMethodForm& f) { f.PressDelete(); });
  Answer({MsgResult::Yes});
  MemberEditor(*form).ChangeMethod(*car, *gib);
  EXPECT_TRUE(Shown("Möchten Sie die Methode ->'GibTempo'<- wirklich löschen?"));
  EXPECT_FALSE(car->Methods.Contains(gib));
  EXPECT_EQ(tempo->ReadMethod, nullptr);
  EXPECT_EQ(d.Connections.At(1)->Method, nullptr);

  // An update from a source without Fahre: the Auftrag keeps a harmless reference.
  TUMLClass source("TAuto");
  Attr(&source, "tempo", "Integer");
  car->UpdateFrom(source, d.Purger());
  EXPECT_EQ(car->Methods.Count(), 0);
  if (TMethod* called = d.Connections.At(2)->Method) {
    EXPECT_EQ(called->Name, "Fahre");
  }
  main->Redraw(true);

  std::unique_ptr<DiagramDocument> re = SaveAndReload();
  EXPECT_EQ(re->Connections.At(1)->Method, nullptr);
  EXPECT_EQ(re->Connections.At(2)->Method, nullptr);
  EXPECT_EQ(ClassNamed(*re, "TAuto")->Attributes.At(0)->ReadMethod, nullptr);
}

TEST_F(Inspector, OverrideOffersThePredecessorsMethodsAndTheGrandparentEntry) {
  DiagramDocument& d = child->Doc();
  TUMLDrawClass* boxA = d.AddClassBox(std::make_unique<TUMLClass>("TA"), 300, 50);
  TUMLDrawClass* boxB = d.AddClassBox(std::make_unique<TUMLClass>("TB"), 300, 250);
  Method(boxA->UMLClass, "Zeichne");
  Method(boxA->UMLClass, "Basis")->IsFinal = true;
  Method(boxB->UMLClass, "Bewege")->IsAbstract = true;
  d.AddConnection(box, 1, boxB, 1, kIst);
  d.AddConnection(boxB, 1, boxA, 1, kIst);
  form->ShowClassInInspector(cls);
  EXPECT_TRUE(Insp().BtOverrideMethod->isEnabled());

  const std::string up = W("Methode der Vorgängerklasse auswählen");
  Script<TChooseMethodForm>([up](TChooseMethodForm& f) {
    EXPECT_EQ(f.Caption, W("Welche Methode der Klasse 'TB' soll überschrieben werden?"));
    EXPECT_EQ(f.Items, (Lines{"Bewege()", up}));
    EXPECT_EQ(f.Selected, 0);
    f.Selected = 1;
    f.PressOk();
  });
  Script<TChooseMethodForm>([](TChooseMethodForm& f) {
    EXPECT_EQ(f.Caption, W("Welche Methode der Klasse 'TA' soll überschrieben werden?"));
    EXPECT_EQ(f.Items, (Lines{W("           nicht überschreibbar: Basis()"), "Zeichne()"}));
    f.Selected = 1;
    f.PressOk();
  });
  Insp().BtOverrideMethodClick();
  Script<TChooseMethodForm>([](TChooseMethodForm& f) { f.PressOk(); });  // abstract Bewege
  child->Item("Methodeberschreiben1")->trigger();
  ASSERT_EQ(cls->Methods.Count(), 2);
  for (TMethod* m : cls->Methods.Items) EXPECT_FALSE(m->IsAbstract) << m->Name;

  Script<TChooseMethodForm>([](TChooseMethodForm& f) {
    f.Selected = 1;
    f.PressOk();
  });
  Script<TChooseMethodForm>([](TChooseMethodForm& f) { f.PressOk(); });  // final Basis
  Script<TChooseMethodForm>([](TChooseMethodForm& f) { f.PressNew(); });
  Script<TChooseMethodForm>([](TChooseMethodForm& f) { f.PressNone(); });
  for (int i = 0; i < 3; ++i) Insp().BtOverrideMethodClick();
  EXPECT_EQ(dialogs.messages.Texts(), (Lines{W("Gewählte Methode ist nicht überschreibbar !"),
                                             W("Fehler beim Wählen der Methode")}));
  EXPECT_EQ(cls->Methods.Count(), 2);

  MemberEditor(*form).OverrideMethod(boxA->UMLClass);
  EXPECT_TRUE(Shown("Es gibt keine Vorgängerklasse"));
}

TEST_F(Inspector, NameAndKind) {
  box->SourceFileName = "TPerson.pas";
  Script<TClassnameForm>([](TClassnameForm& f) {
    EXPECT_EQ(f.Caption, W("Name der Klasse \"TPerson\" ändern"));
    EXPECT_EQ(f.Kind, 0);
    f.Name = "TMensch";
    f.PressOk();
  });
  Insp().BtChangeNameClick();
  EXPECT_EQ(cls->Name, "TMensch");
  EXPECT_EQ(box->SourceFileName, "");
  EXPECT_EQ(S(Insp().LbClassName->text()), "TMensch");

  Script<TClassnameForm>([](TClassnameForm& f) {
    f.Kind = 2;
    f.PressOk();
  });
  child->Item("NameoderArtAendern")->trigger();
  EXPECT_TRUE(cls->IsLibraryClass);
  EXPECT_FALSE(Insp().BtNewMethod->isEnabled());
  Script<TClassnameForm>([](TClassnameForm& f) {
    EXPECT_EQ(f.Kind, 2);
    f.Kind = 1;
    f.PressOk();
  });
  MemberEditor(*form).ChangeNameAndKind(cls);
  EXPECT_TRUE(Shown("Vorsicht: Bibliotheksklasse"));
  EXPECT_TRUE(cls->IsAbstract && !cls->IsLibraryClass);

  TUMLDrawClass* tform = child->Doc().AddClassBox(std::make_unique<TUMLClass>("TForm"), 300, 50);
  child->Doc().AddConnection(box, 1, tform, 1, kIst);
  MemberEditor(*form).ChangeNameAndKind(cls);
  EXPECT_TRUE(
      Shown("Bei Formularklassen darf der Name nur über den\n"
            "Objektinspektor von Delphi geändert werden !"));
  EXPECT_EQ(dialogs.CountAsked("TFClassnameDialog"), 3);
}

TEST_F(Inspector, TheDescriptionSurvivesBeingConfirmedTwice) {
  const Lines doc{"Eine Person.", "", "  mit Alter", ""};
  Script<TClassDokuForm>([&doc](TClassDokuForm& f) {
    EXPECT_EQ(f.Caption, "Beschreibung der Klasse");
    EXPECT_EQ(f.ClassLabel, "\"TPerson\"");
    f.Lines = doc;
    f.PressOk();
  });
  child->Item("BeschreibungAendern")->trigger();
  EXPECT_EQ(cls->Documentation, doc);
  // The real dialog, confirmed twice without changes.
  for (int i = 0; i < 2; ++i) {
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

TEST_F(Inspector, LibraryClassesAndMissingClassesAreRefusedEverywhere) {
  cls->IsLibraryClass = true;
  TAttribute* a = Attr(cls, "x", "Integer");
  TMethod* m = Method(cls, "Tu");
  for (const char* item :
       {"Attributhinzufuegen", "MethodeHinzufuegen", "Methodeberschreiben1", "BeschreibungAendern"})
    child->Item(item)->trigger();
  MemberEditor(*form).ChangeAttribute(*cls, *a);
  MemberEditor(*form).ChangeMethod(*cls, *m);
  EXPECT_EQ(dialogs.messages.Texts(),
            Lines(6, W("Bibliotheksklassen dürfen nicht geändert werden.")));
  EXPECT_TRUE(dialogs.asked.size() == 6u);  // no dialog at all

  child->Doc().CurrentClass = nullptr;
  child->Item("Attributhinzufuegen")->trigger();
  EXPECT_EQ(dialogs.messages.Texts().back(), "Keine aktive Klasse vorhanden");

  Insp().hide();
  child->Item("Klassensinspectorzeigen1")->trigger();
  EXPECT_TRUE(Insp().isVisible());
}

}  // namespace
}  // namespace zedro
