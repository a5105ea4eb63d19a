// An owned reference to a COM interface: released when the holder goes or takes another.
#pragma once

#include <objbase.h>

#include <utility>

template <class I>
class TComPtr {
public:
  TComPtr() = default;
  ~TComPtr() { Reset(); }
  TComPtr(const TComPtr&) = delete;
  TComPtr& operator=(const TComPtr&) = delete;
  TComPtr(TComPtr&& Other) noexcept : FInterface(std::exchange(Other.FInterface, nullptr)) {}
  TComPtr& operator=(TComPtr&& Other) noexcept {
    if (this != &Other) {
      Reset();
      FInterface = std::exchange(Other.FInterface, nullptr);
    }
    return *this;
  }

  I* Get() const { return FInterface; }
  I* operator->() const { return FInterface; }
  explicit operator bool() const { return FInterface != nullptr; }

  // Releases what is held and hands out the slot for a call that returns a new reference.
  I** Put() {
    Reset();
    return &FInterface;
  }
  void** PutVoid() { return reinterpret_cast<void**>(Put()); }

  void Reset() {
    if (FInterface) std::exchange(FInterface, nullptr)->Release();
  }

  // Another interface of the same object; empty when it has none (or nothing is held).
  template <class J>
  TComPtr<J> Query(REFIID Iid) const {
    TComPtr<J> result;
    if (FInterface) FInterface->QueryInterface(Iid, result.PutVoid());
    return result;
  }

private:
  I* FInterface = nullptr;
};
