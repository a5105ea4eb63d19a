// The form skinning component: it takes over its form's window procedure and gives the form a frame
// drawn from a skin (or a plain frame of its own without one): layout, window region, hit tests,
// frame objects, window states, roll-up and the skin-change walk over the form's controls.
//
// Classes in this file: TskFormSkin.
#pragma once

#include "platform/classlib/Bitmap.h"
#include "platform/classlib/Forms.h"
#include "platform/classlib/Menus.h"
#include "platform/classlib/Timer.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinObjectDescriptions.h"
#include "skin/form/SkinMessages.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace skin {

class TskActiveSkinObject;
class TskUserObject;
class TskSkinButtonObject;
class TskSkinStdButtonObject;
class TskSkinComponent;
class TskSkinCaptionObject;
class TskSkinMainMenuItem;
class TskSkinMainMenuBar;
class TskSkinMenu;
class TskSkinPopupMenu;
class TskSkinHint;
class TskTrayIcon;
class TskSkinMDITabsBar;
class TskFormSkin;

enum class TskBorderIcon { biSystemMenu, biMinimize, biMaximize, biRollUp, biMinimizeToTray };
using TskBorderIcons = classlib::Set<TskBorderIcon>;

enum class TSwitchState { swsOn, swsOff };

// Events of the frame objects; IDName names the object concerned.
using TskMouseUpEvent = std::function<void(const classlib::String& IDName, int X, int Y,
                                           const classlib::TRect& ObjectRect, classlib::TMouseButton Button)>;
using TMouseDownEvent = std::function<void(const classlib::String& IDName, int X, int Y,
                                           const classlib::TRect& ObjectRect, classlib::TMouseButton Button)>;
using TMouseMoveEvent =
    std::function<void(const classlib::String& IDName, int X, int Y, const classlib::TRect& ObjectRect)>;
using TMouseEnterEvent = std::function<void(const classlib::String& IDName)>;
using TMouseLeaveEvent = std::function<void(const classlib::String& IDName)>;
using TPaintEvent =
    std::function<void(const classlib::String& IDName, classlib::TCanvas& Canvas, const classlib::TRect& ObjectRect)>;
using TSwitchChangeStateEvent = std::function<void(const classlib::String& IDName, TSwitchState State)>;
using TTrackBarChangeValueEvent = std::function<void(const classlib::String& IDName, int Value)>;
using TFrameRegulatorChangeValueEvent = std::function<void(const classlib::String& IDName, int Value)>;
using TChangeClientRectEvent = std::function<void(const classlib::TRect& NewClientRect)>;
using TskActivateCustomObjectEvent = std::function<void(const classlib::String& IDName, bool& ObjectVisible)>;

// The first component owned by Form that is a TskFormSkin; null when there is none or no Form.
TskFormSkin* GetFormSkinComponent(classlib::TComponent* Form);
// The component of the main form's first maximized MDI child, in activation order.
TskFormSkin* GetMDIChildFormSkinComponent();
// The component of the main form's active MDI child.
TskFormSkin* GetMDIChildFormSkinComponent2();

// The region of Mask's black pixels moved by DX, DY; null when it has none.
HRGN CreateMaskRegion(classlib::TBitmap& Mask, int DX, int DY);

// A control placed on a named area of the skin picture (client mode).
struct TskAreaLink {
  classlib::TControl* Control;
  classlib::TRect AreaRect;
};

class TskFormSkin : public classlib::TComponent {
public:
  // Owner must be a form (EInvalidCast otherwise).
  explicit TskFormSkin(classlib::TComponent* AOwner);
  ~TskFormSkin() override;

