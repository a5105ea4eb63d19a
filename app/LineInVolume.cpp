#include "app/LineInVolume.h"

#include "app/Unit1.h"
#include "app/Settings.h"
#include "platform/classlib/WideText.h"

using namespace classlib;

namespace {

// A mixer opened for one device's steps, closed when they are done.
class TOpenMixer {
public:
  explicit TOpenMixer(UINT Device) {
    if (mixerOpen(&FMixer, Device, 0, 0, 0) != MMSYSERR_NOERROR) FMixer = nullptr;
  }
  ~TOpenMixer() {
    if (FMixer) mixerClose(FMixer);
  }
  TOpenMixer(const TOpenMixer&) = delete;
  TOpenMixer& operator=(const TOpenMixer&) = delete;

  HMIXER Handle() const { return FMixer; }

private:
  HMIXER FMixer = nullptr;
};

HMIXEROBJ AsObject(HMIXER Mixer) { return reinterpret_cast<HMIXEROBJ>(Mixer); }

}  // namespace

bool GetLineInVolumeControl(HMIXER Mixer, DWORD ComponentType, DWORD ControlType, MIXERCONTROLA& Control) {
  MIXERLINEA line{};
  line.cbStruct = sizeof line;
  line.dwComponentType = ComponentType;
  if (mixerGetLineInfoA(AsObject(Mixer), &line, MIXER_OBJECTF_HMIXER | MIXER_GETLINEINFOF_COMPONENTTYPE) !=
      MMSYSERR_NOERROR)
    return false;
  MIXERLINECONTROLSA controls{};
  controls.cbStruct = sizeof controls;
  controls.dwLineID = line.dwLineID;
  controls.dwControlType = ControlType;
  controls.cControls = 1;
  controls.cbmxctrl = sizeof Control;
  controls.pamxctrl = &Control;
  Control.cbStruct = sizeof Control;
  return mixerGetLineControlsA(AsObject(Mixer), &controls, MIXER_OBJECTF_HMIXER | MIXER_GETLINECONTROLSF_ONEBYTYPE) ==
         MMSYSERR_NOERROR;
}

DWORD GetMixerControlValue(HMIXER Mixer, const MIXERCONTROLA& Control) {
  MIXERCONTROLDETAILS_UNSIGNED value{};
  MIXERCONTROLDETAILS details{};
  details.cbStruct = sizeof details;
  details.dwControlID = Control.dwControlID;
  details.cChannels = 1;
  details.cbDetails = sizeof value;
  details.paDetails = &value;
  if (mixerGetControlDetailsA(AsObject(Mixer), &details, MIXER_OBJECTF_HMIXER | MIXER_GETCONTROLDETAILSF_VALUE) !=
      MMSYSERR_NOERROR)
    return kNoControlValue;
  return value.dwValue;
}

bool SetMixerControlValue(HMIXER Mixer, const MIXERCONTROLA& Control, DWORD Value) {
  MIXERCONTROLDETAILS_UNSIGNED value{Value};
  MIXERCONTROLDETAILS details{};
  details.cbStruct = sizeof details;
  details.dwControlID = Control.dwControlID;
  details.cChannels = 1;
  details.cbDetails = sizeof value;
  details.paDetails = &value;
  return mixerSetControlDetails(AsObject(Mixer), &details, MIXER_OBJECTF_HMIXER | MIXER_SETCONTROLDETAILSF_VALUE) ==
         MMSYSERR_NOERROR;
}

std::optional<DWORD> SteppedLineInLevel(DWORD Current, DWORD Maximum, bool Raise) {
  if (Current == kNoControlValue || Maximum == 0) return std::nullopt;
  // Whole percent, truncated; the products are taken wide so that a large range cannot wrap.
  const auto percent = static_cast<DWORD>(std::uint64_t{Current} * 100 / Maximum);
  DWORD level = 0;
  if (Raise) level = percent + 10 > 90 ? 90 : percent + 10;
  else level = percent <= 20 ? 0 : percent - 10;
  return static_cast<DWORD>(std::uint64_t{level} * Maximum / 100);
}

void StepLineInVolume(const String& DeviceName, bool Raise) {
  const UINT devices = waveInGetNumDevs();
  for (UINT device = 0; device < devices; ++device) {
    WAVEINCAPSA caps{};
    if (waveInGetDevCapsA(device, &caps, sizeof caps) != MMSYSERR_NOERROR || FromAnsi(caps.szPname) != DeviceName)
      continue;
    const TOpenMixer mixer(device);
    MIXERCONTROLA control{};
    if (!mixer.Handle() || !GetLineInVolumeControl(mixer.Handle(), kLineInComponent, kVolumeControl, control))
      continue;
    const std::optional<DWORD> level =
        SteppedLineInLevel(GetMixerControlValue(mixer.Handle(), control), control.Bounds.dwMaximum, Raise);
    if (level) SetMixerControlValue(mixer.Handle(), control, *level);
  }
}

void TForm1::Label10Click(TObject*) { StepLineInVolume(AudioDeviceName, true); }
void TForm1::Label12Click(TObject*) { StepLineInVolume(AudioDeviceName, false); }
