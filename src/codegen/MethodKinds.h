// How the generators read a method's kind. Old diagram files may still carry the kinds
// 4 and 5, which stood for a class procedure and a class function.
#pragma once

#include "model/UMLClass.h"

namespace zedro::codegen {

inline TMethodKind EffectiveKind(const TMethod& m) {
  if (m.Kind == 4) return kProcedure;
  if (m.Kind == 5) return kFunction;
  return m.Kind;
}

inline bool EffectiveClassMethod(const TMethod& m) {
  return m.IsClassMethod || m.Kind == 4 || m.Kind == 5;
}

// The connections that the generators and the documentation list from their start class
// as object relationships: every kind but IST, which names the ancestor. Messages and the
// class note count too, as in the program's earlier versions; their lines are comments.
inline bool IsForwardRelationship(int kind) { return kind != 1; }

}  // namespace zedro::codegen
