// zedro-cli import-pascal, import-java and update, run as a user runs them.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

namespace fs = std::filesystem;

struct CliRun {
  int status;
  std::string out;
  std::string err;
};

std::string ReadAll(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

void WriteAll(const fs::path& p, const std::string& bytes) {
  std::ofstream(p, std::ios::binary) << bytes;
}

size_t Count(const std::string& s, const std::string& what) {
  size_t n = 0;
  for (size_t p = s.find(what); p != std::string::npos; p = s.find(what, p + 1)) ++n;
  return n;
}

std::string Example(const std::string& name) {
  return std::string(ZEDRO_SOURCE_DIR) + "/examples/" + name;
}

// A directory of its own for every test, so that tests may run side by side.
class ImportCli : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("zedro-import-cli-" + std::to_string(getpid()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir_);
  }
  void TearDown() override {
    std::error_code ec;
    fs::remove_all(dir_, ec);
  }
  std::string File(const std::string& name) const { return (dir_ / name).string(); }
  CliRun Cli(const std::string& args) const {
    std::string cmd = std::string(ZEDRO_CLI) + " " + args + " >" + File("stdout") + " 2>" +
                      File("stderr");
    int rc = std::system(cmd.c_str());
    return {WEXITSTATUS(rc), ReadAll(File("stdout")), ReadAll(File("stderr"))};
  }

  fs::path dir_;
};

const char* kUnit =
    "unit mZwei;\n"
    "\n"
    "interface\n"
    "\n"
    "uses SysUtils, Classes;\n"
    "\n"
    "type\n"
    "  TB = class;\n"
    "  TA = class(TObject)\n"
    "    x: Integer;\n"
    "    procedure Tu;\n"
    "  end;\n"
    "  TB = class\n"
    "  private\n"
    "    y: String;\n"
    "  public\n"
    "    function Gib: String; virtual;\n"
    "  end;\n"
    "\n"
    "implementation\n"
    "\n"
    "uses Math;\n"
    "\n"
    "procedure TA.Tu;\n"
    "begin\n"
    "end;\n"
    "\n"
    "function TB.Gib: String;\n"
    "begin\n"
    "  result := y;\n"
    "end;\n"
    "\n"
    "end.\n";

TEST_F(ImportCli, PascalUnitPrintsEveryClassAndTheChosenOneInFull) {
  WriteAll(File("mZwei.pas"), kUnit);
  CliRun all = Cli("import-pascal " + File("mZwei.pas"));
  EXPECT_EQ(all.status, 0);
  // Messages go to stderr, status texts ("Klasse gefunden: ...") nowhere.
  EXPECT_EQ(all.err, "[information] Forward Deklaration der Klasse: 'TB' gefunden.\n");
  size_t a = all.out.find("\"Name\": \"TA\"");
  size_t b = all.out.find("\"Name\": \"TB\"");
  ASSERT_NE(a, std::string::npos);
  ASSERT_NE(b, std::string::npos);
  EXPECT_LT(a, b);
  EXPECT_EQ(all.out.find("result := y"), std::string::npos);  // no bodies without --class
  EXPECT_EQ(all.out.find("SysUtils"), std::string::npos);
  EXPECT_NE(all.out.find("\"AncestorName\": \"TObject\""), std::string::npos);

  CliRun one = Cli("import-pascal " + File("mZwei.pas") + " --class TB");
  EXPECT_EQ(one.status, 0);
  EXPECT_EQ(one.err, all.err);
  EXPECT_NE(one.out.find("\"  result := y;\""), std::string::npos);
  EXPECT_NE(one.out.find("\"SysUtils\",\n"), std::string::npos);
  EXPECT_NE(one.out.find("\"Math\",\n"), std::string::npos);
  EXPECT_EQ(Count(one.out, "\"begin\""), 1u);  // TA's method stays without body
  EXPECT_EQ(one.out.find("\"Name\": \"TA\""), a);

  CliRun missing = Cli("import-pascal " + File("mZwei.pas") + " --class TC");
  EXPECT_EQ(missing.status, 1);
  EXPECT_NE(missing.err.find("[error] "), std::string::npos);
  EXPECT_EQ(Cli("import-pascal " + File("mZwei.pas") + " --klasse TB").status, 2);
  EXPECT_EQ(Cli("import-pascal").status, 2);

  CliRun unreadable = Cli("import-pascal " + File("fehlt.pas"));
  EXPECT_EQ(unreadable.status, 1);
  EXPECT_EQ(unreadable.err, "[error] Fehler beim Suchen nach Typdaklaration\n");
  EXPECT_EQ(unreadable.out, "[]");
}

