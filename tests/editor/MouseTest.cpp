// Drawing with the mouse in a real diagram window, offscreen: picking border points for
// relationships and messages, the attribute and method choices, selection and dragging,
// deletion and the context menus. Dialogs are answered by the scripted service.
#include <QMouseEvent>

#include "EditorFixture.h"
#include "editor/SurfaceView.h"

namespace zedro {
namespace {

using namespace editortest;

class Mouse : public EditorTest {
 protected:
  void SetUp() override {
    EditorTest::SetUp();
    w = NewDiagram();
  }
  DiagramDocument& Doc() { return w->Doc(); }

  // A class box with its top-left corner at (x, y).
  TUMLDrawClass* Box(const std::string& name, int x, int y) {
    TUMLDrawClass* b = Doc().AddClassBox(std::make_unique<TUMLClass>(name), x, y);
    b->Left = x;
    b->Top = y;
    w->Redraw(true);
    return b;
  }
  void Move(TPoint p) { w->ImClassDiagrammMouseMove(p.X, p.Y); }
  void Down(TPoint p) { w->ImClassDiagrammMouseDown(Qt::LeftButton, p.X, p.Y); }
  void Up(TPoint p) { w->ImClassDiagrammMouseUp(Qt::LeftButton, p.X, p.Y); }
  void Click(TPoint p, int button = Qt::LeftButton) { EditorTest::Click(w, p, button); }
  void RightClick(TPoint p) { Click(p, Qt::RightButton); }
  void Drag(TPoint from, TPoint to) { EditorTest::Drag(w, from, to); }
  void Trigger(const char* item) {
    QAction* a = w->Item(item);
    ASSERT_NE(a, nullptr) << item;
    a->trigger();
  }
  bool Ticked(const char* item) { return w->Item(item)->isChecked(); }
  bool Hand() { return w->SurfaceCursor() == Qt::PointingHandCursor; }
  // A connection drawn with a command item: first and second border point.
  TConnection* Draw(const char* item, TPoint first, TPoint second) {
    Trigger(item);
    Click(first);
    Click(second);
    return Doc().Connections.Count() ? Doc().Connections.Items.back() : nullptr;
  }

