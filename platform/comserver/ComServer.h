// The common half of an in-process COM server DLL: a class factory per entry of the DLL's class
// table, the table's registration under HKEY_CLASSES_ROOT, and the bodies of the DLL's exports.
#pragma once

#include "platform/comserver/ComObject.h"

#include <span>

namespace comserver {

struct TServerClass {
  const CLSID& Class;
  const WCHAR* Name;
  // A new object with one reference, or null with Result saying why.
  IUnknown* (*Create)(HRESULT& Result);
  // The device category listing the class, if any, and its name there.
  const CLSID* Category = nullptr;
  const WCHAR* FriendlyName = nullptr;
};

// A registry key under HKEY_CLASSES_ROOT, created for writing.
class TRegistryKey {
public:
  explicit TRegistryKey(const WCHAR* Path);
  ~TRegistryKey();
  TRegistryKey(const TRegistryKey&) = delete;
  TRegistryKey& operator=(const TRegistryKey&) = delete;

  // Sets a text value (Name null: the key's default value); false on any failure so far.
  bool Set(const WCHAR* Name, const WCHAR* Text);

private:
  HKEY FKey = nullptr;
  LONG FStatus;
};

// DllGetClassObject: the class factory of Class from Classes.
HRESULT GetClassObject(std::span<const TServerClass> Classes, REFCLSID Class, REFIID Iid, void** Object);
// DllCanUnloadNow.
HRESULT CanUnloadNow();
// DllRegisterServer: every class with this module as its in-process server, "Both" threaded, and
// listed under its device category where it has one.
HRESULT RegisterServer(std::span<const TServerClass> Classes);

}  // namespace comserver
