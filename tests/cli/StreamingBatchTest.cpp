// zedro-cli save and dump write each element while the file is read and keep of a written
// class only what later records refer to. What they write must be exactly what writing the
// whole loaded diagram gives.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <optional>
#include <sstream>

#include "cli/DumpJson.h"
#include "cli/DumpStream.h"
#include "diagram/DiagramDocument.h"
#include "model/Messages.h"
#include "model/Notation.h"
#include "persistence/DiagramCopy.h"
#include "persistence/DiagramFile.h"
#include "persistence/Files.h"
#include "support/OldFileWriter.h"

namespace zedro::cli {
namespace {

namespace fs = std::filesystem;
using testing::OldDiagram;
using testing::WriteOldDiagram;

LoadOptions Options(DiagramDocument& doc) {
  LoadOptions options;
  options.switchLanguage = [&doc](int language) {
    doc.Language = language;
    ActiveNotation::Set(language);
  };
  return options;
}

// The reference: the file loaded whole, then written.
struct Whole {
  bool completed = false;
  std::string bytes;
  std::string json;
};

Whole LoadWhole(const std::string& path) {
  NotationScope notation(1);
  ScriptedMessages messages;
  DiagramDocument doc;
  const LoadResult r = LoadDiagramFile(doc, path, messages, Options(doc));
  Whole whole{r.completed, r.completed ? DiagramToBytes(doc) : std::string(), {}};
  Json j;
  WriteDiagram(j, doc, r.version);
  whole.json = j.Text();
  return whole;
}

std::string StreamedJson(const std::string& path) {
  NotationScope notation(1);
  ScriptedMessages messages;
  DiagramDocument doc;
  std::ostringstream out;
  {
    Json j(out);
    DumpStream stream(j);
    LoadOptions options = Options(doc);
    options.observer = &stream;
    const LoadResult r = StreamDiagramFile(doc, path, messages, options);
    stream.Finish(doc, r.version);
  }
  return out.str();
}

class StreamingBatch : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("zedro-stream-" + std::to_string(::getpid()));
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::string File(const std::string& name) const { return (dir_ / name).string(); }
  std::string Put(const std::string& name, const std::string& bytes) const {
    EXPECT_TRUE(WriteFileAtomically(File(name), bytes));
    return File(name);
  }

  // Copies path to the target as zedro-cli save does; the bytes written, or none.
  std::optional<std::string> StreamedCopy(const std::string& path, const std::string& target,
                                          ScriptedMessages& messages) const {
    NotationScope notation(1);
    DiagramDocument doc;
    DiagramCopy copy(target, messages);
    LoadOptions options = Options(doc);
    options.observer = &copy;
    if (!StreamDiagramFile(doc, path, messages, options).completed) return std::nullopt;
    if (!copy.Finish(doc)) return std::nullopt;
    std::string bytes;
    EXPECT_TRUE(ReadFileBytes(target, bytes));
    return bytes;
  }

  // Both ways give the same bytes and the same JSON; returns whether the load completed.
  bool ExpectSameAsWhole(const std::string& path) const {
    const Whole whole = LoadWhole(path);
    EXPECT_EQ(StreamedJson(path), whole.json) << path;
    ScriptedMessages messages;
    const std::string target = File("kopie.urd");
    fs::remove(target);
    const std::optional<std::string> copied = StreamedCopy(path, target, messages);
    EXPECT_EQ(copied.has_value(), whole.completed) << path;
    if (copied && whole.completed) {
      EXPECT_TRUE(*copied == whole.bytes) << path;
    } else {
      EXPECT_FALSE(fs::exists(target)) << path;
    }
    return whole.completed;
  }

  fs::path dir_;
};

TEST_F(StreamingBatch, EveryCorpusFileAndExampleIsWrittenAsWhenLoadedWhole) {
  int files = 0, completed = 0;
  for (const char* folder : {"tests/fuzz_corpus/diagram", "examples"}) {
    for (const auto& entry : fs::directory_iterator(fs::path(ZEDRO_SOURCE_DIR) / folder)) {
      ++files;
      if (ExpectSameAsWhole(entry.path().string())) ++completed;
    }
  }
  EXPECT_GT(files, 100);
  EXPECT_GT(completed, 10);
  // No temporary files are left behind.
  fs::remove(File("kopie.urd"));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), {}), 0);
}

