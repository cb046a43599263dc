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
  // Four boxes, three connections' text boxes and the note; the surface grew around them.
  const auto rights = Values(r.out, "Right");
  ASSERT_EQ(4u + 3u + 1u, rights.size());
  EXPECT_EQ(std::max(*std::max_element(rights.begin(), rights.end()) + 50, 505), width);
  EXPECT_EQ((std::vector<int>{1, 2, 3}), Values(r.out, "StartSide"));  // top, right, bottom
  EXPECT_EQ((std::vector<int>{3, 4, 2}), Values(r.out, "EndSide"));
}

}  // namespace
}  // namespace zedro::clitest
