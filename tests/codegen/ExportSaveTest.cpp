#include <gtest/gtest.h>

#include <fstream>

#include "codegen/CodegenTestSupport.h"
#include "codegen/ExportSupport.h"
#include "model/Messages.h"
#include "persistence/Files.h"

using namespace zedro;
using namespace zedro::testing;

namespace {
const std::string kCannotSave = W("Abspeichern nicht möglich. Datei ist wahrscheinlich geöffnet.");
}  // namespace

// A saved unit gets its heading and age in every box of the class; an existing file is
// replaced only after Yes, and a failed write keeps what the box knew.
TEST(ExportSave, SourceFiles) {
  SetFileAgeFunction([](const std::string& path) { return FileExists(path) ? 4711 : -1; });
  struct ResetAge {
    ~ResetAge() { SetFileAgeFunction({}); }
  } reset;
  TestDiagram d;
  TUMLDrawClass* box = d.Box("TAuto");
  TUMLDrawClass* subBox = d.doc.AddSubDiagram("Teil")->AddBoxForClass(box->UMLClass);
  TempDir dir;
  ScriptedMessages messages;
  const std::string path = dir.File("mTAuto.pas");
  auto save = [&](const std::string& p, const StringList& text, int language) {
    return SaveGeneratedSource(d.doc, *box, p, text, language, messages);
  };
  EXPECT_EQ(save(path, {"interface"}, 1), SaveOutcome::Saved);
  EXPECT_EQ(ReadText(path), "UNIT mTAuto;\n\ninterface\n");
  EXPECT_EQ(box->SourceFileName, "mTAuto.pas");
  EXPECT_EQ(subBox->SourceFileAge, 4711);
  EXPECT_TRUE(messages.shown.empty());

  std::ofstream(path, std::ios::binary) << "alt";
  box->SourceFileName = "";
  messages.answers = {MsgResult::No};
  EXPECT_EQ(save(path, {"interface"}, 1), SaveOutcome::Declined);
  EXPECT_EQ(ReadText(path), "alt");
  EXPECT_EQ(box->SourceFileName, "");
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text,
            "Die Datei '" + path + "' existiert schon. Soll sie ersetzt werden");
  EXPECT_EQ(messages.shown[0].buttons, MsgButtons::YesNo);
  messages.answers = {MsgResult::Yes};
  EXPECT_EQ(save(path, {"class"}, 2), SaveOutcome::Saved);
  EXPECT_EQ(ReadText(path), "class\n");  // Java text is written exactly as shown

  box->SourceFileAge = 17;
  const std::string known = box->SourceFileName;
  EXPECT_EQ(save("/nonexistent-dir/mTNeu.pas", {"interface"}, 1), SaveOutcome::Failed);
  EXPECT_EQ(box->SourceFileName, known);
  EXPECT_EQ(box->SourceFileAge, 17);
  EXPECT_TRUE(messages.Contains(kCannotSave));
}

TEST(ExportSave, AWriteProtectedSourceFileIsNamedAndLeftAlone) {
  TempDir dir;
  const std::string path = dir.File("mTAuto.pas");
  std::ofstream(path, std::ios::binary) << "schreibgeschuetzt";
  std::filesystem::permissions(path, std::filesystem::perms::owner_read);
  ScriptedMessages messages;
  EXPECT_FALSE(WriteSourceFile(path, {"interface"}, messages));
  EXPECT_EQ(ReadText(path), "schreibgeschuetzt");
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text,
            W("Abspeichern nicht möglich. Die Datei '") + path + W("' ist schreibgeschützt."));
}
