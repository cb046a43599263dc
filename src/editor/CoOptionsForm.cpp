#include "editor/CoOptionsForm.h"

#include "editor/DialogService.h"

namespace zedro {

TCoOptionsForm::TCoOptionsForm(IDialogService& dialogs, TFCoOptions& options)
    : TDialogForm(dialogs), Options(options), dialogs_(dialogs) {
  Caption = "FCoOptions";
}

bool TCoOptionsForm::ChooseFont() {
  TFontSpec font = Options.Font;
  if (!dialogs_.ChooseFont(font, FontEffects::Offered)) return false;
  Options.Font = font;
  return true;
}

void TCoOptionsForm::Activate() { Close(ChooseFont() ? kResultOk : kResultCancel); }

void TCoOptionsForm::PressFont() {
  if (ChooseFont()) Close(kResultOk);
}

}  // namespace zedro
