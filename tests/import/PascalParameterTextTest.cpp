// The parameter text that the unit reader collects for the scanner: blanks only where the
// scanner needs them, none left at the end of the last type.
#include <gtest/gtest.h>

#include "ImportTestSupport.h"
#include "model/Notation.h"

namespace zedro {
namespace {

using testing::MethodNamed;

TEST(PascalParameterText, AnArrayTypeAtTheEndOfTheListKeepsNoTrailingBlank) {
  NotationScope n(1);
  const std::string unit =
      "unit mListe;\n\ninterface\n\ntype\n  TListe = class(TObject)\n  public\n"
      "    procedure Fuelle(werte: array of Integer);\n"
      "    function Summe(var a: Integer; werte: array of Real): Real;\n"
      "  end;\n\nimplementation\n\n"
      "procedure TListe.Fuelle(werte: array of Integer);\nbegin\nend;\n\n"
      "function TListe.Summe(var a: Integer; werte: array of Real): Real;\nbegin\n"
      "  result := 0;\nend;\n\nend.\n";
  ScriptedMessages msgs;
  auto cls = testing::ReadPascalClassFully(unit, "TListe", msgs);
  ASSERT_NE(nullptr, cls);
  EXPECT_TRUE(msgs.shown.empty()) << msgs.Texts().front();

  const TMethod* fuelle = MethodNamed(*cls, "Fuelle");
  ASSERT_NE(nullptr, fuelle);
  ASSERT_EQ(fuelle->Parameters.size(), 1u);
  EXPECT_EQ(fuelle->Parameters[0].TypeName, "array of Integer");
  const TMethod* summe = MethodNamed(*cls, "Summe");
  ASSERT_NE(nullptr, summe);
  ASSERT_EQ(summe->Parameters.size(), 2u);
  EXPECT_EQ(summe->Parameters[0].Name + ": " + summe->Parameters[0].TypeName, "VAR a: Integer");
  EXPECT_EQ(summe->Parameters[1].TypeName, "array of Real");
  // Both bodies were found by their headings' parameter texts.
  EXPECT_EQ(fuelle->Code, (StringList{"begin", "end;"}));
  EXPECT_EQ(summe->Code.front(), "begin");
}

}  // namespace
}  // namespace zedro
