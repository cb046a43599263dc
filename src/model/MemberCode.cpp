#include "model/MemberCode.h"

#include "model/Win1252.h"

namespace zedro {

std::string CapitalizedName(const std::string& name) {
  std::string s = text::Trim(name);
  if (!s.empty()) s[0] = text::UpperAsciiChar(s[0]);
  return s;
}

std::string WriteParameterName(const std::string& attribute) {
  return "p" + CapitalizedName(attribute);
}

StringList ReadQueryCode(int language, const std::string& attribute, TReadQueryFor purpose) {
  const bool twoBlanks = purpose == TReadQueryFor::NewAttribute;
  if (language == 1)
    return {"begin", std::string("  result") + (twoBlanks ? "  " : " ") + ":= " + attribute,
            "end;"};
  if (language == 2) return {"{", "  return " + attribute + ";", "}"};
  return {};
}

StringList WriteCommandCode(int language, const std::string& attribute,
                            const std::string& parameter) {
  if (language == 1) return {"begin", "  " + attribute + " := " + parameter, "end;"};
  if (language == 2) return {"{", "  " + attribute + " = " + parameter + ";", "}"};
  return {};
}

namespace {

bool IsJavaPrimitive(const std::string& type) {
  for (const char* p : {"byte", "short", "int", "long", "float", "double", "char"})
    if (type == p) return true;
  return false;
}

}  // namespace

StringList NewMethodCode(bool java) {
  const std::string middle = W("  //hier ggf. Code ergänzen");
  if (java) return {"{", middle, "}"};
  return {"begin", middle, "end;"};
}

StringList NewMethodCode(bool java, TMethodKind kind, const std::string& resultType) {
  StringList code = NewMethodCode(java);
  if (java && kind == TMethodKind::Function)
    code.insert(code.end() - 1, "  return " + JavaDefaultValue(resultType) + ";");
  return code;
}

bool IsNewMethodCode(const StringList& code, bool java) {
  if (code == NewMethodCode(java)) return true;
  if (!java || code.size() != 4) return false;
  const StringList plain = NewMethodCode(true);
  if (code[0] != plain[0] || code[1] != plain[1] || code[3] != plain[2]) return false;
  for (const char* value : {"null", "0", "false"})
    if (code[2] == std::string("  return ") + value + ";") return true;
  return false;
}

void FitNewMethodCode(TMethod& method, bool java) {
  if (IsNewMethodCode(method.Code, java))
    method.Code = NewMethodCode(java, method.Kind, method.ResultType);
}

std::string JavaDefaultValue(const std::string& resultType) {
  std::string type = text::Trim(resultType);
  if (!type.empty() && type[0] == '<') {
    // "<T extends Comparable<T>> T": skip the balanced type-parameter list.
    int depth = 0;
    size_t i = 0;
    for (; i < type.size(); ++i) {
      if (type[i] == '<') ++depth;
      if (type[i] == '>' && --depth == 0) break;
    }
    type = text::Trim(i < type.size() ? type.substr(i + 1) : std::string());
  }
  if (type == "boolean") return "false";
  if (IsJavaPrimitive(type)) return "0";
  return "null";
}

std::unique_ptr<TMethod> MakeReadQuery(const std::string& methodName, const std::string& attribute,
                                       const std::string& type, int language,
                                       TReadQueryFor purpose) {
  auto m = std::make_unique<TMethod>();
  m->Kind = TMethodKind::Function;
  m->Name = methodName;
  m->ResultType = type;
  m->Code = ReadQueryCode(language, attribute, purpose);
  return m;
}

std::unique_ptr<TMethod> MakeWriteCommand(const std::string& methodName,
                                          const std::string& attribute, const std::string& type,
                                          int language) {
  auto m = std::make_unique<TMethod>();
  m->Name = methodName;
  const std::string parameter = WriteParameterName(attribute);
  m->AddParameter(TParameter(parameter, type));
  m->Code = WriteCommandCode(language, attribute, parameter);
  return m;
}

}  // namespace zedro
