#include <gtest/gtest.h>

#include "codegen/ClassDocumentation.h"
#include "codegen/CodegenTestSupport.h"
#include "model/Messages.h"

using namespace zedro;
using namespace zedro::testing;

namespace {

std::vector<std::string> Texts(const TDocLines& lines) {
  std::vector<std::string> out;
  for (const TDocLine& l : lines) out.push_back(l.Text);
  return out;
}

// "b" bold, "u" bold and underlined, "p" plain: the style of every line.
std::string Styles(const TDocLines& lines) {
  std::string out;
  for (const TDocLine& l : lines) out += l.Font.Underline ? 'u' : l.Font.Bold ? 'b' : 'p';
  return out;
}

std::string CollapseBlanks(const std::string& s) {
  std::string out;
  for (char c : s)
    if (!(c == ' ' && !out.empty() && out.back() == ' ')) out += c;
  return out;
}

}  // namespace

TEST(ClassDocumentation, AncestorsRelationshipsAttributesAndMethods) {
  TestDiagram d;
  TUMLClass& c = d.Class("TAuto");
  c.Documentation = {"Ein Auto.", W("Fährt.")};
  d.Connect("TAuto", TConnectionKind::Ist, "TA");
  d.Connect("TAuto", TConnectionKind::Ist, "TB");
  d.Connect("TAuto", TConnectionKind::Ist, "TAuto");  // no ancestor of its own
  d.Connect("TAuto", TConnectionKind::Hat, "TRad", "4");
  d.Connect("TAuto", TConnectionKind::Hat, "TSitz", "0");  // not listed
  d.Connect("TAuto", TConnectionKind::Kennt, "TFahrer", "n");
  d.Connect("TKunde", TConnectionKind::Kennt, "TAuto", "1", "2");
  d.Connect("THalter", TConnectionKind::Kennt, "TAuto", "1", "0");
  // Messages are listed as what they are, with the method they call.
  d.Connect("TAuto", TConnectionKind::Auftrag, "TFahrer")->Method =
      AddMeth(d.Class("TFahrer"), {"steige", TMethodKind::Procedure, {{"ein", "Boolean"}}});
  d.Connect("TAuto", TConnectionKind::Anfrage, "TKunde", "0", "int");
  TMethod* gone = AddMeth(d.Class("TKunde"), {"gibAlter", TMethodKind::Function, {}, "int"});
  d.Connect("TAuto", TConnectionKind::Anfrage, "TKunde", "gibAlter", "int")->Method = gone;
  d.Class("TKunde").RemoveMethod(gone);  // a method that has left its class is not called
  d.Connect("TAuto", TConnectionKind::ClassInfo, "TAuto");  // the class itself is no partner
  AddAttr(c, "km", "Integer")->Documentation = {"Kilometerstand"};
  AddMeth(c, {"Create", TMethodKind::Constructor});
  AddMeth(c, {"fahre", TMethodKind::Procedure, {{"km", "Integer"}, {"ziel", "String"}}})
      ->Documentation = {"bewegt das Auto"};
  AddMeth(c, {"gibStand", TMethodKind::Function, {}, "Integer"});
  AddMeth(c, {"hupe", TMethodKind::Procedure, {}, "void"});  // a Java function read as procedure
  AddMeth(c, {"Destroy", TMethodKind::Destructor});

  TDocLines lines = BuildClassDocumentation(c, d.doc.Connections);
  EXPECT_EQ(
      Texts(lines),
      Concat({{"", "Dokumentation der Klasse \"TAuto\"", "", "Beschreibung der Klasse:",
               "  Ein Auto.", W("  Fährt."), "", "Bezugsklasse:    TA, TB.", ""},
              {"Objektbeziehungen", W("TRad   (Beziehungstyp: Hat, Kardinalität 4)"),
               W("TFahrer   (Beziehungstyp: Kennt, Kardinalität n)"),
               W("TKunde   (Beziehungstyp: Kennt, Kardinalität 2)"), ""},
              {"Botschaften", "TFahrer   (Auftrag: steige(ein : Boolean))",
               "TKunde   (Anfrage ohne Methode)", "TKunde   (Anfrage ohne Methode)", "", ""},
              {"Attribute", "", "km : Integer", "        Kilometerstand", "", ""},
              {"Protokoll der Dienste / Methoden", "", "Konstruktor ", "   Create()", "",
               "Auftrag     ", "   fahre(km : Integer, ziel : String)", "        bewegt das Auto",
               "", "Auftrag     ", "   hupe() : void", "", "Anfrage     ",
               "   gibStand() : Integer", "", "Destruktor  ", "   Destroy()", ""}}));
  EXPECT_EQ(Styles(lines),
            "bupbpppppubbbpubbbpuuubpppup"
            "pbppbpppbppbppbp");
  EXPECT_EQ(lines.back().Font.Name, "ARIAL");
  EXPECT_EQ(lines.back().Font.Color, RGB(0, 0, 255));
  EXPECT_EQ(lines[1].Font.Size, 12);
  EXPECT_EQ(lines[3].Font.Size, 10);
  EXPECT_EQ(DocumentationFileName(c), "Doku_TAuto.rtf");
}

TEST(ClassDocumentation, RtfFileReadsBackWithUmlautsAndSpecialCharacters) {
  TestDiagram d;
  TUMLClass& c = d.Class(W("TGrößе"));
  c.Name = W("TGröße{x}");
  c.Documentation = {W("Prüft \\par und {geschweifte} Klammern")};
  AddAttr(c, W("maß"), "Real")->Documentation = {"}}}{{{\\"};
  TDocLines lines = BuildClassDocumentation(c, d.doc.Connections);

  std::string rtf = WriteRtf(lines);
  EXPECT_EQ(rtf.rfind("{\\rtf1\\ansi\\ansicpg1252", 0), 0u);
  EXPECT_NE(rtf.find("{\\fonttbl{\\f0\\fnil\\fcharset0 ARIAL;}}"), std::string::npos);
  EXPECT_NE(rtf.find("{\\colortbl ;\\red0\\green0\\blue255;}"), std::string::npos);
  EXPECT_NE(rtf.find("\\'f6\\'df"), std::string::npos);  // ö and ß
  for (char ch : rtf) EXPECT_LT(static_cast<unsigned char>(ch), 0x80);

  if (!HaveProgram("unrtf")) GTEST_SKIP() << "unrtf is not installed";
  TempDir dir;
  ScriptedMessages messages;
  ASSERT_TRUE(SaveDocumentation(dir.File("doku.rtf"), lines, messages));
  // unrtf shows runs of blanks as one blank, and non-ASCII characters as Windows-1252 bytes.
  RunResult r = RunCommand("unrtf --text '" + dir.File("doku.rtf") + "'");
  ASSERT_EQ(r.status, 0) << r.output;
  std::string want;
  for (const TDocLine& l : lines) want += l.Text + "\n";
  want = CollapseBlanks(want);
  const size_t rule = r.output.find("-----------------\n");
  ASSERT_NE(rule, std::string::npos) << r.output;
  EXPECT_EQ(CollapseBlanks(r.output.substr(rule + 18)).substr(0, want.size()), want);
}
