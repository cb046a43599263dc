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

std::string NotAllowed(char c) {
  return std::string("Das Zeichen '") + c + "' ist hier nicht erlaubt";
}

// Reads "a, b: Integer; var c: String" one character at a time into parameters. Names
// are gathered in a group until the group's type is known; a group after "var", "const",
// "out" or "constref" may end without a type.
class ParameterListReader {
 public:
  enum class End { Complete, AfterSemicolon, TypeMissing };

  explicit ParameterListReader(std::vector<TParameter>& out) : out_(out) {}

  // Why the character is not allowed where it stands; empty when it is.
  std::string Step(char c) {
    switch (state_) {
      case State::ExpectName:
        return BeforeName(c, "Es wird ein Buchstabe erwartet", true);
      case State::InName:
        return InName(c);
      case State::AfterModifier:
        return AfterModifier(c);
      case State::AfterName:
        return AfterName(c);
      case State::AfterComma:
        return BeforeName(c, "Es wird ein Buchstabe erwartet!", false);
      case State::AfterColon:
        return AfterColon(c);
      case State::InType:
        return InType(c);
      case State::InArrayType:
        return InArrayType(c);
      case State::AfterType:
        return AfterType(c);
    }
    return {};
  }

  // At the end of the text: the last group gets its type, if the list is complete.
  End Finish() {
    switch (state_) {
      case State::InType:
      case State::InArrayType:
      case State::AfterType:
        Flush(typeText_);
        return End::Complete;
      case State::InName:
      case State::AfterName:
        if (modifier_.empty()) return End::TypeMissing;
        if (state_ == State::InName) AddName();
        Flush("");
        return End::Complete;
      case State::ExpectName:
        return End::AfterSemicolon;
      default:
        return End::TypeMissing;
    }
  }

 private:
  enum class State {
    ExpectName,
    InName,
    AfterModifier,
    AfterName,
    AfterComma,
    AfterColon,
    InType,
    InArrayType,
    AfterType
  };

  void AddName() {
    group_.push_back(modifier_.empty() ? name_ : modifier_ + " " + name_);
    name_.clear();
  }
  // The names gathered so far become parameters of that type.
  void Flush(const std::string& type) {
    for (const std::string& n : group_)
      if (!n.empty()) out_.emplace_back(n, type);
    group_.clear();
  }
  // After the ";" that closes a typed group.
  void EndTypedGroup() {
    Flush(typeText_);
    state_ = State::ExpectName;
    name_.clear();
  }

  // At the beginning of the list, after a ";" or after a ",": a name begins here; a new
  // group starts without a modifier.
  std::string BeforeName(char c, const char* expected, bool newGroup) {
    if (IsLetter(c)) {
      name_ = std::string(1, c);
      if (newGroup) modifier_.clear();
      state_ = State::InName;
    } else if (!IsBlank(c)) {
      return expected;
    }
    return {};
  }

  std::string InName(char c) {
    if (IsIdentChar(c)) {
      name_ += c;
    } else if (c == ',') {
      AddName();
      state_ = State::AfterComma;
    } else if (c == ':') {
      AddName();
      state_ = State::AfterColon;
    } else if (IsBlank(c)) {
      if (modifier_.empty() && !ParameterModifier(name_).empty()) {
        modifier_ = ParameterModifier(name_);
        name_.clear();
        state_ = State::AfterModifier;
      } else {
        AddName();
        state_ = State::AfterName;
      }
    } else if (c == ';' && !modifier_.empty()) {
      AddName();  // an untyped "var Data;"
      Flush("");
      state_ = State::ExpectName;
    } else {
      return NotAllowed(c);
    }
    return {};
  }

  std::string AfterModifier(char c) {
    if (IsLetter(c)) {
      name_ = std::string(1, c);
      state_ = State::InName;
    } else if (!IsBlank(c)) {
      // "Var", "Const", "Out", "Constref"
      const std::string word = modifier_.substr(0, 1) + text::LowerAscii(modifier_.substr(1));
      return std::string("Das Zeichen '") + c + "' ist nach '" + word + "' nicht erlaubt";
    }
    return {};
  }

  std::string AfterName(char c) {
    if (c == ',') {
      state_ = State::AfterComma;
    } else if (c == ':') {
      state_ = State::AfterColon;
    } else if (c == ';' && !modifier_.empty()) {
      Flush("");
      state_ = State::ExpectName;
    } else if (!IsBlank(c)) {
      return NotAllowed(c);
    }
    return {};
  }

  std::string AfterColon(char c) {
    if (IsLetter(c)) {
      typeText_ = std::string(1, c);
      state_ = State::InType;
    } else if (!IsBlank(c)) {
      return "Es wird ein Buchstabe erwartet";
    }
    return {};
  }

  std::string InType(char c) {
    if (IsIdentChar(c)) {
      typeText_ += c;
    } else if (c == ';') {
      EndTypedGroup();
    } else if (IsBlank(c)) {
      if (text::LowerAscii(typeText_) == "array") {
        typeText_ += ' ';
        state_ = State::InArrayType;
      } else {
        state_ = State::AfterType;
      }
    } else {
      return NotAllowed(c);
    }
    return {};
  }

  std::string InArrayType(char c) {
    if (c == ';') {
      // "array of Integer ;" as the importer joins the words: the blank is no part of it.
      while (!typeText_.empty() && typeText_.back() == ' ') typeText_.pop_back();
      EndTypedGroup();
    } else {
      typeText_ += c;
    }
    return {};
  }

  std::string AfterType(char c) {
    if (c == ';') {
      EndTypedGroup();
    } else if (!IsBlank(c)) {
      return NotAllowed(c);
    }
    return {};
  }

  std::vector<TParameter>& out_;
  State state_ = State::ExpectName;
  std::string name_;
  std::string modifier_;  // "VAR", "CONST", "OUT" or "CONSTREF" for the whole group
  std::vector<std::string> group_;
  std::string typeText_;
};

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
  ParameterListReader reader(parameters_);
  Position = 1;
  for (char c = Next(); c != 0; c = Next()) {
    const std::string detail = reader.Step(c);
    if (!detail.empty()) {
      messages_.Message(MsgKind::Error,
                        "Die Parameterliste ist fehlerhaft bei\n" + Prefix() + "<--\n" + detail);
      return false;
    }
  }
  switch (reader.Finish()) {
    case ParameterListReader::End::Complete:
      return true;
    case ParameterListReader::End::AfterSemicolon:
      messages_.Message(
          MsgKind::Error,
          "Die Parameterliste ist fehlerhaft!\nEin Semikolon am Ende ist nicht erlaubt!");
      return false;
    case ParameterListReader::End::TypeMissing:
      break;
  }
  messages_.Message(MsgKind::Error,
                    "Die Parameterliste ist fehlerhaft!\nDer (letzte) Datentyp fehlt!");
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
