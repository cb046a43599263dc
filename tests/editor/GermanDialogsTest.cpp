// The real Qt dialogs offscreen: Return confirms a choice, the font dialog offers the
// colour only where it belongs, Qt's own dialogs speak German, and file errors are told in
// German where the user meets them.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QInputDialog>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTranslator>
#include <functional>
#include <memory>

#include "DialogDriver.h"
#include "EditorFixture.h"
#include "codegen/CodegenTestSupport.h"
#include "editor/GermanTranslation.h"
#include "editor/MemberEditor.h"
#include "editor/QtDialogService.h"
#include "editor/QtDialogs.h"
#include "editor/QtFontDialog.h"
#include "persistence/SystemErrors.h"

namespace zedro {
namespace {

using namespace editortest;

QPushButton* DefaultButton(QDialog& d) {
  for (QPushButton* b : d.findChildren<QPushButton*>())
    if (b->isDefault()) return b;
  return nullptr;
}

// Shows the real dialog of a form and presses Return where the keyboard focus is.
void PressReturnIn(TDialogForm& form, IDialogService& dialogs, QString* defaultCaption) {
  std::unique_ptr<QDialog> shown(CreateFormDialog(form, dialogs, nullptr));
  ASSERT_NE(nullptr, shown);
  shown->show();
  QApplication::processEvents();
  QPushButton* def = DefaultButton(*shown);
  ASSERT_NE(nullptr, def) << "no default button";
  *defaultCaption = def->text();
  QWidget* target = shown->focusWidget() ? shown->focusWidget() : shown.get();
  QTest::keyClick(target, Qt::Key_Return);
}

TEST(QtChoices, ReturnTakesTheChosenMethodAndAttributes) {
  ScriptedDialogs dialogs;
  TChooseMethodForm method(dialogs);
  method.Items = {"Zeichne()", "Bewege()"};
  method.Selected = 1;
  QString caption;
  PressReturnIn(method, dialogs, &caption);
  EXPECT_EQ(caption, QString::fromUtf8("So Übernehmen"));
  EXPECT_EQ(kResultOk, method.Result);
  EXPECT_EQ(1, method.Selected);

  TChooseAttributeForm attribute(dialogs);
  attribute.Items = {"alter", "name", "auto"};
  attribute.MultiSelect = true;
  attribute.SelectedItems = {false, true, true};
  attribute.Focused = 2;
  PressReturnIn(attribute, dialogs, &caption);
  EXPECT_EQ(caption, QString::fromUtf8("So Übernehmen"));
  EXPECT_EQ(kResultOk, attribute.Result);
  EXPECT_EQ((std::vector<bool>{false, true, true}), attribute.SelectedItems);
}

// The scripted service, but the method choice is the real dialog, answered with Return.
class ReturnInMethodChoice : public RecordingDialogs {
 public:
  void RunDialog(TDialogForm& form) override {
    if (!dynamic_cast<TChooseMethodForm*>(&form)) return ScriptedDialogs::RunDialog(form);
    ++choices;
    QString caption;
    PressReturnIn(form, *this, &caption);
    if (form.IsOpen()) form.CloseBox();
  }
  int choices = 0;
};

TEST(QtChoices, ReturnInTheOverrideChoiceOverridesTheFirstMethod) {
  ReturnInMethodChoice dialogs;
  auto form = std::make_unique<TMainForm>(dialogs);
  dialogs.form = form.get();
  form->FileNew1Execute();
  DiagramDocument& d = form->ActiveChild()->Doc();
  TUMLDrawClass* parent = d.AddClassBox(std::make_unique<TUMLClass>("TFahrzeug"), 50, 50);
  TUMLDrawClass* child = d.AddClassBox(std::make_unique<TUMLClass>("TAuto"), 50, 200);
  testing::AddMeth(*parent->UMLClass, {"Fahre"});
  d.AddConnection(child, 1, parent, 28, TConnectionKind::Ist);
  MemberEditor(*form).OverrideMethod(child->UMLClass);
  EXPECT_EQ(1, dialogs.choices);
  EXPECT_TRUE(dialogs.messages.shown.empty()) << dialogs.messages.shown.front().text;
  ASSERT_EQ(1, child->UMLClass->Methods.Count());
  EXPECT_EQ("Fahre", child->UMLClass->Methods.At(0)->Name);
  for (TFChild* c : form->Children()) c->ClosingAll = true;
  dialogs.form = nullptr;
}

// ---- the font dialog -------------------------------------------------------------------

void ChooseColourNamed(FontDialog& dialog, const QString& name) {
  auto* colours = dialog.findChild<QComboBox*>("FontColor");
  ASSERT_NE(nullptr, colours);
  const int i = colours->findText(name);
  ASSERT_GE(i, 0) << name.toStdString();
  colours->setCurrentIndex(i);
  emit colours->activated(i);
}

TEST(QtFontDialog, ABoxFontTakesItsColourAndReturnConfirms) {
  TFontSpec font;  // MS Sans Serif in the system's text colour
  FontDialog dialog(font, true);
  auto* colours = dialog.findChild<QComboBox*>("FontColor");
  ASSERT_NE(nullptr, colours);
  EXPECT_EQ(colours->currentText(), QString("Standard (Textfarbe)"));
  EXPECT_EQ(kClWindowText, dialog.Font().Color) << "an untouched colour stays the system's";
  ChooseColourNamed(dialog, "Rot");
  auto* underline = dialog.findChild<QCheckBox*>("FontUnderline");
  ASSERT_NE(nullptr, underline);
  underline->click();
  dialog.show();
  QTest::keyClick(&dialog, Qt::Key_Return);
  EXPECT_EQ(QDialog::Accepted, dialog.result());
  const TFontSpec chosen = dialog.Font();
  EXPECT_EQ(RGB(255, 0, 0), chosen.Color);
  EXPECT_TRUE(chosen.Underline);
  EXPECT_FALSE(chosen.StrikeOut);
  EXPECT_EQ("MS Sans Serif", chosen.Name) << "a font the machine lacks keeps its name";
  EXPECT_EQ(8, chosen.Size);
}

TEST(QtFontDialog, WithoutEffectsNoColourUnderlineOrStrikeOutIsOfferedOrChanged) {
  TFontSpec font;
  font.Color = RGB(0, 0, 255);
  font.Underline = true;
  FontDialog dialog(font, false);
  EXPECT_EQ(nullptr, dialog.findChild<QGroupBox*>("FontEffects"));
  EXPECT_EQ(nullptr, dialog.findChild<QComboBox*>("FontColor"));
  for (QCheckBox* box : dialog.findChildren<QCheckBox*>())
    EXPECT_TRUE(box->text() == "Fett" || box->text() == "Kursiv") << box->text().toStdString();
  auto* bold = dialog.findChild<QCheckBox*>("FontBold");
  ASSERT_NE(nullptr, bold);
  bold->click();
  auto* size = dialog.findChild<QComboBox*>("FontSize");
  ASSERT_NE(nullptr, size);
  size->setCurrentText("12");
  const TFontSpec chosen = dialog.Font();
  EXPECT_TRUE(chosen.Bold);
  EXPECT_EQ(12, chosen.Size);
  EXPECT_EQ(RGB(0, 0, 255), chosen.Color);
  EXPECT_TRUE(chosen.Underline);
}

TEST(QtFontDialog, FurtherColoursComeFromTheColourDialog) {
  TFontSpec font;
  int asked = 0;
  TColor offered = 0;
  FontDialog dialog(font, true, [&](TColor& c) {
    ++asked;
    offered = c;
    c = RGB(12, 34, 56);
    return true;
  });
  ChooseColourNamed(dialog, "Weitere Farben ...");
  EXPECT_EQ(1, asked);
  EXPECT_EQ(kClWindowText, offered) << "the colour dialog starts at the current colour";
  EXPECT_EQ(RGB(12, 34, 56), dialog.Font().Color);
  auto* colours = dialog.findChild<QComboBox*>("FontColor");
  ASSERT_NE(nullptr, colours);
  EXPECT_EQ(colours->currentText(), QString("Eigene Farbe"));
  // Cancelled, the colour dialog changes nothing.
  FontDialog cancelled(font, true, [](TColor&) { return false; });
  ChooseColourNamed(cancelled, "Weitere Farben ...");
  EXPECT_EQ(kClWindowText, cancelled.Font().Color);
}

TEST(QtFontDialog, TheServiceShowsItWithTheColourOnlyWhereEffectsBelong) {
  QtDialogService service;
  bool withColour = true, withoutColour = true;
  Drive([&](QDialog& d) {
    withColour = d.findChild<QComboBox*>("FontColor") != nullptr;
    auto* fd = qobject_cast<FontDialog*>(&d);
    if (fd) fd->SetColor(RGB(0, 128, 0));
    d.accept();
  });
  TFontSpec font;
  EXPECT_TRUE(service.ChooseFont(font, FontEffects::Offered));
  EXPECT_TRUE(withColour);
  EXPECT_EQ(RGB(0, 128, 0), font.Color);
  Drive([&](QDialog& d) {
    withoutColour = d.findChild<QComboBox*>("FontColor") != nullptr;
    d.reject();
  });
  EXPECT_FALSE(service.ChooseFont(font, FontEffects::NotOffered));
  EXPECT_FALSE(withoutColour);
}

// The display options of a box ask for the font with its effects and keep its colour.
TEST(QtFontDialog, TheBoxOptionsAskForTheFontWithItsColour) {
  ScriptedDialogs dialogs;
  TFontSpec red;
  red.Name = "Arial";
  red.Color = RGB(255, 0, 0);
  dialogs.fonts = {red};
  TFOptions options;
  TOptionsForm form(dialogs, options);
  std::unique_ptr<QDialog> shown(CreateFormDialog(form, dialogs, nullptr));
  ASSERT_NE(nullptr, shown);
  for (QPushButton* b : shown->findChildren<QPushButton*>())
    if (PlainCaption(b->text()) == QString::fromUtf8("Schrift ändern")) b->click();
  ASSERT_EQ(1, dialogs.CountAsked("font"));
  EXPECT_EQ(kResultOk, form.Result);
  EXPECT_EQ(RGB(255, 0, 0), options.Font.Color);
}

// ---- Qt's own texts --------------------------------------------------------------------

TEST(GermanQt, TheInputBoxSpeaksGermanAlsoWithoutTranslation) {
  QtDialogService service;
  QStringList buttons;
  QString title;
  Drive([&](QDialog& d) {
    title = d.windowTitle();
    for (QPushButton* b : d.findChildren<QPushButton*>()) buttons << PlainCaption(b->text());
    auto* input = qobject_cast<QInputDialog*>(&d);
    ASSERT_NE(nullptr, input);
    input->setTextValue("TAuto");
    QTest::keyClick(&d, Qt::Key_Return);
  });
  std::string value = "alt";
  EXPECT_TRUE(service.InputBox("Neue Klasse", W("Bitte Namen für die Klasse eingeben:"), value));
  EXPECT_EQ("TAuto", value);
  EXPECT_EQ(title, QString("Neue Klasse"));
  EXPECT_TRUE(buttons.contains("Abbrechen")) << buttons.join(',').toStdString();
  EXPECT_FALSE(buttons.contains("Cancel"));
}

TEST(GermanQt, TheGermanTranslationIsLoadedAndItsAbsenceIsNoFailure) {
  const QLocale before;
  EXPECT_EQ(nullptr, InstallGermanQtTranslation("/nicht/vorhanden"));
  QTranslator* translator = InstallGermanQtTranslation();
  ASSERT_NE(nullptr, translator) << "Qt's German translation (qt6-translations-l10n) is missing";
  EXPECT_EQ(QLocale::German, QLocale().language());
  QMessageBox box;
  box.setStandardButtons(QMessageBox::Cancel | QMessageBox::Save);
  ASSERT_NE(nullptr, box.button(QMessageBox::Cancel));
  EXPECT_EQ(PlainCaption(box.button(QMessageBox::Cancel)->text()), QString("Abbrechen"));
  EXPECT_EQ(PlainCaption(box.button(QMessageBox::Save)->text()), QString("Speichern"));
  QCoreApplication::removeTranslator(translator);
  delete translator;
  QLocale::setDefault(before);
}

// ---- file errors -----------------------------------------------------------------------

class GermanFileErrors : public EditorTest {};

TEST_F(GermanFileErrors, OpeningAndSavingPicturesTellTheReasonInGerman) {
  // A directory chosen as a diagram.
  dialogs.openFiles.push_back(text::FromUtf8(dir.path().toStdString()));
  form->FileOpen1Execute();
  ASSERT_FALSE(dialogs.messages.shown.empty());
  EXPECT_NE(std::string::npos, LastMessage().find(SystemErrorText(EISDIR))) << LastMessage();
  // A file that is not there.
  dialogs.openFiles.push_back(Path("fehlt.urd"));
  form->FileOpen1Execute();
  EXPECT_NE(std::string::npos, LastMessage().find(SystemErrorText(ENOENT))) << LastMessage();
  // A picture into a directory that is not there.
  TFChild* c = NewDiagram();
  AddClass(c, "TAuto");
  dialogs.saveFiles.push_back(Path("fehlt/bild.bmp"));
  c->Pictures().SavePicture();
  EXPECT_NE(std::string::npos, LastMessage().find(SystemErrorText(ENOENT))) << LastMessage();
  EXPECT_EQ(0u, LastMessage().find("Das Bild kann nicht in die Datei"));
}

}  // namespace
}  // namespace zedro
