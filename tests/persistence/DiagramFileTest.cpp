#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <tuple>

#include "diagram/DiagramDocument.h"
#include "model/Messages.h"
#include "model/Win1252.h"
#include "persistence/DiagramFile.h"
#include "persistence/Files.h"
#include "persistence/FuzzEntry.h"
#include "persistence/ValueStream.h"
#include "support/OldFileWriter.h"
#include "support/TestDir.h"

using namespace zedro;
using namespace zedro::testing;

namespace {

// A connection from TAuto (box 1) to TFahrzeug (box 0); files before 141 give its ends as
// coordinates.
OldConnection FromAuto(int kind, int startPoint, int endPoint, TPoint start, TPoint end) {
  OldConnection c{.kind = kind, .startBox = 1, .startPoint = startPoint, .endBox = 0};
  c.endPoint = endPoint, c.startX = start.X, c.startY = start.Y, c.endX = end.X, c.endY = end.Y;
  return c;
}

OldDiagram Sample() {
  OldMethod fahre{.name = "Fahre", .parameterText = "km: Integer; var ziel: String"};
  fahre.parameters = {{"km", "Integer"}, {"VAR ziel", "String"}};
  fahre.code = {"begin", "end;"}, fahre.directives = {"VIRTUAL"};
  OldMethod gib{.name = "GibKm", .result = "Integer", .kind = 2, .isAbstract = true};
  gib.directives = {"abstract", "virtual"};
  OldBox fahrzeug{.sourceFile = "mTFahrzeug.pas"};
  fahrzeug.cls = {.name = "TFahrzeug", .kind = 1, .doc = {"Ein Fahrzeug"}};
  fahrzeug.cls.interfaceUses = {"SysUtils", ";"};
  fahrzeug.cls.attributes = {{"km", "Integer", 2, {"Kilometer"}, 1}};
  fahrzeug.cls.methods = {fahre, gib};
  OldBox auto_{.left = 200, .right = 300, .cls = {.name = "TAuto"}};
  auto_.cls.attributes = {{"hatRad", "TRad"}};
  OldConnection ist = FromAuto(1, 28, 1, {250, 60}, {17, 10});
  ist.color = 170;
  OldConnection auftrag = FromAuto(10, 2, 3, {216, 10}, {32, 10});
  auftrag.method = 0, auftrag.endText = "fahre los", auftrag.textLines = {"fahre los"};
  OldConnection hat = FromAuto(2, 4, 5, {233, 10}, {47, 10});
  hat.attributes = {0}, hat.endText = "4";
  OldSub sub{.name = "Unterdiagramm 1 - Objekte"};
  sub.boxes = {{.isObject = true, .objectName = "f1", .values = {"100"}}, {.classIndex = 1}};
  OldDiagram d{.filter = 2, .boxes = {fahrzeug, auto_}, .connections = {ist, auftrag, hat}};
  d.infoBoxes = {{"Notiz"}}, d.subs = {sub};
  return d;
}

struct Loaded {
  std::unique_ptr<DiagramDocument> doc = std::make_unique<DiagramDocument>();
  ScriptedMessages messages;
  LoadResult result;
};

std::unique_ptr<Loaded> Load(const std::string& bytes, const std::string& path = "/p/Bank.urd") {
  auto l = std::make_unique<Loaded>();
  l->result = ReadDiagram(*l->doc, bytes, path, l->messages);
  return l;
}

TUMLClass& ClassOf(DiagramDocument& d, int i) { return *d.DrawClasses.At(i)->UMLClass; }

}  // namespace

