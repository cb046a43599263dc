#include "codegen/JavaExport.h"

#include "codegen/MethodKinds.h"
#include "diagram/ClassBox.h"
#include "diagram/Connection.h"
#include "diagram/ElementLists.h"
#include "model/Notation.h"
#include "model/Win1252.h"

namespace zedro {

using codegen::EffectiveClassMethod;
using codegen::EffectiveKind;
using codegen::IsForwardRelationship;

namespace {

const TUMLClass* ClassOf(const TUMLDrawClass* box) { return box ? box->UMLClass : nullptr; }

// Java knows no "published": such attributes are declared public. Method headings keep
// the visibility's own name, so a published method is left for the user to decide.
std::string AttributeVisibility(int visibility) {
  return visibility == kPublished ? "public" : VisibilityName(visibility);
}

// Constructors and destructors cannot be abstract in Java; they always get a body.
bool IsAbstractMethod(const TMethod& m) {
  TMethodKind kind = EffectiveKind(m);
  return m.IsAbstract && (kind == kProcedure || kind == kFunction);
}

}  // namespace

TJavaExport::TJavaExport(const TConnectionList& connections) : Connections(connections) {}

const StringList& TJavaExport::Generate(const TUMLClass& c) {
  NotationScope notation(2);
  UMLClass = &c;
  Lines.push_back(" /**");
  Lines.push_back("  * import-Liste ");
  Lines.push_back("  * ggf. weiter von Hand anpassen ");
  Lines.push_back("  */");
  if (c.JavaImports)
    for (const std::string& entry : *c.JavaImports) Lines.push_back("import " + entry + ";");
  Lines.push_back(" ");

  std::string heading = (c.IsAbstract ? "public abstract class " : "public class ") + c.Name;
  for (const TConnection* con : Connections.Items) {
    if (con && con->Kind == kIst && ClassOf(con->StartBox) == &c && ClassOf(con->EndBox)) {
      heading += " extends " + con->EndBox->UMLClass->Name;
      break;
    }
  }
  Lines.push_back(heading + " {");
  WriteAttributes();
  Lines.push_back("");
  Lines.push_back("/**");
  Lines.push_back(" *         " + c.Name + ": Methoden ");
  Lines.push_back(" */");
  Lines.push_back("");
  WriteMethods();
  Lines.push_back("}");
  return Lines;
}

void TJavaExport::WriteAttributes() {
  const TUMLClass& c = *UMLClass;
  for (const char* s : {" ", " /**", "  *  Attribute der Klasse", "  */", " "}) Lines.push_back(s);
  for (const TAttribute* a : c.Attributes.Items) {
    if (!a->Documentation.empty()) {
      Lines.push_back("   /**");
      for (const std::string& d : a->Documentation) Lines.push_back("    * " + d);
      Lines.push_back("    */");
    }
    Lines.push_back("   " + AttributeVisibility(a->Visibility) + " " + a->TypeName + " " + a->Name +
                    ";");
  }
  for (const char* s : {" ", " /**", "  *  Attribute die aus Beziehungen resultieren", "  */", " "})
    Lines.push_back(s);
  for (const TConnection* con : Connections.Items) {
    if (!con || ClassOf(con->StartBox) != &c || !ClassOf(con->EndBox)) continue;
    if (!IsForwardRelationship(con->Kind)) continue;
    const std::string& p = con->EndBox->UMLClass->Name;
    const std::string w = con->Kind == kHat ? "hat" : "kennt";
    const int n = text::StrToIntDef(con->EndText, -1);
    if (n >= 1 && n <= 5) {
      for (int i = 1; i <= n; ++i)
        Lines.push_back("   // private " + p + " " + w + p + (n > 1 ? text::IntToStr(i) : "") +
                        ";");
    } else if (n >= 6) {
      Lines.push_back("   // private " + p + "[] " + w + p + " = new " + p + "[" +
                      text::IntToStr(n) + "];");
    }
  }
}

std::string TJavaExport::Heading(const TMethod& m) const {
  const TMethodKind kind = EffectiveKind(m);
  if (kind == kDestructor) return "public void finalize() throws Throwable";
  std::string s = std::string(VisibilityName(m.Visibility)) + " ";
  std::string name = m.Name;
  if (kind == kConstructor) {
    name = UMLClass->Name;
  } else {
    if (IsAbstractMethod(m)) {
      s += "abstract ";
    } else if (EffectiveClassMethod(m)) {
      s += "static ";
    }
    s += kind == kFunction ? m.ResultType + " " : std::string("void ");
  }
  s += name + "(";
  for (size_t i = 0; i < m.Parameters.size(); ++i) {
    if (i > 0) s += ", ";
    s += m.Parameters[i].TypeName + " " + m.Parameters[i].Name;
  }
  s += ")";
  if (IsAbstractMethod(m)) s += ";";
  return s;
}

void TJavaExport::WriteMethods() {
  for (const TMethod* m : UMLClass->Methods.Items) {
    std::string separator = "/********* " + m->Name + " (" + VisibilityName(m->Visibility) + ") ";
    const int run = 50 - static_cast<int>(m->Name.size());
    if (run > 0) separator += std::string(static_cast<size_t>(run), '*');
    Lines.push_back(separator + "*/");
    Lines.push_back(Heading(*m));
    if (!IsAbstractMethod(*m)) {
      if (!m->Code.empty()) {
        Lines.insert(Lines.end(), m->Code.begin(), m->Code.end());
      } else {
        Lines.push_back("{");
        Lines.push_back(W("  //Hier Code einfügen."));
        Lines.push_back("}");
      }
    }
    Lines.push_back("");
  }
}

}  // namespace zedro
