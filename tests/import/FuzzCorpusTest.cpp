// Replays the corpora of the fuzz targets: every file is read to its end, without a crash,
// a hang or a sanitizer report, and whatever a diagram file leaves in a diagram must save,
// load again and save to the same bytes.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "codegen/CodegenTestSupport.h"
#include "import/FuzzEntry.h"
#include "persistence/FuzzEntry.h"

namespace {

// Feeds every file of the corpus to the entry; the number of files.
template <class Entry>
int Replay(const char* corpus, Entry entry) {
  int files = 0;
  for (const auto& item : std::filesystem::directory_iterator(
           std::filesystem::path(ZEDRO_SOURCE_DIR) / "tests/fuzz_corpus" / corpus)) {
    const std::string bytes = zedro::testing::ReadText(item.path());
    const auto start = std::chrono::steady_clock::now();
    EXPECT_TRUE(entry(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()))
        << item.path();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10)) << item.path();
    ++files;
  }
  return files;
}

TEST(FuzzCorpus, ReadersSurviveEveryCorpusFile) {
  EXPECT_GT(Replay("diagram", zedro::DiagramSurvivesRoundTrip), 10);
  auto ends = [](void (*entry)(const std::uint8_t*, std::size_t)) {
    return [entry](const std::uint8_t* data, std::size_t size) { return entry(data, size), true; };
  };
  EXPECT_GT(Replay("pascal", ends(zedro::FuzzPascalSource)), 10);
  EXPECT_GT(Replay("java", ends(zedro::FuzzJavaSource)), 10);
}

}  // namespace
