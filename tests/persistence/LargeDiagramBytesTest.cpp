// The bytes of a large, varied diagram: every value form of the stream, sub-diagrams with
// object boxes, messages and notes. The digest was taken from the writer as it was before
// reading and writing were made faster; a reader or writer that changes a single byte of
// such a file fails here.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "diagram/DiagramDocument.h"
#include "model/Messages.h"
#include "model/Notation.h"
#include "model/Win1252.h"
#include "persistence/DiagramFile.h"

using namespace zedro;

namespace {

std::uint64_t Fnv1a(const std::string& bytes) {
  std::uint64_t h = 1469598103934665603ULL;
  for (unsigned char c : bytes) h = (h ^ c) * 1099511628211ULL;
  return h;
}

std::string N(const char* stem, int i) { return stem + std::to_string(i); }

std::unique_ptr<DiagramDocument> VariedDiagram() {
  auto doc = std::make_unique<DiagramDocument>();
  doc->Language = 1;
  const int classes = 1200;
  for (int i = 0; i < classes; ++i) {
    auto cls =
        std::make_unique<TUMLClass>(i % 9 == 0 ? W("TGröße") + std::to_string(i) : N("TKlasse", i));
    cls->IsAbstract = i % 5 == 0;
    cls->IsLibraryClass = i % 31 == 0;
    cls->Documentation = {"Zeile eins", i % 50 == 0 ? std::string(300, 'x') : W("Übung")};
    cls->InterfaceUses = {"SysUtils"};
    if (i % 3 == 0) cls->ImplementationUses = {"Classes", "mHilfe"};
    for (int a = 0; a < i % 7; ++a)
      cls->AddAttribute(std::make_unique<TAttribute>(
          N("wert", a), a % 2 ? "Integer" : "String", static_cast<TVisibility>(a % 4),
          a % 3 ? StringList{} : StringList{W("Maß in Metern")}));
    for (int m = 0; m < i % 6; ++m) {
      auto meth = std::make_unique<TMethod>();
      meth->Name = N("Tue", m);
      meth->Kind = static_cast<TMethodKind>(m % 4);
      meth->ResultType = meth->Kind == TMethodKind::Function ? "Integer" : "";
      meth->Visibility = static_cast<TVisibility>((m + 2) % 4);
      meth->IsAbstract = m == 3;
      meth->IsFinal = m % 2 == 0;
      meth->IsClassMethod = m == 4;
      for (int p = 0; p < m % 3; ++p) meth->AddParameter({N("p", p), p ? "VAR Real" : "Integer"});
      meth->Code = {"begin", N("  wert0 := ", i * 1000 + m) + ";", "end;"};
      if (m == 1) meth->Documentation = {W("Prüft die Eingabe")};
      cls->AddMethod(std::move(meth));
    }
    if (cls->Attributes.Count() > 1 && cls->Methods.Count() > 2) {
      cls->Attributes.At(1)->ReadMethod = cls->Methods.At(2);
      cls->Attributes.At(0)->WriteMethod = cls->Methods.At(0);
    }
    const int left = (i % 40) * 1100 - 300, top = (i / 40) * 170;
    TUMLDrawClass* box = doc->AddClassBox(std::move(cls), left, top);
    box->Right = left + 150 + i % 17;
    box->Bottom = top + 120;
    if (i % 11 == 0) box->SourceFileName = N("mKlasse", i) + ".pas";
    box->Options.RGWidth = static_cast<TWidthOption>(i % 3);
    box->Options.Font.Size = 8 + i % 5;
    box->Options.Font.Color = i % 2 ? 255 : static_cast<std::int32_t>(0x80000008);
  }
  const TConnectionKind kinds[] = {TConnectionKind::Ist, TConnectionKind::Hat,
                                   TConnectionKind::Kennt, TConnectionKind::Auftrag,
                                   TConnectionKind::Anfrage};
  for (int i = 0; i < 2400; ++i) {
    TUMLDrawClass* a = doc->DrawClasses.At(i % classes);
    TUMLDrawClass* b = doc->DrawClasses.At((i * 13 + 7) % classes);
    const TConnectionKind kind = kinds[i % 5];
    TConnection* c = doc->AddConnection(a, 1 + i % 44, b, 1 + (i * 5) % 44, kind);
    c->LineShape = i % 3;
    c->Color = DefaultConnectionColor(kind) + i % 2;
    c->StartText = i % 4 ? "" : "0..1";
    c->EndText = i % 2 ? "*" : W("für");
    c->TextOffsetX = i % 9 - 4;
    c->TextOffsetY = -(i % 200);
    c->TextBox->Lines = {N("Text ", i)};
    if ((kind == TConnectionKind::Hat || kind == TConnectionKind::Kennt) &&
        a->UMLClass->Attributes.Count() > 0)
      c->Attributes.Add(a->UMLClass->Attributes.At(i % a->UMLClass->Attributes.Count()));
    if ((kind == TConnectionKind::Auftrag || kind == TConnectionKind::Anfrage) &&
        b->UMLClass->Methods.Count() > 0)
      c->Method = b->UMLClass->Methods.At(i % b->UMLClass->Methods.Count());
  }
  for (int i = 0; i < 25; ++i) {
    TInfoBox* note = doc->AddInfoBox(i * 40, 70000 + i);
    note->Lines = {N("Notiz ", i), W("mit Ärger")};
  }
  for (int s = 0; s < 2; ++s) {
    DiagramDocument* sub = doc->AddSubDiagram(N("Unterdiagramm ", s + 1));
    for (int i = 0; i < 60; ++i) {
      TUMLClass* cls = doc->DrawClasses.At((i * 7 + s) % classes)->UMLClass;
      TUMLDrawClass* box;
      if (i % 2) {
        TUMLDrawObject* object = sub->AddObjectBox(cls, i * 30, i * 20);
        object->ObjectName = N("objekt", i);
        for (int v = 0; v < object->Values.Count(); ++v)
          object->Values.Item(v).Value = v % 2 ? W("größer") : N("", v);
        box = object;
      } else {
        box = sub->AddBoxForClass(cls, i * 30, i * 20);
      }
      box->Right = box->Left + 140;
      box->Bottom = box->Top + 90;
    }
    for (int i = 0; i + 1 < 60; i += 3)
      sub->AddConnection(sub->DrawClasses.At(i), 3, sub->DrawClasses.At(i + 1), 25,
                         TConnectionKind::Kennt);
    sub->AddInfoBox(5, 5)->Lines = {"Objekte"};
  }
  return doc;
}

TEST(LargeDiagramBytes, WrittenAsBeforeAndReadBackToTheSameBytes) {
  NotationScope notation(1);
  auto doc = VariedDiagram();
  const std::string bytes = DiagramToBytes(*doc);
  EXPECT_EQ(bytes.size(), 750973u);
  EXPECT_EQ(Fnv1a(bytes), 10220149304528157787ULL);

  // Read back and written again, also into the storage of the bytes just read.
  ScriptedMessages m;
  DiagramDocument again;
  LoadOptions options;
  options.switchLanguage = [](int) {};
  ASSERT_TRUE(ReadDiagram(again, bytes, "/tmp/gross.urd", m, options).completed);
  EXPECT_TRUE(m.shown.empty());
  EXPECT_EQ(DiagramToBytes(again), bytes);
  std::string reused(bytes.size() / 2, '\0');
  EXPECT_EQ(DiagramToBytes(again, std::move(reused)), bytes);
}

}  // namespace

