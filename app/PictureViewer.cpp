// The picture viewer page: one picture fitted over the background "can.bmp", the effects of the
// page's popup menu, saving in another format, and the hand-over to the colour-space, rotation and
// full-screen forms through work files in the current directory.
#include "app/PictureFormat.h"
#include "app/PicturePreview.h"
#include "app/Unit1.h"
#include "app/Unit3.h"
#include "app/Unit4.h"
#include "app/Unit9.h"

using namespace classlib;

namespace {

constexpr char kDialogWorkFile[] = "rgb.tmp";
constexpr char kFullScreenWorkFile[] = "temp.jpg";
// The size of the structuring element of "Erode", "Dilate" and "Dither".
constexpr std::int32_t kMorphologySize = 2;

}  // namespace

void TForm1::DrawViewerBackground() { DrawPictureBackground(*ViewerImage, *Image12); }

void TForm1::DrawViewerPicture() {
  ViewerImage->DrawToDC(Image12->Canvas().Handle(), ViewerRect.Left, ViewerRect.Top, ViewerRect.Width,
                        ViewerRect.Height, nullptr, false);
  Image12->Invalidate();
}

// A picture that cannot be decoded is reported and the viewer stays closed; drawing the background
// a second time in its place would look like a picture that opened.
void TForm1::OpenSelectedPicture() {
  TListItem* item = skSkinListView1->Selected();
  if (!item || item->SubItems().Count() == 0) return;
  const String fileName = item->SubItems()[0];
  const PxImageFormat format = FormatFromFileName(fileName);
  const auto picture = std::make_unique<PxImage>(FMT_UNKNOWN);
  if (!picture->LoadFile(fileName.c_str(), format)) {
    Application->MessageBox("Cannot read the picture " + fileName, "Information", MB_OK | MB_ICONINFORMATION);
    return;
  }
  ViewerFileName = fileName;
  ViewerFormat = format;
  // The page is laid out when it first becomes active; the fit needs its real size.
  skSkinPageControl1->SetActivePage(skSkinTabSheet5);
  ViewerImage = std::make_unique<PxImage>(FMT_UNKNOWN);
  DrawViewerBackground();
  ViewerImage->Transfer(*picture);
  ViewerRect = FitPicture(Image12->Width(), Image12->Height(), ViewerImage->Width(), ViewerImage->Height());
  DrawViewerPicture();
  Image12->Show();
  Image12->SetEnabled(true);
}

void TForm1::skSkinListView1DblClick(TObject*) { OpenSelectedPicture(); }
void TForm1::Edit1Click(TObject*) { OpenSelectedPicture(); }

void TForm1::ApplyViewerEffect(const std::function<bool(PxImage&)>& Effect) {
  if (!ViewerImage) return;
  Effect(*ViewerImage);
  DrawViewerPicture();
}

void TForm1::ApplyViewerKernel(const std::int32_t (&Kernel)[9], std::int32_t Divisor, std::int32_t Offset) {
  ApplyViewerEffect([&](PxImage& image) { return image.ApplyKernel(Kernel, 3, Divisor, Offset); });
}

void TForm1::Mirror1Click(TObject*) { ApplyViewerEffect([](PxImage& image) { return image.Mirror(); }); }
void TForm1::Flip1Click(TObject*) { ApplyViewerEffect([](PxImage& image) { return image.Flip(); }); }
void TForm1::Negative1Click(TObject*) { ApplyViewerEffect([](PxImage& image) { return image.Negative(); }); }
void TForm1::GrayScale1Click(TObject*) { ApplyViewerEffect([](PxImage& image) { return image.GrayScale(); }); }

// "Dither" has always dilated, exactly as "Dilate" does.
void TForm1::Dither1Click(TObject*) {
  ApplyViewerEffect([](PxImage& image) { return image.Dilate(kMorphologySize); });
}

void TForm1::Lighten1Click(TObject*) {
  ApplyViewerEffect([](PxImage& image) { return image.BrightContrast(20, 0); });
}

