#include <gtest/gtest.h>

#include "model/Messages.h"
#include "model/ParameterScanner.h"
#include "model/Win1252.h"

using namespace zedro;

namespace {

struct Parsed {
  bool ok;
  std::vector<TParameter> params;
  std::vector<std::string> messages;
};

Parsed Parse(const std::string& text) {
  ScriptedMessages m;
  TParameterScanner s(text, m);
  bool ok = s.Parse();
  return {ok, s.Parameters(), m.Texts()};
}

bool IsIdent(const std::string& text, std::string* message = nullptr) {
  ScriptedMessages m;
  TParameterScanner s(text, m);
  bool ok = s.IsIdentifier();
  if (message && !m.shown.empty()) *message = m.shown[0].text;
  return ok;
}

}  // namespace

TEST(ParameterScanner, SplitsGroupsVarAndArrayTypes) {
  const std::pair<const char*, const char*> lists[] = {
      {"a, b: Integer; var c: String", "a: Integer; b: Integer; VAR c: String"},
      {"var a, b: Real", "VAR a: Real; VAR b: Real"},
      {"x: array of Integer", "x: array of Integer"},
      {"var: Integer", "var: Integer"},  // var is only special when a blank follows
      {"", ""}};
  for (auto [text, expected] : lists) {
    Parsed p = Parse(text);
    EXPECT_TRUE(p.ok && p.messages.empty()) << text;
    std::string listed;
    for (const TParameter& param : p.params)
      listed += (listed.empty() ? "" : "; ") + param.Name + ": " + param.TypeName;
    EXPECT_EQ(listed, expected);
  }
}

TEST(ParameterScanner, ReportsWhereTheListGoesWrong) {
  const std::string at = "Die Parameterliste ist fehlerhaft bei\n",
                    end = "Die Parameterliste ist fehlerhaft!\n";
  const std::pair<const char*, std::string> cases[] = {
      {"a b: Integer", at + "a b<--\nDas Zeichen 'b' ist hier nicht erlaubt"},
      {"var ,a: Integer", at + "var ,<--\nDas Zeichen ',' ist nach 'Var' nicht erlaubt"},
      {"a, 1: Integer", at + "a, 1<--\nEs wird ein Buchstabe erwartet!"},
      {"a: 1nt", at + "a: 1<--\nEs wird ein Buchstabe erwartet"},
      {"a: array[1..3] of Integer", at + "a: array[<--\nDas Zeichen '[' ist hier nicht erlaubt"},
      {"a: Integer;", end + "Ein Semikolon am Ende ist nicht erlaubt!"},
      {"   ", end + "Ein Semikolon am Ende ist nicht erlaubt!"},
      {"a, b", end + "Der (letzte) Datentyp fehlt!"},
  };
  for (const auto& [text, message] : cases) {
    SCOPED_TRACE(text);
    Parsed p = Parse(text);
    EXPECT_FALSE(p.ok);
    EXPECT_EQ(p.messages, std::vector<std::string>{message});
  }
  EXPECT_FALSE(Parse("a:\tInteger").ok);
  EXPECT_EQ(Parse("a: Integer;").params.size(), 1u);  // groups flushed before the failure stay
}

TEST(ParameterScanner, ChecksIdentifiers) {
  EXPECT_TRUE(IsIdent("  Auto1"));
  EXPECT_TRUE(IsIdent("_x"));
  std::string msg;
  EXPECT_FALSE(IsIdent("Auto ", &msg));
  EXPECT_EQ(msg,
            "Der Bezeichner 'Auto ' ist fehlerhaft bei\nAuto <--\nEin Leerzeichen ist hier nicht "
            "erlaubt");
  EXPECT_FALSE(IsIdent(W("Größe"), &msg));
  EXPECT_EQ(msg, W("Der Bezeichner 'Größe' ist fehlerhaft bei\nGrö<--\nDas Zeichen 'ö' ist hier "
                   "nicht erlaubt"));
  EXPECT_FALSE(IsIdent("1a", &msg));
  EXPECT_EQ(msg, "Der Bezeichner '1a' ist fehlerhaft bei\n1<--\nEs wird ein Buchstabe erwartet");
}
