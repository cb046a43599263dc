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

bool IsChar(const ttoken& t, char c) { return t.Kind == jtOther && t.Text.size() == 1 && t.Text[0] == c; }
bool IsWord(const ttoken& t, const char* word) { return t.Kind == jtIdentifier && t.Text == word; }

// A token that can be a name: an identifier, or a keyword in another spelling than Java's
// own ("Class" is java.lang.Class; keywords are recognised in any letter case).
bool IsName(const ttoken& t) {
  if (t.Kind == jtIdentifier) return true;
  const bool keyword = t.Kind == jtClass || t.Kind == jtModifier || t.Kind == jtVisibility ||
                       t.Kind == jtImport || t.Kind == jtExtends || t.Kind == jtImplements;
  return keyword && t.Text != LowerAscii(t.Text);
}

// Tokens that are words when a type text is put together: a blank goes between two of them.
bool IsWordToken(const ttoken& t) {
  return t.Kind == jtIdentifier || t.Kind == jtExtends || t.Kind == jtModifier ||
         t.Kind == jtClass;
}

// The name of a class without its type parameters: "Box<T>" gives "Box".
std::string WithoutTypeParameters(const std::string& name) {
  return name.substr(0, name.find('<'));
}

// Finds the brace that closes a method body in the lines of the file. Braces inside
// comments, strings, characters and text blocks do not count; a block comment or text
// block may run over several lines.
class BraceScanner {
 public:
  // The position of the "}" that brings the depth back to zero, or npos.
  size_t Scan(const std::string& s, size_t from) {
    size_t i = from;
    while (i < s.size()) {
      const char c = s[i];
      const char d = i + 1 < s.size() ? s[i + 1] : '\0';
      if (state_ == kBlockComment) {
        if (c == '*' && d == '/') {
          state_ = kCode;
          ++i;
        }
        ++i;
      } else if (state_ == kTextBlock) {
        if (c == '\\') {
          i += 2;
        } else if (s.compare(i, 3, "\"\"\"") == 0) {
          state_ = kCode;
          i += 3;
        } else {
          ++i;
        }
      } else if (c == '/' && d == '/') {
        return std::string::npos;  // the rest of the line is a comment
      } else if (c == '/' && d == '*') {
        state_ = kBlockComment;
        i += 2;
      } else if (s.compare(i, 3, "\"\"\"") == 0) {
        state_ = kTextBlock;
        i += 3;
      } else if (c == '"' || c == '\'') {
        ++i;
        while (i < s.size() && s[i] != c) i += s[i] == '\\' ? 2 : 1;
        ++i;
      } else {
        if (c == '{') ++depth_;
        if (c == '}' && --depth_ == 0) return i;
        ++i;
      }
    }
    return std::string::npos;
  }

 private:
  enum State { kCode, kBlockComment, kTextBlock };
  State state_ = kCode;
  int depth_ = 0;
};

}  // namespace

TJavaParser::TJavaParser(std::string fileName, IMessages& messages)
    : FileName(std::move(fileName)), messages_(messages) {
  if (!ReadSourceLines(FileName, lines_))
    messages_.Message(MsgKind::Error, W("Fehler beim Öffnen der Datei"));
  Lexer = std::make_unique<tJavaLexer>(lines_, messages_);
}

TJavaParser::TJavaParser(std::string fileName, SourceLines lines, IMessages& messages)
    : FileName(std::move(fileName)), messages_(messages), lines_(std::move(lines)) {
  Lexer = std::make_unique<tJavaLexer>(lines_, messages_);
}

TJavaParser::~TJavaParser() = default;

ttoken TJavaParser::Next() {
  if (!ahead_.empty()) {
    ttoken t = std::move(ahead_.back());
    ahead_.pop_back();
    return t;
  }
  return Lexer->GetNext();
}

ttoken TJavaParser::Peek() {
  ttoken t = Next();
  Unread(t);
  return t;
}

