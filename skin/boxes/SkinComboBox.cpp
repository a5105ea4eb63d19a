#include "skin/boxes/SkinComboBox.h"

#include "platform/classlib/WideText.h"
#include "skin/data/Skutils.h"

#include <algorithm>

using namespace classlib;

namespace skin {

namespace {

constexpr DWORD SearchGap = 500;      // ms between typed characters that still extend the prefix
constexpr DWORD CompletionGap = 200;  // ms before the editor's text is completed again

bool HasShift(TShiftState Shift, TShiftStateItem Item) { return Shift.Contains(Item); }

}  // namespace

TskSkinCustomComboBox::TskSkinCustomComboBox(TComponent* AOwner)
    : TskSkinCustomControl(AOwner), FListTrack(*this) {
  SetTabStop(true);
  Font().SetName("Arial");
  Font().SetColor(clWindowText);
  Font().SetStyle({});
  Font().SetHeight(14);
  SetBounds(Left(), Top(), 120, 20);
  FDropDownList = new TskPopupListBox(this);
  FDropDownList->SetVisible(false);
  FDropDownList->SetParent(this);
  TskListBox& inner = FDropDownList->InnerList();
  inner.SetTabStop(false);
  inner.OnMouseMove = [this](TObject*, TShiftState, int X, int Y) {
    TskDropDownTrack::HotTrack(*FDropDownList, X, Y);
  };
  FOldListWindowProc = inner.WindowProc;
  inner.WindowProc = [this](TMessage& Message) { ListBoxWindowProcHook(Message); };
  FDropDownList->OnCheckButtonClick = [this](TObject* Sender) { CheckButtonClick(Sender); };
  CalcRects();
  FSkinDataName = "combobox";
}

TskSkinCustomComboBox::~TskSkinCustomComboBox() {
  // The list's inner window must not call back into a half-destroyed combo box.
  if (FDropDownList) {
    FDropDownList->InnerList().WindowProc = FOldListWindowProc;
    FDropDownList->InnerList().OnMouseMove = nullptr;
  }
  if (FEditor) {
    FEditor->WindowProc = FOldEditWindowProc;
    FEditor->OnEditCancelMode = nullptr;
  }
}

void TskSkinCustomComboBox::Notification(TComponent* AComponent, TOperation Operation) {
  TskSkinCustomControl::Notification(AComponent, Operation);
  if (Operation != TOperation::opRemove) return;
  if (AComponent == FDropDownList) {
    FDropDownList = nullptr;
    return;
  }
  if (AComponent == FEditor) FEditor = nullptr;
  if (FDropDownList && AComponent == FDropDownList->Images()) SetImages(nullptr);
}

void TskSkinCustomComboBox::SetItems(const TStrings& Value) { FDropDownList->SetItems(Value); }

void TskSkinCustomComboBox::SetImages(TImageList* Value) {
  if (FDropDownList->Images()) FDropDownList->Images()->RemoveFreeNotification(this);
  FDropDownList->SetImages(Value);
  if (Value) Value->FreeNotification(this);
  Invalidate();
}

void TskSkinCustomComboBox::SetImageIndex(int Value) {
  FDropDownList->SetImageIndex(Value);
  Invalidate();
}

void TskSkinCustomComboBox::SetListBoxDrawItem(const TskDrawSkinItemEvent& Value) {
  FOnListBoxDrawItem = Value;
  FDropDownList->OnDrawItem = Value;
}

void TskSkinCustomComboBox::SetDropDownCount(int Value) {
  if (Value >= 1) FDropDownCount = Value;
}

void TskSkinCustomComboBox::SetUseSkinSize(bool Value) {
  FUseSkinSize = Value;
  if (FSkinData && !ComponentState().Contains(TComponentStateItem::csLoading)) ChangeSkinData();
}

// ---------------------------------------------------------------------------------------------
// Selection

void TskSkinCustomComboBox::SetItemIndex(int Index) {
  FDropDownList->SetItemIndex(Index);
  const int index = FDropDownList->ItemIndex();
  if (FDropDownList->Items().Count() > 0 && index != -1) SetText(FDropDownList->Items()[index]);
  FSavedItemIndex = index;
  if (!FEditor) Invalidate();
  const auto state = ComponentState();
  if (!state.Contains(TComponentStateItem::csDesigning) && !state.Contains(TComponentStateItem::csLoading)) {
    if (OnClick) OnClick(this);
    Change();
  }
}

void TskSkinCustomComboBox::MoveListTo(int Index, bool Select) {
  if (Select)
    SetItemIndex(Index);
  else
    FDropDownList->SetItemIndex(Index);
}

void TskSkinCustomComboBox::EditUp1(bool Select) {
  const int index = FDropDownList->ItemIndex();
  if (index > 0) MoveListTo(index - 1, Select);
}

void TskSkinCustomComboBox::EditDown1(bool Select) {
  const int index = FDropDownList->ItemIndex();
  if (index < FDropDownList->Items().Count() - 1) MoveListTo(index + 1, Select);
}

void TskSkinCustomComboBox::EditPageUp1(bool Select) {
  MoveListTo(std::max(0, FDropDownList->ItemIndex() - FDropDownCount - 1), Select);
}

void TskSkinCustomComboBox::EditPageDown1(bool Select) {
  MoveListTo(std::min(FDropDownList->Items().Count() - 1, FDropDownList->ItemIndex() + FDropDownCount - 1), Select);
}

// ---------------------------------------------------------------------------------------------
// Dropping down and closing

void TskSkinCustomComboBox::DropDown() {
  if (FDropDownList->Items().Count() == 0) return;
  FListTrack.SetEnteredList(false);
  FListTrack.StopScroll();
  if (OnDropDown) OnDropDown(this);
  const int count = FDropDownList->Items().Count();
  const int width = FListBoxWidth != 0 ? FListBoxWidth : Width();
  FDropDownList->SetBounds(FDropDownList->Left(), FDropDownList->Top(), width,
                           FDropDownList->CalcHeight(std::min(count, FDropDownCount)));
  const int listHeight = FDropDownList->Height();
  TPoint p = Parent() ? Parent()->ClientToScreen(Point(Left(), Top() + Height())) : Point(Left(), Top() + Height());
  const TRect work = GetMonitorWorkArea(Handle(), true);
  if (p.y + listHeight > work.bottom) p.y -= Height() + listHeight;
  if (FEditor && FEditor->CanFocus()) FEditor->SetFocus();
  FSavedItemIndex = FDropDownList->ItemIndex();
  if (FDropDownList->ItemIndex() == 0 && count > 1) {
    // Makes the list paint its first item as selected once it shows.
    FDropDownList->SetItemIndex(1);
    FDropDownList->SetItemIndex(0);
  }
  FDropDownList->SetTopIndex(std::max(0, FDropDownList->ItemIndex()));
  FDropDownList->Show(p);
}

void TskSkinCustomComboBox::CloseUp(bool AcceptChanges) {
  FListTrack.StopScroll();
  if (!FDropDownList->Visible()) return;
  FDropDownList->Hide();
  const int index = FDropDownList->ItemIndex();
  if (index >= 0 && index < FDropDownList->Items().Count() && AcceptChanges) {
    const String item = FDropDownList->Items()[index];
    if (FEditor) {
      SetEditorText(item);
      FEditor->SelectAll();
    } else {
      SetText(item);
      Invalidate();
    }
    if (OnClick) OnClick(this);
    Change();
  } else {
    FDropDownList->SetItemIndex(FSavedItemIndex);
  }
  Invalidate();
  if (AcceptChanges && OnCloseUp) OnCloseUp(this);
}

void TskSkinCustomComboBox::CheckButtonClick(TObject*) { CloseUp(true); }

// ---------------------------------------------------------------------------------------------
// The mouse

void TskSkinCustomComboBox::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TskSkinCustomControl::MouseDown(Button, Shift, X, Y);
  if (!Focused() && !FEditor && CanFocus()) SetFocus();
  if (Button != TMouseButton::mbLeft) return;
  const POINT p{X, Y};
  if (FButtonHot || (PtInRect(&FItemAreaRect, p) && !FEditor)) {
    FButtonPressed = true;
    Invalidate();
    if (FDropDownList->Visible()) {
      CloseUp(false);
    } else {
      FListTrack.SetEnteredList(false);
      FTrackingList = true;
      // Moves and the release come here wherever the pointer goes.
      SetCapture(Handle());
      DropDown();
    }
  } else if (FDropDownList->Visible()) {
    CloseUp(false);
  }
}

