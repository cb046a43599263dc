// TFCoOptions shown as a dialog: the font of connections. The font dialog opens as soon as
// the dialog becomes active; a chosen font closes it with OK.
#pragma once

#include "diagram/Options.h"
#include "editor/Forms.h"

namespace zedro {

class IDialogService;

class TCoOptionsForm : public TDialogForm {
 public:
  TCoOptionsForm(IDialogService& dialogs, TFCoOptions& options);
  const char* TypeName() const override { return "TFCoOptions"; }

  // The dialog became active: a font chosen in the font dialog closes it with OK,
  // cancelling the font dialog closes it with Cancel.
  void Activate();
  // "Schrift ändern": a chosen font closes with OK; cancelling keeps the dialog open.
  void PressFont();
  // "Abbruch".
  void PressCancel() { Close(kResultCancel); }

  TFCoOptions& Options;

 private:
  bool ChooseFont();
  IDialogService& dialogs_;
};

}  // namespace zedro
