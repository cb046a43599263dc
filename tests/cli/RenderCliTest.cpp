// zedro-cli render: the picture file and the geometry printed as JSON, drawn by the render
// module that only this command loads.
#include <algorithm>
#include <cstdint>
#include <regex>
#include <vector>

#include "cli/CliSupport.h"
#include "diagram/DiagramDocument.h"
#include "model/Messages.h"
#include "persistence/DiagramFile.h"

namespace zedro::clitest {
namespace {

class RenderCli : public CliFixture {
 protected:
  void SetUp() override {
    CliFixture::SetUp();
#ifndef ZEDRO_HAVE_RENDER_MODULE
    GTEST_SKIP() << "built without the Qt canvas: there is no render module";
#endif
  }
  CliRun Render(const std::string& args) { return Run("render " + args); }
};

// Every value of a numeric field, in the order of the output.
std::vector<int> Values(const std::string& json, const std::string& key) {
  std::vector<int> v;
  std::regex re("\"" + key + "\": (-?[0-9]+)");
  for (auto it = std::sregex_iterator(json.begin(), json.end(), re); it != std::sregex_iterator();
       ++it)
    v.push_back(std::stoi((*it)[1]));
  return v;
}

// A 32-bit number of a picture header.
std::int32_t Word(const std::string& b, size_t at, bool bigEndian) {
  std::uint32_t v = 0;
  for (int i = 0; i < 4; ++i)
    v |= std::uint32_t{static_cast<unsigned char>(b[at + (bigEndian ? 3 - i : i)])} << (8 * i);
  return static_cast<std::int32_t>(v);
}

TEST_F(RenderCli, WritesThePictureAndTheGeometryOfTheMainDiagram) {
  CliRun r = Render(Example("Fahrzeuge.urd") + " " + File("fahrzeuge.png"));
  ASSERT_EQ(0, r.status) << r.err;
  EXPECT_EQ("", r.err);

  const int width = Values(r.out, "Width").at(0), height = Values(r.out, "Height").at(0);
  const std::string bytes = ReadAll(File("fahrzeuge.png"));
  ASSERT_GT(bytes.size(), 24u);
  EXPECT_EQ("\x89PNG", bytes.substr(0, 4));
  EXPECT_EQ(width, Word(bytes, 16, true));
  EXPECT_EQ(height, Word(bytes, 20, true));
  // Four boxes, three connections' text boxes and the note; the surface grew around them.
  const auto rights = Values(r.out, "Right");
  ASSERT_EQ(4u + 3u + 1u, rights.size());
  EXPECT_EQ(std::max(*std::max_element(rights.begin(), rights.end()) + 50, 505), width);
  EXPECT_EQ((std::vector<int>{1, 2, 3}), Values(r.out, "StartSide"));  // top, right, bottom
  EXPECT_EQ((std::vector<int>{3, 4, 2}), Values(r.out, "EndSide"));
}

// A box beyond the largest picture is named instead of being dropped without a word.
TEST_F(RenderCli, NamesTheBoxesLeftOutsideThePicture) {
  DiagramDocument doc;
  for (auto [name, x] :
       {std::pair{"TDrinnen", 100}, std::pair{"TDraussen", 12000}, std::pair{"TAmRand", 9950}}) {
    TUMLDrawClass* box = doc.AddClassBox(std::make_unique<TUMLClass>(name), x, 100);
    box->Right = x + 150;
    box->Bottom = 200;
  }
  ScriptedMessages m;
  ASSERT_TRUE(WriteDiagramFile(doc, File("breit.urd"), m));
  CliRun r = Render(File("breit.urd") + " " + File("breit.bmp"));
  EXPECT_EQ(1, r.status);
  EXPECT_EQ(r.err,
            "[warning] Ein Bild ist höchstens 10000 x 10000 Pixel groß. Ganz oder teilweise "
            "außerhalb des Bildes liegen und fehlen darin: TDraussen, TAmRand.\n");
  EXPECT_TRUE(fs::exists(File("breit.bmp")));  // what fits is still drawn
  EXPECT_EQ(10000, Values(r.out, "Width").at(0));
}

// Commands that draw nothing run without Qt; render without its module says what is
// missing.
using RenderModule = CliFixture;

TEST_F(RenderModule, OnlyRenderLoadsQtAndAMissingModuleIsNamed) {
  const std::string libs = File("libs");
  std::system(("LD_DEBUG=libs " + std::string(ZEDRO_CLI) + " dump " + Example("Fahrzeuge.urd") +
               " >/dev/null 2>" + libs)
                  .c_str());
  const std::string loaded = ReadAll(libs);
  EXPECT_TRUE(Has(loaded, "libstdc++")) << loaded;  // LD_DEBUG did report
  EXPECT_FALSE(Has(loaded, "libQt6"));

  // A copy of the program in a directory of its own has no module beside it.
  const std::string lone = File("zedro-cli");
  fs::copy_file(ZEDRO_CLI, lone);
  const int rc = std::system(
      (lone + " render " + Example("Fahrzeuge.urd") + " " + File("x.png") + " 2>" + File("err"))
          .c_str());
  EXPECT_EQ(1, WEXITSTATUS(rc));
  EXPECT_EQ(ReadAll(File("err")),
            "[error] Das Modul 'zedro-render.so' von zedro-cli fehlt (gesucht in: " +
                dir_.string() + ", " + dir_.string() + "/" + ZEDRO_MODULE_DIR_FROM_PROGRAM +
                ").\\nOhne es kann zedro-cli keine Bilder zeichnen.\n");
  EXPECT_FALSE(fs::exists(File("x.png")));
}

}  // namespace
}  // namespace zedro::clitest
