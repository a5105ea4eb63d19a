// The skin engine's utilities: rectangles and points, Windows version and monitor queries,
// calendar helpers, building skin images of any size from skin pictures, masks and window
// regions, text and default glyphs, captures of what lies behind a control, translucency, and
// loading JPEG skin pictures.
//
// Classes in this file: TFBitmap.
//
// Sources: Skutils.cpp (geometry, system, calendar), SkutilsImages.cpp (skin image building),
// SkutilsRegions.cpp (masks and regions), SkutilsDraw.cpp (text, capture, glyphs, pictures).
#pragma once

#include "platform/classlib/Bitmap.h"
#include "platform/classlib/Canvas.h"
#include "platform/classlib/Controls.h"
#include "platform/classlib/JPEGImage.h"
#include "platform/classlib/Streams.h"
#include "platform/classlib/SysUtils.h"
#include "platform/classlib/Types.h"

#include <cstdint>
#include <vector>

namespace skin {

using classlib::String;
using classlib::TBitmap;
using classlib::TCanvas;
using classlib::TColor;
using classlib::TControl;
using classlib::TDateTime;
using classlib::TJPEGImage;
using classlib::TPoint;
using classlib::TRect;
using classlib::TStream;

// ---------------------------------------------------------------------------------------------
// Rectangles and points. No routine normalises a rectangle: widths and heights may be zero or
// negative. A rectangle is null when its width or height is not positive; a point is null when
// either coordinate is 0 (the skin's way of leaving an anchor out).

int RectWidth(const TRect& R);
int RectHeight(const TRect& R);
TRect NullRect();
bool IsNullRect(const TRect& R);
bool IsNullPoint(const TPoint& P);
bool EqRects(const TRect& R1, const TRect& R2);
bool EqPoints(const TPoint& P1, const TPoint& P2);
// All four edges count as inside.
bool PointInRect(const TRect& R, const TPoint& P);
// Both corners of R1 inside R2 by the system's rule: left and top edges inside, right and bottom
// edges outside.
bool RectInRect(const TRect& R1, const TRect& R2);
// Centres R in Bounds (halves truncated toward zero), in place; also returns it.
TRect RectToCenter(TRect& R, const TRect& Bounds);
int Max(int A, int B);
int Min(int A, int B);

// ---------------------------------------------------------------------------------------------
// Windows version and monitors

void GetWindowsVersion(int& Major, int& Minor);
// 5.1 (layered popups with drop shadows).
bool CheckWXP();
bool CheckWXP(int Major, int Minor);
// 5.0 to 5.2 (alpha-blended popups, hints and fades).
bool CheckW2KWXP();
bool CheckW2KWXP(int Major, int Minor);

// WorkArea: the desktop's work area of the primary monitor; otherwise the primary screen.
TRect GetPrimaryMonitorWorkArea(bool WorkArea);
// The work area (or whole area) of the monitor holding most of Wnd; the primary monitor's when
// there is one monitor, when the system lacks the multi-monitor calls, or when they fail.
TRect GetMonitorWorkArea(HWND Wnd, bool WorkArea);

// The multi-monitor calls GetMonitorWorkArea takes, found in user32 once; either may be null.
struct TMonitorApi {
  using TMonitorFromWindow = HMONITOR(WINAPI*)(HWND, DWORD);
  using TGetMonitorInfo = BOOL(WINAPI*)(HMONITOR, LPMONITORINFO);
  TMonitorFromWindow MonitorFromWindow = nullptr;
  TGetMonitorInfo GetMonitorInfo = nullptr;
};
// GetMonitorWorkArea over given calls and monitor count (tests hand in failing ones).
TRect GetMonitorWorkArea(HWND Wnd, bool WorkArea, const TMonitorApi& Api, int MonitorCount);

// ---------------------------------------------------------------------------------------------
// Calendar

WORD ExtractDay(TDateTime Date);
WORD ExtractMonth(TDateTime Date);
WORD ExtractYear(TDateTime Date);
bool IsLeapYear(int Year);
// Month 1 to 12; any other month has 0 days.
int DaysPerMonth(int Year, int Month);

// ---------------------------------------------------------------------------------------------
// Skin image building
//
// R is the element's rectangle in the skin picture SB; ClRect, the anchors LT, RT, LB, RB and
// the source rectangles are relative to R's top-left corner. The New... values are the same
// anchors and client rectangle placed in the W x H target B. Pieces are copied with
// TCanvas::CopyRect (scaled where sizes differ); repeatable middles are tiled as runs: from the
// span's start, one tile per step, the last one cut at the span's end. A step of zero or less
// draws no tiles, and so does a span shorter than its fixed parts.

// Nine pieces of SB scaled into B at B's own size.
void CreateStrechImage(TBitmap& B, TBitmap& SB, const TRect& R, const TRect& ClRect);
// Left cap LO wide, right cap RO wide, the middle tiled or stretched; B becomes W x RectHeight(R).
void CreateHSkinImage(int LO, int RO, TBitmap& B, TBitmap& SB, const TRect& R, int W, int H, bool Stretch);
// The left cap only; the middle runs to B's right edge.
void CreateHSkinImage2(int LO, int RO, TBitmap& B, TBitmap& SB, const TRect& R, int W, int H, bool Stretch);
// No caps; the middle covers the whole width.
void CreateHSkinImage3(int LO, int RO, TBitmap& B, TBitmap& SB, const TRect& R, int W, int H, bool Stretch);
// Top cap TO high, bottom cap BO high, the middle tiled or stretched; B becomes RectWidth(R) x H.
void CreateVSkinImage(int TO, int BO, TBitmap& B, TBitmap& SB, const TRect& R, int W, int H, bool Stretch);
// The client piece tiled from B's origin over NewClRect's size; B becomes W x H.
void CreateSkinBG(const TRect& ClRect, const TRect& NewClRect, TBitmap& B, TBitmap& SB, const TRect& R, int W,
                  int H);
// The nine-part image; B becomes W x H. Without DrawClient the client area keeps B's content.
void CreateSkinImage(const TPoint& LT, const TPoint& RT, const TPoint& LB, const TPoint& RB, const TRect& ClRect,
                     const TPoint& NewLT, const TPoint& NewRT, const TPoint& NewLB, const TPoint& NewRB,
                     const TRect& NewClRect, TBitmap& B, TBitmap& SB, const TRect& R, int W, int H,
                     bool DrawClient);
// As CreateSkinImage, each edge tiled or stretched by its flag.
void CreateSkinImageBS(const TPoint& LT, const TPoint& RT, const TPoint& LB, const TPoint& RB, const TRect& ClRect,
                       const TPoint& NewLT, const TPoint& NewRT, const TPoint& NewLB, const TPoint& NewRB,
                       const TRect& NewClRect, TBitmap& B, TBitmap& SB, const TRect& R, int W, int H,
                       bool DrawClient, bool LeftStretch, bool TopStretch, bool RightStretch, bool BottomStretch);
// The nine-part image of an element without a right edge.
void CreateSkinImage2(const TPoint& LT, const TPoint& RT, const TPoint& LB, const TPoint& RB, const TRect& ClRect,
                      const TPoint& NewLT, const TPoint& NewRT, const TPoint& NewLB, const TPoint& NewRB,
                      const TRect& NewClRect, TBitmap& B, TBitmap& SB, const TRect& R, int W, int H,
                      bool DrawClient);
// The four frame bands of a W x H frame as separate bitmaps; a band the geometry does not give is
// left untouched.
void CreateSkinBorderImages(const TPoint& LT, const TPoint& RT, const TPoint& LB, const TPoint& RB,
                            const TRect& ClRect, const TPoint& NewLT, const TPoint& NewRT, const TPoint& NewLB,
                            const TPoint& NewRB, const TRect& NewClRect, TBitmap& LeftB, TBitmap& TopB,
                            TBitmap& RightB, TBitmap& BottomB, TBitmap& SB, const TRect& R, int W, int H,
                            bool LeftStretch, bool TopStretch, bool RightStretch, bool BottomStretch);
// Its top and bottom bands alone.
void CreateSkinHBorderImages(const TPoint& LT, const TPoint& RT, const TPoint& LB, const TPoint& RB,
                             const TPoint& NewLT, const TPoint& NewRT, const TPoint& NewLB, const TPoint& NewRB,
                             const TRect& NewClRect, TBitmap& TopB, TBitmap& BottomB, TBitmap& SB, const TRect& R,
                             int W, int H, bool TopStretch, bool BottomStretch);
// Its left and right bands alone, filling what top and bottom bands of the given heights leave.
void CreateSkinVBorderImages(const TPoint& LT, const TPoint& RT, const TPoint& LB, const TPoint& RB,
                             const TRect& ClRect, const TRect& NewClRect, TBitmap& LeftB, TBitmap& RightB,
                             TBitmap& SB, const TRect& R, int W, int H, int TopHeight, int BottomHeight,
                             bool LeftStretch, bool RightStretch);
// Frame GlyphIndex (from 1) of a strip of NumGlyphs frames, drawn at X, Y with the frame's
// bottom-left colour left out. Nothing for an empty strip, or an index or count out of range.
void DrawGlyph(TCanvas& Canvas, int X, int Y, TBitmap& Glyph, int NumGlyphs, int GlyphIndex);

// ---------------------------------------------------------------------------------------------
// Masks and window regions. Black (all three bytes 0) is inside; every other colour is cut away.

// A 24-bit top-down copy of a bitmap, read through a table of row addresses.
class TFBitmap {
public:
  // Copies Handle's picture; a handle that is not a bitmap gives an empty copy.
  explicit TFBitmap(HBITMAP Handle);
  ~TFBitmap();
  TFBitmap(const TFBitmap&) = delete;
  TFBitmap& operator=(const TFBitmap&) = delete;

  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  // Blue, green, red bytes of row Row (0 = top).
  const std::uint8_t* ScanLine(int Row) const { return FRows[static_cast<std::size_t>(Row)]; }
  std::uint8_t* ScanLine(int Row) { return FRows[static_cast<std::size_t>(Row)]; }
  int RowSize() const { return FRowSize; }
  int TotalSize() const { return FTotalSize; }
  HDC DC() const { return FDC; }

private:
  void Initialize();

