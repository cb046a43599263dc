// Paths through the editor that cross its command groups: classes drawn with the mouse get
// members in the inspector, are shown in a sub-diagram with objects and messages, are saved
// and read back and are deleted again, everything through the menu items and the mouse.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QMenu>
#include <QTemporaryDir>

#include "cli/DumpJson.h"
#include "diagram/DiagramDocument.h"
#include "editor/DialogService.h"
#include "editor/QtDialogs.h"
#include "editor/TFChild.h"
#include "editor/TMainForm.h"
#include "model/Notation.h"
#include "model/Win1252.h"
#include "persistence/DiagramFile.h"

namespace zedro {
namespace {

class CrossGroup : public ::testing::Test {
 protected:
  void SetUp() override {
    ActiveNotation::Set(1);
    form = std::make_unique<TMainForm>(dialogs);
    form->show();
    QApplication::processEvents();
  }
  void TearDown() override {
    for (TFChild* c : form->Children()) c->ClosingAll = true;
    form.reset();
  }
  TFChild* NewDiagram() {
    form->FileNew1Execute();
    return Watched(form->ActiveChild());
  }
  static TFChild* Watched(TFChild* w) {
    w->ShowContextMenu = [](QMenu*, TPoint) {};  // the menu is prepared, not shown
    return w;
  }
  std::string Path(const std::string& name) const {
    return text::FromUtf8(dir.filePath(QString::fromStdString(name)).toStdString());
  }
  static TPoint Inside(const TUMLDrawClass* b) { return {(b->Left + b->Right) / 2, b->Top + 6}; }
  static TPoint Pt(const TUMLDrawClass* b, int i) {
    return {b->BorderPointX(i), b->BorderPointY(i)};
  }
  static void Click(TFChild* w, TPoint p, int button = Qt::LeftButton) {
    w->ImClassDiagrammMouseMove(p.X, p.Y);
    w->ImClassDiagrammMouseDown(button, p.X, p.Y);
    w->ImClassDiagrammMouseUp(button, p.X, p.Y);
  }
  static void Drag(TFChild* w, TPoint from, TPoint to) {
    w->ImClassDiagrammMouseMove(from.X, from.Y);
    w->ImClassDiagrammMouseDown(Qt::LeftButton, from.X, from.Y);
    w->ImClassDiagrammMouseMove(to.X, to.Y);
    w->ImClassDiagrammMouseUp(Qt::LeftButton, to.X, to.Y);
  }
  template <class F>
  void Answer(std::function<void(F&)> press) {
    dialogs.dialogScripts.push_back([press](TDialogForm& f) { press(dynamic_cast<F&>(f)); });
  }
  void NewAttributeInInspector(const std::string& name) {
    Answer<TAttributeForm>([name](TAttributeForm& f) {
      f.Name = name;
      f.Type = "Integer";
      f.PressOk();
    });
  }
  std::string Dump(TFChild* w) {
    cli::Json json;
    cli::WriteDiagram(json, w->Doc(), kDiagramVersion);
    return json.Text();
  }

