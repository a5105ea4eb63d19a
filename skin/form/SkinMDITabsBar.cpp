#include "skin/form/SkinMDITabsBar.h"

#include "platform/classlib/StdCtrls.h"
#include "skin/controls/SkinPageControl.h"
#include "skin/data/ResourceStrData.h"
#include "skin/data/SkinButtonDescriptions.h"
#include "skin/data/Skutils.h"
#include "skin/form/FormSkin.h"

#include <algorithm>

using namespace classlib;

namespace skin {

namespace {

constexpr TColor HotFace = 0xD2BDB6;      // red 182, green 189, blue 210
constexpr TColor PressedFace = 0xB59385;  // red 133, green 147, blue 181

TBitmap* PictureAt(const TskSkinData& Skin, int Index) {
  if (Index < 0 || Index >= static_cast<int>(Skin.ActivePictures.size())) return nullptr;
  TBitmap* picture = Skin.ActivePictures[static_cast<size_t>(Index)].get();
  return picture && !picture->Empty() ? picture : nullptr;
}

// An optional look counts as absent when it has no area.
const TRect& OrElse(const TRect& R, const TRect& Fallback) { return IsNullRect(R) ? Fallback : R; }

TPoint Moved(TPoint P, int DX, int DY) { return Point(P.x + DX, P.y + DY); }

}  // namespace

// ---------------------------------------------------------------------------------------------
// TskMDITab

TskMDITab::TskMDITab(TskSkinMDITabsBar* AOwnerTabsBar, TForm* AChild) : OwnerTabsBar(AOwnerTabsBar), Child(AChild) {}

TColor TskMDITab::TabImage(TBitmap& B) {
  const TskSkinMDITabsBar& bar = *OwnerTabsBar;
  const bool hot = Hovered && !Active;
  const TRect& source = hot ? bar.FMouseInTabRect : Active ? bar.FActiveTabRect : bar.FTabRect;
  CreateHSkinImage(bar.FTabLeftOffset, bar.FTabRightOffset, B, *bar.FSourcePicture, source, RectWidth(ObjectRect),
                   RectHeight(source), false);
  if (bar.Align() == TAlign::alBottom) FlipBitmapVert(B);
  return hot ? bar.FMouseInFontColor : Active ? bar.FActiveFontColor : bar.FFontColor;
}

void TskMDITab::DrawCaption(TCanvas& Canvas, TRect R) {
  String text = Child->Caption();
  CorrectTextbyWidth(Canvas, text, RectWidth(R));
  Canvas.Brush()->SetStyle(TBrushStyle::bsClear);
  DrawControlText(Canvas.Handle(), *Canvas.Font(), text, R, DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOPREFIX);
}

void TskMDITab::Draw(TCanvas& Canvas) {
  const int w = RectWidth(ObjectRect), h = RectHeight(ObjectRect);
  if (w <= 0) return;
  TskSkinMDITabsBar& bar = *OwnerTabsBar;
  const bool described = bar.Description() != nullptr;
  if (bar.FTabKind == TskSkinMDITabKind::sktkButton && described) {
    ButtonDraw(Canvas);
    return;
  }
  // A description without its picture leaves the plain look.
  const bool skinned = described && bar.FSourcePicture;
  if (skinned && !bar.FUseSkinSize) {
    ResizeDraw(Canvas);
    return;
  }
  TBitmap b;
  TRect text;
  if (!skinned) {
    b.SetSize(w, h);
    TCanvas& canvas = *b.Canvas();
    canvas.Brush()->SetStyle(TBrushStyle::bsSolid);
    canvas.Brush()->SetColor(Hovered && !Active ? HotFace : Active ? PressedFace : clBtnFace);
    canvas.FillRect(Rect(0, 0, w, h));
    bar.SetCaptionFont(canvas, false, 0);
    text = Rect(2, 0, w - 2, h);
  } else {
    const TColor color = TabImage(b);
    bar.SetCaptionFont(*b.Canvas(), true, color);
    text = Rect(bar.FTabLeftOffset, 0, w - bar.FTabRightOffset, b.Height());
  }
  DrawCaption(*b.Canvas(), text);
  Canvas.Draw(ObjectRect.left, ObjectRect.top, &b);
}

void TskMDITab::ResizeDraw(TCanvas& Canvas) {
  const int w = RectWidth(ObjectRect), h = RectHeight(ObjectRect);
  if (w <= 0 || h <= 0) return;
  TskSkinMDITabsBar& bar = *OwnerTabsBar;
  TBitmap piece;
  const TColor color = TabImage(piece);
  TBitmap b;
  b.SetSize(w, h);
  b.Canvas()->StretchDraw(Rect(0, 0, w, h), &piece);
  bar.SetCaptionFont(*b.Canvas(), true, color);
  DrawCaption(*b.Canvas(), Rect(bar.FTabLeftOffset, 0, w - bar.FTabRightOffset, h));
  Canvas.Draw(ObjectRect.left, ObjectRect.top, &b);
}

void TskMDITab::ButtonDraw(TCanvas& Canvas) {
  const int w = RectWidth(ObjectRect), h = RectHeight(ObjectRect);
  TskSkinMDITabsBar& bar = *OwnerTabsBar;
  if (w <= 0 || h <= 0 || !bar.FSkinData) return;
  const int index = bar.FSkinData->GetControlIndex("resizebutton");
  const auto* d = index == -1 ? nullptr
                              : dynamic_cast<const TskDataSkinButtonControl*>(
                                    bar.FSkinData->CtrlList[static_cast<size_t>(index)].get());
  if (!d) return;
  TBitmap* picture = PictureAt(*bar.FSkinData, d->PictureIndex);
  if (!picture || IsNullRect(d->SkinRect)) {
    // No picture to build the button from: the tab look instead.
    const TskSkinMDITabKind kind = bar.FTabKind;
    bar.FTabKind = TskSkinMDITabKind::sktkTab;
    Draw(Canvas);
    bar.FTabKind = kind;
    return;
  }
  const TRect& active = OrElse(d->ActiveSkinRect, d->SkinRect);
  const TRect& down = OrElse(d->DownSkinRect, active);
  const bool hot = Hovered && !Active;
  const TRect& source = Active ? down : hot ? active : d->SkinRect;
  const TColor color = Active ? d->DownFontColor : hot ? d->ActiveFontColor : d->FontColor;
  const int dw = w - RectWidth(d->SkinRect), dh = h - RectHeight(d->SkinRect);
  TRect client = d->SkinClientRect;
  client.right += dw;
  client.bottom += dh;
  TBitmap b;
  CreateSkinImage(d->SkinLeftTopPoint, d->SkinRightTopPoint, d->SkinLeftBottomPoint, d->SkinRightBottomPoint,
                  d->SkinClientRect, d->SkinLeftTopPoint, Moved(d->SkinRightTopPoint, dw, 0),
                  Moved(d->SkinLeftBottomPoint, 0, dh), Moved(d->SkinRightBottomPoint, dw, dh), client, b, *picture,
                  source, w, h, true);
  TCanvas& canvas = *b.Canvas();
  if (bar.FUseSkinFont) {
    canvas.Font()->SetName(d->FontName);
    canvas.Font()->SetStyle(d->FontStyle);
    canvas.Font()->SetHeight(d->FontHeight);
  } else {
    canvas.Font()->Assign(*bar.FDefaultFont);
  }
  if (const TskResourceStrData* strings = bar.FSkinData->ResourceStrData()) canvas.Font()->SetCharset(strings->CharSet());
  canvas.Font()->SetColor(color);
  // A font taller than the client piece gets a rectangle of its height, centred in the tab.
  const int textHeight = canvas.TextHeight("Wg");
  if (textHeight > RectHeight(client)) {
    client.top = (h - textHeight) / 2;
    client.bottom = client.top + textHeight;
  }
  DrawCaption(canvas, client);
  Canvas.Draw(ObjectRect.left, ObjectRect.top, &b);
}

// ---------------------------------------------------------------------------------------------
// TskSkinMDITabsBar

TskSkinMDITabsBar::TskSkinMDITabsBar(TComponent* AOwner)
    : TskSkinControl(AOwner), FDefaultFont(std::make_unique<TFont>()) {
  FDefaultFont->SetName("Arial");
  FDefaultFont->SetStyle({});
  FDefaultFont->SetHeight(14);
  SetBounds(Left(), Top(), 150, 21);
  FSkinDataName = "tab";
}

TskSkinMDITabsBar::~TskSkinMDITabsBar() = default;

const TskDataSkinTabControl* TskSkinMDITabsBar::Description() const {
  if (FSkinControlIndex == -1 || !FSkinData) return nullptr;
  return dynamic_cast<const TskDataSkinTabControl*>(FSkinData->CtrlList[static_cast<size_t>(FSkinControlIndex)].get());
}

void TskSkinMDITabsBar::GetSkinData() {
  TskSkinControl::GetSkinData();
  const TskDataSkinTabControl* d = Description();
  // A description of another kind draws nothing of a tab: the plain look.
  if (!d) {
    FSkinControlIndex = -1;
    FSourcePicture = nullptr;
    return;
  }
  FSourcePicture = PictureAt(*FSkinData, d->PictureIndex);
  FTabRect = d->TabRect;
  FActiveTabRect = OrElse(d->ActiveTabRect, d->TabRect);
  FMouseInTabRect = OrElse(d->MouseInTabRect, d->TabRect);
  FTabsBGRect = d->TabsBGRect;
  FTabLeftOffset = d->TabLeftOffset;
  FTabRightOffset = d->TabRightOffset;
  FFontName = d->FontName;
  FFontStyle = d->FontStyle;
  FFontHeight = d->FontHeight;
  FFontColor = d->FontColor;
  FActiveFontColor = d->FocusFontColor;
  FMouseInFontColor = d->MouseInFontColor;
}

void TskSkinMDITabsBar::ChangeSkinData() {
  TskSkinControl::ChangeSkinData();
  if (Description() && FUseSkinSize)
    SetHeight(RectHeight(FTabRect));
  else if (FDefaultHeight > 0)
    SetHeight(FDefaultHeight);
}

void TskSkinMDITabsBar::SetDefaultHeight(int Value) {
  FDefaultHeight = Value;
  if (!Description() && Value > 0) SetHeight(Value);
}

void TskSkinMDITabsBar::SetDefaultFont(const TFont& Value) { FDefaultFont->Assign(Value); }

void TskSkinMDITabsBar::SetTabKind(TskSkinMDITabKind Value) {
  FTabKind = Value;
  if (Description()) Repaint();
}

void TskSkinMDITabsBar::SetFormSkin(TskFormSkin* Value) {
  if (FFormSkin) FFormSkin->RemoveFreeNotification(this);
  FFormSkin = Value;
  if (Value) Value->FreeNotification(this);
}

void TskSkinMDITabsBar::Notification(TComponent* AComponent, TOperation Operation) {
  TskSkinControl::Notification(AComponent, Operation);
  if (Operation != TOperation::opRemove) return;
  if (AComponent == FFormSkin) FFormSkin = nullptr;
  // A child being freed: its tab goes quietly, no handler may see the half-freed form.
  bool removed = false;
  for (int i = TabCount() - 1; i >= 0; --i) {
    if (static_cast<TComponent*>(Tabs(i)->Child) != AComponent) continue;
    RemoveTab(i);
    removed = true;
  }
  if (removed) Invalidate();
}

void TskSkinMDITabsBar::SetCaptionFont(TCanvas& Canvas, bool Skinned, TColor SkinColor) const {
  TFont& font = *Canvas.Font();
  if (Skinned && FUseSkinFont) {
    font.SetName(FFontName);
    font.SetStyle(FFontStyle);
    font.SetHeight(FFontHeight);
    font.SetCharset(FDefaultFont->Charset());
  } else {
    font.Assign(*FDefaultFont);
  }
  if (FSkinData)
    if (const TskResourceStrData* strings = FSkinData->ResourceStrData()) font.SetCharset(strings->CharSet());
  if (Skinned) font.SetColor(SkinColor);
}

// ---------------------------------------------------------------------------------------------
// Tabs

void TskSkinMDITabsBar::AddTab(TForm* Form) {
  FTabs.push_back(std::make_unique<TskMDITab>(this, Form));
  // A child freed with its tab still shown must take the tab with it.
  Form->FreeNotification(this);
  Repaint();
}

void TskSkinMDITabsBar::DeleteTab(TForm* Form) {
  if (FHotTabIndex >= 0 && FHotTabIndex < TabCount() && Tabs(FHotTabIndex)->Child == Form) {
    TskMDITab* hot = Tabs(FHotTabIndex);
    FHotTabIndex = FOldHotTabIndex = -1;
    if (OnTabMouseLeave) OnTabMouseLeave(hot);
  }
  const auto it = std::find_if(FTabs.begin(), FTabs.end(), [Form](const auto& Tab) { return Tab->Child == Form; });
  if (it != FTabs.end()) RemoveTab(static_cast<int>(it - FTabs.begin()));
  if (std::none_of(FTabs.begin(), FTabs.end(), [Form](const auto& Tab) { return Tab->Child == Form; }))
    Form->RemoveFreeNotification(this);
  Repaint();
}

void TskSkinMDITabsBar::RemoveTab(int Index) {
  FTabs.erase(FTabs.begin() + Index);
  if (FHotTabIndex == Index) FHotTabIndex = FOldHotTabIndex = -1;
  else if (FHotTabIndex > Index) FOldHotTabIndex = --FHotTabIndex;
  // A drag of this tab, or of one behind it, has lost its tab.
  if (FDraggedTabIndex >= Index) {
    FDraggedTabIndex = -1;
    FDragInProgress = FMouseDownOnTab = false;
    FDragGrabOffset = 0;
  }
}

void TskSkinMDITabsBar::CheckActive() {
  TForm* main = Application->MainForm();
  const TForm* active = main ? main->ActiveMDIChild() : nullptr;
  if (!active) return;
  for (auto& tab : FTabs) tab->Active = tab->Child == active;
  Repaint();
}

void TskSkinMDITabsBar::ClearObjects() {
  for (auto& tab : FTabs) tab->Child->RemoveFreeNotification(this);
  FTabs.clear();
  FHotTabIndex = FOldHotTabIndex = FDraggedTabIndex = -1;
}

int TskSkinMDITabsBar::GetTabIndex(int X, int Y) const {
  for (int i = 0; i < TabCount(); ++i) {
    const TRect& r = FTabs[static_cast<size_t>(i)]->ObjectRect;
    if (X >= r.left && X <= r.right && Y >= r.top && Y <= r.bottom) return i;
  }
  return -1;
}

TskMDITab* TskSkinMDITabsBar::GetTab(int X, int Y) const {
  const int index = GetTabIndex(X, Y);
  return index == -1 ? nullptr : Tabs(index);
}

void TskSkinMDITabsBar::CalcObjectRects() {
  const int n = TabCount();
  // No tabs: nothing to divide the width among.
  if (n == 0) return;
  const int w = std::min(Width() / n, FDefaultTabWidth);
  for (int i = 0; i < n; ++i) FTabs[static_cast<size_t>(i)]->ObjectRect = Rect(i * w, 0, (i + 1) * w, Height());
  if (w < FDefaultTabWidth) FTabs.back()->ObjectRect.right = Width();
  if (FDragInProgress && FDraggedTabIndex >= 0 && FDraggedTabIndex < n) {
    TRect& r = FTabs[static_cast<size_t>(FDraggedTabIndex)]->ObjectRect;
    OffsetRect(&r, FDragGrabOffset, 0);
    if (r.right > Width()) OffsetRect(&r, Width() - r.right, 0);
    if (r.left < 0) OffsetRect(&r, -r.left, 0);
  }
}

int TskSkinMDITabsBar::GetMoveIndex() const {
  if (FTabs.empty() || FDragGrabOffset == 0 || FDraggedTabIndex < 0 || FDraggedTabIndex >= TabCount()) return -1;
  const TRect& dragged = Tabs(FDraggedTabIndex)->ObjectRect;
  const auto middle = [this](int I) {
    const TRect& r = Tabs(I)->ObjectRect;
    return r.left + RectWidth(r) / 2;
  };
  if (FDragGrabOffset > 0) {
    for (int i = TabCount() - 1; i > FDraggedTabIndex; --i)
      if (middle(i) < dragged.right) return i;
    return -1;
  }
  for (int i = 0; i < FDraggedTabIndex; ++i)
    if (middle(i) > dragged.left) return i;
  return -1;
}

// ---------------------------------------------------------------------------------------------
// Painting

void TskSkinMDITabsBar::CreateControlDefaultImage(TBitmap& B) {
  CalcObjectRects();
  TCanvas& canvas = *B.Canvas();
  canvas.Brush()->SetStyle(TBrushStyle::bsSolid);
  canvas.Brush()->SetColor(clBtnFace);
  canvas.FillRect(Rect(0, 0, B.Width(), B.Height()));
  DrawTabs(B);
}

void TskSkinMDITabsBar::CreateControlSkinImage(TBitmap& B) {
  CalcObjectRects();
  TCanvas& canvas = *B.Canvas();
  const int tw = RectWidth(FTabsBGRect), th = RectHeight(FTabsBGRect);
  if (FSourcePicture && tw > 0 && th > 0) {
    // Tiled from the top-left corner; the last column and row are cut by the bitmap's edge.
    for (int x = 0; x < B.Width(); x += tw)
      for (int y = 0; y < B.Height(); y += th)
        BitBlt(canvas.Handle(), x, y, tw, th, FSourcePicture->Canvas()->Handle(), FTabsBGRect.left, FTabsBGRect.top,
               SRCCOPY);
  } else {
    canvas.Brush()->SetStyle(TBrushStyle::bsSolid);
    canvas.Brush()->SetColor(clBtnFace);
    canvas.FillRect(Rect(0, 0, B.Width(), B.Height()));
  }
  DrawTabs(B);
}

void TskSkinMDITabsBar::DrawTabs(TBitmap& B) {
  TCanvas& canvas = *B.Canvas();
  // The dragged tab goes last, over the others; a pressed tab not yet moved stays in its place.
  for (int i = 0; i < TabCount(); ++i)
    if (!FDragInProgress || i != FDraggedTabIndex) Tabs(i)->Draw(canvas);
  if (FDragInProgress && FDraggedTabIndex >= 0 && FDraggedTabIndex < TabCount()) {
    Tabs(FDraggedTabIndex)->Draw(canvas);
    DrawDropMark(canvas);
  }
}

void TskSkinMDITabsBar::DrawDropMark(TCanvas& Canvas) {
  const int target = GetMoveIndex();
  if (target == -1) return;
  const TRect& r = Tabs(target)->ObjectRect;
  const int x = FDragGrabOffset <= 0 ? r.left : r.right;
  const int h = Height() / 2;
  Canvas.Pen()->SetMode(TPenMode::pmNot);
  for (int dx = -1; dx <= 1; ++dx) {
    Canvas.MoveTo(x + dx, 0);
    Canvas.LineTo(x + dx, Height());
  }
  Canvas.Polyline({Point(x + 2, h), Point(x + 5, h - 3), Point(x + 5, h + 3), Point(x + 2, h)});
  Canvas.Polyline({Point(x - 2, h), Point(x - 5, h - 3), Point(x - 5, h + 3), Point(x - 2, h)});
  Canvas.Pen()->SetMode(TPenMode::pmCopy);
}

// ---------------------------------------------------------------------------------------------
// Mouse

void TskSkinMDITabsBar::TestActive(int X, int Y) {
  FHotTabIndex = GetTabIndex(X, Y);
  if (FHotTabIndex == FOldHotTabIndex) return;
  const bool shown = HandleAllocated() && Showing();
  if (FOldHotTabIndex >= 0 && FOldHotTabIndex < TabCount()) {
    TskMDITab* old = Tabs(FOldHotTabIndex);
    old->Hovered = false;
    if (shown) old->Draw(Canvas());
    if (OnTabMouseLeave) OnTabMouseLeave(old);
  }
  if (FHotTabIndex >= 0) {
    TskMDITab* hot = Tabs(FHotTabIndex);
    hot->Hovered = true;
    if (shown) hot->Draw(Canvas());
    if (OnTabMouseEnter) OnTabMouseEnter(hot);
  }
  FOldHotTabIndex = FHotTabIndex;
}

void TskSkinMDITabsBar::RightClickTab(TskMDITab& Tab) {
  TskFormSkin* childSkin = GetFormSkinComponent(Tab.Child);
  if (!FSupportChildMenus || !childSkin || !FFormSkin) return;
  TMenuItem* menu = childSkin->GetSystemMenu();
  if (!menu) return;
  POINT p;
  GetCursorPos(&p);
  FFormSkin->SkinMenuOpen();
  FFormSkin->PopupSkinMenu(menu, Rect(p.x, p.y, p.x, p.y), false);
}

void TskSkinMDITabsBar::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TskSkinControl::MouseDown(Button, Shift, X, Y);
  const int index = GetTabIndex(X, Y);
  if (index == -1) return;
  TskMDITab* tab = Tabs(index);
  if (Button == TMouseButton::mbLeft) {
    TForm* child = tab->Child;
    child->Show();
    if (TskFormSkin* skin = GetFormSkinComponent(child); skin && skin->WindowState == TWindowState::wsMinimized)
      skin->SetWindowState(TWindowState::wsNormal);
    // Showing the child may have changed the row (a handler freeing a child): look again.
    const int now = GetTabIndex(X, Y);
    if (now == -1) return;
    tab = Tabs(now);
    FMouseDownOnTab = true;
    if (FMoveTabs) FDraggedTabIndex = now;
    FDownX = X;
    FDragGrabOffset = 0;
  } else if (Button == TMouseButton::mbRight) {
    RightClickTab(*tab);
  }
  if (OnTabMouseDown) OnTabMouseDown(Button, Shift, tab);
}

