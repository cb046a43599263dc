// zedro-cli keeps what a user wrote: no save replaces a link or a write-protected file,
// no export writes two classes into one file, and a source too large for the memory ends
// the command with a message.
#include <sys/resource.h>
#include <sys/stat.h>

#include "cli/CliSupport.h"
#include "diagram/DiagramDocument.h"
#include "model/Messages.h"
#include "persistence/DiagramFile.h"

namespace zedro::clitest {
namespace {

using LostWorkCli = CliFixture;

TEST_F(LostWorkCli, SavesGoThroughLinksAndNeverOverWriteProtectedFiles) {
  fs::create_directories(dir_ / "echt");
  WriteAll(File("echt/Ziel.urd"), "alt");
  fs::create_symlink("echt/Ziel.urd", dir_ / "Link.urd");
  CliRun r = Run("save " + Example("Fahrzeuge.urd") + " " + File("Link.urd"));
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(fs::is_symlink(dir_ / "Link.urd"));
  EXPECT_EQ(ReadAll(File("echt/Ziel.urd")), ReadAll(Example("Fahrzeuge.urd")));

  WriteAll(File("Schutz.urd"), "bleibt");
  ::chmod(File("Schutz.urd").c_str(), 0444);
  r = Run("save " + Example("Fahrzeuge.urd") + " " + File("Schutz.urd"));
  EXPECT_EQ(r.status, 1);
  EXPECT_TRUE(Has(r.err, "[error] Die Datei '" + File("Schutz.urd") +
                             "' kann nicht geschrieben werden.\\nDie Datei ist schreibgeschützt."))
      << r.err;
  EXPECT_EQ(ReadAll(File("Schutz.urd")), "bleibt");
  EXPECT_EQ(fs::status(File("Schutz.urd")).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
}

TEST_F(LostWorkCli, ExportOfAllClassesSkipsASecondClassForTheSameFile) {
  // Two classes updated from one unit: both boxes name mFahrzeuge.pas.
  DiagramDocument doc;
  doc.AddClassBox(std::make_unique<TUMLClass>("TFahrzeug"))->SourceFileName = "mFahrzeuge.pas";
  doc.AddClassBox(std::make_unique<TUMLClass>("TAuto"))->SourceFileName = "mFahrzeuge.pas";
  ScriptedMessages m;
  ASSERT_TRUE(WriteDiagramFile(doc, File("Fahrzeuge.urd"), m));
  fs::create_directories(dir_ / "out");
  CliRun r = Run("export-all " + File("Fahrzeuge.urd") + " " + File("out"));
  EXPECT_EQ(r.status, 1);  // not every class was exported
  EXPECT_TRUE(Has(r.err,
                  "[warning] Die Klassen 'TFahrzeug' und 'TAuto' sollen beide in die "
                  "Datei '" +
                      File("out") + "/mFahrzeuge.pas' exportiert werden."))
      << r.err;
  EXPECT_TRUE(Has(r.err, "Nicht alle Klassen des Hauptdiagramms sind exportiert worden")) << r.err;
  const std::string unit = ReadAll(File("out/mFahrzeuge.pas"));
  EXPECT_TRUE(Has(unit, "TFahrzeug = class")) << unit;
  EXPECT_FALSE(Has(unit, "TAuto")) << unit;
}

TEST_F(LostWorkCli, ASourceTooLargeForTheMemoryEndsWithAMessage) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "the address sanitizer needs more address space than the limit leaves";
#endif
  {
    std::ofstream(File("Riesig.pas"));
    fs::resize_file(File("Riesig.pas"), 3ull << 30);  // sparse: costs no disk space
  }
  // With 768 MB of address space the file cannot be held.
  const std::string limited = "sh -c 'ulimit -v 786432; exec " + std::string(ZEDRO_CLI) +
                              " import-pascal " + File("Riesig.pas") + "' >" + File("stdout") +
                              " 2>" + File("stderr");
  const int rc = std::system(limited.c_str());
  ASSERT_TRUE(WIFEXITED(rc));
  EXPECT_EQ(WEXITSTATUS(rc), 1);
  const std::string err = ReadAll(File("stderr"));
  EXPECT_TRUE(Has(err, "[error] Fehler beim Suchen nach Typdaklaration")) << err;
  EXPECT_TRUE(Has(err, "Nicht genug Arbeitsspeicher, um die Datei zu lesen (3072 MB).")) << err;
}

}  // namespace
}  // namespace zedro::clitest
