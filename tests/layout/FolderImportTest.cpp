// A folder of sources read into one diagram: classes, connections and a layout without
// overlaps.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <glob.h>

#include "diagram/DiagramDocument.h"
#include "import/FolderImport.h"
#include "layout/GraphLayout.h"
#include "model/Messages.h"
#include "model/Notation.h"
#include "support/TestDir.h"

namespace zedro {
namespace {

namespace fs = std::filesystem;

class FolderImport : public testing::TestDirFixture {
 protected:
  void Write(const std::string& name, const std::string& text) { testing::WriteAll(dir_ / name, text); }
  std::string Dir() const { return dir_.string(); }

  FolderImportResult Import(int language, bool withLayout = true, std::string folder = "") {
    NotationScope notation(language);
    GraphLayoutFunction layOut;
    if (withLayout)
      layOut = [](const auto& nodes, const auto& edges, auto& positions, std::string& error) {
        return layout::LayOutGraph(nodes, edges, positions, error);
      };
    return ImportClassFolder(doc, folder.empty() ? Dir() : folder, language, layOut, messages);
  }

  TUMLDrawClass* Box(const std::string& name) {
    for (TUMLDrawClass* b : doc.DrawClasses.Items)
      if (b->UMLClass && b->UMLClass->Name == name) return b;
    return nullptr;
  }
  TConnection* Between(const std::string& from, const std::string& to, TConnectionKind kind) {
    for (TConnection* c : doc.Connections.Items)
      if (c->Kind == kind && c->StartBox->UMLClass->Name == from && c->EndBox->UMLClass->Name == to)
        return c;
    return nullptr;
  }
  // No two boxes overlap, every IST has the ancestor above, and all fits the surface.
  void ExpectReadable() {
    const auto& boxes = doc.DrawClasses.Items;
    for (size_t i = 0; i < boxes.size(); ++i)
      for (size_t j = i + 1; j < boxes.size(); ++j) {
        const TUMLDrawClass& a = *boxes[i];
        const TUMLDrawClass& b = *boxes[j];
        EXPECT_FALSE(a.Left < b.Right && b.Left < a.Right && a.Top < b.Bottom && b.Top < a.Bottom)
            << a.UMLClass->Name << " overlaps " << b.UMLClass->Name;
      }
    for (const TConnection* c : doc.Connections.Items)
      EXPECT_TRUE(c->Kind != TConnectionKind::Ist || c->EndBox->Bottom < c->StartBox->Top)
          << c->StartBox->UMLClass->Name << " below its ancestor";
    for (const TUMLDrawClass* b : boxes)
      EXPECT_TRUE(b->Right <= 10000 && b->Bottom <= 10000) << b->UMLClass->Name;
  }

  void WriteVehicleUnits() {
    Write("mFahrzeug.pas",
          "unit mFahrzeug;\ninterface\ntype\n  TFahrzeug = class\n  protected\n"
          "    kilometer: Integer;\n  public\n    procedure Fahre(strecke: Integer);\n  end;\n"
          "implementation\nprocedure TFahrzeug.Fahre(strecke: Integer);\nbegin\n"
          "  kilometer := kilometer + strecke;\nend;\nend.\n");
    Write("mAuto.PAS",
          "unit mAuto;\ninterface\nuses mFahrzeug, mMotor;\ntype\n"
          "  TAuto = class(TFahrzeug)\n  private\n    motor: TMotor;\n"
          "    raeder: array[1..4] of TRad;\n    ersatz: TRad;\n    kenntFahrer: TFahrer;\n"
          "  public\n    constructor Create;\n  end;\n"
          "  TRad = class\n  public\n    druck: Real;\n  end;\n"
          "implementation\nconstructor TAuto.Create;\nbegin\n  motor := TMotor.Create;\n"
          "  ersatz := trad.create;\nend;\nend.\n");
    Write("mMotor.pp",
          "unit mMotor;\ninterface\ntype\n  TMotor = class\n  public\n    leistung: Integer;\n"
          "  end;\nimplementation\nend.\n");
    Write("mFahrer.pas",
          "unit mFahrer;\ninterface\ntype\n  TFahrer = class\n  private\n    auto: TAuto;\n"
          "    fahrzeuge: array of TFahrzeug;\n  end;\nimplementation\nend.\n");
    Write("zMotor.pas",
          "unit zMotor;\ninterface\ntype\n  TMotor = class\n  end;\nimplementation\nend.\n");
    Write("mAuto.inc", "{ kein Quelltext }\n");
    Write("Liesmich.txt", "TKeineKlasse = class end;\n");
    fs::create_directories(dir_ / "unterordner");
    std::ofstream(dir_ / "unterordner" / "mVersteckt.pas") << "unit x; interface type TX = class end; implementation end.";
  }

