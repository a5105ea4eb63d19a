#include "app/ChannelDisplay.h"

#include "platform/ddr/Ddr.h"

namespace {

struct TDdrLibrary {
  TInitD3D InitD3D = nullptr;
  TCreateD3DXFont CreateD3DXFont = nullptr;
  TRender Render = nullptr;
  TCleanup Cleanup = nullptr;

  // Stays loaded for the life of the process, as an imported DLL would.
  TDdrLibrary() {
    HMODULE module = LoadLibraryW(L"DDR.dll");
    if (!module) return;
    InitD3D = Bind<TInitD3D>(module, kDdrInitD3D);
    CreateD3DXFont = Bind<TCreateD3DXFont>(module, kDdrCreateD3DXFont);
    Render = Bind<TRender>(module, kDdrRender);
    Cleanup = Bind<TCleanup>(module, kDdrCleanup);
  }

  template <class F>
  static F Bind(HMODULE Module, const char* Name) {
    return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(Module, Name)));
  }
};

const TDdrLibrary& Library() {
  static const TDdrLibrary library;
  return library;
}

}  // namespace

namespace ddr {

// The library's results say nothing the program acts on.
void initd3d(HWND Window) {
  if (Library().InitD3D) Library().InitD3D(Window);
}

void created3dxfont(const TDisplayFont& Font) {
  if (Library().CreateD3DXFont) Library().CreateD3DXFont(Font.Face, Font.Height);
}

void Render(const char* Text) {
  if (Library().Render) Library().Render(Text);
}

void Cleanup() {
  if (Library().Cleanup) Library().Cleanup();
}

}  // namespace ddr
