// The ordered, non-owning element lists of a diagram: paint order, stored order and the
// positions by which connections refer to boxes in files.
#pragma once

#include <cstddef>
#include <vector>

namespace zedro {

class IMessages;
class TAttribute;
class TConnection;
class TInfoBox;
class TUMLClass;
class TUMLDrawClass;

class TDrawClassList {
 public:
  void Add(TUMLDrawClass* box) { Items.push_back(box); }
  void Remove(const TUMLDrawClass* box);
  void Clear() { Items.clear(); }
  int Count() const { return static_cast<int>(Items.size()); }
  // Outside the range: "Index: i ausserhalb des Bereichs einer DrawClass-Liste", none.
  TUMLDrawClass* Get(int index, IMessages* messages) const;
  TUMLDrawClass* At(int index) const { return Items[static_cast<std::size_t>(index)]; }
  int IndexOf(const TUMLDrawClass* box) const;
  bool Contains(const TUMLDrawClass* box) const { return IndexOf(box) >= 0; }
  // The position of the last box that shows the class, -1 if none.
  int IndexOfClass(const TUMLClass* cls) const;

  std::vector<TUMLDrawClass*> Items;
};

class TConnectionList {
 public:
  void Add(TConnection* c) { Items.push_back(c); }
  void AddAll(const TConnectionList& other);
  void Remove(const TConnection* c);
  void Clear() { Items.clear(); }
  int Count() const { return static_cast<int>(Items.size()); }
  // Outside the range: "Index: i ausserhalb des Bereichs einer Connection-Liste", none.
  TConnection* Get(int index, IMessages* messages) const;
  TConnection* At(int index) const { return Items[static_cast<std::size_t>(index)]; }
  int IndexOf(const TConnection* c) const;
  void RemoveAttributeEverywhere(const TAttribute* attribute);

  std::vector<TConnection*> Items;
};

class TInfoBoxList {
 public:
  void Add(TInfoBox* box) { Items.push_back(box); }
  void Remove(const TInfoBox* box);
  void Clear() { Items.clear(); }
  int Count() const { return static_cast<int>(Items.size()); }
  // Outside the range: "Index ausserhalb des Bereichs einer InfoBox-Liste", none.
  TInfoBox* Get(int index, IMessages* messages) const;
  TInfoBox* At(int index) const { return Items[static_cast<std::size_t>(index)]; }
  int IndexOf(const TInfoBox* box) const;

  std::vector<TInfoBox*> Items;
};

}  // namespace zedro
