// The window procedure the component puts in place of its form's: the frame's non-client messages,
// the resize steps, showing with the fade-in, the skin-change messages and the mouse in the frame.
#include "skin/form/FormSkin.h"

#include "skin/data/Skutils.h"
#include "skin/form/FormSkinObjects.h"
#include "skin/form/SkinMainMenuBar.h"
#include "skin/form/SkinMenu.h"

using namespace classlib;

namespace skin {

namespace {

TPoint MessagePoint(const TMessage& Message) {
  return Point(static_cast<short>(LOWORD(Message.LParam)), static_cast<short>(HIWORD(Message.LParam)));
}

// The mouse messages the component follows after the form has seen them.
bool IsFrameMouseMessage(UINT Msg) {
  return (Msg >= WM_NCMOUSEMOVE && Msg <= WM_NCRBUTTONDBLCLK) || (Msg >= WM_MOUSEMOVE && Msg <= WM_RBUTTONDBLCLK);
}

void ModifyExStyle(HWND Window, LONG_PTR Add, LONG_PTR Remove) {
  const LONG_PTR style = GetWindowLongPtrW(Window, GWL_EXSTYLE);
  SetWindowLongPtrW(Window, GWL_EXSTYLE, (style | Add) & ~Remove);
}

}  // namespace

void TskFormSkin::NewWndProc(TMessage& Message) {
  CheckMenuVisible(Message);
  // The form may free itself (and this component) while handling a message: keep its procedure.
  const auto passOn = [old = OldWindowProc, &Message] { old(Message); };
  const HWND window = Form->HandleAllocated() ? Form->Handle() : nullptr;
  const auto ncPaint = [window] {
    if (window) SendMessageW(window, WM_NCPAINT, 0, 0);
  };
  auto* skin = reinterpret_cast<TskSkinData*>(Message.WParam);

  switch (Message.Msg) {
    case WM_DESTROY:
      StopTimers();
      if (IsMDIChild()) {
        WindowState = TWindowState::wsNormal;
        if (TForm* main = Application->MainForm(); main && main->HandleAllocated())
          SendMessageW(main->Handle(), WM_MDICHILDRESTORE, 0, 0);
        CheckMDIMainMenu();
        CheckMDIBar();
      }
      passOn();
      break;
    case WM_SIZE:
      if (InSizeMove && FullDragg) {
        if (FSupportNCArea && !FLogoBitMap->Empty() && !IsMDIForm()) Form->Repaint();
        passOn();
      } else {
        passOn();
        ResizeSteps();
      }
      break;
    case WM_ACTIVATE:
      DragInProgress = false;
      passOn();
      if (FSupportNCArea) ncPaint();
      if (IsMaximizedMDIChild()) {
        FormChangeActive(false);
      } else {
        if (FSupportNCArea) {
          TestActive(-1, -1, false);
          UpDateActiveObjects();
        }
        FormChangeActive(true);
      }
      if (IsMDIForm()) CheckMDIMainMenu();
      break;
    case WM_SETTEXT:
      passOn();
      if (Form->BorderStyle() != TFormBorderStyle::bsNone && !IsMaximizedMDIChild()) {
        ncPaint();
        if (SkinActive) SetDefaultCaptionText(Form->Caption());
      }
      if (IsMDIChild()) {
        UpDateChildCaptionInMenu();
        RefreshMDIBarTab();
      }
      break;
    case WM_ERASEBKGND: {
      if (IsMDIForm()) {
        passOn();
        break;
      }
      const HDC dc = reinterpret_cast<HDC>(Message.WParam);
      if (!FSupportNCArea)
        Paint(dc);
      else if (!SkinActive)
        PaintBGDefault(dc);
      else if (FSkinData->BGPictureIndex == -1)
        PaintBG(dc);
      else
        PaintBG2(dc);
      Message.Result = 1;
      break;
    }
    case WM_SHOWWINDOW:
      ShowWindowSteps(Message);
      passOn();
      break;
    case WM_SETCURSOR:
      if (FSupportNCArea && FUseFormCursorInNCArea) {
        const WORD code = LOWORD(Message.LParam);
        const bool sizing = code == HTCLIENT || (code >= HTLEFT && code <= HTBOTTOMRIGHT);
        if (!sizing) Message.LParam = MAKELPARAM(HTCLIENT, HIWORD(Message.LParam));
      }
      passOn();
      break;
    case WM_GETMINMAXINFO: {
      auto* info = reinterpret_cast<MINMAXINFO*>(Message.LParam);
      info->ptMinTrackSize = POINT{GetMinWidth(), GetMinHeight()};
      info->ptMaxTrackSize = POINT{GetMaxWidth(), GetMaxHeight()};
      passOn();
      break;
    }
    case WM_NCCALCSIZE:
      CalcSizeSteps(Message);
      break;
    case WM_NCHITTEST:
      NCHitTestMessage(Message);
      break;
    case WM_NCPAINT:
      if (Form->BorderStyle() != TFormBorderStyle::bsNone && !IsMaximizedMDIChild() && FSupportNCArea) {
        // A skin without a frame ("clientrect") leaves the form its default frame.
        if (CanNCSupport())
          PaintNCSkin();
        else
          PaintNCDefault();
      }
      break;
    case WM_NCACTIVATE:
      NCActive = Message.WParam != 0;
      if (IsMDIForm() || IsMDIChild()) {
        passOn();
      } else {
        // The system draws no frame of its own.
        Message.Result = 1;
      }
      if (IsMaximizedMDIChild() || Form->BorderStyle() == TFormBorderStyle::bsNone) {
        FormChangeActive(false);
      } else {
        ncPaint();
        FormChangeActive(true);
      }
      if (IsMDIChild()) {
        // The parent's caption shows the maximized child's.
        if (TForm* main = Application->MainForm(); IsMaximizedMDIChild() && main && main->HandleAllocated())
          SendMessageW(main->Handle(), WM_NCPAINT, 0, 0);
        UpDateChildActiveInMenu();
        CheckMDIMainMenu();
        CheckMDIBar();
      }
      break;
    case WM_SYNCPAINT:
      if (RollUpState && FSupportNCArea) {
        ncPaint();
        Message.Result = 0;
      } else {
        passOn();
      }
      break;
    case WM_SYSCOMMAND:
      if (Message.WParam != SC_KEYMENU) {
        passOn();
        break;
      }
      KeyMenu();
      break;
    case WM_TIMER:
      if (Message.WParam == 1) FadeIn();
      passOn();
      break;
    case WM_SIZING:
      passOn();
      if (InSizeMove && FullDragg) {
        const auto* r = reinterpret_cast<const RECT*>(Message.LParam);
        FormWidth = r->right - r->left;
        FormHeight = r->bottom - r->top;
        if (FSupportNCArea && FSkinData && Form->Width() >= GetMinWidth() && Form->Height() >= GetMinHeight())
          CreateNewForm(true);
      }
      break;
    case WM_MOVING: {
      auto* r = reinterpret_cast<RECT*>(Message.LParam);
      int l = r->left, t = r->top;
      const bool pinned = WindowState == TWindowState::wsMaximized && !IsMDIChild();
      if (pinned) {
        l = Form->Left();
        t = Form->Top();
      } else if (FMagnetic) {
        DoMagnetic(l, t, Form->Width(), Form->Height());
      }
      if (pinned || FMagnetic) *r = Rect(l, t, l + Form->Width(), t + Form->Height());
      passOn();
      break;
    }
    case WM_ENTERSIZEMOVE:
      if (FSupportNCArea) {
        UpDateActiveObjects();
        PointerTimer->SetEnabled(false);
        ActiveObject = CaptureObject = -1;
        InSizeMove = true;
        FullDragg = GetFullDragg();
      }
      passOn();
      break;
    case WM_EXITSIZEMOVE:
      if (FSupportNCArea) {
        PointerTimer->SetEnabled(false);
        ActiveObject = OldActiveObject = CaptureObject = -1;
        if (FSkinData && !FSkinData->Empty) ncPaint();
      }
      passOn();
      break;
    case WM_BEFORECHANGESKINDATA:
      if (skin == FSkinData) {
        SkinActive = false;
        StopTimers();
        ClearObjects();
        BeforeUpDateSkinControls(skin, Form);
        BeforeUpDateSkinComponents(skin);
      }
      passOn();
      break;
    case WM_CHANGESKINDATA:
      if (skin == FSkinData) ChangeSkinData();
      UpDateSkinControls(skin, Form);
      UpDateSkinComponents(skin);
      passOn();
      break;
    case WM_AFTERCHANGESKINDATA:
      if (skin == FSkinData && IsMDIForm()) ResizeMDIChilds();
      passOn();
      break;
    case WM_CLOSESKINMENU:
      SkinMenuClose();
      passOn();
      break;
    case WM_MDICHILDREFIT:
      if (IsMaximizedMDIChild()) {
        const TRect area = GetMDIWorkArea();
        Form->SetBounds(0, 0, RectWidth(area), RectHeight(area));
      }
      passOn();
      break;
    case WM_MDICHILDMAXIMIZE:
      if (IsMDIForm()) {
        MDIChildMaximizedFlag = true;
        ncPaint();
        if (FMainMenuBar) FMainMenuBar->MDIChildMaximize();
      }
      passOn();
      break;
    case WM_MDICHILDRESTORE:
      if (IsMDIForm()) {
        MDIChildMaximizedFlag = GetMaximizeMDIChild() != nullptr;
        ncPaint();
        if (FMainMenuBar) FMainMenuBar->MDIChildRestore();
      }
      passOn();
      break;
    case WM_CHANGERESSTRDATA:
      CheckObjectsHint();
      passOn();
      break;
    default:
      passOn();
      // Past here the form may be gone: only the frame's mouse messages go on.
      if (!IsFrameMouseMessage(Message.Msg)) return;
      break;
  }
  MouseMessages(Message);
}

void TskFormSkin::CalcSizeSteps(TMessage& Message) {
  Message.Result = 0;
  if (!FSupportNCArea || Form->BorderStyle() == TFormBorderStyle::bsNone || IsMaximizedMDIChild()) return;
  auto* r = reinterpret_cast<RECT*>(Message.LParam);
  if (CanNCSupport()) {
    CalcRects();
    const TskSkinData& s = *FSkinData;
    r->left += s.ClientRect.left;
    r->top += s.ClientRect.top;
    r->right -= s.Picture->Width() - s.ClientRect.right;
    r->bottom -= s.Picture->Height() - s.ClientRect.bottom;
  } else {
    r->left += 3;
    r->top += GetDefCaptionHeight() + 3;
    r->right -= 3;
    r->bottom -= 3;
  }
  if (r->right < r->left) r->right = r->left;
  if (r->bottom < r->top) r->bottom = r->top;
}

void TskFormSkin::NCHitTestMessage(TMessage& Message) {
  TPoint p = MessagePoint(Message);
  if (FSupportNCArea) {
    PointToNCPoint(p);
    Message.Result = CanNCSupport() ? NewNCHitTest(p) : NewDefNCHitTest(p);
    if (Message.Result == HTOBJECT && !PointerTimer->Enabled()) {
      TestActive(p.x, p.y, true);
      PointerTimer->SetEnabled(true);
    }
    return;
  }
  if (!SkinActive) {
    Message.Result = HTCLIENT;
    return;
  }
  p = Form->ScreenToClient(p);
  if (!MouseTracking) {
    MouseTracking = true;
    TestActive(p.x, p.y, true);
    PointerTimer->SetEnabled(true);
  }
  Message.Result = NewHitTest(p);
}

void TskFormSkin::ResizeSteps() {
  FormWidth = Form->Width();
  FormHeight = Form->Height();
  const HWND window = Form->Handle();
  if (!SkinActive) {
    if (FSupportNCArea) SendMessageW(window, WM_NCPAINT, 0, 0);
  } else if (FSupportNCArea) {
    if (FSkinData && FormWidth >= GetMinWidth() && FormHeight >= GetMinHeight()) CreateNewForm(true);
  } else if (FSkinData && !RollUpState) {
    if (CanScale())
      CreateNewForm(true);
    else if (FSkinData->Picture->Width() == Form->ClientWidth() && FSkinData->Picture->Height() == Form->ClientHeight())
      CreateNewForm(false);
  }
  if (FAlphaBlend && FAlphaBlendValue != 255 && CheckW2KWXP() && FSupportNCArea) {
    SendMessageW(window, WM_NCPAINT, 0, 0);
    Form->Repaint();
  }
  if (FSupportNCArea && !FLogoBitMap->Empty() && !IsMDIForm()) Form->Repaint();
}

void TskFormSkin::MouseMessages(TMessage& Message) {
  const UINT msg = Message.Msg;
  if (msg >= WM_NCMOUSEMOVE && msg <= WM_NCRBUTTONDBLCLK) {
    if (!FSupportNCArea) return;
    TPoint p = MessagePoint(Message);
    PointToNCPoint(p);
    const bool onCaption = Message.WParam == HTCAPTION;
    switch (msg) {
      case WM_NCMOUSEMOVE:
        MouseMove(p.x, p.y);
        break;
      case WM_NCLBUTTONDOWN:
        // A press that started the system's move or size loop comes back here when the loop is over.
        if (InSizeMove) {
          InSizeMove = false;
          break;
        }
        TestActive(p.x, p.y, true);
        MouseDown(TMouseButton::mbLeft, p.x, p.y);
        if (onCaption) CaptureObject = -1;
        break;
      case WM_NCLBUTTONUP:
        try {
          MouseUp(TMouseButton::mbLeft, p.x, p.y);
        } catch (...) {
          // A failing release in the frame is dropped, as the system's own buttons would.
        }
        break;
      case WM_NCLBUTTONDBLCLK:
        TestActive(p.x, p.y, true);
        MouseDown(TMouseButton::mbLeft, p.x, p.y);
        MouseDBlClick();
        if (onCaption) CaptionDoubleClick();
        break;
      case WM_NCRBUTTONDOWN: {
        TestActive(p.x, p.y, true);
        MouseDown(TMouseButton::mbRight, p.x, p.y);
        if (onCaption) {
          CaptureObject = -1;
          POINT cursor;
          GetCursorPos(&cursor);
          TrackSystemMenu(cursor.x, cursor.y);
        }
        break;
      }
      case WM_NCRBUTTONUP:
        MouseUp(TMouseButton::mbRight, p.x, p.y);
        break;
      case WM_NCRBUTTONDBLCLK:
        TestActive(p.x, p.y, true);
        MouseDown(TMouseButton::mbRight, p.x, p.y);
        if (onCaption) CaptureObject = -1;
        break;
    }
    return;
  }
  const int x = static_cast<short>(LOWORD(Message.LParam)), y = static_cast<short>(HIWORD(Message.LParam));
  switch (msg) {
    case WM_MOUSEMOVE: {
      if (FSupportNCArea) break;
      MouseMove(x, y);
      if (!DragInProgress) break;
      POINT q;
      GetCursorPos(&q);
      if (q.x == DragX && q.y == DragY) break;
      int left = Form->Left() + q.x - DragX, top = Form->Top() + q.y - DragY;
      if (FMagnetic) {
        // The edges are on the screen; an MDI child's place is in its client window.
        POINT origin{0, 0};
        if (IsMDIChild() && Form->HandleAllocated()) ClientToScreen(GetParent(Form->Handle()), &origin);
        left += origin.x;
        top += origin.y;
        DoMagnetic(left, top, Form->Width(), Form->Height());
        left -= origin.x;
        top -= origin.y;
      }
      Form->SetBounds(left, top, Form->Width(), Form->Height());
      DragX = q.x;
      DragY = q.y;
      break;
    }
    case WM_LBUTTONDOWN:
      if (!FSupportNCArea) MouseDown(TMouseButton::mbLeft, x, y);
      break;
    case WM_LBUTTONUP:
      if (FSupportNCArea)
        MouseUp(TMouseButton::mbLeft, -1, -1);
      else
        MouseUp(TMouseButton::mbLeft, x, y);
      break;
    case WM_LBUTTONDBLCLK:
      MouseDown(TMouseButton::mbLeft, x, y);
      MouseDBlClick();
      CheckWindowState();
      break;
    case WM_RBUTTONDOWN:
      if (!FSupportNCArea) MouseDown(TMouseButton::mbRight, x, y);
      break;
    case WM_RBUTTONUP:
      if (FSupportNCArea)
        MouseUp(TMouseButton::mbRight, -1, -1);
      else
        MouseUp(TMouseButton::mbRight, x, y);
      break;
    case WM_RBUTTONDBLCLK:
      MouseDown(TMouseButton::mbRight, x, y);
      break;
  }
}

void TskFormSkin::CaptionDoubleClick() {
  if (FSizeable && WindowState == TWindowState::wsMinimized)
    SetWindowState(TWindowState::wsNormal);
  else if (FSizeable && WindowState != TWindowState::wsMaximized && !RollUpState &&
           FBorderIcons.Contains(TskBorderIcon::biMaximize))
    SetWindowState(TWindowState::wsMaximized);
  else if (FSizeable && WindowState == TWindowState::wsMaximized && !RolledUpWhileMaximized)
    SetWindowState(TWindowState::wsNormal);
  else
    SetRollUpState(!RollUpState);
  CaptureObject = -1;
}

void TskFormSkin::ShowWindowSteps(TMessage& Message) {
  const HWND window = Form->Handle();
  if (Message.WParam == 0) {
    if (IsMDIChild()) {
      DeleteChildFromMenu();
      DeleteChildFromBar();
    }
    if (CheckW2KWXP() && FAlphaBlend) ModifyExStyle(window, 0, WS_EX_LAYERED);
    return;
  }
  if (CheckW2KWXP() && (FAlphaBlend || FAlphaBlendAnimation)) {
    ModifyExStyle(window, WS_EX_LAYERED, 0);
    SetAlphaBlendTransparent(window, 0);
    SetTimer(window, 1, 1, nullptr);
  }
  if (IsMDIForm()) {
    HookMDIClient();
    UpDateForm();
  } else if (FSupportNCArea) {
    UpDateForm();
  }
  if (IsMDIChild()) {
    AddChildToMenu();
    AddChildToBar();
    // A child made while hidden may be the active one already: no activation comes to tell.
    UpDateChildActiveInMenu();
    CheckMDIMainMenu();
    CheckMDIBar();
  }
  if (!FSupportNCArea) ControlsToAreas();
}

void TskFormSkin::FadeIn() {
  if (!CheckW2KWXP() || (!FAlphaBlend && !FAlphaBlendAnimation)) return;
  const HWND window = Form->Handle();
  KillTimer(window, 1);
  const std::uint8_t target = FAlphaBlendAnimation && !FAlphaBlend ? 255 : FAlphaBlendValue;
  if (FAlphaBlendAnimation) {
    Application->ProcessMessages();
    int alpha = 0;
    do {
      alpha = std::min(alpha + 5, static_cast<int>(target));
      SetAlphaBlendTransparent(window, static_cast<std::uint8_t>(alpha));
    } while (alpha < target);
  } else if (target != 255) {
    SetAlphaBlendTransparent(window, FAlphaBlendValue);
  }
  if (target == 255) ModifyExStyle(window, 0, WS_EX_LAYERED);
}

}  // namespace skin
