// The frame and its diagram windows, offscreen, with the scripted dialog service.
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QMenuBar>
#include <QPointer>
#include <QProcess>

#include "EditorFixture.h"
#include "persistence/Files.h"

namespace zedro {
namespace {

using namespace editortest;

class Editor : public EditorTest {
 protected:
  // A main diagram with two classes and the given number of sub-diagrams, each showing
  // the first class.
  std::string WriteDiagram(const std::string& name, int subDiagrams, int language = 1) {
    DiagramDocument doc;
    doc.Language = language;
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
  std::string Bytes(const std::string& path) {
    std::string bytes;
    EXPECT_TRUE(ReadFileBytes(path, bytes)) << path;
    return bytes;
  }
};

TEST_F(Editor, NewDiagramsAreNumberedByAllOpenWindows) {
  EXPECT_EQ(form->windowTitle().toStdString(), kInitialCaption);
  // The dateien commands do nothing without a diagram.
  form->FileSaveClick();
  form->FileSaveAsClick();
  form->SavePictureItemClick();
  form->PictureToClipboardItemClick();
  form->PrintPictureItemClick();
  form->FileClose1Click();
  form->DeleteItemClick();
  EXPECT_TRUE(dialogs.asked.empty());
  EXPECT_FALSE(form->Item("FileCloseItem")->isEnabled());

  form->FileNew1Execute();
  TFChild* c = NewDiagram();
  EXPECT_EQ(c->Doc().FileName, "NONAME2");
  EXPECT_EQ(c->windowTitle().toStdString(), "NONAME2");
  EXPECT_FALSE(c->Doc().HasFileName);
  EXPECT_TRUE(c->Doc().Saved);
  EXPECT_TRUE(form->Item("SavePictureItem")->isEnabled());
  EXPECT_EQ(form->windowTitle().toStdString(), "Zedro 184 - Delphi Version");
  // Sub-diagram windows count too.
  ASSERT_NE(Open(WriteDiagram("Bank.urd", 1)), nullptr);
  EXPECT_EQ(NewDiagram()->Doc().FileName, "NONAME5");
}

TEST_F(Editor, StartArgumentMustEndInLowerCaseUrd) {
  std::string path = WriteDiagram("Start.urd", 0);
  std::string upper = Path("START.URD");
  ASSERT_TRUE(QFile::copy(QString::fromStdString(text::ToUtf8(path)),
                          QString::fromStdString(text::ToUtf8(upper))));
  {
    TMainForm f(dialogs, {upper});
    EXPECT_FALSE(f.OpenStartFile);
    f.FormActivate();
    EXPECT_TRUE(f.Children().empty());
  }
  TMainForm f(dialogs, {path});
  f.FormActivate();
  f.FormActivate();  // becoming active again does not open it again
  ASSERT_EQ(f.Children().size(), 1u);
  TFChild* c = f.Children()[0];
  EXPECT_EQ(c->Doc().ProjectDir, DirectoryPart(path));
  EXPECT_TRUE(c->Doc().HasFileName && c->Doc().Saved);
  EXPECT_EQ(c->windowTitle().toStdString(), "Start.urd");
}

TEST_F(Editor, OpenChangeSaveReopen) {
  std::string path = WriteDiagram("Bank.urd", 1);
  TFChild* c = Open(path);
  ASSERT_NE(c, nullptr);
  EXPECT_TRUE(c->Doc().Saved) << "opening does not count as a change";
  EXPECT_EQ(c->Doc().ProjectDir, DirectoryPart(path));
  EXPECT_EQ(c->Doc().CurrentClass->Name, "TBank");
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
  EXPECT_EQ(c->Doc().CurrentBox->Left, left + 1);
  ASSERT_EQ(c->SubDiagramWindows().size(), 1u);
  EXPECT_EQ(c->SubDiagramWindows()[0]->Doc().DrawClasses.Count(), 1);
}

TEST_F(Editor, SaveAsAsksBeforeReplacingAndTakesTheDirectory) {
  TFChild* c = NewDiagram();
  std::string existing = WriteDiagram("Alt.urd", 0);
  const std::string before = Bytes(existing);
  dialogs.saveFiles = {existing};
  dialogs.messages.answers = {MsgResult::No};
  form->FileSaveAsClick();
  EXPECT_TRUE(dialogs.messages.Contains("Die Datei '" + existing +
                                        "' existiert schon !   ...    Soll sie ersetzt werden ?"));
  EXPECT_FALSE(c->Doc().HasFileName);
  EXPECT_EQ(Bytes(existing), before);

  dialogs.saveFiles = {Path("Neu")};  // the default extension is added
  form->FileSaveAsClick();
  EXPECT_TRUE(FileExists(Path("Neu.urd")));
  EXPECT_TRUE(c->Doc().HasFileName && c->Doc().Saved);
  EXPECT_EQ(c->Doc().ProjectDir, DirectoryPart(Path("Neu.urd")));
  EXPECT_EQ(c->windowTitle().toStdString(), "Neu.urd");
  EXPECT_TRUE(
      dialogs.messages.Contains(W("Zedro hat sich ein Verzeichnis für das Projekt gemerkt.")));
  EXPECT_EQ(dialogs.fileRequests.back().filter, "Beziehungsdiagramme|*.urd|Alle Dateien|*.*");
}

TEST_F(Editor, ClosingAMainDiagramAsksForItAndItsSubDiagrams) {
  TFChild* c = Open(WriteDiagram("Bank.urd", 2));
  ASSERT_EQ(Count(), 3);
  // Only a sub-diagram changed: the main diagram counts as changed.
  c->SubDiagramWindows()[1]->Redraw(true);
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
  NewDiagram()->Redraw(true);
  NewDiagram()->Redraw(true);
  // NONAME2 is asked first and cancels; NONAME1 is still asked and closes unsaved.
  dialogs.messages.answers = {MsgResult::Cancel, MsgResult::No};
  EXPECT_FALSE(form->close());
  Flush();
  EXPECT_EQ(dialogs.messages.Texts(),
            (Names{W("Diagramm 'NONAME2' in diesem geänderten Zustand speichern?"),
                   W("Diagramm 'NONAME1' in diesem geänderten Zustand speichern?")}));
  ASSERT_EQ(Count(), 1);
  EXPECT_EQ(form->Children()[0]->Doc().FileName, "NONAME2");

  // Yes, save; the save dialog is then cancelled: nothing was saved, nothing is closed.
  dialogs.messages.answers = {MsgResult::Yes};
  EXPECT_FALSE(form->Children()[0]->close());
  Flush();
  EXPECT_EQ(Count(), 1);
  EXPECT_EQ(dialogs.CountAsked("save"), 1);
}

TEST_F(Editor, SubDiagramWindowsCloseAndSaveThroughTheirMainDiagram) {
  std::string path = WriteDiagram("Bank.urd", 1);
  TFChild* c = Open(path);
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
  // Permitted by the main diagram, it asks once more.
  sub->CloseAllowed = true;
  dialogs.messages.answers = {MsgResult::Yes};
  EXPECT_TRUE(sub->AskClose());
  EXPECT_EQ(LastMessage(), "Diagramm 'Teil 1' wirklich schliessen?");
  sub->CloseAllowed = false;

  // Saving from it saves the main diagram.
  sub->Redraw(true);
  form->ActivateChild(sub);
  dialogs.messages.shown.clear();
  dialogs.messages.answers = {MsgResult::Yes};
  form->FileSaveClick();
  EXPECT_EQ(dialogs.messages.shown[0].text,
            "         Speichern aus einem Unterdiagramm heraus!\n\n"
            "Soll das Hauptdiagramm mit allen Unterdiagrammen gespeichert werden ?");
  EXPECT_TRUE(dialogs.messages.Contains("Speichere Diagramm unter: " + path));
  EXPECT_TRUE(sub->Doc().Saved);

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
  EXPECT_EQ(form->LanguageOfMainWindow, 2);
  EXPECT_EQ(ActiveNotation::Get(), 2);
  EXPECT_EQ(form->windowTitle().toStdString(), "Zedro 184 - Java Version");
  ASSERT_EQ(dialogs.messages.shown.size(), 1u);
  EXPECT_EQ(dialogs.messages.shown[0].text,
            "Diagramm: NONAME1\n\n                  Sprache gewechselt !\n\n"
            "Zedro arbeitet bei diesem Diagramm nun auf der Basis von JAVA");
  EXPECT_EQ(dialogs.messages.shown[0].buttons, MsgButtons::Yes);
  EXPECT_TRUE(TFChild::ItemAt(first->Klasse1, 7)->isVisible());  // the Java import

  form->ActivateChild(second);
  EXPECT_EQ(second->Language(), 2);
  EXPECT_TRUE(second->IstJavaVersion->isChecked());
  EXPECT_EQ(dialogs.messages.shown.size(), 1u) << "no message for the window taking over";
  EXPECT_TRUE(second->Doc().Saved) << "becoming active does not mark the diagram changed";
  second->DelphiVersionClick();
  EXPECT_EQ(ActiveNotation::Get(), 1);

  // A file in the other language switches with a message.
  TFChild* java = Open(WriteDiagram("Java.urd", 0, 2));
  EXPECT_EQ(form->LanguageOfMainWindow, 2);
  EXPECT_TRUE(java->IstJavaVersion->isChecked());
  EXPECT_TRUE(java->Doc().Saved);
  EXPECT_EQ(LastMessage().rfind("Diagramm: Java.urd\n\n", 0), 0u);
}

TEST_F(Editor, SubDiagramMenusHideTheImportsAndTheFrameShowsTheActiveWindowsMenus) {
  TFChild* c = Open(WriteDiagram("Bank.urd", 1));
  TFChild* sub = c->SubDiagramWindows()[0];
  form->ActivateChild(sub);
  EXPECT_EQ(sub->Klasse1->title().toStdString(), "Objekt/Klasse");
  EXPECT_FALSE(sub->Unterdiagramm->menuAction()->isVisible());
  sub->IstJavaVersionClick();  // imports stay hidden whatever the language
  for (int i : {4, 5, 7, 8}) EXPECT_FALSE(TFChild::ItemAt(sub->Klasse1, i)->isVisible()) << i;
  EXPECT_EQ(form->menuBar()->actions().at(2), sub->Klasse1->menuAction());
  dialogs.messages.answers = {MsgResult::Yes};
  c->close();
  Flush();
  EXPECT_EQ(form->menuBar()->actions().size(), 4);
}

TEST_F(Editor, ArrowKeysMoveTheSelectionUntilTwoPixelsFromTheEdge) {
  form->FileNew1Execute();
  TFChild* c = form->ActiveChild();
  DiagramDocument& d = c->Doc();
  TUMLDrawClass* a = d.AddClassBox(std::make_unique<TUMLClass>("TA"), 10, 10);
  TUMLDrawClass* b = d.AddClassBox(std::make_unique<TUMLClass>("TB"), 100, 10);
  c->Redraw(true);
  d.Selection.Add(a);
  d.Selection.Add(b);
  d.SelectionRect = {4, 4, 200, d.Surface.Height - 4};
  const int aLeft = a->Left, bTop = b->Top;
  c->FormKeyDown(Qt::Key_Left);
  EXPECT_EQ(a->Left, aLeft - 1);
  EXPECT_EQ(d.SelectionRect.Left, 3);
  c->FormKeyDown(Qt::Key_Left);  // Left would become 2: not more than 2
  EXPECT_EQ(a->Left, aLeft - 1);
  c->FormKeyDown(Qt::Key_Down);
  c->FormKeyDown(Qt::Key_Down);
  EXPECT_EQ(b->Top, bTop + 1);
  EXPECT_EQ(d.SelectionRect.Bottom, d.Surface.Height - 3);

  // Without a selection the current box moves alone.
  d.Selection.Clear();
  d.CurrentBox = b;
  const int bLeft = b->Left;
  c->FormKeyDown(Qt::Key_Right);
  EXPECT_EQ(b->Left, bLeft + 1);
  EXPECT_EQ(a->Left, aLeft - 1);
}

TEST_F(Editor, ThePictureGoesToBmpOrPngFilesTheClipboardAndThePrinter) {
  TFChild* c = Open(WriteDiagram("Bank.urd", 0));
  dialogs.saveFiles = {Path("bild")};
  form->SavePictureItemClick();
  EXPECT_EQ(Bytes(Path("bild.BMP")).substr(0, 2), "BM");
  EXPECT_EQ(QImage(QString::fromStdString(text::ToUtf8(Path("bild.BMP")))).width(),
            c->Doc().Surface.Width);
  dialogs.saveFiles = {Path("bild.png")};
  form->SavePictureItemClick();
  EXPECT_EQ(Bytes(Path("bild.png")).substr(1, 3), "PNG");

  // Declining to replace writes nothing; an unwritable place gives a message.
  ASSERT_TRUE(WriteFileAtomically(Path("alt.bmp"), "alt"));
  dialogs.saveFiles = {Path("alt.bmp")};
  dialogs.messages.answers = {MsgResult::No};
  form->SavePictureItemClick();
  EXPECT_EQ(Bytes(Path("alt.bmp")), "alt");
  EXPECT_EQ(LastMessage(), "Die Datei '" + Path("alt.bmp") +
                               "' existiert schon !   ...    Soll sie ersetzt werden ?");

  form->PictureToClipboardItemClick();
  QImage clip = QGuiApplication::clipboard()->image();
  EXPECT_EQ(clip.size(), QSize(c->Doc().Surface.Width, c->Doc().Surface.Height));

  form->PrintPictureItemClick();  // print dialog cancelled
  EXPECT_TRUE(dialogs.printed.empty());
  dialogs.printAnswers = {true};
  dialogs.printFile = Path("druck.pdf");
  form->PrintPictureItemClick();
  ASSERT_EQ(dialogs.printed.size(), 1u);
  EXPECT_EQ(dialogs.printed[0].title, "Bank.urd");
  EXPECT_EQ(Bytes(Path("druck.pdf")).substr(0, 5), "%PDF-");
}

TEST_F(Editor, ScreenshotShowsTheFrameWithTheInspectorBesideIt) {
  QProcess zedro;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("QT_QPA_PLATFORM", "offscreen");
  zedro.setProcessEnvironment(env);
  const QString out = dir.filePath("bild.png");
  zedro.start(ZEDRO_EXE, {"--screenshot", out, ZEDRO_SOURCE_DIR "/examples/Fahrzeuge.urd"});
  ASSERT_TRUE(zedro.waitForFinished(120000));
  EXPECT_EQ(zedro.exitCode(), 0) << zedro.readAllStandardError().toStdString();
  QImage shot(out);
  // The screenshot screen is 1280 pixels wide: the inspector takes the left 260 of them,
  // the frame the rest; the frame alone would be about 1020 pixels wide.
  EXPECT_GT(shot.width(), 1200);
  EXPECT_GT(shot.height(), 800);
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