void TskSkinMDITabsBar::MouseMove(TShiftState Shift, int X, int Y) {
  TskSkinControl::MouseMove(Shift, X, Y);
  if (FMouseDownOnTab && FDraggedTabIndex != -1 && !FDragInProgress && X != FDownX) FDragInProgress = true;
  if (FDragInProgress) {
    FDragGrabOffset = X - FDownX;
    Repaint();
  } else {
    TestActive(X, Y);
  }
}

void TskSkinMDITabsBar::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TskSkinControl::MouseUp(Button, Shift, X, Y);
  FMouseDownOnTab = false;
  if (FDragInProgress) {
    CalcObjectRects();  // the dragged tab where the pointer left it
    const int target = GetMoveIndex();
    FDragInProgress = false;
    if (target != -1 && target != FDraggedTabIndex) {
      auto tab = std::move(FTabs[static_cast<size_t>(FDraggedTabIndex)]);
      FTabs.erase(FTabs.begin() + FDraggedTabIndex);
      FTabs.insert(FTabs.begin() + target, std::move(tab));
    }
    FDraggedTabIndex = -1;
    FDownX = FDragGrabOffset = 0;
    Repaint();
    return;
  }
  if (TskMDITab* tab = GetTab(X, Y); tab && OnTabMouseUp) OnTabMouseUp(Button, Shift, tab);
}

void TskSkinMDITabsBar::Dispatch(TMessage& Message) {
  if (Message.Msg == CM_MOUSELEAVE && !FDragInProgress) TestActive(-1, -1);
  TskSkinControl::Dispatch(Message);
}

}  // namespace skin
