#include "skin/controls/SkinListView.h"

#include "platform/classlib/WideText.h"
#include "skin/controls/SkinControl.h"
#include "skin/controls/SkinScrollBar.h"
#include "skin/controls/SkinViewHelpers.h"
#include "skin/data/ResourceStrData.h"
#include "skin/data/SkinButtonDescriptions.h"
#include "skin/data/SkinEditDescriptions.h"
#include "skin/data/Skutils.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace skin {

using namespace classlib;

namespace {

// The window property that leads the header's procedure back to its view.
constexpr WCHAR HeaderProperty[] = L"TavrelSkinListViewHeader";

// BeginPaint and EndPaint of a window that was handed no DC to paint into.
class TPaintScope {
public:
  explicit TPaintScope(HWND Window) : FWindow(Window) { FDC = BeginPaint(Window, &FPaint); }
  ~TPaintScope() { EndPaint(FWindow, &FPaint); }
  TPaintScope(const TPaintScope&) = delete;
  TPaintScope& operator=(const TPaintScope&) = delete;
  HDC DC() const { return FDC; }

private:
  HWND FWindow;
  PAINTSTRUCT FPaint{};
  HDC FDC = nullptr;
};

std::unique_ptr<TFont> MakeDefaultFont() {
  auto font = std::make_unique<TFont>();
  font->SetName("Arial");
  font->SetHeight(14);
  font->SetStyle({});
  return font;
}

TPoint Moved(const TPoint& P, int DX, int DY) { return Point(P.x + DX, P.y + DY); }

bool Designing(const TComponent& Component) {
  return Component.ComponentState().Contains(TComponentStateItem::csDesigning);
}

TAlignment AlignmentOfFormat(int Format) {
  switch (Format & HDF_JUSTIFYMASK) {
    case HDF_RIGHT: return TAlignment::taRightJustify;
    case HDF_CENTER: return TAlignment::taCenter;
    default: return TAlignment::taLeftJustify;
  }
}

}  // namespace

struct TskSkinCustomListView::TSectionText {
  String Caption;
  TAlignment Alignment = TAlignment::taLeftJustify;
  int ImageIndex = -1;
};

TskSkinCustomListView::TskSkinCustomListView(TComponent* AOwner)
    : TListView(AOwner), FDefaultFont(MakeDefaultFont()) {
  Font().Assign(*FDefaultFont);
  SetColor(FDefaultColor);
}

TskSkinCustomListView::~TskSkinCustomListView() {
  UnhookHeader();
}

// ---------------------------------------------------------------------------------------------
// Skin, font and colour

void TskSkinCustomListView::SetSkinData(TskSkinData* Value) {
  FSkinData = Value;
  if (Value) Value->FreeNotification(this);
  if (Value && !Value->Empty && !Designing(*this)) ChangeSkinData();
}

void TskSkinCustomListView::SetHeaderSkinDataName(const String& Value) {
  FHeaderSkinDataName = Value;
  if (FHeaderWindow) InvalidateRect(FHeaderWindow, nullptr, FALSE);
}

void TskSkinCustomListView::SetDefaultColor(TColor Value) {
  FDefaultColor = Value;
  if (FSkinControlIndex == -1) SetColor(Value);
}

void TskSkinCustomListView::SetDefaultFont(const TFont& Value) {
  FDefaultFont->Assign(Value);
  if (FSkinControlIndex == -1) Font().Assign(Value);
}

void TskSkinCustomListView::ChangeSkinData() {
  FSkinControlIndex = FindSkinControlIndex(FSkinData, FSkinDataName);
  // Built apart and assigned once: every font the window is given lays the list out again.
  TFont font;
  font.Assign(Font());
  if (FSkinControlIndex == -1) {
    SetColor(FDefaultColor);
    font.Assign(*FDefaultFont);
  } else if (const auto* data = dynamic_cast<const TskDataSkinListView*>(
                 FSkinData->CtrlList[static_cast<size_t>(FSkinControlIndex)].get())) {
    if (FUseSkinFont) {
      font.SetName(data->FontName);
      font.SetStyle(data->FontStyle);
      font.SetHeight(data->FontHeight);
    } else {
      font.Assign(*FDefaultFont);
    }
    font.SetColor(data->FontColor);
    SetColor(data->BGColor);
  }
  if (FSkinData && FSkinData->ResourceStrData())
    font.SetCharset(FSkinData->ResourceStrData()->CharSet());
  else
    font.SetCharset(FDefaultFont->Charset());
  Font().Assign(font);
  if (FHeaderWindow) InvalidateRect(FHeaderWindow, nullptr, FALSE);
  UpDateScrollBars();
  FBars.Realign();
}

