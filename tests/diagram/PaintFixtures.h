// Shared pieces of the drawing tests: a diagram painted on a recording canvas and
// scripted element dialogs.
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
  std::string ConnectionText(const ConnectionTextRequest& request) override {
    textRequests.push_back(request);
    if (textAnswers.empty()) return request.text;
    std::string a = textAnswers.front();
    textAnswers.pop_front();
    return a;
  }
  bool ChooseLongDash() override {
    ++lineChoices;
    return longDash;
  }

  std::vector<std::string> editCaptions;
  std::deque<StringList> editAnswers;
  std::vector<ConnectionTextRequest> textRequests;
  std::deque<std::string> textAnswers;
  bool longDash = true;
  int lineChoices = 0;
};

// A diagram whose surface paints on a recording canvas.
struct PaintedDiagram {
  PaintedDiagram() {
    doc.Surface.canvas = &canvas;
    doc.Surface.dialogs = &dialogs;
  }
  TUMLDrawClass* Box(const std::string& name) {
    return doc.AddClassBox(std::make_unique<TUMLClass>(name));
  }
  // A box placed at fixed edges without painting it.
  TUMLDrawClass* BoxAt(const std::string& name, int left, int top, int right, int bottom) {
    TUMLDrawClass* b = Box(name);
    b->Left = left;
    b->Top = top;
    b->Right = right;
    b->Bottom = bottom;
    return b;
  }
  std::vector<RecordingCanvas::Call> Lines() const { return canvas.Of(RecordingCanvas::Op::Line); }
  std::vector<RecordingCanvas::Call> Texts() const { return canvas.Of(RecordingCanvas::Op::Text); }
  // A line from (x1, y1) to (x2, y2) was drawn.
  bool HasLine(int x1, int y1, int x2, int y2) const {
    for (const auto& c : canvas.calls)
      if (c.op == RecordingCanvas::Op::Line && c.x1 == x1 && c.y1 == y1 && c.x2 == x2 && c.y2 == y2)
        return true;
    return false;
  }
  // Lines were drawn from each point to the next.
  ::testing::AssertionResult HasPath(std::initializer_list<TPoint> points) const {
    for (auto p = points.begin(); p + 1 != points.end(); ++p)
      if (!HasLine(p->X, p->Y, p[1].X, p[1].Y))
        return ::testing::AssertionFailure()
               << "no line " << p->X << "," << p->Y << " - " << p[1].X << "," << p[1].Y;
    return ::testing::AssertionSuccess();
  }
  // Every one of the texts was drawn.
  ::testing::AssertionResult Drawn(std::initializer_list<std::string> texts) const {
    for (const std::string& text : texts)
      if (!canvas.FindText(text))
        return ::testing::AssertionFailure() << "'" << text << "' not drawn";
    return ::testing::AssertionSuccess();
  }
  // The text was drawn with its top-left corner at (x, y).
  ::testing::AssertionResult TextAt(const std::string& text, int x, int y) const {
    const auto* t = canvas.FindText(text);
    if (!t) return ::testing::AssertionFailure() << "'" << text << "' not drawn";
    if (t->x1 != x || t->y1 != y)
      return ::testing::AssertionFailure() << "'" << text << "' at " << t->x1 << "," << t->y1;
    return ::testing::AssertionSuccess();
  }

  RecordingCanvas canvas;
  ScriptedDialogs dialogs;
  DiagramDocument doc;
};

inline TRect RectOf(const RecordingCanvas::Call& c) { return {c.x1, c.y1, c.x2, c.y2}; }

inline std::unique_ptr<TAttribute> Attr(const std::string& name, const std::string& type,
                                        TVisibility v = kPrivate) {
  return std::make_unique<TAttribute>(name, type, v, StringList{});
}

inline std::unique_ptr<TMethod> Method(const std::string& name, TMethodKind kind = kProcedure,
                                       const std::string& result = "", TVisibility v = kPublic) {
  auto m = std::make_unique<TMethod>();
  m->Name = name;
  m->Kind = kind;
  m->ResultType = result;
  m->Visibility = v;
  return m;
}

}  // namespace zedro::testing
