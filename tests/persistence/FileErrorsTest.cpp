// What the operating system says about a file a user cannot read or write, in German.
#include <gtest/gtest.h>

#include <cerrno>
#include <string>

#include "model/Win1252.h"
#include "persistence/Files.h"
#include "persistence/SystemErrors.h"
#include "support/TestDir.h"

namespace zedro {
namespace {

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

using FileErrorFiles = testing::TestDirFixture;

TEST_F(FileErrorFiles, ReadingAndWritingReportTheReasonInGerman) {
  const std::string dir = dir_.string();
  std::string bytes, error;
  EXPECT_FALSE(ReadFileBytes(dir + "/fehlt.urd", bytes, &error));
  EXPECT_EQ(SystemErrorText(ENOENT), error);
  EXPECT_FALSE(ReadFileBytes(dir, bytes, &error));
  EXPECT_EQ(SystemErrorText(EISDIR), error);
  EXPECT_FALSE(WriteFileAtomically(dir + "/gibt/es/nicht.urd", "x", &error));
  EXPECT_EQ(SystemErrorText(ENOENT), error);
}

}  // namespace
}  // namespace zedro
