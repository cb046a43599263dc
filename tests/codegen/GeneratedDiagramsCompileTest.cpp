// Diagrams as the editor's commands make them, drawn at random: classes with members of
// every visibility and kind, read and write methods, relationships of every kind (some
// deleted again), messages with their methods, sub-diagrams that show the same classes,
// documentation that holds comment closers. Every class of every diagram is exported in
// both languages and must compile with Free Pascal (Delphi mode) and javac; read back and
// exported again, it must still compile.
//
// What the diagrams leave out is what no generator can mend: Pascal units that use each
// other in their interface parts (relationships and types of a Pascal diagram point to
// classes made earlier), a Java superclass whose constructors all take parameters, two
// destructors in one Java class, and library classes whose units Zedro does not know.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>

#include "codegen/CodegenTestSupport.h"
#include "codegen/ExportSupport.h"
#include "import/ImportTestSupport.h"
#include "model/MemberCode.h"
#include "model/Messages.h"
#include "model/Notation.h"

using namespace zedro;
using namespace zedro::testing;

namespace {

constexpr int kDiagramsPerLanguage = 30;

class DiagramMaker {
 public:
  DiagramMaker(TestDiagram& d, int language, int number)
      : d_(d), language_(language), java_(language == 2), random_(1000u * language + number) {
    prefix_ = (java_ ? "D" : "TD") + std::to_string(number) + "K";
  }

  void Make() {
    d_.doc.Language = language_;
    const int classes = Between(3, 6);
    for (int i = 0; i < classes; ++i) {
      TUMLClass& c = d_.Class(prefix_ + std::to_string(i));
      names_.emplace_back();
      if (Chance(6)) c.IsAbstract = true;
      classes_.push_back(&c);
    }
    // The inheritance first: a Java superclass then gets constructors without parameters.
    for (int i = 1; i < classes; ++i)
      if (Chance(3)) {
        const int parent = Between(0, i - 1);
        connections_.push_back(d_.Connect(Name(i), TConnectionKind::Ist, Name(parent)));
        superclasses_.insert(parent);
        parents_[i] = parent;
      }
    d_.doc.AssertParents();
    for (int i = 0; i < classes; ++i) {
      for (int k = Between(0, 3); k > 0; --k) NewAttribute(i);
      for (int k = Between(1, 5); k > 0; --k) NewMethod(i);
      if (parents_.count(i) && Chance(2)) Override(i);
    }
    for (int k = Between(2, 7); k > 0; --k) Relationship();
    for (int k = Between(0, 3); k > 0; --k) Message();
    if (Chance(3)) {  // a note tied to a class
      const std::string noted = Name(Between(0, classes - 1));
      d_.Connect(noted, TConnectionKind::ClassInfo, noted);
    }
    // Some relationships are deleted again; their attributes stay in the classes.
    for (TConnection* c : std::vector<TConnection*>(connections_))
      if (c->Kind != TConnectionKind::Ist && Chance(4)) d_.doc.DeleteConnection(c);
    SubDiagram();
    d_.doc.AssertParents();
  }

 private:
  int Between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
  bool Chance(int oneIn) { return Between(1, oneIn) == 1; }
  template <class T>
  const T& Pick(const std::vector<T>& v) {
    return v[static_cast<size_t>(Between(0, static_cast<int>(v.size()) - 1))];
  }
  std::string Name(int i) const { return prefix_ + std::to_string(i); }

  // A member name not yet used in the class (letter case ignored, as Pascal reads it).
  std::string Fresh(int i, const std::string& stem) {
    std::string name = stem;
    for (int n = 2; names_[i].count(text::LowerAscii(name)); ++n) name = stem + std::to_string(n);
    names_[i].insert(text::LowerAscii(name));
    return name;
  }

  // A type for a member of class i: a basic type or a class. In Pascal only classes made
  // before it (or itself), so that no two units need each other in their interface parts.
  std::string Type(int i) {
    static const std::vector<std::string> pascal = {"Integer", "String", "Boolean", "Real", "Char"};
    static const std::vector<std::string> java = {"int", "String", "boolean", "double", "char"};
    if (Chance(4)) return Name(java_ ? Between(0, static_cast<int>(classes_.size()) - 1) : Between(0, i));
    if (java_ && Chance(8)) return "int[]";
    return Pick(java_ ? java : pascal);
  }

