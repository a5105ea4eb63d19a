#include "app/Unit3.h"

#include "app/PicturePreview.h"
#include "app/Unit1.h"
#include "platform/classlib/SysUtils.h"

using namespace classlib;

TForm3* Form3 = nullptr;

namespace {

constexpr char kViewerPictureFile[] = "rgb.tmp";
constexpr char kResultFile[] = "temp";

}  // namespace

TForm3::TForm3(TComponent* AOwner) : TForm(AOwner) {
  Handler("FormShow", &TForm3::FormShow);
  Handler("skSkinTrackBar1Change", &TForm3::skSkinTrackBar1Change);
  Handler("skSkinTrackBar2Change", &TForm3::skSkinTrackBar2Change);
  Handler("skSkinTrackBar3Change", &TForm3::skSkinTrackBar3Change);
  Handler("skSkinTrackBar4Change", &TForm3::skSkinTrackBar4Change);
  Handler("skSkinTrackBar5Change", &TForm3::skSkinTrackBar5Change);
  Handler("skSkinButton1Click", &TForm3::skSkinButton1Click);
  Handler("skSkinButton2Click", &TForm3::skSkinButton2Click);
  ReadForm();
  Bind(Image1, "Image1");
  Bind(skSkinTrackBar1, "skSkinTrackBar1");
  Bind(skSkinTrackBar2, "skSkinTrackBar2");
  Bind(skSkinTrackBar3, "skSkinTrackBar3");
  Bind(skSkinTrackBar4, "skSkinTrackBar4");
  Bind(skSkinTrackBar5, "skSkinTrackBar5");
  Bind(Label6, "Label6");
  Bind(Label7, "Label7");
  Bind(Label8, "Label8");
  Bind(Label9, "Label9");
  Bind(Label10, "Label10");
  Bind(skSkinCheckRadioBox1, "skSkinCheckRadioBox1");
}

void TForm3::PrepareColorSpace(const String&) {
  ColorSpaceImage = std::make_unique<PxImage>(FMT_UNKNOWN);
  DrawPictureBackground(*ColorSpaceImage, *Image1);
  ColorSpaceImage->LoadFile(kViewerPictureFile, FMT_BMP);
  DrawPreviewPicture(*ColorSpaceImage, *Image1);
}

// Bars left elsewhere by the last use report their change here, one after the other.
void TForm3::FormShow(TObject*) {
  for (skin::TskSkinTrackBar* bar : {skSkinTrackBar1, skSkinTrackBar2, skSkinTrackBar3, skSkinTrackBar4, skSkinTrackBar5})
    bar->SetValue(0);
  for (TLabel* label : {Label6, Label7, Label8, Label9, Label10}) label->SetCaption("0");
}

void TForm3::ShowBarValue(const skin::TskSkinTrackBar& Bar, TLabel& Label) { Label.SetCaption(IntToStr(Bar.Value())); }

// Every update starts again from the viewer's picture, so the bars never add up over each other.
void TForm3::UpdatePreview() {
  if (!ColorSpaceImage) return;
  DrawPictureBackground(*ColorSpaceImage, *Image1);
  ColorSpaceImage->LoadFile(kViewerPictureFile, FMT_BMP);
  ColorSpaceImage->BrightContrast(skSkinTrackBar4->Value(), skSkinTrackBar5->Value());
  ColorSpaceImage->OffsetRGB(skSkinTrackBar1->Value(), skSkinTrackBar2->Value(), skSkinTrackBar3->Value());
  if (skSkinCheckRadioBox1->Checked()) DrawPreviewPicture(*ColorSpaceImage, *Image1);
}

void TForm3::skSkinTrackBar1Change(TObject*) {
  ShowBarValue(*skSkinTrackBar1, *Label6);
  UpdatePreview();
}

void TForm3::skSkinTrackBar2Change(TObject*) {
  ShowBarValue(*skSkinTrackBar2, *Label7);
  UpdatePreview();
}

void TForm3::skSkinTrackBar3Change(TObject*) {
  ShowBarValue(*skSkinTrackBar3, *Label8);
  UpdatePreview();
}

void TForm3::skSkinTrackBar4Change(TObject*) {
  ShowBarValue(*skSkinTrackBar4, *Label9);
  UpdatePreview();
}

void TForm3::skSkinTrackBar5Change(TObject*) {
  ShowBarValue(*skSkinTrackBar5, *Label10);
  UpdatePreview();
}

void TForm3::skSkinButton1Click(TObject*) {
  if (ColorSpaceImage) {
    ColorSpaceImage->SaveFile(kResultFile, FMT_BMP);
    Form1->ReloadViewer(FMT_BMP, kResultFile);
  }
  ColorSpaceImage.reset();
  Close();
}

void TForm3::skSkinButton2Click(TObject*) {
  ColorSpaceImage.reset();
  Close();
}