void TskSkinCustomComboBox::MouseMove(TShiftState Shift, int X, int Y) {
  TskSkinCustomControl::MouseMove(Shift, X, Y);
  if (FTrackingList) {
    FListTrack.Follow(*FDropDownList);
    return;
  }
  const POINT p{X, Y};
  const bool hot = PtInRect(&FButtonAreaRect, p);
  if (hot != FButtonHot) {
    FButtonHot = hot;
    Invalidate();
  }
}

void TskSkinCustomComboBox::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (FTrackingList && FListTrack.EnteredList()) {
    if (GetCapture() == Handle()) ReleaseCapture();
    FTrackingList = false;
    POINT cursor;
    GetCursorPos(&cursor);
    const HWND under = WindowFromPoint(cursor);
    const TskListBox& inner = FDropDownList->InnerList();
    CloseUp(inner.HandleAllocated() && under == const_cast<TskListBox&>(inner).Handle());
  } else {
    if (FTrackingList && GetCapture() == Handle()) ReleaseCapture();
    FTrackingList = false;
  }
  TskSkinCustomControl::MouseUp(Button, Shift, X, Y);
  if (FButtonPressed) {
    FButtonPressed = false;
    Invalidate();
  }
}

void TskSkinCustomComboBox::ListBoxWindowProcHook(TMessage& Message) {
  switch (Message.Msg) {
    case WM_LBUTTONDOWN:
      FTrackingList = true;
      FListTrack.SetEnteredList(true);
      SetCapture(Handle());
      return;
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
      return;
    case WM_MOUSEACTIVATE:
      Message.Result = MA_NOACTIVATE;
      break;
  }
  FOldListWindowProc(Message);
  if (Message.Msg == WM_MOUSEACTIVATE) Message.Result = MA_NOACTIVATE;
}

