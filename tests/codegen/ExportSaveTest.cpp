#include <gtest/gtest.h>

#include <fstream>

#include "codegen/ClassDocumentation.h"
#include "codegen/CodegenTestSupport.h"
#include "codegen/ExportSupport.h"
#include "codegen/PascalExport.h"
#include "model/Messages.h"
#include "persistence/Files.h"

using namespace zedro;
using namespace zedro::testing;

namespace {

const std::string kCannotSave = W("Abspeichern nicht möglich. Datei ist wahrscheinlich geöffnet.");

class ExportSave : public ::testing::Test {
 protected:
  void SetUp() override {
    box = d.Box("TAuto");
    subBox = d.doc.AddSubDiagram("Teil")->AddBoxForClass(box->UMLClass);
    SetFileAgeFunction([](const std::string& path) { return FileExists(path) ? 4711 : -1; });
  }
  void TearDown() override { SetFileAgeFunction({}); }

  StringList PascalText() {
    TConnectionList connections = PascalConnections(d.doc);
    return TPascalExport(connections).Generate(*box->UMLClass);
  }
  SaveOutcome Save(const std::string& path, const StringList& text, int language) {
    return SaveGeneratedSource(d.doc, *box, path, text, language, messages);
  }

  TestDiagram d;
  TUMLDrawClass* box = nullptr;
  TUMLDrawClass* subBox = nullptr;
  TempDir dir;
  ScriptedMessages messages;
};

}  // namespace

TEST_F(ExportSave, SavedUnitGetsHeadingAndAgeAndIsReplacedOnlyAfterYes) {
  const std::string path = dir.File("mTAuto.pas");
  EXPECT_EQ(Save(path, PascalText(), 1), SaveOutcome::Saved);
  EXPECT_EQ(ReadText(path).rfind("UNIT mTAuto;\n\ninterface\n\n", 0), 0u);
  EXPECT_EQ(box->SourceFileName, "mTAuto.pas");
  EXPECT_EQ(box->SourceFileAge, 4711);
  EXPECT_EQ(subBox->SourceFileAge, 4711);
  EXPECT_TRUE(messages.shown.empty());

  std::ofstream(path, std::ios::binary) << "alt";
  box->SourceFileName = "";
  messages.answers = {MsgResult::No};
  EXPECT_EQ(Save(path, PascalText(), 1), SaveOutcome::Declined);
  EXPECT_EQ(ReadText(path), "alt");
  EXPECT_EQ(box->SourceFileName, "");
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text,
            "Die Datei '" + path + "' existiert schon. Soll sie ersetzt werden");
  EXPECT_EQ(messages.shown[0].buttons, MsgButtons::YesNo);
  messages.answers = {MsgResult::Yes};
  EXPECT_EQ(Save(path, {"class"}, 2), SaveOutcome::Saved);
  EXPECT_EQ(ReadText(path), "class\n");  // Java text is written exactly as shown
}

TEST_F(ExportSave, FailedWriteKeepsTheEarlierFile) {
  box->SourceFileName = "mTAuto.pas";
  box->SourceFileAge = 17;
  EXPECT_EQ(Save("/nonexistent-dir/mTNeu.pas", PascalText(), 1), SaveOutcome::Failed);
  EXPECT_EQ(box->SourceFileName, "mTAuto.pas");
  EXPECT_EQ(box->SourceFileAge, 17);
  EXPECT_TRUE(messages.Contains(kCannotSave));
}

TEST_F(ExportSave, DocumentationAsksBeforeReplacing) {
  const std::string path = dir.File("Doku_TAuto.rtf");
  TDocLines lines = BuildClassDocumentation(*box->UMLClass, d.doc.Connections);
  EXPECT_EQ(SaveDocumentationAsked(path, lines, messages), SaveOutcome::Saved);
  std::ofstream(path, std::ios::binary) << "alt";
  messages.answers = {MsgResult::No};
  EXPECT_EQ(SaveDocumentationAsked(path, lines, messages), SaveOutcome::Declined);
  EXPECT_EQ(ReadText(path), "alt");
  EXPECT_EQ(messages.shown.back().text,
            "Die Datei '" + path + "' existiert schon !   ...    Soll sie ersetzt werden ?");
  messages.answers = {MsgResult::Yes};
  EXPECT_EQ(SaveDocumentationAsked(path, lines, messages), SaveOutcome::Saved);
  EXPECT_EQ(ReadText(path).rfind("{\\rtf1", 0), 0u);
  EXPECT_EQ(SaveDocumentationAsked("/nonexistent-dir/x/Doku.rtf", lines, messages),
            SaveOutcome::Failed);
  EXPECT_TRUE(messages.Contains(kCannotSave));
}
