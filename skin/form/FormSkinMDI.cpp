// The frame's part in MDI: finding a form's skinning component, the work area, tiling and cascading
// with the component's own window states, the window menu's entries of the children, the tabs bar
// relays and the hook on the parent's MDI client window. The parent is always the main form.
#include "skin/form/FormSkin.h"

#include "skin/form/SkinMDITabsBar.h"
#include "skin/form/SkinMainMenuBar.h"

#include <algorithm>
#include <cmath>

using namespace classlib;

namespace skin {

namespace {

const char ChildItemSuffix[] = "_FSKCHILDITEM";
const WCHAR ClientHookProperty[] = L"TavrelFormSkinClient";

std::vector<TForm*> MDIChildList(const TForm* Parent) {
  std::vector<TForm*> children;
  if (!Parent) return children;
  for (int i = 0;; ++i) {
    TForm* child = Parent->MDIChildren(i);
    if (!child) break;
    children.push_back(child);
  }
  return children;
}

// Whether Item is a child's window-menu entry, and the child's name it stands for.
bool ChildItemName(const TMenuItem& Item, String& ChildName) {
  const size_t at = Item.Name().find(ChildItemSuffix);
  if (at == String::npos) return false;
  ChildName = Item.Name();
  ChildName.erase(at, sizeof ChildItemSuffix - 1);
  return true;
}

// The main form's window menu when the main form has a skinning component; null otherwise.
TMenuItem* MainWindowMenu() {
  TForm* main = Application->MainForm();
  if (!main || !GetFormSkinComponent(main)) return nullptr;
  return main->WindowMenu();
}

// The main form's tabs bar, if any.
TskSkinMDITabsBar* MainTabsBar() {
  TskFormSkin* mainSkin = GetFormSkinComponent(Application->MainForm());
  return mainSkin ? mainSkin->MDITabsBar() : nullptr;
}

}  // namespace

TskFormSkin* GetFormSkinComponent(TComponent* Form) {
  if (!Form) return nullptr;
  for (int i = 0; i < Form->ComponentCount(); ++i)
    if (auto* component = dynamic_cast<TskFormSkin*>(Form->Components(i))) return component;
  return nullptr;
}

TskFormSkin* GetMDIChildFormSkinComponent() {
  for (TForm* child : MDIChildList(Application->MainForm()))
    if (TskFormSkin* skin = GetFormSkinComponent(child); skin && skin->WindowState == TWindowState::wsMaximized)
      return skin;
  return nullptr;
}

TskFormSkin* GetMDIChildFormSkinComponent2() {
  TForm* main = Application->MainForm();
  return main ? GetFormSkinComponent(main->ActiveMDIChild()) : nullptr;
}

// ---------------------------------------------------------------------------------------------
// Work area and arranging

void TskFormSkin::SetMDITabsBar(TskSkinMDITabsBar* Value) {
  if (FMDITabsBar) FMDITabsBar->RemoveFreeNotification(this);
  FMDITabsBar = Value;
  if (Value) Value->FreeNotification(this);
}

void TskFormSkin::MDINotification(TComponent* AComponent) {
  if (AComponent == FMDITabsBar) FMDITabsBar = nullptr;
}

TRect TskFormSkin::GetMDIWorkArea() const {
  TForm* main = Application->MainForm();
  if (!main) return TRect{};
  TRect r{0, 0, main->ClientWidth(), main->ClientHeight()};
  for (int i = 0; i < main->ControlCount(); ++i) {
    const TControl* c = main->Controls(i);
    if (!c->Visible()) continue;
    switch (c->Align()) {
      case TAlign::alLeft:
        r.left = std::max<LONG>(r.left, c->Left() + c->Width());
        break;
      case TAlign::alTop:
        r.top = std::max<LONG>(r.top, c->Top() + c->Height());
        break;
      case TAlign::alRight:
        r.right = std::min<LONG>(r.right, c->Left());
        break;
      case TAlign::alBottom:
        r.bottom = std::min<LONG>(r.bottom, c->Top());
        break;
      default:
        break;
    }
  }
  return r;
}

void TskFormSkin::Tile() {
  if (!IsMDIForm()) return;
  RestoreAll();
  const std::vector<TForm*> children = MDIChildList(Form);
  const int n = static_cast<int>(children.size());
  const int k = static_cast<int>(std::trunc(std::sqrt(static_cast<double>(n))));
  if (k <= 0) return;
  int rows = n / k + (k * (n / k) < n ? 1 : 0);
  const TRect area = GetMDIWorkArea();
  const int w = area.right - area.left, h = area.bottom - area.top;
  const int cw = w / k;
  int rh = h / rows;
  // From the right column to the left, each from the bottom up: the top cell of a column takes
  // what the division leaves over.
  int right = w, bottom = h, columnsLeft = k;
  for (int i = n; i >= 1; --i) {
    children[static_cast<size_t>(i - 1)]->SetBounds(std::max(right - cw, 0), std::max(bottom - rh, 0), cw, rh);
    bottom -= rh;
    if (bottom - rh < 0) {
      bottom = h;
      right -= cw;
      columnsLeft = std::max(columnsLeft - 1, 1);
      rows = (i - 1) / columnsLeft;
      if (columnsLeft * rows < i - 1) ++rows;
      rows = std::max(rows, 1);
      rh = h / rows;
    }
  }
}

void TskFormSkin::Cascade() {
  if (!IsMDIForm()) return;
  RestoreAll();
  const TRect area = GetMDIWorkArea();
  const int w = area.right - area.left, h = area.bottom - area.top;
  // A skinned top border of no height would make no step (and a division by zero).
  const int step = std::max(1, SkinActive ? static_cast<int>(LaidOutClientRect.top) : GetDefCaptionHeight() + 3);
  const int w80 = static_cast<int>(std::nearbyint(w * 0.8));
  const int limit = (w - w80) / step;
  const std::vector<TForm*> children = MDIChildList(Form);
  const int n = static_cast<int>(children.size());
  const int fold = n < limit ? n - 1 : limit;
  const int cw = std::max(w - step * fold, GetMinWidth());
  const int ch = std::max(h - step * fold, GetMinHeight());
  int p = 0;
  for (int i = n - 1; i >= 0; --i) {
    TForm* child = children[static_cast<size_t>(i)];
    const bool single = child->BorderStyle() == TFormBorderStyle::bsSingle;
    const int cwi = single ? child->Width() : cw, chi = single ? child->Height() : ch;
    if (p + cwi > w || p + chi > h) p = 0;
    child->SetBounds(p, p, cwi, chi);
    p += step;
  }
}

void TskFormSkin::MinimizeAll() {
  if (!IsMDIForm()) return;
  for (TForm* child : MDIChildList(Form))
    if (TskFormSkin* skin = GetFormSkinComponent(child)) skin->SetWindowState(TWindowState::wsMinimized);
}

void TskFormSkin::MaximizeAll() {
  if (!IsMDIForm()) return;
  for (TForm* child : MDIChildList(Form))
    if (TskFormSkin* skin = GetFormSkinComponent(child)) skin->SetWindowState(TWindowState::wsMaximized);
}

void TskFormSkin::RestoreAll() {
  if (!IsMDIForm()) return;
  for (TForm* child : MDIChildList(Form)) {
    TskFormSkin* skin = GetFormSkinComponent(child);
    if (!skin) continue;
    if (skin->WindowState != TWindowState::wsNormal) skin->SetWindowState(TWindowState::wsNormal);
    if (skin->RollUpState && skin->WindowState == TWindowState::wsNormal) skin->SetRollUpState(false);
  }
}

void TskFormSkin::CloseAll() {
  if (!IsMDIForm()) return;
  const std::vector<TForm*> children = MDIChildList(Form);
  for (auto it = children.rbegin(); it != children.rend(); ++it) (*it)->Close();
}

void TskFormSkin::ArangeMinimizedChilds() {
  // Each place is searched while the children not yet moved are still where they were.
  for (TForm* child : MDIChildList(Form)) {
    TskFormSkin* skin = GetFormSkinComponent(child);
    if (!skin || skin->WindowState != TWindowState::wsMinimized) continue;
    TPoint p{};
    skin->GetMinimizeCoord(p);
    child->SetLeft(p.x);
    child->SetTop(p.y);
  }
}

void TskFormSkin::ResizeMDIChilds() {
  for (TForm* child : MDIChildList(Form))
    if (child->HandleAllocated()) SendMessageW(child->Handle(), WM_MDICHILDREFIT, 0, 0);
  ArangeMinimizedChilds();
}

void TskFormSkin::MDIChildGone() {
  // Only the form's pointer is compared: the form is past its own destructor here.
  TForm* main = Application->MainForm();
  if (WindowState != TWindowState::wsMaximized || !main || main == Form || !main->HandleAllocated()) return;
  SendMessageW(main->Handle(), WM_MDICHILDRESTORE, 0, 0);
}

TForm* TskFormSkin::GetMaximizeMDIChild() const {
  const auto maximized = [](TForm* Child) {
    const TskFormSkin* skin = GetFormSkinComponent(Child);
    return skin && skin->WindowState == TWindowState::wsMaximized;
  };
  if (TForm* active = Form->ActiveMDIChild(); active && maximized(active)) return active;
  for (TForm* child : MDIChildList(Form))
    if (maximized(child)) return child;
  return nullptr;
}

// ---------------------------------------------------------------------------------------------
// The window menu

void TskFormSkin::AddChildToMenu() {
  TMenuItem* windowMenu = MainWindowMenu();
  if (!windowMenu) return;
  const String name = Form->Name() + ChildItemSuffix;
  // Shown again without being hidden in between: the entry is there already.
  if (FindComponent(name)) return;
  auto* item = new TMenuItem(this);  // owned by this component
  item->SetName(name);
  item->SetCaption(Form->Caption());
  item->OnClick = [this](TObject* Sender) { MDIItemClick(Sender); };
  windowMenu->Add(item);
}

void TskFormSkin::DeleteChildFromMenu() {
  TMenuItem* windowMenu = MainWindowMenu();
  if (!windowMenu) return;
  String childName;
  for (int i = 0; i < windowMenu->Count(); ++i) {
    if (ChildItemName(*windowMenu->Items(i), childName) && childName == Form->Name()) {
      delete windowMenu->Items(i);
      break;
    }
  }
  if (Application->MainForm()->MDIChildCount() != 0) return;
  for (int i = 0; i < windowMenu->Count(); ++i) {
    if (ChildItemName(*windowMenu->Items(i), childName)) {
      delete windowMenu->Items(i);
      break;
    }
  }
}

void TskFormSkin::UpDateChildCaptionInMenu() {
  TMenuItem* windowMenu = MainWindowMenu();
  if (!windowMenu) return;
  String childName;
  for (int i = 0; i < windowMenu->Count(); ++i) {
    TMenuItem* item = windowMenu->Items(i);
    if (ChildItemName(*item, childName) && childName == Form->Name()) {
      item->SetCaption(Form->Caption());
      return;
    }
  }
}

void TskFormSkin::UpDateChildActiveInMenu() {
  TMenuItem* windowMenu = MainWindowMenu();
  if (!windowMenu) return;
  const TForm* active = Application->MainForm()->ActiveMDIChild();
  String childName;
  for (int i = 0; i < windowMenu->Count(); ++i) {
    TMenuItem* item = windowMenu->Items(i);
    if (ChildItemName(*item, childName)) item->SetChecked(active && childName == active->Name());
  }
}

void TskFormSkin::MDIItemClick(TObject* Sender) {
  const auto* item = dynamic_cast<const TMenuItem*>(Sender);
  String childName;
  if (!item || !ChildItemName(*item, childName)) return;
  for (TForm* child : MDIChildList(Application->MainForm())) {
    if (child->Name() != childName) continue;
    TskFormSkin* skin = GetFormSkinComponent(child);
    if (skin && skin->WindowState == TWindowState::wsMinimized) skin->SetWindowState(TWindowState::wsNormal);
    child->Show();
  }
}

// ---------------------------------------------------------------------------------------------
// The main-menu bar

void TskFormSkin::CheckMDIMainMenu() {
  TskFormSkin* mainSkin = GetFormSkinComponent(Application->MainForm());
  TskSkinMainMenuBar* bar = mainSkin ? mainSkin->MainMenuBar() : nullptr;
  if (!bar) return;
  // The bar merges the active child's menu, or drops the one it merged before.
  if (bar->GetChildMainMenu() || bar->ChildMenuMerged) bar->UpDateItems();
}

// ---------------------------------------------------------------------------------------------
// The tabs bar

void TskFormSkin::AddChildToBar() {
  if (TskSkinMDITabsBar* bar = MainTabsBar()) bar->AddTab(Form);
}

void TskFormSkin::DeleteChildFromBar() {
  if (TskSkinMDITabsBar* bar = MainTabsBar()) bar->DeleteTab(Form);
}

void TskFormSkin::RefreshMDIBarTab() {
  TskSkinMDITabsBar* bar = MainTabsBar();
  if (!bar || !bar->HandleAllocated()) return;
  for (int i = 0; i < bar->TabCount(); ++i)
    if (bar->Tabs(i)->Child == Form) bar->Tabs(i)->Draw(bar->Canvas());
}

void TskFormSkin::CheckMDIBar() {
  if (TskSkinMDITabsBar* bar = MainTabsBar()) bar->CheckActive();
}

// ---------------------------------------------------------------------------------------------
// The MDI client window

void TskFormSkin::HookMDIClient() {
  const HWND client = Form->ClientHandle();
  if (!IsMDIForm() || !client || (client == FHookedClient && IsWindow(client))) return;
  SetPropW(client, ClientHookProperty, this);
  OldClientWndProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(client, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TskFormSkin::ClientWndProcInstance)));
  FHookedClient = client;
  // The client loses its border and scroll bars from now on.
  SetWindowPos(client, nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TskFormSkin::UnHookMDIClient() {
  const HWND client = FHookedClient;
  FHookedClient = nullptr;
  if (!client || !IsWindow(client)) return;
  RemovePropW(client, ClientHookProperty);
  if (GetWindowLongPtrW(client, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&TskFormSkin::ClientWndProcInstance))
    SetWindowLongPtrW(client, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(OldClientWndProc));
}

LRESULT CALLBACK TskFormSkin::ClientWndProcInstance(HWND Window, UINT Msg, WPARAM WParam, LPARAM LParam) {
  auto* self = static_cast<TskFormSkin*>(GetPropW(Window, ClientHookProperty));
  if (!self) return DefWindowProcW(Window, Msg, WParam, LParam);
  TMessage message{Msg, WParam, LParam, 0};
  self->FormClientWindowProcHook(message);
  return message.Result;
}

void TskFormSkin::FormClientWindowProcHook(TMessage& Message) {
  const HWND client = FHookedClient;
  const auto passOn = [this, client, &Message] {
    Message.Result = CallWindowProcW(OldClientWndProc, client, Message.Msg, Message.WParam, Message.LParam);
  };
  switch (Message.Msg) {
    case WM_SIZE:
      passOn();
      ResizeMDIChilds();
      if (!FLogoBitMap->Empty()) {
        const RECT r{0, 0, Form->ClientWidth(), Form->ClientHeight()};
        RedrawWindow(client, &r, nullptr, RDW_ERASE | RDW_INVALIDATE);
      }
      break;
    case WM_NCCALCSIZE:
    case WM_NCPAINT:
      Message.Result = 0;
      break;
    case WM_ERASEBKGND: {
      const HDC dc = reinterpret_cast<HDC>(Message.WParam);
      if (!FSkinData || FSkinData->Empty)
        PaintMDIBGDefault(dc);
      else if (FSkinData->MDIBGPictureIndex != -1)
        PaintBG3(dc);
      else if (FSkinData->BGPictureIndex == -1)
        PaintBG(dc);
      else
        PaintBG2(dc);
      Message.Result = 1;
      break;
    }
    case WM_NCACTIVATE:
      Message.Result = 1;
      break;
    case WM_NCDESTROY:
      passOn();
      RemovePropW(client, ClientHookProperty);
      FHookedClient = nullptr;
      break;
    default:
      passOn();
      break;
  }
}

void TskFormSkin::PaintMDIBGDefault(HDC DC) {
  const RECT r{0, 0, Form->ClientWidth(), Form->ClientHeight()};
  ::FillRect(DC, &r, GetSysColorBrush(COLOR_APPWORKSPACE));
  if (FLogoBitMap->Empty()) return;
  TCanvas canvas;
  canvas.SetHandle(DC);
  DrawLogoBitMap(canvas);
  canvas.SetHandle(nullptr);
}

}  // namespace skin
