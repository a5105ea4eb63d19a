#include "skin/form/SkinMainMenuBar.h"

#include "platform/classlib/Forms.h"
#include "skin/controls/SkinCustomControl.h"
#include "skin/data/SkinTabDescriptions.h"
#include "skin/data/Skutils.h"
#include "skin/form/SkinMenu.h"

#include <algorithm>

using namespace classlib;

namespace skin {

namespace {

bool Designing(const TComponent& Component) {
  return Component.ComponentState().Contains(TComponentStateItem::csDesigning);
}

const TskDataSkinMainMenuBarButton* ButtonDescription(const TskSkinData* Skin, const String& Name) {
  if (!Skin || Skin->Empty) return nullptr;
  const int index = Skin->GetIndex(Name);
  if (index < 0) return nullptr;
  return dynamic_cast<const TskDataSkinMainMenuBarButton*>(Skin->ObjectList[static_cast<size_t>(index)].get());
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// TskSkinMainMenu

void TskSkinMainMenu::SetSkinData(TskSkinData* Value) {
  if (FSkinData) FSkinData->RemoveFreeNotification(this);
  FSkinData = Value;
  if (Value) Value->FreeNotification(this);
}

void TskSkinMainMenu::Notification(TComponent* AComponent, TOperation Operation) {
  TMainMenu::Notification(AComponent, Operation);
  if (Operation == TOperation::opRemove && AComponent == FSkinData) FSkinData = nullptr;
}

// ---------------------------------------------------------------------------------------------
// TskSkinMainMenuBar: construction and properties

TskSkinMainMenuBar::TskSkinMainMenuBar(TComponent* AOwner)
    : TskSkinControl(AOwner), FDefItemFont(std::make_unique<TFont>()) {
  FSkinDataName = "mainmenubar";
  FDefItemFont->SetName("Arial");
  FDefItemFont->SetHeight(14);
  FDefItemFont->SetColor(clBtnText);
  const auto timer = [this](unsigned Interval, void (TskSkinMainMenuBar::*Tick)()) {
    auto* t = new TTimer(this);  // owned by the bar
    t->SetEnabled(false);
    t->SetInterval(Interval);
    t->OnTimer = [this, Tick](TObject*) { (this->*Tick)(); };
    return t;
  };
  MorphingTimer = timer(20, &TskSkinMainMenuBar::TestMorph);
  PointerTimer = timer(50, &TskSkinMainMenuBar::TestMouse);
  SetAlign(TAlign::alTop);
  SetHeight(22);
}

TskSkinMainMenuBar::~TskSkinMainMenuBar() {
  MorphingTimer->SetEnabled(false);
  PointerTimer->SetEnabled(false);
  ClearObjects();
}

void TskSkinMainMenuBar::SetDefItemFont(const TFont& Value) {
  FDefItemFont->Assign(Value);
  if (!SkinDescribed) Repaint();
}

void TskSkinMainMenuBar::SetDefaultWidth(int Value) {
  FDefaultWidth = Value;
  if (Value > 0 && !SkinDescribed) SetWidth(Value);
}

void TskSkinMainMenuBar::SetDefaultHeight(int Value) {
  FDefaultHeight = Value;
  if (Value > 0 && !SkinDescribed) SetHeight(Value);
}

void TskSkinMainMenuBar::SetFormSkin(TskFormSkin* Value) {
  if (FFormSkin) FFormSkin->RemoveFreeNotification(this);
  FFormSkin = Value;
  if (Value) Value->FreeNotification(this);
}

void TskSkinMainMenuBar::SetMainMenu(TMainMenu* Value) {
  if (FMainMenu) FMainMenu->RemoveFreeNotification(this);
  FMainMenu = Value;
  if (Value) Value->FreeNotification(this);
  CreateMenu();
  Repaint();
}

void TskSkinMainMenuBar::Notification(TComponent* AComponent, TOperation Operation) {
  const bool skinGone = Operation == TOperation::opRemove && AComponent == FSkinData;
  TskSkinControl::Notification(AComponent, Operation);
  if (Operation != TOperation::opRemove) return;
  if (skinGone) {
    // The objects and the background point into the freed skin's pictures: the default look.
    SkinDescribed = false;
    BarPicture = nullptr;
    CreateMenu();
    Invalidate();
  }
  if (AComponent == FFormSkin) FFormSkin = nullptr;
  if (AComponent == FMainMenu) {
    FMainMenu = nullptr;
    // The item objects point into the freed menu.
    ClearObjects();
  }
}

// ---------------------------------------------------------------------------------------------
// Skin

void TskSkinMainMenuBar::GetSkinData() {
  TskSkinControl::GetSkinData();
  if (FSkinControlIndex == -1) return;
  const auto* description =
      dynamic_cast<const TskDataSkinMainMenuBar*>(FSkinData->CtrlList[static_cast<size_t>(FSkinControlIndex)].get());
  if (!description) {
    FSkinControlIndex = -1;
    return;
  }
  SkinRect = description->SkinRect;
  ItemsRect = description->ItemsRect;
  MenuBarItemName = description->MenuBarItem;
  MaxButtonName = description->MaxButton;
  MinButtonName = description->MinButton;
  SysMenuButtonName = description->SysMenuButton;
  CloseButtonName = description->CloseButton;
  TrackMarkColor = description->TrackMarkColor;
  TrackMarkActiveColor = description->TrackMarkActiveColor;
  BarPicture = SkinPicture(*FSkinData, description->PictureIndex);
}

void TskSkinMainMenuBar::ChangeSkinData() {
  GetSkinData();
  SkinDescribed = FSkinControlIndex != -1;
  CreateMenu();
  if (SkinDescribed) {
    SetHeight(RectHeight(SkinRect));
  } else {
    if (FDefaultHeight > 0) SetHeight(FDefaultHeight);
    if (FDefaultWidth > 0) SetWidth(FDefaultWidth);
  }
  Repaint();
}

void TskSkinMainMenuBar::BeforeChangeSkinData() {
  SkinDescribed = false;
  TskSkinControl::BeforeChangeSkinData();
  ClearObjects();
}

void TskSkinMainMenuBar::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  GetSkinData();
  if (FSkinControlIndex != -1) AHeight = RectHeight(SkinRect);
  TskSkinControl::SetBounds(ALeft, ATop, AWidth, AHeight);
  Repaint();
}

// ---------------------------------------------------------------------------------------------
// The objects

void TskSkinMainMenuBar::ClearObjects() {
  Objects.clear();
  ButtonCount = 0;
  ActiveIndex = OldActiveIndex = PressedIndex = -1;
}

std::vector<TskSkinMainMenuBarItem*> TskSkinMainMenuBar::Items() const {
  std::vector<TskSkinMainMenuBarItem*> items;
  for (const auto& object : Objects)
    if (auto* item = dynamic_cast<TskSkinMainMenuBarItem*>(object.get())) items.push_back(item);
  return items;
}

// A skinned child is maximized in its component's state, never in the system's.
TForm* TskSkinMainMenuBar::GetMaximizedMDIChild() const {
  TskFormSkin* skin = GetMDIChildFormSkinComponent();
  return skin ? skin->Form : nullptr;
}

TskFormSkin* TskSkinMainMenuBar::GetMDIChildFormSkinComponent() const { return skin::GetMDIChildFormSkinComponent(); }

TMainMenu* TskSkinMainMenuBar::GetChildMainMenu() const {
  TForm* main = Application->MainForm();
  TForm* child = main ? main->ActiveMDIChild() : nullptr;
  if (!child) return nullptr;
  for (int i = 0; i < child->ComponentCount(); ++i)
    if (auto* menu = dynamic_cast<TMainMenu*>(child->Components(i))) return menu;
  return nullptr;
}

void TskSkinMainMenuBar::CreateMenu() {
  ClearObjects();
  TMainMenu* child = FFormSkin && FFormSkin->Form->FormStyle() == TFormStyle::fsMDIForm ? GetChildMainMenu() : nullptr;
  if (!FMainMenu) return;
  const TskDataSkinMainMenuBarItem* description = nullptr;
  if (FSkinData && !FSkinData->Empty) {
    const int index = FSkinData->GetIndex(MenuBarItemName);
    if (index >= 0)
      description =
          dynamic_cast<const TskDataSkinMainMenuBarItem*>(FSkinData->ObjectList[static_cast<size_t>(index)].get());
  }
  ChildMenuMerged = child != nullptr;
  std::vector<TMenuItem*> list;
  TMenuItem* own = FMainMenu->Items();
  if (child) {
    FScrollMenu = false;
    TMenuItem* merged = child->Items();
    const auto inChild = [merged](BYTE Group) {
      for (int i = 0; i < merged->Count(); ++i)
        if (merged->Items(i)->GroupIndex() == Group) return true;
      return false;
    };
    for (int i = 0; i < own->Count(); ++i)
      if (!inChild(own->Items(i)->GroupIndex())) list.push_back(own->Items(i));
    for (int i = 0; i < merged->Count(); ++i) list.push_back(merged->Items(i));
    std::stable_sort(list.begin(), list.end(),
                     [](const TMenuItem* A, const TMenuItem* B) { return A->GroupIndex() < B->GroupIndex(); });
  } else {
    for (int i = 0; i < own->Count(); ++i) list.push_back(own->Items(i));
  }
  for (TMenuItem* menuItem : list) {
    if (!menuItem->Visible()) continue;
    auto item = std::make_unique<TskSkinMainMenuBarItem>(this, description);
    item->IDName = menuItem->Name();
    item->Enabled = item->SavedEnabled = menuItem->Enabled();
    item->MenuItem = menuItem;
    Objects.push_back(std::move(item));
  }
  if (ChildMaximizedMode) {
    AddButtons();
    CheckMaximizedChildButtons();
  }
}

void TskSkinMainMenuBar::UpDateItems() {
  CreateMenu();
  Repaint();
  ActiveIndex = OldActiveIndex = -1;
  PointerTimer->SetEnabled(true);
}

void TskSkinMainMenuBar::UpDateEnabledItems() {
  for (TskSkinMainMenuBarItem* item : Items())
    if (item->MenuItem) item->Enabled = item->MenuItem->Enabled();
  Repaint();
}

void TskSkinMainMenuBar::AddButtons() {
  ButtonCount = 0;
  struct TButtonKind {
    const char* DefaultName;
    const String* SkinName;
    TStdCommand Command;
  };
  const TButtonKind kinds[] = {{"MinButton", &MinButtonName, TStdCommand::cmMinimize},
                               {"MaxButton", &MaxButtonName, TStdCommand::cmMaximize},
                               {"CloseButton", &CloseButtonName, TStdCommand::cmClose},
                               {"SysMenuButton", &SysMenuButtonName, TStdCommand::cmSysMenu}};
  for (const TButtonKind& kind : kinds) {
    const String name = SkinDescribed ? *kind.SkinName : String(kind.DefaultName);
    const TskDataSkinMainMenuBarButton* description = ButtonDescription(FSkinData, name);
    auto button = std::make_unique<TskSkinMainMenuBarButton>(this, description);
    button->IDName = name;
    // Without a description of its own a button would close the child whatever its place.
    if (!SkinDescribed || !description) button->Command = kind.Command;
    Objects.insert(Objects.begin(), std::move(button));
    ++ButtonCount;
  }
}

void TskSkinMainMenuBar::DeleteButtons() {
  if (ButtonCount > 0) ActiveIndex = PressedIndex = -1;
  Objects.erase(Objects.begin(), Objects.begin() + std::min<std::ptrdiff_t>(ButtonCount, static_cast<std::ptrdiff_t>(Objects.size())));
  ButtonCount = 0;
}

void TskSkinMainMenuBar::CheckButtons(TskBorderIcons Icons) {
  for (int i = 0; i < ButtonCount; ++i) {
    auto* button = dynamic_cast<TskSkinMainMenuBarButton*>(Objects[static_cast<size_t>(i)].get());
    if (!button) continue;
    button->Enabled = true;
    if (button->Command == TStdCommand::cmMinimize && !Icons.Contains(TskBorderIcon::biMinimize)) button->Enabled = false;
    if (button->Command == TStdCommand::cmSysMenu && !Icons.Contains(TskBorderIcon::biSystemMenu)) button->Enabled = false;
  }
}

void TskSkinMainMenuBar::CheckMaximizedChildButtons() {
  if (TskFormSkin* child = GetMDIChildFormSkinComponent()) CheckButtons(child->BorderIcons());
}

void TskSkinMainMenuBar::MDIChildMaximize() {
  if (ChildMaximizedMode) return;
  ChildMaximizedMode = true;
  ActiveIndex = OldActiveIndex = PressedIndex = -1;
  AddButtons();
  CheckMaximizedChildButtons();
  Repaint();
}

void TskSkinMainMenuBar::MDIChildRestore() {
  if (GetMaximizedMDIChild()) {
    CheckMaximizedChildButtons();
    return;
  }
  if (!ChildMaximizedMode) return;
  ChildMaximizedMode = false;
  DeleteButtons();
  Repaint();
}

void TskSkinMainMenuBar::CloseSysMenu() {
  for (int i = 0; i < ButtonCount; ++i) {
    auto* button = dynamic_cast<TskSkinMainMenuBarButton*>(Objects[static_cast<size_t>(i)].get());
    if (!button || button->Command != TStdCommand::cmSysMenu || !button->Down) continue;
    button->Down = false;
    if (i != ActiveIndex) button->Active = button->Hovered = false;
    DrawSkinObject(*button);
  }
}

// ---------------------------------------------------------------------------------------------
// Layout and painting

TRect TskSkinMainMenuBar::GetMarkerRect() const {
  return TRect{ItemsArea.right - 5, ItemsArea.top, ItemsArea.right, ItemsArea.bottom};
}

void TskSkinMainMenuBar::CalcRects() {
  if (SkinDescribed)
    ItemsArea = TRect{ItemsRect.left, ItemsRect.top, Width() - (RectWidth(SkinRect) - ItemsRect.right), ItemsRect.bottom};
  else
    ItemsArea = TRect{2, 2, Width() - 2, Height() - 2};
  if (!ChildMaximizedMode || ButtonCount != 4) return;
  const int areaHeight = RectHeight(ItemsArea);
  // The button's size: its skin image's, or a square as high as the items area.
  const auto place = [this, areaHeight](TskMenuBarObject& Button, bool Left) {
    const auto& button = static_cast<TskSkinMainMenuBarButton&>(Button);
    const bool skinned = button.SkinSupport && button.SourcePicture;
    const int w = skinned ? RectWidth(button.SkinRect) : areaHeight;
    const int h = skinned ? RectHeight(button.SkinRect) : areaHeight;
    const int top = ItemsArea.top + areaHeight / 2 - h / 2;
    if (Left) {
      Button.ObjectRect = TRect{ItemsArea.left, top, ItemsArea.left + w, top + h};
      ItemsArea.left += w + 2;
    } else {
      Button.ObjectRect = TRect{ItemsArea.right - w, top, ItemsArea.right, top + h};
      ItemsArea.right -= w + 2;
    }
  };
  place(*Objects[0], true);
  for (size_t i = 1; i < 4; ++i) place(*Objects[i], false);
}

void TskSkinMainMenuBar::DrawMarker(TCanvas& Canvas) {
  TColor color;
  if (SkinDescribed)
    color = MarkerHot ? TrackMarkActiveColor : TrackMarkColor;
  else
    color = MarkerHot ? clBtnText : clBtnShadow;
  DrawArrowImage(Canvas, GetMarkerRect(), color, 2);
}

void TskSkinMainMenuBar::PaintMenuBar(TCanvas& Canvas) {
  GetSkinData();
  if (Width() <= 0 || Height() <= 0) return;
  TBitmap b;
  b.SetPixelFormat(TPixelFormat::pf24bit);
  if (FSkinControlIndex != -1 && BarPicture) {
    CreateHSkinImage(ItemsRect.left, RectWidth(SkinRect) - ItemsRect.right, b, *BarPicture, SkinRect, Width(), Height(),
                     false);
  } else {
    b.SetSize(Width(), Height());
    b.Canvas()->Brush()->SetColor(clBtnFace);
    b.Canvas()->FillRect(TRect{0, 0, Width(), Height()});
  }
  CalcRects();
  ItemsHidden = false;
  for (const auto& object : Objects)
    if (object->Visible) object->Draw(*b.Canvas());
  if (ItemsHidden && FScrollMenu) DrawMarker(*b.Canvas());
  Canvas.Draw(0, 0, &b);
}

void TskSkinMainMenuBar::DrawSkinObject(TskMenuBarObject& Object) {
  if (!HandleAllocated() || !Object.Visible) return;
  Object.Draw(Canvas());
  // The window's device context comes from the system's cache: it goes back at once.
  static_cast<TControlCanvas&>(Canvas()).FreeHandle();
}

// ---------------------------------------------------------------------------------------------
// The pointer and the timers

void TskSkinMainMenuBar::TestActive(int X, int Y) {
  if (Objects.empty()) return;
  OldActiveIndex = ActiveIndex;
  const POINT p{X, Y};
  int hit = -1;
  for (size_t i = 0; i < Objects.size(); ++i)
    if (Objects[i]->Enabled && PtInRect(&Objects[i]->ObjectRect, p)) {
      hit = static_cast<int>(i);
      break;
    }
  const int count = static_cast<int>(Objects.size());
  const bool oldIsItem = OldActiveIndex >= ButtonCount && OldActiveIndex < count;
  // With a drop-down open the item stays hot while the pointer is over the menu.
  if (!(hit == -1 && oldIsItem && MenuMode)) ActiveIndex = hit;
  if (PressedIndex != -1 && ActiveIndex != PressedIndex) ActiveIndex = -1;
  if (ActiveIndex >= count) ActiveIndex = -1;
  if (OldActiveIndex >= count) OldActiveIndex = -1;
  if (ActiveIndex != OldActiveIndex) {
    // Entering an object may rebuild the list (a drop-down's command): each step reads it anew.
    if (OldActiveIndex != -1 && OldActiveIndex < static_cast<int>(Objects.size()) &&
        Objects[static_cast<size_t>(OldActiveIndex)]->Enabled)
      Objects[static_cast<size_t>(OldActiveIndex)]->MouseLeave();
    if (ActiveIndex != -1 && ActiveIndex < static_cast<int>(Objects.size()) &&
        Objects[static_cast<size_t>(ActiveIndex)]->Enabled)
      Objects[static_cast<size_t>(ActiveIndex)]->MouseEnter();
  }
  if (ItemsHidden && FScrollMenu) {
    const TRect marker = GetMarkerRect();
    const bool hot = PtInRect(&marker, p) != FALSE;
    if (hot != MarkerHot && HandleAllocated()) {
      MarkerHot = hot;
      DrawMarker(Canvas());
      static_cast<TControlCanvas&>(Canvas()).FreeHandle();
    }
  }
}

void TskSkinMainMenuBar::TestMouse() {
  if (!HandleAllocated()) return;
  POINT p;
  GetCursorPos(&p);
  ::ScreenToClient(Handle(), &p);
  if (p.x < 0 || p.y < 0 || p.x > Width() || p.y > Height()) {
    if (!PointerTimer->Enabled()) return;
    PointerTimer->SetEnabled(false);
    TestActive(-1, -1);
    return;
  }
  TestActive(p.x, p.y);
}

void TskSkinMainMenuBar::TestMorph() {
  bool stepped = false;
  for (size_t i = 0; i < Objects.size(); ++i) {
    TskMenuBarObject& object = *Objects[i];
    if (!object.EnableMorphing() || !object.CanMorphing()) continue;
    object.DoMorphing();
    stepped = true;
  }
  if (!stepped) MorphingTimer->SetEnabled(false);
}

// ---------------------------------------------------------------------------------------------
// Mouse buttons

void TskSkinMainMenuBar::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TskSkinControl::MouseDown(Button, Shift, X, Y);
  TestActive(X, Y);
  if (ActiveIndex != -1) {
    PressedIndex = ActiveIndex;
    TskMenuBarObject* object = Objects[static_cast<size_t>(ActiveIndex)].get();
    object->MouseDown(X, Y, Button);
    // The press may have run a command that rebuilt the objects.
    const bool alive = std::any_of(Objects.begin(), Objects.end(), [object](const auto& O) { return O.get() == object; });
    if (alive && Shift.Contains(TShiftStateItem::ssDouble)) object->DblClick();
    if (!alive) PressedIndex = -1;
    return;
  }
  const TRect marker = GetMarkerRect();
  if (ItemsHidden && FScrollMenu && PtInRect(&marker, POINT{X, Y})) TrackScrollMenu();
}

void TskSkinMainMenuBar::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (PressedIndex != -1 && PressedIndex < static_cast<int>(Objects.size()))
    Objects[static_cast<size_t>(PressedIndex)]->MouseUp(X, Y, Button);
  PressedIndex = -1;
  TskSkinControl::MouseUp(Button, Shift, X, Y);
}