  StringList Documentation() {
    static const std::vector<std::string> lines = {
        "Ende */ und weiter", W("Pfad C:\\users\\schüler\\daten"), "Klammer } und *) zu",
        "\\u002a/ und \\\\u0041", "auf { und (*", W("Größe in Metern")};
    StringList doc;
    for (int k = Between(0, 2); k > 0; --k) doc.push_back(Pick(lines));
    return doc;
  }

  TVisibility AnyVisibility() { return static_cast<TVisibility>(Between(0, 3)); }

  // As the attribute dialog makes it, with read and write methods on request.
  TAttribute* AddAttribute(int i, const std::string& stem, const std::string& type) {
    TUMLClass& c = *classes_[i];
    const std::string name = Fresh(i, stem);
    auto a = std::make_unique<TAttribute>(name, type, AnyVisibility(), Documentation());
    if (Chance(2)) {
      a->ReadMethod = c.AddMethod(
          MakeReadQuery(Fresh(i, (java_ ? "gib" : "Gib") + CapitalizedName(name)), name, type,
                        language_,
                        Chance(2) ? TReadQueryFor::NewAttribute : TReadQueryFor::ChangedAttribute));
      a->ReadMethod->Visibility =
          a->Visibility == TVisibility::Published ? TVisibility::Published : TVisibility::Public;
    }
    if (Chance(2))
      a->WriteMethod = c.AddMethod(MakeWriteCommand(
          Fresh(i, (java_ ? "setze" : "Setze") + CapitalizedName(name)), name, type, language_));
    return c.AddAttribute(std::move(a));
  }

  // Names of plain members carry the class: a subclass then overrides only what the
  // override command clones (javac refuses a method that differs from an inherited one of
  // the same signature in its result type or gives it less access).
  void NewAttribute(int i) { AddAttribute(i, "wert" + std::to_string(i), Type(i)); }

  std::vector<TParameter> Parameters(int i, int count) {
    std::vector<TParameter> out;
    for (int k = 0; k < count; ++k) {
      std::string name = "p" + std::to_string(k);
      std::string type = Type(i);
      if (!java_ && Chance(8)) type = "array of Integer";  // an open array
      if (!java_) {
        static const char* const kinds[] = {"", "VAR ", "CONST ", "OUT ", "", ""};
        const int kind = Between(0, 5);
        name = kinds[kind] + name;
        if (kind == 4 && Chance(2)) name = "VAR " + name, type.clear();  // untyped
      }
      out.emplace_back(name, type);
    }
    return out;
  }

  // As the method dialog makes a new method: the body as the dialog proposes it.
  void NewMethod(int i) {
    TUMLClass& c = *classes_[i];
    auto m = std::make_unique<TMethod>();
    m->Kind = static_cast<TMethodKind>(Between(0, 3));
    const bool superclass = superclasses_.count(i) > 0;
    if (m->Kind == TMethodKind::Destructor && hasDestructor_.count(i))
      m->Kind = TMethodKind::Procedure;
    if (m->Kind == TMethodKind::Constructor && java_ && superclass && hasConstructor_.count(i))
      m->Kind = TMethodKind::Procedure;
    m->Name = Fresh(i, m->Kind == TMethodKind::Constructor  ? "Create"
                       : m->Kind == TMethodKind::Destructor ? "Destroy"
                                                            : "tue" + std::to_string(i));
    m->Visibility = AnyVisibility();
    if (m->Kind == TMethodKind::Function) m->ResultType = Type(i);
    if (m->Kind == TMethodKind::Procedure || m->Kind == TMethodKind::Function) {
      m->IsClassMethod = Chance(5);
      m->IsAbstract = Chance(6);
      m->IsFinal = Chance(4);
    }
    // Java tells constructors apart by their parameters only; a superclass keeps one that
    // takes none, as its subclasses call it.
    int count = Between(0, 2);
    if (m->Kind == TMethodKind::Constructor) {
      count = java_ ? (superclass ? 0 : constructors_[i]++) : count;
      hasConstructor_.insert(i);
      if (java_ && superclass) m->Visibility = TVisibility::Public;
    }
    if (m->Kind == TMethodKind::Destructor) {
      count = 0;
      hasDestructor_.insert(i);
    }
    m->Parameters = Parameters(i, count);
    m->Code = NewMethodCode(java_);
    FitNewMethodCode(*m, java_);
    TMethod* added = c.AddMethod(std::move(m));
    // Sometimes an overload: the same name with one parameter more.
    if ((added->Kind == TMethodKind::Procedure || added->Kind == TMethodKind::Function) &&
        Chance(5)) {
      std::unique_ptr<TMethod> o = added->Clone();
      o->Parameters.emplace_back(java_ ? "extra" : "CONST extra", java_ ? "String" : "String");
      o->IsAbstract = false;
      o->Code = NewMethodCode(java_, o->Kind, o->ResultType);
      c.AddMethod(std::move(o));
    }
  }

