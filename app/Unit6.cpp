#include "app/Unit6.h"

#include "app/PictureFormat.h"
#include "image/PxImage.h"
#include "platform/classlib/JPEGImage.h"
#include "platform/classlib/Picture.h"
#include "platform/classlib/WideText.h"

#include <ctime>
#include <memory>

using namespace classlib;
using transitions::TTransitionView;

TForm6* Form6 = nullptr;

namespace {

// Every picture of the show passes through this file, in the current directory.
constexpr char kWorkFile[] = "repp.jpg";
constexpr int kStyleCount = 110;  // styles 0..109 of the control's table
constexpr int kFrameDelay = 80;   // ms between the frames of a transition

constexpr char kNoPictureText[] =
    "Maybe there is no picture in default directory.\r\n you can choose the directory in 'set folder' option.";
constexpr char kFewFilesText[] = "the directory of album must be more than 4 pictures";
constexpr char kFailCaption[] = "information";


// The length of the work file, which is made empty when it does not exist yet; -1 when it cannot
// be opened (a folder of that name, for instance).
LONGLONG WorkFileLength() {
  const HANDLE file = CreateFileW(ToWide(kWorkFile).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return -1;
  LARGE_INTEGER size{};
  const bool known = GetFileSizeEx(file, &size);
  CloseHandle(file);
  return known ? size.QuadPart : -1;
}

// Attributes of a file with nothing set but "archive"; FILE_ATTRIBUTE_NORMAL is how the system
// says that nothing is set at all.
bool IsPlainFile(DWORD Attributes) {
  return (Attributes & ~static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NORMAL)) == 0;
}

}  // namespace

TForm6::TForm6(TComponent* AOwner)
    : TForm(AOwner), SlideShowSeed([] { return static_cast<std::uint32_t>(std::time(nullptr)); }) {
  RegisterJPEGFileFormats();
  Handler("Timer1Timer", &TForm6::Timer1Timer);
  Handler("Timer2Timer", &TForm6::Timer2Timer);
  Handler("FormClose", &TForm6::FormClose);
  ReadForm();
  Bind(Timer1, "Timer1");
  Bind(Timer2, "Timer2");
}

void TForm6::Notification(TComponent* AComponent, TOperation Operation) {
  TForm::Notification(AComponent, Operation);
  if (Operation == TOperation::opRemove && AComponent == SlideShowControl) SlideShowControl = nullptr;
}

// ---------------------------------------------------------------------------------------------
// Starting

void TForm6::Play(const String& Folder) {
  if (!StartSlideShow(Folder)) return;
  Timer1->SetEnabled(true);
  Timer2->SetEnabled(true);
  ShowModal();
}

bool TForm6::StartSlideShow(const String& Folder) {
  FRandom.SetSeed(SlideShowSeed());
  // Each show gets its full count of retries, whatever earlier shows used up.
  PickRetries = 0;
  SetDoubleBuffered(true);
  ListSlideFolder(Folder);
  if (SlideFiles.empty()) return false;
  if (!PickRandomPicture()) return false;
  SetUpTransitionView();
  return true;
}

