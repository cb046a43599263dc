// The JSON form of diagrams and classes that zedro-cli prints.
#pragma once

#include "cli/Json.h"

namespace zedro {
class DiagramDocument;
class TUMLClass;
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

}  // namespace zedro::cli
