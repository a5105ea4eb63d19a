#include "skin/form/SkinMenu.h"

#include "skin/controls/SkinCustomControl.h"
#include "skin/data/ResourceStrData.h"
#include "skin/data/SkinObjectDescriptions.h"
#include "skin/data/Skutils.h"
#include "skin/form/SkinMessageRouter.h"

#include <algorithm>

namespace skin {

using namespace classlib;

namespace {

// A picture of the skin's list that holds pixels.
TBitmap* PaintablePicture(const TskSkinData& Skin, int Index) {
  TBitmap* picture = SkinPicture(Skin, Index);
  return picture && !picture->Empty() ? picture : nullptr;
}

// Room above and below the items of a scrolling window for its arrows.
constexpr int ScrollStripHeight = 10;
// The window timer that steps the scrolling.
constexpr UINT_PTR ScrollTimerId = 1;
constexpr UINT ScrollInterval = 100;
// Retired windows wait for the handlers on the stack to return.
constexpr unsigned ReleaseInterval = 10;

std::unique_ptr<TTimer> MakeTimer(unsigned Interval, std::function<void()> Handler) {
  auto timer = std::make_unique<TTimer>(nullptr);
  timer->SetEnabled(false);
  timer->SetInterval(Interval);
  timer->OnTimer = [Handler = std::move(Handler)](TObject*) { Handler(); };
  return timer;
}

bool InRect(const TRect& R, int X, int Y) { return X >= R.left && X < R.right && Y >= R.top && Y < R.bottom; }

}  // namespace

bool CanMenuClose(UINT Msg) {
  switch (Msg) {
    case WM_MOVE:
    case WM_SIZE:
    case WM_ACTIVATE:
    case WM_KILLFOCUS:
    case WM_CANCELMODE:
    case WM_MOUSEACTIVATE:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_NCMBUTTONDOWN:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_PARENTNOTIFY:
      return true;
    default:
      return false;
  }
}

const TskDataSkinMenuItem* FindMenuItemDescription(const TskSkinData& Skin) {
  int index = Skin.GetIndex("MENUITEM");
  if (index < 0) index = Skin.GetIndex("menuitem");
  if (index < 0) return nullptr;
  const auto* description = dynamic_cast<const TskDataSkinMenuItem*>(Skin.ObjectList[static_cast<size_t>(index)].get());
  return description && PaintablePicture(Skin, description->ActivePictureIndex) ? description : nullptr;
}

// ---------------------------------------------------------------------------------------------
// TskSkinPopupWindow

TskSkinPopupWindow::TskSkinPopupWindow(TComponent* AOwner, TskSkinMenu* AOwnerMenu,
                                       const TskDataSkinPopupWindow* ADescription)
    : TCustomControl(AOwner), OwnerMenu(AOwnerMenu) {
  AlphaBlend = OwnerMenu->AlphaBlend;
  AlphaBlendValue = OwnerMenu->AlphaBlendValue;
  AlphaBlendAnimation = OwnerMenu->AlphaBlendAnimation;
  SetVisible(false);
  ScreenShot = std::make_unique<TBitmap>();
  HoverTimer = MakeTimer(50, [this] {
    TskSkinMenu::TBusy busy(*OwnerMenu);
    TestMouse();
  });
  if (ADescription && OwnerMenu->SkinData) {
    WindowDescription = ADescription;
    WindowSkin = OwnerMenu->SkinData;
    FramePicture = SkinPicture(*WindowSkin, ADescription->WindowPictureIndex);
    FrameMask = SkinPicture(*WindowSkin, ADescription->MaskPictureIndex);
  }
}

TskSkinPopupWindow::~TskSkinPopupWindow() {
  MenuItems.clear();
  DestroyHandle();
}

void TskSkinPopupWindow::CreateParams(TCreateParams& Params) {
  TCustomControl::CreateParams(Params);
  Params.Style = WS_POPUP;
  Params.ExStyle = WS_EX_TOOLWINDOW;
  Params.WndParent = nullptr;
  Params.ClassStyle |= CS_SAVEBITS;
  if (CheckWXP()) Params.ClassStyle |= CS_DROPSHADOW;
}

void TskSkinPopupWindow::WndProc(TMessage& Message) {
  TskSkinMenu::TBusy busy(*OwnerMenu);
  TCustomControl::WndProc(Message);
}

void TskSkinPopupWindow::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_MOUSEACTIVATE:
      Message.Result = MA_NOACTIVATE;
      return;
    case WM_ERASEBKGND:
      PaintMenu(reinterpret_cast<HDC>(Message.WParam));
      Message.Result = 1;
      return;
    case WM_PAINT:
      if (Message.WParam) {
        PaintMenu(reinterpret_cast<HDC>(Message.WParam));
      } else {
        // The picture is painted while erasing; an update without erasing paints it here.
        PAINTSTRUCT ps;
        const HDC dc = BeginPaint(Handle(), &ps);
        if (ps.fErase) PaintMenu(dc);
        EndPaint(Handle(), &ps);
      }
      return;
    case WM_TIMER:
      TCustomControl::Dispatch(Message);
      if (Message.WParam != ScrollTimerId) return;
      if (ScrollDirection == 1 && CanScroll(1))
        ScrollUp(false);
      else if (ScrollDirection == 2 && CanScroll(2))
        ScrollDown(false);
      else
        StopScroll();
      return;
    case WM_LBUTTONUP: {
      TCustomControl::Dispatch(Message);
      const int x = static_cast<short>(LOWORD(Message.LParam));
      const int y = static_cast<short>(HIWORD(Message.LParam));
      TestActive(x, y);
      if (HotIndex != -1 && GetActive(x, y) != -1) {
        TskSkinMenuItem& item = *MenuItems[static_cast<size_t>(HotIndex)];
        if (!item.IsSeparator()) item.MouseDown(x, y);
      }
      return;
    }
    default:
      TCustomControl::Dispatch(Message);
  }
}

