#include "app/Settings.h"

#include "platform/classlib/IniFiles.h"
#include "platform/classlib/SysUtils.h"
#include "platform/classlib/WideText.h"

using namespace classlib;

String VideoDeviceName;
String AudioDeviceName;
String CaptureSourceName;
String AudioSourceName;
String CaptureFolder;

namespace {

const String kDeviceSection = "Device";
const String kWorkPathSection = "work Path";
const String kFlagSection = "flag";

String ExecutableFolder() {
  WideString path(MAX_PATH, 0);
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length < path.size()) {
      path.resize(length);
      break;
    }
    path.assign(path.size() * 2, 0);
  }
  return ExtractFilePath(FromWide(path));
}

}  // namespace

String ConfigFilePath() { return ExecutableFolder() + "\\config.ini"; }

TSettings ReadSettings(const String& IniPath) {
  TIniFile ini(IniPath);
  TSettings settings;
  settings.Devices.VideoDevice = ini.ReadString(kDeviceSection, "Video Device", "");
  settings.Devices.AudioDevice = ini.ReadString(kDeviceSection, "Audio Device", "");
  settings.Devices.CaptureSource = ini.ReadString(kDeviceSection, "Capture Source", "");
  settings.Devices.AudioSource = ini.ReadString(kDeviceSection, "Audio Source", "");
  settings.TvCapture = ini.ReadString(kWorkPathSection, "TV Capture", "");
  settings.DefaultPic = ini.ReadString(kWorkPathSection, "Default Pic", "");
  settings.Flag = ini.ReadInteger(kFlagSection, "flag", 1);
  return settings;
}

void WriteDeviceSettings(const String& IniPath, const TDeviceSettings& Devices) {
  TIniFile ini(IniPath);
  ini.WriteString(kDeviceSection, "Video Device", Devices.VideoDevice);
  ini.WriteString(kDeviceSection, "Capture Source", Devices.CaptureSource);
  ini.WriteString(kDeviceSection, "Audio Device", Devices.AudioDevice);
  ini.WriteString(kDeviceSection, "Audio Source", Devices.AudioSource);
}

void WriteFirstRunFlag(const String& IniPath, int Flag) { TIniFile(IniPath).WriteInteger(kFlagSection, "flag", Flag); }

void WriteDefaultPic(const String& IniPath, const String& Folder) {
  TIniFile(IniPath).WriteString(kWorkPathSection, "Default Pic", Folder);
}

void WriteTvCapture(const String& IniPath, const String& Folder) {
  TIniFile(IniPath).WriteString(kWorkPathSection, "TV Capture", Folder);
}

void UseSettings(const TSettings& Settings) {
  VideoDeviceName = Settings.Devices.VideoDevice;
  AudioDeviceName = Settings.Devices.AudioDevice;
  CaptureSourceName = Settings.Devices.CaptureSource;
  AudioSourceName = Settings.Devices.AudioSource;
  CaptureFolder = Settings.TvCapture;
}
