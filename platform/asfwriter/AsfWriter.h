// The project's Windows Media writer: a Winelib COM DLL holding a DirectShow filter that writes ASF
// files (WMV video and WMA audio, through libavcodec and libavformat) and a capture graph builder
// that hands that filter out for MEDIASUBTYPE_Asf. The prefix registers the builder as the TreatAs
// of CLSID_CaptureGraphBuilder2, so programs get it where they ask for the system's builder; it
// leaves every other call to Wine's own builder.
#pragma once

#include <objbase.h>

// The writer filter takes the class that Windows gives its WM ASF Writer (CLSID_WMAsfWriter in
// uuids.h), which Wine leaves free.
inline constexpr GUID CLSID_AsfCaptureGraphBuilder = {
    0x23faea23, 0xdfce, 0x4811, {0x9a, 0xec, 0x26, 0xdd, 0x56, 0xfa, 0xcb, 0xdb}};

// The one Windows Media system profile the writer knows; it is also the writer's profile until
// another is asked for.
inline constexpr GUID kAsfWriterProfile = {0x048439ba, 0x309c, 0x440e, {0x9c, 0xb4, 0x3d, 0xcc, 0xa3, 0x75, 0x64, 0x23}};

// The WM ASF Writer's configuration interface. Wine's headers have none, so it is declared here with
// the interface's published layout.
inline constexpr IID IID_IConfigAsfWriter = {0x45086030, 0xf7e4, 0x486a, {0xb5, 0x04, 0x82, 0x6b, 0xb5, 0x79, 0x2a, 0x3b}};

struct IWMProfile;

struct IConfigAsfWriter : public IUnknown {
  virtual HRESULT STDMETHODCALLTYPE ConfigureFilterUsingProfileId(DWORD ProfileId) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetCurrentProfileId(DWORD* ProfileId) = 0;
  virtual HRESULT STDMETHODCALLTYPE ConfigureFilterUsingProfileGuid(REFGUID Profile) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetCurrentProfileGuid(GUID* Profile) = 0;
  virtual HRESULT STDMETHODCALLTYPE ConfigureFilterUsingProfile(IWMProfile* Profile) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetCurrentProfile(IWMProfile** Profile) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetIndexMode(BOOL IndexFile) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetIndexMode(BOOL* IndexFile) = 0;
};

// The DLL's name, and its export counting the writer filters alive in the process, by which a
// program can check that a graph let its writer go (and so finished its file).
inline constexpr WCHAR kAsfWriterModule[] = L"asfwriter.dll";
inline constexpr char kAsfWriterLiveFilters[] = "AsfWriterLiveFilters";
using TAsfWriterLiveFilters = LONG(WINAPI*)();
