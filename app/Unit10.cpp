#include "app/Unit10.h"

#include "app/Settings.h"

using namespace classlib;

TForm10* Form10 = nullptr;

TForm10::TForm10(TComponent* AOwner) : TForm(AOwner), ConfigFile(ConfigFilePath()) {
  Handler("skSkinButton1Click", &TForm10::skSkinButton1Click);
  Handler("skSkinButton2Click", &TForm10::skSkinButton2Click);
  ReadForm();
  Bind(skSkinComboBox1, "skSkinComboBox1");
  Bind(skSkinComboBox2, "skSkinComboBox2");
  Bind(skSkinComboBox3, "skSkinComboBox3");
  Bind(skSkinComboBox4, "skSkinComboBox4");
}

void TForm10::skSkinButton1Click(TObject*) {
  // A refused write raises, and the message loop shows why: the form stays open rather than
  // claiming the settings were saved.
  WriteChosenDeviceSettings(ConfigFile, {skSkinComboBox1->Text(), skSkinComboBox2->Text(),
                                         skSkinComboBox3->Text(), skSkinComboBox4->Text()});
  Application->MessageBox("The settings has been saved. Please restart the programm.", "Information", MB_OK);
  Close();
}

void TForm10::skSkinButton2Click(TObject*) { Close(); }