  // Published properties
  bool UseFormCursorInNCArea() const { return FUseFormCursorInNCArea; }
  void SetUseFormCursorInNCArea(bool Value) { FUseFormCursorInNCArea = Value; }
  int MaxMenuItemsInWindow() const { return FMaxMenuItemsInWindow; }
  void SetMaxMenuItemsInWindow(int Value);
  int ClientWidth() const { return FClientWidth; }
  void SetClientWidth(int Value) { FClientWidth = Value; }
  int ClientHeight() const { return FClientHeight; }
  void SetClientHeight(int Value) { FClientHeight = Value; }
  bool HideCaptionButtons() const { return FHideCaptionButtons; }
  void SetHideCaptionButtons(bool Value) { FHideCaptionButtons = Value; }
  bool AlwaysShowInTray() const { return FAlwaysShowInTray; }
  void SetAlwaysShowInTray(bool Value) { FAlwaysShowInTray = Value; }
  bool LogoBitMapTransparent() const { return FLogoBitMapTransparent; }
  void SetLogoBitMapTransparent(bool Value) { FLogoBitMapTransparent = Value; }
  classlib::TBitmap& LogoBitMap() { return *FLogoBitMap; }
  void SetLogoBitMap(const classlib::TBitmap& Value);
  bool AlwaysMinimizeToTray() const { return FAlwaysMinimizeToTray; }
  void SetAlwaysMinimizeToTray(bool Value) { FAlwaysMinimizeToTray = Value; }
  bool ShowIcon() const { return FShowIcon; }
  void SetShowIcon(bool Value);
  bool MaximizeOnFullScreen() const { return FMaximizeOnFullScreen; }
  void SetMaximizeOnFullScreen(bool Value) { FMaximizeOnFullScreen = Value; }
  bool ShowObjectHint() const { return FShowObjectHint; }
  void SetShowObjectHint(bool Value) { FShowObjectHint = Value; }
  bool UseDefaultObjectHint() const { return FUseDefaultObjectHint; }
  void SetUseDefaultObjectHint(bool Value) { FUseDefaultObjectHint = Value; }
  bool UseSkinCursors() const { return FUseSkinCursors; }
  void SetUseSkinCursors(bool Value) { FUseSkinCursors = Value; }
  classlib::TFont& DefCaptionFont() { return *FDefCaptionFont; }
  void SetDefCaptionFont(const classlib::TFont& Value);
  classlib::TFont& DefInActiveCaptionFont() { return *FDefInActiveCaptionFont; }
  void SetDefInActiveCaptionFont(const classlib::TFont& Value);
  bool UseDefaultSysMenu() const { return FUseDefaultSysMenu; }
  void SetUseDefaultSysMenu(bool Value) { FUseDefaultSysMenu = Value; }
  bool SupportNCArea() const { return FSupportNCArea; }
  void SetSupportNCArea(bool Value);
  TskBorderIcons BorderIcons() const { return FBorderIcons; }
  void SetBorderIcons(TskBorderIcons Value);
  bool Sizeable() const { return FSizeable; }
  void SetSizeable(bool Value) { FSizeable = Value; }
  int MinHeight() const { return FMinHeight; }
  void SetMinHeight(int Value) { FMinHeight = Value; }
  int MinWidth() const { return FMinWidth; }
  void SetMinWidth(int Value) { FMinWidth = Value; }
  int MaxHeight() const { return FMaxHeight; }
  void SetMaxHeight(int Value) { FMaxHeight = Value; }
  int MaxWidth() const { return FMaxWidth; }
  void SetMaxWidth(int Value) { FMaxWidth = Value; }
  TskSkinData* SkinData() const { return FSkinData; }
  void SetSkinData(TskSkinData* Value);
  TskSkinData* MenusSkinData() const { return FMenusSkinData; }
  void SetMenusSkinData(TskSkinData* Value);
  classlib::TMainMenu* MainMenu() const { return FMainMenu; }
  void SetMainMenu(classlib::TMainMenu* Value);
  TskSkinMainMenuBar* MainMenuBar() const { return FMainMenuBar; }
  void SetMainMenuBar(TskSkinMainMenuBar* Value);
  classlib::TPopupMenu* SystemMenu() const { return FSystemMenu; }
  void SetSystemMenu(classlib::TPopupMenu* Value);
  bool DraggAble() const { return FDraggAble; }
  void SetDraggAble(bool Value) { FDraggAble = Value; }
  std::uint8_t MagneticSize() const { return FMagneticSize; }
  void SetMagneticSize(std::uint8_t Value) { FMagneticSize = Value; }
  bool Magnetic() const { return FMagnetic; }
  void SetMagnetic(bool Value) { FMagnetic = Value; }
  bool MenusAlphaBlend() const { return FMenusAlphaBlend; }
  void SetMenusAlphaBlend(bool Value);
  std::uint8_t MenusAlphaBlendValue() const { return FMenusAlphaBlendValue; }
  void SetMenusAlphaBlendValue(std::uint8_t Value);
  bool MenusAlphaBlendAnimation() const { return FMenusAlphaBlendAnimation; }
  void SetMenusAlphaBlendAnimation(bool Value);
  bool AlphaBlend() const { return FAlphaBlend; }
  void SetAlphaBlend(bool Value);
  bool AlphaBlendAnimation() const { return FAlphaBlendAnimation; }
  void SetAlphaBlendAnimation(bool Value) { FAlphaBlendAnimation = Value; }
  std::uint8_t AlphaBlendValue() const { return FAlphaBlendValue; }
  void SetAlphaBlendValue(std::uint8_t Value);
  // The menu engine's values.
  bool UseSkinFontInMenu() const;
  void SetUseSkinFontInMenu(bool Value);
  int DefMenuItemHeight() const;
  void SetDefMenuItemHeight(int Value);
  classlib::TFont& DefMenuItemFont();
  void SetDefMenuItemFont(const classlib::TFont& Value);