TEST(DiagramFile, EveryVersionLoadsWithItsConversions) {
  for (int v : {134, 140, 141, 150, 160, 170, 175, 183, 184}) {
    SCOPED_TRACE("version " + std::to_string(v));
    auto l = Load(WriteOldDiagram(Sample(), v));
    DiagramDocument& d = *l->doc;
    EXPECT_TRUE(l->result.completed);
    EXPECT_EQ(l->result.version, v);
    EXPECT_EQ(l->messages.Contains("Altes Diagramm. Typ: " + std::to_string(v)), v < 184);
    ASSERT_EQ(d.DrawClasses.Count(), 2);
    TUMLClass& fz = ClassOf(d, 0);
    EXPECT_TRUE(fz.IsAbstract);
    ASSERT_EQ(fz.Methods.Count(), 2);
    TMethod *fahre = fz.Methods.At(0), *gib = fz.Methods.At(1);
    EXPECT_EQ(fahre->ParameterListText(1), "km: Integer; VAR ziel: String");
    // Directives of old files: virtual means overridable; no list at all means final.
    const bool v137 = v > 136;
    EXPECT_EQ(
        std::tuple(fz.InterfaceUses.size(), fahre->Code.size(), fahre->IsFinal, gib->IsAbstract),
        std::tuple(v137 ? 2u : 0u, v137 ? 2u : 0u, !v137, v137));
    EXPECT_EQ(gib->Kind, v > 140 ? TMethodKind::Function : TMethodKind::Procedure);
    ASSERT_EQ(fz.Attributes.Count(), 1);
    EXPECT_EQ(fz.Attributes.At(0)->Documentation, StringList{"Kilometer"});
    EXPECT_EQ(fz.Attributes.At(0)->ReadMethod, v > 172 ? gib : nullptr);
    EXPECT_EQ(d.DrawClasses.At(0)->SourceFileName, v > 170 ? "mTFahrzeug.pas" : "");

    ASSERT_EQ(d.Connections.Count(), 3);
    TConnection *ist = d.Connections.At(0), *auftrag = d.Connections.At(1),
                *hat = d.Connections.At(2);
    EXPECT_EQ(std::tuple(ist->StartBox, ist->StartPoint, ist->EndBox, ist->EndPoint, ist->Color),
              std::tuple(d.DrawClasses.At(1), 28, d.DrawClasses.At(0), 1, 170));
    EXPECT_EQ(auftrag->Color, v > 141 ? 0 : 8388736);
    EXPECT_EQ(auftrag->Method, v > 142 ? fahre : nullptr);
    EXPECT_EQ(hat->Color, v > 141 ? 0 : 11141120);
    EXPECT_EQ(hat->Attributes.Count(), v > 142 ? 1 : 0);

    EXPECT_EQ(d.InfoBoxes.Count(), v > 150 ? 1 : 0);
    const TFOptions& o = d.ClassOptions;  // the old filter 2 of versions 135 to 150
    if (v > 134 && v < 151) {
      EXPECT_EQ(std::tuple(o.RgPrivate, o.RgProtected, o.RgPublic),
                std::tuple(TShowOption::Unset, TShowOption::Unset, TShowOption::Yes));
    }
    ASSERT_EQ(d.SubDiagrams.size(), v > 153 ? 1u : 0u);
    if (v > 153) {
      DiagramDocument& sub = *d.SubDiagrams[0];
      EXPECT_EQ(sub.FileName, v > 170 ? "Unterdiagramm 1 - Objekte" : "Bank. Unterdiagramm 1");
      ASSERT_EQ(sub.DrawClasses.Count(), 2);
      EXPECT_EQ(sub.DrawClasses.At(0)->UMLClass, &fz);
      EXPECT_EQ(sub.DrawClasses.At(0)->IsObjectBox(), v >= 176);
      if (v >= 176) {
        auto* obj = static_cast<TUMLDrawObject*>(sub.DrawClasses.At(0));
        EXPECT_EQ(obj->ObjectName, "f1");
        EXPECT_EQ(obj->Values.ValueAt(0), "100");
      }
    }
  }
}

TEST(DiagramFile, VersionBoundaries) {
  auto low = Load(WriteOldDiagram(Sample(), 133));
  EXPECT_FALSE(low->result.completed);
  EXPECT_EQ(low->messages.Texts(),
            (std::vector<std::string>{"Altes Diagramm. Typ: 133",
                                      "Zedro-Datei hat die falsche Versionsnummer :'133'"}));
  std::string newer = WriteOldDiagram(Sample(), 184);
  newer[1] = static_cast<char>(190);  // 03 BE 00: a later version, read as 184
  auto high = Load(newer);
  EXPECT_TRUE(high->result.completed);
  EXPECT_EQ(high->messages.shown.at(0).text.rfind(
                "Diagramm hat den Typ: 190\nIhre Zedro-Version ist veraltet!", 0),
            0u);
  EXPECT_EQ(high->doc->DrawClasses.Count(), 2);
}

