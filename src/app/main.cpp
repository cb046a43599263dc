// The editor program: creates the application and the main window and runs the event
// loop until the main window closes.
//
//   zedro [FILE.urd]                       the editor, opening the diagram file
//   zedro --screenshot OUT.png [FILE.urd]  renders the main window with the diagram into a
//                                          PNG file and exits (for documentation and tests)
//
// Unattended runs: ZEDRO_QUIT_AFTER_MS closes the main window after that many milliseconds;
// ZEDRO_DIALOG_LOG names a file that receives the caption and buttons of every dialog shown.
#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <new>
#include <string>
#include <vector>

#include "editor/Autosave.h"
#include "editor/DesktopFeatures.h"
#include "editor/DialogService.h"
#include "editor/GermanTranslation.h"
#include "editor/QtDialogService.h"
#include "editor/TFChild.h"
#include "editor/TMainForm.h"
#include "model/Win1252.h"

namespace {

// An event that fails for lack of memory (a source file too large to read, say) ends its
// command with a message; the program and its diagrams stay.
class ZedroApplication : public QApplication {
 public:
  using QApplication::QApplication;
  bool notify(QObject* receiver, QEvent* event) override {
    try {
      return QApplication::notify(receiver, event);
    } catch (const std::bad_alloc&) {
      if (onOutOfMemory) onOutOfMemory();
      return false;
    }
  }
  std::function<void()> onOutOfMemory;
};

// Writes the caption and the button texts of every dialog that comes up into a file, one
// line per dialog: the start check under a virtual display reads what the user would see.
class DialogLog : public QObject {
 public:
  explicit DialogLog(const QString& path) : path_(path) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    auto* dialog = qobject_cast<QDialog*>(watched);
    if (event->type() == QEvent::Show && dialog && dialog->isWindow()) {
      QStringList buttons;
      for (QAbstractButton* b : dialog->findChildren<QAbstractButton*>())
        if (qobject_cast<QPushButton*>(b) && !b->text().isEmpty()) buttons << b->text();
      QFile file(path_);
      if (file.open(QIODevice::Append | QIODevice::Text))
        file.write((dialog->windowTitle() + "\t" + buttons.join('|') + "\n").toUtf8());
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  QString path_;
};

int Screenshot(const std::string& out, const std::vector<std::string>& files) {
  zedro::ScriptedDialogs dialogs;
  dialogs.screenWidth = 1280;
  dialogs.screenHeight = 900;
  zedro::TMainForm form(dialogs);
  form.show();
  QApplication::processEvents();
  for (const std::string& f : files) form.OpenDiagramFile(f);
  QApplication::processEvents();
  for (const auto& shown : dialogs.messages.shown)
    std::fprintf(stderr, "[%s] %s\n", zedro::MsgKindName(shown.kind),
                 zedro::text::ToUtf8(shown.text).c_str());
  if (!form.SaveScreenshot(out)) {
    std::fprintf(stderr, "Das Bild '%s' kann nicht geschrieben werden.\n",
                 zedro::text::ToUtf8(out).c_str());
    return 1;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  ZedroApplication app(argc, argv);
  QApplication::setApplicationName(zedro::kApplicationTitle);
  // Without the translation Qt's standard dialogs stay partly English; the program runs.
  zedro::InstallGermanQtTranslation();
  DialogLog dialogLog(qEnvironmentVariable("ZEDRO_DIALOG_LOG"));
  if (qEnvironmentVariableIsSet("ZEDRO_DIALOG_LOG")) app.installEventFilter(&dialogLog);

  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) args.push_back(zedro::text::FromUtf8(argv[i]));
  if (!args.empty() && args[0] == "--screenshot") {
    if (args.size() < 2) {
      std::fprintf(stderr, "Aufruf: zedro --screenshot BILD.png [DIAGRAMM.urd]\n");
      return 2;
    }
    return Screenshot(args[1], std::vector<std::string>(args.begin() + 2, args.end()));
  }

  zedro::QtDialogService dialogs;
  zedro::TMainForm form(dialogs, args);
  new zedro::TDesktopFeatures(form);  // recent files, drops, help; owned by the frame
  dialogs.SetParentWindow(&form);
  dialogs.onStatus = [&form](const std::string& text) {
    if (zedro::TFChild* child = form.ActiveChild()) child->SetStatus(text);
  };
  app.onOutOfMemory = [&dialogs] {
    dialogs.Message(zedro::MsgKind::Error,
                    zedro::W("Nicht genug Arbeitsspeicher: Der letzte Befehl wurde abgebrochen.\n\n"
                             "Speichern Sie Ihre Diagramme, bevor Sie weiterarbeiten."),
                    zedro::MsgButtons::Ok);
  };
  // Changed diagrams are kept in the user's data folder every two minutes (the start
  // check of the tests shortens that), and autosaves a crash left behind are offered.
  form.Autosave().Start(qEnvironmentVariableIsSet("ZEDRO_AUTOSAVE_MS")
                            ? std::max(200, qEnvironmentVariableIntValue("ZEDRO_AUTOSAVE_MS"))
                            : zedro::TAutosave::kDefaultIntervalMs);
  form.OfferRecoveryAtStart();
  form.show();
  // The program starts as the active window, so that its keys work at once (also where
  // no window manager activates new windows).
  form.activateWindow();
  // An unattended run (the start check under a virtual display) ends the program after a
  // while the way a user would: closing the main window and answering its questions.
  QTimer quit;
  if (qEnvironmentVariableIsSet("ZEDRO_QUIT_AFTER_MS")) {
    QObject::connect(&quit, &QTimer::timeout, &form, [&form, &quit] {
      quit.setInterval(200);
      QWidget* modal = QApplication::activeModalWidget();
      auto* box = qobject_cast<QMessageBox*>(modal);
      if (!box) {
        // Any other dialog is cancelled first, the way its close box would.
        if (auto* dialog = qobject_cast<QDialog*>(modal))
          dialog->reject();
        else
          form.close();
        return;
      }
      // "Save the changed diagram?" is answered No, "Close the diagram?" Yes.
      QAbstractButton* answer = box->button(QMessageBox::Cancel) ? box->button(QMessageBox::No)
                                                                 : box->button(QMessageBox::Yes);
      if (!answer) answer = box->button(QMessageBox::Ok);
      if (answer)
        answer->click();
      else
        box->reject();
    });
    quit.start(qEnvironmentVariableIntValue("ZEDRO_QUIT_AFTER_MS"));
  }
  return app.exec();
}
