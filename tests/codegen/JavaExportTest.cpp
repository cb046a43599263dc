#include <gtest/gtest.h>

#include "codegen/CodegenTestSupport.h"
#include "codegen/ExportSupport.h"
#include "codegen/JavaExport.h"

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
  d.Connect("TAuto", kIst, "TFahrzeug");
  d.Connect("TAuto", kIst, "TAnderes");  // Java has one superclass: the first IST counts
  d.Connect("TAuto", kHat, "TRad", "4");
  d.Connect("TAuto", kHat, "TSitz", "1");
  d.Connect("TAuto", kKennt, "TFahrer", "10");
  d.Connect("TAuto", kKennt, "TKunde", "n");          // no field for "n"
  d.Connect("TBesitzer", kKennt, "TAuto", "1", "1");  // the far end gets no field
  TUMLClass& c = d.Class("TAuto");
  c.IsAbstract = true;
  c.JavaImports = StringList{"java.util.List", "java.io.*"};
  AddAttr(c, "kilometer", "int")->Documentation = {"gefahrene Kilometer"};
  AddAttr(c, "name", "String", kPublished);
  AddAttr(c, "farbe", "String", kProtected);
  AddMeth(c, {"Create", kConstructor, {{"km", "int"}}});
  AddMeth(c, {"fahre", kProcedure, {{"km", "int"}, {"ziel", "String"}}})->Code = {"{", "  km++;",
                                                                                  "}"};
  AddMeth(c, {"gibStand", kFunction, {}, "int", kProtected})->IsAbstract = true;
  AddMeth(c, {"gibText", kFunction, {{"s", "String"}}, "String"})->IsClassMethod = true;
  AddMeth(c, {"zeige", kProcedure, {}, "", kPublished});
  AddMeth(c, {"Destroy", kDestructor, {{"x", "int"}}, "", kPrivate});

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
