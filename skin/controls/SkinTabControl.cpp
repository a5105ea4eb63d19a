#include "skin/controls/SkinTabControl.h"

#include "skin/data/ResourceStrData.h"
#include "skin/data/Skutils.h"

namespace skin {

using namespace classlib;

namespace {

// The scroller keeps one size whatever the tab height.
constexpr int ScrollerWidth = 36;
constexpr int ScrollerHeight = 18;

bool Designing(const TComponent& Component) {
  return Component.ComponentState().Contains(TComponentStateItem::csDesigning);
}

}  // namespace

TskSkinTabControl::TskSkinTabControl(TComponent* AOwner)
    : TTabControl(AOwner), FDefaultFont(std::make_unique<TFont>()), FCanvas(std::make_unique<TControlCanvas>(*this)) {
  SetControlState(ControlState().Include(TControlStateItem::csCustomPaint));
  SetDefaultTabFont(*FDefaultFont);
  SetDefaultTabFont(Font());
}

TskSkinTabControl::~TskSkinTabControl() {
  FTabScroller.reset();
  if (FSkinData) FSkinData->RemoveFreeNotification(this);
}

void TskSkinTabControl::SetSkinData(TskSkinData* Value) {
  if (FSkinData && FSkinData != Value) FSkinData->RemoveFreeNotification(this);
  FSkinData = Value;
  if (FSkinData) FSkinData->FreeNotification(this);
  if (FSkinData && !FSkinData->Empty && !Designing(*this)) ChangeSkinData();
}

void TskSkinTabControl::Notification(TComponent* AComponent, TOperation Operation) {
  TTabControl::Notification(AComponent, Operation);
  if (Operation == TOperation::opRemove && AComponent == FSkinData) FSkinData = nullptr;
}

void TskSkinTabControl::SetDefaultFont(const TFont& Value) { FDefaultFont->Assign(Value); }

void TskSkinTabControl::GetSkinData() { FSkin.Read(FSkinData, FSkinDataName); }

int TskSkinTabControl::ItemHeight() const {
  if (TabHeight() > 0) return TabHeight();
  return FSkin.Described() ? RectHeight(FSkin.TabRect) : FDefaultItemHeight;
}

void TskSkinTabControl::ChangeSkinData() {
  GetSkinData();
  ApplyTabSkinFont(Font(), *FDefaultFont, FSkin, FUseSkinFont, FSkinData ? FSkinData->ResourceStrData() : nullptr);
  SetItemSize(TabWidth(), ItemHeight());
  Change2();
  Realign();
  Invalidate();
  if (FTabScroller) {
    HideSkinUpDown();
    CheckScroll();
  }
}

void TskSkinTabControl::Loaded() {
  TTabControl::Loaded();
  GetSkinData();
  if (FSkin.Described()) return;
  SetItemSize(TabWidth(), ItemHeight());
  Change2();
  Realign();
}

void TskSkinTabControl::SetDefaultItemHeight(int Value) {
  FDefaultItemHeight = Value;
  if (FSkin.Described()) return;
  SetItemSize(TabWidth(), ItemHeight());
  Change2();
  Realign();
}

void TskSkinTabControl::UpDateTabs() {
  SetItemSize(TabWidth(), ItemHeight());
  if (MultiLine()) HideSkinUpDown();
  Realign();
}

void TskSkinTabControl::SetItemSize(int W, int H) {
  if (HandleAllocated()) SendMessageW(Handle(), TCM_SETITEMSIZE, 0, MAKELPARAM(W, H));
}

// The item size asked before the window existed (or never asked, in a control made in code).
void TskSkinTabControl::CreateHandleDone() {
  TTabControl::CreateHandleDone();
  GetSkinData();
  SetItemSize(TabWidth(), ItemHeight());
  Realign();
}

TRect TskSkinTabControl::GetItemRect(int Index) {
  TRect r = Rect(0, 0, 0, 0);
  Perform(TCM_GETITEMRECT, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(&r));
  return r;
}

void TskSkinTabControl::WndProc(TMessage& Message) {
  TTabControl::WndProc(Message);
  switch (Message.Msg) {
    case TCM_ADJUSTRECT: {
      // Over a background picture the page area reaches the control's edges.
      const TRect borders = FSkin.BGPicture ? Rect(0, 0, 0, 0) : FSkin.Borders();
      CorrectDisplayRect(*reinterpret_cast<TRect*>(Message.LParam), TabPosition(), ClientWidth(), ClientHeight(),
                         FSkin.Described() ? &borders : nullptr);
      break;
    }
    case TCM_GETITEMRECT:
      if (Style() == TTabStyle::tsTabs && Message.Result)
        CorrectItemRect(*reinterpret_cast<TRect*>(Message.LParam), TabPosition(), MultiLine());
      break;
    case WM_SIZE:
      if (!MultiLine()) CheckScroll();
      break;
  }
}

void TskSkinTabControl::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_PAINT:
      FInPaint = true;
      TTabControl::Dispatch(Message);
      FInPaint = false;
      return;
    case WM_ERASEBKGND:
      if (!FInPaint) PaintBG(reinterpret_cast<HDC>(Message.WParam));
      Message.Result = 1;
      return;
    case WM_HSCROLL:
      TTabControl::Dispatch(Message);
      Invalidate();
      return;
    case CM_MOUSELEAVE:
      TTabControl::Dispatch(Message);
      CMMouseLeave();
      return;
  }
  TTabControl::Dispatch(Message);
}

