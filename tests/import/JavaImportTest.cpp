#include <gtest/gtest.h>

#include "ImportTestSupport.h"
#include "model/Notation.h"
#include "model/Win1252.h"

namespace zedro {
namespace {

using testing::CodeOf;
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

  // Arrays of any element type and type arguments belong to the type; "static" stays with
  // the type of an attribute. A field without a modifier is protected.
  EXPECT_EQ(
      testing::Members(*cls),
      (std::vector<std::string>{
          "public preis: double", "protected liste: List<String>",
          "protected zaehler: static int", "private km: int", "private werte: int[][]",
          "private namen: String[]", "public constructor TAuto(km: int; name: String)",
          "public procedure setKm(v: int): void", "public function getKm(): int",
          "public class final function name(args: String[]; x: int): String",
          "public destructor finalize(): void", "protected abstract function gibStand(): int"}));
  EXPECT_EQ(msgs.Texts(),
            (std::vector<std::string>{
                W("Nicht alles in der Java Quelldatei konnte eingelesen werden:\n"
                  "Ein static-Block wurde übergangen.\n"
                  "Die Anfangswerte der Attribute 'preis' wurden nicht übernommen.")}));

  EXPECT_EQ(CodeOf(*cls, "TAuto"), (StringList{"{", "    this.km = km;", "  }"}));
  EXPECT_EQ(CodeOf(*cls, "gibStand"), StringList{});
  // One-line bodies; the member after them is read normally.
  EXPECT_EQ(CodeOf(*cls, "getKm"), (StringList{"{ return km; }"}));
  EXPECT_EQ(CodeOf(*cls, "setKm"), (StringList{"{ km = v; }"}));
  // The body ends where its braces balance.
  const StringList name = CodeOf(*cls, "name");
  EXPECT_EQ(name.size(), 7u);
  EXPECT_EQ(name.back(), "  }");
}

TEST(JavaParser, MalformedSourcesAreReadAsFarAsPossible) {
  const char* const head = "Sytaxerror in Java Quelldatei beim Einlesen des Kopfes der Klasse";
  const std::pair<const char*, const char*> cases[] = {
      {"package p;\n", head},
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

// The tokens of the last line are read like any other: an import there, a class written on
// one line. The end, once reached, stays the end.
TEST(JavaParser, TheLastLineIsReadToo) {
  ScriptedMessages msgs;
  auto cls = ReadJavaClass("/** Paket */\npackage p;\n\nimport a.B;", msgs);
  ASSERT_TRUE(cls);
  ASSERT_TRUE(cls->JavaImports);
  EXPECT_EQ(*cls->JavaImports, (StringList{"a.B"}));
  EXPECT_EQ(cls->Name, "");  // no class: nothing to import
  EXPECT_EQ(msgs.Texts(),
            (std::vector<std::string>{
                "Sytaxerror in Java Quelldatei beim Einlesen des Kopfes der Klasse"}));

  ScriptedMessages one;
  auto a = ReadJavaClass("public class A { private int x; public int g() { return x; } }", one);
  ASSERT_TRUE(a);
  EXPECT_EQ(testing::Members(*a),
            (std::vector<std::string>{"private x: int", "public function g(): int"}));
  EXPECT_TRUE(one.shown.empty());
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

// Java as a course writes it: generic classes and methods, type arguments and arrays of
// any element type, annotations, modifiers in any order, several declarators, literals and
// comments holding braces. Nothing is made up; every declaration passed over is named.
const char* kKurs = R"(import java.util.*;

@SuppressWarnings({"unchecked", "rawtypes"})
public class Box<T extends Comparable<T>> extends Basis<T> implements Iterable<T> {
  private ArrayList<String> namen;
  private int[] punkte;
  private Map<String, List<Integer>> tabelle = new HashMap<String, List<Integer>>(), leer;
  final static int MAX = 10, _min = 1;
  private int größe;
  protected Class<?> typ;
  Class Static;
  private String text = "} { ; int falsch;";
  private char klammer = '{';

  /** Ein Kommentar mit } und { */
  @Override
  public Iterator<T> iterator() { return null; }

  public ArrayList<String> gibNamen() {
    String s = "}"; // }
    /* { */
    return namen;
  }

  public <U> Optional<U> map(Function<? super T, ? extends U> f, int... werte) { return null; }

  static public final synchronized <K, V> void setze(Map<K, V> m) { }

  public native int hash();

  public Box(@Deprecated final T wert) { }

  interface Fahrbar { void fahre(); }
  enum Farbe { ROT, GRUEN; void f() { } }
  record Punkt(int x, int y) { }
  static class Knoten { int wert; }
  static { int x = 1; }
}

enum Draussen { A, B }
)";

TEST(JavaParser, CourseSourcesAreReadWithoutLoss) {
  NotationScope n(2);
  ScriptedMessages msgs;
  auto cls = ReadJavaClass(W(kKurs), msgs);  // in memory as Windows-1252, like a read file
  ASSERT_TRUE(cls);
  EXPECT_EQ(cls->Name, "Box<T extends Comparable<T>>");
  EXPECT_EQ(cls->AncestorName, "Basis<T>");
  EXPECT_EQ(testing::Members(*cls),
            (std::vector<std::string>{
                "protected Static: Class", "protected typ: Class<?>", "protected MAX: static int",
                "protected _min: static int", "private namen: ArrayList<String>",
                "private klammer: char", W("private größe: int"), "private punkte: int[]",
                "private leer: Map<String, List<Integer>>",
                "private tabelle: Map<String, List<Integer>>", "private text: String",
                "public constructor Box(wert: T)",
                "public class final procedure setze(m: Map<K, V>): <K, V> void",
                "public function gibNamen(): ArrayList<String>",
                "public function iterator(): Iterator<T>",
                "public function map(f: Function<? super T, ? extends U>; werte: int...): <U> "
                "Optional<U>"}));
  const StringList gib = CodeOf(*cls, "gibNamen");
  EXPECT_EQ(gib.size(), 5u);
  EXPECT_EQ(gib.back(), "  }");
  ASSERT_EQ(msgs.shown.size(), 1u);
  EXPECT_EQ(msgs.shown[0].text,
            W("Nicht alles in der Java Quelldatei konnte eingelesen werden:\n"
              "Die native Methode 'hash' wurde übergangen.\n"
              "Das innere Interface 'Fahrbar' wurde übergangen.\n"
              "Die innere Aufzählung (enum) 'Farbe' wurde übergangen.\n"
              "Der innere Record 'Punkt' wurde übergangen.\n"
              "Die innere Klasse 'Knoten' wurde übergangen.\n"
              "Ein static-Block wurde übergangen.\n"
              "Die Aufzählung (enum) 'Draussen' wurde übergangen.\n"
              "Die Anfangswerte der Attribute 'tabelle', 'MAX', '_min', 'text', 'klammer' wurden "
              "nicht übernommen."));
}

TEST(JavaParser, InterfacesEnumsAndRecordsAreNamedAndPassedOver) {
  const std::pair<const char*, std::string> cases[] = {
      {"public interface Fahrbar { void fahre(); }\n", "Das Interface 'Fahrbar'"},
      {"enum Farbe { ROT; }\n", W("Die Aufzählung (enum) 'Farbe'")},
      {"public record Punkt(int x) { }\n", "Der Record 'Punkt'"},
      {"@interface Marke { }\n", "Der Annotationstyp 'Marke'"},
  };
  for (const auto& [source, what] : cases) {
    ScriptedMessages msgs;
    auto cls = ReadJavaClass(source, msgs);
    ASSERT_TRUE(cls);
    EXPECT_EQ(cls->Name, "") << source;  // no class: the import says so
    EXPECT_EQ(cls->Methods.Count() + cls->Attributes.Count(), 0) << source;
    EXPECT_EQ(msgs.Texts(),
              (std::vector<std::string>{W("Nicht alles in der Java Quelldatei konnte eingelesen "
                                          "werden:\n") +
                                        what + W(" wurde übergangen.")}))
        << source;
  }
}

}  // namespace
}  // namespace zedro
