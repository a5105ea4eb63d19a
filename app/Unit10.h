// "Device Settings": the capture devices and their inputs that the TV page uses, stored in config.ini.
#pragma once

#include "platform/classlib/Forms.h"
#include "skin/boxes/SkinComboBox.h"

class TForm10 : public classlib::TForm {
public:
  explicit TForm10(classlib::TComponent* AOwner);

  skin::TskSkinComboBox* skSkinComboBox1 = nullptr;  // video device
  skin::TskSkinComboBox* skSkinComboBox2 = nullptr;  // video source
  skin::TskSkinComboBox* skSkinComboBox3 = nullptr;  // audio device
  skin::TskSkinComboBox* skSkinComboBox4 = nullptr;  // audio source

  // The settings file OK writes to; tests put their own here.
  classlib::String ConfigFile;

  void skSkinButton1Click(classlib::TObject* Sender);  // OK
  void skSkinButton2Click(classlib::TObject* Sender);  // Cancel
};

extern TForm10* Form10;
