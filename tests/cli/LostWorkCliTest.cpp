// zedro-cli keeps what a user wrote: no export writes two classes into one file, and a
// source too large for the memory ends the command with a message instead of an abort.
#include "cli/CliSupport.h"
#include "diagram/DiagramDocument.h"
#include "model/Messages.h"
#include "persistence/DiagramFile.h"

namespace zedro::clitest {
namespace {

using LostWorkCli = CliFixture;

TEST_F(LostWorkCli, ExportOfAllClassesSkipsFurtherClassesForTheSameFile) {
  // Two classes updated from one unit name mFahrzeuge.pas; a third names it in capitals,
  // the same file where letter case does not count.
  DiagramDocument doc;
  for (const char* name : {"TFahrzeug", "TAuto", "TRad"})
    doc.AddClassBox(std::make_unique<TUMLClass>(name))->SourceFileName =
        name[1] == 'R' ? "MFAHRZEUGE.PAS" : "mFahrzeuge.pas";
  ScriptedMessages m;
  ASSERT_TRUE(WriteDiagramFile(doc, File("Fahrzeuge.urd"), m));
  fs::create_directories(dir_ / "out");
  CliRun r = Run("export-all " + File("Fahrzeuge.urd") + " " + File("out"));
  EXPECT_EQ(r.status, 1);  // not every class was exported
  for (const char* second : {"TAuto", "TRad"})
    EXPECT_TRUE(Has(r.err, std::string("[warning] Die Klassen 'TFahrzeug' und '") + second +
                               "' sollen beide in die Datei '" + File("out") + "/"))
        << r.err;
  EXPECT_TRUE(Has(r.err,
                  "[warning] Nicht alle Klassen des Hauptdiagramms sind exportiert "
                  "worden: 2 Klassen fehlen."))
      << r.err;
  const std::string unit = ReadAll(File("out/mFahrzeuge.pas"));
  EXPECT_TRUE(Has(unit, "TFahrzeug = class")) << unit;
  EXPECT_FALSE(Has(unit, "TAuto") || Has(unit, "TRad")) << unit;
}

TEST_F(LostWorkCli, ASourceTooLargeForTheMemoryEndsWithAMessage) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "the address sanitizer needs more address space than the limit leaves";
#endif
  std::ofstream(File("Riesig.pas")).close();
  fs::resize_file(File("Riesig.pas"), 3ull << 30);  // sparse: costs no disk space
  // With 768 MB of address space the file cannot be held.
  const std::string limited = "sh -c 'ulimit -v 786432; exec " + std::string(ZEDRO_CLI) +
                              " import-pascal " + File("Riesig.pas") + "' >" + File("stdout") +
                              " 2>" + File("stderr");
  const int rc = std::system(limited.c_str());
  ASSERT_TRUE(WIFEXITED(rc)) << "ended by a signal";
  EXPECT_EQ(WEXITSTATUS(rc), 1);
  const std::string err = ReadAll(File("stderr"));
  EXPECT_TRUE(Has(err, "[error] Fehler beim Suchen nach Typdaklaration")) << err;
  EXPECT_TRUE(Has(err, "Nicht genug Arbeitsspeicher, um die Datei zu lesen (3072 MB).")) << err;
}

}  // namespace
}  // namespace zedro::clitest
