#include "cli/CliSupport.h"

#include <malloc.h>
#include <sys/mman.h>
#include <sys/stat.h>

#include <cstdint>
#include <cstdlib>
#include <iostream>
#include <limits>

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

namespace {

// A large diagram is many small objects; made one after the other, they make the heap grow
// page by page, and on a virtual machine these first touches of fresh pages cost about
// half of loading. So before a large file is read, the heap is grown once to the size
// the diagram will need, and marked for huge pages where the system offers them (a
// hint; without them nothing changes). The process ends after its command: the heap is
// neither handed back in between nor split into mappings of their own for large blocks.
void PrepareHeapFor(const std::string& path) {
#ifdef __GLIBC__
  struct stat st {};
  if (::stat(Out(path).c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return;
  constexpr std::uint64_t kLarge = 4u << 20;
  const auto fileBytes = static_cast<std::uint64_t>(st.st_size);
  if (fileBytes < kLarge) return;
  // The file's bytes, and the diagram made of them: about five times as many.
  const std::uint64_t heapBytes = 6 * fileBytes + (16u << 20);
  if (heapBytes > SIZE_MAX / 2) return;
  ::mallopt(M_MMAP_MAX, 0);
  ::mallopt(M_TRIM_THRESHOLD, std::numeric_limits<int>::max());
  void* block = std::malloc(static_cast<size_t>(heapBytes));
  if (!block) return;
  constexpr std::uintptr_t kHuge = 2u << 20;
  const auto start = (reinterpret_cast<std::uintptr_t>(block) + kHuge - 1) & ~(kHuge - 1);
  const auto end = (reinterpret_cast<std::uintptr_t>(block) + heapBytes) & ~(kHuge - 1);
  if (end > start) ::madvise(reinterpret_cast<void*>(start), end - start, MADV_HUGEPAGE);
  std::free(block);
#else
  (void)path;
#endif
}

}  // namespace

bool LoadDocument(DiagramDocument& doc, const std::string& path, IMessages& messages, int* version,
                  ILoadObserver* observer) {
  LoadOptions options;
  options.switchLanguage = [&doc](int language) {
    doc.Language = language;
    ActiveNotation::Set(language);
  };
  ActiveNotation::Set(1);
  PrepareHeapFor(path);
  options.observer = observer;
  LoadResult r = observer ? StreamDiagramFile(doc, path, messages, options)
                          : LoadDiagramFile(doc, path, messages, options);
  if (version) *version = r.version;
  ActiveNotation::Set(doc.Language);
  return r.completed;
}

DiagramDocument* ChosenDiagram(DiagramDocument& doc, int sub, IMessages& messages) {
  if (sub <= 0) return &doc;
  if (sub > static_cast<int>(doc.SubDiagrams.size())) {
    messages.Message(MsgKind::Error,
                     "Das Diagramm hat kein Teildiagramm " + text::IntToStr(sub) + ".",
                     MsgButtons::Ok);
    return nullptr;
  }
  return doc.SubDiagrams[static_cast<size_t>(sub - 1)].get();
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
