// The checks and results of the dialogs, without windows, and the sizing, on-screen and
// print placement rules.
#include <gtest/gtest.h>

#include "editor/DialogService.h"
#include "editor/Forms.h"
#include "model/Win1252.h"

namespace zedro {
namespace {

TEST(AttributeForm, OkRefusesEmptyOrInvalidNamesAndStaysOpen) {
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
  EXPECT_EQ(m.shown.size(), 2u);

  f.Name = "1alter";
  f.PressOk();
  EXPECT_TRUE(f.IsOpen());
  ASSERT_EQ(m.shown.size(), 3u);
  EXPECT_EQ(m.shown.back().kind, MsgKind::Error);  // the scanner's own message

  f.Name = "alter";
  f.PressOk();
  EXPECT_EQ(f.Result, kResultOk);
}

TEST(AttributeForm, CancelEmptiesTheNameAndDeleteGivesSeven) {
  ScriptedMessages m;
  TAttributeForm f(m);
  f.Name = "alter";
  f.PressCancel();
  EXPECT_EQ(f.Result, kResultCancel);
  EXPECT_EQ(f.Name, "");
  TAttributeForm g(m);
  g.PressDelete();
  EXPECT_EQ(g.Result, kResultDelete);
}

TEST(AttributeForm, ReadAndWriteProposalsFollowTheName) {
  ScriptedMessages m;
  TAttributeForm f(m);
  f.Name = "  alter";  // leading blanks pass the scanner and are dropped
  f.SetReadChecked(true);
  f.SetWriteChecked(true);
  EXPECT_TRUE(f.ReadChecked);
  EXPECT_TRUE(f.ReadNameVisible);
  EXPECT_EQ(f.ReadName, "GibAlter");
  EXPECT_EQ(f.WriteName, "SetzeAlter");
  EXPECT_TRUE(m.shown.empty());
  f.SetReadChecked(false);
  EXPECT_FALSE(f.ReadNameVisible);
  EXPECT_EQ(f.ReadName, "");
  EXPECT_EQ(f.WriteName, "SetzeAlter");
}

TEST(AttributeForm, TickingWithAnInvalidNameWarnsAndUnticks) {
  ScriptedMessages m;
  TAttributeForm f(m);
  f.Name = "mein alter";
  f.SetReadChecked(true);
  EXPECT_FALSE(f.ReadChecked);
  EXPECT_FALSE(f.ReadNameVisible);
  ASSERT_EQ(m.shown.size(), 2u);  // the scanner's message, then the warning
  EXPECT_EQ(m.shown[1].kind, MsgKind::Warning);
  EXPECT_EQ(m.shown[1].text, W("Der Name des Attributes ist kein zulässiger Bezeichner!\n"
                               "Bitte erst den Namen des Attributes ändern!"));
  // An empty name cannot name a method either.
  TAttributeForm g(m);
  g.SetWriteChecked(true);
  EXPECT_FALSE(g.WriteChecked);
  EXPECT_EQ(g.WriteName, "");
}

TEST(MethodForm, OkChecksResultThenNameThenIdentifier) {
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
  f.Name = "GibStand";
  f.PressOk();
  EXPECT_EQ(f.Result, kResultOk);
}

TEST(MethodForm, OtherKindsHideAndEmptyTheResult) {
  ScriptedMessages m;
  TMethodForm f(m);
  f.SetKind(kFunction);
  f.ResultType = "Integer";
  f.SetKind(kProcedure);
  EXPECT_FALSE(f.ResultVisible);
  EXPECT_EQ(f.ResultType, "");
  f.Name = "Tanke";
  f.PressOk();  // a procedure needs no result
  EXPECT_EQ(f.Result, kResultOk);
  TMethodForm g(m);
  g.Name = "Tanke";
  g.PressCancel();
  EXPECT_EQ(g.Result, kResultCancel);
  EXPECT_EQ(g.Name, "");
}

TEST(MethodForm, ParameterButtonsEditTheList) {
  ScriptedDialogs d;
  TMethodForm f(d);
  auto answer = [](std::string name, std::string type) {
    return [name, type](TDialogForm& form) {
      auto& p = dynamic_cast<TParameterForm&>(form);
      p.Name = name;
      p.Type = type;
      p.PressOk();
    };
  };
  d.dialogScripts.push_back(answer("a", "Integer"));
  f.NewParameter(d);
  d.dialogScripts.push_back(answer("b", ""));  // no type: closes as cancelled
  f.NewParameter(d);
  d.dialogScripts.push_back(answer("c", "String"));
  f.NewParameter(d);
  ASSERT_EQ(f.Parameters.size(), 2u);
  EXPECT_EQ(d.CountAsked("TFParameterDialog"), 3);

  f.SelectedParameter = 1;
  f.MoveParameterDown();  // at the end: nothing happens
  EXPECT_EQ(f.Parameters[1].Name, "c");
  f.MoveParameterUp();
  EXPECT_EQ(f.Parameters[0].Name, "c");
  EXPECT_EQ(f.SelectedParameter, 0);
  f.MoveParameterUp();  // at the start: nothing happens
  EXPECT_EQ(f.Parameters[0].Name, "c");

  d.dialogScripts.push_back(answer("text", "String"));
  f.EditParameter(d);
  EXPECT_EQ(f.Parameters[0].Name, "text");
  d.dialogScripts.push_back([](TDialogForm& form) { form.CloseBox(); });
  f.EditParameter(d);  // cancelled: unchanged
  EXPECT_EQ(f.Parameters[0].Name, "text");

  f.RemoveParameter();
  ASSERT_EQ(f.Parameters.size(), 1u);
  EXPECT_EQ(f.Parameters[0].Name, "a");
  EXPECT_EQ(f.SelectedParameter, -1);
  f.RemoveParameter();  // without a selection nothing happens
  EXPECT_EQ(f.Parameters.size(), 1u);
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
  EXPECT_EQ(code.size(), 3u);
  d.dialogScripts.push_back([](TDialogForm& form) {
    dynamic_cast<TCodeForm&>(form).Lines.clear();
    dynamic_cast<TCodeForm&>(form).PressCancel();
  });
  f.EditCode(d);
  EXPECT_EQ(code.size(), 3u);
}

TEST(ClassnameForm, EmptyAndInvalidNamesKeepItOpen) {
  ScriptedMessages m;
  TClassnameForm f(m);
  f.PressOk();
  EXPECT_TRUE(f.IsOpen());
  EXPECT_TRUE(m.Contains(W("Es ist keine Name für die Klasse eingegeben")));
  f.Name = "T Konto";
  f.PressOk();
  EXPECT_TRUE(f.IsOpen());
  f.Name = "TKonto";
  f.Kind = 2;
  f.PressOk();
  EXPECT_EQ(f.Result, kResultOk);
  TClassnameForm g(m);
  g.PressCancel();
  EXPECT_EQ(g.Result, kResultCancel);
}

TEST(ChoiceForms, OkWithoutSelectionStaysOpenAndButtonsGiveTheirCodes) {
  ScriptedMessages m;
  TChooseMethodForm method(m);
  method.Items = {"Tanke", "Fahre"};
  method.PressOk();
  EXPECT_TRUE(method.IsOpen());
  EXPECT_TRUE(m.Contains(W("Es ist keine Methode gewählt worden !")));
  method.Selected = 1;
  method.PressOk();
  EXPECT_EQ(method.Result, kResultOk);
  for (auto [press, code] : std::vector<std::pair<void (TChooseMethodForm::*)(), int>>{
           {&TChooseMethodForm::PressNew, 4},
           {&TChooseMethodForm::PressCancel, 2},
           {&TChooseMethodForm::PressNone, 5}}) {
    TChooseMethodForm f(m);
    (f.*press)();
    EXPECT_EQ(f.Result, code);
  }

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
  EXPECT_EQ(cls.Caption, W("Bitte Klasse auswählen !"));
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
  EXPECT_EQ(TChooseLineForm(m).Caption, W("Bitte Linie auswählen"));
  EXPECT_EQ(TConnectionTextForm(m).Caption, W("Wieviele Objekte ...? (Kardinalitäten)"));
  EXPECT_EQ(TChooseMethodForm(m).Caption, W("Methode auswählen"));
  EXPECT_EQ(TChooseAttributeForm(m).Caption, W("Attribut auswählen"));
  EXPECT_EQ(TCodeForm(m).Caption, "Code bearbeiten");
  EXPECT_EQ(TClassDokuForm(m).Caption, "Beschreibung der Klasse");
  EXPECT_EQ(TChangeObjectForm(m).Caption, "Anlegen eines neuen Objektes");
  EXPECT_EQ(TChangeDirectoryForm(m).Caption, W("Projektverzeichnis auswählen / anlegen"));
  // The element dialogs keep them when the caller names no caption of its own.
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
  d.dialogScripts.push_back([](TDialogForm& form) { dynamic_cast<TChooseMethodForm&>(form).PressOk(); });
  d.RunDialog(f);  // OK without a selection: still open after the script
  EXPECT_EQ(f.Result, kResultCancel);
  EXPECT_EQ(d.messages.shown.size(), 1u);
  // The element dialogs: the connection text is read however the dialog was closed.
  d.dialogScripts.push_back([](TDialogForm& form) {
    dynamic_cast<TConnectionTextForm&>(form).Text = "1..*";
  });
  IDiagramDialogs::ConnectionTextRequest request;
  EXPECT_EQ(d.ConnectionText(request), "1..*");
  StringList lines = {"alt"};
  d.dialogScripts.push_back([](TDialogForm& form) {
    dynamic_cast<TInfoBoxForm&>(form).Lines = {"neu"};
    form.CloseBox();
  });
  EXPECT_FALSE(d.EditInfoBox("Info", lines));
  EXPECT_EQ(lines, StringList{"alt"});
}

TEST(ChangeObjectForm, EditedValuesStayAfterCancel) {
  TUMLClass cls("TAuto");
  TAttribute* farbe = cls.AddAttribute(std::make_unique<TAttribute>("farbe", "String", 0, StringList{}));
  cls.AddAttribute(std::make_unique<TAttribute>("ps", "Integer", 0, StringList{}));
  TObjectAttributeList values(&cls.Attributes);
  ScriptedMessages m;
  TChangeObjectForm f(m);
  f.Fill(values);
  ASSERT_EQ(f.RowCount(), 2);
  int row = values.AttributeAt(0) == farbe ? 0 : 1;
  EXPECT_EQ(f.AttributeName(row), "farbe");
  EXPECT_EQ(f.Value(row), "-");
  f.SetValue(row, "rot");
  f.SetValue(7, "ignored");
  f.PressCancel();
  EXPECT_EQ(f.Result, kResultCancel);
  EXPECT_EQ(values.ValueAt(row), "rot");
}

TEST(ChangeObjectForm, LayoutSplitsTheWidth) {
  TChangeObjectLayout l = LayoutChangeObject(420, 360, 10, 90, 28, 150);
  EXPECT_EQ(l.buttonTop, 360 - 10 - 28);
  EXPECT_EQ(l.buttonWidth, (420 - 20 - 10) / 2);
  EXPECT_EQ(l.cancelLeft, l.okLeft + l.buttonWidth + 10);
  EXPECT_EQ(l.gridWidth, 400);
  EXPECT_EQ(l.gridTop + l.gridHeight, l.buttonTop - 10);
  EXPECT_EQ(l.columnWidth, 200);
  EXPECT_EQ(150 + l.nameFieldWidth, 410);  // the name field ends at the grid's right edge
}

TEST(ChangeDirectoryForm, SubDirectoryIsAppended) {
  ScriptedMessages m;
  TChangeDirectoryForm f(m);
  f.SetListDirectory("/home/schule");
  EXPECT_EQ(f.Directory, "/home/schule");
  f.SetSubDirectory("Projekt");
  EXPECT_EQ(f.Directory, "/home/schule/Projekt/");
  f.SetListDirectory("/tmp/");
  EXPECT_EQ(f.Directory, "/tmp/Projekt/");
  f.SetSubDirectory("");
  f.PressOk();
  EXPECT_EQ(f.ChosenPath, "/tmp/");
  EXPECT_EQ(f.Result, kResultOk);
}

TEST(SizingRule, NarrowScreensShrinkOnlyTheShrinkingDialogs) {
  // 800 pixels at 96 ppi: the class name dialog is shown at 78 percent.
  TSizing s = ApplySizingRule(400, 200, 800, 96, true);
  EXPECT_EQ(s.scalePercent, 78);
  EXPECT_EQ(s.width, 313);
  EXPECT_EQ(s.height, 156);
  EXPECT_FALSE(s.anchorTopLeft);
  TSizing keep = ApplySizingRule(400, 200, 800, 96, false);
  EXPECT_EQ(keep.scalePercent, 100);
  EXPECT_EQ(keep.width, 400);
  // Below 1024 with a larger font: only the percent scaling.
  TSizing dpi = ApplySizingRule(400, 200, 800, 120, true);
  EXPECT_EQ(dpi.width, 400);
  EXPECT_EQ(dpi.scalePercent, 78);
}

TEST(SizingRule, WideScreensGrow) {
  TSizing exact = ApplySizingRule(400, 200, 1024, 96, true);
  EXPECT_EQ(exact.width, 400);
  EXPECT_EQ(exact.scalePercent, 100);
  TSizing dpi1024 = ApplySizingRule(400, 200, 1024, 120, false);
  EXPECT_EQ(dpi1024.width, 500);
  EXPECT_EQ(dpi1024.height, 250);
  EXPECT_TRUE(dpi1024.anchorTopLeft);
  TSizing wide = ApplySizingRule(400, 200, 1280, 96, false);
  EXPECT_EQ(wide.width, 500);
  EXPECT_EQ(wide.scalePercent, 125);
  TSizing wideDpi = ApplySizingRule(400, 200, 1920, 144, false);
  EXPECT_EQ(wideDpi.width, 600);
  EXPECT_EQ(wideDpi.scalePercent, 100);
}

TEST(OnScreenRule, DialogsAreMovedBackInside) {
  TScreenRect r = KeepOnScreen({-30, -5, 200, 100}, 800, 600);
  EXPECT_EQ(r.left, 0);
  EXPECT_EQ(r.top, 0);
  r = KeepOnScreen({700, 550, 200, 100}, 800, 600);
  EXPECT_EQ(r.left, 600);
  EXPECT_EQ(r.top, 500);
  r = KeepOnScreen({100, 100, 200, 100}, 800, 600);
  EXPECT_EQ(r.left, 100);
}

TEST(PrintRect, PortraitUsesTheWidthLandscapeTheHeight) {
  TScreenRect portrait = PrintRect(2480, 3508, 505, 385);
  EXPECT_EQ(portrait.width, 2280);
  EXPECT_EQ(portrait.height, 1738);
  EXPECT_EQ(portrait.left, 100);
  EXPECT_EQ(portrait.top, (3508 - 1738) / 2);
  TScreenRect landscape = PrintRect(3508, 2480, 505, 385);
  EXPECT_EQ(landscape.height, 2280);
  EXPECT_EQ(landscape.width, 2991);
  EXPECT_EQ(landscape.left, (3508 - 2991) / 2);
  TScreenRect empty = PrintRect(3508, 2480, 0, 0);  // no picture: nothing, no division
  EXPECT_EQ(empty.width, 0);
}

}  // namespace
}  // namespace zedro
