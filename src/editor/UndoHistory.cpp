#include "editor/UndoHistory.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPointer>
#include <QRect>
#include <QTimer>
#include <cstring>
#include <iterator>
#include <map>
#include <vector>

#include "diagram/DiagramDocument.h"
#include "editor/AccessKeys.h"
#include "editor/QtText.h"
#include "editor/SurfaceView.h"
#include "editor/TFChild.h"
#include "editor/TMainForm.h"
#include "editor/UndoCommands.h"
#include "editor/WindowMessages.h"
#include "model/Win1252.h"
#include "persistence/DiagramFile.h"
#include "persistence/Files.h"
#include "persistence/ValueStream.h"

namespace zedro {

namespace {

constexpr const char* kUndoItem = "UndoItem2";
constexpr const char* kRedoItem = "RedoItem2";

// Commands that wait for clicks make their step with the last click; it is named after
// what it draws. Keys: the captions of their items as shown, without dot leaders.
const std::map<std::string, std::string>& PickingNames() {
  static const std::map<std::string, std::string> names = {
      {"IST : Vererbung", "IST-Beziehung zeichnen"},
      {"IST", "IST-Beziehung zeichnen"},
      {"HAT : Aggregation", "HAT-Beziehung zeichnen"},
      {"HAT", "HAT-Beziehung zeichnen"},
      {"KENNT : Assoziation", "KENNT-Beziehung zeichnen"},
      {"KENNT", "KENNT-Beziehung zeichnen"},
      {"Auftrag", "Auftrag zeichnen"},
      {"AUFTRAG", "Auftrag zeichnen"},
      {"Erteilt AUFTRAG an", "Auftrag zeichnen"},
      {"Anfrage", "Anfrage zeichnen"},
      {"ANFRAGE", "Anfrage zeichnen"},
      {"Stellt ANFRAGE an", "Anfrage zeichnen"},
      {W("Name ändern"), "Unterdiagramm umbenennen"},
  };
  return names;
}

bool IsDragging(EditMode mode) {
  return mode == EditMode::MoveBox || mode == EditMode::MoveSelection ||
         mode == EditMode::MoveInfoBox || mode == EditMode::MoveConnectionText ||
         mode == EditMode::RubberBand;
}

bool IsPicking(EditMode mode) {
  return mode == EditMode::PickFirstPoint || mode == EditMode::PickSecondPoint ||
         mode == EditMode::PickFirstPointOnCurrent || mode == EditMode::DeleteConnection ||
         mode == EditMode::MoveStartEnd || mode == EditMode::MoveTargetEnd;
}

std::vector<TFChild*> Family(TFChild& main) {
  std::vector<TFChild*> all{&main};
  for (TFChild* sub : main.SubDiagramWindows()) all.push_back(sub);
  return all;
}

void AppendLength(std::string& bytes, std::uint32_t n) {
  for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<char>((n >> (8 * i)) & 0xFF));
}

std::uint32_t TrailingLength(const std::string& bytes) {
  if (bytes.size() < 4) return 0;
  std::uint32_t n = 0;
  for (int i = 0; i < 4; ++i)
    n |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[bytes.size() - 4 + i]))
         << (8 * i);
  return n <= bytes.size() - 4 ? n : 0;
}

// Where a box stands, to find the current box again after a restore.
struct CurrentMark {
  int index = -1;
  std::string className;
};

CurrentMark MarkOf(const DiagramDocument& d) {
  CurrentMark m;
  if (!d.CurrentBox) return m;
  m.index = d.DrawClasses.IndexOf(d.CurrentBox);
  if (d.CurrentBox->UMLClass) m.className = d.CurrentBox->UMLClass->Name;
  return m;
}

void FindCurrent(DiagramDocument& d, const CurrentMark& m) {
  if (m.index < 0) return;
  TUMLDrawClass* found = nullptr;
  auto named = [&m](const TUMLDrawClass* b) { return b->UMLClass && b->UMLClass->Name == m.className; };
  if (m.index < d.DrawClasses.Count() && named(d.DrawClasses.At(m.index))) {
    found = d.DrawClasses.At(m.index);
  } else {
    for (TUMLDrawClass* b : d.DrawClasses.Items)
      if (named(b)) {
        found = b;
        break;
      }
  }
  if (!found) return;
  d.CurrentBox = found;
  d.CurrentClass = found->UMLClass;
}

