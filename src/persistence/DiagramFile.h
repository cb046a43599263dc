// Reading and writing whole diagram files (a main diagram with all its sub-diagrams) and
// class files.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace zedro {

class DiagramDocument;
class IMessages;
class TUMLClass;
class ValueReader;
class ValueWriter;

constexpr int kDiagramVersion = 184;

struct LoadOptions {
  // The application-wide language; a file naming another language switches the diagram.
  int languageOfMainWindow = 1;
  // Called with the diagram's new language when the file names another one. Without it
  // the diagram's Language and the active notation are set directly.
  std::function<void(int language)> switchLanguage;
  // Called for every sub-diagram read, right after it was created.
  std::function<void(DiagramDocument& sub)> subDiagramCreated;
};

struct LoadResult {
  bool completed = false;  // false when the load stopped early
  int version = 0;         // the version stored in the file
};

// Fills a new, empty main diagram from the file's bytes (loaddiagramm). Messages go to the
// sink; on a malformed file the load stops with the stream's message and what was read
// so far stays in the diagram.
LoadResult ReadDiagram(DiagramDocument& doc, std::string_view bytes, const std::string& path,
                       IMessages& messages, const LoadOptions& options = {});
// With spentBytes, the storage of the file's bytes is handed back after the load, for a
// save that follows (WriteDiagramFile) to write into.
LoadResult LoadDiagramFile(DiagramDocument& doc, const std::string& path, IMessages& messages,
                           const LoadOptions& options = {}, std::string* spentBytes = nullptr);

// The bytes of the whole file in the current version. They are written into the storage
// of the given buffer when it has one (its content is dropped).
std::string DiagramToBytes(const DiagramDocument& doc, std::string buffer = {});
// WriteDiagramFile: announces the path, sets FileName, writes the file safely (an existing
// file is replaced only by a complete new one) and marks the diagram saved. False, after
// an error box, when the file could not be written.
bool WriteDiagramFile(DiagramDocument& doc, const std::string& path, IMessages& messages,
                      std::string buffer = {});

// One sub-diagram record.
void WriteSubDiagram(ValueWriter& writer, const DiagramDocument& sub, const DiagramDocument& main);
DiagramDocument& ReadSubDiagram(DiagramDocument& main, ValueReader& reader, int version,
                                const LoadOptions& options);

// Class files hold exactly one class record, read with file version 184.
std::unique_ptr<TUMLClass> ReadClassFile(const std::string& path, IMessages& messages);
bool WriteClassFile(const TUMLClass& cls, const std::string& path, IMessages& messages);

}  // namespace zedro
