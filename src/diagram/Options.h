// Display options of class boxes (TFOptions) and the font of connections (TFCoOptions).
// The dialogs that edit them belong to the editor; these are the stored settings.
#pragma once

#include <cstdint>
#include <string>

#include "diagram/Component.h"
#include "diagram/Font.h"

namespace zedro {

enum class TVisibility : std::uint8_t;

// Each display setting is the item index of one radio group of the options dialog; it is
// stored as that integer. Old files may leave a group without a choice (-1), and a damaged
// file may hold any other value: it is kept as read.

// "Breite der Klassendarstellung".
enum class TWidthOption : std::int32_t {
  Unset = -1,
  Normal = 0,     // "normal": every member on one line
  Narrow = 1,     // "schmal": one parameter per line
  NamesOnly = 2,  // "ohne Parameter usw.": names only
};

// The groups answered "ja" or "nein".
enum class TShowOption : std::int32_t { Unset = -1, Yes = 0, No = 1 };

class TFOptions {
 public:
  void Assign(const TFOptions& source) { *this = source; }
  // The display options record, given the file version.
  void Load(ValueReader& reader, int version);
  void Save(ValueWriter& writer) const;
  // Sets the four visibility groups from the single filter of files before version 151.
  void SetOldVisibilityFilter(int filter);

  TFontSpec Font;
  TWidthOption RGWidth = TWidthOption::Normal;
  TShowOption RGShowAc = TShowOption::Yes;       // visibility symbols
  TShowOption RGShowKindOfM = TShowOption::Yes;  // method kind markers " ? " and " ! "
  TShowOption RgPublished = TShowOption::Yes;    // members of each visibility listed
  TShowOption RgPublic = TShowOption::Yes;
  TShowOption RgProtected = TShowOption::Yes;
  TShowOption RgPrivate = TShowOption::Yes;

  // The filter setting of a visibility (an unknown one counts as private).
  TShowOption MemberFilter(TVisibility visibility) const;
  // Members of that visibility are listed: its filter says exactly "ja".
  bool ListsMembers(TVisibility visibility) const {
    return MemberFilter(visibility) == TShowOption::Yes;
  }
  // The visibility symbol in front of an attribute line: symbol and blank when the setting
  // says exactly "ja", else nothing.
  std::string AttributeSymbol(TVisibility visibility) const;
  // ... in front of a method line: hidden only when the setting says exactly "nein".
  std::string MethodSymbol(TVisibility visibility) const;

  bool operator==(const TFOptions&) const = default;
};

class TFCoOptions : public TComponent {
 public:
  void Assign(const TFCoOptions& source) { Font = source.Font; }
  // The font record; nothing is read when the version is 141 or less.
  void Load(ValueReader& reader, int version);
  void Save(ValueWriter& writer) const;

  TFontSpec Font;
};

}  // namespace zedro
