// Enumerations of the flat-style controls and the drawing and layout routines beneath them.
#pragma once

#include "platform/classlib/Bitmap.h"
#include "platform/classlib/Controls.h"

#include <cstdint>
#include <memory>

namespace flat {

enum class TGroupBoxBorder { brFull, brOnlyTopLine };
// A percentage, 0..100.
using TAdvColors = std::uint8_t;
constexpr TAdvColors MaxAdvColors = 100;
enum class TColorCalcType { lighten, darken };
enum class TScrollType { up, down };
enum class TCheckBoxLayout { checkboxLeft, checkboxRight };
enum class TRadioButtonLayout { radioLeft, radioRight };
enum class TProgressBarOrientation { pbHorizontal, pbVertical };
enum class TPlainTabPosition { tpTop, tpBottom };
enum class TArrowPos { NE, NW, SE, SW };
// The number of pictures side by side in a glyph, 1..4.
using TNumGlyphs = int;
enum class TTransparentMode { tmAlways, tmNotFocused, tmNone };

// Where a button's glyph sits beside its caption.
enum class TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

// BaseColor with its lightness (on the HSLRange scale) raised by 10 and then moved by Percent
// points, hue and saturation kept; Percent 0 gives FallbackColor unchanged.
classlib::TColor CalcAdvancedColor(classlib::TColor BaseColor, classlib::TColor FallbackColor, std::uint8_t Percent,
                                   TColorCalcType Kind);

// Paints the parent's background and windowless children into Dest where Control lies on it
// (erase, then paint, through the parent's own message handling). Nothing without a parent.
void DrawParentImage(classlib::TControl& Control, classlib::TCanvas& Dest);

// Width nested frames: top and left in TopColor, bottom and right in BottomColor.
void Frame3DBorder(classlib::TCanvas& Canvas, classlib::TRect Rect, classlib::TColor TopColor,
                   classlib::TColor BottomColor, int Width);

// Draws Bitmap at (X, Y) with its pixels of TransparentColor letting the canvas show through.
void DrawTransparentBmp(classlib::TCanvas& Canvas, int X, int Y, classlib::TBitmap& Bitmap,
                        classlib::TColor TransparentColor);

// The source drawn greyed: ShadowColor where the source shows MaskColor, BackColor elsewhere, with
// a HighlightColor copy one pixel down and right beneath the shadow when DrawHighlight is set.
std::unique_ptr<classlib::TBitmap> CreateDisabledBitmap(classlib::TBitmap& Source, classlib::TColor MaskColor,
                                                        classlib::TColor BackColor,
                                                        classlib::TColor HighlightColor,
                                                        classlib::TColor ShadowColor, bool DrawHighlight);

// Places a glyph (one of NumGlyphs pictures side by side in Glyph, which may be null) and a one-line
// caption in Client, Margin and Spacing -1 meaning "share what is left"; both results are moved
// by Client's top-left corner plus Offset.
void CalcButtonLayout(classlib::TCanvas& Canvas, const classlib::TRect& Client, const classlib::TPoint& Offset,
                      TButtonLayout Layout, int Spacing, int Margin, classlib::TBitmap* Glyph, TNumGlyphs NumGlyphs,
                      const classlib::String& Caption, classlib::TRect& TextBounds, classlib::TPoint& GlyphPos);

// The smaller value; A when they are equal.
WORD Min(WORD A, WORD B);

TEXTMETRICW GetFontMetrics(classlib::TFont& Font);
// 1.125 times the font's cell height, rounded.
int GetFontHeight(classlib::TFont& Font);

// Whether the rectangles overlap (not whether one holds the other); sharing an edge is no overlap.
bool RectInRect(const classlib::TRect& R1, const classlib::TRect& R2);

}  // namespace flat
