// What the font and colour list and combo boxes share: the font filter and the family
// enumeration of the screen and the printer, the TrueType glyph, and the list of named colours
// with its styles.
#pragma once

#include "platform/classlib/Canvas.h"
#include "platform/classlib/Strings.h"

#include <cstdint>

namespace skin {

enum class TskFontDevice { fdScreen, fdPrinter, fdBoth };
enum class TskFontListOption {
  foAnsiOnly, foTrueTypeOnly, foFixedPitchOnly, foNoOEMFonts, foOEMFontsOnly, foScalableOnly, foNoSymbolFonts
};
using TskFontListOptions = classlib::Set<TskFontListOption>;

enum class TskColorBoxStyleItem {
  skcbStandardColors, skcbExtendedColors, skcbSystemColors, skcbIncludeNone, skcbIncludeDefault, skcbCustomColor,
  skcbPrettyNames
};
using TskColorBoxStyle = classlib::Set<TskColorBoxStyleItem>;

inline const TskColorBoxStyle DefaultColorBoxStyle{TskColorBoxStyleItem::skcbStandardColors,
                                                   TskColorBoxStyleItem::skcbExtendedColors,
                                                   TskColorBoxStyleItem::skcbSystemColors};
// What a colour box reports with nothing selected.
inline constexpr classlib::TColor NoColorSelected = static_cast<classlib::TColor>(0xFF000000u);
inline constexpr char CustomColorText[] = "Custom...";

// Item objects of the font and colour boxes hold numbers.
inline classlib::TObject* NumberObject(std::intptr_t Value) { return reinterpret_cast<classlib::TObject*>(Value); }
inline std::intptr_t ObjectNumber(classlib::TObject* Object) { return reinterpret_cast<std::intptr_t>(Object); }

// Whether a family reported by the enumeration passes every member of Options.
bool FontPasses(const LOGFONTW& Font, DWORD FontType, TskFontListOptions Options);
// Adds the families of Device that pass Options to Items, each once (names compared without
// regard to case), with its font type plus 0x100 for a character set other than the symbol set
// as its object. A printer that cannot be reached adds nothing.
void AddFontFamilies(classlib::TStrings& Items, TskFontDevice Device, TskFontListOptions Options);
// One letter T of the TrueType glyph, 7 x 9 pixels with a two-pixel stem, in Color.
void DrawTT(classlib::TCanvas& Canvas, int X, int Y, classlib::TColor Color);
// The glyph of a TrueType family (its shadow in grey, then the letter in black) at the item's
// left, vertically centred on the item.
void DrawTTGlyph(classlib::TCanvas& Canvas, int X, int ItemTop, int ItemHeight);

// "clMoneyGreen" as "Money Green".
classlib::String PrettyColorName(const classlib::String& Name);
// Fills Items with the named colours Style asks for, each with its colour as object; with
// skcbCustomColor "Custom..." comes first, carrying CustomColor.
void FillColorItems(classlib::TStrings& Items, TskColorBoxStyle Style, classlib::TColor CustomColor);
// Whether Style lists any colour at all.
bool ListsColors(TskColorBoxStyle Style);

}  // namespace skin
