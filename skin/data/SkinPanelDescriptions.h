// The descriptions of the skinned panels and expandable panels, the frame-strip controls (frame
// gauge, animation, switch and frame regulator), the scroll box and the control bar. Every field
// starts as its class's field table says.
#pragma once

#include "skin/data/SkinDescriptions.h"

#include <cstdint>

namespace skin {

// How the frames of a strip lie in their rectangle: side by side from the left, or one below the
// other from the top.
enum class TFramesPlacement : std::uint8_t { fpHorizontal, fpVertical };
// How a frame regulator is turned: round, or dragged horizontally or vertically.
enum class TRegulatorKind : std::uint8_t { rkRound, rkHorizontal, rkVertical };

// The words skin files give them, in the order of the values.
std::vector<const char*> FramesPlacementWords();
std::vector<const char*> RegulatorKindWords();

// A panel with caption bar, caption check box and roll-up mark: "panel".
class TskDataSkinPanelControl : public TskDescription<TskDataSkinPanelControl, TskDataSkinCustomControl> {
public:
  explicit TskDataSkinPanelControl(const classlib::String& AIDName);

  static const TSkinFieldTable<TskDataSkinPanelControl>& Fields();

  classlib::TRect CaptionRect{};
  classlib::TAlignment Alignment{};
  classlib::String FontName;
  classlib::TFontStyles FontStyle;
  int FontHeight{};
  classlib::TColor FontColor{};
  int BGPictureIndex{};
  classlib::TRect CheckImageRect{};
  classlib::TRect UnCheckImageRect{};
  classlib::TRect MarkFrameRect{};
  classlib::TRect FrameRect{};
  int FrameLeftOffset{};
  int FrameRightOffset{};
  classlib::TRect FrameTextRect{};
};

// A panel that rolls up to a horizontal or vertical bar, with close, roll and restore buttons:
// "expanel".
class TskDataSkinExPanelControl : public TskDescription<TskDataSkinExPanelControl, TskDataSkinCustomControl> {
public:
  explicit TskDataSkinExPanelControl(const classlib::String& AIDName);

  static const TSkinFieldTable<TskDataSkinExPanelControl>& Fields();

  classlib::TRect RollHSkinRect{};
  classlib::TRect RollVSkinRect{};
  int RollLeftOffset{};
  int RollRightOffset{};
  int RollTopOffset{};
  int RollBottomOffset{};
  classlib::TRect RollVCaptionRect{};
  classlib::TRect RollHCaptionRect{};
  classlib::TRect CloseButtonRect{};
  classlib::TRect CloseButtonActiveRect{};
  classlib::TRect CloseButtonDownRect{};
  classlib::TRect HRollButtonRect{};
  classlib::TRect HRollButtonActiveRect{};
  classlib::TRect HRollButtonDownRect{};
  classlib::TRect HRestoreButtonRect{};
  classlib::TRect HRestoreButtonActiveRect{};
  classlib::TRect HRestoreButtonDownRect{};
  classlib::TRect VRollButtonRect{};
  classlib::TRect VRollButtonActiveRect{};
  classlib::TRect VRollButtonDownRect{};
  classlib::TRect VRestoreButtonRect{};
  classlib::TRect VRestoreButtonActiveRect{};
  classlib::TRect VRestoreButtonDownRect{};
  classlib::TRect CaptionRect{};
  classlib::String FontName;
  classlib::TFontStyles FontStyle;
  int FontHeight{};
  classlib::TColor FontColor{};
};

// The frame strip: SkinRect holds FramesCount frames of equal size. The strip always has a frame,
// so the drawing code may divide by the count.
class TskDataSkinFrameControl : public TskDescription<TskDataSkinFrameControl, TskDataSkinControl> {
public:
  explicit TskDataSkinFrameControl(const classlib::String& AIDName);

  void LoadFromFile(classlib::TCustomIniFile& IniFile) override;

  static const TSkinFieldTable<TskDataSkinFrameControl>& Fields();

  int FramesCount{};
  TFramesPlacement FramesPlacement{};
};

// "framegauge", "animate" and "switch": frame strips with the strip's own keys.
class TskDataSkinFrameGauge : public TskDataSkinFrameControl {
public:
  using TskDataSkinFrameControl::TskDataSkinFrameControl;
};

class TskDataSkinAnimateControl : public TskDataSkinFrameControl {
public:
  using TskDataSkinFrameControl::TskDataSkinFrameControl;
};

class TskDataSkinSwitchControl : public TskDataSkinFrameControl {
public:
  using TskDataSkinFrameControl::TskDataSkinFrameControl;
};

// A knob or slider drawn as one frame of the strip per value: "frameregulator".
class TskDataSkinFrameRegulator : public TskDescription<TskDataSkinFrameRegulator, TskDataSkinFrameControl> {
public:
  explicit TskDataSkinFrameRegulator(const classlib::String& AIDName);

  static const TSkinFieldTable<TskDataSkinFrameRegulator>& Fields();

  TRegulatorKind Kind{};
};

// "scrollbox".
class TskDataSkinScrollBoxControl
    : public TskDescription<TskDataSkinScrollBoxControl, TskDataSkinCustomControl> {
public:
  explicit TskDataSkinScrollBoxControl(const classlib::String& AIDName);

  static const TSkinFieldTable<TskDataSkinScrollBoxControl>& Fields();

  int BGPictureIndex{};
};

// "controlbar".
class TskDataSkinControlBar : public TskDescription<TskDataSkinControlBar, TskDataSkinCustomControl> {
public:
  explicit TskDataSkinControlBar(const classlib::String& AIDName);

  static const TSkinFieldTable<TskDataSkinControlBar>& Fields();

  classlib::TRect ItemRect{};
  int BGPictureIndex{};
};

}  // namespace skin
