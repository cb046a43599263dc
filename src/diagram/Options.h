// Display options of class boxes (TFOptions) and the font of connections (TFCoOptions).
// The dialogs that edit them belong to the editor; these are the stored settings.
#pragma once

#include "diagram/Component.h"
#include "diagram/Font.h"

namespace zedro {

class TFOptions {
 public:
  void Assign(const TFOptions& source) { *this = source; }
  // The display options record, given the file version.
  void Load(ValueReader& reader, int version);
  void Save(ValueWriter& writer) const;

  TFontSpec Font;
  // Each setting is the item index of one radio group; -1 (nothing chosen) only from
  // old files.
  int RGWidth = 0;        // 0 normal, 1 schmal, 2 ohne Parameter usw.
  int RGShowAc = 0;       // visibility symbols: 0 ja, 1 nein
  int RGShowKindOfM = 0;  // method kind marker: 0 ja, 1 nein
  int RgPublished = 0;    // members of each visibility listed: 0 ja, 1 nein
  int RgPublic = 0;
  int RgProtected = 0;
  int RgPrivate = 0;

  // The filter setting of a visibility; members are listed only when it is 0.
  int MemberFilter(int visibility) const;

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
