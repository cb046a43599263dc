// zedro-cli import-folder and plantuml.
#include "cli/CliSupport.h"

#include <memory>

#include "diagram/DiagramDocument.h"
#include "model/Messages.h"
#include "model/Win1252.h"
#include "persistence/DiagramFile.h"

namespace zedro::clitest {
namespace {

using FolderCli = CliFixture;
using PlantUmlCli = CliFixture;

TEST_F(FolderCli, AFolderOfUnitsBecomesADiagramFile) {
  fs::create_directories(File("src"));
  WriteAll(File("src/mBasis.pas"),
           "unit mBasis;\ninterface\ntype\n  TBasis = class\n  public\n    procedure Tu;\n  end;\n"
           "implementation\nprocedure TBasis.Tu;\nbegin\nend;\nend.\n");
  WriteAll(File("src/mKind.pas"),
           "unit mKind;\ninterface\nuses mBasis;\ntype\n  TKind = class(TBasis)\n  private\n"
           "    kenntBasis: TBasis;\n  end;\nimplementation\nend.\n");
  const CliRun run = Run("import-folder " + File("src") + " " + File("out.urd"));
  EXPECT_EQ(0, run.status) << run.err;
  EXPECT_TRUE(Has(run.err, "2 Klassen aus 2 Dateien eingelesen, 1 IST-, 0 HAT- und 1 KENNT-Beziehungen."))
      << run.err;

  DiagramDocument doc;
  ScriptedMessages messages;
  ASSERT_TRUE(LoadDiagramFile(doc, File("out.urd"), messages).completed);
  ASSERT_EQ(2, doc.DrawClasses.Count());
  ASSERT_EQ(2, doc.Connections.Count());
  const TUMLDrawClass* basis = doc.DrawClasses.Items[0];
  const TUMLDrawClass* kind = doc.DrawClasses.Items[1];
  EXPECT_EQ("TBasis", basis->UMLClass->Name);
  EXPECT_EQ("mKind.pas", kind->SourceFileName);
  EXPECT_LT(basis->Bottom, kind->Top);  // the ancestor above
  EXPECT_EQ(1, doc.Language);
  // The Java flavour when asked for; a folder without Java sources gives nothing.
  const CliRun java = Run("import-folder " + File("src") + " " + File("java.urd") + " --java");
  EXPECT_EQ(1, java.status);
  EXPECT_TRUE(Has(java.err, "keine Java-Quelltexte")) << java.err;
  EXPECT_FALSE(fs::exists(File("java.urd")));
}

TEST_F(FolderCli, MissingFoldersAndWrongArgumentsAreRefused) {
  const CliRun missing = Run("import-folder " + File("fehlt") + " " + File("out.urd"));
  EXPECT_EQ(1, missing.status);
  EXPECT_TRUE(Has(missing.err, "gibt es nicht")) << missing.err;
  EXPECT_EQ(2, Run("import-folder " + File("fehlt")).status);
  EXPECT_EQ(2, Run("import-folder a b --delphi").status);
}

// A diagram with texts that PlantUML would read as markup or as the end of a note.
void WriteTrickyDiagram(const std::string& path) {
  DiagramDocument doc;
  auto cls = std::make_unique<TUMLClass>(text::FromUtf8("Größe \"X\""));
  auto a = std::make_unique<TAttribute>();
  a->Name = "onKlick";
  a->TypeName = "procedure ( Sender : TObject ) of object";
  a->Visibility = TVisibility::Published;
  cls->AddAttribute(std::move(a));
  auto m = std::make_unique<TMethod>();
  m->Name = "Rechne";
  m->Kind = TMethodKind::Function;
  m->ResultType = "Integer";
  m->IsAbstract = true;
  m->Parameters.push_back({"a", "array of Integer"});
  cls->AddMethod(std::move(m));
  TUMLDrawClass* first = doc.AddClassBox(std::move(cls), 40, 40);
  auto lib = std::make_unique<TUMLClass>("TBibliothek");
  lib->IsLibraryClass = true;
  TUMLDrawClass* second = doc.AddClassBox(std::move(lib), 300, 40);
  doc.AddClassBox(std::make_unique<TUMLClass>(""), 300, 200);  // from a damaged file
  TConnection* hat = doc.AddConnection(first, 28, second, 6, TConnectionKind::Hat);
  hat->EndText = "0..\"*\"";
  hat->TextBox->Lines = {"**fett** --durch-- //kursiv//", "end note", "<b>html</b> \\n"};
  TConnection* ask = doc.AddConnection(first, 17, second, 39, TConnectionKind::Anfrage);
  ask->TextBox->Lines = {"Wert ?", "--> Integer"};
  doc.AddConnection(second, 6, first, 28, TConnectionKind::Auftrag);
  TConnection* note = doc.AddConnection(first, 1, first, 1, TConnectionKind::ClassInfo);
  note->TextBox->Lines = {"' kein Kommentar", "@enduml"};
  TInfoBox* info = doc.AddInfoBox(40, 300);
  info->Lines = {"end note", "  @startuml", "__unterstrichen__ \"\"fest\"\""};
  DiagramDocument* sub = doc.AddSubDiagram("Teil");
  TUMLDrawObject* object = sub->AddObjectBox(second->UMLClass, 50, 50);
  object->ObjectName = "meins";
  sub->AddBoxForClass(first->UMLClass, 200, 50);
  ScriptedMessages messages;
  ASSERT_TRUE(WriteDiagramFile(doc, path, messages));
}

TEST_F(PlantUmlCli, ExamplesAndAwkwardTextsRenderWithoutErrors) {
  WriteTrickyDiagram(File("Knifflig.urd"));
  struct Case {
    std::string args, file;
  };
  const Case cases[] = {{Example("Fahrzeuge.urd"), "fahrzeuge.puml"},
                        {Example("Bank.urd"), "bank.puml"},
                        {File("Knifflig.urd"), "knifflig.puml"},
                        {File("Knifflig.urd") + " --sub 1", "teil.puml"}};
  std::string files;
  for (const Case& c : cases) {
    const CliRun run = Run("plantuml " + c.args);
    ASSERT_EQ(0, run.status) << c.args << "\n" << run.err;
    EXPECT_EQ(0u, run.out.rfind("@startuml\n", 0));
    EXPECT_TRUE(Has(run.out, "\n@enduml\n"));
    WriteAll(File(c.file), run.out);
    files += " " + File(c.file);
  }
  const std::string vehicles = ReadAll(File("fahrzeuge.puml"));
  for (const char* part : {"class \"TFahrzeug\" as C1 {", "<|--", " o-- \"4\" "})
    EXPECT_TRUE(Has(vehicles, part)) << part << " in\n" << vehicles;
  const std::string tricky = ReadAll(File("knifflig.puml"));
  for (const char* part :
       {"class \"Größe 'X'\" as C1 {", "{field} ++ onKlick: procedure ( Sender : TObject ) of object",
        "{method} {abstract} + ? Rechne (a: array of Integer): Integer", "<<Bibliotheksklasse>>",
        "  <U+0065>nd note\n",
        "note top of C1\n  <U+0027> kein Kommentar\n  <U+0040>enduml\nend note",
        ".[#008080].> C2 : Wert ?\\n<U+002D>-> Integer"})
    EXPECT_TRUE(Has(tricky, part)) << part << " in\n" << tricky;
  EXPECT_TRUE(Has(ReadAll(File("teil.puml")), "object \"meins : TBibliothek\" as O1 {"));
  EXPECT_EQ(1, Run("plantuml " + File("Knifflig.urd") + " --sub 2").status);
  EXPECT_EQ(2, Run("plantuml " + File("Knifflig.urd") + " --sub x").status);

  // Debian's PlantUML must draw every text without a syntax error.
  if (std::system("command -v plantuml >/dev/null 2>&1") != 0)
    GTEST_SKIP() << "plantuml is not installed";
  const int rc = std::system(("plantuml -tsvg -failfast2 -nbthread 1" + files + " >" +
                              File("plantuml.log") + " 2>&1")
                                 .c_str());
  EXPECT_EQ(0, WEXITSTATUS(rc)) << ReadAll(File("plantuml.log"));
  for (const Case& c : cases) {
    const std::string svg = ReadAll(File(c.file.substr(0, c.file.size() - 5) + ".svg"));
    EXPECT_TRUE(Has(svg, "<svg")) << c.file;
    EXPECT_FALSE(Has(svg, "Syntax Error")) << c.file;
  }
  // The texts arrive as written.
  const std::string svg = ReadAll(File("knifflig.svg"));
  EXPECT_TRUE(Has(svg, "**fett** --durch--")) << svg;
  EXPECT_TRUE(Has(svg, ">end note<")) << svg;
}

}  // namespace
}  // namespace zedro::clitest
