#include "diagram/Options.h"

#include "model/UMLClass.h"

namespace zedro {

TShowOption TFOptions::MemberFilter(TVisibility visibility) const {
  switch (visibility) {
    case TVisibility::Published:
      return RgPublished;
    case TVisibility::Public:
      return RgPublic;
    case TVisibility::Protected:
      return RgProtected;
    case TVisibility::Private:
      break;
  }
  return RgPrivate;
}

std::string TFOptions::AttributeSymbol(TVisibility visibility) const {
  return RGShowAc == TShowOption::Yes ? std::string(VisibilitySymbol(visibility)) + " "
                                      : std::string();
}

std::string TFOptions::MethodSymbol(TVisibility visibility) const {
  return RGShowAc == TShowOption::No ? std::string() : std::string(VisibilitySymbol(visibility));
}

}  // namespace zedro
