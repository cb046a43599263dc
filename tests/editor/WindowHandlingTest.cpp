// The diagram window as the hand expects it: keys work at once, every menu and item has an
// access key, the whole window is drawing surface, new things do not hide old ones, and
// the windows and the inspector show what is true.
#include <QMdiArea>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollArea>
#include <QSet>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>

#include "EditorFixture.h"
#include "editor/SurfaceView.h"
#include "editor/TFClassInspector.h"
#include "persistence/Files.h"

namespace zedro {
namespace {

using namespace editortest;

class Window : public EditorTest {
 protected:
  // The example of the vehicles (with a sub-diagram), copied so that nothing touches it.
  std::string Example() {
    const std::string copy = Path("Fahrzeuge.urd");
    std::string bytes;
    EXPECT_TRUE(ReadFileBytes(ZEDRO_SOURCE_DIR "/examples/Fahrzeuge.urd", bytes));
    EXPECT_TRUE(WriteFileAtomically(copy, bytes));
    return copy;
  }
  static void Settle() {
    for (int i = 0; i < 3; ++i) QApplication::processEvents();
  }
  static void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QWidget* target = QApplication::focusWidget();
    ASSERT_NE(nullptr, target) << "no widget has the keyboard focus";
    QTest::keyClick(target, static_cast<Qt::Key>(key), modifiers);
  }
};

// ---- keys ------------------------------------------------------------------------------

TEST_F(Window, KeysReachTheDiagramAsSoonAsItIsOpenAndAfterANewClassFromTheMenu) {
  TFChild* c = Open(Example());
  ASSERT_NE(nullptr, c);
  Settle();
  EXPECT_TRUE(form->isActiveWindow());
  EXPECT_EQ(static_cast<QWidget*>(c->ImClassDiagramm), QApplication::focusWidget());
  TUMLDrawClass* box = c->Doc().CurrentBox;
  ASSERT_NE(nullptr, box);
  const int left = box->Left, top = box->Top;
  Key(Qt::Key_Right);
  Key(Qt::Key_Down);
  EXPECT_EQ((TPoint{left + 1, top + 1}), (TPoint{box->Left, box->Top}));
  // Entf is the shortcut of "Klasse Löschen": it asks about the current class.
  const size_t asked = dialogs.messages.shown.size();
  dialogs.messages.answers = {MsgResult::No};
  Key(Qt::Key_Delete);
  ASSERT_EQ(asked + 1, dialogs.messages.shown.size());
  EXPECT_NE(std::string::npos, LastMessage().find(box->UMLClass->Name)) << LastMessage();

  // The focus somewhere else in the frame, as after a click on the tool bar.
  form->MdiArea->setFocus();
  const int boxes = c->Doc().DrawClasses.Count();
  dialogs.inputs = {std::string("TAnhaenger")};
  Trigger(c, "newClass");
  Settle();
  ASSERT_EQ(boxes + 1, c->Doc().DrawClasses.Count());
  EXPECT_EQ(static_cast<QWidget*>(c->ImClassDiagramm), QApplication::focusWidget());
  TUMLDrawClass* added = c->Doc().DrawClasses.Items.back();
  const int addedLeft = added->Left;
  Key(Qt::Key_Right);
  EXPECT_EQ(addedLeft + 1, added->Left);
}

// ---- access keys -----------------------------------------------------------------------

// Every visible entry has an access key, and no two visible entries share one.
::testing::AssertionResult EveryEntryHasItsOwnKey(const QList<QAction*>& entries,
                                                  const std::string& where) {
  QSet<QChar> keys;
  for (QAction* a : entries) {
    if (a->isSeparator() || !a->isVisible()) continue;
    const QChar key = AccessKeyOf(a->text());
    if (key.isNull())
      return ::testing::AssertionFailure() << where << ": no key in " << a->text().toStdString();
    if (keys.contains(key))
      return ::testing::AssertionFailure() << where << ": key of " << a->text().toStdString()
                                           << " used twice";
    keys.insert(key);
  }
  return ::testing::AssertionSuccess();
}

::testing::AssertionResult EveryMenuHasItsKeys(QMenuBar* bar) {
  if (auto r = EveryEntryHasItsOwnKey(bar->actions(), "menu bar"); !r) return r;
  for (QAction* a : bar->actions()) {
    if (!a->menu() || !a->isVisible()) continue;
    emit a->menu()->aboutToShow();
    if (auto r = EveryEntryHasItsOwnKey(a->menu()->actions(), PlainCaption(a->text()).toStdString());
        !r)
      return r;
  }
  return ::testing::AssertionSuccess();
}

// The captions themselves, access keys included, are in the menu record.
TEST_F(Window, EveryMenuAndItemHasItsOwnAccessKey) {
  EXPECT_TRUE(EveryMenuHasItsKeys(form->menuBar()));
  TFChild* c = Open(Example());
  ASSERT_NE(nullptr, c);
  Settle();
  EXPECT_TRUE(EveryMenuHasItsKeys(form->menuBar()));
  // After the language switch the items shown instead still have keys of their own.
  c->IstJavaVersionClick();
  EXPECT_TRUE(EveryEntryHasItsOwnKey(c->Klasse1->actions(), "Klasse (Java)"));

  // Alt with the key opens the menu.
  QTest::keyClick(form->menuBar(), 'k', Qt::AltModifier);
  Settle();
  EXPECT_TRUE(c->Klasse1->isVisible());
  c->Klasse1->close();

  ASSERT_FALSE(c->SubDiagramWindows().empty());
  form->ActivateChild(c->SubDiagramWindows()[0]);
  Settle();
  EXPECT_TRUE(EveryMenuHasItsKeys(form->menuBar()));
}

// ---- the surface -----------------------------------------------------------------------

TEST_F(Window, TheWholeWindowIsDrawingSurfaceAndPicturesStayTheDiagram) {
  TFChild* c = NewDiagram();
  TUMLDrawClass* box = AddClass(c, "TAuto");
  c->Redraw();
  c->Doc().Saved = true;
  c->resize(1000, 700);
  Settle();
  const QSize view = c->ScrollBox1->viewport()->size();
  ASSERT_GT(view.width(), 700);
  EXPECT_GE(c->ImClassDiagramm->width(), view.width());
  EXPECT_GE(c->ImClassDiagramm->height(), view.height());
  EXPECT_GE(c->ImClassDiagramm->Picture().width(), view.width()) << "drawn on, not only grey";
  EXPECT_TRUE(c->Doc().Saved) << "a larger window changes nothing in the diagram";
  // A box dragged beyond the diagram's 505 pixels follows the mouse all the way.
  const TPoint grab = Inside(box);
  Drag(c, grab, {grab.X + 600, grab.Y});
  EXPECT_EQ(51 + 600, box->Left);
  // The picture is the diagram (grown by its rule), not the window.
  const QImage picture = c->Pictures().Picture();
  EXPECT_EQ((QSize{c->Doc().Surface.Width, c->Doc().Surface.Height}), picture.size());
  EXPECT_EQ(box->Right + 50, picture.width());
}

// ---- placement -------------------------------------------------------------------------

TEST_F(Window, NewNotesAndPastedBoxesDoNotHideWhatIsThere) {
  TFChild* c = NewDiagram();
  TUMLDrawClass* box = AddClass(c, "TAuto");
  c->Redraw();
  Ok<TInfoBoxForm>([](TInfoBoxForm& f) { f.Lines = {"Eine Notiz"}; });
  Trigger(c, "InfoBoxEinfuegen");
  ASSERT_EQ(1, c->Doc().InfoBoxes.Count());
  TInfoBox* note = c->Doc().InfoBoxes.Items[0];
  EXPECT_TRUE(note->Top - 3 >= box->Bottom || note->Left - 3 >= box->Right)
      << note->Left << "," << note->Top;
  EXPECT_EQ(note->Left, note->Top) << "moved on diagonally from (50, 50)";

  // A copy lands beside its original, not on it.
  form->CopyItemClick();
  form->PasteItemClick();
  ASSERT_EQ(2, c->Doc().DrawClasses.Count());
  TUMLDrawClass* copy = c->Doc().DrawClasses.At(1);
  EXPECT_TRUE(copy->Left >= box->Right || copy->Top >= box->Bottom);
  EXPECT_EQ(copy->Left - box->Left - 3, copy->Top - box->Top - 4);
}

// ---- fonts -----------------------------------------------------------------------------

TEST_F(Window, NotesAskForTheirFontWithoutEffects) {
  TFChild* c = NewDiagram();
  TInfoBox* note = c->Doc().AddInfoBox(50, 50);
  note->AddLine("Notiz");
  c->DraggedBox = note;
  const TColor colour = note->FontDialog->Color;
  TFontSpec red;
  red.Name = "Arial";
  red.Color = RGB(255, 0, 0);
  red.Underline = true;
  dialogs.fonts = {red};
  c->Elements().InfoBoxSchrifttypAendernClick();
  EXPECT_EQ(1, dialogs.CountAsked("font without effects"));
  EXPECT_EQ("Arial", note->FontDialog->Name);
  EXPECT_EQ(colour, note->FontDialog->Color);
  EXPECT_FALSE(note->FontDialog->Underline);
}

// ---- windows, status and inspector ---------------------------------------------------

TEST_F(Window, DiagramWindowsOpenInsideTheVisibleArea) {
  TFChild* c = Open(Example());
  ASSERT_NE(nullptr, c);
  Settle();
  const QRect area = form->MdiArea->viewport()->rect();
  ASSERT_GT(area.width(), 100);
  for (TFChild* w : form->Children())
    EXPECT_TRUE(area.contains(w->geometry())) << w->windowTitle().toStdString();
}

TEST_F(Window, TheInspectorShowsItsDisabledButtonsAsDisabled) {
  NewDiagram();
  auto* inspector = dynamic_cast<TFClassInspector*>(form->ClassInspector());
  ASSERT_NE(nullptr, inspector);
  form->ShowClassInInspector(nullptr);
  EXPECT_FALSE(inspector->BtDoku->isEnabled());
  // Its disabled look is the one of the other disabled buttons.
  EXPECT_EQ(inspector->BtDoku->palette().color(QPalette::Disabled, QPalette::ButtonText),
            inspector->BtNewMethod->palette().color(QPalette::Disabled, QPalette::ButtonText));
  TUMLClass cls("TAuto");
  form->ShowClassInInspector(&cls);
  EXPECT_TRUE(inspector->BtDoku->isEnabled());
  EXPECT_EQ(QColor(Qt::black), inspector->BtDoku->palette().color(QPalette::Active,
                                                                    QPalette::ButtonText));
  form->ShowClassInInspector(nullptr);
}

TEST_F(Window, AToolButtonsHintGoesWithTheMouse) {
  QWidget* button = form->ToolBar2->widgetForAction(form->Item("FileNewItem"));
  ASSERT_NE(nullptr, button);
  form->statusBar()->showMessage("Neue Datei erstellen");
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(button, &leave);
  EXPECT_TRUE(form->statusBar()->currentMessage().isEmpty());
}

}  // namespace
}  // namespace zedro
