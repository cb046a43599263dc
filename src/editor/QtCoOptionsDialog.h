// The Qt dialog of the connection font options.
#pragma once

class QDialog;
class QWidget;

namespace zedro {

class IDialogService;
class TCoOptionsForm;

QDialog* CreateCoOptionsDialog(TCoOptionsForm& form, IDialogService& dialogs, QWidget* parent);

}  // namespace zedro
