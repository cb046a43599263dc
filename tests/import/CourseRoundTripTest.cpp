// Sources as a course writes them, and a sample of the JDK's own classes: read in, exported
// again, and compiled. What the model cannot hold is named when reading.
#include <gtest/gtest.h>

#include <filesystem>

#include "ImportTestSupport.h"
#include "codegen/CodegenTestSupport.h"
#include "codegen/ExportSupport.h"
#include "model/Notation.h"
#include "model/Win1252.h"

namespace zedro {
namespace {

namespace fs = std::filesystem;
using testing::TestDiagram;

std::string Course(const std::string& file) {
  return std::string(ZEDRO_SOURCE_DIR) + "/tests/import/course/" + file;
}

// The class read from a source becomes a class of a diagram, connected by IST to a box of
// its ancestor as the import command does it, is exported into dir under its file name,
// and the path is returned.
std::string Export(std::unique_ptr<TUMLClass> cls, int language, const testing::TempDir& dir,
                   const std::string& fileName) {
  TestDiagram d;
  d.doc.Language = language;
  const std::string ancestor = cls->AncestorName;
  TUMLDrawClass* box = d.doc.AddClassBox(std::move(cls));
  box->SourceFileName = fileName;
  if (!ancestor.empty()) {
    TUMLDrawClass* parent = d.doc.AddClassBox(std::make_unique<TUMLClass>(ancestor));
    parent->UMLClass->IsLibraryClass = true;
    d.doc.AddConnection(box, 6, parent, 28, TConnectionKind::Ist);
  }
  ScriptedMessages quiet;
  const StringList text =
      language == 1 ? PascalUnitText(d.doc, *box, &quiet) : JavaClassText(d.doc, *box);
  const std::string path = dir.File(fileName);
  EXPECT_TRUE(WriteSourceFile(path, text, quiet));
  return path;
}

TEST(CourseRoundTrip, JavaClassesCompileAfterReadingAndExporting) {
  if (!testing::HaveProgram("javac")) GTEST_SKIP() << "javac is not installed";
  NotationScope n(2);
  testing::TempDir dir;
  const std::pair<const char*, std::string> sources[] = {
      {"Konto.java",
       W("Nicht alles in der Java Quelldatei konnte eingelesen werden:\n"
         "Die Anfangswerte der Attribute 'anzahl', 'MAX_BUCHUNGEN', 'namen', 'inhaber' wurden "
         "nicht übernommen.")},
      {"Stapel.java",
       W("Nicht alles in der Java Quelldatei konnte eingelesen werden:\n"
         "Das innere Interface 'Besucher' wurde übergangen.\n"
         "Die innere Aufzählung (enum) 'Art' wurde übergangen.\n"
         "Die Anfangswerte der Attribute 'elemente', 'TRENNER' wurden nicht übernommen.")}};
  for (const auto& [file, message] : sources) {
    ScriptedMessages msgs;
    auto cls = TJavaParser(Course(file), msgs).Parse();
    ASSERT_TRUE(cls);
    EXPECT_EQ(msgs.Texts(), (std::vector<std::string>{message})) << file;
    Export(std::move(cls), 2, dir, file);
  }
  const testing::RunResult r = testing::RunCommand(
      "cd '" + dir.Path() + "' && javac -encoding UTF-8 -nowarn -d classes *.java");
  EXPECT_EQ(r.status, 0) << r.output;
}

TEST(CourseRoundTrip, PascalUnitCompilesAfterReadingAndExporting) {
  if (!testing::HaveProgram("fpc")) GTEST_SKIP() << "fpc is not installed";
  NotationScope n(1);
  testing::TempDir dir;
  ScriptedMessages msgs;
  auto cls = testing::ReadPascalClassFully(
      SourceLinesFromBytes(testing::ReadText(Course("mZaehler.pas"))), "TZaehler", msgs);
  ASSERT_TRUE(cls);
  EXPECT_EQ(msgs.Texts(),
            (std::vector<std::string>{
                W("Nicht alles in der Deklaration der Klasse 'TZaehler' konnte eingelesen "
                  "werden:\nDie Eigenschaft (property) 'Stand' wurde übergangen.")}));
  const TMethod* kopiere = testing::MethodNamed(*cls, "Kopiere");
  ASSERT_NE(kopiere, nullptr);
  EXPECT_EQ(kopiere->ParameterListText(1), "CONST Quelle; VAR Ziel; Anzahl: Integer");
  EXPECT_EQ(kopiere->Code.size(), 3u);
  Export(std::move(cls), 1, dir, "mZaehler.pas");
  const testing::RunResult r =
      testing::RunCommand("cd '" + dir.Path() + "' && fpc -Mdelphi -vn- mZaehler.pas");
  EXPECT_EQ(r.status, 0) << r.output;
}

// A sample of java.base: classes that need nothing the model leaves out (nested types,
// native methods, implemented interfaces, which an implements list names and the import
// passes over; java.util.Scanner, whose attribute has the type of
// one of its nested classes, java.util.zip.CRC32, whose methods call its native ones, or
// java.util.Random, passed on as a RandomGenerator, do not compile without them). Their package, which the model does not keep, is put back in front,
// and they are compiled in place of the JDK's own.
TEST(CourseRoundTrip, JdkClassesCompileAfterReadingAndExporting) {
  const char* zip = "/usr/lib/jvm/openjdk-17/lib/src.zip";
  if (!fs::exists(zip) || !testing::HaveProgram("unzip") || !testing::HaveProgram("javac"))
    GTEST_SKIP() << "openjdk-17-source, unzip or javac is missing";
  const char* const classes[] = {
      "java/util/Optional",     "java/util/OptionalInt", "java/util/OptionalDouble",
      "java/util/StringJoiner", "java/util/Objects",     "java/util/StringTokenizer",
      "java/lang/StringBuilder", "java/util/BitSet",     "java/lang/Boolean"};
  testing::TempDir sources, out;
  std::string names;
  for (const char* c : classes) names += std::string(" 'java.base/") + c + ".java'";
  ASSERT_EQ(testing::RunCommand(std::string("unzip -q -o ") + zip + names + " -d '" +
                                sources.Path() + "'")
                .status,
            0);
  NotationScope n(2);
  std::string files;
  for (const char* c : classes) {
    SCOPED_TRACE(c);
    testing::QuietMessages msgs;
    const std::string path = sources.Path() + "java.base/" + c + ".java";
    auto cls = TJavaParser(path, SourceLinesFromBytes(testing::ReadText(path)), msgs).Parse();
    ASSERT_TRUE(cls);
    const std::string package = fs::path(c).parent_path().string();
    const std::string file = fs::path(c).filename().string() + ".java";
    const std::string exported = Export(std::move(cls), 2, out, file);
    std::string dotted = package;
    std::replace(dotted.begin(), dotted.end(), '/', '.');
    const std::string target = out.Path() + package + "/" + file;
    fs::create_directories(out.Path() + package);
    std::ofstream(target) << "package " << dotted << ";\n" << testing::ReadText(exported);
    files += " '" + target + "'";
  }
  const testing::RunResult r = testing::RunCommand(
      "cd '" + out.Path() + "' && javac -encoding UTF-8 -nowarn --patch-module java.base=. -d classes" +
      files);
  EXPECT_EQ(r.status, 0) << r.output.substr(0, 3000);
}

}  // namespace
}  // namespace zedro