// Objects show a value for every attribute of their class, in the class's order, as they
// do when the diagram is read back.
void BringObjectsInLine(DiagramDocument& d) {
  for (TUMLDrawClass* box : d.DrawClasses.Items) {
    if (!box->IsObjectBox() || !box->UMLClass) continue;
    TObjectAttributeList& values = static_cast<TUMLDrawObject*>(box)->Values;
    const auto& attributes = box->UMLClass->Attributes.Items;
    bool inLine = values.Count() == static_cast<int>(attributes.size());
    for (int i = 0; inLine && i < values.Count(); ++i)
      inLine = values.AttributeAt(i) == attributes[static_cast<size_t>(i)];
    if (!inLine) values.Rebuild(&box->UMLClass->Attributes);
  }
}

// A window goes back to no pending action; nothing it points to survives a restore.
void ForgetInteraction(TFChild& w) {
  w.Mode = EditMode::Idle;
  w.NewConnection = nullptr;
  w.SelectedConnection = nullptr;
  w.DraggedBox = nullptr;
  w.ReattachBox = nullptr;
  w.NewObjectBox = nullptr;
  w.SubDiagramWindow = nullptr;
  w.FirstBoxIndex = -1;
  w.SecondBoxIndex = -1;
  for (const char* name : {"deleteConnection", "Vererbung", "Assoziation", "Aggregation",
                           "Auftrag", "Anfrage", "BotschaftLoeschen"})
    if (QAction* a = w.Item(name)) a->setChecked(false);
}

}  // namespace

UndoHistory::UndoHistory(TFChild& mainWindow) : QObject(&mainWindow), main_(mainWindow) {
  setObjectName("UndoHistory");
  steps_.Reset(Snapshot());
}

UndoHistory* UndoHistory::Of(TFChild& window) {
  return window.MainDiagramWindow().findChild<UndoHistory*>(QString(),
                                                             Qt::FindDirectChildrenOnly);
}

void UndoHistory::Attach(TFChild& window) {
  if (window.IsMainDiagram() && !Of(window)) new UndoHistory(window);
  UndoHistory* history = Of(window);
  if (!history) return;

  // Undo and redo at the end of the empty-area menu; the items in front keep their places.
  static const WindowMenuRow kRows[] = {
      SeparatorRow<TFChild>(),
      {kUndoItem, "Rückgängig", "", "", [](TFChild& w) { Of(w)->UndoLater(); }, 0},
      {kRedoItem, "Wiederholen", "", "", [](TFChild& w) { Of(w)->RedoLater(); }, 0},
  };
  window.AddRows(window.MyCreateMenu, kRows, std::size(kRows));

  // Mouse work and keys are named by what the window is doing.
  window.ImClassDiagramm->installEventFilter(history);
  if (&window != &window.MainDiagramWindow()) {
    // Where the window stands, for its return when its deletion is undone.
    window.installEventFilter(history);
    // A sub-diagram window that goes (deleted by its command) changes the family.
    connect(&window, &QObject::destroyed, history, [history] {
      if (history->restoring_) return;
      if (history->name_.empty()) history->name_ = W("Unterdiagramm löschen");
      history->pending_ = true;
      history->Schedule();
    });
  }
  // A new sub-diagram window joins its family's list only after it was built.
  history->ShowItemsOf(window);
  history->ShowState();
}

std::string UndoHistory::StepNameOf(const std::string& caption) {
  const std::string shown = S(PlainCaption(Q(caption)));
  std::string name;
  for (size_t i = 0; i < shown.size(); ++i) {
    // Dot leaders ("IST........") go; a single dot stays.
    if (shown[i] == '.' && i + 1 < shown.size() && shown[i + 1] == '.') {
      while (i < shown.size() && shown[i] == '.') ++i;
      --i;
      continue;
    }
    if (shown[i] == ' ' && (name.empty() || name.back() == ' ')) continue;
    name.push_back(shown[i]);
  }
  while (!name.empty() && (name.back() == ' ' || name.back() == ':')) name.pop_back();
  auto known = PickingNames().find(name);
  return known != PickingNames().end() ? known->second : name;
}

