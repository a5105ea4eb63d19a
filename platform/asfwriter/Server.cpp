// The DLL's COM server: class objects for the writer filter and the capture graph builder, their
// registration (with the builder as the TreatAs of the system's), and the DLL's exports.
#include "platform/asfwriter/AsfWriter.h"
#include "platform/asfwriter/CaptureGraphBuilder.h"
#include "platform/asfwriter/WriterFilter.h"
#include "platform/comserver/ComServer.h"

#include <uuids.h>

namespace asfwriter {
namespace {

IUnknown* CreateWriter(HRESULT& Result) {
  Result = S_OK;
  return static_cast<IBaseFilter*>(new TAsfWriterFilter);
}

IUnknown* CreateBuilder(HRESULT& Result) { return TCaptureGraphBuilder::Create(Result); }

const comserver::TServerClass kClasses[] = {
    {CLSID_WMAsfWriter, L"WM ASF Writer", CreateWriter},
    {CLSID_AsfCaptureGraphBuilder, L"Tavrel Capture Graph Builder", CreateBuilder},
};

// CoCreateInstance of the system's capture graph builder makes ours; the system's own entry, which
// ours uses, stays as it is.
bool RegisterTreatAs() {
  WCHAR system[40], ours[40], path[160];
  StringFromGUID2(CLSID_CaptureGraphBuilder2, system, 40);
  StringFromGUID2(CLSID_AsfCaptureGraphBuilder, ours, 40);
  wsprintfW(path, L"CLSID\\%s\\TreatAs", system);
  return comserver::TRegistryKey(path).Set(nullptr, ours);
}

}  // namespace
}  // namespace asfwriter

extern "C" HRESULT WINAPI DllGetClassObject(REFCLSID Class, REFIID Iid, void** Object) {
  return comserver::GetClassObject(asfwriter::kClasses, Class, Iid, Object);
}

extern "C" HRESULT WINAPI DllCanUnloadNow() { return comserver::CanUnloadNow(); }

extern "C" HRESULT WINAPI DllRegisterServer() {
  const HRESULT result = comserver::RegisterServer(asfwriter::kClasses);
  if (FAILED(result)) return result;
  return asfwriter::RegisterTreatAs() ? S_OK : SELFREG_E_CLASS;
}

extern "C" LONG WINAPI AsfWriterLiveFilters() { return asfwriter::LiveFilters(); }
