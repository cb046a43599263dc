// Exported diagrams must compile with Free Pascal (Delphi mode) and javac. The diagrams avoid
// what needs the user's hand: "//uses mTX ??" placeholders and form classes.
#include <gtest/gtest.h>

#include "codegen/ExportSupport.h"
#include "codegen/VehicleDiagram.h"
#include "model/Messages.h"
#include "model/Notation.h"
#include "persistence/DiagramFile.h"
#include "persistence/Files.h"

using namespace zedro;
using namespace zedro::testing;

TEST(CompileCheck, PascalUnitsCompileWithFreePascal) {
  TestDiagram d;
  BuildVehicleDiagram(d, 1);
  TempDir dir;
  ScriptedMessages messages;
  ExportAllResult result = ExportAllClasses(d.doc, dir.Path(), 1, messages);
  EXPECT_EQ(result.written, 5);
  EXPECT_EQ(result.failed, 0);
  EXPECT_FALSE(std::filesystem::exists(dir.File("mTBibliothek.pas")));

  // Known only in a sub-diagram, whose boxes have no file name: the unit comes from the main box.
  std::string garageUnit = ReadText(dir.File("mTGarage.pas"));
  EXPECT_NE(garageUnit.find("        // kenntTRad1, // kenntTRad2 : TRad;"), std::string::npos);
  EXPECT_NE(garageUnit.find("uses mTRad, mTFahrer, mTAuto;"), std::string::npos) << garageUnit;
  EXPECT_EQ(garageUnit.find("??"), std::string::npos);
  EXPECT_TRUE(messages.Contains(
      W("Alle Klassen des Hauptdiagramms sind ohne Rückfrage exportiert worden!")));

  if (!HaveProgram("fpc")) GTEST_SKIP() << "fpc is not installed";
  for (const char* unit : {"mTFahrzeug", "mTRad", "mTFahrer", "mTAuto", "mTGarage"}) {
    RunResult r = RunCommand("cd '" + dir.Path() + "' && fpc -Mdelphi -Fu. " + unit + ".pas");
    EXPECT_EQ(r.status, 0) << unit << ":\n" << r.output;
    EXPECT_TRUE(std::filesystem::exists(dir.File(std::string(unit) + ".ppu"))) << unit;
  }
}

TEST(CompileCheck, JavaClassesCompileWithJavac) {
  if (!HaveProgram("javac")) GTEST_SKIP() << "javac is not installed";
  TestDiagram d;
  BuildVehicleDiagram(d, 2);
  AddAttr(d.Class("TRad"), "marke", "String", TVisibility::Published);  // declared public
  for (TUMLDrawClass* box : d.doc.DrawClasses.Items)
    box->SourceFileName = box->UMLClass->Name + ".java";
  TempDir dir;
  ScriptedMessages messages;
  ExportAllResult result = ExportAllClasses(d.doc, dir.Path(), 2, messages);
  EXPECT_EQ(result.written, 5);
  RunResult r =
      RunCommand("cd '" + dir.Path() + "' && javac -encoding UTF-8 -nowarn -d classes *.java");
  EXPECT_EQ(r.status, 0) << r.output;
  EXPECT_TRUE(std::filesystem::exists(dir.File("classes/TAuto.class")));
}

TEST(CompileCheck, BundledExamplesCompile) {
  // The vehicles are written in Pascal, the bank in Java.
  for (const char* example : {"Fahrzeuge.urd", "Bank.urd"}) {
    SCOPED_TRACE(example);
    DiagramDocument doc;
    ScriptedMessages messages;
    LoadOptions options;
    options.switchLanguage = [&doc](int language) { doc.Language = language; };
    ASSERT_TRUE(LoadDiagramFile(doc, std::string(ZEDRO_SOURCE_DIR) + "/examples/" + example,
                                messages, options)
                    .completed);
    doc.AssertParents();
    const int language = doc.Language;
    NotationScope notation(language);
    TempDir dir;
    ExportAllResult result = ExportAllClasses(doc, dir.Path(), language, messages);
    EXPECT_EQ(result.failed, 0);
    EXPECT_GE(result.written, 3);
    std::vector<std::string> files;
    for (const auto& e : std::filesystem::directory_iterator(dir.Path()))
      files.push_back(e.path().filename().string());

    if (!HaveProgram(language == 1 ? "fpc" : "javac")) continue;
    if (language == 2) files = {"*.java"};  // javac compiles them together
    for (const std::string& file : files) {
      RunResult r =
          RunCommand("cd '" + dir.Path() + "' && " +
                     (language == 1 ? "fpc -Mdelphi -Fu. " + file
                                    : "javac -encoding UTF-8 -nowarn -d classes " + file));
      EXPECT_EQ(r.status, 0) << file << ":\n" << r.output;
    }
  }
}

TEST(CompileCheck, ExportAllNamesEveryUnitFirstAndReportsFailures) {
  // TA comes first and relates to classes that have never been exported.
  TestDiagram d;
  d.Connect("TA", TConnectionKind::Hat, "TB", "2");
  d.Connect("TC", TConnectionKind::Kennt, "TA", "1", "1");
  d.Box("TLib")->UMLClass->IsLibraryClass = true;
  d.Connect("TA", TConnectionKind::Kennt, "TLib", "1");
  d.Box("TAlt", "Alt.pas");
  TempDir dir;
  ScriptedMessages messages;
  ExportAllResult result = ExportAllClasses(d.doc, dir.Path(), 1, messages);
  EXPECT_EQ(result.written, 4);
  const std::string unit = ReadText(dir.File("mTA.pas"));
  EXPECT_NE(unit.find("\nuses mTB;\n//uses mTLib ??\n"), std::string::npos) << unit;
  EXPECT_NE(unit.find("implementation\n\nuses mTC;\n"), std::string::npos) << unit;
  EXPECT_EQ(d.Box("TLib")->SourceFileName, "");
  EXPECT_EQ(d.Box("TB")->SourceFileName, "mTB.pas");
  EXPECT_EQ(d.Box("TB")->SourceFileAge, FileAge(dir.File("mTB.pas")));
  EXPECT_EQ(ReadText(dir.File("Alt.pas")).rfind("UNIT Alt;\n\ninterface\n", 0), 0u);

  ScriptedMessages failing;
  result = ExportAllClasses(d.doc, "/nonexistent-dir/", 1, failing);
  EXPECT_EQ(result.written, 0);
  EXPECT_EQ(result.failed, 4);
  const std::vector<std::string> texts = failing.Texts();
  EXPECT_EQ(std::count(texts.begin(), texts.end(),
                       W("Abspeichern nicht möglich. Datei ist wahrscheinlich geöffnet.")),
            4);
  EXPECT_EQ(d.Box("TAlt")->SourceFileName, "Alt.pas");  // a failed write changes nothing
}