void TskSkinMainMenuBar::MouseMove(TShiftState Shift, int X, int Y) {
  TskSkinControl::MouseMove(Shift, X, Y);
  PointerTimer->SetEnabled(true);
}

void TskSkinMainMenuBar::TrackScrollMenu() {
  if (!FFormSkin || !FMainMenu) return;
  int shown = 0;
  for (const TskSkinMainMenuBarItem* item : Items())
    if (item->InBar) ++shown;
  TRect r = GetMarkerRect();
  if (HandleAllocated()) {
    POINT origin{0, 0};
    ::ClientToScreen(Handle(), &origin);
    OffsetRect(&r, origin.x, origin.y);
  }
  FFormSkin->SkinMenuOpen();
  TskSkinMenu& engine = *FFormSkin->SkinMenu;
  TMainMenu* child = FFormSkin->Form->FormStyle() == TFormStyle::fsMDIForm ? GetChildMainMenu() : nullptr;
  if (child) {
    engine.Popup2(nullptr, FSkinData, shown, r, FMainMenu->Items(), child->Items(), false);
    return;
  }
  // The count of shown items is an index among visible items: hidden menu items before the cut
  // would move it, so the menu starts at the first cut-off item's own place in the menu.
  int start = shown;
  for (const TskSkinMainMenuBarItem* item : Items())
    if (!item->InBar && item->MenuItem && item->MenuItem->Parent() == FMainMenu->Items()) {
      start = item->MenuItem->MenuIndex();
      break;
    }
  engine.Popup(nullptr, FSkinData, start, r, FMainMenu->Items(), false);
}

