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
  TPascalExport generator(connections, messages);
  return generator.Generate(d.Class(name));
}

// The lines between the class heading and "   end;".
StringList Declaration(const StringList& lines) {
  StringList out;
  bool in = false;
  for (const std::string& l : lines) {
    if (l == "   end;") break;
    if (in) out.push_back(l);
    if (l == "type") in = true;
  }
  return out;
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
  d.Box("TRad");  // never exported: no unit yet
  TUMLClass& fahrzeug = d.Class("TFahrzeug");
  AddMeth(fahrzeug, {"GibName", kFunction, {}, "String"});
  TUMLClass& autoClass = d.Class("TAuto");
  AddAttr(autoClass, "km", "Integer");
  AddMeth(autoClass, {"Fahre", kProcedure, {{"km", "Integer"}}});
  AddMeth(autoClass, {"GibName", kFunction, {}, "String"})->Code = {"begin", "  Result := 'Auto';",
                                                                    "end;"};
  AddMeth(autoClass, {"Zeichne"})->IsAbstract = true;
  d.Connect("TAuto", kIst, "TFahrzeug");
  d.Connect("TAuto", kHat, "TRad", "3");
  d.Connect("TKunde", kKennt, "TAuto", "1", "n");

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
  // The related units stay in the class's uses lists.
  EXPECT_EQ(autoClass.InterfaceUses, (StringList{"mTFahrzeug", ";"}));
  EXPECT_EQ(autoClass.ImplementationUses, (StringList{"mTKunde", ";"}));
}

TEST(PascalExport, GeneratingTwiceInsertsRelatedUnitsOnce) {
  TestDiagram d;
  d.Box("TA", "mTA.pas");
  d.Box("TB", "mTB.pas");
  d.Box("TC", "mTC.pas");
  d.Connect("TA", kHat, "TB", "1");
  d.Connect("TA", kKennt, "TC", "1");
  d.Connect("TA", kKennt, "TC", "2");  // a second relationship to the same unit
  d.Connect("TA", kHat, "TD", "1");    // TD has no source file
  StringList first = Generate(d, "TA");
  StringList second = Generate(d, "TA");
  EXPECT_EQ(first, second);
  EXPECT_EQ(d.Class("TA").InterfaceUses, (StringList{"mTC", "mTB", ";"}));
  EXPECT_EQ(std::count(second.begin(), second.end(), "//uses mTD ??"), 1);
  // Unit names compare without regard to letter case.
  d.Class("TA").InterfaceUses = {"MTB", ";"};
  Generate(d, "TA");
  EXPECT_EQ(d.Class("TA").InterfaceUses, (StringList{"mTC", "MTB", ";"}));
}

