// The card's pins. Their references count on their filter, which owns them. TPin connects and
// carries no data (the analog links between tuner, crossbar and capture filter); TStreamPin is an
// output that pushes samples of its own making while the filter runs.
#pragma once

#include "platform/comserver/ComObject.h"

#include <dshow.h>

#include <mutex>

namespace tvcard {

using comserver::TComObject;
using comserver::TComRef;

class TFilter;

class TPin : public IPin {
public:
  TPin(TFilter& Owner, const WCHAR* Name, PIN_DIRECTION Direction, const AM_MEDIA_TYPE& Type);
  virtual ~TPin() = default;
  TPin(const TPin&) = delete;
  TPin& operator=(const TPin&) = delete;

  // IUnknown
  STDMETHODIMP QueryInterface(REFIID Iid, void** Object) override;
  STDMETHODIMP_(ULONG) AddRef() override;
  STDMETHODIMP_(ULONG) Release() override;
  // IPin
  STDMETHODIMP Connect(IPin* Receiver, const AM_MEDIA_TYPE* Type) override;
  STDMETHODIMP ReceiveConnection(IPin* Connector, const AM_MEDIA_TYPE* Type) override;
  STDMETHODIMP Disconnect() override;
  STDMETHODIMP ConnectedTo(IPin** Pin) override;
  STDMETHODIMP ConnectionMediaType(AM_MEDIA_TYPE* Type) override;
  STDMETHODIMP QueryPinInfo(PIN_INFO* Info) override;
  STDMETHODIMP QueryDirection(PIN_DIRECTION* Direction) override;
  STDMETHODIMP QueryId(LPWSTR* Id) override;
  STDMETHODIMP QueryAccept(const AM_MEDIA_TYPE* Type) override;
  STDMETHODIMP EnumMediaTypes(IEnumMediaTypes** Types) override;
  STDMETHODIMP QueryInternalConnections(IPin** Pins, ULONG* Count) override;
  STDMETHODIMP EndOfStream() override;
  STDMETHODIMP BeginFlush() override;
  STDMETHODIMP EndFlush() override;
  STDMETHODIMP NewSegment(REFERENCE_TIME Start, REFERENCE_TIME Stop, double Rate) override;

  const WCHAR* Name() const { return FName; }
  bool IsConnected() const;
  // Breaks the connection on both sides, whatever the filters' states.
  void Unplug();

protected:
  // Completes an output's connection once the receiver accepted it; a failure undoes it.
  virtual HRESULT ConnectionMade(IPin& /*Receiver*/) { return S_OK; }
  virtual void ConnectionBroken() {}
  virtual void* Interface(REFIID Iid);

  TFilter& FOwner;
  const AM_MEDIA_TYPE& FType;

private:
  WCHAR FName[MAX_PIN_NAME] = {};
  const PIN_DIRECTION FDirection;
  mutable std::mutex FLock;
  TComRef<IPin> FPeer;
};

class TStreamPin : public TPin, public IKsPropertySet {
public:
  // Samples of BufferSize bytes and Duration (100 ns units) each, of the pin category Category.
  TStreamPin(TFilter& Owner, const WCHAR* Name, const GUID& Category, const AM_MEDIA_TYPE& Type, LONG BufferSize,
             REFERENCE_TIME Duration);
  ~TStreamPin() override;

  // IUnknown, for both interfaces
  STDMETHODIMP QueryInterface(REFIID Iid, void** Object) override { return TPin::QueryInterface(Iid, Object); }
  STDMETHODIMP_(ULONG) AddRef() override { return TPin::AddRef(); }
  STDMETHODIMP_(ULONG) Release() override { return TPin::Release(); }
  // IKsPropertySet: the pin category, as capture graph builders ask for it
  STDMETHODIMP Set(REFGUID Set, DWORD Id, void* Instance, DWORD InstanceSize, void* Data, DWORD DataSize) override;
  STDMETHODIMP Get(REFGUID Set, DWORD Id, void* Instance, DWORD InstanceSize, void* Data, DWORD DataSize,
                   DWORD* Returned) override;
  STDMETHODIMP QuerySupported(REFGUID Set, DWORD Id, DWORD* Support) override;

  // The filter's state changes (see TFilter).
  void Activate();
  void Start(REFERENCE_TIME StreamTime);
  void Halt();
  void Deactivate();

protected:
  // Fills sample number Index (counted from the start of running) into Buffer of Size bytes and
  // returns the length of its data. Called on the pin's streaming thread only.
  virtual LONG Fill(BYTE* Buffer, LONG Size, LONGLONG Index) = 0;

private:
  HRESULT ConnectionMade(IPin& Receiver) override;
  void ConnectionBroken() override;
  void* Interface(REFIID Iid) override;
  HRESULT UseAllocator(IMemAllocator& Allocator, const ALLOCATOR_PROPERTIES& Wanted);
  static DWORD WINAPI Stream(void* Pin);
  void Push();
  void Join();

  const GUID FCategory;
  const LONG FBufferSize;
  const REFERENCE_TIME FDuration;
  TComRef<IMemInputPin> FReceiver;
  TComRef<IMemAllocator> FAllocator;
  HANDLE FQuit;
  HANDLE FThread = nullptr;
  REFERENCE_TIME FStreamTime = 0;
};

}  // namespace tvcard
