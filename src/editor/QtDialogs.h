// The Qt dialogs of the editor. Each shows one form (Forms.h): it fills its controls from
// the form, hands every button to the form and closes when the form has a result.
#pragma once

#include <QDialog>

#include "editor/Forms.h"

namespace zedro {

class IDialogService;

// Creates the dialog that shows the form, or nullptr for an unknown form.
QDialog* CreateFormDialog(TDialogForm& form, IDialogService& dialogs, QWidget* parent);

// The dialog base: sizing rule on creation, on-screen rule on activation.
// Whether a dialog also adapts to narrow screens (class name, code, class choice,
// directory) or keeps its design size there.
enum class DialogSizing { Fixed, Shrinking };

class FormDialog : public QDialog {
  Q_OBJECT

 public:
  FormDialog(TDialogForm& form, IDialogService& dialogs, QWidget* parent);

 protected:
  // Call at the end of the constructor: sizes the dialog by the common rule.
  void ApplySizing(DialogSizing sizing);
  void EnableOnScreenRule() { onScreen_ = true; }
  // Hands a button press to the form; the dialog closes when the form has a result.
  template <class F>
  void Press(F&& press) {
    Store();
    press();
    if (!form_.IsOpen()) done(form_.Result);
    else Load();
  }
  virtual void Load() {}
  virtual void Store() {}
  void reject() override;
  void changeEvent(QEvent* event) override;
  void showEvent(QShowEvent* event) override;

  TDialogForm& form_;
  IDialogService& dialogs_;

 private:
  void KeepOnScreen();
  bool onScreen_ = false;
};

}  // namespace zedro