// ---------------------------------------------------------------------------------------------
// Keys, typing and the wheel

void TskSkinCustomComboBox::KeyDown(WORD& Key, TShiftState Shift) {
  TskSkinCustomControl::KeyDown(Key, Shift);
  const bool open = FDropDownList->Visible();
  const bool alt = HasShift(Shift, TShiftStateItem::ssAlt);
  switch (Key) {
    case VK_RETURN:
      if (open) CloseUp(true);
      break;
    case VK_ESCAPE:
      if (open) CloseUp(false);
      break;
    case VK_PRIOR:
      EditPageUp1(true);
      break;
    case VK_NEXT:
      EditPageDown1(true);
      break;
    case VK_LEFT:
    case VK_UP:
      if (!alt)
        EditUp1(true);
      else if (open)
        CloseUp(false);
      break;
    case VK_RIGHT:
    case VK_DOWN:
      if (!alt)
        EditDown1(true);
      else if (!open)
        DropDown();
      break;
  }
}

void TskSkinCustomComboBox::KeyPress(char& Key) {
  TskSkinCustomControl::KeyPress(Key);
  FindLBItem(String(1, Key));
}

void TskSkinCustomComboBox::FindLBItem(const String& S) {
  String search = S;
  if (FAutoComplete) {
    const DWORD now = GetTickCount();
    if (now - FLastKeyTime >= SearchGap) FSearchText.clear();
    FLastKeyTime = now;
    FSearchText += S;
    search = FSearchText;
  }
  TskListBox& inner = FDropDownList->InnerList();
  const WideString text = ToWide(search);
  const WPARAM start = search.size() == 1 ? static_cast<WPARAM>(FDropDownList->ItemIndex()) : static_cast<WPARAM>(-1);
  const LRESULT found = SendMessageW(inner.Handle(), LB_FINDSTRING, start, reinterpret_cast<LPARAM>(text.c_str()));
  if (found != LB_ERR) SetItemIndex(static_cast<int>(found));
}

