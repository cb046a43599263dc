// Shared helpers of the import tests.
#pragma once

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
inline std::unique_ptr<TUMLClass> ReadPascalClassFully(const std::string& unit,
                                                       const std::string& name,
                                                       IMessages& messages) {
  TSourceParser parser("test.pas", SplitSourceLines(unit), messages);
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

inline std::unique_ptr<TUMLClass> ReadJavaClass(const std::string& source, IMessages& messages) {
  TJavaParser parser("Test.java", SplitSourceLines(source), messages);
  return parser.Parse();
}

inline const TMethod* MethodNamed(const TUMLClass& cls, const std::string& name, int nth = 0) {
  for (const TMethod* m : cls.Methods.Items)
    if (m->Name == name && nth-- == 0) return m;
  return nullptr;
}

inline const TAttribute* AttributeNamed(const TUMLClass& cls, const std::string& name) {
  for (const TAttribute* a : cls.Attributes.Items)
    if (a->Name == name) return a;
  return nullptr;
}

// A message sink that keeps only the texts of the boxes (status texts are dropped, which
// keeps big sweeps small).
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
