#include "cli/ModuleLoader.h"

#include <dlfcn.h>
#include <unistd.h>

#include "cli/CliSupport.h"
#include "cli/ModuleInterface.h"
#include "model/Messages.h"
#include "model/Win1252.h"

namespace zedro::cli {
namespace {

// The directory of the running program, empty when the system does not say.
std::string ProgramDirectory() {
  std::string path(4096, '\0');
  const ssize_t n = ::readlink("/proc/self/exe", path.data(), path.size());
  if (n <= 0 || static_cast<size_t>(n) >= path.size()) return {};
  path.resize(static_cast<size_t>(n));
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

}  // namespace

std::vector<std::string> OptionalModule::SearchDirectories() {
  const std::string program = ProgramDirectory();
  if (program.empty()) return {};
  std::vector<std::string> dirs{program};
#ifdef ZEDRO_MODULE_DIR_FROM_PROGRAM
  dirs.push_back(program + "/" + ZEDRO_MODULE_DIR_FROM_PROGRAM);
#endif
  return dirs;
}

std::unique_ptr<OptionalModule> OptionalModule::Load(const std::string& name,
                                                     const std::string& purpose,
                                                     IMessages& messages) {
  const std::string file = "zedro-" + name + ".so";
  std::string searched;
  for (const std::string& dir : SearchDirectories()) {
    const std::string path = dir + "/" + file;
    searched += (searched.empty() ? "" : ", ") + Arg(dir);
    if (::access(path.c_str(), F_OK) != 0) continue;
    void* handle = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
      const char* why = ::dlerror();
      messages.Message(MsgKind::Error, "Das Modul '" + Arg(path) +
                                           W("' von zedro-cli lässt sich nicht laden: ") +
                                           Arg(why ? why : "") + "\n" + purpose);
      return nullptr;
    }
    return std::unique_ptr<OptionalModule>(new OptionalModule(handle, path));
  }
  messages.Message(MsgKind::Error, "Das Modul '" + file + "' von zedro-cli fehlt (gesucht in: " +
                                       searched + ").\n" + purpose);
  return nullptr;
}

void* OptionalModule::Symbol(const char* symbol) const { return ::dlsym(handle_, symbol); }

int RunModuleCommand(const std::string& module, const std::string& purpose, const char* command,
                     const Args& args) {
  StderrMessages messages;
  auto loaded = OptionalModule::Load(module, purpose, messages);
  if (!loaded) return kExitStopped;
  const auto* version = static_cast<const int*>(loaded->Symbol(kModuleInterfaceSymbol));
  auto entry = reinterpret_cast<ModuleEntry>(loaded->Symbol(kModuleEntry));
  if (!version || !entry || *version != kModuleInterfaceVersion) {
    messages.Message(MsgKind::Error, "Das Modul '" + Arg(loaded->Path()) +
                                         "' passt nicht zu diesem zedro-cli.\n" + purpose);
    return kExitStopped;
  }
  std::vector<const char*> argv;
  argv.reserve(args.size());
  for (const std::string& a : args) argv.push_back(a.c_str());
  const ModuleCall call{kModuleInterfaceVersion, command, static_cast<int>(argv.size()),
                        argv.data()};
  return entry(&call);
}

}  // namespace zedro::cli
