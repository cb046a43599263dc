#include "editor/QtDialogService.h"

#include <QAbstractButton>
#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QGuiApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QScreen>

#include "editor/QtDialogs.h"
#include "editor/QtFontDialog.h"
#include "editor/QtText.h"
#include "editor/TMainForm.h"

namespace zedro {

namespace {

// Gives the activation back to the window that had it before a dialog came up, also where
// no window manager does so: the keys then go on working in the diagram.
class KeepActiveWindow {
 public:
  KeepActiveWindow() : window_(QApplication::activeWindow()) {}
  ~KeepActiveWindow() {
    if (window_ && window_->isVisible() && !window_->isActiveWindow() &&
        !QApplication::activeModalWidget())
      window_->activateWindow();
  }
  KeepActiveWindow(const KeepActiveWindow&) = delete;
  KeepActiveWindow& operator=(const KeepActiveWindow&) = delete;

 private:
  QPointer<QWidget> window_;
};

}  // namespace

QtDialogService::QtDialogService() : printer_(std::make_unique<QPrinter>(QPrinter::HighResolution)) {}
QtDialogService::~QtDialogService() = default;

QString QtFileFilter(const std::string& filter) {
  QStringList parts = Q(filter).split('|');
  QStringList out;
  for (int i = 0; i + 1 < parts.size(); i += 2) {
    QString patterns = parts[i + 1];
    patterns.replace(';', ' ');
    // A description that names its patterns already, "Alle Dateien (*.*)", stays as it is.
    out << (parts[i].trimmed().endsWith(')') ? parts[i] : QString("%1 (%2)").arg(parts[i], patterns));
  }
  return out.join(";;");
}

QString FilterExtension(const QString& filter) {
  const int star = filter.indexOf("*.");
  if (star < 0) return {};
  QString ext;
  for (int i = star + 2; i < filter.size() && filter[i].isLetterOrNumber(); ++i) ext += filter[i];
  return ext;
}

MsgResult QtDialogService::Show(MsgKind kind, const std::string& text, MsgButtons buttons,
                                const QPoint* at) {
  QMessageBox box(parent_);
  box.setWindowTitle(kApplicationTitle);
  box.setText(Q(text));
  switch (kind) {
    // A plain message is an information box.
    case MsgKind::Plain:
    case MsgKind::Information: box.setIcon(QMessageBox::Information); break;
    case MsgKind::Warning: box.setIcon(QMessageBox::Warning); break;
    case MsgKind::Error: box.setIcon(QMessageBox::Critical); break;
    case MsgKind::Confirmation: box.setIcon(QMessageBox::Question); break;
  }
  switch (buttons) {
    case MsgButtons::Ok: box.setStandardButtons(QMessageBox::Ok); break;
    case MsgButtons::Yes: box.setStandardButtons(QMessageBox::Yes); break;
    case MsgButtons::YesNo: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
    case MsgButtons::YesNoCancel:
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
      break;
  }
  if (QAbstractButton* b = box.button(QMessageBox::Yes)) b->setText("&Ja");
  if (QAbstractButton* b = box.button(QMessageBox::No)) b->setText("&Nein");
  if (QAbstractButton* b = box.button(QMessageBox::Cancel)) b->setText("Abbrechen");
  if (at) box.move(*at);
  KeepActiveWindow keep;
  int r = box.exec();
  switch (r) {
    case QMessageBox::Yes: return MsgResult::Yes;
    case QMessageBox::No: return MsgResult::No;
    case QMessageBox::Ok: return MsgResult::Ok;
    default: break;
  }
  // Closing the box otherwise: Cancel where there is one, else the safe answer.
  if (buttons == MsgButtons::YesNoCancel) return MsgResult::Cancel;
  if (buttons == MsgButtons::YesNo) return MsgResult::No;
  return buttons == MsgButtons::Yes ? MsgResult::Yes : MsgResult::Ok;
}

MsgResult QtDialogService::Message(MsgKind kind, const std::string& text, MsgButtons buttons) {
  return Show(kind, text, buttons, nullptr);
}

MsgResult QtDialogService::MessageAt(MsgKind kind, const std::string& text, MsgButtons buttons,
                                     int x, int y) {
  QPoint at(x, y);
  return Show(kind, text, buttons, &at);
}

bool QtDialogService::InputBox(const std::string& caption, const std::string& prompt,
                               std::string& value) {
  QInputDialog dialog(parent_);
  dialog.setObjectName("InputBox");
  dialog.setWindowTitle(Q(caption));
  dialog.setLabelText(Q(prompt));
  dialog.setTextValue(Q(value));
  // German also where Qt's translation is missing.
  dialog.setOkButtonText("OK");
  dialog.setCancelButtonText("Abbrechen");
  KeepActiveWindow keep;
  if (dialog.exec() != QDialog::Accepted) return false;
  value = S(dialog.textValue());
  return true;
}

namespace {
std::string RunFileDialog(QWidget* parent, const TFileRequest& request, bool save) {
  QFileDialog dialog(parent, Q(request.caption), Q(request.initialDir), QtFileFilter(request.filter));
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  // The labels of Qt's own file dialog in German, also where Qt's translation is missing.
  dialog.setLabelText(QFileDialog::LookIn, "Suchen in:");
  dialog.setLabelText(QFileDialog::FileName, "Dateiname:");
  dialog.setLabelText(QFileDialog::FileType, "Dateityp:");
  dialog.setLabelText(QFileDialog::Accept, save ? "Speichern" : QString::fromUtf8("Öffnen"));
  dialog.setLabelText(QFileDialog::Reject, "Abbrechen");
  // The editor asks before it replaces a file.
  dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
  if (!request.defaultExt.empty()) dialog.setDefaultSuffix(Q(request.defaultExt));
  // A name typed without an extension gets the one of the chosen file type ("*.png"), or
  // the default extension under "all files".
  if (save)
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                     [&dialog, &request](const QString& filter) {
                       QString ext = FilterExtension(filter);
                       dialog.setDefaultSuffix(ext.isEmpty() ? Q(request.defaultExt) : ext);
                     });
  const QStringList filters = dialog.nameFilters();
  if (request.filterIndex > 0 && request.filterIndex < filters.size()) {
    dialog.selectNameFilter(filters[request.filterIndex]);
    if (save) {
      const QString ext = FilterExtension(filters[request.filterIndex]);
      if (!ext.isEmpty()) dialog.setDefaultSuffix(ext);
    }
  }
  if (!request.fileName.empty()) dialog.selectFile(Q(request.fileName));
  KeepActiveWindow keep;
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  if (request.chosenFilter)
    *request.chosenFilter = static_cast<int>(std::max<qsizetype>(0, filters.indexOf(dialog.selectedNameFilter())));
  return S(dialog.selectedFiles().first());
}
}  // namespace