  // Published events
  TChangeClientRectEvent OnChangeClientRect;
  classlib::TNotifyEvent OnChangeSkinData;
  TskMouseUpEvent OnMouseUpEvent;
  TMouseDownEvent OnMouseDownEvent;
  TMouseMoveEvent OnMouseMoveEvent;
  TMouseEnterEvent OnMouseEnterEvent;
  TMouseLeaveEvent OnMouseLeaveEvent;
  TPaintEvent OnPaintEvent;
  TSwitchChangeStateEvent OnSwitchChangeStateEvent;
  TTrackBarChangeValueEvent OnTrackBarChangeValueEvent;
  TFrameRegulatorChangeValueEvent OnFrameRegulatorChangeValueEvent;
  classlib::TNotifyEvent OnActivate;
  classlib::TNotifyEvent OnDeActivate;
  classlib::TNotifyEvent OnSkinMenuOpen;
  classlib::TNotifyEvent OnSkinMenuClose;
  classlib::TNotifyEvent OnChangeRollUpState;
  classlib::TNotifyEvent OnMainMenuEnter;
  classlib::TNotifyEvent OnMainMenuExit;
  classlib::TNotifyEvent OnMinimizeToTray;
  classlib::TNotifyEvent OnRestoreFromTray;
  TskActivateCustomObjectEvent OnActivateCustomObject;

  // State the frame objects and the other parts of the frame read (the component's fields).
  bool SkinActive = false;
  std::unique_ptr<classlib::TIcon> SmallIcon;
  bool MDIChildMaximizedFlag = false;
  bool NCActive = false;
  bool ShortCutHandled = false;
  bool FullDragg = false;
  int FormWidth = 0, FormHeight = 0;
  bool InSizeMove = false;
  bool RollUpState = false;
  bool RolledUpWhileMaximized = false;
  std::unique_ptr<classlib::TBitmap> TopMask, BottomMask, LeftMask, RightMask;
  classlib::TColor MaskColor = 0;
  bool MouseTracking = false;
  classlib::TRect NormalBounds{};
  int RollUpHeight = 0;
  classlib::TPoint LaidOutLeftTop{}, LaidOutRightBottom{}, LaidOutRightTop{}, LaidOutLeftBottom{};
  classlib::TRect LaidOutClientRect{};
  classlib::TRect LaidOutCaptionRect{}, NewButtonsRect{};
  int ButtonsOffset = 0;
  bool ButtonsInLeft = false;
  classlib::TRect NewMaskRectArea{};
  classlib::TPoint NewHitTestLTPoint{}, NewHitTestRTPoint{}, NewHitTestLBPoint{}, NewHitTestRBPoint{};
  classlib::TRect DefCaptionRect{};
  std::function<void(classlib::TMessage&)> OldWindowProc;
  bool DragInProgress = false;
  int DragX = 0, DragY = 0;
  bool SkinChanging = false;
  classlib::TWindowState WindowState = classlib::TWindowState::wsNormal;
  std::vector<classlib::TControl*> HiddenByRollUp;
  bool MenuLoop = false, MainMenuActive = false;
  HRGN FormRgn = nullptr;
  classlib::TRect RealMainMenuRect{}, RealIconRect{};
  classlib::TTimer* MorphingTimer = nullptr;
  classlib::TTimer* AnimationTimer = nullptr;
  classlib::TTimer* PointerTimer = nullptr;
  int ActiveObject = -1, OldActiveObject = -1, CaptureObject = -1;
  classlib::TForm* Form = nullptr;
  std::vector<std::unique_ptr<TskActiveSkinObject>> FrameObjects;
  std::vector<TskAreaLink> AreaLinks;
  bool AlwaysActive = false;
  // Owned by the component: the form's menu engine, the built-in system menu and the tray menu.
  TskSkinMenu* SkinMenu = nullptr;
  classlib::TPopupMenu* SysMenu = nullptr;
  TskSkinPopupMenu* TrayMenu = nullptr;