  DiagramDocument doc;
  ScriptedMessages messages;
};

TEST_F(FolderImport, UnitsBecomeConnectedBoxesWithoutOverlaps) {
  WriteVehicleUnits();
  EXPECT_EQ((std::vector<std::string>{"mAuto.PAS", "mFahrer.pas", "mFahrzeug.pas", "mMotor.pp",
                                      "zMotor.pas"}),
            FolderSourceFiles(Dir(), 1));
  const FolderImportResult r = Import(1);
  EXPECT_TRUE(r.readable && r.laidOut) << r.layoutError;
  EXPECT_EQ(5, r.files);
  ASSERT_EQ(5u, r.boxes.size());
  EXPECT_EQ((std::vector<std::string>{"TMotor (zMotor.pas)"}), r.skipped);
  for (const std::string name : {"TAuto", "TRad", "TFahrer", "TFahrzeug", "TMotor"})
    ASSERT_NE(nullptr, Box(name)) << name;
  // Members, bodies, source file and age come with the class.
  TUMLDrawClass* autoBox = Box("TAuto");
  EXPECT_EQ(4, autoBox->UMLClass->Attributes.Count());
  ASSERT_EQ(1, autoBox->UMLClass->Methods.Count());
  EXPECT_FALSE(autoBox->UMLClass->Methods.At(0)->Code.empty());
  EXPECT_EQ("mAuto.PAS", autoBox->SourceFileName);
  EXPECT_GT(autoBox->SourceFileAge, 0);
  EXPECT_EQ("mMotor.pp", Box("TMotor")->SourceFileName);

  EXPECT_EQ(1, r.inheritance);
  EXPECT_EQ(2, r.aggregations);
  EXPECT_EQ(3, r.associations);
  TConnection* ist = Between("TAuto", "TFahrzeug", TConnectionKind::Ist);
  ASSERT_NE(nullptr, ist);
  EXPECT_EQ(Box("TFahrzeug")->UMLClass, autoBox->UMLClass->Parent);
  // Created in the constructor: HAT; the array of four and the spare wheel make five.
  TConnection* motor = Between("TAuto", "TMotor", TConnectionKind::Hat);
  ASSERT_NE(nullptr, motor);
  EXPECT_EQ("1", motor->EndText);
  TConnection* wheels = Between("TAuto", "TRad", TConnectionKind::Hat);
  ASSERT_NE(nullptr, wheels);
  EXPECT_EQ("5", wheels->EndText);
  EXPECT_EQ(2, wheels->Attributes.Count());
  // Named "kennt...", or not created by the class: KENNT; an open array: many.
  ASSERT_NE(nullptr, Between("TAuto", "TFahrer", TConnectionKind::Kennt));
  ASSERT_NE(nullptr, Between("TFahrer", "TAuto", TConnectionKind::Kennt));
  TConnection* fleet = Between("TFahrer", "TFahrzeug", TConnectionKind::Kennt);
  ASSERT_NE(nullptr, fleet);
  EXPECT_EQ("*", fleet->EndText);
  for (const TConnection* c : doc.Connections.Items)
    EXPECT_EQ(DefaultConnectionColor(c->Kind), c->Color);

  ExpectReadable();
  // The IST line leaves the top of the subclass and enters the bottom of its ancestor.
  EXPECT_EQ(TBorderSide::Top, autoBox->SideOfBorderPoint(ist->StartPoint));
  EXPECT_EQ(TBorderSide::Bottom, Box("TFahrzeug")->SideOfBorderPoint(ist->EndPoint));
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_FALSE(doc.Saved);
}

TEST_F(FolderImport, JavaSourcesAndTheFolderLanguage) {
  Write("Fahrzeug.java", "public class Fahrzeug {\n  protected int kilometer;\n}\n");
  Write("Auto.java",
        "public class Auto extends Fahrzeug {\n  private Motor motor;\n  private Rad rad;\n"
        "  public Auto() {\n    motor = new Motor();\n  }\n}\n");
  Write("Motor.java", "public class Motor {\n  private int leistung;\n}\n");
  Write("Rad.java", "public class Rad {\n}\n");
  Write("Leer.java", "// nur ein Kommentar\n");
  EXPECT_EQ(2, FolderLanguage(Dir()));
  const FolderImportResult r = Import(2);
  EXPECT_EQ(5, r.files);
  ASSERT_EQ(4u, r.boxes.size());
  ASSERT_NE(nullptr, Between("Auto", "Fahrzeug", TConnectionKind::Ist));
  ASSERT_NE(nullptr, Between("Auto", "Motor", TConnectionKind::Hat));
  // Not created by the car (no "new Rad"): known only.
  TConnection* wheel = Between("Auto", "Rad", TConnectionKind::Kennt);
  ASSERT_NE(nullptr, wheel);
  EXPECT_EQ("1", wheel->EndText);
  ExpectReadable();
}

TEST_F(FolderImport, NewBoxesGoBelowTheDiagramAndJoinItsClasses) {
  WriteVehicleUnits();
  TUMLDrawClass* old = doc.AddClassBox(std::make_unique<TUMLClass>("TFahrzeug"), 40, 40);
  old->Right = 300;
  old->Bottom = 400;
  const FolderImportResult r = Import(1);
  ASSERT_EQ(4u, r.boxes.size());
  EXPECT_EQ("TFahrzeug (mFahrzeug.pas)", r.skipped.front());
  TConnection* ist = Between("TAuto", "TFahrzeug", TConnectionKind::Ist);
  ASSERT_NE(nullptr, ist);
  EXPECT_EQ(old, ist->EndBox);
  for (const TUMLDrawClass* b : r.boxes) EXPECT_GT(b->Top, old->Bottom) << b->UMLClass->Name;
  // The subclass now lies below its ancestor: the line goes upwards.
  EXPECT_EQ(TBorderSide::Bottom, old->SideOfBorderPoint(ist->EndPoint));
  ExpectReadable();
}

TEST_F(FolderImport, WithoutALayoutTheBoxesStandInRows) {
  for (int i = 0; i < 30; ++i)
    Write("u" + std::to_string(i) + ".pas",
          "unit u;\ninterface\ntype\n  TK" + std::to_string(i) + " = class\n  public\n" +
              std::string(static_cast<size_t>(i % 7), ' ') + "    wert: Integer;\n  end;\n"
              "implementation\nend.\n");
  const FolderImportResult r = Import(1, false);
  EXPECT_EQ(30u, r.boxes.size());
  EXPECT_FALSE(r.laidOut);
  ExpectReadable();
  EXPECT_NE(std::string::npos, FolderImportSummary(r, Dir()).find("in Reihen"));
}

TEST_F(FolderImport, EmptyMissingAndParserTroubleAreReportedNotShown) {
  EXPECT_EQ(0u, Import(1).boxes.size());
  EXPECT_NE(std::string::npos, FolderImportSummary(Import(1), Dir()).find("keine Delphi-Units (*.pas, *.pp)"));
  // A broken unit: the parser's messages are collected with the file name.
  Write("mKaputt.pas", "unit mKaputt;\ninterface\ntype\n  TKaputt = class\n    a, : Integer;\n");
  const FolderImportResult r = Import(1);
  EXPECT_TRUE(messages.shown.empty());
  ASSERT_FALSE(r.notes.empty());
  EXPECT_EQ(0u, r.notes.front().rfind("mKaputt.pas: ", 0));
  fs::remove_all(dir_);
  const FolderImportResult missing = Import(1);
  EXPECT_FALSE(missing.readable);
  EXPECT_NE(std::string::npos, FolderImportSummary(missing, Dir()).find("kann nicht gelesen werden"));
}

TEST_F(FolderImport, AFolderOfTooManyClassesStopsAtTheLimit) {
  for (int u = 0; u < 40; ++u) {
    std::string unit = "unit u;\ninterface\ntype\n";
    for (int c = 0; c < 8; ++c) unit += "  TK" + std::to_string(u * 8 + c) + " = class\n  end;\n";
    Write("u" + std::to_string(u) + ".pas", unit + "implementation\nend.\n");
  }
  const FolderImportResult r = Import(1);
  EXPECT_TRUE(r.truncated);
  EXPECT_EQ(static_cast<size_t>(kMaxFolderClasses), r.boxes.size());
  EXPECT_NE(std::string::npos, FolderImportSummary(r, Dir()).find("Mehr als 300 Klassen"));
  ExpectReadable();
}

// fcl-base of the Free Pascal sources, where Debian's fpc-source has it.
TEST_F(FolderImport, FreePascalBaseLibraryGivesOneReadablePicture) {
  glob_t g{};
  if (glob("/usr/share/fpcsrc/*/packages/fcl-base/src", 0, nullptr, &g) != 0 || g.gl_pathc == 0) {
    globfree(&g);
    GTEST_SKIP() << "fpc-source is not installed";
  }
  const std::string fclBase = g.gl_pathv[0];
  globfree(&g);
  const FolderImportResult r = Import(1, true, fclBase);
  EXPECT_TRUE(r.laidOut) << r.layoutError;
  EXPECT_GE(r.files, 30);
  EXPECT_GE(r.boxes.size(), 60u);
  EXPECT_GE(r.inheritance, 20);
  ExpectReadable();
}

}  // namespace
}  // namespace zedro
