// zedro-cli import-pascal, import-java and update.
#include "cli/CliSupport.h"

namespace zedro::clitest {
namespace {

using ImportCli = CliFixture;

const char* kUnit = R"(unit mZwei;
interface
type
  TB = class;
  TA = class(TObject)
    procedure Tu;
  end;
  TB = class
    function Gib: String;
  end;
implementation
procedure TA.Tu;
begin
end;
function TB.Gib: String;
begin
  result := y;
end;
end.
)";

TEST_F(ImportCli, PascalAndJavaSourcesPrintTheirClasses) {
  WriteAll(File("mZwei.pas"), kUnit);
  CliRun all = Run("import-pascal " + File("mZwei.pas"));
  EXPECT_EQ(all.status, 0);
  // Messages go to stderr, status texts ("Klasse gefunden: ...") nowhere.
  EXPECT_EQ(all.err, "[information] Forward Deklaration der Klasse: 'TB' gefunden.\n");
  EXPECT_TRUE(Has(all.out, "\"Name\": \"TA\""));
  EXPECT_FALSE(Has(all.out, "result := y"));  // no bodies without --class
  EXPECT_TRUE(
      Has(Run("import-pascal " + File("mZwei.pas") + " --class TB").out, "\"  result := y;\""));
  EXPECT_EQ(Run("import-pascal " + File("mZwei.pas") + " --class TC").status, 1);
  EXPECT_EQ(Run("import-pascal " + File("mZwei.pas") + " --klasse TB").status, 2);
  CliRun unreadable = Run("import-pascal " + File("fehlt.pas"));
  EXPECT_TRUE(Has(unreadable.err, "[error] Fehler beim Suchen nach Typdaklaration\\n"))
      << unreadable.err;
  EXPECT_TRUE(Has(unreadable.err, "Die Datei oder das Verzeichnis gibt es nicht."))
      << unreadable.err;
  EXPECT_EQ(unreadable.out, "[]");

  // Windows-1252 with CR LF comes out as UTF-8 without carriage returns.
  WriteAll(File("Konto.java"),
           "public class Konto {\r\n  void z() {\r\n    // Gr\xF6\xDF"
           "e\r\n  }\r\n}\r\n");
  CliRun java = Run("import-java " + File("Konto.java"));
  EXPECT_EQ(java.status, 0);
  EXPECT_TRUE(Has(java.out, "\"    // Größe\"")) << java.out;
  EXPECT_FALSE(Has(java.out, "\r"));
}

// The batch update: a unit without the class asks for another one, answered by --choose.
TEST_F(ImportCli, UpdateTakesAnotherClassOfTheUnitOnlyWhenChosen) {
  WriteAll(File("mZwei.pas"), kUnit);
  const std::string args =
      "update " + Example("Fahrzeuge.urd") + " TRad " + File("mZwei.pas") + " " + File("out.urd");
  CliRun refused = Run(args);
  EXPECT_EQ(refused.status, 1);
  EXPECT_TRUE(Has(refused.err, "[choice] Klasse zum Aktualisieren ausw\xC3\xA4hlen !\n"));
  EXPECT_FALSE(std::filesystem::exists(File("out.urd")));
  EXPECT_EQ(Run(args + " --choose TB").status, 0);
  CliRun dump = Run("dump " + File("out.urd"));
  EXPECT_TRUE(Has(dump.out, "\"Name\": \"TB\""));
  EXPECT_TRUE(Has(dump.out, "\"SourceFileName\": \"mZwei.pas\""));
}

}  // namespace
}  // namespace zedro::clitest