// Umlauts come out as UTF-8 whether the file was Windows-1252 or UTF-8 (with or without a
// byte-order mark), and line breaks of either kind leave no carriage return behind.
TEST_F(ImportCli, JavaSourceInEitherEncoding) {
  const std::string body = "public class Konto {\r\n  private int stand;\r\n"
                           "  public void zahle(int betrag) {\r\n    // Gr\xC3\xB6\xC3\x9F" "e\r\n"
                           "  }\r\n}\r\n";
  std::string latin = body;
  latin.replace(latin.find("\xC3\xB6\xC3\x9F"), 4, "\xF6\xDF");
  WriteAll(File("utf8.java"), body);
  WriteAll(File("bom.java"), "\xEF\xBB\xBF" + body);
  WriteAll(File("latin.java"), latin);
  std::string first;
  for (const char* name : {"utf8.java", "bom.java", "latin.java"}) {
    CliRun r = Cli(std::string("import-java ") + File(name));
    EXPECT_EQ(r.status, 0) << name;
    EXPECT_EQ(r.err, "") << name;
    EXPECT_NE(r.out.find("\"    // Gr\xC3\xB6\xC3\x9F" "e\""), std::string::npos) << name << r.out;
    EXPECT_EQ(r.out.find('\r'), std::string::npos) << name;
    EXPECT_NE(r.out.find("\"Name\": \"Konto\""), std::string::npos) << name;
    if (first.empty()) first = r.out;
    EXPECT_EQ(r.out, first) << name;
  }
  WriteAll(File("I.java"), "public interface I {\n  void f();\n}\n");
  CliRun bad = Cli("import-java " + File("I.java"));
  EXPECT_EQ(bad.status, 1);
  EXPECT_EQ(bad.err,
            "[information] Sytaxerror in Java Quelldatei beim Einlesen des Kopfes der Klasse\n");
  EXPECT_NE(bad.out.find("\"Name\": \"NONAME\""), std::string::npos);
}

TEST_F(ImportCli, UpdateFromAnEditedPascalUnit) {
  CliRun gen = Cli("pascal " + Example("Fahrzeuge.urd") + " TAuto");
  ASSERT_EQ(gen.status, 0);
  std::string unit = gen.out;
  // A new attribute, a changed body, and a method that is gone (Hupe).
  unit.replace(unit.find("    hatTRad : TRad;"), 0, "    farbe : Integer;\n");
  unit.replace(unit.find("  result  := hatTRad"), 20, "  result := hatTRad; // neu");
  unit.erase(unit.find("    procedure Hupe; virtual;\n"), 29);
  WriteAll(File("mTAuto.pas"), unit);

  CliRun up = Cli("update " + Example("Fahrzeuge.urd") + " TAuto " + File("mTAuto.pas") + " " +
               File("out.urd"));
  EXPECT_EQ(up.status, 0) << up.err;
  EXPECT_NE(up.err.find("[information] Speichere Diagramm unter: " + File("out.urd")),
            std::string::npos);
  CliRun dump = Cli("dump " + File("out.urd"));
  ASSERT_EQ(dump.status, 0);
  EXPECT_NE(dump.out.find("\"Name\": \"farbe\""), std::string::npos);
  EXPECT_NE(dump.out.find("\"  result := hatTRad; // neu\""), std::string::npos);
  EXPECT_EQ(dump.out.find("\"Name\": \"Hupe\""), std::string::npos);
  EXPECT_NE(dump.out.find("\"SourceFileName\": \"mTAuto.pas\""), std::string::npos);
  EXPECT_NE(dump.out.find("\"ObjectName\": \"meinAuto\""), std::string::npos);  // the rest stays

  // The diagram is Pascal: a Java source is read as a unit and yields no class at all.
  WriteAll(File("TAuto.java"), "public class TAuto {\n}\n");
  CliRun wrong = Cli("update " + Example("Fahrzeuge.urd") + " TAuto " + File("TAuto.java") + " " +
                  File("nein.urd"));
  EXPECT_EQ(wrong.status, 1);
  EXPECT_FALSE(fs::exists(File("nein.urd")));
}

