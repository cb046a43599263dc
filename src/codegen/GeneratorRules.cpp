#include "codegen/GeneratorRules.h"

#include <unordered_set>

#include "codegen/MethodKinds.h"
#include "diagram/ClassBox.h"
#include "diagram/Connection.h"
#include "diagram/ElementLists.h"

namespace zedro::codegen {

namespace {

std::string WithoutLineBreaks(const std::string& text) {
  std::string out = text;
  for (char& ch : out)
    if (ch == '\n' || ch == '\r') ch = ' ';
  return out;
}

const TUMLClass* FirstIstEnd(const TUMLClass& cls, const TConnectionList& connections) {
  for (const TConnection* con : connections.Items)
    if (con && con->Kind == TConnectionKind::Ist && con->StartBox && con->StartBox->UMLClass == &cls &&
        con->EndBox && con->EndBox->UMLClass)
      return con->EndBox->UMLClass;
  return nullptr;
}

// A Java method as javac tells methods apart: name and parameter types.
std::string JavaSignature(const TMethod& m) {
  std::string s = m.Name + "(";
  for (const TParameter& p : m.Parameters) s += p.TypeName + ",";
  return s + ")";
}

bool IsAbstractJavaMethod(const TMethod& m) {
  return m.IsAbstract && IsProcedureOrFunction(EffectiveKind(m));
}

}  // namespace

std::string JavaCommentText(const std::string& text) {
  std::string out;
  out.reserve(text.size() + 4);
  size_t backslashes = 0;  // the run of backslashes just written
  for (size_t i = 0; i < text.size(); ++i) {
    const char ch = text[i];
    if (ch == '\n' || ch == '\r') {
      out += ' ';
      backslashes = 0;
      continue;
    }
    if (ch == '/' && !out.empty() && out.back() == '*') out += ' ';
    // A backslash after an even number of backslashes would begin an escape before "u".
    if (ch == 'u' && backslashes % 2 == 1) out += '\\';
    out += ch;
    backslashes = ch == '\\' ? backslashes + 1 : 0;
  }
  return out;
}

std::string PascalLineCommentText(const std::string& text) { return WithoutLineBreaks(text); }

const TUMLClass* DeclaredAncestor(const TUMLClass& cls, const TConnectionList& connections) {
  const TUMLClass* ancestor = FirstIstEnd(cls, connections);
  std::unordered_set<const TUMLClass*> seen{&cls};
  for (const TUMLClass* p = ancestor; p; p = FirstIstEnd(*p, connections)) {
    if (p == &cls) return nullptr;     // the chain comes back: inheritance in a circle
    if (!seen.insert(p).second) break;  // a circle above the class, not through it
  }
  return ancestor;
}

std::string BareClassName(const std::string& name) {
  const size_t lt = name.find('<');
  return lt == std::string::npos ? name : name.substr(0, lt);
}

std::string TypeParameterPrefix(const std::string& resultType) {
  size_t i = 0;
  while (i < resultType.size() && resultType[i] == ' ') ++i;
  if (i >= resultType.size() || resultType[i] != '<') return {};
  const size_t start = i;
  int depth = 0;
  for (; i < resultType.size(); ++i) {
    if (resultType[i] == '<') ++depth;
    if (resultType[i] == '>' && --depth == 0) return resultType.substr(start, i - start + 1);
  }
  return {};
}

bool MustBeAbstractInJava(const TUMLClass& cls, const TConnectionList& connections) {
  if (cls.IsAbstract) return true;
  // Walking upwards, a concrete method implements the abstract ones of the classes above.
  std::unordered_set<std::string> implemented;
  std::unordered_set<const TUMLClass*> seen;
  for (const TUMLClass* c = &cls; c && seen.insert(c).second; c = DeclaredAncestor(*c, connections)) {
    for (const TMethod* m : c->Methods.Items)
      if (IsAbstractJavaMethod(*m) && !implemented.count(JavaSignature(*m))) return true;
    for (const TMethod* m : c->Methods.Items)
      if (!m->IsAbstract) implemented.insert(JavaSignature(*m));
  }
  return false;
}

ConnectionMeaning MeaningOf(const TConnection& c) {
  const bool message = IsMessage(c.Kind);
  return {c.Kind, c.StartBox ? c.StartBox->UMLClass : nullptr,
          c.EndBox ? c.EndBox->UMLClass : nullptr, message ? c.Method : nullptr};
}

}  // namespace zedro::codegen
