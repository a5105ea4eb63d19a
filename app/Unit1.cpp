#include "app/Unit1.h"

#include "app/CaptureDevices.h"
#include "app/FolderChooser.h"
#include "app/Settings.h"
#include "app/Unit10.h"
#include "app/Unit2.h"
#include "app/Unit6.h"
#include "platform/classlib/IniFiles.h"
#include "platform/classlib/SysUtils.h"

using namespace classlib;

TForm1* Form1 = nullptr;
bool HasVideoDevice = true;

namespace {

// Full widths of the home page's highlight images: each grows to the width of its picture.
constexpr int kPicturesHighlightWidth = 228;
constexpr int kPlayerHighlightWidth = 184;
constexpr int kTvHighlightWidth = 144;

void SetHighlightWidth(TImage& Image, int Width) {
  Image.SetWidth(Width);
  Image.Invalidate();
}

// The whole animation runs inside the mouse event, without giving the message loop a turn: the
// steps of two pixels stop four short of the full width, which comes last.
void GrowHighlight(TImage& Image, int FullWidth) {
  Image.Show();
  for (int width = 0; width <= FullWidth - 4; width += 2) SetHighlightWidth(Image, width);
  SetHighlightWidth(Image, FullWidth);
}

void ShrinkHighlight(TImage& Image, int FullWidth) {
  for (int width = FullWidth; width >= 4; width -= 2) SetHighlightWidth(Image, width);
  SetHighlightWidth(Image, 0);
  Image.Hide();
}

String TwoDigits(WORD Value) { return (Value < 10 ? "0" : "") + IntToStr(Value); }

SYSTEMTIME ReadLocalTime() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  return now;
}

// A settings write that nobody is told about when the platform refuses it.
template <class Write>
void WriteUnreported(Write&& Writer) {
  try {
    Writer();
  } catch (const EIniFileException&) {
    // The value still holds for this run; only the next start will not know it.
  }
}

}  // namespace

