// Large diagrams for the load, save and dump measurements: N classes in a grid, each with
// a documentation line, some attributes and methods (parameters and code lines) and
// connections to other classes.
#pragma once

#include <memory>
#include <string>

#include "diagram/DiagramDocument.h"

namespace zedro::bench {

struct LargeDiagramShape {
  int classes = 5000;
  int attributes = 10;
  int methods = 10;
  int connectionsPerClass = 2;
};

inline std::unique_ptr<DiagramDocument> MakeLargeDiagram(const LargeDiagramShape& shape) {
  auto doc = std::make_unique<DiagramDocument>();
  for (int c = 0; c < shape.classes; ++c) {
    auto cls = std::make_unique<TUMLClass>("TKlasse" + std::to_string(c));
    cls->Documentation = {"Eine Klasse des Beispiels"};
    for (int a = 0; a < shape.attributes; ++a) {
      auto attr = std::make_unique<TAttribute>();
      attr->Name = "attribut" + std::to_string(a);
      attr->TypeName = "Integer";
      attr->Visibility = static_cast<TVisibility>(a % 4);
      cls->AppendAttribute(std::move(attr));
    }
    for (int m = 0; m < shape.methods; ++m) {
      auto meth = std::make_unique<TMethod>();
      meth->Name = "Methode" + std::to_string(m);
      meth->Kind = static_cast<TMethodKind>(m % 4);
      meth->ResultType = meth->Kind == TMethodKind::Function ? "Integer" : "";
      meth->Parameters = {{"a", "Integer"}, {"b", "String"}};
      meth->Code = {"begin", "  attribut1 := attribut2 + a;", "  //hier ggf. Code", "end;"};
      cls->AppendMethod(std::move(meth));
    }
    cls->SortMembers();
    if (shape.attributes > 0 && shape.methods > 1)
      cls->Attributes.At(0)->ReadMethod = cls->Methods.At(1);
    TUMLDrawClass* box = doc->AddClassBox(std::move(cls), 50, 50);
    box->Left = (c % 100) * 200;
    box->Top = (c / 100) * 150;
    box->Right = box->Left + 150;
    box->Bottom = box->Top + 120;
  }
  const int n = shape.classes;
  for (int i = 0; n > 0 && i < n * shape.connectionsPerClass; ++i) {
    TUMLDrawClass* a = doc->DrawClasses.At(i % n);
    TUMLDrawClass* b = doc->DrawClasses.At(static_cast<int>((i * 7LL + 1) % n));
    TConnection* c = doc->AddConnection(a, 1 + i % 44, b, 1 + (i * 3) % 44,
                                        i % 2 ? TConnectionKind::Hat : TConnectionKind::Kennt);
    c->EndText = "1";
    if (shape.attributes > 0) c->Attributes.Add(a->UMLClass->Attributes.At(i % shape.attributes));
    c->TextBox->Lines = {"Beschreibung"};
  }
  return doc;
}

// The shape of the 50,000-class diagram of the fresh-process measurements (about 39 MB).
inline LargeDiagramShape FiftyThousandClasses() { return {50000, 4, 4, 1}; }

}  // namespace zedro::bench
