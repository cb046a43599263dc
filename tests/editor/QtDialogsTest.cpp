// The Qt dialogs shown for real (offscreen) and driven through their controls.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <deque>
#include <functional>
#include <optional>

#include "editor/CoOptionsForm.h"
#include "editor/Forms.h"
#include "editor/QtDialogService.h"
#include "editor/QtDialogs.h"
#include "model/Win1252.h"

namespace zedro {
namespace {

// Runs the steps one after the other on the modal dialog while it is shown.
struct Driver {
  std::vector<std::function<void(QDialog&)>> steps;
  static void Tick(const std::shared_ptr<Driver>& self) {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (dialog && !self->steps.empty()) {
      auto step = self->steps.front();
      self->steps.erase(self->steps.begin());
      step(*dialog);
    }
    if (!self->steps.empty()) QTimer::singleShot(10, [self] { Tick(self); });
  }
};

void Drive(std::vector<std::function<void(QDialog&)>> steps) {
  auto driver = std::make_shared<Driver>();
  driver->steps = std::move(steps);
  QTimer::singleShot(10, [driver] { Driver::Tick(driver); });
}

QPushButton* ButtonNamed(QDialog& d, const QString& text) {
  for (QPushButton* b : d.findChildren<QPushButton*>())
    if (b->text() == text) return b;
  ADD_FAILURE() << "no button " << text.toStdString();
  return nullptr;
}

TEST(QtDialogs, ClassNameDialogStaysOpenOnAnInvalidName) {
  QtDialogService service;
  ScriptedMessages m;
  TClassnameForm form(m);
  form.Name = "TKonto";
  bool stayedOpen = false;
  Drive({[&](QDialog& d) {
           d.findChild<QLineEdit*>("EdClName")->setText("1Konto");
           ButtonNamed(d, "ok")->click();
         },
         [&](QDialog& d) {
           stayedOpen = d.isVisible();
           d.findChild<QLineEdit*>("EdClName")->setText("TGirokonto");
           d.findChildren<QRadioButton*>()[1]->setChecked(true);
           ButtonNamed(d, "ok")->click();
         }});
  service.RunDialog(form);
  EXPECT_TRUE(stayedOpen);
  EXPECT_EQ(m.shown.size(), 1u);
  EXPECT_EQ(form.Result, kResultOk);
  EXPECT_EQ(form.Name, "TGirokonto");
  EXPECT_EQ(form.Kind, 1);
}

TEST(QtDialogs, ObjectValuesChangeAtOnceEvenWhenCancelled) {
  TUMLClass cls("TAuto");
  cls.AddAttribute(std::make_unique<TAttribute>("farbe", "String", 0, StringList{}));
  TObjectAttributeList values(&cls.Attributes);
  QtDialogService service;
  ScriptedMessages m;
  TChangeObjectForm form(m);
  form.Fill(values);
  std::string whileTyping;
  Drive({[&](QDialog& d) {
    auto* grid = d.findChild<QTableWidget*>("SGAnzeige");
    grid->setCurrentCell(0, 1);
    grid->editItem(grid->item(0, 1));
    auto* editor = grid->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    editor->selectAll();
    QTest::keyClicks(editor, "rot");
    whileTyping = values.ValueAt(0);  // the edit is not finished yet
    ButtonNamed(d, "Abbrechen")->click();
  }});
  service.RunDialog(form);
  EXPECT_EQ(form.Result, kResultCancel);
  EXPECT_EQ(whileTyping, "rot");
  EXPECT_EQ(values.ValueAt(0), "rot");
}

// Only the font dialog that the connection options open answers from a script.
class ScriptedFonts : public QtDialogService {
 public:
  bool ChooseFont(TFontSpec& font, bool) override {
    ++asked;
    visibleWhenAsked = QApplication::activeModalWidget() != nullptr;
    std::optional<TFontSpec> next = fonts.empty() ? std::nullopt : fonts.front();
    if (!fonts.empty()) fonts.pop_front();
    if (next) font = *next;
    return next.has_value();
  }
  std::deque<std::optional<TFontSpec>> fonts;
  int asked = 0;
  bool visibleWhenAsked = false;
};

TEST(QtDialogs, TheConnectionFontDialogOpensAsSoonAsTheOptionsAreShown) {
  QObject guard;
  // Closes whatever modal dialog is still open after a while, so a failing test ends.
  auto closeEventually = [&guard] {
    QTimer::singleShot(2000, &guard, [] {
      if (auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget())) d->reject();
    });
  };
  ScriptedFonts service;
  TFCoOptions options;
  TCoOptionsForm chosen(service, options);
  TFontSpec arial;
  arial.Name = "Arial";
  service.fonts = {arial};
  closeEventually();
  service.RunDialog(chosen);
  EXPECT_EQ(service.asked, 1);
  EXPECT_TRUE(service.visibleWhenAsked);
  EXPECT_EQ(chosen.Result, kResultOk);
  EXPECT_EQ(options.Font.Name, "Arial");

  // Cancelling that font dialog ends the options dialog too.
  TCoOptionsForm cancelled(service, options);
  service.fonts = {std::nullopt};
  closeEventually();
  service.RunDialog(cancelled);
  EXPECT_EQ(service.asked, 2);
  EXPECT_EQ(cancelled.Result, kResultCancel);
}

TEST(QtDialogs, FileFilterTranslation) {
  EXPECT_EQ(QtFileFilter("Beziehungsdiagramme|*.urd|Alle Dateien|*.*").toStdString(),
            "Beziehungsdiagramme (*.urd);;Alle Dateien (*.*)");
  EXPECT_EQ(QtFileFilter("UML Relation Diagramm|*.urd|Alle Dateien (*.*)|*.*").toStdString(),
            "UML Relation Diagramm (*.urd);;Alle Dateien (*.*)");
  // A picture name typed without extension takes the one of the chosen file type.
  EXPECT_EQ(FilterExtension("PNG-Dateien (*.png)").toStdString(), "png");
  EXPECT_EQ(FilterExtension("Bitmap-Dateien (*.bmp *.dib)").toStdString(), "bmp");
  EXPECT_TRUE(FilterExtension("Alle Dateien (*.*)").isEmpty());
  EXPECT_TRUE(FilterExtension("Alle Dateien (*)").isEmpty());
}

}  // namespace
}  // namespace zedro
