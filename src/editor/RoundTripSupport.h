// Small helpers of the export, import and update commands of the diagram window.
#pragma once

#include <QPointer>
#include <QTimer>
#include <string>

#include "editor/TFChild.h"
#include "editor/WindowMessages.h"

namespace zedro {

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