void TForm6::ListSlideFolder(const String& Folder) {
  SlideFiles.clear();
  // Without a folder the search would run over the current drive's root.
  if (Folder.empty()) return;
  WIN32_FIND_DATAW found;
  const HANDLE search = FindFirstFileW(ToWide(Folder + "\\*.*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    if (IsPlainFile(found.dwFileAttributes)) SlideFiles.push_back(Folder + FromWide(found.cFileName));
  } while (FindNextFileW(search, &found));
  FindClose(search);
}

// ---------------------------------------------------------------------------------------------
// Pictures

bool TForm6::PickRandomPicture() {
  const int count = static_cast<int>(SlideFiles.size());
  for (;;) {
    const String path = count > 0 ? SlideFiles[static_cast<size_t>(FRandom.Random(count))] : String();
    if (FormatFromFileName(path) != FMT_UNKNOWN) {
      ConvertPicture(path);
      return true;
    }
    if (count <= 3) return FailPick(kFewFilesText);
    if (++PickRetries >= 2 * count) return FailPick(kNoPictureText);
  }
}

void TForm6::ConvertPicture(const String& Path) {
  PxImage image;
  // A picture that does not decode is not saved either: the previous picture stays whole.
  if (image.LoadFile(Path.c_str(), FormatFromFileName(Path)) && image.SaveFile(kWorkFile, FMT_JPG)) return;
  MessageBoxW(Handle(), ToWide("Error").c_str(), ToWide("Error to save file").c_str(), MB_OK);
}

bool TForm6::FailPick(const String& Text) {
  ShowCursor(TRUE);
  Timer1->SetEnabled(false);
  Timer2->SetEnabled(false);
  Application->MessageBox(Text, kFailCaption, MB_OK);
  return false;
}

bool TForm6::LoadWorkPicture(TPicture& Picture) {
  if (WorkFileLength() == 0) PickRandomPicture();
  // Still nothing to load (no picture converted yet): this slide is skipped.
  if (WorkFileLength() <= 0) return false;
  try {
    Picture.LoadFromFile(kWorkFile);
    return true;
  } catch (const EInvalidGraphic&) {
    return false;
  } catch (const EStreamError&) {
    return false;
  }
}

// ---------------------------------------------------------------------------------------------
// The control

void TForm6::FreeSlideShowControl() {
  delete SlideShowControl;  // its owner's notification clears the field
}

void TForm6::SetUpTransitionView() {
  FreeSlideShowControl();
  auto* view = new TTransitionView(this);
  view->SetParent(this);
  SlideShowControl = view;
  view->SetCenter(true);
  view->SetStretch(false);
  view->SetAutoSize(false);
  view->SetCenter(false);
  view->SetDelay(kFrameDelay);
  view->WindowProc = [this, view](TMessage& Message) { TransitionViewWndProc(*view, Message); };
  view->SetEnabled(true);
  view->SetBgMode(transitions::TBackgroundMode::bmCentered);
  LoadWorkPicture(view->BgPicture());
  view->SetHeight(Screen->Height());
  view->SetWidth(Screen->Width());
}

void TForm6::NextSlide() {
  TTransitionView* view = SlideShowControl;
  if (!view || view->Busy()) return;
  if (!LoadWorkPicture(view->Picture())) return;
  view->SetStyle(FRandom.Random(kStyleCount));
  view->SetStep(1);
  view->SetCenter(true);
  view->Execute();
}

// ---------------------------------------------------------------------------------------------
// Timers, mouse and closing

void TForm6::Timer1Timer(TObject*) {
  if (FInTick || !SlideShowControl || SlideShowControl->Busy()) return;
  FInTick = true;
  struct TTickScope {
    bool& InTick;
    ~TTickScope() { InTick = false; }
  } scope{FInTick};
  if (!PickRandomPicture()) return;
  NextSlide();
}

void TForm6::Timer2Timer(TObject*) {
  while (ShowCursor(FALSE) >= 0) {
  }
  Timer2->SetEnabled(false);
}

void TForm6::TransitionViewWndProc(TTransitionView& View, TMessage& Message) {
  switch (Message.Msg) {
    case WM_LBUTTONDBLCLK:
      ShowCursor(TRUE);
      Timer1->SetEnabled(false);
      Timer2->SetEnabled(false);
      Close();
      return;
    case WM_MOUSEMOVE:
      ShowCursor(TRUE);
      Timer2->SetEnabled(true);
      return;
  }
  View.Dispatch(Message);
}

void TForm6::FormClose(TObject*, TCloseAction&) {
  // No tick may start a transition on the control being freed while messages are handled below.
  Timer1->SetEnabled(false);
  Timer2->SetEnabled(false);
  if (SlideShowControl) SlideShowControl->Stop();
  Application->ProcessMessages();
  ShowCursor(TRUE);
  while (SlideShowControl && SlideShowControl->Busy()) Sleep(1000);
  FreeSlideShowControl();
}
