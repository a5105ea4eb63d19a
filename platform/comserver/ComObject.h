// Reference counting for a COM server DLL's objects, and a count of the objects alive, which decides
// whether the DLL may be unloaded. Each DLL links its own copy of the count.
#pragma once

#include "platform/comserver/ComRef.h"

#include <objbase.h>

#include <atomic>

namespace comserver {

// Objects alive plus the server locks clients hold (IClassFactory::LockServer).
std::atomic<LONG>& ServerReferences();

// An object implementing Interfaces, created with one reference held by its creator.
template <class... Interfaces>
class TComObject : public Interfaces... {
public:
  TComObject(const TComObject&) = delete;
  TComObject& operator=(const TComObject&) = delete;

  STDMETHODIMP QueryInterface(REFIID Iid, void** Object) override {
    if (!Object) return E_POINTER;
    *Object = Interface(Iid);
    if (!*Object) return E_NOINTERFACE;
    AddRef();
    return S_OK;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return ++FReferences; }
  STDMETHODIMP_(ULONG) Release() override {
    const ULONG left = --FReferences;
    if (left == 0) delete this;
    return left;
  }

protected:
  TComObject() { ++ServerReferences(); }
  virtual ~TComObject() { --ServerReferences(); }
  // The object's interface Iid, or null when it has none.
  virtual void* Interface(REFIID Iid) = 0;

private:
  std::atomic<ULONG> FReferences{1};
};

}  // namespace comserver
