// The documentation of one class as formatted lines (description, ancestors, object
// relationships, attributes and methods with their documentation), and its RTF file.
#pragma once

#include <string>
#include <vector>

#include "codegen/ExportSupport.h"
#include "diagram/Font.h"

namespace zedro {

class IMessages;
class TConnectionList;
class TUMLClass;

// One paragraph of the documentation with the font it is shown in. A rich-text viewer
// shows these lines one by one; the RTF writer turns them into a file.
struct TDocLine {
  std::string Text;  // Windows-1252
  TFontSpec Font;
};

using TDocLines = std::vector<TDocLine>;

// The documentation of a class, using the connections of the window it is shown from.
TDocLines BuildClassDocumentation(const TUMLClass& cls, const TConnectionList& connections);

// "Doku_" + class name + ".rtf"
std::string DocumentationFileName(const TUMLClass& cls);

// The lines as an RTF document (\ansi\ansicpg1252 with font and colour tables). Every
// character of the texts is escaped, so no text can break the file.
std::string WriteRtf(const TDocLines& lines);

// Writes the RTF file atomically. On failure shows "Abspeichern nicht möglich. Datei ist
// wahrscheinlich geöffnet." and returns false.
bool SaveDocumentation(const std::string& path, const TDocLines& lines, IMessages& messages);

// Saving from the documentation viewer: an existing file is replaced only after the
// question "Die Datei '" + path + "' existiert schon !   ...    Soll sie ersetzt werden ?"
// is answered Yes.
SaveOutcome SaveDocumentationAsked(const std::string& path, const TDocLines& lines,
                                   IMessages& messages);

}  // namespace zedro
