#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "persistence/FuzzEntry.h"

// Replays the diagram reader's fuzz corpus: every file must load, save and load again
// without a crash or a sanitizer report.
TEST(FuzzCorpus, DiagramReaderSurvivesEveryCorpusFile) {
  std::filesystem::path dir = std::filesystem::path(ZEDRO_SOURCE_DIR) / "tests/fuzz_corpus/diagram";
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(dir)) {
    std::ifstream in(entry.path(), std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    std::string bytes = ss.str();
    zedro::FuzzDiagramReader(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    ++files;
  }
  EXPECT_GT(files, 10);
}
