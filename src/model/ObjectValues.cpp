#include "model/ObjectValues.h"

#include <algorithm>
#include <unordered_map>

namespace zedro {

TObjectAttributeList::TObjectAttributeList(TAttributeList* attributes) : AttributeList(attributes) {
  if (attributes)
    for (TAttribute* a : attributes->Items) Items.push_back(std::make_unique<TObjectAttribute>(a));
}

void TObjectAttributeList::Rebuild(TAttributeList* attributes) {
  std::vector<std::unique_ptr<TObjectAttribute>> kept = std::move(Items);
  Items.clear();
  AttributeList = attributes;
  if (!attributes) return;
  // The value of each attribute; of several entries for one attribute the last one.
  std::unordered_map<const TAttribute*, const std::string*> values;
  for (const auto& old : kept) values[old->Attribute] = &old->Value;
  Items.reserve(attributes->Items.size());
  for (TAttribute* a : attributes->Items) {
    auto entry = std::make_unique<TObjectAttribute>(a);
    auto it = values.find(a);
    if (it != values.end()) entry->Value = *it->second;
    Items.push_back(std::move(entry));
  }
}

void TObjectAttributeList::RemoveAttribute(TAttribute* attribute) {
  Items.erase(std::remove_if(Items.begin(), Items.end(),
                             [&](const auto& e) { return e->Attribute == attribute; }),
              Items.end());
  if (AttributeList) AttributeList->Remove(attribute);
}

}  // namespace zedro
