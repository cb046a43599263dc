// Reads the one class of a Java source file: imports, heading, attributes and methods
// with their bodies.
#pragma once

#include <memory>
#include <string>

#include "import/JavaLexer.h"
#include "import/SourceText.h"
#include "model/UMLClass.h"

namespace zedro {

class IMessages;

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

  // Always a class, read as far as the file allowed; the caller owns it.
  std::unique_ptr<TUMLClass> Parse();

  std::string FileName;
  bool SyntaxError = false;

 private:
  ttoken Next() { return Lexer->GetNext(); }
  std::string ReadName();
  void ReadImports();
  void ReadHeading();
  void ReadMembers();
  void ReadMember(ttoken token);
  void ReadMethod(const std::string& type, const std::string& name,
                  const std::vector<std::string>& modifiers, TVisibility visibility);
  void ReadBody(TMethod& method);
  void SkipBlock();

  IMessages& messages_;
  SourceLines lines_;
  std::unique_ptr<tJavaLexer> Lexer;
  std::unique_ptr<TUMLClass> UMLClass;
};

}  // namespace zedro