  // Activation, size limits and small services
  bool GetFormActive() const;
  void FormChangeActive(bool Redraw);
  int GetMinWidth() const;
  int GetMinHeight() const;
  int GetMaxWidth() const;
  int GetMaxHeight() const;
  int GetDefCaptionHeight() const;
  int GetDefButtonSize() const;
  bool GetAutoRenderingInActiveImage() const;
  static void GetIconSize(int& W, int& H);
  void GetIcon();
  void DrawFormIcon(classlib::TCanvas& Canvas, int X, int Y);
  void FormShortCut(classlib::TMessage& Msg, bool& Handled);
  void HookApp();
  void UnHookApp();
  void PaintEvent(const classlib::String& IDName, classlib::TCanvas& Canvas, const classlib::TRect& ObjectRect);
  void MouseUpEvent(const classlib::String& IDName, int X, int Y, const classlib::TRect& ObjectRect,
                    classlib::TMouseButton Button);
  void MouseDownEvent(const classlib::String& IDName, int X, int Y, const classlib::TRect& ObjectRect,
                      classlib::TMouseButton Button);
  void MouseMoveEvent(const classlib::String& IDName, int X, int Y, const classlib::TRect& ObjectRect);
  void MouseEnterEvent(const classlib::String& IDName);
  void MouseLeaveEvent(const classlib::String& IDName);

  // Geometry
  bool CanScale() const;
  void CalcRects();
  classlib::TRect CalcRealObjectRect(const classlib::TRect& R) const;
  void CalcAllRealObjectRect();
  void CalcDefRects();
  classlib::TRect GetDefCaptionRect();
  void PointToNCPoint(classlib::TPoint& P);
  void CheckSize();
  int GetRealHeight() const;

  // Frame objects: loading and painting
  void LoadObjects();
  void LoadDefObjects();
  void ClearObjects();
  void CheckObjects();
  void CheckObjectsHint();
  int GetIndex(const classlib::String& IDName) const;
  bool CanObjectTest(bool RollUp) const;
  void UpDateActiveObjects();
  void PaintNCSkin();
  void PaintNCDefault();
  void PaintBG(HDC DC);
  void PaintBG2(HDC DC);
  void PaintBG3(HDC DC);
  void PaintBGDefault(HDC DC);
  void Paint(HDC DC);
  void CreateRealBitMap(classlib::TBitmap& B, classlib::TBitmap& SB);
  void DrawLogoBitMap(classlib::TCanvas& Canvas);
  void CorrectCaptionText(classlib::TCanvas& Canvas, classlib::String& S, int W);
  void SetDefaultCaptionText(const classlib::String& Text);
  // The caption the frame shows: the form's, and on an MDI parent with a maximized child also the
  // child's in brackets.
  classlib::String FrameCaptionText() const;
  // End of frame objects: loading and painting

  // Skinned menus, system menu and tray menu
  // Every skinned menu of the form opens after SkinMenuOpen (which hooks the application's keys for
  // it) and ends with SkinMenuClose.
  void SkinMenuOpen();
  void SkinMenuClose();
  // Item's subitems beside a screen rectangle, upward when OpenUpward.
  void PopupSkinMenu(classlib::TMenuItem* Item, const classlib::TRect& R, bool OpenUpward);
  void PopupSkinMenu(classlib::TMenu* Menu, const classlib::TPoint& P);
  void PopupSkinMenu1(classlib::TMenu* Menu, const classlib::TRect& R, bool OpenUpward);
  // The item whose subitems form the system menu, built for the form's state at this moment.
  classlib::TMenuItem* GetSystemMenu();
  void CreateSysMenu();
  void CreateUserSysMenu();
  void TrackSystemMenu(int X, int Y);
  void SM_Min(classlib::TObject* Sender);
  void SM_Max(classlib::TObject* Sender);
  void SM_Restore(classlib::TObject* Sender);
  void SM_RollUp(classlib::TObject* Sender);
  void SM_MinToTray(classlib::TObject* Sender);
  void SM_Close(classlib::TObject* Sender);
  void TSM_Restore(classlib::TObject* Sender);
  void TSM_Close(classlib::TObject* Sender);

