#include <gtest/gtest.h>

#include "ImportTestSupport.h"
#include "PascalBodyReference.h"
#include "model/Notation.h"
#include "model/Win1252.h"

namespace zedro {
namespace {

using testing::AttributeNamed;
using testing::MethodNamed;
using testing::ReadPascalClasses;
using testing::ReadPascalClassFully;

std::string Unit(const std::string& decl, const std::string& impl = "") {
  return "unit mT;\n\ninterface\n\nuses Classes;\n\ntype\n" + decl + "\nimplementation\n\n" + impl +
         "\nend.\n";
}

TEST(PascalParser, MembersSectionsAndFlags) {
  NotationScope n(1);
  ScriptedMessages msgs;
  auto classes = ReadPascalClasses(Unit(R"(
  TA = class(TObject)
    Farbe: Integer;
  private
    x, y: Integer;
    Feld: array [1..10] of Integer;
    FOnKlick: procedure (Sender: TObject) of object;
  protected
    procedure Zeichne; virtual; abstract;
    function Get: Integer; override;
  public
    constructor Create(var a: Integer; b: String);
    class function Anzahl: Integer;
    procedure Run;
    procedure Put(a: Integer); overload;
    procedure Put(s: String); overload; reintroduce;
    destructor Destroy; Override;
    procedure Gross; VIRTUAL; Abstract;
  end;
)"),
                                       msgs);
  ASSERT_EQ(classes.size(), 1u);
  EXPECT_TRUE(msgs.shown.empty()) << msgs.Texts()[0];
  const TUMLClass& a = *classes[0];
  EXPECT_EQ(a.Name, "TA");
  EXPECT_EQ(a.AncestorName, "TObject");
  EXPECT_EQ(AttributeNamed(a, "Farbe")->Visibility, kPublished);  // before any section
  ASSERT_NE(AttributeNamed(a, "y"), nullptr);
  EXPECT_EQ(AttributeNamed(a, "x")->TypeName, "Integer");
  EXPECT_EQ(AttributeNamed(a, "y")->Visibility, kPrivate);
  EXPECT_EQ(AttributeNamed(a, "Feld")->TypeName, "array [ 1..10 ] of Integer");
  EXPECT_EQ(AttributeNamed(a, "FOnKlick")->TypeName, "procedure ( Sender : TObject ) of object");

  const TMethod* z = MethodNamed(a, "Zeichne");
  EXPECT_TRUE(z->IsAbstract);
  EXPECT_FALSE(z->IsFinal);
  EXPECT_EQ(z->Visibility, kProtected);
  const TMethod* g = MethodNamed(a, "Get");
  EXPECT_EQ(g->Kind, kFunction);
  EXPECT_EQ(g->ResultType, "Integer");
  EXPECT_FALSE(g->IsFinal);
  EXPECT_TRUE(MethodNamed(a, "Run")->IsFinal);
  const TMethod* c = MethodNamed(a, "Create");
  EXPECT_EQ(c->Kind, kConstructor);
  ASSERT_EQ(c->Parameters.size(), 2u);
  EXPECT_EQ(c->Parameters[0].Name, "VAR a");
  EXPECT_EQ(c->Parameters[1].TypeName, "String");
  EXPECT_TRUE(MethodNamed(a, "Anzahl")->IsClassMethod);
  EXPECT_EQ(MethodNamed(a, "Anzahl")->Kind, kFunction);
  EXPECT_EQ(MethodNamed(a, "Destroy")->Kind, kDestructor);
  EXPECT_FALSE(MethodNamed(a, "Destroy")->IsFinal);  // directives in any letter case
  EXPECT_NE(MethodNamed(a, "Put", 1), nullptr);
  // The members come in member order, not in file order.
  for (int i = 1; i < a.Methods.Count(); ++i)
    EXPECT_LE(CompareMethods(*a.Methods.At(i - 1), *a.Methods.At(i)), 0) << i;
  for (int i = 1; i < a.Attributes.Count(); ++i)
    EXPECT_LE(CompareAttributes(*a.Attributes.At(i - 1), *a.Attributes.At(i)), 0) << i;
  EXPECT_EQ(a.Methods.At(0)->Name, "Create");
  // "abstract" is recognised only in small letters, "virtual" in any case.
  EXPECT_FALSE(MethodNamed(a, "Gross")->IsAbstract);
  EXPECT_FALSE(MethodNamed(a, "Gross")->IsFinal);
}

TEST(PascalParser, ForwardDeclarationsAndClassSequence) {
  ScriptedMessages msgs;
  auto classes = ReadPascalClasses(Unit(R"(
  TA = class;
  TRef = class of TA;
  EFehler = class(Exception);
  TA = class(TObject)
    x: Integer;
  end;
  TB = class
  end;
)"),
                                       msgs);
  ASSERT_EQ(classes.size(), 3u);
  EXPECT_EQ(classes[0]->Name, "EFehler");
  EXPECT_EQ(classes[0]->AncestorName, "Exception");
  EXPECT_EQ(classes[1]->Name, "TA");
  EXPECT_EQ(classes[1]->Attributes.Count(), 1);
  EXPECT_EQ(classes[2]->Name, "TB");
  EXPECT_EQ(msgs.Texts(), (std::vector<std::string>{"Forward Deklaration der Klasse: 'TA' gefunden."}));
  EXPECT_EQ(msgs.shown[0].kind, MsgKind::Information);
}

TEST(PascalParser, MalformedDeclarationsReportAndStop) {
  {
    ScriptedMessages msgs;
    auto classes = ReadPascalClasses(Unit("TA = class(TB, IC)\nend;\nTC = class\nend;\n"), msgs);
    EXPECT_TRUE(classes.empty());  // nothing comes back, so TC is not seen either
    EXPECT_EQ(msgs.Texts(), (std::vector<std::string>{W(
                                "Schliessende Klammer hinter dem Namen der Vorgängerklasse von "
                                "'TA' fehlt!")}));
    EXPECT_EQ(msgs.shown[0].kind, MsgKind::Warning);
  }
  {
    ScriptedMessages msgs;
    auto classes = ReadPascalClasses(
        Unit("TA = class\n  a: Integer;\n  property P: Integer read a;\n  b: Integer;\nend;\n"),
        msgs);
    ASSERT_EQ(classes.size(), 1u);
    EXPECT_EQ(classes[0]->Attributes.Count(), 1);
    EXPECT_EQ(msgs.Texts(), (std::vector<std::string>{
                                "Fehler bei 'P' in oder vor der Zeile\n\nproperty P: Integer read a;"}));
    EXPECT_EQ(msgs.shown[0].kind, MsgKind::Error);
  }
  {
    ScriptedMessages msgs;
    ReadPascalClasses(Unit("TA = class\n  a, 1: Integer;\nend;\n"), msgs);
    EXPECT_EQ(msgs.Texts()[0], "Fehler bei '1' nach Komma in der Zeile\n\na, 1: Integer;");
  }
  {
    ScriptedMessages msgs;
    auto c = ReadPascalClasses(Unit("TA = class\n  function F;\n  procedure P(a; b: T);\nend;\n"), msgs);
    ASSERT_EQ(msgs.Texts().size(), 3u);
    EXPECT_EQ(msgs.Texts()[0], "Doppelpunkt bei Funktion F fehlt in oder vor der Zeile\n\nfunction F;");
    EXPECT_EQ(msgs.Texts()[2], "Der Fehler stammt aus der Parameterliste der Methode 'P");
    ASSERT_EQ(c.size(), 1u);
    EXPECT_EQ(MethodNamed(*c[0], "F")->ResultType, "");
  }
  {
    ScriptedMessages msgs;
    ReadPascalClasses(Unit("TA = class\n  class var x: Integer;\nend;\n"), msgs);
    EXPECT_EQ(msgs.Texts()[0], "Class Statement ohne >procedure< oder >function<");
  }
  {
    ScriptedMessages msgs;
    ReadPascalClasses(Unit("TA = class\n  procedure P; virtual\nend;\n"), msgs);
    EXPECT_EQ(msgs.Texts()[0], "Semikolon nach Compilerdirektive der Methode 'P' fehlt!");
  }
}

TEST(PascalParser, EveryLoopEndsOnTruncatedUnits) {
  // A declaration without "end" before the next "type" or the end of the unit, an
  // attribute without ";", a uses clause without ";", a comment that never closes.
  const char* units[] = {
      "unit u; interface type TA = class\n x: Integer;\ntype TB = class\n y: Integer;\n",
      "unit u; interface type TA = class\n x: Integer",
      "unit u; interface type TA = class\n procedure P(a: Integer",
      "unit u; interface type TA = class\n f: procedure (a: Integer",
      "unit u; interface uses A, B\ntype TA = class\n end;\nimplementation\nuses C, D\n",
      "unit u; interface type TA = class\n x: Integer; { open\n end;\n",
      "type TA = class(", "type TA = class(TB", "type A = class", "type", "",
  };
  for (const char* u : units) {
    ScriptedMessages msgs;
    TSourceParser parser("u.pas", SplitSourceLines(u), msgs);
    int n = 0;
    while (auto c = parser.ReadNextClass()) {
      ASSERT_LT(++n, 10) << u;
      parser.SetClass(c.get());
      parser.ReadMethodBodies();
      parser.ReadInterfaceUses();
      parser.ReadImplementationUses();
    }
  }
  ScriptedMessages msgs;
  auto c = ReadPascalClasses("type TA = class\n x: Integer;\ntype TB = class\n end;\n", msgs);
  ASSERT_EQ(c.size(), 2u);  // the unclosed class keeps what it read
  EXPECT_EQ(c[0]->Attributes.Count(), 1);
  EXPECT_EQ(msgs.Texts()[0], "Die Deklaration der Klasse 'TA' ist nicht mit 'end' abgeschlossen.");
}

const char* kBodies = R"(
  TFoo = class
    procedure Put(a: Integer); overload;
    procedure Put(s: String); overload;
    function Get: Integer;
    class function Make: TFoo;
    procedure Last;
    procedure Abstrakt; virtual; abstract;
    procedure Fehlt;
  end;
)";

const char* kBodiesImpl = R"(procedure TFoo.Put(s: String);
begin
  writeln(s);
end;

procedure tfoo.put(A: integer);
var i: Integer;
begin
  i := a;
end;

function TFoo.Get: Integer;
  function Helper: Integer;
  begin
    result := 1;
  end;
begin
  result := Helper;
end;
class function TFOO.Make: TFoo;
begin
  result := TFoo.Create;
end;

//-------------------------------------------------------------------
procedure TFoo.Last;
begin
end;


)";