// ---- recording -------------------------------------------------------------------------

void UndoHistory::Changed(TFChild& window) {
  if (restoring_ || settling_) return;
  redrawn_.insert(&window);
  pending_ = true;
  Schedule();
}

void UndoHistory::NameStep(const std::string& name) {
  if (restoring_) return;
  name_ = name;
  // A command may change the diagram without redrawing it (renaming a sub-diagram).
  pending_ = true;
  Schedule();
}

void UndoHistory::Schedule(int delayMs) {
  if (scheduled_) return;
  scheduled_ = true;
  QTimer::singleShot(delayMs, this, [this] {
    scheduled_ = false;
    FlushWhenIdle();
  });
}

bool UndoHistory::Busy() const {
  if (QApplication::activeModalWidget() || main_.MainForm().IsLoading()) return true;
  for (TFChild* w : Family(main_))
    if (IsDragging(w->Mode)) return true;
  return false;
}

void UndoHistory::FlushWhenIdle() {
  if (!pending_) return;
  if (Busy()) {
    Schedule(100);
    return;
  }
  Flush();
}

void UndoHistory::Flush() {
  if (restoring_ || !pending_) return;
  pending_ = false;
  std::string snapshot = Snapshot();
  if (snapshot != steps_.Current()) {
    // Every window shows the change as it does after an undo: a class changed in the main
    // diagram has other sizes in the sub-diagrams, and objects take up the class's new
    // attributes when they are drawn.
    settling_ = true;
    bool redrawn = false;
    for (TFChild* sub : main_.SubDiagramWindows()) BringObjectsInLine(sub->Doc());
    for (TFChild* w : Family(main_))
      if ((w != &main_ || !redrawn_.count(w)) && w->Mode == EditMode::Idle) {
        w->RedrawKeepSaved();
        redrawn = true;
      }
    settling_ = false;
    if (redrawn) snapshot = Snapshot();
  }
  redrawn_.clear();
  const bool recorded =
      steps_.Record(std::move(snapshot), name_.empty() ? W("Änderung") : name_);
  // Saving under a new name moves the project directory after the file was written.
  if (savedPending_) steps_.MarkSaved();
  savedPending_ = false;
  // A command that waits for its clicks keeps its name for the click that completes it.
  bool picking = false;
  for (TFChild* w : Family(main_)) picking = picking || IsPicking(w->Mode);
  if (recorded || !picking) name_.clear();
  if (recorded) ShowState();
}

void UndoHistory::Restart(bool saved) {
  pending_ = false;
  savedPending_ = false;
  name_.clear();
  steps_.Reset(Snapshot());
  if (!saved) steps_.MarkUnsaved();
  ShowState();
}

void UndoHistory::MarkSaved() {
  Flush();
  steps_.MarkSaved();
  // What the saving command does after writing the file belongs to the saved state.
  savedPending_ = true;
  pending_ = true;
  Schedule();
}

std::string UndoHistory::Snapshot() {
  DiagramDocument& doc = main_.Doc();
  // The language belongs to the application, not to the steps.
  const int language = doc.Language;
  doc.Language = 1;
  std::string bytes = DiagramToBytes(doc);
  doc.Language = language;
  ValueWriter extra;
  extra.WriteString(doc.ProjectDir);
  extra.WriteInteger(doc.DrawClasses.Count());
  for (const TUMLDrawClass* box : doc.DrawClasses.Items) {
    extra.WriteString(box->SourceFileName);
    extra.WriteString(box->SourceDirectory);
  }
  const std::string extraBytes = extra.TakeBytes();
  bytes += extraBytes;
  AppendLength(bytes, static_cast<std::uint32_t>(extraBytes.size()));
  return bytes;
}

std::string UndoHistory::FileBytesOf(const std::string& snapshot) {
  const std::uint32_t extra = TrailingLength(snapshot);
  return snapshot.size() < 4 ? std::string() : snapshot.substr(0, snapshot.size() - 4 - extra);
}

// ---- undo and redo ---------------------------------------------------------------------

