// The message sink a diagram window hands to the core.
#pragma once

#include <string>
#include <vector>

#include "editor/DialogService.h"
#include "editor/TFChild.h"

namespace zedro {

// Boxes and choices go through the window's dialog service, status texts into the window's
// own status line.
class WindowMessages : public IMessages {
 public:
  explicit WindowMessages(TFChild& window) : window_(window) {}
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

}  // namespace zedro
