// Imports real sources that nobody here wrote: the units of Debian's fpc-source and the
// java.base sources of openjdk-17-source. Nothing may crash, hang or leak; the figures are
// printed.
#include <gtest/gtest.h>

#include <algorithm>
#include <ctime>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "ImportTestSupport.h"
#include "PascalBodyReference.h"
#include "model/Notation.h"
#include "persistence/Files.h"

namespace zedro {
namespace {

namespace fs = std::filesystem;

// The processor time of this thread: unlike the wall clock it does not grow when the
// machine is busy with other work.
double CpuSeconds() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// A per-file bound far above the milliseconds a file takes, also under the sanitizers.
constexpr double kSecondsPerFile = 20.0;
// Bodies are read for at most this many classes of a unit, spread over it. (Every body runs
// to the next heading of its class, so the bodies of one class add up to at most the unit;
// reading them for each of the hundreds of classes of a generated unit would make the
// sweep quadratic in that unit.)
constexpr size_t kBodyClassesPerUnit = 40;

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

std::string Slurp(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

const char* kFpcRoot = "/usr/share/fpcsrc/3.2.2";

TEST(CorpusSweep, FreePascalUnits) {
  if (!fs::exists(fs::path(kFpcRoot) / "rtl")) GTEST_SKIP() << "fpc-source is not installed";
  NotationScope n(1);
  std::vector<fs::path> files = FilesUnder(fs::path(kFpcRoot) / "rtl", {".pas", ".pp"});
  std::vector<fs::path> more = FilesUnder(fs::path(kFpcRoot) / "packages", {".pas", ".pp"});
  files.insert(files.end(), more.begin(), more.end());
  ASSERT_GT(files.size(), 1000u);

  // The plain walk re-reads the unit for every method; ZEDRO_SWEEP_COMPARE_EVERY=1 compares
  // the bodies of every unit below the size limit (slow).
  size_t compareEvery = 25;
  if (const char* every = std::getenv("ZEDRO_SWEEP_COMPARE_EVERY"))
    compareEvery = static_cast<size_t>(std::max(1L, std::strtol(every, nullptr, 10)));
  long units = 0, classes = 0, methods = 0, withBodies = 0, bodies = 0, messages = 0,
       compared = 0;
  double bytes = 0, seconds = 0;
  for (size_t i = 0; i < files.size(); ++i) {
    const std::string data = Slurp(files[i]);
    const bool compare = i % compareEvery == 0 && data.size() < 60000;
    const double start = CpuSeconds();
    testing::QuietMessages msgs;
    SourceLines lines = SourceLinesFromBytes(data);
    TSourceParser parser(files[i].string(), lines, msgs);
    std::vector<std::unique_ptr<TUMLClass>> read;
    while (auto c = parser.ReadNextClass()) read.push_back(std::move(c));
    const size_t stride = std::max<size_t>(1, read.size() / kBodyClassesPerUnit);
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
      ++withBodies;
      for (TMethod* m : c.Methods.Items) {
        if (!m->Code.empty()) ++bodies;
        if (compare && !m->IsAbstract) {
          // The indexed body search agrees with the plain walk.
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
    bytes += static_cast<double>(data.size());
    ++units;
    messages += msgs.count;
    classes += static_cast<long>(read.size());
    for (const auto& c : read) methods += c->Methods.Count();
  }
  std::printf("fpc-source: %ld units (%.1f MB), %ld classes, %ld methods; bodies read for %ld "
              "classes: %ld bodies; %ld messages; %.2f s processor time, %.1f MB/s; %ld bodies "
              "compared with the plain search\n",
              units, bytes / 1e6, classes, methods, withBodies, bodies, messages, seconds,
              bytes / 1e6 / seconds, compared);
  EXPECT_GT(classes, 1000);
  EXPECT_GT(bodies, 10000);
}

TEST(CorpusSweep, OpenJdkJavaBase) {
  const char* zip = "/usr/lib/jvm/openjdk-17/lib/src.zip";
  if (!fs::exists(zip)) GTEST_SKIP() << "openjdk-17-source is not installed";
  if (std::system("command -v unzip >/dev/null 2>&1") != 0) GTEST_SKIP() << "unzip is missing";
  char dirTemplate[] = "/tmp/zedro-jdk-XXXXXX";
  ASSERT_NE(mkdtemp(dirTemplate), nullptr);
  fs::path dir = dirTemplate;
  std::string cmd = std::string("unzip -q -o ") + zip + " 'java.base/*' -d " + dir.string();
  ASSERT_EQ(std::system(cmd.c_str()), 0);
  std::vector<fs::path> files = FilesUnder(dir / "java.base", {".java"});
  ASSERT_GT(files.size(), 2000u);

  NotationScope n(2);
  long sources = 0, named = 0, attributes = 0, methods = 0, bodyLines = 0, errors = 0;
  double bytes = 0, seconds = 0;
  for (const fs::path& f : files) {
    std::string data = Slurp(f);
    const double start = CpuSeconds();
    testing::QuietMessages msgs;
    TJavaParser parser(f.string(), SourceLinesFromBytes(data), msgs);
    auto cls = parser.Parse();
    const double s = CpuSeconds() - start;
    ASSERT_LT(s, kSecondsPerFile) << f;
    ASSERT_TRUE(cls);
    seconds += s;
    bytes += static_cast<double>(data.size());
    ++sources;
    if (parser.SyntaxError) ++errors;
    if (cls->Name + ".java" == f.filename().string()) ++named;
    attributes += cls->Attributes.Count();
    for (const TMethod* m : cls->Methods.Items) {
      ++methods;
      bodyLines += static_cast<long>(m->Code.size());
    }
  }
  std::error_code ec;
  fs::remove_all(dir, ec);
  std::printf("java.base: %ld sources (%.1f MB), %ld classes named after their file, "
              "%ld attributes, %ld methods, %ld body lines, %ld with syntax messages; "
              "%.2f s processor time, %.1f MB/s\n",
              sources, bytes / 1e6, named, attributes, methods, bodyLines, errors, seconds,
              bytes / 1e6 / seconds);
  EXPECT_GT(named, 1000);
  EXPECT_GT(methods, 10000);
}

}  // namespace
}  // namespace zedro