std::string QtDialogService::OpenFileName(const TFileRequest& request) {
  return RunFileDialog(parent_, request, false);
}

std::string QtDialogService::SaveFileName(const TFileRequest& request) {
  return RunFileDialog(parent_, request, true);
}

std::string QtDialogService::DirectoryName(const TFileRequest& request) {
  return S(QFileDialog::getExistingDirectory(parent_, Q(request.caption), Q(request.initialDir)));
}

bool QtDialogService::ChooseFont(TFontSpec& font, FontEffects effects) {
  FontDialog dialog(font, effects == FontEffects::Offered, [this](TColor& color) { return ChooseColor(color); },
                    parent_);
  KeepActiveWindow keep;
  if (dialog.exec() != QDialog::Accepted) return false;
  font = dialog.Font();
  return true;
}

bool QtDialogService::ChooseColor(TColor& color) {
  TColor c = color < 0 ? 0 : color;
  QColor initial(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
  KeepActiveWindow keep;
  QColor chosen = QColorDialog::getColor(initial, parent_, "Farbe");
  if (!chosen.isValid()) return false;
  color = RGB(chosen.red(), chosen.green(), chosen.blue());
  return true;
}

void QtDialogService::PrinterSetup() {
  QPageSetupDialog dialog(printer_.get(), parent_);
  KeepActiveWindow keep;
  dialog.exec();
}

bool QtDialogService::PrintPicture(const TPrintJob& job) {
  QPrintDialog dialog(printer_.get(), parent_);
  {
    KeepActiveWindow keep;
    if (dialog.exec() != QDialog::Accepted) return false;
  }
  if (!job.print || !job.print(*printer_)) {
    Message(MsgKind::Error, "Das Bild konnte nicht gedruckt werden.", MsgButtons::Ok);
    return false;
  }
  return true;
}

void QtDialogService::RunDialog(TDialogForm& form) {
  form.Result = 0;
  std::unique_ptr<QDialog> dialog(CreateFormDialog(form, *this, parent_));
  if (!dialog) {
    form.CloseBox();
    return;
  }
  {
    KeepActiveWindow keep;
    dialog->exec();
  }
  if (form.IsOpen()) form.CloseBox();
}

int QtDialogService::ScreenWidth() const {
  QScreen* s = QGuiApplication::primaryScreen();
  return s ? s->geometry().width() : 1024;
}

int QtDialogService::ScreenHeight() const {
  QScreen* s = QGuiApplication::primaryScreen();
  return s ? s->geometry().height() : 768;
}

int QtDialogService::ScreenPpi() const {
  QScreen* s = QGuiApplication::primaryScreen();
  return s ? static_cast<int>(s->logicalDotsPerInch() + 0.5) : 96;
}

}  // namespace zedro
