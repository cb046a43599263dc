#include "cli/CliSupport.h"

#include <iostream>

#include "diagram/DiagramDocument.h"
#include "model/Notation.h"
#include "model/Win1252.h"
#include "persistence/DiagramFile.h"

namespace zedro::cli {

MsgResult StderrMessages::Message(MsgKind kind, const std::string& text, MsgButtons buttons) {
  std::string line;
  for (char c : text::ToUtf8(text)) {
    if (c == '\n') {
      line += "\\n";
    } else if (c != '\r') {
      line += c;
    }
  }
  std::cerr << "[" << MsgKindName(kind) << "] " << line << "\n";
  if (buttons == MsgButtons::Ok) return MsgResult::Ok;
  if (buttons == MsgButtons::Yes) return MsgResult::Yes;
  return MsgResult::No;
}

int StderrMessages::ChooseFromList(const std::string& caption,
                                   const std::vector<std::string>& items, const std::string&,
                                   const std::string&) {
  std::cerr << "[choice] " << text::ToUtf8(caption) << "\n";
  if (choices.empty()) return -1;
  std::string wanted = choices.front();
  choices.erase(choices.begin());
  for (size_t i = 0; i < items.size(); ++i)
    if (items[i] == wanted) return static_cast<int>(i);
  return -1;
}

std::string Arg(const std::string& utf8) { return text::FromUtf8(utf8); }
std::string Out(const std::string& cp1252) { return text::ToUtf8(cp1252); }

DiagramDocument& DocumentForProcess() {
  // Held through a pointer that is never freed, so that they stay reachable to the end.
  static auto* documents = new std::vector<std::unique_ptr<DiagramDocument>>;
  documents->push_back(std::make_unique<DiagramDocument>());
  return *documents->back();
}

bool LoadDocument(DiagramDocument& doc, const std::string& path, IMessages& messages,
                  int* version, std::string* spentBytes) {
  LoadOptions options;
  options.switchLanguage = [&doc](int language) {
    doc.Language = language;
    ActiveNotation::Set(language);
  };
  ActiveNotation::Set(1);
  LoadResult r = LoadDiagramFile(doc, path, messages, options, spentBytes);
  if (version) *version = r.version;
  ActiveNotation::Set(doc.Language);
  return r.completed;
}

TUMLDrawClass* FindClassBox(DiagramDocument& doc, const std::string& className,
                            IMessages& messages) {
  for (TUMLDrawClass* box : doc.DrawClasses.Items)
    if (box->UMLClass && box->UMLClass->Name == className) return box;
  messages.Message(MsgKind::Error, "Die Klasse '" + className + "' ist nicht im Diagramm.");
  return nullptr;
}

int Usage(const std::string& text) {
  std::cerr << "usage: " << text << "\n";
  return kExitUsage;
}

}  // namespace zedro::cli
