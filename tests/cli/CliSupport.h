// Runs zedro-cli as a user does, each test in a directory of its own.
#pragma once

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "support/TestDir.h"

namespace zedro::clitest {

namespace fs = std::filesystem;

struct CliRun {
  int status;
  std::string out, err;
};

using testing::ReadAll;
using testing::WriteAll;

inline std::string Example(const std::string& name) {
  return std::string(ZEDRO_SOURCE_DIR) + "/examples/" + name;
}
inline bool Has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

class CliFixture : public testing::TestDirFixture {
 protected:
  CliRun Run(const std::string& args) const {
    const int rc = std::system(
        (std::string(ZEDRO_CLI) + " " + args + " >" + File("stdout") + " 2>" + File("stderr"))
            .c_str());
    return {WEXITSTATUS(rc), ReadAll(File("stdout")), ReadAll(File("stderr"))};
  }
};

}  // namespace zedro::clitest
