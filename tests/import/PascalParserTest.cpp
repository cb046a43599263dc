#include <gtest/gtest.h>

#include "ImportTestSupport.h"
#include "PascalBodyReference.h"
#include "model/Notation.h"
#include "model/Win1252.h"

namespace zedro {
namespace {

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
  // Members before any section are published. A method without "virtual" is final;
  // "abstract" is recognised only in small letters, other directives in any case. The
  // members come in member order, not in file order.
  EXPECT_EQ(testing::Members(a),
            (std::vector<std::string>{
                "published Farbe: Integer", "private Feld: array [ 1..10 ] of Integer",
                "private x: Integer", "private y: Integer",
                "private FOnKlick: procedure ( Sender : TObject ) of object",
                "public final constructor Create(VAR a: Integer; b: String)",
                "public procedure Gross()", "public final procedure Put(a: Integer)",
                "public final procedure Put(s: String)", "public final procedure Run()",
                "public class final function Anzahl(): Integer", "public destructor Destroy()",
                "protected abstract procedure Zeichne()", "protected function Get(): Integer"}));
}

TEST(PascalParser, ForwardDeclarationsAndClassSequence) {
  ScriptedMessages msgs;
  auto classes =
      ReadPascalClasses(Unit("TA = class;\nTRef = class of TA;\nEFehler = class(Exception);\n"
                             "TA = class(TObject)\n x: Integer;\nend;\nTB = class\nend;\n"),
                        msgs);
  ASSERT_EQ(classes.size(), 3u);
  EXPECT_EQ(classes[0]->Name + "(" + classes[0]->AncestorName + ") " + classes[1]->Name + " " +
                classes[2]->Name,
            "EFehler(Exception) TA TB");
  EXPECT_EQ(classes[1]->Attributes.Count(), 1);
  EXPECT_EQ(msgs.Texts(),
            (std::vector<std::string>{"Forward Deklaration der Klasse: 'TA' gefunden."}));
}

TEST(PascalParser, MalformedDeclarationsReportAndStop) {
  const struct {
    const char* decl;
    std::string message;
    size_t classes;
  } cases[] = {
      // Not understood: nothing comes back, so TC is not seen either.
      {"TA = class(TB, IC)\nend;\nTC = class\nend;\n",
       W("Schliessende Klammer hinter dem Namen der Vorgängerklasse von 'TA' fehlt!"), 0},
      // A property ends the class, which keeps what it read.
      {"TA = class\n  a: Integer;\n  property P: Integer read a;\n  b: Integer;\nend;\n",
       "Fehler bei 'P' in oder vor der Zeile\n\nproperty P: Integer read a;", 1},
      {"TA = class\n  a, 1: Integer;\nend;\n",
       "Fehler bei '1' nach Komma in der Zeile\n\na, 1: Integer;", 1},
      {"TA = class\n  function F;\n  procedure P(a; b: T);\nend;\n",
       "Doppelpunkt bei Funktion F fehlt in oder vor der Zeile\n\nfunction F;", 1},
      {"TA = class\n  class var x: Integer;\nend;\n",
       "Class Statement ohne >procedure< oder >function<", 1},
      {"TA = class\n  procedure P; virtual\nend;\n",
       "Semikolon nach Compilerdirektive der Methode 'P' fehlt!", 1},
  };
  for (const auto& c : cases) {
    ScriptedMessages msgs;
    auto read = ReadPascalClasses(Unit(c.decl), msgs);
    ASSERT_FALSE(msgs.shown.empty()) << c.decl;
    EXPECT_EQ(msgs.shown[0].text, c.message);
    EXPECT_EQ(read.size(), c.classes) << c.decl;
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
      "type TA = class(",
      "type TA = class(TB",
      ""};
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
  EXPECT_EQ(msgs.Texts().at(0),
            "Die Deklaration der Klasse 'TA' ist nicht mit 'end' abgeschlossen.");
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
  const TMethod* put0 = MethodNamed(*cls, "Put", 0);
  const TMethod* put1 = MethodNamed(*cls, "Put", 1);
  const TMethod* get = MethodNamed(*cls, "Get");
  const TMethod* make = MethodNamed(*cls, "Make");
  const TMethod* last = MethodNamed(*cls, "Last");
  const TMethod* abstrakt = MethodNamed(*cls, "Abstrakt");
  ASSERT_NE(nullptr, put0);
  ASSERT_NE(nullptr, put1);
  ASSERT_NE(nullptr, get);
  ASSERT_NE(nullptr, make);
  ASSERT_NE(nullptr, last);
  ASSERT_NE(nullptr, abstrakt);
  // Overloads are told apart by their scanned parameter text, letter case ignored.
  EXPECT_EQ(put0->Code,
            (StringList{"var i: Integer;", "begin", "  i := a;", "end;"}));  // a: Integer
  EXPECT_EQ(put1->Code, (StringList{"begin", "  writeln(s);", "end;"}));
  // Local routines belong to the body; a class function of the class ends it.
  EXPECT_EQ(get->Code, (StringList{"  function Helper: Integer;", "  begin", "    result := 1;",
                                   "  end;", "begin", "  result := Helper;", "end;"}));
  // Trailing empty lines and a separator line are dropped.
  EXPECT_EQ(make->Code, (StringList{"begin", "  result := TFoo.Create;", "end;"}));
  EXPECT_EQ(last->Code, (StringList{"begin", "end;"}));
  EXPECT_TRUE(abstrakt->Code.empty());
  EXPECT_EQ(msgs.Texts(),
            (std::vector<std::string>{"Methode >>>TFoo.Fehlt<<< wurde NICHT eingelesen !"}));
  EXPECT_EQ(msgs.shown.at(0).kind, MsgKind::Information);
  ASSERT_FALSE(msgs.statusTexts.empty());
  EXPECT_EQ(msgs.statusTexts.back(), "");
  EXPECT_EQ(msgs.statusTexts.front(), "Klasse gefunden: TFoo");
}

TEST(PascalParser, UsesLists) {
  ScriptedMessages msgs;
  auto cls = ReadPascalClassFully(
      "UNIT mTA;\n\ninterface\n\nuses mTB, SysUtils;\n\n// anpassen\n\ntype\n  TA = class\n  "
      "end;\n\nimplementation\n\nuses Math, mTC;\n\nend.\n",
      "TA", msgs);
  ASSERT_TRUE(cls);
  EXPECT_EQ(cls->InterfaceUses, (StringList{"mTB", "SysUtils", ";", "", "// anpassen"}));
  EXPECT_EQ(cls->ImplementationUses, (StringList{"Math", "mTC", ";"}));
  EXPECT_TRUE(msgs.shown.empty());

  ScriptedMessages m2;
  ReadPascalClassFully("unit u;\ntype\n  TA = class\n  end;\nend.\n", "TA", m2);
  EXPECT_EQ(m2.Texts(),
            (std::vector<std::string>{"Kein Interface-Teil vorhanden in Unit 'test.pas' !",
                                      "Kein Implementation-Teil vorhanden in Unit 'test.pas' !"}));
  ScriptedMessages m3;
  auto d = ReadPascalClassFully(
      "unit u;\ninterface\ntype TA = class\n end;\nimplementation\nuses A, B\n", "TA", m3);
  ASSERT_NE(nullptr, d);
  EXPECT_TRUE(d->ImplementationUses.empty());
  ASSERT_FALSE(m3.shown.empty());
  EXPECT_EQ(m3.Texts().back(), "Semokolon bei zweiter Uses-Liste fehlt !!");
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
  testing::QuietMessages quiet;
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
