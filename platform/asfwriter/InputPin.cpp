#include "platform/asfwriter/InputPin.h"

#include "platform/asfwriter/MediaFormats.h"
#include "platform/asfwriter/WriterFilter.h"

namespace asfwriter {

TInputPin::TInputPin(TAsfWriterFilter& Owner, const WCHAR* Name, TStreamKind Kind)
    : FOwner(Owner), FKind(Kind), FFlushing(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
  lstrcpynW(FName, Name, MAX_PIN_NAME);
}

TInputPin::~TInputPin() {
  FreeMediaType(FType);
  CloseHandle(FFlushing);
}

STDMETHODIMP TInputPin::QueryInterface(REFIID Iid, void** Object) {
  if (!Object) return E_POINTER;
  if (Iid == IID_IUnknown || Iid == IID_IPin) *Object = static_cast<IPin*>(this);
  else if (Iid == IID_IMemInputPin) *Object = static_cast<IMemInputPin*>(this);
  else *Object = nullptr;
  if (!*Object) return E_NOINTERFACE;
  AddRef();
  return S_OK;
}

STDMETHODIMP_(ULONG) TInputPin::AddRef() { return FOwner.AddRef(); }

STDMETHODIMP_(ULONG) TInputPin::Release() { return FOwner.Release(); }

bool TInputPin::Accepts(const AM_MEDIA_TYPE& Type) const {
  return FKind == TStreamKind::Video ? VideoSourceOf(Type).has_value() : AudioSourceOf(Type).has_value();
}

bool TInputPin::ConnectionType(AM_MEDIA_TYPE& Type) const {
  const std::lock_guard guard(FLock);
  return FPeer && SUCCEEDED(CopyMediaType(Type, FType));
}

STDMETHODIMP TInputPin::Connect(IPin*, const AM_MEDIA_TYPE*) { return E_UNEXPECTED; }

STDMETHODIMP TInputPin::ReceiveConnection(IPin* Connector, const AM_MEDIA_TYPE* Type) {
  if (!Connector || !Type) return E_POINTER;
  if (!FOwner.IsStopped()) return VFW_E_NOT_STOPPED;
  if (!Accepts(*Type)) return VFW_E_TYPE_NOT_ACCEPTED;
  const std::lock_guard guard(FLock);
  if (FPeer) return VFW_E_ALREADY_CONNECTED;
  AM_MEDIA_TYPE type{};
  if (FAILED(CopyMediaType(type, *Type))) return E_OUTOFMEMORY;
  FreeMediaType(FType);
  FType = type;
  FPeer = TComRef<IPin>(Connector);
  return S_OK;
}

STDMETHODIMP TInputPin::Disconnect() {
  if (!FOwner.IsStopped()) return VFW_E_NOT_STOPPED;
  const std::lock_guard guard(FLock);
  if (!FPeer) return S_FALSE;
  FPeer.Reset();
  FAllocator.Reset();
  FreeMediaType(FType);
  return S_OK;
}

STDMETHODIMP TInputPin::ConnectedTo(IPin** Pin) {
  if (!Pin) return E_POINTER;
  const std::lock_guard guard(FLock);
  *Pin = TComRef<IPin>(FPeer).Detach();
  return *Pin ? S_OK : VFW_E_NOT_CONNECTED;
}

STDMETHODIMP TInputPin::ConnectionMediaType(AM_MEDIA_TYPE* Type) {
  if (!Type) return E_POINTER;
  *Type = AM_MEDIA_TYPE{};
  const std::lock_guard guard(FLock);
  if (!FPeer) return VFW_E_NOT_CONNECTED;
  return CopyMediaType(*Type, FType);
}

STDMETHODIMP TInputPin::QueryPinInfo(PIN_INFO* Info) {
  if (!Info) return E_POINTER;
  Info->pFilter = &FOwner;
  FOwner.AddRef();
  Info->dir = PINDIR_INPUT;
  lstrcpynW(Info->achName, FName, MAX_PIN_NAME);
  return S_OK;
}

STDMETHODIMP TInputPin::QueryDirection(PIN_DIRECTION* Direction) {
  if (!Direction) return E_POINTER;
  *Direction = PINDIR_INPUT;
  return S_OK;
}

STDMETHODIMP TInputPin::QueryId(LPWSTR* Id) {
  if (!Id) return E_POINTER;
  const int size = (lstrlenW(FName) + 1) * static_cast<int>(sizeof(WCHAR));
  *Id = static_cast<LPWSTR>(CoTaskMemAlloc(size));
  if (!*Id) return E_OUTOFMEMORY;
  lstrcpyW(*Id, FName);
  return S_OK;
}

STDMETHODIMP TInputPin::QueryAccept(const AM_MEDIA_TYPE* Type) {
  if (!Type) return E_POINTER;
  return Accepts(*Type) ? S_OK : S_FALSE;
}

STDMETHODIMP TInputPin::EnumMediaTypes(IEnumMediaTypes** Types) {
  if (!Types) return E_POINTER;
  *Types = new TNoMediaTypes;
  return S_OK;
}

STDMETHODIMP TInputPin::QueryInternalConnections(IPin**, ULONG*) { return E_NOTIMPL; }

// The file takes the samples as they come: the end of a stream leaves nothing to do.
STDMETHODIMP TInputPin::EndOfStream() { return S_OK; }

// A flush frees a delivery waiting for the file and refuses the samples until it ends.
STDMETHODIMP TInputPin::BeginFlush() {
  SetEvent(FFlushing);
  return S_OK;
}

STDMETHODIMP TInputPin::EndFlush() {
  ResetEvent(FFlushing);
  return S_OK;
}

STDMETHODIMP TInputPin::NewSegment(REFERENCE_TIME, REFERENCE_TIME, double) { return S_OK; }

STDMETHODIMP TInputPin::GetAllocator(IMemAllocator** Allocator) {
  if (!Allocator) return E_POINTER;
  const std::lock_guard guard(FLock);
  if (!FAllocator &&
      FAILED(CoCreateInstance(CLSID_MemoryAllocator, nullptr, CLSCTX_INPROC_SERVER, IID_IMemAllocator,
                              FAllocator.PutVoid()))) {
    *Allocator = nullptr;
    return VFW_E_NO_ALLOCATOR;
  }
  *Allocator = TComRef<IMemAllocator>(FAllocator).Detach();
  return S_OK;
}

STDMETHODIMP TInputPin::NotifyAllocator(IMemAllocator* Allocator, BOOL) {
  if (!Allocator) return E_POINTER;
  const std::lock_guard guard(FLock);
  FAllocator = TComRef<IMemAllocator>(Allocator);
  return S_OK;
}

STDMETHODIMP TInputPin::GetAllocatorRequirements(ALLOCATOR_PROPERTIES*) { return E_NOTIMPL; }

STDMETHODIMP TInputPin::Receive(IMediaSample* Sample) {
  if (!Sample) return E_POINTER;
  return FOwner.Receive(FKind, *Sample, FFlushing);
}

STDMETHODIMP TInputPin::ReceiveMultiple(IMediaSample** Samples, LONG Count, LONG* Processed) {
  if (!Samples || !Processed) return E_POINTER;
  *Processed = 0;
  HRESULT result = S_OK;
  while (*Processed < Count && result == S_OK) {
    result = Receive(Samples[*Processed]);
    if (SUCCEEDED(result)) ++*Processed;
  }
  return result;
}

STDMETHODIMP TInputPin::ReceiveCanBlock() { return S_OK; }

void* TNoMediaTypes::Interface(REFIID Iid) {
  if (Iid == IID_IUnknown || Iid == IID_IEnumMediaTypes) return static_cast<IEnumMediaTypes*>(this);
  return nullptr;
}

STDMETHODIMP TNoMediaTypes::Next(ULONG Count, AM_MEDIA_TYPE** Types, ULONG* Fetched) {
  if (!Types || (Count > 1 && !Fetched)) return E_POINTER;
  if (Fetched) *Fetched = 0;
  return Count == 0 ? S_OK : S_FALSE;
}

STDMETHODIMP TNoMediaTypes::Skip(ULONG Count) { return Count == 0 ? S_OK : S_FALSE; }

STDMETHODIMP TNoMediaTypes::Reset() { return S_OK; }

STDMETHODIMP TNoMediaTypes::Clone(IEnumMediaTypes** Copy) {
  if (!Copy) return E_POINTER;
  *Copy = new TNoMediaTypes;
  return S_OK;
}

}  // namespace asfwriter
