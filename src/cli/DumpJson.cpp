#include "cli/DumpJson.h"

#include <unordered_map>

#include "diagram/DiagramDocument.h"
#include "persistence/SavePositions.h"

namespace zedro::cli {

void WriteFont(Json& j, const TFontSpec& font) {
  j.BeginObject()
      .Field("Name", font.Name)
      .Field("Size", font.Size)
      .Field("Color", static_cast<long long>(font.Color))
      .Field("Bold", font.Bold)
      .Field("Italic", font.Italic)
      .Field("Underline", font.Underline)
      .EndObject();
}

void WriteOptions(Json& j, const TFOptions& o) {
  j.BeginObject().Key("Font");
  WriteFont(j, o.Font);
  j.Field("RGWidth", o.RGWidth)
      .Field("RGShowAc", o.RGShowAc)
      .Field("RGShowKindOfM", o.RGShowKindOfM)
      .Field("RgPublished", o.RgPublished)
      .Field("RgPublic", o.RgPublic)
      .Field("RgProtected", o.RgProtected)
      .Field("RgPrivate", o.RgPrivate)
      .EndObject();
}

void WriteClass(Json& j, const TUMLClass& cls) {
  SavePositions positions;
  j.BeginObject()
      .Field("Name", cls.Name)
      .Field("IsAbstract", cls.IsAbstract)
      .Field("IsLibraryClass", cls.IsLibraryClass)
      .Field("AncestorName", cls.AncestorName);
  j.Key("Documentation").Strings(cls.Documentation);
  j.Key("InterfaceUses").Strings(cls.InterfaceUses);
  j.Key("ImplementationUses").Strings(cls.ImplementationUses);
  if (cls.JavaImports) j.Key("JavaImports").Strings(*cls.JavaImports);
  j.Key("Attributes").BeginArray();
  for (const TAttribute* a : cls.Attributes.Items) {
    j.BeginObject()
        .Field("Name", a->Name)
        .Field("TypeName", a->TypeName)
        .Field("Visibility", a->Visibility);
    j.Key("Documentation").Strings(a->Documentation);
    j.Field("ReadMethod", a->ReadMethod ? positions.MethodIn(cls, a->ReadMethod) : -1)
        .Field("WriteMethod", a->WriteMethod ? positions.MethodIn(cls, a->WriteMethod) : -1)
        .EndObject();
  }
  j.EndArray();
  j.Key("Methods").BeginArray();
  for (const TMethod* m : cls.Methods.Items) {
    j.BeginObject()
        .Field("Name", m->Name)
        .Field("Kind", m->Kind)
        .Field("ResultType", m->ResultType)
        .Field("Visibility", m->Visibility)
        .Field("IsAbstract", m->IsAbstract)
        .Field("IsFinal", m->IsFinal)
        .Field("IsClassMethod", m->IsClassMethod);
    j.Key("Parameters").BeginArray();
    for (const TParameter& p : m->Parameters)
      j.BeginObject().Field("Name", p.Name).Field("TypeName", p.TypeName).EndObject();
    j.EndArray();
    j.Key("Documentation").Strings(m->Documentation);
    j.Key("Code").Strings(m->Code);
    j.EndObject();
  }
  j.EndArray();
  j.EndObject();
}

namespace {

void WriteInfoBox(Json& j, const TInfoBox& box) {
  j.BeginObject()
      .Field("Left", box.Left)
      .Field("Top", box.Top)
      .Field("Right", box.Right)
      .Field("Bottom", box.Bottom);
  j.Key("Lines").Strings(box.Lines);
  j.Key("FontDialog");
  WriteFont(j, *box.FontDialog);
  j.EndObject();
}

void WriteConnections(Json& j, const DiagramDocument& doc) {
  SavePositions positions(doc.DrawClasses);
  j.Key("Connections").BeginArray();
  for (const TConnection* c : doc.Connections.Items) WriteConnection(j, *c, positions);
  j.EndArray();
}

void WriteSubDiagramBox(Json& j, const TUMLDrawClass& box, int classIndex,
                        SavePositions& positions) {
  j.BeginObject()
      .Field("Left", box.Left)
      .Field("Top", box.Top)
      .Field("Right", box.Right)
      .Field("Bottom", box.Bottom)
      .Field("ClassIndex", classIndex)
      .Field("IsObject", box.IsObjectBox());
  if (box.IsObjectBox()) {
    const auto& object = static_cast<const TUMLDrawObject&>(box);
    j.Field("ObjectName", object.ObjectName);
    j.Key("Values").BeginArray();
    for (int i = 0; i < object.Values.Count(); ++i) {
      const TAttribute* a = object.Values.AttributeAt(i);
      j.BeginObject()
          .Field("Attribute", a ? positions.AttributeIn(*box.UMLClass, a) : -1)
          .Field("Value", object.Values.ValueAt(i))
          .EndObject();
    }
    j.EndArray();
  }
  j.Key("Options");
  WriteOptions(j, box.Options);
  j.EndObject();
}

void WriteHeader(Json& j, const DiagramDocument& doc) {
  j.Key("ClassOptions");
  WriteOptions(j, doc.ClassOptions);
  j.Key("ConnectionOptions").BeginObject().Key("Font");
  WriteFont(j, doc.ConnectionOptions.Font);
  j.EndObject();
}

}  // namespace

void WriteConnection(Json& j, const TConnection& c, SavePositions& positions) {
  const TUMLClass* startClass = c.StartBox ? c.StartBox->UMLClass : nullptr;
  const TUMLClass* endClass = c.EndBox ? c.EndBox->UMLClass : nullptr;
  j.BeginObject()
      .Field("Kind", c.Kind)
      .Field("LineShape", c.LineShape)
      .Field("Color", static_cast<long long>(c.Color))
      .Field("StartBox", positions.Box(c.StartBox))
      .Field("StartPoint", c.StartPoint)
      .Field("EndBox", positions.Box(c.EndBox))
      .Field("EndPoint", c.EndPoint)
      .Field("Method", c.Method && endClass ? positions.MethodIn(*endClass, c.Method) : -1);
  j.Key("Attributes").BeginArray();
  for (const TAttribute* a : c.Attributes.Items)
    j.Value(startClass ? positions.AttributeIn(*startClass, a) : -1);
  j.EndArray();
  j.Field("StartText", c.StartText).Field("EndText", c.EndText);
  j.Key("TextBox");
  WriteInfoBox(j, *c.TextBox);
  j.Field("TextOffsetX", c.TextOffsetX).Field("TextOffsetY", c.TextOffsetY);
  j.Key("CoOptions").BeginObject().Key("Font");
  WriteFont(j, c.CoOptions->Font);
  j.EndObject();
  j.EndObject();
}

void WriteBox(Json& j, const TUMLDrawClass& box) {
  j.BeginObject()
      .Field("Left", box.Left)
      .Field("Top", box.Top)
      .Field("Right", box.Right)
      .Field("Bottom", box.Bottom)
      .Field("SourceFileName", box.SourceFileName)
      .Field("SourceFileAge", static_cast<long long>(box.SourceFileAge));
  j.Key("UMLClass");
  if (box.UMLClass) {
    WriteClass(j, *box.UMLClass);
  } else {
    j.Null();
  }
  j.Key("Options");
  WriteOptions(j, box.Options);
  j.EndObject();
}

void BeginDiagram(Json& j, const DiagramDocument& doc, int version) {
  j.BeginObject().Field("Version", version).Field("Language", doc.Language);
  WriteHeader(j, doc);
}

void WriteInfoBoxes(Json& j, const DiagramDocument& doc) {
  j.Key("InfoBoxes").BeginArray();
  for (const TInfoBox* box : doc.InfoBoxes.Items) WriteInfoBox(j, *box);
  j.EndArray();
}

void WriteSubDiagrams(Json& j, const DiagramDocument& doc) {
  std::unordered_map<const TUMLClass*, int> classIndex;  // the last main box of each class
  if (!doc.SubDiagrams.empty())
    for (int i = 0; i < doc.DrawClasses.Count(); ++i)
      classIndex[doc.DrawClasses.At(i)->UMLClass] = i;
  SavePositions positions;
  j.Key("SubDiagrams").BeginArray();
  for (const auto& sub : doc.SubDiagrams) {
    j.BeginObject().Field("FileName", sub->FileName);
    WriteHeader(j, *sub);
    j.Key("DrawClasses").BeginArray();
    for (const TUMLDrawClass* box : sub->DrawClasses.Items) {
      auto k = classIndex.find(box->UMLClass);
      WriteSubDiagramBox(j, *box, k == classIndex.end() ? -1 : k->second, positions);
    }
    j.EndArray();
    WriteConnections(j, *sub);
    WriteInfoBoxes(j, *sub);
    j.EndObject();
  }
  j.EndArray();
}

void WriteDiagram(Json& j, const DiagramDocument& doc, int version) {
  BeginDiagram(j, doc, version);
  j.Key("DrawClasses").BeginArray();
  for (const TUMLDrawClass* box : doc.DrawClasses.Items) WriteBox(j, *box);
  j.EndArray();
  WriteConnections(j, doc);
  WriteInfoBoxes(j, doc);
  WriteSubDiagrams(j, doc);
  j.EndObject();
}

}  // namespace zedro::cli
