// The connection font dialog shown for real (offscreen); only the font dialog it opens
// answers from a script.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QObject>
#include <QTimer>
#include <deque>
#include <optional>

#include "editor/CoOptionsForm.h"
#include "editor/QtDialogService.h"

namespace zedro {
namespace {

class ScriptedFonts : public QtDialogService {
 public:
  bool ChooseFont(TFontSpec& font, bool) override {
    ++asked;
    visibleWhenAsked = QApplication::activeModalWidget() != nullptr;
    if (fonts.empty() || !fonts.front()) {
      if (!fonts.empty()) fonts.pop_front();
      return false;
    }
    font = *fonts.front();
    fonts.pop_front();
    return true;
  }
  std::deque<std::optional<TFontSpec>> fonts;
  int asked = 0;
  bool visibleWhenAsked = false;
};

// Closes whatever modal dialog is still open after a while, so a failing test ends; the
// timer goes with the guard.
void CloseEventually(QObject& guard) {
  QTimer::singleShot(2000, &guard, [] {
    if (auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget())) d->reject();
  });
}

TFontSpec Font(const std::string& name) {
  TFontSpec f;
  f.Name = name;
  return f;
}

TEST(OptionsDialogs, TheConnectionFontDialogOpensAsSoonAsTheOptionsAreShown) {
  QObject guard;
  ScriptedFonts service;
  TFCoOptions options;
  TCoOptionsForm chosen(service, options);
  service.fonts.push_back(Font("Arial"));
  CloseEventually(guard);
  service.RunDialog(chosen);
  EXPECT_EQ(service.asked, 1);
  EXPECT_TRUE(service.visibleWhenAsked);
  EXPECT_EQ(chosen.Result, kResultOk);
  EXPECT_EQ(options.Font.Name, "Arial");

  // Cancelling that font dialog ends the options dialog too.
  TCoOptionsForm cancelled(service, options);
  service.fonts.push_back(std::nullopt);
  CloseEventually(guard);
  service.RunDialog(cancelled);
  EXPECT_EQ(service.asked, 2);
  EXPECT_EQ(cancelled.Result, kResultCancel);
}

}  // namespace
}  // namespace zedro
