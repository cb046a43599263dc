// Saving never loses what was there: links are followed, write-protected files refused,
// a killed save leaves no temporary file, and a file too large for the memory is refused
// with a German message instead of ending the program.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "model/Win1252.h"
#include "persistence/Files.h"

namespace zedro {
namespace {

namespace fs = std::filesystem;

class SafeSave : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("zedro-safesave-" + std::to_string(::getpid()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override {
    std::error_code ec;
    fs::permissions(dir_, fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(dir_, ec);
  }
  std::string File(const std::string& name) const { return (dir_ / name).string(); }
  static std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }
  static void Write(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
  }
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir_))
      names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }
  // A process number that belonged to a process which has ended.
  static long DeadProcess() {
    const pid_t child = ::fork();
    if (child == 0) ::_exit(0);
    ::waitpid(child, nullptr, 0);
    return static_cast<long>(child);
  }

  fs::path dir_;
};

TEST_F(SafeSave, ASymbolicLinkIsFollowedToTheFileItNames) {
  fs::create_directories(dir_ / "echt");
  Write(File("echt/Diagramm.urd"), "alt");
  fs::create_symlink("echt/Diagramm.urd", dir_ / "Verknuepfung.urd");
  fs::create_symlink(dir_ / "Verknuepfung.urd", dir_ / "Kette.urd");  // a link to a link

  std::string error;
  ASSERT_TRUE(WriteFileAtomically(File("Kette.urd"), "neu", &error)) << error;
  EXPECT_TRUE(fs::is_symlink(dir_ / "Kette.urd"));
  EXPECT_TRUE(fs::is_symlink(dir_ / "Verknuepfung.urd"));
  EXPECT_EQ(Read(File("echt/Diagramm.urd")), "neu");
  EXPECT_EQ(LinkTarget(File("Kette.urd")), dir_.string() + "/echt/Diagramm.urd");

  // A link to a file that does not exist yet creates that file.
  fs::create_symlink("echt/Neu.urd", dir_ / "Offen.urd");
  ASSERT_TRUE(WriteFileAtomically(File("Offen.urd"), "erst", &error)) << error;
  EXPECT_EQ(Read(File("echt/Neu.urd")), "erst");
  EXPECT_TRUE(fs::is_symlink(dir_ / "Offen.urd"));

  // Links that go round in circles are refused in German.
  fs::create_symlink("Kreis2.urd", dir_ / "Kreis1.urd");
  fs::create_symlink("Kreis1.urd", dir_ / "Kreis2.urd");
  EXPECT_FALSE(WriteFileAtomically(File("Kreis1.urd"), "x", &error));
  EXPECT_EQ(error, W("Zu viele symbolische Verknüpfungen hintereinander."));
}

TEST_F(SafeSave, AWriteProtectedFileIsRefusedAndStaysAsItWas) {
  Write(File("Schutz.urd"), "bleibt");
  fs::permissions(File("Schutz.urd"),
                  fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);  // 0444
  EXPECT_TRUE(IsWriteProtected(File("Schutz.urd")));
  EXPECT_FALSE(IsWriteProtected(File("Schutz.urd") + ".fehlt"));
  std::string error;
  EXPECT_FALSE(WriteFileAtomically(File("Schutz.urd"), "weg", &error));
  EXPECT_EQ(error, W("Die Datei ist schreibgeschützt."));
  EXPECT_EQ(Read(File("Schutz.urd")), "bleibt");
  EXPECT_EQ(Names(), std::vector<std::string>{"Schutz.urd"});

  // The same through a link.
  fs::create_symlink("Schutz.urd", dir_ / "Link.urd");
  EXPECT_TRUE(IsWriteProtected(File("Link.urd")));
  EXPECT_FALSE(WriteFileAtomically(File("Link.urd"), "weg", &error));
  EXPECT_EQ(Read(File("Schutz.urd")), "bleibt");

  // A writable file keeps its permissions when it is replaced.
  Write(File("Frei.urd"), "alt");
  fs::permissions(File("Frei.urd"), fs::perms::owner_read | fs::perms::owner_write);
  ASSERT_TRUE(WriteFileAtomically(File("Frei.urd"), "neu", &error)) << error;
  EXPECT_EQ(fs::status(File("Frei.urd")).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write);
}

