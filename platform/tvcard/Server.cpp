// The DLL's COM server: class objects for the card's filters, its registration (the classes, and the
// capture filters as devices of the video and audio input categories), and its exports.
#include "platform/tvcard/AudioCaptureFilter.h"
#include "platform/tvcard/CrossbarFilter.h"
#include "platform/tvcard/TunerFilter.h"
#include "platform/tvcard/TvCard.h"
#include "platform/tvcard/VideoCaptureFilter.h"

namespace tvcard {

std::atomic<LONG>& ServerReferences() {
  static std::atomic<LONG> count{0};
  return count;
}

namespace {

struct TClass {
  const CLSID& Class;
  const WCHAR* Name;
  IBaseFilter* (*Create)();
  const CLSID* Category;  // the device category listing it, if any
  const WCHAR* FriendlyName;
};

template <class Filter>
IBaseFilter* Create() {
  return new Filter;
}

const TClass kClasses[] = {
    {CLSID_TvCardVideoCapture, L"Tavrel TV Card Video Capture", Create<TVideoCaptureFilter>,
     &CLSID_VideoInputDeviceCategory, kTvCardVideoName},
    {CLSID_TvCardAudioCapture, L"Tavrel TV Card Audio Capture", Create<TAudioCaptureFilter>,
     &CLSID_AudioInputDeviceCategory, kTvCardAudioName},
    {CLSID_TvCardTuner, L"Tavrel TV Card Tuner", Create<TTunerFilter>, nullptr, nullptr},
    {CLSID_TvCardCrossbar, L"Tavrel TV Card Crossbar", Create<TCrossbarFilter>, nullptr, nullptr},
};

class TClassFactory final : public TComObject<IClassFactory> {
public:
  explicit TClassFactory(const TClass& Class) : FClass(Class) {}

  STDMETHODIMP CreateInstance(IUnknown* Outer, REFIID Iid, void** Object) override {
    if (!Object) return E_POINTER;
    *Object = nullptr;
    if (Outer) return CLASS_E_NOAGGREGATION;
    IBaseFilter* filter = FClass.Create();
    const HRESULT result = filter->QueryInterface(Iid, Object);
    filter->Release();
    return result;
  }
  STDMETHODIMP LockServer(BOOL Lock) override {
    if (Lock) ++ServerReferences();
    else --ServerReferences();
    return S_OK;
  }

private:
  void* Interface(REFIID Iid) override {
    if (Iid == IID_IUnknown || Iid == IID_IClassFactory) return static_cast<IClassFactory*>(this);
    return nullptr;
  }

  const TClass& FClass;
};

class TRegistryKey {
public:
  explicit TRegistryKey(const WCHAR* Path) {
    FStatus = RegCreateKeyExW(HKEY_CLASSES_ROOT, Path, 0, nullptr, 0, KEY_WRITE, nullptr, &FKey, nullptr);
  }
  ~TRegistryKey() {
    if (FStatus == ERROR_SUCCESS) RegCloseKey(FKey);
  }
  TRegistryKey(const TRegistryKey&) = delete;
  TRegistryKey& operator=(const TRegistryKey&) = delete;

  // Sets a text value (Name null: the key's default value); false on any failure so far.
  bool Set(const WCHAR* Name, const WCHAR* Text) {
    if (FStatus == ERROR_SUCCESS)
      FStatus = RegSetValueExW(FKey, Name, 0, REG_SZ, reinterpret_cast<const BYTE*>(Text),
                               static_cast<DWORD>((lstrlenW(Text) + 1) * sizeof(WCHAR)));
    return FStatus == ERROR_SUCCESS;
  }

private:
  HKEY FKey = nullptr;
  LONG FStatus;
};

bool Register(const TClass& Class, const WCHAR* ModulePath) {
  WCHAR id[40], path[160];
  StringFromGUID2(Class.Class, id, 40);
  wsprintfW(path, L"CLSID\\%s", id);
  if (!TRegistryKey(path).Set(nullptr, Class.Name)) return false;
  wsprintfW(path, L"CLSID\\%s\\InprocServer32", id);
  TRegistryKey server(path);
  if (!server.Set(nullptr, ModulePath) || !server.Set(L"ThreadingModel", L"Both")) return false;
  if (!Class.Category) return true;
  // The system device enumerator lists the entries under the category's Instance key.
  WCHAR category[40];
  StringFromGUID2(*Class.Category, category, 40);
  wsprintfW(path, L"CLSID\\%s\\Instance\\%s", category, id);
  TRegistryKey device(path);
  return device.Set(L"FriendlyName", Class.FriendlyName) && device.Set(L"CLSID", id);
}

}  // namespace

}  // namespace tvcard

using namespace tvcard;

extern "C" HRESULT WINAPI DllGetClassObject(REFCLSID Class, REFIID Iid, void** Object) {
  // Winelib work-around: a Winelib DLL cannot be loaded again once COM unloaded it, so it stays.
  static const bool pinned = [] {
    HMODULE module = nullptr;
    return GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_PIN | GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
                              reinterpret_cast<LPCWSTR>(&DllGetClassObject), &module) != FALSE;
  }();
  (void)pinned;
  if (!Object) return E_POINTER;
  *Object = nullptr;
  for (const TClass& entry : kClasses) {
    if (entry.Class != Class) continue;
    auto* factory = new TClassFactory(entry);
    const HRESULT result = factory->QueryInterface(Iid, Object);
    factory->Release();
    return result;
  }
  return CLASS_E_CLASSNOTAVAILABLE;
}

extern "C" HRESULT WINAPI DllCanUnloadNow() { return ServerReferences() == 0 ? S_OK : S_FALSE; }

extern "C" HRESULT WINAPI DllRegisterServer() {
  HMODULE module = nullptr;
  WCHAR modulePath[MAX_PATH];
  if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                          reinterpret_cast<LPCWSTR>(&DllRegisterServer), &module) ||
      !GetModuleFileNameW(module, modulePath, MAX_PATH))
    return E_FAIL;
  for (const TClass& entry : kClasses)
    if (!Register(entry, modulePath)) return SELFREG_E_CLASS;
  return S_OK;
}

extern "C" LONG WINAPI TvCardLiveFilters() { return LiveFilters(); }
