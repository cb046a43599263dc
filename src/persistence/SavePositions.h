// The positions by which records refer to each other, looked up once for a whole save:
// boxes in the diagram's box list, attributes (first position) and methods (last position)
// in their class's sorted lists. A reference that is not in its list is -1.
#pragma once

#include <unordered_map>

namespace zedro {

class TAttribute;
class TDrawClassList;
class TMethod;
class TUMLClass;
class TUMLDrawClass;

class SavePositions {
 public:
  SavePositions() = default;
  explicit SavePositions(const TDrawClassList& boxes);

  int Box(const TUMLDrawClass* box) const;
  int AttributeIn(const TUMLClass& cls, const TAttribute* attribute);
  int MethodIn(const TUMLClass& cls, const TMethod* method);

 private:
  std::unordered_map<const TUMLDrawClass*, int> boxes_;
  // Tables of the classes with long member lists, made on first use.
  std::unordered_map<const TUMLClass*, std::unordered_map<const TAttribute*, int>> attributes_;
  std::unordered_map<const TUMLClass*, std::unordered_map<const TMethod*, int>> methods_;
};

}  // namespace zedro
