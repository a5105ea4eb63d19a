// The named colours: the standard sixteen, four extended ones, the system colours and the two
// special values, with their identifiers as forms and colour boxes write them.
#pragma once

#include "platform/classlib/Types.h"

#include <functional>

namespace classlib {

constexpr TColor clMoneyGreen = 0xC0DCC0;
constexpr TColor clSkyBlue = 0xF0CAA6;
constexpr TColor clCream = 0xF0FBFF;
constexpr TColor clMedGray = 0xA4A0A0;
constexpr TColor clGradientActiveCaption = SystemColor(COLOR_GRADIENTACTIVECAPTION);
constexpr TColor clGradientInactiveCaption = SystemColor(COLOR_GRADIENTINACTIVECAPTION);
constexpr TColor clHotLight = SystemColor(COLOR_HOTLIGHT);
constexpr TColor clMenuBar = SystemColor(COLOR_MENUBAR);
constexpr TColor clMenuHighlight = SystemColor(COLOR_MENUHILIGHT);

// Calls Proc with each identifier of the colour table in its order: clBlack .. clWhite (16),
// clMoneyGreen .. clMedGray (4), then the 32 system colours and special values by name.
void GetColorValues(const std::function<void(const String& Name)>& Proc);
// The colour of an identifier (without regard to case) or of a number in decimal or "$" hex text.
// Returns false for anything else.
bool IdentToColor(const String& Ident, TColor& Color);
// The colour of an identifier or number; raises EConvertError for other text.
TColor StringToColor(const String& Text);
// The identifier of a named colour, else "$" and eight hex digits.
String ColorToString(TColor Color);

}  // namespace classlib
