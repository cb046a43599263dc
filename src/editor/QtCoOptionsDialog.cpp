#include "editor/QtCoOptionsDialog.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QTimer>

#include "editor/CoOptionsForm.h"
#include "editor/QtDialogs.h"
#include "editor/QtText.h"
#include "model/Win1252.h"

namespace zedro {

namespace {

class CoOptionsDialog : public FormDialog {
 public:
  CoOptionsDialog(TCoOptionsForm& f, IDialogService& d, QWidget* p) : FormDialog(f, d, p), f_(f) {
    auto* layout = new QHBoxLayout(this);
    auto* font = new QPushButton(Q(W("Schrift ändern")), this);
    auto* cancel = new QPushButton("Abbruch", this);
    layout->addWidget(font);
    layout->addWidget(cancel);
    connect(font, &QPushButton::clicked, this, [this] { Press([this] { f_.PressFont(); }); });
    connect(cancel, &QPushButton::clicked, this, [this] { Press([this] { f_.PressCancel(); }); });
  }

 protected:
  void showEvent(QShowEvent* event) override {
    FormDialog::showEvent(event);
    if (activated_) return;
    activated_ = true;
    // The font dialog follows once this dialog is on the screen.
    QTimer::singleShot(0, this, [this] {
      if (f_.IsOpen()) Press([this] { f_.Activate(); });
    });
  }

 private:
  TCoOptionsForm& f_;
  bool activated_ = false;
};

}  // namespace

QDialog* CreateCoOptionsDialog(TCoOptionsForm& form, IDialogService& dialogs, QWidget* parent) {
  return new CoOptionsDialog(form, dialogs, parent);
}

}  // namespace zedro
