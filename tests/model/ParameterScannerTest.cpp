#include <gtest/gtest.h>

#include "model/Messages.h"
#include "model/ParameterScanner.h"
#include "model/Win1252.h"

using namespace zedro;

namespace {

// The parameters as "name: type; ...", then the messages after a '|'.
std::string Scan(const std::string& text) {
  ScriptedMessages m;
  TParameterScanner s(text, m);
  const bool ok = s.Parse();
  std::string out;
  for (const TParameter& p : s.Parameters())
    out += (out.empty() ? "" : "; ") + p.Name + ": " + p.TypeName;
  for (const std::string& message : m.Texts()) out += "|" + message;
  return ok == m.Texts().empty() ? out : "wrong result";
}

// The message of a refused identifier, "ok" for a good one.
std::string IdentMessage(const std::string& text) {
  ScriptedMessages m;
  return TParameterScanner(text, m).IsIdentifier() ? "ok" : m.shown.at(0).text;
}

}  // namespace

TEST(ParameterScanner, SplitsListsAndReportsWhereTheyGoWrong) {
  const std::string at = "|Die Parameterliste ist fehlerhaft bei\n",
                    end = "|Die Parameterliste ist fehlerhaft!\n";
  const std::pair<const char*, std::string> cases[] = {
      {"a, b: Integer; var c: String", "a: Integer; b: Integer; VAR c: String"},
      {"x: array of Integer", "x: array of Integer"},
      {"var: Integer", "var: Integer"},  // var is only special when a blank follows
      // The kind of a parameter stays in its name; after it, a type may be missing.
      {"const Msg: String; out a, b: Integer; constref R: TRect",
       "CONST Msg: String; OUT a: Integer; OUT b: Integer; CONSTREF R: TRect"},
      {"var Data; const Buf", "VAR Data: ; CONST Buf: "},
      {"var a, b; c: Integer", "VAR a: ; VAR b: ; c: Integer"},
      {"a; b: Integer", at + "a;<--\nDas Zeichen ';' ist hier nicht erlaubt"},
      {"const ,a: T", at + "const ,<--\nDas Zeichen ',' ist nach 'Const' nicht erlaubt"},
      {"", ""},
      {"a b: Integer", at + "a b<--\nDas Zeichen 'b' ist hier nicht erlaubt"},
      {"var ,a: Integer", at + "var ,<--\nDas Zeichen ',' ist nach 'Var' nicht erlaubt"},
      {"a, 1: Integer", at + "a, 1<--\nEs wird ein Buchstabe erwartet!"},
      {"a: array[1..3] of Integer", at + "a: array[<--\nDas Zeichen '[' ist hier nicht erlaubt"},
      // Groups flushed before the failure stay.
      {"a: Integer;", "a: Integer" + end + "Ein Semikolon am Ende ist nicht erlaubt!"},
      {"a, b", end + "Der (letzte) Datentyp fehlt!"},
      // Blanks change nothing where they may stand; after the last type only a semicolon
      // may follow them.
      {"a: Integer    ", "a: Integer"},
      {"var a, b: Real  ", "VAR a: Real; VAR b: Real"},
      {"  a :  Integer ;  b : Real ", "a: Integer; b: Real"},
      {"a: Integer x", at + "a: Integer x<--\nDas Zeichen 'x' ist hier nicht erlaubt"},
      {"a: Integer;  ", "a: Integer" + end + "Ein Semikolon am Ende ist nicht erlaubt!"},
      {"a ", end + "Der (letzte) Datentyp fehlt!"},
  };
  for (const auto& [text, expected] : cases) EXPECT_EQ(Scan(text), expected) << '"' << text << '"';
  ScriptedMessages m;
  TParameterScanner s("x: Integer; y: String ", m);
  ASSERT_TRUE(s.Parse());
  EXPECT_EQ(s.ParameterListText(), "x: Integer; y: String");
}

TEST(ParameterScanner, ChecksIdentifiers) {
  EXPECT_EQ(IdentMessage("  _Auto1"), "ok");
  EXPECT_EQ(IdentMessage(W("Größe")), W("Der Bezeichner 'Größe' ist fehlerhaft bei\nGrö<--\n"
                                        "Das Zeichen 'ö' ist hier nicht erlaubt"));
  EXPECT_EQ(IdentMessage("1a"),
            "Der Bezeichner '1a' ist fehlerhaft bei\n1<--\nEs wird ein Buchstabe erwartet");
}
