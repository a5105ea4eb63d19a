#include "platform/comserver/ComServer.h"

#include <olectl.h>

namespace comserver {

std::atomic<LONG>& ServerReferences() {
  static std::atomic<LONG> count{0};
  return count;
}

namespace {

class TClassFactory final : public TComObject<IClassFactory> {
public:
  explicit TClassFactory(const TServerClass& Class) : FClass(Class) {}

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

  const TServerClass& FClass;
};

// The module this code is linked into.
HMODULE ThisModule() {
  HMODULE module = nullptr;
  GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCWSTR>(&ThisModule), &module);
  return module;
}

bool Register(const TServerClass& Class, const WCHAR* ModulePath) {
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

TRegistryKey::TRegistryKey(const WCHAR* Path) {
  FStatus = RegCreateKeyExW(HKEY_CLASSES_ROOT, Path, 0, nullptr, 0, KEY_WRITE, nullptr, &FKey, nullptr);
}

TRegistryKey::~TRegistryKey() {
  if (FStatus == ERROR_SUCCESS) RegCloseKey(FKey);
}

bool TRegistryKey::Set(const WCHAR* Name, const WCHAR* Text) {
  if (FStatus == ERROR_SUCCESS)
    FStatus = RegSetValueExW(FKey, Name, 0, REG_SZ, reinterpret_cast<const BYTE*>(Text),
                             static_cast<DWORD>((lstrlenW(Text) + 1) * sizeof(WCHAR)));
  return FStatus == ERROR_SUCCESS;
}

HRESULT GetClassObject(std::span<const TServerClass> Classes, REFCLSID Class, REFIID Iid, void** Object) {
  // Winelib work-around: a Winelib DLL cannot be loaded again once COM unloaded it, so it stays.
  static const bool pinned = [] {
    HMODULE module = nullptr;
    return GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_PIN | GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
                              reinterpret_cast<LPCWSTR>(&ThisModule), &module) != FALSE;
  }();
  (void)pinned;
  if (!Object) return E_POINTER;
  *Object = nullptr;
  for (const TServerClass& entry : Classes) {
    if (entry.Class != Class) continue;
    auto* factory = new TClassFactory(entry);
    const HRESULT result = factory->QueryInterface(Iid, Object);
    factory->Release();
    return result;
  }
  return CLASS_E_CLASSNOTAVAILABLE;
}

HRESULT CanUnloadNow() { return ServerReferences() == 0 ? S_OK : S_FALSE; }

HRESULT RegisterServer(std::span<const TServerClass> Classes) {
  WCHAR modulePath[MAX_PATH];
  const HMODULE module = ThisModule();
  if (!module || !GetModuleFileNameW(module, modulePath, MAX_PATH)) return E_FAIL;
  for (const TServerClass& entry : Classes)
    if (!Register(entry, modulePath)) return SELFREG_E_CLASS;
  return S_OK;
}

}  // namespace comserver