void TskSkinPopupWindow::Show(const TRect& R, TMenuItem* Item, int StartIndex, bool PopupByItem, bool OpenUpward) {
  TskSkinMenu& menu = *OwnerMenu;
  if (CheckW2KWXP() && menu.AlphaBlend && menu.AlphaBlendAnimation && menu.FirstPopup) Application->ProcessMessages();
  CreateMenu(Item, StartIndex);
  Place(R, PopupByItem, OpenUpward);
  Appear();
}

void TskSkinPopupWindow::Show2(const TRect& R, TMenuItem* Item, TMenuItem* Item2, int StartIndex, bool PopupByItem,
                               bool OpenUpward) {
  TskSkinMenu& menu = *OwnerMenu;
  if (CheckW2KWXP() && menu.AlphaBlend && menu.AlphaBlendAnimation && menu.FirstPopup) Application->ProcessMessages();
  CreateMenu2(Item, Item2, StartIndex);
  Place(R, PopupByItem, OpenUpward);
  Appear();
}

void TskSkinPopupWindow::Appear() {
  TskSkinMenu& menu = *OwnerMenu;
  if (AlphaBlend && !CheckW2KWXP()) {
    // The screen under the window is read once the menus that close now have left it.
    if (!ShowTimer)
      ShowTimer = MakeTimer(100, [this] {
        TskSkinMenu::TBusy busy(*OwnerMenu);
        WTProc();
      });
    ShowTimer->SetEnabled(true);
    return;
  }
  ApplySkinCursor();
  const bool layered = CheckW2KWXP() && menu.AlphaBlend;
  const bool fade = layered && menu.AlphaBlendAnimation && menu.FirstPopup;
  if (layered) {
    SetWindowLongW(Handle(), GWL_EXSTYLE, GetWindowLongW(Handle(), GWL_EXSTYLE) | WS_EX_LAYERED);
    SetAlphaBlendTransparent(Handle(), fade ? 0 : menu.AlphaBlendValue);
  }
  SetWindowPos(Handle(), HWND_TOPMOST, ShowLeft, ShowTop, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  SetVisible(true);
  FShown = true;
  if (fade)
    for (int alpha = 2;; alpha += 2) {
      SetAlphaBlendTransparent(Handle(), static_cast<std::uint8_t>(std::min<int>(alpha, menu.AlphaBlendValue)));
      if (alpha >= menu.AlphaBlendValue) break;
    }
  HoverTimer->SetEnabled(true);
  HotIndex = -1;
  for (size_t i = 0; i < MenuItems.size(); ++i) {
    TskSkinMenuItem& item = *MenuItems[i];
    if (!item.SourceItem->Enabled() || item.IsSeparator()) continue;
    item.KeySelected = true;
    HotIndex = static_cast<int>(i);
    item.MouseEnter(true);
    break;
  }
}

void TskSkinPopupWindow::WTProc() {
  if (ShowTimer) ShowTimer->SetEnabled(false);
  ScreenShot->SetPixelFormat(TPixelFormat::pf24bit);
  ScreenShot->SetSize(Width() + 1, Height() + 1);
  GetScreenImage(ShowLeft, ShowTop, *ScreenShot);
  ScreenEffect = std::make_unique<TskEffectBmp>(ScreenShot->Handle());
  ApplySkinCursor();
  SetWindowPos(Handle(), HWND_TOPMOST, ShowLeft, ShowTop, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  SetVisible(true);
  FShown = true;
  HoverTimer->SetEnabled(true);
  HotIndex = -1;
  if (!MenuItems.empty()) {
    HotIndex = 0;
    MenuItems[0]->MouseEnter(true);
  }
}

void TskSkinPopupWindow::ApplySkinCursor() {
  if (WindowDescription && WindowDescription->CursorIndex != -1)
    SetCursor(static_cast<TCursor>(static_cast<std::int16_t>(WindowSkin->StartCursorIndex + WindowDescription->CursorIndex)));
}

void TskSkinPopupWindow::PrepareFont(bool SetCharsetFromSkin) {
  const TskSkinMenu& menu = *OwnerMenu;
  TFont& font = *Canvas().Font();
  if (WindowDescription && ItemDescription && menu.UseSkinFont) {
    font.SetHeight(ItemDescription->FontHeight);
    font.SetStyle(ItemDescription->FontStyle);
    font.SetName(ItemDescription->FontName);
    font.SetCharset(menu.DefaultMenuItemFont->Charset());
  } else {
    font.Assign(*menu.DefaultMenuItemFont);
  }
  if (SetCharsetFromSkin) {
    const TskSkinData* skin = menu.LoadedSkin();
    font.SetCharset(skin && skin->ResourceStrData() ? skin->ResourceStrData()->CharSet()
                                                    : menu.DefaultMenuItemFont->Charset());
  }
}

void TskSkinPopupWindow::CreateMenu(TMenuItem* Item, int StartIndex) {
  ItemDescription = WindowSkin ? FindMenuItemDescription(*WindowSkin) : nullptr;
  PrepareFont(false);
  const TMenu* owner = Item->GetParentMenu();
  ItemImages = owner ? owner->Images() : nullptr;
  AddItems(Item, StartIndex);
  LayOut();
}

void TskSkinPopupWindow::CreateMenu2(TMenuItem* Item, TMenuItem* Item2, int StartIndex) {
  ItemDescription = WindowSkin ? FindMenuItemDescription(*WindowSkin) : nullptr;
  PrepareFont(true);
  const TMenu* owner = Item->GetParentMenu();
  ItemImages = owner ? owner->Images() : nullptr;
  AddItems(Item, StartIndex);
  if (Item2) AddItems(Item2, std::max(0, StartIndex - Item->Count()));
  LayOut();
}

void TskSkinPopupWindow::AddItems(TMenuItem* Item, int From) {
  for (int i = std::max(0, From); i < Item->Count(); ++i) {
    TMenuItem* child = Item->Items(i);
    if (!child->Visible()) continue;
    MenuItems.push_back(std::make_unique<TskSkinMenuItem>(this, child, ItemDescription));
  }
}

int TskSkinPopupWindow::ItemHeight(const TskSkinMenuItem& Item) const {
  if (ItemDescription) return RectHeight(Item.IsSeparator() ? ItemDescription->DividerRect : ItemDescription->SkinRect);
  return Item.IsSeparator() ? 4 : OwnerMenu->DefMenuItemHeight;
}

void TskSkinPopupWindow::LayOut() {
  const TskSkinMenu& menu = *OwnerMenu;
  FirstVisible = 0;
  VisibleItems = static_cast<int>(MenuItems.size());
  ScrollMode = false;
  MaxItemsMode = false;
  GlyphColumnWidth = ItemImages ? ItemImages->Width() + 5 : 16;
  int widest = 0;
  int total = 0;
  for (const auto& item : MenuItems) {
    String text = item->SourceItem->Caption();
    if (const String shortCut = ShortCutToText(item->SourceItem->ShortCut()); !shortCut.empty())
      text += "  " + shortCut;
    widest = std::max(widest, MenuTextWidth(Canvas(), text) + 2);
    total += ItemHeight(*item);
  }
  static_cast<TControlCanvas&>(Canvas()).FreeHandle();
  const int textColumn = GlyphColumnWidth + widest + 16;
  const int pw = WindowDescription ? FramePicture->Width() : 0;
  const int ph = WindowDescription ? FramePicture->Height() : 0;
  const int frameHeight = WindowDescription ? ph - RectHeight(WindowDescription->ItemsRect) : 6;
  const int w = WindowDescription ? textColumn + (pw - RectWidth(WindowDescription->ItemsRect)) +
                                        (RectWidth(ItemDescription->SkinRect) - RectWidth(ItemDescription->TextRect))
                                  : textColumn + 10;
  int h = total + frameHeight;
  const int count = static_cast<int>(MenuItems.size());
  if (menu.MaxMenuItemsInWindow != 0 && menu.MaxMenuItemsInWindow < count) {
    const int itemHeight = WindowDescription ? RectHeight(ItemDescription->SkinRect) : menu.DefMenuItemHeight;
    h = itemHeight * menu.MaxMenuItemsInWindow + frameHeight + 2 * ScrollStripHeight;
    ScrollMode = true;
    MaxItemsMode = true;
  }
  if (h > RectHeight(menu.MenuWorkArea)) {
    h = RectHeight(menu.MenuWorkArea);
    ScrollMode = true;
  }
  SetBounds(Left(), Top(), w, h);
  if (WindowDescription) {
    const TskDataSkinPopupWindow& d = *WindowDescription;
    FrameLTPoint = d.SkinLeftTopPoint;
    FrameRTPoint = Point(d.SkinRightTopPoint.x + w - pw, d.SkinRightTopPoint.y);
    FrameLBPoint = Point(d.SkinLeftBottomPoint.x, d.SkinLeftBottomPoint.y + h - ph);
    FrameRBPoint = Point(d.SkinRightBottomPoint.x + w - pw, d.SkinRightBottomPoint.y + h - ph);
    FrameItemsRect = Rect(d.ItemsRect.left, d.ItemsRect.top, d.ItemsRect.right + w - pw, d.ItemsRect.bottom + h - ph);
  } else {
    FrameItemsRect = Rect(3, 3, w - 3, h - 3);
  }
  CalcItemRects();
  if (FrameMask) SetMenuWindowRegion();
}

void TskSkinPopupWindow::CalcItemRects() {
  int top = FrameItemsRect.top;
  int bottom = FrameItemsRect.bottom;
  if (ScrollMode) {
    top += ScrollStripHeight;
    bottom -= ScrollStripHeight;
  }
  VisibleItems = 0;
  const int count = static_cast<int>(MenuItems.size());
  for (int i = FirstVisible; i < count; ++i) {
    TskSkinMenuItem& item = *MenuItems[static_cast<size_t>(i)];
    const int h = ItemHeight(item);
    item.ItemBounds = Rect(FrameItemsRect.left, top, FrameItemsRect.right, top + h);
    if (item.ItemBounds.bottom > bottom) {
      item.InView = false;
      break;
    }
    item.InView = true;
    ++VisibleItems;
    top += h;
  }
  if (ScrollMode)
    for (int i = 0; i < count; ++i)
      if (i < FirstVisible || i >= FirstVisible + VisibleItems) MenuItems[static_cast<size_t>(i)]->InView = false;
}

int TskSkinPopupWindow::GetEndStartVisibleIndex() const {
  // The items that fit between the two arrow strips, counted from the end.
  const int top = FrameItemsRect.top + ScrollStripHeight;
  int rest = FrameItemsRect.bottom - ScrollStripHeight;
  int counted = 0;
  for (auto it = MenuItems.rbegin(); it != MenuItems.rend(); ++it) {
    rest -= ItemHeight(**it);
    if (rest < top) break;
    ++counted;
  }
  return static_cast<int>(MenuItems.size()) - counted;
}

void TskSkinPopupWindow::Place(const TRect& R, bool PopupByItem, bool OpenUpward) {
  const TRect wa = OwnerMenu->MenuWorkArea;
  const int w = Width();
  const int h = Height();
  const int mid = wa.top + RectHeight(wa) / 2;
  const int t = FrameItemsRect.top;
  const bool fullHeight = ScrollMode && !MaxItemsMode;
  bool beside = false;
  int top;
  if (fullHeight) {
    top = wa.top;
  } else if (PopupByItem) {
    if (R.top + h - t - wa.bottom > 0)
      top = R.top < mid ? wa.bottom - h : std::max(R.bottom - h + t, static_cast<int>(wa.top));
    else
      top = R.top - t;
  } else if (OpenUpward) {
    if (R.top - h < wa.top) {
      if (R.top < mid) {
        top = R.bottom;
        if (const int overflow = R.bottom + h - wa.bottom; overflow > 0) {
          top -= overflow;
          beside = true;
        }
      } else {
        top = wa.top;
        beside = true;
      }
    } else {
      top = R.top - h;
    }
  } else if (R.bottom + h > wa.bottom) {
    if (R.top < mid) {
      top = wa.bottom - h;
      beside = true;
    } else if (R.top - h < wa.top) {
      top = wa.top;
      beside = true;
    } else {
      top = R.top - h;
    }
  } else {
    top = R.bottom;
  }
  int left;
  if (!PopupByItem && !beside && !fullHeight) {
    left = R.left;
    if (R.left + w > wa.right) left = wa.right - w;
    if (R.left < wa.left) left = wa.left;
  } else {
    left = R.right + 1 + w > wa.right ? R.left - w - 1 : R.right + 1;
  }
  ShowLeft = left;
  ShowTop = top;
  SetBounds(left, top, w, h);
}

void TskSkinPopupWindow::CreateRealImage(TBitmap& Image) {
  const int w = Width();
  const int h = Height();
  Image.SetPixelFormat(TPixelFormat::pf24bit);
  Image.SetSize(w, h);
  TCanvas& canvas = *Image.Canvas();
  if (WindowDescription) {
    const TskDataSkinPopupWindow& d = *WindowDescription;
    CreateSkinImageBS(d.SkinLeftTopPoint, d.SkinRightTopPoint, d.SkinLeftBottomPoint, d.SkinRightBottomPoint, d.ItemsRect,
                      FrameLTPoint, FrameRTPoint, FrameLBPoint, FrameRBPoint, FrameItemsRect, Image, *FramePicture,
                      Rect(0, 0, FramePicture->Width(), FramePicture->Height()), w, h, ScrollMode, d.LeftStretch,
                      d.TopStretch, d.RightStretch, d.BottomStretch);
  } else {
    const int column = ItemImages ? GlyphColumnWidth + 3 : 22;
    canvas.Brush()->SetStyle(TBrushStyle::bsSolid);
    canvas.Brush()->SetColor(clBtnFace);
    canvas.FillRect(Rect(0, 0, column, h));
    canvas.Brush()->SetColor(clWindow);
    canvas.FillRect(Rect(column, 0, w, h));
    canvas.Brush()->SetColor(clBtnShadow);
    canvas.FrameRect(Rect(0, 0, w, h));
    canvas.Brush()->SetColor(clWindow);
    canvas.FrameRect(Rect(1, 1, w - 1, h - 1));
  }
  if (AlphaBlend && !CheckW2KWXP() && ScreenEffect) {
    TskEffectBmp buffer(Image.Handle());
    buffer.MorphRect(*ScreenEffect, 1 - AlphaBlendValue / 255.0, Rect(0, 0, w, h), 0, 0);
    buffer.Draw(canvas.Handle(), 0, 0);
  }
}

void TskSkinPopupWindow::PaintMenu(HDC DC) {
  if (!DC) return;
  TBitmap image;
  CreateRealImage(image);
  TCanvas& canvas = *image.Canvas();
  const int last = std::min(FirstVisible + VisibleItems, static_cast<int>(MenuItems.size()));
  for (int i = std::max(0, FirstVisible); i < last; ++i) MenuItems[static_cast<size_t>(i)]->Draw(canvas);
  if (ScrollMode) {
    DrawUpMarker(canvas);
    DrawDownMarker(canvas);
  }
  BitBlt(DC, 0, 0, Width(), Height(), canvas.Handle(), 0, 0, SRCCOPY);
}

void TskSkinPopupWindow::SetMenuWindowRegion() {
  if (!WindowDescription || !FrameMask) return;
  const TskDataSkinPopupWindow& d = *WindowDescription;
  HRGN region = nullptr;
  CreateSkinRegion(region, d.SkinLeftTopPoint, d.SkinRightTopPoint, d.SkinLeftBottomPoint, d.SkinRightBottomPoint,
                   d.ItemsRect, FrameLTPoint, FrameRTPoint, FrameLBPoint, FrameRBPoint, FrameItemsRect, *FrameMask,
                   Width(), Height());
  // The window owns the region from here on and deletes the one it had.
  SetWindowRgn(Handle(), region, TRUE);
}

TRect TskSkinPopupWindow::UpMarkerRect() const {
  if (WindowDescription)
    return Rect(FrameItemsRect.left, FrameItemsRect.top, FrameItemsRect.right, FrameItemsRect.top + ScrollStripHeight);
  return Rect(3, 3, Width() - 3, 13);
}

TRect TskSkinPopupWindow::DownMarkerRect() const {
  if (WindowDescription)
    return Rect(FrameItemsRect.left, FrameItemsRect.bottom - ScrollStripHeight, FrameItemsRect.right,
                FrameItemsRect.bottom);
  return Rect(3, Height() - 10, Width() - 3, Height() - 3);
}

void TskSkinPopupWindow::DrawUpMarker(TCanvas& Canvas) {
  const bool active = ScrollDirection == 1;
  const TColor color = WindowDescription ? (active ? WindowDescription->ScrollMarkerActiveColor : WindowDescription->ScrollMarkerColor)
                                         : (active ? clBtnText : clBtnShadow);
  DrawArrowImage(Canvas, UpMarkerRect(), color, 3);
}

void TskSkinPopupWindow::DrawDownMarker(TCanvas& Canvas) {
  const bool active = ScrollDirection == 2;
  const TColor color = WindowDescription ? (active ? WindowDescription->ScrollMarkerActiveColor : WindowDescription->ScrollMarkerColor)
                                         : (active ? clBtnText : clBtnShadow);
  DrawArrowImage(Canvas, DownMarkerRect(), color, 4);
}

bool TskSkinPopupWindow::CanScroll(int Direction) const {
  if (Direction == 1) return FirstVisible > 0;
  if (Direction == 2) return FirstVisible + VisibleItems - 1 < static_cast<int>(MenuItems.size()) - 1;
  return false;
}

void TskSkinPopupWindow::StartScroll() {
  if (ShowTimer) ShowTimer->SetEnabled(false);
  TskSkinMenu& menu = *OwnerMenu;
  const int index = menu.GetPWIndex(this);
  if (index < static_cast<int>(menu.PopupWindows.size())) menu.CloseMenu(index + 1);
  SetTimer(Handle(), ScrollTimerId, ScrollInterval, nullptr);
  FScrollTimer = true;
}

void TskSkinPopupWindow::StopScroll() {
  ScrollDirection = 0;
  PaintNow([this](TCanvas& Canvas) {
    DrawUpMarker(Canvas);
    DrawDownMarker(Canvas);
  });
  if (FScrollTimer && HandleAllocated()) KillTimer(Handle(), ScrollTimerId);
  FScrollTimer = false;
}

void TskSkinPopupWindow::StartMorphing() {
  if (!MorphingTimer)
    MorphingTimer = MakeTimer(20, [this] {
      TskSkinMenu::TBusy busy(*OwnerMenu);
      TestMorph();
    });
  MorphingTimer->SetEnabled(true);
}

TBitmap& TskSkinPopupWindow::ItemBuffer(int Index) {
  std::unique_ptr<TBitmap>& buffer = FItemBuffers[Index == 0 ? 0 : 1];
  if (!buffer) buffer = std::make_unique<TBitmap>();
  return *buffer;
}

void TskSkinPopupWindow::PaintNow(const std::function<void(TCanvas&)>& Paint) {
  if (!HandleAllocated()) return;
  Paint(Canvas());
  // The window's device context comes from the system's cache: it goes back at once.
  static_cast<TControlCanvas&>(Canvas()).FreeHandle();
}

void TskSkinPopupWindow::Repaint() {
  if (HandleAllocated()) InvalidateRect(Handle(), nullptr, TRUE);
}

void TskSkinPopupWindow::ScrollUp(bool Wrap) {
  if (FirstVisible > 0)
    --FirstVisible;
  else if (Wrap)
    FirstVisible = GetEndStartVisibleIndex();
  else
    return;
  CalcItemRects();
  Repaint();
}

void TskSkinPopupWindow::ScrollDown(bool Wrap) {
  if (FirstVisible + VisibleItems - 1 < static_cast<int>(MenuItems.size()) - 1)
    ++FirstVisible;
  else if (Wrap)
    FirstVisible = 0;
  else
    return;
  CalcItemRects();
  Repaint();
}

bool TskSkinPopupWindow::InWindow(const TPoint& ScreenPoint) { return WindowFromPoint(ScreenPoint) == Handle(); }

void TskSkinPopupWindow::TestMouse() {
  if (!FShown) return;
  TPoint screen;
  GetCursorPos(&screen);
  TPoint p = screen;
  ::ScreenToClient(Handle(), &p);
  if (p.x == LastCursorPos.x && p.y == LastCursorPos.y) return;
  if (InWindow(screen)) {
    TestActive(p.x, p.y);
  } else if (ScrollMode) {
    ScrollDirection = 0;
    PaintNow([this](TCanvas& Canvas) {
      DrawUpMarker(Canvas);
      DrawDownMarker(Canvas);
    });
  }
  LastCursorPos = p;
}

void TskSkinPopupWindow::TestActive(int X, int Y) {
  if (ScrollMode) {
    const bool inUp = InRect(UpMarkerRect(), X, Y);
    const bool inDown = InRect(DownMarkerRect(), X, Y);
    if (inUp && ScrollDirection == 0 && CanScroll(1)) {
      ScrollDirection = 1;
      PaintNow([this](TCanvas& Canvas) { DrawUpMarker(Canvas); });
      StartScroll();
    } else if (inDown && ScrollDirection == 0 && CanScroll(2)) {
      ScrollDirection = 2;
      PaintNow([this](TCanvas& Canvas) { DrawDownMarker(Canvas); });
      StartScroll();
    } else if (ScrollDirection != 0 && !inUp && !inDown) {
      StopScroll();
    }
  }
  const int count = static_cast<int>(MenuItems.size());
  if (count == 0) return;
  PrevHotIndex = HotIndex;
  if (const int under = GetActive(X, Y); under != -1) HotIndex = under;
  if (HotIndex >= count) HotIndex = -1;
  if (HotIndex == PrevHotIndex) {
    if (HotIndex == -1) return;
    TskSkinMenuItem& item = *MenuItems[static_cast<size_t>(HotIndex)];
    if (item.KeySelected) {
      item.KeySelected = false;
      if (item.SourceItem->Count() > 0) item.MouseEnter(false);
    }
    return;
  }
  if (PrevHotIndex >= 0 && PrevHotIndex < count) {
    TskSkinMenuItem& previous = *MenuItems[static_cast<size_t>(PrevHotIndex)];
    if (previous.SourceItem->Enabled() && !previous.IsSeparator()) previous.MouseLeave();
  }
  if (HotIndex != -1) {
    TskSkinMenuItem& item = *MenuItems[static_cast<size_t>(HotIndex)];
    if (item.SourceItem->Enabled() && !item.IsSeparator()) item.MouseEnter(false);
  }
}

int TskSkinPopupWindow::GetActive(int X, int Y) const {
  for (size_t i = 0; i < MenuItems.size(); ++i)
    if (MenuItems[i]->InView && InRect(MenuItems[i]->ItemBounds, X, Y)) return static_cast<int>(i);
  return -1;
}

void TskSkinPopupWindow::TestMorph() {
  if (!WindowDescription) return;
  bool stepped = false;
  for (auto& item : MenuItems)
    if (item->EnableMorphing() && item->CanMorphing()) {
      item->DoMorphing();
      stepped = true;
    }
  if (!stepped && MorphingTimer) MorphingTimer->SetEnabled(false);
}

void TskSkinPopupWindow::UpDatePW() {
  TskSkinMenu& menu = *OwnerMenu;
  const int index = menu.GetPWIndex(this);
  if (index < static_cast<int>(menu.PopupWindows.size())) menu.CloseMenu(index + 1);
  for (auto& item : MenuItems)
    if (item->SubMenuOpen) {
      item->SubMenuOpen = false;
      item->Redraw();
    }
}

void TskSkinPopupWindow::KeyLight(int NewIndex) {
  if (NewIndex == HotIndex) return;
  const int old = HotIndex;
  HotIndex = NewIndex;
  MenuItems[static_cast<size_t>(NewIndex)]->MouseEnter(true);
  if (old != -1) MenuItems[static_cast<size_t>(old)]->MouseLeave();
}

void TskSkinPopupWindow::PopupKeyDown(WORD Key) {
  if (!Visible()) return;
  TskSkinMenu& menu = *OwnerMenu;
  const int count = static_cast<int>(MenuItems.size());
  for (int i = 0; i < count; ++i) {
    TskSkinMenuItem& item = *MenuItems[static_cast<size_t>(i)];
    if (!IsAccel(Key, item.SourceItem->Caption())) continue;
    item.MouseEnter(false);
    PrevHotIndex = HotIndex;
    HotIndex = i;
    if (PrevHotIndex != -1 && PrevHotIndex != i) MenuItems[static_cast<size_t>(PrevHotIndex)]->MouseLeave();
    item.MouseDown(0, 0);
    return;
  }
  const auto closeDeepest = [&menu] {
    menu.CloseMenu(static_cast<int>(menu.PopupWindows.size()) - 1);
    if (TskSkinPopupWindow* deepest = menu.DeepestWindow(); deepest && deepest->HotIndex != -1)
      deepest->MenuItems[static_cast<size_t>(deepest->HotIndex)]->SubMenuOpen = false;
  };
  switch (Key) {
    case VK_RETURN:
      if (HotIndex != -1) MenuItems[static_cast<size_t>(HotIndex)]->MouseDown(0, 0);
      return;
    case VK_ESCAPE:
      closeDeepest();
      return;
    case VK_LEFT:
      if (menu.PopupWindows.size() >= 2) closeDeepest();
      return;
    case VK_RIGHT:
      if (HotIndex != -1 && MenuItems[static_cast<size_t>(HotIndex)]->SourceItem->Count() > 0)
        MenuItems[static_cast<size_t>(HotIndex)]->MouseDown(0, 0);
      return;
    case VK_DOWN: {
      if (count == 0) return;
      if (ScrollMode && ScrollDirection == 0 && HotIndex != -1 && HotIndex == FirstVisible + VisibleItems - 1)
        ScrollDown(true);
      int start = HotIndex + 1;
      if (start >= count) start = 0;
      for (int i = start; i < count; ++i) {
        const TskSkinMenuItem& item = *MenuItems[static_cast<size_t>(i)];
        if (item.SourceItem->Enabled() && !item.IsSeparator()) {
          KeyLight(i);
          return;
        }
        if (ScrollMode && i == FirstVisible + VisibleItems - 1) ScrollDown(true);
      }
      return;
    }
    case VK_UP: {
      if (count == 0) return;
      if (ScrollMode && ScrollDirection == 0 && HotIndex != -1 && HotIndex == FirstVisible) ScrollUp(true);
      const int start = HotIndex <= 0 ? count - 1 : HotIndex - 1;
      for (int i = start; i >= 0; --i) {
        const TskSkinMenuItem& item = *MenuItems[static_cast<size_t>(i)];
        if (item.SourceItem->Enabled() && !item.IsSeparator()) {
          KeyLight(i);
          return;
        }
        if (ScrollMode && i == FirstVisible) ScrollUp(true);
      }
      return;
    }
    default:
      return;
  }
}

void TskSkinPopupWindow::Hide() {
  if (HandleAllocated())
    SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
  HoverTimer->SetEnabled(false);
  SetVisible(false);
  FShown = false;
}

void TskSkinPopupWindow::Retire() {
  if (ShowTimer) ShowTimer->SetEnabled(false);
  if (MorphingTimer) MorphingTimer->SetEnabled(false);
  if (FScrollTimer && HandleAllocated()) KillTimer(Handle(), ScrollTimerId);
  FScrollTimer = false;
  Hide();
}

// ---------------------------------------------------------------------------------------------
// TskSkinMenu

TskSkinMenu::TBusy::~TBusy() {
  if (--FMenu.FBusy == 0 && !FMenu.FRetired.empty()) FMenu.FReleaseTimer->SetEnabled(true);
}

TskSkinMenu::TskSkinMenu(TComponent* AOwner, TForm* AForm)
    : TComponent(AOwner), DefaultMenuItemFont(std::make_unique<TFont>()), Form(AForm) {
  DefaultMenuItemFont->SetName("Arial");
  DefaultMenuItemFont->SetHeight(14);
  SubMenuTimer = MakeTimer(500, [this] {
    TBusy busy(*this);
    WaitItem();
  });
  FReleaseTimer = MakeTimer(ReleaseInterval, [this] {
    if (FBusy == 0) FreeRetired();
  });
  if (Form) Form->FreeNotification(this);
}

TskSkinMenu::~TskSkinMenu() {
  CloseMenu(0);
  FreeRetired();
}

void TskSkinMenu::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation != TOperation::opRemove) return;
  if (AComponent == PopupControl) PopupControl = nullptr;
  if (AComponent == LastPopupControl) LastPopupControl = nullptr;
  if (AComponent == Form) Form = nullptr;
  if (AComponent == SkinData) SkinData = nullptr;
}

