// The skinned menu engine: a menu tree shown as a chain of top-most popup windows, one per open
// level, painted from the skin's "POPUPWINDOW" and "MENUITEM" descriptions or in the default look.
// Nothing is modal: Popup returns once the first window shows; timers poll the mouse, open
// submenus after a rest and scroll; a chosen item runs after the chain has closed.
//
// Classes in this file: TskSkinMenu, TskSkinPopupWindow.
#pragma once

#include "platform/classlib/ComCtrls.h"
#include "platform/classlib/Forms.h"
#include "platform/classlib/Menus.h"
#include "platform/classlib/Timer.h"
#include "skin/data/Skeffbmp.h"
#include "skin/data/SkinData.h"
#include "skin/form/SkinMenuItem.h"
#include "skin/form/SkinMessages.h"

#include <memory>
#include <vector>

namespace skin {

// Whether a message reaching a form closes its open skinned menu: moves, sizes, activation, lost
// focus, cancelled modes and mouse buttons pressed elsewhere.
bool CanMenuClose(UINT Msg);

class TskSkinMenu;

class TskSkinPopupWindow : public classlib::TCustomControl {
public:
  // ADescription is the skin's popup window description, or null for the default look.
  TskSkinPopupWindow(classlib::TComponent* AOwner, TskSkinMenu* AOwnerMenu,
                     const TskDataSkinPopupWindow* ADescription);
  ~TskSkinPopupWindow() override;

  // Data members
  const TskDataSkinMenuItem* ItemDescription = nullptr;
  int VisibleItems = 0;
  int FirstVisible = 0;
  bool ScrollMode = false;
  bool MaxItemsMode = false;
  // 0 none, 1 up, 2 down.
  int ScrollDirection = 0;
  classlib::TPoint FrameLTPoint{}, FrameRTPoint{}, FrameLBPoint{}, FrameRBPoint{};
  classlib::TRect FrameItemsRect{};
  int ShowLeft = 0;
  int ShowTop = 0;
  // Made when emulated blending first needs it.
  std::unique_ptr<classlib::TTimer> ShowTimer;
  classlib::TPoint LastCursorPos{-1, -1};
  classlib::TImageList* ItemImages = nullptr;
  int GlyphColumnWidth = 16;
  classlib::TBitmap* FramePicture = nullptr;
  classlib::TBitmap* FrameMask = nullptr;
  int PrevHotIndex = -1;
  std::unique_ptr<classlib::TTimer> HoverTimer;
  // Made when an item first morphs.
  std::unique_ptr<classlib::TTimer> MorphingTimer;
  TskSkinMenu* const OwnerMenu;
  TskSkinData* WindowSkin = nullptr;
  const TskDataSkinPopupWindow* WindowDescription = nullptr;
  std::unique_ptr<classlib::TBitmap> ScreenShot;
  std::unique_ptr<TskEffectBmp> ScreenEffect;
  bool AlphaBlend = false;
  std::uint8_t AlphaBlendValue = 200;
  bool AlphaBlendAnimation = false;
  std::vector<std::unique_ptr<TskSkinMenuItem>> MenuItems;
  int HotIndex = -1;

  // Operations
  void Show(const classlib::TRect& R, classlib::TMenuItem* Item, int StartIndex, bool PopupByItem, bool OpenUpward);
  void Show2(const classlib::TRect& R, classlib::TMenuItem* Item, classlib::TMenuItem* Item2, int StartIndex,
             bool PopupByItem, bool OpenUpward);
  void CreateMenu(classlib::TMenuItem* Item, int StartIndex);
  void CreateMenu2(classlib::TMenuItem* Item, classlib::TMenuItem* Item2, int StartIndex);
  void CalcItemRects();
  int GetEndStartVisibleIndex() const;
  void CreateRealImage(classlib::TBitmap& Image);
  void PaintMenu(HDC DC);
  void SetMenuWindowRegion();
  void DrawUpMarker(classlib::TCanvas& Canvas);
  void DrawDownMarker(classlib::TCanvas& Canvas);
  bool CanScroll(int Direction) const;
  void StartScroll();
  void StopScroll();
  void ScrollUp(bool Wrap);
  void ScrollDown(bool Wrap);
  void TestMouse();
  void TestActive(int X, int Y);
  int GetActive(int X, int Y) const;
  bool InWindow(const classlib::TPoint& ScreenPoint);
  void TestMorph();
  void UpDatePW();
  void WTProc();
  void PopupKeyDown(WORD Key);
  void Hide();
  // Whether the window is in the chain and on the screen.
  bool Shown() const { return FShown; }
  // Stops the window's timers and takes it off the screen; the engine frees it later.
  void Retire();
  // Starts the morph steps of the window's items.
  void StartMorphing();
  // The pictures items are built in before they go onto the window (0 the item's look, 1 its
  // active look while it morphs), kept from item to item and paint to paint.
  classlib::TBitmap& ItemBuffer(int Index);
  // Draws straight onto the window, outside painting.
  void PaintNow(const std::function<void(classlib::TCanvas&)>& Paint);
  // The height of an item in this window's look.
  int ItemHeight(const TskSkinMenuItem& Item) const;