TEST(PascalParser, MethodBodies) {
  NotationScope n(1);
  ScriptedMessages msgs;
  auto cls = ReadPascalClassFully(Unit(kBodies, kBodiesImpl), "TFoo", msgs);
  ASSERT_TRUE(cls);
  const TMethod* putInt = nullptr;
  const TMethod* putStr = nullptr;
  for (const TMethod* m : cls->Methods.Items)
    if (m->Name == "Put") (m->Parameters[0].TypeName == "Integer" ? putInt : putStr) = m;
  ASSERT_TRUE(putInt && putStr);
  // Overloads are told apart by their scanned parameter text, letter case ignored.
  EXPECT_EQ(putStr->Code, (StringList{"begin", "  writeln(s);", "end;"}));
  EXPECT_EQ(putInt->Code, (StringList{"var i: Integer;", "begin", "  i := a;", "end;"}));
  // Local routines belong to the body; a class function of the class ends it.
  EXPECT_EQ(MethodNamed(*cls, "Get")->Code,
            (StringList{"  function Helper: Integer;", "  begin", "    result := 1;", "  end;",
                        "begin", "  result := Helper;", "end;"}));
  // Trailing empty lines and a separator line are dropped.
  EXPECT_EQ(MethodNamed(*cls, "Make")->Code,
            (StringList{"begin", "  result := TFoo.Create;", "end;"}));
  EXPECT_EQ(MethodNamed(*cls, "Last")->Code, (StringList{"begin", "end;"}));
  EXPECT_TRUE(MethodNamed(*cls, "Abstrakt")->Code.empty());
  EXPECT_EQ(msgs.Texts(), (std::vector<std::string>{
                              "Methode >>>TFoo.Fehlt<<< wurde NICHT eingelesen !"}));
  EXPECT_EQ(msgs.shown[0].kind, MsgKind::Information);
  EXPECT_EQ(msgs.statusTexts.back(), "");
  EXPECT_EQ(msgs.statusTexts.front(), "Klasse gefunden: TFoo");
}

