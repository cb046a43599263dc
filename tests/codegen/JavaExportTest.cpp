#include <gtest/gtest.h>

#include "codegen/CodegenTestSupport.h"
#include "codegen/ExportSupport.h"
#include "codegen/JavaExport.h"
#include "model/Win1252.h"

using namespace zedro;
using namespace zedro::testing;

namespace {

StringList Generate(TestDiagram& d, const std::string& name) {
  TJavaExport generator(d.doc.Connections);
  return generator.Generate(d.Class(name));
}

}  // namespace

TEST(JavaExport, EmptyClass) {
  TestDiagram d;
  d.Box("TX");
  EXPECT_EQ(Generate(d, "TX"),
            (StringList{" /**", "  * import-Liste ", "  * ggf. weiter von Hand anpassen ", "  */",
                        " ", "public class TX {", " ", " /**", "  *  Attribute der Klasse", "  */",
                        " ", " ", " /**", "  *  Attribute die aus Beziehungen resultieren", "  */",
                        " ", "", "/**", " *         TX: Methoden ", " */", "", "}"}));
}

TEST(JavaExport, CompleteClass) {
  TestDiagram d;
  d.Connect("TAuto", TConnectionKind::Ist, "TFahrzeug");
  d.Connect("TAuto", TConnectionKind::Ist,
            "TAnderes");  // Java has one superclass: the first IST counts
  d.Connect("TAuto", TConnectionKind::Hat, "TRad", "4");
  d.Connect("TAuto", TConnectionKind::Hat, "TSitz", "1");
  d.Connect("TAuto", TConnectionKind::Kennt, "TFahrer", "10");
  d.Connect("TAuto", TConnectionKind::Kennt, "TKunde", "n");          // no field for "n"
  d.Connect("TBesitzer", TConnectionKind::Kennt, "TAuto", "1", "1");  // the far end gets no field
  TUMLClass& c = d.Class("TAuto");
  c.IsAbstract = true;
  c.JavaImports = StringList{"java.util.List", "java.io.*"};
  AddAttr(c, "kilometer", "int")->Documentation = {"gefahrene Kilometer"};
  AddAttr(c, "name", "String", TVisibility::Published);
  AddAttr(c, "farbe", "String", TVisibility::Protected);
  AddMeth(c, {"Create", TMethodKind::Constructor, {{"km", "int"}}});
  AddMeth(c, {"fahre", TMethodKind::Procedure, {{"km", "int"}, {"ziel", "String"}}})->Code = {
      "{", "  km++;", "}"};
  AddMeth(c, {"gibStand", TMethodKind::Function, {}, "int", TVisibility::Protected})->IsAbstract =
      true;
  AddMeth(c, {"gibText", TMethodKind::Function, {{"s", "String"}}, "String"})->IsClassMethod = true;
  AddMeth(c, {"zeige", TMethodKind::Procedure, {}, "", TVisibility::Published});
  AddMeth(c, {"Destroy", TMethodKind::Destructor, {{"x", "int"}}, "", TVisibility::Private});

  auto stars = [](const std::string& name, const std::string& vis) {
    std::string s = "/********* " + name + " (" + vis + ") ";
    if (name.size() < 50) s += std::string(50 - name.size(), '*');
    return s + "*/";
  };
  const std::string todo = W("  //Hier Code einfügen.");
  EXPECT_EQ(
      Generate(d, "TAuto"),
      Concat({{" /**", "  * import-Liste ", "  * ggf. weiter von Hand anpassen ", "  */",
               "import java.util.List;", "import java.io.*;", " ",
               "public abstract class TAuto extends TFahrzeug {", " "},
              {" /**", "  *  Attribute der Klasse", "  */", " ", "   public String name;",
               "   protected String farbe;", "   /**", "    * gefahrene Kilometer", "    */",
               "   private int kilometer;", " "},
              {" /**", "  *  Attribute die aus Beziehungen resultieren", "  */", " ",
               "   // private TRad hatTRad1;", "   // private TRad hatTRad2;",
               "   // private TRad hatTRad3;", "   // private TRad hatTRad4;",
               "   // private TSitz hatTSitz;",
               "   // private TFahrer[] kenntTFahrer = new TFahrer[10];", ""},
              {"/**", " *         TAuto: Methoden ", " */", "", stars("zeige", "published"),
               "public void zeige()", "{", todo, "}", ""},
              {stars("Create", "public"), "public TAuto(int km)", "{", todo, "}", "",
               stars("fahre", "public"), "public void fahre(int km, String ziel)", "{", "  km++;",
               "}", ""},
              {stars("gibText", "public"), "public static String gibText(String s)", "{", todo,
               "  return null;", "}", "", stars("gibStand", "protected"),
               "protected abstract int gibStand();", ""},
              {stars("Destroy", "private"), "public void finalize() throws Throwable", "{", todo,
               "}", "", "}"}}));
}

