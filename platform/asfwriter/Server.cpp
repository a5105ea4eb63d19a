// The DLL's COM server: class objects for the writer filter and the capture graph builder, their
// registration (with the builder as the TreatAs of the system's), and the DLL's exports.
#include "platform/asfwriter/AsfWriter.h"
#include "platform/asfwriter/CaptureGraphBuilder.h"
#include "platform/asfwriter/WriterFilter.h"

#include <uuids.h>

namespace asfwriter {

namespace {

struct TClass {
  const CLSID& Class;
  const WCHAR* Name;
  // A new object with one reference, or null with Result saying why.
  IUnknown* (*Create)(HRESULT& Result);
};

IUnknown* CreateWriter(HRESULT& Result) {
  Result = S_OK;
  return static_cast<IBaseFilter*>(new TAsfWriterFilter);
}

IUnknown* CreateBuilder(HRESULT& Result) { return TCaptureGraphBuilder::Create(Result); }

const TClass kClasses[] = {
    {CLSID_WMAsfWriter, L"WM ASF Writer", CreateWriter},
    {CLSID_AsfCaptureGraphBuilder, L"Tavrel Capture Graph Builder", CreateBuilder},
};

class TClassFactory final : public TComObject<IClassFactory> {
public:
  explicit TClassFactory(const TClass& Class) : FClass(Class) {}

  STDMETHODIMP CreateInstance(IUnknown* Outer, REFIID Iid, void** Object) override {
    if (!Object) return E_POINTER;
    *Object = nullptr;
    if (Outer) return CLASS_E_NOAGGREGATION;
    HRESULT result = E_FAIL;
    IUnknown* object = FClass.Create(result);
    if (!object) return result;
    result = object->QueryInterface(Iid, Object);
    object->Release();
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
  return server.Set(nullptr, ModulePath) && server.Set(L"ThreadingModel", L"Both");
}

// CoCreateInstance of the system's capture graph builder makes ours; the system's own entry, which
// ours uses, stays as it is.
bool RegisterTreatAs() {
  WCHAR system[40], ours[40], path[160];
  StringFromGUID2(CLSID_CaptureGraphBuilder2, system, 40);
  StringFromGUID2(CLSID_AsfCaptureGraphBuilder, ours, 40);
  wsprintfW(path, L"CLSID\\%s\\TreatAs", system);
  return TRegistryKey(path).Set(nullptr, ours);
}

}  // namespace

}  // namespace asfwriter

using namespace asfwriter;

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
  return RegisterTreatAs() ? S_OK : SELFREG_E_CLASS;
}

extern "C" LONG WINAPI AsfWriterLiveFilters() { return LiveFilters(); }
