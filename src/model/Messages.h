// The one interface through which core code shows message boxes, asks questions and
// reports progress. The editor implements it with real dialogs; tests and zedro-cli use
// ScriptedMessages, which answers from a script and records what was shown.
#pragma once

#include <deque>
#include <string>
#include <vector>

namespace zedro {

enum class MsgKind { Plain, Information, Warning, Error, Confirmation };
enum class MsgButtons { Ok, Yes, YesNo, YesNoCancel };
enum class MsgResult { Ok, Yes, No, Cancel };

class IMessages {
 public:
  virtual ~IMessages() = default;
  // A modal message box; returns the button pressed.
  virtual MsgResult Message(MsgKind kind, const std::string& text,
                            MsgButtons buttons = MsgButtons::Ok) = 0;
  // A modal list choice (for example the class chooser of an update). Returns the index
  // of the chosen entry, or -1 when the second (cancel) button was used.
  virtual int ChooseFromList(const std::string& caption, const std::vector<std::string>& items,
                             const std::string& okCaption, const std::string& cancelCaption) = 0;
  // The status line of the active diagram window.
  virtual void Status(const std::string& text) { (void)text; }
};

// Name of a message kind as zedro-cli prints it: information, warning, error, confirmation.
const char* MsgKindName(MsgKind kind);

// Scripted answers for tests and batch use. Questions are answered from the queue of
// answers in order; when it is empty, Yes/No questions get DefaultAnswer and Ok boxes Ok.
class ScriptedMessages : public IMessages {
 public:
  struct Shown {
    MsgKind kind;
    std::string text;
    MsgButtons buttons;
  };
  struct Chooser {
    std::string caption;
    std::vector<std::string> items;
    std::string okCaption;
    std::string cancelCaption;
  };

  MsgResult Message(MsgKind kind, const std::string& text,
                    MsgButtons buttons = MsgButtons::Ok) override;
  int ChooseFromList(const std::string& caption, const std::vector<std::string>& items,
                     const std::string& okCaption, const std::string& cancelCaption) override;
  void Status(const std::string& text) override { statusTexts.push_back(text); }

  // Texts of all shown boxes, in order.
  std::vector<std::string> Texts() const;
  bool Contains(const std::string& text) const;

  std::vector<Shown> shown;
  std::vector<Chooser> choosers;
  std::vector<std::string> statusTexts;
  std::deque<MsgResult> answers;
  std::deque<int> choices;  // answers of ChooseFromList; -1 when empty
  MsgResult defaultAnswer = MsgResult::No;
};

}  // namespace zedro
