// The desktop features of the frame: recent files kept between runs, dropped files, the
// folder import command, PlantUML text on the clipboard and the help window.
#include <QClipboard>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QSettings>
#include <QTextBrowser>
#include <QUrl>

#include "EditorFixture.h"
#include "editor/DesktopFeatures.h"
#include "editor/HelpWindow.h"
#include "editor/RecentFiles.h"
#include "persistence/Files.h"

namespace zedro {
namespace {

using namespace editortest;

class Desktop : public EditorTest {
 protected:
  void SetUp() override {
    EditorTest::SetUp();
    features = Install(*form);
  }
  TDesktopFeatures* Install(TMainForm& f) {
    return new TDesktopFeatures(f, std::make_unique<QSettings>(dir.filePath("zedro.conf"),
                                                               QSettings::IniFormat));
  }
  std::string Diagram(const std::string& name, const std::string& className = "TKonto") {
    DiagramDocument doc;
    doc.AddClassBox(std::make_unique<TUMLClass>(className));
    ScriptedMessages m;
    const std::string path = Path(name);
    EXPECT_TRUE(WriteDiagramFile(doc, path, m));
    return path;
  }
  // The captions of the entries of "Zuletzt geöffnet" without "Liste leeren".
  Names RecentEntries(TDesktopFeatures* f) {
    Names entries;
    for (QAction* a : f->RecentMenu()->actions())
      if (!a->isSeparator() && a->objectName() != "ClearRecentFiles") entries.push_back(S(a->text()));
    return entries;
  }
  // Drags the files over the widget and drops them there, as a file manager would.
  bool Drop(QWidget* target, const std::vector<std::string>& paths) {
    QMimeData data;
    QList<QUrl> urls;
    for (const std::string& p : paths) urls.push_back(QUrl::fromLocalFile(Q(p)));
    data.setUrls(urls);
    QDragEnterEvent enter(QPoint(20, 20), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    if (!enter.isAccepted()) return false;
    QDropEvent drop(QPointF(20, 20), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    QApplication::processEvents();  // the drop is handled once it has ended
    return drop.isAccepted();
  }

  TDesktopFeatures* features = nullptr;
};

TEST_F(Desktop, RecentFilesSurviveARestartNewestFirstAndForgetMissingFiles) {
  const std::string a = Diagram("A.urd"), b = Diagram("B.urd");
  EXPECT_EQ((Names{"(keine)"}), RecentEntries(features));
  ASSERT_NE(nullptr, form->OpenDiagramFile(a));
  ASSERT_NE(nullptr, form->OpenDiagramFile(b));
  // Saving under a new name counts as well.
  dialogs.saveFiles.push_back(Path("C.urd"));
  form->FileSaveAsClick();
  const std::string dirText = S(QDir(dir.path()).absolutePath());
  EXPECT_EQ((Names{"&1 C.urd  (" + dirText + ")", "&2 B.urd  (" + dirText + ")",
                   "&3 A.urd  (" + dirText + ")"}),
            RecentEntries(features));
  // A new diagram saved by the question when its window closes.
  TFChild* fresh = NewDiagram();
  AddClass(fresh, "TNeu");
  fresh->Redraw();
  dialogs.messages.answers = {MsgResult::Yes};
  dialogs.saveFiles.push_back(Path("D.urd"));
  fresh->close();
  ASSERT_TRUE(FileExists(Path("D.urd")));
  EXPECT_EQ("&1 D.urd  (" + dirText + ")", RecentEntries(features).front());

  // A new run of the program: the same list (closing the known diagrams did not reorder
  // it); an entry opens its diagram.
  dialogs.form = nullptr;
  form.reset();
  form = std::make_unique<TMainForm>(dialogs);
  dialogs.form = form.get();
  TMainForm& second = *form;
  TDesktopFeatures* again = Install(second);
  EXPECT_EQ((Names{"&1 D.urd  (" + dirText + ")", "&2 C.urd  (" + dirText + ")",
                   "&3 B.urd  (" + dirText + ")", "&4 A.urd  (" + dirText + ")"}),
            RecentEntries(again));
  again->RecentMenu()->actions().at(3)->trigger();  // A.urd
  ASSERT_EQ(1u, second.Children().size());
  EXPECT_EQ("A.urd", S(second.Children()[0]->windowTitle()));
  EXPECT_EQ(dirText + "/", second.Children()[0]->Doc().ProjectDir);
  // Chosen again, the open diagram comes to the front instead of a second copy.
  again->RecentMenu()->actions().at(0)->trigger();  // A.urd is now the newest
  EXPECT_EQ(1u, second.Children().size());

  // A file that is gone: a message, and the entry leaves the list.
  ASSERT_TRUE(QFile::remove(Q(b)));
  again->RecentMenu()->actions().at(3)->trigger();  // B.urd
  EXPECT_EQ(1, CountShown("Die Datei '" + S(QDir(dir.path()).absoluteFilePath("B.urd")) +
                          "' gibt es nicht mehr.\n\n" +
                          W("Sie wird aus der Liste \"Zuletzt geöffnet\" entfernt.")));
  EXPECT_EQ(3u, RecentEntries(again).size());
}

TEST_F(Desktop, TheListKeepsEightFilesAndCanBeCleared) {
  for (int i = 0; i < 10; ++i) form->onDiagramFileUsed(Path("D" + std::to_string(i) + ".urd"), false);
  form->onDiagramFileUsed(Path("D5.urd"), false);
  // A window closing with a file already listed leaves the order alone.
  form->onDiagramFileUsed(Path("D2.urd"), true);
  TRecentFiles& recent = features->RecentFiles();
  const std::vector<std::string> paths = recent.Paths();
  ASSERT_EQ(8u, paths.size());
  EXPECT_EQ(Path("D5.urd"), paths[0]);
  EXPECT_EQ(Path("D9.urd"), paths[1]);
  EXPECT_EQ(Path("D2.urd"), paths[7]);
  EXPECT_EQ(8u, RecentEntries(features).size());
  QAction* clear = nullptr;
  for (QAction* a : features->RecentMenu()->actions())
    if (a->objectName() == "ClearRecentFiles") clear = a;
  ASSERT_NE(nullptr, clear);
  clear->trigger();
  EXPECT_TRUE(recent.Paths().empty());
}

TEST_F(Desktop, DiagramsDroppedOnTheFrameOpen) {
  const std::string a = Diagram("Gezogen.urd");
  WriteText(Path("Notizen.txt"), "nichts");
  EXPECT_FALSE(Drop(form.get(), {Path("Notizen.txt")}));
  EXPECT_TRUE(Drop(form.get(), {a, Path("Notizen.txt")}));
  ASSERT_EQ(1u, form->Children().size());
  TFChild* w = form->Children()[0];
  EXPECT_EQ("Gezogen.urd", S(w->windowTitle()));
  EXPECT_TRUE(w->Doc().HasFileName);
  EXPECT_EQ(1, w->Doc().DrawClasses.Count());
}

TEST_F(Desktop, SourcesDroppedOnAMainDiagramAreImportedWithTheQuestionsOfTheImport) {
  TFChild* w = NewDiagram();
  WriteText(Path("mZwei.pas"),
            "unit mZwei;\ninterface\ntype\n  TA = class\n  private\n    a : Integer;\n  end;\n"
            "  TB = class(TA)\n  private\n    b : String;\n  end;\nimplementation\nend.\n");
  WriteText(Path("Rad.java"), "public class Rad {\n  private int groesse;\n}\n");
  Ok<TChooseClassForm>([](TChooseClassForm& f) { f.Selected = 1; });
  ASSERT_TRUE(Drop(w, {Path("mZwei.pas"), Path("Rad.java")}));
  EXPECT_EQ(0, dialogs.CountAsked("open"));  // no file dialog
  EXPECT_EQ(1, CountShown("Mehrere Klassendefinitionen gefunden!"));
  EXPECT_EQ(1, CountShown("Soll der Code der Klasse 'TB' eingelesen werden?"));
  Names classes;
  for (const TUMLDrawClass* b : w->Doc().DrawClasses.Items) classes.push_back(b->UMLClass->Name);
  EXPECT_EQ((Names{"TB", "TA", "Rad"}), classes);  // TA: the ancestor of TB
  EXPECT_EQ("Rad.java", w->Doc().DrawClasses.At(2)->SourceFileName);
}

TEST_F(Desktop, ASubDiagramRefusesDroppedSourcesOnce) {
  TFChild* main = NewDiagram();
  AddClass(main, "TKonto");
  TFChild* sub = main->SubDiagrams().CreateSubDiagram("Teil");
  ASSERT_NE(nullptr, sub);
  WriteText(Path("mEins.pas"), "unit mEins;\ninterface\ntype\n  TEins = class\n  end;\nimplementation\nend.\n");
  WriteText(Path("Zwei.java"), "public class Zwei {\n}\n");
  ASSERT_TRUE(Drop(sub, {Path("mEins.pas"), Path("Zwei.java"), S(dir.path())}));
  EXPECT_EQ(1, CountShown(W("Neue Klassen können nur im Hauptdiagramm geladen werden")));
  EXPECT_EQ(1, main->Doc().DrawClasses.Count());
  EXPECT_EQ(nullptr, sub->Item("ImportClassFolder"));  // no folder import in sub-diagrams
}

TEST_F(Desktop, TheFolderImportCommandLaysOutEveryClassOfTheFolder) {
  TFChild* w = NewDiagram();
  TUMLDrawClass* old = AddClass(w, "TAlt", 30, 30);
  w->Redraw();
  QDir().mkpath(dir.filePath("quellen"));
  WriteText(Path("quellen/mFahrzeug.pas"),
            "unit mFahrzeug;\ninterface\ntype\n  TFahrzeug = class\n  end;\n"
            "implementation\nend.\n");
  WriteText(Path("quellen/mAuto.pas"),
            "unit mAuto;\ninterface\ntype\n  TAuto = class(TFahrzeug)\n  private\n"
            "    kenntAlt: TAlt;\n  end;\nimplementation\nend.\n");
  QAction* item = w->Item("ImportClassFolder");
  ASSERT_NE(nullptr, item);
  ASSERT_NE(nullptr, w->Item("ImportClassFolder2"));
  dialogs.directories.push_back(S(dir.filePath("quellen")));
  item->trigger();
  EXPECT_EQ("Klassen aus Ordner importieren", dialogs.asked.front().caption);
  DiagramDocument& doc = w->Doc();
  ASSERT_EQ(3, doc.DrawClasses.Count());
  EXPECT_EQ(2, doc.Connections.Count());
  EXPECT_EQ(S(dir.filePath("quellen")) + "/", doc.ProjectDir);
  EXPECT_TRUE(dialogs.messages.Contains(
      "2 Klassen aus 2 Dateien eingelesen, 1 IST-, 0 HAT- und 1 KENNT-Beziehungen."));
  for (const TUMLDrawClass* b : doc.DrawClasses.Items) {
    if (b == old) continue;
    EXPECT_GT(b->Top, old->Bottom) << b->UMLClass->Name;
  }
  // Cancelling the folder dialog changes nothing.
  item->trigger();
  EXPECT_EQ(3, doc.DrawClasses.Count());
}

TEST_F(Desktop, PlantUmlTextOfTheActiveDiagramGoesToTheClipboard) {
  QAction* copy = form->Item("PlantUmlToClipboardItem");
  ASSERT_NE(nullptr, copy);
  QApplication::clipboard()->setText("vorher");
  copy->trigger();  // without a diagram nothing happens
  EXPECT_EQ("vorher", QApplication::clipboard()->text().toStdString());
  TFChild* w = NewDiagram();
  AddClass(w, W("TGröße"));
  copy->trigger();
  const QString text = QApplication::clipboard()->text();
  EXPECT_TRUE(text.startsWith("@startuml\n")) << text.toStdString();
  EXPECT_TRUE(text.contains(QString::fromUtf8("class \"TGröße\" as C1 {"))) << text.toStdString();
  EXPECT_EQ("Der PlantUML-Text des Diagramms ist in der Zwischenablage.", w->StatusText());
}

TEST_F(Desktop, F1ShowsTheGermanGuideInOneWindow) {
  QAction* help = nullptr;
  for (QAction* a : form->Help1->actions())
    if (a->objectName() == "HelpItem") help = a;
  ASSERT_NE(nullptr, help);
  EXPECT_EQ(QKeySequence(Qt::Key_F1), help->shortcut());
  EXPECT_EQ("Hilfe", help->text().toStdString());
  help->trigger();
  THelpWindow* window = features->HelpWindow();
  ASSERT_NE(nullptr, window);
  EXPECT_TRUE(window->isVisible());
  const QString text = window->Browser()->toPlainText();
  for (const char* part : {"Vom leeren Diagramm zum übersetzten Programm", "Maus und Tastatur",
                           "Wo die Dateien liegen", "Der Wächter", "fpc -Mdelphi"})
    EXPECT_TRUE(text.contains(QString::fromUtf8(part))) << part;
  help->trigger();
  EXPECT_EQ(window, features->HelpWindow());
}

}  // namespace
}  // namespace zedro
