// A crossbar with the given input pins (physical connector types) and one video decoder output,
// which notes the routes it is asked for.
#pragma once

#include <dshow.h>

#include <utility>
#include <vector>

class TFakeCrossbar : public IAMCrossbar {
public:
  explicit TFakeCrossbar(std::vector<LONG> Inputs) : FInputs(std::move(Inputs)) {}

  // What get_PinCounts answers; a failure gives no counts.
  HRESULT CountResult = S_OK;
  // The (output, input) pairs routed, in order.
  std::vector<std::pair<LONG, LONG>> Routes;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID Iid, void** Object) override {
    if (IsEqualIID(Iid, IID_IUnknown) || IsEqualIID(Iid, IID_IAMCrossbar)) {
      *Object = this;
      return S_OK;
    }
    *Object = nullptr;
    return E_NOINTERFACE;
  }
  // Lives on the test's stack: references are not counted.
  ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE get_PinCounts(LONG* Outputs, LONG* Inputs) override {
    if (FAILED(CountResult)) return CountResult;
    *Outputs = 1;
    *Inputs = static_cast<LONG>(FInputs.size());
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE CanRoute(LONG, LONG) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE Route(LONG Output, LONG Input) override {
    Routes.emplace_back(Output, Input);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_IsRoutedTo(LONG, LONG* Input) override {
    *Input = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_CrossbarPinInfo(BOOL IsInput, LONG Index, LONG* Related, LONG* Type) override {
    *Related = 0;
    if (!IsInput) {
      if (Index != 0) return E_INVALIDARG;
      *Type = 12;  // video decoder
      return S_OK;
    }
    if (Index < 0 || Index >= static_cast<LONG>(FInputs.size())) return E_INVALIDARG;
    *Type = FInputs[static_cast<size_t>(Index)];
    return S_OK;
  }

private:
  std::vector<LONG> FInputs;
};
