// An owned reference to a COM interface: released when the holder goes, copied with a new reference.
#pragma once

#include <objbase.h>

#include <utility>

namespace comserver {

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
