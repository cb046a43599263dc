// Generating large classes: a class with many members in a diagram with many
// relationships, as Pascal unit, Java class and RTF documentation.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "codegen/ClassDocumentation.h"
#include "codegen/ExportSupport.h"
#include "codegen/JavaExport.h"
#include "codegen/PascalExport.h"
#include "diagram/DiagramDocument.h"

namespace {

using namespace zedro;

// One class with `members` attributes and methods, HAT-related to `members` other classes;
// the class has an ancestor chain of 10 classes that the override search walks.
struct BigDiagram {
  DiagramDocument doc;
  TUMLClass* cls = nullptr;

  explicit BigDiagram(int members) {
    TUMLDrawClass* box = doc.AddClassBox(std::make_unique<TUMLClass>("TGross"));
    box->SourceFileName = "mTGross.pas";
    cls = box->UMLClass;
    for (int i = 0; i < members; ++i) {
      auto a = std::make_unique<TAttribute>();
      a->Name = "Feld" + std::to_string(i);
      a->TypeName = "Integer";
      a->Documentation = {"Ein Feld mit Umlauten: \xE4\xF6\xFC"};
      cls->AddAttribute(std::move(a));
      auto m = std::make_unique<TMethod>();
      m->Name = "Methode" + std::to_string(i % (members / 2 + 1));  // overloads
      m->Kind = TMethodKind::Function;
      m->ResultType = "Integer";
      m->AddParameter(TParameter("wert" + std::to_string(i), "Integer"));
      m->Code = {"begin", "  Result := 0;", "end;"};
      cls->AddMethod(std::move(m));
      TUMLDrawClass* other = doc.AddClassBox(std::make_unique<TUMLClass>("TTeil" + std::to_string(i)));
      other->SourceFileName = "mTTeil" + std::to_string(i) + ".pas";
      doc.AddConnection(box, 1, other, 12, TConnectionKind::Hat)->EndText = std::to_string(i % 12);
    }
    TUMLDrawClass* child = box;
    for (int i = 0; i < 10; ++i) {
      TUMLDrawClass* parent = doc.AddClassBox(std::make_unique<TUMLClass>("TAhn" + std::to_string(i)));
      for (int k = 0; k < members; ++k) {
        auto m = std::make_unique<TMethod>();
        m->Name = "Geerbt" + std::to_string(k);
        parent->UMLClass->AddMethod(std::move(m));
      }
      doc.AddConnection(child, 6, parent, 28, TConnectionKind::Ist);
      child = parent;
    }
    doc.AssertParents();
  }
};

void BM_PascalUnit(benchmark::State& state) {
  BigDiagram d(static_cast<int>(state.range(0)));
  TConnectionList connections = PascalConnections(d.doc);
  for (auto _ : state) {
    TPascalExport generator(connections);
    benchmark::DoNotOptimize(generator.Generate(*d.cls).size());
  }
}
BENCHMARK(BM_PascalUnit)->Arg(50)->Arg(200);

void BM_JavaClass(benchmark::State& state) {
  BigDiagram d(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    TJavaExport generator(d.doc.Connections);
    benchmark::DoNotOptimize(generator.Generate(*d.cls).size());
  }
}
BENCHMARK(BM_JavaClass)->Arg(50)->Arg(200);

void BM_RtfDocumentation(benchmark::State& state) {
  BigDiagram d(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    std::string rtf = WriteRtf(BuildClassDocumentation(*d.cls, d.doc.Connections));
    benchmark::DoNotOptimize(rtf.size());
  }
}
BENCHMARK(BM_RtfDocumentation)->Arg(50)->Arg(200);

}  // namespace
