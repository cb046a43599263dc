// Full redraw of large diagrams: N class boxes with 8 member lines each (4 attributes,
// 4 methods with parameters) and 2N connections of every kind, laid out in a grid. With
// the Qt canvas this is the real picture; without it the recording canvas measures the
// layout alone.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>
#include <memory>
#include <string>

#include "diagram/DiagramDocument.h"
#include "diagram/RecordingCanvas.h"
#include "diagram/Redraw.h"
#include "model/Notation.h"

#ifdef ZEDRO_HAVE_QTCANVAS
#include <QPainter>

#include "GuiApp.h"

#include "editor/canvas/DiagramPicture.h"
#include "editor/canvas/PainterCanvas.h"
#include "editor/canvas/QtCanvas.h"
#endif

using namespace zedro;

namespace {

std::unique_ptr<DiagramDocument> MakeDiagram(int boxes) {
  auto doc = std::make_unique<DiagramDocument>();
  const int columns = static_cast<int>(std::ceil(std::sqrt(boxes * 1.5)));
  for (int i = 0; i < boxes; ++i) {
    auto cls = std::make_unique<TUMLClass>("TKlasse" + std::to_string(i));
    for (int a = 0; a < 4; ++a)
      cls->AddAttribute(std::make_unique<TAttribute>(
          "wert" + std::to_string(a), "Integer", static_cast<TVisibility>(a % 4), StringList{}));
    for (int m = 0; m < 4; ++m) {
      auto meth = std::make_unique<TMethod>();
      meth->Name = "Methode" + std::to_string(m);
      meth->Kind = m % 2 ? TMethodKind::Function : TMethodKind::Procedure;
      meth->ResultType = m % 2 ? "Integer" : "";
      meth->Parameters = {{"a", "Integer"}};
      cls->AddMethod(std::move(meth));
    }
    TUMLDrawClass* box = doc->AddClassBox(std::move(cls));
    box->Left = 10 + (i % columns) * 200;
    box->Top = 10 + (i / columns) * 180;
  }
  const TConnectionKind kinds[] = {TConnectionKind::Ist, TConnectionKind::Hat,
                                   TConnectionKind::Kennt, TConnectionKind::Auftrag,
                                   TConnectionKind::Anfrage};
  for (int i = 0; i < 2 * boxes; ++i) {
    TUMLDrawClass* a = doc->DrawClasses.At(i % boxes);
    TUMLDrawClass* b = doc->DrawClasses.At((i % boxes + 1 + i / boxes * columns) % boxes);
    TConnectionKind kind = kinds[i % 5];
    TConnection* c = doc->AddConnection(a, 6 + i % 3, b, 28 + i % 5, kind);
    c->Color = DefaultConnectionColor(kind);
    c->LineShape = 1 + i % 2;
    if (kind == TConnectionKind::Hat || kind == TConnectionKind::Kennt) {
      c->EndText = "1..*";
      c->TextBox->AddLine("Beschreibung");
      c->Attributes.Add(a->UMLClass->Attributes.At(i % 4));
    } else if (kind == TConnectionKind::Auftrag || kind == TConnectionKind::Anfrage) {
      c->Method = b->UMLClass->Methods.At(i % 4);
      c->TextBox->AddLine("Nachricht");
    }
  }
  return doc;
}

// After every redraw `shown` runs, as the window takes the picture to show it.
template <class MakeCanvas, class Shown>
void RunRedraw(benchmark::State& state, MakeCanvas make, Shown shown) {
  NotationScope notation(1);
  auto doc = MakeDiagram(static_cast<int>(state.range(0)));
  auto canvas = make();
  doc->Surface.canvas = canvas.get();
  Redraw(*doc, CurrentBoxMark::Shown);  // grows the surface once
  shown(*canvas);
  for (auto _ : state) {
    benchmark::DoNotOptimize(Redraw(*doc, CurrentBoxMark::Shown));
    shown(*canvas);
  }
  state.counters["width"] = doc->Surface.Width;
  state.counters["height"] = doc->Surface.Height;
  doc->Surface.canvas = nullptr;
}

void BM_RedrawLayoutOnly(benchmark::State& state) {
  // Recording only the last call keeps memory flat; the canvas still does the layout work.
  struct CountingCanvas : RecordingCanvas {
    void Rectangle(int, int, int, int) override {}
    void Ellipse(int, int, int, int) override {}
    void DrawLine(int, int, int, int) override {}
    int DrawText(int, int, const std::string& t) override { return TextWidth(t); }
  };
  RunRedraw(
      state, [] { return std::make_unique<CountingCanvas>(); }, [](CountingCanvas&) {});
}
BENCHMARK(BM_RedrawLayoutOnly)->Arg(50)->Arg(500)->Arg(2000)->Unit(benchmark::kMillisecond);

#ifdef ZEDRO_HAVE_QTCANVAS
using bench::StartGui;

// The redraw and the finished picture.
void BM_RedrawQtCanvas(benchmark::State& state) {
  StartGui();
  RunRedraw(
      state, [] { return std::make_unique<QtCanvas>(505, 385); },
      [](QtCanvas& c) { benchmark::DoNotOptimize(c.Image()); });
}
BENCHMARK(BM_RedrawQtCanvas)->Arg(50)->Arg(500)->Arg(2000)->Unit(benchmark::kMillisecond);

// The same while a window shows the picture: it holds no copy of it and paints its visible
// part (1200 x 800 pixels) straight from the canvas after every redraw.
void BM_RedrawQtCanvasShown(benchmark::State& state) {
  StartGui();
  QImage screen(1200, 800, QImage::Format_RGB32);
  RunRedraw(
      state, [] { return std::make_unique<QtCanvas>(505, 385); },
      [&](QtCanvas& c) {
        QPainter p(&screen);
        p.drawImage(QPoint(0, 0), c.Image(), screen.rect());
      });
}
BENCHMARK(BM_RedrawQtCanvasShown)->Arg(50)->Arg(500)->Arg(2000)->Unit(benchmark::kMillisecond);

// The zoomed view: the redraw at 200 % on a picture of the painter canvas, lines and texts
// smoothed, and the finished picture.
void BM_RedrawPainterCanvas200(benchmark::State& state) {
  StartGui();
  RunRedraw(
      state, [] { return std::make_unique<PainterCanvas>(505, 385, 2.0); },
      [](PainterCanvas& c) { benchmark::DoNotOptimize(c.Image()); });
}
BENCHMARK(BM_RedrawPainterCanvas200)->Arg(50)->Arg(500)->Unit(benchmark::kMillisecond);

// "als Bild Speichern" as SVG or PDF: the layout, the drawing and the encoded document.
void BM_PictureDocument(benchmark::State& state, PictureType type) {
  StartGui();
  NotationScope notation(1);
  auto doc = MakeDiagram(static_cast<int>(state.range(0)));
  std::string bytes, error;
  for (auto _ : state)
    if (!DiagramDocumentBytes(*doc, type, 1, "Messung.urd", bytes, &error))
      state.SkipWithError(error.c_str());
  state.counters["bytes"] = static_cast<double>(bytes.size());
}
BENCHMARK_CAPTURE(BM_PictureDocument, Svg, PictureType::Svg)->Arg(500)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_PictureDocument, Pdf, PictureType::Pdf)->Arg(500)->Unit(benchmark::kMillisecond);
#endif

}  // namespace
