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
  // The menu engine's values, kept here until the form has its engine.
  bool UseSkinFontInMenu() const { return FUseSkinFontInMenu; }
  void SetUseSkinFontInMenu(bool Value) { FUseSkinFontInMenu = Value; }
  int DefMenuItemHeight() const { return FDefMenuItemHeight; }
  void SetDefMenuItemHeight(int Value);
  classlib::TFont& DefMenuItemFont() { return *FDefMenuItemFont; }
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
  std::function<void(MSG&, bool&)> OldAppMessage;
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
  // Reached from the frame objects, built with the menus; until then they do nothing.
  void SkinMenuOpen() {}  // records that a skinned menu is open and hooks the application's messages
  void PopupSkinMenu(classlib::TMenuItem*, const classlib::TRect&, bool) {}  // Item's subitems beside a screen rectangle
  classlib::TMenuItem* GetSystemMenu() { return nullptr; }  // the item whose subitems form the system menu
  // End of frame objects: loading and painting

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

  // Reached from the frame, built with the menus, the hint window, the tray icon and MDI support;
  // until then they do nothing.
  void CheckMenuVisible(classlib::TMessage&) {}      // closes an open skinned menu on such messages
  void SkinMenuClose() {}                            // closes the open skinned menu
  void SkinMainMenuClose() {}                        // leaves the main menu in the frame
  void ActivateMenu() {}                             // gives the main menu in the frame the keyboard
  void TrackSystemMenu(int, int) {}                  // opens the system menu at a screen point
  void CreateSysTrayMenu() {}                        // builds the tray icon's menu
  void CreateMainMenu() {}                           // adds the main menu's items to the frame objects
  bool FindHotKeyItem(WORD) const { return false; }  // the main-menu item with that Alt hot key
  void NewAppMessage(MSG&, bool&) {}                 // the main-menu keyboard filter
  void ActivateObjectHint(const classlib::String&) {}  // shows an object's hint
  void HideObjectHint() {}                           // hides the object hint
  void CopyMenuOptions() {}                          // copies the menu options to the menu engine
  void CheckMDIMainMenu() {}                         // MDI: the parent's merged main menu
  void CheckMDIBar() {}                              // MDI: the parent's tabs bar
  void UpDateChildActiveInMenu() {}                  // MDI: the window menu's check mark
  void UpDateChildCaptionInMenu() {}                 // MDI: the window menu's caption of the child
  void RefreshMDIBarTab() {}                         // MDI: the child's tab
  void AddChildToMenu() {}                           // MDI: the child's window-menu item
  void AddChildToBar() {}                            // MDI: the child's tab
  void DeleteChildFromMenu() {}                      // MDI: removes the window-menu item
  void DeleteChildFromBar() {}                       // MDI: removes the tab
  void ResizeMDIChilds() {}                          // MDI: refits maximized children
  void HookMDIClient() {}                            // MDI: takes over the client window's procedure
  classlib::TForm* GetMaximizeMDIChild() const { return nullptr; }  // MDI: the maximized child
  classlib::TRect GetMDIWorkArea() const;            // MDI: the parent's client area

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
  bool FUseSkinFontInMenu = true;
  int FDefMenuItemHeight = 20;
  std::unique_ptr<classlib::TFont> FDefMenuItemFont;
  // Whether the application's message handler is this component's, installed by HookApp.
  bool FAppHooked = false;
  // The border pieces of the skinned frame last painted (top, left, right, bottom), and the copies the
  // objects are drawn on. Building them from the picture's tiles costs more than the rest of a paint,
  // and a repaint at the same size with the same looks needs the same pieces.
  struct TFramePieces {
    std::array<std::intptr_t, 36> Key{};
    classlib::TBitmap Base[4], Work[4];
  };
  TFramePieces FPieces;
};

}  // namespace skin
