// Which connections colour the members of a class box: a HAT or KENNT relationship its
// attributes (they belong to its start class), a message the method it calls (of its end
// class). Where several stand for the same member, the last in the list wins.
#pragma once

#include <unordered_map>
#include <vector>

#include "diagram/Font.h"

namespace zedro {

class TAttribute;
class TConnection;
class TConnectionList;
class TMethod;
class TUMLClass;

// The connections of a list grouped by the classes whose members they colour, in list
// order. Made once by the redraw for all boxes; valid while the list and the connections'
// boxes, attributes and methods stay as they are.
class MemberColourIndex {
 public:
  explicit MemberColourIndex(const TConnectionList& connections);
  const TConnectionList& List() const { return list_; }
  // nullptr when no connection colours a member of the class.
  const std::vector<const TConnection*>* For(const TUMLClass* cls) const;

 private:
  const TConnectionList& list_;
  std::unordered_map<const TUMLClass*, std::vector<const TConnection*>> byClass_;
};

// The colouring connections of one box's class, found through the index when there is
// one for the box's list, else by a scan of the list.
class MemberColours {
 public:
  MemberColours(const TConnectionList* connections, const TUMLClass* cls,
                const MemberColourIndex* index);

  // The colour of the last connection whose attribute list holds a; `colour` otherwise.
  TColor ForAttribute(const TAttribute* a, TColor colour) const;
  // The colour of the last message that calls m; `colour` otherwise.
  TColor ForMethod(const TMethod* m, TColor colour) const;
  // Some connection calls the method.
  bool Calls(const TMethod* m) const;

 private:
  template <class F>
  void Each(F f) const;

  // A scan keeps up to kMax connections without allocating; beyond that every connection
  // of the list is consulted.
  static constexpr int kMax = 32;
  const TConnectionList* all_;
  const std::vector<const TConnection*>* indexed_ = nullptr;
  const TConnection* found_[kMax];
  int count_ = 0;
  bool overflow_ = false;
};

}  // namespace zedro
