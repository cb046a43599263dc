// A diagram painted on a recording canvas, with scripted element dialogs.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "diagram/DiagramDialogs.h"
#include "diagram/DiagramDocument.h"
#include "diagram/RecordingCanvas.h"

namespace zedro::testing {

class ScriptedDialogs : public IDiagramDialogs {
 public:
  bool EditInfoBox(const std::string& caption, StringList& lines) override {
    editCaptions.push_back(caption);
    if (editAnswers.empty()) return false;
    lines = editAnswers.front();
    editAnswers.pop_front();
    return true;
  }
  std::string ConnectionText(const ConnectionTextRequest& request) override { return request.text; }
  bool ChooseLongDash() override { return true; }

  std::vector<std::string> editCaptions;
  std::deque<StringList> editAnswers;
};

struct PaintedDiagram {
  PaintedDiagram() {
    doc.Surface.canvas = &canvas;
    doc.Surface.dialogs = &dialogs;
  }
  TUMLDrawClass* Box(const std::string& name) {
    return doc.AddClassBox(std::make_unique<TUMLClass>(name));
  }
  TUMLDrawClass* BoxAt(const std::string& name, int left, int top, int right, int bottom) {
    TUMLDrawClass* b = Box(name);
    b->Left = left, b->Top = top, b->Right = right, b->Bottom = bottom;
    return b;
  }
  std::vector<RecordingCanvas::Call> Lines() const { return canvas.Of(RecordingCanvas::Op::Line); }
  std::vector<RecordingCanvas::Call> Texts() const { return canvas.Of(RecordingCanvas::Op::Text); }
  bool HasLine(int x1, int y1, int x2, int y2) const {
    for (const auto& c : canvas.calls)
      if (c.op == RecordingCanvas::Op::Line && c.x1 == x1 && c.y1 == y1 && c.x2 == x2 && c.y2 == y2)
        return true;
    return false;
  }
  // Lines from each point to the next.
  ::testing::AssertionResult HasPath(std::initializer_list<TPoint> points) const {
    for (auto p = points.begin(); p + 1 != points.end(); ++p)
      if (!HasLine(p->X, p->Y, p[1].X, p[1].Y))
        return ::testing::AssertionFailure() << "no line from " << p->X << "," << p->Y;
    return ::testing::AssertionSuccess();
  }
  ::testing::AssertionResult Drawn(std::initializer_list<std::string> texts) const {
    for (const std::string& text : texts)
      if (!canvas.FindText(text))
        return ::testing::AssertionFailure() << "'" << text << "' not drawn";
    return ::testing::AssertionSuccess();
  }
  // The text was drawn with its top-left corner at (x, y).
  ::testing::AssertionResult TextAt(const std::string& text, int x, int y) const {
    const auto* t = canvas.FindText(text);
    if (t && t->x1 == x && t->y1 == y) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "'" << text << "' at " << (t ? t->x1 : -1) << "," << (t ? t->y1 : -1);
  }

  RecordingCanvas canvas;
  ScriptedDialogs dialogs;
  DiagramDocument doc;
};

inline TRect RectOf(const RecordingCanvas::Call& c) { return {c.x1, c.y1, c.x2, c.y2}; }

inline std::unique_ptr<TAttribute> Attr(const std::string& name, const std::string& type,
                                        TVisibility v = TVisibility::Private) {
  return std::make_unique<TAttribute>(name, type, v, StringList{});
}

inline std::unique_ptr<TMethod> Method(const std::string& name,
                                       TMethodKind kind = TMethodKind::Procedure,
                                       const std::string& result = "",
                                       TVisibility v = TVisibility::Public) {
  auto m = std::make_unique<TMethod>();
  m->Name = name, m->Kind = kind, m->ResultType = result, m->Visibility = v;
  return m;
}

}  // namespace zedro::testing
