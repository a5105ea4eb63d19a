// config.ini, the settings file beside the program: the capture devices and their inputs, the work
// folders and the first-run flag; and the copies of those settings that the program's units share.
#pragma once

#include "platform/classlib/Types.h"

// The settings in use: read at start-up, changed by the device detection and the folder choices.
// (The slide show's folder is the main window's own field.)
extern classlib::String VideoDeviceName;
extern classlib::String AudioDeviceName;
extern classlib::String CaptureSourceName;
extern classlib::String AudioSourceName;
extern classlib::String CaptureFolder;

// The four keys of section "Device".
struct TDeviceSettings {
  classlib::String VideoDevice;
  classlib::String CaptureSource;
  classlib::String AudioDevice;
  classlib::String AudioSource;
};

// What config.ini holds; a missing file or key reads as its default.
struct TSettings {
  TDeviceSettings Devices;
  classlib::String TvCapture;   // prefix of TV recording names, a folder ending in "\"
  classlib::String DefaultPic;  // the slide show's folder, stored with a trailing "\"
  int Flag = 1;                 // 1 asks for the first-run capture-device detection
};

// config.ini in the folder of the program's executable. That folder path ends in "\" and one more
// "\" is put before the name; the platform takes the doubled separator as one.
classlib::String ConfigFilePath();

// Reads the seven keys. A value of "flag" that is no integer reads as 1.
TSettings ReadSettings(const classlib::String& IniPath);

// Each writer raises EIniFileException when the platform refuses a write; the first write creates
// the file. The device keys go in the order "Video Device", "Capture Source", "Audio Device",
// "Audio Source".
void WriteDeviceSettings(const classlib::String& IniPath, const TDeviceSettings& Devices);
// The same for the user's choice, but a key whose value is empty is left as the file holds it: an
// empty list (no device, or the TV page not visited yet) chooses nothing.
void WriteChosenDeviceSettings(const classlib::String& IniPath, const TDeviceSettings& Devices);
void WriteFirstRunFlag(const classlib::String& IniPath, int Flag);
void WriteDefaultPic(const classlib::String& IniPath, const classlib::String& Folder);
void WriteTvCapture(const classlib::String& IniPath, const classlib::String& Folder);

// Takes the devices and the capture folder read into the shared settings.
void UseSettings(const TSettings& Settings);
