// A vehicle project in either language: two levels of inheritance, HAT and KENNT, a relationship
// drawn only in a sub-diagram, abstract, class, overloaded, overriding and final methods.
#pragma once

#include "codegen/CodegenTestSupport.h"

namespace zedro::testing {

inline void BuildVehicleDiagram(TestDiagram& d, int language) {
  const bool pascal = language == 1;
  d.doc.Language = language;
  const std::string ext = pascal ? ".pas" : ".java";
  auto file = [&](const std::string& cls) { return pascal ? "m" + cls + ext : cls + ext; };
  const std::string Int = pascal ? "Integer" : "int";
  const std::string Str = "String";
  const std::string Real = pascal ? "Real" : "double";

  TUMLClass& fahrzeug = *d.Box("TFahrzeug", file("TFahrzeug"))->UMLClass;
  TUMLClass& autoC = *d.Box("TAuto", file("TAuto"))->UMLClass;
  TUMLClass& rad = *d.Box("TRad", file("TRad"))->UMLClass;
  TUMLClass& fahrer = *d.Box("TFahrer", file("TFahrer"))->UMLClass;
  TUMLClass& garage = *d.Box("TGarage", file("TGarage"))->UMLClass;
  d.Box("TBibliothek")->UMLClass->IsLibraryClass = true;

  fahrzeug.IsAbstract = true;
  fahrzeug.Documentation = {W("Oberklasse aller Fahrzeuge, mit Umlauten: äöüß")};
  AddAttr(fahrzeug, "FName", Str);
  AddAttr(fahrzeug, "FKm", Int, TVisibility::Protected)->Documentation = {"gefahrene Kilometer"};
  AddMeth(fahrzeug, {"Create", TMethodKind::Constructor});
  AddMeth(fahrzeug, {"Destroy", TMethodKind::Destructor});
  AddMeth(fahrzeug, {"Fahre", TMethodKind::Procedure, {{"km", Int}}});
  AddMeth(fahrzeug, {"Setze", TMethodKind::Procedure, {{"x", Int}}});
  AddMeth(fahrzeug, {"Setze", TMethodKind::Procedure, {{"s", Str}}});
  AddMeth(fahrzeug, {"Zeichne"})->IsAbstract = true;
  TMethod* gibName = AddMeth(fahrzeug, {"GibName", TMethodKind::Function, {}, Str});
  TMethod* anzahl = AddMeth(fahrzeug, {"Anzahl", TMethodKind::Function, {}, Int});
  anzahl->IsClassMethod = true;
  if (pascal) {
    AddMeth(fahrzeug, {"Lies", TMethodKind::Procedure, {{"VAR k", Int}}});
    gibName->Code = {"begin", "  Result := FName;", "end;"};
    anzahl->Code = {"begin", "  Result := 0;", "end;"};
  } else {
    gibName->Code = {"{", "  return FName;", "}"};
    anzahl->Code = {"{", "  return 0;", "}"};
  }

  d.Connect("TAuto", TConnectionKind::Ist, "TFahrzeug");
  autoC.JavaImports = StringList{"java.util.List"};
  AddMeth(autoC, {"Zeichne"});
  AddMeth(autoC, {"Hupe"})->IsFinal = true;
  AddMeth(autoC, {"Fahre", TMethodKind::Procedure, {{"km", Int}}})->IsFinal =
      true;  // overrides: a warning
  AddMeth(autoC, {"GibName", TMethodKind::Function, {}, Str})->Code =
      pascal ? StringList{"begin", "  Result := 'Auto';", "end;"}
             : StringList{"{", "  return \"Auto\";", "}"};
  d.Connect("TAuto", TConnectionKind::Hat, "TRad", "3");
  d.Connect("TAuto", TConnectionKind::Kennt, "TFahrer", "1", "3");

  AddAttr(rad, "Durchmesser", Real);
  AddMeth(rad, {"GibDurchmesser", TMethodKind::Function, {}, Real})->Code =
      pascal ? StringList{"begin", "  Result := Durchmesser;", "end;"}
             : StringList{"{", "  return Durchmesser;", "}"};

  AddAttr(fahrer, "Name", Str, TVisibility::Public);
  d.Connect("TGarage", TConnectionKind::Hat, "TAuto", "10");
  d.Connect("TGarage", TConnectionKind::Kennt, "TFahrer", "n");
  AddMeth(garage, {"Parke",
                   TMethodKind::Procedure,
                   {{"nummer", Int}, {"name", Str}},
                   "",
                   TVisibility::Protected});

  // Only the sub-diagram shows that a garage knows its wheels.
  DiagramDocument* sub = d.doc.AddSubDiagram("Garage");
  TUMLDrawClass* g = sub->AddBoxForClass(&garage);
  TUMLDrawClass* r = sub->AddBoxForClass(&rad);
  sub->AddConnection(g, 2, r, 30, TConnectionKind::Kennt)->EndText = "2";
  d.doc.AssertParents();
}

}  // namespace zedro::testing
