// The JSON form of diagrams and classes that zedro-cli prints.
#pragma once

#include "cli/Json.h"

namespace zedro {
class DiagramDocument;
class SavePositions;
class TConnection;
class TUMLClass;
class TUMLDrawClass;
struct TFontSpec;
class TFOptions;
}  // namespace zedro

namespace zedro::cli {

void WriteFont(Json& j, const TFontSpec& font);
void WriteOptions(Json& j, const TFOptions& options);
// A class with its members; read and write methods as indices into its Methods.
void WriteClass(Json& j, const TUMLClass& cls);
// A main diagram with all its sub-diagrams.
void WriteDiagram(Json& j, const DiagramDocument& doc, int version);

// The parts of a main diagram, in the order WriteDiagram writes them: the opened object with
// version, language and display settings; the boxes of "DrawClasses"; the connections of
// "Connections"; "InfoBoxes"; "SubDiagrams".
void BeginDiagram(Json& j, const DiagramDocument& doc, int version);
void WriteBox(Json& j, const TUMLDrawClass& box);
void WriteConnection(Json& j, const TConnection& c, SavePositions& positions);
void WriteInfoBoxes(Json& j, const DiagramDocument& doc);
void WriteSubDiagrams(Json& j, const DiagramDocument& doc);

}  // namespace zedro::cli