  // As "Methode überschreiben" does: a clone of a method of the parent that is not final,
  // with the parent's body. (A body that uses a private attribute of the parent, as a read
  // or write method does, cannot compile in the subclass; the clone leaves that to the user.)
  void Override(int i) {
    TUMLClass& parent = *classes_[static_cast<size_t>(parents_[i])];
    std::vector<const TMethod*> candidates;
    for (const TMethod* m : parent.Methods.Items)
      if (!m->IsFinal && m->Kind != TMethodKind::Constructor &&
          !names_[i].count(text::LowerAscii(m->Name)) && IsNewMethodCode(m->Code, java_))
        candidates.push_back(m);
    if (candidates.empty()) return;
    std::unique_ptr<TMethod> m = Pick(candidates)->Clone();
    m->IsAbstract = false;
    names_[i].insert(text::LowerAscii(m->Name));
    if (m->Kind == TMethodKind::Destructor) {
      if (hasDestructor_.count(i)) return;
      hasDestructor_.insert(i);
    }
    classes_[i]->AddMethod(std::move(m));
  }

  // As the HAT and KENNT commands make them, with the attribute they stand for.
  void Relationship() {
    const int from = Between(0, static_cast<int>(classes_.size()) - 1);
    const int to = java_ ? Between(0, static_cast<int>(classes_.size()) - 1) : Between(0, from);
    const TConnectionKind kind = Chance(2) ? TConnectionKind::Hat : TConnectionKind::Kennt;
    static const std::vector<std::string> multiplicities = {"1", "2", "4", "10", "n", "0", ""};
    TConnection* c = d_.Connect(Name(from), kind, Name(to), Pick(multiplicities),
                                kind == TConnectionKind::Kennt ? Pick(multiplicities) : "");
    connections_.push_back(c);
    if (Chance(5)) return;  // "kein Attribut zuordnen"
    c->Attributes.Add(
        AddAttribute(from, (kind == TConnectionKind::Hat ? "hat" : "kennt") + Name(to), Name(to)));
  }

  // An Auftrag or Anfrage, calling a method of the receiver or a new one made for it.
  void Message() {
    const int from = Between(0, static_cast<int>(classes_.size()) - 1);
    const int to = Between(0, static_cast<int>(classes_.size()) - 1);
    const bool query = Chance(2);
    TConnection* c =
        d_.Connect(Name(from), query ? TConnectionKind::Anfrage : TConnectionKind::Auftrag,
                   Name(to), query ? "gibStand" : "", query ? Type(to) : "");
    TUMLClass& receiver = *classes_[static_cast<size_t>(to)];
    if (!receiver.Methods.Items.empty() && Chance(2)) {
      c->Method = Pick(receiver.Methods.Items);
      return;
    }
    // The method dialog for a message leaves the body empty: the generator writes one.
    auto m = std::make_unique<TMethod>();
    m->Kind = query ? TMethodKind::Function : TMethodKind::Procedure;
    m->Name = Fresh(to, (query ? c->EndText : "fuehreAus") + std::to_string(to));
    m->ResultType = query ? c->StartText : "";
    c->Method = receiver.AddMethod(std::move(m));
  }

  // A sub-diagram with boxes of some classes, showing relationships of the main diagram
  // again, and objects linked like their classes.
  void SubDiagram() {
    DiagramDocument* sub = d_.doc.AddSubDiagram("Unterdiagramm 1 - Teil");
    std::map<const TUMLClass*, TUMLDrawClass*> boxes;
    for (TUMLClass* c : classes_)
      if (Chance(2)) boxes[c] = sub->AddBoxForClass(c);
    for (const TConnection* c : std::vector<TConnection*>(d_.doc.Connections.Items)) {
      auto from = boxes.find(c->StartBox->UMLClass);
      auto to = boxes.find(c->EndBox->UMLClass);
      if (from == boxes.end() || to == boxes.end() || !Chance(2)) continue;
      TConnection* again = sub->AddConnection(from->second, 2, to->second, 30, c->Kind);
      again->EndText = c->EndText;
      again->StartText = c->StartText;
      again->Method = c->Method;
    }
    if (classes_.size() >= 2) {
      TUMLDrawObject* a = sub->AddObjectBox(classes_[1], 40, 300);
      TUMLDrawObject* b = sub->AddObjectBox(classes_[0], 300, 300);
      sub->AddConnection(a, 17, b, 39, TConnectionKind::Kennt)->EndText = "1";
    }
  }