TEST(PascalExport, UsesClauses) {
  TestDiagram d;
  TUMLClass& c = d.Class("TX");
  // The lines between "interface" and "type".
  auto usesLines = [&](StringList uses) {
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
  StringList thirteen;
  for (int i = 1; i <= 13; ++i) thirteen.push_back("U" + std::to_string(i));
  thirteen.push_back(";");
  EXPECT_EQ(usesLines(thirteen), (StringList{adapt, "uses U1, U2, U3, U4, U5, U6, U7, ",
                                             "     U8, U9, U10, U11, U12, U13", "     ;", ""}));
  // Lines that followed the uses clause of an imported unit come back, empty runs collapsed.
  EXPECT_EQ(usesLines({"Classes", ";", "", "", "const", "  Max = 10;", "", "", ""}),
            (StringList{adapt, "uses Classes;", "", "const", "  Max = 10;", "", ""}));
  EXPECT_EQ(
      usesLines({}),
      (StringList{W("//--------------------  ggf Uses-Liste einfügen !  --------------------"),
                  "//uses ....;", ""}));
  // A list that lost its terminator keeps all its names.
  EXPECT_EQ(usesLines({"A", "B"}), (StringList{adapt, "uses A, B;", ""}));
  // Without units, only the trailing lines are written.
  EXPECT_EQ(usesLines({";", "", "//uses ....;", "const K = 1;"}),
            (StringList{"", "//uses ....;", "const K = 1;", ""}));

  // In the implementation part: the list, then a placeholder for a class without a unit.
  d.Box("TA", "mTA.pas");
  d.Connect("TB", kKennt, "TA", "1", "2");  // TB has no source file
  d.Connect("TC", kKennt, "TA", "1", "");   // no multiplicity back: no unit needed
  d.Class("TA").ImplementationUses = {"SysUtils", ";"};
  StringList lines = Generate(d, "TA");
  auto impl = std::find(lines.begin(), lines.end(), "implementation");
  ASSERT_NE(impl, lines.end());
  EXPECT_EQ(StringList(impl, impl + 7),
            (StringList{"implementation", "", "uses SysUtils;", "", "//uses mTB ??", "", kRule}));
}

TEST(PascalExport, RelationshipFields) {
  TestDiagram d;
  for (const char* m : {"1", "5", "6", "n", "0"}) d.Connect("TA", kHat, "TRad", m);
  d.Connect("TA", kKennt, "TB", "1");
  EXPECT_EQ(
      Fields(Generate(d, "TA")),
      Concat({{"        // hatTRad : TRad;"},
              {"        // hatTRad1, // hatTRad2, // hatTRad3, // hatTRad4, // hatTRad5 : TRad;"},
              {"        // hatTRad : array[1..6] of TRad;", "        // hatTRad (n) of TRad;",
               "        // kenntTB : TB;"}}));

  // Multiplicity 0 writes no field, but the heading still appears; the far end of a KENNT
  // relationship gets a backward line.
  TestDiagram k;
  k.Connect("TA", kKennt, "TB", "0", "");
  EXPECT_EQ(Declaration(Generate(k, "TA")),
            (StringList{"  TA = class", "", "     //Objektbeziehungen:", ""}));
  EXPECT_EQ(Fields(Generate(k, "TB")), (StringList{"        // kenntTA () of TA;"}));

  // Messages and class notes give comment lines, but need no unit and give the receiver no
  // backward line.
  TestDiagram m;
  m.Box("TB", "mTB.pas");
  m.Connect("TA", kAuftrag, "TB", "");
  m.Connect("TA", kAnfrage, "TB", "GibWert", "Integer");
  m.Connect("TA", kClassInfo, "TA");
  StringList lines = Generate(m, "TA");
  EXPECT_EQ(
      Declaration(lines),
      (StringList{"  TA = class", "", "     //Objektbeziehungen:", "        // kenntTB () of TB;",
                  "        // kenntTB (GibWert) of TB;", "        // kenntTA () of TA;", ""}));
  EXPECT_TRUE(m.Class("TA").InterfaceUses.empty());
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "//uses ....;"), 1);
  EXPECT_TRUE(Fields(Generate(m, "TB")).empty());
}

TEST(PascalExport, AUnitNeverUsesItself) {
  TestDiagram d;
  d.Box("TKnoten", "mTKnoten.pas");
  d.Box("TListe", "Listen.pas");
  d.Box("TEintrag", "listen.pas");  // kept in the same unit as TListe
  d.Box("TNeu");                    // no unit yet
  d.Connect("TKnoten", kHat, "TKnoten", "1");
  d.Connect("TKnoten", kKennt, "TKnoten", "1", "1");
  d.Connect("TListe", kHat, "TEintrag", "n");
  d.Connect("TEintrag", kKennt, "TListe", "1", "1");
  d.Connect("TNeu", kKennt, "TNeu", "2", "1");

  EXPECT_EQ(Fields(Generate(d, "TKnoten")),
            (StringList{"        // hatTKnoten : TKnoten;", "        // kenntTKnoten : TKnoten;",
                        "        // kenntTKnoten : TKnoten;"}));
  Generate(d, "TListe");
  for (const char* name : {"TKnoten", "TListe"}) {
    EXPECT_TRUE(d.Class(name).InterfaceUses.empty()) << name;
    EXPECT_TRUE(d.Class(name).ImplementationUses.empty()) << name;
  }
  StringList neu = Generate(d, "TNeu");
  EXPECT_EQ(std::count(neu.begin(), neu.end(), "//uses mTNeu ??"), 0);
}

