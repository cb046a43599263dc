// The commands of zedro-cli. Each takes the arguments after the command name and returns
// the exit status.
#pragma once

#include <string>
#include <vector>

namespace zedro::cli {

using Args = std::vector<std::string>;

struct Command {
  const char* name;
  const char* usage;
  int (*run)(const Args& args);
};

int CmdDump(const Args& args);
int CmdSave(const Args& args);
int CmdNew(const Args& args);
// Draws a diagram (or sub-diagram N) into a PNG or BMP file, prints the element geometry.
int CmdRender(const Args& args);
int CmdExample(const Args& args);
// Code generation (CmdCodegen.cpp).
int CmdPascal(const Args& args);
int CmdJava(const Args& args);
int CmdDoc(const Args& args);
int CmdExportAll(const Args& args);
// Source import (CmdImport.cpp).
int CmdImportPascal(const Args& args);
int CmdImportJava(const Args& args);
int CmdUpdate(const Args& args);
// A folder of sources as a laid-out diagram (CmdFolder.cpp).
int CmdImportFolder(const Args& args);
// PlantUML text of a diagram (CmdPlantUml.cpp).
int CmdPlantUml(const Args& args);

}  // namespace zedro::cli
