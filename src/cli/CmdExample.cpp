// example: writes the bundled example diagrams, built with the program's own model.
#include <iostream>

#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "diagram/DiagramDocument.h"
#include "model/MemberCode.h"
#include "model/Notation.h"
#include "model/Win1252.h"
#include "persistence/DiagramFile.h"

namespace zedro::cli {
namespace {

TAttribute* Attr(TUMLClass& c, const std::string& name, const std::string& type, TVisibility v,
                 StringList doc = {}) {
  auto a = std::make_unique<TAttribute>();
  a->Name = name;
  a->TypeName = type;
  a->Visibility = v;
  a->Documentation = std::move(doc);
  return c.AddAttribute(std::move(a));
}

TMethod* Method(TUMLClass& c, const std::string& name, TMethodKind kind, std::vector<TParameter> params,
                const std::string& result, StringList code, StringList doc = {}) {
  auto m = std::make_unique<TMethod>();
  m->Name = name;
  m->Kind = kind;
  m->Parameters = std::move(params);
  m->ResultType = result;
  m->Code = std::move(code);
  m->Documentation = std::move(doc);
  return c.AddMethod(std::move(m));
}

// A read query and a write command for an attribute, with bodies in the diagram's language.
void Accessors(TUMLClass& c, TAttribute* a, int language) {
  std::string cap = a->Name;
  cap[0] = text::UpperAsciiChar(cap[0]);
  bool java = language == 2;
  a->ReadMethod = Method(c, (java ? "gib" : "Gib") + cap, TMethodKind::Function, {}, a->TypeName,
                         ReadQueryCode(language, a->Name, TReadQueryFor::NewAttribute));
  std::string p = WriteParameterName(a->Name);
  a->WriteMethod = Method(c, (java ? "setze" : "Setze") + cap, TMethodKind::Procedure,
                          {{p, a->TypeName}}, "", WriteCommandCode(language, a->Name, p));
}

TUMLDrawClass* Box(DiagramDocument& d, const std::string& name, int left, int top) {
  TUMLDrawClass* box = d.AddClassBox(std::make_unique<TUMLClass>(name));
  box->Left = left;
  box->Top = top;
  box->Right = left + 170;
  box->Bottom = top + 90;
  return box;
}

void Vehicles(DiagramDocument& d) {
  d.Language = 1;
  NotationScope notation(1);
  TUMLDrawClass* fahrzeug = Box(d, "TFahrzeug", 40, 40);
  TUMLClass& f = *fahrzeug->UMLClass;
  f.Documentation = {W("Ein Fahrzeug, das Kilometer zurücklegt.")};
  TAttribute* km =
      Attr(f, "kilometer", "Integer", TVisibility::Protected, {"Bisher gefahrene Strecke in km"});
  Accessors(f, km, 1);
  Method(f, "Fahre", TMethodKind::Procedure, {{"strecke", "Integer"}}, "",
         {"begin", "  kilometer := kilometer + strecke;", "end;"},
         {W("Fährt die angegebene Strecke.")});
  Method(f, "Create", TMethodKind::Constructor, {}, "", {"begin", "  kilometer := 0;", "end;"});

  TUMLDrawClass* autoBox = Box(d, "TAuto", 40, 220);
  TUMLClass& a = *autoBox->UMLClass;
  a.Documentation = {W("Ein Auto hat vier Räder.")};
  TAttribute* rad = Attr(a, "hatTRad", "TRad", TVisibility::Private);
  Accessors(a, rad, 1);
  Method(a, "Hupe", TMethodKind::Procedure, {}, "",
         {"begin", W("  //hier ggf. Code ergänzen"), "end;"});

  TUMLDrawClass* radBox = Box(d, "TRad", 400, 264);
  TUMLClass& r = *radBox->UMLClass;
  Attr(r, "durchmesser", "Integer", TVisibility::Private, {"in Zoll"});

  TUMLDrawClass* fahrerBox = Box(d, "TFahrer", 400, 40);
  TUMLClass& fa = *fahrerBox->UMLClass;
  TAttribute* kennt = Attr(fa, "kenntTAuto", "TAuto", TVisibility::Private);
  Accessors(fa, kennt, 1);
  Attr(fa, "name", "String", TVisibility::Public);

  d.AddConnection(autoBox, 6, fahrzeug, 28, TConnectionKind::Ist)->Color =
      DefaultConnectionColor(TConnectionKind::Ist);
  // The right side of TAuto: KENNT arrives at its upper part, HAT leaves from its lower
  // part straight to the middle of TRad's left side.
  TConnection* hat = d.AddConnection(autoBox, 20, radBox, 39, TConnectionKind::Hat);
  hat->Color = DefaultConnectionColor(TConnectionKind::Hat);
  hat->EndText = "4";
  hat->Attributes.Add(rad);
  hat->TextBox->Lines = {W("Räder des Autos")};
  TConnection* k = d.AddConnection(fahrerBox, 33, autoBox, 13, TConnectionKind::Kennt);
  k->Color = DefaultConnectionColor(TConnectionKind::Kennt);
  k->EndText = "1";
  k->StartText = "n";
  k->Attributes.Add(kennt);
  k->LineShape = 2;
  TInfoBox* note = d.AddInfoBox(40, 360);
  note->Lines = {"Beispiel: Fahrzeuge", W("IST, HAT und KENNT an einem Blick")};
  note->FontDialog->Size = 9;

  DiagramDocument& sub = *d.AddSubDiagram("Unterdiagramm 1 - Objekte");
  TUMLDrawObject* meinAuto = sub.AddObjectBox(&a, 40, 40);
  meinAuto->ObjectName = "meinAuto";
  meinAuto->Left = 40, meinAuto->Top = 40, meinAuto->Right = 200, meinAuto->Bottom = 90;
  if (meinAuto->Values.Count() > 0) meinAuto->Values.Item(0).Value = "rad1";
  TUMLDrawObject* rad1 = sub.AddObjectBox(&r, 300, 40);
  rad1->ObjectName = "rad1";
  rad1->Left = 300, rad1->Top = 40, rad1->Right = 420, rad1->Bottom = 90;
  if (rad1->Values.Count() > 0) rad1->Values.Item(0).Value = "16";
  TConnection* sh = sub.AddConnection(meinAuto, 17, rad1, 39, TConnectionKind::Hat);
  sh->Color = DefaultConnectionColor(TConnectionKind::Hat);
  sh->EndText = "4";
  sub.CurrentBox = rad1;
  sub.CurrentClass = &r;
  d.CurrentBox = fahrerBox;
  d.CurrentClass = &fa;
}

void Bank(DiagramDocument& d) {
  d.Language = 2;
  NotationScope notation(2);
  TUMLDrawClass* kontoBox = Box(d, "Konto", 40, 40);
  TUMLClass& konto = *kontoBox->UMLClass;
  konto.Documentation = {"Ein Bankkonto mit Kontostand."};
  TAttribute* stand = Attr(konto, "stand", "int", TVisibility::Private, {"in Cent"});
  Accessors(konto, stand, 2);
  Method(konto, "einzahlen", TMethodKind::Procedure, {{"betrag", "int"}}, "",
         {"{", "  stand = stand + betrag;", "}"});
  Method(konto, "Konto", TMethodKind::Constructor, {}, "", {"{", "  stand = 0;", "}"});
  TUMLDrawClass* kundeBox = Box(d, "Kunde", 330, 40);
  TUMLClass& kunde = *kundeBox->UMLClass;
  TAttribute* hat = Attr(kunde, "hatKonto", "Konto", TVisibility::Private);
  Accessors(kunde, hat, 2);
  Attr(kunde, "name", "String", TVisibility::Public);
  TConnection* c = d.AddConnection(kundeBox, 39, kontoBox, 17, TConnectionKind::Hat);
  c->Color = DefaultConnectionColor(TConnectionKind::Hat);
  c->EndText = "1";
  c->Attributes.Add(hat);
  TUMLDrawClass* giroBox = Box(d, "Girokonto", 40, 220);
  giroBox->UMLClass->Documentation = {W("Ein Konto mit Dispositionskredit.")};
  Attr(*giroBox->UMLClass, "dispo", "int", TVisibility::Private);
  d.AddConnection(giroBox, 6, kontoBox, 28, TConnectionKind::Ist)->Color =
      DefaultConnectionColor(TConnectionKind::Ist);
  TConnection* msg = d.AddConnection(kundeBox, 28, kontoBox, 22, TConnectionKind::Auftrag);
  msg->Color = DefaultConnectionColor(TConnectionKind::Auftrag);
  msg->Method = konto.Methods.At(konto.Methods.Count() - 1);
  for (TMethod* m : konto.Methods.Items)
    if (m->Name == "einzahlen") msg->Method = m;
  msg->TextBox->Lines = {"einzahlen"};
  d.CurrentBox = kontoBox;
  d.CurrentClass = &konto;
}

}  // namespace

int CmdExample(const Args& args) {
  if (args.size() != 2 || (args[0] != "vehicles" && args[0] != "bank"))
    return Usage("zedro-cli example vehicles|bank OUT.urd");
  StderrMessages messages;
  DiagramDocument doc;
  if (args[0] == "vehicles") {
    Vehicles(doc);
  } else {
    Bank(doc);
  }
  return WriteDiagramFile(doc, Arg(args[1]), messages) ? kExitOk : kExitStopped;
}

}  // namespace zedro::cli
