// The capture card's sound reaches the sound card through its line input: the TV page's pad raises
// and lowers that input's volume by ten percentage points through the system's audio mixer.
#pragma once

#include "platform/classlib/Types.h"

#include <windows.h>
#include <mmsystem.h>

#include <cstdint>
#include <optional>

// MIXERLINE_COMPONENTTYPE_SRC_LINE and MIXERCONTROL_CONTROLTYPE_VOLUME.
constexpr DWORD kLineInComponent = 0x1002;
constexpr DWORD kVolumeControl = 0x50030001;
// What GetMixerControlValue gives when the mixer does not answer.
constexpr DWORD kNoControlValue = 0xFFFFFFFF;

// The control of type ControlType on the mixer's source line of type ComponentType.
bool GetLineInVolumeControl(HMIXER Mixer, DWORD ComponentType, DWORD ControlType, MIXERCONTROLA& Control);
// The control's value (its first channel's), or kNoControlValue.
DWORD GetMixerControlValue(HMIXER Mixer, const MIXERCONTROLA& Control);
bool SetMixerControlValue(HMIXER Mixer, const MIXERCONTROLA& Control, DWORD Value);

// The level one step up or down from Current, in whole percent of Maximum: up by ten but never
// above 90 %, down by ten but to 0 from 20 % or less. Nothing for a value the mixer did not give
// (kNoControlValue) or a control without a range (Maximum 0).
std::optional<DWORD> SteppedLineInLevel(DWORD Current, DWORD Maximum, bool Raise);

// Steps the line-input volume of every wave-input device named DeviceName (exactly, as the
// device's 31-character capabilities name gives it). A device whose mixer has no such line or
// control, or does not answer, is left alone; nothing is reported.
void StepLineInVolume(const classlib::String& DeviceName, bool Raise);
