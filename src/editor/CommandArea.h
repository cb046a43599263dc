// What every command area of a diagram window starts from: the window it belongs to, with
// the window's document, frame and dialog service. The areas (relationships, messages,
// elements and notes, sub-diagrams, class transfer, round trip, pictures) hold the
// commands; the window holds the state they share and runs them (TFChild::RunCommand).
#pragma once

#include "editor/TFChild.h"

namespace zedro {

class CommandArea {
 public:
  explicit CommandArea(TFChild& window) : window_(window) {}
  CommandArea(const CommandArea&) = delete;
  CommandArea& operator=(const CommandArea&) = delete;

 protected:
  ~CommandArea() = default;
  TFChild& Window() const { return window_; }
  DiagramDocument& Doc() const { return window_.Doc(); }
  TMainForm& MainForm() const { return window_.MainForm(); }
  IDialogService& Dialogs() const { return window_.Dialogs(); }

 private:
  TFChild& window_;
};

}  // namespace zedro
