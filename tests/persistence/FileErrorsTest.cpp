// What the operating system says about a file a user cannot read or write, in German.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>

#include "model/Win1252.h"
#include "persistence/Files.h"
#include "persistence/SystemErrors.h"

namespace zedro {
namespace {

// No English word of the C library's texts.
bool LooksEnglish(const std::string& text) {
  for (const char* word : {"No such", "Permission", "Is a directory", "No space", "Read-only",
                           "denied", "file system"})
    if (text.find(word) != std::string::npos) return true;
  return false;
}

TEST(FileErrors, TheUsualFileErrorsHaveGermanTexts) {
  EXPECT_EQ(SystemErrorText(ENOENT), W("Die Datei oder das Verzeichnis ist nicht vorhanden."));
  EXPECT_EQ(SystemErrorText(EACCES), SystemErrorText(EPERM));
  EXPECT_NE(SystemErrorText(EACCES).find("Zugriff verweigert"), std::string::npos);
  EXPECT_EQ(SystemErrorText(EISDIR), W("Das ist ein Verzeichnis und keine Datei."));
  EXPECT_EQ(SystemErrorText(ENOSPC), W("Auf dem Datenträger ist kein Platz mehr frei."));
  EXPECT_EQ(SystemErrorText(EROFS), W("Der Datenträger ist schreibgeschützt."));
  // Any other error by its number.
  EXPECT_EQ(SystemErrorText(EPROTO), "Das Betriebssystem meldet den Fehler Nummer " +
                                         text::IntToStr(EPROTO) + ".");
}

class FileErrorFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    char tmpl[] = "/tmp/zedro-fileerrors-XXXXXX";
    ASSERT_NE(nullptr, ::mkdtemp(tmpl));
    dir = tmpl;
  }
  void TearDown() override { std::system(("rm -rf '" + dir + "'").c_str()); }
  std::string dir;
};

TEST_F(FileErrorFiles, ReadingAndWritingReportTheReasonInGerman) {
  std::string bytes, error;
  EXPECT_FALSE(ReadFileBytes(dir + "/fehlt.urd", bytes, &error));
  EXPECT_EQ(SystemErrorText(ENOENT), error);
  EXPECT_FALSE(ReadFileBytes(dir, bytes, &error));
  EXPECT_EQ(SystemErrorText(EISDIR), error);
  EXPECT_FALSE(WriteFileAtomically(dir + "/gibt/es/nicht.urd", "x", &error));
  EXPECT_EQ(SystemErrorText(ENOENT), error);
  // A directory where the file should go.
  ASSERT_EQ(0, ::mkdir((dir + "/ordner.urd").c_str(), 0755));
  EXPECT_FALSE(WriteFileAtomically(dir + "/ordner.urd", "x", &error));
  EXPECT_FALSE(LooksEnglish(error)) << error;
  EXPECT_FALSE(error.empty());
}

TEST_F(FileErrorFiles, AnUnreadableFileIsRefusedInGerman) {
  if (::geteuid() == 0) GTEST_SKIP() << "root reads every file";
  const std::string path = dir + "/geheim.urd";
  ASSERT_TRUE(WriteFileAtomically(path, "x"));
  ASSERT_EQ(0, ::chmod(path.c_str(), 0));
  std::string bytes, error;
  EXPECT_FALSE(ReadFileBytes(path, bytes, &error));
  EXPECT_EQ(SystemErrorText(EACCES), error);
}

}  // namespace
}  // namespace zedro