void TskSkinCustomListView::Loaded() {
  TListView::Loaded();
  ChangeSkinData();
}

void TskSkinCustomListView::Notification(TComponent* AComponent, TOperation Operation) {
  TListView::Notification(AComponent, Operation);
  if (Operation != TOperation::opRemove) return;
  if (AComponent == FSkinData) FSkinData = nullptr;
  FBars.Notification(AComponent, Operation);
}

// ---------------------------------------------------------------------------------------------
// The window: no native scroll bars and no non-client area

void TskSkinCustomListView::CreateParams(TCreateParams& Params) {
  TListView::CreateParams(Params);
  TskViewBars::StripScrollStyles(Params);
}

void TskSkinCustomListView::WndProc(TMessage& Message) {
  if (Message.Msg == WM_PARENTNOTIFY && LOWORD(Message.WParam) == WM_CREATE && ShowColumnHeaders()) {
    const auto child = reinterpret_cast<HWND>(Message.LParam);
    WCHAR name[81] = {};
    GetClassNameW(child, name, 81);
    if (lstrcmpW(name, WC_HEADERW) == 0) HookHeader(child);
  }
  TListView::WndProc(Message);
  if (FBars.UpdateAfter(Message.Msg)) UpDateScrollBars();
}

void TskSkinCustomListView::Dispatch(TMessage& Message) {
  if (TskViewBars::HandleNonClient(Message)) return;
  if (Message.Msg == CM_VISIBLECHANGED) {
    CMVisibleChanged(Message);
    return;
  }
  TListView::Dispatch(Message);
}

void TskSkinCustomListView::CMVisibleChanged(TMessage& Message) {
  TListView::Dispatch(Message);
  FBars.FollowVisible();
}

// ---------------------------------------------------------------------------------------------
// View to bars

void TskSkinCustomListView::SetVScrollBar(TskSkinScrollBar* Value) {
  FBars.LinkV(Value, [this](TObject* Sender) { OnVScrollBarChange(Sender); });
  UpDateScrollBars();
}

void TskSkinCustomListView::SetHScrollBar(TskSkinScrollBar* Value) {
  FBars.LinkH(Value, [this](TObject* Sender) { OnHScrollBarChange(Sender); });
  UpDateScrollBars();
}

void TskSkinCustomListView::UpDateScrollBars() {
  if (!HandleAllocated() || FScrollingByBar) return;
  HideOwnScrollBars();
  if (Width() <= 5 || Height() <= 5) return;
  switch (ViewStyle()) {
    case TViewStyle::vsIcon:
    case TViewStyle::vsSmallIcon: UpDateScrollBars1(); break;
    case TViewStyle::vsList: UpDateScrollBars3(); break;
    case TViewStyle::vsReport: UpDateScrollBars2(); break;
  }
}

// The system's list view shows its own bars whenever its rows or columns outgrow it, and they take
// the scroll styles back. Without a non-client area nobody sees them, but Wine draws a shown bar
// again (through the theme) at every scroll step, which made up most of the time of a page step.
// The scroll state they hold stays readable while they are hidden.
void TskSkinCustomListView::HideOwnScrollBars() {
  const auto style = static_cast<DWORD>(GetWindowLongW(FHandle, GWL_STYLE));
  if (style & WS_VSCROLL) ShowScrollBar(FHandle, SB_VERT, FALSE);
  if (style & WS_HSCROLL) ShowScrollBar(FHandle, SB_HORZ, FALSE);
}