void TskSkinMenu::SetDefaultMenuItemFont(const TFont& Value) { DefaultMenuItemFont->Assign(Value); }

TRect TskSkinMenu::GetWorkArea() const {
  if (Form && Form->HandleAllocated()) return GetMonitorWorkArea(Form->Handle(), true);
  return GetPrimaryMonitorWorkArea(true);
}

const TskDataSkinPopupWindow* TskSkinMenu::UsableWindowDescription() const {
  const TskSkinData* skin = LoadedSkin();
  if (!skin || !skin->PopupWindow || !PaintablePicture(*skin, skin->PopupWindow->WindowPictureIndex) ||
      !FindMenuItemDescription(*skin))
    return nullptr;
  return skin->PopupWindow.get();
}

TskSkinPopupWindow* TskSkinMenu::NewWindow() {
  PopupWindows.push_back(std::make_unique<TskSkinPopupWindow>(nullptr, this, UsableWindowDescription()));
  return PopupWindows.back().get();
}

void TskSkinMenu::OpenChain(TControl* APopupControl, TskSkinData* ASkinData) {
  FirstPopup = !IsOpen;
  // The previous menu's control is told that its menu closed before the new one takes over.
  if (IsOpen || !PopupWindows.empty()) CloseMenu(0);
  PopupControl = nullptr;
  MenuWorkArea = GetWorkArea();
  SkinData = ASkinData;
  if (SkinData) SkinData->FreeNotification(this);
  if (APopupControl) APopupControl->FreeNotification(this);
  FPendingControl = APopupControl;
}

