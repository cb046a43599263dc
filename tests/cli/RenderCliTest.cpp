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

// A 24-bit BMP as the render module writes it: rows bottom-up, padded to four bytes.
class Bmp {
 public:
  explicit Bmp(std::string bytes) : b_(std::move(bytes)) {}
  bool Valid() const {
    return b_.size() > 54 && b_.substr(0, 2) == "BM" && (Word(b_, 28, false) & 0xFFFF) == 24 &&
           b_.size() >= static_cast<size_t>(Offset() + Stride() * Height());
  }
  int Width() const { return Word(b_, 18, false); }
  int Height() const { return Word(b_, 22, false); }
  bool Black(int x, int y) const { return Rgb(x, y) == 0; }
  bool White(int x, int y) const { return Rgb(x, y) == 0xFFFFFF; }

 private:
  int Offset() const { return Word(b_, 10, false); }
  int Stride() const { return (Width() * 3 + 3) / 4 * 4; }
  std::uint32_t Rgb(int x, int y) const {
    const size_t at = static_cast<size_t>(Offset() + (Height() - 1 - y) * Stride() + 3 * x);
    return std::uint32_t{static_cast<unsigned char>(b_[at])} |
           std::uint32_t{static_cast<unsigned char>(b_[at + 1])} << 8 |
           std::uint32_t{static_cast<unsigned char>(b_[at + 2])} << 16;
  }
  std::string b_;
};

// Scale 1 is the screen's picture; larger scales keep the geometry printed as JSON.
TEST_F(RenderCli, WritesThePictureAndTheGeometryAtEveryScale) {
  const std::string urd = Example("Fahrzeuge.urd") + " ";
  std::string geometry;
  for (const char* ext : {".png", ".bmp"}) {
    const std::string a = File(std::string("a") + ext), b = File(std::string("b") + ext);
    const CliRun plain = Render(urd + a), one = Render(urd + b + " --scale 1");
    ASSERT_EQ(0, plain.status) << plain.err;
    ASSERT_EQ(0, one.status) << one.err;
    EXPECT_EQ("", plain.err);
    EXPECT_EQ(plain.out, one.out);
    EXPECT_EQ(ReadAll(a), ReadAll(b)) << ext;
    geometry = plain.out;
  }
  const int width = Values(geometry, "Width").at(0), height = Values(geometry, "Height").at(0);
  const std::string png = ReadAll(File("a.png"));
  ASSERT_GT(png.size(), 24u);
  EXPECT_EQ("\x89PNG", png.substr(0, 4));
  EXPECT_EQ(width, Word(png, 16, true));
  EXPECT_EQ(height, Word(png, 20, true));
  // Four boxes, three connections' text boxes and the note; the surface grew around them.
  const auto lefts = Values(geometry, "Left"), tops = Values(geometry, "Top");
  const auto rights = Values(geometry, "Right"), bottoms = Values(geometry, "Bottom");
  ASSERT_EQ(4u + 3u + 1u, rights.size());
  EXPECT_EQ(std::max(*std::max_element(rights.begin(), rights.end()) + 50, 505), width);
  EXPECT_EQ((std::vector<int>{1, 2, 3}), Values(geometry, "StartSide"));  // top, right, bottom
  EXPECT_EQ((std::vector<int>{3, 4, 2}), Values(geometry, "EndSide"));

  EXPECT_EQ(2, Render(urd + File("b.png") + " --scale 2 --sub 0").status) << "sub-diagrams count from 1";
  const CliRun two = Render(urd + "--scale 2 " + File("b.bmp"));
  const CliRun twoPng = Render(urd + File("b.png") + " --scale 2");
  ASSERT_EQ(0, two.status) << two.err;
  ASSERT_EQ(0, twoPng.status) << twoPng.err;
  EXPECT_EQ(geometry, two.out) << "the geometry is the screen's";
  EXPECT_EQ(geometry, twoPng.out);
  const Bmp small(ReadAll(File("a.bmp"))), large(ReadAll(File("b.bmp")));
  ASSERT_TRUE(small.Valid());
  ASSERT_TRUE(large.Valid());
  EXPECT_EQ(width, small.Width());
  EXPECT_EQ(2 * width, large.Width());
  EXPECT_EQ(2 * height, large.Height());
  const std::string png2 = ReadAll(File("b.png"));
  ASSERT_GT(png2.size(), 24u);
  EXPECT_EQ(2 * width, Word(png2, 16, true));
  EXPECT_EQ(2 * height, Word(png2, 20, true));

  // Every box frame lies on the doubled pixels of the frame at the diagram's size.
  for (size_t i = 0; i < 4; ++i) {  // the four boxes come first
    const int l = lefts[i], t = tops[i], r = rights[i] - 1, b = bottoms[i] - 1, y = t + 2;
    ASSERT_TRUE(small.Black(l, y) && small.Black(r, y) && small.Black(l + 5, t) && small.Black(l + 5, b));
    for (int d : {0, 1}) {
      EXPECT_TRUE(large.Black(2 * l + d, 2 * y)) << i;
      EXPECT_TRUE(large.Black(2 * r + d, 2 * y)) << i;
      EXPECT_TRUE(large.Black(2 * l + 10, 2 * t + d)) << i;
      EXPECT_TRUE(large.Black(2 * l + 10, 2 * b + d)) << i;
    }
    EXPECT_TRUE(large.White(2 * l - 1, 2 * y) && large.White(2 * l + 2, 2 * y)) << i;
    EXPECT_TRUE(large.White(2 * r + 2, 2 * y) && large.White(2 * l + 10, 2 * t + 2)) << i;
  }
}