// ---------------------------------------------------------------------------------------------
// Messages

void TskSkinCustomComboBox::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_SETFOCUS:
      if (FEditor) {
        if (FEditor->CanFocus()) FEditor->SetFocus();
        return;
      }
      TskSkinCustomControl::Dispatch(Message);
      Invalidate();
      return;
    case WM_KILLFOCUS:
      TskSkinCustomControl::Dispatch(Message);
      if (FDropDownList->Visible() && !FEditor) CloseUp(false);
      Invalidate();
      return;
    case WM_SIZE:
      TskSkinCustomControl::Dispatch(Message);
      CalcRects();
      return;
    case WM_TIMER:
      TskSkinCustomControl::Dispatch(Message);
      if (Message.WParam == TskDropDownTrack::ScrollTimer) {
        if (FListTrack.ScrollMode() == 1)
          EditUp1(false);
        else if (FListTrack.ScrollMode() == 2)
          EditDown1(false);
      }
      return;
    case WM_MOUSEWHEEL:
      if (FEditor) return;
      if (GET_WHEEL_DELTA_WPARAM(Message.WParam) > 0)
        EditUp1(!FDropDownList->Visible());
      else
        EditDown1(!FDropDownList->Visible());
      return;
    case WM_ERASEBKGND:
      if (!FInWMPaint) {
        const HDC dc = reinterpret_cast<HDC>(Message.WParam);
        PaintWindow(dc);
        if (FEditor) PaintEditorInto(dc);
      }
      Message.Result = 1;
      return;
    case CM_TEXTCHANGED:
      TskSkinCustomControl::Dispatch(Message);
      if (FEditor && !FEditChanging) SetEditorText(Text());
      if (OnChange) OnChange(this);
      if (FEditChanging) Change();
      return;
    case CM_MOUSEENTER:
      TskSkinCustomControl::Dispatch(Message);
      FMouseInControl = true;
      return;
    case CM_MOUSELEAVE:
      TskSkinCustomControl::Dispatch(Message);
      FMouseInControl = false;
      if (FButtonHot) {
        FButtonHot = false;
        Invalidate();
      }
      return;
    case CM_CANCELMODE:
      TskSkinCustomControl::Dispatch(Message);
      EditCancelMode(reinterpret_cast<TControl*>(Message.LParam));
      return;
    case CM_WANTSPECIALKEY:
      if (Message.WParam == VK_LEFT || Message.WParam == VK_RIGHT || Message.WParam == VK_UP ||
          Message.WParam == VK_DOWN) {
        Message.Result = 1;
        return;
      }
      break;
    case CM_ENABLEDCHANGED:
      TskSkinCustomControl::Dispatch(Message);
      Invalidate();
      return;
  }
  TskSkinCustomControl::Dispatch(Message);
}

void TskSkinCustomComboBox::EditCancelMode(TControl* Sender) {
  const TControl* list = FDropDownList;
  if (Sender == this || Sender == list || Sender == FDropDownList->ItemScrollBar() ||
      Sender == FDropDownList->ExtentScrollBar() || Sender == &FDropDownList->InnerList())
    return;
  CloseUp(false);
}

// ---------------------------------------------------------------------------------------------
// The edit style

void TskSkinCustomComboBox::SetStyle(TskSkinCustomComboBoxStyle Value) {
  const bool designing = ComponentState().Contains(TComponentStateItem::csDesigning);
  if (Value == FStyle && designing) return;
  FStyle = Value;
  if (Value == TskSkinCustomComboBoxStyle::skcbEditStyle) {
    // Setting the style again keeps the one editor there is, and its tab stop.
    const bool made = !FEditor;
    if (made) ShowEditor();
    if (made && !designing) {
      if (TabStop()) {
        SetTabStop(false);
        FEditor->SetTabStop(true);
      } else {
        FEditor->SetTabStop(TabStop());
      }
    }
    SetEditorText(Text());
    if (Focused() && FEditor->CanFocus()) FEditor->SetFocus();
  } else if (FEditor) {
    HideEditor();
  }
  CalcRects();
  Invalidate();
}

