#include "skin/plain/SkinPlainPages.h"

namespace skin {

TskSkinPageControl::TskSkinPageControl(classlib::TComponent* AOwner) : TPageControl(AOwner) {}

TskSkinTabSheet::TskSkinTabSheet(classlib::TComponent* AOwner) : TTabSheet(AOwner) {}

}  // namespace skin