// Members stored out of order, referred to by their file positions from read methods,
// connections and object values, and methods told apart by their parameters only.
OldDiagram MembersOutOfOrder() {
  OldDiagram d;
  d.boxes.resize(3);
  d.boxes[0].cls = {.name = "TKonto",
                    .doc = {"Ein Konto"},
                    .attributes = {{"zins", "Real", 2}, {"betrag", "Integer", 0, {}, 1}},
                    .methods = {{.name = "Buche", .parameters = {{"x", "Real"}}, .code = {"x"}},
                                {.name = "Buche", .parameters = {{"a", "Integer"}}},
                                {.name = "Abheben", .result = "Integer", .kind = 2}}};
  d.boxes[1].cls = {.name = "TBank",
                    .attributes = {{"b", "TKonto"}, {"a", "TKonto"}},
                    .methods = {{.name = "Lies", .code = {"begin", "end;"}}}};
  d.boxes[1].left = 300;
  d.boxes[2].cls = {.name = "TKunde", .doc = {"sortiert"}, .attributes = {{"a", "T"}}};
  d.boxes[2].left = 600;
  d.connections = {{.kind = 2, .startBox = 1, .endBox = 0, .attributes = {0}},
                   {.kind = 10, .startBox = 2, .endBox = 0, .method = 1},
                   {.kind = 0, .startBox = 0, .endBox = 2}};
  d.infoBoxes = {{"Notiz"}};
  d.subs = {{.name = "Objekte",
             .boxes = {{.classIndex = 0, .isObject = true, .objectName = "k",
                        .values = {"1.5", "7"}},
                       {.classIndex = 2}}}};
  return d;
}

TEST_F(StreamingBatch, MembersOutOfOrderKeepTheirReferences) {
  for (int version : {141, 175, 184}) {
    SCOPED_TRACE(version);
    EXPECT_TRUE(ExpectSameAsWhole(Put("ungeordnet.urd", WriteOldDiagram(MembersOutOfOrder(), version))));
  }
}

TEST_F(StreamingBatch, OldConnectionsWithoutEndsAreDroppedAsWhenLoadedWhole) {
  OldDiagram d;
  d.boxes.resize(2);
  d.boxes[0].cls.name = "TA";
  d.boxes[1].cls.name = "TB";
  d.boxes[1].left = 300;
  d.connections = {{.kind = 1, .startX = 5000, .startY = 5000, .endX = 1, .endY = 1}};
  EXPECT_TRUE(ExpectSameAsWhole(Put("alt.urd", WriteOldDiagram(d, 138))));
}

TEST_F(StreamingBatch, AWrittenClassKeepsOnlyWhatLaterRecordsReferTo) {
  const std::string path = Put("ungeordnet.urd", WriteOldDiagram(MembersOutOfOrder(), 184));
  NotationScope notation(1);
  ScriptedMessages messages;
  DiagramDocument doc;
  DiagramCopy copy(File("kopie.urd"), messages);
  LoadOptions options = Options(doc);
  options.observer = &copy;
  ASSERT_TRUE(StreamDiagramFile(doc, path, messages, options).completed);
  ASSERT_EQ(doc.DrawClasses.Count(), 3);
  // TKunde was in order: written and let go of; TKonto was not and keeps its parameters.
  const TUMLClass* kunde = doc.DrawClasses.At(2)->UMLClass;
  const TUMLClass* konto = doc.DrawClasses.At(0)->UMLClass;
  ASSERT_TRUE(kunde && konto);
  EXPECT_TRUE(kunde->Documentation.empty());
  EXPECT_EQ(kunde->Attributes.Count(), 1);
  ASSERT_EQ(konto->Methods.Count(), 3);
  EXPECT_EQ(konto->Documentation, StringList{"Ein Konto"});
  ASSERT_TRUE(copy.Finish(doc));
  std::string bytes;
  ASSERT_TRUE(ReadFileBytes(File("kopie.urd"), bytes));
  EXPECT_NE(bytes.find("sortiert"), std::string::npos);
}

TEST_F(StreamingBatch, ATargetThatCannotBeWrittenIsReportedAfterTheLoad) {
  const std::string path = Put("quelle.urd", WriteOldDiagram(MembersOutOfOrder(), 184));
  const std::string target = Put("geschuetzt.urd", "alt");
  fs::permissions(target, fs::perms::owner_read);
  ScriptedMessages messages;
  EXPECT_FALSE(StreamedCopy(path, target, messages).has_value());
  ASSERT_FALSE(messages.shown.empty());
  EXPECT_EQ(messages.shown.back().text.rfind("Die Datei '" + target + "' kann nicht", 0), 0u);
  fs::permissions(target, fs::perms::owner_all);
  std::string bytes;
  ASSERT_TRUE(ReadFileBytes(target, bytes));
  EXPECT_EQ(bytes, "alt");
}

}  // namespace
}  // namespace zedro::cli