void TskSkinCustomComboBox::ShowEditor() {
  GetSkinData();
  FEditor = new TskCustomEdit(this);
  FEditor->SetAutoSize(false);
  FEditor->SetHideSelection(FHideSelection);
  FEditor->SetEditTransparent(FSkinControlIndex != -1);
  FEditor->SetParent(this);
  FEditor->SetVisible(true);
  FOldEditWindowProc = FEditor->WindowProc;
  FEditor->WindowProc = [this](TMessage& Message) { EditWindowProcHook(Message); };
  FEditor->OnEditCancelMode = [this](TControl* Sender) { EditCancelMode(Sender); };
  FEditor->OnChange = [this](TObject* Sender) { EditChange(Sender); };
  FEditor->OnKeyDown = [this](TObject*, WORD& Key, TShiftState Shift) {
    if (OnKeyDown) OnKeyDown(this, Key, Shift);
  };
  FEditor->OnKeyPress = [this](TObject*, char& Key) {
    if (OnKeyPress) OnKeyPress(this, Key);
  };
  FEditor->OnKeyUp = [this](TObject*, WORD& Key, TShiftState Shift) {
    if (OnKeyUp) OnKeyUp(this, Key, Shift);
  };
  if (FSkinControlIndex != -1) {
    FEditor->Font().SetStyle(FValues.FontStyle);
    FEditor->Font().SetColor(FValues.FontColor);
    FEditor->Font().SetHeight(FValues.FontHeight);
    FEditor->Font().SetName(FValues.FontName);
  } else {
    FEditor->Font().SetName(Font().Name());
    FEditor->Font().SetStyle(Font().Style());
    FEditor->Font().SetColor(Font().Color());
    FEditor->Font().SetHeight(Font().Height());
  }
  CalcRects();
}

void TskSkinCustomComboBox::HideEditor() {
  std::unique_ptr<TskCustomEdit> editor(FEditor);
  FEditor = nullptr;
  editor->WindowProc = FOldEditWindowProc;
  editor->SetVisible(false);
}

void TskSkinCustomComboBox::SetEditorText(const String& Value) {
  if (FEditor && FEditor->Text() != Value) FEditor->SetText(Value);
}