int TskSkinCustomListView::ItemBoundsHeight() const {
  RECT r{};
  r.left = LVIR_BOUNDS;
  if (!SendMessageW(FHandle, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&r))) return 0;
  return RectHeight(r);
}

int TskSkinCustomListView::ItemBoundsWidth() const {
  RECT r{};
  r.left = LVIR_BOUNDS;
  if (!SendMessageW(FHandle, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&r))) return 0;
  return RectWidth(r);
}

// Icon views scroll by pixels.
void TskSkinCustomListView::UpDateScrollBars1() {
  if (FBars.Busy) return;
  bool changed = false;
  const int step = std::max(ItemBoundsHeight() / 2, 1);
  if (FBars.V) {
    int min = 0, max = 0;
    GetScrollRange(FHandle, SB_VERT, &min, &max);
    const int pos = GetScrollPos(FHandle, SB_VERT);
    changed |= FBars.ShowBar(*FBars.V, max > Height());
    FBars.V->SetSmallChange(step);
    FBars.V->SetLargeChange(step);
    FBars.V->SetRange(min, max, pos, Height());
    FLastVPosition = pos;
  }
  if (FBars.H) {
    int min = 0, max = 0;
    GetScrollRange(FHandle, SB_HORZ, &min, &max);
    const int pos = GetScrollPos(FHandle, SB_HORZ);
    changed |= FBars.ShowBar(*FBars.H, max > Width());
    FBars.H->SetSmallChange(step);
    FBars.H->SetLargeChange(step);
    FBars.H->SetRange(min, max, pos, Width());
    FLastHPosition = pos;
  }
  FBars.FinishUpdate(changed);
}

// The report view scrolls by rows down and by pixels sideways.
void TskSkinCustomListView::UpDateScrollBars2() {
  if (FBars.Busy) return;
  bool changed = false;
  if (FBars.V) {
    int min = 0, max = 0;
    GetScrollRange(FHandle, SB_VERT, &min, &max);
    const int pos = GetScrollPos(FHandle, SB_VERT);
    const int perPage = static_cast<int>(SendMessageW(FHandle, LVM_GETCOUNTPERPAGE, 0, 0));
    changed |= FBars.ShowBar(*FBars.V, perPage < max + 1);
    FBars.V->SetRange(min, max, pos, perPage);
    FLastVPosition = pos;
    FBars.V->SetSmallChange(1);
    FBars.V->SetLargeChange(std::max(perPage, 1));
  }
  if (FBars.H) {
    int min = 0, max = 0;
    GetScrollRange(FHandle, SB_HORZ, &min, &max);
    const int pos = GetScrollPos(FHandle, SB_HORZ);
    changed |= FBars.ShowBar(*FBars.H, max > Width());
    FBars.H->SetRange(min, max, pos, Width());
    FLastHPosition = pos;
  }
  FBars.FinishUpdate(changed);
}

// The list view scrolls sideways only, a column at a time.
void TskSkinCustomListView::UpDateScrollBars3() {
  if (FBars.Busy) return;
  bool changed = false;
  if (FBars.V && FBars.V->Visible()) changed |= FBars.ShowBar(*FBars.V, false);
  if (FBars.H) {
    int min = 0, max = 0;
    GetScrollRange(FHandle, SB_HORZ, &min, &max);
    const int pos = GetScrollPos(FHandle, SB_HORZ);
    const int count = static_cast<int>(SendMessageW(FHandle, LVM_GETITEMCOUNT, 0, 0));
    const int columnWidth = std::max(count > 0 ? ItemBoundsWidth() : 1, 1);
    const int perPage = static_cast<int>(SendMessageW(FHandle, LVM_GETCOUNTPERPAGE, 0, 0));
    changed |= FBars.ShowBar(*FBars.H, perPage < count);
    FBars.H->SetRange(min, max, pos, Width() / columnWidth);
    FBars.H->SetSmallChange(1);
    FBars.H->SetLargeChange(1);
    FLastHPosition = pos;
  }
  FBars.FinishUpdate(changed);
}