TEST_F(SafeSave, FailuresAreReportedInGerman) {
  std::string error;
  EXPECT_FALSE(WriteFileAtomically(File("fehlt/Diagramm.urd"), "x", &error));
  EXPECT_EQ(error, W("Die Datei oder das Verzeichnis gibt es nicht."));
  EXPECT_FALSE(WriteFileAtomically(dir_.string(), "x", &error));
  EXPECT_EQ(error, "Das ist ein Verzeichnis.");
  std::string bytes;
  EXPECT_FALSE(ReadFileBytes(File("fehlt.urd"), bytes, &error));
  EXPECT_EQ(error, W("Die Datei oder das Verzeichnis gibt es nicht."));
  // A read-only folder (the administrator may write into any folder).
  if (::geteuid() != 0) {
    fs::create_directories(dir_ / "nurlesen");
    fs::permissions(dir_ / "nurlesen", fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_FALSE(WriteFileAtomically(File("nurlesen/Diagramm.urd"), "x", &error));
    EXPECT_EQ(error, W("Keine Berechtigung (Datei oder Verzeichnis ist schreibgeschützt)."));
  }
}

TEST_F(SafeSave, AKilledSaveLeavesNoTemporaryFileBehind) {
  const std::string target = File("Gross.urd");
  Write(target, "alt");
  // A save of 64 MB killed while it writes: whatever it got done, the next save leaves
  // nothing but the file.
  const pid_t child = ::fork();
  if (child == 0) {
    WriteFileAtomically(target, std::string(64 << 20, 'x'));
    ::_exit(0);
  }
  ::usleep(20000);
  ::kill(child, SIGKILL);
  ::waitpid(child, nullptr, 0);
  // Temporary files of earlier killed saves, as they look when the file system has no
  // unnamed files: one of a process that has ended, one of the older form from long ago.
  const std::string dead = File("Gross.urd.tmp-" + std::to_string(DeadProcess()) + "-Ab12Cd");
  Write(dead, "halb");
  Write(File("Gross.urd.tmp-Xy34Zw"), "halb");
  fs::last_write_time(File("Gross.urd.tmp-Xy34Zw"),
                      fs::file_time_type::clock::now() - std::chrono::hours(1));
  // One of a program that still runs (the first process of the system) and someone
  // else's file are left alone.
  Write(File("Gross.urd.tmp-1-Qr56St"), "laeuft");
  Write(File("Gross.urd.tmp-Anderes"), "fremd");

  std::string error;
  ASSERT_TRUE(WriteFileAtomically(target, "neu", &error)) << error;
  EXPECT_EQ(Read(target), "neu");
  EXPECT_EQ(Names(), (std::vector<std::string>{"Gross.urd", "Gross.urd.tmp-1-Qr56St",
                                               "Gross.urd.tmp-Anderes"}));
  EXPECT_EQ(TemporaryFilePrefix("a.urd"), "a.urd.tmp-" + std::to_string(::getpid()) + "-");
}

TEST_F(SafeSave, AFileLargerThanTheMemoryIsRefusedWithAGermanMessage) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "the address sanitizer needs more address space than the limit leaves";
#endif
  // A sparse file of 2 GB read by a process that may use 512 MB.
  {
    std::ofstream(File("Riesig.pas"));
    fs::resize_file(File("Riesig.pas"), 2ull << 30);
  }
  const pid_t child = ::fork();
  if (child == 0) {
    struct rlimit limit {
      512ull << 20, 512ull << 20
    };
    ::setrlimit(RLIMIT_AS, &limit);
    std::string bytes, error;
    const bool read = ReadFileBytes(File("Riesig.pas"), bytes, &error);
    ::_exit(!read && error == W("Nicht genug Arbeitsspeicher, um die Datei zu lesen (2048 MB).")
                ? 0
                : 3);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  ASSERT_TRUE(WIFEXITED(status)) << "ended by signal " << WTERMSIG(status);
  EXPECT_EQ(WEXITSTATUS(status), 0);
}

}  // namespace
}  // namespace zedro
