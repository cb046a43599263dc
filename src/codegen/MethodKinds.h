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

// Only HAT and KENNT relationships stand for fields of a class; IST is the ancestor, and
// messages and class notes are no object relationships.
inline bool IsObjectRelationship(int kind) { return kind == 2 || kind == 3; }

}  // namespace zedro::codegen
