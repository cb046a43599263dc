// The Java class generator: one class of the model as the text of a Java source file.
#pragma once

#include "model/UMLClass.h"

namespace zedro {

class TConnectionList;

// Creates the text of one Java source file. Unlike the Pascal generator it changes
// nothing in the model. Create one generator per class and discard it afterwards.
class TJavaExport {
 public:
  // The connections of the diagram window the class is exported from.
  explicit TJavaExport(const TConnectionList& connections);

  // Appends the source text for the class to Lines and returns them.
  const StringList& Generate(const TUMLClass& umlClass);

  const TConnectionList& Connections;
  const TUMLClass* UMLClass = nullptr;
  StringList Lines;

 private:
  void WriteAttributes();
  void WriteMethods();
  std::string Heading(const TMethod& m) const;
};

}  // namespace zedro
