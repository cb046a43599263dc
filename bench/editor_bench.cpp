// The editor's windows with large diagrams: opening a diagram file in a window, and one
// mouse move of a group drag in a window that shows the diagram (the move handler and the
// window's paint).
#ifdef ZEDRO_HAVE_EDITOR
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <cmath>
#include <map>
#include <memory>
#include <string>

#include "GuiApp.h"
#include "LargeDiagram.h"
#include "editor/DialogService.h"
#include "editor/TFChild.h"
#include "editor/TMainForm.h"
#include "model/Notation.h"
#include "persistence/DiagramFile.h"
#include "persistence/Files.h"

using namespace zedro;

namespace {

// A diagram file of that many boxes (4 attributes, 4 methods, 2 connections each) in a
// grid about one and a half times as wide as high, written once per run.
std::string DiagramFile(int boxes) {
  static std::map<int, std::string> files;
  auto it = files.find(boxes);
  if (it != files.end()) return it->second;
  NotationScope notation(1);
  auto doc = bench::MakeLargeDiagram({boxes, 4, 4, 2});
  const int columns = static_cast<int>(std::ceil(std::sqrt(boxes * 1.5)));
  for (int i = 0; i < boxes; ++i) {
    TUMLDrawClass* box = doc->DrawClasses.At(i);
    box->Left = 10 + (i % columns) * 200;
    box->Top = 10 + (i / columns) * 180;
  }
  const std::string path =
      QDir::temp().filePath(QString("zedro_bench_%1_%2.urd").arg(boxes).arg(QCoreApplication::applicationPid())).toStdString();
  if (!WriteFileAtomically(path, DiagramToBytes(*doc))) return std::string();
  return files[boxes] = path;
}

// The frame window, shown offscreen, answering every dialog as scripted.
struct Editor {
  Editor() {
    bench::StartGui();
    form = std::make_unique<TMainForm>(dialogs);
    form->resize(1400, 1000);
    form->show();
    QApplication::processEvents();
  }
  ~Editor() {
    for (TFChild* c : form->Children()) c->ClosingAll = true;
    form.reset();
  }
  TFChild* Open(const std::string& path) {
    TFChild* w = form->OpenDiagramFile(path);
    QApplication::processEvents();
    return w;
  }
  void Close(TFChild* w) {
    w->ClosingAll = true;
    w->close();
    QApplication::processEvents();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
  ScriptedDialogs dialogs;
  std::unique_ptr<TMainForm> form;
};

// Opening a diagram file: reading it, the window, the first redraw and the first paint.
void BM_OpenDiagramInEditor(benchmark::State& state) {
  const std::string path = DiagramFile(static_cast<int>(state.range(0)));
  Editor editor;
  for (auto _ : state) {
    TFChild* w = editor.Open(path);
    if (!w) {
      state.SkipWithError("the diagram was not opened");
      break;
    }
    state.PauseTiming();
    editor.Close(w);
    state.ResumeTiming();
  }
}
BENCHMARK(BM_OpenDiagramInEditor)->Arg(50)->Arg(2000)->Unit(benchmark::kMillisecond)->UseRealTime();

// One mouse move while two boxes are dragged as a group, and the window's paint after it.
void BM_MouseMoveWhileDragging(benchmark::State& state) {
  const std::string path = DiagramFile(static_cast<int>(state.range(0)));
  Editor editor;
  TFChild* w = editor.Open(path);
  if (!w || w->Doc().DrawClasses.Count() < 2) {
    state.SkipWithError("the diagram was not opened");
    return;
  }
  w->resize(1200, 800);
  QApplication::processEvents();
  // The rubber band around the first two boxes of the top row.
  const TUMLDrawClass* first = w->Doc().DrawClasses.At(0);
  const TUMLDrawClass* second = w->Doc().DrawClasses.At(1);
  const int right = second->Right + 5, bottom = std::max(first->Bottom, second->Bottom) + 5;
  w->ImClassDiagrammMouseMove(5, 5);
  w->ImClassDiagrammMouseDown(Qt::LeftButton, 5, 5);
  w->ImClassDiagrammMouseMove(right, bottom);
  w->ImClassDiagrammMouseUp(Qt::LeftButton, right, bottom);
  const int x = (first->Left + first->Right) / 2, y = first->Top + 6;
  w->ImClassDiagrammMouseDown(Qt::LeftButton, x, y);
  if (w->Mode != EditMode::MoveSelection) {
    state.SkipWithError("the group was not selected");
    return;
  }
  QApplication::processEvents();
  int step = 0;
  for (auto _ : state) {
    // Right and back, one pixel at a time.
    step ^= 1;
    w->ImClassDiagrammMouseMove(x + step, y);
    QApplication::processEvents();
  }
  w->ImClassDiagrammMouseUp(Qt::LeftButton, x + step, y);
  state.counters["boxes"] = w->Doc().DrawClasses.Count();
}
BENCHMARK(BM_MouseMoveWhileDragging)->Arg(50)->Arg(2000)->Unit(benchmark::kMicrosecond);

}  // namespace
#endif
