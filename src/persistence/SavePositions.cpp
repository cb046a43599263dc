#include "persistence/SavePositions.h"

#include "diagram/ElementLists.h"
#include "model/UMLClass.h"

namespace zedro {
namespace {

// Short lists are searched directly; a table pays off only for long ones.
constexpr int kDirectSearchLimit = 32;

}  // namespace

SavePositions::SavePositions(const TDrawClassList& boxes) {
  for (int i = boxes.Count() - 1; i >= 0; --i) boxes_[boxes.At(i)] = i;
}

int SavePositions::Box(const TUMLDrawClass* box) const {
  auto it = boxes_.find(box);
  return it == boxes_.end() ? -1 : it->second;
}

int SavePositions::AttributeIn(const TUMLClass& cls, const TAttribute* attribute) {
  if (cls.Attributes.Count() <= kDirectSearchLimit) return cls.Attributes.IndexOf(attribute);
  auto [table, made] = attributes_.try_emplace(&cls);
  if (made)
    for (int i = cls.Attributes.Count() - 1; i >= 0; --i) table->second[cls.Attributes.At(i)] = i;
  auto it = table->second.find(attribute);
  return it == table->second.end() ? -1 : it->second;
}

int SavePositions::MethodIn(const TUMLClass& cls, const TMethod* method) {
  if (cls.Methods.Count() <= kDirectSearchLimit) return cls.Methods.LastIndexOf(method);
  auto [table, made] = methods_.try_emplace(&cls);
  if (made)
    for (int i = 0; i < cls.Methods.Count(); ++i) table->second[cls.Methods.At(i)] = i;
  auto it = table->second.find(method);
  return it == table->second.end() ? -1 : it->second;
}

}  // namespace zedro
