#include "skin/boxes/SkinFontColorItems.h"

#include "platform/classlib/ColorNames.h"
#include "platform/classlib/WideText.h"

#include <algorithm>
#include <memory>

namespace skin {

using namespace classlib;

namespace {

struct TEnumTarget {
  TStrings* Items;
  TskFontListOptions Options;
};

int CALLBACK EnumFamily(const LOGFONTW* Font, const TEXTMETRICW*, DWORD FontType, LPARAM Data) {
  auto& target = *reinterpret_cast<TEnumTarget*>(Data);
  const String name = FromWide(Font->lfFaceName);
  if (target.Items->IndexOf(name) == -1 && FontPasses(*Font, FontType, target.Options))
    target.Items->AddObject(name, NumberObject(FontType + (Font->lfCharSet != SYMBOL_CHARSET ? 0x100 : 0)));
  return 1;
}

void EnumFamilies(HDC DC, TEnumTarget& Target) {
  EnumFontFamiliesW(DC, nullptr, EnumFamily, reinterpret_cast<LPARAM>(&Target));
}

struct TDCDeleter {
  void operator()(HDC DC) const { DeleteDC(DC); }
};

// The default printer's device context, from the "device" entry ("name,driver,port") that the
// system keeps for older programs; none without a printer.
std::unique_ptr<std::remove_pointer_t<HDC>, TDCDeleter> PrinterDC() {
  WCHAR device[512] = {};
  if (GetProfileStringW(L"windows", L"device", L"", device, 512) == 0) return nullptr;
  WCHAR* comma = device;
  while (*comma && *comma != L',') ++comma;
  if (!*comma) return nullptr;
  *comma = 0;
  WCHAR* driver = comma + 1;
  WCHAR* end = driver;
  while (*end && *end != L',') ++end;
  *end = 0;
  return std::unique_ptr<std::remove_pointer_t<HDC>, TDCDeleter>(CreateDCW(driver, device, nullptr, nullptr));
}

}  // namespace

bool FontPasses(const LOGFONTW& Font, DWORD FontType, TskFontListOptions Options) {
  using O = TskFontListOption;
  if (Options.Contains(O::foAnsiOnly) && Font.lfCharSet != ANSI_CHARSET) return false;
  if (Options.Contains(O::foTrueTypeOnly) && !(FontType & TRUETYPE_FONTTYPE)) return false;
  if (Options.Contains(O::foFixedPitchOnly) && !(Font.lfPitchAndFamily & FIXED_PITCH)) return false;
  if (Options.Contains(O::foOEMFontsOnly) && Font.lfCharSet != OEM_CHARSET) return false;
  if (Options.Contains(O::foNoOEMFonts) && Font.lfCharSet == OEM_CHARSET) return false;
  if (Options.Contains(O::foNoSymbolFonts) && Font.lfCharSet == SYMBOL_CHARSET) return false;
  if (Options.Contains(O::foScalableOnly) && (FontType & RASTER_FONTTYPE)) return false;
  return true;
}

void AddFontFamilies(TStrings& Items, TskFontDevice Device, TskFontListOptions Options) {
  TEnumTarget target{&Items, Options};
  if (Device != TskFontDevice::fdPrinter) {
    HDC screen = GetDC(nullptr);
    EnumFamilies(screen, target);
    ReleaseDC(nullptr, screen);
  }
  if (Device != TskFontDevice::fdScreen)
    if (const auto printer = PrinterDC()) EnumFamilies(printer.get(), target);
}

void DrawTT(TCanvas& Canvas, int X, int Y, TColor Color) {
  Canvas.Pen()->SetColor(Color);
  Canvas.MoveTo(X, Y);
  Canvas.LineTo(X + 7, Y);
  Canvas.LineTo(X + 7, Y + 3);
  Canvas.MoveTo(X, Y);
  Canvas.LineTo(X, Y + 3);
  Canvas.MoveTo(X + 1, Y);
  Canvas.LineTo(X + 1, Y + 1);
  Canvas.MoveTo(X + 6, Y);
  Canvas.LineTo(X + 6, Y + 1);
  Canvas.MoveTo(X + 3, Y);
  Canvas.LineTo(X + 3, Y + 8);
  Canvas.MoveTo(X + 4, Y);
  Canvas.LineTo(X + 4, Y + 8);
  Canvas.MoveTo(X + 2, Y + 8);
  Canvas.LineTo(X + 6, Y + 8);
}

void DrawTTGlyph(TCanvas& Canvas, int X, int ItemTop, int ItemHeight) {
  const int y = ItemTop + ItemHeight / 2 - 7;
  DrawTT(Canvas, X, y, clGray);
  DrawTT(Canvas, X + 4, y + 4, clBlack);
}

String PrettyColorName(const String& Name) {
  const size_t start = Name.compare(0, 2, "cl") == 0 ? 2 : 0;
  String result;
  for (size_t i = start; i < Name.size(); ++i) {
    if (Name[i] >= 'A' && Name[i] <= 'Z' && !result.empty()) result += ' ';
    result += Name[i];
  }
  return result;
}

bool ListsColors(TskColorBoxStyle Style) {
  using S = TskColorBoxStyleItem;
  return Style.Contains(S::skcbStandardColors) || Style.Contains(S::skcbExtendedColors) ||
         Style.Contains(S::skcbSystemColors) || Style.Contains(S::skcbCustomColor);
}

void FillColorItems(TStrings& Items, TskColorBoxStyle Style, TColor CustomColor) {
  using S = TskColorBoxStyleItem;
  Items.Clear();
  GetColorValues([&](const String& Name) {
    Items.AddObject(Style.Contains(S::skcbPrettyNames) ? PrettyColorName(Name) : Name, NumberObject(StringToColor(Name)));
  });
  auto removeColor = [&](TColor Color) {
    const int i = Items.IndexOfObject(NumberObject(Color));
    if (i != -1) Items.Delete(i);
  };
  auto removeFrom = [&](int First, int Last) {
    for (int i = std::min(Last, Items.Count() - 1); i >= First; --i) Items.Delete(i);
  };
  if (!Style.Contains(S::skcbIncludeNone)) removeColor(clNone);
  if (!Style.Contains(S::skcbIncludeDefault)) removeColor(clDefault);
  if (!Style.Contains(S::skcbSystemColors)) removeFrom(20, Items.Count() - 1);
  if (!Style.Contains(S::skcbExtendedColors)) removeFrom(16, 19);
  if (!Style.Contains(S::skcbStandardColors)) removeFrom(0, 15);
  if (Style.Contains(S::skcbCustomColor)) Items.InsertObject(0, CustomColorText, NumberObject(CustomColor));
}

}  // namespace skin
