// Drawing, selecting, dragging and deleting with the mouse in a diagram window.
#include <QMouseEvent>

#include "EditorFixture.h"
#include "codegen/CodegenTestSupport.h"
#include "editor/SurfaceView.h"

namespace zedro {
namespace {

using namespace editortest;
using testing::AddMeth;

class Mouse : public WindowTest {
 protected:
  void Move(TPoint p) { w->ImClassDiagrammMouseMove(p.X, p.Y); }
  void Down(TPoint p) { w->ImClassDiagrammMouseDown(Qt::LeftButton, p.X, p.Y); }
  void Up(TPoint p) { w->ImClassDiagrammMouseUp(Qt::LeftButton, p.X, p.Y); }
  void Drag(TPoint from, TPoint to) { EditorTest::Drag(w, from, to); }
  // A missing item counts as not ticked and fails the test.
  bool Ticked(const char* item) {
    QAction* a = w->Item(item);
    EXPECT_NE(nullptr, a) << item;
    return a && a->isChecked();
  }
  bool Hand() { return w->SurfaceCursor() == Qt::PointingHandCursor; }
  TConnection* Draw(const char* item, TPoint first, TPoint second) {
    Trigger(item);
    Click(first);
    Click(second);
    return Doc().Connections.Count() ? Doc().Connections.Items.back() : nullptr;
  }
};

TEST_F(Mouse, IstSetsTheParentAndDeletingFollowsTheRemainingIst) {
  TUMLDrawClass* a = Box("A", 40, 40);
  TUMLDrawClass* b = Box("B", 300, 200);
  TUMLDrawClass* c = Box("C", 40, 250);
  Click(Inside(a));
  Answer<TChooseLineForm>([](TChooseLineForm& f) { f.LongDash = false; });
  const TPoint first = Pt(a, 6), second = Pt(a, 30);
  Trigger("Vererbung");
  Click({200, 150});  // a miss keeps waiting
  Click(first);
  Move(Pt(b, 28));
  EXPECT_TRUE(Hand());
  Click(Pt(b, 28));
  ASSERT_EQ(Doc().Connections.Count(), 1);
  EXPECT_EQ(Doc().Connections.At(0)->LineShape, 2);
  EXPECT_EQ(a->UMLClass->Parent, b->UMLClass);
  RightClick(Inside(a));
  Trigger("IST1");
  Click(second);
  Click(Pt(c, 3));
  EXPECT_EQ(a->UMLClass->Parent, c->UMLClass);

  // Deleting an IST clears the Parent; the redraw then takes it from the IST that remains.
  dialogs.messages.answers = {MsgResult::Yes, MsgResult::Yes};
  Trigger("deleteConnection");
  Click(first);
  EXPECT_EQ(LastMessage(), W("Möchten Sie die rot markierte IST-Beziehung wirklich löschen?"));
  EXPECT_EQ(a->UMLClass->Parent, c->UMLClass);
  Trigger("deleteConnection");
  Click(second);
  EXPECT_EQ(Doc().Connections.Count(), 0);
  EXPECT_EQ(a->UMLClass->Parent, nullptr);
}

TEST_F(Mouse, HatWithANewAttributeAndBothMethodsInJava) {
  w->IstJavaVersionClick();
  TUMLDrawClass* car = Box("Auto", 40, 40);
  TUMLDrawClass* motor = Box("Motor", 300, 40);
  Click(Inside(car));
  Answer<TConnectionTextForm>([](TConnectionTextForm& f) {
    EXPECT_EQ(f.Middle, "HAT / besitzt");
    f.Text = "1";
  });
  Skip(2);  // description, route
  Answer<TChooseAttributeForm>([](TChooseAttributeForm& f) { f.PressNew(); });
  Ok<TAttributeForm>([](TAttributeForm& f) {
    EXPECT_EQ(f.Name + ":" + f.Type, "hatMotor:Motor");
    f.SetReadChecked(true);
    f.SetWriteChecked(true);
  });
  Ok<TChooseAttributeForm>();  // the new attribute is preselected
  TConnection* c = Draw("Aggregation", Pt(car, 17), Pt(motor, 39));
  ASSERT_NE(c, nullptr);
  EXPECT_EQ(c->EndText, "1");
  ASSERT_EQ(c->Attributes.Count(), 1);
  TAttribute* hat = c->Attributes.Items[0];
  ASSERT_TRUE(hat->ReadMethod && hat->WriteMethod);
  EXPECT_EQ(hat->ReadMethod->Code, (StringList{"{", "  return hatMotor;", "}"}));
  EXPECT_EQ(hat->WriteMethod->Code, (StringList{"{", "  hatMotor = pHatMotor;", "}"}));
}

TEST_F(Mouse, AnAnfrageToTheLeftPointsItsAnswerRightAndCreatesItsMethod) {
  TUMLDrawClass* bank = Box("Bank", 40, 40);
  TUMLDrawClass* kunde = Box("Kunde", 300, 40);
  Click(Inside(kunde));
  Answer<TConnectionTextForm>([](TConnectionTextForm& f) { f.Text = "GibStand"; });
  Answer<TConnectionTextForm>([](TConnectionTextForm& f) { f.Text = "Integer"; });
  Answer<TChooseMethodForm>([](TChooseMethodForm& f) { f.PressNew(); });
  Ok<TMethodForm>([](TMethodForm& f) {
    EXPECT_EQ(f.Kind, CodeOf(TMethodKind::Function));
    EXPECT_EQ(f.ResultType + " " + f.Name, "Integer GibStand");
    EXPECT_EQ(f.Access, CodeOf(TVisibility::Public));
  });
  TConnection* c = Draw("Anfrage", Pt(kunde, 39), Pt(bank, 17));
  ASSERT_NE(c, nullptr);
  EXPECT_EQ(c->TextBox->Lines, (StringList{"GibStand ?", "--> Integer"}));
  ASSERT_NE(c->Method, nullptr);
  EXPECT_TRUE(bank->UMLClass->Methods.Contains(c->Method));

  // A message to the box itself proposes the first line of its text as the method name.
  Click(Inside(bank));
  Ok<TInfoBoxForm>([](TInfoBoxForm& f) { f.Lines = {"verzinse", "am Jahresende"}; });
  Answer<TChooseMethodForm>([](TChooseMethodForm& f) { f.PressNew(); });
  Ok<TMethodForm>([](TMethodForm& f) { EXPECT_EQ(f.Name, "verzinse"); });
  TConnection* self = Draw("ErteiltAUFTRAGan1", Pt(bank, 2), Pt(bank, 20));
  ASSERT_TRUE(self != c && self->Method);
  EXPECT_EQ(self->Method->Name, "verzinse");
}

TEST_F(Mouse, CancelInTheMethodChoiceAfterTheParentEntryRestoresTheMethod) {
  TUMLDrawClass* a = Box("A", 40, 40);
  TUMLDrawClass* b = Box("B", 300, 40);
  TUMLDrawClass* p = Box("P", 300, 250);
  TMethod* own = AddMeth(*b->UMLClass, {"zahle"});
  AddMeth(*p->UMLClass, {"buche"});
  Doc().AddConnection(b, 6, p, 28, TConnectionKind::Ist);
  TConnection* c = Doc().AddConnection(a, 17, b, 39, TConnectionKind::Auftrag);
  c->Method = own;
  w->Redraw();
  RightClick(Pt(a, 17));
  EXPECT_EQ(popupTitles.back(), "   Auftrag: ");
  Ok<TChooseMethodForm>([](TChooseMethodForm& f) {
    ASSERT_EQ(f.Items, (Names{"zahle()", W("Methode der Vorgängerklasse auswählen")}));
    EXPECT_EQ(f.Selected, 0);
    f.Selected = 1;
  });
  Answer<TChooseMethodForm>([](TChooseMethodForm& f) {
    EXPECT_EQ(f.Caption, W("Methode der Klasse 'P' wählen!"));
    f.PressCancel();
  });
  Trigger("Methodewaehlen");
  EXPECT_EQ(c->Method, own);
  Answer<TChooseMethodForm>([](TChooseMethodForm& f) { f.PressNone(); });
  Trigger("Methodewaehlen");
  EXPECT_EQ(c->Method, nullptr);
}

TEST_F(Mouse, EscapeEndsTheCommandButKeepsTheMessageItemTicked) {
  TUMLDrawClass* a = Box("A", 40, 40);
  Click(Inside(a));
  Trigger("Assoziation");
  w->FormKeyDown(Qt::Key_Escape);
  EXPECT_FALSE(Ticked("Assoziation"));
  Trigger("Auftrag");
  Click(Pt(a, 3));
  w->FormKeyDown(Qt::Key_Escape);
  EXPECT_EQ(w->Mode, EditMode::Idle);
  EXPECT_TRUE(Ticked("Auftrag"));
  Click(Pt(a, 30));
  EXPECT_EQ(Doc().Connections.Count(), 0);
  Trigger("Aggregation");  // a relationship command unticks the message items
  EXPECT_FALSE(Ticked("Auftrag"));
}

TEST_F(Mouse, DeletingByClickNeedsTheHandCursorAndOffersEveryConnectionAtThePoint) {
  TUMLDrawClass* a = Box("A", 40, 40);
  TUMLDrawClass* b = Box("B", 300, 40);
  Doc().AddConnection(a, 17, b, 39, TConnectionKind::Auftrag);
  TConnection* hat = Doc().AddConnection(a, 20, b, 36, TConnectionKind::Hat);
  Doc().AddConnection(a, 20, Box("C", 300, 250), 6, TConnectionKind::Kennt);
  w->Redraw();
  Click(Inside(a));
  // A message end shows no hand for deleting relationships: the click only ends the mode.
  Trigger("deleteConnection");
  Move(Pt(a, 17));
  EXPECT_FALSE(Hand());
  Down(Pt(a, 17));
  EXPECT_TRUE(dialogs.messages.shown.empty());
  EXPECT_EQ(Doc().Connections.Count(), 3);
  // Two relationships end at one point: both are offered, in list order.
  Trigger("deleteConnection");
  dialogs.messages.answers = {MsgResult::No, MsgResult::Yes};
  Click(Pt(a, 20));
  EXPECT_EQ(LastMessage(), W("Möchten Sie die rot markierte KENNT-Beziehung wirklich löschen?"));
  Trigger("BotschaftLoeschen");
  dialogs.messages.answers = {MsgResult::Yes};
  Click(Pt(a, 17));
  EXPECT_EQ(Doc().Connections.Items, std::vector<TConnection*>{hat});
}

TEST_F(Mouse, ClicksGoToConnectionEndsThenTheLastBoxThenInfoBoxes) {
  TUMLDrawClass* a = Box("Fahrzeugklasse", 40, 40);
  TUMLDrawClass* b = Box("Bauteilklasse", 60, 50);  // drawn over A
  TInfoBox* note = Doc().AddInfoBox(70, 60);
  note->Lines = {"unter B"};
  TInfoBox* free = Doc().AddInfoBox(300, 300);
  w->Redraw();
  const TPoint overlap{(b->Left + a->Right) / 2, (b->Top + a->Bottom) / 2};
  const TPoint onNote{note->Left + 3, note->Top + 3};
  ASSERT_TRUE(a->ContainsPoint(overlap.X, overlap.Y) && b->ContainsPoint(overlap.X, overlap.Y));
  ASSERT_TRUE(b->ContainsPoint(onNote.X, onNote.Y) && note->ContainsPoint(onNote.X, onNote.Y));
  Click(overlap);
  EXPECT_EQ(Doc().CurrentBox, b);
  Click(onNote);
  EXPECT_EQ(w->DraggedBox, nullptr);
  Click({free->Left + 3, free->Top + 3});
  EXPECT_EQ(w->DraggedBox, free);

  // A connection end on a box wins; a left click there re-attaches that end.
  TConnection* c = Doc().AddConnection(b, 2, a, 30, TConnectionKind::Kennt);
  w->Redraw();
  Click(Pt(b, 2));
  EXPECT_EQ(w->Mode, EditMode::MoveStartEnd);
  Click(Pt(b, 6));
  EXPECT_EQ(c->StartPoint, b->BorderPointAt(Pt(b, 6).X, Pt(b, 6).Y));
  EXPECT_EQ(c->EndPoint, 30);
  EXPECT_EQ(w->Mode, EditMode::Idle);
}

TEST_F(Mouse, RubberBandSelectsWhollyEnclosedBoxesInEitherDirection) {
  TUMLDrawClass* a = Box("A", 40, 40);
  TUMLDrawClass* b = Box("B", 160, 60);
  Box("C", 250, 180);  // reaches out of the band
  const TPoint topLeft{20, 20}, bottomRight{b->Right + 20, 200};
  for (auto [from, to] : {std::pair{topLeft, bottomRight}, std::pair{bottomRight, topLeft}}) {
    Drag(from, to);
    EXPECT_EQ(w->Mode, EditMode::SelectionShown);
    EXPECT_EQ(Doc().Selection.Items, (std::vector<TUMLDrawClass*>{a, b}));
    EXPECT_EQ(Doc().SelectionRect, (TRect{20, 20, bottomRight.X, 200}));
    Click({600, 380});  // outside: the selection is given up
    EXPECT_EQ(w->Mode, EditMode::Idle);
    EXPECT_TRUE(Doc().Selection.Items.empty());
  }
}

TEST_F(Mouse, AGroupDragStopsTwoPixelsFromTheEdge) {
  TUMLDrawClass* a = Box("A", 12, 12);
  TUMLDrawClass* b = Box("B", 150, 40);
  Drag({8, 8}, {b->Right + 5, b->Bottom + 5});
  ASSERT_EQ(Doc().Selection.Count(), 2);
  const TPoint grab{a->Right - 5, a->Bottom - 5};
  Down(grab);
  EXPECT_EQ(w->Mode, EditMode::MoveSelection);
  Move({grab.X - 5, grab.Y - 1});  // the band's left edge goes from 8 to 3: allowed
  EXPECT_EQ(Doc().SelectionRect.Left, 3);
  EXPECT_EQ(b->Top, 39);
  Move({grab.X - 6, grab.Y - 1});  // it would reach 2: the group stays
  Move({grab.X - 9, grab.Y + 20});
  EXPECT_EQ(a->Left, 7);
  EXPECT_EQ(a->Top, 11);
  Move({grab.X - 4, grab.Y + 9});  // measured from where it followed last
  EXPECT_EQ(a->Left, 8);
  EXPECT_EQ(a->Top, 21);
  Up({grab.X - 4, grab.Y + 9});
  EXPECT_EQ(w->Mode, EditMode::SelectionShown);
}

TEST_F(Mouse, NewClassAsksAgainAfterAnInvalidNameAndMovesOnFromACoveredPlace) {
  dialogs.inputs = {std::string("1Auto"), std::string("TAuto")};
  Trigger("newClass");
  EXPECT_EQ(dialogs.inputDefaults, (Names{"", "1Auto"}));
  RightClick({400, 300});
  dialogs.inputs = {std::string("TRad"), std::string("")};
  Trigger("NeueKlasseanlegen1");
  Trigger("NeueKlasseanlegen1");  // an emptied field creates nothing
  ASSERT_EQ(Doc().DrawClasses.Count(), 2);
  EXPECT_EQ(Doc().DrawClasses.At(0)->UMLClass->Name, "TAuto");
  // The first lands at the component offset; the second would land on it at (52, 52)
  // and moves on by 20 pixels twice, below the first box (29 pixels high).
  EXPECT_EQ((TPoint{Doc().DrawClasses.At(0)->Left, Doc().DrawClasses.At(0)->Top}),
            (TPoint{51, 51}));
  EXPECT_EQ((TPoint{Doc().DrawClasses.At(1)->Left, Doc().DrawClasses.At(1)->Top}),
            (TPoint{92, 92}));
}

TEST_F(Mouse, KenntDrawnWithRealMouseEventsAsksBothMultiplicities) {
  auto click = [this](TPoint p, Qt::MouseButton button = Qt::LeftButton) {
    SendClick(w->ImClassDiagramm, p, button);
  };
  TUMLDrawClass* autoBox = Box("TAuto", 40, 170);
  TUMLDrawClass* fahrer = Box("TFahrer", 60, 320);
  Answer<TConnectionTextForm>([](TConnectionTextForm& f) {
    EXPECT_EQ(f.TopRight + f.Middle + f.BottomRight, "\"TFahrer\"KENNT\"TAuto\"");
    f.Text = "0..1";
  });
  Answer<TConnectionTextForm>([](TConnectionTextForm& f) {
    EXPECT_EQ(f.Caption, "... Gegenrichtung ...");
    EXPECT_EQ(f.TopRight + f.BottomRight, "\"TAuto\"\"TFahrer\"");
    f.Text = "1";
  });
  Skip(2);
  Answer<TChooseAttributeForm>([](TChooseAttributeForm& f) { f.PressNew(); });
  Ok<TAttributeForm>();
  Ok<TChooseAttributeForm>();
  click(Inside(fahrer));
  click({Doc().Surface.Width - 10, Doc().Surface.Height - 10}, Qt::RightButton);
  Trigger("KENNTAssoziation1");
  click(Pt(fahrer, 3));
  click(Pt(autoBox, 31));
  ASSERT_EQ(Doc().Connections.Count(), 1);
  TConnection* kennt = Doc().Connections.At(0);
  EXPECT_EQ(kennt->EndText + "|" + kennt->StartText, "0..1|1");
  ASSERT_EQ(fahrer->UMLClass->Attributes.Count(), 1);
  EXPECT_EQ(fahrer->UMLClass->Attributes.At(0)->Name, "kenntTAuto");
}

}  // namespace
}  // namespace zedro
