// What every filter of the card shares: identity, state, clock, graph membership and the listing of
// its pins.
#pragma once

#include "platform/comserver/ComObject.h"

#include <dshow.h>

#include <mutex>

namespace tvcard {

using comserver::TComObject;
using comserver::TComRef;

class TPin;

// Filters alive in the process, for TvCardLiveFilters.
std::atomic<LONG>& LiveFilters();

class TFilter : public TComObject<IBaseFilter> {
public:
  // IPersist
  STDMETHODIMP GetClassID(CLSID* Class) override;
  // IMediaFilter
  STDMETHODIMP Stop() override;
  STDMETHODIMP Pause() override;
  STDMETHODIMP Run(REFERENCE_TIME StartTime) override;
  STDMETHODIMP GetState(DWORD Timeout, FILTER_STATE* State) override;
  STDMETHODIMP SetSyncSource(IReferenceClock* Clock) override;
  STDMETHODIMP GetSyncSource(IReferenceClock** Clock) override;
  // IBaseFilter
  STDMETHODIMP EnumPins(IEnumPins** Pins) override;
  STDMETHODIMP FindPin(LPCWSTR Id, IPin** Pin) override;
  STDMETHODIMP QueryFilterInfo(FILTER_INFO* Info) override;
  STDMETHODIMP JoinFilterGraph(IFilterGraph* Graph, LPCWSTR Name) override;
  STDMETHODIMP QueryVendorInfo(LPWSTR* Info) override;

  bool IsStopped() const;
  virtual int PinCount() const = 0;
  virtual TPin& PinAt(int Index) = 0;

protected:
  explicit TFilter(const CLSID& Class);
  ~TFilter() override;
  void* Interface(REFIID Iid) override;

  // State changes for the pins, called with the state lock held: leaving Stopped, entering Running
  // (with the stream time the clock shows), leaving Running, and entering Stopped.
  virtual void Activate() {}
  virtual void Start(REFERENCE_TIME /*StreamTime*/) {}
  virtual void Halt() {}
  virtual void Deactivate() {}
  // A live source has nothing to show while paused, so a graph must not wait for it to cue.
  virtual bool IsLive() const { return false; }
  // After the filter joined Graph, or left its graph (null).
  virtual void GraphJoined(IFilterGraph* /*Graph*/) {}

private:
  const CLSID FClass;
  mutable std::recursive_mutex FLock;
  FILTER_STATE FState = State_Stopped;
  TComRef<IReferenceClock> FClock;
  IFilterGraph* FGraph = nullptr;  // the graph holds the filter, not the other way round
  WCHAR FName[MAX_FILTER_NAME] = {};
};

// Lists a filter's pins; holds a reference on the filter while it lives.
class TPinEnum final : public TComObject<IEnumPins> {
public:
  TPinEnum(TFilter& Filter, int Position = 0);

  STDMETHODIMP Next(ULONG Count, IPin** Pins, ULONG* Fetched) override;
  STDMETHODIMP Skip(ULONG Count) override;
  STDMETHODIMP Reset() override;
  STDMETHODIMP Clone(IEnumPins** Copy) override;

private:
  void* Interface(REFIID Iid) override;

  TComRef<IBaseFilter> FReference;
  TFilter& FFilter;
  int FPosition;
};

}  // namespace tvcard
