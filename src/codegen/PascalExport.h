// The Pascal unit generator: one class of the model as the text of a Delphi unit.
#pragma once

#include <string>
#include <unordered_map>

#include "model/UMLClass.h"

namespace zedro {

class IMessages;
class TConnectionList;
class TDrawClassList;
class TUMLDrawClass;

// Creates the text of one unit, without its "UNIT name;" heading (the export adds that
// when it saves the file). Create one generator per class and discard it afterwards.
//
// Generating inserts the unit names of related classes into the class's two uses lists;
// apart from that the model is only read.
class TPascalExport {
 public:
  // The connections of the main diagram followed by those of every sub-diagram. Messages
  // (the warning about a final method that overrides) go to the given sink, if any.
  // Boxes of sub-diagrams record no source file; with the main diagram's boxes given, the
  // unit of such a box is that of the main diagram's box of the same class.
  explicit TPascalExport(const TConnectionList& connections, IMessages* messages = nullptr,
                         const TDrawClassList* mainBoxes = nullptr);

  // Appends the unit text for the class to Lines and returns them.
  const StringList& Generate(TUMLClass& umlClass);

  const TConnectionList& Connections;
  TUMLClass* UMLClass = nullptr;
  StringList Lines;
  // "//uses mTName ??" placeholders for related classes that have no source file yet.
  StringList UnresolvedInterfaceUnits;
  StringList UnresolvedImplementationUnits;

 private:
  void CollectUnitReferences();
  void WriteInterfaceUses();
  void WriteImplementationUses();
  // Emits the uses clause of U; returns the index at which the lines after it begin.
  size_t WriteUsesClause(const StringList& uses);
  void WriteClassDeclaration();
  void WriteRelationshipFields();
  // "procedure TKlasse.Name (parameters);" and the like, as a method definition begins;
  // without a class name as in the declaration.
  std::string MethodHeading(const TMethod& method, const std::string& className) const;
  // The heading inside the class declaration, with its directives.
  void WriteMethodDeclaration(const TMethod& method);
  void WriteMethodImplementations();

  // The method of the nearest ancestor with the same signature (letter case ignored);
  // private methods of ancestors do not count, their units keep them to themselves.
  const TMethod* InheritedMethod(const TMethod& method);
  std::string UnitOf(const TUMLDrawClass& box) const;

  IMessages* messages_;
  const TDrawClassList* mainBoxes_;
  // Per ancestor: lower-cased signature -> the last method with it. Built on first use,
  // so that big hierarchies are not searched again for every method.
  std::unordered_map<const TUMLClass*, std::unordered_map<std::string, const TMethod*>> signatures_;
  // Lower-cased method names of the class and how often each occurs.
  std::unordered_map<std::string, int> nameCounts_;
};

// The unit of a box: its source file name without directory and extension; empty when
// the box has no source file.
std::string UnitOfBox(const TUMLDrawClass& box);

}  // namespace zedro
