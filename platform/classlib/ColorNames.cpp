#include "platform/classlib/ColorNames.h"

#include "platform/classlib/SysUtils.h"

#include <cstdio>
#include <iterator>

namespace classlib {

namespace {

struct TNamedColor {
  const char* Name;
  TColor Color;
};

const TNamedColor ColorTable[] = {
    {"clBlack", clBlack},
    {"clMaroon", clMaroon},
    {"clGreen", clGreen},
    {"clOlive", clOlive},
    {"clNavy", clNavy},
    {"clPurple", clPurple},
    {"clTeal", clTeal},
    {"clGray", clGray},
    {"clSilver", clSilver},
    {"clRed", clRed},
    {"clLime", clLime},
    {"clYellow", clYellow},
    {"clBlue", clBlue},
    {"clFuchsia", clFuchsia},
    {"clAqua", clAqua},
    {"clWhite", clWhite},
    {"clMoneyGreen", clMoneyGreen},
    {"clSkyBlue", clSkyBlue},
    {"clCream", clCream},
    {"clMedGray", clMedGray},
    {"clActiveBorder", clActiveBorder},
    {"clActiveCaption", clActiveCaption},
    {"clAppWorkSpace", clAppWorkSpace},
    {"clBackground", clBackground},
    {"clBtnFace", clBtnFace},
    {"clBtnHighlight", clBtnHighlight},
    {"clBtnShadow", clBtnShadow},
    {"clBtnText", clBtnText},
    {"clCaptionText", clCaptionText},
    {"clDefault", clDefault},
    {"clGradientActiveCaption", clGradientActiveCaption},
    {"clGradientInactiveCaption", clGradientInactiveCaption},
    {"clGrayText", clGrayText},
    {"clHighlight", clHighlight},
    {"clHighlightText", clHighlightText},
    {"clHotLight", clHotLight},
    {"clInactiveBorder", clInactiveBorder},
    {"clInactiveCaption", clInactiveCaption},
    {"clInactiveCaptionText", clInactiveCaptionText},
    {"clInfoBk", clInfoBk},
    {"clInfoText", clInfoText},
    {"clMenu", clMenu},
    {"clMenuBar", clMenuBar},
    {"clMenuHighlight", clMenuHighlight},
    {"clMenuText", clMenuText},
    {"clNone", clNone},
    {"clScrollBar", clScrollBar},
    {"cl3DDkShadow", cl3DDkShadow},
    {"cl3DLight", cl3DLight},
    {"clWindow", clWindow},
    {"clWindowFrame", clWindowFrame},
    {"clWindowText", clWindowText},
};
static_assert(std::size(ColorTable) == 52);

}  // namespace

void GetColorValues(const std::function<void(const String& Name)>& Proc) {
  for (const TNamedColor& c : ColorTable) Proc(c.Name);
}

bool IdentToColor(const String& Ident, TColor& Color) {
  for (const TNamedColor& c : ColorTable)
    if (SameText(Ident, c.Name)) {
      Color = c.Color;
      return true;
    }
  return false;
}

TColor StringToColor(const String& Text) {
  TColor color;
  if (IdentToColor(Text, color)) return color;
  return static_cast<TColor>(StrToInt(Text));
}

String ColorToString(TColor Color) {
  for (const TNamedColor& c : ColorTable)
    if (c.Color == Color) return c.Name;
  char text[10];
  std::snprintf(text, sizeof text, "$%08X", static_cast<unsigned>(Color));
  return text;
}

}  // namespace classlib
