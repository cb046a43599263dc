#include <gtest/gtest.h>

#include "ImportTestSupport.h"
#include "model/Notation.h"
#include "model/Win1252.h"

namespace zedro {
namespace {

using testing::AttributeNamed;
using testing::MethodNamed;
using testing::ReadJavaClass;

// The tokens of src up to the end of the file. The source gets a last line "}" as a file
// normally has one: of the last line only the first token is delivered, and this "}" is
// left out of the result.
std::vector<std::pair<int, std::string>> JavaTokens(const std::string& src) {
  SourceLines lines = SplitSourceLines(src + "\n}");
  ScriptedMessages msgs;
  tJavaLexer lexer(lines, msgs);
  std::vector<std::pair<int, std::string>> out;
  for (ttoken t = lexer.GetNext(); t.Kind != jtEndOfFile && out.size() < 100; t = lexer.GetNext())
    out.emplace_back(t.Kind, t.Text);
  EXPECT_FALSE(out.empty());
  if (!out.empty()) {
    EXPECT_EQ(out.back(), (std::pair<int, std::string>{jtCloseBrace, "}"})) << src;
    out.pop_back();
  }
  return out;
}

TEST(JavaLexer, TokensCommentsAndPushBack) {
  using P = std::pair<int, std::string>;
  EXPECT_EQ(JavaTokens("/** Kommentar\n * mehr */ public"),
            (std::vector<P>{{jtVisibility, "public"}}));
  EXPECT_EQ(JavaTokens("import java.util.*;"),
            (std::vector<P>{{jtImport, "import"}, {jtIdentifier, "java"}, {jtDot, "."},
                            {jtIdentifier, "util"}, {jtDot, "."}, {jtStar, "*"},
                            {jtSemicolon, ";"}}));
  EXPECT_EQ(JavaTokens("_x 1.5 Static"), (std::vector<P>{{jtOther, ""}, {jtIdentifier, "x"},
                                                         {jtReal, "1.5"}, {jtModifier, "Static"}}));
  // A string gets no special treatment: "//" inside it drops the rest of the line.
  EXPECT_EQ(JavaTokens("s = \"a//b\"; c"), (std::vector<P>{{jtIdentifier, "s"}, {jtAssign, "="},
                                                           {jtOther, ""}, {jtIdentifier, "a"}}));


  SourceLines lines = SplitSourceLines("a b\n} c");
  ScriptedMessages msgs;
  tJavaLexer lexer(lines, msgs);
  EXPECT_EQ(lexer.GetNext().Text, "a");
  lexer.PushBack();
  EXPECT_EQ(lexer.GetNext().Text, "a");
  EXPECT_EQ(lexer.GetNext().Text, "b");
  // The first token of the last line is the last one delivered.
  EXPECT_EQ(lexer.GetNext().Text, "}");
  EXPECT_EQ(lexer.GetNext().Kind, jtEndOfFile);
  EXPECT_EQ(lexer.GetNext().Text, "end of file");
  // Giving the end back yields the end again, not the token before it.
  lexer.PushBack();
  EXPECT_EQ(lexer.GetNext().Kind, jtEndOfFile);
  EXPECT_EQ(lexer.GetNext().Kind, jtEndOfFile);
  EXPECT_EQ(msgs.statusTexts.front(), "Nextline: a b");
}

TEST(JavaLexer, UnclosedCommentEnds) {
  SourceLines lines = SplitSourceLines("a /* b\nc\nd");
  ScriptedMessages msgs;
  tJavaLexer lexer(lines, msgs);
  EXPECT_EQ(lexer.GetNext().Text, "a");
  EXPECT_EQ(lexer.GetNext().Kind, jtEndOfFile);
  EXPECT_EQ(lexer.GetNext().Kind, jtEndOfFile);
}

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
  EXPECT_EQ(cls->Name, "TAuto");
  EXPECT_TRUE(cls->IsAbstract);
  EXPECT_EQ(cls->AncestorName, "TFahrzeug");
  ASSERT_TRUE(cls->JavaImports);
  EXPECT_EQ(*cls->JavaImports,
            (StringList{"java.util.List", "java.awt.*", "static java.lang.Math.max"}));