TForm1::TForm1(TComponent* AOwner)
    : TForm(AOwner), ConfigFile(ConfigFilePath()), LocalTime(ReadLocalTime),
      ChooseFolder([this] { return SelectFolder(Handle()); }) {
  Handler("FormCreate", &TForm1::FormCreate);
  Handler("FormClose", &TForm1::FormClose);
  Handler("Timer1Timer", &TForm1::Timer1Timer);
  Handler("Label1Click", &TForm1::Label1Click);
  Handler("Label2Click", &TForm1::Label2Click);
  Handler("Label3Click", &TForm1::Label3Click);
  Handler("Label21Click", &TForm1::Label21Click);
  Handler("CDripper1Click", &TForm1::CDripper1Click);
  Handler("Label1MouseEnter", &TForm1::Label1MouseEnter);
  Handler("Label1MouseLeave", &TForm1::Label1MouseLeave);
  Handler("Label2MouseEnter", &TForm1::Label2MouseEnter);
  Handler("Label2MouseLeave", &TForm1::Label2MouseLeave);
  Handler("Label3MouseEnter", &TForm1::Label3MouseEnter);
  Handler("Label3MouseLeave", &TForm1::Label3MouseLeave);
  Handler("Label21MouseEnter", &TForm1::Label21MouseEnter);
  Handler("Label21MouseLeave", &TForm1::Label21MouseLeave);
  Handler("Home1Click", &TForm1::Home1Click);
  Handler("skSkinButton4Click", &TForm1::skSkinButton4Click);
  Handler("Return2Click", &TForm1::Return2Click);
  Handler("skSkinSpeedButton24Click", &TForm1::skSkinSpeedButton24Click);
  Handler("Homme1Click", &TForm1::Homme1Click);
  Handler("SetFolder1Click", &TForm1::SetFolder1Click);
  Handler("SetFolder2Click", &TForm1::SetFolder2Click);
  Handler("Play3Click", &TForm1::Play3Click);
  Handler("Play2Click", &TForm1::Play2Click);
  Handler("setcapturepath1Click", &TForm1::setcapturepath1Click);
  Handler("device1Click", &TForm1::device1Click);
  // Picture list and picture viewer pages
  Handler("Edit1Click", &TForm1::Edit1Click);
  Handler("Add1Click", &TForm1::Add1Click);
  Handler("AddRot1Click", &TForm1::AddRot1Click);
  Handler("Remove1Click", &TForm1::Remove1Click);
  Handler("Removeall1Click", &TForm1::Removeall1Click);
  Handler("skSkinListView1Click", &TForm1::skSkinListView1Click);
  Handler("skSkinListView1DblClick", &TForm1::skSkinListView1DblClick);
  Handler("skSkinListView1CustomDraw", &TForm1::skSkinListView1CustomDraw);
  Handler("Mirror1Click", &TForm1::Mirror1Click);
  Handler("Flip1Click", &TForm1::Flip1Click);
  Handler("Negative1Click", &TForm1::Negative1Click);
  Handler("Rotate1Click", &TForm1::Rotate1Click);
  Handler("GrayScale1Click", &TForm1::GrayScale1Click);
  Handler("Dither1Click", &TForm1::Dither1Click);
  Handler("ColorSpace1Click", &TForm1::ColorSpace1Click);
  Handler("Lighten1Click", &TForm1::Lighten1Click);
  Handler("Darken1Click", &TForm1::Darken1Click);
  Handler("Contrast1Click", &TForm1::Contrast1Click);
  Handler("Erode1Click", &TForm1::Erode1Click);
  Handler("Dilate1Click", &TForm1::Dilate1Click);
  Handler("Blur1Click", &TForm1::Blur1Click);
  Handler("Soften1Click", &TForm1::Soften1Click);
  Handler("Sharpen1Click", &TForm1::Sharpen1Click);
  Handler("Edge1Click", &TForm1::Edge1Click);
  Handler("Emobss1Click", &TForm1::Emobss1Click);
  Handler("FullScreen1Click", &TForm1::FullScreen1Click);
  Handler("Image12DblClick", &TForm1::Image12DblClick);
  Handler("Saveto1Click", &TForm1::Saveto1Click);
  Handler("ResetGraph1Click", &TForm1::ResetGraph1Click);
  Handler("return1Click", &TForm1::return1Click);
  Handler("skSkinTabSheet5Hide", &TForm1::skSkinTabSheet5Hide);
  // Player and TV pages
  RegisterPlayerHandlers();
  RegisterTvHandlers();
  // CD ripper page
  Handler("skSkinComboBox1Change", &TForm1::skSkinComboBox1Change);
  Handler("Timer5Timer", &TForm1::Timer5Timer);
  Handler("skSkinButton2Click", &TForm1::skSkinButton2Click);
  Handler("skSkinButton3Click", &TForm1::skSkinButton3Click);
  ReadForm();

  Bind(skSkinPageControl1, "skSkinPageControl1");
  Bind(skSkinTabSheet1, "skSkinTabSheet1");
  Bind(skSkinTabSheet2, "skSkinTabSheet2");
  Bind(skSkinTabSheet3, "skSkinTabSheet3");
  Bind(skSkinTabSheet4, "skSkinTabSheet4");
  Bind(skSkinTabSheet5, "skSkinTabSheet5");
  Bind(skSkinTabSheet6, "skSkinTabSheet6");
  Bind(Image11, "Image11");
  Bind(Image10, "Image10");
  Bind(Image9, "Image9");
  Bind(Image24, "Image24");
  Bind(skSkinListView1, "skSkinListView1");
  Bind(ComboBox1, "ComboBox1");
  Bind(ComboBox2, "ComboBox2");
  Bind(skSkinPopupMenu5, "skSkinPopupMenu5");
  // CD ripper page
  Bind(skSkinComboBox1, "skSkinComboBox1");
  Bind(skSkinListView2, "skSkinListView2");
  Bind(skSkinButton2, "skSkinButton2");
  Bind(skSkinButton3, "skSkinButton3");
  Bind(skSkinGauge1, "skSkinGauge1");
  Bind(Timer5, "Timer5");
  // Picture list and picture viewer pages
  Bind(Image5, "Image5");
  Bind(Image8, "Image8");
  Bind(Image12, "Image12");
  Bind(pic_name, "pic_name");
  Bind(pic_location, "pic_location");
  Bind(pic_wh, "pic_wh");
  Bind(pic_modify, "pic_modify");
  Bind(ImageList1, "ImageList1");
  Bind(OpenDialog1, "OpenDialog1");
  Bind(skSkinSaveDialog1, "skSkinSaveDialog1");
  ChoosePictureFiles = [this] { return RunOpenDialog(); };
  ChooseSaveFileName = [this] { return RunSaveDialog(); };
  // Player page (also gives the seek bar its window procedure) and TV page
  BindPlayerControls();
  BindTvControls();

  SetDoubleBuffered(true);
  for (TImage* highlight : {Image11, Image10, Image9}) {
    highlight->SetWidth(0);
    highlight->Hide();
  }
  Image24->Hide();
  skSkinListView1->SetDoubleBuffered(true);
}

TForm1::~TForm1() {
  EndRipJob();
  ReleasePlayer();
  CloseTvGraph();
}

