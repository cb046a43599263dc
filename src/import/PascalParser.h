// Reads the classes of a Pascal unit: the declarations with their attributes and method
// headings, and for one chosen class the method bodies and the two uses lists.
#pragma once

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "import/PascalLexer.h"
#include "import/SourceText.h"
#include "model/UMLClass.h"

namespace zedro {

class IMessages;

class TSourceParser {
 public:
  // Reads the unit and moves to its first "type". When the file cannot be read the error
  // box "Fehler beim Suchen nach Typdaklaration" is shown, with the file and the reason
  // (also a lack of memory); the parser then finds nothing.
  TSourceParser(std::string fileName, IMessages& messages);
  // The same on lines already in memory (fileName is used in messages only).
  TSourceParser(std::string fileName, SourceLines lines, IMessages& messages);
  ~TSourceParser();
  TSourceParser(const TSourceParser&) = delete;
  TSourceParser& operator=(const TSourceParser&) = delete;

  // The next class declaration of the unit in file order, or nullptr when none is left.
  std::unique_ptr<TUMLClass> ReadNextClass();
  // False when the file could not be read.
  bool Readable() const { return readable_; }
  // The class that the next three steps fill; the caller keeps owning it.
  void SetClass(TUMLClass* cls) { UMLClass = cls; }
  void ReadMethodBodies();
  void ReadInterfaceUses();
  void ReadImplementationUses();

  std::string FileName;
  TVisibility Visibility = TVisibility::Published;
  TUMLClass* UMLClass = nullptr;
  TPascalToken Token;

 private:
  struct HeadingPos;
  class BodyIndex;

  // The kind of declarations a class declaration holds at the point being read.
  enum class Section { Fields, ClassFields, Constants, Types };

  void Init();
  // The next token; the closing bracket of a comment ("{%H-}aNode") is passed over.
  void Next() {
    do {
      Lexer->NextToken(Token);
    } while (Token.Kind == tkCommentClose);
  }
  // "(TAncestor, IInterface)" after "class", from the "(": the ancestor goes into the
  // class, the interfaces into the list of what was passed over.
  enum class AncestorList { Read, EndsDeclaration, Damaged };
  AncestorList ReadAncestorList(TUMLClass& cls);
  // Each answers false when the class declaration has ended.
  bool ReadMember(TUMLClass& cls);
  // A member that begins with a word: "end", "property", a section keyword or a field.
  bool ReadWordMember(TUMLClass& cls);
  // A member after "class": a class method, class fields or what the model cannot hold.
  bool ReadClassMember(TUMLClass& cls);
  bool ReadAttributes(TUMLClass& cls);
  // The type of the fields after ":", up to their ";"; false after a warning when the
  // unit ends first. `field` is the last field's name, for the warning.
  bool ReadMethodPointerType(std::string& type, const std::string& field);
  bool ReadFieldType(std::string& type, const std::string& field);
  void MissingSemicolonAfterType(const std::string& field);
  // The current token is the method keyword ("class" already read for a class method).
  bool ReadMethod(TUMLClass& cls, bool isClassMethod);
  // The parts of a method heading. Each leaves the token after what it read, or says why
  // it stopped: the method is passed over, or the class cannot be read on.
  enum class HeadingPart { Read, PassOver, Abort };
  HeadingPart ReadMethodParameters(TMethod& m);
  HeadingPart ReadResultType(TMethod& m);
  HeadingPart ReadDirectives(TMethod& m);
  // Passing over what the model cannot hold; each ends after the declaration's ";".
  void SkipToSemicolon();
  void SkipProperty();
  void SkipMethodHeading();
  void SkipTypeDeclaration();
  void SkipStructuredBody();
  // Whether the current token is a method directive such as "static" or "message" (and
  // not a field of that name).
  bool IsDirectiveWord() const;
  // Whether the rest of the line goes on with ":" or ",": the current word names a field.
  bool NextIsColonOrComma() const;
  // Shows what was passed over in the class, in one message, and forgets it.
  void ReportSkipped(const std::string& className, const std::string& more = "");
  // Collects "(...)" as a parameter text; the current token is the "(" and afterwards
  // the one that ended the text (")" or the end of the unit).
  static std::string CollectParameterText(tLexer& lexer, TPascalToken& token);
  bool FindBody(TMethod& m, BodyIndex& index);
  // Reads the heading on from its first token t (the lexer stands after it) and compares
  // it with the method: class name, method name, parameters and result type.
  bool HeadingMatches(tLexer& lexer, TPascalToken& t, const TMethod& m);
  void ReadBody(size_t first, TMethod& m, const BodyIndex& index);
  void ReadUsesList(tLexer& lexer, TPascalToken& token, StringList& list);
  std::string FileNameWithoutPath() const;

  IMessages& messages_;
  SourceLines lines_;
  std::unique_ptr<tLexer> Lexer;
  std::unique_ptr<BodyIndex> bodyIndex_;
  TUMLClass* current_ = nullptr;  // the class being read by ReadNextClass
  Section section_ = Section::Fields;
  std::vector<std::string> skipped_;  // what was passed over in that class, one sentence each
  bool readable_ = true;
};

}  // namespace zedro
