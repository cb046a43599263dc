// The class model: classes with their attributes, methods and parameters.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace zedro {

class IMessages;
class ValueReader;
class ValueWriter;

using StringList = std::vector<std::string>;

// Access rights, stored as 0 private "-", 1 protected "#", 2 public "+", 3 published "++".
// A damaged file may hold another value; it is kept as read, listed after the private
// members and shown without a symbol.
enum class TVisibility : std::uint8_t { Private = 0, Protected = 1, Public = 2, Published = 3 };

// Method kinds, stored as 0 constructor, 1 procedure (Auftrag), 2 function (Anfrage),
// 3 destructor. Old files may carry 4 and 5 (class procedure and class function); like
// any other value they are kept as read.
enum class TMethodKind : std::uint8_t {
  Constructor = 0,
  Procedure = 1,
  Function = 2,
  Destructor = 3,
  OldClassProcedure = 4,
  OldClassFunction = 5,
};

// The kinds 4 and 5 of old files: a class procedure and a class function.
constexpr bool IsOldClassMethodKind(TMethodKind kind) {
  switch (kind) {
    case TMethodKind::OldClassProcedure:
    case TMethodKind::OldClassFunction:
      return true;
    default:
      return false;
  }
}

// Procedures and functions: the kinds that may be abstract and class methods.
constexpr bool IsProcedureOrFunction(TMethodKind kind) {
  switch (kind) {
    case TMethodKind::Procedure:
    case TMethodKind::Function:
      return true;
    default:
      return false;
  }
}

// The four access rights, from private to published.
inline constexpr TVisibility kVisibilities[] = {TVisibility::Private, TVisibility::Protected,
                                                TVisibility::Public, TVisibility::Published};

// "-", "#", "+", "++"; empty for any other value.
const char* VisibilitySymbol(TVisibility visibility);
// "private", "protected", "public", "published"; empty for any other value.
const char* VisibilityName(TVisibility visibility);

class TParameter {
 public:
  TParameter() = default;
  TParameter(std::string name, std::string typeName)
      : Name(std::move(name)), TypeName(std::move(typeName)) {}

  TParameter Clone() const { return *this; }
  // Notation 1: "name: type"; notation 2: "type  name" (two blanks).
  std::string DisplayText() const;
  std::string DisplayText(int notation) const;

  std::string Name;
  std::string TypeName;
};

class TMethod;

class TAttribute {
 public:
  TAttribute() = default;
  // Adopts the documentation lines (the Pascal importer's form).
  TAttribute(std::string name, std::string typeName, TVisibility visibility, StringList doc)
      : Name(std::move(name)),
        TypeName(std::move(typeName)),
        Visibility(visibility),
        Documentation(std::move(doc)) {}

  // Copies name, type and visibility and appends the source's documentation lines.
  // ReadMethod and WriteMethod stay as they are.
  void Assign(const TAttribute& source);
  // Notation 1: "name: type"; notation 2: "type name".
  std::string DisplayText() const;
  std::string DisplayText(int notation) const;

  // The attribute record of a diagram file (c is the class version).
  void Load(ValueReader& reader, int classVersion);
  void Save(ValueWriter& writer) const;

  std::string Name;
  std::string TypeName;
  TVisibility Visibility = TVisibility::Private;
  StringList Documentation;
  TMethod* ReadMethod = nullptr;   // the read query of the same class, or none
  TMethod* WriteMethod = nullptr;  // the write command of the same class, or none
};

class TMethod {
 public:
  void AddParameter(TParameter p) { Parameters.push_back(std::move(p)); }
  void AddCodeLines(const StringList& lines) { Code.insert(Code.end(), lines.begin(), lines.end()); }
  // Copies flags, name, kind, result type, visibility, parameters and code; appends the
  // source's documentation lines.
  void Assign(const TMethod& source);
  std::unique_ptr<TMethod> Clone() const;

  // Parameters joined by "; " (notation 1 "name: type", notation 2 "type name").
  std::string ParameterListText() const;
  std::string ParameterListText(int notation) const;
  // Notation 1: name(params) [" : " result]; notation 2: [result " "] name(params).
  std::string MethodSignature() const;
  std::string MethodSignature(int notation) const;

  void Load(ValueReader& reader, int classVersion);
  void Save(ValueWriter& writer) const;

  std::string Name;
  std::string ResultType;
  std::vector<TParameter> Parameters;
  StringList Code;
  StringList Documentation;
  // The small fields together, so that a method takes no padding between them.
  TVisibility Visibility = TVisibility::Public;
  TMethodKind Kind = TMethodKind::Procedure;
  bool IsAbstract = false;
  bool IsFinal = false;
  bool IsClassMethod = false;
};

// Attribute order: higher visibility first, then type and name upper-cased, ascending.
int CompareAttributes(const TAttribute& a, const TAttribute& b);