  void WndProc(classlib::TMessage& Message) override;
  void Dispatch(classlib::TMessage& Message) override;

protected:
  void CreateParams(classlib::TCreateParams& Params) override;

private:
  void AddItems(classlib::TMenuItem* Item, int From);
  void PrepareFont(bool SetCharsetFromSkin);
  // Sizes the window and lays out its frame and items once its items exist.
  void LayOut();
  void Place(const classlib::TRect& R, bool PopupByItem, bool OpenUpward);
  // Shows the window at its place and lights its first selectable item.
  void Appear();
  void ApplySkinCursor();
  classlib::TRect UpMarkerRect() const;
  classlib::TRect DownMarkerRect() const;
  void Repaint();
  void KeyLight(int NewIndex);

  bool FShown = false;
  bool FScrollTimer = false;
  std::unique_ptr<classlib::TBitmap> FItemBuffers[2];
};

class TskSkinMenu : public classlib::TComponent {
public:
  TskSkinMenu(classlib::TComponent* AOwner, classlib::TForm* AForm);
  ~TskSkinMenu() override;

  // Data members
  bool UseSkinFont = true;
  bool FirstPopup = false;
  int DefMenuItemHeight = 20;
  std::unique_ptr<classlib::TFont> DefaultMenuItemFont;
  classlib::TControl* PopupControl = nullptr;
  classlib::TControl* LastPopupControl = nullptr;
  classlib::TForm* Form;
  std::unique_ptr<classlib::TTimer> SubMenuTimer;
  TskSkinMenuItem* WaitingItem = nullptr;
  classlib::TRect MenuWorkArea{};
  bool IsOpen = false;
  TskSkinData* SkinData = nullptr;
  classlib::TNotifyEvent OnMenuClose;
  std::vector<std::unique_ptr<TskSkinPopupWindow>> PopupWindows;
  bool AlphaBlend = false;
  std::uint8_t AlphaBlendValue = 200;
  bool AlphaBlendAnimation = false;
  int MaxMenuItemsInWindow = 0;
  // The engine takes the keyboard itself while a chain is shown (RouteMessage). A form component
  // that routes the keys through its own handler first turns this off.
  bool HookKeyboard = true;

  // Operations
  void Popup(classlib::TControl* APopupControl, TskSkinData* ASkinData, int StartIndex, const classlib::TRect& R,
             classlib::TMenuItem* Item, bool OpenUpward);
  void Popup2(classlib::TControl* APopupControl, TskSkinData* ASkinData, int StartIndex, const classlib::TRect& R,
              classlib::TMenuItem* Item, classlib::TMenuItem* Item2, bool OpenUpward);
  void PopupSub(const classlib::TRect& R, classlib::TMenuItem* Item, int StartIndex, bool PopupByItem,
                bool OpenUpward);
  void PopupSub2(const classlib::TRect& R, classlib::TMenuItem* Item, classlib::TMenuItem* Item2, int StartIndex,
                 bool PopupByItem, bool OpenUpward);
  void CloseMenu(int Index);
  void Hide();
  void CheckItem(TskSkinPopupWindow* Window, TskSkinMenuItem* Item, bool Choose, bool ByKey);
  int GetPWIndex(const TskSkinPopupWindow* Window) const;
  classlib::TRect GetWorkArea() const;
  void WaitItem();
  void SetDefaultMenuItemFont(const classlib::TFont& Value);
  // The deepest open window, or null.
  TskSkinPopupWindow* DeepestWindow() const { return PopupWindows.empty() ? nullptr : PopupWindows.back().get(); }
  // The skin when it holds a skin; null for an empty one.
  TskSkinData* LoadedSkin() const { return SkinData && !SkinData->Empty ? SkinData : nullptr; }

  // While a chain is shown the engine holds an entry of the application's message router: key
  // presses go to the deepest window and are then dropped, and wheel turns are dropped.
  void RouteMessage(MSG& Msg, bool& Handled);

  // A window's handlers and timers bracket their work so that windows closed meanwhile are freed
  // only when the outermost handler has returned.
  class TBusy {
  public:
    explicit TBusy(TskSkinMenu& Menu) : FMenu(Menu) { ++FMenu.FBusy; }
    ~TBusy();
    TBusy(const TBusy&) = delete;
    TBusy& operator=(const TBusy&) = delete;

  private:
    TskSkinMenu& FMenu;
  };

protected:
  void Notification(classlib::TComponent* AComponent, classlib::TOperation Operation) override;

private:
  // The popup window description in use: the skin's, when its picture and the menu-item object
  // it needs are both there.
  const TskDataSkinPopupWindow* UsableWindowDescription() const;
  TskSkinPopupWindow* NewWindow();
  // Closes the menu open before and takes the new chain's skin and work area.
  void OpenChain(classlib::TControl* APopupControl, TskSkinData* ASkinData);
  // The chain's root window is on the screen: the menu takes the keyboard.
  void ChainShown();
  void FreeRetired();
  void SendToControl(classlib::TControl* Control, UINT Msg);

  int FBusy = 0;
  // Closed windows, hidden, until no handler of theirs is running.
  std::vector<std::unique_ptr<TskSkinPopupWindow>> FRetired;
  std::unique_ptr<classlib::TTimer> FReleaseTimer;
  // The control of the chain being opened, kept once a window shows.
  classlib::TControl* FPendingControl = nullptr;
};

// The skin's menu-item object ("MENUITEM", else "menuitem"), when it can paint items: its
// "activepictureindex" names a picture of the skin. Null otherwise.
const TskDataSkinMenuItem* FindMenuItemDescription(const TskSkinData& Skin);

}  // namespace skin
