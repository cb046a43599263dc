// zedro-cli dump, new, save and example.
#include <sys/stat.h>

#include "cli/CliSupport.h"

namespace zedro::clitest {
namespace {

using Cli = CliFixture;

TEST_F(Cli, DumpPrintsTheDiagramAsJsonWithReferencesAsIndices) {
  CliRun r = Run("dump " + Example("Fahrzeuge.urd"));
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err, "");
  for (const char* part :
       {"\"Version\": 184", "\"Name\": \"TAuto\"", "\"ObjectName\": \"meinAuto\"",
        "Räder des Autos",  // UTF-8 on stdout
        "\"FontDialog\": {", "\"ReadMethod\": 3,",
        "\"ClassIndex\": 1,"})  // the object meinAuto of TAuto
    EXPECT_TRUE(Has(r.out, part)) << part;
  // TAuto (box 1) HAT TRad (box 2) through TAuto's only attribute, with multiplicity 4.
  size_t at = r.out.find("\"Kind\": 2,\n      \"LineShape\"");
  ASSERT_NE(at, std::string::npos);
  EXPECT_EQ(
      r.out.substr(at).find("\"StartBox\": 1,\n      \"StartPoint\": 20,\n"
                            "      \"EndBox\": 2,\n      \"EndPoint\": 39,\n"
                            "      \"Method\": -1,\n      \"Attributes\": [\n        0\n      ],\n"
                            "      \"StartText\": \"\",\n      \"EndText\": \"4\""),
      64u);
}

TEST_F(Cli, SaveAndExampleWriteTheBundledFilesByteForByte) {
  std::string copy = File("copy.urd");
  CliRun r = Run("save " + Example("Fahrzeuge.urd") + " " + copy);
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err, "[information] Speichere Diagramm unter: " + copy + "\n");
  EXPECT_EQ(ReadAll(copy), ReadAll(Example("Fahrzeuge.urd")));
  for (auto [name, file] :
       {std::pair{"vehicles", "Fahrzeuge.urd"}, std::pair{"bank", "Bank.urd"}}) {
    EXPECT_EQ(Run(std::string("example ") + name + " " + File(file)).status, 0);
    EXPECT_EQ(ReadAll(File(file)), ReadAll(Example(file))) << file;
  }
}

TEST_F(Cli, ReportsMessagesAndExitStatus) {
  EXPECT_EQ(Run("new " + File("neu.urd")).status, 0);
  EXPECT_TRUE(Has(Run("dump " + File("neu.urd")).out, "\"DrawClasses\": []"));
  EXPECT_EQ(Run("frobnicate x").status, 2);

  std::string truncated = File("kaputt.urd");
  std::string bytes = ReadAll(Example("Fahrzeuge.urd"));
  WriteAll(truncated, bytes.substr(0, bytes.size() / 2));
  CliRun bad = Run("dump " + truncated);
  EXPECT_EQ(bad.status, 1);
  EXPECT_TRUE(Has(bad.err, "[error] Stream-Lesefehler"));

  // A damaged or missing diagram is not saved: the target keeps what it held.
  std::string target = File("ziel.urd");
  WriteAll(target, "alt");
  EXPECT_EQ(Run("save " + truncated + " " + target).status, 1);
  EXPECT_EQ(Run("save " + File("fehlt.urd") + " " + target).status, 1);
  EXPECT_EQ(ReadAll(target), "alt");
  // Devices and pipes are refused at once instead of being read without end.
  CliRun device = Run("dump /dev/zero");
  EXPECT_EQ(device.status, 1);
  EXPECT_EQ(device.err,
            "[error] Die Datei '/dev/zero' kann nicht geöffnet werden.\\nDas ist keine "
            "gewöhnliche Datei.\n");
  ASSERT_EQ(::mkfifo(File("rohr.urd").c_str(), 0600), 0);
  EXPECT_EQ(Run("dump " + File("rohr.urd")).status, 1);
}

}  // namespace
}  // namespace zedro::clitest
