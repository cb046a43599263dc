// Classes and diagrams made in code, temporary directories and external programs.
#pragma once

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "diagram/DiagramDocument.h"
#include "model/UMLClass.h"
#include "model/Win1252.h"

namespace zedro::testing {

inline TAttribute* AddAttr(TUMLClass& c, const std::string& name, const std::string& type,
                           TVisibility vis = TVisibility::Private) {
  auto a = std::make_unique<TAttribute>();
  a->Name = name;
  a->TypeName = type;
  a->Visibility = vis;
  return c.AddAttribute(std::move(a));
}

struct MethodSpec {
  std::string name;
  TMethodKind kind = TMethodKind::Procedure;
  std::vector<std::pair<std::string, std::string>> params;  // name, type
  std::string result;
  TVisibility vis = TVisibility::Public;
};

inline TMethod* AddMeth(TUMLClass& c, const MethodSpec& s) {
  auto m = std::make_unique<TMethod>();
  m->Name = s.name;
  m->Kind = s.kind;
  m->ResultType = s.result;
  m->Visibility = s.vis;
  for (const auto& [n, t] : s.params) m->AddParameter(TParameter(n, t));
  return c.AddMethod(std::move(m));
}

// A main diagram whose boxes are created by name.
struct TestDiagram {
  DiagramDocument doc;

  TUMLDrawClass* Box(const std::string& name, const std::string& sourceFile = "") {
    for (TUMLDrawClass* b : doc.DrawClasses.Items)
      if (b->UMLClass->Name == name) return b;
    TUMLDrawClass* b = doc.AddClassBox(std::make_unique<TUMLClass>(name));
    b->SourceFileName = sourceFile;
    return b;
  }
  TUMLClass& Class(const std::string& name) { return *Box(name)->UMLClass; }
  TConnection* Connect(const std::string& from, TConnectionKind kind, const std::string& to,
                       const std::string& endText = "", const std::string& startText = "") {
    TConnection* c = doc.AddConnection(Box(from), 1, Box(to), 12, kind);
    c->EndText = endText;
    c->StartText = startText;
    return c;
  }
};

inline StringList Concat(std::initializer_list<StringList> parts) {
  StringList out;
  for (const StringList& p : parts) out.insert(out.end(), p.begin(), p.end());
  return out;
}

// A fresh directory below the system's temporary directory, removed afterwards.
class TempDir {
 public:
  TempDir() {
    static int counter = 0;
    path_ = std::filesystem::temp_directory_path() /
            ("zedro-codegen-" + std::to_string(::getpid()) + "-" + std::to_string(++counter));
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  std::string Path() const { return path_.string() + "/"; }
  std::string File(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

struct RunResult {
  int status = -1;
  std::string output;
};

// Runs a shell command; the output includes error output.
inline RunResult RunCommand(const std::string& command) {
  RunResult r;
  FILE* p = ::popen(("(" + command + ") 2>&1").c_str(), "r");
  if (!p) return r;
  char buf[4096];
  size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, p)) > 0) r.output.append(buf, n);
  int status = ::pclose(p);
  r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return r;
}

inline std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

inline bool HaveProgram(const std::string& name) {
  return RunCommand("command -v " + name + " >/dev/null").status == 0;
}

}  // namespace zedro::testing