TEST_F(ImportCli, UpdateFromAnEditedJavaSource) {
  CliRun gen = Cli("java " + Example("Bank.urd") + " Konto");
  ASSERT_EQ(gen.status, 0);
  std::string src = gen.out;
  src.replace(src.find("  stand = stand + betrag;"), 25, "  stand += betrag; // neu");
  WriteAll(File("Konto.java"), src);
  CliRun up = Cli("update " + Example("Bank.urd") + " Konto " + File("Konto.java") + " " +
               File("out.urd"));
  EXPECT_EQ(up.status, 0) << up.err;
  CliRun dump = Cli("dump " + File("out.urd"));
  EXPECT_NE(dump.out.find("\"  stand += betrag; // neu\""), std::string::npos);
  EXPECT_NE(dump.out.find("\"SourceFileName\": \"Konto.java\""), std::string::npos);

  // A source whose class has another name leaves the class alone.
  CliRun other = Cli("update " + Example("Bank.urd") + " Kunde " + File("Konto.java") + " " +
                  File("nein.urd"));
  EXPECT_EQ(other.status, 1);
  EXPECT_EQ(other.err, "[warning] Die Datei liefert eine Klasse mit unterschiedlichem Namen "
                       "!!\\n\\nEs wurde nicht aktualisiert.\n");
  EXPECT_FALSE(fs::exists(File("nein.urd")));
}

TEST_F(ImportCli, UpdateAsksForAnotherClassOfTheUnit) {
  WriteAll(File("mZwei.pas"), kUnit);
  const std::string args =
      "update " + Example("Fahrzeuge.urd") + " TRad " + File("mZwei.pas") + " " + File("out.urd");
  const std::string question =
      "[information] Forward Deklaration der Klasse: 'TB' gefunden.\n"
      "[information] Die Datei liefert keine Klasse mit dem gleichen Namen !!\\nSie k\xC3\xB6nnen "
      "nun eine andere Klasse dieser Datei zum\\nAktualisieren ausw\xC3\xA4hlen oder gar nicht "
      "aktualisieren.\n[choice] Klasse zum Aktualisieren ausw\xC3\xA4hlen !\n";
  CliRun refused = Cli(args);
  EXPECT_EQ(refused.status, 1);
  EXPECT_EQ(refused.err, question);
  EXPECT_FALSE(fs::exists(File("out.urd")));

  CliRun chosen = Cli(args + " --choose TB");
  EXPECT_EQ(chosen.status, 0) << chosen.err;
  EXPECT_EQ(chosen.err.rfind(question, 0), 0u) << chosen.err;
  CliRun dump = Cli("dump " + File("out.urd"));
  // The box keeps its class object, which now carries the chosen class's name and content.
  EXPECT_EQ(dump.out.find("\"Name\": \"TRad\""), std::string::npos);
  EXPECT_NE(dump.out.find("\"Name\": \"TB\""), std::string::npos);
  EXPECT_NE(dump.out.find("\"  result := y;\""), std::string::npos);
  EXPECT_NE(dump.out.find("\"SourceFileName\": \"mZwei.pas\""), std::string::npos);
}

TEST_F(ImportCli, UpdateFromAMissingFileOrClass) {
  CliRun missing = Cli("update " + Example("Fahrzeuge.urd") + " TAuto " + File("fehlt.pas") + " " +
                    File("out.urd"));
  EXPECT_EQ(missing.status, 1);
  EXPECT_EQ(missing.err, "[warning] Klasse 'TAuto' konnte nicht aktualisiert werden.\n");
  EXPECT_FALSE(fs::exists(File("out.urd")));
  CliRun noClass = Cli("update " + Example("Fahrzeuge.urd") + " TBoot " + File("fehlt.pas") + " " +
                    File("out.urd"));
  EXPECT_EQ(noClass.status, 1);
  EXPECT_EQ(Cli("update " + Example("Fahrzeuge.urd") + " TAuto").status, 2);
}

}  // namespace
