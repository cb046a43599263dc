// Optional modules of zedro-cli: what needs a large library (Qt for drawing, later a
// graph layout library) lives in a shared object that only the commands using it load,
// so that every other command starts with the core alone.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "cli/Commands.h"

namespace zedro {
class IMessages;
}

namespace zedro::cli {

class OptionalModule {
 public:
  // Loads the module "zedro-NAME.so", looked for next to the program (the build
  // directory) and then in the module directory of an installed zedro-cli. When it is
  // missing or cannot be loaded, an error message says so (with what the module is for)
  // and the result is null.
  static std::unique_ptr<OptionalModule> Load(const std::string& name, const std::string& purpose,
                                              IMessages& messages);
  OptionalModule(const OptionalModule&) = delete;
  OptionalModule& operator=(const OptionalModule&) = delete;
  // Modules stay loaded until the process ends: libraries such as Qt must not be unloaded.
  ~OptionalModule() = default;

  // The address of an exported symbol, or null.
  void* Symbol(const char* symbol) const;
  const std::string& Path() const { return path_; }

  // The directories searched, in order.
  static std::vector<std::string> SearchDirectories();

 private:
  OptionalModule(void* handle, std::string path) : handle_(handle), path_(std::move(path)) {}
  void* handle_;
  std::string path_;
};

// Runs a command that lives in a module: loads the module, checks its interface version
// and hands it the arguments.
int RunModuleCommand(const std::string& module, const std::string& purpose, const char* command,
                     const Args& args);

}  // namespace zedro::cli
