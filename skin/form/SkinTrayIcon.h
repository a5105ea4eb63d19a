// An icon in the notification area: its tooltip, its mouse messages as component events (a click
// told from a double click by the system's double-click time), a menu dropped at the cursor, icons
// cycled from an image list, balloon tips, and the application's main form hidden to the icon when
// the application is minimized. After the shell restarts the icon is added again.
//
// Classes in this file: TskTrayIcon.
#pragma once

#include "platform/classlib/Bitmap.h"
#include "platform/classlib/ComCtrls.h"
#include "platform/classlib/Forms.h"
#include "platform/classlib/Menus.h"
#include "platform/classlib/Shell.h"
#include "platform/classlib/Timer.h"
#include "skin/form/SkinPopupMenu.h"

#include <functional>
#include <memory>

namespace skin {

enum class TskBalloonHintIcon { skbitNone, skbitInfo, skbitWarning, skbitError };

using TCycleEvent = std::function<void(classlib::TObject* Sender, int NextIndex)>;

struct TskTrayFormHook;

// The message the shell sends the icon's window for mouse input on the icon.
constexpr UINT WM_TRAYNOTIFY = 0x800;

class TskTrayIcon : public classlib::TComponent {
public:
  explicit TskTrayIcon(classlib::TComponent* AOwner);
  ~TskTrayIcon() override;

  // Published properties
  bool DesignPreview() const { return FDesignPreview; }
  void SetDesignPreview(bool Value);
  classlib::TImageList* IconList() const { return FIconList; }
  void SetIconList(classlib::TImageList* Value);
  bool CycleIcons() const { return FCycleIcons; }
  void SetCycleIcons(bool Value);
  unsigned AnimateTimerInterval() const { return FAnimateTimerInterval; }
  void SetAnimateTimerInterval(unsigned Value);
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value) { FEnabled = Value; }
  const classlib::String& Hint() const { return FHint; }
  void SetHint(const classlib::String& Value);
  bool ShowHint() const { return FShowHint; }
  void SetShowHint(bool Value);
  classlib::TIcon& Icon() { return *FIcon; }
  void SetIcon(const classlib::TIcon& Value);
  bool IconVisible() const { return FIconVisible; }
  void SetIconVisible(bool Value);
  int IconIndex() const { return FIconIndex; }
  // Within the list (the last icon for an index past its end); the icon stays as it is when the list
  // is empty.
  void SetIconIndex(int Value);
  // The skinned menu dropped at the cursor.
  TskSkinPopupMenu* PopupMenu() const { return FPopupMenu; }
  void SetPopupMenu(TskSkinPopupMenu* Value);
  bool PopupByLeftButton() const { return FPopupByLeftButton; }
  void SetPopupByLeftButton(bool Value) { FPopupByLeftButton = Value; }
  bool MinimizedOnStart() const { return FMinimizedOnStart; }
  void SetMinimizedOnStart(bool Value) { FMinimizedOnStart = Value; }
  bool MinimizeToTray() const { return FMinimizeToTray; }
  void SetMinimizeToTray(bool Value) { FMinimizeToTray = Value; }
  classlib::TNotifyEvent OnClick;
  classlib::TNotifyEvent OnDblClick;
  classlib::TMouseEvent OnMouseDown;
  classlib::TMouseEvent OnMouseUp;
  classlib::TMouseMoveEvent OnMouseMove;
  TCycleEvent OnCycle;

  void Loaded() override;

  // Returns true when the application's icon should stand in for a missing one.
  virtual bool LoadDefaultIcon() { return true; }
  virtual bool ShowIcon();
  virtual bool HideIcon();
  virtual bool ModifyIcon();
  bool Refresh() { return ModifyIcon(); }
  bool ShowBalloonHint(const classlib::String& Title, const classlib::String& Text, TskBalloonHintIcon IconKind);
  bool HideBalloonHint();
  // Bitmap through a 16 x 16 image list with MaskColor transparent; the list's icon into Icon.
  static bool BitmapToIcon(classlib::TBitmap& Bitmap, classlib::TIcon& Icon, classlib::TColor MaskColor);
  void ShowMainForm();
  void HideMainForm();
  void PopupAtCursor();

  // The shell's record of the icon, as the last call passed it.
  const NOTIFYICONDATAA& NotifyData() const { return FNotifyData; }
  // The hidden window that receives the icon's messages.
  HWND Handle() const { return FWindow; }

  // Messages of the application's window and of the owner's, seen before their own procedures.
  void AppMessage(UINT Msg, WPARAM WParam, LPARAM LParam);
  void FormMessage(classlib::TMessage& Message);

protected:
  void Notification(classlib::TComponent* AComponent, classlib::TOperation Operation) override;

  virtual void Click();
  virtual void DblClick();
  virtual void CycleIcon();
  virtual void MouseDown(classlib::TMouseButton Button, classlib::TShiftState Shift, int X, int Y);
  virtual void MouseUp(classlib::TMouseButton Button, classlib::TShiftState Shift, int X, int Y);
  virtual void MouseMove(classlib::TShiftState Shift, int X, int Y);
  virtual void DoMinimizeToTray();

private:
  bool Designing() const;
  bool InitIcon();
  bool Notify(DWORD Message);
  // The hidden window's procedure; WindowProc finds the component for it.
  LRESULT HandleIconMessage(UINT Msg, WPARAM WParam, LPARAM LParam);
  static LRESULT CALLBACK WindowProc(HWND Window, UINT Msg, WPARAM WParam, LPARAM LParam);
  void IconMouseMessage(LPARAM LParam);
  void TimerCycle(classlib::TObject* Sender);
  void TimerClick(classlib::TObject* Sender);
  int NextIndex() const;
  void HookApp();
  void UnHookApp();
  void HookForm();
  void UnHookForm();

  bool FEnabled = true;
  std::unique_ptr<classlib::TIcon> FIcon;
  bool FIconVisible = true;
  classlib::String FHint;
  bool FShowHint = true;
  TskSkinPopupMenu* FPopupMenu = nullptr;
  bool FPopupByLeftButton = false;
  bool FMinimizedOnStart = false;
  bool FMinimizeToTray = false;
  bool FClickStarted = false;
  bool FClickPending = false;
  std::unique_ptr<classlib::TTimer> FCycleTimer;
  std::unique_ptr<classlib::TTimer> FDoubleClickTimer;
  bool FDoubleClicked = false;
  int FIconIndex = 0;
  bool FDesignPreview = false;
  bool FPreviewChanging = false;
  bool FMDIStartPending = true;
  classlib::TImageList* FIconList = nullptr;
  bool FCycleIcons = false;
  unsigned FAnimateTimerInterval = 0;
  HWND FWindow = nullptr;
  bool FAppHooked = false;
  std::shared_ptr<TskTrayFormHook> FFormHook;
  NOTIFYICONDATAA FNotifyData{};
};

}  // namespace skin
