// Drawing with the mouse in a real diagram window, offscreen: picking border points for
// relationships and messages, the attribute and method choices, selection and dragging,
// deletion and the context menus. Dialogs are answered by the scripted service.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <algorithm>
#include <cstdlib>
#include <functional>
#include <memory>

#include "diagram/DiagramDocument.h"
#include "editor/DialogService.h"
#include "editor/QtDialogs.h"
#include "editor/QtText.h"
#include "editor/SurfaceView.h"
#include "editor/TFChild.h"
#include "editor/TMainForm.h"
#include "model/Notation.h"
#include "model/Win1252.h"

namespace zedro {
namespace {

// Also records the text an input box starts with.
class RecordingDialogs : public ScriptedDialogs {
 public:
  bool InputBox(const std::string& caption, const std::string& prompt,
                std::string& value) override {
    inputDefaults.push_back(value);
    return ScriptedDialogs::InputBox(caption, prompt, value);
  }
  MsgResult MessageAt(MsgKind kind, const std::string& text, MsgButtons buttons, int x,
                      int y) override {
    questionsAt.push_back({x, y});
    return ScriptedDialogs::MessageAt(kind, text, buttons, x, y);
  }
  std::vector<std::string> inputDefaults;
  std::vector<TPoint> questionsAt;
};

struct Popup {
  std::string menu;
  std::string title;  // the text of item 0
  std::vector<std::string> visible;
  TPoint at;
  bool Shows(const std::string& item) const {
    return std::find(visible.begin(), visible.end(), item) != visible.end();
  }
};

class Mouse : public ::testing::Test {
 protected:
  void SetUp() override {
    ActiveNotation::Set(1);
    form = std::make_unique<TMainForm>(dialogs);
    form->show();
    QApplication::processEvents();
    form->FileNew1Execute();
    w = form->ActiveChild();
    ASSERT_NE(w, nullptr);
    Watch(*w);
  }
  void TearDown() override {
    form.reset();
    ActiveNotation::Set(1);
  }