// Members are read in blocks; links and connections into a later block must still find
// their members.
TEST(LargeDiagramBytes, ClassesWithManyMembersKeepTheirLinks) {
  NotationScope notation(1);
  DiagramDocument doc;
  auto cls = std::make_unique<TUMLClass>("TViele");
  for (int i = 0; i < 150; ++i)
    cls->AddAttribute(std::make_unique<TAttribute>(N("a", 1000 + i), "Integer",
                                                   TVisibility::Private, StringList{}));
  for (int i = 0; i < 140; ++i) {
    auto m = std::make_unique<TMethod>();
    m->Name = N("M", 1000 + i);
    cls->AddMethod(std::move(m));
  }
  cls->Attributes.At(130)->ReadMethod = cls->Methods.At(135);
  cls->Attributes.At(64)->WriteMethod = cls->Methods.At(64);
  TUMLDrawClass* box = doc.AddClassBox(std::move(cls));
  TConnection* c = doc.AddConnection(box, 1, box, 12, TConnectionKind::Auftrag);
  c->Method = box->UMLClass->Methods.At(139);
  TConnection* h = doc.AddConnection(box, 2, box, 13, TConnectionKind::Hat);
  h->Attributes.Add(box->UMLClass->Attributes.At(149));
  const std::string bytes = DiagramToBytes(doc);

  ScriptedMessages m;
  DiagramDocument again;
  ASSERT_TRUE(ReadDiagram(again, bytes, "viele.urd", m).completed);
  ASSERT_EQ(again.DrawClasses.Count(), 1);
  TUMLClass& read = *again.DrawClasses.At(0)->UMLClass;
  ASSERT_EQ(read.Attributes.Count(), 150);
  ASSERT_EQ(read.Methods.Count(), 140);
  EXPECT_EQ(read.Attributes.At(130)->ReadMethod, read.Methods.At(135));
  EXPECT_EQ(read.Attributes.At(64)->WriteMethod, read.Methods.At(64));
  ASSERT_EQ(again.Connections.Count(), 2);
  EXPECT_EQ(again.Connections.At(0)->Method, read.Methods.At(139));
  ASSERT_EQ(again.Connections.At(1)->Attributes.Count(), 1);
  EXPECT_EQ(again.Connections.At(1)->Attributes.At(0), read.Attributes.At(149));
  EXPECT_EQ(DiagramToBytes(again), bytes);
}
