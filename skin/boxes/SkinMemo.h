// The skinned memo: the multi-line edit window keeps text, caret and selection; a frame from the
// skin's "memo" description (or a plain 2-pixel one) lives in the non-client area, colours change
// while the memo is active, and the background may be the skin's client picture blended with the
// parent. There are no native bars: a skinned scroll bar beside the memo follows the text.
//
// Also here what both memos share: the skinned edit menu, the count of visible lines and moving the
// text to a bar's position.
//
// Classes in this file: TskMemoEditMenu, TskSkinMemo.
#pragma once

#include "platform/classlib/Bitmap.h"
#include "platform/classlib/StdCtrls.h"
#include "skin/controls/SkinChangeClient.h"
#include "skin/data/SkinData.h"

#include <cstdint>
#include <memory>

namespace skin {

class TskSkinPopupMenu;
class TskSkinScrollBar;

// The skinned edit menu of a memo, built anew for each request and freed once the chosen command
// has run. The menu is a component of the memo; the memo hands its removal on through Forget.
class TskMemoEditMenu {
public:
  explicit TskMemoEditMenu(classlib::TMemo& Memo) : FMemo(Memo) {}
  ~TskMemoEditMenu() { Free(); }
  TskMemoEditMenu(const TskMemoEditMenu&) = delete;
  TskMemoEditMenu& operator=(const TskMemoEditMenu&) = delete;

  TskSkinPopupMenu* Menu() const { return FMenu; }
  // The eight entries, their texts from Skin's string table (built-in ones without a table), Cut,
  // Paste and Delete disabled while ReadOnly.
  void Build(const TskSkinData* Skin, bool ReadOnly);
  // WM_CONTEXTMENU: built and opened at the message's point, or the memo's middle for the keyboard.
  void Show(const classlib::TMessage& Message, const TskSkinData* Skin, bool ReadOnly);
  void Free();
  void Forget(const classlib::TComponent* Component);

private:
  classlib::TMemo& FMemo;
  TskSkinPopupMenu* FMenu = nullptr;  // owned as a component of the memo
};

class TskDataSkinMemoControl;

// The fonts and colours of a "memo" description, as both memos copy and apply them.
struct TskMemoLook {
  classlib::String FontName;
  classlib::TFontStyles FontStyle;
  int FontHeight = 0;
  classlib::TColor FontColor = 0, ActiveFontColor = 0, BGColor = 0, ActiveBGColor = 0;

  void Copy(const TskDataSkinMemoControl& Data);
  // The font from the look (name, style and height with UseSkinFont, else DefaultFont's), its
  // colour by the focus, Color the background; without a look DefaultFont alone. The character set
  // is that of Skin's string table, else DefaultFont's.
  void Apply(classlib::TMemo& Memo, bool Skinned, const classlib::TFont& DefaultFont, bool UseSkinFont,
             const TskSkinData* Skin) const;
  // The colours of the active or the normal look; the background only with Background.
  void ApplyActive(classlib::TMemo& Memo, bool Active, bool Background) const;
};

// Lines the memo's client area shows whole: its height over the height of "Wq" in its font.
int MemoVisibleLines(classlib::TMemo& Memo);
// Scrolls the memo's text so that Line is the first visible one, however far down.
void ScrollMemoToLine(classlib::TMemo& Memo, int Line);
// One line up for a positive wheel turn, down otherwise, whatever the size of the turn.
void ScrollMemoByWheel(classlib::TMemo& Memo, const classlib::TMessage& Message);
// Whether the bars must catch up after the memo handled a left-button press, move or release (Msg).
// While the button is down (Down) the window scrolls a selection dragged past its edge by itself.
bool MemoDragScrolled(UINT Msg, bool& Down);

class TskSkinMemo : public classlib::TMemo, public TskSkinChangeClient {
public:
  explicit TskSkinMemo(classlib::TComponent* AOwner);
  ~TskSkinMemo() override;

  // Attributes
  TskSkinData* SkinData() const override { return FSkinData; }
  void SetSkinData(TskSkinData* Value);
  const classlib::String& SkinDataName() const { return FSkinDataName; }
  void SetSkinDataName(const classlib::String& Value) { FSkinDataName = Value; }
  classlib::TFont& DefaultFont() const { return *FDefaultFont; }
  void SetDefaultFont(const classlib::TFont& Value);
  bool UseSkinFont() const { return FUseSkinFont; }
  void SetUseSkinFont(bool Value) { FUseSkinFont = Value; }
  // The skin's client picture (the window colour without a skin) behind the text.
  bool BitMapBG() const { return FBitMapBG; }
  void SetBitMapBG(bool Value);
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool Value);
  std::uint8_t AlphaBlendValue() const { return FAlphaBlendValue; }
  void SetAlphaBlendValue(std::uint8_t Value);
  // The memo's own read-only mode: editing keys and messages are dropped, the window stays
  // editable so that the caret, the selection and copying keep working.
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool Value) { FReadOnly = Value; }
  TskSkinScrollBar* VScrollBar() const { return FVScrollBar; }
  void SetVScrollBar(TskSkinScrollBar* Value);
  int SkinControlIndex() const { return FSkinControlIndex; }
  bool MouseIn() const { return FMouseIn; }
  TskSkinPopupMenu* EditMenu() const { return FEditMenu.Menu(); }

  // Operations
  void GetSkinData();
  void ChangeSkinData() override;
  // The bar's range, page and position from the text's line count and first visible line.
  void UpDateScrollRange();
  void CreateSysPopupMenu() { FEditMenu.Build(FSkinData, FReadOnly); }
  // Repaints the frame.
  void InvalidateNC();
  void Invalidate() override;

  void Dispatch(classlib::TMessage& Message) override;

protected:
  void CreateParams(classlib::TCreateParams& Params) override;
  void Change() override;
  void Notification(classlib::TComponent* AComponent, classlib::TOperation Operation) override;

private:
  bool Skinned() const { return FSkinControlIndex != -1; }
  bool Active() const { return FMouseIn || Focused(); }
  void DefaultFontChanged();
  void OnVScrollBarChange(classlib::TObject* Sender);
  void ApplyEnabledFontColor();
  // The frame widths outside the client area: left, top, right, bottom.
  classlib::TRect FrameWidths() const;
  void PaintFrame();
  void DrawMemoBackGround(classlib::TCanvas& Canvas);

  bool FBitMapBG = false;
  bool FReadOnly = false;
  bool FMouseIn = false;
  int FSkinControlIndex = -1;
  TskSkinData* FSkinData = nullptr;
  classlib::String FSkinDataName = "memo";
  bool FTransparent = false;
  std::uint8_t FAlphaBlendValue = 0;
  classlib::TBitmap* FSkinPicture = nullptr;  // the skin's
  TskSkinScrollBar* FVScrollBar = nullptr;
  bool FDown = false;
  std::unique_ptr<classlib::TFont> FDefaultFont;
  bool FUseSkinFont = true;
  TskMemoEditMenu FEditMenu{*this};

  // The description's values, copied by GetSkinData.
  classlib::TPoint FLeftTopPoint{}, FRightTopPoint{}, FLeftBottomPoint{}, FRightBottomPoint{};
  classlib::TRect FClientRect{}, FSkinRect{}, FActiveSkinRect{};
  TskMemoLook FLook;
};

}  // namespace skin