TEST(PascalExport, DirectivesForOverloadsOverridesAndFinalMethods) {
  TestDiagram d;
  TUMLClass& base = d.Class("TBasis");
  AddMeth(base, {"Fahre"});
  AddMeth(base, {"Halte"})->IsFinal = true;
  TUMLClass& c = d.Class("TAuto");
  d.Connect("TAuto", kIst, "TBasis");
  AddMeth(c, {"Setze", kProcedure, {{"x", "Integer"}}});
  AddMeth(c, {"setze", kProcedure, {{"s", "String"}}});
  AddMeth(c, {"Zeige", kProcedure, {{"x", "Integer"}}})->IsAbstract = true;
  AddMeth(c, {"Zeige", kProcedure, {{"s", "String"}}})->IsAbstract = true;
  AddMeth(c, {"FAHRE"})->IsFinal = true;  // final, but overrides TBasis.Fahre
  AddMeth(c, {"Halte"});                  // the inherited one is final
  AddMeth(c, {"Stopp"})->IsFinal = true;  // final and new
  AddMeth(c, {"Zaehle"})->IsClassMethod = true;
  AddMeth(c, {"Anzahl", kFunction, {}, "Integer"})->IsClassMethod = true;
  AddMeth(c, {"Create", kConstructor})->IsClassMethod = true;
  AddMeth(c, {"Destroy", kDestructor});
  ScriptedMessages messages;
  StringList decl = Declaration(Generate(d, "TAuto", &messages));
  EXPECT_EQ(decl, (StringList{"  TAuto = class(TBasis)", "", "  public //Methoden",
                              "    constructor Create; virtual;",
                              "    procedure FAHRE; override;" + W(" // nicht überschreibbar"),
                              "    procedure Halte; virtual;",
                              "    procedure setze (s: String); overload; virtual;",
                              "    procedure Setze (x: Integer); overload; virtual;",
                              "    procedure Stopp;" + W(" // nicht überschreibbar"),
                              "    class procedure Zaehle; virtual;",
                              "    procedure Zeige (s: String); overload; virtual; abstract;",
                              "    procedure Zeige (x: Integer); overload; virtual; abstract;",
                              "    class function Anzahl : Integer; virtual;",
                              "    destructor Destroy; virtual;", ""}));
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].kind, MsgKind::Warning);
  EXPECT_EQ(messages.shown[0].text, W("Fehler: Methode 'FAHRE' darf nicht final sein, da sie eine "
                                      "Methode\neiner Vorgängerklasse überschreibt !!"));
}

TEST(PascalExport, InheritedMethodFoundInGrandparentAndCircularInheritanceEnds) {
  NotationScope java(2);  // Delphi notation is written whatever the active window shows
  TestDiagram d;
  AddMeth(d.Class("TA"), {"Tu", kProcedure, {{"n", "Integer"}}});
  d.Connect("TC", kIst, "TB");
  d.Connect("TB", kIst, "TA");
  AddMeth(d.Class("TC"), {"tu", kProcedure, {{"N", "integer"}}});
  StringList decl = Declaration(Generate(d, "TC"));
  EXPECT_EQ(decl[3], "    procedure tu (N: integer); override;");
  // A circle of IST connections must not make the search endless.
  d.Class("TA").Parent = &d.Class("TC");
  AddMeth(d.Class("TC"), {"Neu"});
  decl = Declaration(Generate(d, "TC"));
  EXPECT_EQ(decl[3], "    procedure Neu; virtual;");
  EXPECT_EQ(ActiveNotation::Get(), 2);
}