  TestDiagram& d_;
  int language_;
  bool java_;
  std::mt19937 random_;
  std::string prefix_;
  std::vector<TUMLClass*> classes_;
  std::vector<std::set<std::string>> names_;
  std::vector<TConnection*> connections_;
  std::set<int> superclasses_, hasDestructor_, hasConstructor_;
  std::map<int, int> parents_, constructors_;
};

// Exports every diagram into one directory (the class names differ from diagram to
// diagram) and compiles everything in one go: one fpc run on a program that uses every
// unit, one javac run on every class. The compiler's output when it fails.
std::string ExportAndCompile(std::vector<std::unique_ptr<TestDiagram>>& diagrams, int language,
                             const TempDir& dir) {
  std::string units;
  for (auto& d : diagrams) {
    ScriptedMessages messages;
    const ExportAllResult result = ExportAllClasses(d->doc, dir.Path(), language, messages);
    EXPECT_EQ(result.failed, 0);
    for (const TUMLDrawClass* box : d->doc.DrawClasses.Items)
      units += (units.empty() ? "" : ", ") + UnitNameOfFile(box->SourceFileName);
  }
  RunResult r;
  if (language == 1) {
    std::ofstream(dir.File("alle.pas")) << "program alle;\nuses " << units << ";\nbegin\nend.\n";
    r = RunCommand("cd '" + dir.Path() + "' && fpc -Mdelphi -vn- alle.pas");
  } else {
    r = RunCommand("cd '" + dir.Path() + "' && javac -encoding UTF-8 -nowarn -d classes *.java");
  }
  return r.status == 0 ? std::string() : r.output.substr(0, 4000);
}

// Every class read back from the file it was exported to and brought up to date from it,
// as the change watch does after the file was saved elsewhere.
void ReadBack(std::vector<std::unique_ptr<TestDiagram>>& diagrams, int language,
              const TempDir& dir) {
  for (auto& d : diagrams)
    for (TUMLDrawClass* box : d->doc.DrawClasses.Items) {
      TUMLClass& cls = *box->UMLClass;
      ScriptedMessages msgs;
      const SourceLines lines = SourceLinesFromBytes(ReadText(dir.File(box->SourceFileName)));
      std::unique_ptr<TUMLClass> read =
          language == 1 ? ReadPascalClassFully(lines, cls.Name, msgs)
                        : TJavaParser(box->SourceFileName, lines, msgs).Parse();
      ASSERT_TRUE(read && read->Name == cls.Name) << box->SourceFileName;
      EXPECT_TRUE(msgs.shown.empty()) << box->SourceFileName << ": " << msgs.Texts()[0];
      // Every member comes back as it was (parameter kinds included), up to what the
      // language writes differently. Whether Pascal reads a method as final follows its
      // directives, which an override may change.
      auto notFinal = [](std::vector<std::string> members) {
        for (std::string& m : members)
          if (size_t f = m.find(" final"); f != std::string::npos) m.erase(f, 6);
        std::sort(members.begin(), members.end());
        return members;
      };
      EXPECT_EQ(notFinal(Members(*read)), notFinal(MembersAfterReading(cls, language)))
          << box->SourceFileName;
      cls.UpdateFrom(*read, d->doc.Purger());
    }
}

void CheckLanguage(int language) {
  const char* compiler = language == 1 ? "fpc" : "javac";
  if (!HaveProgram(compiler)) GTEST_SKIP() << compiler << " is not installed";
  NotationScope notation(language);
  std::vector<std::unique_ptr<TestDiagram>> diagrams;
  for (int n = 0; n < kDiagramsPerLanguage; ++n) {
    diagrams.push_back(std::make_unique<TestDiagram>());
    DiagramMaker(*diagrams.back(), language, n).Make();
  }
  TempDir first;
  EXPECT_EQ(ExportAndCompile(diagrams, language, first), "");
  ReadBack(diagrams, language, first);
  TempDir second;
  EXPECT_EQ(ExportAndCompile(diagrams, language, second), "");
}

TEST(GeneratedDiagrams, EveryPascalUnitCompilesAlsoAfterReadingItBack) { CheckLanguage(1); }

TEST(GeneratedDiagrams, EveryJavaClassCompilesAlsoAfterReadingItBack) { CheckLanguage(2); }

}  // namespace
