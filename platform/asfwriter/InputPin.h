// The writer's input pins: one takes pictures, the other sound. Their references count on the
// writer, which owns them; what they receive goes to the writer's file.
#pragma once

#include "platform/comserver/ComObject.h"

#include <dshow.h>

#include <mutex>

namespace asfwriter {

using comserver::TComObject;
using comserver::TComRef;

class TAsfWriterFilter;

enum class TStreamKind { Video, Audio };

class TInputPin final : public IPin, public IMemInputPin {
public:
  TInputPin(TAsfWriterFilter& Owner, const WCHAR* Name, TStreamKind Kind);
  ~TInputPin();
  TInputPin(const TInputPin&) = delete;
  TInputPin& operator=(const TInputPin&) = delete;

  // IUnknown, for both interfaces
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
  // IMemInputPin
  STDMETHODIMP GetAllocator(IMemAllocator** Allocator) override;
  STDMETHODIMP NotifyAllocator(IMemAllocator* Allocator, BOOL ReadOnly) override;
  STDMETHODIMP GetAllocatorRequirements(ALLOCATOR_PROPERTIES* Properties) override;
  STDMETHODIMP Receive(IMediaSample* Sample) override;
  STDMETHODIMP ReceiveMultiple(IMediaSample** Samples, LONG Count, LONG* Processed) override;
  STDMETHODIMP ReceiveCanBlock() override;

  const WCHAR* Name() const { return FName; }
  // The connection's media type, copied into Type; false when the pin is not connected.
  bool ConnectionType(AM_MEDIA_TYPE& Type) const;

private:
  bool Accepts(const AM_MEDIA_TYPE& Type) const;

  TAsfWriterFilter& FOwner;
  const TStreamKind FKind;
  WCHAR FName[MAX_PIN_NAME] = {};
  mutable std::mutex FLock;
  TComRef<IPin> FPeer;
  AM_MEDIA_TYPE FType{};
  TComRef<IMemAllocator> FAllocator;
  HANDLE FFlushing;  // set from BeginFlush to EndFlush
};

// Lists no media type: the pins take what their sources offer.
class TNoMediaTypes final : public TComObject<IEnumMediaTypes> {
public:
  STDMETHODIMP Next(ULONG Count, AM_MEDIA_TYPE** Types, ULONG* Fetched) override;
  STDMETHODIMP Skip(ULONG Count) override;
  STDMETHODIMP Reset() override;
  STDMETHODIMP Clone(IEnumMediaTypes** Copy) override;

private:
  void* Interface(REFIID Iid) override;
};

}  // namespace asfwriter
