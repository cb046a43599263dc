#include "diagram/ElementLists.h"

#include <algorithm>

#include "diagram/ClassBox.h"
#include "diagram/Connection.h"
#include "model/Messages.h"
#include "model/Win1252.h"

namespace zedro {
namespace {

template <class T>
void RemoveFrom(std::vector<T*>& items, const T* x) {
  auto it = std::find(items.begin(), items.end(), x);
  if (it != items.end()) items.erase(it);
}

template <class T>
int PositionIn(const std::vector<T*>& items, const T* x) {
  auto it = std::find(items.begin(), items.end(), x);
  return it == items.end() ? -1 : static_cast<int>(it - items.begin());
}

}  // namespace

void TDrawClassList::Remove(const TUMLDrawClass* box) { RemoveFrom(Items, box); }
int TDrawClassList::IndexOf(const TUMLDrawClass* box) const { return PositionIn(Items, box); }

TUMLDrawClass* TDrawClassList::Get(int index, IMessages* messages) const {
  if (index < 0 || index >= Count()) {
    if (messages)
      messages->Message(MsgKind::Plain, "Index: " + text::IntToStr(index) +
                                            " ausserhalb des Bereichs einer DrawClass-Liste");
    return nullptr;
  }
  return At(index);
}

int TDrawClassList::IndexOfClass(const TUMLClass* cls) const {
  for (int i = Count() - 1; i >= 0; --i)
    if (At(i)->UMLClass == cls) return i;
  return -1;
}

void TConnectionList::AddAll(const TConnectionList& other) {
  Items.insert(Items.end(), other.Items.begin(), other.Items.end());
}
void TConnectionList::Remove(const TConnection* c) { RemoveFrom(Items, c); }
int TConnectionList::IndexOf(const TConnection* c) const { return PositionIn(Items, c); }

TConnection* TConnectionList::Get(int index, IMessages* messages) const {
  if (index < 0 || index >= Count()) {
    if (messages)
      messages->Message(MsgKind::Plain, "Index: " + text::IntToStr(index) +
                                            " ausserhalb des Bereichs einer Connection-Liste");
    return nullptr;
  }
  return At(index);
}

void TConnectionList::RemoveAttributeEverywhere(const TAttribute* attribute) {
  // A connection read from a file may list an attribute more than once.
  for (TConnection* c : Items) {
    auto& refs = c->Attributes.Items;
    refs.erase(std::remove(refs.begin(), refs.end(), attribute), refs.end());
  }
}

void TInfoBoxList::Remove(const TInfoBox* box) { RemoveFrom(Items, box); }
int TInfoBoxList::IndexOf(const TInfoBox* box) const { return PositionIn(Items, box); }

TInfoBox* TInfoBoxList::Get(int index, IMessages* messages) const {
  if (index < 0 || index >= Count()) {
    if (messages)
      messages->Message(MsgKind::Plain, "Index ausserhalb des Bereichs einer InfoBox-Liste");
    return nullptr;
  }
  return At(index);
}

}  // namespace zedro
