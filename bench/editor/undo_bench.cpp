// Undo and redo of one step in a diagram window with 500 classes (10 attributes and 10
// methods each, 1,000 connections), with the window's redraw; and what recording a step
// costs when a command has ended. Target: an undo and a redo within 50 ms each.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdlib>
#include <memory>

#include "LargeDiagram.h"
#include "editor/DialogService.h"
#include "editor/TFChild.h"
#include "editor/TMainForm.h"
#include "editor/UndoHistory.h"
#include "model/Notation.h"
#include "persistence/DiagramFile.h"
#include "persistence/Files.h"

using namespace zedro;

namespace {

// One frame with the 500-class diagram open, for every benchmark of this program.
struct Scene {
  Scene() {
    dialogs.messages.defaultAnswer = MsgResult::Yes;
    form = std::make_unique<TMainForm>(dialogs);
    form->show();
    const std::string path = dir.filePath("gross.urd").toStdString();
    {
      NotationScope notation(1);
      bench::LargeDiagramShape shape;
      shape.classes = 500;
      WriteFileAtomically(path, DiagramToBytes(*bench::MakeLargeDiagram(shape)));
    }
    window = form->OpenDiagramFile(path);
    window->Timer1->stop();
    history = UndoHistory::Of(*window);
    // The step: a class moved with an arrow key.
    DiagramDocument& doc = window->Doc();
    doc.CurrentBox = doc.DrawClasses.At(250);
    window->FormKeyDown(Qt::Key_Right);
    history->Flush();
  }
  ~Scene() {
    for (TFChild* c : form->Children()) c->ClosingAll = true;
  }
  QTemporaryDir dir;
  ScriptedDialogs dialogs;
  std::unique_ptr<TMainForm> form;
  TFChild* window = nullptr;
  UndoHistory* history = nullptr;
};

// Made at the first benchmark, gone before the application.
std::unique_ptr<Scene> scene;

Scene& TheScene() {
  if (!scene) scene = std::make_unique<Scene>();
  return *scene;
}

void BM_UndoOneStepOf500Classes(benchmark::State& state) {
  Scene& s = TheScene();
  for (auto _ : state) {
    s.history->Undo();
    state.PauseTiming();
    s.history->Redo();
    state.ResumeTiming();
  }
  state.counters["snapshot_bytes"] = static_cast<double>(s.history->Steps().Current().size());
}
BENCHMARK(BM_UndoOneStepOf500Classes)->Unit(benchmark::kMillisecond);

void BM_RedoOneStepOf500Classes(benchmark::State& state) {
  Scene& s = TheScene();
  for (auto _ : state) {
    state.PauseTiming();
    s.history->Undo();
    state.ResumeTiming();
    s.history->Redo();
  }
}
BENCHMARK(BM_RedoOneStepOf500Classes)->Unit(benchmark::kMillisecond);

// The end of a command: the family written and compared with the newest state.
void BM_RecordAStepOf500Classes(benchmark::State& state) {
  Scene& s = TheScene();
  DiagramDocument& doc = s.window->Doc();
  int dx = 1;
  for (auto _ : state) {
    doc.CurrentBox->MoveBy(dx, 0);
    dx = -dx;
    s.history->Changed(*s.window);
    s.history->Flush();
  }
}
BENCHMARK(BM_RecordAStepOf500Classes)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  scene.reset();
  benchmark::Shutdown();
  return 0;
}