// ---------------------------------------------------------------------------------------------
// Bars to view

void TskSkinCustomListView::OnVScrollBarChange(TObject*) {
  if (!FBars.V || !HandleAllocated()) return;
  TFlagScope scrolling(FScrollingByBar);
  const int d = FBars.V->Position() - FLastVPosition;
  switch (ViewStyle()) {
    case TViewStyle::vsIcon:
    case TViewStyle::vsSmallIcon: Scroll(0, d); break;
    case TViewStyle::vsList:
    case TViewStyle::vsReport: Scroll(0, d * ItemBoundsHeight()); break;
  }
  FLastVPosition = FBars.V->Position();
}

void TskSkinCustomListView::OnHScrollBarChange(TObject*) {
  if (!FBars.H || !HandleAllocated()) return;
  TFlagScope scrolling(FScrollingByBar);
  const int d = FBars.H->Position() - FLastHPosition;
  if (ViewStyle() == TViewStyle::vsList) {
    // The list view scrolls by whole columns, which only its line steps know.
    const WPARAM step = d < 0 ? SB_LINELEFT : SB_LINERIGHT;
    for (int i = 0; i < std::abs(d); ++i) SendMessageW(FHandle, WM_HSCROLL, step, 0);
  } else {
    Scroll(d, 0);
  }
  FLastHPosition = FBars.H->Position();
}

// ---------------------------------------------------------------------------------------------
// The column header

void TskSkinCustomListView::HookHeader(HWND Header) {
  UnhookHeader();
  FHeaderWindow = Header;
  SetPropW(Header, HeaderProperty, this);
  FSavedHeaderProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(Header, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TskSkinCustomListView::HeaderProc)));
}

void TskSkinCustomListView::UnhookHeader() {
  if (!FHeaderWindow) return;
  if (IsWindow(FHeaderWindow)) {
    SetWindowLongPtrW(FHeaderWindow, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FSavedHeaderProc));
    RemovePropW(FHeaderWindow, HeaderProperty);
  }
  FHeaderWindow = nullptr;
  FSavedHeaderProc = nullptr;
  FPressedSection = -1;
  FHeaderPressed = false;
}

LRESULT CALLBACK TskSkinCustomListView::HeaderProc(HWND Window, UINT Msg, WPARAM WParam, LPARAM LParam) {
  auto* view = static_cast<TskSkinCustomListView*>(GetPropW(Window, HeaderProperty));
  if (!view) return DefWindowProcW(Window, Msg, WParam, LParam);
  TMessage message{Msg, WParam, LParam, 0};
  try {
    view->HeaderWndProc(message);
  } catch (...) {
    // An exception must not unwind through the system's window code.
    if (TControl::ExceptionHook) TControl::ExceptionHook(std::current_exception());
  }
  return message.Result;
}

void TskSkinCustomListView::HeaderWndProc(TMessage& Message) {
  const HWND header = FHeaderWindow;
  switch (Message.Msg) {
    case WM_WINDOWPOSCHANGING:
      reinterpret_cast<WINDOWPOS*>(Message.LParam)->cx += 4;
      return;
    case WM_PAINT:
      PaintHeader(reinterpret_cast<HDC>(Message.WParam));
      return;
    case WM_ERASEBKGND:
      Message.Result = 1;
      return;
  }
  const WNDPROC saved = FSavedHeaderProc;
  Message.Result = CallWindowProcW(saved, header, Message.Msg, Message.WParam, Message.LParam);
  switch (Message.Msg) {
    case WM_NCDESTROY:
      UnhookHeader();
      break;
    case WM_LBUTTONDOWN:
      PressHeader(static_cast<short>(LOWORD(Message.LParam)), static_cast<short>(HIWORD(Message.LParam)));
      RedrawWindow(header, nullptr, nullptr, RDW_INVALIDATE);
      break;
    case WM_LBUTTONUP:
      FHeaderPressed = false;
      FPressedSection = -1;
      RedrawWindow(header, nullptr, nullptr, RDW_INVALIDATE);
      break;
  }
}

