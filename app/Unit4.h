// The viewer's picture alone on the whole screen.
#pragma once

#include "image/PxImage.h"
#include "platform/classlib/ExtCtrls.h"
#include "platform/classlib/Forms.h"
#include "platform/classlib/ScrollBox.h"

#include <memory>

class TForm4 : public classlib::TForm {
public:
  explicit TForm4(classlib::TComponent* AOwner);

  classlib::TScrollBox* ScrollBox1 = nullptr;
  classlib::TImage* Image1 = nullptr;
  // The picture shown, from "temp.jpg", while the form is up.
  std::unique_ptr<PxImage> FullScreenImage;

  void FormShow(classlib::TObject* Sender);
  void Image1DblClick(classlib::TObject* Sender);
};

extern TForm4* Form4;