// ---------------------------------------------------------------------------------------------
// Painting

void TskSkinTabControl::PaintBG(HDC DC) {
  if (Width() < 1 || Height() < 1) return;
  GetSkinData();
  PaintTabBackground(DC, Width(), Height(), FSkin);
}

void TskSkinTabControl::PaintWindow(HDC DC) {
  if (Width() <= 0 || Height() <= 0) return;
  GetSkinData();
  const int saved = SaveDC(DC);
  TBitmap buffer;
  buffer.SetSize(Width(), Height());
  TCanvas& canvas = *buffer.Canvas();
  canvas.Brush()->SetColor(Color());
  canvas.FillRect(Rect(0, 0, Width(), Height()));
  if (FSkin.Described())
    PaintSkinWindow(canvas);
  else
    PaintDefaultWindow(canvas);
  DrawTabs(canvas);
  BitBlt(DC, 0, 0, Width(), Height(), canvas.Handle(), 0, 0, SRCCOPY);
  RestoreDC(DC, saved);
}

void TskSkinTabControl::PaintDefaultWindow(TCanvas& Canvas) { PaintDefaultTabFrame(Canvas, ClientRect(), DisplayRect()); }

void TskSkinTabControl::PaintSkinWindow(TCanvas& Canvas) {
  if (FSkin.BGPicture) {
    PaintTabBackground(Canvas.Handle(), Width(), Height(), FSkin);
    return;
  }
  const TRect display = DisplayRect();
  const TRect b = FSkin.Borders();
  const TRect& sr = FSkin.SkinRect;
  const TRect& cr = FSkin.ClRect;
  TilePiece(Canvas, *FSkin.SkinBitmap,
            Rect(sr.left + cr.left, sr.top + cr.top, sr.left + cr.right, sr.top + cr.bottom),
            Rect(display.left - b.left, display.top - b.top, display.right + b.right, display.bottom + b.bottom));
  PaintSkinTabFrame(Canvas, FSkin, display, TabPosition(), Width(), Height());
}

void TskSkinTabControl::DrawTabs(TCanvas& Canvas) {
  for (int i = 0; i < Tabs().Count(); ++i) DrawTab(i, GetItemRect(i), TabIndex() == i, i == FHotTab, Canvas);
}

void TskSkinTabControl::DrawTab(int Index, const TRect& R, bool Active, bool Hovered, TCanvas& Canvas) {
  TskTabLook look;
  look.Rect = R;
  look.Active = Active;
  look.Hovered = Hovered;
  look.Focused = Focused();
  look.Caption = Tabs().Strings(Index);
  if (Images() && Index < Images()->Count()) {
    look.Images = Images();
    look.ImageIndex = Index;
  }
  DrawSkinTab(Canvas, FSkin, look, TabPosition(), TabHeight(), FUseSkinFont, Font(),
              FSkinData ? FSkinData->ResourceStrData() : nullptr);
}

// ---------------------------------------------------------------------------------------------
// Hot tab

void TskSkinTabControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TTabControl::MouseDown(Button, Shift, X, Y);
  if (Button == TMouseButton::mbLeft && !Designing(*this)) TestActive(X, Y);
}

