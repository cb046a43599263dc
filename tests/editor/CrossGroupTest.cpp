// A path across the command groups: drawing, inspector, sub-diagram objects and messages,
// saving and reading back, through the menu items and the mouse.
#include "EditorFixture.h"
#include "codegen/CodegenTestSupport.h"
#include "editor/QtDialogs.h"

namespace zedro {
namespace {

using namespace editortest;

class CrossGroup : public EditorTest {
 protected:
  void NewAttributeInInspector(const std::string& name) {
    Ok<TAttributeForm>([name](TAttributeForm& f) {
      f.Name = name;
      f.Type = "Integer";
    });
  }
};

TEST_F(CrossGroup, AClassDrawnInTheMainDiagramLivesInASubDiagramWithObjectsAndMessages) {
  TFChild* main = NewDiagram();
  dialogs.inputs = {std::string("TFahrer"), std::string("TAuto")};
  Trigger(main, "newClass");
  Trigger(main, "newClass");
  ASSERT_EQ(main->Doc().DrawClasses.Count(), 2);
  TUMLDrawClass* fahrer = main->Doc().DrawClasses.At(0);
  TUMLDrawClass* autoBox = main->Doc().DrawClasses.At(1);
  Drag(main, Inside(autoBox), {Inside(autoBox).X + 250, Inside(autoBox).Y});
  Click(main, Inside(autoBox), Qt::RightButton);
  NewAttributeInInspector("tempo");
  Trigger(main, "Attributhinzufuegen");
  ASSERT_EQ(autoBox->UMLClass->Attributes.Count(), 1);

  // A sub-diagram shows TFahrer (copied and pasted) and an object of TAuto.
  dialogs.inputs = {std::string("Fahrt")};
  Trigger(main, "erzeugeUnterdiagramm");
  TFChild* sub = Watch(main->SubDiagramWindows().at(0));
  form->ActivateChild(main);
  Click(main, Inside(fahrer));
  Trigger(form.get(), "CopyItem");
  form->ActivateChild(sub);
  Trigger(sub, "KlasseEinfuegenSub");
  ASSERT_EQ(sub->Doc().DrawClasses.Count(), 1);
  TUMLDrawClass* fahrerHere = sub->Doc().DrawClasses.At(0);
  EXPECT_EQ(fahrerHere->UMLClass, fahrer->UMLClass);
  Click(sub, {320, 240}, Qt::RightButton);
  Ok<TChooseClassForm>([](TChooseClassForm& f) { f.Selected = 1; });
  Ok<TChangeObjectForm>([](TChangeObjectForm& f) { f.SetValue(0, "120"); });
  TriggerAt(sub->MyCreateMenu, 1);
  ASSERT_EQ(sub->Doc().DrawClasses.Count(), 2);
  auto* golf = static_cast<TUMLDrawObject*>(sub->Doc().DrawClasses.At(1));

  // A member added from the object's menu belongs to the class and shows in its grid.
  Click(sub, Inside(golf), Qt::RightButton);
  NewAttributeInInspector("ps");
  Trigger(sub, "Attributhinzufuegen");
  EXPECT_EQ(autoBox->UMLClass->Attributes.Count(), 2);
  Names grid;  // the grid shows the new member at once
  Ok<TChangeObjectForm>([&grid](TChangeObjectForm& f) {
    for (int r = 0; r < f.RowCount(); ++r) grid.push_back(f.AttributeName(r) + "=" + f.Value(r));
  });
  Trigger(sub, "Wertbelegungndern1");
  EXPECT_EQ(grid, (Names{"ps=-", "tempo=120"}));

  // TFahrer gives the object an Auftrag; its new method goes to TAuto.
  Click(sub, Inside(fahrerHere));
  Ok<TInfoBoxForm>([](TInfoBoxForm& f) { f.Lines = {"fahre"}; });
  Answer<TChooseMethodForm>([](TChooseMethodForm& f) { f.PressNew(); });
  Ok<TMethodForm>();
  Trigger(sub, "Auftrag");
  Click(sub, Pt(fahrerHere, 17));
  Click(sub, Pt(golf, 39));
  ASSERT_EQ(sub->Doc().Connections.Count(), 1);
  ASSERT_EQ(autoBox->UMLClass->Methods.Count(), 1);
  EXPECT_EQ(sub->Doc().Connections.At(0)->Method, autoBox->UMLClass->Methods.At(0));

  // With a free note and an empty sub-diagram, saved from the frame and read back, the
  // diagram is the same (the note's text included) and its sub-diagrams have their entries.
  Ok<TInfoBoxForm>([](TInfoBoxForm& f) { f.Lines = {"Fahrt", W("Übersicht")}; });
  main->Elements().InfoBoxEinfuegenClick();
  dialogs.inputs = {std::string("Leer")};
  Trigger(main, "erzeugeUnterdiagramm");
  form->ActivateChild(main);
  dialogs.saveFiles.push_back(Path("Fahrt.urd"));
  Trigger(form.get(), "FileSaveAsItem");
  TFChild* reopened = Open(Path("Fahrt.urd"));
  ASSERT_NE(nullptr, reopened);
  ASSERT_NE(reopened, main);
  EXPECT_EQ(Dump(reopened), Dump(main));
  QMenu* removal = reopened->Menu("Unterdiagrammloeschen");
  ASSERT_NE(nullptr, removal);
  EXPECT_EQ(removal->actions().size(), 2);
}

}  // namespace
// Deleting a parent class leaves no subclass, connection or message pointing into it.
TEST_F(CrossGroup, DeletingAParentClassTakesItsMembersOutOfTheSubclassConnections) {
  TFChild* main = NewDiagram();
  DiagramDocument& d = main->Doc();
  TUMLDrawClass* konto = d.AddClassBox(std::make_unique<TUMLClass>("TKonto"), 40, 40);
  TUMLDrawClass* basis = d.AddClassBox(std::make_unique<TUMLClass>("TBasis"), 300, 40);
  TUMLDrawClass* bank = d.AddClassBox(std::make_unique<TUMLClass>("TBank"), 40, 250);
  TAttribute* inhaber = testing::AddAttr(*basis->UMLClass, "inhaber", "TBank");
  TMethod* buche = basis->UMLClass->AddMethod(std::make_unique<TMethod>());
  d.AddConnection(konto, 6, basis, 28, TConnectionKind::Ist);
  TConnection* hat = d.AddConnection(konto, 17, bank, 6, TConnectionKind::Hat);
  hat->Attributes.Add(inhaber);  // chosen through the parent-class entry
  TConnection* auftrag = d.AddConnection(bank, 10, konto, 30, TConnectionKind::Auftrag);
  auftrag->Method = buche;
  dialogs.inputs = {std::string("Teil")};
  Trigger(main, "erzeugeUnterdiagramm");
  DiagramDocument& sub = main->SubDiagramWindows().at(0)->Doc();
  TConnection* subAuftrag =
      sub.AddConnection(sub.AddBoxForClass(bank->UMLClass, 40), 10,
                        sub.AddBoxForClass(konto->UMLClass, 300), 30, TConnectionKind::Auftrag);
  subAuftrag->Method = buche;

  form->ActivateChild(main);
  Click(main, Inside(basis));
  dialogs.messages.answers = {MsgResult::Yes, MsgResult::Yes};
  Trigger(main, "DeleteClassItem");
  ASSERT_EQ(d.DrawClasses.Count(), 2);
  EXPECT_EQ(konto->UMLClass->Parent, nullptr);
  EXPECT_TRUE(hat->Attributes.Items.empty());
  EXPECT_EQ(auftrag->Method, nullptr);
  EXPECT_EQ(subAuftrag->Method, nullptr);
}

}  // namespace zedro
