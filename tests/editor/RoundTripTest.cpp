// Export, import, update and the watch of source files.
#include <sys/stat.h>

#include <ctime>

#include "EditorFixture.h"
#include "codegen/CodegenTestSupport.h"
#include "editor/CodeViewers.h"
#include "persistence/Files.h"

namespace zedro {
namespace {

using namespace editortest;
using testing::AddAttr;
using testing::AddMeth;

// File ages in milliseconds, so a save and an edit within two seconds are told apart.
std::int32_t MillisecondAge(const std::string& path) {
  static const std::time_t base = std::time(nullptr) - 60;
  struct stat st {};
  if (::stat(text::ToUtf8(path).c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return -1;
  return static_cast<std::int32_t>((st.st_mtim.tv_sec - base) * 1000 +
                                   st.st_mtim.tv_nsec / 1000000);
}

void PressSave(TDialogForm& f) { static_cast<TFDokuCodeAnzeige&>(f).PressSave(); }

class RoundTrip : public EditorTest {
 protected:
  void SetUp() override {
    EditorTest::SetUp();
    SetFileAgeFunction(MillisecondAge);
  }
  void TearDown() override {
    EditorTest::TearDown();
    SetFileAgeFunction({});
  }

  // A new diagram in the temporary directory; its timer is stopped, the tests tick by hand.
  TFChild* NewDiagram(int language = 1) {
    TFChild* w = EditorTest::NewDiagram();
    w->Timer1->stop();
    w->Doc().ProjectDir = Dir();
    if (language == 2) w->IstJavaVersionClick();
    dialogs.asked.clear();
    dialogs.messages.shown.clear();
    return w;
  }
  // A diagram file with the class TAuto, also shown in a sub-diagram, opened.
  TFChild* OpenWithSubDiagram() {
    DiagramDocument doc;
    TUMLDrawClass* autoBox = doc.AddClassBox(std::make_unique<TUMLClass>("TAuto"), 50, 50);
    AddAttr(*autoBox->UMLClass, "Tempo", "Integer");
    doc.AddSubDiagram("Teil")->AddBoxForClass(autoBox->UMLClass, 60, 70);
    ScriptedMessages m;
    EXPECT_TRUE(WriteDiagramFile(doc, Path("Autos.urd"), m));
    return Open(Path("Autos.urd"));
  }
  // Replaces the file's text, as another editor would, some seconds later than anything
  // written so far.
  void Edit(const std::string& path, const std::string& utf8) {
    WriteText(path, utf8);
    Touch(path, 10 * ++edits);
  }
  void Replace(const std::string& path, const std::string& from, const std::string& to) {
    std::string t = ReadText(path);
    size_t at = t.find(from);
    ASSERT_NE(at, std::string::npos) << from;
    Edit(path, t.replace(at, from.size(), to));
  }
  // Saves the class of the current box from the viewer of the window's language.
  StringList ExportVia(TFChild* w, const std::string& path) {
    StringList shown;
    dialogs.saveFiles.push_back(path);
    dialogs.dialogScripts.push_back([&shown](TDialogForm& f) {
      shown = static_cast<TFDokuCodeAnzeige&>(f).Lines;
      PressSave(f);
    });
    // Through the items of the box menu: the commands are wired to them.
    Trigger(w, w->Language() == 2 ? "pmiJavaExport2" : "Codeanzeigenspeichern");
    return shown;
  }
  static std::string WatchQuestion(TFChild* w, const std::string& file, const std::string& cls) {
    return ">>>>> Diagramm:  " + S(w->windowTitle()) + " <<<<<\n\nDie Datei  '" + file +
           "'  zur Klasse   '" + cls + W("'   wurde zwischenzeitlich geändert!") +
           "\n\n>>> Soll die Klasse  '" + cls + "'  aktualisiert werden? <<<";
  }

  int edits = 0;
};

const char* const kUnitWithAncestor =
    "unit mTAuto;\n\ninterface\n\ntype\n  TAuto = class(TFahrzeug)\n  private\n"
    "    Tempo : Integer;\n  public\n    procedure Fahre (km: Integer);\n  end;\n\n"
    "implementation\n\nprocedure TAuto.Fahre (km: Integer);\nbegin\n  Tempo := km;\nend;\n\nend.\n";
const char* const kTwoClasses =
    "unit mZwei;\ninterface\ntype\n  TA = class\n  private\n    a : Integer;\n  end;\n"
    "  TB = class(TA)\n  private\n    b : String;\n  end;\nimplementation\nend.\n";

TEST_F(RoundTrip, ExportFromASubDiagramRecordsTheFileInEveryBoxAndTheWatchAsksOncePerChange) {
  TFChild* main = OpenWithSubDiagram();
  ASSERT_NE(nullptr, main);
  ASSERT_EQ(main->SubDiagramWindows().size(), 1u);
  TFChild* sub = main->SubDiagramWindows().at(0);
  ASSERT_EQ(main->Doc().DrawClasses.Count(), 1);
  ASSERT_EQ(sub->Doc().DrawClasses.Count(), 1);
  TUMLDrawClass* mainBox = main->Doc().DrawClasses.At(0);
  TUMLDrawClass* subBox = sub->Doc().DrawClasses.At(0);
  sub->Doc().CurrentBox = subBox;
  sub->Doc().CurrentClass = subBox->UMLClass;
  // Classes are imported into main diagrams only.
  sub->RoundTrip().ImportPascalSourceClick();
  sub->RoundTrip().ImportJavaSourceClick();
  EXPECT_EQ(CountShown(W("Neue Klassen können nur im Hauptdiagramm geladen werden")), 2);
  EXPECT_EQ(sub->Doc().DrawClasses.Count(), 1);

  const std::string path = Path("mTAuto.pas");
  bool timerStopped = false;
  dialogs.saveFiles.push_back(path);
  dialogs.dialogScripts.push_back([&](TDialogForm& f) {
    timerStopped = !main->Timer1->isActive();
    PressSave(f);
  });
  sub->RoundTrip().DelphiExportClick();
  EXPECT_TRUE(timerStopped);
  EXPECT_TRUE(main->Timer1->isActive());
  main->Timer1->stop();
  EXPECT_EQ(dialogs.fileRequests.back().initialDir, Dir());
  EXPECT_EQ(ReadText(path).rfind("UNIT mTAuto;\n\ninterface\n", 0), 0u);
  for (TUMLDrawClass* b : {mainBox, subBox}) {
    EXPECT_EQ(b->SourceFileName, "mTAuto.pas");
    EXPECT_EQ(b->SourceFileAge, MillisecondAge(path));
  }

  // Saving from the viewer leaves nothing for the watch to report.
  const std::string question = WatchQuestion(main, "mTAuto.pas", "TAuto");
  main->Timer1Timer();
  EXPECT_EQ(CountShown(question), 0);

  // An edit is reported once; No records the new age without reading the file.
  main->Doc().Saved = true;
  Replace(path, "    Tempo : Integer;", "    Tempo : Integer;\n    Farbe : String;");
  main->Timer1Timer();
  main->Timer1Timer();
  EXPECT_EQ(CountShown(question), 1);
  EXPECT_EQ(mainBox->UMLClass->Attributes.Count(), 1);
  EXPECT_EQ(subBox->SourceFileAge, MillisecondAge(path));
  EXPECT_FALSE(main->Doc().Saved);
  EXPECT_TRUE(main->WatchEnabled);

  // The next edit is reported again; sub-diagram windows do not watch.
  Replace(path, "Farbe", "Lack");
  sub->Timer1Timer();
  EXPECT_EQ(CountShown(question), 1);
  main->Timer1Timer();
  EXPECT_EQ(CountShown(question), 2);
}

TEST_F(RoundTrip, TheWatchAsksInFrontAndYesUpdatesTheClass) {
  TFChild* w = NewDiagram();
  TUMLDrawClass* box = AddClass(w, "TAuto");
  const std::string path = Path("mTAuto.pas");
  ExportVia(w, path);
  form->FileNew1Execute();  // another diagram is in front
  TFChild* other = form->ActiveChild();
  other->Timer1->stop();

  // A unit is read as Pascal even when the diagram has been switched to Java since.
  w->IstJavaVersionClick();
  dialogs.messages.shown.clear();
  Edit(path, kUnitWithAncestor);
  dialogs.activeAtMessage.clear();
  dialogs.messages.answers = {MsgResult::Yes};
  w->Timer1Timer();
  ASSERT_EQ(dialogs.messages.Texts(),
            std::vector<std::string>{WatchQuestion(w, "mTAuto.pas", "TAuto")});
  EXPECT_EQ(dialogs.activeAtMessage.at(0), w);
  EXPECT_EQ(form->ActiveChild(), other);
  EXPECT_EQ(w->Doc().CurrentBox, box);
  ASSERT_EQ(box->UMLClass->Attributes.Count(), 1);
  EXPECT_EQ(box->SourceFileAge, MillisecondAge(path));
}

TEST_F(RoundTrip, ExportOfAllClassesSkipsLibraryClassesAndAsksForNewFiles) {
  TFChild* w = NewDiagram(2);
  TUMLDrawClass* autoBox = AddClass(w, "TAuto");
  TUMLDrawClass* rad = AddClass(w, "TRad");
  rad->SourceFileName = "TRad.java";
  AddClass(w, "TBib")->UMLClass->IsLibraryClass = true;
  TUMLDrawClass* fahrer = AddClass(w, "TFahrer");
  fahrer->SourceFileName = "mTFahrer.pas";  // a unit: never overwritten with Java text
  Edit(Path("mTFahrer.pas"), "unit");
  Edit(Path("TRad.java"), "alt");
  dialogs.saveFiles = {Path("TAuto"), ""};
  Trigger(w, "AlleKlassenbrutalexportieren1");

  const std::string notYet =
      W(" ist noch nicht exportiert worden.\nSie können die Klasse nun neu exportieren.");
  EXPECT_EQ(dialogs.messages.Texts(),
            (std::vector<std::string>{
                "Klasse TAuto" + notYet, "Klasse TFahrer" + notYet,
                W("Alle Klassen des Hauptdiagramms sind ohne Rückfrage exportiert worden!")}));
  // javac wants a public class in a file of its own name.
  EXPECT_EQ(dialogs.fileRequests.at(0).fileName, "TAuto.java");
  EXPECT_EQ(autoBox->SourceFileName, "TAuto.java");
  EXPECT_NE(ReadText(Path("TRad.java")).find("public class TRad"), std::string::npos);
  EXPECT_EQ(ReadText(Path("mTFahrer.pas")), "unit");
  EXPECT_FALSE(FileExists(Path("TBib.java")) || FileExists(Path("mTBib.java")));
}

TEST_F(RoundTrip, UpdatingDropsAVanishedAttributeFromItsHatConnection) {
  TFChild* w = NewDiagram();
  TUMLDrawClass* rad = AddClass(w, "TRad", 300, 50);
  TUMLDrawClass* box = AddClass(w, "TAuto");
  TAttribute* raeder = AddAttr(*box->UMLClass, "Raeder", "TRad");
  AddAttr(*box->UMLClass, "Tempo", "Integer");
  TConnection* hat = w->Doc().AddConnection(box, 2, rad, 40, TConnectionKind::Hat);
  hat->Attributes.Add(raeder);

  Edit(Path("mTAuto.pas"), kUnitWithAncestor);
  dialogs.openFiles.push_back(Path("mTAuto.pas"));
  w->RoundTrip().MiAktualisierenClick();
  EXPECT_EQ(dialogs.fileRequests.back().fileName, Dir() + "mTAuto");
  ASSERT_EQ(box->UMLClass->Attributes.Count(), 1);
  EXPECT_EQ(box->UMLClass->Attributes.Items[0]->Name, "Tempo");
  ASSERT_EQ(w->Doc().Connections.Count(), 1);
  EXPECT_EQ(hat->Attributes.Count(), 0);
  EXPECT_EQ(box->SourceFileName, "mTAuto.pas");
  EXPECT_EQ(box->SourceFileAge, MillisecondAge(Path("mTAuto.pas")));
  EXPECT_EQ(box->UMLClass->Methods.Items.at(0)->Code.at(1), "  Tempo := km;");
}

TEST_F(RoundTrip, ImportingAClassAddsItsMissingAncestorAboveWithAnIst) {
  TFChild* w = NewDiagram();
  w->Doc().ProjectDir.clear();
  Edit(Path("mTAuto.pas"), kUnitWithAncestor);
  dialogs.openFiles.push_back(Path("mTAuto.pas"));
  dialogs.messages.answers = {MsgResult::Yes, MsgResult::Yes};  // directory, code question
  w->RoundTrip().ImportPascalSourceClick();
  EXPECT_TRUE(dialogs.messages.Contains("Soll der Code der Klasse 'TAuto' eingelesen werden?"));

  DiagramDocument& doc = w->Doc();
  ASSERT_EQ(doc.DrawClasses.Count(), 2);
  TUMLDrawClass* autoBox = doc.DrawClasses.At(0);
  TUMLDrawClass* fahrzeug = doc.DrawClasses.At(1);
  EXPECT_EQ(autoBox->UMLClass->Name, "TAuto");
  EXPECT_EQ(fahrzeug->UMLClass->Name, "TFahrzeug");
  EXPECT_LT(fahrzeug->Top, autoBox->Top);
  ASSERT_EQ(doc.Connections.Count(), 1);
  TConnection* ist = doc.Connections.At(0);
  EXPECT_EQ(std::tuple(ist->Kind, ist->StartBox, ist->StartPoint, ist->EndBox, ist->EndPoint),
            std::tuple(TConnectionKind::Ist, autoBox, 6, fahrzeug, 28));
  EXPECT_EQ(autoBox->UMLClass->Parent, fahrzeug->UMLClass);
  EXPECT_EQ(autoBox->SourceFileName, "mTAuto.pas");
  EXPECT_EQ(doc.ProjectDir, Dir());
}

TEST_F(RoundTrip, ImportingOrUpdatingFromAUnitWithSeveralClassesOffersTheChooser) {
  TFChild* w = NewDiagram();
  Edit(Path("mZwei.pas"), kTwoClasses);
  dialogs.openFiles = {Path("mZwei.pas"), Path("mZwei.pas")};
  Trigger(w, "ImportPascalSource2");  // the chooser is closed without a choice
  EXPECT_EQ(w->Doc().DrawClasses.Count(), 0);
  EXPECT_TRUE(dialogs.messages.Contains("Mehrere Klassendefinitionen gefunden!"));
  Ok<TChooseClassForm>([](TChooseClassForm& f) { f.Selected = 1; });
  w->RoundTrip().ImportPascalSourceClick();
  ASSERT_EQ(w->Doc().DrawClasses.Count(), 2);  // TB and its ancestor TA
  EXPECT_EQ(w->Doc().DrawClasses.At(0)->UMLClass->Name, "TB");

  // An update keeps the box, its class object and its connections.
  TUMLDrawClass* box = AddClass(w, "TAuto");
  TUMLClass* cls = box->UMLClass;
  TConnection* hat =
      w->Doc().AddConnection(box, 2, w->Doc().DrawClasses.At(0), 40, TConnectionKind::Hat);
  dialogs.openFiles.push_back(Path("mZwei.pas"));
  Ok<TChooseClassForm>([](TChooseClassForm& f) { f.Selected = 1; });
  w->RoundTrip().MiAktualisierenClick();
  EXPECT_EQ(dialogs.asked.back().caption, W("Klasse zum Aktualisieren auswählen !"));
  EXPECT_EQ(box->UMLClass, cls);
  EXPECT_EQ(cls->Name, "TB");
  ASSERT_EQ(cls->Attributes.Count(), 1);
  EXPECT_EQ(hat->StartBox, box);
  EXPECT_EQ(box->SourceFileName, "mZwei.pas");
}

struct Flavour {
  int language;
  const char* file;
  const char* attributeLine;
  const char* newAttributeLine;
  const char* bodyLine;
  const char* newBodyLine;
};

// Names the parameter in test listings.
void PrintTo(const Flavour& f, std::ostream* os) { *os << (f.language == 1 ? "Pascal" : "Java"); }

class FullRoundTrip : public RoundTrip, public ::testing::WithParamInterface<Flavour> {};

TEST_P(FullRoundTrip, ChangesMadeInTheFileSurviveUpdateAndRegeneration) {
  const Flavour& f = GetParam();
  TFChild* w = NewDiagram(f.language);
  TUMLDrawClass* box = AddClass(w, "TAuto");
  const bool pascal = f.language == 1;
  AddAttr(*box->UMLClass, "Tempo", pascal ? "Integer" : "int");
  AddMeth(*box->UMLClass, {"Fahre", TMethodKind::Procedure, {{"km", pascal ? "Integer" : "int"}}});
  // No source carries the class description, and a Java source no uses list: an update
  // must not wipe them.
  box->UMLClass->Documentation = {"Ein Auto mit Tempo."};
  if (!pascal) box->UMLClass->InterfaceUses = {"mTRad", ";"};
  const std::string path = Path(f.file);
  ExportVia(w, path);
  ASSERT_TRUE(FileExists(path));

  Replace(path, f.bodyLine, f.newBodyLine);
  Edit(path, ReadText(path) + "// von Hand\n");  // not part of the class: regenerating drops it
  Replace(path, f.attributeLine, std::string(f.attributeLine) + "\n" + f.newAttributeLine);
  dialogs.messages.answers = {MsgResult::Yes};
  w->Timer1Timer();
  ASSERT_EQ(CountShown(WatchQuestion(w, f.file, "TAuto")), 1);
  ASSERT_EQ(box->UMLClass->Attributes.Count(), 2);
  EXPECT_EQ(box->UMLClass->Documentation, StringList{"Ein Auto mit Tempo."});
  if (!pascal) {
    EXPECT_EQ(box->UMLClass->InterfaceUses, (StringList{"mTRad", ";"}));
  }

  dialogs.messages.answers = {MsgResult::Yes};  // replace the file
  const StringList regenerated = ExportVia(w, path);
  auto has = [&](const std::string& line) {
    return std::find(regenerated.begin(), regenerated.end(), line) != regenerated.end();
  };
  EXPECT_TRUE(has(f.newBodyLine));
  EXPECT_TRUE(has(f.newAttributeLine));
  EXPECT_FALSE(has(W(f.bodyLine)));
  std::string expected = pascal ? "UNIT mTAuto;\n\n" : "";
  for (const std::string& line : regenerated) expected += text::ToUtf8(line) + "\n";
  EXPECT_EQ(ReadText(path), expected);

  // The regenerated file is the known one: the watch stays quiet.
  dialogs.messages.shown.clear();
  w->Timer1Timer();
  EXPECT_TRUE(dialogs.messages.shown.empty());
}

INSTANTIATE_TEST_SUITE_P(
    BothLanguages, FullRoundTrip,
    ::testing::Values(Flavour{1, "mTAuto.pas", "    Tempo : Integer;", "    Farbe : String;",
                              "  //Hier Code einfügen.", "  Tempo := km * 2;"},
                      Flavour{2, "TAuto.java", "   private int Tempo;", "   private String Farbe;",
                              "  //Hier Code einfügen.", "    Tempo = km * 2;"}));

}  // namespace
}  // namespace zedro
