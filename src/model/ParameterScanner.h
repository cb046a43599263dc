// Checks identifiers and splits Delphi-notation parameter lists into parameters.
#pragma once

#include <string>
#include <vector>

#include "model/UMLClass.h"

namespace zedro {

class IMessages;

class TParameterScanner {
 public:
  TParameterScanner(std::string text, IMessages& messages)
      : Text(std::move(text)), messages_(messages) {}

  // True when Text is one identifier (leading blanks allowed); otherwise an error box
  // telling where it is wrong has been shown.
  bool IsIdentifier();
  // Parses "a, b: Integer; var c: String" into Parameters; false after an error box.
  bool Parse();
  std::vector<TParameter>& Parameters() { return parameters_; }
  // The parameters as "name: type" joined by "; " (always Delphi notation).
  std::string ParameterListText() const;

  int Position = 1;
  std::string Text;

 private:
  char Next();
  std::string Prefix() const;

  IMessages& messages_;
  std::vector<TParameter> parameters_;
};

}  // namespace zedro