TEST(DiagramFile, RepairsBadConnectionReferences) {
  OldDiagram d = Sample();
  d.connections[2].attributes = {0, 7};
  d.connections[1].method = 9;
  auto l = Load(WriteOldDiagram(d, 184));
  EXPECT_TRUE(l->result.completed);
  EXPECT_TRUE(
      l->messages.Contains("Fehler in Attributliste einer Beziehung wird automatisch "
                           "beseitigt.\n\nStarklasse: TAuto\nZielklasse: TFahrzeug"));
  ASSERT_EQ(l->doc->Connections.Count(), 3);
  EXPECT_EQ(l->doc->Connections.At(2)->Attributes.Count(), 1);
  EXPECT_EQ(l->doc->Connections.At(1)->Method, nullptr);
}

TEST(DiagramFile, MalformedFilesStopAndKeepWhatWasRead) {
  // Wherever a file breaks off, the load stops, and what it keeps is a sound diagram: every
  // element in the lists was read completely, so the diagram saves and reloads unchanged.
  for (int v : {134, 140, 150, 160, 175, 184}) {
    std::string file = WriteOldDiagram(Sample(), v);
    for (size_t cut = 0; cut < file.size(); ++cut) {
      std::string part = file.substr(0, cut);
      auto l = Load(part);
      ASSERT_FALSE(l->result.completed) << v << " " << cut;
      ASSERT_TRUE(
          DiagramSurvivesRoundTrip(reinterpret_cast<const std::uint8_t*>(part.data()), part.size()))
          << v << " " << cut;
    }
  }
  std::string good = WriteOldDiagram(Sample(), 184);
  // A box index outside the diagram stops with the list's range message.
  OldDiagram d = Sample();
  d.connections[0].startBox = 5;
  auto bad = Load(WriteOldDiagram(d, 184));
  EXPECT_FALSE(bad->result.completed);
  EXPECT_TRUE(bad->messages.Contains("Index: 5 ausserhalb des Bereichs einer DrawClass-Liste"));
  // An enormous count ends the load at once instead of allocating for it.
  ValueWriter rest;
  rest.WriteInteger(1);
  TFOptions().Save(rest);
  TFCoOptions().Save(rest);
  rest.WriteInteger(2000000000);
  auto h = Load(good.substr(0, 3) + rest.Bytes());
  EXPECT_FALSE(h->result.completed);
  ASSERT_FALSE(h->messages.shown.empty());
  EXPECT_EQ(h->messages.shown.back().text, "Stream-Lesefehler");
}

TEST(DiagramFile, SavesAndReloadsEverything) {
  OldDiagram old = Sample();
  old.boxes[1].cls.attributes = {OldAttribute{"zahl", "Integer", 0},
                                 OldAttribute{"rad", "TRad", 2}};
  old.connections[2].attributes = {1, 0, 1};  // file order: rad (public) before zahl
  auto l = Load(WriteOldDiagram(old, 184));
  ASSERT_TRUE(l->result.completed);
  DiagramDocument& d = *l->doc;
  ASSERT_EQ(d.DrawClasses.Count(), 2);
  ASSERT_EQ(d.Connections.Count(), 3);
  // The attributes of a connection are sorted as those of the class.
  const TAttributeList& refs = d.Connections.At(2)->Attributes;
  ASSERT_EQ(refs.Count(), 3);
  EXPECT_EQ(refs.At(1)->Name + refs.At(2)->Name, "radzahl");
  ClassOf(d, 1).Name = W("TAutoGröße");
  // An attribute added since the objects were last rebuilt gets a value in them as well.
  ClassOf(d, 0).AddAttribute(
      std::make_unique<TAttribute>("aaa", "AAA", TVisibility::Published, StringList{}));
  std::string first = DiagramToBytes(d);
  auto again = Load(first);
  EXPECT_TRUE(again->messages.shown.empty());
  EXPECT_EQ(DiagramToBytes(*again->doc), first);
  ASSERT_EQ(again->doc->DrawClasses.Count(), 2);
  TUMLClass& fz = ClassOf(*again->doc, 0);
  ASSERT_EQ(fz.Attributes.Count(), 2);
  EXPECT_EQ(fz.Attributes.At(1)->ReadMethod, fz.Methods.At(1));  // km, after aaa
  ASSERT_EQ(again->doc->SubDiagrams.size(), 1u);
  ASSERT_GE(again->doc->SubDiagrams[0]->DrawClasses.Count(), 1);
  auto* obj = static_cast<TUMLDrawObject*>(again->doc->SubDiagrams[0]->DrawClasses.At(0));
  ASSERT_EQ(obj->Values.Count(), 2);
  for (int i = 0; i < 2; ++i)
    EXPECT_EQ(obj->Values.ValueAt(i), obj->Values.AttributeAt(i)->Name == "km" ? "100" : "-");
}