std::unique_ptr<TUMLClass> TJavaParser::Parse() {
  SyntaxError = false;
  Skipped.clear();
  initialValues_.clear();
  classFound_ = false;
  membersBegun_ = false;
  UMLClass = std::make_unique<TUMLClass>("NONAME");
  ReadImports();
  ReadTypeDeclarations();
  if (!classFound_) {
    // A file without a class gives a class without a name: there is nothing to import.
    UMLClass->Name.clear();
    if (Skipped.empty()) SyntaxError = true;
  }
  if (SyntaxError)
    messages_.Message(MsgKind::Information,
                      UMLClass->Name.empty() || !membersBegun_
                          ? "Sytaxerror in Java Quelldatei beim Einlesen des Kopfes der Klasse"
                          : "Sytaxerror in Java Quelldatei beim Einlesen der Attribute oder "
                            "Methoden");
  if (!initialValues_.empty()) {
    std::string names;
    for (const std::string& n : initialValues_) names += (names.empty() ? "'" : ", '") + n + "'";
    Report(W("Die Anfangswerte der Attribute ") + names + W(" wurden nicht übernommen."));
  }
  if (!Skipped.empty()) {
    std::string text = W("Nicht alles in der Java Quelldatei konnte eingelesen werden:");
    for (const std::string& s : Skipped) text += "\n" + s;
    messages_.Message(MsgKind::Information, text);
  }
  // Members were appended in file order; one stable sort gives the order that adding them
  // one by one gives.
  UMLClass->SortMembers();
  return std::move(UMLClass);
}

// A qualified name: identifiers or "*" joined by "." ("java.util.*"). The token that ended
// the name is given back.
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
  Unread(t);
  return name;
}

void TJavaParser::ReadImports() {
  StringList imports;
  for (;;) {
    ttoken t = Next();
    if (t.Kind == jtImport) {
      std::string name;
      t = Next();
      // "import static a.b.C.*;" keeps its word "static".
      if (t.Kind == jtModifier && LowerAscii(t.Text) == "static")
        name = t.Text + " ";
      else
        Unread(t);
      name += ReadName();
      t = Next();
      while (t.Kind != jtSemicolon && t.Kind != jtOpenBrace && t.Kind != jtEndOfFile) {
        name += t.Text;
        t = Next();
      }
      imports.push_back(name);
      if (t.Kind != jtSemicolon) Unread(t);
    } else if (IsWord(t, "package")) {
      while (t.Kind != jtSemicolon && t.Kind != jtEndOfFile) t = Next();
    } else if (t.Kind != jtSemicolon) {
      Unread(t);
      break;
    }
  }
  UMLClass->JavaImports = std::move(imports);
}

TJavaParser::Modifiers TJavaParser::ReadModifiers() {
  Modifiers m;
  for (;;) {
    ttoken t = Next();
    if (t.Kind == jtModifier) {
      m.words.push_back(LowerAscii(t.Text));
    } else if (t.Kind == jtVisibility) {
      m.visibility = LowerAscii(t.Text);
    } else if (IsChar(t, '@') && !IsWord(Peek(), "interface")) {
      SkipAnnotation();
    } else if (IsWord(t, "default")) {
      m.words.push_back(t.Text);
    } else if (IsWord(t, "sealed") && (Peek().Kind == jtClass || Peek().Kind == jtModifier ||
                                       Peek().Kind == jtVisibility || IsWord(Peek(), "interface"))) {
      m.words.push_back(t.Text);
    } else if (IsWord(t, "non") && IsChar(Peek(), '-')) {  // "non-sealed"
      ttoken minus = Next();
      if (!IsWord(Peek(), "sealed")) {
        Unread(minus);
        Unread(t);
        break;
      }
      Next();
      m.words.push_back("non-sealed");
    } else {
      Unread(t);
      break;
    }
  }
  return m;
}

// After its "@": the annotation's name and, when it has them, its arguments.
void TJavaParser::SkipAnnotation() {
  ReadName();
  if (Peek().Kind != jtOpenParen) return;
  Next();
  SkipBalanced(jtOpenParen, jtCloseParen);
}

