#include "import/PascalParser.h"

#include <algorithm>
#include <map>
#include <string_view>

#include "model/Messages.h"
#include "model/ParameterScanner.h"
#include "model/Win1252.h"

namespace zedro {
namespace {

using text::EqualsIgnoreCase;
using text::LowerAscii;

TMethodKind KindOfKeyword(const std::string& keyword) {
  std::string k = LowerAscii(keyword);
  if (k == "constructor") return TMethodKind::Constructor;
  if (k == "function") return TMethodKind::Function;
  if (k == "destructor") return TMethodKind::Destructor;
  return TMethodKind::Procedure;
}

// The keyword that begins the heading of a method of that kind; none for the kinds of
// old files.
const char* KeywordOfKind(TMethodKind kind) {
  switch (kind) {
    case TMethodKind::Constructor:
      return "constructor";
    case TMethodKind::Procedure:
      return "procedure";
    case TMethodKind::Function:
      return "function";
    case TMethodKind::Destructor:
      return "destructor";
    default:
      return nullptr;
  }
}

TVisibility VisibilityOfWord(const std::string& word) {
  std::string w = LowerAscii(word);
  if (w == "private") return TVisibility::Private;
  if (w == "protected") return TVisibility::Protected;
  if (w == "public") return TVisibility::Public;
  return TVisibility::Published;
}

bool StartsWith(const std::string& s, const char* prefix) { return s.rfind(prefix, 0) == 0; }

bool IsKeyword(const TPascalToken& t, TPascalTokenKind kind, const char* lowerText) {
  return t.Kind == kind && LowerAscii(t.Text) == lowerText;
}

// Whether the line, lowered and with its blanks removed, begins with one of the words that
// can end a method body: "constructor", "destructor", "procedure", "function" or "class".
bool BeginsLikeHeading(const std::string& line) {
  char head[12];
  size_t n = 0;
  for (size_t i = 0; i < line.size() && n < sizeof head; ++i)
    if (line[i] != ' ') head[n++] = text::LowerAsciiChar(line[i]);
  std::string_view h(head, n);
  for (std::string_view w : {"constructor", "destructor", "procedure", "function", "class"})
    if (h.substr(0, w.size()) == w) return true;
  return false;
}

// Whether a raw line ends the body of a method of the class whose lowered name followed by
// "." is `classDot`; headingLike is BeginsLikeHeading(line).
bool EndsBody(const std::string& line, bool headingLike, const std::string& classDot) {
  if (line == "end.") return true;
  if (!headingLike) return false;
  std::string s = LowerAscii(text::RemoveBlanks(line));
  if (StartsWith(s, "constructor") || StartsWith(s, "destructor")) return true;
  if ((StartsWith(s, "procedure") || StartsWith(s, "function")) &&
      s.find(classDot, 1) != std::string::npos)
    return true;
  if (StartsWith(s, "class")) {
    if (s.find("function", 5) != std::string::npos && s.find(classDot, 13) != std::string::npos)
      return true;
    if (s.find("procedure", 5) != std::string::npos && s.find(classDot, 14) != std::string::npos)
      return true;
  }
  return false;
}

}  // namespace

// --- Finding method bodies ---------------------------------------------------------------
//
// A body is found by walking the unit line by line: each step reads one line, looks at its
// first token and, when that opens a heading of the method's kind, reads the heading on.
// Where a step ends depends only on the line it starts from, except at the headings that
// the method compares in detail. The index below walks the unit once, remembers the first
// token of every line it visits and files each heading under its kind, class name and
// method name; the search for one method then jumps from heading to heading of its own
// name and gives the same result as the line-by-line walk in time independent of the size
// of the unit.

struct TSourceParser::HeadingPos {
  bool computed = false;
  TPascalToken token;  // the first token of the step that starts at this line
  size_t line = 0;     // the line the lexer holds after that token
  size_t rest = 0;     // and the position of the unread rest in it
};

class TSourceParser::BodyIndex {
 public:
  explicit BodyIndex(const SourceLines& lines)
      : lines_(lines),
        lexer_(lines),
        first_(lines.size()),
        onChain_(lines.size(), 0),
        headingLike_(lines.size(), 0) {
    for (size_t i = 0; i < lines_.size(); ++i) headingLike_[i] = BeginsLikeHeading(lines_[i]);
    size_t pos = 0;
    while (pos < lines_.size()) {
      const HeadingPos& f = First(pos);
      if (f.token.Kind == tkEndOfUnit) break;
      onChain_[pos] = 1;
      Classify(pos, f);
      pos = f.line + 1;
    }
  }

  const HeadingPos& First(size_t i) {
    HeadingPos& f = first_[i];
    if (!f.computed) {
      lexer_.ResumeAt(i, 0, TPascalToken{tkIdentifier, std::string()});
      lexer_.NextToken(f.token);
      f.line = static_cast<size_t>(lexer_.LineIndex());
      f.rest = lexer_.RestPosition();
      f.computed = true;
    }
    return f;
  }

