// The month calendar's step-button glyphs: a black arrow head with a white outline on the
// transparent magenta, single for a month and doubled for a year.
#pragma once

#include <string>

namespace artwork {

// Writes SK_PRIORYEAR.bmp, SK_PRIORMONTH.bmp, SK_NEXTMONTH.bmp and SK_NEXTYEAR.bmp (16 x 16).
void WriteCalendarGlyphs(const std::string& folder);

}  // namespace artwork
