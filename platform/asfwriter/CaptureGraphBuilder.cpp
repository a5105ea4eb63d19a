#include "platform/asfwriter/CaptureGraphBuilder.h"

#include "platform/asfwriter/WriterFilter.h"

#include <uuids.h>

namespace asfwriter {

namespace {

using TGetClassObject = HRESULT(WINAPI*)(REFCLSID, REFIID, void**);

}  // namespace

TCaptureGraphBuilder* TCaptureGraphBuilder::Create(HRESULT& Result) {
  // qcap.dll stays loaded: Wine's builders live in it.
  static const HMODULE qcap = LoadLibraryW(L"qcap.dll");
  const auto getClassObject = qcap ? reinterpret_cast<TGetClassObject>(
                                         reinterpret_cast<void (*)()>(GetProcAddress(qcap, "DllGetClassObject")))
                                   : nullptr;
  if (!getClassObject) {
    Result = REGDB_E_CLASSNOTREG;
    return nullptr;
  }
  TComRef<IClassFactory> factory;
  TComRef<ICaptureGraphBuilder2> wine;
  Result = getClassObject(CLSID_CaptureGraphBuilder2, IID_IClassFactory, factory.PutVoid());
  if (SUCCEEDED(Result)) Result = factory->CreateInstance(nullptr, IID_ICaptureGraphBuilder2, wine.PutVoid());
  if (FAILED(Result)) return nullptr;
  return new TCaptureGraphBuilder(*wine.Get());
}

void* TCaptureGraphBuilder::Interface(REFIID Iid) {
  if (Iid == IID_IUnknown || Iid == IID_ICaptureGraphBuilder2) return static_cast<ICaptureGraphBuilder2*>(this);
  return nullptr;
}

HRESULT TCaptureGraphBuilder::Graph(TComRef<IGraphBuilder>& Graph) {
  if (SUCCEEDED(FWine->GetFiltergraph(Graph.Put())) && Graph) return S_OK;
  HRESULT result =
      CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder, Graph.PutVoid());
  if (SUCCEEDED(result)) result = FWine->SetFiltergraph(Graph.Get());
  if (FAILED(result)) Graph.Reset();
  return result;
}

STDMETHODIMP TCaptureGraphBuilder::SetOutputFileName(const GUID* Type, LPCOLESTR File, IBaseFilter** Filter,
                                                     IFileSinkFilter** Sink) {
  if (!Type || *Type != MEDIASUBTYPE_Asf) return FWine->SetOutputFileName(Type, File, Filter, Sink);
  if (!File || !Filter) return E_POINTER;
  *Filter = nullptr;
  if (Sink) *Sink = nullptr;
  TComRef<IGraphBuilder> graph;
  if (const HRESULT found = Graph(graph); FAILED(found)) return found;

  auto* made = new TAsfWriterFilter;
  TComRef<IBaseFilter> writer(made);
  made->Release();
  TComRef<IFileSinkFilter> sink;
  writer->QueryInterface(IID_IFileSinkFilter, sink.PutVoid());
  if (const HRESULT named = sink->SetFileName(File, nullptr); FAILED(named)) return named;
  if (const HRESULT added = graph->AddFilter(writer.Get(), L"ASF Writer"); FAILED(added)) return added;
  *Filter = writer.Detach();
  if (Sink) *Sink = sink.Detach();
  return S_OK;
}

STDMETHODIMP TCaptureGraphBuilder::SetFiltergraph(IGraphBuilder* Graph) { return FWine->SetFiltergraph(Graph); }

STDMETHODIMP TCaptureGraphBuilder::GetFiltergraph(IGraphBuilder** Graph) { return FWine->GetFiltergraph(Graph); }

STDMETHODIMP TCaptureGraphBuilder::FindInterface(const GUID* Category, const GUID* Type, IBaseFilter* Filter,
                                                 REFIID Iid, void** Interface) {
  return FWine->FindInterface(Category, Type, Filter, Iid, Interface);
}

STDMETHODIMP TCaptureGraphBuilder::RenderStream(const GUID* Category, const GUID* Type, IUnknown* Source,
                                                IBaseFilter* Compressor, IBaseFilter* Renderer) {
  return FWine->RenderStream(Category, Type, Source, Compressor, Renderer);
}

STDMETHODIMP TCaptureGraphBuilder::ControlStream(const GUID* Category, const GUID* Type, IBaseFilter* Filter,
                                                 REFERENCE_TIME* Start, REFERENCE_TIME* Stop, WORD StartCookie,
                                                 WORD StopCookie) {
  return FWine->ControlStream(Category, Type, Filter, Start, Stop, StartCookie, StopCookie);
}

STDMETHODIMP TCaptureGraphBuilder::AllocCapFile(LPCOLESTR File, DWORDLONG Size) {
  return FWine->AllocCapFile(File, Size);
}

STDMETHODIMP TCaptureGraphBuilder::CopyCaptureFile(LPOLESTR Old, LPOLESTR New, int AllowEscAbort,
                                                   IAMCopyCaptureFileProgress* Callback) {
  return FWine->CopyCaptureFile(Old, New, AllowEscAbort, Callback);
}

STDMETHODIMP TCaptureGraphBuilder::FindPin(IUnknown* Source, PIN_DIRECTION Direction, const GUID* Category,
                                           const GUID* Type, BOOL Unconnected, int Index, IPin** Pin) {
  return FWine->FindPin(Source, Direction, Category, Type, Unconnected, Index, Pin);
}

}  // namespace asfwriter
