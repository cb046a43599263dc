// Importing sources: a large generated unit read in full, and the Free Pascal sources of
// Debian's fpc-source read the way the corpus sweep reads them (throughput in MB/s).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "codegen/ExportSupport.h"
#include "diagram/DiagramDocument.h"
#include "import/JavaParser.h"
#include "import/PascalParser.h"
#include "import/SourceText.h"
#include "model/Messages.h"
#include "model/Notation.h"

namespace {

using namespace zedro;

class NoMessages : public IMessages {
 public:
  MsgResult Message(MsgKind, const std::string&, MsgButtons) override { return MsgResult::Ok; }
  int ChooseFromList(const std::string&, const std::vector<std::string>&, const std::string&,
                     const std::string&) override {
    return -1;
  }
};

// The unit the Pascal generator writes for a class with `methods` methods, each with a body
// of `bodyLines` lines; overloads and functions among them.
std::string GeneratedUnit(int methods, int bodyLines) {
  DiagramDocument doc;
  TUMLDrawClass* box = doc.AddClassBox(std::make_unique<TUMLClass>("TGross"));
  box->SourceFileName = "mTGross.pas";
  TUMLClass& cls = *box->UMLClass;
  for (int i = 0; i < 50; ++i) {
    auto a = std::make_unique<TAttribute>();
    a->Name = "Feld" + std::to_string(i);
    a->TypeName = "Integer";
    cls.AppendAttribute(std::move(a));
  }
  for (int i = 0; i < methods; ++i) {
    auto m = std::make_unique<TMethod>();
    m->Name = "Methode" + std::to_string(i / 2);  // pairs of overloads
    m->Kind = i % 3 == 0 ? TMethodKind::Function : TMethodKind::Procedure;
    if (m->Kind == TMethodKind::Function) m->ResultType = "Integer";
    m->AddParameter(TParameter(i % 2 ? "text" : "wert", i % 2 ? "String" : "Integer"));
    m->Code.push_back("var i: Integer;");
    m->Code.push_back("begin");
    for (int k = 0; k < bodyLines - 3; ++k)
      m->Code.push_back("  i := i + " + std::to_string(k) + "; // Schritt " + std::to_string(k));
    m->Code.push_back("end;");
    cls.AppendMethod(std::move(m));
  }
  cls.SortMembers();
  NoMessages quiet;
  return SourceFileBytes(PascalUnitText(doc, *box, &quiet));
}

// One import as the class update does it: the class with all bodies and both uses lists.
size_t ImportFully(const std::string& bytes, const std::string& name) {
  NoMessages quiet;
  TSourceParser parser("mTGross.pas", SourceLinesFromBytes(bytes), quiet);
  size_t lines = 0;
  while (auto cls = parser.ReadNextClass()) {
    if (cls->Name != name) continue;
    parser.SetClass(cls.get());
    parser.ReadMethodBodies();
    parser.ReadInterfaceUses();
    parser.ReadImplementationUses();
    for (const TMethod* m : cls->Methods.Items) lines += m->Code.size();
  }
  return lines;
}

// 1,000 methods in a unit of about 20,000 lines.
void BM_ImportGeneratedUnit(benchmark::State& state) {
  NotationScope notation(1);
  const std::string unit = GeneratedUnit(1000, 16);
  const auto unitLines = std::count(unit.begin(), unit.end(), '\n');
  size_t bodyLines = 0;
  for (auto _ : state) {
    bodyLines = ImportFully(unit, "TGross");
    benchmark::DoNotOptimize(bodyLines);
  }
  state.counters["lines"] = static_cast<double>(unitLines);
  state.counters["body_lines"] = static_cast<double>(bodyLines);
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(unit.size()));
}
BENCHMARK(BM_ImportGeneratedUnit)->Unit(benchmark::kMillisecond);

std::string Slurp(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

std::vector<std::string> PascalSources() {
  namespace fs = std::filesystem;
  const fs::path root = "/usr/share/fpcsrc/3.2.2";
  std::vector<fs::path> paths;
  for (const char* sub : {"rtl", "packages"}) {
    std::error_code ec;
    for (fs::recursive_directory_iterator it(root / sub, ec), end; it != end; it.increment(ec)) {
      if (ec) break;
      std::string ext = it->path().extension().string();
      if (it->is_regular_file(ec) && (ext == ".pas" || ext == ".pp")) paths.push_back(it->path());
    }
  }
  std::sort(paths.begin(), paths.end());
  std::vector<std::string> sources;
  for (const fs::path& p : paths) sources.push_back(Slurp(p));
  return sources;
}

// Every unit as the corpus sweep test reads it, with the files already in memory: all
// classes; the bodies of at most 40 classes spread over the unit (the bodies of one class
// add up to at most the unit, so reading them for each of the hundreds of classes of a
// generated unit would be quadratic in that unit); the uses lists of the first and last.
void BM_FpcSourceSweep(benchmark::State& state) {
  NotationScope notation(1);
  static const std::vector<std::string> sources = PascalSources();
  if (sources.empty()) {
    state.SkipWithError("fpc-source is not installed");
    return;
  }
  int64_t bytes = 0;
  for (const std::string& s : sources) bytes += static_cast<int64_t>(s.size());
  long classes = 0;
  for (auto _ : state) {
    classes = 0;
    for (const std::string& s : sources) {
      NoMessages quiet;
      TSourceParser parser("unit.pas", SourceLinesFromBytes(s), quiet);
      std::vector<std::unique_ptr<TUMLClass>> read;
      while (auto cls = parser.ReadNextClass()) read.push_back(std::move(cls));
      const size_t stride = std::max<size_t>(1, read.size() / 40);
      for (size_t k = 0; k < read.size(); ++k) {
        const bool last = k + 1 == read.size();
        if (k % stride != 0 && !last) continue;
        parser.SetClass(read[k].get());
        parser.ReadMethodBodies();
        if (k == 0 || last) {
          parser.ReadInterfaceUses();
          parser.ReadImplementationUses();
        }
        for (TMethod* m : read[k]->Methods.Items) StringList().swap(m->Code);
      }
      classes += static_cast<long>(read.size());
    }
  }
  state.counters["units"] = static_cast<double>(sources.size());
  state.counters["classes"] = static_cast<double>(classes);
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * bytes);
}
BENCHMARK(BM_FpcSourceSweep)->Unit(benchmark::kSecond)->Iterations(1);

}  // namespace