std::string UndoHistory::UndoCaption() const {
  return CanUndo() ? W("Rückgängig: ") + steps_.UndoName() : W("Rückgängig");
}

std::string UndoHistory::RedoCaption() const {
  return CanRedo() ? "Wiederholen: " + steps_.RedoName() : "Wiederholen";
}

void UndoHistory::UndoLater() {
  // The command item's caption is no step name.
  if (name_ == W("Rückgängig") || name_ == "Wiederholen") name_.clear();
  QTimer::singleShot(0, this, [this] { Undo(); });
}

void UndoHistory::RedoLater() {
  if (name_ == W("Rückgängig") || name_ == "Wiederholen") name_.clear();
  QTimer::singleShot(0, this, [this] { Redo(); });
}

void UndoHistory::Undo() {
  if (restoring_) return;
  Flush();
  if (!CanUndo()) return;
  Restore(steps_.Undo());
}

void UndoHistory::Redo() {
  if (restoring_) return;
  Flush();
  if (!CanRedo()) return;
  Restore(steps_.Redo());
}

void UndoHistory::Restore(const std::string& snapshot) {
  restoring_ = true;
  TMainForm& form = main_.MainForm();
  DiagramDocument& doc = main_.Doc();

  // What the family looks like now, to be found again afterwards.
  std::vector<TFChild*> before = Family(main_);
  TFChild* active = form.ActiveChild();
  int activeIndex = -2;  // another family's window, or none
  for (size_t i = 0; i < before.size(); ++i)
    if (before[i] == active) activeIndex = static_cast<int>(i) - 1;
  struct SubWindowLook {
    std::string name;
    QRect geometry;
    Qt::WindowStates states;
  };
  std::vector<SubWindowLook> looks;
  std::vector<CurrentMark> marks{MarkOf(doc)};
  for (TFChild* sub : main_.SubDiagramWindows()) {
    looks.push_back({sub->Doc().FileName, sub->geometry(), sub->windowState()});
    marks.push_back(MarkOf(sub->Doc()));
  }
  // The ages recorded for the source files: undo never makes the watch timer ask.
  std::map<std::string, std::int32_t> ages;
  for (const TUMLDrawClass* box : doc.DrawClasses.Items)
    if (!box->SourceFileName.empty()) ages[SourceFilePath(*box)] = box->SourceFileAge;
  const std::string fileName = doc.FileName;
  const int language = doc.Language;
  const int loadedVersion = doc.LoadedVersion;

  // Out with the old elements and the sub-diagram windows.
  for (TFChild* w : before) ForgetInteraction(*w);
  form.ForgetClipboardBoxesOf(doc);
  main_.CloseSubWindows();
  doc.SubDiagrams.clear();
  doc.ClearElements();

  // In with the state of the step.
  WindowMessages messages(main_);
  LoadOptions options;
  options.languageOfMainWindow = language;
  options.switchLanguage = [](int) {};
  options.subDiagramCreated = [this](DiagramDocument& sub) { main_.AttachSubWindow(sub); };
  ReadDiagram(doc, FileBytesOf(snapshot), fileName, messages, options);
  doc.Language = language;
  doc.LoadedVersion = loadedVersion;

  const std::uint32_t extraSize = TrailingLength(snapshot);
  ScriptedMessages quiet;
  ValueReader extra(std::string_view(snapshot).substr(snapshot.size() - 4 - extraSize, extraSize),
                    quiet);
  try {
    doc.SetProjectDir(extra.ReadString());
    const int n = extra.ReadInteger();
    for (int i = 0; i < n && i < doc.DrawClasses.Count(); ++i) {
      TUMLDrawClass* box = doc.DrawClasses.At(i);
      box->SourceFileName = extra.ReadString();
      box->SourceDirectory = extra.ReadString();
    }
  } catch (const StreamError&) {
    // A state without them keeps what the diagram file gave.
  }
  for (TUMLDrawClass* box : doc.DrawClasses.Items) {
    if (box->SourceFileName.empty()) continue;
    const std::string path = SourceFilePath(*box);
    auto known = ages.find(path);
    box->SourceFileAge = known != ages.end() ? known->second : FileAge(path);
  }
  FindCurrent(doc, marks[0]);

  // The sub-diagram windows as they stood, as far as they are still there.
  const auto& subs = main_.SubDiagramWindows();
  for (size_t i = 0; i < subs.size(); ++i) {
    TFChild* sub = subs[i];
    sub->Doc().Language = language;
    const SubWindowLook* look = nullptr;
    for (const SubWindowLook& l : looks)
      if (l.name == sub->Doc().FileName) look = &l;
    if (!look && i < looks.size()) look = &looks[i];
    if (look) {
      sub->setGeometry(look->geometry);
      if (look->states != Qt::WindowNoState) sub->setWindowState(look->states);
    } else if (auto place = places_.find(sub->Doc().FileName); place != places_.end()) {
      sub->setGeometry(place->second);  // a window that was deleted
    }
    if (i + 1 < marks.size()) FindCurrent(sub->Doc(), marks[i + 1]);
  }

  const bool saved = steps_.AtSavedState();
  for (TFChild* w : Family(main_)) {
    w->Redraw();
    w->Doc().Saved = saved;
  }
  if (activeIndex >= -1) {
    TFChild* again = activeIndex >= 0 && activeIndex < static_cast<int>(subs.size())
                         ? subs[static_cast<size_t>(activeIndex)]
                         : &main_;
    form.ActivateChild(again);
    form.ShowClassInInspector(again->Doc().CurrentClass);
  }
  for (TFChild* w : Family(main_)) w->Doc().Saved = saved;
  // A change that reached the autosave is no change any more when it was taken back.
  restoring_ = false;
  pending_ = false;
  name_.clear();
  ShowState();
}