TEST_F(RenderCli, SvgAndPdfHoldTheTextsAsText) {
  CliRun svg = Render(Example("Fahrzeuge.urd") + " " + File("bild.SVG"));
  ASSERT_EQ(0, svg.status) << svg.err;
  const std::string xml = ReadAll(File("bild.SVG"));
  EXPECT_EQ(0u, xml.find("<?xml"));
  for (const char* text : {">TFahrzeug</text>", ">TRad</text>", ">n</text>",
                           ">- durchmesser: Integer</text>", ">Räder des Autos</text>"})
    EXPECT_TRUE(Has(xml, text)) << text;

  CliRun pdf = Render(Example("Fahrzeuge.urd") + " " + File("bild.pdf") + " --scale 3");
  ASSERT_EQ(0, pdf.status) << pdf.err;
  EXPECT_EQ(svg.out, pdf.out);
  EXPECT_EQ("%PDF", ReadAll(File("bild.pdf")).substr(0, 4));
  ASSERT_EQ(0, std::system(("pdftotext '" + File("bild.pdf") + "' " + File("bild.txt")).c_str()));
  const std::string text = ReadAll(File("bild.txt"));
  for (const char* name : {"TFahrzeug", "TAuto", "TFahrer", "TRad", "Räder des Autos"})
    EXPECT_TRUE(Has(text, name)) << name << " in\n" << text;
}

TEST_F(RenderCli, UnknownTypesAndScalesAreRefusedWithTheUsage) {
  for (const char* args : {"x.gif", "x.png --scale 0", "x.png --scale zwei", "x.png --scale 17",
                           "x.png --scale 2 --scale 2", "x.png --sub", "x.svg --farbe 2"}) {
    CliRun r = Render(Example("Fahrzeuge.urd") + " " + File(args));
    EXPECT_EQ(2, r.status) << args;
    EXPECT_TRUE(Has(r.err, "render FILE.urd OUT.svg|OUT.pdf|OUT.png|OUT.bmp [--scale N] [--sub N]"))
        << r.err;
  }
  EXPECT_FALSE(fs::exists(File("x.png")));
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
