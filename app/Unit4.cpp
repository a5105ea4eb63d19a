#include "app/Unit4.h"

#include "app/PictureFit.h"
#include "app/PicturePreview.h"

using namespace classlib;

TForm4* Form4 = nullptr;

namespace {

constexpr char kViewerPictureFile[] = "temp.jpg";

}  // namespace

TForm4::TForm4(TComponent* AOwner) : TForm(AOwner) {
  Handler("FormShow", &TForm4::FormShow);
  Handler("Image1DblClick", &TForm4::Image1DblClick);
  ReadForm();
  Bind(ScrollBox1, "ScrollBox1");
  Bind(Image1, "Image1");
  SetWidth(Screen->Width());
  SetHeight(Screen->Height());
}

void TForm4::FormShow(TObject*) {
  FullScreenImage = std::make_unique<PxImage>(FMT_UNKNOWN);
  Image1->SetWidth(Width());
  Image1->SetHeight(Height());
  DrawPictureBackground(*FullScreenImage, *Image1);

  if (FullScreenImage->LoadFile(kViewerPictureFile, FMT_JPG)) {
    const TPictureRect place = FitPicture(Width(), Height(), FullScreenImage->Width(), FullScreenImage->Height());
    FullScreenImage->DrawToDC(Image1->Canvas().Handle(), place.Left, place.Top, place.Width, place.Height, nullptr,
                              false);
  }
  Application->ProcessMessages();
  Image1->Invalidate();
}

void TForm4::Image1DblClick(TObject*) {
  FullScreenImage.reset();
  Close();
}
