// Imports Debian's fpc-source units and openjdk-17's java.base: nothing may crash or hang.
#include <gtest/gtest.h>

#include <algorithm>
#include <ctime>
#include <filesystem>
#include <set>

#include "DeclaredMembers.h"
#include "ImportTestSupport.h"
#include "PascalBodyReference.h"
#include "codegen/CodegenTestSupport.h"
#include "model/Notation.h"
#include "persistence/Files.h"

namespace zedro {
namespace {

namespace fs = std::filesystem;

// Processor time, which does not grow when the machine is busy with other work.
double CpuSeconds() { return static_cast<double>(std::clock()) / CLOCKS_PER_SEC; }

// Far above the milliseconds a file takes, also under the sanitizers.
constexpr double kSecondsPerFile = 20.0;

std::vector<fs::path> FilesUnder(const fs::path& root, std::initializer_list<const char*> exts) {
  std::vector<fs::path> files;
  std::error_code ec;
  for (fs::recursive_directory_iterator it(root, ec), end; it != end; it.increment(ec)) {
    if (ec) break;
    if (!it->is_regular_file(ec)) continue;
    std::string ext = it->path().extension().string();
    for (const char* e : exts)
      if (ext == e) files.push_back(it->path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

const char* kFpcRoot = "/usr/share/fpcsrc/3.2.2";
const char* kFpcUnits = "/usr/lib/x86_64-linux-gnu/fpc/3.2.2/units/x86_64-linux";

bool IsPascalKeyword(const std::string& word) {
  static const std::set<std::string> kWords = {
      "and", "array", "as", "asm", "begin", "case", "class", "const", "constructor",
      "destructor", "div", "do", "downto", "else", "end", "except", "exports", "file",
      "finalization", "finally", "for", "function", "goto", "if", "implementation", "in",
      "inherited", "initialization", "interface", "is", "label", "library", "mod", "nil",
      "not", "object", "of", "on", "or", "packed", "procedure", "program", "property",
      "raise", "record", "repeat", "set", "shl", "shr", "then", "threadvar", "to", "try",
      "type", "unit", "until", "uses", "var", "while", "with", "xor"};
  return kWords.count(text::LowerAscii(word)) > 0;
}

bool IsJavaKeyword(const std::string& word) {
  static const std::set<std::string> kWords = {
      "abstract", "assert", "break", "case", "catch", "class", "const", "continue", "default",
      "do", "else", "enum", "extends", "final", "finally", "for", "goto", "if", "implements",
      "import", "instanceof", "interface", "native", "new", "package", "private", "protected",
      "public", "return", "static", "strictfp", "super", "switch", "synchronized", "this",
      "throw", "throws", "transient", "try", "volatile", "while", "true", "false", "null"};
  return kWords.count(word) > 0;
}

bool IsJavaPrimitive(const std::string& word) {
  static const std::set<std::string> kWords = {"boolean", "byte", "char", "double", "float",
                                               "int",     "long", "short", "void"};
  return kWords.count(word) > 0;
}

// Members that a reader named or typed by a keyword: the sign of a declaration read wrongly
// ("an attribute t of type return").
template <class IsKeyword>
std::vector<std::string> KeywordMembers(const TUMLClass& c, IsKeyword isKeyword,
                                        const std::string& staticPrefix) {
  std::vector<std::string> bad;
  auto type = [&](std::string t) {
    if (!staticPrefix.empty() && t.rfind(staticPrefix, 0) == 0) t = t.substr(staticPrefix.size());
    return t;
  };
  for (const TAttribute* a : c.Attributes.Items)
    if (isKeyword(a->Name) || isKeyword(type(a->TypeName)) || a->TypeName.empty())
      bad.push_back(c.Name + "." + a->Name + ": " + a->TypeName);
  for (const TMethod* m : c.Methods.Items) {
    if (isKeyword(m->Name) || (m->Kind == TMethodKind::Function && isKeyword(m->ResultType)))
      bad.push_back(c.Name + "." + m->Name + "()");
    for (const TParameter& p : m->Parameters)
      if (isKeyword(p.Name) || isKeyword(p.TypeName))
        bad.push_back(c.Name + "." + m->Name + "(" + p.Name + ": " + p.TypeName + ")");
  }
  return bad;
}

// Declared and read, summed over the classes compared.
struct Tally {
  long classes = 0, declared = 0, read = 0, madeUp = 0;
  std::string examples;  // of members lost or made up, the first few
  void Compare(const std::string& cls, const char* what, const std::map<std::string, int>& declared,
               const std::map<std::string, int>& got) {
    for (const auto& [name, n] : declared) {
      this->declared += n;
      auto it = got.find(name);
      const int found = it == got.end() ? 0 : std::min(n, it->second);
      read += found;
      if (found < n) Example("lost", what, cls, name);
    }
    for (const auto& [name, n] : got) {
      auto it = declared.find(name);
      const int extra = n - (it == declared.end() ? 0 : it->second);
      madeUp += std::max(extra, 0);
      if (extra > 0) Example("made up", what, cls, name);
    }
  }
  void Example(const char* how, const char* what, const std::string& cls, const std::string& name) {
    if (examples.size() < 600) examples += std::string("\n  ") + how + " " + what + " " + cls + "." + name;
  }
};


TEST(CorpusSweep, FreePascalUnits) {
  if (!fs::exists(fs::path(kFpcRoot) / "rtl")) GTEST_SKIP() << "fpc-source is not installed";
  NotationScope n(1);
  std::vector<fs::path> files = FilesUnder(fs::path(kFpcRoot) / "rtl", {".pas", ".pp"});
  std::vector<fs::path> more = FilesUnder(fs::path(kFpcRoot) / "packages", {".pas", ".pp"});
  files.insert(files.end(), more.begin(), more.end());
  ASSERT_GT(files.size(), 1000u);

  long classes = 0, bodies = 0;
  for (size_t i = 0; i < files.size(); ++i) {
    const std::string data = testing::ReadText(files[i]);
    const bool compare = i % 25 == 0 && data.size() < 60000;
    const double start = CpuSeconds();
    testing::QuietMessages msgs;
    SourceLines lines = SourceLinesFromBytes(data);
    TSourceParser parser(files[i].string(), lines, msgs);
    std::vector<std::unique_ptr<TUMLClass>> read;
    while (auto c = parser.ReadNextClass()) read.push_back(std::move(c));
    // Bodies of at most 40 classes per unit: each class's may add up to the whole unit.
    const size_t stride = std::max<size_t>(1, read.size() / 40);
    for (size_t k = 0; k < read.size(); ++k) {
      TUMLClass& c = *read[k];
      const bool first = k == 0, last = k + 1 == read.size();
      if (k % stride != 0 && !last) continue;
      parser.SetClass(&c);
      parser.ReadMethodBodies();
      if (first || last) {
        parser.ReadInterfaceUses();
        parser.ReadImplementationUses();
      }
      for (TMethod* m : c.Methods.Items) {
        if (!m->Code.empty()) ++bodies;
        if (compare && !m->IsAbstract) {
          bool found = false;
          StringList expected = testing::ReferenceBody(lines, c, *m, found);
          ASSERT_EQ(m->Code, expected) << files[i] << " " << c.Name << "." << m->Name;
        }
        StringList().swap(m->Code);  // only the counts are kept
      }
    }
    ASSERT_LT(CpuSeconds() - start, kSecondsPerFile) << files[i];
    classes += static_cast<long>(read.size());
  }
  EXPECT_GT(classes, 1000);
  EXPECT_GT(bodies, 10000);
}

// Every source of java.base is read; its classes are compared with what javap finds in the
// JDK's own class files: attributes by name, methods and constructors by name and number of
// parameters. Interfaces, enums, records and nested types are passed over with a message.
TEST(CorpusSweep, OpenJdkJavaBase) {
  const char* zip = "/usr/lib/jvm/openjdk-17/lib/src.zip";
  if (!fs::exists(zip)) GTEST_SKIP() << "openjdk-17-source is not installed";
  if (!testing::HaveProgram("unzip")) GTEST_SKIP() << "unzip is missing";
  testing::TempDir dir;
  ASSERT_EQ(testing::RunCommand(std::string("unzip -q -o ") + zip + " 'java.base/*' -d '" +
                                dir.Path() + "'")
                .status,
            0);
  const fs::path root = dir.File("java.base");
  std::vector<fs::path> files = FilesUnder(root, {".java"});
  ASSERT_GT(files.size(), 2000u);

  NotationScope n(2);
  long named = 0, methods = 0;
  std::vector<std::string> keywords;
  std::map<std::string, std::unique_ptr<TUMLClass>> classes;  // by qualified name
  for (const fs::path& f : files) {
    const std::string data = testing::ReadText(f);
    const double start = CpuSeconds();
    testing::QuietMessages msgs;
    TJavaParser parser(f.string(), SourceLinesFromBytes(data), msgs);
    auto cls = parser.Parse();
    ASSERT_LT(CpuSeconds() - start, kSecondsPerFile) << f;
    ASSERT_TRUE(cls);
    methods += cls->Methods.Count();
    auto isKeyword = [](const std::string& w) { return IsJavaKeyword(w); };
    for (const std::string& bad : KeywordMembers(*cls, isKeyword, "static ")) keywords.push_back(bad);
    for (const TAttribute* a : cls->Attributes.Items)
      if (IsJavaPrimitive(a->Name)) keywords.push_back(cls->Name + "." + a->Name);
    const std::string bare = cls->Name.substr(0, cls->Name.find('<'));
    if (bare + ".java" != f.filename().string()) continue;
    ++named;
    std::string qualified = fs::relative(f, root).replace_extension().string();
    std::replace(qualified.begin(), qualified.end(), '/', '.');
    classes[qualified] = std::move(cls);
  }
  EXPECT_GT(named, 1000);
  EXPECT_GT(methods, 10000);
  EXPECT_TRUE(keywords.empty()) << keywords.size() << ", e.g. " << keywords[0];

  if (!testing::HaveProgram("javap")) return;
  std::vector<std::string> names;
  for (const auto& [name, cls] : classes) names.push_back(name);
  Tally members;
  for (const auto& [name, declared] : testing::JavapClasses(names)) {
    const TUMLClass& c = *classes.at(name);
    std::map<std::string, int> got, gotFields;
    int constructors = 0;
    for (const TMethod* m : c.Methods.Items) {
      if (m->Name.find('$') != std::string::npos) continue;  // javap's list leaves these out
      const std::string key = (m->Kind == TMethodKind::Constructor ? declared.name : m->Name) +
                              "/" + std::to_string(m->Parameters.size());
      if (++got[key] > 1) got[key] = 1;  // overloads of one arity count once, as in javap's
      constructors += m->Kind == TMethodKind::Constructor;
    }
    for (const TAttribute* a : c.Attributes.Items)
      if (a->Name.find('$') == std::string::npos) ++gotFields[a->Name];
    std::map<std::string, int> declaredMethods;
    for (const auto& [key, count] : declared.methods) declaredMethods[key] = 1;
    // A class without a constructor of its own gets the default one from the compiler.
    if (constructors == 0) declaredMethods.erase(declared.name + "/0");
    ++members.classes;
    members.Compare(name, "method", declaredMethods, got);
    members.Compare(name, "field", declared.fields, gotFields);
  }
  EXPECT_GT(members.classes, 1000);
  EXPECT_GE(members.read, members.declared * 97 / 100) << members.madeUp << " made up" << members.examples;
}

// The classes of a sample of the installed Free Pascal units, read from their sources,
// against what the compiler recorded in the units: methods and fields read versus declared.
// Properties, constants and nested types are passed over with a message.
TEST(CorpusSweep, FreePascalMembersAgainstCompiledUnits) {
  if (!fs::exists(fs::path(kFpcRoot) / "packages")) GTEST_SKIP() << "fpc-source is not installed";
  if (!testing::HaveProgram("ppudump") || !fs::exists(kFpcUnits))
    GTEST_SKIP() << "ppudump or the compiled units are missing";
  NotationScope n(1);
  // Every second unit of moderate size (the largest are generated import units).
  std::vector<std::string> ppus;
  size_t k = 0;
  for (const fs::path& f : FilesUnder(kFpcUnits, {".ppu"}))
    if (fs::file_size(f) < 150000 && k++ % 2 == 0) ppus.push_back(f.string());
  std::map<std::string, std::vector<fs::path>> sources;
  for (const char* dir : {"rtl", "packages"})
    for (const fs::path& f : FilesUnder(fs::path(kFpcRoot) / dir, {".pas", ".pp"}))
      sources[text::LowerAscii(f.filename().string())].push_back(f);

  Tally methods, fields;
  std::vector<std::string> keywords;
  for (const auto& [file, declaredClasses] : testing::PpuClasses(ppus)) {
    auto source = sources.find(file);
    // A file name found twice belongs to several platforms: which one was compiled is unsure.
    if (source == sources.end() || source->second.size() != 1 || declaredClasses.empty()) continue;
    testing::QuietMessages msgs;
    TSourceParser parser(file, SourceLinesFromBytes(testing::ReadText(source->second[0])), msgs);
    std::map<std::string, std::unique_ptr<TUMLClass>> read;
    while (auto c = parser.ReadNextClass()) {
      for (const std::string& bad : KeywordMembers(*c, IsPascalKeyword, "")) keywords.push_back(bad);
      read[text::LowerAscii(c->Name)] = std::move(c);
    }
    for (const testing::DeclaredClass& d : declaredClasses) {
      if (d.name.find('$') != std::string::npos) continue;  // a specialized generic
      auto it = read.find(text::LowerAscii(d.name));
      if (it == read.end()) continue;  // declared in an include file, under a condition, or generic
      std::map<std::string, int> gotMethods, gotFields;
      for (const TMethod* m : it->second->Methods.Items) ++gotMethods[text::LowerAscii(m->Name)];
      for (const TAttribute* a : it->second->Attributes.Items)
        ++gotFields[text::LowerAscii(a->Name)];
      ++methods.classes;
      methods.Compare(d.name, "method", d.methods, gotMethods);
      fields.Compare(d.name, "field", d.fields, gotFields);
    }
  }
  EXPECT_GT(methods.classes, 150);
  EXPECT_GE(methods.read, methods.declared * 97 / 100) << methods.examples;
  EXPECT_GE(fields.read, fields.declared * 97 / 100) << fields.examples;
  EXPECT_TRUE(keywords.empty()) << keywords.size() << ", e.g. " << keywords[0];
}
}  // namespace
}  // namespace zedro
