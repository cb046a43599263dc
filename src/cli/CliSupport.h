// What every zedro-cli command shares: the message sink that prints to stderr, argument
// conversion and loading a diagram.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "model/Messages.h"

namespace zedro {
class ILoadObserver;
class DiagramDocument;
class TUMLDrawClass;
}

namespace zedro::cli {

constexpr int kExitOk = 0;
constexpr int kExitStopped = 1;  // a load stopped early, or the command failed
constexpr int kExitUsage = 2;

// Prints every message box as "[kind] TEXT" (line breaks as \n) to stderr and answers
// questions with No; list choices are cancelled. Status texts are not printed.
class StderrMessages : public IMessages {
 public:
  MsgResult Message(MsgKind kind, const std::string& text,
                    MsgButtons buttons = MsgButtons::Ok) override;
  int ChooseFromList(const std::string& caption, const std::vector<std::string>& items,
                     const std::string& okCaption, const std::string& cancelCaption) override;
  // Answers of ChooseFromList by entry name (for example --choose), in order.
  std::vector<std::string> choices;
};

// A command-line argument (UTF-8) as in-memory text, and back.
std::string Arg(const std::string& utf8);
std::string Out(const std::string& cp1252);

// A new, empty diagram that lives until the process ends. A command ends the process
// right after its work, and the system takes the memory back at once, where taking a
// large diagram apart piece by piece would cost a good part of the time of reading it.
DiagramDocument& DocumentForProcess();

// Loads a diagram file; returns false when the load stopped early. With an observer, the
// file is streamed (StreamDiagramFile) and the observer sees each element as it is read.
bool LoadDocument(DiagramDocument& doc, const std::string& path, IMessages& messages,
                  int* version = nullptr, ILoadObserver* observer = nullptr);
// The diagram a command shows: the main diagram for 0, sub-diagram n (from 1) otherwise;
// nullptr with a message when there is no such sub-diagram.
DiagramDocument* ChosenDiagram(DiagramDocument& doc, int sub, IMessages& messages);

// The box of the main diagram whose class has that name (exact), or nullptr with a message.
TUMLDrawClass* FindClassBox(DiagramDocument& doc, const std::string& className,
                                  IMessages& messages);

int Usage(const std::string& text);

}  // namespace zedro::cli
