// PxImageIterator: a row cursor over a PxImage's pixel block. Rows are stored bottom-up, so the top
// row of the picture is the last stored row and stepping down moves the pointer back by one row.
#pragma once

#include <cstdint>

class PxImage;

class PxImageIterator {
public:
  // Starts on the bottom row; the image is not owned.
  explicit PxImageIterator(PxImage* image);

  // The top row of the picture (stored row height - 1).
  void MoveToTop();
  // One row towards the bottom; false, leaving the cursor, when it is on the bottom row.
  bool StepDown();
  // Stored row n (0 = bottom); rows outside the image leave the cursor unchanged.
  void MoveToRow(std::int32_t row);
  std::uint8_t* RowAt(std::int32_t row);
  // Copies length bytes into the current row; lengths below 0 or of a whole row or more copy one row.
  void WriteRow(const std::uint8_t* source, std::int32_t length);
  void ReadRow(std::uint8_t* destination, std::int32_t length) const;
  std::uint8_t* RowPointer() const { return FRowPointer; }
  bool IsInside() const;

private:
  std::int32_t FColumn = 0;
  std::int32_t FRow = 0;
  std::uint8_t* FRowPointer = nullptr;
  PxImage* FImage = nullptr;
};
