// zedro-cli pascal, java, doc and export-all, run as a user runs them.
#include <gtest/gtest.h>

#include "codegen/VehicleDiagram.h"
#include "model/Messages.h"
#include "persistence/DiagramFile.h"

using namespace zedro;
using namespace zedro::testing;

TEST(CodegenCli, PascalJavaDocAndExportAll) {
  TempDir dir;
  TestDiagram d;
  BuildVehicleDiagram(d, 1);
  AddAttr(d.Class(W("TGröße")), W("Maß"), "Real");
  const std::string urd = dir.File("Fahrzeuge.urd");
  ScriptedMessages messages;
  ASSERT_TRUE(WriteDiagramFile(d.doc, urd, messages));
  const std::string err = dir.File("err.txt");
  auto cli = [&](const std::string& args) {
    return RunCommand(std::string(ZEDRO_CLI) + " " + args + " 2>'" + err + "'");
  };

  RunResult r = cli("pascal '" + urd + "' TAuto");
  EXPECT_EQ(r.output.rfind("UNIT mTAuto;\n\ninterface\n\n", 0), 0u) << r.output;
  EXPECT_NE(ReadText(err).find("[warning] Fehler: Methode 'Fahre' darf nicht final sein, da sie "
                               "eine Methode\\neiner Vorgängerklasse überschreibt !!"),
            std::string::npos);
  // Relationships drawn only in a sub-diagram do not count for Java (they do for Pascal).
  r = cli("java '" + urd + "' TGarage");
  EXPECT_EQ(r.status, 0) << ReadText(err);
  EXPECT_EQ(r.output.rfind(" /**\n  * import-Liste \n", 0), 0u) << r.output;
  EXPECT_EQ(r.output.find("TRad"), std::string::npos) << r.output;

  r = cli("pascal '" + urd + "' TNix");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.output, "");
  EXPECT_EQ(ReadText(err), "[error] Die Klasse 'TNix' ist nicht im Diagramm.\n");
  EXPECT_EQ(cli("java '" + urd + "'").status, 2);
  EXPECT_EQ(cli("export-all '" + urd + "' '" + dir.Path() + "' --cobol").status, 2);
  EXPECT_EQ(cli("export-all '" + urd + "' '" + dir.File("fehlt") + "'").status, 1);
  EXPECT_NE(ReadText(err).find("[error] Das Verzeichnis"), std::string::npos);

  const std::string rtf = dir.File("Doku_TFahrzeug.rtf");
  EXPECT_EQ(cli("doc '" + urd + "' TFahrzeug '" + rtf + "'").status, 0) << ReadText(err);
  EXPECT_EQ(ReadText(rtf).rfind("{\\rtf1\\ansi\\ansicpg1252", 0), 0u);

  const std::string out = dir.File("out");
  std::filesystem::create_directories(out);
  EXPECT_EQ(cli("export-all '" + urd + "' '" + out + "'").status, 0) << ReadText(err);
  EXPECT_NE(ReadText(out + "/mTGröße.pas").find("UNIT mTGröße;\n\ninterface\n"), std::string::npos);
  EXPECT_NE(ReadText(out + "/mTGröße.pas").find("    Maß : Real;\n"), std::string::npos);
  EXPECT_EQ(cli("export-all '" + urd + "' '" + out + "/' --java").status, 0) << ReadText(err);
  EXPECT_EQ(ReadText(out + "/TGröße.java").rfind(" /**\n", 0), 0u);
}
