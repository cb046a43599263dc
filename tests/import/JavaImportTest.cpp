#include <gtest/gtest.h>

#include "ImportTestSupport.h"
#include "model/Notation.h"
#include "model/Win1252.h"

namespace zedro {
namespace {

using testing::MethodNamed;
using testing::ReadJavaClass;

const char* kAuto = R"(import java.util.List;
import java.awt.*;
import static java.lang.Math.max;

/** Ein Auto. */
public abstract class TAuto extends TFahrzeug implements Runnable, Comparable {
  // --- Attribute ---
  private int km;
  static int zaehler;
  private String[] namen;
  private int[][] werte;
  protected List<String> liste;
  public double preis = 3.5;

  public TAuto(int km, final String name) {
    this.km = km;
  }

  public void finalize() throws Throwable {
    super.finalize();
  }

  protected abstract int gibStand();

  public int getKm() { return km; }
  public void setKm(int v) { km = v; }

  static {
    zaehler = 0;
  }

  public static synchronized final String name(String[] args, int x)
  {
    if (x > 0) {
      return "a";
    } else {
      return "b";
    }
  }
}
)";

TEST(JavaParser, ClassHeadingMembersAndBodies) {
  NotationScope n(2);
  ScriptedMessages msgs;
  auto cls = ReadJavaClass(kAuto, msgs);
  ASSERT_NE(nullptr, cls);
  EXPECT_EQ(cls->Name, "TAuto");
  EXPECT_TRUE(cls->IsAbstract);
  EXPECT_EQ(cls->AncestorName, "TFahrzeug");
  ASSERT_TRUE(cls->JavaImports);
  EXPECT_EQ(*cls->JavaImports,
            (StringList{"java.util.List", "java.awt.*", "static java.lang.Math.max"}));

  // Of the array types only String[] is understood, generic types not at all. A field
  // without a modifier is protected.
  EXPECT_EQ(
      testing::Members(*cls),
      (std::vector<std::string>{
          "public preis: double", "protected zaehler: int", "private km: int",
          "private namen: String[]", "public constructor TAuto(km: int; name: String)",
          "public procedure setKm(v: int): void", "public function getKm(): int",
          "public class final function name(args: String[]; x: int): String",
          "public destructor finalize(): void", "protected abstract function gibStand(): int"}));
  EXPECT_EQ(msgs.Texts(),
            (std::vector<std::string>{
                W("Die Deklaration eines Attributes vom Typ 'int' wurde nicht verstanden und "
                  "übergangen."),
                W("Die Deklaration eines Attributes vom Typ 'List' wurde nicht verstanden und "
                  "übergangen.")}));

  const TMethod* constructor = MethodNamed(*cls, "TAuto");
  const TMethod* gibStand = MethodNamed(*cls, "gibStand");
  const TMethod* getKm = MethodNamed(*cls, "getKm");
  const TMethod* setKm = MethodNamed(*cls, "setKm");
  const TMethod* nameMethod = MethodNamed(*cls, "name");
  ASSERT_NE(nullptr, constructor);
  ASSERT_NE(nullptr, gibStand);
  ASSERT_NE(nullptr, getKm);
  ASSERT_NE(nullptr, setKm);
  ASSERT_NE(nullptr, nameMethod);
  EXPECT_EQ(constructor->Code, (StringList{"{", "    this.km = km;", "  }"}));
  EXPECT_TRUE(gibStand->Code.empty());
  // One-line bodies; the member after them is read normally.
  EXPECT_EQ(getKm->Code, (StringList{"{ return km; }"}));
  EXPECT_EQ(setKm->Code, (StringList{"{ km = v; }"}));
  // The body ends where its braces balance.
  const StringList& name = nameMethod->Code;
  EXPECT_EQ(name.size(), 7u);
  EXPECT_EQ(name.back(), "  }");
}

TEST(JavaParser, MalformedSourcesAreReadAsFarAsPossible) {
  const char* const head = "Sytaxerror in Java Quelldatei beim Einlesen des Kopfes der Klasse";
  const std::pair<const char*, const char*> cases[] = {
      {"public interface I { void f(); }\n", head},
      {"public class A extends B\n", head},
      {"public class A {\n  private int x;\n  public",
       "Sytaxerror in Java Quelldatei beim Einlesen der Attribute oder Methoden"},
      {"public class A {\n  private String[ x;\n  int y;\n}\n",
       "Syntaxerror: Schliessende Indexklammer fehlt bei\nString"}};
  for (const auto& [src, message] : cases) {
    ScriptedMessages msgs;
    ASSERT_TRUE(ReadJavaClass(src, msgs));
    EXPECT_TRUE(msgs.Contains(message)) << src;
  }
  // Unbalanced braces: the body runs to the end of the file; more closing braces than
  // opening ones end it at the balancing one.
  ScriptedMessages msgs;
  auto a =
      ReadJavaClass("public class A {\n  public void f() {\n    if (x) {\n  }\n  int y;\n", msgs);
  ASSERT_NE(nullptr, a);
  ASSERT_EQ(a->Methods.Count(), 1);
  EXPECT_EQ(a->Methods.At(0)->Code.size(), 4u);
  auto b = ReadJavaClass(
      "public class A {\n  public void f() { } }\n  public int g() { return 1; }\n}\n", msgs);
  ASSERT_NE(nullptr, b);
  ASSERT_EQ(b->Methods.Count(), 1);
  EXPECT_EQ(b->Methods.At(0)->Code, (StringList{"{ } }"}));
}

// An import on the last line: of that line only "import" is delivered, and the name after
// it meets the end of the file. Giving that end back must not bring back "import", which
// once made the import list grow without end.
TEST(JavaParser, ImportOnTheLastLineEnds) {
  ScriptedMessages msgs;
  auto cls = ReadJavaClass("/** Paket */\npackage p;\n\nimport a.B;", msgs);
  ASSERT_TRUE(cls);
  ASSERT_TRUE(cls->JavaImports);
  EXPECT_EQ(*cls->JavaImports, (StringList{""}));
  EXPECT_EQ(msgs.Texts(),
            (std::vector<std::string>{
                "Sytaxerror in Java Quelldatei beim Einlesen des Kopfes der Klasse"}));
}

// Every prefix of a complete source, cut at any character, is read to its end.
TEST(JavaParser, EveryTruncatedSourceEnds) {
  NotationScope n(2);
  const std::string src = kAuto;
  for (size_t cut = 0; cut <= src.size(); ++cut) {
    ScriptedMessages msgs;
    auto cls = ReadJavaClass(src.substr(0, cut), msgs);
    ASSERT_TRUE(cls) << cut;
    EXPECT_LE(cls->Methods.Count(), 6) << cut;
  }
}

}  // namespace
}  // namespace zedro