// ---------------------------------------------------------------------------------------------
// The keyboard and the menu mode

bool TskSkinMainMenuBar::FindHotKeyItem(WORD Key) {
  if (!FFormSkin || !FFormSkin->Form->Visible()) return false;
  for (TskSkinMainMenuBarItem* item : Items()) {
    if (!Selectable(*item) || !item->MenuItem || !IsAccel(Key, item->MenuItem->Caption())) continue;
    item->MouseEnter();
    if (!(FFormSkin->MenuLoop && item->HasSubItems())) item->MouseDown(0, 0, TMouseButton::mbLeft);
    return true;
  }
  return false;
}

void TskSkinMainMenuBar::NextMainMenuItem() {
  StepMainMenuItems(Items(), true, [this](const TskSkinMainMenuBarItem& Item) { return Selectable(Item); });
}

void TskSkinMainMenuBar::PriorMainMenuItem() {
  StepMainMenuItems(Items(), false, [this](const TskSkinMainMenuBarItem& Item) { return Selectable(Item); });
}

bool TskSkinMainMenuBar::CheckReturnKey() {
  if (!FFormSkin) return false;
  for (TskSkinMainMenuBarItem* item : Items()) {
    if (!((item->Down && !item->HasSubItems()) || (item->Active && !FFormSkin->MenuLoop))) continue;
    item->Active = false;
    item->MouseDown(0, 0, TMouseButton::mbLeft);
    return true;
  }
  return false;
}

