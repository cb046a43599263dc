// Imports Debian's fpc-source units and openjdk-17's java.base: nothing may crash or hang.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <filesystem>

#include "ImportTestSupport.h"
#include "PascalBodyReference.h"
#include "codegen/CodegenTestSupport.h"
#include "model/Notation.h"
#include "persistence/Files.h"

namespace zedro {
namespace {

namespace fs = std::filesystem;

// Processor time, which does not grow when the machine is busy with other work.
double CpuSeconds() { return static_cast<double>(std::clock()) / CLOCKS_PER_SEC; }

// Far above the milliseconds a file takes, also under the sanitizers.
constexpr double kSecondsPerFile = 20.0;

std::vector<fs::path> FilesUnder(const fs::path& root, std::initializer_list<const char*> exts) {
  std::vector<fs::path> files;
  std::error_code ec;
  for (fs::recursive_directory_iterator it(root, ec), end; it != end; it.increment(ec)) {
    if (ec) break;
    if (!it->is_regular_file(ec)) continue;
    std::string ext = it->path().extension().string();
    for (const char* e : exts)
      if (ext == e) files.push_back(it->path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

const char* kFpcRoot = "/usr/share/fpcsrc/3.2.2";

TEST(CorpusSweep, FreePascalUnits) {
  if (!fs::exists(fs::path(kFpcRoot) / "rtl")) GTEST_SKIP() << "fpc-source is not installed";
  NotationScope n(1);
  std::vector<fs::path> files = FilesUnder(fs::path(kFpcRoot) / "rtl", {".pas", ".pp"});
  std::vector<fs::path> more = FilesUnder(fs::path(kFpcRoot) / "packages", {".pas", ".pp"});
  files.insert(files.end(), more.begin(), more.end());
  ASSERT_GT(files.size(), 1000u);

  long classes = 0, methods = 0, bodies = 0, compared = 0;
  double seconds = 0;
  for (size_t i = 0; i < files.size(); ++i) {
    const std::string data = testing::ReadText(files[i]);
    const bool compare = i % 25 == 0 && data.size() < 60000;
    const double start = CpuSeconds();
    testing::QuietMessages msgs;
    SourceLines lines = SourceLinesFromBytes(data);
    TSourceParser parser(files[i].string(), lines, msgs);
    std::vector<std::unique_ptr<TUMLClass>> read;
    while (auto c = parser.ReadNextClass()) read.push_back(std::move(c));
    // Bodies of at most 40 classes per unit: each class's may add up to the whole unit.
    const size_t stride = std::max<size_t>(1, read.size() / 40);
    for (size_t k = 0; k < read.size(); ++k) {
      TUMLClass& c = *read[k];
      const bool first = k == 0, last = k + 1 == read.size();
      if (k % stride != 0 && !last) continue;
      parser.SetClass(&c);
      parser.ReadMethodBodies();
      if (first || last) {
        parser.ReadInterfaceUses();
        parser.ReadImplementationUses();
      }
      for (TMethod* m : c.Methods.Items) {
        if (!m->Code.empty()) ++bodies;
        if (compare && !m->IsAbstract) {
          bool found = false;
          StringList expected = testing::ReferenceBody(lines, c, *m, found);
          ASSERT_EQ(m->Code, expected) << files[i] << " " << c.Name << "." << m->Name;
          ++compared;
        }
        StringList().swap(m->Code);  // only the counts are kept
      }
    }
    const double s = CpuSeconds() - start;
    ASSERT_LT(s, kSecondsPerFile) << files[i];
    seconds += s;
    classes += static_cast<long>(read.size());
    for (const auto& c : read) methods += c->Methods.Count();
  }
  std::printf(
      "fpc-source: %zu units, %ld classes, %ld methods, %ld bodies read, %ld of them "
      "compared with the plain search; %.2f s processor time\n",
      files.size(), classes, methods, bodies, compared, seconds);
  EXPECT_GT(classes, 1000);
  EXPECT_GT(bodies, 10000);
}

TEST(CorpusSweep, OpenJdkJavaBase) {
  const char* zip = "/usr/lib/jvm/openjdk-17/lib/src.zip";
  if (!fs::exists(zip)) GTEST_SKIP() << "openjdk-17-source is not installed";
  if (!testing::HaveProgram("unzip")) GTEST_SKIP() << "unzip is missing";
  testing::TempDir dir;
  ASSERT_EQ(testing::RunCommand(std::string("unzip -q -o ") + zip + " 'java.base/*' -d '" +
                                dir.Path() + "'")
                .status,
            0);
  std::vector<fs::path> files = FilesUnder(dir.File("java.base"), {".java"});
  ASSERT_GT(files.size(), 2000u);

  NotationScope n(2);
  long named = 0, methods = 0, errors = 0;
  double seconds = 0;
  for (const fs::path& f : files) {
    const std::string data = testing::ReadText(f);
    const double start = CpuSeconds();
    testing::QuietMessages msgs;
    TJavaParser parser(f.string(), SourceLinesFromBytes(data), msgs);
    auto cls = parser.Parse();
    const double s = CpuSeconds() - start;
    ASSERT_LT(s, kSecondsPerFile) << f;
    ASSERT_TRUE(cls);
    seconds += s;
    errors += parser.SyntaxError;
    named += cls->Name + ".java" == f.filename().string();
    methods += cls->Methods.Count();
  }
  std::printf(
      "java.base: %zu sources, %ld classes named after their file, %ld methods, %ld with "
      "syntax messages; %.2f s processor time\n",
      files.size(), named, methods, errors, seconds);
  EXPECT_GT(named, 1000);
  EXPECT_GT(methods, 10000);
}

}  // namespace
}  // namespace zedro
