// How the generators read a method's kind. Old diagram files may still carry the kinds
// 4 and 5, which stood for a class procedure and a class function.
#pragma once

#include "diagram/ConnectionKind.h"
#include "model/UMLClass.h"

namespace zedro::codegen {

inline TMethodKind EffectiveKind(const TMethod& m) {
  switch (m.Kind) {
    case TMethodKind::OldClassProcedure:
      return TMethodKind::Procedure;
    case TMethodKind::OldClassFunction:
      return TMethodKind::Function;
    default:
      return m.Kind;
  }
}

inline bool EffectiveClassMethod(const TMethod& m) {
  return m.IsClassMethod || IsOldClassMethodKind(m.Kind);
}

// The connections that the generators and the documentation list from their start class
// as object relationships: every kind but IST, which names the ancestor. Messages and the
// class note count too, as in the program's earlier versions; their lines are comments.
inline bool IsForwardRelationship(TConnectionKind kind) { return kind != TConnectionKind::Ist; }

}  // namespace zedro::codegen
