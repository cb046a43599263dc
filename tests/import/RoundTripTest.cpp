// Every class of the examples and the vehicle project, generated in Pascal and Java and read
// back, keeps its members and bodies; updating from what was read settles on one text.
#include <gtest/gtest.h>

#include <algorithm>

#include "ImportTestSupport.h"
#include "codegen/ExportSupport.h"
#include "codegen/GeneratorRules.h"
#include "codegen/VehicleDiagram.h"
#include "model/MemberCode.h"
#include "model/Notation.h"
#include "persistence/DiagramFile.h"

namespace zedro {
namespace {

using testing::TestDiagram;

StringList Generate(DiagramDocument& doc, TUMLDrawClass& box, int language) {
  ScriptedMessages quiet;
  return language == 1 ? PascalUnitText(doc, box, &quiet) : JavaClassText(doc, box);
}

std::unique_ptr<TUMLClass> ReadBack(const StringList& text, const std::string& name, int language,
                                    ScriptedMessages& msgs) {
  if (language == 2) return TJavaParser(name + ".java", text, msgs).Parse();
  return testing::ReadPascalClassFully(text, name, msgs);
}

// Bodies in the other language are emptied first, so the generator writes placeholders.
void RoundTrip(DiagramDocument& doc, int language, const std::string& what) {
  NotationScope notation(language);
  const bool bodiesInNotation = doc.Language == language;
  int classes = 0;
  for (TUMLDrawClass* box : doc.DrawClasses.Items) {
    TUMLClass& cls = *box->UMLClass;
    if (cls.IsLibraryClass) continue;
    SCOPED_TRACE(what + " " + cls.Name + (language == 1 ? " (Pascal)" : " (Java)"));
    ++classes;
    if (!bodiesInNotation)
      for (TMethod* m : cls.Methods.Items) m->Code.clear();
    const StringList text = Generate(doc, *box, language);
    ScriptedMessages msgs;
    std::unique_ptr<TUMLClass> read = ReadBack(text, cls.Name, language, msgs);
    ASSERT_TRUE(read);
    EXPECT_TRUE(msgs.shown.empty()) << msgs.Texts()[0];
    EXPECT_EQ(read->Name, cls.Name);
    // Pascal writes no "abstract"; Java also for a class with abstract methods.
    EXPECT_EQ(read->IsAbstract,
              language == 2 && codegen::MustBeAbstractInJava(cls, doc.Connections));
    std::string ancestor;
    for (const TConnection* c : doc.Connections.Items)
      if (c->Kind == TConnectionKind::Ist && c->StartBox == box && ancestor.empty())
        ancestor = c->EndBox->UMLClass->Name;
    EXPECT_EQ(read->AncestorName, ancestor);

    std::vector<std::string> got = testing::Members(*read);
    std::sort(got.begin(), got.end());
    EXPECT_EQ(got, testing::MembersAfterReading(cls, language));
    for (const TMethod* m : cls.Methods.Items) {
      const std::string want = testing::MemberText(testing::ExpectedAfterReading(cls, *m, language));
      const TMethod* r = nullptr;
      for (const TMethod* c : read->Methods.Items)
        if (testing::MemberText(*c) == want) r = c;
      if (!r) continue;  // reported above
      if (m->IsAbstract)
        EXPECT_TRUE(r->Code.empty()) << m->Name;
      else if (!m->Code.empty())
        EXPECT_EQ(r->Code, m->Code) << m->Name;
      else if (language == 2 && m->Kind == TMethodKind::Function)  // a query returns a value
        EXPECT_EQ(r->Code, (StringList{"{", W("  //Hier Code einfügen."),
                                       "  return " + JavaDefaultValue(m->ResultType) + ";", "}"}))
            << m->Name;
      else if (language == 2)
        EXPECT_EQ(r->Code, (StringList{"{", W("  //Hier Code einfügen."), "}"})) << m->Name;
      else
        EXPECT_FALSE(r->Code.empty()) << m->Name;
    }

    if (language == 2) {
      ASSERT_TRUE(read->JavaImports);
      EXPECT_EQ(*read->JavaImports, cls.JavaImports ? *cls.JavaImports : StringList{});
    } else {  // the unit names as the generator completed them, with the terminator
      auto names = std::find(cls.InterfaceUses.begin(), cls.InterfaceUses.end(), ";");
      const StringList units(cls.InterfaceUses.begin(), names + (names != cls.InterfaceUses.end()));
      const StringList& uses = read->InterfaceUses;
      EXPECT_EQ(StringList(uses.begin(), uses.begin() + std::min(units.size(), uses.size())),
                units);
    }

    // The first update may still change the text (constructor names, overload order, lines
    // after the uses clause); the second may not.
    cls.UpdateFrom(*read, doc.Purger());
    const StringList second = Generate(doc, *box, language);
    ScriptedMessages again;
    std::unique_ptr<TUMLClass> reread = ReadBack(second, cls.Name, language, again);
    ASSERT_TRUE(reread);
    EXPECT_TRUE(again.shown.empty());
    cls.UpdateFrom(*reread, doc.Purger());
    EXPECT_EQ(Generate(doc, *box, language), second);
  }
  EXPECT_GT(classes, 2);
}

TEST(ImportRoundTrip, BundledExamplesInBothLanguages) {
  for (const char* file : {"Fahrzeuge.urd", "Bank.urd"})
    for (int language : {1, 2}) {
      DiagramDocument doc;
      ScriptedMessages msgs;
      ASSERT_TRUE(
          LoadDiagramFile(doc, std::string(ZEDRO_SOURCE_DIR) + "/examples/" + file, msgs).completed)
          << file;
      doc.AssertParents();
      RoundTrip(doc, language, file);
    }
}

TEST(ImportRoundTrip, VehicleProjectInBothLanguages) {
  for (int language : {1, 2}) {
    TestDiagram d;
    testing::BuildVehicleDiagram(d, language);
    // A final override is written "override" with a warning and reads back as overridable.
    for (TMethod* m : d.Class("TAuto").Methods.Items)
      if (m->Name == "Fahre") m->IsFinal = false;
    RoundTrip(d.doc, language, "vehicles");
  }
}

}  // namespace
}  // namespace zedro
