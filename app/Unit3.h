// "Color Space": red, green and blue levels, brightness and contrast of the viewer's picture.
#pragma once

#include "image/PxImage.h"
#include "platform/classlib/ExtCtrls.h"
#include "platform/classlib/Forms.h"
#include "platform/classlib/StdCtrls.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinCheckRadioBox.h"
#include "skin/controls/SkinTrackBar.h"

#include <memory>

class TForm3 : public classlib::TForm {
public:
  explicit TForm3(classlib::TComponent* AOwner);

  classlib::TImage* Image1 = nullptr;
  skin::TskSkinTrackBar* skSkinTrackBar1 = nullptr;  // "Color R"
  skin::TskSkinTrackBar* skSkinTrackBar2 = nullptr;  // "Color G"
  skin::TskSkinTrackBar* skSkinTrackBar3 = nullptr;  // "Color B"
  skin::TskSkinTrackBar* skSkinTrackBar4 = nullptr;  // "Bright"
  skin::TskSkinTrackBar* skSkinTrackBar5 = nullptr;  // "Contrast"
  classlib::TLabel* Label6 = nullptr;
  classlib::TLabel* Label7 = nullptr;
  classlib::TLabel* Label8 = nullptr;
  classlib::TLabel* Label9 = nullptr;
  classlib::TLabel* Label10 = nullptr;
  skin::TskSkinCheckRadioBox* skSkinCheckRadioBox1 = nullptr;

  // The viewer's picture (from "rgb.tmp") as the bars last adjusted it.
  std::unique_ptr<PxImage> ColorSpaceImage;

  // Loads the viewer's picture and shows it; the argument is not used.
  void PrepareColorSpace(const classlib::String& Unused);

  void FormShow(classlib::TObject* Sender);
  void skSkinTrackBar1Change(classlib::TObject* Sender);
  void skSkinTrackBar2Change(classlib::TObject* Sender);
  void skSkinTrackBar3Change(classlib::TObject* Sender);
  void skSkinTrackBar4Change(classlib::TObject* Sender);
  void skSkinTrackBar5Change(classlib::TObject* Sender);
  void skSkinButton1Click(classlib::TObject* Sender);
  void skSkinButton2Click(classlib::TObject* Sender);

private:
  void ShowBarValue(const skin::TskSkinTrackBar& Bar, classlib::TLabel& Label);
  void UpdatePreview();
};

extern TForm3* Form3;
