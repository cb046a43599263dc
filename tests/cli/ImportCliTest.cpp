// zedro-cli import-pascal, import-java and update.
#include "cli/CliSupport.h"

namespace zedro::clitest {
namespace {

using ImportCli = CliFixture;

size_t Count(const std::string& s, const std::string& what) {
  size_t n = 0;
  for (size_t p = s.find(what); p != std::string::npos; p = s.find(what, p + 1)) ++n;
  return n;
}

const char* kUnit = R"(unit mZwei;
interface
uses SysUtils, Classes;
type
  TB = class;
  TA = class(TObject)
    x: Integer;
    procedure Tu;
  end;
  TB = class
  private
    y: String;
  public
    function Gib: String; virtual;
  end;
implementation
uses Math;
procedure TA.Tu;
begin
end;
function TB.Gib: String;
begin
  result := y;
end;
end.
)";

TEST_F(ImportCli, PascalUnitPrintsEveryClassAndTheChosenOneInFull) {
  WriteAll(File("mZwei.pas"), kUnit);
  CliRun all = Run("import-pascal " + File("mZwei.pas"));
  EXPECT_EQ(all.status, 0);
  // Messages go to stderr, status texts ("Klasse gefunden: ...") nowhere.
  EXPECT_EQ(all.err, "[information] Forward Deklaration der Klasse: 'TB' gefunden.\n");
  size_t a = all.out.find("\"Name\": \"TA\"");
  ASSERT_NE(a, std::string::npos);
  EXPECT_LT(a, all.out.find("\"Name\": \"TB\""));
  EXPECT_FALSE(Has(all.out, "result := y"));  // no bodies without --class

  CliRun one = Run("import-pascal " + File("mZwei.pas") + " --class TB");
  EXPECT_EQ(one.status, 0);
  EXPECT_EQ(one.err, all.err);
  EXPECT_TRUE(Has(one.out, "\"  result := y;\""));
  EXPECT_TRUE(Has(one.out, "\"Math\",\n"));
  EXPECT_EQ(Count(one.out, "\"begin\""), 1u);  // TA's method stays without body

  EXPECT_EQ(Run("import-pascal " + File("mZwei.pas") + " --class TC").status, 1);
  EXPECT_EQ(Run("import-pascal " + File("mZwei.pas") + " --klasse TB").status, 2);
  CliRun unreadable = Run("import-pascal " + File("fehlt.pas"));
  EXPECT_EQ(unreadable.status, 1);
  EXPECT_EQ(unreadable.err, "[error] Fehler beim Suchen nach Typdaklaration\n");
  EXPECT_EQ(unreadable.out, "[]");
}

// A Windows-1252 source with CR LF line breaks comes out as UTF-8 without carriage returns
// (the other encodings are the importer's own tests).
TEST_F(ImportCli, JavaSourceComesOutAsUtf8) {
  WriteAll(File("Konto.java"),
           "public class Konto {\r\n  private int stand;\r\n"
           "  public void zahle(int betrag) {\r\n    // Gr\xF6\xDF"
           "e\r\n  }\r\n}\r\n");
  CliRun r = Run("import-java " + File("Konto.java"));
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err, "");
  EXPECT_TRUE(Has(r.out, "\"    // Größe\"")) << r.out;
  EXPECT_FALSE(Has(r.out, "\r"));
}

// Updating itself is the editor's code and tested there; here the command around it.
TEST_F(ImportCli, UpdateAsksForAnotherClassOfTheUnit) {
  WriteAll(File("mZwei.pas"), kUnit);
  const std::string args =
      "update " + Example("Fahrzeuge.urd") + " TRad " + File("mZwei.pas") + " " + File("out.urd");
  const std::string question =
      "[information] Forward Deklaration der Klasse: 'TB' gefunden.\n"
      "[information] Die Datei liefert keine Klasse mit dem gleichen Namen !!\\nSie können "
      "nun eine andere Klasse dieser Datei zum\\nAktualisieren auswählen oder gar nicht "
      "aktualisieren.\n[choice] Klasse zum Aktualisieren auswählen !\n";
  CliRun refused = Run(args);
  EXPECT_EQ(refused.status, 1);
  EXPECT_EQ(refused.err, question);
  EXPECT_FALSE(fs::exists(File("out.urd")));

  CliRun chosen = Run(args + " --choose TB");
  EXPECT_EQ(chosen.status, 0) << chosen.err;
  EXPECT_EQ(chosen.err.rfind(question, 0), 0u) << chosen.err;
  CliRun dump = Run("dump " + File("out.urd"));
  // The box keeps its class object, which now carries the chosen class's name and content.
  EXPECT_FALSE(Has(dump.out, "\"Name\": \"TRad\""));
  EXPECT_TRUE(Has(dump.out, "\"  result := y;\""));
  EXPECT_TRUE(Has(dump.out, "\"SourceFileName\": \"mZwei.pas\""));

  // A missing file or class.
  const std::string fehlt = " " + File("fehlt.pas") + " " + File("out2.urd");
  CliRun missing = Run("update " + Example("Fahrzeuge.urd") + " TAuto" + fehlt);
  EXPECT_EQ(missing.status, 1);
  EXPECT_EQ(missing.err, "[warning] Klasse 'TAuto' konnte nicht aktualisiert werden.\n");
  EXPECT_EQ(Run("update " + Example("Fahrzeuge.urd") + " TBoot" + fehlt).status, 1);
  EXPECT_FALSE(fs::exists(File("out2.urd")));
}

}  // namespace
}  // namespace zedro::clitest