void TskSkinMenu::ChainShown() {
  IsOpen = true;
  FirstPopup = false;
  PopupControl = FPendingControl;
  if (HookKeyboard)
    TskAppMessageRouter::Push(this, [this](MSG& Msg, bool& Handled) { RouteMessage(Msg, Handled); });
}

namespace {

// Whether the children of Item from StartIndex on hold an item that a window would show.
bool HasVisibleChild(const TMenuItem* Item, int StartIndex) {
  if (!Item) return false;
  for (int i = std::max(0, StartIndex); i < Item->Count(); ++i)
    if (Item->Items(i)->Visible()) return true;
  return false;
}

}  // namespace

void TskSkinMenu::Popup(TControl* APopupControl, TskSkinData* ASkinData, int StartIndex, const TRect& R,
                        TMenuItem* Item, bool OpenUpward) {
  TBusy busy(*this);
  OpenChain(APopupControl, ASkinData);
  // A menu with nothing to show leaves no state behind: no control kept, no router entry.
  if (StartIndex < 0 || !HasVisibleChild(Item, StartIndex)) {
    FPendingControl = nullptr;
    OnMenuClose = nullptr;
    return;
  }
  IsOpen = true;
  PopupSub(R, Item, StartIndex, false, OpenUpward);
  ChainShown();
}

