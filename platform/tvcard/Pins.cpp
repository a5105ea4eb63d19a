#include "platform/tvcard/Pins.h"

#include "platform/tvcard/Filter.h"
#include "platform/tvcard/MediaTypes.h"

#include <algorithm>

namespace tvcard {

TPin::TPin(TFilter& Owner, const WCHAR* Name, PIN_DIRECTION Direction, const AM_MEDIA_TYPE& Type)
    : FOwner(Owner), FType(Type), FDirection(Direction) {
  lstrcpynW(FName, Name, MAX_PIN_NAME);
}

void* TPin::Interface(REFIID Iid) {
  if (Iid == IID_IUnknown || Iid == IID_IPin) return static_cast<IPin*>(this);
  return nullptr;
}

STDMETHODIMP TPin::QueryInterface(REFIID Iid, void** Object) {
  if (!Object) return E_POINTER;
  *Object = Interface(Iid);
  if (!*Object) return E_NOINTERFACE;
  AddRef();
  return S_OK;
}

STDMETHODIMP_(ULONG) TPin::AddRef() { return FOwner.AddRef(); }

STDMETHODIMP_(ULONG) TPin::Release() { return FOwner.Release(); }

bool TPin::IsConnected() const {
  const std::lock_guard guard(FLock);
  return static_cast<bool>(FPeer);
}

STDMETHODIMP TPin::Connect(IPin* Receiver, const AM_MEDIA_TYPE* Type) {
  if (!Receiver) return E_POINTER;
  if (FDirection != PINDIR_OUTPUT) return E_UNEXPECTED;
  if (!FOwner.IsStopped()) return VFW_E_NOT_STOPPED;
  {
    const std::lock_guard guard(FLock);
    if (FPeer) return VFW_E_ALREADY_CONNECTED;
  }
  if (Type && !MediaTypeFits(*Type, FType)) return VFW_E_TYPE_NOT_ACCEPTED;
  if (FAILED(Receiver->ReceiveConnection(this, &FType))) return VFW_E_NO_ACCEPTABLE_TYPES;
  {
    const std::lock_guard guard(FLock);
    FPeer = TComRef<IPin>(Receiver);
  }
  const HRESULT made = ConnectionMade(*Receiver);
  if (FAILED(made)) {
    Receiver->Disconnect();
    const std::lock_guard guard(FLock);
    FPeer.Reset();
  }
  return made;
}

STDMETHODIMP TPin::ReceiveConnection(IPin* Connector, const AM_MEDIA_TYPE* Type) {
  if (!Connector || !Type) return E_POINTER;
  if (FDirection != PINDIR_INPUT) return E_UNEXPECTED;
  if (!FOwner.IsStopped()) return VFW_E_NOT_STOPPED;
  if (!MediaTypeFits(*Type, FType)) return VFW_E_TYPE_NOT_ACCEPTED;
  const std::lock_guard guard(FLock);
  if (FPeer) return VFW_E_ALREADY_CONNECTED;
  FPeer = TComRef<IPin>(Connector);
  return S_OK;
}

STDMETHODIMP TPin::Disconnect() {
  if (!FOwner.IsStopped()) return VFW_E_NOT_STOPPED;
  {
    const std::lock_guard guard(FLock);
    if (!FPeer) return S_FALSE;
  }
  ConnectionBroken();
  const std::lock_guard guard(FLock);
  FPeer.Reset();
  return S_OK;
}

void TPin::Unplug() {
  TComRef<IPin> peer;
  {
    const std::lock_guard guard(FLock);
    peer = FPeer;
  }
  if (!peer) return;
  peer->Disconnect();
  ConnectionBroken();
  const std::lock_guard guard(FLock);
  FPeer.Reset();
}

STDMETHODIMP TPin::ConnectedTo(IPin** Pin) {
  if (!Pin) return E_POINTER;
  const std::lock_guard guard(FLock);
  *Pin = TComRef<IPin>(FPeer).Detach();
  return *Pin ? S_OK : VFW_E_NOT_CONNECTED;
}

STDMETHODIMP TPin::ConnectionMediaType(AM_MEDIA_TYPE* Type) {
  if (!Type) return E_POINTER;
  if (!IsConnected()) {
    *Type = AM_MEDIA_TYPE{};
    return VFW_E_NOT_CONNECTED;
  }
  return CopyMediaType(*Type, FType);
}

STDMETHODIMP TPin::QueryPinInfo(PIN_INFO* Info) {
  if (!Info) return E_POINTER;
  Info->pFilter = &FOwner;
  FOwner.AddRef();
  Info->dir = FDirection;
  lstrcpynW(Info->achName, FName, MAX_PIN_NAME);
  return S_OK;
}

STDMETHODIMP TPin::QueryDirection(PIN_DIRECTION* Direction) {
  if (!Direction) return E_POINTER;
  *Direction = FDirection;
  return S_OK;
}

STDMETHODIMP TPin::QueryId(LPWSTR* Id) {
  if (!Id) return E_POINTER;
  const int size = (lstrlenW(FName) + 1) * static_cast<int>(sizeof(WCHAR));
  *Id = static_cast<LPWSTR>(CoTaskMemAlloc(size));
  if (!*Id) return E_OUTOFMEMORY;
  lstrcpyW(*Id, FName);
  return S_OK;
}

STDMETHODIMP TPin::QueryAccept(const AM_MEDIA_TYPE* Type) {
  if (!Type) return E_POINTER;
  return MediaTypeFits(*Type, FType) ? S_OK : S_FALSE;
}

STDMETHODIMP TPin::EnumMediaTypes(IEnumMediaTypes** Types) {
  if (!Types) return E_POINTER;
  *Types = new TMediaTypeEnum(*static_cast<IPin*>(this), FType);
  return S_OK;
}

STDMETHODIMP TPin::QueryInternalConnections(IPin**, ULONG*) { return E_NOTIMPL; }

// Nothing flows through the analog links, and an output receives no stream calls.
STDMETHODIMP TPin::EndOfStream() { return FDirection == PINDIR_INPUT ? S_OK : E_UNEXPECTED; }
STDMETHODIMP TPin::BeginFlush() { return FDirection == PINDIR_INPUT ? S_OK : E_UNEXPECTED; }
STDMETHODIMP TPin::EndFlush() { return FDirection == PINDIR_INPUT ? S_OK : E_UNEXPECTED; }
STDMETHODIMP TPin::NewSegment(REFERENCE_TIME, REFERENCE_TIME, double) { return S_OK; }

TStreamPin::TStreamPin(TFilter& Owner, const WCHAR* Name, const GUID& Category, const AM_MEDIA_TYPE& Type,
                       LONG BufferSize, REFERENCE_TIME Duration)
    : TPin(Owner, Name, PINDIR_OUTPUT, Type),
      FCategory(Category),
      FBufferSize(BufferSize),
      FDuration(Duration),
      FQuit(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}

TStreamPin::~TStreamPin() {
  Deactivate();
  CloseHandle(FQuit);
}

void* TStreamPin::Interface(REFIID Iid) {
  if (Iid == IID_IKsPropertySet) return static_cast<IKsPropertySet*>(this);
  return TPin::Interface(Iid);
}

STDMETHODIMP TStreamPin::Set(REFGUID, DWORD, void*, DWORD, void*, DWORD) { return E_NOTIMPL; }

STDMETHODIMP TStreamPin::Get(REFGUID Set, DWORD Id, void*, DWORD, void* Data, DWORD DataSize, DWORD* Returned) {
  if (Set != AMPROPSETID_Pin) return E_PROP_SET_UNSUPPORTED;
  if (Id != AMPROPERTY_PIN_CATEGORY) return E_PROP_ID_UNSUPPORTED;
  if (!Data && !Returned) return E_POINTER;
  if (Returned) *Returned = sizeof(GUID);
  if (!Data) return S_OK;
  if (DataSize < sizeof(GUID)) return E_UNEXPECTED;
  *static_cast<GUID*>(Data) = FCategory;
  return S_OK;
}

STDMETHODIMP TStreamPin::QuerySupported(REFGUID Set, DWORD Id, DWORD* Support) {
  if (Set != AMPROPSETID_Pin) return E_PROP_SET_UNSUPPORTED;
  if (Id != AMPROPERTY_PIN_CATEGORY) return E_PROP_ID_UNSUPPORTED;
  if (Support) *Support = KSPROPERTY_SUPPORT_GET;
  return S_OK;
}

HRESULT TStreamPin::ConnectionMade(IPin& Receiver) {
  TComRef<IMemInputPin> input;
  if (FAILED(Receiver.QueryInterface(IID_IMemInputPin, input.PutVoid())) || !input) return VFW_E_NO_TRANSPORT;
  ALLOCATOR_PROPERTIES wanted{};
  input->GetAllocatorRequirements(&wanted);  // optional: a failure leaves no requirements
  wanted.cBuffers = std::max<LONG>(wanted.cBuffers, 3);
  wanted.cbBuffer = std::max(wanted.cbBuffer, FBufferSize);
  wanted.cbAlign = std::max<LONG>(wanted.cbAlign, 1);
  // The receiver's allocator first, then a plain one of the system's.
  TComRef<IMemAllocator> allocator;
  if (SUCCEEDED(input->GetAllocator(allocator.Put())) && allocator &&
      SUCCEEDED(UseAllocator(*allocator.Get(), wanted)) && SUCCEEDED(input->NotifyAllocator(allocator.Get(), FALSE))) {
    FReceiver = input;
    FAllocator = allocator;
    return S_OK;
  }
  if (SUCCEEDED(CoCreateInstance(CLSID_MemoryAllocator, nullptr, CLSCTX_INPROC_SERVER, IID_IMemAllocator,
                                 allocator.PutVoid())) &&
      SUCCEEDED(UseAllocator(*allocator.Get(), wanted)) && SUCCEEDED(input->NotifyAllocator(allocator.Get(), FALSE))) {
    FReceiver = input;
    FAllocator = allocator;
    return S_OK;
  }
  return VFW_E_NO_ALLOCATOR;
}

HRESULT TStreamPin::UseAllocator(IMemAllocator& Allocator, const ALLOCATOR_PROPERTIES& Wanted) {
  ALLOCATOR_PROPERTIES wanted = Wanted, actual{};
  const HRESULT set = Allocator.SetProperties(&wanted, &actual);
  if (FAILED(set)) return set;
  return actual.cbBuffer >= Wanted.cbBuffer && actual.cBuffers >= 1 ? S_OK : VFW_E_SIZENOTSET;
}

void TStreamPin::ConnectionBroken() {
  Deactivate();
  FReceiver.Reset();
  FAllocator.Reset();
}

void TStreamPin::Activate() {
  if (FAllocator) FAllocator->Commit();
}

void TStreamPin::Start(REFERENCE_TIME StreamTime) {
  if (!FAllocator) return;
  Join();  // a stream halted by a pause may still be finishing its last delivery
  ResetEvent(FQuit);
  FStreamTime = StreamTime;
  FThread = CreateThread(nullptr, 0, Stream, this, 0, nullptr);
}

void TStreamPin::Halt() {
  // Only a request: the receiver may hold the last delivery until it runs or stops again.
  SetEvent(FQuit);
}

void TStreamPin::Deactivate() {
  SetEvent(FQuit);
  // Decommitting frees a thread waiting for a buffer.
  if (FAllocator) FAllocator->Decommit();
  Join();
}

void TStreamPin::Join() {
  if (!FThread) return;
  // A renderer may, within a delivery, send a message to its window, which belongs to the thread
  // that now stops the graph: handle sent messages while waiting, or both would wait for ever.
  while (MsgWaitForMultipleObjects(1, &FThread, FALSE, INFINITE, QS_SENDMESSAGE) == WAIT_OBJECT_0 + 1) {
    MSG message;
    PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
  }
  CloseHandle(FThread);
  FThread = nullptr;
}

DWORD WINAPI TStreamPin::Stream(void* Pin) {
  static_cast<TStreamPin*>(Pin)->Push();
  return 0;
}

void TStreamPin::Push() {
  LARGE_INTEGER frequency, started;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&started);
  for (LONGLONG index = 0;; ++index) {
    // Sample n is due n durations after the start: the card delivers in real time.
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    const double elapsed = static_cast<double>(now.QuadPart - started.QuadPart) / static_cast<double>(frequency.QuadPart);
    const double due = static_cast<double>(index * FDuration) / 1e7;
    const DWORD wait = due > elapsed ? static_cast<DWORD>((due - elapsed) * 1000.0) : 0;
    if (WaitForSingleObject(FQuit, wait) == WAIT_OBJECT_0) return;

    IMediaSample* sample = nullptr;
    if (FAILED(FAllocator->GetBuffer(&sample, nullptr, nullptr, 0)) || !sample) return;
    BYTE* data = nullptr;
    HRESULT delivered = sample->GetPointer(&data);
    if (SUCCEEDED(delivered)) {
      sample->SetActualDataLength(Fill(data, sample->GetSize(), index));
      REFERENCE_TIME start = FStreamTime + index * FDuration, stop = start + FDuration;
      sample->SetTime(&start, &stop);
      sample->SetSyncPoint(TRUE);
      sample->SetDiscontinuity(index == 0);
      delivered = FReceiver->Receive(sample);
    }
    sample->Release();
    if (delivered != S_OK) return;  // the receiver stopped, or wants no more
  }
}

}  // namespace tvcard
