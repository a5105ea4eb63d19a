// The system rich edit without a border, its colours and font from a "richedit" description when
// SkinSupport is on, and its scrolling shown on skinned scroll bars beside it. Unlike the views it
// never hides the bars: it disables them when there is nothing to scroll.
//
// Classes in this file: TskSkinRichEdit.
#pragma once

#include "platform/classlib/RichEdit.h"
#include "skin/controls/SkinChangeClient.h"
#include "skin/data/SkinData.h"

#include <memory>

namespace skin {

class TskSkinScrollBar;

class TskSkinRichEdit : public classlib::TCustomRichEdit, public TskSkinChangeClient {
public:
  explicit TskSkinRichEdit(classlib::TComponent* AOwner);
  ~TskSkinRichEdit() override;

  // Attributes
  // Take colours and font from the skin, and from the defaults without one.
  bool SkinSupport() const { return FSkinSupport; }
  void SetSkinSupport(bool Value) { FSkinSupport = Value; }
  TskSkinData* SkinData() const override { return FSkinData; }
  void SetSkinData(TskSkinData* Value);
  const classlib::String& SkinDataName() const { return FSkinDataName; }
  void SetSkinDataName(const classlib::String& Value) { FSkinDataName = Value; }
  classlib::TFont& DefaultFont() { return *FDefaultFont; }
  void SetDefaultFont(const classlib::TFont& Value);
  classlib::TColor DefaultColor() const { return FDefaultColor; }
  void SetDefaultColor(classlib::TColor Value);
  // The bars beside the text. The vertical bar's arrows step the text by lines.
  TskSkinScrollBar* HScrollBar() const { return FHScrollBar; }
  void SetHScrollBar(TskSkinScrollBar* Value);
  TskSkinScrollBar* VScrollBar() const { return FVScrollBar; }
  void SetVScrollBar(TskSkinScrollBar* Value);
  int SkinControlIndex() const { return FSkinControlIndex; }

  // Operations
  void ChangeSkinData() override;
  // Brings the bars into line with the text's own scroll state.
  void UpDateScrollBars();

  void WndProc(classlib::TMessage& Message) override;
  void Dispatch(classlib::TMessage& Message) override;

protected:
  void CreateParams(classlib::TCreateParams& Params) override;
  void Loaded() override;
  void Notification(classlib::TComponent* AComponent, classlib::TOperation Operation) override;
  void Change() override;
  // Text set by the program: the window may report it before it has measured the new lines.
  void TextChanged() override;

private:
  void UpDateBar(TskSkinScrollBar& Bar, int Kind, int PageSize);
  void ScrollTo(UINT Message, int Position);
  void ForgetBar(TskSkinScrollBar* Bar);
  void OnVScrollBarChange(classlib::TObject* Sender);
  void OnHScrollBarChange(classlib::TObject* Sender);
  void OnVScrollBarUpButtonClick(classlib::TObject* Sender);
  void OnVScrollBarDownButtonClick(classlib::TObject* Sender);

  bool FSkinSupport = false;
  TskSkinData* FSkinData = nullptr;
  classlib::String FSkinDataName = "richedit";
  int FSkinControlIndex = -1;
  std::unique_ptr<classlib::TFont> FDefaultFont;
  classlib::TColor FDefaultColor = classlib::clWindow;
  TskSkinScrollBar* FVScrollBar = nullptr;
  TskSkinScrollBar* FHScrollBar = nullptr;
  bool FUpdatingBars = false;
};

}  // namespace skin
