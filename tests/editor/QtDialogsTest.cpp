// The Qt dialogs shown for real (offscreen) and driven through their controls.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <functional>

#include "editor/Forms.h"
#include "editor/QtDialogService.h"
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
  form.Caption = "Name der Klasse";
  form.Name = "TKonto";
  bool stayedOpen = false;
  double scaled = 0;
  Drive({[&](QDialog& d) {
           scaled = d.font().pointSizeF() / QApplication::font().pointSizeF();
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
  QScreen* screen = QGuiApplication::primaryScreen();
  TSizing expected = ApplySizingRule(100, 100, screen->geometry().width(),
                                     static_cast<int>(screen->logicalDotsPerInch() + 0.5), true);
  EXPECT_NEAR(scaled, expected.scalePercent / 100.0, 0.02);
}

TEST(QtDialogs, AttributeDialogProposesTheReadQueryAndHandsBackItsFields) {
  QtDialogService service;
  ScriptedMessages m;
  TAttributeForm form(m);
  form.Caption = "Attribut eingeben";
  form.DeleteVisible = false;
  std::string proposal;
  bool deleteShown = true;
  Drive({[&](QDialog& d) {
    d.findChild<QLineEdit*>("EdAttributeName")->setText("alter");
    d.findChild<QLineEdit*>("EdAttributType")->setText("Integer");
    d.findChild<QCheckBox*>("CBRead")->click();
    proposal = text::FromUtf8(d.findChild<QLineEdit*>("EdRead")->text().toStdString());
    deleteShown = ButtonNamed(d, QString::fromUtf8("Attribut löschen"))->isVisible();
    d.findChildren<QRadioButton*>()[2]->setChecked(true);
    ButtonNamed(d, "&OK")->click();
  }});
  service.RunDialog(form);
  EXPECT_EQ(proposal, "GibAlter");
  EXPECT_FALSE(deleteShown);
  EXPECT_EQ(form.Result, kResultOk);
  EXPECT_EQ(form.Name, "alter");
  EXPECT_EQ(form.Type, "Integer");
  EXPECT_EQ(form.Visibility, kPublic);
  EXPECT_TRUE(form.ReadChecked);
  EXPECT_EQ(form.ReadName, "GibAlter");
}

TEST(QtDialogs, MethodDialogShowsTheResultOnlyForAQuery) {
  QtDialogService service;
  ScriptedMessages m;
  TMethodForm form(m);
  bool shownForQuery = false, shownForCommand = true;
  Drive({[&](QDialog& d) {
    d.findChild<QLineEdit*>("EdMethodName")->setText("GibStand");
    QList<QRadioButton*> kinds = d.findChild<QWidget*>("RgSorte")->findChildren<QRadioButton*>();
    kinds[2]->click();
    shownForQuery = !d.findChild<QLineEdit*>("EdResult")->isHidden();
    kinds[1]->click();
    shownForCommand = !d.findChild<QLineEdit*>("EdResult")->isHidden();
    d.reject();  // the close box
  }});
  service.RunDialog(form);
  EXPECT_TRUE(shownForQuery);
  EXPECT_FALSE(shownForCommand);
  EXPECT_EQ(form.Result, kResultCancel);
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
