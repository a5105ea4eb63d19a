#include "app/PictureFit.h"

TPictureRect FitPicture(int AreaWidth, int AreaHeight, int PictureWidth, int PictureHeight) {
  int width = PictureWidth;
  int height = PictureHeight;
  // A picture with no pixels (an empty decode) has nothing to shrink and would never fit otherwise.
  while ((height > AreaHeight || width > AreaWidth) && width > 0 && height > 0) {
    height = 8 * height / 9;
    width = 8 * width / 9;
  }
  return {(AreaWidth - width) / 2, (AreaHeight - height) / 2, width, height};
}

TPictureRect FitPreview(int AreaWidth, int AreaHeight, int PictureWidth, int PictureHeight) {
  double width = PictureWidth;
  double height = PictureHeight;
  while ((height > AreaHeight || width > AreaWidth) && width >= 1 && height >= 1) {
    height = height * 8 / 9;
    width = width * 8 / 9;
  }
  return {static_cast<int>((AreaWidth - width) * 0.5), static_cast<int>((AreaHeight - height) * 0.5),
          static_cast<int>(width), static_cast<int>(height)};
}
