#include "model/ObjectValues.h"

#include <algorithm>

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
  for (TAttribute* a : attributes->Items) {
    auto entry = std::make_unique<TObjectAttribute>(a);
    for (const auto& old : kept)
      if (old->Attribute == a) entry->Value = old->Value;
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
