// The writer filter: a picture pin and a sound pin into one ASF file, named through IFileSinkFilter
// and configured through IConfigAsfWriter. The file is made when the filter first runs and finished
// when it stops. A name that cannot be written is refused; a file that cannot be made fails the Run,
// and one that cannot be written to the end is removed; both are also reported to the graph.
#pragma once

#include "platform/asfwriter/AsfFile.h"
#include "platform/asfwriter/AsfWriter.h"
#include "platform/comserver/ComObject.h"
#include "platform/asfwriter/InputPin.h"

#include <dshow.h>

#include <mutex>
#include <string>

namespace asfwriter {

// Writer filters alive in the process, for AsfWriterLiveFilters.
std::atomic<LONG>& LiveFilters();

class TAsfWriterFilter final : public TComObject<IBaseFilter, IFileSinkFilter, IConfigAsfWriter> {
public:
  TAsfWriterFilter();

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
  // IFileSinkFilter
  STDMETHODIMP SetFileName(LPCOLESTR Name, const AM_MEDIA_TYPE* Type) override;
  STDMETHODIMP GetCurFile(LPOLESTR* Name, AM_MEDIA_TYPE* Type) override;
  // IConfigAsfWriter: the one profile the writer knows (see AsfFile.h for its encoding); nothing of
  // the Windows Media format SDK's profile objects or the old numbered profiles.
  STDMETHODIMP ConfigureFilterUsingProfileId(DWORD ProfileId) override;
  STDMETHODIMP GetCurrentProfileId(DWORD* ProfileId) override;
  STDMETHODIMP ConfigureFilterUsingProfileGuid(REFGUID Profile) override;
  STDMETHODIMP GetCurrentProfileGuid(GUID* Profile) override;
  STDMETHODIMP ConfigureFilterUsingProfile(IWMProfile* Profile) override;
  STDMETHODIMP GetCurrentProfile(IWMProfile** Profile) override;
  STDMETHODIMP SetIndexMode(BOOL IndexFile) override;
  STDMETHODIMP GetIndexMode(BOOL* IndexFile) override;

  bool IsStopped() const;
  static constexpr int kPinCount = 2;
  TInputPin& PinAt(int Index) { return Index == 0 ? FVideoPin : FAudioPin; }
  // A sample that reached the pin of Kind, which is flushing while Flushing is set.
  HRESULT Receive(TStreamKind Kind, IMediaSample& Sample, HANDLE Flushing);

private:
  ~TAsfWriterFilter() override;
  void* Interface(REFIID Iid) override;
  // Makes the file for the connected pins; finishes it.
  HRESULT OpenFile();
  HRESULT FinishFile();
  // Tells the graph, once a run, that the recording failed with Error (EC_ERRORABORT).
  void ReportFailure(HRESULT Error);

  mutable std::recursive_mutex FLock;
  FILTER_STATE FState = State_Stopped;
  TComRef<IReferenceClock> FClock;
  IFilterGraph* FGraph = nullptr;  // the graph holds the filter, not the other way round
  std::atomic<IMediaEventSink*> FEvents = nullptr;  // the graph's
  WCHAR FName[MAX_FILTER_NAME] = {};
  std::u16string FFileName;
  GUID FProfile = kAsfWriterProfile;
  // Picture pin first: a capture graph builder connects a stream to the first free input.
  TInputPin FVideoPin;
  TInputPin FAudioPin;

  // The file from the first Run to the Stop. A delivery holds its stream's lock, so that stopping
  // can wait until none is under way; while paused before the file is made, deliveries wait for it
  // (FOpened is reset), or for a flush.
  std::unique_ptr<TAsfFile> FFile;
  std::atomic<bool> FActive = false;
  std::atomic<bool> FReported = false;
  HANDLE FOpened;
  std::mutex FVideoLock;
  std::mutex FAudioLock;
};

// Lists a filter's pins; holds a reference on the filter while it lives.
class TPinEnum final : public TComObject<IEnumPins> {
public:
  TPinEnum(TAsfWriterFilter& Filter, int Position = 0);

  STDMETHODIMP Next(ULONG Count, IPin** Pins, ULONG* Fetched) override;
  STDMETHODIMP Skip(ULONG Count) override;
  STDMETHODIMP Reset() override;
  STDMETHODIMP Clone(IEnumPins** Copy) override;

private:
  void* Interface(REFIID Iid) override;

  TComRef<IBaseFilter> FReference;
  TAsfWriterFilter& FFilter;
  int FPosition;
};

}  // namespace asfwriter
