// A diagram (a main diagram or one sub-diagram) as the text of a PlantUML class diagram,
// for wikis, learning platforms and Markdown pages that draw PlantUML:
// - every class box as a class with the members its box shows, in the diagram's notation
//   (Delphi or Java), with the box's visibility symbols and Auftrag/Anfrage marks ("!",
//   "?"); abstract classes and methods, class methods ({static}) and library classes
//   (stereotype "Bibliotheksklasse") as such;
// - object boxes of sub-diagrams as objects with their values;
// - IST as inheritance, HAT as aggregation, KENNT as association, each with its
//   multiplicities and description;
// - Auftrag and Anfrage messages as dashed arrows in their diagram colours, labelled with
//   the message text;
// - free notes as notes, the note of a class tied to its class.
// Texts are escaped so that PlantUML shows them as written (no markup, no end of a note).
#pragma once

#include <string>

namespace zedro {

class DiagramDocument;

// The text in memory form (Windows-1252); lines end with "\n".
std::string PlantUmlText(const DiagramDocument& doc);

}  // namespace zedro
