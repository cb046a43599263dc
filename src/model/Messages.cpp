#include "model/Messages.h"

#include <algorithm>

namespace zedro {

const char* MsgKindName(MsgKind kind) {
  switch (kind) {
    case MsgKind::Warning:
      return "warning";
    case MsgKind::Error:
      return "error";
    case MsgKind::Confirmation:
      return "confirmation";
    case MsgKind::Plain:
    case MsgKind::Information:
      break;
  }
  return "information";
}

MsgResult ScriptedMessages::Message(MsgKind kind, const std::string& text, MsgButtons buttons) {
  shown.push_back({kind, text, buttons});
  if (buttons == MsgButtons::Ok) return MsgResult::Ok;
  if (buttons == MsgButtons::Yes) return MsgResult::Yes;
  MsgResult r = defaultAnswer;
  if (!answers.empty()) {
    r = answers.front();
    answers.pop_front();
  }
  if (buttons == MsgButtons::YesNo && r == MsgResult::Cancel) r = MsgResult::No;
  return r;
}

int ScriptedMessages::ChooseFromList(const std::string& caption,
                                     const std::vector<std::string>& items,
                                     const std::string& okCaption,
                                     const std::string& cancelCaption) {
  choosers.push_back({caption, items, okCaption, cancelCaption});
  if (choices.empty()) return -1;
  int c = choices.front();
  choices.pop_front();
  return (c >= 0 && c < static_cast<int>(items.size())) ? c : -1;
}

std::vector<std::string> ScriptedMessages::Texts() const {
  std::vector<std::string> out;
  for (const auto& s : shown) out.push_back(s.text);
  return out;
}

bool ScriptedMessages::Contains(const std::string& text) const {
  return std::any_of(shown.begin(), shown.end(), [&](const Shown& s) { return s.text == text; });
}

}  // namespace zedro
