// The code lines the editor writes into methods it makes: read and write methods for an
// attribute in either notation, and the body of a new method, which for a Java query
// returns a value so that the class compiles before the body is written.
#include <gtest/gtest.h>

#include "model/MemberCode.h"
#include "model/Win1252.h"

using namespace zedro;

TEST(MemberCode, ReadAndWriteMethodsEndTheirJavaStatements) {
  EXPECT_EQ(ReadQueryCode(2, "kontostand", TReadQueryFor::NewAttribute),
            (StringList{"{", "  return kontostand;", "}"}));
  EXPECT_EQ(WriteCommandCode(2, "kontostand", "pKontostand"),
            (StringList{"{", "  kontostand = pKontostand;", "}"}));
  // Pascal needs no ";" before "end".
  EXPECT_EQ(ReadQueryCode(1, "alter", TReadQueryFor::NewAttribute),
            (StringList{"begin", "  result  := alter", "end;"}));
  EXPECT_EQ(ReadQueryCode(1, "alter", TReadQueryFor::ChangedAttribute),
            (StringList{"begin", "  result := alter", "end;"}));
  EXPECT_EQ(WriteCommandCode(1, "alter", "pAlter"),
            (StringList{"begin", "  alter := pAlter", "end;"}));
  auto write = MakeWriteCommand("SetzeAlter", " alter ", "Integer", 2);
  ASSERT_EQ(write->Parameters.size(), 1u);
  EXPECT_EQ(write->Parameters[0].Name, "pAlter");
}

TEST(MemberCode, NewMethodBodiesFollowTheKind) {
  const std::string todo = W("  //hier ggf. Code ergänzen");
  EXPECT_EQ(NewMethodCode(true, TMethodKind::Function, "int"),
            (StringList{"{", todo, "  return 0;", "}"}));
  EXPECT_EQ(NewMethodCode(true, TMethodKind::Procedure, ""), (StringList{"{", todo, "}"}));
  EXPECT_EQ(NewMethodCode(false, TMethodKind::Function, "Integer"),
            (StringList{"begin", todo, "end;"}));

  const std::pair<const char*, const char*> defaults[] = {
      {"boolean", "false"}, {"char", "0"},     {"long", "0"},         {" double ", "0"},
      {"String", "null"},   {"int[]", "null"}, {"<T> T", "null"},     {"Integer", "null"},
      {"<T extends Comparable<T>> int", "0"}};
  for (const auto& [type, value] : defaults) EXPECT_EQ(JavaDefaultValue(type), value) << type;

  // An untouched body follows a change of kind; a body the user wrote stays.
  TMethod m;
  m.Code = NewMethodCode(true);
  m.Kind = TMethodKind::Function;
  m.ResultType = "boolean";
  FitNewMethodCode(m, true);
  EXPECT_EQ(m.Code, (StringList{"{", todo, "  return false;", "}"}));
  m.Kind = TMethodKind::Procedure;
  FitNewMethodCode(m, true);
  EXPECT_EQ(m.Code, NewMethodCode(true));
  m.Code = {"{", "  tuWas();", "}"};
  m.Kind = TMethodKind::Function;
  FitNewMethodCode(m, true);
  EXPECT_EQ(m.Code, (StringList{"{", "  tuWas();", "}"}));
}
