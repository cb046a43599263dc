#include "diagram/Options.h"

#include "model/UMLClass.h"

namespace zedro {

int TFOptions::MemberFilter(int visibility) const {
  switch (visibility) {
    case kPublished:
      return RgPublished;
    case kPublic:
      return RgPublic;
    case kProtected:
      return RgProtected;
    default:
      return RgPrivate;
  }
}

}  // namespace zedro
