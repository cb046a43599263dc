#include <gtest/gtest.h>

#include "codegen/CodegenTestSupport.h"
#include "codegen/ExportSupport.h"
#include "codegen/PascalExport.h"
#include "model/Messages.h"
#include "model/Notation.h"

using namespace zedro;
using namespace zedro::testing;

namespace {

const std::string kRule =
    "//+---------------------------------------------------------------------";

StringList Generate(TestDiagram& d, const std::string& name, IMessages* messages = nullptr) {
  TConnectionList connections = PascalConnections(d.doc);
  return TPascalExport(connections, messages).Generate(d.Class(name));
}

// The lines between "type" and "   end;".
StringList Declaration(const StringList& lines) {
  auto from = std::find(lines.begin(), lines.end(), "type");
  if (from == lines.end()) return {};
  return StringList(from + 1, std::find(from, lines.end(), "   end;"));
}

StringList Fields(const StringList& lines) {
  StringList out;
  for (const std::string& l : lines)
    if (l.rfind("        //", 0) == 0) out.push_back(l);
  return out;
}

}  // namespace

TEST(PascalExport, EmptyClass) {
  TestDiagram d;
  d.Box("TX");
  EXPECT_EQ(
      Generate(d, "TX"),
      (StringList{"interface", "",
                  W("//--------------------  ggf Uses-Liste einfügen !  --------------------"),
                  "//uses ....;", "", "type", "  TX = class", "", "   end;", "", "implementation",
                  "", kRule, "//|         TX: Methodendefinition ", kRule, "", "end."}));
}

TEST(PascalExport, CompleteUnitWithRelationshipsAndMethods) {
  TestDiagram d;
  d.Box("TFahrzeug", "mTFahrzeug.pas");
  d.Box("TAuto", "mTAuto.pas");
  d.Box("TKunde", "mTKunde.pas");
  AddMeth(d.Class("TFahrzeug"), {"GibName", TMethodKind::Function, {}, "String"});
  TUMLClass& autoClass = d.Class("TAuto");
  AddAttr(autoClass, "km", "Integer");
  AddMeth(autoClass, {"Fahre", TMethodKind::Procedure, {{"km", "Integer"}}});
  AddMeth(autoClass, {"GibName", TMethodKind::Function, {}, "String"})->Code = {
      "begin", "  Result := 'Auto';", "end;"};
  AddMeth(autoClass, {"Zeichne"})->IsAbstract = true;
  d.Connect("TAuto", TConnectionKind::Ist, "TFahrzeug");
  d.Connect("TAuto", TConnectionKind::Hat, "TRad", "3");  // TRad has no unit yet
  d.Connect("TKunde", TConnectionKind::Kennt, "TAuto", "1", "n");

  EXPECT_EQ(
      Generate(d, "TAuto"),
      Concat({{"interface", "",
               "//--------------------  ggf Uses-Liste anpassen !  --------------------",
               "uses mTFahrzeug;", "//uses mTRad ??", "", "type"},
              {"  TAuto = class(TFahrzeug)", "", "  private //Attribute", "    km : Integer;", "",
               "     //Objektbeziehungen:", "        // hatTRad1, // hatTRad2, // hatTRad3 : TRad;",
               "        // kenntTKunde (n) of TKunde;", "", "  public //Methoden",
               "    procedure Fahre (km: Integer); virtual;",
               "    procedure Zeichne; virtual; abstract;",
               "    function GibName : String; override;", "", "   end;"},
              {"", "implementation", "", "uses mTKunde;", "", kRule,
               "//|         TAuto: Methodendefinition ", kRule, ""},
              {"//-------- Fahre (public) ----------------------------------------------",
               "procedure TAuto.Fahre (km: Integer);", "begin", W("  //Hier Code einfügen."),
               "end;", "", "//-------- GibName (public) " + std::string(44, '-'),
               "function TAuto.GibName : String;", "begin", "  Result := 'Auto';", "end;", "",
               "end."}}));
  EXPECT_EQ(autoClass.InterfaceUses, (StringList{"mTFahrzeug", ";"}));
  EXPECT_EQ(autoClass.ImplementationUses, (StringList{"mTKunde", ";"}));
}