void TskSkinMenu::Popup2(TControl* APopupControl, TskSkinData* ASkinData, int StartIndex, const TRect& R,
                         TMenuItem* Item, TMenuItem* Item2, bool OpenUpward) {
  TBusy busy(*this);
  OpenChain(APopupControl, ASkinData);
  const int first = Item ? Item->Count() : 0;
  if (StartIndex < 0 || first == 0 ||
      (!HasVisibleChild(Item, StartIndex) && !HasVisibleChild(Item2, StartIndex - first))) {
    FPendingControl = nullptr;
    OnMenuClose = nullptr;
    return;
  }
  IsOpen = true;
  PopupSub2(R, Item, Item2, StartIndex, false, OpenUpward);
  ChainShown();
}

void TskSkinMenu::PopupSub(const TRect& R, TMenuItem* Item, int StartIndex, bool PopupByItem, bool OpenUpward) {
  NewWindow()->Show(R, Item, StartIndex, PopupByItem, OpenUpward);
}

void TskSkinMenu::PopupSub2(const TRect& R, TMenuItem* Item, TMenuItem* Item2, int StartIndex, bool PopupByItem,
                            bool OpenUpward) {
  NewWindow()->Show2(R, Item, Item2, StartIndex, PopupByItem, OpenUpward);
}

