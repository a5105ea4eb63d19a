// The player page's DirectShow playback graph: the interfaces of one graph, built for each file.
#pragma once

#include "app/ComPtr.h"

#include <dshow.h>

// dshow.h brings in windowsx.h, whose macros of these names would rewrite the canvas's members.
#undef SelectBitmap
#undef SelectBrush
#undef SelectFont
#undef SelectPen

// The notification message the graph is told to post; nobody handles it, Timer3 polls instead.
constexpr UINT WM_GRAPHNOTIFY = WM_APP + 1;

struct TPlayerGraph {
  TComPtr<IGraphBuilder> GraphBuilder;
  TComPtr<IMediaControl> MediaControl;
  TComPtr<IMediaEvent> MediaEvent;
  TComPtr<IMediaEventEx> MediaEventEx;
  TComPtr<IBasicAudio> BasicAudio;
  TComPtr<IMediaSeeking> MediaSeeking;
  TComPtr<IVideoWindow> VideoWindow;
  TComPtr<IBasicVideo> BasicVideo;
};
