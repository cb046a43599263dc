// zedro-cli render: the picture file and the geometry printed as JSON.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

std::string ReadAll(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

struct Rendered {
  int status;
  std::string out;
  std::string err;
};

class RenderCli : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("zedro-render-test-" + std::to_string(::getpid()));
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  Rendered Render(const std::string& args) {
    const fs::path out = dir_ / "stdout", err = dir_ / "stderr";
    std::string cmd =
        std::string(ZEDRO_CLI) + " render " + args + " >" + out.string() + " 2>" + err.string();
    int rc = std::system(cmd.c_str());
    Rendered r{WEXITSTATUS(rc), ReadAll(out), ReadAll(err)};
    if (r.err.find("kann keine Bilder zeichnen") != std::string::npos) skip_ = true;
    return r;
  }
  static std::string Example(const std::string& name) {
    return std::string(ZEDRO_SOURCE_DIR) + "/examples/" + name;
  }

  fs::path dir_;
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

std::uint32_t BigEndian(const std::string& b, size_t at) {
  return static_cast<std::uint32_t>(static_cast<unsigned char>(b[at])) << 24 |
         static_cast<unsigned char>(b[at + 1]) << 16 | static_cast<unsigned char>(b[at + 2]) << 8 |
         static_cast<unsigned char>(b[at + 3]);
}

std::int32_t LittleEndian(const std::string& b, size_t at) {
  return static_cast<std::int32_t>(
      static_cast<unsigned char>(b[at]) | static_cast<unsigned char>(b[at + 1]) << 8 |
      static_cast<unsigned char>(b[at + 2]) << 16 |
      static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 3])) << 24);
}

TEST_F(RenderCli, WritesThePictureAndTheGeometryOfTheMainDiagram) {
  const fs::path png = dir_ / "fahrzeuge.png";
  Rendered r = Render(Example("Fahrzeuge.urd") + " " + png.string());
  if (skip_) GTEST_SKIP() << "zedro-cli was built without the Qt canvas";
  ASSERT_EQ(0, r.status) << r.err;
  EXPECT_EQ("", r.err);

  const int width = Values(r.out, "Width").at(0), height = Values(r.out, "Height").at(0);
  const std::string bytes = ReadAll(png);
  ASSERT_GT(bytes.size(), 24u);
  EXPECT_EQ("\x89PNG", bytes.substr(0, 4));
  EXPECT_EQ(static_cast<std::uint32_t>(width), BigEndian(bytes, 16));
  EXPECT_EQ(static_cast<std::uint32_t>(height), BigEndian(bytes, 20));

  // Four boxes, then three connections with their text boxes, then the note: the lists
  // in their order, each rectangle after painting.
  const auto lefts = Values(r.out, "Left"), rights = Values(r.out, "Right");
  const auto tops = Values(r.out, "Top"), bottoms = Values(r.out, "Bottom");
  ASSERT_EQ(4u + 3u + 1u, lefts.size());
  int maxRight = 0, maxBottom = 0;
  for (size_t i = 0; i < lefts.size(); ++i) {
    maxRight = std::max(maxRight, rights[i]);
    maxBottom = std::max(maxBottom, bottoms[i]);
    if (i == 4) continue;  // the IST's text box is never drawn
    EXPECT_LT(lefts[i], rights[i]) << i;
    EXPECT_LT(tops[i], bottoms[i]) << i;
  }
  // The surface (505 x 385 at first) grew around the drawing with its margin.
  EXPECT_EQ(maxRight > 505 ? maxRight + 50 : 505, width);
  EXPECT_EQ(maxBottom > 385 ? maxBottom + 50 : 385, height);

  EXPECT_EQ((std::vector<int>{1, 2, 3}), Values(r.out, "Kind"));
  EXPECT_EQ((std::vector<int>{1, 2, 3}), Values(r.out, "StartSide"));  // top, right, bottom
  EXPECT_EQ((std::vector<int>{3, 4, 2}), Values(r.out, "EndSide"));
  // The HAT's description sits 10 pixels right of its start and 2 below its end (the
  // vertical-first route, coming from the left); it stays clear of the part's box.
  const auto sx = Values(r.out, "StartX"), ey = Values(r.out, "EndY");
  EXPECT_EQ(sx[1] + 10, lefts[4 + 1]);
  EXPECT_EQ(ey[1] + 2, tops[4 + 1]);
  EXPECT_LT(rights[4 + 1], lefts[2]);
}

TEST_F(RenderCli, SubDiagramsAndBitmaps) {
  const fs::path bmp = dir_ / "objekte.BMP";
  Rendered r = Render(Example("Fahrzeuge.urd") + " " + bmp.string() + " --sub 1");
  if (skip_) GTEST_SKIP() << "zedro-cli was built without the Qt canvas";
  ASSERT_EQ(0, r.status) << r.err;
  EXPECT_EQ(2u, Values(r.out, "Left").size() - Values(r.out, "Kind").size());
  const std::string bytes = ReadAll(bmp);
  ASSERT_GT(bytes.size(), 26u);
  EXPECT_EQ("BM", bytes.substr(0, 2));
  EXPECT_EQ(Values(r.out, "Width").at(0), LittleEndian(bytes, 18));
  EXPECT_EQ(Values(r.out, "Height").at(0), std::abs(LittleEndian(bytes, 22)));

  const fs::path none = dir_ / "keins.png";
  Rendered missing = Render(Example("Fahrzeuge.urd") + " " + none.string() + " --sub 2");
  EXPECT_EQ(1, missing.status);
  EXPECT_EQ("[error] Das Diagramm hat kein Teildiagramm 2.\n", missing.err);
  EXPECT_FALSE(fs::exists(none));
}

TEST_F(RenderCli, UsageAndUnreadableFiles) {
  Rendered bank = Render(Example("Bank.urd") + " " + (dir_ / "bank.png").string());
  if (skip_) GTEST_SKIP() << "zedro-cli was built without the Qt canvas";
  EXPECT_EQ(0, bank.status) << bank.err;

  EXPECT_EQ(2, Render(Example("Bank.urd") + " " + (dir_ / "bank.gif").string()).status);
  EXPECT_EQ(2, Render(Example("Bank.urd") + " " + (dir_ / "b.png").string() + " --sub 0").status);
  EXPECT_EQ(2, Render(Example("Bank.urd")).status);

  // A file that cannot be read gives its message and no picture of an empty surface.
  const fs::path out = dir_ / "fehlt.png";
  Rendered missing = Render((dir_ / "fehlt.urd").string() + " " + out.string());
  EXPECT_EQ(1, missing.status);
  EXPECT_NE(std::string::npos, missing.err.find("kann nicht ge"));
  EXPECT_FALSE(fs::exists(out));
  EXPECT_EQ("", missing.out);

  // A picture that cannot be written is reported.
  Rendered unwritable =
      Render(Example("Bank.urd") + " " + (dir_ / "gibtsnicht" / "b.png").string());
  EXPECT_EQ(1, unwritable.status);
  EXPECT_NE(std::string::npos, unwritable.err.find("konnte nicht geschrieben werden"));
}

}  // namespace