TEST(PascalExport, FormClassGetsVarBlockAndResourceDirective) {
  TestDiagram d;
  d.Connect("TForm1", kIst, "TBasisForm");
  d.Connect("TBasisForm", kIst, "TFORM");
  d.doc.AssertParents();
  StringList lines = Generate(d, "TForm1");
  auto end = std::find(lines.begin(), lines.end(), "   end;");
  ASSERT_NE(end, lines.end());
  EXPECT_EQ(StringList(end, end + 9), (StringList{"   end;", "", "var", "  Form1:  TForm1;", "",
                                                  "implementation", "", "{$R *.DFM}", ""}));
  // A class named TForm itself is no form class.
  StringList formLines = Generate(d, "TFORM");
  EXPECT_EQ(std::count(formLines.begin(), formLines.end(), "var"), 0);
}

TEST(PascalExport, SeparatorsAreSeventyTwoCharactersUntilTheNameIsTooLong) {
  TestDiagram d;
  TUMLClass& c = d.Class("TX");
  AddMeth(c, {"Privat", kProcedure, {}, "", kPrivate});
  AddMeth(c, {"Geschuetzt", kProcedure, {}, "", kProtected});
  AddMeth(c, {"Offen", kProcedure, {}, "", kPublic});
  AddMeth(c, {"Veroeffentlicht", kProcedure, {}, "", kPublished});
  const std::string longName(51, 'L');
  AddMeth(c, {longName});
  StringList separators;
  for (const std::string& l : Generate(d, "TX"))
    if (l.rfind("//-------- ", 0) == 0) separators.push_back(l);
  ASSERT_EQ(separators.size(), 5u);
  // Private, protected, public (by name), published.
  EXPECT_EQ(separators[0].substr(0, 26), "//-------- Privat (private");
  EXPECT_EQ(separators[1].substr(0, 32), "//-------- Geschuetzt (protected");
  EXPECT_EQ(separators[2], "//-------- " + longName + " (public) ");
  EXPECT_EQ(separators[3].substr(0, 25), "//-------- Offen (public)");
  EXPECT_EQ(separators[4].substr(0, 37), "//-------- Veroeffentlicht (published");
  for (const std::string& s : separators) EXPECT_EQ(s.size(), 72u) << s;
}

TEST(ExportSupport, UnitNamesHeadingsAndFileNames) {
  EXPECT_EQ(UnitNameOfFile("C:\\Projekt\\mTAuto.pas"), "mTAuto");
  EXPECT_EQ(UnitNameOfFile("/tmp/x.y/Unit1.PAS"), "Unit1");
  EXPECT_EQ(UnitNameOfFile("ab"), "ab");
  EXPECT_EQ(WithUnitHeading({"interface"}, "mTAuto"),
            (StringList{"UNIT mTAuto;", "", "interface"}));
  TestDiagram d;
  TUMLDrawClass* box = d.Box("TAuto");
  EXPECT_EQ(ExportFileName(*box, 1), "mTAuto.pas");
  EXPECT_EQ(ExportFileName(*box, 2), "mTAuto.java");
  EXPECT_EQ(ProposedFileName(*box, 1), "mTAuto.pas");
  EXPECT_EQ(ProposedFileName(*box, 2), "TAuto.java");
  box->SourceFileName = "Auto.pas";
  EXPECT_EQ(ExportFileName(*box, 1), "Auto.pas");
  EXPECT_EQ(ProposedFileName(*box, 1), "Auto.pas");
  EXPECT_EQ(ExportFileName(*box, 2), "mTAuto.java");  // the Pascal file is not overwritten
  box->SourceFileName = "../../etc/Auto.pas";         // from a damaged diagram file
  EXPECT_EQ(ExportFileName(*box, 1), "Auto.pas");
  box->SourceFileName = "";
  box->UMLClass->Name = "../T";
  EXPECT_EQ(ExportFileName(*box, 1), "");
}