void TskSkinCustomListView::PressHeader(int X, int Y) {
  FPressedSection = -1;
  const POINT p{X, Y};
  const int count = HeaderItemCount();
  for (int i = 0; i < count && FPressedSection == -1; ++i) {
    const RECT r = GetHeaderSectionRect(i);
    if (PtInRect(&r, p)) FPressedSection = i;
  }
  HDHITTESTINFO hit{};
  hit.pt = p;
  SendMessageW(FHeaderWindow, HDM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
  // A press on a divider resizes the column: no section goes down.
  FHeaderPressed = hit.flags != HHT_ONDIVIDER;
}

int TskSkinCustomListView::HeaderItemCount() const {
  if (!FHeaderWindow) return 0;
  return std::max(static_cast<int>(SendMessageW(FHeaderWindow, HDM_GETITEMCOUNT, 0, 0)), 0);
}

// The header item (and so the column) shown at display position Index.
int TskSkinCustomListView::ColumnOfSection(int Index) const {
  if (!FullDrag()) return Index;
  const int count = HeaderItemCount();
  if (Index < 0 || Index >= count) return -1;
  std::vector<int> order(static_cast<size_t>(count));
  const auto array = reinterpret_cast<LPARAM>(order.data());
  if (!SendMessageW(FHeaderWindow, HDM_GETORDERARRAY, static_cast<WPARAM>(count), array)) return Index;
  return order[static_cast<size_t>(Index)];
}

TRect TskSkinCustomListView::GetHeaderSectionRect(int Index) const {
  RECT r{};
  const int item = ColumnOfSection(Index);
  if (item < 0 || !FHeaderWindow) return r;
  SendMessageW(FHeaderWindow, HDM_GETITEMRECT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&r));
  return r;
}

void TskSkinCustomListView::HGetSkinData() {
  FHeaderSkinIndex = FindSkinControlIndex(FSkinData, FHeaderSkinDataName);
  if (FHeaderSkinIndex == -1) return;
  const auto* data =
      dynamic_cast<const TskDataSkinButtonControl*>(FSkinData->CtrlList[static_cast<size_t>(FHeaderSkinIndex)].get());
  if (!data) {
    FHeaderLook.Picture = nullptr;
    return;
  }
  THeaderLook& look = FHeaderLook;
  look.LeftTopPoint = data->SkinLeftTopPoint;
  look.RightTopPoint = data->SkinRightTopPoint;
  look.LeftBottomPoint = data->SkinLeftBottomPoint;
  look.RightBottomPoint = data->SkinRightBottomPoint;
  look.SkinRect = data->SkinRect;
  look.ClientRect = data->SkinClientRect;
  look.StretchEffect = data->StretchEffect;
  look.Picture = SkinPicture(*FSkinData, data->PictureIndex);
  look.FontColor = data->FontColor;
  look.ActiveFontColor = data->ActiveFontColor;
  look.DownFontColor = data->DownFontColor;
  look.ActiveSkinRect = IsNullRect(data->ActiveSkinRect) ? data->SkinRect : data->ActiveSkinRect;
  look.DownSkinRect = IsNullRect(data->DownSkinRect) ? look.ActiveSkinRect : data->DownSkinRect;
}

void TskSkinCustomListView::PaintHeader(HDC DC) {
  if (!FHeaderWindow) return;
  // A DC handed in belongs to the caller; only one this view asked for is given back.
  std::unique_ptr<TPaintScope> paint;
  if (!DC) {
    paint = std::make_unique<TPaintScope>(FHeaderWindow);
    DC = paint->DC();
  }
  TCanvas canvas;
  canvas.SetHandle(DC);
  PaintHeaderSections(canvas);
  canvas.SetHandle(nullptr);
}