void TForm1::Darken1Click(TObject*) {
  ApplyViewerEffect([](PxImage& image) { return image.BrightContrast(-20, 0); });
}

// Pulls the picture's average level a quarter of the way towards the middle while raising contrast.
void TForm1::Contrast1Click(TObject*) {
  ApplyViewerEffect([](PxImage& image) {
    const auto brightness = static_cast<std::int32_t>((128 - image.AverageLevel()) * 0.25);
    return image.BrightContrast(brightness, 120);
  });
}

void TForm1::Erode1Click(TObject*) {
  ApplyViewerEffect([](PxImage& image) { return image.Erode(kMorphologySize); });
}

void TForm1::Dilate1Click(TObject*) {
  ApplyViewerEffect([](PxImage& image) { return image.Dilate(kMorphologySize); });
}

void TForm1::Blur1Click(TObject*) { ApplyViewerKernel({1, 1, 1, 1, 1, 1, 1, 1, 1}, 9, 0); }
void TForm1::Soften1Click(TObject*) { ApplyViewerKernel({1, 1, 1, 1, 8, 1, 1, 1, 1}, 16, 0); }
void TForm1::Sharpen1Click(TObject*) { ApplyViewerKernel({-1, -1, -1, -1, 15, -1, -1, -1, -1}, 7, 0); }
void TForm1::Edge1Click(TObject*) { ApplyViewerKernel({-1, -1, -1, -1, 8, -1, -1, -1, -1}, 0, 0); }
void TForm1::Emobss1Click(TObject*) { ApplyViewerKernel({-1, 0, 0, 0, 0, 0, 0, 0, 1}, 0, 127); }

void TForm1::ResetGraph1Click(TObject*) {
  if (!ViewerImage) return;
  ViewerImage->LoadFile(ViewerFileName.c_str(), ViewerFormat);
  DrawViewerPicture();
}

// The size of the viewer's rectangle stays as it was, so a rotated result is scaled into it.
void TForm1::ReloadViewer(PxImageFormat Format, const String& FileName) {
  if (!ViewerImage) return;
  DrawViewerBackground();
  ViewerImage->LoadFile(FileName.c_str(), Format);
  DrawViewerPicture();
}

void TForm1::Rotate1Click(TObject*) {
  if (!ViewerImage) return;
  ViewerImage->SaveFile(kDialogWorkFile, FMT_BMP);
  Form9->PrepareRotate("0");
  Form9->ShowModal();
}

void TForm1::ColorSpace1Click(TObject*) {
  if (!ViewerImage) return;
  ViewerImage->SaveFile(kDialogWorkFile, FMT_BMP);
  Form3->PrepareColorSpace("0");
  Form3->ShowModal();
}

void TForm1::FullScreen1Click(TObject*) {
  if (!ViewerImage) return;
  ViewerImage->SaveFile(kFullScreenWorkFile, FMT_JPG);
  Form4->ShowModal();
}

void TForm1::Image12DblClick(TObject* Sender) { FullScreen1Click(Sender); }

String TForm1::RunSaveDialog() {
  return skSkinSaveDialog1->Execute() ? skSkinSaveDialog1->FileName() : String();
}

// The encoder follows the name's last extension, so the file holds what its name says; a name no
// encoder fits is refused before any file is made, and a failed save is reported.
void TForm1::Saveto1Click(TObject*) {
  if (!ViewerImage) return;
  const String fileName = ChooseSaveFileName();
  if (fileName.empty()) return;
  const PxImageFormat format = SaveFormatFromFileName(fileName);
  if (format == FMT_UNKNOWN || !ViewerImage->SaveFile(fileName.c_str(), format))
    Application->MessageBox("Error", "Error to save file", MB_OK | MB_ICONERROR);
}

void TForm1::return1Click(TObject*) { skSkinPageControl1->SetActivePage(skSkinTabSheet2); }

void TForm1::skSkinTabSheet5Hide(TObject*) { ViewerImage.reset(); }