using DiagramFileSave = zedro::testing::TestDirFixture;

TEST_F(DiagramFileSave, SavingNeverDestroysTheOldFile) {
  const std::string path = File("a.urd");
  DiagramDocument doc;
  ScriptedMessages m;
  ASSERT_TRUE(WriteDiagramFile(doc, path, m));
  EXPECT_EQ(m.shown[0].text, "Speichere Diagramm unter: " + path);
  std::string before;
  ASSERT_TRUE(ReadFileBytes(path, before));

  // A write failing halfway (at the process's file size limit) leaves the old file and no other.
  auto l = Load(WriteOldDiagram(Sample(), 184));
  struct rlimit saved {};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
  auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  struct rlimit small = saved;
  small.rlim_cur = before.size() + 10;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  l->doc->Saved = false;
  bool written = WriteDiagramFile(*l->doc, path, m);
  ::setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, oldHandler);
  EXPECT_FALSE(written || l->doc->Saved);
  ASSERT_FALSE(m.shown.empty());
  EXPECT_EQ(m.shown.back().text.rfind("Die Datei '" + path + "' kann nicht geschrieben", 0), 0u);
  std::string after;
  EXPECT_TRUE(ReadFileBytes(path, after) && after == before);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_), {}), 1);
}

TEST(DiagramFile, ObjectValuesAreBoundedByTheFile) {
  // Object boxes that store no values may not make the reader set up more values than the
  // file has bytes.
  OldDiagram d{.boxes = {{.cls = {.name = "TViele"}}}};
  for (int i = 0; i < 2000; ++i)
    d.boxes[0].cls.attributes.push_back({"a" + std::to_string(i), "T"});
  const OldSubBox empty{.isObject = true, .objectName = "o"};
  d.subs = {{.name = "Objekte", .boxes = std::vector<OldSubBox>(100, empty)}};
  auto hostile = Load(WriteOldDiagram(d, 184));
  EXPECT_FALSE(hostile->result.completed);
  ASSERT_FALSE(hostile->messages.shown.empty());
  EXPECT_EQ(hostile->messages.shown.back().text, "Stream-Lesefehler");
  // More values than the class has attributes: the file is malformed.
  d.subs[0].boxes = {empty};
  d.subs[0].boxes[0].values.assign(2001, "x");
  auto surplus = Load(WriteOldDiagram(d, 184));
  EXPECT_FALSE(surplus->result.completed);
  ASSERT_FALSE(surplus->messages.shown.empty());
  EXPECT_EQ(surplus->messages.shown.back().text, W("Ungültiger Eigenschaftswert"));
}

TEST(DiagramFile, PurgedAttributeLeavesEveryConnectionAndObject) {
  OldDiagram d = Sample();
  d.connections[2].attributes = {0, 0};  // a damaged file may name an attribute twice
  d.subs[0].boxes[1] = {.classIndex = 1, .isObject = true, .objectName = "a", .values = {"r1"}};
  auto l = Load(WriteOldDiagram(d, 184));
  DiagramDocument& doc = *l->doc;
  ASSERT_EQ(doc.DrawClasses.Count(), 2);
  ASSERT_EQ(doc.Connections.Count(), 3);
  ASSERT_EQ(doc.SubDiagrams.size(), 1u);
  ASSERT_EQ(doc.SubDiagrams[0]->DrawClasses.Count(), 2);
  ClassOf(doc, 1).UpdateFrom(TUMLClass("TAuto"), doc.Purger());  // hatRad is gone
  EXPECT_EQ(doc.Connections.At(2)->Attributes.Count(), 0);
  EXPECT_EQ(static_cast<TUMLDrawObject*>(doc.SubDiagrams[0]->DrawClasses.At(1))->Values.Count(), 0);
  auto again = Load(DiagramToBytes(doc));
  EXPECT_TRUE(again->result.completed && again->messages.shown.empty());
}
