// The attribute values of one object box: one value text per attribute of its class.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "model/UMLClass.h"

namespace zedro {

class TObjectAttribute {
 public:
  explicit TObjectAttribute(TAttribute* attribute) : Attribute(attribute) {}
  std::string Value = "-";
  TAttribute* Attribute;
};

class TObjectAttributeList {
 public:
  // One value "-" per attribute of the list, in list order.
  explicit TObjectAttributeList(TAttributeList* attributes);

  // Follows the given attribute list; values of attributes that are still there survive.
  void Rebuild(TAttributeList* attributes);
  // Drops the values of the attribute and takes it out of the class's attribute list.
  void RemoveAttribute(TAttribute* attribute);

  int Count() const { return static_cast<int>(Items.size()); }
  TObjectAttribute& Item(int i) { return *Items[static_cast<size_t>(i)]; }
  const TObjectAttribute& Item(int i) const { return *Items[static_cast<size_t>(i)]; }
  TAttribute* AttributeAt(int i) const { return Items[static_cast<size_t>(i)]->Attribute; }
  const std::string& ValueAt(int i) const { return Items[static_cast<size_t>(i)]->Value; }

  TAttributeList* AttributeList;
  std::vector<std::unique_ptr<TObjectAttribute>> Items;
};

}  // namespace zedro
