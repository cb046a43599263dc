// Load and save of a large diagram: 5,000 classes with 10 attributes and 10 methods each
// (with code lines) and 10,000 connections.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "diagram/DiagramDocument.h"
#include "model/Messages.h"
#include "model/Notation.h"
#include "persistence/DiagramFile.h"
#include "persistence/Files.h"

using namespace zedro;

namespace {

const std::string& LargeDiagramBytes() {
  static const std::string bytes = [] {
    NotationScope notation(1);
    DiagramDocument doc;
    for (int c = 0; c < 5000; ++c) {
      auto cls = std::make_unique<TUMLClass>("TKlasse" + std::to_string(c));
      cls->Documentation = {"Eine Klasse des Beispiels"};
      for (int a = 0; a < 10; ++a) {
        auto attr = std::make_unique<TAttribute>();
        attr->Name = "attribut" + std::to_string(a);
        attr->TypeName = "Integer";
        attr->Visibility = static_cast<TVisibility>(a % 4);
        cls->AppendAttribute(std::move(attr));
      }
      for (int m = 0; m < 10; ++m) {
        auto meth = std::make_unique<TMethod>();
        meth->Name = "Methode" + std::to_string(m);
        meth->Kind = static_cast<TMethodKind>(m % 4);
        meth->ResultType = meth->Kind == kFunction ? "Integer" : "";
        meth->Parameters = {{"a", "Integer"}, {"b", "String"}};
        meth->Code = {"begin", "  attribut1 := attribut2 + a;", "  //hier ggf. Code", "end;"};
        cls->AppendMethod(std::move(meth));
      }
      cls->SortMembers();
      cls->Attributes.At(0)->ReadMethod = cls->Methods.At(1);
      TUMLDrawClass* box = doc.AddClassBox(std::move(cls), 50, 50);
      box->Left = (c % 100) * 200;
      box->Top = (c / 100) * 150;
      box->Right = box->Left + 150;
      box->Bottom = box->Top + 120;
    }
    for (int i = 0; i < 10000; ++i) {
      TUMLDrawClass* a = doc.DrawClasses.At(i % 5000);
      TUMLDrawClass* b = doc.DrawClasses.At((i * 7 + 1) % 5000);
      TConnection* c = doc.AddConnection(a, 1 + i % 44, b, 1 + (i * 3) % 44, i % 2 ? kHat : kKennt);
      c->EndText = "1";
      c->Attributes.Add(a->UMLClass->Attributes.At(i % 10));
      c->TextBox->Lines = {"Beschreibung"};
    }
    return DiagramToBytes(doc);
  }();
  return bytes;
}

// Times one load per iteration; closing the diagram afterwards is not part of loading it.
template <class Load>
void TimeLoads(benchmark::State& state, Load load) {
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
                          static_cast<int64_t>(LargeDiagramBytes().size()));
}

void BM_LoadLargeDiagram(benchmark::State& state) {
  const std::string& bytes = LargeDiagramBytes();
  TimeLoads(state, [&](DiagramDocument& doc, ScriptedMessages& m, const LoadOptions& options) {
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
  TimeLoads(state, [&](DiagramDocument& doc, ScriptedMessages& m, const LoadOptions& options) {
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

}  // namespace
