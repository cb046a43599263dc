// What zedro-cli and its optional modules agree on. A module is a shared object that
// exports one C function, kModuleEntry, which runs a command of zedro-cli with the
// arguments after the command name.
#pragma once

namespace zedro::cli {

// Raised whenever the call below changes: a module of another build is refused.
constexpr int kModuleInterfaceVersion = 1;
constexpr const char* kModuleEntry = "zedro_cli_module_run";
// An exported int holding the module's kModuleInterfaceVersion.
constexpr const char* kModuleInterfaceSymbol = "zedro_cli_module_interface";

struct ModuleCall {
  int interfaceVersion;
  const char* command;  // the command name, "render"
  int argc;             // the arguments after the command name (UTF-8)
  const char* const* argv;
};

// Returns the command's exit status.
using ModuleEntry = int (*)(const ModuleCall* call);

}  // namespace zedro::cli

// Marks the entry function of a module as exported.
#define ZEDRO_MODULE_EXPORT extern "C" __attribute__((visibility("default")))
