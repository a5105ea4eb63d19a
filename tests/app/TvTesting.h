// The TV page's tests live with the simulated TV card of the build's prefix: the card's state read
// through filters of its own, the video read back from the screen (the card's frames carry the
// channel and the input in a strip of blocks that survives scaling), and a main window with its
// Device Settings and full-screen forms on a settings file of the test's own.
#pragma once

#include "tests/app/AppTesting.h"
#include "tests/app/ScreenShot.h"

#include "app/CaptureDevices.h"
#include "app/Settings.h"
#include "app/Unit1.h"
#include "app/Unit10.h"
#include "app/Unit8.h"
#include "platform/classlib/WideText.h"
#include "platform/tvcard/TvCard.h"

#include <memory>

namespace tvtesting {

// The card's inputs, as the strip names them by their connector types.
constexpr long kTunerInput = 1;
constexpr long kCompositeInput = 2;
constexpr long kSVideoInput = 3;

inline const classlib::String kCard = classlib::FromWide(kTvCardVideoName);
inline const classlib::String kCardAudio = classlib::FromWide(kTvCardAudioName);

inline void Pump(DWORD Milliseconds) {
  const ULONGLONG end = GetTickCount64() + Milliseconds;
  do {
    classlib::Application->ProcessMessages();
    Sleep(10);
  } while (GetTickCount64() < end);
}

// The card's filters alive in this process, as the card's DLL counts them.
inline LONG LiveFilters() {
  HMODULE module = GetModuleHandleW(kTvCardModule);
  if (!module) return 0;
  const auto count = reinterpret_cast<TTvCardLiveFilters>(
      reinterpret_cast<void (*)()>(GetProcAddress(module, kTvCardLiveFilters)));
  return count ? count() : -1;
}

// The card's state read through filters of its own, apart from the program's references.
inline LONG TunedChannel() {
  TComPtr<IAMTVTuner> tuner;
  CoCreateInstance(CLSID_TvCardTuner, nullptr, CLSCTX_INPROC_SERVER, IID_IAMTVTuner, tuner.PutVoid());
  LONG channel = -99, video = 0, audio = 0;
  if (tuner) tuner->get_Channel(&channel, &video, &audio);
  return channel;
}

inline void TuneCard(LONG Channel) {
  TComPtr<IAMTVTuner> tuner;
  CoCreateInstance(CLSID_TvCardTuner, nullptr, CLSCTX_INPROC_SERVER, IID_IAMTVTuner, tuner.PutVoid());
  if (tuner) tuner->put_Channel(Channel, -1, -1);
}

inline bool StripShows(HWND Window, int Channel, long Input) {
  const auto reading = apptesting::TScreenShot(Window).Strip();
  return reading && reading->Channel == Channel && reading->InputType == Input;
}

// Waits up to four seconds for the video in Window to show Channel from Input.
inline bool Shows(HWND Window, int Channel, long Input) {
  for (int attempt = 0; attempt < 40; ++attempt) {
    Pump(100);
    if (StripShows(Window, Channel, Input)) return true;
  }
  return false;
}

class TTvPageFixture : public ::testing::Test {
protected:
  void SetUp() override {
    CoInitialize(nullptr);
    ASSERT_EQ(FindFirstDevice(CLSID_VideoInputDeviceCategory).Name, kCard) << "the build's prefix lists the TV card";
    WriteConfig(kCard, "Video Tuner");
    Form->ConfigFile = Dir.windowsFile("config.ini");
    Form1 = Form.get();
    Form8 = FullScreen.get();
    Form10 = Devices.get();
    // Windows of tests running beside this one must not cover what is read from the screen.
    Form->Show();
    SetWindowPos(Form->Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    Pump(100);
  }
  void TearDown() override {
    Form->Homme1Click(nullptr);
    Form1 = nullptr;
    Form8 = nullptr;
    Form10 = nullptr;
    UseSettings({});
  }

  // The settings file; Extra is appended to it (more sections).
  void WriteConfig(const classlib::String& Device, const classlib::String& Source, const classlib::String& Extra = "") {
    testing_support::WriteUnixFile(Dir.unixFile("config.ini"),
                                   "[Device]\r\nVideo Device=" + Device + "\r\nCapture Source=" + Source +
                                       "\r\nAudio Device=" + kCardAudio +
                                       "\r\nAudio Source=Audio Tuner\r\n[work Path]\r\nDefault Pic=C:\\Pics\\\r\n" +
                                       Extra + "[flag]\r\nflag=0\r\n");
  }

  HWND VideoPanel() const { return Form->Panel1->Handle(); }

  testing_support::TempDir Dir;
  std::unique_ptr<TForm10> Devices = apptesting::MakeForm<TForm10>();
  std::unique_ptr<TForm8> FullScreen = apptesting::MakeForm<TForm8>();
  std::unique_ptr<TForm1> Form = apptesting::MakeForm<TForm1>();
};

}  // namespace tvtesting
