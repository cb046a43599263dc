#include <gtest/gtest.h>

#include <filesystem>

#include "persistence/Files.h"
#include "persistence/FuzzEntry.h"

// Replays the diagram reader's fuzz corpus: whatever every file leaves in a diagram must
// save, load again completely and save to the same bytes, without a crash or a sanitizer
// report on the way.
TEST(FuzzCorpus, DiagramReaderSurvivesEveryCorpusFile) {
  std::filesystem::path dir = std::filesystem::path(ZEDRO_SOURCE_DIR) / "tests/fuzz_corpus/diagram";
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(dir)) {
    std::string bytes;
    ASSERT_TRUE(zedro::ReadFileBytes(entry.path().string(), bytes));
    EXPECT_TRUE(zedro::DiagramSurvivesRoundTrip(reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                                bytes.size()))
        << entry.path().filename();
    ++files;
  }
  EXPECT_GT(files, 10);
}