  EXPECT_EQ(AttributeNamed(*cls, "km")->Visibility, kPrivate);
  EXPECT_EQ(AttributeNamed(*cls, "zaehler")->Visibility, kProtected);
  EXPECT_EQ(AttributeNamed(*cls, "zaehler")->TypeName, "int");
  EXPECT_EQ(AttributeNamed(*cls, "namen")->TypeName, "String[]");
  EXPECT_EQ(AttributeNamed(*cls, "werte"), nullptr);  // of the array types only String[]
  EXPECT_EQ(AttributeNamed(*cls, "preis")->Visibility, kPublic);
  EXPECT_EQ(AttributeNamed(*cls, "liste"), nullptr);  // generic types are not understood
  EXPECT_EQ(msgs.Texts(),
            (std::vector<std::string>{
                W("Die Deklaration eines Attributes vom Typ 'int' wurde nicht verstanden und "
                  "übergangen."),
                W("Die Deklaration eines Attributes vom Typ 'List' wurde nicht verstanden und "
                  "übergangen.")}));

  const TMethod* ctor = MethodNamed(*cls, "TAuto");
  ASSERT_NE(ctor, nullptr);
  EXPECT_EQ(ctor->Kind, kConstructor);
  ASSERT_EQ(ctor->Parameters.size(), 2u);
  EXPECT_EQ(ctor->Parameters[0].Name, "km");
  EXPECT_EQ(ctor->Parameters[0].TypeName, "int");
  EXPECT_EQ(ctor->Parameters[1].Name, "name");
  EXPECT_EQ(ctor->Code, (StringList{"{", "    this.km = km;", "  }"}));
  EXPECT_EQ(MethodNamed(*cls, "finalize")->Kind, kDestructor);

  const TMethod* stand = MethodNamed(*cls, "gibStand");
  EXPECT_TRUE(stand->IsAbstract);
  EXPECT_EQ(stand->Kind, kFunction);
  EXPECT_EQ(stand->ResultType, "int");
  EXPECT_EQ(stand->Visibility, kProtected);
  EXPECT_TRUE(stand->Code.empty());

  // One-line bodies; the member after them is read normally.
  EXPECT_EQ(MethodNamed(*cls, "getKm")->Code, (StringList{"{ return km; }"}));
  const TMethod* set = MethodNamed(*cls, "setKm");
  EXPECT_EQ(set->Kind, kProcedure);
  EXPECT_EQ(set->ResultType, "void");
  EXPECT_EQ(set->Code, (StringList{"{ km = v; }"}));

  const TMethod* name = MethodNamed(*cls, "name");
  EXPECT_TRUE(name->IsClassMethod);
  EXPECT_TRUE(name->IsFinal);
  EXPECT_EQ(name->Parameters[0].TypeName, "String[]");
  // The body ends where its braces balance.
  EXPECT_EQ(name->Code.size(), 7u);
  EXPECT_EQ(name->Code.back(), "  }");
  EXPECT_EQ(cls->Methods.Count(), 6);
  EXPECT_EQ(cls->Attributes.Count(), 4);
}

TEST(JavaParser, MalformedSourcesAreReadAsFarAsPossible) {
  struct Case {
    const char* src;
    const char* message;
  };
  const Case cases[] = {
      {"public interface I { void f(); }\n", "Sytaxerror in Java Quelldatei beim Einlesen des Kopfes der Klasse"},
      {"public class A extends B\n", "Sytaxerror in Java Quelldatei beim Einlesen des Kopfes der Klasse"},
      {"public class A {\n  private int x;\n  public", "Sytaxerror in Java Quelldatei beim Einlesen der Attribute oder Methoden"},
      {"public class A {\n  private String[ x;\n  int y;\n}\n", "Syntaxerror: Schliessende Indexklammer fehlt bei\nString"},
  };
  for (const Case& c : cases) {
    ScriptedMessages msgs;
    auto cls = ReadJavaClass(c.src, msgs);
    ASSERT_TRUE(cls);
    EXPECT_TRUE(msgs.Contains(c.message)) << c.src;
  }
  // Unbalanced braces in a body: the body runs to the end of the file, nothing hangs.
  ScriptedMessages msgs;
  auto cls = ReadJavaClass("public class A {\n  public void f() {\n    if (x) {\n  }\n  int y;\n", msgs);
  EXPECT_EQ(cls->Name, "A");
  ASSERT_EQ(cls->Methods.Count(), 1);
  EXPECT_EQ(cls->Methods.At(0)->Code.size(), 4u);
  // More closing braces than opening ones end the body at the balancing one.
  ScriptedMessages m2;
  auto b = ReadJavaClass("public class A {\n  public void f() { } }\n  public int g() { return 1; }\n}\n", m2);
  EXPECT_EQ(b->Methods.Count(), 1);
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
  EXPECT_EQ(msgs.Texts(), (std::vector<std::string>{
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
