// Reading a whole folder of sources into a main diagram in one step: every class of every
// Pascal unit (*.pas, *.pp) or Java source (*.java) of the folder becomes a box with its
// members and method bodies; the classes are connected and the new boxes laid out.
//
// Connections between the classes read (and the classes the diagram had before):
// - IST from a class to its ancestor, when the ancestor is among them (letter case
//   ignored);
// - for attributes whose type is another of these classes (also "array of T", "T[]" and
//   "List<T>"): KENNT when the attribute's name begins with "kennt", HAT when it begins
//   with "hat" (the names the editor proposes); otherwise HAT when a method of the class
//   creates an object of that type ("T.Create" in Pascal, "new T" in Java): whoever
//   creates the part owns it; else KENNT. The attributes of one class that lead to the
//   same class with the same kind share one connection, whose multiplicity counts them
//   ("*" for arrays and lists). An attribute of a class's own type gets no connection.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "layout/GraphLayout.h"

namespace zedro {

class DiagramDocument;
class IMessages;
class TUMLDrawClass;

// How the new boxes get their places (usually layout::LayOutGraph). False when it
// could not; the boxes are then put into plain rows.
using GraphLayoutFunction = std::function<bool(
    const std::vector<layout::Node>&, const std::vector<layout::Edge>&,
    std::vector<layout::Position>&, std::string& error)>;

// More classes than this are not read from one folder: a picture of more would be
// neither readable nor fit the drawing surface.
constexpr int kMaxFolderClasses = 300;

struct FolderImportResult {
  bool readable = true;  // false when the folder could not be listed
  bool truncated = false;  // the folder held more than kMaxFolderClasses classes
  int language = 1;        // 1 units were read, 2 Java sources
  int files = 0;         // source files read
  std::vector<TUMLDrawClass*> boxes;  // the new boxes, in file order
  int inheritance = 0;                // new connections by kind
  int aggregations = 0;
  int associations = 0;
  // Classes left out because the diagram or an earlier file already had the name.
  std::vector<std::string> skipped;
  // What the parsers reported while reading, each prefixed with the file name.
  std::vector<std::string> notes;
  // False when there was no layout or it failed (its message in layoutError): the
  // boxes then stand in plain rows.
  bool laidOut = false;
  std::string layoutError;
  // The lower right corner of the new boxes, in surface pixels.
  int right = 0;
  int bottom = 0;
};

// The source files of a folder for a language (1 Pascal, 2 Java), sorted by name
// (letter case ignored); subfolders are not read.
std::vector<std::string> FolderSourceFiles(const std::string& dir, int language, bool* readable = nullptr);
// 2 when the folder holds Java sources and no Pascal units, otherwise 1.
int FolderLanguage(const std::string& dir);

// Reads the folder into the main diagram doc. The boxes are measured on the document's
// canvas (with fixed text metrics when it has none) and placed below the boxes the
// diagram already has. Questions of the parsers are answered No; their messages are
// collected in the result instead of being shown. Nothing else is shown; status texts
// go to messages. The project directory is left to the caller.
FolderImportResult ImportClassFolder(DiagramDocument& doc, const std::string& dir, int language,
                                     const GraphLayoutFunction& layout, IMessages& messages);

// A summary of the result in German, for a message box or the command line: the counts
// and at most notesShown of the notes.
std::string FolderImportSummary(const FolderImportResult& result, const std::string& dir,
                                size_t notesShown = 8);

}  // namespace zedro
