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

StringList ReadQueryCode(int language, const std::string& attribute, bool twoBlanks) {
  if (language == 1)
    return {"begin", std::string("  result") + (twoBlanks ? "  " : " ") + ":= " + attribute,
            "end;"};
  if (language == 2) return {"{", "  return " + attribute, "}"};
  return {};
}

StringList WriteCommandCode(int language, const std::string& attribute,
                            const std::string& parameter) {
  if (language == 1) return {"begin", "  " + attribute + " := " + parameter, "end;"};
  if (language == 2) return {"{", "  " + attribute + " = " + parameter, "}"};
  return {};
}

StringList NewMethodCode(bool java) {
  const std::string middle = W("  //hier ggf. Code ergänzen");
  if (java) return {"{", middle, "}"};
  return {"begin", middle, "end;"};
}

std::unique_ptr<TMethod> MakeReadQuery(const std::string& methodName, const std::string& attribute,
                                       const std::string& type, int language, bool twoBlanks) {
  auto m = std::make_unique<TMethod>();
  m->Kind = kFunction;
  m->Name = methodName;
  m->ResultType = type;
  m->Code = ReadQueryCode(language, attribute, twoBlanks);
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