// ---- items and names -------------------------------------------------------------------

void UndoHistory::ShowState() {
  for (TFChild* w : Family(main_)) ShowItemsOf(*w);
  if (TUndoCommands* commands = main_.MainForm().UndoCommands()) commands->Refresh();
}

void UndoHistory::ShowItemsOf(TFChild& w) const {
  const QString undo = Q(UndoCaption()).replace('&', "&&");
  const QString redo = Q(RedoCaption()).replace('&', "&&");
  for (QAction* a : w.MyCreateMenu->actions()) {
    if (a->objectName() == kUndoItem) {
      a->setText(undo);
      a->setEnabled(CanUndo());
    } else if (a->objectName() == kRedoItem) {
      a->setText(redo);
      a->setEnabled(CanRedo());
    }
  }
}

TFChild* UndoHistory::WindowOfSurface(QObject* surface) const {
  for (TFChild* w : Family(main_))
    if (w->ImClassDiagramm == surface) return w;
  return nullptr;
}

bool UndoHistory::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if ((type == QEvent::Move || type == QEvent::Resize) && !restoring_) {
    for (TFChild* sub : main_.SubDiagramWindows())
      if (sub == watched && !sub->isMaximized() && !sub->isMinimized())
        places_[sub->Doc().FileName] = sub->geometry();
    return QObject::eventFilter(watched, event);
  }
  if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease &&
      type != QEvent::KeyPress)
    return QObject::eventFilter(watched, event);
  TFChild* w = WindowOfSurface(watched);
  if (!w) return QObject::eventFilter(watched, event);
  std::string name;
  if (type == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up || key == Qt::Key_Down)
      name = w->Doc().Selection.Count() > 0 ? "Auswahl verschieben" : "Verschieben";
  } else if (type == QEvent::MouseButtonPress) {
    switch (w->Mode) {
      case EditMode::MoveStartEnd:
      case EditMode::MoveTargetEnd:
        name = W("Beziehung umhängen");
        break;
      default:
        break;  // picking keeps the name of its command; other clicks decide on release
    }
  } else {
    switch (w->Mode) {
      case EditMode::MoveBox:
        name = "Verschieben";
        break;
      case EditMode::MoveSelection:
        name = "Auswahl verschieben";
        break;
      case EditMode::MoveInfoBox:
        name = "InfoBox verschieben";
        break;
      case EditMode::MoveConnectionText:
        name = "Text verschieben";
        break;
      default:
        break;
    }
  }
  if (!name.empty()) NameStep(name);
  return QObject::eventFilter(watched, event);
}

}  // namespace zedro