std::string TJavaParser::ReadAngleText() {
  std::string text = "<";
  int depth = 1;
  ttoken prev{jtOther, "<"};
  while (depth > 0) {
    ttoken t = Next();
    if (t.Kind == jtEndOfFile || t.Kind == jtSemicolon || t.Kind == jtOpenBrace ||
        t.Kind == jtCloseBrace || t.Kind == jtOpenParen || t.Kind == jtCloseParen ||
        t.Kind == jtAssign) {
      Unread(t);  // not a type: the caller finds out
      return text;
    }
    if (IsChar(t, '@')) {  // an annotation on a type argument
      SkipAnnotation();
      continue;
    }
    if (IsChar(t, '<')) ++depth;
    if (IsChar(t, '>')) --depth;
    const bool blank = (IsWordToken(prev) && IsWordToken(t)) || prev.Kind == jtComma ||
                       IsChar(prev, '&') || IsChar(t, '&') || (IsChar(prev, '?') && IsWordToken(t));
    if (blank) text += ' ';
    text += t.Text;
    prev = t;
  }
  return text;
}

std::string TJavaParser::ReadType(bool varargs) {
  ttoken t = Next();
  while (IsChar(t, '@')) {
    SkipAnnotation();
    t = Next();
  }
  if (!IsName(t)) {
    Unread(t);
    return {};
  }
  std::string type = t.Text;
  for (;;) {
    t = Next();
    if (IsChar(t, '<')) {
      type += ReadAngleText();
    } else if (t.Kind == jtDot) {
      ttoken part = Next();
      if (IsName(part)) {
        type += "." + part.Text;
        continue;
      }
      if (varargs && part.Kind == jtDot && Peek().Kind == jtDot) {
        Next();
        return type + "...";
      }
      Unread(part);
      Unread(t);
      return type;
    } else if (t.Kind == jtOpenBracket) {
      ttoken close = Next();
      if (close.Kind != jtCloseBracket) {
        messages_.Message(MsgKind::Information,
                          "Syntaxerror: Schliessende Indexklammer fehlt bei\n" + type);
        Unread(close);
        return {};
      }
      type += "[]";
    } else {
      Unread(t);
      return type;
    }
  }
}

void TJavaParser::ReadTypeDeclarations() {
  for (;;) {
    const Modifiers modifiers = ReadModifiers();
    ttoken t = Next();
    if (t.Kind == jtEndOfFile) return;
    if (t.Kind == jtClass && !classFound_) {
      classFound_ = true;
      ReadClass(modifiers);
      if (SyntaxError) return;
      continue;
    }
    // Anything else between the declarations is passed over.
    const std::string what = SkippedTypeKind(t, false);
    if (!what.empty()) Report(what + SkipTypeDeclaration() + W("' wurde übergangen."));
  }
}

std::string TJavaParser::SkippedTypeKind(const ttoken& t, bool inner) {
  const std::string in = inner ? "innere " : "";
  // In a class, "Class" in another spelling is the type java.lang.Class.
  if (t.Kind == jtClass && (!inner || t.Text == "class"))
    return inner ? "Die innere Klasse '" : "Die weitere Klasse '";
  if (IsWord(t, "interface")) return "Das " + in + "Interface '";
  if (IsWord(t, "enum")) return "Die " + in + W("Aufzählung (enum) '");
  if (IsWord(t, "record") && IsName(Peek())) return "Der " + in + "Record '";
  if (IsChar(t, '@') && IsWord(Peek(), "interface")) {
    Next();
    return "Der " + in + "Annotationstyp '";
  }
  return {};
}

std::string TJavaParser::SkipTypeDeclaration() {
  ttoken t = Next();
  const std::string name = IsName(t) ? t.Text : std::string("?");
  while (t.Kind != jtOpenBrace) {
    if (t.Kind == jtEndOfFile || t.Kind == jtSemicolon) return name;
    t = Next();
  }
  SkipBlock();
  return name;
}

