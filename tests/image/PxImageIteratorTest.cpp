// The row cursor over a bottom-up pixel block.
#include "tests/support/testing.h"

#include "image/PxImage.h"
#include "image/PxImageIterator.h"

#include <cstring>
#include <vector>

TEST(PxImageIterator, WalksFromTheTopDown) {
  PxImage image;
  ASSERT_TRUE(image.Create(5, 3, 8, 0));
  PxImageIterator rows(&image);
  EXPECT_EQ(rows.RowPointer(), image.RowBits(0));
  rows.MoveToTop();
  EXPECT_EQ(rows.RowPointer(), image.RowBits(2));
  EXPECT_TRUE(rows.StepDown());
  EXPECT_EQ(rows.RowPointer(), image.RowBits(1));
  EXPECT_TRUE(rows.StepDown());
  EXPECT_FALSE(rows.StepDown());
  EXPECT_EQ(rows.RowPointer(), image.RowBits(0));

  PxImage single;
  ASSERT_TRUE(single.Create(5, 1, 8, 0));
  PxImageIterator one(&single);
  one.MoveToTop();
  EXPECT_FALSE(one.StepDown());
  EXPECT_EQ(one.RowPointer(), single.RowBits(0));
  EXPECT_TRUE(one.IsInside());
}

TEST(PxImageIterator, RowAddressingIgnoresRowsOutside) {
  PxImage image;
  ASSERT_TRUE(image.Create(5, 3, 8, 0));
  PxImageIterator rows(&image);
  EXPECT_EQ(rows.RowAt(2), image.RowBits(2));
  EXPECT_EQ(rows.RowAt(3), image.RowBits(2));
  EXPECT_EQ(rows.RowAt(-1), image.RowBits(2));
  EXPECT_EQ(rows.RowAt(1), image.RowBits(1));
}

TEST(PxImageIterator, RowCopiesAreBoundedByTheRow) {
  PxImage image;
  ASSERT_TRUE(image.Create(5, 2, 8, 0));  // rows of 8 bytes
  std::memset(image.RowBits(0), 0, image.Header().biSizeImage);
  const std::vector<std::uint8_t> source(64, 0xAB);
  PxImageIterator rows(&image);
  for (const std::int32_t length : {-1, 9, 64}) {
    std::memset(image.RowBits(0), 0, image.Header().biSizeImage);
    rows.WriteRow(source.data(), length);
    for (std::uint32_t i = 0; i < 8; ++i) EXPECT_EQ(image.RowBits(0)[i], 0xAB) << length;
    EXPECT_EQ(image.RowBits(1)[0], 0) << length;
  }
  std::memset(image.RowBits(0), 0, image.Header().biSizeImage);
  rows.WriteRow(source.data(), 3);
  EXPECT_EQ(image.RowBits(0)[2], 0xAB);
  EXPECT_EQ(image.RowBits(0)[3], 0);

  std::vector<std::uint8_t> out(16, 0x11);
  rows.ReadRow(out.data(), 0);
  EXPECT_EQ(out[0], 0x11);
  rows.ReadRow(out.data(), 2);
  EXPECT_EQ(out[0], 0xAB);
  EXPECT_EQ(out[2], 0x11);
  rows.ReadRow(out.data(), 16);  // no further than the row
  EXPECT_EQ(out[8], 0x11);
}
