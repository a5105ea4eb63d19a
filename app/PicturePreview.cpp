#include "app/PicturePreview.h"

#include "app/PictureFit.h"

void DrawPictureBackground(PxImage& Image, classlib::TImage& Target) {
  if (Image.LoadFile(kPictureBackgroundFile, FMT_BMP))
    Image.DrawToDC(Target.Canvas().Handle(), 0, 0, Target.Width(), Target.Height(), nullptr, false);
  Target.Invalidate();
}

void DrawPreviewPicture(const PxImage& Image, classlib::TImage& Target) {
  const TPictureRect place = FitPreview(Target.Width(), Target.Height(), Image.Width(), Image.Height());
  Image.DrawToDC(Target.Canvas().Handle(), place.Left, place.Top, place.Width, place.Height, nullptr, false);
  Target.Invalidate();
}
