#include "codegen/JavaExport.h"

#include "codegen/GeneratorRules.h"
#include "codegen/MethodKinds.h"
#include "diagram/ClassBox.h"
#include "diagram/Connection.h"
#include "diagram/ElementLists.h"
#include "model/MemberCode.h"
#include "model/Notation.h"
#include "model/Win1252.h"

namespace zedro {

using codegen::EffectiveClassMethod;
using codegen::EffectiveKind;
using codegen::IsForwardRelationship;
using codegen::JavaCommentText;

namespace {

const TUMLClass* ClassOf(const TUMLDrawClass* box) { return box ? box->UMLClass : nullptr; }

// Java knows no "published": such members are declared public.
std::string JavaVisibility(TVisibility visibility) {
  return visibility == TVisibility::Published ? "public" : VisibilityName(visibility);
}

// Constructors and destructors cannot be abstract in Java; they always get a body.
bool IsAbstractMethod(const TMethod& m) {
  return m.IsAbstract && IsProcedureOrFunction(EffectiveKind(m));
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

  // A class with abstract methods, its own or inherited and not implemented, is abstract.
  const bool isAbstract = codegen::MustBeAbstractInJava(c, Connections);
  std::string heading = (isAbstract ? "public abstract class " : "public class ") + c.Name;
  if (const TUMLClass* ancestor = codegen::DeclaredAncestor(c, Connections))
    heading += " extends " + ancestor->Name;
  Lines.push_back(heading + " {");
  WriteAttributes();
  Lines.push_back("");
  Lines.push_back("/**");
  Lines.push_back(" *         " + JavaCommentText(c.Name) + ": Methoden ");
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
      for (const std::string& d : a->Documentation) Lines.push_back("    * " + JavaCommentText(d));
      Lines.push_back("    */");
    }
    Lines.push_back("   " + JavaVisibility(a->Visibility) + " " + a->TypeName + " " + a->Name + ";");
  }
  for (const char* s : {" ", " /**", "  *  Attribute die aus Beziehungen resultieren", "  */", " "})
    Lines.push_back(s);
  for (const TConnection* con : Connections.Items) {
    if (!con || ClassOf(con->StartBox) != &c || !ClassOf(con->EndBox)) continue;
    if (!IsForwardRelationship(con->Kind)) continue;
    const std::string p = JavaCommentText(con->EndBox->UMLClass->Name);
    const std::string w = con->Kind == TConnectionKind::Hat ? "hat" : "kennt";
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
  if (kind == TMethodKind::Destructor) return "public void finalize() throws Throwable";
  // An abstract method is there to be overridden: javac refuses a private one, so it is
  // declared protected.
  const bool privateAbstract = IsAbstractMethod(m) && m.Visibility == TVisibility::Private;
  std::string s = (privateAbstract ? std::string("protected") : JavaVisibility(m.Visibility)) + " ";
  std::string name = m.Name;
  // A generic method keeps its type parameters in front of the result type ("<T> void").
  const std::string typeParameters = codegen::TypeParameterPrefix(m.ResultType);
  if (kind == TMethodKind::Constructor) {
    if (!typeParameters.empty()) s += typeParameters + " ";
    name = codegen::BareClassName(UMLClass->Name);
  } else {
    if (IsAbstractMethod(m)) {
      s += "abstract ";
    } else if (EffectiveClassMethod(m)) {
      s += "static ";
    }
    if (kind == TMethodKind::Function)
      s += m.ResultType + " ";
    else
      s += typeParameters.empty() ? std::string("void ") : typeParameters + " void ";
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
    std::string separator =
        "/********* " + JavaCommentText(m->Name) + " (" + VisibilityName(m->Visibility) + ") ";
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
        // A query returns a value before its body is written, or javac refuses the class.
        if (EffectiveKind(*m) == TMethodKind::Function)
          Lines.push_back("  return " + JavaDefaultValue(m->ResultType) + ";");
        Lines.push_back("}");
      }
    }
    Lines.push_back("");
  }
}

}  // namespace zedro
