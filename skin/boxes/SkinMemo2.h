// The lighter skinned memo: fonts and colours from the skin's "memo" description, no frame and no
// picture behind the text, and two skinned scroll bars beside it that follow the window's own
// scroll state (the window keeps both native bars, with no room to show them). Its read-only mode
// is the window's own. The form's skin-change walk passes it by: it takes a new skin only when its
// SkinData is set again.
//
// Classes in this file: TskSkinMemo2.
#pragma once

#include "skin/boxes/SkinMemo.h"

namespace skin {

class TskSkinMemo2 : public classlib::TMemo {
public:
  explicit TskSkinMemo2(classlib::TComponent* AOwner);
  ~TskSkinMemo2() override;

  // Attributes
  TskSkinData* SkinData() const { return FSkinData; }
  void SetSkinData(TskSkinData* Value);
  const classlib::String& SkinDataName() const { return FSkinDataName; }
  void SetSkinDataName(const classlib::String& Value) { FSkinDataName = Value; }
  classlib::TFont& DefaultFont() const { return *FDefaultFont; }
  void SetDefaultFont(const classlib::TFont& Value);
  bool UseSkinFont() const { return FUseSkinFont; }
  void SetUseSkinFont(bool Value) { FUseSkinFont = Value; }
  TskSkinScrollBar* VScrollBar() const { return FVScrollBar; }
  void SetVScrollBar(TskSkinScrollBar* Value);
  TskSkinScrollBar* HScrollBar() const { return FHScrollBar; }
  void SetHScrollBar(TskSkinScrollBar* Value);
  int SkinControlIndex() const { return FSkinControlIndex; }
  bool MouseIn() const { return FMouseIn; }
  TskSkinPopupMenu* EditMenu() const { return FEditMenu.Menu(); }

  // Operations
  void GetSkinData();
  void ChangeSkinData();
  // Both bars from the window's native scroll ranges and positions.
  void UpDateScrollRange();
  void CreateSysPopupMenu() { FEditMenu.Build(FSkinData, ReadOnly()); }

  void Dispatch(classlib::TMessage& Message) override;

protected:
  void CreateParams(classlib::TCreateParams& Params) override;
  void Change() override;
  void Notification(classlib::TComponent* AComponent, classlib::TOperation Operation) override;

private:
  bool Skinned() const { return FSkinControlIndex != -1; }
  void DefaultFontChanged();
  // Hooks Bar to this memo (OnChange runs Scroll) or lets it go.
  void LinkBar(TskSkinScrollBar*& Field, TskSkinScrollBar* Value, void (TskSkinMemo2::*Scroll)(classlib::TObject*));
  void UpDateBar(TskSkinScrollBar& Bar, int Kind, int PageSize);
  void OnVScrollBarChange(classlib::TObject* Sender);
  void OnHScrollBarChange(classlib::TObject* Sender);

  bool FMouseIn = false;
  int FSkinControlIndex = -1;
  TskSkinData* FSkinData = nullptr;
  classlib::String FSkinDataName = "memo";
  TskSkinScrollBar* FVScrollBar = nullptr;
  TskSkinScrollBar* FHScrollBar = nullptr;
  bool FDown = false;
  std::unique_ptr<classlib::TFont> FDefaultFont;
  bool FUseSkinFont = true;
  TskMemoEditMenu FEditMenu{*this};

  TskMemoLook FLook;  // the description's values, copied by GetSkinData
};

}  // namespace skin
