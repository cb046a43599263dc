// The frame and its diagram windows, offscreen, with the scripted dialog service.
#include <QDir>
#include <QFile>
#include <QMenuBar>
#include <QPointer>

#include "EditorFixture.h"
#include "persistence/Files.h"

namespace zedro {
namespace {

using namespace editortest;

class Editor : public EditorTest {
 protected:
  // A main diagram with two classes and the given number of sub-diagrams, each showing
  // the first class.
  std::string WriteDiagram(const std::string& name, int subDiagrams) {
    DiagramDocument doc;
    TUMLDrawClass* konto = doc.AddClassBox(std::make_unique<TUMLClass>("TKonto"), 50, 50);
    doc.AddClassBox(std::make_unique<TUMLClass>("TBank"), 250, 60);
    for (int i = 0; i < subDiagrams; ++i)
      doc.AddSubDiagram("Teil " + text::IntToStr(i + 1))->AddBoxForClass(konto->UMLClass, 60, 70);
    ScriptedMessages m;
    std::string path = Path(name);
    EXPECT_TRUE(WriteDiagramFile(doc, path, m));
    return path;
  }
  void Flush() {
    QApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
  int Count() const { return static_cast<int>(form->Children().size()); }
};

TEST_F(Editor, NewDiagramsAreNumberedByAllOpenWindows) {
  EXPECT_EQ(form->windowTitle().toStdString(), kInitialCaption);
  // The dateien commands do nothing without a diagram.
  form->FileSaveClick();
  form->FileSaveAsClick();
  form->SavePictureItemClick();
  form->PrintPictureItemClick();
  form->FileClose1Click();
  EXPECT_TRUE(dialogs.asked.empty());

  form->FileNew1Execute();
  TFChild* c = NewDiagram();
  EXPECT_EQ(c->windowTitle().toStdString(), "NONAME2");
  EXPECT_TRUE(!c->Doc().HasFileName && c->Doc().Saved);
  // Sub-diagram windows count too.
  ASSERT_NE(Open(WriteDiagram("Bank.urd", 1)), nullptr);
  EXPECT_EQ(NewDiagram()->Doc().FileName, "NONAME5");
}

// The start file is named relative to the working directory, as a file manager does: the
// status line and the project directory name the directory in full.
TEST_F(Editor, StartArgumentMustEndInLowerCaseUrdAndGivesAnAbsoluteProjectDirectory) {
  std::string path = WriteDiagram("Start.urd", 0);
  ASSERT_TRUE(QFile::copy(QString::fromStdString(text::ToUtf8(path)),
                          QString::fromStdString(text::ToUtf8(Path("START.URD")))));
  const QString before = QDir::currentPath();
  ASSERT_TRUE(QDir::setCurrent(dir.path()));
  {
    TMainForm f(dialogs, {"START.URD"});
    EXPECT_FALSE(f.OpenStartFile);
    f.FormActivate();
    EXPECT_TRUE(f.Children().empty());
  }
  TMainForm f(dialogs, {"Start.urd"});
  f.FormActivate();
  f.FormActivate();  // becoming active again does not open it again
  QDir::setCurrent(before);
  ASSERT_EQ(f.Children().size(), 1u);
  TFChild* c = f.Children()[0];
  EXPECT_EQ(c->windowTitle().toStdString(), "Start.urd");
  const std::string expected = text::FromUtf8(QDir(dir.path()).absolutePath().toStdString()) + "/";
  EXPECT_EQ(expected, c->Doc().ProjectDir);
  c->FormResize();
  EXPECT_EQ("Verzeichnis: " + expected, c->StatusText());
  c->ClosingAll = true;
}

TEST_F(Editor, OpenChangeSaveReopen) {
  std::string path = WriteDiagram("Bank.urd", 1);
  TFChild* c = Open(path);
  ASSERT_NE(c, nullptr);
  EXPECT_TRUE(c->Doc().Saved) << "opening does not count as a change";
  ASSERT_NE(nullptr, c->Doc().CurrentBox);
  const int left = c->Doc().CurrentBox->Left;
  c->FormKeyDown(Qt::Key_Right);
  EXPECT_FALSE(c->Doc().Saved);
  form->FileSaveClick();
  EXPECT_TRUE(c->Doc().Saved);
  EXPECT_TRUE(dialogs.messages.Contains("Speichere Diagramm unter: " + path));

  dialogs.messages.answers = {MsgResult::Yes};  // "schliessen ?" of the unchanged diagram
  form->FileClose1Click();
  Flush();
  EXPECT_EQ(Count(), 0);
  c = Open(path);
  ASSERT_NE(c, nullptr);
  ASSERT_NE(nullptr, c->Doc().CurrentBox);
  EXPECT_EQ(c->Doc().CurrentBox->Left, left + 1);
  ASSERT_EQ(c->SubDiagramWindows().size(), 1u);
  EXPECT_EQ(c->SubDiagramWindows()[0]->Doc().DrawClasses.Count(), 1);
}

TEST_F(Editor, SaveAsAsksBeforeReplacingAndTakesTheDirectory) {
  TFChild* c = NewDiagram();
  std::string existing = WriteDiagram("Alt.urd", 0);
  const std::string before = ReadText(existing);
  dialogs.saveFiles = {existing};
  dialogs.messages.answers = {MsgResult::No};
  form->FileSaveAsClick();
  EXPECT_TRUE(dialogs.messages.Contains("Die Datei '" + existing +
                                        "' existiert schon !   ...    Soll sie ersetzt werden ?"));
  EXPECT_FALSE(c->Doc().HasFileName);
  EXPECT_EQ(ReadText(existing), before);

  dialogs.saveFiles = {Path("Neu")};  // the default extension is added
  form->FileSaveAsClick();
  EXPECT_TRUE(FileExists(Path("Neu.urd")));
  EXPECT_EQ(c->Doc().ProjectDir, DirectoryPart(Path("Neu.urd")));
  EXPECT_EQ(c->windowTitle().toStdString(), "Neu.urd");
}

TEST_F(Editor, ClosingAMainDiagramAsksForItAndItsSubDiagrams) {
  TFChild* c = Open(WriteDiagram("Bank.urd", 2));
  ASSERT_EQ(Count(), 3);
  ASSERT_NE(nullptr, c);
  ASSERT_EQ(c->SubDiagramWindows().size(), 2u);
  c->SubDiagramWindows()[1]->Redraw();
  dialogs.messages.answers = {MsgResult::Cancel};
  EXPECT_FALSE(form->close());
  Flush();
  EXPECT_EQ(Count(), 3);
  EXPECT_EQ(dialogs.messages.shown[0].text, W("Diagramm 'Bank.urd'\nund alle Unterdiagramme (2)\n"
                                              "in diesem geänderten Zustand speichern?"));
  EXPECT_EQ(dialogs.messages.shown[0].buttons, MsgButtons::YesNoCancel);

  c->Doc().Saved = true;
  for (TFChild* sub : c->SubDiagramWindows()) sub->Doc().Saved = true;
  dialogs.messages.answers = {MsgResult::Yes};
  EXPECT_TRUE(form->close());
  Flush();
  EXPECT_EQ(Count(), 0);
  EXPECT_EQ(LastMessage(), "Diagramm 'Bank.urd'\nund alle Unterdiagramme (2)\nschliessen ?");
}

TEST_F(Editor, QuittingAsksEveryMainDiagramLastToFirst) {
  NewDiagram()->Redraw();
  NewDiagram()->Redraw();
  // NONAME2 is asked first and cancels; NONAME1 is still asked and closes unsaved.
  dialogs.messages.answers = {MsgResult::Cancel, MsgResult::No};
  EXPECT_FALSE(form->close());
  Flush();
  EXPECT_EQ(dialogs.messages.Texts(),
            (Names{W("Diagramm 'NONAME2' in diesem geänderten Zustand speichern?"),
                   W("Diagramm 'NONAME1' in diesem geänderten Zustand speichern?")}));
  ASSERT_EQ(Count(), 1);
  EXPECT_EQ(form->Children()[0]->Doc().FileName, "NONAME2");
}

TEST_F(Editor, SubDiagramWindowsCloseThroughTheirMainDiagramOnly) {
  TFChild* c = Open(WriteDiagram("Bank.urd", 1));
  ASSERT_NE(nullptr, c);
  ASSERT_EQ(c->SubDiagramWindows().size(), 1u);
  TFChild* sub = c->SubDiagramWindows()[0];
  EXPECT_FALSE(sub->close());
  Flush();
  EXPECT_EQ(Count(), 2);
  ASSERT_EQ(dialogs.messages.shown.size(), 1u);
  EXPECT_EQ(dialogs.messages.shown[0].kind, MsgKind::Warning);
  EXPECT_EQ(dialogs.messages.shown[0].text,
            W("Schliessen Sie dieses Diagramm über den Menüpunkt 'Unterdiagramm'\n"
              "des Hauptdiagramms\n\noder schliessen Sie das Hauptdiagramm mit allen "
              "Unterdiagrammen\ndirekt vom Hauptdiagramm aus!"));
  EXPECT_FALSE(sub->AskClose());
  EXPECT_EQ(LastMessage(), W("Schliessen ist nur über den Menüpunkt 'Unterdiagramm'\n"
                             "des Hauptdiagramms möglich !!"));
  // Closing the main diagram takes the sub-diagram window along.
  dialogs.messages.answers = {MsgResult::Yes};
  EXPECT_TRUE(c->close());
  Flush();
  EXPECT_EQ(Count(), 0);
}

TEST_F(Editor, LanguageSwitchSpreadsToTheNextActivatedWindow) {
  TFChild* first = NewDiagram();
  TFChild* second = NewDiagram();
  form->ActivateChild(first);
  first->IstJavaVersionClick();
  EXPECT_EQ(ActiveNotation::Get(), 2);
  EXPECT_EQ(form->windowTitle().toStdString(), "Zedro 184 - Java Version");
  ASSERT_EQ(dialogs.messages.shown.size(), 1u);
  EXPECT_EQ(dialogs.messages.shown[0].text,
            "Diagramm: NONAME1\n\n                  Sprache gewechselt !\n\n"
            "Zedro arbeitet bei diesem Diagramm nun auf der Basis von JAVA");

  form->ActivateChild(second);
  EXPECT_EQ(second->Language(), 2);
  EXPECT_TRUE(second->IstJavaVersion->isChecked());
  EXPECT_EQ(dialogs.messages.shown.size(), 1u) << "no message for the window taking over";
  EXPECT_TRUE(second->Doc().Saved) << "becoming active does not mark the diagram changed";
}

TEST_F(Editor, SubDiagramMenusHideTheImportsAndTheFrameShowsTheActiveWindowsMenus) {
  TFChild* c = Open(WriteDiagram("Bank.urd", 1));
  ASSERT_NE(nullptr, c);
  ASSERT_EQ(c->SubDiagramWindows().size(), 1u);
  TFChild* sub = c->SubDiagramWindows()[0];
  form->ActivateChild(sub);
  EXPECT_EQ(PlainCaption(sub->Klasse1->title()).toStdString(), "Objekt/Klasse");
  EXPECT_FALSE(sub->Unterdiagramm->menuAction()->isVisible());
  sub->IstJavaVersionClick();  // imports stay hidden whatever the language
  for (int i : {4, 5, 7, 8}) {
    QAction* item = TFChild::ItemAt(sub->Klasse1, i);
    ASSERT_NE(nullptr, item) << i;
    EXPECT_FALSE(item->isVisible()) << i;
  }
  EXPECT_EQ(form->menuBar()->actions().at(2), sub->Klasse1->menuAction());
  dialogs.messages.answers = {MsgResult::Yes};
  c->close();
  Flush();
  EXPECT_EQ(form->menuBar()->actions().size(), 4);
}

TEST_F(Editor, ArrowKeysMoveTheSelectionUntilTwoPixelsFromTheEdge) {
  TFChild* c = NewDiagram();
  DiagramDocument& d = c->Doc();
  TUMLDrawClass* a = d.AddClassBox(std::make_unique<TUMLClass>("TA"), 10, 10);
  TUMLDrawClass* b = d.AddClassBox(std::make_unique<TUMLClass>("TB"), 100, 10);
  c->Redraw();
  d.Selection.Add(a);
  d.Selection.Add(b);
  d.SelectionRect = {4, 4, 200, d.Surface.BitmapHeight() - 4};
  const int aLeft = a->Left, bTop = b->Top;
  c->FormKeyDown(Qt::Key_Left);
  EXPECT_EQ(a->Left, aLeft - 1);
  EXPECT_EQ(d.SelectionRect.Left, 3);
  c->FormKeyDown(Qt::Key_Left);  // Left would become 2: not more than 2
  EXPECT_EQ(a->Left, aLeft - 1);
  c->FormKeyDown(Qt::Key_Down);
  c->FormKeyDown(Qt::Key_Down);
  // The edge is the one of the bitmap, which also fills the window.
  EXPECT_EQ(b->Top, bTop + 1);
  EXPECT_EQ(d.SelectionRect.Bottom, d.Surface.BitmapHeight() - 3);
}

TEST_F(Editor, MissingAndDamagedFilesOpenWithMessagesAndNeverCrash) {
  EXPECT_EQ(Open(Path("fehlt.urd")), nullptr);  // and no empty window
  EXPECT_EQ(Count(), 0);
  ASSERT_EQ(dialogs.messages.shown.size(), 1u);
  EXPECT_EQ(dialogs.messages.shown[0].kind, MsgKind::Error);

  QDir corpus(ZEDRO_SOURCE_DIR "/tests/fuzz_corpus/diagram");
  QStringList files = corpus.entryList({"*.urd"}, QDir::Files, QDir::Name);
  int opened = 0;
  for (int i = 0; i < files.size(); i += 6) {
    std::string path = text::FromUtf8(corpus.filePath(files[i]).toStdString());
    if (TFChild* c = Open(path)) {
      ++opened;
      EXPECT_TRUE(c->Doc().IsMainDiagram);
      EXPECT_EQ(c->windowTitle().toStdString(), text::ToUtf8(FileNamePart(path)));
    }
    // Closing a main diagram deletes its sub-diagram windows at once.
    std::vector<TFChild*> all = form->Children();
    std::vector<QPointer<TFChild>> windows(all.begin(), all.end());
    for (auto& c : windows)
      if (c && c->IsMainDiagram()) {
        c->ClosingAll = true;
        c->close();
      }
    Flush();
    EXPECT_EQ(Count(), 0) << path;
  }
  EXPECT_GT(opened, 0);
}

}  // namespace
}  // namespace zedro
