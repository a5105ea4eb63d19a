#include "platform/tvcard/Filter.h"

#include "platform/tvcard/Pins.h"

#include <algorithm>

namespace tvcard {

std::atomic<LONG>& LiveFilters() {
  static std::atomic<LONG> count{0};
  return count;
}

TFilter::TFilter(const CLSID& Class) : FClass(Class) { ++LiveFilters(); }

TFilter::~TFilter() { --LiveFilters(); }

void* TFilter::Interface(REFIID Iid) {
  if (Iid == IID_IUnknown || Iid == IID_IPersist || Iid == IID_IMediaFilter || Iid == IID_IBaseFilter)
    return static_cast<IBaseFilter*>(this);
  return nullptr;
}

bool TFilter::IsStopped() const {
  const std::lock_guard guard(FLock);
  return FState == State_Stopped;
}

STDMETHODIMP TFilter::GetClassID(CLSID* Class) {
  if (!Class) return E_POINTER;
  *Class = FClass;
  return S_OK;
}

STDMETHODIMP TFilter::Stop() {
  const std::lock_guard guard(FLock);
  if (FState == State_Running) Halt();
  if (FState != State_Stopped) Deactivate();
  FState = State_Stopped;
  return S_OK;
}

STDMETHODIMP TFilter::Pause() {
  const std::lock_guard guard(FLock);
  if (FState == State_Running) Halt();
  if (FState == State_Stopped) Activate();
  FState = State_Paused;
  return IsLive() ? VFW_S_CANT_CUE : S_OK;
}

STDMETHODIMP TFilter::Run(REFERENCE_TIME StartTime) {
  const std::lock_guard guard(FLock);
  if (FState == State_Running) return S_OK;
  if (FState == State_Stopped) Activate();
  REFERENCE_TIME now = 0;
  if (FClock && SUCCEEDED(FClock->GetTime(&now))) now = std::max<REFERENCE_TIME>(now - StartTime, 0);
  else now = 0;
  FState = State_Running;
  Start(now);
  return S_OK;
}

STDMETHODIMP TFilter::GetState(DWORD, FILTER_STATE* State) {
  if (!State) return E_POINTER;
  const std::lock_guard guard(FLock);
  *State = FState;
  return FState == State_Paused && IsLive() ? VFW_S_CANT_CUE : S_OK;
}

STDMETHODIMP TFilter::SetSyncSource(IReferenceClock* Clock) {
  const std::lock_guard guard(FLock);
  FClock = TComRef<IReferenceClock>(Clock);
  return S_OK;
}

STDMETHODIMP TFilter::GetSyncSource(IReferenceClock** Clock) {
  if (!Clock) return E_POINTER;
  const std::lock_guard guard(FLock);
  *Clock = TComRef<IReferenceClock>(FClock).Detach();
  return S_OK;
}

STDMETHODIMP TFilter::EnumPins(IEnumPins** Pins) {
  if (!Pins) return E_POINTER;
  *Pins = new TPinEnum(*this);
  return S_OK;
}

STDMETHODIMP TFilter::FindPin(LPCWSTR Id, IPin** Pin) {
  if (!Id || !Pin) return E_POINTER;
  *Pin = nullptr;
  for (int index = 0; index < PinCount(); ++index) {
    if (lstrcmpW(PinAt(index).Name(), Id) == 0) {
      *Pin = &PinAt(index);
      (*Pin)->AddRef();
      return S_OK;
    }
  }
  return VFW_E_NOT_FOUND;
}

STDMETHODIMP TFilter::QueryFilterInfo(FILTER_INFO* Info) {
  if (!Info) return E_POINTER;
  const std::lock_guard guard(FLock);
  lstrcpynW(Info->achName, FName, MAX_FILTER_NAME);
  Info->pGraph = FGraph;
  if (FGraph) FGraph->AddRef();
  return S_OK;
}

STDMETHODIMP TFilter::JoinFilterGraph(IFilterGraph* Graph, LPCWSTR Name) {
  {
    const std::lock_guard guard(FLock);
    FGraph = Graph;
    lstrcpynW(FName, Name ? Name : L"", MAX_FILTER_NAME);
  }
  GraphJoined(Graph);
  return S_OK;
}

STDMETHODIMP TFilter::QueryVendorInfo(LPWSTR*) { return E_NOTIMPL; }

TPinEnum::TPinEnum(TFilter& Filter, int Position)
    : FReference(static_cast<IBaseFilter*>(&Filter)), FFilter(Filter), FPosition(Position) {}

void* TPinEnum::Interface(REFIID Iid) {
  if (Iid == IID_IUnknown || Iid == IID_IEnumPins) return static_cast<IEnumPins*>(this);
  return nullptr;
}

STDMETHODIMP TPinEnum::Next(ULONG Count, IPin** Pins, ULONG* Fetched) {
  if (!Pins || (Count > 1 && !Fetched)) return E_POINTER;
  ULONG done = 0;
  while (done < Count && FPosition < FFilter.PinCount()) {
    Pins[done] = &FFilter.PinAt(FPosition++);
    Pins[done++]->AddRef();
  }
  if (Fetched) *Fetched = done;
  return done == Count ? S_OK : S_FALSE;
}

STDMETHODIMP TPinEnum::Skip(ULONG Count) {
  const int left = FFilter.PinCount() - FPosition;
  FPosition += static_cast<int>(std::min<ULONG>(Count, static_cast<ULONG>(left)));
  return Count <= static_cast<ULONG>(left) ? S_OK : S_FALSE;
}

STDMETHODIMP TPinEnum::Reset() {
  FPosition = 0;
  return S_OK;
}

STDMETHODIMP TPinEnum::Clone(IEnumPins** Copy) {
  if (!Copy) return E_POINTER;
  *Copy = new TPinEnum(FFilter, FPosition);
  return S_OK;
}

}  // namespace tvcard