  std::uint8_t* FBits = nullptr;       // owned by the section
  std::vector<std::uint8_t*> FRows;
  int FRowPadding = 0;
  int FRowSize = 0;
  int FTotalSize = 0;
  int FWidth = 0;
  int FHeight = 0;
  HBITMAP FSection = nullptr;
  HDC FDC = nullptr;
  HGDIOBJ FOldBitmap = nullptr;
  BITMAPINFO FBitmapInfo{};
  BITMAPINFOHEADER FBitmapHeader{};
};

// An RGNDATA block: the 32-byte header, then one 16-byte rectangle per run.
using TRegionData = std::vector<std::uint8_t>;

// Fills RgnData with one rectangle per horizontal run of black pixels of each row of Mask, shifted
// by DX, DY, and returns its size in bytes: 32 + 16 * runs. An empty mask returns 0 and leaves
// RgnData alone.
int CreateRgnFromBmp(TBitmap& Mask, int DX, int DY, TRegionData& RgnData);
// The region of a block from CreateRgnFromBmp (an empty region when it holds no rectangle), built
// by uniting halves pairwise; 0 for a block too short to hold a header.
HRGN RegionFromData(const TRegionData& RgnData);
// Rgn becomes the region of Mask's black pixels; 0 for an empty mask.
void CreateSkinSimplyRegion(HRGN& Rgn, TBitmap& Mask);
// The four frame bands of Mask for a W x H target (H is not needed).
void CreateSkinMask(const TPoint& LT, const TPoint& RT, const TPoint& LB, const TPoint& RB, const TRect& ClRect,
                    const TPoint& NewLT, const TPoint& NewRT, const TPoint& NewLB, const TPoint& NewRB,
                    const TRect& NewClRect, TBitmap& Mask, TBitmap& TopB, TBitmap& LeftB, TBitmap& RightB,
                    TBitmap& BottomB, int W, int H);
// Rgn becomes the region of a W x H window shaped by Mask: the client rectangle and the bands
// that exist. 0 for inverted new anchors, or when there is neither band nor client rectangle.
void CreateSkinRegion(HRGN& Rgn, const TPoint& LT, const TPoint& RT, const TPoint& LB, const TPoint& RB,
                      const TRect& ClRect, const TPoint& NewLT, const TPoint& NewRT, const TPoint& NewLB,
                      const TPoint& NewRB, const TRect& NewClRect, TBitmap& Mask, int W, int H);

// ---------------------------------------------------------------------------------------------
// Text

// One line, vertically centred, left-aligned, clipped to R.
void SKDrawText(TCanvas& Canvas, const String& S, const TRect& R);
// At R.Left + 2, vertically centred, clipped to R.
void SKDrawText2(TCanvas& Canvas, const String& S, const TRect& R);
// As SKDrawText2, Offset further right.
void SKDrawText3(TCanvas& Canvas, const String& S, const TRect& R, int Offset);
// Shortens S, a character at a time, and ends it with "..." until it fits Width.
void CorrectTextbyWidth(TCanvas& Canvas, String& S, int Width);

// ---------------------------------------------------------------------------------------------
// Capture

// Paints on Canvas (the size of Control) what Control's parent and the controls under it show in
// Control's place.
void GetParentImage(TControl* Control, TCanvas& Canvas);
// The same through the parent's own painting in the paint-copy state, with only windowless
// siblings on top.
void GetParentImage2(TControl* Control, TCanvas& Canvas);
// The screen area at X, Y of Bitmap's size.
void GetScreenImage(int X, int Y, TBitmap& Bitmap);

// ---------------------------------------------------------------------------------------------
// Default glyphs, drawn in Color with the canvas's pen (whose colour they change)

// Code 1 left, 2 right, 3 up, 4 down; any other draws nothing.
void DrawArrowImage(TCanvas& Canvas, const TRect& R, TColor Color, int Code);
void DrawTrackArrowImage(TCanvas& Canvas, const TRect& R, TColor Color);
void DrawRadioImage(TCanvas& Canvas, int X, int Y, TColor Color);
void DrawCheckImage(TCanvas& Canvas, int X, int Y, TColor Color);
void DrawCloseImage(TCanvas& Canvas, int X, int Y, TColor Color);
void DrawRCloseImage(TCanvas& Canvas, const TRect& R, TColor Color);
void DrawSysMenuImage(TCanvas& Canvas, int X, int Y, TColor Color);
void DrawMinimizeImage(TCanvas& Canvas, int X, int Y, TColor Color);
void DrawMaximizeImage(TCanvas& Canvas, int X, int Y, TColor Color);
void DrawRestoreImage(TCanvas& Canvas, int X, int Y, TColor Color);
void DrawRollUpImage(TCanvas& Canvas, int X, int Y, TColor Color);
void DrawRestoreRollUpImage(TCanvas& Canvas, int X, int Y, TColor Color);
void DrawMTImage(TCanvas& Canvas, int X, int Y, TColor Color);
// Left and top sides in TopColor, right and bottom in BottomColor, one pixel wide.
void Frm3D(TCanvas& Canvas, const TRect& R, TColor TopColor, TColor BottomColor);

// ---------------------------------------------------------------------------------------------
// Windows and pictures

// The constant opacity of a layered window (making it layered is the caller's work); nothing on
// systems without layered windows.
void SetAlphaBlendTransparent(HWND Wnd, std::uint8_t Value);
// Whether the name holds ".jpg" or ".jpeg" anywhere (with case).
bool IsJpegFile(const String& FileName);
// Bitmap becomes the picture's size and shows it.
void LoadFromJPegImage(TBitmap& Bitmap, TJPEGImage& Image);
// Decoding errors raise EInvalidGraphic and leave Bitmap as it was.
void LoadFromJpegStream(TBitmap& Bitmap, TStream& Stream);
void LoadFromJpegFile(TBitmap& Bitmap, const String& FileName);

}  // namespace skin
