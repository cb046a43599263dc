// Replays the corpora of the two import fuzz targets: every file is read to its end, without
// a crash, a hang or a sanitizer report.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "codegen/CodegenTestSupport.h"
#include "import/FuzzEntry.h"

namespace {

int Replay(const char* corpus, void (*entry)(const std::uint8_t*, std::size_t)) {
  int files = 0;
  for (const auto& item : std::filesystem::directory_iterator(
           std::filesystem::path(ZEDRO_SOURCE_DIR) / "tests/fuzz_corpus" / corpus)) {
    const std::string bytes = zedro::testing::ReadText(item.path());
    auto start = std::chrono::steady_clock::now();
    entry(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10)) << item.path();
    ++files;
  }
  return files;
}
TEST(FuzzCorpus, ParsersSurviveEveryCorpusFile) {
  EXPECT_GT(Replay("pascal", zedro::FuzzPascalSource), 10);
  EXPECT_GT(Replay("java", zedro::FuzzJavaSource), 10);
}

}  // namespace
