// The simulated analog TV card: a Winelib COM DLL of DirectShow filters (video capture with its TV
// tuner and crossbar, and audio capture) that the project's Wine prefix lists under the video and
// audio input device categories, so programs find it as they find a real card.
#pragma once

#include <windows.h>

// The filters' classes. The capture filters are the devices the system device enumerator lists; the
// video capture filter adds its tuner and crossbar to the graph it joins.
inline constexpr GUID CLSID_TvCardVideoCapture = {0x5183de3d, 0x548b, 0x42df, {0x97, 0x16, 0x1d, 0xc9, 0x0b, 0x54, 0x38, 0x1f}};
inline constexpr GUID CLSID_TvCardAudioCapture = {0x80e4001a, 0x4be3, 0x4855, {0xbe, 0xce, 0x7d, 0xe2, 0xad, 0xbc, 0x36, 0x2a}};
inline constexpr GUID CLSID_TvCardTuner = {0x69a73a61, 0x0787, 0x4f9f, {0xb3, 0x08, 0xca, 0xa8, 0x56, 0xf5, 0x6b, 0x2b}};
inline constexpr GUID CLSID_TvCardCrossbar = {0xed98f382, 0x28ab, 0x464b, {0x81, 0x17, 0x38, 0x84, 0xf6, 0x53, 0x8e, 0x28}};

// The devices' "FriendlyName"s.
inline constexpr WCHAR kTvCardVideoName[] = L"Tavrel TV Card";
inline constexpr WCHAR kTvCardAudioName[] = L"Tavrel TV Card Audio";

// The DLL's name, and its export counting the card's filters alive in the process (each tuner,
// crossbar and capture filter), by which a program can check that a graph let them all go.
inline constexpr WCHAR kTvCardModule[] = L"tvcard.dll";
inline constexpr char kTvCardLiveFilters[] = "TvCardLiveFilters";
using TTvCardLiveFilters = LONG(WINAPI*)();
