#include "tests/support/testing.h"

#include "skin/data/Skutils.h"
#include "tests/skin/data/SkutilsTesting.h"

#include <cstring>
#include <functional>
#include <vector>

using namespace classlib;
using namespace skin;

namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);

struct TParsedData {
  RGNDATAHEADER Header;
  std::vector<TRect> Rects;
};

TParsedData Parse(const TRegionData& Data) {
  TParsedData parsed{};
  std::memcpy(&parsed.Header, Data.data(), sizeof parsed.Header);
  parsed.Rects.resize(parsed.Header.nCount);
  std::memcpy(parsed.Rects.data(), Data.data() + 32, parsed.Rects.size() * sizeof(TRect));
  return parsed;
}

bool SameRect(const TRect& A, const TRect& B) { return EqRects(A, B); }

// Checks every pixel of a Width x Height area: inside the region exactly where Inside says.
void ExpectRegion(HRGN Rgn, int Width, int Height, const std::function<bool(int, int)>& Inside, const char* What) {
  ASSERT_NE(Rgn, nullptr) << What;
  int wrong = 0;
  for (int y = -1; y <= Height; ++y)
    for (int x = -1; x <= Width; ++x)
      if ((PtInRegion(Rgn, x, y) != FALSE) != Inside(x, y) && ++wrong <= 5)
        ADD_FAILURE() << What << ": pixel " << x << "," << y;
}

TEST(SkinRegions, RegionDataHasOneRectanglePerBlackRunOfARow) {
  TBitmap mask;
  skintesting::MakePicture(mask, 3, 2, [](int x, int y) { return y == 0 && x == 1 ? kWhite : kBlack; });
  const struct {
    int dx, dy;
  } offsets[] = {{0, 0}, {10, 5}};
  for (const auto& offset : offsets) {
    TRegionData data;
    ASSERT_EQ(CreateRgnFromBmp(mask, offset.dx, offset.dy, data), 80);
    ASSERT_EQ(data.size(), 80u);
    const TParsedData parsed = Parse(data);
    EXPECT_EQ(parsed.Header.dwSize, 32u);
    EXPECT_EQ(parsed.Header.iType, static_cast<DWORD>(RDH_RECTANGLES));
    EXPECT_EQ(parsed.Header.nRgnSize, 0u);
    const int dx = offset.dx, dy = offset.dy;
    EXPECT_TRUE(SameRect(parsed.Header.rcBound, TRect{dx, dy, 3 + dx, 2 + dy}));
    ASSERT_EQ(parsed.Rects.size(), 3u);
    EXPECT_TRUE(SameRect(parsed.Rects[0], TRect{dx, dy, 1 + dx, 1 + dy}));
    EXPECT_TRUE(SameRect(parsed.Rects[1], TRect{2 + dx, dy, 3 + dx, 1 + dy}));
    EXPECT_TRUE(SameRect(parsed.Rects[2], TRect{dx, 1 + dy, 3 + dx, 2 + dy}));
  }
}

TEST(SkinRegions, NearlyBlackIsOutsideAndEmptyMasksGiveNoRegion) {
  TBitmap mask;
  skintesting::MakePicture(mask, 4, 1, [](int x, int) { return x == 2 ? RGB(1, 0, 0) : x == 3 ? RGB(0, 0, 1) : kBlack; });
  TRegionData data;
  ASSERT_EQ(CreateRgnFromBmp(mask, 0, 0, data), 48);
  EXPECT_TRUE(SameRect(Parse(data).Rects[0], TRect{0, 0, 2, 1}));

  TBitmap empty;
  TRegionData untouched{1, 2, 3};
  EXPECT_EQ(CreateRgnFromBmp(empty, 0, 0, untouched), 0);
  EXPECT_EQ(untouched.size(), 3u);
  HRGN rgn = reinterpret_cast<HRGN>(1);
  CreateSkinSimplyRegion(rgn, empty);
  EXPECT_EQ(rgn, nullptr);

  // No black pixel: an empty region, which hides the whole window.
  TBitmap white;
  skintesting::Fill(white, 5, 5, kWhite);
  CreateSkinSimplyRegion(rgn, white);
  ASSERT_NE(rgn, nullptr);
  TRect box;
  EXPECT_EQ(GetRgnBox(rgn, &box), NULLREGION);
  DeleteObject(rgn);
}

