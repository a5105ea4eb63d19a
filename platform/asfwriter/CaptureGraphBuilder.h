// The capture graph builder the prefix puts in the place of the system's (TreatAs of
// CLSID_CaptureGraphBuilder2): Wine's own builder does the work, and this one adds what Wine's lacks,
// an ASF file sink for SetOutputFileName.
#pragma once

#include "platform/comserver/ComObject.h"

#include <dshow.h>

namespace asfwriter {

using comserver::TComObject;
using comserver::TComRef;

class TCaptureGraphBuilder final : public TComObject<ICaptureGraphBuilder2> {
public:
  // A builder over Wine's, made through qcap.dll's class factory (CoCreateInstance would come back
  // here); null with Result saying why when there is none.
  static TCaptureGraphBuilder* Create(HRESULT& Result);

  STDMETHODIMP SetFiltergraph(IGraphBuilder* Graph) override;
  STDMETHODIMP GetFiltergraph(IGraphBuilder** Graph) override;
  // For MEDIASUBTYPE_Asf: the project's ASF writer, in the builder's graph (made when there is
  // none yet) and writing to File. Other types go to Wine's builder.
  STDMETHODIMP SetOutputFileName(const GUID* Type, LPCOLESTR File, IBaseFilter** Filter,
                                 IFileSinkFilter** Sink) override;
  STDMETHODIMP FindInterface(const GUID* Category, const GUID* Type, IBaseFilter* Filter, REFIID Iid,
                             void** Interface) override;
  STDMETHODIMP RenderStream(const GUID* Category, const GUID* Type, IUnknown* Source, IBaseFilter* Compressor,
                            IBaseFilter* Renderer) override;
  STDMETHODIMP ControlStream(const GUID* Category, const GUID* Type, IBaseFilter* Filter, REFERENCE_TIME* Start,
                             REFERENCE_TIME* Stop, WORD StartCookie, WORD StopCookie) override;
  STDMETHODIMP AllocCapFile(LPCOLESTR File, DWORDLONG Size) override;
  STDMETHODIMP CopyCaptureFile(LPOLESTR Old, LPOLESTR New, int AllowEscAbort,
                               IAMCopyCaptureFileProgress* Callback) override;
  STDMETHODIMP FindPin(IUnknown* Source, PIN_DIRECTION Direction, const GUID* Category, const GUID* Type,
                       BOOL Unconnected, int Index, IPin** Pin) override;

private:
  explicit TCaptureGraphBuilder(ICaptureGraphBuilder2& Wine) : FWine(&Wine) {}
  void* Interface(REFIID Iid) override;
  // The builder's graph, made and handed to Wine's builder when it has none.
  HRESULT Graph(TComRef<IGraphBuilder>& Graph);

  TComRef<ICaptureGraphBuilder2> FWine;
};

}  // namespace asfwriter
