// Bringing a class of a diagram up to date from its source file (without the editor's
// dialogs: questions and the class chooser go through the message interface).
#pragma once

#include <string>

namespace zedro {

class DiagramDocument;
class IMessages;
class TUMLClass;
class TUMLDrawClass;

// Replaces the content of cls by the class of the same name read from a Pascal unit,
// with its method bodies and uses lists. When the unit has no class of that name, the
// user may choose another class of the unit (ChooseFromList) or leave cls as it is.
// True when cls was updated; then the box of cls (the current box of doc when it shows
// cls) records the file name and age, the project directory follows the file and the
// diagram counts as changed.
bool UpdateFromPascalFile(DiagramDocument& doc, TUMLClass& cls, const std::string& path,
                          IMessages& messages);
// The same from a Java source, whose class must carry exactly the name of cls.
bool UpdateFromJavaFile(DiagramDocument& doc, TUMLClass& cls, const std::string& path,
                        IMessages& messages);
// By the diagram's language: Pascal for 1, Java for 2.
bool UpdateFromSourceFile(DiagramDocument& doc, TUMLClass& cls, const std::string& path,
                          IMessages& messages);

}  // namespace zedro