// An ordered list of references to attributes; it owns nothing.
class TAttributeList {
 public:
  void Add(TAttribute* a);  // append, then sort the whole list
  void Append(TAttribute* a) { Items.push_back(a); }  // append without sorting
  void Clear() { Items.clear(); }
  void Remove(const TAttribute* a);
  void Sort();
  int Count() const { return static_cast<int>(Items.size()); }
  // Item i; outside the range the message "Index i ausserhalb des Bereichs einer
  // Attribute-Liste" is shown (when a message sink is given) and none is returned.
  TAttribute* Get(int index, IMessages* messages) const;
  TAttribute* At(int index) const { return Items[static_cast<size_t>(index)]; }
  int IndexOf(const TAttribute* a) const;
  bool Contains(const TAttribute* a) const { return IndexOf(a) >= 0; }

  std::vector<TAttribute*> Items;
};

class TMethodList {
 public:
  void Add(TMethod* m);
  void Append(TMethod* m) { Items.push_back(m); }
  void Clear() { Items.clear(); }
  void Remove(const TMethod* m);
  void Sort();
  int Count() const { return static_cast<int>(Items.size()); }
  // Outside the range: "Index ausserhalb des Bereichs einer Methoden-Liste", none.
  TMethod* Get(int index, IMessages* messages) const;
  TMethod* At(int index) const { return Items[static_cast<size_t>(index)]; }
  int IndexOf(const TMethod* m) const;  // the first position holding m
  int LastIndexOf(const TMethod* m) const;
  bool Contains(const TMethod* m) const { return IndexOf(m) >= 0; }

  std::vector<TMethod*> Items;
};

class TUMLClass;
// Removes an attribute from everything outside its class that refers to it (connections,
// object values). UpdateFrom calls it before an attribute leaves the class.
using AttributePurge = std::function<void(TUMLClass&, TAttribute&)>;

class TUMLClass {
 public:
  explicit TUMLClass(std::string name) : Name(std::move(name)) {}
  TUMLClass(const TUMLClass&) = delete;
  TUMLClass& operator=(const TUMLClass&) = delete;

  // Insert and re-sort. The class owns what it is given.
  TAttribute* AddAttribute(std::unique_ptr<TAttribute> a);
  TMethod* AddMethod(std::unique_ptr<TMethod> m);
  // Append without sorting (file reading keeps the stored order until it is done).
  TAttribute* AppendAttribute(std::unique_ptr<TAttribute> a);
  TMethod* AppendMethod(std::unique_ptr<TMethod> m);
  // Take a member out of the class. The object itself stays alive as long as the class,
  // so that a reference still held elsewhere never dangles; it is simply no longer a
  // member (and is written as "none" by the next save).
  void RemoveAttribute(TAttribute* a);
  void RemoveMethod(TMethod* m);
  void SortMembers();

  // Brings this class up to date from another class object with the same role.
  void UpdateFrom(const TUMLClass& source, const AttributePurge& purge);
  // Some ancestor (walking Parent, the class itself excluded) is named "tform".
  bool IsFormClass() const;
  // Lets go of what only the class's own record holds: documentation, uses lists, method
  // code and parameters. Names, types, kinds and visibilities stay, by which the records
  // after it find and order the members. For batch commands that have written the class
  // and keep it only as the target of references.
  void ReleaseBodies();

  // The class record of a diagram file. Load is given the file version v.
  void Load(ValueReader& reader, int fileVersion);
  void Save(ValueWriter& writer) const;

  bool IsAbstract = false;
  bool IsLibraryClass = false;
  std::string Name;
  std::string AncestorName;
  TAttributeList Attributes;
  TMethodList Methods;
  StringList Documentation;
  StringList InterfaceUses;
  StringList ImplementationUses;
  std::optional<StringList> JavaImports;
  TUMLClass* Parent = nullptr;

 private:
  void UpdateAttributesFrom(const TUMLClass& source, const AttributePurge& purge);
  void UpdateMethodsFrom(const TUMLClass& source);

  std::vector<std::unique_ptr<TAttribute>> attributeStore_;
  std::vector<std::unique_ptr<TMethod>> methodStore_;
  // Members read from a file are made in blocks, a few allocations per class instead of
  // one per member; like the stores, the blocks keep every member alive with the class.
  std::vector<std::unique_ptr<TAttribute[]>> attributeBlocks_;
  std::vector<std::unique_ptr<TMethod[]>> methodBlocks_;
};

// Shows a class, whose members may still stand in the order read from a file, with its
// members sorted for as long as it lives, and puts the file order back then: a batch command
// writes each class as soon as it is read, while the records after it still refer to the
// members by their file positions.
class SortedMembersView {
 public:
  explicit SortedMembersView(TUMLClass& cls);
  ~SortedMembersView();
  SortedMembersView(const SortedMembersView&) = delete;
  SortedMembersView& operator=(const SortedMembersView&) = delete;

  // The file order was the sorted order already.
  bool WasInOrder() const { return inOrder_; }

 private:
  TUMLClass& cls_;
  std::vector<TAttribute*> attributes_;
  std::vector<TMethod*> methods_;
  bool inOrder_;
};

}  // namespace zedro
