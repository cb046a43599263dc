// zedro-cli import-pascal and import-java.
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
  EXPECT_EQ(unreadable.err, "[error] Fehler beim Suchen nach Typdaklaration\n");
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

}  // namespace
}  // namespace zedro::clitest
