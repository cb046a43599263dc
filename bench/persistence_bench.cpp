// Load and save of a large diagram: 5,000 classes with 10 attributes and 10 methods each
// (with code lines) and 10,000 connections; and what `zedro-cli save` does with the
// 50,000-class diagram, next to copying its file.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <filesystem>
#include <fstream>

#include "LargeDiagram.h"
#include "diagram/DiagramDocument.h"
#include "model/Messages.h"
#include "model/Notation.h"
#include "persistence/DiagramCopy.h"
#include "persistence/DiagramFile.h"
#include "persistence/Files.h"

using namespace zedro;

namespace {

const std::string& LargeDiagramBytes() {
  static const std::string bytes = [] {
    NotationScope notation(1);
    return DiagramToBytes(*bench::MakeLargeDiagram({}));
  }();
  return bytes;
}

// Times one load per iteration; closing the diagram afterwards is not part of loading it.
template <class Load>
void TimeLoads(benchmark::State& state, size_t fileBytes, Load load) {
  for (auto _ : state) {
    NotationScope notation(1);
    ScriptedMessages m;
    auto doc = std::make_unique<DiagramDocument>();
    LoadOptions options;
    options.switchLanguage = [](int) {};
    LoadResult r = load(*doc, m, options);
    benchmark::DoNotOptimize(r.completed);
    state.PauseTiming();
    doc.reset();
    state.ResumeTiming();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(fileBytes));
}

void BM_LoadLargeDiagram(benchmark::State& state) {
  const std::string& bytes = LargeDiagramBytes();
  TimeLoads(state, bytes.size(), [&](DiagramDocument& doc, ScriptedMessages& m,
                                     const LoadOptions& options) {
    return ReadDiagram(doc, bytes, "gross.urd", m, options);
  });
}
BENCHMARK(BM_LoadLargeDiagram)->Unit(benchmark::kMillisecond);

void BM_SaveLargeDiagram(benchmark::State& state) {
  const std::string& bytes = LargeDiagramBytes();
  NotationScope notation(1);
  ScriptedMessages m;
  DiagramDocument doc;
  LoadOptions options;
  options.switchLanguage = [](int) {};
  ReadDiagram(doc, bytes, "gross.urd", m, options);
  for (auto _ : state) {
    std::string out = DiagramToBytes(doc);
    benchmark::DoNotOptimize(out.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(bytes.size()));
}
BENCHMARK(BM_SaveLargeDiagram)->Unit(benchmark::kMillisecond);

// The whole file operations of the editor: reading the file and filling a diagram, and
// writing it safely (temporary file, flushed to the disk, renamed over the target).
void BM_LoadLargeDiagramFile(benchmark::State& state) {
  std::string path = (std::filesystem::temp_directory_path() / "zedro-bench-load.urd").string();
  WriteFileAtomically(path, LargeDiagramBytes());
  TimeLoads(state, LargeDiagramBytes().size(), [&](DiagramDocument& doc, ScriptedMessages& m,
                                                   const LoadOptions& options) {
    return LoadDiagramFile(doc, path, m, options);
  });
  std::filesystem::remove(path);
}
BENCHMARK(BM_LoadLargeDiagramFile)->Unit(benchmark::kMillisecond);

void BM_SaveLargeDiagramFile(benchmark::State& state) {
  std::string path = (std::filesystem::temp_directory_path() / "zedro-bench-save.urd").string();
  NotationScope notation(1);
  ScriptedMessages m;
  DiagramDocument doc;
  LoadOptions options;
  options.switchLanguage = [](int) {};
  ReadDiagram(doc, LargeDiagramBytes(), path, m, options);
  for (auto _ : state) {
    bool ok = WriteDiagramFile(doc, path, m);
    benchmark::DoNotOptimize(ok);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(LargeDiagramBytes().size()));
  std::filesystem::remove(path);
}
BENCHMARK(BM_SaveLargeDiagramFile)->Unit(benchmark::kMillisecond);

// The baseline: merely copying the file's bytes into memory.
void BM_CopyFileBytes(benchmark::State& state) {
  const std::string& bytes = LargeDiagramBytes();
  for (auto _ : state) {
    std::string copy(bytes);
    benchmark::DoNotOptimize(copy.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(bytes.size()));
}
BENCHMARK(BM_CopyFileBytes)->Unit(benchmark::kMillisecond);

// Reading the file's bytes from the (cached) file system, the yardstick for loading.
void BM_ReadFileBytes(benchmark::State& state) {
  std::string path = (std::filesystem::temp_directory_path() / "zedro-bench.urd").string();
  WriteFileAtomically(path, LargeDiagramBytes());
  for (auto _ : state) {
    std::string bytes;
    ReadFileBytes(path, bytes);
    benchmark::DoNotOptimize(bytes.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(LargeDiagramBytes().size()));
  std::filesystem::remove(path);
}
BENCHMARK(BM_ReadFileBytes)->Unit(benchmark::kMillisecond);

// ---- the 50,000-class diagram, as zedro-cli save reads and writes it -----------------

// The file, written on first use and removed when the benchmarks end.
struct FiftyThousandFile {
  FiftyThousandFile() {
    NotationScope notation(1);
    WriteFileAtomically(path,
                        DiagramToBytes(*bench::MakeLargeDiagram(bench::FiftyThousandClasses())));
  }
  ~FiftyThousandFile() { std::filesystem::remove(path); }
  std::string path = (std::filesystem::temp_directory_path() / "zedro-bench-50000.urd").string();
};

const std::string& FiftyThousandPath() {
  static const FiftyThousandFile file;
  return file.path;
}

void WritePlainly(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary)
      .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void ReportPeak(benchmark::State& state, size_t fileBytes) {
  struct rusage usage {};
  ::getrusage(RUSAGE_SELF, &usage);
  state.counters["peak_MB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
  state.counters["file_MB"] = static_cast<double>(fileBytes) / (1024.0 * 1024.0);
}

// The yardstick: reading the file and writing a copy of it (what cp does).
void BM_CopyFiftyThousandFile(benchmark::State& state) {
  const std::string& path = FiftyThousandPath();
  const std::string copy = path + ".kopie";
  size_t size = 0;
  for (auto _ : state) {
    std::string bytes;
    ReadFileBytes(path, bytes);
    WritePlainly(copy, bytes);
    size = bytes.size();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(size));
  std::filesystem::remove(copy);
}
BENCHMARK(BM_CopyFiftyThousandFile)->Unit(benchmark::kMillisecond);

// Loading the file and saving it again as zedro-cli save does: each box is written while
// the file is read; taking the diagram apart afterwards is not timed (zedro-cli leaves that
// to the end of the process). Run it alone to read a meaningful peak.
void BM_LoadSaveFiftyThousandFile(benchmark::State& state) {
  const std::string& path = FiftyThousandPath();
  const std::string copy = path + ".gespeichert";
  const auto size = static_cast<size_t>(std::filesystem::file_size(path));
  TimeLoads(state, size, [&](DiagramDocument& doc, ScriptedMessages& m,
                             const LoadOptions& options) {
    DiagramCopy writer(copy, m);
    LoadOptions streaming = options;
    streaming.observer = &writer;
    LoadResult r = StreamDiagramFile(doc, path, m, streaming);
    writer.Finish(doc);
    return r;
  });
  ReportPeak(state, size);
  std::filesystem::remove(copy);
}
BENCHMARK(BM_LoadSaveFiftyThousandFile)->Unit(benchmark::kMillisecond);

}  // namespace