void TJavaParser::ReadClass(const Modifiers& modifiers) {
  if (Has(modifiers.words, "abstract")) UMLClass->IsAbstract = true;
  ttoken t = Next();
  if (!IsName(t)) {
    SyntaxError = true;
    return;
  }
  std::string name = t.Text;
  t = Next();
  // A generic class keeps its type parameters in its name: "Box<T>".
  if (IsChar(t, '<')) {
    name += ReadAngleText();
    t = Next();
  }
  UMLClass->Name = name;
  while (t.Kind != jtOpenBrace) {
    if (t.Kind == jtEndOfFile) {
      SyntaxError = true;
      return;
    }
    if (t.Kind == jtExtends) UMLClass->AncestorName = ReadType(false);
    t = Next();
  }
  membersBegun_ = true;
  ReadMembers();
}

void TJavaParser::ReadMembers() {
  for (;;) {
    ttoken t = Next();
    if (t.Kind == jtCloseBrace || t.Kind == jtEndOfFile) return;
    Unread(t);
    ReadMember();
    if (SyntaxError) return;
  }
}

void TJavaParser::ReadMember() {
  const Modifiers modifiers = ReadModifiers();
  ttoken t = Next();
  const bool anyModifier = !modifiers.words.empty() || !modifiers.visibility.empty();
  if (t.Kind == jtEndOfFile) {
    if (anyModifier) SyntaxError = true;
    return;
  }
  if (t.Kind == jtSemicolon) return;
  if (t.Kind == jtCloseBrace) {
    Unread(t);
    return;
  }
  if (t.Kind == jtOpenBrace) {
    SkipBlock();
    Report(Has(modifiers.words, "static") ? W("Ein static-Block wurde übergangen.")
                                          : W("Ein Initialisierungsblock wurde übergangen."));
    return;
  }
  const std::string what = SkippedTypeKind(t, true);
  if (!what.empty()) {
    Report(what + SkipTypeDeclaration() + W("' wurde übergangen."));
    return;
  }

  std::string typeParameters;
  if (IsChar(t, '<')) {
    typeParameters = ReadAngleText();
    t = Next();
  }
  std::string type;
  if (IsName(t)) {
    Unread(t);
    type = ReadType(false);
    t = Next();
  }
  if (type.empty()) {
    const std::string text = t.Text;
    SkipDeclaration(t);
    Report("Eine Deklaration bei '" + text + W("' wurde nicht verstanden und übergangen."));
    return;
  }
  std::string name;
  if (t.Kind == jtOpenParen) {  // a constructor: the name where the type would be
    name = type;
    type.clear();
  } else if (IsName(t)) {
    name = t.Text;
    t = Next();
  } else {
    SkipDeclaration(t);
    Report("Die Deklaration eines Attributes vom Typ '" + type +
           W("' wurde nicht verstanden und übergangen."));
    return;
  }
  if (t.Kind == jtOpenParen)
    ReadMethod(type, typeParameters, name, modifiers);
  else
    ReadFields(type, name, t, modifiers);
}

TVisibility TJavaParser::VisibilityOf(const Modifiers& modifiers) {
  if (modifiers.visibility == "private") return TVisibility::Private;
  if (modifiers.visibility == "public") return TVisibility::Public;
  return TVisibility::Protected;
}

