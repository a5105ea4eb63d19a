// Reference counting for a COM server DLL's objects, and a count of the objects alive, which decides
// whether the DLL may be unloaded. Each DLL links its own copy of the count.
#pragma once

#include <objbase.h>

#include <atomic>
#include <utility>

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

// An owned reference to an interface.
template <class I>
class TComRef {
public:
  TComRef() = default;
  // Takes a new reference to Pointer.
  explicit TComRef(I* Pointer) : FPointer(Pointer) {
    if (FPointer) FPointer->AddRef();
  }
  ~TComRef() { Reset(); }
  TComRef(const TComRef& Other) : TComRef(Other.FPointer) {}
  TComRef& operator=(const TComRef& Other) {
    TComRef(Other).Swap(*this);
    return *this;
  }

  I* Get() const { return FPointer; }
  I* operator->() const { return FPointer; }
  explicit operator bool() const { return FPointer != nullptr; }
  void Reset() {
    if (FPointer) std::exchange(FPointer, nullptr)->Release();
  }
  // The slot for a call that hands out a new reference.
  I** Put() {
    Reset();
    return &FPointer;
  }
  void** PutVoid() { return reinterpret_cast<void**>(Put()); }
  // A new reference for a caller's out parameter.
  I* Detach() { return std::exchange(FPointer, nullptr); }
  void Swap(TComRef& Other) { std::swap(FPointer, Other.FPointer); }

private:
  I* FPointer = nullptr;
};

}  // namespace comserver
