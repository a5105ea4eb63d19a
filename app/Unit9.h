// "Rotate": rotation of the viewer's picture.
#pragma once

#include "image/PxImage.h"
#include "platform/classlib/ExtCtrls.h"
#include "platform/classlib/Forms.h"
#include "platform/classlib/StdCtrls.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinCheckRadioBox.h"
#include "skin/controls/SkinTrackBar.h"

#include <memory>

class TForm9 : public classlib::TForm {
public:
  explicit TForm9(classlib::TComponent* AOwner);

  classlib::TImage* Image1 = nullptr;
  skin::TskSkinTrackBar* skSkinTrackBar1 = nullptr;  // the angle in degrees
  classlib::TLabel* Label6 = nullptr;
  skin::TskSkinCheckRadioBox* skSkinCheckRadioBox1 = nullptr;

  // The viewer's picture (from "rgb.tmp") as the bar last rotated it.
  std::unique_ptr<PxImage> RotateImage;

  // Loads the viewer's picture and shows it; the argument is not used.
  void PrepareRotate(const classlib::String& Unused);

  void FormShow(classlib::TObject* Sender);
  void skSkinTrackBar1Change(classlib::TObject* Sender);
  void skSkinButton1Click(classlib::TObject* Sender);
  void skSkinButton2Click(classlib::TObject* Sender);
};

extern TForm9* Form9;
