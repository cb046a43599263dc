// The Qt dialogs of the code and documentation viewers (CodeViewers.h).
#pragma once

#include <QDialog>

namespace zedro {

class IDialogService;
class TDialogForm;

// The dialog for a viewer form, or nullptr when the form is not a viewer.
QDialog* CreateViewerDialog(TDialogForm& form, IDialogService& dialogs, QWidget* parent);

}  // namespace zedro