TEST(SkinRegions, CheckerboardWithMoreRunsThanTheOldBufferHeld) {
  TBitmap mask;
  auto black = [](int x, int y) { return x >= 0 && y >= 0 && x < 200 && y < 101 && (x + y) % 2 == 0; };
  skintesting::MakePicture(mask, 200, 101, [&](int x, int y) { return black(x, y) ? kBlack : kWhite; });
  TRegionData data;
  ASSERT_EQ(CreateRgnFromBmp(mask, 0, 0, data), 32 + 16 * 10100);
  EXPECT_EQ(Parse(data).Header.nCount, 10100u);
  HRGN rgn = nullptr;
  CreateSkinSimplyRegion(rgn, mask);
  ExpectRegion(rgn, 200, 101, black, "checkerboard");
  DeleteObject(rgn);
}

TEST(SkinRegions, RoundedMaskAndItsRegionDataAgree) {
  TBitmap mask;
  // A frame with rounded corners and a hole: rows alike in the middle, different near the corners.
  auto black = [](int x, int y) {
    if (x < 0 || y < 0 || x >= 90 || y >= 70) return false;
    const int cx = x < 12 ? 12 - x : x > 77 ? x - 77 : 0, cy = y < 12 ? 12 - y : y > 57 ? y - 57 : 0;
    if (cx * cx + cy * cy > 144) return false;
    return !(x >= 20 && x < 70 && y >= 20 && y < 50);
  };
  skintesting::MakePicture(mask, 90, 70, [&](int x, int y) { return black(x, y) ? kBlack : kWhite; });
  HRGN rgn = nullptr;
  CreateSkinSimplyRegion(rgn, mask);
  ExpectRegion(rgn, 90, 70, black, "rounded frame");
  DeleteObject(rgn);
  TRegionData data;
  CreateRgnFromBmp(mask, 7, 3, data);
  rgn = RegionFromData(data);
  ExpectRegion(rgn, 100, 80, [&](int x, int y) { return black(x - 7, y - 3); }, "shifted");
  DeleteObject(rgn);
}

// A 20 x 16 frame mask: client (4, 3)-(16, 12); the bands black but for a notch in each corner
// and a white dot in each band, so that the pieces show where they went. (The side bands' runs
// start at the band's top, not at the anchor, so only their fixed ends come back exactly.)
class SkinRegionMask : public ::testing::Test {
protected:
  void SetUp() override {
    skintesting::MakePicture(FMask, 20, 16, [](int x, int y) { return MaskBlack(x, y) ? kBlack : kWhite; });
  }
  static bool MaskBlack(int x, int y) {
    if ((x == 0 || x == 19) && (y == 0 || y == 15)) return false;  // notched corners
    if ((x == 10 && y == 1) || (x == 10 && y == 14) || (x == 1 && y == 4) || (x == 18 && y == 4)) return false;
    return !(x >= 4 && x < 16 && y >= 3 && y < 12);  // the client itself is white in the mask
  }
  void Build(HRGN& Rgn, const TRect& NewCl, const TRect& Cl = TRect{4, 3, 16, 12}) {
    CreateSkinRegion(Rgn, FLT, FRT, FLB, FRB, Cl, FLT, FRT, FLB, FRB, NewCl, FMask, 20, 16);
  }
  TBitmap FMask;
  TPoint FLT{6, 5}, FRT{14, 5}, FLB{6, 10}, FRB{14, 10};
};

TEST_F(SkinRegionMask, AtItsOwnSizeTheRegionIsTheMaskPlusTheClient) {
  HRGN rgn = nullptr;
  Build(rgn, TRect{4, 3, 16, 12});
  ExpectRegion(rgn, 20, 16, [](int x, int y) {
    if (x < 0 || y < 0 || x >= 20 || y >= 16) return false;
    return MaskBlack(x, y) || (x >= 4 && x < 16 && y >= 3 && y < 12);
  }, "own size");
  DeleteObject(rgn);
}

