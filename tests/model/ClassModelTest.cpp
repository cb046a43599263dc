#include <gtest/gtest.h>

#include "codegen/CodegenTestSupport.h"
#include "model/Messages.h"
#include "model/Notation.h"
#include "model/UMLClass.h"

using namespace zedro;
using namespace zedro::testing;

TEST(ClassModel, KeepsMembersSortedAndTellsTheirTexts) {
  TUMLClass c("T");
  AddAttr(c, "b", "Integer", TVisibility::Public);
  AddAttr(c, "a", "String", TVisibility::Private);
  AddAttr(c, "c", "Boolean", TVisibility::Public);
  AddMeth(c, {"Free", TMethodKind::Destructor});
  AddMeth(c, {"Get", TMethodKind::Function, {}, "Integer"});
  AddMeth(c, {"Create", TMethodKind::Constructor});
  std::vector<std::string> names;
  for (auto* a : c.Attributes.Items) names.push_back(a->Name);
  for (auto* m : c.Methods.Items) names.push_back(m->Name);
  EXPECT_EQ(names, (std::vector<std::string>{"c", "b", "a", "Create", "Get", "Free"}));

  TMethod* sum =
      AddMeth(c, {"Summe", TMethodKind::Function, {{"a", "Integer"}, {"b", "Integer"}}, "Integer"});
  EXPECT_EQ(sum->MethodSignature(1), "Summe(a: Integer; b: Integer) : Integer");
  EXPECT_EQ(c.Attributes.At(1)->DisplayText(2), "Integer b");
  NotationScope java(2);
  EXPECT_EQ(sum->MethodSignature(), "Integer Summe(Integer a; Integer b)");

  ScriptedMessages m;
  EXPECT_EQ(c.Attributes.Get(5, &m), nullptr);
  EXPECT_EQ(c.Methods.Get(-1, &m), nullptr);
  EXPECT_EQ(m.Texts(),
            (std::vector<std::string>{"Index 5 ausserhalb des Bereichs einer Attribute-Liste",
                                      "Index ausserhalb des Bereichs einer Methoden-Liste"}));
}

TEST(ClassModel, IsFormClassWalksAncestorsAndSurvivesCycles) {
  TUMLClass form("TForm"), base("TBasis"), own("TForm1"), a("A"), b("B");
  own.Parent = &base, base.Parent = &form, a.Parent = &b, b.Parent = &a;
  EXPECT_TRUE(own.IsFormClass());
  EXPECT_FALSE(form.IsFormClass() || a.IsFormClass());  // not the class itself; cycles end
}