  QTemporaryDir dir;
  ScriptedDialogs dialogs;
  std::unique_ptr<TMainForm> form;
};

TEST_F(CrossGroup, AClassDrawnInTheMainDiagramLivesInASubDiagramWithObjectsAndMessages) {
  TFChild* main = NewDiagram();
  dialogs.inputs = {std::string("TFahrer"), std::string("TAuto")};
  main->Item("newClass")->trigger();
  main->Item("newClass")->trigger();
  TUMLDrawClass* fahrer = main->Doc().DrawClasses.At(0);
  TUMLDrawClass* autoBox = main->Doc().DrawClasses.At(1);
  Drag(main, Inside(autoBox), {Inside(autoBox).X + 250, Inside(autoBox).Y});
  ASSERT_GT(autoBox->Left, fahrer->Right);
  Click(main, Inside(autoBox), Qt::RightButton);
  NewAttributeInInspector("tempo");
  main->Item("Attributhinzufuegen")->trigger();
  ASSERT_EQ(autoBox->UMLClass->Attributes.Count(), 1);

  // A sub-diagram shows TFahrer (copied and pasted) and an object of TAuto.
  dialogs.inputs = {std::string("Fahrt")};
  main->Item("erzeugeUnterdiagramm")->trigger();
  TFChild* sub = Watched(main->SubDiagramWindows().at(0));
  form->ActivateChild(main);
  Click(main, Inside(fahrer));
  form->Item("CopyItem")->trigger();
  form->ActivateChild(sub);
  sub->Item("KlasseEinfuegenSub")->trigger();
  ASSERT_EQ(sub->Doc().DrawClasses.Count(), 1);
  TUMLDrawClass* fahrerHere = sub->Doc().DrawClasses.At(0);
  EXPECT_EQ(fahrerHere->UMLClass, fahrer->UMLClass);
  Click(sub, {320, 240}, Qt::RightButton);
  Answer<TChooseClassForm>([sub](TChooseClassForm& f) {
    EXPECT_TRUE(f.Placed);  // where the menu came up
    EXPECT_EQ((TPoint{f.Left, f.Top}), sub->PopupPos);
    f.Selected = 1;
    f.PressOk();
  });
  Answer<TChangeObjectForm>([](TChangeObjectForm& f) {
    EXPECT_EQ(f.Caption, "Anlegen eines neuen Objektes");
    f.ObjectName = "golf";
    f.SetValue(0, "120");
    f.PressOk();
  });
  TFChild::ItemAt(sub->MyCreateMenu, 1)->trigger();
  ASSERT_EQ(sub->Doc().DrawClasses.Count(), 2);
  auto* golf = static_cast<TUMLDrawObject*>(sub->Doc().DrawClasses.At(1));
  EXPECT_EQ(sub->ClickPos, (TPoint{320, 240}));
  EXPECT_NEAR(golf->Left, 320, 5);  // at the click, moved on by the component offset

  // A member added from the object's menu belongs to the class and shows in its grid.
  Click(sub, Inside(golf), Qt::RightButton);
  NewAttributeInInspector("ps");
  sub->Item("Attributhinzufuegen")->trigger();
  EXPECT_EQ(autoBox->UMLClass->Attributes.Count(), 2);
  std::vector<std::string> grid;
  Answer<TChangeObjectForm>([&grid](TChangeObjectForm& f) {
    for (int r = 0; r < f.RowCount(); ++r) grid.push_back(f.AttributeName(r) + "=" + f.Value(r));
    f.PressOk();
  });
  sub->Item("Wertbelegungndern1")->trigger();
  EXPECT_EQ(grid, (std::vector<std::string>{"ps=-", "tempo=120"}));

  // TFahrer gives the object an Auftrag; its new method goes to TAuto.
  Click(sub, Inside(fahrerHere));
  Answer<TInfoBoxForm>([](TInfoBoxForm& f) {
    f.Lines = {"fahre"};
    f.PressOk();
  });
  Answer<TChooseMethodForm>([](TChooseMethodForm& f) { f.PressNew(); });
  Answer<TMethodForm>([](TMethodForm& f) { f.PressOk(); });
  sub->Item("Auftrag")->trigger();
  Click(sub, Pt(fahrerHere, 17));
  Click(sub, Pt(golf, 39));
  ASSERT_EQ(sub->Doc().Connections.Count(), 1);
  ASSERT_EQ(autoBox->UMLClass->Methods.Count(), 1);
  EXPECT_EQ(sub->Doc().Connections.At(0)->Method, autoBox->UMLClass->Methods.At(0));

  // Saved from the frame and read back, the diagram is the same.
  form->ActivateChild(main);
  dialogs.saveFiles.push_back(Path("Fahrt.urd"));
  form->Item("FileSaveAsItem")->trigger();
  dialogs.openFiles.push_back(Path("Fahrt.urd"));
  form->FileOpen1Execute();
  ASSERT_NE(form->ActiveChild(), main);
  EXPECT_EQ(Dump(form->ActiveChild()), Dump(main));

  // Deleting TAuto in the main diagram takes the object and the message with it.
  form->ActivateChild(main);
  Click(main, Inside(autoBox));
  dialogs.messages.answers = {MsgResult::Yes, MsgResult::Yes};
  form->Item("DeleteItem")->trigger();
  EXPECT_EQ(main->Doc().DrawClasses.Items, std::vector<TUMLDrawClass*>{fahrer});
  EXPECT_EQ(sub->Doc().DrawClasses.Items, std::vector<TUMLDrawClass*>{fahrerHere});
  EXPECT_EQ(sub->Doc().Connections.Count(), 0);
  EXPECT_EQ(sub->Doc().CurrentClass, fahrer->UMLClass);
}

TEST_F(CrossGroup, DeletingAParentClassTakesItsMembersOutOfTheSubclassConnections) {
  TFChild* main = NewDiagram();
  DiagramDocument& d = main->Doc();
  TUMLDrawClass* konto = d.AddClassBox(std::make_unique<TUMLClass>("TKonto"), 40, 40);
  TUMLDrawClass* basis = d.AddClassBox(std::make_unique<TUMLClass>("TBasis"), 300, 40);
  TUMLDrawClass* bank = d.AddClassBox(std::make_unique<TUMLClass>("TBank"), 40, 250);
  konto->Left = 40;
  basis->Left = 300;
  bank->Top = 250;
  TAttribute* inhaber = basis->UMLClass->AddAttribute(
      std::make_unique<TAttribute>("inhaber", "TBank", kPrivate, StringList{}));
  auto buche = std::make_unique<TMethod>();
  buche->Name = "buche";
  TMethod* inherited = basis->UMLClass->AddMethod(std::move(buche));
  d.AddConnection(konto, 6, basis, 28, kIst);
  TConnection* hat = d.AddConnection(konto, 17, bank, 6, kHat);
  hat->Attributes.Add(inhaber);  // chosen through the parent-class entry
  TConnection* auftrag = d.AddConnection(bank, 10, konto, 30, kAuftrag);
  auftrag->Method = inherited;
  dialogs.inputs = {std::string("Teil")};
  main->Item("erzeugeUnterdiagramm")->trigger();
  DiagramDocument& sub = main->SubDiagramWindows().at(0)->Doc();
  TConnection* subAuftrag =
      sub.AddConnection(sub.AddBoxForClass(bank->UMLClass, 40), 10,
                        sub.AddBoxForClass(konto->UMLClass, 300), 30, kAuftrag);
  subAuftrag->Method = inherited;

  form->ActivateChild(main);
  Click(main, Inside(basis));
  dialogs.messages.answers = {MsgResult::Yes, MsgResult::Yes};
  main->Item("DeleteClassItem")->trigger();
  ASSERT_EQ(d.DrawClasses.Count(), 2);
  EXPECT_EQ(konto->UMLClass->Parent, nullptr);
  EXPECT_TRUE(hat->Attributes.Items.empty());
  EXPECT_EQ(auftrag->Method, nullptr);
  EXPECT_EQ(subAuftrag->Method, nullptr);
}

TEST(ClassChoiceDialog, APlacedDialogComesUpWithItsCornerThere) {
  ScriptedDialogs dialogs;
  TChooseClassForm form(dialogs);
  form.Items = {"TAuto"};
  form.Placed = true;
  form.Left = 130;
  form.Top = 90;
  std::unique_ptr<QDialog> dialog(CreateFormDialog(form, dialogs, nullptr));
  dialog->show();
  EXPECT_EQ(dialog->pos(), QPoint(130, 90));
}

}  // namespace
}  // namespace zedro
