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
class TConnection;
class TUMLClass;
class TUMLDrawClass;
class ValueReader;
class ValueWriter;

constexpr int kDiagramVersion = 184;

// Follows the elements of a main diagram while it is read, for batch commands that write
// each element out at once instead of holding the whole diagram first. bytesRead is how far
// the reader has come in the file's bytes.
class ILoadObserver {
 public:
  virtual ~ILoadObserver() = default;
  // The header (version, language, display settings) is read; the counts follow.
  virtual void ElementsAhead(DiagramDocument&, int /*boxes*/, int /*connections*/,
                             int /*infoBoxes*/) {}
  // A box with its class is read and in the diagram; its members are still in file order.
  virtual void BoxRead(TUMLDrawClass&, size_t /*bytesRead*/) {}
  // A connection is read. False: it was used up and is left out of the diagram.
  virtual bool ConnectionRead(TConnection&, size_t /*bytesRead*/) { return true; }
};

struct LoadOptions {
  // The application-wide language; a file naming another language switches the diagram.
  int languageOfMainWindow = 1;
  // Called with the diagram's new language when the file names another one. Without it
  // the diagram's Language and the active notation are set directly.
  std::function<void(int language)> switchLanguage;
  // Called for every sub-diagram read, right after it was created.
  std::function<void(DiagramDocument& sub)> subDiagramCreated;
  // Sees the boxes and connections of the main diagram as they are read.
  ILoadObserver* observer = nullptr;
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
LoadResult LoadDiagramFile(DiagramDocument& doc, const std::string& path, IMessages& messages,
                           const LoadOptions& options = {});
// The same for batch commands: the file is mapped instead of read, and the pages the reader
// has passed are let go while it reads, so that with an observer that writes the elements
// out, neither the file nor the whole diagram is held in memory at once.
LoadResult StreamDiagramFile(DiagramDocument& doc, const std::string& path, IMessages& messages,
                             const LoadOptions& options = {});

// The bytes of the whole file in the current version. They are written into the storage
// of the given buffer when it has one (its content is dropped).
std::string DiagramToBytes(const DiagramDocument& doc, std::string buffer = {});
// The parts of those bytes: the header with the element counts; the records after the
// boxes (connections, notes and, for a main diagram, the sub-diagrams).
void WriteDiagramHeader(ValueWriter& writer, const DiagramDocument& doc, int boxes,
                        int connections, int infoBoxes);
void WriteRecordsAfterBoxes(ValueWriter& writer, const DiagramDocument& doc);
// WriteDiagramFile: announces the path, sets FileName, writes the file safely (an existing
// file is replaced only by a complete new one) and marks the diagram saved. False, after
// an error box, when the file could not be written.
bool WriteDiagramFile(DiagramDocument& doc, const std::string& path, IMessages& messages);

// One sub-diagram record.
void WriteSubDiagram(ValueWriter& writer, const DiagramDocument& sub, const DiagramDocument& main);
DiagramDocument& ReadSubDiagram(DiagramDocument& main, ValueReader& reader, int version,
                                const LoadOptions& options);

// Class files hold exactly one class record, read with file version 184.
std::unique_ptr<TUMLClass> ReadClassFile(const std::string& path, IMessages& messages);
bool WriteClassFile(const TUMLClass& cls, const std::string& path, IMessages& messages);

}  // namespace zedro
