#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

struct CliRun {
  int status;
  std::string out;
  std::string err;
};

std::string ReadAll(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

CliRun Cli(const std::string& args) {
  auto dir = std::filesystem::temp_directory_path();
  auto out = dir / ("zedro-cli-test-" + std::to_string(::getpid()) + ".out");
  auto err = dir / ("zedro-cli-test-" + std::to_string(::getpid()) + ".err");
  std::string cmd =
      std::string(ZEDRO_CLI) + " " + args + " >" + out.string() + " 2>" + err.string();
  int rc = std::system(cmd.c_str());
  return {WEXITSTATUS(rc), ReadAll(out), ReadAll(err)};
}

std::string Example(const std::string& name) {
  return std::string(ZEDRO_SOURCE_DIR) + "/examples/" + name;
}

}  // namespace

TEST(Cli, DumpPrintsTheDiagramAsJson) {
  CliRun r = Cli("dump " + Example("Fahrzeuge.urd"));
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.out.find("\"Version\": 184"), std::string::npos);
  EXPECT_NE(r.out.find("\"Name\": \"TAuto\""), std::string::npos);
  EXPECT_NE(r.out.find("\"ObjectName\": \"meinAuto\""), std::string::npos);
  EXPECT_NE(r.out.find("Räder des Autos"), std::string::npos);  // UTF-8 on stdout
  EXPECT_EQ(r.err, "");
}

TEST(Cli, SaveWritesTheSameDiagramAgain) {
  auto dir =
      std::filesystem::temp_directory_path() / ("zedro-cli-save-" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  std::string copy = (dir / "copy.urd").string();
  CliRun r = Cli("save " + Example("Fahrzeuge.urd") + " " + copy);
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err, "[information] Speichere Diagramm unter: " + copy + "\n");
  EXPECT_EQ(ReadAll(copy), ReadAll(Example("Fahrzeuge.urd")));
  std::filesystem::remove_all(dir);
}

TEST(Cli, ReportsMessagesAndExitStatus) {
  auto dir =
      std::filesystem::temp_directory_path() / ("zedro-cli-msg-" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  std::string fresh = (dir / "neu.urd").string();
  EXPECT_EQ(Cli("new " + fresh).status, 0);
  CliRun empty = Cli("dump " + fresh);
  EXPECT_EQ(empty.status, 0);
  EXPECT_NE(empty.out.find("\"DrawClasses\": []"), std::string::npos);

  std::string truncated = (dir / "kaputt.urd").string();
  std::string bytes = ReadAll(Example("Fahrzeuge.urd"));
  std::ofstream(truncated, std::ios::binary) << bytes.substr(0, bytes.size() / 2);
  CliRun bad = Cli("dump " + truncated);
  EXPECT_EQ(bad.status, 1);
  EXPECT_NE(bad.err.find("[error] Stream-Lesefehler"), std::string::npos);

  std::string old = (dir / "alt.urd").string();
  std::ofstream(old, std::ios::binary) << std::string("\x02\x64", 2);  // version 100
  CliRun wrong = Cli("dump " + old);
  EXPECT_EQ(wrong.status, 1);
  EXPECT_EQ(wrong.err,
            "[warning] Altes Diagramm. Typ: 100\n[error] Zedro-Datei hat die falsche "
            "Versionsnummer :'100'\n");

  // A damaged diagram is not saved: the target keeps what it held.
  std::string target = (dir / "ziel.urd").string();
  std::ofstream(target, std::ios::binary) << "alt";
  CliRun save = Cli("save " + truncated + " " + target);
  EXPECT_EQ(save.status, 1);
  EXPECT_EQ(ReadAll(target), "alt");
  EXPECT_EQ(Cli("save " + (dir / "fehlt.urd").string() + " " + target).status, 1);
  EXPECT_EQ(ReadAll(target), "alt");

  EXPECT_EQ(Cli("dump").status, 2);
  EXPECT_EQ(Cli("frobnicate x").status, 2);
  EXPECT_EQ(Cli("dump " + (dir / "fehlt.urd").string()).status, 1);
  // Devices and pipes are refused at once instead of being read without end.
  CliRun device = Cli("dump /dev/zero");
  EXPECT_EQ(device.status, 1);
  EXPECT_EQ(device.err,
            "[error] Die Datei '/dev/zero' kann nicht geöffnet werden.\\nDas ist keine "
            "gewöhnliche Datei.\n");
  std::string pipe = (dir / "rohr.urd").string();
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  EXPECT_EQ(Cli("dump " + pipe).status, 1);
  std::filesystem::remove_all(dir);
}

TEST(Cli, BundledExamplesAreWhatTheProgramWrites) {
  auto dir =
      std::filesystem::temp_directory_path() / ("zedro-cli-example-" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  for (auto [name, file] :
       {std::pair{"vehicles", "Fahrzeuge.urd"}, std::pair{"bank", "Bank.urd"}}) {
    std::string out = (dir / file).string();
    EXPECT_EQ(Cli(std::string("example ") + name + " " + out).status, 0);
    EXPECT_EQ(ReadAll(out), ReadAll(Example(file))) << file;
  }
  std::filesystem::remove_all(dir);
}

TEST(Cli, DumpWritesReferencesAsIndices) {
  CliRun r = Cli("dump " + Example("Fahrzeuge.urd"));
  // TAuto (box 1) HAT TRad (box 2) through TAuto's only attribute, with multiplicity 4.
  size_t at = r.out.find("\"Kind\": 2,\n      \"LineShape\"");
  ASSERT_NE(at, std::string::npos);
  EXPECT_EQ(
      r.out.substr(at).find("\"StartBox\": 1,\n      \"StartPoint\": 20,\n"
                            "      \"EndBox\": 2,\n      \"EndPoint\": 39,\n"
                            "      \"Method\": -1,\n      \"Attributes\": [\n        0\n      ],\n"
                            "      \"StartText\": \"\",\n      \"EndText\": \"4\""),
      64u);
  EXPECT_NE(r.out.find("\"FontDialog\": {"), std::string::npos);
  EXPECT_NE(r.out.find("\"ClassIndex\": 1,"), std::string::npos);  // the object meinAuto of TAuto
  EXPECT_NE(r.out.find("\"ReadMethod\": 3,"), std::string::npos);
}
