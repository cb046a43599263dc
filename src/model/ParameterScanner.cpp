#include "model/ParameterScanner.h"

#include "model/Messages.h"
#include "model/Win1252.h"

namespace zedro {
namespace {

bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
bool IsIdentChar(char c) { return IsLetter(c) || (c >= '0' && c <= '9'); }
bool IsBlank(char c) { return c == ' '; }

// The words that give a parameter its kind when a blank follows them. The model keeps the
// kind in the name, in capitals: "VAR c", "CONST s", "OUT n", "CONSTREF x".
std::string ParameterModifier(const std::string& word) {
  const std::string lower = text::LowerAscii(word);
  if (lower == "var" || lower == "const" || lower == "out" || lower == "constref")
    return text::UpperAscii(lower);
  return {};
}

}  // namespace

char TParameterScanner::Next() {
  char c = Position <= static_cast<int>(Text.size()) ? Text[static_cast<size_t>(Position - 1)] : 0;
  ++Position;
  return c;
}

std::string TParameterScanner::Prefix() const {
  size_t n = Position - 1 > 0 ? static_cast<size_t>(Position - 1) : 0;
  return Text.substr(0, n < Text.size() ? n : Text.size());
}

bool TParameterScanner::IsIdentifier() {
  Position = 1;
  bool inName = false;
  std::string detail;
  for (char c = Next(); c != 0; c = Next()) {
    if (!inName) {
      if (IsLetter(c)) {
        inName = true;
      } else if (!IsBlank(c)) {
        detail = "Es wird ein Buchstabe erwartet";
      }
    } else if (IsBlank(c)) {
      detail = "Ein Leerzeichen ist hier nicht erlaubt";
    } else if (!IsIdentChar(c)) {
      detail = std::string("Das Zeichen '") + c + "' ist hier nicht erlaubt";
    }
    if (!detail.empty()) {
      messages_.Message(MsgKind::Error, "Der Bezeichner '" + Text + "' ist fehlerhaft bei\n" +
                                            Prefix() + "<--\n" + detail);
      return false;
    }
  }
  return true;
}

bool TParameterScanner::Parse() {
  if (Text.empty()) return true;
  enum State { ExpectName, InName, AfterVar, AfterName, AfterComma, AfterColon, InType,
               InArrayType, AfterType };
  State state = ExpectName;
  std::string name;
  std::string modifier;  // "VAR", "CONST", "OUT" or "CONSTREF" for the whole group
  std::vector<std::string> group;
  std::string typeText;

  auto addName = [&] {
    group.push_back(modifier.empty() ? name : modifier + " " + name);
    name.clear();
  };
  auto flushAs = [&](const std::string& type) {
    for (const std::string& n : group)
      if (!n.empty()) parameters_.emplace_back(n, type);
    group.clear();
  };
  auto flush = [&] { flushAs(typeText); };
  auto fail = [&](const std::string& detail) {
    messages_.Message(MsgKind::Error,
                      "Die Parameterliste ist fehlerhaft bei\n" + Prefix() + "<--\n" + detail);
    return false;
  };
  auto notAllowed = [](char c) { return std::string("Das Zeichen '") + c + "' ist hier nicht erlaubt"; };

  Position = 1;
  for (char c = Next(); c != 0; c = Next()) {
    switch (state) {
      case ExpectName:
        if (IsLetter(c)) {
          name = std::string(1, c);
          modifier.clear();
          state = InName;
        } else if (!IsBlank(c)) {
          return fail("Es wird ein Buchstabe erwartet");
        }
        break;
      case InName:
        if (IsIdentChar(c)) {
          name += c;
        } else if (c == ',') {
          addName();
          state = AfterComma;
        } else if (c == ':') {
          addName();
          state = AfterColon;
        } else if (IsBlank(c)) {
          if (modifier.empty() && !ParameterModifier(name).empty()) {
            modifier = ParameterModifier(name);
            name.clear();
            state = AfterVar;
          } else {
            addName();
            state = AfterName;
          }
        } else if (c == ';' && !modifier.empty()) {
          addName();  // an untyped "var Data;"
          flushAs("");
          state = ExpectName;
        } else {
          return fail(notAllowed(c));
        }
        break;
      case AfterVar:
        if (IsLetter(c)) {
          name = std::string(1, c);
          state = InName;
        } else if (!IsBlank(c)) {
          // "Var", "Const", "Out", "Constref"
          const std::string word = modifier.substr(0, 1) + text::LowerAscii(modifier.substr(1));
          return fail(std::string("Das Zeichen '") + c + "' ist nach '" + word +
                      "' nicht erlaubt");
        }
        break;
      case AfterName:
        if (c == ',') {
          state = AfterComma;
        } else if (c == ':') {
          state = AfterColon;
        } else if (c == ';' && !modifier.empty()) {
          flushAs("");
          state = ExpectName;
        } else if (!IsBlank(c)) {
          return fail(notAllowed(c));
        }
        break;
      case AfterComma:
        if (IsLetter(c)) {
          name = std::string(1, c);
          state = InName;
        } else if (!IsBlank(c)) {
          return fail("Es wird ein Buchstabe erwartet!");
        }
        break;
      case AfterColon:
        if (IsLetter(c)) {
          typeText = std::string(1, c);
          state = InType;
        } else if (!IsBlank(c)) {
          return fail("Es wird ein Buchstabe erwartet");
        }
        break;
      case InType:
        if (IsIdentChar(c)) {
          typeText += c;
        } else if (c == ';') {
          flush();
          state = ExpectName;
          name.clear();
        } else if (IsBlank(c)) {
          if (text::LowerAscii(typeText) == "array") {
            typeText += ' ';
            state = InArrayType;
          } else {
            state = AfterType;
          }
        } else {
          return fail(notAllowed(c));
        }
        break;
      case InArrayType:
        if (c == ';') {
          // "array of Integer ;" as the importer joins the words: the blank is no part of it.
          while (!typeText.empty() && typeText.back() == ' ') typeText.pop_back();
          flush();
          state = ExpectName;
          name.clear();
        } else {
          typeText += c;
        }
        break;
      case AfterType:
        if (c == ';') {
          flush();
          state = ExpectName;
          name.clear();
        } else if (!IsBlank(c)) {
          return fail(notAllowed(c));
        }
        break;
    }
  }
  if (state == InType || state == InArrayType || state == AfterType) {
    flush();
    return true;
  }
  // Parameters after "var", "const", "out" or "constref" may have no type at all.
  if ((state == InName || state == AfterName) && !modifier.empty()) {
    if (state == InName) addName();
    flushAs("");
    return true;
  }
  if (state == ExpectName) {
    messages_.Message(MsgKind::Error,
                      "Die Parameterliste ist fehlerhaft!\nEin Semikolon am Ende ist nicht erlaubt!");
  } else {
    messages_.Message(MsgKind::Error,
                      "Die Parameterliste ist fehlerhaft!\nDer (letzte) Datentyp fehlt!");
  }
  return false;
}

std::string TParameterScanner::ParameterListText() const {
  std::string out;
  for (size_t i = 0; i < parameters_.size(); ++i) {
    if (i > 0) out += "; ";
    const TParameter& p = parameters_[i];
    out += p.TypeName.empty() ? p.Name : p.Name + ": " + p.TypeName;
  }
  return out;
}

}  // namespace zedro
