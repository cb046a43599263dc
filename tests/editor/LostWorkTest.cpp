// No lost work in the editor: the watch asks only about files that changed, a damaged
// diagram never saves over its file unasked, an export never puts two classes into one
// file, and changed diagrams are autosaved and offered again after a crash.
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>

#include "EditorFixture.h"
#include "editor/Autosave.h"
#include "editor/UndoHistory.h"
#include "persistence/Files.h"

namespace zedro {
namespace {

using namespace editortest;

const char* const kRadUnit =
    "unit mTRad;\n\ninterface\n\ntype\n  TRad = class\n  private\n    Groesse : Integer;\n"
    "  end;\n\nimplementation\n\nend.\n";

class LostWork : public EditorTest {
 protected:
  std::string Folder(const std::string& name) {
    QDir(dir.path()).mkpath(QString::fromStdString(name));
    return Path(name) + "/";
  }
  void CloseWindow(TFChild* w) {
    w->ClosingAll = true;
    w->close();
    QApplication::processEvents();
  }
};

// ---- 1. no false "file changed" question ------------------------------------------------

TEST_F(LostWork, ReopeningAfterAnImportFromAnotherFolderAsksNothing) {
  const std::string a = Folder("Projekt"), b = Folder("Anderswo");
  TFChild* w = NewDiagram();
  w->Timer1->stop();
  TUMLDrawClass* autoBox = AddClass(w, "TAuto");
  dialogs.saveFiles = {a + "Autos.urd", a + "mTAuto.pas"};
  form->FileSaveClick();
  w->RoundTrip().ExportAllClick();
  ASSERT_TRUE(FileExists(a + "mTAuto.pas"));
  // The import moves the project directory; the unit of TAuto stays where it is, and the
  // watch keeps finding it there: no question now, one after a real change.
  WriteText(b + "mTRad.pas", kRadUnit);
  dialogs.openFiles = {b + "mTRad.pas"};
  w->RoundTrip().ImportPascalSourceClick();
  ASSERT_EQ(w->Doc().ProjectDir, b);
  dialogs.messages.shown.clear();
  w->Timer1Timer();
  EXPECT_EQ(dialogs.messages.shown.size(), 0u);
  EXPECT_EQ(SourceFilePath(*autoBox), a + "mTAuto.pas");
  Touch(a + "mTAuto.pas", 10);
  w->Timer1Timer();
  EXPECT_EQ(
      CountContaining(W("'mTAuto.pas'  zur Klasse   'TAuto'   wurde zwischenzeitlich geändert!")),
      1);
  // An unknown age is no change: it is taken from the file without a question.
  dialogs.messages.shown.clear();
  autoBox->SourceFileAge = -1;
  w->Timer1Timer();
  EXPECT_EQ(dialogs.messages.shown.size(), 0u);
  EXPECT_EQ(autoBox->SourceFileAge, FileAge(a + "mTAuto.pas"));

  // Saved and opened again: every box has the true age of its unit, nothing is asked.
  form->FileSaveClick();
  CloseWindow(w);
  TFChild* again = Open(a + "Autos.urd");
  ASSERT_NE(again, nullptr);
  again->Timer1->stop();
  ASSERT_EQ(again->Doc().DrawClasses.Count(), 2);
  EXPECT_EQ(again->Doc().DrawClasses.At(0)->SourceFileAge, FileAge(a + "mTAuto.pas"));
  EXPECT_EQ(again->Doc().DrawClasses.At(1)->SourceFileAge, FileAge(b + "mTRad.pas"));
  dialogs.messages.shown.clear();
  again->Timer1Timer();
  EXPECT_EQ(dialogs.messages.shown.size(), 0u);
}

// ---- 2. a damaged diagram is never saved over unasked -----------------------------------

std::string DiagramBytes(int language, int classes) {
  DiagramDocument doc;
  doc.Language = language;
  for (int i = 0; i < classes; ++i)
    doc.AddClassBox(std::make_unique<TUMLClass>("TKlasse" + std::to_string(i)), 50 + 150 * i, 50);
  return DiagramToBytes(doc);
}

TEST_F(LostWork, ADamagedDiagramAsksForANewFileAndLeavesTheOriginal) {
  const std::string path = Path("Kaputt.urd");
  const std::string whole = DiagramBytes(1, 3);
  WriteText(path, whole.substr(0, whole.size() * 3 / 4));
  const std::string damaged = ReadText(path);

  TFChild* w = Open(path);
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(S(w->windowTitle()), "Kaputt.urd");
  EXPECT_GT(w->Doc().DrawClasses.Count(), 0);
  EXPECT_EQ(CountContaining("Die Datei '" + path +
                            W("' ist beschädigt oder unvollständig (Stream-Lesefehler).")),
            1);

  // Ctrl+S asks for a file name, proposing another one; cancelled, nothing is written.
  const size_t asked = dialogs.fileRequests.size();
  form->FileSaveClick();
  ASSERT_EQ(dialogs.fileRequests.size(), asked + 1);
  EXPECT_EQ(dialogs.fileRequests.back().fileName, "Kaputt_gerettet.urd");
  EXPECT_EQ(ReadText(path), damaged);
  // Choosing the damaged file itself asks once more; No keeps it.
  dialogs.saveFiles = {path};
  dialogs.messages.answers = {MsgResult::No};
  form->FileSaveClick();
  EXPECT_EQ(CountContaining(W("' ist beschädigt und wurde nur teilweise gelesen.")), 1);
  EXPECT_EQ(ReadText(path), damaged);
  // Closing the changed window asks to save, and Yes asks for a name as well.
  w->Redraw();
  dialogs.messages.answers = {MsgResult::Yes};
  dialogs.saveFiles = {Path("Kaputt_gerettet.urd")};
  EXPECT_TRUE(w->AskClose());
  EXPECT_EQ(ReadText(path), damaged);
  EXPECT_TRUE(FileExists(Path("Kaputt_gerettet.urd")));
  EXPECT_TRUE(w->Doc().HasFileName);
}

TEST_F(LostWork, FailedOpensLeaveNoWindowAndKeepTheLanguage) {
  // A Java diagram that breaks off right after its language: nothing can be shown.
  const std::string path = Path("Leer.urd");
  WriteText(path, DiagramBytes(2, 1).substr(0, 6));
  for (int i = 0; i < 3; ++i) Open(path);
  EXPECT_TRUE(form->Children().empty());
  EXPECT_EQ(form->LanguageOfMainWindow, 1);
  EXPECT_EQ(CountContaining("Sprache gewechselt"), 0);
  EXPECT_EQ(CountContaining("Die Datei '" + path +
                            W("' ist beschädigt (Stream-Lesefehler) und "
                              "enthält nichts, was sich lesen ließ.")),
            3);
}

// ---- 3. the export of all classes never writes two classes into one file ----------------

TEST_F(LostWork, ExportOfAllClassesAsksBeforeTwoClassesShareAFile) {
  TFChild* w = NewDiagram();
  w->Timer1->stop();
  w->Doc().ProjectDir = Folder("P");
  const std::string unit = w->Doc().ProjectDir + "mFahrzeuge.pas";
  AddClass(w, "TFahrzeug")->SourceFileName = "mFahrzeuge.pas";
  TUMLDrawClass* autoBox = AddClass(w, "TAuto");
  autoBox->SourceFileName = "mFahrzeuge.pas";
  WriteText(unit, "handgeschrieben");

  dialogs.messages.answers = {MsgResult::No};
  w->RoundTrip().ExportAllClick();
  EXPECT_EQ(CountContaining("Die Klassen 'TFahrzeug' und 'TAuto' sollen beide in die Datei '" +
                            unit + "' exportiert werden."),
            1);
  EXPECT_NE(ReadText(unit).find("TFahrzeug = class"), std::string::npos);
  EXPECT_EQ(ReadText(unit).find("TAuto"), std::string::npos);
  EXPECT_EQ(LastMessage(),
            W("Nicht alle Klassen des Hauptdiagramms sind exportiert worden: 1 Klasse fehlt."));

  // Yes: the second class gets a file of its own.
  dialogs.messages.answers = {MsgResult::Yes};
  dialogs.saveFiles = {w->Doc().ProjectDir + "mTAuto.pas"};
  w->RoundTrip().ExportAllClick();
  EXPECT_NE(ReadText(w->Doc().ProjectDir + "mTAuto.pas").find("TAuto = class"), std::string::npos);
  EXPECT_EQ(ReadText(unit).find("TAuto"), std::string::npos);
  EXPECT_EQ(autoBox->SourceFileName, "mTAuto.pas");
  EXPECT_EQ(LastMessage(),
            W("Alle Klassen des Hauptdiagramms sind ohne Rückfrage exportiert worden!"));
}

// ---- 5. autosave and recovery -----------------------------------------------------------

// A process number that belonged to a process which has ended.
long DeadProcess() {
  const pid_t child = ::fork();
  if (child == 0) ::_exit(0);
  ::waitpid(child, nullptr, 0);
  return static_cast<long>(child);
}

// The autosave as a program left it that was killed.
void LeftByACrash(RecoveryStore& store, const std::string& id) {
  const std::string info = store.Folder() + id + ".info";
  std::string t = ReadText(info);
  const std::string own = "process=" + std::to_string(::getpid()) + "\n";
  const size_t at = t.find(own);
  ASSERT_NE(at, std::string::npos);
  WriteText(info, t.replace(at, own.size(), "process=" + std::to_string(DeadProcess()) + "\n"));
}

TEST_F(LostWork, RecoveryOffersOnlyAutosavesOfEndedProgramsThatAreNewerThanTheirFiles) {
  RecoveryStore store(Folder("Sicherungen"));
  auto write = [&](const std::string& id, const std::string& original) {
    RecoveryEntry e;
    e.id = id;
    e.originalFile = original;
    e.title = FileNamePart(original.empty() ? "NONAME1" : original);
    EXPECT_TRUE(store.Write(e, "diagramm"));
  };
  WriteText(Path("Alt.urd"), "alt");
  Touch(Path("Alt.urd"), -100);
  WriteText(Path("Neu.urd"), "neu");
  write("1-1", Path("Alt.urd"));    // newer than its file: offered
  write("1-2", Path("Neu.urd"));    // the file was saved later: out of date
  write("1-3", "");                 // never saved: offered
  write("1-4", Path("Fehlt.urd"));  // its file is gone: offered
  write("1-5", Path("Alt.urd"));    // of a program that still runs: left alone
  Touch(Path("Neu.urd"), 100);
  for (const char* id : {"1-1", "1-2", "1-3", "1-4"}) LeftByACrash(store, id);
  std::vector<std::string> offered;
  for (const RecoveryEntry& e : store.Offers([](long) { return false; })) offered.push_back(e.id);
  EXPECT_EQ(offered, (std::vector<std::string>{"1-1", "1-3", "1-4"}));
  EXPECT_EQ(store.List().size(), 4u);  // the out-of-date one is gone
  EXPECT_FALSE(FileExists(store.Folder() + "1-2.urd"));
}

TEST_F(LostWork, ChangedDiagramsAreAutosavedUntilTheyAreSavedOrClosed) {
  TAutosave& autosave = form->Autosave();
  TFChild* w = NewDiagram();
  w->Timer1->stop();
  EXPECT_FALSE(autosave.SaveNow(*w));  // unchanged: nothing to keep
  AddClass(w, "TAuto");
  w->Redraw();
  ASSERT_TRUE(autosave.SaveNow(*w));
  const std::string copy = autosave.Store().Folder() + autosave.IdOf(*w) + ".urd";
  EXPECT_TRUE(FileExists(copy));
  // A change in a sub-diagram counts for the family.
  dialogs.inputs = {std::string("Teil")};
  w->SubDiagrams().erzeugeUnterdiagrammClick();
  autosave.SaveAllChanged();
  ASSERT_EQ(w->SubDiagramWindows().size(), 1u);
  EXPECT_NE(ReadText(copy).find("Teil"), std::string::npos);

  // Saving makes it obsolete; an import of a changed diagram keeps it first.
  form->ActivateChild(w);
  dialogs.saveFiles = {Path("Autos.urd")};
  form->FileSaveClick();
  EXPECT_FALSE(FileExists(copy));
  w->Redraw();
  WriteText(Path("mTRad.pas"), kRadUnit);
  dialogs.openFiles = {Path("mTRad.pas")};
  w->RoundTrip().ImportPascalSourceClick();
  EXPECT_TRUE(FileExists(copy));
  EXPECT_EQ(ReadText(copy).find("TRad"), std::string::npos);  // the diagram before the import
  // An orderly close removes it.
  CloseWindow(w);
  EXPECT_FALSE(FileExists(copy));
  EXPECT_TRUE(autosave.Store().List().empty());
}

TEST_F(LostWork, AfterACrashTheNextStartOffersWiederherstellen) {
  TAutosave& autosave = form->Autosave();
  // The diagram on disk, then changed in a window whose program is killed.
  WriteText(Path("Autos.urd"), DiagramBytes(1, 1));
  Touch(Path("Autos.urd"), -100);
  TFChild* w = Open(Path("Autos.urd"));
  ASSERT_NE(w, nullptr);
  w->Timer1->stop();
  AddClass(w, "TNeu", 300, 200);
  w->Redraw();
  ASSERT_TRUE(autosave.SaveNow(*w));
  const std::string id = autosave.IdOf(*w);
  LeftByACrash(autosave.Store(), id);
  const std::string info = ReadText(autosave.Store().Folder() + id + ".info");
  const std::string diagram = ReadText(autosave.Store().Folder() + id + ".urd");
  // The window closes in order (which removes its autosave); the files are put back as
  // the killed program would have left them.
  CloseWindow(w);
  EXPECT_FALSE(FileExists(autosave.Store().Folder() + id + ".urd"));
  WriteText(autosave.Store().Folder() + id + ".urd", diagram);
  WriteText(autosave.Store().Folder() + id + ".info", info);

  // Abbrechen keeps it for the next start.
  dialogs.messages.shown.clear();
  dialogs.messages.answers = {MsgResult::Cancel};
  EXPECT_EQ(autosave.OfferRecovery(), 0);
  ASSERT_EQ(dialogs.messages.shown.size(), 1u);
  const std::string offer = dialogs.messages.shown[0].text;
  EXPECT_NE(offer.find("Vom Diagramm 'Autos.urd' (" + Path("Autos.urd") + ")"), std::string::npos);
  EXPECT_NE(offer.find("Wiederherstellen?"), std::string::npos);
  EXPECT_TRUE(form->Children().empty());

  // Ja restores the change into a window for the diagram's own file.
  dialogs.messages.answers = {MsgResult::Yes};
  EXPECT_EQ(autosave.OfferRecovery(), 1);
  ASSERT_EQ(form->Children().size(), 1u);
  TFChild* restored = form->Children()[0];
  restored->Timer1->stop();
  EXPECT_EQ(restored->Doc().ProjectDir, DirectoryPart(Path("Autos.urd")));
  EXPECT_FALSE(restored->Doc().Saved);
  EXPECT_EQ(S(restored->windowTitle()), "Autos.urd");
  // The autosave now belongs to the new window; the crashed one's is gone.
  EXPECT_FALSE(FileExists(autosave.Store().Folder() + id + ".urd"));
  EXPECT_FALSE(autosave.IdOf(*restored).empty());
  // Undo goes back as far as the recovered state, which still differs from the file.
  UndoHistory* history = UndoHistory::Of(*restored);
  ASSERT_NE(history, nullptr);
  EXPECT_FALSE(history->CanUndo());
  restored->FormKeyDown(Qt::Key_Right);
  QApplication::processEvents();
  history->Flush();
  ASSERT_TRUE(history->CanUndo());
  history->Undo();
  EXPECT_FALSE(restored->Doc().Saved);
  EXPECT_EQ(restored->Doc().ProjectDir, DirectoryPart(Path("Autos.urd")));
  // Ctrl+S writes the diagram's own file with the change.
  form->FileSaveClick();
  DiagramDocument saved;
  ScriptedMessages m;
  ASSERT_TRUE(LoadDiagramFile(saved, Path("Autos.urd"), m).completed);
  EXPECT_EQ(saved.DrawClasses.Count(), 2);
  EXPECT_TRUE(autosave.Store().List().empty());
}

}  // namespace
}  // namespace zedro
