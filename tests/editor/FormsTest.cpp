// The checks and results of the dialogs, without windows, and the sizing, on-screen and
// print placement rules.
#include <gtest/gtest.h>

#include <tuple>

#include "editor/DialogService.h"
#include "editor/Forms.h"
#include "model/Win1252.h"

namespace zedro {
namespace {

TEST(AttributeForm, OkRefusesEmptyOrInvalidNamesCancelEmptiesTheName) {
  ScriptedMessages m;
  TAttributeForm f(m);
  f.Name = "alter";
  f.PressOk();  // no type
  EXPECT_TRUE(f.IsOpen());
  EXPECT_TRUE(m.Contains("Es ist keine Name oder kein Typ des Attributes eingegeben!"));
  f.Name = "   ";
  f.Type = "Integer";
  f.PressOk();  // a blank name counts as empty
  EXPECT_TRUE(f.IsOpen());
  f.Name = "1alter";
  f.PressOk();
  EXPECT_TRUE(f.IsOpen());
  ASSERT_EQ(m.shown.size(), 3u);
  EXPECT_EQ(m.shown.back().kind, MsgKind::Error);  // the scanner's own message
  f.Name = "alter";
  f.PressOk();
  EXPECT_EQ(f.Result, kResultOk);

  TAttributeForm cancelled(m);
  cancelled.Name = "alter";
  cancelled.PressCancel();
  EXPECT_EQ(cancelled.Result, kResultCancel);
  EXPECT_EQ(cancelled.Name, "");
}

TEST(AttributeForm, ReadAndWriteProposalsFollowAValidNameOnly) {
  ScriptedMessages m;
  TAttributeForm f(m);
  f.Name = "  alter";  // leading blanks pass the scanner and are dropped
  f.SetReadChecked(true);
  f.SetWriteChecked(true);
  EXPECT_TRUE(f.ReadChecked && f.ReadNameVisible);
  EXPECT_EQ(f.ReadName, "GibAlter");
  EXPECT_EQ(f.WriteName, "SetzeAlter");
  f.SetReadChecked(false);
  EXPECT_FALSE(f.ReadNameVisible);
  EXPECT_EQ(f.ReadName, "");
  EXPECT_TRUE(m.shown.empty());

  TAttributeForm invalid(m);
  invalid.Name = "mein alter";
  invalid.SetReadChecked(true);
  EXPECT_FALSE(invalid.ReadChecked || invalid.ReadNameVisible);
  ASSERT_EQ(m.shown.size(), 2u);  // the scanner's message, then the warning
  EXPECT_EQ(m.shown[1].kind, MsgKind::Warning);
  EXPECT_EQ(m.shown[1].text, W("Der Name des Attributes ist kein zulässiger Bezeichner!\n"
                               "Bitte erst den Namen des Attributes ändern!"));
  TAttributeForm empty(m);  // an empty name cannot name a method either
  empty.SetWriteChecked(true);
  EXPECT_FALSE(empty.WriteChecked);
  EXPECT_EQ(empty.WriteName, "");
}

TEST(MethodForm, OkChecksResultThenNameThenIdentifierAndOtherKindsDropTheResult) {
  ScriptedMessages m;
  TMethodForm f(m);
  f.SetKind(kFunction);
  EXPECT_TRUE(f.ResultVisible);
  f.Name = "Stand";
  f.PressOk();
  EXPECT_TRUE(f.IsOpen());
  EXPECT_TRUE(m.Contains("Es ist kein Ergebnistyp der Anfrage angegeben!"));
  f.ResultType = "Integer";
  f.Name = "";
  f.PressOk();
  EXPECT_TRUE(m.Contains("Es ist kein Name der Methode angegeben!"));
  f.Name = "Gib Stand";
  f.PressOk();
  EXPECT_TRUE(f.IsOpen());
  EXPECT_EQ(m.shown.size(), 3u);
  f.SetKind(kProcedure);
  EXPECT_FALSE(f.ResultVisible);
  EXPECT_EQ(f.ResultType, "");
  f.Name = "Tanke";
  f.PressOk();  // a procedure needs no result
  EXPECT_EQ(f.Result, kResultOk);
}

TEST(MethodForm, CodeHeadingAndCodeEditedAtOnce) {
  ScriptedDialogs d;
  TMethodForm f(d);
  f.ClassName = "TKonto";
  f.Name = "Abheben";
  f.SetKind(kFunction);
  f.ResultType = "Boolean";
  f.Parameters = {TParameter("betrag", "Real"), TParameter("VAR ok", "Boolean")};
  EXPECT_EQ(f.CodeHeading(), "FUNCTION TKonto.Abheben(betrag: Real; VAR ok: Boolean):Boolean;");
  f.SetKind(kConstructor);
  f.Parameters.clear();
  EXPECT_EQ(f.CodeHeading(), "CONSTRUCTOR TKonto.Abheben;");

  StringList code = {"begin", "end;"};
  f.Code = &code;
  d.dialogScripts.push_back([](TDialogForm& form) {
    auto& c = dynamic_cast<TCodeForm&>(form);
    EXPECT_EQ(c.Heading, "CONSTRUCTOR TKonto.Abheben;");
    c.Lines = {"begin", "  inherited;", "end;"};
    c.PressOk();
  });
  f.EditCode(d);
  f.PressCancel();  // the method dialog cancelled afterwards keeps the new code
  d.dialogScripts.push_back([](TDialogForm& form) {
    dynamic_cast<TCodeForm&>(form).Lines.clear();
    dynamic_cast<TCodeForm&>(form).PressCancel();
  });
  f.EditCode(d);
  EXPECT_EQ(code.size(), 3u);
}

TEST(ChoiceForms, OkWithoutAChoiceStaysOpenAndButtonsGiveTheirCodes) {
  ScriptedMessages m;
  TClassnameForm name(m);
  name.PressOk();
  EXPECT_TRUE(name.IsOpen());
  EXPECT_TRUE(m.Contains(W("Es ist keine Name für die Klasse eingegeben")));

  TChooseMethodForm method(m);
  method.Items = {"Tanke", "Fahre"};
  method.PressOk();
  EXPECT_TRUE(method.IsOpen());
  EXPECT_TRUE(m.Contains(W("Es ist keine Methode gewählt worden !")));
  method.Selected = 1;
  method.PressOk();
  EXPECT_EQ(method.Result, 1);
  for (auto [press, code] : std::vector<std::pair<void (TChooseMethodForm::*)(), int>>{
           {&TChooseMethodForm::PressNew, 4},
           {&TChooseMethodForm::PressCancel, 2},
           {&TChooseMethodForm::PressNone, 5}}) {
    TChooseMethodForm f(m);
    (f.*press)();
    EXPECT_EQ(f.Result, code);
  }
  TAttributeForm member(m);
  member.PressDelete();
  EXPECT_EQ(member.Result, 7);

  TChooseAttributeForm attribute(m);
  attribute.Items = {"a", "b", "c"};
  attribute.MultiSelect = true;
  attribute.PressOk();
  EXPECT_TRUE(attribute.IsOpen());
  EXPECT_TRUE(m.Contains(W("Es ist keine Attribut gewählt worden !")));
  attribute.Select(0);
  attribute.Select(2);
  EXPECT_EQ(attribute.SelectedItems, (std::vector<bool>{true, false, true}));
  attribute.PressOk();
  EXPECT_EQ(attribute.Result, kResultOk);

  TChooseClassForm cls(m);
  cls.Items = {"TAuto"};
  cls.Selected = 3;  // out of range counts as none
  cls.PressOk();
  EXPECT_TRUE(cls.IsOpen());
  EXPECT_EQ(m.shown.back().kind, MsgKind::Information);
  EXPECT_EQ(m.shown.back().text, W("Es ist keine Klasse angewählt!"));
}

TEST(ChoiceForms, DialogsOpenWithTheirDesignedCaptions) {
  ScriptedMessages m;
  EXPECT_EQ(TClassnameForm(m).Caption, "Klassenname und Art");
  EXPECT_EQ(TChooseMethodForm(m).Caption, W("Methode auswählen"));
  EXPECT_EQ(TChooseAttributeForm(m).Caption, W("Attribut auswählen"));
  EXPECT_EQ(TChooseClassForm(m).Caption, W("Bitte Klasse auswählen !"));
  EXPECT_EQ(TCodeForm(m).Caption, "Code bearbeiten");
  EXPECT_EQ(TClassDokuForm(m).Caption, "Beschreibung der Klasse");
  EXPECT_EQ(TChangeObjectForm(m).Caption, "Anlegen eines neuen Objektes");
  EXPECT_EQ(TChangeDirectoryForm(m).Caption, W("Projektverzeichnis auswählen / anlegen"));
  // The element dialogs keep theirs when the caller names no caption of its own.
  ScriptedDialogs d;
  d.ChooseLongDash();
  d.ConnectionText({});
  ASSERT_EQ(d.asked.size(), 2u);
  EXPECT_EQ(d.asked[0].caption, W("Bitte Linie auswählen"));
  EXPECT_EQ(d.asked[1].caption, W("Wieviele Objekte ...? (Kardinalitäten)"));
}

TEST(ScriptedDialogs, ADialogLeftOpenIsClosedWithTheCancelCode) {
  ScriptedDialogs d;
  TChooseMethodForm f(d);
  f.Items = {"Tanke"};
  d.dialogScripts.push_back(
      [](TDialogForm& form) { dynamic_cast<TChooseMethodForm&>(form).PressOk(); });
  d.RunDialog(f);  // OK without a selection: still open after the script
  EXPECT_EQ(f.Result, kResultCancel);
  // The element dialogs: the connection text is read however the dialog was closed.
  d.dialogScripts.push_back(
      [](TDialogForm& form) { dynamic_cast<TConnectionTextForm&>(form).Text = "1..*"; });
  EXPECT_EQ(d.ConnectionText({}), "1..*");
  StringList lines = {"alt"};
  d.dialogScripts.push_back([](TDialogForm& form) {
    dynamic_cast<TInfoBoxForm&>(form).Lines = {"neu"};
    form.CloseBox();
  });
  EXPECT_FALSE(d.EditInfoBox("Info", lines));
  EXPECT_EQ(lines, StringList{"alt"});
}

TEST(DialogPlacement, SizingRule) {
  struct Case {
    int screenWidth, ppi;
    bool shrinking;
    TSizing expected;
  };
  // The designed size is 400 x 200 throughout.
  const Case cases[] = {
      {800, 96, true, {313, 156, 78, false}},     // the class name dialog at 78 percent
      {800, 120, true, {400, 200, 78, false}},    // a larger font: only the percent scaling
      {1024, 120, false, {500, 250, 100, true}},  // larger screens: anchored top left
      {1280, 96, false, {500, 250, 125, true}},   // a larger screen alone: scaled up
      {1920, 144, false, {600, 300, 100, true}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.screenWidth << " px, " << c.ppi << " ppi");
    TSizing s = ApplySizingRule(400, 200, c.screenWidth, c.ppi, c.shrinking);
    EXPECT_EQ(std::tie(s.width, s.height, s.scalePercent, s.anchorTopLeft),
              std::tie(c.expected.width, c.expected.height, c.expected.scalePercent,
                       c.expected.anchorTopLeft));
  }
}

TEST(DialogPlacement, OnScreenAndPrintRules) {
  for (auto [in, left, top] : {std::tuple{TScreenRect{-30, -5, 200, 100}, 0, 0},
                               {TScreenRect{700, 550, 200, 100}, 600, 500},
                               {TScreenRect{100, 100, 200, 100}, 100, 100}}) {
    TScreenRect r = KeepOnScreen(in, 800, 600);
    EXPECT_EQ(r.left, left);
    EXPECT_EQ(r.top, top);
  }
  // Portrait pages take the width, landscape pages the height, less 100 pixels each side.
  TScreenRect portrait = PrintRect(2480, 3508, 505, 385);
  EXPECT_EQ((std::tuple{portrait.left, portrait.top, portrait.width, portrait.height}),
            (std::tuple{100, (3508 - 1738) / 2, 2280, 1738}));
  TScreenRect landscape = PrintRect(3508, 2480, 505, 385);
  EXPECT_EQ((std::tuple{landscape.left, landscape.width, landscape.height}),
            (std::tuple{(3508 - 2991) / 2, 2991, 2280}));
  EXPECT_EQ(PrintRect(3508, 2480, 0, 0).width, 0);  // no picture: nothing, no division
}

}  // namespace
}  // namespace zedro
