#include "import/JavaParser.h"

#include <algorithm>

#include "model/Messages.h"
#include "model/Win1252.h"

namespace zedro {
namespace {

using text::LowerAscii;

bool Has(const std::vector<std::string>& words, const char* word) {
  return std::find(words.begin(), words.end(), word) != words.end();
}

}  // namespace

TJavaParser::TJavaParser(std::string fileName, IMessages& messages)
    : FileName(std::move(fileName)), messages_(messages) {
  std::string error;
  if (!ReadSourceLines(FileName, lines_, &error))
    messages_.Message(MsgKind::Error,
                      W("Fehler beim Öffnen der Datei '") + FileName + "'.\n" + error);
  Lexer = std::make_unique<tJavaLexer>(lines_, messages_);
}

TJavaParser::TJavaParser(std::string fileName, SourceLines lines, IMessages& messages)
    : FileName(std::move(fileName)), messages_(messages), lines_(std::move(lines)) {
  Lexer = std::make_unique<tJavaLexer>(lines_, messages_);
}

TJavaParser::~TJavaParser() = default;

std::unique_ptr<TUMLClass> TJavaParser::Parse() {
  SyntaxError = false;
  UMLClass = std::make_unique<TUMLClass>("NONAME");
  ReadImports();
  if (SyntaxError) {
    messages_.Message(MsgKind::Information,
                      "Sytaxerror in Java Quelldatei beim Einlesen der Importliste");
  } else {
    ReadHeading();
    if (SyntaxError) {
      messages_.Message(MsgKind::Information,
                        "Sytaxerror in Java Quelldatei beim Einlesen des Kopfes der Klasse");
    } else {
      ReadMembers();
      if (SyntaxError)
        messages_.Message(MsgKind::Information,
                          "Sytaxerror in Java Quelldatei beim Einlesen der Attribute oder Methoden");
    }
  }
  // Members were appended in file order; one stable sort gives the order that adding them
  // one by one gives.
  UMLClass->SortMembers();
  return std::move(UMLClass);
}

// A type or qualified name: identifiers or "*" joined by "." ("java.util.*"). Of the array
// types only "String[]" is known: after exactly "String" the tokens up to and including "]"
// are taken. The token that ended the name is given back.
std::string TJavaParser::ReadName() {
  std::string name;
  ttoken t = Next();
  bool expectPart = true;
  for (;;) {
    if (expectPart && (t.Kind == jtIdentifier || t.Kind == jtStar)) {
      name += t.Text;
      expectPart = false;
    } else if (!expectPart && t.Kind == jtDot) {
      name += '.';
      expectPart = true;
    } else {
      break;
    }
    t = Next();
  }
  if (name == "String" && t.Kind == jtOpenBracket) {
    std::string brackets;
    while (t.Kind != jtCloseBracket) {
      if (t.Kind == jtEndOfFile) {
        messages_.Message(MsgKind::Information,
                          "Syntaxerror: Schliessende Indexklammer fehlt bei\n" + name);
        Lexer->PushBack();
        return name + brackets;
      }
      brackets += t.Text;
      t = Next();
    }
    name += brackets + t.Text;
    t = Next();
  }
  Lexer->PushBack();
  return name;
}

void TJavaParser::ReadImports() {
  StringList imports;
  ttoken t = Next();
  while (t.Kind != jtClass && t.Kind != jtModifier && t.Kind != jtVisibility &&
         t.Kind != jtEndOfFile) {
    if (t.Kind == jtImport) {
      std::string name;
      t = Next();
      // "import static a.b.C.*;" keeps its word "static".
      if (t.Kind == jtModifier && LowerAscii(t.Text) == "static")
        name = t.Text + " ";
      else
        Lexer->PushBack();
      name += ReadName();
      t = Next();
      while (t.Kind != jtSemicolon && t.Kind != jtOpenBrace && t.Kind != jtEndOfFile) {
        name += t.Text;
        t = Next();
      }
      imports.push_back(name);
      Lexer->PushBack();
    }
    t = Next();
  }
  UMLClass->JavaImports = std::move(imports);
  Lexer->PushBack();
}

void TJavaParser::ReadHeading() {
  ttoken t = Next();
  while (t.Kind == jtModifier || t.Kind == jtVisibility) {
    if (LowerAscii(t.Text) == "abstract") UMLClass->IsAbstract = true;
    t = Next();
  }
  if (t.Kind != jtClass) {
    SyntaxError = true;
    return;
  }
  std::string name = ReadName();
  if (name.empty()) {
    SyntaxError = true;
    return;
  }
  UMLClass->Name = name;
  t = Next();
  while (t.Kind != jtOpenBrace) {
    if (t.Kind == jtEndOfFile) {
      SyntaxError = true;
      return;
    }
    if (t.Kind == jtExtends) UMLClass->AncestorName = ReadName();
    t = Next();
  }
}

void TJavaParser::ReadMembers() {
  ttoken t = Next();
  while (t.Kind != jtCloseBrace && t.Kind != jtEndOfFile) {
    ReadMember(t);
    t = Next();
  }
}

void TJavaParser::SkipBlock() {
  int depth = 1;
  while (depth > 0) {
    ttoken t = Next();
    if (t.Kind == jtEndOfFile) return;
    if (t.Kind == jtOpenBrace) ++depth;
    if (t.Kind == jtCloseBrace) --depth;
  }
}

void TJavaParser::ReadMember(ttoken t) {
  std::vector<std::string> modifiers;
  std::string visibility;
  // Modifiers and a visibility word; a member may also begin with its type directly.
  if (t.Kind != jtIdentifier) {
    for (;;) {
      if (t.Kind == jtModifier) modifiers.push_back(LowerAscii(t.Text));
      if (t.Kind == jtVisibility) visibility = LowerAscii(t.Text);
      t = Next();
      if (t.Kind == jtIdentifier || t.Kind == jtOpenBrace || t.Kind == jtEndOfFile) break;
    }
    if (t.Kind == jtEndOfFile) {
      SyntaxError = true;
      return;
    }
    if (t.Kind == jtOpenBrace) {  // an initializer block
      SkipBlock();
      return;
    }
  }
  TVisibility vis = kProtected;
  if (visibility == "private") vis = kPrivate;
  if (visibility == "public") vis = kPublic;

  Lexer->PushBack();
  std::string type = ReadName();
  std::string name;
  ttoken n = Next();
  if (n.Kind == jtOpenParen) {
    name = type;
    type.clear();
  } else {
    Lexer->PushBack();
    name = ReadName();
    n = Next();
  }
  if (n.Kind == jtOpenParen) {
    ReadMethod(type, name, modifiers, vis);
    return;
  }
  while (n.Kind != jtSemicolon && n.Kind != jtEndOfFile) n = Next();
  if (name.empty()) {
    messages_.Message(MsgKind::Warning, "Die Deklaration eines Attributes vom Typ '" + type +
                                            W("' wurde nicht verstanden und übergangen."));
    return;
  }
  UMLClass->AppendAttribute(std::make_unique<TAttribute>(name, type, vis, StringList{}));
}

void TJavaParser::ReadMethod(const std::string& type, const std::string& name,
                             const std::vector<std::string>& modifiers, TVisibility visibility) {
  auto m = std::make_unique<TMethod>();
  m->Name = name;
  m->ResultType = type;
  m->Kind = type == "void" ? kProcedure : kFunction;
  if (name == "finalize") m->Kind = kDestructor;
  if (type.empty() && name == UMLClass->Name) m->Kind = kConstructor;
  m->IsAbstract = Has(modifiers, "abstract");
  m->IsFinal = Has(modifiers, "final");
  m->IsClassMethod = Has(modifiers, "static");
  m->Visibility = visibility;

  ttoken p = Next();
  while (p.Kind != jtCloseParen && p.Kind != jtEndOfFile) {
    if (p.Kind == jtComma || p.Kind == jtModifier) {  // "final int x"
      p = Next();
      continue;
    }
    Lexer->PushBack();
    std::string paramType = ReadName();
    ttoken paramName = Next();
    if (paramName.Kind == jtCloseParen || paramName.Kind == jtEndOfFile) {
      p = paramName;
      break;
    }
    if (!paramType.empty() && paramName.Kind == jtIdentifier)
      m->AddParameter(TParameter(paramName.Text, paramType));
    p = Next();
  }
  ttoken e = p.Kind == jtEndOfFile ? p : Next();
  while (e.Kind != jtOpenBrace && e.Kind != jtSemicolon && e.Kind != jtEndOfFile) e = Next();
  if (e.Kind == jtOpenBrace) ReadBody(*m);
  if (name.empty()) {
    messages_.Message(MsgKind::Warning,
                      W("Die Deklaration einer Methode ohne Namen wurde übergangen."));
    return;
  }
  UMLClass->AppendMethod(std::move(m));
}

// The body runs from the opening brace to the brace that balances it, as whole lines;
// every brace counts, also inside strings and comments. The lexer goes on after it.
void TJavaParser::ReadBody(TMethod& method) {
  const std::string& line = Lexer->ThisLine();
  size_t start = Lexer->RestPosition() > 0 ? Lexer->RestPosition() - 1 : 0;
  StringList body{line.substr(start)};
  int depth = 0;
  size_t end = std::string::npos;
  auto scan = [&](const std::string& s, size_t from) {
    for (size_t i = from; i < s.size(); ++i) {
      if (s[i] == '{') ++depth;
      if (s[i] == '}' && --depth == 0) return i;
    }
    return std::string::npos;
  };
  end = scan(line, start);
  while (end == std::string::npos && !Lexer->AtEndOfFile()) {
    Lexer->NextSourceLine();
    body.push_back(Lexer->Line);
    end = scan(Lexer->Line, 0);
  }
  method.AddCodeLines(body);
  Lexer->SetRestPosition(end == std::string::npos ? Lexer->Line.size() : end + 1);
}

}  // namespace zedro
