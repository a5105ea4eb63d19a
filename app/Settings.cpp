#include "app/Settings.h"

#include "platform/classlib/IniFiles.h"
#include "platform/classlib/SysUtils.h"
#include "platform/classlib/WideText.h"

#include <utility>

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

namespace {

void WriteDeviceKeys(const String& IniPath, const TDeviceSettings& Devices, bool SkipEmpty) {
  TIniFile ini(IniPath);
  const std::pair<const char*, const String*> keys[] = {{"Video Device", &Devices.VideoDevice},
                                                        {"Capture Source", &Devices.CaptureSource},
                                                        {"Audio Device", &Devices.AudioDevice},
                                                        {"Audio Source", &Devices.AudioSource}};
  for (const auto& [key, value] : keys)
    if (!SkipEmpty || !value->empty()) ini.WriteString(kDeviceSection, key, *value);
}

}  // namespace

void WriteDeviceSettings(const String& IniPath, const TDeviceSettings& Devices) {
  WriteDeviceKeys(IniPath, Devices, false);
}

void WriteChosenDeviceSettings(const String& IniPath, const TDeviceSettings& Devices) {
  WriteDeviceKeys(IniPath, Devices, true);
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
