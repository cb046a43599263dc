#include "model/UMLClass.h"

#include <algorithm>
#include <unordered_set>

#include "model/Messages.h"
#include "model/Notation.h"
#include "model/Win1252.h"

namespace zedro {

const char* VisibilitySymbol(TVisibility visibility) {
  switch (visibility) {
    case TVisibility::Private:
      return "-";
    case TVisibility::Protected:
      return "#";
    case TVisibility::Public:
      return "+";
    case TVisibility::Published:
      return "++";
  }
  return "";
}

const char* VisibilityName(TVisibility visibility) {
  switch (visibility) {
    case TVisibility::Private:
      return "private";
    case TVisibility::Protected:
      return "protected";
    case TVisibility::Public:
      return "public";
    case TVisibility::Published:
      return "published";
  }
  return "";
}

// ---- TParameter -----------------------------------------------------------------------

std::string TParameter::DisplayText() const { return DisplayText(ActiveNotation::Get()); }

std::string TParameter::DisplayText(int notation) const {
  if (notation == 2) return TypeName + "  " + Name;
  if (TypeName.empty()) return Name;  // an untyped "VAR Data"
  return Name + ": " + TypeName;
}

// ---- TAttribute -----------------------------------------------------------------------

void TAttribute::Assign(const TAttribute& source) {
  Name = source.Name;
  TypeName = source.TypeName;
  Visibility = source.Visibility;
  if (&source != this)
    Documentation.insert(Documentation.end(), source.Documentation.begin(),
                         source.Documentation.end());
}

std::string TAttribute::DisplayText() const { return DisplayText(ActiveNotation::Get()); }

std::string TAttribute::DisplayText(int notation) const {
  if (notation == 2) return TypeName + " " + Name;
  return Name + ": " + TypeName;
}

// ---- TMethod --------------------------------------------------------------------------

void TMethod::Assign(const TMethod& source) {
  if (&source == this) return;
  IsAbstract = source.IsAbstract;
  IsFinal = source.IsFinal;
  IsClassMethod = source.IsClassMethod;
  Name = source.Name;
  Kind = source.Kind;
  ResultType = source.ResultType;
  Visibility = source.Visibility;
  Parameters = source.Parameters;
  Documentation.insert(Documentation.end(), source.Documentation.begin(),
                       source.Documentation.end());
  Code = source.Code;
}

std::unique_ptr<TMethod> TMethod::Clone() const { return std::make_unique<TMethod>(*this); }

std::string TMethod::ParameterListText() const { return ParameterListText(ActiveNotation::Get()); }

std::string TMethod::ParameterListText(int notation) const {
  std::string out;
  for (size_t i = 0; i < Parameters.size(); ++i) {
    if (i > 0) out += "; ";
    const TParameter& p = Parameters[i];
    if (notation == 1) {
      // An untyped parameter ("VAR Data", "CONST Buffer") is written without a colon.
      out += p.TypeName.empty() ? p.Name : p.Name + ": " + p.TypeName;
    } else if (notation == 2) {
      out += p.TypeName + " " + p.Name;
    }
  }
  return out;
}

std::string TMethod::MethodSignature() const { return MethodSignature(ActiveNotation::Get()); }

std::string TMethod::MethodSignature(int notation) const {
  if (notation == 1) {
    std::string s = Name + "(" + ParameterListText(1) + ")";
    if (Kind == TMethodKind::Function) s += " : " + ResultType;
    return s;
  }
  if (notation == 2) {
    std::string s = Name + "(" + ParameterListText(2) + ")";
    if (Kind == TMethodKind::Function) s = ResultType + " " + s;
    return s;
  }
  return {};
}

// ---- ordering -------------------------------------------------------------------------

int CompareAttributes(const TAttribute& a, const TAttribute& b) {
  if (a.Visibility != b.Visibility) return a.Visibility > b.Visibility ? -1 : 1;
  if (int c = text::CompareIgnoreCase(a.TypeName, b.TypeName)) return c;
  return text::CompareIgnoreCase(a.Name, b.Name);
}

// ---- TAttributeList -------------------------------------------------------------------

void TAttributeList::Add(TAttribute* a) {
  Items.push_back(a);
  Sort();
}

void TAttributeList::Remove(const TAttribute* a) {
  auto it = std::find(Items.begin(), Items.end(), a);
  if (it != Items.end()) Items.erase(it);
}

void TAttributeList::Sort() {
  auto before = [](const TAttribute* x, const TAttribute* y) {
    return CompareAttributes(*x, *y) < 0;
  };
  // Lists read from a file are mostly in order already.
  if (std::is_sorted(Items.begin(), Items.end(), before)) return;
  std::stable_sort(Items.begin(), Items.end(), before);
}

TAttribute* TAttributeList::Get(int index, IMessages* messages) const {
  if (index < 0 || index >= Count()) {
    if (messages)
      messages->Message(MsgKind::Plain, "Index " + text::IntToStr(index) +
                                            " ausserhalb des Bereichs einer Attribute-Liste");
    return nullptr;
  }
  return At(index);
}

int TAttributeList::IndexOf(const TAttribute* a) const {
  auto it = std::find(Items.begin(), Items.end(), a);
  return it == Items.end() ? -1 : static_cast<int>(it - Items.begin());
}

// ---- TMethodList ----------------------------------------------------------------------

void TMethodList::Add(TMethod* m) {
  Items.push_back(m);
  Sort();
}

void TMethodList::Remove(const TMethod* m) {
  auto it = std::find(Items.begin(), Items.end(), m);
  if (it != Items.end()) Items.erase(it);
}

void TMethodList::Sort() {
  if (Items.size() < 2) return;
  // Lists read from a file are mostly in order already. Comparing whole parameter texts
  // is needed only for methods of equal names.
  auto before = [](const TMethod* a, const TMethod* b) {
    if (a->Visibility != b->Visibility) return a->Visibility > b->Visibility;
    if (a->Kind != b->Kind) return a->Kind < b->Kind;
    if (int c = text::CompareIgnoreCase(a->Name, b->Name)) return c < 0;
    return text::CompareIgnoreCase(a->ParameterListText(), b->ParameterListText()) < 0;
  };
  if (std::is_sorted(Items.begin(), Items.end(), before)) return;
  // The parameter texts depend on the active notation; build every key once per sort.
  struct Key {
    TMethod* method;
    std::string name;
    std::string parameters;
  };
  std::vector<Key> keys;
  keys.reserve(Items.size());
  for (TMethod* m : Items)
    keys.push_back({m, text::UpperAscii(m->Name), text::UpperAscii(m->ParameterListText())});
  std::stable_sort(keys.begin(), keys.end(), [](const Key& a, const Key& b) {
    if (a.method->Visibility != b.method->Visibility)
      return a.method->Visibility > b.method->Visibility;
    if (a.method->Kind != b.method->Kind) return a.method->Kind < b.method->Kind;
    if (int c = a.name.compare(b.name)) return c < 0;
    return a.parameters.compare(b.parameters) < 0;
  });
  for (size_t i = 0; i < keys.size(); ++i) Items[i] = keys[i].method;
}

TMethod* TMethodList::Get(int index, IMessages* messages) const {
  if (index < 0 || index >= Count()) {
    if (messages)
      messages->Message(MsgKind::Plain, "Index ausserhalb des Bereichs einer Methoden-Liste");
    return nullptr;
  }
  return At(index);
}

int TMethodList::IndexOf(const TMethod* m) const {
  auto it = std::find(Items.begin(), Items.end(), m);
  return it == Items.end() ? -1 : static_cast<int>(it - Items.begin());
}

int TMethodList::LastIndexOf(const TMethod* m) const {
  for (int i = Count() - 1; i >= 0; --i)
    if (Items[static_cast<size_t>(i)] == m) return i;
  return -1;
}

// ---- TUMLClass ------------------------------------------------------------------------

TAttribute* TUMLClass::AddAttribute(std::unique_ptr<TAttribute> a) {
  TAttribute* raw = AppendAttribute(std::move(a));
  Attributes.Sort();
  return raw;
}

TMethod* TUMLClass::AddMethod(std::unique_ptr<TMethod> m) {
  TMethod* raw = AppendMethod(std::move(m));
  Methods.Sort();
  return raw;
}

TAttribute* TUMLClass::AppendAttribute(std::unique_ptr<TAttribute> a) {
  TAttribute* raw = a.get();
  attributeStore_.push_back(std::move(a));
  Attributes.Append(raw);
  return raw;
}

TMethod* TUMLClass::AppendMethod(std::unique_ptr<TMethod> m) {
  TMethod* raw = m.get();
  methodStore_.push_back(std::move(m));
  Methods.Append(raw);
  return raw;
}

void TUMLClass::RemoveAttribute(TAttribute* a) { Attributes.Remove(a); }

void TUMLClass::RemoveMethod(TMethod* m) {
  Methods.Remove(m);
  // Links of the remaining attributes to a method that left the class are cleared, so
  // that no read or write method outside the class stays reachable.
  for (TAttribute* a : Attributes.Items) {
    if (a->ReadMethod == m) a->ReadMethod = nullptr;
    if (a->WriteMethod == m) a->WriteMethod = nullptr;
  }
}

void TUMLClass::SortMembers() {
  Attributes.Sort();
  Methods.Sort();
}

namespace {

// Empties a vector and hands its storage back (clear() keeps it).
template <class Vector>
void FreeStorage(Vector& v) {
  Vector().swap(v);
}

}  // namespace

void TUMLClass::ReleaseBodies() {
  FreeStorage(Documentation);
  FreeStorage(InterfaceUses);
  FreeStorage(ImplementationUses);
  JavaImports.reset();
  for (TAttribute* a : Attributes.Items) FreeStorage(a->Documentation);
  for (TMethod* m : Methods.Items) {
    FreeStorage(m->Parameters);
    FreeStorage(m->Code);
    FreeStorage(m->Documentation);
  }
}

SortedMembersView::SortedMembersView(TUMLClass& cls)
    : cls_(cls), attributes_(cls.Attributes.Items), methods_(cls.Methods.Items) {
  cls.SortMembers();
  inOrder_ = cls.Attributes.Items == attributes_ && cls.Methods.Items == methods_;
}

SortedMembersView::~SortedMembersView() {
  cls_.Attributes.Items = std::move(attributes_);
  cls_.Methods.Items = std::move(methods_);
}

namespace {

bool AttributesMatch(const TAttribute& a, const TAttribute& b) {
  return text::LowerAscii(a.Name) == text::LowerAscii(b.Name) &&
         text::LowerAscii(a.TypeName) == text::LowerAscii(b.TypeName);
}

}  // namespace

void TUMLClass::UpdateFrom(const TUMLClass& source, const AttributePurge& purge) {
  if (&source == this) return;
  IsAbstract = source.IsAbstract;
  Name = source.Name;
  Documentation = source.Documentation;
  InterfaceUses = source.InterfaceUses;
  ImplementationUses = source.ImplementationUses;
  UpdateAttributesFrom(source, purge);
  UpdateMethodsFrom(source);
  SortMembers();
}

void TUMLClass::UpdateAttributesFrom(const TUMLClass& source, const AttributePurge& purge) {
  // Keep the matching ones (taking over the source's content), drop the rest.
  size_t i = 0;
  while (i < Attributes.Items.size()) {
    TAttribute* own = Attributes.Items[i];
    bool matched = false;
    for (const TAttribute* src : source.Attributes.Items) {
      if (AttributesMatch(*own, *src)) {
        own->Assign(*src);
        matched = true;
      }
    }
    if (matched) {
      ++i;
    } else {
      if (purge) purge(*this, *own);
      Attributes.Remove(own);  // the object stays alive in the store
    }
  }
  for (const TAttribute* src : source.Attributes.Items) {
    bool matched = false;
    for (const TAttribute* own : Attributes.Items)
      if (AttributesMatch(*own, *src)) matched = true;
    if (!matched) {
      auto a = std::make_unique<TAttribute>();
      a->Assign(*src);
      AddAttribute(std::move(a));
    }
  }
}

void TUMLClass::UpdateMethodsFrom(const TUMLClass& source) {
  // Matched by signature, letter case ignored.
  std::vector<std::string> sourceSignatures;
  for (const TMethod* src : source.Methods.Items)
    sourceSignatures.push_back(text::LowerAscii(src->MethodSignature()));
  size_t i = 0;
  while (i < Methods.Items.size()) {
    TMethod* own = Methods.Items[i];
    std::string sig = text::LowerAscii(own->MethodSignature());
    bool matched = false;
    for (size_t k = 0; k < source.Methods.Items.size(); ++k) {
      if (sourceSignatures[k] == sig) {
        own->Assign(*source.Methods.Items[k]);
        matched = true;
      }
    }
    if (matched) {
      ++i;
    } else {
      RemoveMethod(own);
    }
  }
  for (size_t k = 0; k < source.Methods.Items.size(); ++k) {
    bool matched = false;
    for (const TMethod* own : Methods.Items)
      if (text::LowerAscii(own->MethodSignature()) == sourceSignatures[k]) matched = true;
    if (!matched) {
      auto m = std::make_unique<TMethod>();
      m->Assign(*source.Methods.Items[k]);
      AddMethod(std::move(m));
    }
  }
}

bool TUMLClass::IsFormClass() const {
  // Inheritance drawn in a circle must not make the walk endless.
  std::unordered_set<const TUMLClass*> seen{this};
  for (const TUMLClass* p = Parent; p && seen.insert(p).second; p = p->Parent) {
    if (text::LowerAscii(p->Name) == "tform") return true;
  }
  return false;
}

}  // namespace zedro
