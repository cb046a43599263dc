#include <gtest/gtest.h>

#include "ImportTestSupport.h"
#include "PascalBodyReference.h"
#include "model/Notation.h"
#include "model/Win1252.h"

namespace zedro {
namespace {

using testing::CodeOf;
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

TEST(PascalParser, MalformedDeclarationsAreReportedAndReadingGoesOn) {
  const struct {
    const char* decl;
    std::string message;
    std::vector<std::string> members;  // of the first class
    size_t classes;
  } cases[] = {
      {"TA = class\n  a, 1: Integer;\n  b: Integer;\nend;\n",
       "Fehler bei '1' nach Komma in der Zeile\n\na, 1: Integer;", {"published b: Integer"}, 1},
      {"TA = class\n  function F;\n  procedure P(a; b: T);\n  procedure Q;\nend;\n",
       "Doppelpunkt bei Funktion F fehlt in oder vor der Zeile\n\nfunction F;",
       {"published final procedure Q()", "published final function F()"}, 1},
      {"TA = class\n  procedure P; virtual\nend;\nTB = class\nend;\n",
       "Semikolon nach Compilerdirektive der Methode 'P' fehlt!", {}, 2},
  };
  for (const auto& c : cases) {
    ScriptedMessages msgs;
    auto read = ReadPascalClasses(Unit(c.decl), msgs);
    ASSERT_FALSE(msgs.shown.empty()) << c.decl;
    EXPECT_EQ(msgs.shown[0].text, c.message);
    ASSERT_EQ(read.size(), c.classes) << c.decl;
    EXPECT_EQ(testing::Members(*read[0]), c.members) << c.decl;
  }
}

// Parameters with const, var, out and constref, with and without a type; directives the
// model does not know; properties, class variables, constants, nested types and record
// fields. What the model cannot hold is named in one message per class; nothing ends the
// reading of the class early.
TEST(PascalParser, ParameterKindsAndDeclarationsTheModelCannotHold) {
  NotationScope n(1);
  ScriptedMessages msgs;
  auto classes = ReadPascalClasses(Unit(R"(
  TA = class(TObject, IFoo, IBar)
  strict private
    FWert: Integer;
    FPunkt: record x, y: Integer; end;
  private
    class var Zaehler: Integer;
    const Grenze = 10;
    type TInnen = class(TObject)
      z: Integer;
    end;
  public
    procedure Melde(const Msg: String; {%H-}Sender: TObject);
    procedure Lies(out Wert: Integer; var Data; const Buf; constref R: TRect);
    procedure Schreibe(var a, b); static;
    procedure Nachricht(var M: TMessage); message 12;
    procedure Vorgabe(a: Integer = 3);
    class constructor Erzeuge;
    function Alt: Integer; deprecated 'Neu benutzen'; inline;
    property Wert: Integer read FWert write FWert; default;
    procedure Danach;
    Static: Boolean;
    Strict, Message: Integer;
  end;
  TB = class
    b: Integer;
  end;
)"),
                                   msgs);
  ASSERT_EQ(classes.size(), 2u);
  const TUMLClass& a = *classes[0];
  EXPECT_EQ(a.AncestorName, "TObject");
  EXPECT_EQ(testing::Members(a),
            (std::vector<std::string>{
                "public Static: Boolean", "public Message: Integer", "public Strict: Integer",
                "private FWert: Integer",
                "public final procedure Danach()",
                "public final procedure Lies(OUT Wert: Integer; VAR Data: ; CONST Buf: ; "
                "CONSTREF R: TRect)",
                "public final procedure Melde(CONST Msg: String; Sender: TObject)",
                "public final procedure Nachricht(VAR M: TMessage)",
                "public final procedure Schreibe(VAR a: ; VAR b: )",
                "public final function Alt(): Integer"}));
  // The untyped parameters are written without a colon.
  const TMethod* lies = MethodNamed(a, "Lies");
  ASSERT_NE(lies, nullptr);
  EXPECT_EQ(lies->ParameterListText(1),
            "OUT Wert: Integer; VAR Data; CONST Buf; CONSTREF R: TRect");
  EXPECT_EQ(testing::Members(*classes[1]), (std::vector<std::string>{"published b: Integer"}));
  EXPECT_EQ(msgs.Texts(),
            (std::vector<std::string>{W(
                "Nicht alles in der Deklaration der Klasse 'TA' konnte eingelesen werden:\n"
                "Die Interfaces 'IFoo', 'IBar' wurden übergangen.\n"
                "Das Attribut 'FPunkt' mit einem Record-Typ wurde übergangen.\n"
                "Die Klassenvariable 'Zaehler' wurde übergangen.\n"
                "Die Konstante 'Grenze' wurde übergangen.\n"
                "Der innere Typ 'TInnen' wurde übergangen.\n"
                "Die Methode 'Vorgabe' mit Vorgabewerten für Parameter wurde übergangen.\n"
                "Der Klassenkonstruktor 'Erzeuge' wurde übergangen.\n"
                "Die Eigenschaft (property) 'Wert' wurde übergangen.")}));
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
  // A class may hold a type section, so an unclosed class runs on to the end of the unit
  // and keeps what it read.
  ScriptedMessages msgs;
  auto c = ReadPascalClasses("type TA = class\n x: Integer;\ntype TB = class\n end;\n", msgs);
  ASSERT_EQ(c.size(), 1u);
  EXPECT_EQ(c[0]->Attributes.Count(), 1);
  EXPECT_EQ(msgs.Texts(),
            (std::vector<std::string>{
                "Die Deklaration der Klasse 'TA' ist nicht mit 'end' abgeschlossen.",
                W("Nicht alles in der Deklaration der Klasse 'TA' konnte eingelesen werden:\n"
                  "Der innere Typ 'TB' wurde übergangen.")}));
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
  // Overloads are told apart by their scanned parameter text, letter case ignored.
  EXPECT_EQ(CodeOf(*cls, "Put", 0),
            (StringList{"var i: Integer;", "begin", "  i := a;", "end;"}));  // a: Integer
  EXPECT_EQ(CodeOf(*cls, "Put", 1), (StringList{"begin", "  writeln(s);", "end;"}));
  // Local routines belong to the body; a class function of the class ends it.
  EXPECT_EQ(CodeOf(*cls, "Get"),
            (StringList{"  function Helper: Integer;", "  begin", "    result := 1;", "  end;",
                        "begin", "  result := Helper;", "end;"}));
  // Trailing empty lines and a separator line are dropped.
  EXPECT_EQ(CodeOf(*cls, "Make"),
            (StringList{"begin", "  result := TFoo.Create;", "end;"}));
  EXPECT_EQ(CodeOf(*cls, "Last"), (StringList{"begin", "end;"}));
  EXPECT_EQ(CodeOf(*cls, "Abstrakt"), StringList{});
  EXPECT_EQ(msgs.Texts(),
            (std::vector<std::string>{"Methode >>>TFoo.Fehlt<<< wurde NICHT eingelesen !"}));
  EXPECT_EQ(msgs.shown[0].kind, MsgKind::Information);
  EXPECT_EQ(msgs.statusTexts.back(), "");
  EXPECT_EQ(msgs.statusTexts.front(), "Klasse gefunden: TFoo");
}

// The parameter texts collected for the scanner keep no blank after an array type at the
// end of the list, and the bodies are found by them.
TEST(PascalParser, AnArrayTypeAtTheEndOfTheListKeepsNoTrailingBlank) {
  NotationScope n(1);
  ScriptedMessages msgs;
  auto cls = ReadPascalClassFully(
      Unit("TListe = class(TObject)\n  public\n"
           "    procedure Fuelle(werte: array of Integer);\n"
           "    function Summe(var a: Integer; werte: array of Real): Real;\n  end;\n",
           "procedure TListe.Fuelle(werte: array of Integer);\nbegin\nend;\n\n"
           "function TListe.Summe(var a: Integer; werte: array of Real): Real;\nbegin\n"
           "  result := 0;\nend;\n"),
      "TListe", msgs);
  ASSERT_NE(nullptr, cls);
  EXPECT_TRUE(msgs.shown.empty()) << msgs.Texts().front();
  EXPECT_EQ(testing::Members(*cls),
            (std::vector<std::string>{
                "public final procedure Fuelle(werte: array of Integer)",
                "public final function Summe(VAR a: Integer; werte: array of Real): Real"}));
  EXPECT_EQ(CodeOf(*cls, "Fuelle"), (StringList{"begin", "end;"}));
  EXPECT_EQ(CodeOf(*cls, "Summe"), (StringList{"begin", "  result := 0;", "end;"}));
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
  ASSERT_TRUE(d);
  EXPECT_TRUE(d->ImplementationUses.empty());
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