void TForm1::FormCreate(TObject*) {
  const TSettings settings = ReadSettings(ConfigFile);
  UseSettings(settings);
  SlideShowFolder = settings.DefaultPic + "\\";
  if (settings.Flag == 1) DetectCaptureDevices(ConfigFile);

  // The hover highlights of the player's and the TV page's pads.
  for (int number = 14; number <= 23; ++number) {
    TImage* highlight = nullptr;
    Bind(highlight, "Image" + IntToStr(number));
    highlight->Hide();
  }

  CoInitialize(nullptr);
  ListCaptureDevices();
}

void TForm1::FormClose(TObject*, TCloseAction&) {
  EndRipJob();
  ReleasePlayer();
  // The card's capture runs on the platform's threads until its graph stops.
  CloseTvGraph();
}

void TForm1::ListCaptureDevices() {
  const TFirstDevice video = FindFirstDevice(CLSID_VideoInputDeviceCategory);
  if (!video.CategoryListed) {
    HasVideoDevice = false;
  } else if (video.Found) {
    ComboBox1->Items().Add(video.Name);
    ComboBox1->SetItemIndex(0);
  }
  const TFirstDevice audio = FindFirstDevice(CLSID_AudioInputDeviceCategory);
  if (audio.Found) {
    ComboBox2->Items().Add(audio.Name);
    ComboBox2->SetItemIndex(0);
  }
}

void TForm1::Timer1Timer(TObject*) {
  const SYSTEMTIME now = LocalTime();
  SetCaption(Format("%2S:%02S:%02S", TwoDigits(now.wHour), TwoDigits(now.wMinute), TwoDigits(now.wSecond)));
}

// ---------------------------------------------------------------------------------------------
// Home page

void TForm1::Label1MouseEnter(TObject*) { GrowHighlight(*Image11, kPicturesHighlightWidth); }
void TForm1::Label1MouseLeave(TObject*) { ShrinkHighlight(*Image11, kPicturesHighlightWidth); }
void TForm1::Label2MouseEnter(TObject*) { GrowHighlight(*Image10, kPlayerHighlightWidth); }
void TForm1::Label2MouseLeave(TObject*) { ShrinkHighlight(*Image10, kPlayerHighlightWidth); }
void TForm1::Label3MouseEnter(TObject*) { GrowHighlight(*Image9, kTvHighlightWidth); }
void TForm1::Label3MouseLeave(TObject*) { ShrinkHighlight(*Image9, kTvHighlightWidth); }
void TForm1::Label21MouseEnter(TObject*) { Image24->Show(); }
void TForm1::Label21MouseLeave(TObject*) { Image24->Hide(); }

void TForm1::Label1Click(TObject*) { skSkinPageControl1->SetActivePage(skSkinTabSheet2); }
void TForm1::Label2Click(TObject*) {
  skSkinPageControl1->SetActivePage(skSkinTabSheet3);
  // The play list exists from start-up on; a main window made alone (as in tests) has none.
  if (!Form2) return;
  Form2->AudioMode1Click(nullptr);
  Form2->Show();
}

void TForm1::Label21Click(TObject*) {
  POINT cursor{};
  GetCursorPos(&cursor);
  skSkinPopupMenu5->Popup(cursor.x, cursor.y);
}

void TForm1::CDripper1Click(TObject*) {
  ListCdDrives();
  skSkinPageControl1->SetActivePage(skSkinTabSheet6);
}

void TForm1::ShowHomePage() { skSkinPageControl1->SetActivePage(skSkinTabSheet1); }
void TForm1::Home1Click(TObject*) { ShowHomePage(); }
void TForm1::skSkinButton4Click(TObject*) { ShowHomePage(); }
void TForm1::Return2Click(TObject*) { LeavePlayer(); }
void TForm1::skSkinSpeedButton24Click(TObject*) { LeavePlayer(); }

// ---------------------------------------------------------------------------------------------
// Folders and devices

void TForm1::SetSlideShowFolder() {
  const String folder = ChooseFolder();
  // A cancelled chooser keeps the folder chosen before instead of storing a lone "\".
  if (folder.empty()) return;
  SlideShowFolder = folder + "\\";
  WriteUnreported([&] { WriteDefaultPic(ConfigFile, SlideShowFolder); });
}

void TForm1::SetCaptureFolder() {
  const String folder = ChooseFolder();
  if (folder.empty()) return;
  CaptureFolder = folder + "\\";
  WriteUnreported([&] { WriteTvCapture(ConfigFile, CaptureFolder); });
}

void TForm1::SetFolder1Click(TObject*) { SetSlideShowFolder(); }
void TForm1::SetFolder2Click(TObject*) { SetSlideShowFolder(); }
void TForm1::Play3Click(TObject*) { Form6->Play(SlideShowFolder); }
void TForm1::Play2Click(TObject* Sender) { Play3Click(Sender); }
void TForm1::setcapturepath1Click(TObject*) { SetCaptureFolder(); }
void TForm1::device1Click(TObject*) { Form10->ShowModal(); }
