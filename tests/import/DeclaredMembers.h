// What the compilers say a class declares, as the reference for the import sweeps: the
// Free Pascal units' own symbol tables (ppudump -Fj) and the JDK's class files (javap -p).
// Neither goes through Zedro's readers, so a member they lose or make up shows.
#pragma once

#include <cctype>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "codegen/CodegenTestSupport.h"
#include "model/Win1252.h"

namespace zedro::testing {

// The members of one class: lower-cased names, with how often each occurs.
struct DeclaredClass {
  std::string name;
  std::map<std::string, int> methods;  // Pascal: by name; Java: "name/arity"
  std::map<std::string, int> fields;
};

// ---- a small JSON reader, enough for ppudump's output ----------------------------------

struct JsonValue {
  std::string text;               // of a string, a number or a literal
  std::vector<JsonValue> items;   // of an array, or the values of an object
  std::vector<std::string> keys;  // of an object, one for each item

  const JsonValue* Get(const std::string& key) const {
    for (size_t i = 0; i < keys.size(); ++i)
      if (keys[i] == key) return &items[i];
    return nullptr;
  }
  std::string Str(const std::string& key) const {
    const JsonValue* v = Get(key);
    return v ? v->text : std::string();
  }
};

// Reads the value at p into v; false at the end of the text or on malformed input.
inline bool ReadJson(const std::string& s, size_t& p, JsonValue& v) {
  auto blanks = [&] {
    while (p < s.size() && std::isspace(static_cast<unsigned char>(s[p]))) ++p;
    return p < s.size();
  };
  if (!blanks()) return false;
  const char open = s[p];
  if (open == '{' || open == '[') {
    for (++p;;) {
      if (!blanks()) return false;
      if (s[p] == (open == '{' ? '}' : ']')) return ++p, true;
      if (!v.items.empty() && s[p++] != ',') return false;
      if (open == '{') {
        JsonValue key;
        if (!ReadJson(s, p, key) || !blanks() || s[p++] != ':') return false;
        v.keys.push_back(key.text);
      }
      v.items.emplace_back();
      if (!ReadJson(s, p, v.items.back())) return false;
    }
  }
  if (open == '"') {
    for (++p; p < s.size() && s[p] != '"'; ++p) {
      if (s[p] == '\\' && ++p < s.size() && s[p] == 'u') {  // the names compared are ASCII
        p += 4;
        v.text += '?';
      } else {
        v.text += s[p];
      }
    }
    return ++p <= s.size();
  }
  const size_t start = p;
  while (p < s.size() && (std::isalnum(static_cast<unsigned char>(s[p])) || s[p] == '-' ||
                          s[p] == '+' || s[p] == '.'))
    ++p;
  v.text = s.substr(start, p - start);
  return p > start;
}

// ---- Free Pascal ------------------------------------------------------------------------

// The classes of a unit's interface part, by unit source file name (lower-cased, without
// directory), from ppudump's JSON for the given compiled units.
inline std::map<std::string, std::vector<DeclaredClass>> PpuClasses(
    const std::vector<std::string>& ppuFiles) {
  std::map<std::string, std::vector<DeclaredClass>> out;
  std::string list;
  for (const std::string& f : ppuFiles) list += " '" + f + "'";
  const RunResult r = RunCommand("ppudump -Fj" + list + " 2>/dev/null");
  size_t at = 0;
  for (JsonValue units; ReadJson(r.output, at, units); units = JsonValue()) {
    for (const JsonValue& unit : units.items) {
      const JsonValue* files = unit.Get("Files");
      const JsonValue* interface = unit.Get("Interface");
      if (!files || files->items.empty() || !interface) continue;
      std::vector<DeclaredClass>& classes = out[text::LowerAscii(files->items[0].Str("Name"))];
      for (const JsonValue& def : interface->items) {
        if (def.Str("Type") != "obj" || def.Str("ObjType") != "class") continue;
        DeclaredClass c;
        c.name = def.Str("Name");
        if (const JsonValue* fields = def.Get("Fields"))
          for (const JsonValue& f : fields->items) {
            const std::string type = f.Str("Type");
            const std::string name = text::LowerAscii(f.Str("Name"));
            if (type == "proc") ++c.methods[name];
            if (type == "field") ++c.fields[name];
          }
        classes.push_back(std::move(c));
      }
    }
  }
  return out;
}

// ---- Java -------------------------------------------------------------------------------

// The number of parameters in a javap parameter list "(a.B<C, D>, int)".
inline int JavapArity(const std::string& params) {
  int depth = 0, commas = 0;
  bool any = false;
  for (char c : params) {
    if (c == '<') ++depth;
    if (c == '>') --depth;
    if (c == ',' && depth == 0) ++commas;
    if (c != ' ') any = true;
  }
  return any ? commas + 1 : 0;
}

// The classes (no interfaces, enums or records) among the given fully qualified top-level
// names, by qualified name, from javap -p on the running JDK. Names with "$" are made by
// the compiler and left out; a constructor counts under the simple class name.
inline std::map<std::string, DeclaredClass> JavapClasses(const std::vector<std::string>& names) {
  std::map<std::string, DeclaredClass> out;
  const size_t kBatch = 800;
  for (size_t from = 0; from < names.size(); from += kBatch) {
    std::string list;
    for (size_t i = from; i < names.size() && i < from + kBatch; ++i) list += " " + names[i];
    const RunResult r = RunCommand("javap -p" + list + " 2>/dev/null");
    DeclaredClass* current = nullptr;
    size_t pos = 0;
    while (pos < r.output.size()) {
      size_t eol = r.output.find('\n', pos);
      if (eol == std::string::npos) eol = r.output.size();
      std::string line = r.output.substr(pos, eol - pos);
      pos = eol + 1;
      if (line.rfind("Compiled from", 0) == 0) continue;
      if (!line.empty() && line.back() == '{' && line[0] != ' ') {
        current = nullptr;
        const size_t cls = line.find("class ");
        if (cls == std::string::npos || line.find(" interface ") != std::string::npos ||
            line.find("extends java.lang.Enum<") != std::string::npos ||
            line.find("extends java.lang.Record") != std::string::npos)
          continue;
        std::string qualified = line.substr(cls + 6);
        qualified = qualified.substr(0, qualified.find_first_of(" <"));
        current = &out[qualified];
        current->name = qualified.substr(qualified.rfind('.') + 1);
        continue;
      }
      if (!current || line.size() < 3 || line[0] != ' ' || line.back() != ';') continue;
      line = text::Trim(line);
      if (line == "static {};") continue;
      const size_t paren = line.find('(');
      std::string head = line.substr(0, paren == std::string::npos ? line.size() - 1 : paren);
      std::string name = head.substr(head.rfind(' ') + 1);
      name = name.substr(name.rfind('.') + 1);
      if (name.find('$') != std::string::npos) continue;
      if (paren == std::string::npos) {
        ++current->fields[name];
      } else {
        const size_t close = line.find(')', paren);
        ++current->methods[name + "/" +
                           std::to_string(JavapArity(line.substr(paren + 1, close - paren - 1)))];
      }
    }
  }
  return out;
}

}  // namespace zedro::testing
