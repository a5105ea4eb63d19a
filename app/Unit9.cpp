#include "app/Unit9.h"

#include "app/PicturePreview.h"
#include "app/Unit1.h"
#include "platform/classlib/SysUtils.h"

using namespace classlib;

TForm9* Form9 = nullptr;

namespace {

constexpr char kViewerPictureFile[] = "rgb.tmp";
constexpr char kResultFile[] = "temp";

}  // namespace

TForm9::TForm9(TComponent* AOwner) : TForm(AOwner) {
  Handler("FormShow", &TForm9::FormShow);
  Handler("skSkinTrackBar1Change", &TForm9::skSkinTrackBar1Change);
  Handler("skSkinButton1Click", &TForm9::skSkinButton1Click);
  Handler("skSkinButton2Click", &TForm9::skSkinButton2Click);
  ReadForm();
  Bind(Image1, "Image1");
  Bind(skSkinTrackBar1, "skSkinTrackBar1");
  Bind(Label6, "Label6");
  Bind(skSkinCheckRadioBox1, "skSkinCheckRadioBox1");
}

void TForm9::PrepareRotate(const String&) {
  RotateImage = std::make_unique<PxImage>(FMT_UNKNOWN);
  DrawPictureBackground(*RotateImage, *Image1);
  RotateImage->LoadFile(kViewerPictureFile, FMT_BMP);
  DrawPreviewPicture(*RotateImage, *Image1);
}

void TForm9::FormShow(TObject*) {
  skSkinTrackBar1->SetValue(0);
  Label6->SetCaption("0");
}

// Every update rotates the viewer's picture afresh, so angles never add up over each other.
void TForm9::skSkinTrackBar1Change(TObject*) {
  Label6->SetCaption(IntToStr(skSkinTrackBar1->Value()));
  if (!RotateImage) return;
  DrawPictureBackground(*RotateImage, *Image1);
  RotateImage->LoadFile(kViewerPictureFile, FMT_BMP);
  RotateImage->Rotate(static_cast<float>(skSkinTrackBar1->Value()));
  if (skSkinCheckRadioBox1->Checked()) DrawPreviewPicture(*RotateImage, *Image1);
}

void TForm9::skSkinButton1Click(TObject*) {
  if (RotateImage) {
    RotateImage->SaveFile(kResultFile, FMT_BMP);
    Form1->ReloadViewer(FMT_BMP, kResultFile);
  }
  RotateImage.reset();
  Close();
}

void TForm9::skSkinButton2Click(TObject*) {
  RotateImage.reset();
  Close();
}