int TskSkinMenu::GetPWIndex(const TskSkinPopupWindow* Window) const {
  for (size_t i = 0; i < PopupWindows.size(); ++i)
    if (PopupWindows[i].get() == Window) return static_cast<int>(i);
  return static_cast<int>(PopupWindows.size());
}

void TskSkinMenu::CloseMenu(int Index) {
  while (static_cast<int>(PopupWindows.size()) > std::max(Index, 0)) {
    std::unique_ptr<TskSkinPopupWindow> window = std::move(PopupWindows.back());
    PopupWindows.pop_back();
    // A submenu waiting for its delay must not outlive the window of its item.
    if (WaitingItem && WaitingItem->ParentWindow == window.get()) {
      SubMenuTimer->SetEnabled(false);
      WaitingItem = nullptr;
    }
    window->Retire();
    FRetired.push_back(std::move(window));
  }
  if (Index <= 0) {
    SubMenuTimer->SetEnabled(false);
    WaitingItem = nullptr;
    IsOpen = false;
    TskAppMessageRouter::Remove(this);
    LastPopupControl = PopupControl;
    if (TControl* control = PopupControl) {
      PopupControl = nullptr;
      SendToControl(control, WM_CLOSESKINMENU);
    }
    if (OnMenuClose) {
      const TNotifyEvent handler = std::move(OnMenuClose);
      OnMenuClose = nullptr;
      handler(this);
    }
  }
  if (FBusy == 0) FreeRetired();
}