  // The main menu in the frame or its bar, and the keyboard while a menu has it.
  void UpdateMainMenu(bool Repaint);
  void CreateMainMenu();
  void SkinMenuClose2();
  void SkinMainMenuClose();
  void ActivateMenu();
  bool FindHotKeyItem(WORD Key);
  bool CanNextMainMenuItem() const;
  bool CanPriorMainMenuItem() const;
  void NextMainMenuItem();
  void PriorMainMenuItem();
  bool CheckReturnKey();
  void FormKeyDown(classlib::TMessage& Message);
  // The application's messages while a skinned menu or the main menu has the keyboard.
  void NewAppMessage(MSG& Msg, bool& Handled);
  // Closes the open skinned menu on the messages that close menus.
  void CheckMenuVisible(classlib::TMessage& Message);
  // Alt or F10: enters main-menu mode, or leaves it when it is on.
  void KeyMenu();

  // Region
  bool CanNCSupport() const;
  void CreateNewForm(bool Resized);
  void CreateNewRegion(bool Resized);
  void UpDateForm();

  // Hit tests, mouse and timers
  int NewNCHitTest(const classlib::TPoint& P);
  int NewDefNCHitTest(const classlib::TPoint& P);
  int NewHitTest(const classlib::TPoint& P);
  void TestActive(int X, int Y, bool Track);
  void MouseMove(int X, int Y);
  void MouseDown(classlib::TMouseButton Button, int X, int Y);
  void MouseUp(classlib::TMouseButton Button, int X, int Y);
  void MouseDBlClick();
  void StartDragg(int X, int Y);
  void EndDragg();
  void CheckWindowState();
  void DrawSkinObject(TskActiveSkinObject& Object);
  static bool GetFullDragg();
  void TestCursors();
  void TestMouse(classlib::TObject* Sender);
  void TestMorph(classlib::TObject* Sender);
  void TestAnimate(classlib::TObject* Sender);

  // Skin change and skin areas
  void ChangeSkinData();
  void BeforeUpDateSkinControls(TskSkinData* S, classlib::TWinControl* Root);
  void UpDateSkinControls(TskSkinData* S, classlib::TWinControl* Root);
  void BeforeUpDateSkinComponents(TskSkinData* S);
  void UpDateSkinComponents(TskSkinData* S);
  void LinkControlsToAreas();
  void LinkControlToArea(const classlib::String& AreaName, classlib::TControl* Control);
  void UnLinkControlFromArea(classlib::TControl* Control);
  void ControlsToAreas();

  // The window procedure put in place of the form's own.
  void NewWndProc(classlib::TMessage& Message);

  // Window states, roll-up, tray and transparency
  void SetWindowState(classlib::TWindowState Value);
  void SetRollUpState(bool Value);
  void GetMinimizeCoord(classlib::TPoint& P);
  void MinimizeToTray();
  void RestoreFromTray();
  void SetFormStyle(classlib::TFormStyle Value);
  void CreateRollUpForm();
  void RestoreRollUpForm();

  // Magnetic edges and point tests
  void DoMagnetic(int& L, int& T, int W, int H);
  bool InForm(const classlib::TPoint& P) const;
  bool PtInMask(const classlib::TPoint& P) const;

