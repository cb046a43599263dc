// The checks and results of the dialogs without windows, and the placement rules.
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
  f.Name = "   ";  // a blank name counts as empty
  f.Type = "Integer";
  f.PressOk();
  EXPECT_TRUE(f.IsOpen());
  EXPECT_TRUE(m.Contains("Es ist keine Name oder kein Typ des Attributes eingegeben!"));
  f.Name = "1alter";
  f.PressOk();
  EXPECT_TRUE(f.IsOpen());
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
  EXPECT_EQ(f.ReadName + " " + f.WriteName, "GibAlter SetzeAlter");
  TAttributeForm invalid(m);
  invalid.Name = "mein alter";
  invalid.SetReadChecked(true);
  EXPECT_FALSE(invalid.ReadChecked);
  ASSERT_EQ(m.shown.size(), 2u);  // the scanner's message, then the warning
  EXPECT_EQ(m.shown[1].text, W("Der Name des Attributes ist kein zulässiger Bezeichner!\n"
                               "Bitte erst den Namen des Attributes ändern!"));
}

TEST(MethodForm, OkChecksResultAndIdentifierAndOtherKindsDropTheResult) {
  ScriptedMessages m;
  TMethodForm f(m);
  f.SetKind(CodeOf(TMethodKind::Function));
  EXPECT_TRUE(f.ResultVisible);
  f.Name = "Stand";
  f.PressOk();
  EXPECT_TRUE(f.IsOpen());
  EXPECT_TRUE(m.Contains("Es ist kein Ergebnistyp der Anfrage angegeben!"));
  f.ResultType = "Integer";
  f.Name = "Gib Stand";
  f.PressOk();
  EXPECT_TRUE(f.IsOpen());
  f.SetKind(CodeOf(TMethodKind::Procedure));
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
  f.SetKind(CodeOf(TMethodKind::Function));
  f.ResultType = "Boolean";
  f.Parameters = {TParameter("betrag", "Real"), TParameter("VAR ok", "Boolean")};
  EXPECT_EQ(f.CodeHeading(), "FUNCTION TKonto.Abheben(betrag: Real; VAR ok: Boolean):Boolean;");
  StringList code = {"begin", "end;"};
  f.Code = &code;
  d.dialogScripts.push_back([](TDialogForm& form) {
    auto& c = dynamic_cast<TCodeForm&>(form);
    c.Lines = {"begin", "  inherited;", "end;"};
    c.PressOk();
  });
  f.EditCode(d);
  f.PressCancel();  // the method dialog cancelled afterwards keeps the new code
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

  TChooseClassForm cls(m);
  cls.Items = {"TAuto"};
  cls.Selected = 3;  // out of range counts as none
  cls.PressOk();
  EXPECT_TRUE(cls.IsOpen());
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
      {1024, 120, false, {500, 250, 100, true}},  // larger screens: anchored top left
      {1280, 96, false, {500, 250, 125, true}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.screenWidth);
    TSizing s = ApplySizingRule(400, 200, c.screenWidth, c.ppi, c.shrinking);
    EXPECT_EQ(std::tie(s.width, s.height, s.scalePercent, s.anchorTopLeft),
              std::tie(c.expected.width, c.expected.height, c.expected.scalePercent,
                       c.expected.anchorTopLeft));
  }
}

TEST(DialogPlacement, OnScreenAndPrintRules) {
  TScreenRect r = KeepOnScreen({700, 550, 200, 100}, 800, 600);
  EXPECT_EQ(std::tuple(r.left, r.top), std::tuple(600, 500));
  r = KeepOnScreen({-30, -5, 200, 100}, 800, 600);
  EXPECT_EQ(std::tuple(r.left, r.top), std::tuple(0, 0));
  // Portrait pages take the width, landscape pages the height, less 100 pixels each side.
  r = PrintRect(2480, 3508, 505, 385);
  EXPECT_EQ(std::tuple(r.left, r.top, r.width, r.height), std::tuple(100, 885, 2280, 1738));
  r = PrintRect(3508, 2480, 505, 385);
  EXPECT_EQ(std::tuple(r.left, r.width, r.height), std::tuple(258, 2991, 2280));
  EXPECT_EQ(PrintRect(3508, 2480, 0, 0).width, 0);  // no picture: nothing, no division
}

}  // namespace
}  // namespace zedro
