// The frame offscreen with the scripted dialog service, and the helpers the editor tests share.
#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTimer>
#include <fcntl.h>
#include <sys/stat.h>

#include <ctime>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>

#include "cli/DumpJson.h"
#include "diagram/DiagramDocument.h"
#include "editor/AccessKeys.h"
#include "editor/ClassTransferCommands.h"
#include "editor/DialogService.h"
#include "editor/ElementCommands.h"
#include "editor/MessageCommands.h"
#include "editor/PictureCommands.h"
#include "editor/QtText.h"
#include "editor/RelationshipCommands.h"
#include "editor/RoundTripCommands.h"
#include "editor/SubDiagramCommands.h"
#include "editor/TFChild.h"
#include "editor/TMainForm.h"
#include "model/Notation.h"
#include "model/Win1252.h"
#include "persistence/DiagramFile.h"

namespace zedro::editortest {

using Names = std::vector<std::string>;

// A file's bytes ("" when it cannot be read), and a file written with exactly these bytes.
inline std::string ReadText(const std::string& path) {
  std::ifstream in(text::ToUtf8(path), std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}
inline void WriteText(const std::string& path, const std::string& bytes) {
  std::ofstream(text::ToUtf8(path), std::ios::binary | std::ios::trunc) << bytes;
}
// Moves the file's modification time some seconds ahead, as an edit in another program.
inline void Touch(const std::string& path, int secondsAhead) {
  struct timespec times[2];
  times[0].tv_sec = times[1].tv_sec = std::time(nullptr) + secondsAhead;
  times[0].tv_nsec = times[1].tv_nsec = 0;
  ASSERT_EQ(::utimensat(AT_FDCWD, text::ToUtf8(path).c_str(), times, 0), 0) << path;
}

// Also records the text an input box starts with and which diagram window was active
// when a message came up.
class RecordingDialogs : public ScriptedDialogs {
 public:
  MsgResult Message(MsgKind kind, const std::string& text, MsgButtons buttons) override {
    activeAtMessage.push_back(form ? form->ActiveChild() : nullptr);
    return ScriptedDialogs::Message(kind, text, buttons);
  }
  bool InputBox(const std::string& caption, const std::string& prompt,
                std::string& value) override {
    inputDefaults.push_back(value);
    return ScriptedDialogs::InputBox(caption, prompt, value);
  }
  TMainForm* form = nullptr;
  std::vector<TFChild*> activeAtMessage;
  std::vector<std::string> inputDefaults;
};

class EditorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ActiveNotation::Set(1);
    form = std::make_unique<TMainForm>(dialogs);
    dialogs.form = form.get();
    form->show();
    QApplication::processEvents();
  }
  void TearDown() override {
    dialogs.form = nullptr;
    for (TFChild* c : form->Children()) c->ClosingAll = true;
    form.reset();
    ActiveNotation::Set(1);
  }

  std::string Path(const std::string& name) const {
    return text::FromUtf8(dir.filePath(QString::fromStdString(name)).toStdString());
  }
  std::string Dir() const { return text::FromUtf8(dir.path().toStdString()) + "/"; }
  TFChild* NewDiagram() {
    form->FileNew1Execute();
    return Watch(form->ActiveChild());
  }
  TFChild* Open(const std::string& path) {
    dialogs.openFiles.push_back(path);
    form->FileOpen1Execute();
    return form->ActiveChild();
  }
  // Context menus are prepared and their titles recorded, not shown.
  TFChild* Watch(TFChild* window) {
    window->ShowContextMenu = [this](QMenu* m, TPoint) {
      popupTitles.push_back(S(m->actions()[0]->text()));
    };
    return window;
  }
  // A new class box that becomes the current one.
  static TUMLDrawClass* AddClass(TFChild* w, const std::string& name, int x = 50, int y = 50) {
    TUMLDrawClass* box = w->Doc().AddClassBox(std::make_unique<TUMLClass>(name), x, y);
    w->Doc().CurrentBox = box;
    w->Doc().CurrentClass = box->UMLClass;
    return box;
  }
  // A class box with its top-left corner exactly at (x, y), drawn.
  static TUMLDrawClass* PlacedBox(TFChild* w, const std::string& name, int x, int y) {
    TUMLDrawClass* box = w->Doc().AddClassBox(std::make_unique<TUMLClass>(name), x, y);
    box->Left = x;
    box->Top = y;
    w->Redraw();
    return box;
  }
  // Triggers the window's menu item of that name; a missing item fails the test.
  // (A diagram window or the frame.)
  template <class Window>
  static void Trigger(Window* w, const char* item) {
    ASSERT_NE(nullptr, w);
    QAction* a = w->Item(item);
    ASSERT_NE(nullptr, a) << item;
    a->trigger();
  }
  // Triggers the item at that position of a menu; a missing item fails the test.
  static void TriggerAt(QMenu* menu, int position) {
    ASSERT_NE(nullptr, menu);
    QAction* a = TFChild::ItemAt(menu, position);
    ASSERT_NE(nullptr, a) << PlainCaption(menu->title()).toStdString() << ' ' << position;
    a->trigger();
  }
  // Presses the buttons of the next dialog, which must be of type F.
  template <class F>
  void Answer(std::function<void(F&)> press) {
    dialogs.dialogScripts.push_back([press](TDialogForm& form) {
      auto* f = dynamic_cast<F*>(&form);
      ASSERT_NE(f, nullptr) << "unexpected dialog " << form.TypeName();
      press(*f);
    });
  }
  // Fills in the next dialog, which must be of type F, and presses its OK button.
  template <class F>
  void Ok(std::function<void(F&)> fill = {}) {
    Answer<F>([fill](F& f) {
      if (fill) fill(f);
      f.PressOk();
    });
  }
  void Skip(int n = 1) {  // dialogs closed by their close box
    for (int i = 0; i < n; ++i) dialogs.dialogScripts.push_back(nullptr);
  }
  // The text of the last message box; "(keine Meldung)" when none came up, so that a missing
  // message fails the comparison instead of reading past the end of the list.
  std::string LastMessage() const {
    const auto& shown = dialogs.messages.shown;
    return shown.empty() ? "(keine Meldung)" : shown.back().text;
  }
  // How many messages shown so far are the text, or contain the part.
  int CountShown(const std::string& text) const {
    int n = 0;
    for (const auto& s : dialogs.messages.shown) n += s.text == text;
    return n;
  }
  int CountContaining(const std::string& part) const {
    int n = 0;
    for (const auto& s : dialogs.messages.shown) n += s.text.find(part) != std::string::npos;
    return n;
  }