  // Skin objects by name. Each finds the first frame object named IDName (exact case); when there is
  // none, or it is of another class, it does nothing or returns its default. While a skin is being
  // applied the setters store their values without drawing.
  void UserObjectDraw(const classlib::String& IDName);
  void AnimateStart(const classlib::String& IDName);
  void AnimateStop(const classlib::String& IDName);
  void TrackBarSetValue(const classlib::String& IDName, int Value);
  int TrackBarGetValue(const classlib::String& IDName) const;
  void FrameRegulatorSetValue(const classlib::String& IDName, int Value);
  int FrameRegulatorGetValue(const classlib::String& IDName) const;
  void GaugeSetValue(const classlib::String& IDName, int Value);
  void FrameGaugeSetValue(const classlib::String& IDName, int Value);
  void LabelSetText(const classlib::String& IDName, const classlib::String& Text);
  void BitLabelSetText(const classlib::String& IDName, const classlib::String& Text);
  void CaptionSetText(const classlib::String& IDName, const classlib::String& Text);
  void SwitchSetState(const classlib::String& IDName, TSwitchState State);
  TSwitchState SwitchGetState(const classlib::String& IDName) const;
  void ButtonSetDown(const classlib::String& IDName, bool Value);
  bool ButtonGetDown(const classlib::String& IDName) const;
  void SetEnabled(const classlib::String& IDName, bool Value);
  void LinkMenu(const classlib::String& IDName, classlib::TMenu* Menu, bool OpenUpward);
  // Relays of the objects' changes to the application's events.
  void SwitchChangeStateEvent(const classlib::String& IDName, TSwitchState State);
  void TrackBarChangeValueEvent(const classlib::String& IDName, int Value);
  void FrameRegulatorChangeValueEvent(const classlib::String& IDName, int Value);

  // The hint window for the objects' hints and the notification-area icon for minimizing to it.
  TskSkinHint* SkinHint() const { return FSkinHint; }
  void SetSkinHint(TskSkinHint* Value);
  TskTrayIcon* TrayIcon() const { return FTrayIcon; }
  void SetTrayIcon(TskTrayIcon* Value);
  // Installed as the tray icon's double click: the form comes back.
  void TrayIconDBLCLK(classlib::TObject* Sender);
  // The animation whose menu has closed plays back to its first frame.
  void PlayBackMenuAnimation();
  // MDI support (FormSkinMDI.cpp): the parent is always the application's main form.
  TskSkinMDITabsBar* MDITabsBar() const { return FMDITabsBar; }
  void SetMDITabsBar(TskSkinMDITabsBar* Value);
  // The part of the main form's client area that no visible aligned control covers.
  classlib::TRect GetMDIWorkArea() const;
  void Tile();
  void Cascade();
  void MinimizeAll();
  void MaximizeAll();
  void RestoreAll();
  void CloseAll();
  void ArangeMinimizedChilds();
  void ResizeMDIChilds();
  // The active child when it is maximized, else the first maximized one.
  classlib::TForm* GetMaximizeMDIChild() const;
  bool IsMDIChildMaximized() const { return MDIChildMaximizedFlag; }
  void MDIItemClick(classlib::TObject* Sender);
  void PaintMDIBGDefault(HDC DC);
  void FormClientWindowProcHook(classlib::TMessage& Message);

protected:
  void Notification(classlib::TComponent* AComponent, classlib::TOperation Operation) override;

private:
  bool Designing() const;
  // Near the border for the sizing zones of the skinned frame.
  bool NearBorder(const classlib::TPoint& P) const;
  int SizingZone(const classlib::TPoint& P) const;
  bool CaptionTest(const classlib::TPoint& P) const;
  // The active object lies under P. The pointer timer sets the active object up to 50 ms late: a
  // press just after the pointer left an object must not go to that object.
  bool ActiveObjectAt(const classlib::TPoint& P) const;
  void ResizeSteps();
  void CalcSizeSteps(classlib::TMessage& Message);
  void NCHitTestMessage(classlib::TMessage& Message);
  void MouseMessages(classlib::TMessage& Message);
  void CaptionDoubleClick();
  void ShowWindowSteps(classlib::TMessage& Message);
  void FadeIn();
  void DoMinimize();
  void DoMaximize();
  void DoNormalize();
  void CreateRollUpForm2();
  void RestoreRollUpForm2();
  void SetRollUpFormRegion();
  void RemoveRegion();
  void StopTimers();
  void HandleSkinControl(classlib::TControl* Control, TskSkinData* S, bool Before);
  bool IsMDIChild() const;
  bool IsMDIForm() const;
  bool IsMaximizedMDIChild() const;

