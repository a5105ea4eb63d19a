#include "platform/tvcard/FramePainter.h"

#include "platform/tvcard/Device.h"
#include "platform/tvcard/TvCardStrip.h"

#include <cstring>

namespace tvcard {

namespace {

constexpr int kFrameBytes = kFrameWidth * kFrameHeight * 4;
constexpr int kSquare = 32;         // the moving element's side
constexpr int kSquareTop = kStripHeight + 8;
constexpr int kSquareStep = 8;      // pixels per frame

HFONT MakeFont(int Height) {
  return CreateFontW(-Height, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                     CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH | FF_SWISS, L"Arial");
}

COLORREF SourceColour(LONG Source) {
  for (const TInputColour& input : kInputColours)
    if (input.Type == Source) return input.Colour;
  return RGB(0, 0, 0);
}

}  // namespace

TFramePainter::TFramePainter() {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = kFrameWidth;
  info.bmiHeader.biHeight = kFrameHeight;  // bottom-up, the layout of the frames
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  FDC = CreateCompatibleDC(nullptr);
  void* bits = nullptr;
  FBitmap = CreateDIBSection(FDC, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  FPixels = static_cast<BYTE*>(bits);
  if (FBitmap) FOldBitmap = SelectObject(FDC, FBitmap);
  FDigits = MakeFont(300);
  FLabel = MakeFont(56);
}

TFramePainter::~TFramePainter() {
  if (FOldBitmap) SelectObject(FDC, FOldBitmap);
  if (FBitmap) DeleteObject(FBitmap);
  if (FDC) DeleteDC(FDC);
  if (FDigits) DeleteObject(FDigits);
  if (FLabel) DeleteObject(FLabel);
}

void TFramePainter::Paint(BYTE* Frame, LONGLONG Index) {
  const LONG channel = TDevice::Card().Tuning().Channel;
  const LONG source = TDevice::Card().VideoSource();
  if (!FPixels) {
    std::memset(Frame, 0, kFrameBytes);
    return;
  }
  if (!FDrawn || channel != FChannel || source != FSource) Redraw(channel, source);
  std::memcpy(Frame, FPixels, kFrameBytes);
  // The moving square shows that the picture is live; rows are stored bottom row first.
  const int left = static_cast<int>((Index * kSquareStep) % (kFrameWidth - kSquare));
  for (int y = kSquareTop; y < kSquareTop + kSquare; ++y) {
    auto* row = reinterpret_cast<DWORD*>(Frame) + (kFrameHeight - 1 - y) * kFrameWidth;
    for (int x = left; x < left + kSquare; ++x) row[x] = 0x00FFFF00;  // yellow
  }
}

void TFramePainter::Redraw(LONG Channel, LONG Source) {
  DrawPicture(Channel, Source);
  DrawStrip(Channel, Source);
  GdiFlush();
  FDrawn = true;
  FChannel = Channel;
  FSource = Source;
}

void TFramePainter::Fill(int Left, int Top, int Right, int Bottom, COLORREF Colour) {
  const RECT area{Left, Top, Right, Bottom};
  HBRUSH brush = CreateSolidBrush(Colour);
  FillRect(FDC, &area, brush);
  DeleteObject(brush);
}

void TFramePainter::DrawPicture(LONG Channel, LONG Source) {
  SetBkMode(FDC, TRANSPARENT);
  if (Source == kVideoComposite) {
    // Colour bars.
    static constexpr COLORREF kBars[] = {RGB(192, 192, 192), RGB(192, 192, 0), RGB(0, 192, 192), RGB(0, 192, 0),
                                         RGB(192, 0, 192),   RGB(192, 0, 0),   RGB(0, 0, 192)};
    constexpr int count = sizeof kBars / sizeof kBars[0];
    for (int bar = 0; bar < count; ++bar)
      Fill(bar * kFrameWidth / count, kStripHeight, (bar + 1) * kFrameWidth / count, kFrameHeight, kBars[bar]);
    DrawLabel(L"COMPOSITE");
  } else if (Source == kSVideo) {
    // A grey checkerboard.
    constexpr int side = 40;
    for (int y = kStripHeight; y < kFrameHeight; y += side)
      for (int x = 0; x < kFrameWidth; x += side)
        Fill(x, y, x + side, y + side, ((x + y) / side) % 2 ? RGB(64, 64, 64) : RGB(160, 160, 160));
    DrawLabel(L"S-VIDEO");
  } else {
    Fill(0, kStripHeight, kFrameWidth, kFrameHeight, RGB(16, 32, 96));
    WCHAR digits[16];
    wsprintfW(digits, L"%d", static_cast<int>(Channel));
    RECT area{0, kStripHeight, kFrameWidth, kFrameHeight};
    const HGDIOBJ old = SelectObject(FDC, FDigits);
    SetTextColor(FDC, RGB(255, 255, 255));
    DrawTextW(FDC, digits, -1, &area, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(FDC, old);
  }
}

void TFramePainter::DrawLabel(const WCHAR* Text) {
  RECT area{120, 300, kFrameWidth - 120, 380};
  Fill(area.left, area.top, area.right, area.bottom, RGB(0, 0, 0));
  const HGDIOBJ old = SelectObject(FDC, FLabel);
  SetTextColor(FDC, RGB(255, 255, 255));
  DrawTextW(FDC, Text, -1, &area, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  SelectObject(FDC, old);
}

void TFramePainter::DrawStrip(LONG Channel, LONG Source) {
  const auto bits = static_cast<unsigned short>(static_cast<short>(Channel));
  for (int bit = 0; bit < kStripBits; ++bit) {
    const bool one = (bits >> (kStripBits - 1 - bit)) & 1;
    Fill(bit * kStripBitWidth, 0, (bit + 1) * kStripBitWidth, kStripHeight, one ? RGB(255, 255, 255) : RGB(0, 0, 0));
  }
  Fill(kStripBits * kStripBitWidth, 0, kFrameWidth, kStripHeight, SourceColour(Source));
}

}  // namespace tvcard