void TJavaParser::ReadMethod(const std::string& type, const std::string& typeParameters,
                             const std::string& name, const Modifiers& modifiers) {
  auto m = std::make_unique<TMethod>();
  m->Name = name;
  bool understood = true;
  if (type.empty()) {
    m->Kind = TMethodKind::Constructor;
    m->ResultType = typeParameters;
    // Only a constructor is written without a result type.
    understood = name == WithoutTypeParameters(UMLClass->Name);
  } else {
    m->Kind = type == "void" ? TMethodKind::Procedure : TMethodKind::Function;
    // A generic method keeps its type parameters in front of the result type.
    m->ResultType = typeParameters.empty() ? type : typeParameters + " " + type;
  }
  if (name == "finalize" && m->Kind != TMethodKind::Constructor) m->Kind = TMethodKind::Destructor;
  m->IsAbstract = Has(modifiers.words, "abstract");
  m->IsFinal = Has(modifiers.words, "final");
  m->IsClassMethod = Has(modifiers.words, "static");
  m->Visibility = VisibilityOf(modifiers);

  ttoken t = Next();
  while (t.Kind != jtCloseParen && t.Kind != jtEndOfFile) {
    if (t.Kind == jtComma) {
      t = Next();
      continue;
    }
    Unread(t);
    ReadModifiers();  // "final", annotations
    std::string parameterType = ReadType(true);
    ttoken parameterName = Next();
    if (parameterType.empty() || !IsName(parameterName)) {
      // A parameter that is not understood: the method is passed over as a whole.
      understood = false;
      int depth = 0;
      for (t = parameterName; t.Kind != jtEndOfFile; t = Next()) {
        if (t.Kind == jtOpenParen) ++depth;
        if (t.Kind == jtCloseParen && depth-- == 0) break;
      }
      break;
    }
    t = Next();
    while (t.Kind == jtOpenBracket && Peek().Kind == jtCloseBracket) {  // "int a[]"
      Next();
      parameterType += "[]";
      t = Next();
    }
    if (parameterName.Text != "this")  // a receiver parameter is no parameter
      m->AddParameter(TParameter(parameterName.Text, parameterType));
  }
  ttoken e = t.Kind == jtEndOfFile ? t : Next();
  while (e.Kind == jtOpenBracket && Peek().Kind == jtCloseBracket) {  // "int f()[]"
    Next();
    m->ResultType += "[]";
    e = Next();
  }
  // "throws IOException, X": the model has no place for it in the heading, so it goes in
  // front of the body, where javac reads it just as well ("throws IOException {").
  std::string throws;
  if (IsWord(e, "throws")) {
    throws = "throws";
    ttoken prev = e;
    for (e = Next(); e.Kind != jtOpenBrace && e.Kind != jtSemicolon && e.Kind != jtEndOfFile &&
                     e.Kind != jtCloseBrace;
         e = Next()) {
      if (prev.Kind == jtComma || (IsWordToken(prev) && IsWordToken(e))) throws += ' ';
      throws += e.Text;
      prev = e;
    }
  }
  while (e.Kind != jtOpenBrace && e.Kind != jtSemicolon && e.Kind != jtEndOfFile &&
         e.Kind != jtCloseBrace)
    e = Next();
  if (e.Kind == jtCloseBrace) Unread(e);
  if (e.Kind == jtOpenBrace) ReadBody(*m);
  if (!understood) {
    Report("Die Methode '" + name + W("' wurde nicht verstanden und übergangen."));
    return;
  }
  // The destructor's heading declares "throws Throwable" itself.
  if (!throws.empty() && m->Kind != TMethodKind::Destructor) {
    if (!m->Code.empty())
      m->Code.front() = throws + " " + m->Code.front();
    else
      Report(W("Die throws-Angabe der Methode '") + name + W("' wurde nicht übernommen."));
  }
  if (e.Kind != jtOpenBrace && Has(modifiers.words, "native")) {
    // Without "native" the heading would need a body that the class does not have.
    Report("Die native Methode '" + name + W("' wurde übergangen."));
    return;
  }
  UMLClass->AppendMethod(std::move(m));
}

void TJavaParser::ReadFields(const std::string& type, std::string name, ttoken t,
                             const Modifiers& modifiers) {
  const TVisibility visibility = VisibilityOf(modifiers);
  // The model has no flag for a class attribute: "static" stays with the type, so that the
  // class methods that use it still compile. "final" goes, as the initial value does.
  const std::string prefix = Has(modifiers.words, "static") ? "static " : "";
  for (;;) {
    std::string fieldType = type;
    while (t.Kind == jtOpenBracket && Peek().Kind == jtCloseBracket) {  // "int a[]"
      Next();
      fieldType += "[]";
      t = Next();
    }
    bool initialValue = false;
    if (t.Kind == jtAssign) {
      t = SkipInitializer();
      initialValue = true;
    }
    UMLClass->AppendAttribute(
        std::make_unique<TAttribute>(name, prefix + fieldType, visibility, StringList{}));
    if (initialValue) initialValues_.push_back(name);
    if (t.Kind == jtComma) {
      ttoken next = Next();
      if (IsName(next)) {
        name = next.Text;
        t = Next();
        continue;
      }
      t = next;
    }
    if (t.Kind == jtSemicolon || t.Kind == jtEndOfFile) return;
    const std::string text = t.Text;
    SkipDeclaration(t);
    Report("Eine Deklaration bei '" + text + W("' wurde nicht verstanden und übergangen."));
    return;
  }
}

