#include "platform/asfwriter/WriterFilter.h"

#include "platform/asfwriter/MediaFormats.h"

#include <uuids.h>

#include <algorithm>
#include <utility>

namespace asfwriter {

std::atomic<LONG>& LiveFilters() {
  static std::atomic<LONG> count{0};
  return count;
}

TAsfWriterFilter::TAsfWriterFilter()
    : FVideoPin(*this, L"Video Input 01", TStreamKind::Video),
      FAudioPin(*this, L"Audio Input 01", TStreamKind::Audio),
      FOpened(CreateEventW(nullptr, TRUE, TRUE, nullptr)) {
  ++LiveFilters();
}

TAsfWriterFilter::~TAsfWriterFilter() {
  // Released while running: the graph is gone, and the file ends here.
  FinishFile();
  CloseHandle(FOpened);
  --LiveFilters();
}

void* TAsfWriterFilter::Interface(REFIID Iid) {
  if (Iid == IID_IUnknown || Iid == IID_IPersist || Iid == IID_IMediaFilter || Iid == IID_IBaseFilter)
    return static_cast<IBaseFilter*>(this);
  if (Iid == IID_IFileSinkFilter) return static_cast<IFileSinkFilter*>(this);
  if (Iid == IID_IConfigAsfWriter) return static_cast<IConfigAsfWriter*>(this);
  return nullptr;
}

bool TAsfWriterFilter::IsStopped() const {
  const std::lock_guard guard(FLock);
  return FState == State_Stopped;
}

STDMETHODIMP TAsfWriterFilter::GetClassID(CLSID* Class) {
  if (!Class) return E_POINTER;
  *Class = CLSID_WMAsfWriter;
  return S_OK;
}

HRESULT TAsfWriterFilter::OpenFile() {
  FReported = false;
  if (FFileName.empty()) return E_UNEXPECTED;
  std::optional<TVideoSource> video;
  std::optional<TAudioSource> audio;
  AM_MEDIA_TYPE type{};
  if (FVideoPin.ConnectionType(type)) video = VideoSourceOf(type);
  FreeMediaType(type);
  if (FAudioPin.ConnectionType(type)) audio = AudioSourceOf(type);
  FreeMediaType(type);
  if (!video && !audio) return VFW_E_NOT_CONNECTED;
  const HRESULT made = TAsfFile::Create(reinterpret_cast<const WCHAR*>(FFileName.c_str()), video, audio, FFile);
  if (FAILED(made)) return made;
  FActive = true;
  return S_OK;
}

HRESULT TAsfWriterFilter::FinishFile() {
  FActive = false;
  // A delivery under way ends before the file does; later ones find the filter inactive.
  { const std::lock_guard video(FVideoLock); }
  { const std::lock_guard audio(FAudioLock); }
  if (!FFile) return S_OK;
  const HRESULT finished = FFile->Finish();
  FFile.reset();
  return finished;
}

STDMETHODIMP TAsfWriterFilter::Stop() {
  const std::lock_guard guard(FLock);
  SetEvent(FOpened);
  const HRESULT finished = FState == State_Stopped ? S_OK : FinishFile();
  FState = State_Stopped;
  if (FAILED(finished)) ReportFailure(finished);
  return finished;
}

STDMETHODIMP TAsfWriterFilter::Pause() {
  const std::lock_guard guard(FLock);
  // Until the file is made, a source that delivers while paused waits.
  if (FState == State_Stopped) ResetEvent(FOpened);
  FState = State_Paused;
  return S_OK;
}

STDMETHODIMP TAsfWriterFilter::Run(REFERENCE_TIME) {
  const std::lock_guard guard(FLock);
  const FILTER_STATE was = std::exchange(FState, State_Running);
  // The file is made on the first Run after a stop. A failure is the Run's answer, and the filter
  // runs without a file all the same (taking no samples), so that the graph stops it with the rest.
  if (was == State_Running || FFile) return S_OK;
  const HRESULT made = OpenFile();
  SetEvent(FOpened);
  if (FAILED(made)) ReportFailure(made);
  return made;
}

STDMETHODIMP TAsfWriterFilter::GetState(DWORD, FILTER_STATE* State) {
  if (!State) return E_POINTER;
  const std::lock_guard guard(FLock);
  *State = FState;
  return S_OK;
}

STDMETHODIMP TAsfWriterFilter::SetSyncSource(IReferenceClock* Clock) {
  const std::lock_guard guard(FLock);
  FClock = TComRef<IReferenceClock>(Clock);
  return S_OK;
}

STDMETHODIMP TAsfWriterFilter::GetSyncSource(IReferenceClock** Clock) {
  if (!Clock) return E_POINTER;
  const std::lock_guard guard(FLock);
  *Clock = TComRef<IReferenceClock>(FClock).Detach();
  return S_OK;
}

STDMETHODIMP TAsfWriterFilter::EnumPins(IEnumPins** Pins) {
  if (!Pins) return E_POINTER;
  *Pins = new TPinEnum(*this);
  return S_OK;
}

STDMETHODIMP TAsfWriterFilter::FindPin(LPCWSTR Id, IPin** Pin) {
  if (!Id || !Pin) return E_POINTER;
  *Pin = nullptr;
  for (int index = 0; index < kPinCount; ++index) {
    if (lstrcmpW(PinAt(index).Name(), Id) == 0) {
      *Pin = &PinAt(index);
      (*Pin)->AddRef();
      return S_OK;
    }
  }
  return VFW_E_NOT_FOUND;
}

STDMETHODIMP TAsfWriterFilter::QueryFilterInfo(FILTER_INFO* Info) {
  if (!Info) return E_POINTER;
  const std::lock_guard guard(FLock);
  lstrcpynW(Info->achName, FName, MAX_FILTER_NAME);
  Info->pGraph = FGraph;
  if (FGraph) FGraph->AddRef();
  return S_OK;
}

STDMETHODIMP TAsfWriterFilter::JoinFilterGraph(IFilterGraph* Graph, LPCWSTR Name) {
  const std::lock_guard guard(FLock);
  FGraph = Graph;
  lstrcpynW(FName, Name ? Name : L"", MAX_FILTER_NAME);
  // The graph holds its event sink: a reference kept here would keep the graph alive.
  IMediaEventSink* events = nullptr;
  if (Graph && SUCCEEDED(Graph->QueryInterface(IID_IMediaEventSink, reinterpret_cast<void**>(&events))) && events)
    events->Release();
  FEvents = events;
  return S_OK;
}

STDMETHODIMP TAsfWriterFilter::QueryVendorInfo(LPWSTR*) { return E_NOTIMPL; }

STDMETHODIMP TAsfWriterFilter::SetFileName(LPCOLESTR Name, const AM_MEDIA_TYPE*) {
  if (!Name) return E_POINTER;
  if (!*Name) return E_INVALIDARG;
  const std::lock_guard guard(FLock);
  // The file of a recording under way stays what it is.
  if (FState != State_Stopped) return VFW_E_WRONG_STATE;
  // A name that cannot be written fails here, where a program looks for the failure: Wine's graph
  // does not pass on a filter's failed Run.
  if (const HRESULT writable = TFileOutput::CheckWritable(Name); FAILED(writable)) return writable;
  FFileName = reinterpret_cast<const char16_t*>(Name);
  return S_OK;
}

STDMETHODIMP TAsfWriterFilter::GetCurFile(LPOLESTR* Name, AM_MEDIA_TYPE* Type) {
  if (!Name) return E_POINTER;
  *Name = nullptr;
  const std::lock_guard guard(FLock);
  if (FFileName.empty()) return E_FAIL;
  const std::size_t size = (FFileName.size() + 1) * sizeof(WCHAR);
  *Name = static_cast<LPOLESTR>(CoTaskMemAlloc(size));
  if (!*Name) return E_OUTOFMEMORY;
  std::copy_n(reinterpret_cast<const WCHAR*>(FFileName.c_str()), FFileName.size() + 1, *Name);
  if (Type) {
    *Type = AM_MEDIA_TYPE{};
    Type->majortype = MEDIATYPE_Stream;
    Type->subtype = MEDIASUBTYPE_Asf;
  }
  return S_OK;
}

STDMETHODIMP TAsfWriterFilter::ConfigureFilterUsingProfileId(DWORD) { return E_NOTIMPL; }

STDMETHODIMP TAsfWriterFilter::GetCurrentProfileId(DWORD*) { return E_NOTIMPL; }

STDMETHODIMP TAsfWriterFilter::ConfigureFilterUsingProfileGuid(REFGUID Profile) {
  if (Profile != kAsfWriterProfile) return E_INVALIDARG;
  const std::lock_guard guard(FLock);
  if (FState != State_Stopped) return VFW_E_WRONG_STATE;
  FProfile = Profile;
  return S_OK;
}

STDMETHODIMP TAsfWriterFilter::GetCurrentProfileGuid(GUID* Profile) {
  if (!Profile) return E_POINTER;
  const std::lock_guard guard(FLock);
  *Profile = FProfile;
  return S_OK;
}

STDMETHODIMP TAsfWriterFilter::ConfigureFilterUsingProfile(IWMProfile*) { return E_NOTIMPL; }

STDMETHODIMP TAsfWriterFilter::GetCurrentProfile(IWMProfile** Profile) {
  if (Profile) *Profile = nullptr;
  return E_NOTIMPL;
}

// The file always gets its index: players seek with it.
STDMETHODIMP TAsfWriterFilter::SetIndexMode(BOOL IndexFile) { return IndexFile ? S_OK : E_NOTIMPL; }

STDMETHODIMP TAsfWriterFilter::GetIndexMode(BOOL* IndexFile) {
  if (!IndexFile) return E_POINTER;
  *IndexFile = TRUE;
  return S_OK;
}

HRESULT TAsfWriterFilter::Receive(TStreamKind Kind, IMediaSample& Sample, HANDLE Flushing) {
  const HANDLE waits[] = {Flushing, FOpened};
  if (WaitForMultipleObjects(2, waits, FALSE, INFINITE) != WAIT_OBJECT_0 + 1) return S_FALSE;
  const bool video = Kind == TStreamKind::Video;
  HRESULT written = S_OK;
  {
    const std::lock_guard guard(video ? FVideoLock : FAudioLock);
    if (!FActive) return VFW_E_WRONG_STATE;
    BYTE* data = nullptr;
    if (FAILED(Sample.GetPointer(&data))) return E_POINTER;
    const long length = Sample.GetActualDataLength();
    REFERENCE_TIME start = 0, stop = 0;
    std::optional<int64_t> at;
    if (SUCCEEDED(Sample.GetTime(&start, &stop))) at = start;
    written = video ? FFile->WriteVideo(data, length, at) : FFile->WriteAudio(data, length, at);
  }
  if (FAILED(written)) ReportFailure(written);
  return written;
}

void TAsfWriterFilter::ReportFailure(HRESULT Error) {
  if (FReported.exchange(true)) return;
  if (IMediaEventSink* events = FEvents) events->Notify(EC_ERRORABORT, Error, 0);
}

TPinEnum::TPinEnum(TAsfWriterFilter& Filter, int Position)
    : FReference(static_cast<IBaseFilter*>(&Filter)), FFilter(Filter), FPosition(Position) {}

void* TPinEnum::Interface(REFIID Iid) {
  if (Iid == IID_IUnknown || Iid == IID_IEnumPins) return static_cast<IEnumPins*>(this);
  return nullptr;
}

STDMETHODIMP TPinEnum::Next(ULONG Count, IPin** Pins, ULONG* Fetched) {
  if (!Pins || (Count > 1 && !Fetched)) return E_POINTER;
  ULONG done = 0;
  while (done < Count && FPosition < TAsfWriterFilter::kPinCount) {
    Pins[done] = &FFilter.PinAt(FPosition++);
    Pins[done++]->AddRef();
  }
  if (Fetched) *Fetched = done;
  return done == Count ? S_OK : S_FALSE;
}

STDMETHODIMP TPinEnum::Skip(ULONG Count) {
  const ULONG left = static_cast<ULONG>(TAsfWriterFilter::kPinCount - FPosition);
  FPosition += static_cast<int>(std::min(Count, left));
  return Count <= left ? S_OK : S_FALSE;
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

}  // namespace asfwriter