  void Watch(TFChild& window) {
    window.ShowContextMenu = [this](QMenu* m, TPoint at) {
      Popup p{m->objectName().toStdString(), S(m->actions()[0]->text()), {}, at};
      for (QAction* a : m->actions().mid(1))  // item 0 is the title
        if (!a->isSeparator() && a->isVisible() && a->isEnabled())
          p.visible.push_back(a->objectName().toStdString());
      popups.push_back(p);
    };
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
  static TPoint Pt(const TUMLDrawClass* b, int i) {
    return {b->BorderPointX(i), b->BorderPointY(i)};
  }
  static TPoint Inside(const TUMLDrawClass* b) { return {(b->Left + b->Right) / 2, b->Top + 6}; }

  void Move(TPoint p) { w->ImClassDiagrammMouseMove(p.X, p.Y); }
  void Down(TPoint p, int button = Qt::LeftButton) {
    w->ImClassDiagrammMouseDown(button, p.X, p.Y);
  }
  void Up(TPoint p, int button = Qt::LeftButton) { w->ImClassDiagrammMouseUp(button, p.X, p.Y); }
  void Click(TPoint p, int button = Qt::LeftButton) {
    Move(p);
    Down(p, button);
    Up(p, button);
  }
  void RightClick(TPoint p) { Click(p, Qt::RightButton); }
  void Drag(TPoint from, TPoint to) {
    Move(from);
    Down(from);
    Move(to);
    Up(to);
  }
  void Trigger(const char* item) {
    QAction* a = w->Item(item);
    ASSERT_NE(a, nullptr) << item;
    a->trigger();
  }
  bool Ticked(const char* item) { return w->Item(item)->isChecked(); }

  // Presses the buttons of the next dialog, which must be of type F.
  template <class F>
  void Answer(std::function<void(F&)> press) {
    dialogs.dialogScripts.push_back([press](TDialogForm& form) {
      auto* f = dynamic_cast<F*>(&form);
      ASSERT_NE(f, nullptr) << "unexpected dialog " << form.TypeName();
      press(*f);
    });
  }
  void Skip() { dialogs.dialogScripts.push_back(nullptr); }  // closed by its close box

  // A connection drawn with a command item: first and second border point.
  TConnection* Draw(const char* item, TPoint first, TPoint second) {
    Trigger(item);
    Click(first);
    Click(second);
    return Doc().Connections.Count() ? Doc().Connections.Items.back() : nullptr;
  }

  RecordingDialogs dialogs;
  std::unique_ptr<TMainForm> form;
  TFChild* w = nullptr;
  std::vector<Popup> popups;
};

// ---- relationships ---------------------------------------------------------------------

TEST_F(Mouse, IstRelationshipsReplaceAndClearTheParent) {
  TUMLDrawClass* a = Box("A", 40, 40);
  TUMLDrawClass* b = Box("B", 300, 40);
  TUMLDrawClass* c = Box("C", 40, 250);

  Trigger("Vererbung");  // no current class yet
  EXPECT_EQ(dialogs.messages.Texts().back(), W("Es ist keine aktuelle Klasse angewählt."));
  EXPECT_FALSE(Ticked("Vererbung"));

  Click(Inside(a));
  Trigger("Vererbung");
  Trigger("Vererbung");  // toggled off again: nothing is created
  EXPECT_EQ(w->Mode, EditMode::Idle);
  EXPECT_FALSE(Ticked("Vererbung"));

  Trigger("Vererbung");
  EXPECT_EQ(w->Mode, EditMode::PickFirstPoint);
  EXPECT_EQ(w->StatusText(),
            "WELCHE Klasse ist..   Bitte Randpunkt der Nachfolgerklasse mit Handsymbol anklicken.");
  Click({200, 200});  // a miss keeps waiting
  EXPECT_EQ(w->Mode, EditMode::PickFirstPoint);
  const TPoint from = Pt(a, 6), to = Pt(b, 28), from2 = Pt(a, 30);
  Click(from);
  EXPECT_EQ(w->Mode, EditMode::PickSecondPoint);
  EXPECT_EQ(w->StatusText(),
            W("WAS ist diese Klasse: Bitte Randpunkt der Vorgängerlasse mit Handsymbol anklicken"));
  Move(to);
  EXPECT_EQ(w->SurfaceCursor(), Qt::PointingHandCursor);
  Click(to);
  ASSERT_EQ(Doc().Connections.Count(), 1);
  TConnection* first = Doc().Connections.At(0);
  EXPECT_EQ(first->Kind, kIst);
  EXPECT_EQ(first->StartPoint, a->BorderPointAt(from.X, from.Y));
  EXPECT_EQ(first->EndPoint, b->BorderPointAt(to.X, to.Y));
  EXPECT_EQ(a->UMLClass->Parent, b->UMLClass);
  EXPECT_EQ(w->Mode, EditMode::Idle);
  EXPECT_FALSE(Ticked("Vererbung"));
  EXPECT_EQ(dialogs.CountAsked("TFChooseLine"), 1);

  // From the box's context menu: only border points of the current box count at first.
  RightClick(Inside(a));
  ASSERT_EQ(popups.size(), 1u);
  EXPECT_TRUE(popups[0].Shows("IST1"));
  Trigger("IST1");
  EXPECT_EQ(w->StatusText(), "Bitte einen Randpunkt dieser Klasse mit Handsymbol anklicken.");
  Click(Pt(c, 3));
  EXPECT_EQ(w->Mode, EditMode::PickFirstPointOnCurrent);
  Click(from2);
  Click(Pt(c, 3));
  ASSERT_EQ(Doc().Connections.Count(), 2);
  EXPECT_EQ(a->UMLClass->Parent, c->UMLClass);

  // Deleting by clicking an end: the Parent follows the IST connections that remain.
  Trigger("deleteConnection");
  EXPECT_EQ(w->Mode, EditMode::DeleteConnection);
  Move(from);
  EXPECT_EQ(w->SurfaceCursor(), Qt::PointingHandCursor);
  dialogs.messages.answers.push_back(MsgResult::Yes);
  Down(from);
  EXPECT_EQ(dialogs.messages.Texts().back(),
            W("Möchten Sie die rot markierte IST-Beziehung wirklich löschen?"));
  ASSERT_EQ(Doc().Connections.Count(), 1);
  EXPECT_EQ(Doc().Connections.At(0)->StartPoint, a->BorderPointAt(from2.X, from2.Y));
  EXPECT_EQ(a->UMLClass->Parent, c->UMLClass);
  EXPECT_EQ(w->SelectedConnection, nullptr);
  EXPECT_EQ(w->Mode, EditMode::Idle);
  EXPECT_FALSE(Ticked("deleteConnection"));
  Trigger("deleteConnection");
  dialogs.messages.answers.push_back(MsgResult::Yes);
  Click(from2);
  EXPECT_EQ(Doc().Connections.Count(), 0);
  EXPECT_EQ(a->UMLClass->Parent, nullptr);
}

TEST_F(Mouse, TheRouteChoiceIsPreviewedOnTheSurfaceAndErasedAfterwards) {
  TUMLDrawClass* a = Box("A", 40, 40);
  TUMLDrawClass* b = Box("B", 300, 200);
  Click(Inside(a));
  auto redPixels = [this] {
    const QImage& img = w->ImClassDiagramm->Picture();
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
      for (int x = 0; x < img.width(); ++x)
        if ((img.pixel(x, y) & 0xFFFFFF) == 0xFF0000) ++n;
    return n;
  };
  int duringChoice = -1;
  Answer<TChooseLineForm>([&](TChooseLineForm& f) {
    duringChoice = redPixels();
    f.LongDash = false;
    f.PressOk();
  });
  TConnection* c = Draw("Vererbung", Pt(a, 17), Pt(b, 39));
  ASSERT_NE(c, nullptr);
  EXPECT_GT(duringChoice, 100);  // both candidate routes, dashed
  EXPECT_EQ(redPixels(), 0);
  EXPECT_EQ(c->LineShape, 2);
  EXPECT_EQ(c->Color, RGB(170, 0, 0));
}

TEST_F(Mouse, HatWithANewAttributeAndBothMethodsInJava) {
  w->IstJavaVersionClick();
  TUMLDrawClass* car = Box("Auto", 40, 40);
  TUMLDrawClass* motor = Box("Motor", 300, 40);
  Click(Inside(car));
  Answer<TConnectionTextForm>([](TConnectionTextForm& f) {
    EXPECT_EQ(f.Middle, "HAT / besitzt");
    f.Text = "1";
    f.PressOk();
  });
  Skip();  // description
  Skip();  // route
  Answer<TChooseAttributeForm>([](TChooseAttributeForm& f) {
    EXPECT_EQ(f.Caption, W("Attribut der Klasse 'Auto' wählen!"));
    EXPECT_TRUE(f.Items.empty());
    f.PressNew();
  });
  Answer<TAttributeForm>([](TAttributeForm& f) {
    EXPECT_EQ(f.Caption, W("Neues Attribute für eine Objektbeziehung festlegen"));
    EXPECT_EQ(f.ClassLabel, "Klasse : Auto");
    EXPECT_EQ(f.Name, "hatMotor");
    EXPECT_EQ(f.Type, "Motor");
    EXPECT_EQ(f.Visibility, kProtected);
    EXPECT_FALSE(f.DeleteVisible);
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
  TUMLClass& auto_ = *car->UMLClass;
  ASSERT_EQ(auto_.Attributes.Count(), 1);
  TAttribute* hat = auto_.Attributes.At(0);
  EXPECT_EQ(hat->TypeName, "Motor");
  EXPECT_EQ(c->Attributes.Items, std::vector<TAttribute*>{hat});
  ASSERT_NE(hat->ReadMethod, nullptr);
  ASSERT_NE(hat->WriteMethod, nullptr);
  EXPECT_EQ(hat->ReadMethod->Name, "GibHatMotor");
  EXPECT_EQ(hat->ReadMethod->Kind, kFunction);
  EXPECT_EQ(hat->ReadMethod->ResultType, "Motor");
  EXPECT_EQ(hat->ReadMethod->Code, (StringList{"{", "  return hatMotor", "}"}));
  EXPECT_EQ(hat->WriteMethod->Name, "SetzeHatMotor");
  ASSERT_EQ(hat->WriteMethod->Parameters.size(), 1u);
  EXPECT_EQ(hat->WriteMethod->Parameters[0].Name, "pHatMotor");
  EXPECT_EQ(hat->WriteMethod->Parameters[0].TypeName, "Motor");
  EXPECT_EQ(hat->WriteMethod->Code, (StringList{"{", "  hatMotor = pHatMotor", "}"}));
  EXPECT_EQ(auto_.Methods.Count(), 2);
}

TEST_F(Mouse, KenntAsksBothMultiplicitiesWithTheNamesSwapped) {
  TUMLDrawClass* fahrer = Box("Fahrer", 40, 40);
  TUMLDrawClass* car = Box("Auto", 300, 40);
  Click(Inside(fahrer));
  Answer<TConnectionTextForm>([](TConnectionTextForm& f) {
    EXPECT_EQ(f.Caption, W("Wieviele Objekte ...? (Kardinalitäten)"));
    EXPECT_EQ(f.TopRight, "\"Fahrer\"");
    EXPECT_EQ(f.Middle, "KENNT");
    EXPECT_EQ(f.BottomRight, "\"Auto\"");
    f.Text = "0..1";
  });
  Answer<TConnectionTextForm>([](TConnectionTextForm& f) {
    EXPECT_EQ(f.Caption, "... Gegenrichtung ...");
    EXPECT_EQ(f.TopRight, "\"Auto\"");
    EXPECT_EQ(f.BottomRight, "\"Fahrer\"");
    f.Text = "1";
  });
  Skip();
  Skip();
  Answer<TChooseAttributeForm>([](TChooseAttributeForm& f) { f.PressCancel(); });
  TConnection* c = Draw("Assoziation", Pt(fahrer, 17), Pt(car, 39));
  ASSERT_NE(c, nullptr);
  EXPECT_EQ(c->EndText, "0..1");
  EXPECT_EQ(c->StartText, "1");
  EXPECT_TRUE(c->Attributes.Items.empty());
}

TEST_F(Mouse, TheAttributeChoiceOffersTheParentClassAndKeepsANewAttributeOnCancel) {
  TUMLDrawClass* a = Box("A", 40, 40);
  TUMLDrawClass* p = Box("P", 40, 250);
  TUMLDrawClass* b = Box("B", 300, 40);
  a->UMLClass->AddAttribute(std::make_unique<TAttribute>("x", "Integer", kPrivate, StringList{}));
  TAttribute* y =
      p->UMLClass->AddAttribute(std::make_unique<TAttribute>("y", "B", kPrivate, StringList{}));
  Doc().AddConnection(a, 6, p, 28, kIst);
  Click(Inside(a));
  Skip();
  Skip();
  Skip();
  Answer<TChooseAttributeForm>([](TChooseAttributeForm& f) {
    ASSERT_EQ(f.Items, (std::vector<std::string>{"x", W("Attribut der Vorgängerklasse wählen")}));
    f.Select(1);
    f.PressOk();
  });
  Answer<TChooseAttributeForm>([](TChooseAttributeForm& f) {
    EXPECT_EQ(f.Caption, W("Attribut der Klasse 'P' wählen!"));
    ASSERT_EQ(f.Items, std::vector<std::string>{"y"});
    f.Select(0);
    f.PressOk();
  });
  TConnection* c = Draw("Aggregation", Pt(a, 17), Pt(b, 39));
  ASSERT_NE(c, nullptr);
  EXPECT_EQ(c->Attributes.Items, std::vector<TAttribute*>{y});

  // Again from the connection's menu: a new attribute, then Cancel keeps it in the list.
  Answer<TChooseAttributeForm>([](TChooseAttributeForm& f) { f.PressNew(); });
  Answer<TAttributeForm>([](TAttributeForm& f) {
    EXPECT_EQ(f.Name, "hatB");
    f.PressOk();
  });
  Answer<TChooseAttributeForm>([](TChooseAttributeForm& f) { f.PressCancel(); });
  RightClick(Pt(a, 17));
  ASSERT_FALSE(popups.empty());
  EXPECT_EQ(popups.back().title, "   Beziehung: A HAT B");
  Trigger("Attributwaehlen");
  ASSERT_EQ(c->Attributes.Count(), 2);
  EXPECT_EQ(a->UMLClass->Attributes.Count(), 2);
  EXPECT_TRUE(c->Attributes.Contains(y));
}

// ---- messages --------------------------------------------------------------------------

TEST_F(Mouse, AnAnfrageToTheLeftPointsItsAnswerRightAndCreatesItsMethod) {
  TUMLDrawClass* bank = Box("Bank", 40, 40);
  TUMLDrawClass* kunde = Box("Kunde", 300, 40);
  Click(Inside(kunde));
  Answer<TConnectionTextForm>([](TConnectionTextForm& f) {
    EXPECT_EQ(f.Caption, "Wie lautet die ANFRAGE");
    EXPECT_EQ(f.TopLeft, "anfragende Klasse:");
    EXPECT_EQ(f.BottomRight, "\"Bank\"");
    f.Text = "GibStand";
  });
  Answer<TConnectionTextForm>([](TConnectionTextForm& f) {
    EXPECT_EQ(f.Caption, "Welchen Datentyp hat die ANTWORT ?");
    f.Text = "Integer";
  });
  Answer<TChooseMethodForm>([](TChooseMethodForm& f) {
    EXPECT_EQ(f.Caption, W("Methode der Klasse 'Bank' wählen!"));
    f.PressNew();
  });
  Answer<TMethodForm>([](TMethodForm& f) {
    EXPECT_EQ(f.Caption, W("Neue Methode für eine Botschaft erstellen"));
    EXPECT_EQ(f.Kind, kFunction);
    EXPECT_EQ(f.ResultType, "Integer");
    EXPECT_EQ(f.Name, "GibStand");
    EXPECT_EQ(f.Access, kPublic);
    EXPECT_EQ(f.ClassLabel, "Bank");
    f.PressOk();
  });
  Trigger("Anfrage");
  EXPECT_EQ(w->StatusText(),
            "ANFRAGE - Bitte Randpunkt der fragenden Klasse mit Handsymbol anklicken.");
  Click(Pt(kunde, 39));
  EXPECT_EQ(w->StatusText(),
            "ANFRAGE: Bitte Randpunkt des befragten Objektes mit Handsymbol anklicken");
  Click(Pt(bank, 17));
  ASSERT_EQ(Doc().Connections.Count(), 1);
  TConnection* c = Doc().Connections.At(0);
  EXPECT_EQ(c->TextBox->Lines, (StringList{"GibStand ?", "--> Integer"}));
  ASSERT_NE(c->Method, nullptr);
  EXPECT_EQ(c->Method->Kind, kFunction);
  EXPECT_EQ(c->Method->ResultType, "Integer");
  EXPECT_TRUE(bank->UMLClass->Methods.Contains(c->Method));
  EXPECT_FALSE(Ticked("Anfrage"));

  // Its texts are edited as the text box of the query.
  Answer<TInfoBoxForm>([](TInfoBoxForm& f) {
    EXPECT_EQ(f.Caption, "Anfrage an Klasse Bank");
    f.Lines = {"GibKontostand ?", "--> Integer"};
    f.PressOk();
  });
  RightClick({c->TextBox->Left + 2, c->TextBox->Top + 2});
  ASSERT_FALSE(popups.empty());
  EXPECT_EQ(popups.back().title, "Anfrage an Klasse: Bank");
  EXPECT_EQ(popups.back().visible,
            (std::vector<std::string>{"beziehungLoeschen", "beziehungBearbeiten", "SchriftAendern",
                                      "CoFarbenAendern", "Methodewaehlen"}));
  Trigger("beziehungBearbeiten");
  EXPECT_EQ(c->TextBox->Lines[0], "GibKontostand ?");
}

TEST_F(Mouse, CancelInTheMethodChoiceAfterTheParentEntryRestoresTheMethod) {
  TUMLDrawClass* a = Box("A", 40, 40);
  TUMLDrawClass* b = Box("B", 300, 40);
  TUMLDrawClass* p = Box("P", 300, 250);
  auto method = [](TUMLClass& cls, const std::string& name) {
    auto m = std::make_unique<TMethod>();
    m->Name = name;
    return cls.AddMethod(std::move(m));
  };
  TMethod* own = method(*b->UMLClass, "zahle");
  method(*p->UMLClass, "buche");
  Doc().AddConnection(b, 6, p, 28, kIst);
  TConnection* c = Doc().AddConnection(a, 17, b, 39, kAuftrag);
  c->Method = own;
  w->Redraw(true);
  RightClick(Pt(a, 17));
  ASSERT_EQ(popups.size(), 1u);
  EXPECT_EQ(popups[0].title, "   Auftrag: ");
  Answer<TChooseMethodForm>([](TChooseMethodForm& f) {
    ASSERT_EQ(f.Items,
              (std::vector<std::string>{"zahle()", W("Methode der Vorgängerklasse auswählen")}));
    EXPECT_EQ(f.Selected, 0);
    f.Selected = 1;
    f.PressOk();
  });
  Answer<TChooseMethodForm>([](TChooseMethodForm& f) {
    EXPECT_EQ(f.Caption, W("Methode der Klasse 'P' wählen!"));
    EXPECT_EQ(f.Selected, -1);
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
    EXPECT_EQ(f.Caption, "Auftrag an Klasse: Konto");
    f.Lines = {"verzinse", "am Jahresende"};
    f.PressOk();
  });
  Answer<TChooseMethodForm>([](TChooseMethodForm& f) { f.PressNew(); });
  Answer<TMethodForm>([](TMethodForm& f) {
    EXPECT_EQ(f.Name, "verzinse");
    EXPECT_EQ(f.Kind, kProcedure);
    f.PressOk();
  });
  // From the box's own menu: the sender is the current box.
  w->erteiltAUFTRAGanClick();
  EXPECT_TRUE(Ticked("Auftrag"));
  TConnection* c = nullptr;
  Click(Pt(a, 2));
  Click(Pt(a, 20));
  ASSERT_EQ(Doc().Connections.Count(), 1);
  c = Doc().Connections.At(0);
  EXPECT_EQ(c->StartBox, a);
  EXPECT_EQ(c->EndBox, a);
  ASSERT_NE(c->Method, nullptr);
  EXPECT_EQ(c->Method->Name, "verzinse");
  EXPECT_EQ(c->Color, RGB(128, 0, 128));
}

TEST_F(Mouse, EscapeDuringAMessagePickKeepsTheMessageItemTicked) {
  TUMLDrawClass* a = Box("A", 40, 40);
  Click(Inside(a));
  Trigger("Auftrag");
  EXPECT_EQ(w->StatusText(),
            "AUFTRAG - Bitte Randpunkt der sendenden Klasse mit Handsymbol anklicken.");
  Click(Pt(a, 3));
  w->FormKeyDown(Qt::Key_Escape);
  EXPECT_EQ(w->Mode, EditMode::Idle);
  EXPECT_TRUE(Ticked("Auftrag"));
  Click(Pt(a, 30));  // idle again: no message is made
  EXPECT_EQ(Doc().Connections.Count(), 0);
  // A relationship command unticks the message items.
  Trigger("Aggregation");
  EXPECT_FALSE(Ticked("Auftrag"));
  EXPECT_TRUE(Ticked("Aggregation"));
}

// ---- deletion --------------------------------------------------------------------------

TEST_F(Mouse, DeletingByClickNeedsTheHandCursorAndOffersEveryConnectionAtThePoint) {
  TUMLDrawClass* a = Box("A", 40, 40);
  TUMLDrawClass* b = Box("B", 300, 40);
  TUMLDrawClass* c = Box("C", 300, 250);
  Doc().AddConnection(a, 17, b, 39, kAuftrag);
  TConnection* hat = Doc().AddConnection(a, 20, b, 36, kHat);
  TConnection* kennt = Doc().AddConnection(a, 20, c, 6, kKennt);
  w->Redraw(true);
  Click(Inside(a));

  // "Löschen" of the relationships: a message end shows no hand and is not deleted.
  Trigger("deleteConnection");
  EXPECT_EQ(
      w->StatusText(),
      W("Bitte Anfangs- oder Endpunkt der zu löschenden Beziehung mit Handsymbol anklicken."));
  Move(Pt(a, 17));
  EXPECT_NE(w->SurfaceCursor(), Qt::PointingHandCursor);
  const size_t asked = dialogs.messages.shown.size();
  Down(Pt(a, 17));
  EXPECT_EQ(dialogs.messages.shown.size(), asked);
  EXPECT_EQ(Doc().Connections.Count(), 3);
  EXPECT_EQ(w->Mode, EditMode::Idle);
  EXPECT_FALSE(Ticked("deleteConnection"));

  // Two relationships end at one point: both are offered, in list order.
  Trigger("deleteConnection");
  dialogs.messages.answers = {MsgResult::No, MsgResult::Yes};
  Click(Pt(a, 20));
  ASSERT_EQ(dialogs.messages.shown.size(), asked + 2);
  EXPECT_EQ(dialogs.messages.shown[asked].text,
            W("Möchten Sie die rot markierte HAT-Beziehung wirklich löschen?"));
  EXPECT_EQ(dialogs.messages.shown[asked + 1].text,
            W("Möchten Sie die rot markierte KENNT-Beziehung wirklich löschen?"));
  EXPECT_EQ(Doc().Connections.Count(), 2);
  EXPECT_TRUE(Doc().Connections.IndexOf(hat) >= 0);
  // Asked where the end was clicked.
  const QPoint end = w->ImClassDiagramm->mapToGlobal(QPoint(Pt(a, 20).X, Pt(a, 20).Y));
  EXPECT_EQ(dialogs.questionsAt.back(), (TPoint{end.x(), end.y()}));
  (void)kennt;

  // "Löschen" of the messages deletes the message only.
  Trigger("BotschaftLoeschen");
  Move(Pt(a, 17));
  EXPECT_EQ(w->SurfaceCursor(), Qt::PointingHandCursor);
  dialogs.messages.answers = {MsgResult::Yes};
  Down(Pt(a, 17));
  EXPECT_EQ(dialogs.messages.Texts().back(),
            W("Möchten Sie den rot markierten Auftrag wirklich löschen?"));
  ASSERT_EQ(Doc().Connections.Count(), 1);
  EXPECT_EQ(Doc().Connections.At(0), hat);
}

TEST_F(Mouse, TheConnectionMenuDeletesRecolorsAndReroutes) {
  TUMLDrawClass* a = Box("A", 40, 40);
  TUMLDrawClass* b = Box("B", 300, 250);
  TConnection* ist = Doc().AddConnection(a, 6, b, 28, kIst);
  ist->Color = RGB(170, 0, 0);
  w->Redraw(true);
  EXPECT_EQ(a->UMLClass->Parent, b->UMLClass);
  RightClick(Pt(a, 6));
  ASSERT_EQ(popups.size(), 1u);
  EXPECT_EQ(popups[0].menu, "MyConnectionMenue");
  EXPECT_EQ(popups[0].title, "   Beziehung: A IST B");
  EXPECT_EQ(popups[0].visible,
            (std::vector<std::string>{"beziehungLoeschen", "LinienzugWaehlen", "CoFarbenAendern"}));
  EXPECT_EQ(w->SelectedConnection, ist);

  Answer<TChooseLineForm>([](TChooseLineForm& f) {
    f.LongDash = true;
    f.PressOk();
  });
  Trigger("LinienzugWaehlen");
  EXPECT_EQ(ist->LineShape, 1);

  dialogs.colors.push_back(RGB(0, 200, 0));
  Trigger("CoFarbenAendern");
  EXPECT_EQ(ist->Color, RGB(0, 200, 0));
  EXPECT_EQ(ist->CoOptions->Font.Color, RGB(0, 200, 0));

  TFontSpec bigger = ist->CoOptions->Font;
  bigger.Size = 14;
  dialogs.fonts.push_back(bigger);
  Trigger("SchriftAendern");
  EXPECT_EQ(ist->CoOptions->Font.Size, 14);
  EXPECT_EQ(ist->Color, RGB(0, 200, 0));

  dialogs.messages.answers = {MsgResult::No};
  Trigger("beziehungLoeschen");
  EXPECT_EQ(Doc().Connections.Count(), 1);
  dialogs.messages.answers = {MsgResult::Yes};
  Trigger("beziehungLoeschen");
  EXPECT_EQ(dialogs.messages.Texts().back(),
            W("Möchten Sie die rot markierte IST-Beziehung wirklich löschen?"));
  EXPECT_EQ(Doc().Connections.Count(), 0);
  EXPECT_EQ(a->UMLClass->Parent, nullptr);
  EXPECT_EQ(w->SelectedConnection, nullptr);
  Trigger("beziehungLoeschen");  // nothing selected any more: nothing is asked
  EXPECT_EQ(dialogs.messages.Texts().back(),
            W("Möchten Sie die rot markierte IST-Beziehung wirklich löschen?"));
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
  const TPoint overlap{(b->Left + a->Right) / 2, (b->Top + a->Bottom) / 2},
      onNote{note->Left + 3, note->Top + 3};
  ASSERT_TRUE(a->ContainsPoint(overlap.X, overlap.Y) && b->ContainsPoint(overlap.X, overlap.Y));
  ASSERT_TRUE(b->ContainsPoint(onNote.X, onNote.Y) && note->ContainsPoint(onNote.X, onNote.Y));
  Click(overlap);
  EXPECT_EQ(Doc().CurrentBox, b);
  Click(onNote);
  EXPECT_EQ(Doc().CurrentBox, b);
  Click({free->Left + 3, free->Top + 3});
  EXPECT_EQ(w->DraggedBox, free);
  EXPECT_EQ(Doc().CurrentBox, b);

  TConnection* c = Doc().AddConnection(b, 2, a, 30, kKennt);
  w->Redraw(true);
  Down(Pt(b, 2));
  EXPECT_EQ(w->Mode, EditMode::MoveStartEnd);
  EXPECT_EQ(w->SelectedConnection, c);
  EXPECT_EQ(w->ReattachBox, b);
  EXPECT_EQ(w->StatusText(), "Klicken Sie einen anderen Randpunkt der Klasse an!");
}

TEST_F(Mouse, ReattachingAConnectionEndTakesOnlyPointsOfItsBox) {
  TUMLDrawClass* a = Box("A", 40, 40);
  TUMLDrawClass* b = Box("B", 300, 40);
  TConnection* c = Doc().AddConnection(a, 17, b, 39, kHat);
  w->Redraw(true);
  Click(Pt(b, 39));
  EXPECT_EQ(w->Mode, EditMode::MoveTargetEnd);
  Click(Pt(a, 3));  // a border point of the other box
  Click({200, 300});
  EXPECT_EQ(w->Mode, EditMode::MoveTargetEnd);
  Move(Pt(b, 2));
  EXPECT_EQ(w->SurfaceCursor(), Qt::PointingHandCursor);
  Click(Pt(b, 2), Qt::RightButton);  // only the left button counts
  EXPECT_EQ(c->EndPoint, 39);
  Click(Pt(b, 2));
  EXPECT_EQ(c->EndPoint, b->BorderPointAt(Pt(b, 2).X, Pt(b, 2).Y));
  EXPECT_NE(c->EndPoint, 39);
  EXPECT_EQ(c->StartPoint, 17);
  EXPECT_EQ(w->Mode, EditMode::Idle);
}

TEST_F(Mouse, RubberBandSelectsWhollyEnclosedBoxesInEitherDirection) {
  TUMLDrawClass* a = Box("A", 40, 40);
  TUMLDrawClass* b = Box("B", 160, 60);
  Box("C", 250, 180);  // reaches out of the band
  const TPoint topLeft{20, 20};
  const TPoint bottomRight{b->Right + 20, 200};
  auto selected = [this] { return Doc().Selection.Items; };
  Drag(topLeft, bottomRight);
  EXPECT_EQ(w->Mode, EditMode::SelectionShown);
  EXPECT_EQ(selected(), (std::vector<TUMLDrawClass*>{a, b}));
  EXPECT_EQ(w->StatusText(), "Markierten Bereich anklicken und Klassen bewegen");
  Click({600, 380});
  EXPECT_EQ(w->Mode, EditMode::Idle);
  EXPECT_TRUE(selected().empty());
  EXPECT_EQ(w->StatusText(), "Auswahl der Klassen wurde aufgehoben");

  Drag(bottomRight, topLeft);
  EXPECT_EQ(selected(), (std::vector<TUMLDrawClass*>{a, b}));
  EXPECT_EQ(Doc().SelectionRect, (TRect{20, 20, bottomRight.X, 200}));
  Click({600, 380});
  Drag({50, 30}, {b->Left + 10, 100});  // encloses nothing whole
  EXPECT_EQ(w->Mode, EditMode::Idle);
  EXPECT_TRUE(selected().empty());
}

TEST_F(Mouse, AGroupDragStopsTwoPixelsFromTheEdge) {
  TUMLDrawClass* a = Box("A", 12, 12);
  TUMLDrawClass* b = Box("B", 150, 40);
  Drag({8, 8}, {b->Right + 5, b->Bottom + 5});
  ASSERT_EQ(Doc().Selection.Count(), 2);
  const TPoint grab{a->Right - 5, a->Bottom - 5};
  Move(grab);
  EXPECT_EQ(w->SurfaceCursor(), Qt::SizeAllCursor);
  Down(grab);
  EXPECT_EQ(w->Mode, EditMode::MoveSelection);
  EXPECT_EQ(w->StatusText(), W("Auswahl nun bei gedrückter Maus bewegen"));
  Move({grab.X - 5, grab.Y - 1});  // left edge 8 - 5 = 3: still allowed
  EXPECT_EQ(a->Left, 7);
  EXPECT_EQ(b->Top, 39);
  EXPECT_EQ(Doc().SelectionRect.Left, 3);
  Move({grab.X - 6, grab.Y - 1});  // would reach 2: the group stays
  Move({grab.X - 9, grab.Y + 20});
  EXPECT_EQ(a->Left, 7);
  EXPECT_EQ(a->Top, 11);
  Move({grab.X - 4, grab.Y + 9});  // measured from the last place it followed
  EXPECT_EQ(a->Left, 8);
  EXPECT_EQ(a->Top, 21);
  Up({grab.X - 4, grab.Y + 9});
  EXPECT_EQ(w->Mode, EditMode::SelectionShown);
  EXPECT_EQ(w->StatusText(), W("Auswahl der Klassen durch Klick außerhalb aufheben"));
  EXPECT_EQ(w->SurfaceCursor(), Qt::ArrowCursor);
}

TEST_F(Mouse, RealMouseEventsDragBoxesNotesAndConnectionTexts) {
  TUMLDrawClass* a = Box("A", 40, 40);
  TUMLDrawClass* b = Box("B", 300, 200);
  TInfoBox* note = Doc().AddInfoBox(60, 300);
  note->Lines = {"Notiz"};
  TConnection* c = Doc().AddConnection(a, 17, b, 39, kAuftrag);
  c->TextBox->Lines = {"zahle"};
  w->Redraw(true);
  SurfaceView* view = w->ImClassDiagramm;
  auto send = [view](QEvent::Type type, TPoint p, Qt::MouseButton button) {
    QPointF at(p.X, p.Y);
    QMouseEvent e(type, at, view->mapToGlobal(at), button,
                  type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button),
                  Qt::NoModifier);
    QApplication::sendEvent(view, &e);
  };
  auto drag = [&](TPoint from, TPoint to) {
    send(QEvent::MouseMove, from, Qt::NoButton);
    send(QEvent::MouseButtonPress, from, Qt::LeftButton);
    send(QEvent::MouseMove, {(from.X + to.X) / 2, (from.Y + to.Y) / 2}, Qt::LeftButton);
    send(QEvent::MouseMove, to, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, to, Qt::LeftButton);
  };
  const int left = a->Left;
  drag(Inside(a), {Inside(a).X + 30, Inside(a).Y + 10});
  EXPECT_EQ(a->Left, left + 30);
  EXPECT_EQ(w->Mode, EditMode::Idle);
  EXPECT_EQ(Doc().CurrentBox, a);

  const int noteLeft = note->Left;
  drag({note->Left + 2, note->Top + 2}, {note->Left + 12, note->Top - 18});
  EXPECT_EQ(note->Left, noteLeft + 10);

  const TPoint text{c->TextBox->Left + 2, c->TextBox->Top + 2};
  const int textLeft = c->TextBox->Left;
  drag(text, {text.X - 7, text.Y + 11});
  EXPECT_EQ(c->TextOffsetX, -7);
  EXPECT_EQ(c->TextOffsetY, 11);
  EXPECT_EQ(c->TextBox->Left, textLeft - 7);  // also after the redraw
  EXPECT_FALSE(Doc().Saved);
}

// ---- context menus ---------------------------------------------------------------------

TEST_F(Mouse, ContextMenusArePreparedForWhatWasClicked) {
  TUMLDrawClass* a = Box("A", 40, 40);
  TUMLDrawClass* lib = Box("TObject", 300, 40);
  lib->UMLClass->IsLibraryClass = true;
  TConnection* hat = Doc().AddConnection(a, 17, lib, 39, kHat);
  hat->TextBox->Lines = {"besitzt"};
  w->Redraw(true);

  RightClick(Inside(a));
  ASSERT_EQ(popups.size(), 1u);
  EXPECT_EQ(popups[0].menu, "MyClassMenue");
  EXPECT_EQ(popups[0].title, "     Klasse: ----> A");
  // Commands of other parts of the editor are not offered until they are there.
  EXPECT_EQ(popups[0].visible, (std::vector<std::string>{"IST1", "HAT1", "KENNT1"}));
  EXPECT_EQ(w->Mode, EditMode::Idle);

  // Something listening to an item makes it appear; a library class still hides it.
  bool added = false;
  QObject::connect(w->Item("Attributhinzufuegen"), &QAction::triggered, [&] { added = true; });
  RightClick(Inside(a));
  EXPECT_TRUE(popups.back().Shows("Attributhinzufuegen"));
  RightClick(Inside(lib));
  EXPECT_EQ(popups.back().title, "     Klasse: ----> TObject");
  EXPECT_FALSE(popups.back().Shows("Attributhinzufuegen"));
  EXPECT_FALSE(added);

  // Connection text of a relationship: marked red, with the attribute choice.
  RightClick({hat->TextBox->Left + 2, hat->TextBox->Top + 2});
  EXPECT_EQ(popups.back().title, "   Beziehung: A HAT TObject");
  EXPECT_EQ(popups.back().visible,
            (std::vector<std::string>{"beziehungLoeschen", "beziehungBearbeiten", "SchriftAendern",
                                      "LinienzugWaehlen", "CoFarbenAendern", "Attributwaehlen"}));

  // Empty area of a main diagram.
  RightClick({450, 350});
  EXPECT_EQ(popups.back().menu, "MyCreateMenu");
  EXPECT_EQ(popups.back().title, "Klasse");
  EXPECT_EQ(popups.back().visible,
            (std::vector<std::string>{"NeueKlasseanlegen1", "ISTVererbung1", "HATAggregation1",
                                      "KENNTAssoziation1", "Beziehunglschen1", "ANFRAGE1",
                                      "ANFRAGE2", "Botschaftlschen1"}));
  EXPECT_EQ(w->ClickPos, (TPoint{450, 350}));
  EXPECT_EQ(w->Mode, EditMode::Idle);
}

TEST_F(Mouse, MenusOfASubDiagramOfferObjectsAndTheClassInsertion) {
  dialogs.openFiles.push_back(std::string(ZEDRO_SOURCE_DIR) + "/examples/Fahrzeuge.urd");
  form->FileOpen1Execute();
  TFChild* main = form->ActiveChild();
  ASSERT_NE(main, nullptr);
  ASSERT_FALSE(main->SubDiagramWindows().empty());
  w = main->SubDiagramWindows()[0];
  Watch(*w);
  TUMLDrawClass* object = nullptr;
  for (TUMLDrawClass* box : Doc().DrawClasses.Items)
    if (box->IsObjectBox()) object = box;
  ASSERT_NE(object, nullptr);

  RightClick(Inside(object));
  ASSERT_EQ(popups.size(), 1u);
  EXPECT_EQ(popups[0].title,
            "     Objekt: ----> " + static_cast<TUMLDrawObject*>(object)->ObjectName);
  EXPECT_TRUE(popups[0].Shows("StelltAnfragean1"));
  EXPECT_TRUE(popups[0].Shows("BEAUFTRAGT1"));

  // The object and class insertion of a sub-diagram run what its first menu runs.
  int objects = 0, classes = 0;
  QObject::connect(TFChild::ItemAt(w->Klasse1, 0), &QAction::triggered, [&] { ++objects; });
  QObject::connect(TFChild::ItemAt(w->Klasse1, 1), &QAction::triggered, [&] { ++classes; });
  RightClick({Doc().Surface.Width - 5, Doc().Surface.Height - 5});
  ASSERT_EQ(popups.size(), 2u);
  EXPECT_EQ(popups[1].title, "Objekt");
  QMenu* m = w->MyCreateMenu;
  EXPECT_EQ(S(TFChild::ItemAt(m, 1)->text()), W("       Objekt einfügen"));
  EXPECT_EQ(S(TFChild::ItemAt(m, 2)->text()), W("       Klasse einfügen"));
  EXPECT_TRUE(TFChild::ItemAt(m, 2)->isVisible());
  EXPECT_FALSE(TFChild::ItemAt(m, 3)->isVisible());
  TFChild::ItemAt(m, 1)->trigger();
  TFChild::ItemAt(m, 2)->trigger();
  EXPECT_EQ(objects, 1);
  EXPECT_EQ(classes, 1);
  EXPECT_EQ(main->Doc().DrawClasses.Count(), 4);  // no class was made

  // New classes only in the main diagram.
  w->newClassClick();
  EXPECT_EQ(dialogs.messages.Texts().back(),
            W("Neue Klassen können nur im Hauptdiagramm eingefügt werden"));
}

TEST_F(Mouse, PopupPositionsStayOnTheScreen) {
  form->move(3000, 3000);
  RightClick({200, 200});
  ASSERT_EQ(popups.size(), 1u);
  EXPECT_EQ(w->PopupPos, (TPoint{1024 - 10, 768 - 20}));
  EXPECT_EQ(popups[0].at, w->PopupPos);
  form->move(-3000, -3000);
  RightClick({200, 200});
  EXPECT_EQ(w->PopupPos, (TPoint{10, 10}));
}

// ---- new class -------------------------------------------------------------------------

TEST_F(Mouse, NewClassAsksAgainAfterAnInvalidName) {
  dialogs.inputs = {std::string("1Auto"), std::string(" TAuto ")};
  Trigger("newClass");
  ASSERT_EQ(Doc().DrawClasses.Count(), 1);
  EXPECT_EQ(dialogs.inputDefaults, (std::vector<std::string>{"", "1Auto"}));
  EXPECT_EQ(dialogs.messages.shown.size(), 1u);  // the scanner's message about "1Auto"
  TUMLDrawClass* box = Doc().DrawClasses.At(0);
  EXPECT_EQ(box->UMLClass->Name, "TAuto");
  EXPECT_EQ(Doc().CurrentBox, box);
  EXPECT_EQ(Doc().CurrentClass, box->UMLClass);
  EXPECT_FALSE(Doc().Saved);

  // Emptying the field, and cancelling, end the command without a class.
  dialogs.inputs = {std::string("")};
  RightClick({400, 300});
  Trigger("NeueKlasseanlegen1");
  dialogs.inputs = {std::nullopt};
  Trigger("newClass");
  EXPECT_EQ(Doc().DrawClasses.Count(), 1);
  EXPECT_EQ(dialogs.inputDefaults.back(), "TAuto");
}

// ---- the vehicles example, drawn with the mouse alone ------------------------------

class VehiclesByMouse : public Mouse {
 protected:
  // "neue Klasse" from the empty-area menu, then the box dragged to (x, y).
  TUMLDrawClass* NewClass(const std::string& name, int x, int y) {
    RightClick({Doc().Surface.Width - 10, Doc().Surface.Height - 10});
    EXPECT_EQ(popups.back().menu, "MyCreateMenu");
    dialogs.inputs.push_back(name);
    Trigger("NeueKlasseanlegen1");
    TUMLDrawClass* box = Doc().CurrentBox;
    EXPECT_EQ(box->UMLClass->Name, name);
    Drag(Inside(box), {Inside(box).X + x - box->Left, Inside(box).Y + y - box->Top});
    EXPECT_EQ(box->Left, x);
    return box;
  }
  // The menu of a box, then one of its items.
  void BoxCommand(TUMLDrawClass* box, const char* item) {
    RightClick(Inside(box));
    EXPECT_TRUE(popups.back().Shows(item)) << item;
    Trigger(item);
  }
  void NewAttribute() {
    Answer<TChooseAttributeForm>([](TChooseAttributeForm& f) { f.PressNew(); });
    Answer<TAttributeForm>([](TAttributeForm& f) {
      f.Visibility = kPrivate;
      f.SetReadChecked(true);
      f.SetWriteChecked(true);
      f.PressOk();
    });
    Answer<TChooseAttributeForm>([](TChooseAttributeForm& f) { f.PressOk(); });
  }
};

TEST_F(VehiclesByMouse, AllFiveKindsInAnEmptyDiagram) {
  TUMLDrawClass* fahrzeug = NewClass("TFahrzeug", 40, 20);
  TUMLDrawClass* autoBox = NewClass("TAuto", 40, 170);
  TUMLDrawClass* rad = NewClass("TRad", 380, 180);
  TUMLDrawClass* fahrer = NewClass("TFahrer", 60, 320);
  EXPECT_EQ(Doc().DrawClasses.Count(), 4);

  // TAuto IST TFahrzeug, from the box's menu.
  BoxCommand(autoBox, "IST1");
  Click(Pt(autoBox, 6));
  EXPECT_EQ(w->StatusText(),
            W("WAS ist diese Klasse: Bitte Randpunkt der Vorgängerlasse mit Handsymbol anklicken"));
  Click(Pt(fahrzeug, 28));
  EXPECT_EQ(autoBox->UMLClass->Parent, fahrzeug->UMLClass);

  // TAuto HAT 4 TRad, from the window's menu.
  Answer<TConnectionTextForm>([](TConnectionTextForm& f) { f.Text = "4"; });
  Answer<TInfoBoxForm>([](TInfoBoxForm& f) {
    f.Lines = {"rollt auf"};
    f.PressOk();
  });
  Skip();
  NewAttribute();
  Trigger("Aggregation");
  EXPECT_EQ(w->StatusText(),
            "HAT-Beziehung/Aggregation - Bitte Randpunkt der besitzenden Klasse mit Handsymbol "
            "anklicken.");
  Click(Pt(autoBox, 17));
  Click(Pt(rad, 39));

  // TFahrer KENNT TAuto, from the empty-area menu; a first try at the wrong box is deleted.
  for (TUMLDrawClass* target : {rad, autoBox}) {
    Answer<TConnectionTextForm>([](TConnectionTextForm& f) { f.Text = "0..1"; });
    Answer<TConnectionTextForm>([](TConnectionTextForm& f) { f.Text = "1"; });
    Skip();
    Skip();
    if (target == autoBox)
      NewAttribute();
    else
      Answer<TChooseAttributeForm>([](TChooseAttributeForm& f) { f.PressNone(); });
    RightClick({Doc().Surface.Width - 10, Doc().Surface.Height - 10});
    Trigger("KENNTAssoziation1");
    Click(Pt(fahrer, 3));
    Click(Pt(target, target == rad ? 28 : 31));
    if (target == rad) {
      Trigger("deleteConnection");
      Move(Pt(rad, 28));
      dialogs.messages.answers.push_back(MsgResult::Yes);
      Down(Pt(rad, 28));
      EXPECT_EQ(Doc().Connections.Count(), 2);
    }
  }

  // TFahrer gives TAuto the command "fahre" and asks TFahrzeug for its kilometres.
  Answer<TInfoBoxForm>([](TInfoBoxForm& f) {
    f.Lines = {"fahre"};
    f.PressOk();
  });
  Answer<TChooseMethodForm>([](TChooseMethodForm& f) { f.PressNew(); });
  Answer<TMethodForm>([](TMethodForm& f) { f.PressOk(); });
  Click(Inside(fahrer));
  Trigger("ErteiltAUFTRAGan1");
  Click(Pt(fahrer, 9));
  Click(Pt(autoBox, 25));
  Answer<TConnectionTextForm>([](TConnectionTextForm& f) { f.Text = "GibKilometer"; });
  Answer<TConnectionTextForm>([](TConnectionTextForm& f) { f.Text = "Integer"; });
  Answer<TChooseMethodForm>([](TChooseMethodForm& f) { f.PressNew(); });
  Answer<TMethodForm>([](TMethodForm& f) { f.PressOk(); });
  Trigger("Anfrage");
  Click(Pt(fahrer, 17));
  Click(Pt(fahrzeug, 17));

  // Everything is moved once more.
  Drag(Inside(rad), {Inside(rad).X + 20, Inside(rad).Y + 40});
  TConnection* hat = Doc().Connections.At(1);
  Drag({hat->TextBox->Left + 2, hat->TextBox->Top + 2},
       {hat->TextBox->Left + 2, hat->TextBox->Top - 18});

  ASSERT_EQ(Doc().Connections.Count(), 5);
  std::vector<int> kinds;
  for (TConnection* c : Doc().Connections.Items) kinds.push_back(c->Kind);
  EXPECT_EQ(kinds, (std::vector<int>{kIst, kHat, kKennt, kAuftrag, kAnfrage}));
  EXPECT_EQ(autoBox->UMLClass->Attributes.At(0)->Name, "hatTRad");
  EXPECT_EQ(fahrer->UMLClass->Attributes.At(0)->Name, "kenntTAuto");
  EXPECT_EQ(Doc().Connections.At(3)->Method->Name, "fahre");
  EXPECT_EQ(Doc().Connections.At(4)->Method->Name, "GibKilometer");
  EXPECT_TRUE(fahrzeug->UMLClass->Methods.Contains(Doc().Connections.At(4)->Method));
  EXPECT_EQ(hat->TextOffsetY, -20);
  EXPECT_EQ(w->Mode, EditMode::Idle);

  if (const char* picture = std::getenv("ZEDRO_MOUSE_PICTURE")) w->Picture().save(picture);
}

TEST(AttributeChoiceDialog, ShowsThePreselectedAttributesSelected) {
  ScriptedDialogs dialogs;
  TChooseAttributeForm form(dialogs);
  form.Items = {"a", "b", "c"};
  form.MultiSelect = true;
  form.SelectedItems = {true, false, true};
  form.Focused = 0;
  std::unique_ptr<QDialog> dialog(CreateFormDialog(form, dialogs, nullptr));
  auto* list = dialog->findChild<QListWidget*>("LBAttributes");
  ASSERT_NE(list, nullptr);
  std::vector<bool> selected;
  for (int i = 0; i < list->count(); ++i) selected.push_back(list->item(i)->isSelected());
  EXPECT_EQ(selected, (std::vector<bool>{true, false, true}));
}

}  // namespace
}  // namespace zedro