TEST_F(SkinRegionMask, InvertedAnchorsGiveNoRegion) {
  HRGN rgn = reinterpret_cast<HRGN>(1);
  CreateSkinRegion(rgn, FLT, FRT, FLB, FRB, TRect{4, 3, 16, 12}, FLT, TPoint{FLT.x - 1, 5}, FLB, FRB,
                   TRect{4, 3, 16, 12}, FMask, 20, 16);
  EXPECT_EQ(rgn, nullptr);
  rgn = reinterpret_cast<HRGN>(1);
  CreateSkinRegion(rgn, FLT, FRT, FLB, FRB, TRect{4, 3, 16, 12}, FLT, FRT, TPoint{6, 4}, FRB, TRect{4, 3, 16, 12},
                   FMask, 20, 16);
  EXPECT_EQ(rgn, nullptr);
}

TEST_F(SkinRegionMask, EveryBandThatExistsJoinsTheRegion) {
  auto inMask = [](int x, int y) { return x >= 0 && y >= 0 && x < 20 && y < 16 && MaskBlack(x, y); };
  // A null client rectangle still gives the window its frame.
  HRGN rgn = nullptr;
  Build(rgn, TRect{4, 3, 4, 12});
  ASSERT_NE(rgn, nullptr);
  EXPECT_TRUE(PtInRegion(rgn, 1, 1));    // top band
  EXPECT_TRUE(PtInRegion(rgn, 1, 14));   // bottom band
  EXPECT_FALSE(PtInRegion(rgn, 0, 0));   // a notch
  EXPECT_FALSE(PtInRegion(rgn, 8, 8));   // no client
  DeleteObject(rgn);

  // No top band (client from the top edge): the bottom and the sides stay.
  rgn = nullptr;
  Build(rgn, TRect{4, 0, 16, 12}, TRect{4, 0, 16, 12});
  ExpectRegion(rgn, 20, 16, [&](int x, int y) {
    if (x < 0 || y < 0 || x >= 20 || y >= 16) return false;
    if (x >= 4 && x < 16 && y < 12) return true;  // client
    if (y >= 12) return inMask(x, y);             // bottom band as in the mask
    // Side bands are the mask's rows 0..11 (their anchors lie below the client's top now).
    return inMask(x, y);
  }, "no top band");
  DeleteObject(rgn);

  // No left band: top, bottom and right remain.
  rgn = nullptr;
  Build(rgn, TRect{0, 3, 16, 12}, TRect{0, 3, 16, 12});
  ASSERT_NE(rgn, nullptr);
  EXPECT_TRUE(PtInRegion(rgn, 10, 0));
  EXPECT_TRUE(PtInRegion(rgn, 5, 15));
  EXPECT_TRUE(PtInRegion(rgn, 17, 7));
  EXPECT_FALSE(PtInRegion(rgn, 18, 4));  // the right band's white dot
  EXPECT_TRUE(PtInRegion(rgn, 2, 7));    // client
  DeleteObject(rgn);
}

TEST_F(SkinRegionMask, GrownWindowRepeatsTheBandMiddles) {
  const TPoint NewRT{FRT.x + 10, 5}, NewLB{6, FLB.y + 6}, NewRB{FRB.x + 10, FRB.y + 6};
  const TRect NewCl{4, 3, 26, 18};
  HRGN rgn = nullptr;
  CreateSkinRegion(rgn, FLT, FRT, FLB, FRB, TRect{4, 3, 16, 12}, FLT, NewRT, NewLB, NewRB, NewCl, FMask, 30, 22);
  ASSERT_NE(rgn, nullptr);
  EXPECT_FALSE(PtInRegion(rgn, 0, 0));
  EXPECT_FALSE(PtInRegion(rgn, 29, 0));
  EXPECT_FALSE(PtInRegion(rgn, 0, 21));
  EXPECT_FALSE(PtInRegion(rgn, 29, 21));
  EXPECT_TRUE(PtInRegion(rgn, 28, 20));
  EXPECT_FALSE(PtInRegion(rgn, 10, 1));  // the dot in the first top tile (x 6..14)
  EXPECT_FALSE(PtInRegion(rgn, 18, 1));  // and in the second (x 14..22)
  EXPECT_TRUE(PtInRegion(rgn, 11, 1));
  EXPECT_TRUE(PtInRegion(rgn, 15, 15));  // client
  TRect box;
  GetRgnBox(rgn, &box);
  EXPECT_TRUE(SameRect(box, TRect{0, 0, 30, 22}));
  DeleteObject(rgn);
}

}  // namespace
