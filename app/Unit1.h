// The main window: six pages switched in code (home, picture list, player, TV, picture viewer and
// CD ripper), the caption clock, the home page's labels with their highlights, and the start-up
// work that reads the settings and notes the capture devices.
#pragma once

#include "platform/classlib/ExtCtrls.h"
#include "platform/classlib/Forms.h"
#include "skin/plain/SkinPlainBoxes.h"
#include "skin/plain/SkinPlainMenus.h"
#include "skin/plain/SkinPlainPages.h"
#include "skin/plain/SkinPlainViews.h"

#include <functional>

// Whether start-up found a video capture device; the TV page needs one.
extern bool HasVideoDevice;

class TForm1 : public classlib::TForm {
public:
  explicit TForm1(classlib::TComponent* AOwner);

  // Components of the stored form that the code uses.
  skin::TskSkinPageControl* skSkinPageControl1 = nullptr;
  skin::TskSkinTabSheet* skSkinTabSheet1 = nullptr;  // home
  skin::TskSkinTabSheet* skSkinTabSheet2 = nullptr;  // picture list
  skin::TskSkinTabSheet* skSkinTabSheet3 = nullptr;  // player
  skin::TskSkinTabSheet* skSkinTabSheet4 = nullptr;  // TV
  skin::TskSkinTabSheet* skSkinTabSheet5 = nullptr;  // picture viewer
  skin::TskSkinTabSheet* skSkinTabSheet6 = nullptr;  // CD ripper
  classlib::TImage* Image11 = nullptr;
  classlib::TImage* Image10 = nullptr;
  classlib::TImage* Image9 = nullptr;
  classlib::TImage* Image24 = nullptr;
  skin::TskSkinListView* skSkinListView1 = nullptr;
  skin::TskSkinComboBox* ComboBox1 = nullptr;
  skin::TskSkinComboBox* ComboBox2 = nullptr;
  skin::TskSkinPopupMenu* skSkinPopupMenu5 = nullptr;

  // The slide show's folder, ending in "\".
  classlib::String SlideShowFolder;

  // Where the settings live, what the clock reads and how a folder is chosen; tests put their own here.
  classlib::String ConfigFile;
  std::function<SYSTEMTIME()> LocalTime;
  std::function<classlib::String()> ChooseFolder;

  // Handlers
  void FormCreate(classlib::TObject* Sender);
  void Timer1Timer(classlib::TObject* Sender);
  void Label1Click(classlib::TObject* Sender);
  void Label2Click(classlib::TObject* Sender);
  void Label3Click(classlib::TObject* Sender);
  void Label21Click(classlib::TObject* Sender);
  void CDripper1Click(classlib::TObject* Sender);
  void Label1MouseEnter(classlib::TObject* Sender);
  void Label1MouseLeave(classlib::TObject* Sender);
  void Label2MouseEnter(classlib::TObject* Sender);
  void Label2MouseLeave(classlib::TObject* Sender);
  void Label3MouseEnter(classlib::TObject* Sender);
  void Label3MouseLeave(classlib::TObject* Sender);
  void Label21MouseEnter(classlib::TObject* Sender);
  void Label21MouseLeave(classlib::TObject* Sender);
  void Home1Click(classlib::TObject* Sender);            // picture list popup "Home"
  void skSkinButton4Click(classlib::TObject* Sender);    // CD page "Home"
  void Return2Click(classlib::TObject* Sender);          // player popup "Home"
  void skSkinSpeedButton24Click(classlib::TObject* Sender);  // player "Home"
  void Homme1Click(classlib::TObject* Sender);           // TV popup "Home"
  void SetFolder1Click(classlib::TObject* Sender);       // player popup "Set Folder"
  void SetFolder2Click(classlib::TObject* Sender);       // picture list popup "Set Folder"
  void setcapturepath1Click(classlib::TObject* Sender);  // TV popup "Capture path"
  void device1Click(classlib::TObject* Sender);          // TV popup "Device"

  // Lets the user choose the slide show's folder and stores it as "Default Pic".
  void SetSlideShowFolder();
  // Lets the user choose the folder of TV recordings and stores it as "TV Capture".
  void SetCaptureFolder();

private:
  void ShowHomePage();
  void ListCaptureDevices();
};

extern TForm1* Form1;
