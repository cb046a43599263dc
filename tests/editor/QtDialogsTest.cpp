// The Qt dialogs shown for real (offscreen) and driven through their controls.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <functional>

#include "DialogDriver.h"
#include "editor/CoOptionsForm.h"
#include "editor/Forms.h"
#include "editor/QtDialogService.h"
#include "editor/QtDialogs.h"
#include "model/Win1252.h"

namespace zedro {
namespace {

using editortest::Drive;

QPushButton* ButtonNamed(QDialog& d, const QString& text) {
  for (QPushButton* b : d.findChildren<QPushButton*>())
    if (b->text() == text) return b;
  ADD_FAILURE() << "no button " << text.toStdString();
  return nullptr;
}

TEST(QtDialogs, ObjectValuesChangeAtOnceEvenWhenCancelled) {
  TUMLClass cls("TAuto");
  cls.AddAttribute(
      std::make_unique<TAttribute>("farbe", "String", TVisibility::Private, StringList{}));
  TObjectAttributeList values(&cls.Attributes);
  QtDialogService service;
  ScriptedMessages m;
  TChangeObjectForm form(m);
  form.Fill(values);
  std::string whileTyping;
  Drive([&](QDialog& d) {
    auto* grid = d.findChild<QTableWidget*>("SGAnzeige");
    grid->setCurrentCell(0, 1);
    grid->editItem(grid->item(0, 1));
    auto* editor = grid->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    editor->selectAll();
    QTest::keyClicks(editor, "rot");
    whileTyping = values.ValueAt(0);  // the edit is not finished yet
    ButtonNamed(d, "Abbrechen")->click();
  });
  service.RunDialog(form);
  EXPECT_EQ(form.Result, kResultCancel);
  EXPECT_EQ(whileTyping, "rot");
  EXPECT_EQ(values.ValueAt(0), "rot");
}

// Only the font dialog that the connection options open answers from a script.
class ScriptedFonts : public QtDialogService {
 public:
  bool ChooseFont(TFontSpec& font, FontEffects) override {
    ++asked;
    visibleWhenAsked = QApplication::activeModalWidget() != nullptr;
    font = chosen;
    return true;
  }
  TFontSpec chosen;
  int asked = 0;
  bool visibleWhenAsked = false;
};

TEST(QtDialogs, TheConnectionFontDialogOpensAsSoonAsTheOptionsAreShown) {
  QObject guard;  // a dialog still open after a while is closed, so a failing test ends
  QTimer::singleShot(2000, &guard, [] {
    if (auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget())) d->reject();
  });
  ScriptedFonts service;
  TFCoOptions options;
  TCoOptionsForm chosen(service, options);
  service.chosen.Name = "Arial";
  service.RunDialog(chosen);
  EXPECT_EQ(service.asked, 1);
  EXPECT_TRUE(service.visibleWhenAsked);
  EXPECT_EQ(chosen.Result, kResultOk);
  EXPECT_EQ(options.Font.Name, "Arial");
}

TEST(QtDialogs, FileFilterTranslation) {
  EXPECT_EQ(QtFileFilter("Beziehungsdiagramme|*.urd|Alle Dateien|*.*").toStdString(),
            "Beziehungsdiagramme (*.urd);;Alle Dateien (*.*)");
  EXPECT_EQ(FilterExtension("Bitmap-Dateien (*.bmp *.dib)").toStdString(), "bmp");
  EXPECT_TRUE(FilterExtension("Alle Dateien (*.*)").isEmpty());
}

}  // namespace
}  // namespace zedro