TEST(PascalExport, GeneratingTwiceInsertsRelatedUnitsOnce) {
  TestDiagram d;
  d.Box("TA", "mTA.pas");
  d.Box("TB", "mTB.pas");
  d.Box("TC", "mTC.pas");
  d.Connect("TA", TConnectionKind::Hat, "TB", "1");
  d.Connect("TA", TConnectionKind::Kennt, "TC", "1");
  d.Connect("TA", TConnectionKind::Kennt, "TC", "2");
  d.Connect("TA", TConnectionKind::Hat, "TD", "1");  // TD has no source file
  StringList first = Generate(d, "TA");
  StringList second = Generate(d, "TA");
  EXPECT_EQ(first, second);
  EXPECT_EQ(d.Class("TA").InterfaceUses, (StringList{"mTC", "mTB", ";"}));
  EXPECT_EQ(std::count(second.begin(), second.end(), "//uses mTD ??"), 1);
  d.Class("TA").InterfaceUses = {"MTB", ";"};  // unit names ignore letter case
  Generate(d, "TA");
  EXPECT_EQ(d.Class("TA").InterfaceUses, (StringList{"mTC", "MTB", ";"}));
}

TEST(PascalExport, UsesClauses) {
  TestDiagram d;
  TUMLClass& c = d.Class("TX");
  auto usesLines = [&](StringList uses) {  // between "interface" and "type"
    c.InterfaceUses = std::move(uses);
    StringList lines = Generate(d, "TX");
    return StringList(lines.begin() + 2, std::find(lines.begin(), lines.end(), "type"));
  };
  const std::string adapt =
      "//--------------------  ggf Uses-Liste anpassen !  --------------------";
  // Seven names fill the first line; the terminator then goes on a line of its own.
  EXPECT_EQ(usesLines({"U1", "U2", "U3", "U4", "U5", "U6", "U7", ";"}),
            (StringList{adapt, "uses U1, U2, U3, U4, U5, U6, U7", "     ;", ""}));
  EXPECT_EQ(usesLines({"U1", "U2", "U3", "U4", "U5", "U6", "U7", "U8", ";"}),
            (StringList{adapt, "uses U1, U2, U3, U4, U5, U6, U7, ", "     U8;", ""}));
  // Lines that followed the uses clause of an imported unit come back, empty runs collapsed.
  EXPECT_EQ(usesLines({"Classes", ";", "", "", "const", "  Max = 10;", "", "", ""}),
            (StringList{adapt, "uses Classes;", "", "const", "  Max = 10;", "", ""}));
  EXPECT_EQ(usesLines({"A", "B"}), (StringList{adapt, "uses A, B;", ""}));  // lost terminator
}

TEST(PascalExport, RelationshipFields) {
  TestDiagram d;
  for (const char* m : {"1", "5", "6", "n", "0"}) d.Connect("TA", TConnectionKind::Hat, "TRad", m);
  d.Connect("TA", TConnectionKind::Kennt, "TB", "1");
  d.Connect("TC", TConnectionKind::Kennt, "TA", "0", "");  // the far end gets a backward line
  d.Connect("TA", TConnectionKind::Auftrag, "TD", "");     // messages and notes need no unit
  d.Connect("TA", TConnectionKind::ClassInfo, "TA");
  StringList lines = Generate(d, "TA");
  EXPECT_EQ(
      Declaration(lines),
      (StringList{"  TA = class", "", "     //Objektbeziehungen:", "        // hatTRad : TRad;",
                  "        // hatTRad1, // hatTRad2, // hatTRad3, // hatTRad4, // hatTRad5 : "
                  "TRad;",
                  "        // hatTRad : array[1..6] of TRad;", "        // hatTRad (n) of TRad;",
                  "        // kenntTB : TB;", "        // kenntTC () of TC;",
                  "        // kenntTD () of TD;", "        // kenntTA () of TA;", ""}));
  EXPECT_TRUE(Fields(Generate(d, "TD")).empty());

  // Multiplicity 0 writes no field, but the heading still appears.
  TestDiagram k;
  k.Connect("TA", TConnectionKind::Hat, "TB", "0");
  EXPECT_EQ(Declaration(Generate(k, "TA")),
            (StringList{"  TA = class", "", "     //Objektbeziehungen:", ""}));
}

TEST(PascalExport, InheritedMethodFoundInGrandparentAndCircularInheritanceEnds) {
  NotationScope java(2);  // Delphi notation is written whatever the active window shows
  TestDiagram d;
  AddMeth(d.Class("TA"), {"Tu", TMethodKind::Procedure, {{"n", "Integer"}}});
  d.Connect("TC", TConnectionKind::Ist, "TB");
  d.Connect("TB", TConnectionKind::Ist, "TA");
  AddMeth(d.Class("TC"), {"tu", TMethodKind::Procedure, {{"N", "integer"}}});
  EXPECT_EQ(Declaration(Generate(d, "TC"))[3], "    procedure tu (N: integer); override;");
  d.Class("TA").Parent = &d.Class("TC");
  AddMeth(d.Class("TC"), {"Neu"});
  EXPECT_EQ(Declaration(Generate(d, "TC"))[3], "    procedure Neu; virtual;");
}