void TskSkinCustomListView::PaintHeaderSections(TCanvas& Canvas) {
  const int count = HeaderItemCount();
  int end = 0;
  TRect last{};
  for (int i = 0; i < count; ++i) {
    const TRect r = GetHeaderSectionRect(i);
    const int item = ColumnOfSection(i);
    TListColumn* column = item >= 0 && item < Columns().Count() ? Columns().Items(item) : nullptr;
    HGetSkinData();
    DrawSection(Canvas, column, SectionText(column, item), false, FHeaderPressed && FPressedSection == i, r);
    end = std::max(end, static_cast<int>(r.right));
    last = r;
  }
  RECT window{};
  GetWindowRect(FHeaderWindow, &window);
  RECT client{};
  GetClientRect(FHeaderWindow, &client);
  // Without sections the space left is as high as the header.
  const int height = count > 0 ? RectHeight(last) : RectHeight(client);
  const TRect filler = Rect(end, 0, RectWidth(window) + 1, height);
  if (filler.left < filler.right) DrawHeaderFiller(Canvas, filler);
}

TskSkinCustomListView::TSectionText TskSkinCustomListView::SectionText(const TListColumn* Column, int Item) const {
  TSectionText text;
  if (Column) {
    text.Caption = Column->Caption();
    text.Alignment = Column->Alignment();
    text.ImageIndex = Column->ImageIndex();
    return text;
  }
  // A header item the view keeps no column for shows what the header itself holds.
  if (Item < 0 || !FHeaderWindow) return text;
  WCHAR caption[260] = {};
  HDITEMW hd{};
  hd.mask = HDI_TEXT | HDI_FORMAT | HDI_IMAGE;
  hd.pszText = caption;
  hd.cchTextMax = 260;
  if (!SendMessageW(FHeaderWindow, HDM_GETITEMW, static_cast<WPARAM>(Item), reinterpret_cast<LPARAM>(&hd))) return text;
  text.Caption = FromWide(caption);
  text.Alignment = AlignmentOfFormat(hd.fmt);
  if (hd.fmt & HDF_IMAGE) text.ImageIndex = hd.iImage;
  return text;
}

void TskSkinCustomListView::DrawHeaderSection(TCanvas& Cnvs, TListColumn* Column, bool Active, bool Pressed,
                                              const TRect& R) {
  HGetSkinData();
  DrawSection(Cnvs, Column, SectionText(Column, Column ? Column->Index() : -1), Active, Pressed, R);
}

// The state image of a section (or, OpenEnded, of the space after the last one) on B at W x H.
void TskSkinCustomListView::BuildSectionImage(TBitmap& B, const TRect& StateRect, int W, int H, bool OpenEnded) {
  const THeaderLook& look = FHeaderLook;
  const int dw = W - RectWidth(look.SkinRect);
  const int dh = H - RectHeight(look.SkinRect);
  if (look.LeftBottomPoint.x != 0 || look.LeftBottomPoint.y != 0) {
    TRect client = look.ClientRect;
    client.right += dw;
    client.bottom += dh;
    const auto build = OpenEnded ? &CreateSkinImage2 : &CreateSkinImage;
    build(look.LeftTopPoint, look.RightTopPoint, look.LeftBottomPoint, look.RightBottomPoint, look.ClientRect,
          look.LeftTopPoint, Moved(look.RightTopPoint, dw, 0), Moved(look.LeftBottomPoint, 0, dh),
          Moved(look.RightBottomPoint, dw, dh), client, B, *look.Picture, StateRect, W, H, true);
    return;
  }
  // Without a bottom anchor the picture is a strip, laid out in width and stretched in height.
  TBitmap strip;
  const auto build = OpenEnded ? &CreateHSkinImage2 : &CreateHSkinImage;
  build(look.LeftTopPoint.x, RectWidth(look.SkinRect) - look.RightTopPoint.x, strip, *look.Picture, StateRect, W,
        RectHeight(StateRect), look.StretchEffect);
  B.Canvas()->StretchDraw(Rect(0, 0, W, H), &strip);
}

