// Colours between the class library's RGB values and hue, saturation and lightness, as fractions
// (each 0..1) and as integers on the HSLRange scale.
#pragma once

#include "platform/classlib/Types.h"

namespace flat {

// The integer scale: hue runs 0..HSLRange - 1, saturation and lightness 0..HSLRange.
inline int HSLRange = 240;

// The colour is read as three bytes, red lowest: a system colour must be resolved first
// (ColorToRGB). Hue 0 and 1 are both red, 1/3 green, 2/3 blue; every grey has hue and saturation 0.
void RGBtoHSL(classlib::TColor Color, double& H, double& S, double& L);
classlib::TColor HSLtoRGB(double H, double S, double L);

void RGBtoHSLRange(classlib::TColor Color, int& H, int& S, int& L);
classlib::TColor HSLRangeToRGB(int H, int S, int L);

}  // namespace flat
