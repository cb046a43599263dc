// Replays the corpora of the two import fuzz targets: every file must be read to its end,
// as the fuzz targets read it, without a crash, a hang or a sanitizer report.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "import/FuzzEntry.h"

namespace {

using Entry = void (*)(const std::uint8_t*, std::size_t);

int Replay(const char* corpus, Entry entry) {
  std::filesystem::path dir = std::filesystem::path(ZEDRO_SOURCE_DIR) / "tests/fuzz_corpus" / corpus;
  int files = 0;
  for (const auto& item : std::filesystem::directory_iterator(dir)) {
    std::ifstream in(item.path(), std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    const std::string bytes = ss.str();
    auto start = std::chrono::steady_clock::now();
    entry(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_LT(seconds, 10.0) << item.path();
    ++files;
  }
  return files;
}

TEST(FuzzCorpus, ParsersSurviveEveryCorpusFile) {
  EXPECT_GT(Replay("pascal", zedro::FuzzPascalSource), 10);
  EXPECT_GT(Replay("java", zedro::FuzzJavaSource), 10);
}

}  // namespace