// A class never names its own unit, nor the unit it shares with another class.
TEST(PascalExport, AUnitNeverUsesItself) {
  TestDiagram d;
  d.Box("TKnoten", "mTKnoten.pas");
  d.Box("TListe", "Listen.pas");
  d.Box("TEintrag", "listen.pas");
  d.Box("TNeu");
  d.Connect("TKnoten", TConnectionKind::Kennt, "TKnoten", "1", "1");
  d.Connect("TListe", TConnectionKind::Hat, "TEintrag", "n");
  d.Connect("TEintrag", TConnectionKind::Kennt, "TListe", "1", "1");
  d.Connect("TNeu", TConnectionKind::Kennt, "TNeu", "2", "1");
  for (const char* name : {"TKnoten", "TListe"}) {
    Generate(d, name);
    EXPECT_EQ(d.Class(name).InterfaceUses.size() + d.Class(name).ImplementationUses.size(), 0u);
  }
  StringList neu = Generate(d, "TNeu");
  EXPECT_EQ(std::count(neu.begin(), neu.end(), "//uses mTNeu ??"), 0);
}

TEST(PascalExport, FormClassGetsVarBlockAndResourceDirective) {
  TestDiagram d;
  d.Connect("TForm1", TConnectionKind::Ist, "TBasisForm");
  d.Connect("TBasisForm", TConnectionKind::Ist, "TFORM");
  d.doc.AssertParents();
  StringList lines = Generate(d, "TForm1");
  auto end = std::find(lines.begin(), lines.end(), "   end;");
  ASSERT_GE(std::distance(end, lines.end()), 9);
  EXPECT_EQ(StringList(end, end + 9), (StringList{"   end;", "", "var", "  Form1:  TForm1;", "",
                                                  "implementation", "", "{$R *.DFM}", ""}));
  StringList formLines = Generate(d, "TFORM");  // TForm itself is no form class
  EXPECT_EQ(std::count(formLines.begin(), formLines.end(), "var"), 0);
}

TEST(PascalExport, SeparatorsAreSeventyTwoCharactersUntilTheNameIsTooLong) {
  TestDiagram d;
  TUMLClass& c = d.Class("TX");
  AddMeth(c, {"Privat", TMethodKind::Procedure, {}, "", TVisibility::Private});
  AddMeth(c, {"Offen", TMethodKind::Procedure, {}, "", TVisibility::Published});
  const std::string longName(51, 'L');
  AddMeth(c, {longName});
  StringList separators;
  for (const std::string& l : Generate(d, "TX"))
    if (l.rfind("//-------- ", 0) == 0) separators.push_back(l);
  EXPECT_EQ(separators, (StringList{"//-------- Privat (private) " + std::string(44, '-'),
                                    "//-------- " + longName + " (public) ",
                                    "//-------- Offen (published) " + std::string(43, '-')}));
}

TEST(ExportSupport, UnitNamesHeadingsAndFileNames) {
  EXPECT_EQ(UnitNameOfFile("C:\\Projekt\\mTAuto.pas"), "mTAuto");
  EXPECT_EQ(UnitNameOfFile("/tmp/x.y/Unit1.PAS"), "Unit1");
  EXPECT_EQ(WithUnitHeading({"interface"}, "mTAuto"),
            (StringList{"UNIT mTAuto;", "", "interface"}));
  TestDiagram d;
  TUMLDrawClass* box = d.Box("TAuto");
  EXPECT_EQ(ProposedFileName(*box, 2), "TAuto.java");
  box->SourceFileName = "Auto.pas";
  EXPECT_EQ(ExportFileName(*box, 1), "Auto.pas");
  // The Pascal file is not overwritten; a Java class goes to a file of its own name.
  EXPECT_EQ(ExportFileName(*box, 2), "TAuto.java");
  box->SourceFileName = "../../etc/Auto.pas";         // from a damaged diagram file
  EXPECT_EQ(ExportFileName(*box, 1), "Auto.pas");
  box->SourceFileName = "";
  box->UMLClass->Name = "Box<T>";  // read from a generic Java class
  EXPECT_EQ(ExportFileName(*box, 2), "Box.java");
  box->UMLClass->Name = "../T";
  EXPECT_EQ(ExportFileName(*box, 1), "");
}