ttoken TJavaParser::SkipInitializer() {
  int depth = 0;
  for (;;) {
    ttoken t = Next();
    if (t.Kind == jtEndOfFile) return t;
    if (t.Kind == jtOpenParen || t.Kind == jtOpenBracket || t.Kind == jtOpenBrace) ++depth;
    if (t.Kind == jtCloseParen || t.Kind == jtCloseBracket || t.Kind == jtCloseBrace) {
      if (depth == 0) {  // the class ends without the ";"
        Unread(t);
        return ttoken{jtSemicolon, ";"};
      }
      --depth;
    }
    if (depth > 0) continue;
    if (t.Kind == jtSemicolon) return t;
    if (t.Kind == jtComma) {
      // "int a = 1, b[];" begins a further declarator: a name, brackets, then "=", "," or
      // ";". "new HashMap<K, V[]>()" does not.
      std::vector<ttoken> look{Next()};
      if (IsName(look.back())) {
        look.push_back(Next());
        while (look.back().Kind == jtOpenBracket && Peek().Kind == jtCloseBracket) {
          look.push_back(Next());
          look.push_back(Next());
        }
      }
      const TJavaTokenKind after = look.back().Kind;
      const bool declarator = look.size() > 1 && (after == jtAssign || after == jtComma ||
                                                   after == jtSemicolon);
      for (auto it = look.rbegin(); it != look.rend(); ++it) Unread(*it);
      if (declarator) return t;
    }
  }
}

void TJavaParser::SkipDeclaration(ttoken t) {
  int depth = 0;
  for (;; t = Next()) {
    if (t.Kind == jtEndOfFile) return;
    if (t.Kind == jtOpenParen || t.Kind == jtOpenBracket) ++depth;
    if ((t.Kind == jtCloseParen || t.Kind == jtCloseBracket) && depth > 0) --depth;
    if (t.Kind == jtOpenBrace) {
      SkipBlock();
      if (depth == 0) {
        if (Peek().Kind == jtSemicolon) Next();
        return;
      }
    }
    if (t.Kind == jtCloseBrace) {  // the end of the class
      Unread(t);
      return;
    }
    if (t.Kind == jtSemicolon && depth == 0) return;
  }
}

void TJavaParser::SkipBalanced(TJavaTokenKind open, TJavaTokenKind close) {
  int depth = 1;
  while (depth > 0) {
    ttoken t = Next();
    if (t.Kind == jtEndOfFile) return;
    if (t.Kind == open) ++depth;
    if (t.Kind == close) --depth;
  }
}

// The body runs from the opening brace to the brace that balances it, as whole lines;
// braces inside comments and literals do not count. The lexer goes on after it.
void TJavaParser::ReadBody(TMethod& method) {
  const std::string& line = Lexer->ThisLine();
  size_t start = Lexer->RestPosition() > 0 ? Lexer->RestPosition() - 1 : 0;
  StringList body{line.substr(start)};
  BraceScanner braces;
  size_t end = braces.Scan(line, start);
  while (end == std::string::npos && !Lexer->AtEndOfFile()) {
    Lexer->NextSourceLine();
    body.push_back(Lexer->Line);
    end = braces.Scan(Lexer->Line, 0);
  }
  method.AddCodeLines(body);
  Lexer->SetRestPosition(end == std::string::npos ? Lexer->Line.size() : end + 1);
}

}  // namespace zedro
