#include <gtest/gtest.h>

#include "model/Messages.h"
#include "model/Notation.h"
#include "model/ObjectValues.h"
#include "model/UMLClass.h"
#include "model/Win1252.h"

using namespace zedro;

namespace {

TAttribute* AddAttr(TUMLClass& c, const std::string& name, const std::string& type, TVisibility v) {
  auto a = std::make_unique<TAttribute>();
  a->Name = name;
  a->TypeName = type;
  a->Visibility = v;
  return c.AddAttribute(std::move(a));
}

TMethod* AddMethod(TUMLClass& c, const std::string& name, TMethodKind kind,
                   std::vector<TParameter> params = {}, const std::string& result = "") {
  auto m = std::make_unique<TMethod>();
  m->Name = name;
  m->Kind = kind;
  m->Parameters = std::move(params);
  m->ResultType = result;
  return c.AddMethod(std::move(m));
}

std::vector<std::string> Names(const TUMLClass& c) {
  std::vector<std::string> out;
  for (auto* a : c.Attributes.Items) out.push_back(a->Name);
  for (auto* m : c.Methods.Items) out.push_back(m->Name);
  return out;
}

}  // namespace

TEST(ClassModel, KeepsMembersSortedAndTellsTheirTexts) {
  TUMLClass c("T");
  AddAttr(c, "b", "Integer", kPublic);
  AddAttr(c, "a", "String", kPrivate);
  AddAttr(c, "c", "Boolean", kPublic);
  AddMethod(c, "Free", kDestructor);
  AddMethod(c, "Get", kFunction, {}, "Integer");
  AddMethod(c, "Create", kConstructor);
  EXPECT_EQ(Names(c), (std::vector<std::string>{"c", "b", "a", "Create", "Get", "Free"}));

  TMethod* sum = AddMethod(c, "Summe", kFunction, {{"a", "Integer"}, {"b", "Integer"}}, "Integer");
  EXPECT_EQ(sum->MethodSignature(1), "Summe(a: Integer; b: Integer) : Integer");
  EXPECT_EQ(c.Methods.At(0)->MethodSignature(2), "Create()");
  EXPECT_EQ(TParameter("a", "Integer").DisplayText(2), "Integer  a");
  EXPECT_EQ(c.Attributes.At(1)->DisplayText(2), "Integer b");
  EXPECT_EQ(c.Attributes.At(1)->DisplayText(1), "b: Integer");
  NotationScope java(2);
  EXPECT_EQ(sum->MethodSignature(), "Integer Summe(Integer a; Integer b)");

  ScriptedMessages m;
  EXPECT_EQ(c.Attributes.Get(5, &m), nullptr);
  EXPECT_EQ(c.Methods.Get(-1, &m), nullptr);
  EXPECT_EQ(m.Texts(),
            (std::vector<std::string>{"Index 5 ausserhalb des Bereichs einer Attribute-Liste",
                                      "Index ausserhalb des Bereichs einer Methoden-Liste"}));
}

TEST(ClassModel, AssignAppendsDocumentation) {
  TAttribute src("x", "T", kPrivate, {"neu"});
  TAttribute dst("y", "T", kPrivate, {"alt"});
  dst.Assign(src);
  EXPECT_EQ(dst.Documentation, (StringList{"alt", "neu"}));
}

TEST(ClassModel, UpdateFromKeepsMatchingMembersAndPurgesTheRest) {
  TUMLClass own("TAuto");
  TAttribute* keep = AddAttr(own, "X", "Integer", kPrivate);
  TAttribute* gone = AddAttr(own, "alt", "String", kPrivate);
  TMethod* getter = AddMethod(own, "GibX", kFunction, {}, "Integer");
  TMethod* obsolete = AddMethod(own, "Weg", kProcedure);
  keep->ReadMethod = getter;
  gone->WriteMethod = obsolete;

  TUMLClass src("TAuto2");
  src.IsAbstract = true;
  src.Documentation = {"doc"};
  AddAttr(src, "x", "integer", kPublic);
  AddAttr(src, "neu", "Boolean", kPublic);
  TMethod* srcGet = AddMethod(src, "gibx", kFunction, {}, "integer");
  srcGet->Code = {"begin", "  result := x;", "end;"};
  AddMethod(src, "Fahre", kProcedure, {{"km", "Integer"}});

  std::vector<std::string> purged;
  own.UpdateFrom(src, [&](TUMLClass&, TAttribute& a) { purged.push_back(a.Name); });

  EXPECT_EQ(own.Name, "TAuto2");
  EXPECT_EQ(own.Documentation, StringList{"doc"});
  EXPECT_EQ(purged, std::vector<std::string>{"alt"});
  ASSERT_EQ(own.Attributes.Count(), 2);
  EXPECT_TRUE(own.Attributes.Contains(keep));  // the same object, with the source's case
  EXPECT_EQ(keep->TypeName, "integer");
  EXPECT_EQ(keep->ReadMethod, getter);
  EXPECT_TRUE(own.Methods.Contains(getter));
  EXPECT_EQ(getter->Code.size(), 3u);
  EXPECT_FALSE(own.Methods.Contains(obsolete));
  EXPECT_EQ(own.Methods.Count(), 2);
  EXPECT_EQ(obsolete->Name, "Weg");  // still alive for anyone who refers to it
}

TEST(ClassModel, IsFormClassWalksAncestorsAndSurvivesCycles) {
  TUMLClass form("TForm");
  TUMLClass base("TBasis");
  TUMLClass own("TForm1");
  own.Parent = &base;
  base.Parent = &form;
  EXPECT_TRUE(own.IsFormClass());
  EXPECT_FALSE(form.IsFormClass());  // the class itself does not count
  TUMLClass a("A"), b("B");
  a.Parent = &b;
  b.Parent = &a;
  EXPECT_FALSE(a.IsFormClass());
}

TEST(ClassModel, FindSameSignatureTakesTheLastMatch) {
  TUMLClass c("T");
  AddMethod(c, "Run", kProcedure);
  AddMethod(c, "RUN", kProcedure);
  TMethod probe;
  probe.Name = "run";
  EXPECT_EQ(c.Methods.FindSameSignature(probe), c.Methods.At(1));
}

TEST(ObjectValues, FollowTheClassAttributes) {
  TUMLClass c("Konto");
  TAttribute* x = AddAttr(c, "x", "Integer", 0);
  TAttribute* y = AddAttr(c, "y", "Integer", 0);
  TObjectAttributeList values(&c.Attributes);
  ASSERT_EQ(values.Count(), 2);
  EXPECT_EQ(values.ValueAt(0), "-");
  values.Item(0).Value = "100";
  values.Item(1).Value = "7";
  values.RemoveAttribute(y);
  EXPECT_EQ(values.Count(), 1);
  EXPECT_FALSE(c.Attributes.Contains(y));
  AddAttr(c, "z", "Integer", 0);
  x->Name = "x2";  // renamed in place: the value stays
  values.Rebuild(&c.Attributes);
  ASSERT_EQ(values.Count(), 2);
  EXPECT_EQ(values.AttributeAt(0), x);
  EXPECT_EQ(values.ValueAt(0), "100");
  EXPECT_EQ(values.ValueAt(1), "-");
}