// A unit uses the unit of every other class of the main diagram that its declarations name,
// also when no relationship is drawn (any more): attribute, parameter and result types.
TEST(PascalExport, UnitsOfClassesNamedInDeclarationsAreUsed) {
  TestDiagram d;
  d.Box("TA", "mTA.pas");
  for (const char* name : {"TRad", "TMotor", "TFahrer", "TZiel", "TNie"}) d.Box(name, std::string("m") + name + ".pas");
  d.Box("TNeu");                                   // never exported: a placeholder
  d.Box("TListe")->UMLClass->IsLibraryClass = true;  // its unit is unknown to Zedro
  TUMLClass& a = d.Class("TA");
  AddAttr(a, "hatTRad", "TRad");  // its HAT was deleted; the attribute stayed
  AddAttr(a, "motoren", "array [1..4] of TMotor");
  AddAttr(a, "liste", "TListe");
  AddAttr(a, "neu", "TNeu");
  AddAttr(a, "selbst", "TA");
  AddMeth(a, {"Setze", TMethodKind::Procedure, {{"VAR f", "TFahrer"}}});
  AddMeth(a, {"Wohin", TMethodKind::Function, {}, "tziel"});  // letter case as Pascal reads it
  AddMeth(a, {"Nie", TMethodKind::Procedure, {}, "TNie"});    // a procedure has no result type
  d.Connect("TA", TConnectionKind::Hat, "TMotor", "4");
  d.Connect("TFahrer", TConnectionKind::Kennt, "TA", "1",
            "1");  // would be named again in the implementation
  TConnectionList connections = PascalConnections(d.doc);
  StringList lines = TPascalExport(connections, nullptr, &d.doc.DrawClasses).Generate(a);
  // Each goes to the front, in the order of the boxes, after those of the relationships.
  EXPECT_EQ(a.InterfaceUses, (StringList{"mTZiel", "mTFahrer", "mTRad", "mTMotor", ";"}));
  EXPECT_EQ(a.ImplementationUses, (StringList{"mTFahrer", ";"}));
  const std::string unit = [&] {
    std::string s;
    for (const std::string& l : lines) s += l + "\n";
    return s;
  }();
  EXPECT_NE(unit.find("uses mTZiel, mTFahrer, mTRad, mTMotor;\n//uses mTNeu ??\n"),
            std::string::npos)
      << unit;
  // The unit the interface part uses is not named again in the implementation part.
  EXPECT_NE(unit.find("implementation\n\n//+---"), std::string::npos) << unit;
}

// Free text in comments cannot end them early or break the line of a line comment; a class
// that inherits from itself (drawn in a circle) is declared without an ancestor.
TEST(PascalExport, CommentsHoldTheirTextAndCircularInheritanceIsLeftOut) {
  TestDiagram d;
  d.Box("TA", "mTA.pas");
  d.Box("TB", "mTB.pas");
  d.Connect("TA", TConnectionKind::Kennt, "TB", "n\nbegin");
  d.Connect("TA", TConnectionKind::Ist, "TB");
  d.Connect("TB", TConnectionKind::Ist, "TA");
  const StringList lines = Generate(d, "TA");
  EXPECT_EQ(Fields(lines), (StringList{"        // kenntTB (n begin) of TB;"}));
  EXPECT_EQ(Declaration(lines).at(0), "  TA = class");
  EXPECT_EQ(d.Class("TB").InterfaceUses, StringList{});  // no unit uses the other for it
  Generate(d, "TB");
  EXPECT_EQ(d.Class("TB").InterfaceUses, StringList{});
  d.Connect("TC", TConnectionKind::Ist, "TC");
  EXPECT_EQ(Declaration(Generate(d, "TC")).at(0), "  TC = class");
}

// A sub-diagram that shows a relationship of the main diagram again, between boxes of the
// same classes or between their objects, does not write its field lines a second time.
TEST(PascalExport, RelationshipsShownAgainInSubDiagramsAreWrittenOnce) {
  TestDiagram d;
  d.Connect("TAuto", TConnectionKind::Hat, "TRad", "4");
  DiagramDocument* sub = d.doc.AddSubDiagram("Objekte");
  TUMLDrawClass* autoBox = sub->AddBoxForClass(&d.Class("TAuto"));
  TUMLDrawClass* radBox = sub->AddBoxForClass(&d.Class("TRad"));
  sub->AddConnection(autoBox, 2, radBox, 30, TConnectionKind::Hat)->EndText = "4";
  sub->AddConnection(sub->AddObjectBox(&d.Class("TAuto"), 0, 0), 2,
                     sub->AddObjectBox(&d.Class("TRad"), 0, 0), 30, TConnectionKind::Hat)
      ->EndText = "1";
  sub->AddConnection(autoBox, 2, radBox, 30, TConnectionKind::Kennt)->EndText =
      "1";  // a relationship of its own
  EXPECT_EQ(Fields(Generate(d, "TAuto")),
            (StringList{"        // hatTRad1, // hatTRad2, // hatTRad3, // hatTRad4 : TRad;",
                        "        // kenntTRad : TRad;"}));
}
