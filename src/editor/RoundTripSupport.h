// Small helpers of the export, import and update commands of the diagram window.
#pragma once

#include <QPointer>
#include <QTimer>
#include <string>

#include "editor/DialogService.h"
#include "editor/TFChild.h"

namespace zedro {

// The message sink the core gets from a command: boxes through the window's dialog
// service, status texts into the window's own status line.
class RoundTripMessages : public IMessages {
 public:
  explicit RoundTripMessages(TFChild& window) : window_(window) {}
  MsgResult Message(MsgKind kind, const std::string& text, MsgButtons buttons) override {
    return window_.Dialogs().Message(kind, text, buttons);
  }
  int ChooseFromList(const std::string& caption, const std::vector<std::string>& items,
                     const std::string& okCaption, const std::string& cancelCaption) override {
    return window_.Dialogs().ChooseFromList(caption, items, okCaption, cancelCaption);
  }
  void Status(const std::string& text) override { window_.SetStatus(text); }

 private:
  TFChild& window_;
};

// Stops the watch timer of the window's main diagram for its lifetime, so that files being
// written or read are not reported as changed meanwhile; a timer that was running before
// runs again afterwards.
class WatchTimerPause {
 public:
  explicit WatchTimerPause(TFChild& window)
      : timer_(window.MainDiagramWindow().Timer1), running_(timer_ && timer_->isActive()) {
    if (running_) timer_->stop();
  }
  ~WatchTimerPause() {
    if (running_ && timer_) timer_->start();
  }
  WatchTimerPause(const WatchTimerPause&) = delete;
  WatchTimerPause& operator=(const WatchTimerPause&) = delete;

 private:
  QPointer<QTimer> timer_;
  bool running_;
};

// The file dialog filters of the two languages (1 Pascal, 2 Java).
inline TFileRequest SourceFileRequest(int language) {
  TFileRequest request;
  if (language == 2) {
    request.filter = "Java-Quelltext (*.java)|*.java|Alle Dateien (*.*)|*.*";
    request.defaultExt = "java";
  } else {
    request.filter = "Delphi-Units (*.pas)|*.pas|Alle Dateien (*.*)|*.*";
    request.defaultExt = "pas";
  }
  return request;
}

}  // namespace zedro
