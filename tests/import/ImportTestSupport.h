// Shared helpers of the import tests.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "import/JavaParser.h"
#include "import/PascalParser.h"
#include "import/SourceText.h"
#include "model/Messages.h"
#include "model/UMLClass.h"

namespace zedro::testing {

// Every class that ReadNextClass gives for the unit text.
inline std::vector<std::unique_ptr<TUMLClass>> ReadPascalClasses(const std::string& unit,
                                                                 IMessages& messages) {
  TSourceParser parser("test.pas", SplitSourceLines(unit), messages);
  std::vector<std::unique_ptr<TUMLClass>> classes;
  while (auto c = parser.ReadNextClass()) classes.push_back(std::move(c));
  return classes;
}

// The class of that name with bodies and uses lists, as an update reads it.
inline std::unique_ptr<TUMLClass> ReadPascalClassFully(const SourceLines& unit,
                                                       const std::string& name,
                                                       IMessages& messages) {
  TSourceParser parser("test.pas", unit, messages);
  while (auto c = parser.ReadNextClass()) {
    if (c->Name != name) continue;
    parser.SetClass(c.get());
    parser.ReadMethodBodies();
    parser.ReadInterfaceUses();
    parser.ReadImplementationUses();
    return c;
  }
  return nullptr;
}

inline std::unique_ptr<TUMLClass> ReadPascalClassFully(const std::string& unit,
                                                       const std::string& name, IMessages& msgs) {
  return ReadPascalClassFully(SplitSourceLines(unit), name, msgs);
}

inline std::unique_ptr<TUMLClass> ReadJavaClass(const std::string& source, IMessages& messages) {
  return TJavaParser("Test.java", SplitSourceLines(source), messages).Parse();
}

// "visibility name: type", or "visibility [class] [abstract] [final] kind name(n: t; ...)[: r]".
inline std::string MemberText(const TAttribute& a) {
  return std::string(VisibilityName(a.Visibility)) + " " + a.Name + ": " + a.TypeName;
}

inline std::string MemberText(const TMethod& m) {
  static const char* const kinds[] = {"constructor", "procedure", "function", "destructor", "?"};
  std::string s = VisibilityName(m.Visibility);
  if (m.IsClassMethod) s += " class";
  if (m.IsAbstract) s += " abstract";
  if (m.IsFinal) s += " final";
  s += std::string(" ") + kinds[std::min(static_cast<int>(m.Kind), 4)] + " " + m.Name + "(";
  for (size_t i = 0; i < m.Parameters.size(); ++i)
    s += (i ? "; " : "") + m.Parameters[i].Name + ": " + m.Parameters[i].TypeName;
  return s + ")" + (m.ResultType.empty() ? "" : ": " + m.ResultType);
}

// What the reader of the language gives for a method the generator wrote. Java: the
// constructor carries the class name, the destructor is "public void finalize()", abstract
// is not static, nothing is final, "published" is public, an abstract method is not
// private, and procedures return void.
inline TMethod ExpectedAfterReading(const TUMLClass& cls, const TMethod& m, int language) {
  TMethod e = m;
  if (language == 1) return e;
  e.IsFinal = false;
  e.IsClassMethod = m.IsClassMethod && !m.IsAbstract;
  if (m.Visibility == TVisibility::Published) e.Visibility = TVisibility::Public;
  const bool abstract =
      m.IsAbstract && (m.Kind == TMethodKind::Procedure || m.Kind == TMethodKind::Function);
  if (abstract && m.Visibility == TVisibility::Private) e.Visibility = TVisibility::Protected;
  if (m.Kind == TMethodKind::Constructor) {
    e.Name = cls.Name.substr(0, cls.Name.find('<'));
    e.IsAbstract = e.IsClassMethod = false;
  }
  if (m.Kind == TMethodKind::Destructor) {
    e = TMethod();
    e.Kind = TMethodKind::Destructor;
    e.Name = "finalize";
  }
  if (m.Kind == TMethodKind::Procedure || m.Kind == TMethodKind::Destructor) e.ResultType = "void";
  return e;
}

inline std::vector<std::string> Members(const TUMLClass& c) {
  std::vector<std::string> out;
  for (const TAttribute* a : c.Attributes.Items) out.push_back(MemberText(*a));
  for (const TMethod* m : c.Methods.Items) out.push_back(MemberText(*m));
  return out;
}

// Sorted: the members as the reader of the language gives back what the generator wrote.
inline std::vector<std::string> MembersAfterReading(const TUMLClass& cls, int language) {
  std::vector<std::string> out;
  for (const TAttribute* attribute : cls.Attributes.Items) {
    TAttribute a = *attribute;
    if (language == 2 && a.Visibility == TVisibility::Published) a.Visibility = TVisibility::Public;
    out.push_back(MemberText(a));
  }
  for (const TMethod* m : cls.Methods.Items)
    out.push_back(MemberText(ExpectedAfterReading(cls, *m, language)));
  std::sort(out.begin(), out.end());
  return out;
}

inline const TMethod* MethodNamed(const TUMLClass& cls, const std::string& name, int nth = 0) {
  for (const TMethod* m : cls.Methods.Items)
    if (m->Name == name && nth-- == 0) return m;
  return nullptr;
}

// The body of the method, or a failure of the test and a body no method has.
inline StringList CodeOf(const TUMLClass& cls, const std::string& name, int nth = 0) {
  if (const TMethod* m = MethodNamed(cls, name, nth)) return m->Code;
  ADD_FAILURE() << "no method " << name << " #" << nth << " in " << cls.Name;
  return {"<no such method>"};
}

// Keeps only the first message texts and no status texts, which keeps big sweeps small.
class QuietMessages : public IMessages {
 public:
  MsgResult Message(MsgKind, const std::string& text, MsgButtons buttons) override {
    ++count;
    if (texts.size() < 50) texts.push_back(text);
    return buttons == MsgButtons::Ok ? MsgResult::Ok : MsgResult::No;
  }
  int ChooseFromList(const std::string&, const std::vector<std::string>&, const std::string&,
                     const std::string&) override {
    return -1;
  }
  long count = 0;
  std::vector<std::string> texts;
};

}  // namespace zedro::testing
