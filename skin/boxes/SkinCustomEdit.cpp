#include "skin/boxes/SkinCustomEdit.h"

#include "platform/classlib/Clipbrd.h"
#include "skin/data/ResourceStrData.h"
#include "skin/form/FormSkin.h"
#include "skin/form/SkinMessages.h"
#include "skin/form/SkinPopupMenu.h"

#include <memory>

#include <windowsx.h>

using namespace classlib;

namespace skin {

namespace {

// The edit menu's entries: string-table key and the text used when the skin has no table.
struct TEditMenuEntry {
  const char* Key;
  const char* Text;
};

constexpr TEditMenuEntry UndoEntry{"EDIT_UNDO", "Undo"};
constexpr TEditMenuEntry CutEntry{"EDIT_CUT", "Cut"};
constexpr TEditMenuEntry CopyEntry{"EDIT_COPY", "Copy"};
constexpr TEditMenuEntry PasteEntry{"EDIT_PASTE", "Paste"};
constexpr TEditMenuEntry DeleteEntry{"EDIT_DELETE", "Delete"};
constexpr TEditMenuEntry SelectAllEntry{"EDIT_SELECTALL", "Select All"};

// The string table of the skin that frames the control's form, or null.
TskResourceStrData* FormStringTable(TControl* Control) {
  TForm* form = GetParentForm(Control);
  if (!form) return nullptr;
  for (int i = 0; i < form->ComponentCount(); ++i)
    if (auto* frame = dynamic_cast<TskFormSkin*>(form->Components(i)))
      return frame->SkinData() ? frame->SkinData()->ResourceStrData() : nullptr;
  return nullptr;
}

}  // namespace

TskCustomEdit::TskCustomEdit(TComponent* AOwner) : TCustomMaskEdit(AOwner) {}

TskCustomEdit::~TskCustomEdit() { FreeEditMenu(); }

void TskCustomEdit::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomMaskEdit::Notification(AComponent, Operation);
  if (Operation == TOperation::opRemove && AComponent == FEditMenu) FEditMenu = nullptr;
}

void TskCustomEdit::SetEditTransparent(bool Value) {
  FTransparentMode = Value;
  RecreateWnd();
}

void TskCustomEdit::CreateParams(TCreateParams& Params) {
  TCustomMaskEdit::CreateParams(Params);
  Params.Style &= ~static_cast<DWORD>(WS_BORDER);
  Params.ExStyle &= ~static_cast<DWORD>(WS_EX_CLIENTEDGE);
  if (FTransparentMode) Params.ExStyle |= WS_EX_TRANSPARENT;
  // A multi-line window lays its text out in a format rectangle of its own, as the skinned frames
  // and the alignments need; a password edit must stay single-line to hide its text.
  Params.Style |= PasswordChar() ? ES_PASSWORD : ES_MULTILINE;
}

void TskCustomEdit::Change() {
  TCustomMaskEdit::Change();
  TransparentRepaint();
}

void TskCustomEdit::Invalidate() {
  if (!FTransparentMode) {
    TCustomMaskEdit::Invalidate();
    return;
  }
  if (!Parent() || !HandleAllocated()) return;
  TRect r = ClientRect();
  MapWindowPoints(FHandle, Parent()->Handle(), reinterpret_cast<POINT*>(&r), 2);
  InvalidateRect(Parent()->Handle(), &r, TRUE);
  // Erased too: the window draws its text without a background, so the old text must go first.
  RedrawWindow(FHandle, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE);
}

void TskCustomEdit::PaintParentBehind(HDC DC) {
  TWinControl* parent = Parent();
  if (!parent) return;
  const int saved = SaveDC(DC);
  POINT origin;
  GetWindowOrgEx(DC, &origin);
  SetWindowOrgEx(DC, origin.x + Left(), origin.y + Top(), nullptr);
  parent->PaintWindow(DC);
  RestoreDC(DC, saved);
}

// ---------------------------------------------------------------------------------------------
// Messages

void TskCustomEdit::DefaultHandler(TMessage& Message) {
  // A multi-line edit window acts on Enter and Escape inside a dialog (pressing the default button,
  // closing its parent): neither key may reach it.
  if (Message.Msg == WM_KEYDOWN && (Message.WParam == VK_RETURN || Message.WParam == VK_ESCAPE)) return;
  TCustomMaskEdit::DefaultHandler(Message);
}

