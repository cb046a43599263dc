// Blanks around the parts of a parameter list: wherever a blank may stand it changes
// nothing, least of all the names and types that are read.
#include <gtest/gtest.h>

#include "model/Messages.h"
#include "model/ParameterScanner.h"

using namespace zedro;

namespace {

struct Scanned {
  bool ok = false;
  std::string parameters;  // "name: type; ..." with the texts exactly as read
  std::vector<std::string> messages;
};

Scanned ScanList(const std::string& text) {
  ScriptedMessages m;
  TParameterScanner s(text, m);
  Scanned out;
  out.ok = s.Parse();
  for (const TParameter& p : s.Parameters())
    out.parameters += (out.parameters.empty() ? "" : "; ") + p.Name + ": " + p.TypeName;
  out.messages = m.Texts();
  return out;
}

}  // namespace

TEST(ParameterBlanks, BlanksAfterTheLastTypeAreAccepted) {
  const std::pair<const char*, const char*> cases[] = {
      {"a: Integer ", "a: Integer"},
      {"a: Integer    ", "a: Integer"},
      {"a, b: Integer; var c: String ", "a: Integer; b: Integer; VAR c: String"},
      {"var a, b: Real  ", "VAR a: Real; VAR b: Real"},
      {"  a :  Integer ;  b : Real ", "a: Integer; b: Real"},
  };
  for (const auto& [text, expected] : cases) {
    const Scanned s = ScanList(text);
    EXPECT_TRUE(s.ok) << '"' << text << '"';
    EXPECT_EQ(s.parameters, expected) << '"' << text << '"';
    EXPECT_TRUE(s.messages.empty()) << '"' << text << "\": " << s.messages.front();
  }
  // The scanner's own list text shows no trace of the blanks either.
  ScriptedMessages m;
  TParameterScanner s("x: Integer; y: String ", m);
  ASSERT_TRUE(s.Parse());
  EXPECT_EQ(s.ParameterListText(), "x: Integer; y: String");
}

TEST(ParameterBlanks, AfterABlankOnlyASemicolonMayFollowTheType) {
  const Scanned s = ScanList("a: Integer x");
  EXPECT_FALSE(s.ok);
  EXPECT_EQ(s.parameters, "");
  ASSERT_EQ(s.messages.size(), 1u);
  EXPECT_EQ(s.messages[0],
            "Die Parameterliste ist fehlerhaft bei\na: Integer x<--\n"
            "Das Zeichen 'x' ist hier nicht erlaubt");
  // A list that ends in a semicolon stays wrong with blanks after it.
  const Scanned semicolon = ScanList("a: Integer;  ");
  EXPECT_FALSE(semicolon.ok);
  EXPECT_EQ(semicolon.parameters, "a: Integer");
  ASSERT_EQ(semicolon.messages.size(), 1u);
  EXPECT_EQ(semicolon.messages[0],
            "Die Parameterliste ist fehlerhaft!\nEin Semikolon am Ende ist nicht erlaubt!");
  // A name with blanks but no type still misses its type.
  const Scanned noType = ScanList("a ");
  EXPECT_FALSE(noType.ok);
  ASSERT_EQ(noType.messages.size(), 1u);
  EXPECT_EQ(noType.messages[0], "Die Parameterliste ist fehlerhaft!\nDer (letzte) Datentyp fehlt!");
}
