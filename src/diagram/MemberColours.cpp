#include "diagram/MemberColours.h"

#include "diagram/Connection.h"
#include "diagram/ElementLists.h"

namespace zedro {
namespace {

bool ColoursAttributesOf(const TConnection* c, const TUMLClass* cls) {
  return !c->Attributes.Items.empty() && c->StartBox && c->StartBox->UMLClass == cls;
}

bool ColoursMethodOf(const TConnection* c, const TUMLClass* cls) {
  return c->Method && c->EndBox && c->EndBox->UMLClass == cls;
}

}  // namespace

MemberColourIndex::MemberColourIndex(const TConnectionList& connections) : list_(connections) {
  for (const TConnection* c : connections.Items) {
    const TUMLClass* start = c->StartBox ? c->StartBox->UMLClass : nullptr;
    const TUMLClass* end = c->EndBox ? c->EndBox->UMLClass : nullptr;
    if (start && ColoursAttributesOf(c, start)) byClass_[start].push_back(c);
    if (end && ColoursMethodOf(c, end) && !(end == start && ColoursAttributesOf(c, start)))
      byClass_[end].push_back(c);
  }
}

const std::vector<const TConnection*>* MemberColourIndex::For(const TUMLClass* cls) const {
  auto it = byClass_.find(cls);
  return it == byClass_.end() ? nullptr : &it->second;
}

MemberColours::MemberColours(const TConnectionList* connections, const TUMLClass* cls,
                             const MemberColourIndex* index)
    : all_(connections) {
  if (!connections) return;
  if (index && &index->List() == connections) {
    indexed_ = index->For(cls);
    return;
  }
  for (const TConnection* c : connections->Items) {
    if (!ColoursAttributesOf(c, cls) && !ColoursMethodOf(c, cls)) continue;
    if (count_ == kMax) {
      overflow_ = true;
      return;
    }
    found_[count_++] = c;
  }
}

template <class F>
void MemberColours::Each(F f) const {
  if (indexed_) {
    for (const TConnection* c : *indexed_) f(c);
  } else if (overflow_) {
    for (const TConnection* c : all_->Items) f(c);
  } else {
    for (int i = 0; i < count_; ++i) f(found_[i]);
  }
}

TColor MemberColours::ForAttribute(const TAttribute* a, TColor colour) const {
  Each([&](const TConnection* c) {
    if (c->Attributes.Contains(a)) colour = c->Color;
  });
  return colour;
}

TColor MemberColours::ForMethod(const TMethod* m, TColor colour) const {
  Each([&](const TConnection* c) {
    if (c->Method == m) colour = c->Color;
  });
  return colour;
}

bool MemberColours::Calls(const TMethod* m) const {
  bool found = false;
  Each([&](const TConnection* c) { found = found || c->Method == m; });
  return found;
}

}  // namespace zedro