void TskSkinCustomListView::DrawSection(TCanvas& Cnvs, TListColumn* Column, const TSectionText& Text, bool Active,
                                        bool Pressed, const TRect& R) {
  const int w = RectWidth(R);
  const int h = RectHeight(R);
  if (w <= 0 || h <= 0) return;
  TBitmap b;
  b.SetPixelFormat(TPixelFormat::pf24bit);
  b.SetSize(w, h);
  TRect bounds = Rect(0, 0, w, h);
  TColor fontColor = clBtnText;
  if (!HeaderSkinned()) {
    TColor frame = clBtnShadow, face = clBtnFace;
    if (Pressed) {
      frame = clNavy;
      face = 0xB59385;
    } else if (Active) {
      frame = clNavy;
      face = 0xD2BDB6;
    }
    TCanvas& c = *b.Canvas();
    c.Brush()->SetStyle(TBrushStyle::bsSolid);
    c.Brush()->SetColor(frame);
    c.FrameRect(bounds);
    c.Brush()->SetColor(face);
    c.FillRect(Rect(1, 1, w - 1, h - 1));
  } else {
    // The active look does not appear with a skin.
    BuildSectionImage(b, Pressed ? FHeaderLook.DownSkinRect : FHeaderLook.SkinRect, w, h, false);
    fontColor = Pressed ? FHeaderLook.DownFontColor : FHeaderLook.FontColor;
  }
  TCanvas& c = *b.Canvas();
  c.Font()->Assign(Font());
  c.Font()->SetColor(fontColor);
  if (OnDrawHeaderSection)
    OnDrawHeaderSection(c, Column, Pressed, bounds);
  else
    DrawSectionContent(c, Text, bounds);
  Cnvs.Draw(R.left, R.top, &b);
}

void TskSkinCustomListView::DrawHeaderFiller(TCanvas& Canvas, const TRect& F) {
  const int w = RectWidth(F);
  const int h = RectHeight(F);
  if (w <= 0 || h <= 0) return;
  HGetSkinData();
  if (!HeaderSkinned()) {
    Canvas.Brush()->SetStyle(TBrushStyle::bsSolid);
    Canvas.Brush()->SetColor(clBtnShadow);
    Canvas.FrameRect(F);
    Canvas.Brush()->SetColor(clBtnFace);
    Canvas.FillRect(Rect(F.left + 1, F.top + 1, F.right - 1, F.bottom - 1));
    return;
  }
  TBitmap b;
  b.SetPixelFormat(TPixelFormat::pf24bit);
  b.SetSize(w, h);
  BuildSectionImage(b, FHeaderLook.SkinRect, w, h, true);
  Canvas.Draw(F.left, F.top, &b);
}

void TskSkinCustomListView::DrawSectionContent(TCanvas& Canvas, const TSectionText& Text, const TRect& B) {
  Canvas.Brush()->SetStyle(TBrushStyle::bsClear);
  const TRect t = Rect(B.left + 5, B.top, B.right - 5, B.bottom);
  String s = Text.Caption;
  int x = t.left;
  TImageList* images = SmallImages();
  if (images && Text.ImageIndex >= 0 && Text.ImageIndex < images->Count()) {
    const int iw = images->Width();
    const int ih = images->Height();
    CorrectTextbyWidth(Canvas, s, RectWidth(t) - iw - 10);
    const int tw = Canvas.TextWidth(s);
    int imageX = t.left;
    if (s == Text.Caption) {
      if (Text.Alignment == TAlignment::taRightJustify)
        imageX = t.right - tw - iw - 10;
      else if (Text.Alignment == TAlignment::taCenter)
        imageX = t.left + RectWidth(t) / 2 - (tw + iw + 10) / 2;
    }
    x = imageX + iw + 10;
    images->Draw(Canvas, imageX, t.top + RectHeight(t) / 2 - ih / 2, Text.ImageIndex, true);
  } else {
    CorrectTextbyWidth(Canvas, s, RectWidth(t));
    const int tw = Canvas.TextWidth(s);
    if (Text.Alignment == TAlignment::taRightJustify)
      x = t.right - tw - 10;
    else if (Text.Alignment == TAlignment::taCenter)
      x = t.left + RectWidth(t) / 2 - tw / 2;
  }
  const int y = t.top + RectHeight(t) / 2 - Canvas.TextHeight(s) / 2;
  Canvas.TextRect(t, x, y, s);
}

}  // namespace skin
