#include <gtest/gtest.h>

#include <filesystem>

#include "persistence/Files.h"
#include "persistence/FuzzEntry.h"

// Whatever a corpus file leaves in a diagram must save, load again and save to the same bytes.
TEST(FuzzCorpus, DiagramReaderSurvivesEveryCorpusFile) {
  std::filesystem::path dir = std::filesystem::path(ZEDRO_SOURCE_DIR) / "tests/fuzz_corpus/diagram";
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(dir)) {
    std::string bytes;
    ASSERT_TRUE(zedro::ReadFileBytes(entry.path().string(), bytes));
    ++files;
    EXPECT_TRUE(zedro::DiagramSurvivesRoundTrip(reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                                bytes.size()))
        << entry.path();
  }
  EXPECT_GT(files, 10);
}
