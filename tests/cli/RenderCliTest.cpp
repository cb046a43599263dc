// zedro-cli render: the picture file and the geometry printed as JSON.
#include <algorithm>
#include <cstdint>
#include <regex>
#include <vector>

#include "cli/CliSupport.h"

namespace zedro::clitest {
namespace {

class RenderCli : public CliFixture {
 protected:
  CliRun Render(const std::string& args) {
    CliRun r = Run("render " + args);
    if (Has(r.err, "kann keine Bilder zeichnen")) skip_ = true;
    return r;
  }
  bool skip_ = false;
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
  if (skip_) GTEST_SKIP() << "zedro-cli was built without the Qt canvas";
  ASSERT_EQ(0, r.status) << r.err;
  EXPECT_EQ("", r.err);

  const int width = Values(r.out, "Width").at(0), height = Values(r.out, "Height").at(0);
  const std::string bytes = ReadAll(File("fahrzeuge.png"));
  ASSERT_GT(bytes.size(), 24u);
  EXPECT_EQ("\x89PNG", bytes.substr(0, 4));
  EXPECT_EQ(width, Word(bytes, 16, true));
  EXPECT_EQ(height, Word(bytes, 20, true));

  // Four boxes, then three connections with their text boxes, then the note, each
  // rectangle after painting; the surface (505 x 385 at first) grew around them.
  const auto rights = Values(r.out, "Right"), bottoms = Values(r.out, "Bottom");
  ASSERT_EQ(4u + 3u + 1u, rights.size());
  const int maxRight = *std::max_element(rights.begin(), rights.end());
  const int maxBottom = *std::max_element(bottoms.begin(), bottoms.end());
  EXPECT_EQ(maxRight > 505 ? maxRight + 50 : 505, width);
  EXPECT_EQ(maxBottom > 385 ? maxBottom + 50 : 385, height);
  EXPECT_EQ((std::vector<int>{1, 2, 3}), Values(r.out, "StartSide"));  // top, right, bottom
  EXPECT_EQ((std::vector<int>{3, 4, 2}), Values(r.out, "EndSide"));
}

TEST_F(RenderCli, SubDiagramsBitmapsAndRefusals) {
  CliRun r = Render(Example("Fahrzeuge.urd") + " " + File("objekte.BMP") + " --sub 1");
  if (skip_) GTEST_SKIP() << "zedro-cli was built without the Qt canvas";
  ASSERT_EQ(0, r.status) << r.err;
  EXPECT_EQ(2u, Values(r.out, "Left").size() - Values(r.out, "Kind").size());
  const std::string bytes = ReadAll(File("objekte.BMP"));
  ASSERT_GT(bytes.size(), 26u);
  EXPECT_EQ("BM", bytes.substr(0, 2));
  EXPECT_EQ(Values(r.out, "Width").at(0), Word(bytes, 18, false));
  EXPECT_EQ(Values(r.out, "Height").at(0), std::abs(Word(bytes, 22, false)));

  CliRun missing = Render(Example("Fahrzeuge.urd") + " " + File("keins.png") + " --sub 2");
  EXPECT_EQ(1, missing.status);
  EXPECT_EQ("[error] Das Diagramm hat kein Teildiagramm 2.\n", missing.err);
  EXPECT_FALSE(fs::exists(File("keins.png")));
  EXPECT_EQ(2, Render(Example("Bank.urd") + " " + File("bank.gif")).status);

  // A file that cannot be read gives its message and no picture of an empty surface.
  CliRun unreadable = Render(File("fehlt.urd") + " " + File("fehlt.png"));
  EXPECT_EQ(1, unreadable.status);
  EXPECT_FALSE(fs::exists(File("fehlt.png")));
  // A picture that cannot be written is reported.
  CliRun unwritable = Render(Example("Bank.urd") + " " + File("gibtsnicht/b.png"));
  EXPECT_EQ(1, unwritable.status);
  EXPECT_TRUE(Has(unwritable.err, "konnte nicht geschrieben werden"));
}

}  // namespace
}  // namespace zedro::clitest