void TskSkinMenu::Hide() {
  CloseMenu(0);
  SubMenuTimer->SetEnabled(false);
  WaitingItem = nullptr;
  if (Form && Form->HandleAllocated()) SendMessageW(Form->Handle(), WM_CLOSESKINMENU, 0, 0);
}

void TskSkinMenu::SendToControl(TControl* Control, UINT Msg) {
  if (auto* windowed = dynamic_cast<TWinControl*>(Control); windowed && windowed->HandleAllocated())
    SendMessageW(windowed->Handle(), Msg, 0, 0);
  else
    Control->Perform(Msg, 0, 0);
}

void TskSkinMenu::CheckItem(TskSkinPopupWindow* Window, TskSkinMenuItem* Item, bool Choose, bool ByKey) {
  TBusy busy(*this);
  TMenuItem* source = Item->SourceItem;
  const bool children = source->Count() > 0;
  const int index = GetPWIndex(Window);
  if (!children) {
    SubMenuTimer->SetEnabled(false);
    WaitingItem = nullptr;
    if (!Choose) {
      if (index < static_cast<int>(PopupWindows.size())) CloseMenu(index + 1);
      return;
    }
    Hide();
    if (TMenu* menu = source->GetParentMenu())
      menu->DispatchCommand(source->Command());
    else
      source->Click();
    if (LastPopupControl) SendToControl(LastPopupControl, WM_AFTERDISPATCH);
    return;
  }
  if (!Choose) {
    if (ByKey) return;  // the keyboard opens submenus only with Right or Return
    SubMenuTimer->SetEnabled(false);
    if (index < static_cast<int>(PopupWindows.size())) CloseMenu(index + 1);
    WaitingItem = Item;
    SubMenuTimer->SetEnabled(true);
    return;
  }
  if (TMenu* menu = source->GetParentMenu())
    menu->DispatchCommand(source->Command());
  else
    source->Click();
  SubMenuTimer->SetEnabled(false);
  WaitingItem = nullptr;
  // The click may have closed the menu.
  if (GetPWIndex(Window) >= static_cast<int>(PopupWindows.size())) return;
  Item->SubMenuOpen = true;
  TRect r = Item->ItemBounds;
  RECT place;
  GetWindowRect(Window->Handle(), &place);
  OffsetRect(&r, place.left, place.top);
  PopupSub(r, source, 0, true, false);
}

void TskSkinMenu::WaitItem() {
  if (TskSkinMenuItem* item = WaitingItem) CheckItem(item->ParentWindow, item, true, false);
  SubMenuTimer->SetEnabled(false);
}

void TskSkinMenu::RouteMessage(MSG& Msg, bool& Handled) {
  if (Msg.message == WM_KEYDOWN) {
    TBusy busy(*this);
    if (TskSkinPopupWindow* deepest = DeepestWindow()) deepest->PopupKeyDown(static_cast<WORD>(LOWORD(Msg.wParam)));
    Msg.message = WM_NULL;
    Handled = true;
  } else if (Msg.message == WM_MOUSEWHEEL) {
    Msg.message = WM_NULL;
    Handled = true;
  }
}

void TskSkinMenu::FreeRetired() {
  FReleaseTimer->SetEnabled(false);
  // Freeing a window can run handlers that retire more windows.
  while (!FRetired.empty()) {
    std::vector<std::unique_ptr<TskSkinPopupWindow>> dead = std::move(FRetired);
    FRetired.clear();
    dead.clear();
  }
}

}  // namespace skin
