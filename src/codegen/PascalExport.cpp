#include "codegen/PascalExport.h"

#include <unordered_set>

#include "codegen/ExportSupport.h"
#include "codegen/GeneratorRules.h"
#include "codegen/MethodKinds.h"
#include "diagram/ClassBox.h"
#include "diagram/Connection.h"
#include "diagram/ElementLists.h"
#include "model/Messages.h"
#include "model/Notation.h"
#include "model/Win1252.h"

namespace zedro {

using codegen::EffectiveClassMethod;
using codegen::EffectiveKind;
using codegen::IsForwardRelationship;
using codegen::PascalLineCommentText;

namespace {

const std::string kUsesTerminator = ";";
// The sections of the class declaration after the published one, in their order.
constexpr TVisibility kUnpublished[] = {TVisibility::Private, TVisibility::Protected,
                                        TVisibility::Public};
const std::string kHeaderRule =
    "//+---------------------------------------------------------------------";

const TUMLClass* ClassOf(const TUMLDrawClass* box) { return box ? box->UMLClass : nullptr; }

bool ContainsIgnoreCase(const StringList& list, const std::string& entry) {
  for (const std::string& s : list)
    if (text::EqualsIgnoreCase(s, entry)) return true;
  return false;
}

bool Contains(const StringList& list, const std::string& entry) {
  for (const std::string& s : list)
    if (s == entry) return true;
  return false;
}

// Whether the unit names of a uses list (the entries before its terminator) hold the unit.
bool NamesUnit(const StringList& uses, const std::string& unit) {
  for (const std::string& s : uses) {
    if (s == kUsesTerminator) break;
    if (text::EqualsIgnoreCase(s, unit)) return true;
  }
  return false;
}

// The identifiers, lower-cased, in the types that the declarations of a class name:
// attribute and parameter types and the result types of functions.
std::unordered_set<std::string> TypeIdentifiers(const TUMLClass& c) {
  std::unordered_set<std::string> out;
  auto scan = [&out](const std::string& type) {
    size_t i = 0;
    while (i < type.size()) {
      const char ch = type[i];
      const bool letter = (ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z') || ch == '_';
      if (!letter && !(ch >= '0' && ch <= '9')) {
        ++i;
        continue;
      }
      size_t j = i;
      while (j < type.size() && ((type[j] >= 'A' && type[j] <= 'Z') ||
                                 (type[j] >= 'a' && type[j] <= 'z') ||
                                 (type[j] >= '0' && type[j] <= '9') || type[j] == '_'))
        ++j;
      if (letter) out.insert(text::LowerAscii(type.substr(i, j - i)));
      i = j;
    }
  };
  for (const TAttribute* a : c.Attributes.Items) scan(a->TypeName);
  for (const TMethod* m : c.Methods.Items) {
    for (const TParameter& p : m->Parameters) scan(p.TypeName);
    if (EffectiveKind(*m) == TMethodKind::Function) scan(m->ResultType);
  }
  return out;
}

// Puts a unit at the front of a uses list; a list that had been empty gets its terminator.
void InsertUnit(StringList& uses, const std::string& unit) {
  uses.insert(uses.begin(), unit);
  if (uses.size() == 1) uses.push_back(kUsesTerminator);
}

}  // namespace

std::string UnitOfBox(const TUMLDrawClass& box) {
  if (box.SourceFileName.empty()) return {};
  return UnitNameOfFile(box.SourceFileName);
}

TPascalExport::TPascalExport(const TConnectionList& connections, IMessages* messages,
                             const TDrawClassList* mainBoxes)
    : Connections(connections), messages_(messages), mainBoxes_(mainBoxes) {}

std::string TPascalExport::UnitOf(const TUMLDrawClass& box) const {
  std::string unit = UnitOfBox(box);
  if (unit.empty() && mainBoxes_) {
    for (const TUMLDrawClass* b : mainBoxes_->Items)
      if (b && b != &box && b->UMLClass == box.UMLClass && !b->SourceFileName.empty())
        return UnitOfBox(*b);
  }
  return unit;
}

const StringList& TPascalExport::Generate(TUMLClass& umlClass) {
  // Declarations are written in Delphi notation whatever the active window shows.
  NotationScope notation(1);
  UMLClass = &umlClass;
  signatures_.clear();
  nameCounts_.clear();
  for (const TMethod* m : umlClass.Methods.Items) ++nameCounts_[text::LowerAscii(m->Name)];
  CollectUnitReferences();
  Lines.push_back("interface");
  Lines.push_back("");
  WriteInterfaceUses();
  Lines.push_back("");
  Lines.push_back("type");
  WriteClassDeclaration();
  Lines.push_back("   end;");
  Lines.push_back("");
  const bool isForm = umlClass.IsFormClass();
  if (isForm) {
    Lines.push_back("var");
    Lines.push_back("  " + umlClass.Name.substr(umlClass.Name.empty() ? 0 : 1) + ":  " +
                    umlClass.Name + ";");
    Lines.push_back("");
  }
  Lines.push_back("implementation");
  Lines.push_back("");
  WriteImplementationUses();
  if (isForm) {
    Lines.push_back("{$R *.DFM}");
    Lines.push_back("");
  }
  WriteMethodImplementations();
  Lines.push_back("end.");
  return Lines;
}

void TPascalExport::CollectUnitReferences() {
  UnresolvedInterfaceUnits.clear();
  UnresolvedImplementationUnits.clear();
  TUMLClass& c = *UMLClass;
  // A unit never names itself in its uses clauses: a relationship of the class with itself,
  // or with a class kept in the same unit, needs no entry (Pascal refuses a unit that
  // uses itself).
  auto isOwnUnit = [&](const TUMLDrawClass& related, const TUMLDrawClass& own,
                       const std::string& unit) {
    if (related.UMLClass == &c) return true;
    const std::string ownUnit = UnitOf(own);
    return !unit.empty() && !ownUnit.empty() && text::EqualsIgnoreCase(unit, ownUnit);
  };
  auto addUnresolved = [&](StringList& placeholders, const TUMLClass& related, bool interface) {
    const std::string line = "//uses m" + PascalLineCommentText(related.Name) + " ??";
    if (!Contains(placeholders, line) && !(interface && Contains(c.InterfaceUses, line)))
      placeholders.push_back(line);
  };
  // Inheritance drawn in a circle declares no ancestor, and its units do not use each other.
  const bool inheritanceInCircle = !codegen::DeclaredAncestor(c, Connections);
  for (const TConnection* con : Connections.Items) {
    if (!con || ClassOf(con->StartBox) != &c || !ClassOf(con->EndBox)) continue;
    if (!IsRelationship(con->Kind)) continue;
    if (con->Kind == TConnectionKind::Ist && inheritanceInCircle) continue;
    std::string unit = UnitOf(*con->EndBox);
    if (isOwnUnit(*con->EndBox, *con->StartBox, unit)) continue;
    if (!unit.empty()) {
      if (!ContainsIgnoreCase(c.InterfaceUses, unit)) InsertUnit(c.InterfaceUses, unit);
    } else {
      addUnresolved(UnresolvedInterfaceUnits, *con->EndBox->UMLClass, true);
    }
  }
  // Every other class of the main diagram that a declaration of the class names (as the
  // type of an attribute or parameter or as a result type) is needed in the interface
  // part, whether or not a relationship is drawn: a HAT or KENNT that was deleted leaves
  // its attribute behind.
  if (mainBoxes_) {
    const std::unordered_set<std::string> named = TypeIdentifiers(c);
    const TUMLDrawClass* ownBox = nullptr;
    for (const TUMLDrawClass* b : mainBoxes_->Items)
      if (b && b->UMLClass == &c) ownBox = b;
    for (const TUMLDrawClass* b : mainBoxes_->Items) {
      if (!b || !b->UMLClass || b->UMLClass == &c) continue;
      if (!named.count(text::LowerAscii(codegen::BareClassName(b->UMLClass->Name)))) continue;
      const std::string unit = UnitOf(*b);
      if (ownBox && isOwnUnit(*b, *ownBox, unit)) continue;
      if (!unit.empty()) {
        if (!ContainsIgnoreCase(c.InterfaceUses, unit)) InsertUnit(c.InterfaceUses, unit);
      } else if (!b->UMLClass->IsLibraryClass) {
        // A library class lives in a unit of its own that Zedro does not know.
        addUnresolved(UnresolvedInterfaceUnits, *b->UMLClass, true);
      }
    }
  }
  for (const TConnection* con : Connections.Items) {
    if (!con || ClassOf(con->EndBox) != &c || !ClassOf(con->StartBox)) continue;
    if (con->Kind != TConnectionKind::Kennt || con->StartText.empty()) continue;
    std::string unit = UnitOf(*con->StartBox);
    if (isOwnUnit(*con->StartBox, *con->EndBox, unit)) continue;
    if (!unit.empty()) {
      if (!ContainsIgnoreCase(c.ImplementationUses, unit)) InsertUnit(c.ImplementationUses, unit);
    } else {
      addUnresolved(UnresolvedImplementationUnits, *con->StartBox->UMLClass, false);
    }
  }
}

size_t TPascalExport::WriteUsesClause(const StringList& u) {
  // The first line carries up to seven unit names, every further line up to six. The
  // names end at the terminator, or at the end of a list that lacks one.
  std::string line = "uses " + u[0];
  if (u[1] != kUsesTerminator) line += ", ";
  size_t i = 1;
  for (; i < u.size() && u[i] != kUsesTerminator; ++i) {
    line += u[i];
    if (i + 1 < u.size() && u[i + 1] != kUsesTerminator) line += ", ";
    if (i % 6 == 0) {
      Lines.push_back(line);
      line = "     ";
    }
  }
  line += ";";
  Lines.push_back(line);
  return i + 1;
}

void TPascalExport::WriteInterfaceUses() {
  const StringList& u = UMLClass->InterfaceUses;
  size_t k = u.size();
  if (u.size() > 1 && u[0] != kUsesTerminator) {
    Lines.push_back("//--------------------  ggf Uses-Liste anpassen !  --------------------");
    k = WriteUsesClause(u);
  } else {
    if (!Contains(u, "//uses ....;")) {
      Lines.push_back(W("//--------------------  ggf Uses-Liste einfügen !  --------------------"));
      Lines.push_back("//uses ....;");
    }
    if (u.size() > 1) k = 1;
  }
  for (const std::string& s : UnresolvedInterfaceUnits) Lines.push_back(s);
  if (u.size() > 1) {
    bool lastEmpty = false;
    for (size_t i = k; i < u.size(); ++i) {
      bool empty = u[i].empty();
      if (!(empty && lastEmpty)) Lines.push_back(u[i]);
      lastEmpty = empty;
    }
  }
}

void TPascalExport::WriteImplementationUses() {
  // A unit that the interface part uses already may not be named again: the compiler
  // takes it for a duplicate identifier.
  StringList v;
  for (const std::string& entry : UMLClass->ImplementationUses)
    if (entry == kUsesTerminator || !NamesUnit(UMLClass->InterfaceUses, entry)) v.push_back(entry);
  if (v.size() > 1 && v[0] != kUsesTerminator) {
    WriteUsesClause(v);
    Lines.push_back("");
  }
  if (!UnresolvedImplementationUnits.empty()) {
    for (const std::string& s : UnresolvedImplementationUnits) Lines.push_back(s);
    Lines.push_back("");
  }
}

void TPascalExport::WriteClassDeclaration() {
  const TUMLClass& c = *UMLClass;
  std::string heading = "  " + c.Name + " = class";
  if (const TUMLClass* ancestor = codegen::DeclaredAncestor(c, Connections))
    heading += "(" + ancestor->Name + ")";
  Lines.push_back(heading);

  auto writeAttributes = [&](TVisibility v, const std::string& title) {
    bool first = true;
    for (const TAttribute* a : c.Attributes.Items) {
      if (a->Visibility != v) continue;
      if (first) {
        Lines.push_back("");
        Lines.push_back(title);
        first = false;
      }
      Lines.push_back("    " + a->Name + " : " + a->TypeName + ";");
    }
  };
  auto writeMethods = [&](TVisibility v, const std::string& title) {
    bool first = true;
    for (const TMethod* m : c.Methods.Items) {
      if (m->Visibility != v) continue;
      if (first) {
        Lines.push_back("");
        Lines.push_back(title);
        first = false;
      }
      WriteMethodDeclaration(*m);
    }
  };

  writeAttributes(TVisibility::Published, "  // published Attribute");
  writeMethods(TVisibility::Published, "  // published Methoden");
  for (TVisibility v : kUnpublished)
    writeAttributes(v, std::string("  ") + VisibilityName(v) + " //Attribute");
  WriteRelationshipFields();
  for (TVisibility v : kUnpublished)
    writeMethods(v, std::string("  ") + VisibilityName(v) + " //Methoden");
  Lines.push_back("");
}

void TPascalExport::WriteRelationshipFields() {
  const TUMLClass& c = *UMLClass;
  bool headingWritten = false;
  auto fieldLine = [&](TConnectionKind kind, const std::string& partnerName,
                       const std::string& multiplicityText) {
    if (!headingWritten) {
      Lines.push_back("");
      Lines.push_back("     //Objektbeziehungen:");
      headingWritten = true;
    }
    const std::string l = kind == TConnectionKind::Hat ? "// hat" : "// kennt";
    const std::string partner = PascalLineCommentText(partnerName);
    const std::string multiplicity = PascalLineCommentText(multiplicityText);
    const int n = text::StrToIntDef(multiplicity, -1);
    std::string line = "        ";
    if (n == 1) {
      line += l + partner + " : " + partner + ";";
    } else if (n >= 2 && n <= 5) {
      for (int i = 1; i <= n; ++i) {
        if (i > 1) line += ", ";
        line += l + partner + text::IntToStr(i);
      }
      line += " : " + partner + ";";
    } else if (n >= 6) {
      line += l + partner + " : array[1.." + text::IntToStr(n) + "] of " + partner + ";";
    } else if (n == -1) {
      line += l + partner + " (" + multiplicity + ") of " + partner + ";";
    } else {
      return;  // 0 or below -1: no field
    }
    Lines.push_back(line);
  };
  for (const TConnection* con : Connections.Items) {
    if (!con || !ClassOf(con->StartBox) || !ClassOf(con->EndBox)) continue;
    if (con->StartBox->UMLClass == &c && IsForwardRelationship(con->Kind))
      fieldLine(con->Kind, con->EndBox->UMLClass->Name, con->EndText);
    if (con->EndBox->UMLClass == &c && con->Kind == TConnectionKind::Kennt)
      fieldLine(con->Kind, con->StartBox->UMLClass->Name, con->StartText);
  }
}

std::string TPascalExport::MethodHeading(const TMethod& m, const std::string& className) const {
  const TMethodKind kind = EffectiveKind(m);
  std::string line;
  // Constructors and destructors always keep their keyword: without it the declaration
  // would not be Pascal.
  const bool classMethod = EffectiveClassMethod(m);
  switch (kind) {
    case TMethodKind::Constructor:
      line = "constructor ";
      break;
    case TMethodKind::Procedure:
      line = classMethod ? "class procedure " : "procedure ";
      break;
    case TMethodKind::Function:
      line = classMethod ? "class function " : "function ";
      break;
    case TMethodKind::Destructor:
      line = "destructor ";
      break;
    default:
      break;
  }
  if (!className.empty()) line += className + ".";
  line += m.Name;
  const std::string params = m.ParameterListText(1);
  if (!params.empty()) line += " (" + params + ")";
  line += kind == TMethodKind::Function ? " : " + m.ResultType + ";" : std::string(";");
  return line;
}

void TPascalExport::WriteMethodDeclaration(const TMethod& m) {
  std::string line = "    " + MethodHeading(m, "");
  // Another method object of the class with the same name makes both overloaded.
  auto count = nameCounts_.find(text::LowerAscii(m.Name));
  const bool overloaded = count != nameCounts_.end() && count->second > 1;
  const TMethod* inherited = InheritedMethod(m);

  if (inherited && !inherited->IsFinal && m.IsFinal && messages_) {
    messages_->Message(MsgKind::Warning,
                       "Fehler: Methode '" + m.Name +
                           "' darf nicht final sein, da sie eine Methode\n" +
                           W("einer Vorgängerklasse überschreibt !!"),
                       MsgButtons::Ok);
  }
  if (overloaded) line += " overload;";
  if (m.IsAbstract) {
    line += " virtual; abstract;";
  } else {
    if (inherited) {
      line += inherited->IsFinal ? " virtual;" : " override;";
    } else if (!m.IsFinal) {
      line += " virtual;";
    }
    if (m.IsFinal) line += W(" // nicht überschreibbar");
  }
  Lines.push_back(line);
}

const TMethod* TPascalExport::InheritedMethod(const TMethod& m) {
  const std::string signature = text::LowerAscii(m.MethodSignature(1));
  // Inheritance drawn in a circle must not make the walk endless.
  std::unordered_set<const TUMLClass*> seen{UMLClass};
  for (const TUMLClass* p = UMLClass->Parent; p && seen.insert(p).second; p = p->Parent) {
    auto [entry, added] = signatures_.try_emplace(p);
    // A private method is not seen outside its own unit: it cannot be overridden there.
    if (added)
      for (const TMethod* candidate : p->Methods.Items)
        if (candidate->Visibility != TVisibility::Private)
          entry->second[text::LowerAscii(candidate->MethodSignature(1))] = candidate;
    auto found = entry->second.find(signature);
    if (found != entry->second.end()) return found->second;
  }
  return nullptr;
}

void TPascalExport::WriteMethodImplementations() {
  const TUMLClass& c = *UMLClass;
  Lines.push_back(kHeaderRule);
  Lines.push_back("//|         " + PascalLineCommentText(c.Name) + ": Methodendefinition ");
  Lines.push_back(kHeaderRule);
  Lines.push_back("");
  for (TVisibility v : kVisibilities) {
    // Widths that make every separator 72 characters long.
    const int width = v == TVisibility::Private ? 50 : v == TVisibility::Public ? 51 : 48;
    for (const TMethod* m : c.Methods.Items) {
      if (m->Visibility != v || m->IsAbstract) continue;
      std::string separator =
          "//-------- " + PascalLineCommentText(m->Name) + " (" + VisibilityName(v) + ") ";
      const int run = width - static_cast<int>(m->Name.size());
      if (run > 0) separator += std::string(static_cast<size_t>(run), '-');
      Lines.push_back(separator);
      Lines.push_back(MethodHeading(*m, c.Name));
      if (!m->Code.empty()) {
        Lines.insert(Lines.end(), m->Code.begin(), m->Code.end());
      } else {
        Lines.push_back("begin");
        Lines.push_back(W("  //Hier Code einfügen."));
        Lines.push_back("end;");
      }
      Lines.push_back("");
    }
  }
}

}  // namespace zedro