void TskCustomEdit::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_CHAR:
      if (Message.WParam == VK_RETURN || Message.WParam == VK_ESCAPE) {
        if (OnKeyPress) {
          char key = static_cast<char>(Message.WParam);
          OnKeyPress(this, key);
        }
        return;
      }
      if (FReadOnly) return;
      break;
    case WM_KEYDOWN:
      if (FReadOnly && Message.WParam == VK_DELETE) return;
      TCustomMaskEdit::Dispatch(Message);
      TransparentRepaint();
      return;
    case WM_CUT:
    case WM_PASTE:
    case WM_CLEAR:
    case WM_UNDO:
      if (FReadOnly) return;
      TCustomMaskEdit::Dispatch(Message);
      TransparentRepaint();
      return;
    case WM_SETTEXT:
    case WM_MOVE:
    case WM_KILLFOCUS:
      TCustomMaskEdit::Dispatch(Message);
      TransparentRepaint();
      return;
    case WM_SETFOCUS:
      TCustomMaskEdit::Dispatch(Message);
      TransparentRepaint();
      if (AutoSelect()) SelectAll();
      return;
    case WM_LBUTTONDOWN:
      FButtonHeld = true;
      TCustomMaskEdit::Dispatch(Message);
      TransparentRepaint();
      return;
    case WM_LBUTTONUP:
      FButtonHeld = false;
      break;
    case WM_MOUSEMOVE:
      TCustomMaskEdit::Dispatch(Message);
      if (FButtonHeld) TransparentRepaint();
      return;
    case WM_ERASEBKGND:
      if (FTransparentMode) {
        // The parent's face goes behind the text here: asking for a repaint from inside the erase
        // would erase again, without end.
        PaintParentBehind(reinterpret_cast<HDC>(Message.WParam));
        Message.Result = 1;
        return;
      }
      break;
    case CN_CTLCOLOREDIT:
    case CN_CTLCOLORSTATIC:
      if (FTransparentMode) {
        const HDC dc = reinterpret_cast<HDC>(Message.WParam);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, ColorToRGB(Font().Color()));
        Message.Result = reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
        return;
      }
      break;
    case WM_SETFONT:
      TCustomMaskEdit::Dispatch(Message);
      SendMessageW(FHandle, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELONG(2, 0));
      return;
    case CM_CANCELMODE:
      TCustomMaskEdit::Dispatch(Message);
      if (OnEditCancelMode) OnEditCancelMode(reinterpret_cast<TControl*>(Message.LParam));
      return;
    case WM_CONTEXTMENU:
      if (PopupMenu()) break;
      ShowEditMenu(Message);
      return;
    case WM_AFTERDISPATCH:
      FreeEditMenu();
      return;
  }
  TCustomMaskEdit::Dispatch(Message);
}

// ---------------------------------------------------------------------------------------------
// The edit menu

void TskCustomEdit::ShowEditMenu(TMessage& Message) {
  CreateSysPopupMenu();
  TPoint p{GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)};
  if (p.x < 0 || p.y < 0) {  // asked for from the keyboard: the middle of the control
    p = ClientToScreen(Point(0, 0));
    p.x += Width() / 2;
    p.y += Height() / 2;
  }
  FEditMenu->Popup2(this, p.x, p.y);
}

void TskCustomEdit::FreeEditMenu() {
  std::unique_ptr<TskSkinPopupMenu> menu(FEditMenu);
  FEditMenu = nullptr;
}

void TskCustomEdit::CreateSysPopupMenu() {
  FreeEditMenu();
  FEditMenu = new TskSkinPopupMenu(this);
  FEditMenu->SetPopupForm(GetParentForm(this));
  const TskResourceStrData* table = FormStringTable(this);

  DWORD start = 0, end = 0;
  if (HandleAllocated())
    SendMessageW(FHandle, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  const bool selected = start < end;
  const DWORD length = HandleAllocated() ? static_cast<DWORD>(GetWindowTextLengthW(FHandle)) : 0;
  const bool allSelected = start == 0 && end == length;

  auto add = [&](const TEditMenuEntry* Entry, bool Enabled, void (TskCustomEdit::*Handler)(TObject*)) {
    auto* item = new TMenuItem(FEditMenu);
    if (!Entry) {
      item->SetCaption("-");
    } else {
      item->SetCaption(table ? table->GetResStr(Entry->Key) : String(Entry->Text));
      item->SetEnabled(Enabled);
      item->OnClick = [this, Handler](TObject* Sender) { (this->*Handler)(Sender); };
    }
    FEditMenu->Items()->Add(item);
  };
  add(&UndoEntry, CanUndo(), &TskCustomEdit::DoUndo);
  add(nullptr, true, nullptr);
  add(&CutEntry, selected && !FReadOnly, &TskCustomEdit::DoCut);
  add(&CopyEntry, selected, &TskCustomEdit::DoCopy);
  add(&PasteEntry, !ClipboardText().empty() && !FReadOnly, &TskCustomEdit::DoPaste);
  add(&DeleteEntry, selected && !FReadOnly, &TskCustomEdit::DoDelete);
  add(nullptr, true, nullptr);
  add(&SelectAllEntry, !allSelected, &TskCustomEdit::DoSelectAll);
}

void TskCustomEdit::DoUndo(TObject*) { Undo(); }
void TskCustomEdit::DoCut(TObject*) { CutToClipboard(); }
void TskCustomEdit::DoCopy(TObject*) { CopyToClipboard(); }
void TskCustomEdit::DoPaste(TObject*) { PasteFromClipboard(); }
void TskCustomEdit::DoDelete(TObject*) { ClearSelection(); }
void TskCustomEdit::DoSelectAll(TObject*) { SelectAll(); }

}  // namespace skin
