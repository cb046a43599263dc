// Saving never loses what was there: links are followed, write-protected files refused,
// and a killed save leaves no temporary file.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>

#include "model/Win1252.h"
#include "persistence/Files.h"
#include "support/TestDir.h"

namespace zedro {
namespace {

namespace fs = std::filesystem;
using testing::ReadAll;
using testing::WriteAll;

class SafeSave : public testing::TestDirFixture {
 protected:
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir_)) names.push_back(e.path().filename());
    std::sort(names.begin(), names.end());
    return names;
  }
};

TEST_F(SafeSave, LinksAreFollowedAndWriteProtectedFilesRefused) {
  fs::create_directories(dir_ / "echt");
  WriteAll(File("echt/Diagramm.urd"), "alt");
  fs::create_symlink("echt/Diagramm.urd", dir_ / "Link.urd");
  fs::create_symlink(dir_ / "Link.urd", dir_ / "Kette.urd");  // a link to a link
  std::string error;
  ASSERT_TRUE(WriteFileAtomically(File("Kette.urd"), "neu", &error)) << error;
  EXPECT_TRUE(fs::is_symlink(dir_ / "Kette.urd") && fs::is_symlink(dir_ / "Link.urd"));
  EXPECT_EQ(ReadAll(File("echt/Diagramm.urd")), "neu");

  // 0444: refused, also through a link, and left as it was (the administrator too).
  fs::permissions(File("echt/Diagramm.urd"),
                  fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  EXPECT_TRUE(IsWriteProtected(File("Link.urd")));
  EXPECT_FALSE(WriteFileAtomically(File("Link.urd"), "weg", &error));
  EXPECT_EQ(error, W("Die Datei ist schreibgeschützt."));
  EXPECT_EQ(ReadAll(File("echt/Diagramm.urd")), "neu");

  // A replaced file keeps its permissions; links in a circle are refused in German.
  WriteAll(File("Frei.urd"), "alt");
  fs::permissions(File("Frei.urd"), fs::perms::owner_read | fs::perms::owner_write);
  ASSERT_TRUE(WriteFileAtomically(File("Frei.urd"), "neu", &error)) << error;
  EXPECT_EQ(fs::status(File("Frei.urd")).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write);
  fs::create_symlink("Kreis.urd", dir_ / "Kreis.urd");
  EXPECT_FALSE(WriteFileAtomically(File("Kreis.urd"), "x", &error));
  EXPECT_EQ(error, SystemErrorText(ELOOP));
}

TEST_F(SafeSave, AKilledSaveLeavesNoTemporaryFileBehind) {
  const std::string target = File("Gross.urd");
  WriteAll(target, "alt");
  // A save of 64 MB killed while it writes; whatever it got done, the next save leaves
  // nothing but the file.
  const pid_t writer = ::fork();
  if (writer == 0) {
    WriteFileAtomically(target, std::string(64 << 20, 'x'));
    ::_exit(0);
  }
  ::usleep(20000);
  ::kill(writer, SIGKILL);
  ::waitpid(writer, nullptr, 0);
  // What killed saves leave where the file system has no unnamed files: one of the
  // process just killed, one of the older naming from long ago. One of a program that
  // still runs (the system's first process) and someone else's file are left alone.
  WriteAll(File("Gross.urd.tmp-" + std::to_string(writer) + "-Ab12Cd"), "halb");
  WriteAll(File("Gross.urd.tmp-Xy34Zw"), "halb");
  fs::last_write_time(File("Gross.urd.tmp-Xy34Zw"),
                      fs::file_time_type::clock::now() - std::chrono::hours(1));
  WriteAll(File("Gross.urd.tmp-1-Qr56St"), "laeuft");
  WriteAll(File("Gross.urd.tmp-Anderes"), "fremd");

  std::string error;
  ASSERT_TRUE(WriteFileAtomically(target, "neu", &error)) << error;
  EXPECT_EQ(ReadAll(target), "neu");
  EXPECT_EQ(Names(), (std::vector<std::string>{"Gross.urd", "Gross.urd.tmp-1-Qr56St",
                                               "Gross.urd.tmp-Anderes"}));
}

}  // namespace
}  // namespace zedro
