// Forms of a Java class that a hand-written source uses: abstract classes, written in any of
// their usual ways, and initializer blocks whose braces nest.
#include <gtest/gtest.h>

#include <fstream>

#include "ImportTestSupport.h"
#include "codegen/CodegenTestSupport.h"
#include "diagram/DiagramDocument.h"
#include "import/ClassUpdate.h"
#include "model/Notation.h"

namespace zedro {
namespace {

using testing::ReadJavaClass;

const char* const kMembersMessage =
    "Sytaxerror in Java Quelldatei beim Einlesen der Attribute oder Methoden";

TEST(JavaClassForms, AnAbstractClassIsReadAsAbstractWhereverTheWordStands) {
  const char* const abstractHeadings[] = {
      "public abstract class TForm {",
      "abstract public class TForm {",
      "abstract class TForm {",
      "public abstract strictfp class TForm {",
      "public ABSTRACT class TForm {",  // keywords in any letter case
      "public abstract class TForm extends TBasis implements Runnable {",
  };
  for (const char* heading : abstractHeadings) {
    ScriptedMessages msgs;
    auto cls = ReadJavaClass(std::string("import java.util.*;\n\n/** Eine Form. */\n") + heading +
                                 "\n  private int x;\n}\n",
                             msgs);
    ASSERT_NE(nullptr, cls) << heading;
    EXPECT_EQ(cls->Name, "TForm") << heading;
    EXPECT_TRUE(cls->IsAbstract) << heading;
    EXPECT_EQ(cls->Attributes.Count(), 1) << heading;
    EXPECT_TRUE(msgs.shown.empty()) << heading << ": " << msgs.Texts().front();
  }
  for (const char* heading :
       {"public class TForm {", "public final class TForm {", "class TForm {"}) {
    ScriptedMessages msgs;
    auto cls = ReadJavaClass(std::string(heading) + "\n  protected abstract int f();\n}\n", msgs);
    ASSERT_NE(nullptr, cls) << heading;
    EXPECT_FALSE(cls->IsAbstract) << heading << ": an abstract method makes no abstract class";
  }
}

// The class update takes the kind of the class from its source, in both directions.
TEST(JavaClassForms, UpdatingFromASourceTakesOverWhetherTheClassIsAbstract) {
  NotationScope n(2);
  testing::TempDir dir;
  const std::string path = dir.File("TForm.java");
  auto write = [&path](const std::string& heading) {
    std::ofstream(path) << heading << "\n  private int x;\n\n  public int gibX() {\n"
                        << "    return x;\n  }\n}\n";
  };
  DiagramDocument doc;
  doc.Language = 2;
  TUMLDrawClass* box = doc.AddClassBox(std::make_unique<TUMLClass>("TForm"));
  ASSERT_NE(nullptr, box);
  ASSERT_NE(nullptr, box->UMLClass);
  TUMLClass& cls = *box->UMLClass;

  write("public abstract class TForm {");
  ScriptedMessages msgs;
  ASSERT_TRUE(UpdateFromJavaFile(doc, cls, path, msgs)) << msgs.shown.size() << " messages";
  EXPECT_TRUE(cls.IsAbstract);
  EXPECT_EQ(cls.Attributes.Count(), 1);
  EXPECT_EQ(cls.Methods.Count(), 1);

  write("public class TForm {");
  ASSERT_TRUE(UpdateFromJavaFile(doc, cls, path, msgs));
  EXPECT_FALSE(cls.IsAbstract);
}

// Initializer blocks, static or not, are no members; their inner blocks must not end them early, or
// the members after them are lost and a closing brace is taken for the end of the class.
TEST(JavaClassForms, InitializersWithNestedBlocksKeepEveryMember) {
  const char* const initializers[] = {
      "  static {\n    if (zaehler == 0) {\n      zaehler = 1;\n    }\n  }\n",
      "  static {\n    for (int i = 0; i < 3; i++) { if (i > 1) { zaehler += i; } }\n  }\n",
      "  static { try { zaehler = 1; } catch (Exception e) { } }\n",
      "  {\n    if (x > 0) {\n      x = 0;\n    }\n  }\n",  // an instance initializer
  };
  const std::string members =
      "  private int x;\n"
      "  protected String name;\n\n"
      "  public TZaehler(int x) {\n    this.x = x;\n  }\n\n"
      "  public int gibX() {\n    if (x > 0) {\n      return x;\n    }\n    return 0;\n  }\n";
  const std::vector<std::string> expected{
      "protected name: String", "private x: int", "private zaehler: static int",
      "public constructor TZaehler(x: int)", "public function gibX(): int"};
  for (const char* block : initializers) {
    // The block first, in the middle and last.
    const std::string placements[] = {
        std::string(block) + members,
        "  private int x;\n" + std::string(block) + members.substr(members.find('\n') + 1),
        members + block,
    };
    for (const std::string& body : placements) {
      const std::string source =
          "public class TZaehler {\n  private static int zaehler;\n" + body + "}\n";
      ScriptedMessages msgs;
      auto cls = ReadJavaClass(source, msgs);
      ASSERT_NE(nullptr, cls) << source;
      EXPECT_EQ(testing::Members(*cls), expected) << source;
      EXPECT_FALSE(msgs.Contains(kMembersMessage)) << source;
      EXPECT_EQ(testing::CodeOf(*cls, "gibX").size(), 6u) << source;
    }
  }
}

}  // namespace
}  // namespace zedro
