// zedro-cli dump, new, save and example.
#include <sys/stat.h>

#include "cli/CliSupport.h"
#include "diagram/DiagramDocument.h"
#include "model/Messages.h"
#include "persistence/DiagramFile.h"

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

// A diagram of several megabytes takes the path of large files (the heap grown at once,
// the new bytes written into the storage of the old ones) and still comes out unchanged.
TEST_F(Cli, SaveOfALargeDiagramWritesTheSameBytes) {
  DiagramDocument doc;
  for (int i = 0; i < 7000; ++i) {
    auto cls = std::make_unique<TUMLClass>("TKlasse" + std::to_string(i));
    for (int m = 0; m < 8; ++m) {
      auto meth = std::make_unique<TMethod>();
      meth->Name = "Methode" + std::to_string(m);
      meth->Code = {"begin", "  // eine Zeile, die in keinen kurzen Text passt", "end;"};
      cls->AddMethod(std::move(meth));
    }
    doc.AddClassBox(std::move(cls), i % 100 * 10, i / 100 * 10);
  }
  ScriptedMessages m;
  ASSERT_TRUE(WriteDiagramFile(doc, File("gross.urd"), m));
  const std::string before = ReadAll(File("gross.urd"));
  ASSERT_GT(before.size(), 5u << 20);
  EXPECT_EQ(Run("save " + File("gross.urd") + " " + File("kopie.urd")).status, 0);
  EXPECT_TRUE(ReadAll(File("kopie.urd")) == before);
  EXPECT_EQ(Run("save " + File("kopie.urd") + " " + File("kopie.urd")).status, 0);
  EXPECT_TRUE(ReadAll(File("kopie.urd")) == before);
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
