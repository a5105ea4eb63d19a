#include "tests/support/testing.h"

#include "platform/classlib/Bitmap.h"
#include "platform/classlib/Metafile.h"
#include "platform/classlib/Picture.h"
#include "platform/classlib/Streams.h"

#include <algorithm>
#include <cstring>
#include <vector>

using namespace classlib;

namespace {

// A filled black rectangle over the whole picture, drawn into an enhanced or a Windows metafile.
std::vector<std::uint8_t> EmfData() {
  const HDC dc = CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr);
  SelectObject(dc, GetStockObject(BLACK_BRUSH));
  Rectangle(dc, 0, 0, 60, 30);
  const HENHMETAFILE emf = CloseEnhMetaFile(dc);
  std::vector<std::uint8_t> data(GetEnhMetaFileBits(emf, 0, nullptr));
  GetEnhMetaFileBits(emf, static_cast<UINT>(data.size()), data.data());
  DeleteEnhMetaFile(emf);
  return data;
}

std::vector<std::uint8_t> PlaceableWmfData(short Width, short Height, WORD Inch) {
  const HDC dc = CreateMetaFileW(nullptr);
  SetWindowExtEx(dc, Width, Height, nullptr);
  SelectObject(dc, GetStockObject(BLACK_BRUSH));
  Rectangle(dc, 0, 0, Width, Height);
  const HMETAFILE wmf = CloseMetaFile(dc);
  std::vector<std::uint8_t> body(GetMetaFileBitsEx(wmf, 0, nullptr));
  GetMetaFileBitsEx(wmf, static_cast<UINT>(body.size()), body.data());
  DeleteMetaFile(wmf);
  WORD header[11] = {0xCDD7, 0x9AC6, 0, 0, 0, static_cast<WORD>(Width), static_cast<WORD>(Height), Inch, 0, 0, 0};
  for (int i = 0; i < 10; ++i) header[10] ^= header[i];
  std::vector<std::uint8_t> data(sizeof header + body.size());
  std::memcpy(data.data(), header, sizeof header);
  std::copy(body.begin(), body.end(), data.begin() + sizeof header);
  return data;
}

void Load(TMetafile& Metafile, const std::vector<std::uint8_t>& Data) {
  TMemoryStream stream;
  if (!Data.empty()) stream.WriteBuffer(Data.data(), static_cast<int>(Data.size()));
  stream.SetPosition(0);
  Metafile.LoadFromStream(stream);
}

TEST(Metafile, LoadsEmfAndPlaceableWmf) {
  TMetafile emf;
  Load(emf, EmfData());
  EXPECT_FALSE(emf.Empty());
  EXPECT_GT(emf.Width(), 0);
  EXPECT_GT(emf.Height(), 0);

  TMetafile wmf;
  Load(wmf, PlaceableWmfData(100, 50, 96));
  ASSERT_FALSE(wmf.Empty());
  const int dpi = [] {
    const HDC screen = GetDC(nullptr);
    const int value = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return value;
  }();
  EXPECT_EQ(wmf.Width(), MulDiv(100, dpi, 96));
  EXPECT_EQ(wmf.Height(), MulDiv(50, dpi, 96));

  // Drawn scaled into the rectangle it is given.
  TBitmap target;
  target.SetPixelFormat(TPixelFormat::pf32bit);
  target.SetSize(40, 20);
  target.Canvas()->StretchDraw(Rect(0, 0, 40, 20), &wmf);
  EXPECT_EQ(target.Canvas()->Pixels(20, 10), clBlack);

  // Saved as EMF, it reads back.
  TMemoryStream saved;
  wmf.SaveToStream(saved);
  saved.SetPosition(0);
  TMetafile again;
  again.LoadFromStream(saved);
  EXPECT_FALSE(again.Empty());
  auto copy = wmf.Clone();
  EXPECT_EQ(copy->Width(), wmf.Width());
}

TEST(Metafile, BadDataRaisesAndKeepsThePicture) {
  TMetafile metafile;
  Load(metafile, EmfData());
  const int width = metafile.Width();
  std::vector<std::uint8_t> truncatedEmf = EmfData();
  truncatedEmf.resize(60);
  std::vector<std::uint8_t> zeroInch = PlaceableWmfData(100, 50, 96);
  zeroInch[14] = zeroInch[15] = 0;
  const std::vector<std::vector<std::uint8_t>> cases = {
      {}, {1, 2, 3}, std::vector<std::uint8_t>(200, 0x41), truncatedEmf, zeroInch};
  for (const auto& data : cases) {
    try {
      Load(metafile, data);
      ADD_FAILURE() << "accepted " << data.size() << " bytes";
    } catch (const EInvalidGraphic& e) {
      EXPECT_STREQ(e.what(), "Metafile is not valid");
    }
    EXPECT_FALSE(metafile.Empty());
    EXPECT_EQ(metafile.Width(), width);
  }
}

TEST(Metafile, APictureLoadsBothKindsByExtension) {
  testing_support::TempDir dir;
  const auto write = [&](const char* Name, const std::vector<std::uint8_t>& Data) {
    testing_support::WriteUnixFile(dir.unixFile(Name), std::string(Data.begin(), Data.end()));
    return String(dir.windowsFile(Name));
  };
  TPicture picture;
  for (const String& file : {write("a.emf", EmfData()), write("b.WMF", PlaceableWmfData(100, 50, 96))}) {
    picture.LoadFromFile(file);
    EXPECT_NE(dynamic_cast<TMetafile*>(picture.Graphic()), nullptr) << file;
    EXPECT_GT(picture.Width(), 0) << file;
  }
}

}  // namespace
