// Reads the one class of a Java source file: imports, heading, attributes and methods
// with their bodies.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "import/JavaLexer.h"
#include "import/SourceText.h"
#include "model/UMLClass.h"

namespace zedro {

class IMessages;

// Reads Java as courses write it: type arguments and arrays in types, generic classes and
// methods, annotations (passed over) and modifiers in any order. Declarations the class
// model cannot hold (interfaces, enums, records, inner classes, native methods, blocks)
// are passed over and named in one message at the end; no member is made up.
class TJavaParser {
 public:
  // Reads the file; when it cannot be read the error box "Fehler beim Öffnen der Datei"
  // is shown with the file and the reason (also a lack of memory), and Parse finds
  // nothing.
  TJavaParser(std::string fileName, IMessages& messages);
  // The same on lines already in memory.
  TJavaParser(std::string fileName, SourceLines lines, IMessages& messages);
  ~TJavaParser();
  TJavaParser(const TJavaParser&) = delete;
  TJavaParser& operator=(const TJavaParser&) = delete;

  // Always a class, read as far as the file allowed; the caller owns it. Its name is
  // empty when the file declares no class.
  std::unique_ptr<TUMLClass> Parse();

  std::string FileName;
  bool SyntaxError = false;
  // What was passed over, one German sentence each, in file order.
  std::vector<std::string> Skipped;

 private:
  struct Modifiers {
    std::vector<std::string> words;  // lower-cased modifiers ("static", "abstract", ...)
    std::string visibility;          // the last visibility word, lower-cased
  };
  // Members without a visibility word are package-visible: the model calls them protected.
  static TVisibility VisibilityOf(const Modifiers& modifiers);

  ttoken Next();
  // Gives a token back; tokens given back come again last-in, first-out.
  void Unread(const ttoken& token) { ahead_.push_back(token); }
  ttoken Peek();

  std::string ReadName();
  void ReadImports();
  void ReadTypeDeclarations();
  // Modifiers, visibility words and annotations in any order, up to the first other token.
  Modifiers ReadModifiers();
  void SkipAnnotation();
  // A type: qualified name, type arguments, array brackets and (for parameters) "...".
  // Empty when the next token does not begin a type; the ending token is given back.
  std::string ReadType(bool varargs);
  // The rest of a type-argument or type-parameter list after its "<", with the "<".
  std::string ReadAngleText();
  void ReadClass(const Modifiers& modifiers);
  void ReadMembers();
  void ReadMember();
  void ReadMethod(const std::string& type, const std::string& typeParameters,
                  const std::string& name, const Modifiers& modifiers);
  void ReadFields(const std::string& type, std::string name, ttoken t,
                  const Modifiers& modifiers);
  // Passes over an initial value; returns the "," that begins the next declarator, the ";"
  // or the end of the file.
  ttoken SkipInitializer();
  void ReadBody(TMethod& method);
  // Passes over tokens up to the one that closes what the "open" just read opened.
  void SkipBalanced(TJavaTokenKind open, TJavaTokenKind close);
  // Passes over a block whose "{" was read.
  void SkipBlock() { SkipBalanced(jtOpenBrace, jtCloseBrace); }
  // Passes over a declaration that is not read: up to its ";", or its block.
  void SkipDeclaration(ttoken t);
  // When t begins a type declaration the model cannot hold (a further or inner class, an
  // interface, enum, record or annotation type): the beginning of the sentence that names
  // it ("Das innere Interface '"); empty otherwise. "@interface" is read to its keyword.
  std::string SkippedTypeKind(const ttoken& t, bool inner);
  // Passes over a type declaration (class, interface, enum, record) after its keyword and
  // returns its name.
  std::string SkipTypeDeclaration();
  void Report(const std::string& sentence) { Skipped.push_back(sentence); }

  IMessages& messages_;
  SourceLines lines_;
  std::unique_ptr<tJavaLexer> Lexer;
  std::unique_ptr<TUMLClass> UMLClass;
  std::vector<ttoken> ahead_;
  std::vector<std::string> initialValues_;  // attributes whose initial value was passed over
  bool classFound_ = false;
  bool membersBegun_ = false;  // the heading of the class was read to its "{"
};

}  // namespace zedro
