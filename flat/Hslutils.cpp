#include "flat/Hslutils.h"

#include <algorithm>
#include <cmath>

namespace flat {

using namespace classlib;

namespace {

// The nearest integer, halves going to the even neighbour (the default rounding mode).
int Nearest(double Value) { return static_cast<int>(std::nearbyint(Value)); }

BYTE ChannelByte(double Value) { return static_cast<BYTE>(std::clamp(Nearest(255 * Value), 0, 255)); }

double Channel(double M1, double M2, double H) {
  if (H < 0)
    H += 1;
  else if (H > 1)
    H -= 1;
  if (6 * H < 1) return M1 + (M2 - M1) * H * 6;
  if (2 * H < 1) return M2;
  if (3 * H < 2) return M1 + (M2 - M1) * (2.0 / 3 - H) * 6;
  return M1;
}

}  // namespace

void RGBtoHSL(TColor Color, double& H, double& S, double& L) {
  const double r = GetRValue(Color) / 255.0;
  const double g = GetGValue(Color) / 255.0;
  const double b = GetBValue(Color) / 255.0;
  const double max = std::max({r, g, b});
  const double min = std::min({r, g, b});
  L = (max + min) / 2;
  if (max == min) {
    H = 0;
    S = 0;
    return;
  }
  const double d = max - min;
  S = L < 0.5 ? d / (max + min) : d / (2 - max - min);
  if (r == max)
    H = (g - b) / d;
  else if (g == max)
    H = 2 + (b - r) / d;
  else
    H = 4 + (r - g) / d;
  H /= 6;
  if (H < 0) H += 1;
}

TColor HSLtoRGB(double H, double S, double L) {
  if (S == 0) {
    const BYTE grey = ChannelByte(L);
    return static_cast<TColor>(RGB(grey, grey, grey));
  }
  const double m2 = L <= 0.5 ? L * (1 + S) : L + S - L * S;
  const double m1 = 2 * L - m2;
  return static_cast<TColor>(RGB(ChannelByte(Channel(m1, m2, H + 1.0 / 3)), ChannelByte(Channel(m1, m2, H)),
                                 ChannelByte(Channel(m1, m2, H - 1.0 / 3))));
}

void RGBtoHSLRange(TColor Color, int& H, int& S, int& L) {
  double h, s, l;
  RGBtoHSL(Color, h, s, l);
  H = Nearest(h * (HSLRange - 1));
  S = Nearest(s * HSLRange);
  L = Nearest(l * HSLRange);
}

TColor HSLRangeToRGB(int H, int S, int L) {
  return HSLtoRGB(static_cast<double>(H) / (HSLRange - 1), static_cast<double>(S) / HSLRange,
                  static_cast<double>(L) / HSLRange);
}

}  // namespace flat