// What javac needs and the diagram does not say: a query returns a value before its body is
// written, a class with abstract methods (its own or inherited and not implemented) is
// abstract, a private abstract method is protected, a published one public, and the
// constructor of a generic class carries its plain name.
TEST(JavaExport, WhatJavacNeeds) {
  TestDiagram d;
  d.Connect("B", TConnectionKind::Ist, "A");
  d.Connect("C", TConnectionKind::Ist, "B");
  AddMeth(d.Class("A"), {"f", TMethodKind::Procedure, {{"x", "int"}}})->IsAbstract = true;
  AddMeth(d.Class("A"), {"g", TMethodKind::Function, {}, "boolean", TVisibility::Private})
      ->IsAbstract = true;
  AddMeth(d.Class("B"), {"g", TMethodKind::Function, {}, "boolean"});
  AddMeth(d.Class("C"), {"f", TMethodKind::Procedure, {{"x", "int"}}});
  AddMeth(d.Class("C"), {"h", TMethodKind::Function, {}, "<T> T", TVisibility::Published});
  AddMeth(d.Class("C"), {"n", TMethodKind::Function, {}, "double"});
  AddMeth(d.Class("C"), {"s", TMethodKind::Procedure, {}, "<T> void"});
  AddMeth(d.Class("C"), {"Create", TMethodKind::Constructor, {{"k", "int"}}});
  auto heading = [&](const std::string& cls) {
    for (const std::string& l : Generate(d, cls))
      if (l.find("class ") != std::string::npos) return l;
    return std::string();
  };
  EXPECT_EQ(heading("A"), "public abstract class A {");
  EXPECT_EQ(heading("B"), "public abstract class B extends A {");  // f is not implemented
  EXPECT_EQ(heading("C"), "public class C extends B {");
  const StringList a = Generate(d, "A");
  EXPECT_NE(std::find(a.begin(), a.end(), "protected abstract boolean g();"), a.end());
  const StringList c = Generate(d, "C");
  auto after = [&](const std::string& line) {
    auto it = std::find(c.begin(), c.end(), line);
    return it == c.end() || it + 3 >= c.end() ? StringList{} : StringList(it + 1, it + 4);
  };
  EXPECT_EQ(after("public <T> T h()"),
            (StringList{"{", W("  //Hier Code einfügen."), "  return null;"}));
  EXPECT_EQ(after("public double n()"),
            (StringList{"{", W("  //Hier Code einfügen."), "  return 0;"}));
  EXPECT_EQ(after("public <T> void s()"), (StringList{"{", W("  //Hier Code einfügen."), "}"}));
  d.Class("C").Name = "C<T>";
  const StringList generic = Generate(d, "C<T>");
  EXPECT_NE(std::find(generic.begin(), generic.end(), "public C(int k)"), generic.end());
}

// Documentation and names written into comments cannot end them: "*/" is broken up, a
// backslash never starts a unicode escape, line breaks become blanks. Read back, the
// attribute is the attribute and nothing else.
TEST(JavaExport, CommentTextCannotEndTheComment) {
  TestDiagram d;
  TUMLClass& c = d.Class("Jahr");
  AddAttr(c, "wert", "int")->Documentation = {"Jahr pro */ Monat", "C:\\users\\x",
                                               "\\\\u002a/ zwei", "a\nb"};
  d.Connect("Jahr", TConnectionKind::Hat, "Jahr", "1");
  const StringList lines = Generate(d, "Jahr");
  auto doc = std::find(lines.begin(), lines.end(), "   /**");
  ASSERT_NE(doc, lines.end());
  EXPECT_EQ(StringList(doc, doc + 7),
            (StringList{"   /**", "    * Jahr pro * / Monat", "    * C:\\\\users\\x",
                        "    * \\\\u002a/ zwei", "    * a b", "    */", "   private int wert;"}));
}