  TFChild* w = nullptr;
};

TMethod* AddMethod(TUMLClass& cls, const std::string& name) {
  auto m = std::make_unique<TMethod>();
  m->Name = name;
  return cls.AddMethod(std::move(m));
}

// ---- relationships ---------------------------------------------------------------------

TEST_F(Mouse, IstSetsTheParentAndDeletingFollowsTheRemainingIst) {
  TUMLDrawClass* a = Box("A", 40, 40);
  TUMLDrawClass* b = Box("B", 300, 200);
  TUMLDrawClass* c = Box("C", 40, 250);
  Trigger("Vererbung");  // no current class yet
  EXPECT_EQ(LastMessage(), W("Es ist keine aktuelle Klasse angewählt."));
  Click(Inside(a));
  Trigger("Vererbung");
  Trigger("Vererbung");  // toggled off again
  EXPECT_EQ(w->Mode, EditMode::Idle);

  Answer<TChooseLineForm>([](TChooseLineForm& f) { f.LongDash = false; });
  const TPoint first = Pt(a, 6), second = Pt(a, 30);
  Trigger("Vererbung");
  Click({200, 150});  // a miss keeps waiting
  EXPECT_EQ(w->Mode, EditMode::PickFirstPoint);
  Click(first);
  Move(Pt(b, 28));
  EXPECT_TRUE(Hand());
  Click(Pt(b, 28));
  ASSERT_EQ(Doc().Connections.Count(), 1);
  EXPECT_EQ(Doc().Connections.At(0)->StartPoint, a->BorderPointAt(first.X, first.Y));
  EXPECT_EQ(Doc().Connections.At(0)->LineShape, 2);
  EXPECT_EQ(a->UMLClass->Parent, b->UMLClass);
  EXPECT_FALSE(Ticked("Vererbung"));

  // From the box's menu only the current box's points count for the first pick.
  RightClick(Inside(a));
  Trigger("IST1");
  Click(Pt(c, 3));
  EXPECT_EQ(w->Mode, EditMode::PickFirstPointOnCurrent);
  Click(second);
  Click(Pt(c, 3));
  ASSERT_EQ(Doc().Connections.Count(), 2);
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
  EXPECT_EQ(w->SelectedConnection, nullptr);
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
  Answer<TAttributeForm>([](TAttributeForm& f) {
    EXPECT_EQ(f.Caption, W("Neues Attribute für eine Objektbeziehung festlegen"));
    EXPECT_EQ(f.Name, "hatMotor");
    EXPECT_EQ(f.Type, "Motor");
    EXPECT_EQ(f.Visibility, kProtected);
    f.SetReadChecked(true);
    f.SetWriteChecked(true);
    f.PressOk();
  });
  Answer<TChooseAttributeForm>([](TChooseAttributeForm& f) {
    ASSERT_EQ(f.Items, std::vector<std::string>{"hatMotor"});
    EXPECT_TRUE(f.SelectedItems[0]);  // the new attribute is preselected
    f.PressOk();
  });
  TConnection* c = Draw("Aggregation", Pt(car, 17), Pt(motor, 39));
  ASSERT_NE(c, nullptr);
  EXPECT_EQ(c->EndText, "1");
  ASSERT_EQ(car->UMLClass->Attributes.Count(), 1);
  TAttribute* hat = car->UMLClass->Attributes.At(0);
  EXPECT_EQ(c->Attributes.Items, std::vector<TAttribute*>{hat});
  ASSERT_TRUE(hat->ReadMethod && hat->WriteMethod);
  EXPECT_EQ(hat->ReadMethod->Code, (StringList{"{", "  return hatMotor", "}"}));
  ASSERT_EQ(hat->WriteMethod->Parameters.size(), 1u);
  EXPECT_EQ(hat->WriteMethod->Parameters[0].Name, "pHatMotor");
  EXPECT_EQ(hat->WriteMethod->Code, (StringList{"{", "  hatMotor = pHatMotor", "}"}));
  EXPECT_EQ(car->UMLClass->Methods.Count(), 2);
}

TEST_F(Mouse, TheAttributeChoiceOffersTheParentClassAndCancelKeepsANewAttribute) {
  TUMLDrawClass* a = Box("A", 40, 40);
  TUMLDrawClass* p = Box("P", 40, 250);
  TUMLDrawClass* b = Box("B", 300, 40);
  a->UMLClass->AddAttribute(std::make_unique<TAttribute>("x", "Integer", kPrivate, StringList{}));
  TAttribute* y =
      p->UMLClass->AddAttribute(std::make_unique<TAttribute>("y", "B", kPrivate, StringList{}));
  Doc().AddConnection(a, 6, p, 28, kIst);
  Click(Inside(a));
  Skip(3);
  Ok<TChooseAttributeForm>([](TChooseAttributeForm& f) {
    ASSERT_EQ(f.Items, (Names{"x", W("Attribut der Vorgängerklasse wählen")}));
    f.Select(1);
  });
  Ok<TChooseAttributeForm>([](TChooseAttributeForm& f) {
    EXPECT_EQ(f.Caption, W("Attribut der Klasse 'P' wählen!"));
    f.Select(0);
  });
  TConnection* c = Draw("Aggregation", Pt(a, 17), Pt(b, 39));
  ASSERT_NE(c, nullptr);
  EXPECT_EQ(c->Attributes.Items, std::vector<TAttribute*>{y});

  Answer<TChooseAttributeForm>([](TChooseAttributeForm& f) { f.PressNew(); });
  Ok<TAttributeForm>();
  Answer<TChooseAttributeForm>([](TChooseAttributeForm& f) { f.PressCancel(); });
  RightClick(Pt(a, 17));
  EXPECT_EQ(popups.back().title, "   Beziehung: A HAT B");
  Trigger("Attributwaehlen");
  EXPECT_EQ(c->Attributes.Count(), 2);
  EXPECT_EQ(a->UMLClass->Attributes.Count(), 2);
}

// ---- messages --------------------------------------------------------------------------

TEST_F(Mouse, AnAnfrageToTheLeftPointsItsAnswerRightAndCreatesItsMethod) {
  TUMLDrawClass* bank = Box("Bank", 40, 40);
  TUMLDrawClass* kunde = Box("Kunde", 300, 40);
  Click(Inside(kunde));
  Answer<TConnectionTextForm>([](TConnectionTextForm& f) { f.Text = "GibStand"; });
  Answer<TConnectionTextForm>([](TConnectionTextForm& f) { f.Text = "Integer"; });
  Answer<TChooseMethodForm>([](TChooseMethodForm& f) { f.PressNew(); });
  Ok<TMethodForm>([](TMethodForm& f) {
    EXPECT_EQ(f.Kind, kFunction);
    EXPECT_EQ(f.ResultType + " " + f.Name, "Integer GibStand");
    EXPECT_EQ(f.Access, kPublic);
  });
  TConnection* c = Draw("Anfrage", Pt(kunde, 39), Pt(bank, 17));
  ASSERT_NE(c, nullptr);
  EXPECT_EQ(c->TextBox->Lines, (StringList{"GibStand ?", "--> Integer"}));
  ASSERT_NE(c->Method, nullptr);
  EXPECT_TRUE(bank->UMLClass->Methods.Contains(c->Method));
  EXPECT_FALSE(Ticked("Anfrage"));

  Ok<TInfoBoxForm>([](TInfoBoxForm& f) {
    EXPECT_EQ(f.Caption, "Anfrage an Klasse Bank");
    f.Lines = {"GibKontostand ?", "--> Integer"};
  });
  RightClick({c->TextBox->Left + 2, c->TextBox->Top + 2});
  EXPECT_EQ(popups.back().title, "Anfrage an Klasse: Bank");
  Trigger("beziehungBearbeiten");
  EXPECT_EQ(c->TextBox->Lines[0], "GibKontostand ?");

  // A message to the box itself proposes the first line of its text as the method name.
  Click(Inside(bank));
  Ok<TInfoBoxForm>([](TInfoBoxForm& f) { f.Lines = {"verzinse", "am Jahresende"}; });
  Answer<TChooseMethodForm>([](TChooseMethodForm& f) { f.PressNew(); });
  Ok<TMethodForm>([](TMethodForm& f) { EXPECT_EQ(f.Name, "verzinse"); });
  TConnection* self = Draw("ErteiltAUFTRAGan1", Pt(bank, 2), Pt(bank, 20));
  ASSERT_NE(self, c);
  EXPECT_EQ(self->StartBox, self->EndBox);
  ASSERT_NE(self->Method, nullptr);
  EXPECT_EQ(self->Method->Name, "verzinse");
}

TEST_F(Mouse, CancelInTheMethodChoiceAfterTheParentEntryRestoresTheMethod) {
  TUMLDrawClass* a = Box("A", 40, 40);
  TUMLDrawClass* b = Box("B", 300, 40);
  TUMLDrawClass* p = Box("P", 300, 250);
  TMethod* own = AddMethod(*b->UMLClass, "zahle");
  AddMethod(*p->UMLClass, "buche");
  Doc().AddConnection(b, 6, p, 28, kIst);
  TConnection* c = Doc().AddConnection(a, 17, b, 39, kAuftrag);
  c->Method = own;
  w->Redraw(true);
  RightClick(Pt(a, 17));
  EXPECT_EQ(popups.back().title, "   Auftrag: ");
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

TEST_F(Mouse, AMessageToTheBoxItselfProposesTheFirstTextLine) {
  TUMLDrawClass* a = Box("Konto", 40, 40);
  Click(Inside(a));
  Answer<TInfoBoxForm>([](TInfoBoxForm& f) {
    f.Lines = {"verzinse", "am Jahresende"};
    f.PressOk();
  });
  Answer<TChooseMethodForm>([](TChooseMethodForm& f) { f.PressNew(); });
  Answer<TMethodForm>([](TMethodForm& f) {
    EXPECT_EQ(f.Name, "verzinse");
    f.PressOk();
  });
  TConnection* c = Draw("ErteiltAUFTRAGan1", Pt(a, 2), Pt(a, 20));
  ASSERT_NE(c, nullptr);
  EXPECT_EQ(c->StartBox, c->EndBox);
  ASSERT_NE(c->Method, nullptr);
  EXPECT_EQ(c->Method->Name, "verzinse");
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
  // Keys do nothing in a diagram without boxes.
  TFChild* empty = NewDiagram();
  empty->Mode = EditMode::PickFirstPoint;
  empty->FormKeyDown(Qt::Key_Escape);
  EXPECT_EQ(empty->Mode, EditMode::PickFirstPoint);
}

// ---- deletion --------------------------------------------------------------------------

TEST_F(Mouse, DeletingByClickNeedsTheHandCursorAndOffersEveryConnectionAtThePoint) {
  TUMLDrawClass* a = Box("A", 40, 40);
  TUMLDrawClass* b = Box("B", 300, 40);
  TUMLDrawClass* c = Box("C", 300, 250);
  Doc().AddConnection(a, 17, b, 39, kAuftrag);
  TConnection* hat = Doc().AddConnection(a, 20, b, 36, kHat);
  Doc().AddConnection(a, 20, c, 6, kKennt);
  w->Redraw(true);
  Click(Inside(a));

  // Deleting relationships: a message end shows no hand, and the click only ends the mode.
  Trigger("deleteConnection");
  Move(Pt(a, 17));
  EXPECT_FALSE(Hand());
  Down(Pt(a, 17));
  EXPECT_TRUE(dialogs.messages.shown.empty());
  EXPECT_EQ(Doc().Connections.Count(), 3);
  EXPECT_EQ(w->Mode, EditMode::Idle);
  EXPECT_FALSE(Ticked("deleteConnection"));

  // Two relationships end at one point: both are offered, in list order.
  Trigger("deleteConnection");
  dialogs.messages.answers = {MsgResult::No, MsgResult::Yes};
  Click(Pt(a, 20));
  ASSERT_EQ(dialogs.messages.shown.size(), 2u);
  EXPECT_EQ(LastMessage(), W("Möchten Sie die rot markierte KENNT-Beziehung wirklich löschen?"));
  EXPECT_EQ(Doc().Connections.Count(), 2);
  EXPECT_GE(Doc().Connections.IndexOf(hat), 0);

  // Deleting messages takes the message only.
  Trigger("BotschaftLoeschen");
  Move(Pt(a, 17));
  EXPECT_TRUE(Hand());
  dialogs.messages.answers = {MsgResult::Yes};
  Down(Pt(a, 17));
  EXPECT_EQ(Doc().Connections.Items, std::vector<TConnection*>{hat});
}

TEST_F(Mouse, TheConnectionMenuRecolorsReroutesAndDeletes) {
  TUMLDrawClass* a = Box("A", 40, 40);
  TUMLDrawClass* b = Box("B", 300, 250);
  TConnection* ist = Doc().AddConnection(a, 6, b, 28, kIst);
  w->Redraw(true);
  RightClick(Pt(a, 6));
  EXPECT_EQ(popups.back().title, "   Beziehung: A IST B");
  Answer<TChooseLineForm>([](TChooseLineForm& f) { f.LongDash = true; });
  Trigger("LinienzugWaehlen");
  EXPECT_EQ(ist->LineShape, 1);
  dialogs.colors.push_back(RGB(0, 200, 0));
  Trigger("CoFarbenAendern");
  EXPECT_EQ(ist->CoOptions->Font.Color, RGB(0, 200, 0));
  EXPECT_EQ(ist->Color, RGB(0, 200, 0));

  dialogs.messages.answers = {MsgResult::No, MsgResult::Yes};
  Trigger("beziehungLoeschen");
  EXPECT_EQ(Doc().Connections.Count(), 1);
  Trigger("beziehungLoeschen");
  EXPECT_EQ(Doc().Connections.Count(), 0);
  EXPECT_EQ(a->UMLClass->Parent, nullptr);
  Trigger("beziehungLoeschen");  // nothing is selected any more: nothing is asked
  EXPECT_EQ(dialogs.messages.shown.size(), 2u);
}

// ---- hit tests, selection and dragging -------------------------------------------------

TEST_F(Mouse, ClicksGoToConnectionEndsThenTheLastBoxThenInfoBoxes) {
  TUMLDrawClass* a = Box("Fahrzeugklasse", 40, 40);
  TUMLDrawClass* b = Box("Bauteilklasse", 60, 50);  // drawn over A
  TInfoBox* note = Doc().AddInfoBox(70, 60);
  note->Lines = {"unter B"};
  TInfoBox* free = Doc().AddInfoBox(300, 300);
  free->Lines = {"frei"};
  w->Redraw(true);
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
  TConnection* c = Doc().AddConnection(b, 2, a, 30, kKennt);
  w->Redraw(true);
  Click(Pt(b, 2));
  EXPECT_EQ(w->Mode, EditMode::MoveStartEnd);
  EXPECT_EQ(w->ReattachBox, b);
  Click(Pt(a, 3));                   // not a point of the box at that end
  Click(Pt(b, 6), Qt::RightButton);  // only the left button counts
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

// ---- context menus ---------------------------------------------------------------------

TEST_F(Mouse, ContextMenusArePreparedForWhatWasClickedAndStayOnTheScreen) {
  TUMLDrawClass* a = Box("A", 40, 40);
  TUMLDrawClass* lib = Box("TObject", 300, 40);
  lib->UMLClass->IsLibraryClass = true;
  TConnection* hat = Doc().AddConnection(a, 17, lib, 39, kHat);
  hat->TextBox->Lines = {"besitzt"};
  w->Redraw(true);

  // A class box hides the value and message entries; a library class takes no members.
  QObject::connect(w->Item("Attributhinzufuegen"), &QAction::triggered, [] {});
  RightClick(Inside(a));
  EXPECT_EQ(popups.back().title, "     Klasse: ----> A");
  EXPECT_TRUE(popups.back().Offers("IST1") && popups.back().Offers("Attributhinzufuegen"));
  for (const char* hidden : {"Wertbelegungndern1", "StelltAnfragean1", "BEAUFTRAGT1"})
    EXPECT_FALSE(popups.back().Offers(hidden)) << hidden;
  RightClick(Inside(lib));
  EXPECT_FALSE(popups.back().Offers("Attributhinzufuegen"));
  RightClick({hat->TextBox->Left + 2, hat->TextBox->Top + 2});
  EXPECT_EQ(popups.back().title, "   Beziehung: A HAT TObject");
  EXPECT_TRUE(popups.back().Offers("Attributwaehlen") && !popups.back().Offers("Methodewaehlen"));
  RightClick({450, 350});
  EXPECT_EQ(popups.back().menu, "MyCreateMenu");
  EXPECT_EQ(w->ClickPos, (TPoint{450, 350}));

  form->move(3000, 3000);
  RightClick({200, 200});
  EXPECT_EQ(popups.back().at, (TPoint{1024 - 10, 768 - 20}));
  form->move(-3000, -3000);
  RightClick({200, 200});
  EXPECT_EQ(popups.back().at, (TPoint{10, 10}));
}

TEST_F(Mouse, MenusOfASubDiagramOfferObjectsAndTheClassInsertion) {
  TFChild* main = Open(std::string(ZEDRO_SOURCE_DIR) + "/examples/Fahrzeuge.urd");
  ASSERT_TRUE(main && !main->SubDiagramWindows().empty());
  w = Watch(main->SubDiagramWindows()[0]);
  auto object = std::find_if(Doc().DrawClasses.Items.begin(), Doc().DrawClasses.Items.end(),
                             [](TUMLDrawClass* box) { return box->IsObjectBox(); });
  ASSERT_NE(object, Doc().DrawClasses.Items.end());
  RightClick(Inside(*object));
  EXPECT_EQ(popups.back().title,
            "     Objekt: ----> " + static_cast<TUMLDrawObject*>(*object)->ObjectName);
  EXPECT_TRUE(popups.back().Offers("BEAUFTRAGT1"));

  RightClick({Doc().Surface.Width - 5, Doc().Surface.Height - 5});
  EXPECT_EQ(popups.back().title, "Objekt");
  EXPECT_FALSE(TFChild::ItemAt(w->MyCreateMenu, 3)->isVisible());
  w->newClassClick();
  EXPECT_EQ(LastMessage(), W("Neue Klassen können nur im Hauptdiagramm eingefügt werden"));
}

// ---- new class -------------------------------------------------------------------------

TEST_F(Mouse, NewClassAsksAgainAfterAnInvalidName) {
  dialogs.inputs = {std::string("1Auto"), std::string("TAuto")};
  Trigger("newClass");
  ASSERT_EQ(Doc().DrawClasses.Count(), 1);
  EXPECT_EQ(dialogs.inputDefaults, (Names{"", "1Auto"}));
  EXPECT_EQ(dialogs.messages.shown.size(), 1u);  // the scanner's message about "1Auto"
  TUMLDrawClass* box = Doc().DrawClasses.At(0);
  EXPECT_EQ(box->UMLClass->Name, "TAuto");
  EXPECT_EQ(Doc().CurrentBox, box);
  EXPECT_FALSE(Doc().Saved);
  // New classes land at (50, 50) moved on by the surface's component count, wherever the
  // click for the menu was.
  EXPECT_EQ(box->Left, 51);
  EXPECT_EQ(box->Top, 51);
  RightClick({400, 300});
  dialogs.inputs = {std::string("TRad")};
  Trigger("NeueKlasseanlegen1");
  ASSERT_EQ(Doc().DrawClasses.Count(), 2);
  EXPECT_EQ(Doc().DrawClasses.At(1)->Left, 52);
  EXPECT_EQ(Doc().DrawClasses.At(1)->Top, 52);
  // Emptying the field, and cancelling, end the command without a class.
  dialogs.inputs = {std::string(""), std::nullopt};
  Trigger("NeueKlasseanlegen1");
  Trigger("newClass");
  EXPECT_EQ(Doc().DrawClasses.Count(), 2);
  EXPECT_EQ(dialogs.inputDefaults.back(), "TRad");
}

// ---- the vehicles example, drawn with the mouse alone ----------------------------------

TEST_F(Mouse, TheVehiclesExampleCanBeDrawnWithTheMouseAlone) {
  SurfaceView* view = w->ImClassDiagramm;
  auto send = [view](QEvent::Type type, TPoint p, Qt::MouseButton button) {
    const QPointF at(p.X, p.Y);
    QMouseEvent e(type, at, view->mapToGlobal(at), button,
                  type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button),
                  Qt::NoModifier);
    QApplication::sendEvent(view, &e);
  };
  auto click = [&](TPoint p, Qt::MouseButton button = Qt::LeftButton) {
    send(QEvent::MouseMove, p, Qt::NoButton);
    send(QEvent::MouseButtonPress, p, button);
    send(QEvent::MouseButtonRelease, p, button);
  };
  auto drag = [&](TPoint from, TPoint to) {
    send(QEvent::MouseMove, from, Qt::NoButton);
    send(QEvent::MouseButtonPress, from, Qt::LeftButton);
    send(QEvent::MouseMove, {(from.X + to.X) / 2, (from.Y + to.Y) / 2}, Qt::LeftButton);
    send(QEvent::MouseMove, to, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, to, Qt::LeftButton);
  };
  auto emptyArea = [&](const char* item) {
    click({Doc().Surface.Width - 10, Doc().Surface.Height - 10}, Qt::RightButton);
    EXPECT_TRUE(popups.back().Offers(item)) << item;
    Trigger(item);
  };
  auto newClass = [&](const std::string& name, int x, int y) {
    dialogs.inputs.push_back(name);
    emptyArea("NeueKlasseanlegen1");
    TUMLDrawClass* box = Doc().CurrentBox;
    drag(Inside(box), {Inside(box).X + x - box->Left, Inside(box).Y + y - box->Top});
    EXPECT_EQ(box->Left, x);
    return box;
  };

  TUMLDrawClass* fahrzeug = newClass("TFahrzeug", 40, 20);
  TUMLDrawClass* autoBox = newClass("TAuto", 40, 170);
  TUMLDrawClass* rad = newClass("TRad", 380, 180);
  TUMLDrawClass* fahrer = newClass("TFahrer", 60, 320);

  click(Inside(autoBox), Qt::RightButton);  // TAuto IST TFahrzeug
  Trigger("IST1");
  click(Pt(autoBox, 6));
  EXPECT_EQ(w->StatusText(),
            W("WAS ist diese Klasse: Bitte Randpunkt der Vorgängerlasse mit Handsymbol anklicken"));
  click(Pt(fahrzeug, 28));

  // TAuto HAT TRad, through a new attribute with both methods.
  Answer<TConnectionTextForm>([](TConnectionTextForm& f) {
    EXPECT_EQ(f.Middle, "HAT / besitzt");
    f.Text = "4";
  });
  Ok<TInfoBoxForm>([](TInfoBoxForm& f) { f.Lines = {"rollt auf"}; });
  Skip();  // the route
  Answer<TChooseAttributeForm>([](TChooseAttributeForm& f) { f.PressNew(); });
  Ok<TAttributeForm>([](TAttributeForm& f) {
    EXPECT_EQ(f.Caption, W("Neues Attribute für eine Objektbeziehung festlegen"));
    EXPECT_EQ(f.Name + ":" + f.Type, "hatTRad:TRad");
    EXPECT_EQ(f.Visibility, kProtected);
    f.SetReadChecked(true);
    f.SetWriteChecked(true);
  });
  Ok<TChooseAttributeForm>([](TChooseAttributeForm& f) {
    EXPECT_EQ(f.Items, (Names{"hatTRad", W("Attribut der Vorgängerklasse wählen")}));
    EXPECT_EQ(f.SelectedItems, (std::vector<bool>{true, false}));  // the new one preselected
  });
  Trigger("Aggregation");
  EXPECT_EQ(w->StatusText(),
            "HAT-Beziehung/Aggregation - Bitte Randpunkt der besitzenden Klasse mit Handsymbol "
            "anklicken.");
  click(Pt(autoBox, 17));
  click(Pt(rad, 39));

  // TFahrer KENNT TAuto, with both multiplicities.
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
  emptyArea("KENNTAssoziation1");
  click(Pt(fahrer, 3));
  click(Pt(autoBox, 31));

  TConnection* hat = Doc().Connections.At(1);
  const TPoint text{hat->TextBox->Left + 2, hat->TextBox->Top + 2};
  drag(text, {text.X - 7, text.Y - 18});
  EXPECT_EQ(hat->TextOffsetX, -7);
  EXPECT_EQ(hat->TextOffsetY, -18);

  ASSERT_EQ(Doc().Connections.Count(), 3);
  EXPECT_EQ(autoBox->UMLClass->Parent, fahrzeug->UMLClass);
  TAttribute* hatTRad = autoBox->UMLClass->Attributes.At(0);
  EXPECT_EQ(hat->Attributes.Items, std::vector<TAttribute*>{hatTRad});
  EXPECT_TRUE(hatTRad->ReadMethod && hatTRad->WriteMethod);
  TConnection* kennt = Doc().Connections.At(2);
  EXPECT_EQ(hat->EndText + "|" + kennt->EndText + "|" + kennt->StartText, "4|0..1|1");
  EXPECT_EQ(fahrer->UMLClass->Attributes.At(0)->Name, "kenntTAuto");
}

}  // namespace
}  // namespace zedro