  // The menus, the hint window and MDI support as the frame reaches them.
  void CreateSysTrayMenu();
  void ActivateObjectHint(const classlib::String& Hint);
  void HideObjectHint();
  void CopyMenuOptions();
  void CheckMDIMainMenu();                           // MDI: the parent's merged main menu
  void CheckMDIBar();                                // MDI: the parent's tabs bar
  void UpDateChildActiveInMenu();                    // MDI: the window menu's check mark
  void UpDateChildCaptionInMenu();                   // MDI: the window menu's caption of the child
  void RefreshMDIBarTab();                           // MDI: the child's tab
  void AddChildToMenu();                             // MDI: the child's window-menu item
  void AddChildToBar();                              // MDI: the child's tab
  void DeleteChildFromMenu();                        // MDI: removes the window-menu item
  void DeleteChildFromBar();                         // MDI: removes the tab
  void HookMDIClient();                              // MDI: takes over the client window's procedure

  bool FUseFormCursorInNCArea = false;
  int FMaxMenuItemsInWindow = 0;
  int FClientWidth = 0, FClientHeight = 0;
  bool FHideCaptionButtons = false;
  bool FAlwaysShowInTray = false;
  bool FLogoBitMapTransparent = false;
  std::unique_ptr<classlib::TBitmap> FLogoBitMap;
  bool FAlwaysMinimizeToTray = false;
  bool FShowIcon = false;
  bool FMaximizeOnFullScreen = false;
  bool FShowObjectHint = false;
  bool FUseDefaultObjectHint = true;
  bool FUseSkinCursors = false;
  std::unique_ptr<classlib::TFont> FDefCaptionFont, FDefInActiveCaptionFont;
  bool FUseDefaultSysMenu = true;
  bool FSupportNCArea = true;
  TskBorderIcons FBorderIcons{TskBorderIcon::biSystemMenu, TskBorderIcon::biMinimize, TskBorderIcon::biMaximize,
                              TskBorderIcon::biRollUp};
  bool FSizeable = true;
  int FMinHeight = 0, FMinWidth = 0, FMaxHeight = 0, FMaxWidth = 0;
  TskSkinData* FSkinData = nullptr;
  TskSkinData* FMenusSkinData = nullptr;
  classlib::TMainMenu* FMainMenu = nullptr;
  classlib::TPopupMenu* FSystemMenu = nullptr;
  bool FDraggAble = false;
  std::uint8_t FMagneticSize = 10;
  bool FMagnetic = false;
  bool FMenusAlphaBlend = false;
  std::uint8_t FMenusAlphaBlendValue = 200;
  bool FMenusAlphaBlendAnimation = false;
  bool FAlphaBlend = false;
  bool FAlphaBlendAnimation = false;
  std::uint8_t FAlphaBlendValue = 200;
  TskSkinMainMenuBar* FMainMenuBar = nullptr;
  TskSkinHint* FSkinHint = nullptr;
  TskTrayIcon* FTrayIcon = nullptr;
  // Handlers given to other components reach this one through it; they do nothing once it is gone.
  std::shared_ptr<TskFormSkin*> FSelfToken = std::make_shared<TskFormSkin*>(this);
  // The first frame object named IDName when it is a T, else null.
  template <class T>
  T* NamedObject(const classlib::String& IDName) const;
  TskSkinMDITabsBar* FMDITabsBar = nullptr;
  // The MDI client window while its procedure is FormClientWindowProcHook's.
  HWND FHookedClient = nullptr;
  WNDPROC OldClientWndProc = nullptr;
  void UnHookMDIClient();
  // A maximized child freed with its form (its window gone already): the parent looks again.
  void MDIChildGone();
  // Forgets the tabs bar when it is freed.
  void MDINotification(classlib::TComponent* AComponent);
  static LRESULT CALLBACK ClientWndProcInstance(HWND Window, UINT Msg, WPARAM WParam, LPARAM LParam);
  // The border pieces of the skinned frame last painted (top, left, right, bottom), and the copies of
  // the top and bottom bands the objects are drawn on. Building the pieces from the picture's tiles
  // costs more than the rest of a paint, and a repaint at the same size with the same looks needs the
  // same pieces.
  struct TFramePieces {
    using TKey = std::array<std::intptr_t, 17>;
    TKey BandsKey{}, SidesKey{};
    classlib::TBitmap Base[4], WorkTop, WorkBottom;
  };
  TFramePieces FPieces;
  // The client piece of the skin picture that tiles the client area, cut once per skin.
  struct TClientTile {
    HBITMAP Source = nullptr;
    classlib::TRect Rect{};
    classlib::TBitmap Tile;
  };
  TClientTile FClientTile;
};

}  // namespace skin