int TskSkinCustomComboBox::GetSelStart() const {
  if (!FEditor || !FEditor->HandleAllocated()) return 0;
  DWORD start = 0;
  SendMessageW(FEditor->Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
  return static_cast<int>(start);
}

void TskSkinCustomComboBox::SetSelStart(int Value) {
  if (FEditor) SendMessageW(FEditor->Handle(), EM_SETSEL, static_cast<WPARAM>(Value), Value);
}

int TskSkinCustomComboBox::GetSelLength() const {
  if (!FEditor || !FEditor->HandleAllocated()) return 0;
  DWORD start = 0, end = 0;
  SendMessageW(FEditor->Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return static_cast<int>(end - start);
}

void TskSkinCustomComboBox::SetSelLength(int Value) {
  if (FEditor) {
    const int start = GetSelStart();
    SendMessageW(FEditor->Handle(), EM_SETSEL, static_cast<WPARAM>(start), start + Value);
  }
}

void TskSkinCustomComboBox::EditChange(TObject*) {
  FEditChanging = true;
  const String text = FEditor->Text();
  if (!text.empty()) {
    TskListBox& inner = FDropDownList->InnerList();
    const WideString wide = ToWide(text);
    const LRESULT found =
        SendMessageW(inner.Handle(), LB_FINDSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(wide.c_str()));
    if (found != LB_ERR)
      SendMessageW(inner.Handle(), FAutoComplete ? LB_SETCURSEL : LB_SETTOPINDEX, static_cast<WPARAM>(found), 0);
  }
  SetText(text);
  FEditChanging = false;
}

void TskSkinCustomComboBox::EditUp(bool Select) {
  const int index = FDropDownList->ItemIndex();
  if (index <= 0) return;
  FDropDownList->SetItemIndex(index - 1);
  if (!Select) return;
  SetText(FDropDownList->Items()[index - 1]);
  FEditor->SelectAll();
  if (OnClick) OnClick(this);
}

void TskSkinCustomComboBox::EditDown(bool Select) {
  const int index = FDropDownList->ItemIndex();
  if (index >= FDropDownList->Items().Count() - 1) return;
  FDropDownList->SetItemIndex(index + 1);
  if (!Select) return;
  SetText(FDropDownList->Items()[index + 1]);
  FEditor->SelectAll();
  if (OnClick) OnClick(this);
}

void TskSkinCustomComboBox::FindLBItemFromEdit() {
  const DWORD now = GetTickCount();
  if (now - FLastKeyTime <= CompletionGap) return;
  FLastKeyTime = now;
  const String typed = Text();
  if (typed.empty()) return;
  TskListBox& inner = FDropDownList->InnerList();
  const WideString wide = ToWide(typed);
  const WPARAM start = typed.size() == 1 ? static_cast<WPARAM>(FDropDownList->ItemIndex()) : static_cast<WPARAM>(-1);
  const LRESULT found = SendMessageW(inner.Handle(), LB_FINDSTRING, start, reinterpret_cast<LPARAM>(wide.c_str()));
  if (found != LB_ERR) SetItemIndex(static_cast<int>(found));
  // The completed tail is selected, so the next typed character replaces it.
  const int typedLength = static_cast<int>(ToWide(typed).size());
  const int fullLength = static_cast<int>(ToWide(Text()).size());
  if (FEditor && FEditor->HandleAllocated())
    SendMessageW(FEditor->Handle(), EM_SETSEL, static_cast<WPARAM>(typedLength), fullLength);
}

void TskSkinCustomComboBox::EditWindowProcHook(TMessage& Message) {
  const bool open = FDropDownList->Visible();
  switch (Message.Msg) {
    case WM_KILLFOCUS:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
      if (open) CloseUp(false);
      break;
    case WM_MOUSEWHEEL:
      if (GET_WHEEL_DELTA_WPARAM(Message.WParam) > 0)
        EditUp(!open);
      else
        EditDown(!open);
      break;
    case WM_KEYDOWN:
      switch (Message.WParam) {
        case VK_RETURN:
          if (open) CloseUp(true);
          break;
        case VK_ESCAPE:
          if (open) CloseUp(false);
          break;
        case VK_PRIOR:
          if (open) FDropDownList->SetItemIndex(std::max(0, FDropDownList->ItemIndex() - FDropDownCount - 1));
          break;
        case VK_NEXT:
          if (open)
            FDropDownList->SetItemIndex(
                std::min(FDropDownList->Items().Count() - 1, FDropDownList->ItemIndex() + FDropDownCount - 1));
          break;
        case VK_UP:
          EditUp(true);
          return;
        case VK_DOWN:
          EditDown(true);
          return;
      }
      break;
    case WM_KEYUP:
    case WM_SYSKEYUP: {
      const TFontCharset charset = CharsetInUse();
      const bool doubleByte = charset == SHIFTJIS_CHARSET || charset == GB2312_CHARSET || charset == CHINESEBIG5_CHARSET;
      if (Message.Msg == WM_SYSKEYUP && !doubleByte) break;
      if (doubleByte) {
        if (Message.WParam == VK_DELETE || Message.WParam == VK_BACK) break;
        if (FEditor && FEditor->HandleAllocated()) {
          DWORD start = 0;
          SendMessageW(FEditor->Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
          SendMessageW(FEditor->Handle(), EM_SETSEL, start, start);
        }
      } else if (Message.WParam <= 0x2F) {
        break;
      }
      FOldEditWindowProc(Message);
      if (FAutoComplete) FindLBItemFromEdit();
      return;
    }
  }
  FOldEditWindowProc(Message);
}

}  // namespace skin