  bool OnChain(size_t i) const { return i < onChain_.size() && onChain_[i]; }
  bool HeadingLike(size_t i) const { return headingLike_[i] != 0; }

  // The first position at or after pos on the walk from the first line where a method of
  // that kind with that key needs a closer look; npos when there is none.
  size_t NextInteresting(size_t pos, TMethodKind kind, const std::string& key) const {
    size_t best = std::string::npos;
    auto special = special_.find(kind);
    if (special != special_.end()) {
      const std::vector<size_t>& s = special->second;
      auto it = std::lower_bound(s.begin(), s.end(), pos);
      if (it != s.end()) best = *it;
    }
    auto k = keyed_.find(key);
    if (k != keyed_.end()) {
      auto jt = std::lower_bound(k->second.begin(), k->second.end(), pos);
      if (jt != k->second.end() && *jt < best) best = *jt;
    }
    return best;
  }

  static std::string Key(TMethodKind kind, const std::string& className, const std::string& name) {
    const char* keyword = KeywordOfKind(kind);
    return std::string(keyword ? keyword : "") + '\x01' + LowerAscii(text::Trim(className)) +
           '\x01' + LowerAscii(text::Trim(name));
  }

 private:
  // Files the heading that starts at pos under each kind it is a candidate for.
  void Classify(size_t pos, const HeadingPos& f) {
    if (f.token.Kind == tkMethodKeyword) {
      File(pos, f, KindOfKeyword(f.token.Text));
    } else if (f.token.Kind == tkClass) {
      FileClassMethod(pos, f, TMethodKind::Procedure);
      FileClassMethod(pos, f, TMethodKind::Function);
    }
  }

  // A heading "class procedure ..." or "class function ...".
  void FileClassMethod(size_t pos, const HeadingPos& f, TMethodKind kind) {
    lexer_.ResumeAt(f.line, f.rest, f.token);
    TPascalToken t;
    if (!NextOnLine(f, t)) return Special(pos, kind);
    if (!IsKeyword(t, tkMethodKeyword, KeywordOfKind(kind))) return;  // fails here for all
    FileRest(pos, f, kind, t);
  }

  void File(size_t pos, const HeadingPos& f, TMethodKind kind) {
    lexer_.ResumeAt(f.line, f.rest, f.token);
    TPascalToken t;
    FileRest(pos, f, kind, t);
  }

  bool NextOnLine(const HeadingPos& f, TPascalToken& t) {
    lexer_.NextToken(t);
    return t.Kind != tkEndOfUnit && static_cast<size_t>(lexer_.LineIndex()) == f.line;
  }

  // The class name, "." and the method name after the heading's keyword.
  void FileRest(size_t pos, const HeadingPos& f, TMethodKind kind, TPascalToken& t) {
    if (!NextOnLine(f, t)) return Special(pos, kind);
    if (t.Kind != tkIdentifier) return;
    std::string className = t.Text;
    if (!NextOnLine(f, t)) return Special(pos, kind);
    if (t.Kind != tkDot) return;
    if (!NextOnLine(f, t)) return Special(pos, kind);
    keyed_[Key(kind, className, t.Text)].push_back(pos);
  }

  void Special(size_t pos, TMethodKind kind) { special_[kind].push_back(pos); }

