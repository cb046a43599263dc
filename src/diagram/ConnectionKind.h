// The kinds of connection: the three relationships, the two messages and the link of a
// class note.
#pragma once

#include <cstdint>

#include "diagram/Font.h"

namespace zedro {

// Stored in files as these integers. A damaged file may hold another value: it is kept,
// drawn as a plain line and written back as read.
enum class TConnectionKind : std::int32_t {
  ClassInfo = 0,  // ties a note to its class; start and end are the same box
  Ist = 1,        // inheritance: from the subclass to its superclass
  Hat = 2,        // aggregation: from the whole to the part
  Kennt = 3,      // association: from the class that knows to the known one
  Auftrag = 10,   // a command message
  Anfrage = 12,   // a query message
};

// Auftrag and Anfrage.
constexpr bool IsMessage(TConnectionKind kind) {
  switch (kind) {
    case TConnectionKind::Auftrag:
    case TConnectionKind::Anfrage:
      return true;
    default:
      return false;
  }
}

// IST, HAT and KENNT.
constexpr bool IsRelationship(TConnectionKind kind) {
  switch (kind) {
    case TConnectionKind::Ist:
    case TConnectionKind::Hat:
    case TConnectionKind::Kennt:
      return true;
    default:
      return false;
  }
}

// The colour a connection of that kind gets when it is created; black for other kinds.
TColor DefaultConnectionColor(TConnectionKind kind);

}  // namespace zedro
