// Runs zedro-cli as a user does, each test in a directory of its own.
#pragma once

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace zedro::clitest {

namespace fs = std::filesystem;

struct CliRun {
  int status;
  std::string out, err;
};

inline std::string ReadAll(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

inline void WriteAll(const fs::path& p, const std::string& bytes) {
  std::ofstream(p, std::ios::binary) << bytes;
}

inline std::string Example(const std::string& name) {
  return std::string(ZEDRO_SOURCE_DIR) + "/examples/" + name;
}
inline bool Has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

class CliFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    dir_ = fs::temp_directory_path() / ("zedro-cli-" + std::to_string(::getpid()) + "-" +
                                        info->test_suite_name() + "-" + info->name());
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }
  std::string File(const std::string& name) const { return (dir_ / name).string(); }
  CliRun Run(const std::string& args) const {
    const int rc = std::system(
        (std::string(ZEDRO_CLI) + " " + args + " >" + File("stdout") + " 2>" + File("stderr"))
            .c_str());
    return {WEXITSTATUS(rc), ReadAll(File("stdout")), ReadAll(File("stderr"))};
  }

  fs::path dir_;
};

}  // namespace zedro::clitest
