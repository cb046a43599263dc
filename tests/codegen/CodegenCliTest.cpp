// zedro-cli pascal, java, doc and export-all, run as a user runs them.
#include <gtest/gtest.h>

#include "codegen/VehicleDiagram.h"
#include "model/Messages.h"
#include "persistence/DiagramFile.h"

using namespace zedro;
using namespace zedro::testing;

namespace {

class CodegenCli : public ::testing::Test {
 protected:
  void SetUp() override {
    BuildVehicleDiagram(d, 1);
    TUMLClass& umlaut = *d.Box(W("TGröße"))->UMLClass;
    AddAttr(umlaut, W("Maß"), "Real");
    ScriptedMessages messages;
    ASSERT_TRUE(WriteDiagramFile(d.doc, urd, messages));
  }
  // Runs zedro-cli; its error output goes to err.
  RunResult Cli(const std::string& args) {
    return RunCommand(std::string(ZEDRO_CLI) + " " + args + " 2>'" + dir.File("err.txt") + "'");
  }
  std::string Errors() { return ReadText(dir.File("err.txt")); }

  TempDir dir;
  TestDiagram d;
  std::string urd = dir.File("Fahrzeuge.urd");
};

}  // namespace

TEST_F(CodegenCli, PascalAndJavaPrintTheGeneratedText) {
  RunResult r = Cli("pascal '" + urd + "' TAuto");
  EXPECT_EQ(r.status, 0) << Errors();
  EXPECT_EQ(r.output.rfind("UNIT mTAuto;\n\ninterface\n\n", 0), 0u) << r.output;
  EXPECT_NE(Errors().find("[warning] Fehler: Methode 'Fahre' darf nicht final sein, da sie eine "
                          "Methode\\neiner Vorgängerklasse überschreibt !!"),
            std::string::npos)
      << Errors();
  r = Cli("java '" + urd + "' TAuto");
  EXPECT_EQ(r.status, 0) << Errors();
  EXPECT_EQ(r.output.rfind(" /**\n  * import-Liste \n", 0), 0u) << r.output;
  // Relationships drawn only in a sub-diagram do not count for Java (they do for Pascal).
  r = Cli("java '" + urd + "' TGarage");
  EXPECT_EQ(r.output.find("TRad"), std::string::npos) << r.output;
  EXPECT_EQ(Errors(), "");
}

TEST_F(CodegenCli, UnknownClassAndWrongArguments) {
  RunResult r = Cli("pascal '" + urd + "' TNix");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.output, "");
  EXPECT_EQ(Errors(), "[error] Die Klasse 'TNix' ist nicht im Diagramm.\n");
  EXPECT_EQ(Cli("java '" + urd + "'").status, 2);
  EXPECT_EQ(Cli("doc '" + urd + "' TAuto").status, 2);
  EXPECT_EQ(Cli("export-all '" + urd + "' '" + dir.Path() + "' --cobol").status, 2);
  r = Cli("export-all '" + urd + "' '" + dir.File("fehlt") + "'");
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(Errors().find("[error] Das Verzeichnis"), std::string::npos);
  r = Cli("pascal '" + dir.File("fehlt.urd") + "' TAuto");
  EXPECT_NE(r.status, 0);
}

TEST_F(CodegenCli, DocAndExportAllWriteFiles) {
  const std::string rtf = dir.File("Doku_TFahrzeug.rtf");
  RunResult r = Cli("doc '" + urd + "' TFahrzeug '" + rtf + "'");
  ASSERT_EQ(r.status, 0) << Errors();
  EXPECT_EQ(ReadText(rtf).rfind("{\\rtf1\\ansi\\ansicpg1252", 0), 0u);

  const std::string out = dir.File("pas");
  std::filesystem::create_directories(out);
  r = Cli("export-all '" + urd + "' '" + out + "'");
  EXPECT_EQ(r.status, 0) << Errors();
  std::vector<std::string> files;
  for (const auto& e : std::filesystem::directory_iterator(out))
    files.push_back(e.path().filename());
  std::sort(files.begin(), files.end());
  EXPECT_EQ(files, (std::vector<std::string>{"mTAuto.pas", "mTFahrer.pas", "mTFahrzeug.pas",
                                             "mTGarage.pas", "mTGröße.pas", "mTRad.pas"}));
  EXPECT_NE(ReadText(out + "/mTGröße.pas").find("UNIT mTGröße;\n\ninterface\n"), std::string::npos);
  EXPECT_NE(ReadText(out + "/mTGröße.pas").find("    Maß : Real;\n"), std::string::npos);

  const std::string javaOut = dir.File("java");
  std::filesystem::create_directories(javaOut);
  r = Cli("export-all '" + urd + "' '" + javaOut + "/' --java");
  EXPECT_EQ(r.status, 0) << Errors();
  EXPECT_EQ(ReadText(javaOut + "/mTGröße.java").rfind(" /**\n", 0), 0u);
}