  static TPoint Pt(const TUMLDrawClass* b, int i) {
    return {b->BorderPointX(i), b->BorderPointY(i)};
  }
  static TPoint Inside(const TUMLDrawClass* b) { return {(b->Left + b->Right) / 2, b->Top + 6}; }
  static void Click(TFChild* w, TPoint p, int button = Qt::LeftButton) {
    w->ImClassDiagrammMouseMove(p.X, p.Y);
    w->ImClassDiagrammMouseDown(button, p.X, p.Y);
    w->ImClassDiagrammMouseUp(button, p.X, p.Y);
  }
  // A mouse event as the platform delivers it to the drawing surface.
  static void SendMouse(QWidget* view, QEvent::Type type, TPoint p, Qt::MouseButton button) {
    const QPointF at(p.X, p.Y);
    QMouseEvent e(type, at, view->mapToGlobal(at), button,
                  type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button),
                  Qt::NoModifier);
    QApplication::sendEvent(view, &e);
  }
  static void SendClick(QWidget* view, TPoint p, Qt::MouseButton button = Qt::LeftButton) {
    SendMouse(view, QEvent::MouseMove, p, Qt::NoButton);
    SendMouse(view, QEvent::MouseButtonPress, p, button);
    SendMouse(view, QEvent::MouseButtonRelease, p, button);
  }
  static void SendDrag(QWidget* view, TPoint from, TPoint to) {
    SendMouse(view, QEvent::MouseMove, from, Qt::NoButton);
    SendMouse(view, QEvent::MouseButtonPress, from, Qt::LeftButton);
    SendMouse(view, QEvent::MouseMove, to, Qt::NoButton);
    SendMouse(view, QEvent::MouseButtonRelease, to, Qt::LeftButton);
  }
  static void Drag(TFChild* w, TPoint from, TPoint to) {
    w->ImClassDiagrammMouseMove(from.X, from.Y);
    w->ImClassDiagrammMouseDown(Qt::LeftButton, from.X, from.Y);
    w->ImClassDiagrammMouseMove(to.X, to.Y);
    w->ImClassDiagrammMouseUp(Qt::LeftButton, to.X, to.Y);
  }
  // The diagram as zedro-cli dumps it, to compare a diagram before saving and after reading.
  static std::string Dump(TFChild* w) {
    cli::Json json;
    cli::WriteDiagram(json, w->Doc(), kDiagramVersion);
    return json.Text();
  }

  QTemporaryDir dir;
  RecordingDialogs dialogs;
  std::unique_ptr<TMainForm> form;
  Names popupTitles;
};

// One new diagram window, driven with the mouse and its menus.
class WindowTest : public EditorTest {
 protected:
  void SetUp() override {
    EditorTest::SetUp();
    w = NewDiagram();
  }
  DiagramDocument& Doc() { return w->Doc(); }

  TUMLDrawClass* Box(const std::string& name, int x, int y) { return PlacedBox(w, name, x, y); }
  void Click(TPoint p, int button = Qt::LeftButton) { EditorTest::Click(w, p, button); }
  void RightClick(TPoint p) { Click(p, Qt::RightButton); }
  void Trigger(const char* item) { EditorTest::Trigger(w, item); }

  TFChild* w = nullptr;
};

}  // namespace zedro::editortest