  const SourceLines& lines_;
  tLexer lexer_;
  std::vector<HeadingPos> first_;
  std::vector<char> onChain_;
  std::vector<char> headingLike_;  // BeginsLikeHeading of every line
  std::map<TMethodKind, std::vector<size_t>> special_;
  std::unordered_map<std::string, std::vector<size_t>> keyed_;
};

// --- Parser ------------------------------------------------------------------------------

TSourceParser::TSourceParser(std::string fileName, IMessages& messages)
    : FileName(std::move(fileName)), messages_(messages) {
  std::string error;
  readable_ = ReadSourceLines(FileName, lines_, &error);
  Lexer = std::make_unique<tLexer>(lines_);
  if (!readable_)
    messages_.Message(MsgKind::Error, "Fehler beim Suchen nach Typdaklaration\n\nDie Datei '" +
                                          FileName + "' kann nicht gelesen werden.\n" + error);
  Init();
}

TSourceParser::TSourceParser(std::string fileName, SourceLines lines, IMessages& messages)
    : FileName(std::move(fileName)), messages_(messages), lines_(std::move(lines)) {
  Lexer = std::make_unique<tLexer>(lines_);
  Init();
}

TSourceParser::~TSourceParser() = default;

void TSourceParser::Init() {
  Token = TPascalToken{tkIdentifier, std::string()};
  do {
    Next();
  } while (Token.Kind != tkType && Token.Kind != tkEndOfUnit);
}

std::string TSourceParser::FileNameWithoutPath() const {
  size_t p = FileName.find_last_of("/\\");
  return p == std::string::npos ? FileName : FileName.substr(p + 1);
}

std::unique_ptr<TUMLClass> TSourceParser::ReadNextClass() {
  for (;;) {
    TPascalToken prev2{tkOther, std::string()};
    TPascalToken prev1{tkOther, std::string()};
    for (;;) {
      if (Token.Kind == tkEndOfUnit) return nullptr;
      prev2 = std::move(prev1);
      prev1 = Token;
      Next();
      if (prev2.Kind == tkIdentifier && prev1.Kind == tkEquals && Token.Kind == tkClass) break;
    }
    const std::string name = prev2.Text;
    Next();
    // "TRef = class of TSome" declares a class reference type, not a class.
    if (Token.Kind == tkIdentifier && LowerAscii(Token.Text) == "of") continue;
    skipped_.clear();
    // "class helper for TX" extends another class; it is no class of its own.
    if (Token.Kind == tkIdentifier && LowerAscii(Token.Text) == "helper") {
      SkipStructuredBody();
      ReportSkipped(name, W("Der Klassenhelfer '") + name + W("' wurde übergangen."));
      continue;
    }
    messages_.Status("Klasse gefunden: " + name);
    auto cls = std::make_unique<TUMLClass>(name);
    // "class abstract" and "class sealed" come before the ancestor.
    while (Token.Kind == tkDirective || (Token.Kind == tkIdentifier &&
                                         LowerAscii(Token.Text) == "sealed")) {
      if (LowerAscii(Token.Text) == "abstract") cls->IsAbstract = true;
      Next();
    }
    if (Token.Kind == tkOpenParen) {
      switch (ReadAncestorList(*cls)) {
        case AncestorList::Read:
          break;
        case AncestorList::EndsDeclaration:
          ReportSkipped(name);
          return cls;
        case AncestorList::Damaged:
          return nullptr;
      }
    } else if (Token.Kind == tkSemicolon) {
      messages_.Message(MsgKind::Information,
                        "Forward Deklaration der Klasse: '" + name + "' gefunden.");
      continue;
    }
    Visibility = TVisibility::Published;
    section_ = Section::Fields;
    current_ = cls.get();
    while (ReadMember(*cls)) {
    }
    current_ = nullptr;
    // The members were appended in file order; one stable sort puts them where adding
    // them one by one would have (a sort per member made large classes quadratic).
    cls->SortMembers();
    ReportSkipped(name);
    return cls;
  }
}

TSourceParser::AncestorList TSourceParser::ReadAncestorList(TUMLClass& cls) {
  Next();
  if (Token.Kind != tkIdentifier) {
    messages_.Message(MsgKind::Warning, W("Name der Vorgängerklasse von '") + cls.Name + "' fehlt!");
    return AncestorList::Damaged;
  }
  std::string ancestor = Token.Text;
  Next();
  while (Token.Kind == tkDot) {  // "Classes.TList"
    Next();
    if (Token.Kind != tkIdentifier) break;
    ancestor += "." + Token.Text;
    Next();
  }
  cls.AncestorName = ancestor;
  // The interfaces the class implements follow the ancestor; the model keeps none.
  std::string interfaces;
  while (Token.Kind == tkComma) {
    Next();
    if (Token.Kind != tkIdentifier) break;
    interfaces += (interfaces.empty() ? "'" : "', '") + Token.Text;
    Next();
    while (Token.Kind == tkDot || Token.Kind == tkIdentifier) Next();
  }
  if (Token.Kind != tkCloseParen) {
    messages_.Message(MsgKind::Warning, W("Schliessende Klammer hinter dem Namen der "
                                          "Vorgängerklasse von '") +
                                            cls.Name + "' fehlt!");
    return AncestorList::Damaged;
  }
  if (!interfaces.empty())
    skipped_.push_back(W("Die Interfaces ") + interfaces + W("' wurden übergangen."));
  Next();
  // "EError = class(Exception);" is a complete declaration without members.
  return Token.Kind == tkSemicolon ? AncestorList::EndsDeclaration : AncestorList::Read;
}

void TSourceParser::ReportSkipped(const std::string& className, const std::string& more) {
  if (!more.empty()) skipped_.push_back(more);
  if (skipped_.empty()) return;
  std::string text = W("Nicht alles in der Deklaration der Klasse '") + className +
                     W("' konnte eingelesen werden:");
  for (const std::string& s : skipped_) text += "\n" + s;
  skipped_.clear();
  messages_.Message(MsgKind::Information, text);
}

namespace {

// Words that may follow a method heading as directives, besides those the lexer knows.
bool IsMoreDirective(const std::string& word) {
  static const char* const kWords[] = {
      "static",     "inline",       "cdecl",       "stdcall",      "pascal",   "register",
      "safecall",   "final",        "message",     "deprecated",   "platform", "experimental",
      "library",    "unimplemented", "assembler",  "noreturn",     "external", "export",
      "varargs",    "dispid",       "enumerator",  "compilerproc", "hardfloat", "mwpascal",
      "nostackframe", "local",      "winapi",      "vectorcall",   "iocheck",  "interrupt",
      "far",        "near",         "oldfpccall",  "softfloat",    "syscall",  "cppdecl",
      "weakexternal", "ms_abi_default", "ms_abi_cdecl", "sysv_abi_default", "sysv_abi_cdecl"};
  const std::string w = LowerAscii(word);
  for (const char* k : kWords)
    if (w == k) return true;
  return false;
}

}  // namespace

bool TSourceParser::ReadMember(TUMLClass& cls) {
  while (Token.Kind != tkIdentifier && Token.Kind != tkType && Token.Kind != tkClass &&
         Token.Kind != tkMethodKeyword && Token.Kind != tkVisibility &&
         Token.Kind != tkEndOfUnit)
    Next();
  switch (Token.Kind) {
    case tkIdentifier:
      return ReadWordMember(cls);
    case tkVisibility:
      Visibility = VisibilityOfWord(Token.Text);
      section_ = Section::Fields;
      Next();
      return true;
    case tkType:
      section_ = Section::Types;
      Next();
      return true;
    case tkClass:
      Next();
      return ReadClassMember(cls);
    case tkMethodKeyword:
      return ReadMethod(cls, false);
    default:
      // A declaration that runs into the next "type" or the end of the unit.
      messages_.Message(MsgKind::Warning, "Die Deklaration der Klasse '" + cls.Name +
                                              "' ist nicht mit 'end' abgeschlossen.");
      return false;
  }
}

bool TSourceParser::ReadWordMember(TUMLClass& cls) {
  const std::string word = LowerAscii(Token.Text);
  if (word == "end") return false;
  if (word == "strict" && !NextIsColonOrComma()) {  // "strict private": the visibility follows
    Next();
    return true;
  }
  if (word == "property") {
    SkipProperty();
    return true;
  }
  if (word == "var" || word == "const") {
    section_ = word == "var" ? Section::Fields : Section::Constants;
    Next();
    return true;
  }
  if (section_ == Section::Fields) return ReadAttributes(cls);
  // A constant, a nested type or a class variable: the model holds none of them.
  const std::string name = Token.Text;
  if (section_ == Section::Types)
    SkipTypeDeclaration();
  else
    SkipToSemicolon();
  const char* what = section_ == Section::Constants ? "Die Konstante '"
                     : section_ == Section::Types   ? "Der innere Typ '"
                                                    : "Die Klassenvariable '";
  skipped_.push_back(W(what) + name + W("' wurde übergangen."));
  return true;
}

bool TSourceParser::ReadClassMember(TUMLClass& cls) {
  const std::string word = LowerAscii(Token.Text);
  if (Token.Kind == tkIdentifier && word == "var") {
    section_ = Section::ClassFields;
    Next();
    return true;
  }
  if (Token.Kind == tkIdentifier && word == "property") {
    SkipProperty();
    return true;
  }
  if (IsKeyword(Token, tkMethodKeyword, "procedure") ||
      IsKeyword(Token, tkMethodKeyword, "function"))
    return ReadMethod(cls, true);
  if (Token.Kind == tkMethodKeyword || (Token.Kind == tkIdentifier && word == "operator")) {
    // A class constructor or destructor runs once for the class; the model has none.
    std::string what = word == "constructor"  ? W("Der Klassenkonstruktor '")
                       : word == "destructor" ? W("Der Klassendestruktor '")
                                              : W("Der Operator '");
    Next();
    what += Token.Text + W("' wurde übergangen.");
    SkipMethodHeading();
    skipped_.push_back(what);
    return true;
  }
  messages_.Message(MsgKind::Error, "Class Statement ohne >procedure< oder >function<");
  SkipToSemicolon();
  return Token.Kind != tkEndOfUnit;
}

bool TSourceParser::NextIsColonOrComma() const {
  const std::string rest = text::TrimLeft(Lexer->Rest());
  return !rest.empty() && (rest[0] == ':' || rest[0] == ',');
}

bool TSourceParser::IsDirectiveWord() const {
  // A field of that name ("Static: Boolean;") is followed by ":" or ",".
  return Token.Kind == tkIdentifier && IsMoreDirective(Token.Text) && !NextIsColonOrComma();
}

void TSourceParser::SkipToSemicolon() {
  int depth = 0;
  while (Token.Kind != tkEndOfUnit) {
    // The "end" of the class is no part of a declaration, also of a damaged one.
    if (depth == 0 && Token.Kind == tkIdentifier && LowerAscii(Token.Text) == "end") return;
    if (Token.Kind == tkOpenParen || Token.Kind == tkOpenBracket) ++depth;
    if ((Token.Kind == tkCloseParen || Token.Kind == tkCloseBracket) && depth > 0) --depth;
    if (Token.Kind == tkSemicolon && depth == 0) {
      Next();
      return;
    }
    Next();
  }
}

void TSourceParser::SkipProperty() {
  Next();
  const std::string name = Token.Text;
  SkipToSemicolon();
  // "default;" after an array property, and hints.
  while (Token.Kind == tkIdentifier) {
    const std::string w = LowerAscii(Token.Text);
    if (w != "default" && w != "deprecated" && w != "platform" && w != "experimental" &&
        w != "nodefault")
      break;
    SkipToSemicolon();
  }
  skipped_.push_back(W("Die Eigenschaft (property) '") + name + W("' wurde übergangen."));
}

void TSourceParser::SkipMethodHeading() {
  SkipToSemicolon();
  while (Token.Kind == tkDirective || IsDirectiveWord()) SkipToSemicolon();
}

// After the "=" of a type declaration or the ":" of a field: passes over a structured
// type ("record ... end", "class ... end", "object ... end", "interface ... end") up to its
// "end", with the types nested in it.
void TSourceParser::SkipStructuredBody() {
  int depth = 1;
  TPascalToken before{tkOther, std::string()};
  while (Token.Kind != tkEndOfUnit && depth > 0) {
    const std::string w = LowerAscii(Token.Text);
    const bool afterTypeStart = before.Kind == tkEquals || before.Kind == tkColon ||
                                LowerAscii(before.Text) == "packed";
    if (Token.Kind == tkIdentifier && w == "end") {
      --depth;
    } else if (afterTypeStart && (w == "record" || w == "object" || w == "dispinterface" ||
                                  Token.Kind == tkInterface)) {
      ++depth;
    } else if (afterTypeStart && Token.Kind == tkClass) {
      before = Token;
      Next();
      // "class of TX" and the forward "class;" have no body.
      if (!(Token.Kind == tkSemicolon ||
            (Token.Kind == tkIdentifier && LowerAscii(Token.Text) == "of")))
        ++depth;
      continue;
    }
    before = Token;
    Next();
  }
}

void TSourceParser::SkipTypeDeclaration() {
  Next();
  if (Token.Kind == tkEquals) Next();
  const std::string w = LowerAscii(Token.Text);
  const bool structured =
      w == "record" || w == "object" || w == "packed" || w == "dispinterface" ||
      Token.Kind == tkInterface || Token.Kind == tkClass;
  if (structured) {
    if (w == "packed") Next();
    const bool isClass = Token.Kind == tkClass;
    Next();
    const bool body = !(isClass && (Token.Kind == tkSemicolon ||
                                    (Token.Kind == tkIdentifier && LowerAscii(Token.Text) == "of")));
    if (body) SkipStructuredBody();
  }
  SkipToSemicolon();
}

bool TSourceParser::ReadAttributes(TUMLClass& cls) {
  StringList names{Token.Text};
  Next();
  auto recover = [&] {
    SkipToSemicolon();
    return Token.Kind != tkEndOfUnit;
  };
  while (Token.Kind != tkColon) {
    if (Token.Kind != tkComma) {
      messages_.Message(MsgKind::Error, "Fehler bei '" + Token.Text + "' in oder vor der Zeile\n\n" +
                                            Lexer->CurrentLine());
      return recover();
    }
    Next();
    if (Token.Kind != tkIdentifier) {
      messages_.Message(MsgKind::Error, "Fehler bei '" + Token.Text +
                                            "' nach Komma in der Zeile\n\n" + Lexer->CurrentLine());
      return recover();
    }
    names.push_back(Token.Text);
    Next();
  }
  Next();
  std::string type;
  if (Token.Kind == tkMethodKeyword) {
    if (!ReadMethodPointerType(type, names.back())) return false;
  } else {
    const std::string w = LowerAscii(Token.Text);
    if (Token.Kind == tkIdentifier && (w == "record" || w == "packed" || w == "object")) {
      // A record type written into the declaration: its fields are no attributes of the
      // class, and its "end" does not end the class.
      if (w == "packed") Next();
      Next();
      SkipStructuredBody();
      SkipToSemicolon();
      for (const std::string& n : names)
        skipped_.push_back(W("Das Attribut '") + n + W("' mit einem Record-Typ wurde übergangen."));
      return Token.Kind != tkEndOfUnit;
    }
    if (!ReadFieldType(type, names.back())) return false;
  }
  for (const std::string& n : names)
    cls.AppendAttribute(std::make_unique<TAttribute>(n, type, Visibility, StringList{}));
  Next();
  // Hints after a field ("deprecated;") belong to it.
  while (IsDirectiveWord() && LowerAscii(Token.Text) != "static") SkipToSemicolon();
  return true;
}

bool TSourceParser::ReadMethodPointerType(std::string& type, const std::string& field) {
  // "procedure ( Sender : TObject ) of object".
  type = Token.Text;
  Next();
  if (Token.Kind == tkOpenParen) {
    type += " (";
    Next();
    while (Token.Kind != tkCloseParen) {
      if (Token.Kind == tkEndOfUnit) {
        messages_.Message(MsgKind::Warning, "Fehler in der Typangabe eines Methodenzeigers");
        return false;
      }
      type += " " + Token.Text;
      Next();
    }
  }
  while (Token.Kind != tkSemicolon) {
    if (Token.Kind == tkEndOfUnit) {
      MissingSemicolonAfterType(field);
      return false;
    }
    type += " " + Token.Text;
    Next();
  }
  return true;
}

bool TSourceParser::ReadFieldType(std::string& type, const std::string& field) {
  bool first = true;
  while (Token.Kind != tkSemicolon) {
    if (Token.Kind == tkEndOfUnit) {
      MissingSemicolonAfterType(field);
      return false;
    }
    // The words joined by blanks, but none right after a point.
    if (!first && !(!type.empty() && type.back() == '.')) type += ' ';
    type += Token.Text;
    first = false;
    Next();
  }
  return true;
}

void TSourceParser::MissingSemicolonAfterType(const std::string& field) {
  messages_.Message(MsgKind::Warning,
                    "Semikolon nach Typangabe des Attributes '" + field + "' fehlt!");
}

std::string TSourceParser::CollectParameterText(tLexer& lexer, TPascalToken& token) {
  std::string text;
  bool arraySeen = false;
  lexer.NextToken(token);
  while (token.Kind != tkCloseParen && token.Kind != tkEndOfUnit) {
    if (token.Kind == tkCommentClose) {  // the end of a comment inside the list
      lexer.NextToken(token);
      continue;
    }
    std::string lower = LowerAscii(token.Text);
    text += token.Text;
    if (lower == "array") arraySeen = true;
    // The words that give parameters their kind, and "array", are followed by a blank.
    const bool kindWord = lower == "var" || lower == "const" || lower == "out" ||
                          lower == "constref";
    if (arraySeen || kindWord || token.Kind == tkSemicolon) text += ' ';
    lexer.NextToken(token);
  }
  if (!text.empty() && text.back() == ' ') text.pop_back();
  return text;
}

bool TSourceParser::ReadMethod(TUMLClass& cls, bool isClassMethod) {
  auto m = std::make_unique<TMethod>();
  m->Kind = KindOfKeyword(Token.Text);
  m->IsClassMethod = isClassMethod;
  // A member that cannot be read is passed over, and reading goes on with the next one.
  auto passOver = [&] {
    SkipMethodHeading();
    return Token.Kind != tkEndOfUnit;
  };
  Next();
  if (Token.Kind != tkIdentifier) {
    messages_.Message(MsgKind::Error,
                      "Name einer Methode fehlt in oder vor der Zeile\n" + Lexer->CurrentLine());
    return passOver();
  }
  m->Name = Token.Text;
  Next();
  HeadingPart part = ReadMethodParameters(*m);
  if (part == HeadingPart::Read) part = ReadResultType(*m);
  if (part == HeadingPart::Read) part = ReadDirectives(*m);
  switch (part) {
    case HeadingPart::Read:
      break;
    case HeadingPart::PassOver:
      return passOver();
    case HeadingPart::Abort:
      return false;
  }
  m->Visibility = Visibility;
  cls.AppendMethod(std::move(m));
  section_ = Section::Fields;
  return true;
}

TSourceParser::HeadingPart TSourceParser::ReadMethodParameters(TMethod& m) {
  if (Token.Kind != tkOpenParen) return HeadingPart::Read;
  std::string params = CollectParameterText(*Lexer, Token);
  if (params.find('=') != std::string::npos) {
    // Default values have no place in the model; without them the calls would not fit.
    skipped_.push_back(W("Die Methode '") + m.Name +
                       W("' mit Vorgabewerten für Parameter wurde übergangen."));
    return HeadingPart::PassOver;
  }
  TParameterScanner scanner(params, messages_);
  if (!scanner.Parse()) {
    messages_.Message(MsgKind::Error,
                      "Der Fehler stammt aus der Parameterliste der Methode '" + m.Name);
    return HeadingPart::PassOver;
  }
  for (TParameter& p : scanner.Parameters()) m.AddParameter(std::move(p));
  if (Token.Kind != tkCloseParen) {
    messages_.Message(MsgKind::Error, "Schliessende Klammer in der Parameterliste der Methode '" +
                                          m.Name + "' fehlt.");
    return HeadingPart::Abort;
  }
  Next();
  return HeadingPart::Read;
}

TSourceParser::HeadingPart TSourceParser::ReadResultType(TMethod& m) {
  if (m.Kind == TMethodKind::Function) {
    if (Token.Kind == tkColon) {
      Next();
      std::string result;
      bool first = true;
      while (Token.Kind != tkSemicolon) {
        if (Token.Kind == tkEndOfUnit) {
          messages_.Message(MsgKind::Error,
                            "Abschliessendes Semikolon nach der Methode '" + m.Name + "' fehlt.");
          return HeadingPart::Abort;
        }
        if (!first) result += ' ';
        result += Token.Text;
        first = false;
        Next();
      }
      m.ResultType = result;
    } else {
      messages_.Message(MsgKind::Warning, "Doppelpunkt bei Funktion " + m.Name +
                                              " fehlt in oder vor der Zeile\n\n" +
                                              Lexer->CurrentLine());
    }
  }
  if (Token.Kind != tkSemicolon) {
    messages_.Message(MsgKind::Error,
                      "Semikolon nach Methodendeklaration von '" + m.Name + "' fehlt!");
    return HeadingPart::PassOver;
  }
  Next();
  return HeadingPart::Read;
}

TSourceParser::HeadingPart TSourceParser::ReadDirectives(TMethod& m) {
  bool isAbstract = false;
  bool overridable = false;
  for (;;) {
    if (Token.Kind == tkDirective) {
      std::string d = LowerAscii(Token.Text);
      // "abstract" counts only as written in small letters; the other directives in any case.
      if (Token.Text == "abstract") isAbstract = true;
      if (d == "virtual" || d == "dynamic" || d == "override") overridable = true;
      Next();
      if (Token.Kind != tkSemicolon) {
        messages_.Message(MsgKind::Error,
                          "Semikolon nach Compilerdirektive der Methode '" + m.Name + "' fehlt!");
        return HeadingPart::PassOver;
      }
      Next();
    } else if (IsDirectiveWord()) {
      // "static;", "message WM_PAINT;", "deprecated 'Text';": passed over with what follows.
      SkipToSemicolon();
    } else {
      break;
    }
  }
  m.IsAbstract = isAbstract;
  m.IsFinal = !overridable;
  return HeadingPart::Read;
}

// --- Method bodies -----------------------------------------------------------------------

void TSourceParser::ReadMethodBodies() {
  if (!UMLClass) return;
  if (!bodyIndex_) bodyIndex_ = std::make_unique<BodyIndex>(lines_);
  for (TMethod* m : UMLClass->Methods.Items) {
    messages_.Status("Lese Methode: " + m->Name);
    if (m->IsAbstract) continue;
    if (!FindBody(*m, *bodyIndex_))
      messages_.Message(MsgKind::Information, "Methode >>>" + UMLClass->Name + "." + m->Name +
                                                  "<<<" + " wurde NICHT eingelesen !");
    while (m->Code.size() >= 2) {
      std::string last = text::RemoveBlanks(m->Code.back());
      if (!last.empty() && !StartsWith(last, "//----")) break;
      m->Code.pop_back();
    }
  }
  messages_.Status("");
}

bool TSourceParser::FindBody(TMethod& m, BodyIndex& index) {
  const char* keyword = KeywordOfKind(m.Kind);
  if (!keyword) return false;
  const std::string key = BodyIndex::Key(m.Kind, UMLClass->Name, m.Name);
  tLexer lexer(lines_);
  size_t pos = 0;
  while (pos < lines_.size()) {
    if (index.OnChain(pos)) {
      pos = index.NextInteresting(pos, m.Kind, key);
      if (pos == std::string::npos) return false;
    }
    const HeadingPos f = index.First(pos);
    if (f.token.Kind == tkEndOfUnit) return false;
    bool candidate = f.token.Kind == tkClass ? IsProcedureOrFunction(m.Kind)
                                             : IsKeyword(f.token, tkMethodKeyword, keyword);
    if (!candidate) {
      pos = f.line + 1;
      continue;
    }
    // Read the heading on and compare it with the method.
    lexer.ResumeAt(f.line, f.rest, f.token);
    TPascalToken t = f.token;
    if (HeadingMatches(lexer, t, m)) {
      ReadBody(static_cast<size_t>(lexer.LineIndex()) + 1, m, index);
      return true;
    }
    if (t.Kind == tkEndOfUnit) return false;
    pos = static_cast<size_t>(lexer.LineIndex()) + 1;
  }
  return false;
}

bool TSourceParser::HeadingMatches(tLexer& lexer, TPascalToken& t, const TMethod& m) {
  if (t.Kind == tkClass) {
    lexer.NextToken(t);
    if (!IsKeyword(t, tkMethodKeyword, KeywordOfKind(m.Kind))) return false;
  }
  lexer.NextToken(t);
  if (t.Kind != tkIdentifier || !EqualsIgnoreCase(text::Trim(t.Text), text::Trim(UMLClass->Name)))
    return false;
  lexer.NextToken(t);
  if (t.Kind != tkDot) return false;
  lexer.NextToken(t);
  if (!EqualsIgnoreCase(text::Trim(t.Text), text::Trim(m.Name))) return false;
  if (!m.Parameters.empty()) {
    lexer.NextToken(t);
    if (t.Kind != tkOpenParen) return false;
    std::string params = CollectParameterText(lexer, t);
    TParameterScanner scanner(params, messages_);
    if (!scanner.Parse()) {
      messages_.Message(MsgKind::Warning,
                        "Der Fehler stammt aus der Parameterliste der Methode " + m.Name + "'");
      return false;
    }
    if (!EqualsIgnoreCase(scanner.ParameterListText(), m.ParameterListText(1))) return false;
  }
  lexer.NextToken(t);
  if (m.Kind != TMethodKind::Function) return t.Kind == tkSemicolon;
  if (t.Kind != tkColon) return false;
  lexer.NextToken(t);
  return EqualsIgnoreCase(t.Text, m.ResultType);
}

// The raw lines from `first` up to the line that ends the body (the line "end.", the end of
// the unit, or a heading that the next method of this class or any constructor or
// destructor begins with).
void TSourceParser::ReadBody(size_t first, TMethod& m, const BodyIndex& index) {
  const std::string classDot = LowerAscii(UMLClass->Name) + ".";
  size_t end = first;
  while (end < lines_.size() && !EndsBody(lines_[end], index.HeadingLike(end), classDot)) ++end;
  m.Code.assign(lines_.begin() + static_cast<std::ptrdiff_t>(first),
                lines_.begin() + static_cast<std::ptrdiff_t>(end));
}

// --- Uses lists --------------------------------------------------------------------------

void TSourceParser::ReadUsesList(tLexer& lexer, TPascalToken& token, StringList& list) {
  lexer.NextToken(token);
  while (token.Kind != tkSemicolon && token.Kind != tkEndOfUnit) {
    if (token.Kind == tkIdentifier) list.push_back(token.Text);
    lexer.NextToken(token);
  }
  if (token.Kind == tkSemicolon) list.push_back(";");
}

void TSourceParser::ReadInterfaceUses() {
  if (!UMLClass) return;
  messages_.Status("Lese erste Uses-Liste. ");
  StringList& list = UMLClass->InterfaceUses;
  list.clear();
  auto lexer = std::make_unique<tLexer>(lines_);
  TPascalToken t;
  do {
    lexer->NextToken(t);
  } while (t.Kind != tkUses && t.Kind != tkImplementation && t.Kind != tkEndOfUnit);
  if (t.Kind == tkUses) {
    ReadUsesList(*lexer, t, list);
    if (t.Kind == tkEndOfUnit) {
      messages_.Message(MsgKind::Warning, "Semikolon bei erster Uses-Liste fehlt !!");
      list.clear();
      return;
    }
  } else {
    list.push_back(";");
    lexer = std::make_unique<tLexer>(lines_);
    do {
      lexer->NextToken(t);
    } while (t.Kind != tkInterface && t.Kind != tkImplementation && t.Kind != tkEndOfUnit);
    if (t.Kind != tkInterface) {
      messages_.Message(MsgKind::Warning,
                        "Kein Interface-Teil vorhanden in Unit '" + FileNameWithoutPath() + "' !");
      return;
    }
  }
  const std::string stop = LowerAscii(UMLClass->Name) + "=class";
  for (;;) {
    lexer->ReadRawLine();
    std::string s = LowerAscii(text::RemoveBlanks(lexer->Line));
    if (s.find(stop) != std::string::npos) break;
    if (LowerAscii(lexer->Line) == "end.") break;
    list.push_back(lexer->Line);
  }
  while (list.size() > 1) {
    std::string last = text::TrimLeft(list.back());
    if (!last.empty() && LowerAscii(last) != "type" && list.back() != "// Uses-Klausel ggf. anpassen")
      break;
    list.pop_back();
  }
}

void TSourceParser::ReadImplementationUses() {
  if (!UMLClass) return;
  messages_.Status("Lese zweite Uses-Liste. ");
  StringList& list = UMLClass->ImplementationUses;
  list.clear();
  tLexer lexer(lines_);
  TPascalToken t;
  do {
    lexer.NextToken(t);
  } while (t.Kind != tkImplementation && t.Kind != tkEndOfUnit);
  if (t.Kind == tkEndOfUnit) {
    messages_.Message(MsgKind::Warning, "Kein Implementation-Teil vorhanden in Unit '" +
                                            FileNameWithoutPath() + "' !");
    messages_.Status("");
    return;
  }
  do {
    lexer.NextToken(t);
  } while (t.Kind != tkUses && t.Kind != tkEndOfUnit);
  if (t.Kind == tkUses) {
    ReadUsesList(lexer, t, list);
    if (t.Kind == tkEndOfUnit) {
      messages_.Message(MsgKind::Warning, "Semokolon bei zweiter Uses-Liste fehlt !!");
      list.clear();
    }
  }
  messages_.Status("");
}

}  // namespace zedro
