// The plain form of the body search, for comparison with the parser's indexed one: for
// every method the unit is walked again from its first line, one line per step.
#pragma once

#include "ImportTestSupport.h"
#include "import/PascalLexer.h"
#include "model/ParameterScanner.h"
#include "model/Win1252.h"

namespace zedro::testing {

inline std::string ReferenceParams(tLexer& lx, TPascalToken& t) {
  std::string text;
  bool arraySeen = false;
  lx.NextToken(t);
  while (t.Kind != tkCloseParen && t.Kind != tkEndOfUnit) {
    if (t.Kind == tkCommentClose) {
      lx.NextToken(t);
      continue;
    }
    std::string lower = text::LowerAscii(t.Text);
    text += t.Text;
    if (lower == "array") arraySeen = true;
    const bool kindWord =
        lower == "var" || lower == "const" || lower == "out" || lower == "constref";
    if (arraySeen || kindWord || t.Kind == tkSemicolon) text += ' ';
    lx.NextToken(t);
  }
  if (!text.empty() && text.back() == ' ') text.pop_back();
  return text;
}

// The body lines of m, or nothing (found false).
inline StringList ReferenceBody(const SourceLines& lines, const TUMLClass& cls, const TMethod& m,
                                bool& found) {
  static const char* const kw[4] = {"constructor", "procedure", "function", "destructor"};
  using text::EqualsIgnoreCase;
  using text::LowerAscii;
  found = false;
  QuietMessages quiet;
  tLexer lx(lines);
  TPascalToken t;
  for (;;) {
    lx.ReadLine();
    if (lx.Token.Kind == tkEndOfUnit) return {};
    lx.NextToken(t);
    if (t.Kind == tkEndOfUnit) return {};
    const int kind = static_cast<int>(m.Kind);
    auto isKeyword = [&] {
      return t.Kind == tkMethodKeyword && kind <= 3 && LowerAscii(t.Text) == kw[kind];
    };
    bool match = true;
    if (t.Kind == tkClass) {
      if (m.Kind != TMethodKind::Procedure && m.Kind != TMethodKind::Function) continue;
      lx.NextToken(t);
      match = isKeyword();
    } else if (!isKeyword()) {
      continue;
    }
    // Each step reads the next token while all before it matched.
    auto step = [&](auto matches) {
      if (!match) return;
      lx.NextToken(t);
      match = matches();
    };
    step([&] {
      return t.Kind == tkIdentifier && EqualsIgnoreCase(text::Trim(t.Text), text::Trim(cls.Name));
    });
    step([&] { return t.Kind == tkDot; });
    step([&] { return EqualsIgnoreCase(text::Trim(t.Text), text::Trim(m.Name)); });
    if (!m.Parameters.empty())
      step([&] {
        if (t.Kind != tkOpenParen) return false;
        TParameterScanner sc(ReferenceParams(lx, t), quiet);
        return sc.Parse() && EqualsIgnoreCase(sc.ParameterListText(), m.ParameterListText(1));
      });
    const bool function = m.Kind == TMethodKind::Function;
    step([&] { return t.Kind == (function ? tkColon : tkSemicolon); });
    if (function) step([&] { return EqualsIgnoreCase(t.Text, m.ResultType); });
    if (!match) {
      if (t.Kind == tkEndOfUnit) return {};
      continue;
    }
    found = true;
    StringList body;
    const std::string c = LowerAscii(cls.Name) + ".";
    for (;;) {
      lx.ReadRawLine();
      if (lx.Line == "end.") break;
      std::string s = LowerAscii(text::RemoveBlanks(lx.Line));
      auto starts = [&](const char* p) { return s.rfind(p, 0) == 0; };
      if (starts("constructor") || starts("destructor")) break;
      if ((starts("procedure") || starts("function")) && s.find(c, 1) != std::string::npos) break;
      if (starts("class") && s.find("function", 5) != std::string::npos &&
          s.find(c, 13) != std::string::npos)
        break;
      if (starts("class") && s.find("procedure", 5) != std::string::npos &&
          s.find(c, 14) != std::string::npos)
        break;
      body.push_back(lx.Line);
    }
    while (body.size() >= 2) {
      std::string last = text::RemoveBlanks(body.back());
      if (!last.empty() && last.rfind("//----", 0) != 0) break;
      body.pop_back();
    }
    return body;
  }
}

}  // namespace zedro::testing
