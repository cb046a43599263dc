// What the export commands share: which connections a generator sees, the file names and
// unit heading of generated sources, writing them, and the export of all classes.
#pragma once

#include <cstdint>
#include <map>
#include <string>

#include "diagram/ElementLists.h"
#include "model/UMLClass.h"

namespace zedro {

class DiagramDocument;
class IMessages;
class TUMLDrawClass;

// For the Pascal generator: every connection of the main diagram of the window, followed
// by those of each of its sub-diagrams in order. A connection of a sub-diagram that shows
// what an earlier one shows already (the same kind between the same classes) is left out.
TConnectionList PascalConnections(DiagramDocument& window);
// For the Java generator: the connections of the window itself.
TConnectionList JavaConnections(DiagramDocument& window);

// The unit name of a Pascal file: its name without directory and without extension.
std::string UnitNameOfFile(const std::string& path);
// "UNIT " + unit name + ";"
std::string UnitHeading(const std::string& unitName);
// The heading line and an empty line in front of the generated lines.
StringList WithUnitHeading(const StringList& lines, const std::string& unitName);

// "m" + class name + ".pas" (a generic class name without its type parameters)
std::string DefaultPascalFileName(const TUMLClass& cls);
// Class name + ".java": a public Java class must live in a file of its own name.
std::string DefaultJavaFileName(const TUMLClass& cls);
// The file name a box's class is exported under in the language (1 Pascal, 2 Java): its
// SourceFileName without directory when that is set and fits the language, otherwise
// DefaultPascalFileName or DefaultJavaFileName. Empty when no usable file name can be
// formed (a damaged class name).
std::string ExportFileName(const TUMLDrawClass& box, int language);

// The complete unit as saving writes it: heading, empty line, generated lines. The unit
// name follows the box's source file, or "m" + class name when it has none.
StringList PascalUnitText(DiagramDocument& window, TUMLDrawClass& box, IMessages* messages);
// The Java source text of the box's class.
StringList JavaClassText(DiagramDocument& window, const TUMLDrawClass& box);

// The lines as the bytes of a UTF-8 text file, each line ended by a line feed.
std::string SourceFileBytes(const StringList& lines);
// Writes a source file (as UTF-8, atomically). On failure shows "Abspeichern nicht
// möglich. Datei ist wahrscheinlich geöffnet." and returns false; a write-protected file
// is not touched and named in the message.
bool WriteSourceFile(const std::string& path, const StringList& lines, IMessages& messages);

// Sets SourceFileAge of every box of the window that shows the class; from a main diagram
// also in each of its sub-diagrams.
void SetFileAgeForClass(DiagramDocument& window, const TUMLClass* cls, std::int32_t age);
// Records the source file at the path (its name, its directory and its age) in every box
// of the class, in the main diagram of the window and all its sub-diagrams. Sub-diagram
// records keep no file name, so the main diagram's box must carry it, whichever window
// wrote the file.
void SetSourceFileForClass(DiagramDocument& window, const TUMLClass* cls, const std::string& path);

// The files of one export of several classes: each file takes one class only.
class ExportFileClaims {
 public:
  // Claims the file for the class; the class that has it already, or nullptr when the
  // file was free (or is the class's own). Names are compared ignoring letter case, as
  // on the file systems of school computers and memory sticks.
  const TUMLClass* Claim(const std::string& path, const TUMLClass& cls);

 private:
  std::map<std::string, const TUMLClass*> owners_;
};
// "Die Klassen 'A' und 'B' sollen beide in die Datei '…' exportiert werden." and why not.
std::string SharedFileText(const TUMLClass& first, const TUMLClass& second,
                           const std::string& path);
// The closing message of an export of all classes, which says how many were not exported.
std::string ExportAllEndText(int notExported);

// The file name the save dialog of the code viewer proposes: the box's SourceFileName
// when set, otherwise "m" + class name + ".pas" (Pascal, language 1) or class name +
// ".java".
std::string ProposedFileName(const TUMLDrawClass& box, int language);

enum class SaveOutcome { Saved, Declined, Failed };

// Saves the generated text of the box's class from the code viewer to the chosen path. An
// existing file is replaced only after the question "Die Datei '" + path + "' existiert
// schon. Soll sie ersetzt werden" is answered Yes. A Pascal unit (language 1) gets the
// heading with the unit name taken from the path. After writing, the box records the file
// name (without directory) and age, in every box of the class. A failed write shows the
// message of WriteSourceFile and leaves the boxes as they were.
SaveOutcome SaveGeneratedSource(DiagramDocument& window, TUMLDrawClass& box,
                                const std::string& path, const StringList& generated, int language,
                                IMessages& messages);

// Generates the class of the box in the language (1 Pascal with the unit heading named
// after the file, 2 Java), writes it to the path without asking and records the file in
// every box of the class. False after the message of WriteSourceFile when writing failed.
bool ExportClassToFile(DiagramDocument& window, TUMLDrawClass& box,
                       const TConnectionList& connections, const std::string& path, int language,
                       IMessages& messages);

struct ExportAllResult {
  int written = 0;
  int failed = 0;
};

// Writes every class of the main diagram that is not a library class into the directory
// (a path ending with a separator, or empty for the current one), as a Pascal unit
// (language 1) or a Java class (2), overwriting existing files without a question. All
// file names are settled before the first class is generated, so the uses clauses name
// the units of classes written later too. Each box's SourceFileName and SourceFileAge are
// set to the file written; a box whose file could not be written keeps its old name.
// Two classes never go into one file: a class whose file name an earlier class of the
// run already has is skipped with a warning naming both, and counts as failed.
ExportAllResult ExportAllClasses(DiagramDocument& mainDiagram, const std::string& directory,
                                 int language, IMessages& messages);

}  // namespace zedro
