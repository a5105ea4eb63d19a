// The TV page's DirectShow preview graph: the interfaces of the one graph that shows the capture
// card's picture, and the channel values its tuner last gave.
#pragma once

#include "app/MediaPlayer.h"
#include "platform/classlib/Controls.h"

// WS_CHILD | WS_CLIPSIBLINGS: the video window is a child of whichever window hosts it.
constexpr LONG kTvVideoWindowStyle = 0x44000000;

// A window as the video window's interface takes it (owner, notification target, message drain).
inline OAHWND VideoHost(classlib::TWinControl& Control) { return reinterpret_cast<OAHWND>(Control.Handle()); }

// A sub-channel left to the tuner (AMTUNER_SUBCHAN_DEFAULT, which the platform's headers lack).
constexpr LONG kDefaultSubChannel = -1;

struct TTvGraph {
  TComPtr<IGraphBuilder> GraphBuilder;
  TComPtr<ICaptureGraphBuilder2> CaptureBuilder;
  TComPtr<IBaseFilter> VideoCapture;
  TComPtr<IMediaControl> MediaControl;
  TComPtr<IVideoWindow> VideoWindow;
  TComPtr<IMediaEventEx> MediaEventEx;
  TComPtr<IAMTVTuner> Tuner;
  TComPtr<IAMCrossbar> Crossbar;
  // A recording graph's own: the sound device, the file writer and the control that runs them.
  TComPtr<IBaseFilter> AudioCapture;
  TComPtr<IBaseFilter> AsfWriter;
  TComPtr<IMediaControl> RecordControl;
  // What the tuner last answered; the sub-channels start as "left to the tuner".
  LONG Channel = 0;
  LONG VideoSubChannel = kDefaultSubChannel;
  LONG AudioSubChannel = kDefaultSubChannel;

  // Reads the tuner's channel values into the fields; without a tuner they stay as they were.
  void ReadChannel();
  // Tunes Channel with the sub-channels last read; the tuner decides what a channel it does not
  // have does. Nothing without a tuner.
  void TuneChannel(LONG Channel);
};