void TskSkinMainMenuBar::MenuEnter() {
  MenuMode = true;
  const auto items = Items();
  TskSkinMainMenuBarItem* entered = nullptr;
  for (TskSkinMainMenuBarItem* item : items)
    if (item->Active) {
      entered = item;
      break;
    }
  if (!entered && !items.empty()) entered = items.front();
  if (!entered) return;
  entered->MouseEnter();
  if (!FFormSkin) return;
  FFormSkin->HookApp();
  FFormSkin->MainMenuActive = true;
  if (FFormSkin->OnMainMenuEnter) FFormSkin->OnMainMenuEnter(this);
}

void TskSkinMainMenuBar::MenuClose() {
  for (TskSkinMainMenuBarItem* item : Items()) {
    if (!item->Down) continue;
    item->Down = false;
    item->Active = true;
    if (item->EnableMorphing()) item->MorphKf = 1;
    DrawSkinObject(*item);
    return;
  }
}

void TskSkinMainMenuBar::MenuExit() {
  MenuMode = false;
  for (TskSkinMainMenuBarItem* item : Items()) {
    if (!item->Down && !item->Active) continue;
    item->Active = item->Down = item->Hovered = false;
    if (item->EnableMorphing()) item->MorphKf = 1;
    item->Redraw();
    break;
  }
  ActiveIndex = OldActiveIndex = -1;
}

// ---------------------------------------------------------------------------------------------
// Messages

void TskSkinMainMenuBar::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_ERASEBKGND: {
      TCanvas canvas;
      canvas.SetHandle(reinterpret_cast<HDC>(Message.WParam));
      PaintMenuBar(canvas);
      canvas.SetHandle(nullptr);
      Message.Result = 1;
      return;
    }
    case WM_SIZE:
      TskSkinControl::Dispatch(Message);
      CalcRects();
      return;
    case WM_CLOSESKINMENU:
      CloseSysMenu();
      return;
    case CM_MOUSEENTER:
      if (!Designing(*this)) PointerTimer->SetEnabled(true);
      break;
    case CM_MOUSELEAVE:
      if (!Designing(*this)) {
        PointerTimer->SetEnabled(false);
        TestActive(-1, -1);
      }
      break;
    default:
      break;
  }
  TskSkinControl::Dispatch(Message);
}

}  // namespace skin