void TskSkinTabControl::MouseMove(TShiftState Shift, int X, int Y) {
  TTabControl::MouseMove(Shift, X, Y);
  if (!Designing(*this)) TestActive(X, Y);
}

void TskSkinTabControl::RedrawTab(int Index, bool Hovered) {
  DrawTab(Index, GetItemRect(Index), false, Hovered, *FCanvas);
  FCanvas->FreeHandle();
}

void TskSkinTabControl::TestActive(int X, int Y) {
  FOldHotTab = FHotTab;
  FHotTab = -1;
  const POINT p{X, Y};
  for (int i = 0; i < Tabs().Count() && FHotTab == -1; ++i) {
    const TRect r = GetItemRect(i);
    if (PtInRect(&r, p)) FHotTab = i;
  }
  if (FHotTab == FOldHotTab) return;
  if (FOldHotTab != -1 && FOldHotTab != TabIndex()) RedrawTab(FOldHotTab, false);
  if (FHotTab != -1 && FHotTab != TabIndex()) RedrawTab(FHotTab, true);
}

void TskSkinTabControl::CMMouseLeave() {
  if (FOldHotTab != -1 && FOldHotTab != TabIndex()) RedrawTab(FOldHotTab, false);
  FOldHotTab = -1;
  if (FHotTab != -1 && FHotTab != TabIndex()) RedrawTab(FHotTab, false);
  FHotTab = -1;
}

// ---------------------------------------------------------------------------------------------
// Tab scroller

int TskSkinTabControl::GetInVisibleItemCount() {
  const int limit = Width() - (FTabScroller ? FTabScroller->Width() : 0) - 3;
  int count = 0;
  for (int i = 0; i < Tabs().Count(); ++i) {
    const TRect r = GetItemRect(i);
    if (r.right > limit || r.right <= 0) ++count;
  }
  return count;
}

int TskSkinTabControl::GetPosition() {
  int count = 0;
  for (int i = 0; i < Tabs().Count(); ++i)
    if (GetItemRect(i).right <= 0) ++count;
  return count;
}

void TskSkinTabControl::CheckScroll() {
  if (HWND native = FindWindowExW(Handle(), nullptr, L"msctls_updown32", nullptr)) DestroyWindow(native);
  const int n = GetInVisibleItemCount();
  if (n == 0 && FTabScroller)
    HideSkinUpDown();
  else if (n > 0 && !FTabScroller)
    ShowSkinUpDown();
  if (!FTabScroller) return;
  FTabScroller->SetMax(n);
  FTabScroller->SetLeft(Width() - FTabScroller->Width());
  FTabScroller->SetTop(TabPosition() == TTabPosition::tpTop ? 0 : Height() - FTabScroller->Height());
}

void TskSkinTabControl::ShowSkinUpDown() {
  auto scroller = std::make_unique<TskSkinUpDown>(nullptr);
  scroller->SetVisible(false);
  scroller->SetBounds(0, 0, ScrollerWidth, ScrollerHeight);
  scroller->SetMin(0);
  scroller->SetMax(GetInVisibleItemCount());
  scroller->SetPosition(GetPosition());
  scroller->SetIncrement(1);
  scroller->OnChange = [this](TObject* Sender) { OnUpDownChange(Sender); };
  scroller->SetSkinDataName(FSkin.Described() ? FSkin.UpDown : String());
  scroller->SetParent(this);
  scroller->SetSkinData(FSkinData);
  scroller->SetBounds(Width() - scroller->Width(),
                      TabPosition() == TTabPosition::tpTop ? 0 : Height() - scroller->Height(), scroller->Width(),
                      scroller->Height());
  FTabScroller = std::move(scroller);
  FTabScroller->Show();
}

void TskSkinTabControl::HideSkinUpDown() { FTabScroller.reset(); }

void TskSkinTabControl::OnUpDownChange(TObject*) {
  if (!FTabScroller) return;
  FTabScroller->SetMax(GetInVisibleItemCount());
  SendMessageW(Handle(), WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, FTabScroller->Position() & 0xFFFF), 0);
}

void TskSkinTabControl::Change() {
  if (FTabScroller) FTabScroller->SetPosition(GetPosition());
  TTabControl::Change();
  Invalidate();
}

void TskSkinTabControl::Change2() {
  if (FTabScroller) FTabScroller->SetPosition(GetPosition());
  Invalidate();
}

}  // namespace skin