TEST(PascalParser, UsesLists) {
  ScriptedMessages msgs;
  auto cls = ReadPascalClassFully(
      "UNIT mTA;\n\ninterface\n\nuses mTB, SysUtils;\n\n// Uses-Klausel ggf. anpassen\n"
      "// mehr\n\ntype\n  TA = class\n  end;\n\nimplementation\n\nuses Math, mTC;\n\nend.\n",
      "TA", msgs);
  ASSERT_TRUE(cls);
  EXPECT_EQ(cls->InterfaceUses, (StringList{"mTB", "SysUtils", ";", "", "// Uses-Klausel ggf. anpassen", "// mehr"}));
  EXPECT_EQ(cls->ImplementationUses, (StringList{"Math", "mTC", ";"}));
  EXPECT_TRUE(msgs.shown.empty());

  // Without uses clauses: the terminator first, then the lines after "interface".
  ScriptedMessages m2;
  auto b = ReadPascalClassFully(
      "unit u;\ninterface\n\n// Uses-Klausel ggf. anpassen\n\ntype\n  TA = class\n  end;\n"
      "implementation\nend.\n",
      "TA", m2);
  EXPECT_EQ(b->InterfaceUses, (StringList{";"}));
  EXPECT_TRUE(b->ImplementationUses.empty());

  ScriptedMessages m3;
  ReadPascalClassFully("unit u;\ntype\n  TA = class\n  end;\nend.\n", "TA", m3);
  EXPECT_EQ(m3.Texts(), (std::vector<std::string>{"Kein Interface-Teil vorhanden in Unit 'test.pas' !",
                                                  "Kein Implementation-Teil vorhanden in Unit 'test.pas' !"}));

  ScriptedMessages m4;
  auto d = ReadPascalClassFully("unit u;\ninterface\ntype TA = class\n end;\nimplementation\nuses A, B\n",
                                "TA", m4);
  EXPECT_TRUE(d->ImplementationUses.empty());
  EXPECT_EQ(m4.Texts().back(), "Semokolon bei zweiter Uses-Liste fehlt !!");
}

// The indexed body search gives exactly what walking the unit once per method gives, also
// where headings span lines, stand in comments or come twice.
TEST(PascalParser, IndexedBodiesEqualTheLineByLineSearch) {
  NotationScope n(1);
  const std::string impl = std::string(kBodiesImpl) + R"(
procedure
  TFoo.Fehlt;
begin
end;
{ procedure TFoo.Last;
  begin  }
procedure TFoo.Put(a: Integer;
  b: Integer);
(* function TFoo.Get: Integer; *) procedure TFoo.Last;
begin
  x;
end;
)";
  const std::string unit = Unit(kBodies, impl);
  SourceLines lines = SplitSourceLines(unit);
  testing::DropMessages quiet;
  auto cls = ReadPascalClassFully(unit, "TFoo", quiet);
  ASSERT_TRUE(cls);
  for (const TMethod* m : cls->Methods.Items) {
    if (m->IsAbstract) continue;
    bool found = false;
    StringList expected = testing::ReferenceBody(lines, *cls, *m, found);
    EXPECT_EQ(m->Code, expected) << m->Name;
  }
}

}  // namespace
}  // namespace zedro
