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
  EXPECT_TRUE(Has(unreadable.err, "Die Datei oder das Verzeichnis ist nicht vorhanden."))
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

// Several sources in one call: an array with an element per file, messages naming it.
TEST_F(ImportCli, SeveralSourcesGiveOneElementPerFile) {
  WriteAll(File("mZwei.pas"), kUnit);
  WriteAll(File("mEins.pas"),
           "unit mEins;\ninterface\ntype\n  TE = class\n  end;\n"
           "implementation\nend.\n");
  CliRun units = Run("import-pascal " + File("mZwei.pas") + " " + File("fehlt.pas") + " " +
                     File("mEins.pas") + " --class TB");
  EXPECT_EQ(units.status, 1);  // one unit could not be read
  EXPECT_EQ(units.err, "[information] " + File("mZwei.pas") +
                           ": Forward Deklaration der Klasse: 'TB' gefunden.\n[error] " +
                           File("fehlt.pas") +
                           ": Fehler beim Suchen nach Typdaklaration\\n\\nDie Datei '" +
                           File("fehlt.pas") +
                           "' kann nicht gelesen werden.\\nDie Datei oder das Verzeichnis ist "
                           "nicht vorhanden.\n");
  const size_t zwei =
      units.out.find("\"File\": \"" + File("mZwei.pas") + "\",\n    \"Classes\": [");
  const size_t fehlt =
      units.out.find("\"File\": \"" + File("fehlt.pas") + "\",\n    \"Classes\": []");
  const size_t eins = units.out.find("\"File\": \"" + File("mEins.pas") + "\"");
  ASSERT_NE(zwei, std::string::npos) << units.out;
  ASSERT_NE(fehlt, std::string::npos);
  ASSERT_NE(eins, std::string::npos);
  EXPECT_TRUE(zwei < fehlt && fehlt < eins);
  EXPECT_EQ(units.out.rfind("\"Name\": \"TE\""), units.out.find("\"Name\": \"TE\""));
  EXPECT_TRUE(Has(units.out, "\"  result := y;\""));  // --class applies to every file
  EXPECT_EQ(Run("import-pascal " + File("mZwei.pas") + " " + File("mEins.pas") + " --class TX").err,
            "[information] " + File("mZwei.pas") +
                ": Forward Deklaration der Klasse: 'TB' gefunden.\n"
                "[error] Keine der Units liefert eine Klasse 'TX'.\n");

  WriteAll(File("A.java"), "public class A {\n  int a;\n}\n");
  WriteAll(File("B.java"), "public class B { void f( }\n");
  CliRun java = Run("import-java " + File("A.java") + " " + File("B.java") + " " +
                    File("fehlt.java"));
  EXPECT_EQ(java.status, 1);  // the last file is missing; B's broken method is passed over
  EXPECT_TRUE(Has(java.err, "'f' wurde nicht verstanden")) << java.err;
  EXPECT_TRUE(Has(java.out,
                  "\"File\": \"" + File("A.java") + "\",\n    \"Class\": {\n      \"Name\": \"A\""))
      << java.out;
  EXPECT_TRUE(Has(java.err, "[information] " + File("B.java") + ": "));
  EXPECT_EQ(Run("import-java").status, 2);
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
