#include "skin/form/SkinMenuItem.h"

#include "platform/classlib/ComCtrls.h"
#include "platform/classlib/WideText.h"
#include "skin/controls/SkinCustomControl.h"
#include "skin/data/ResourceStrData.h"
#include "skin/data/Skeffbmp.h"
#include "skin/data/Skutils.h"
#include "skin/form/SkinMenu.h"

#include <algorithm>

namespace skin {

using namespace classlib;

namespace {

// The light fill of a hot item in the default look.
constexpr TColor HotFaceColor = 0xD2BDB6;
constexpr double MorphStep = 0.2;
// The image column of the default look without images.
constexpr int DefaultColumnWidth = 19;

// Where two glyph drawers meet the item: the middle row of Area.
int MiddleOf(const TRect& Area) { return RectHeight(Area) / 2 + Area.top; }

void FillBox(TCanvas& Canvas, const TRect& R, TColor Color) {
  Canvas.Brush()->SetStyle(TBrushStyle::bsSolid);
  Canvas.Brush()->SetColor(Color);
  Canvas.FillRect(R);
}

}  // namespace

void DrawMenuText(TCanvas& Canvas, const String& Text, TRect& R, UINT Flags) {
  const HDC dc = Canvas.Handle();
  const HGDIOBJ oldFont = SelectObject(dc, Canvas.Font()->Handle());
  SetTextColor(dc, ColorToRGB(Canvas.Font()->Color()));
  const int oldMode = SetBkMode(dc, TRANSPARENT);
  WideString text = ToWide(Text);
  DrawTextW(dc, text.data(), static_cast<int>(text.size()), &R, Flags);
  SetBkMode(dc, oldMode);
  SelectObject(dc, oldFont);
}

int MenuTextWidth(TCanvas& Canvas, const String& Text) {
  TRect r{0, 0, 0, 0};
  DrawMenuText(Canvas, Text, r, DT_CALCRECT | DT_SINGLELINE);
  return RectWidth(r);
}

TskSkinMenuItem::TskSkinMenuItem(TskSkinPopupWindow* AParentWindow, TMenuItem* ASourceItem,
                                 const TskDataSkinMenuItem* ADescription)
    : ParentWindow(AParentWindow), ItemDescription(ADescription), SourceItem(ASourceItem) {
  // Without a picture of its own the item keeps the default look; the shared description is left
  // as the skin loaded it.
  if (ItemDescription && ParentWindow->WindowSkin)
    ItemPicture = SkinPicture(*ParentWindow->WindowSkin, ItemDescription->ActivePictureIndex);
}

bool TskSkinMenuItem::EnableMorphing() const {
  return ItemDescription && ItemDescription->Morphing && ParentWindow->WindowSkin &&
         ParentWindow->WindowSkin->EnableSkinEffects;
}

bool TskSkinMenuItem::CanMorphing() {
  if (!InView && MorphKf != 0) {
    Hot = false;
    SubMenuOpen = false;
    MorphKf = 0;
  }
  return InView && ((Active() && MorphKf < 1) || (!Active() && MorphKf > 0));
}

void TskSkinMenuItem::DoMorphing() {
  SetMorphKf(Active() ? MorphKf + MorphStep : MorphKf - MorphStep);
  ParentWindow->PaintNow([this](TCanvas& Canvas) { Draw(Canvas); });
}

void TskSkinMenuItem::SetMorphKf(double Value) { MorphKf = std::clamp(Value, 0.0, 1.0); }

void TskSkinMenuItem::Redraw() {
  if (ItemDescription && EnableMorphing())
    ParentWindow->StartMorphing();
  else
    ParentWindow->PaintNow([this](TCanvas& Canvas) { Draw(Canvas); });
}

void TskSkinMenuItem::MouseDown(int, int) {
  KeySelected = false;
  if (!SubMenuOpen && SourceItem->Enabled()) ParentWindow->OwnerMenu->CheckItem(ParentWindow, this, true, false);
}

void TskSkinMenuItem::MouseEnter(bool ByKey) {
  Hot = true;
  for (auto& other : ParentWindow->MenuItems)
    if (other.get() != this && other->SubMenuOpen) {
      other->SubMenuOpen = false;
      other->Redraw();
    }
  TskSkinMenu& menu = *ParentWindow->OwnerMenu;
  if (KeySelected && !ByKey) {
    Redraw();
  } else if (SubMenuOpen) {
    const int index = menu.GetPWIndex(ParentWindow);
    if (index + 2 < static_cast<int>(menu.PopupWindows.size())) menu.PopupWindows[static_cast<size_t>(index) + 1]->UpDatePW();
  } else {
    Redraw();
    menu.CheckItem(ParentWindow, this, false, ByKey);
  }
  if (ParentWindow->Hint() != SourceItem->Hint()) ParentWindow->SetHint(SourceItem->Hint());
}

void TskSkinMenuItem::MouseLeave() {
  KeySelected = false;
  Hot = false;
  if (!SubMenuOpen) Redraw();
  TskSkinMenu& menu = *ParentWindow->OwnerMenu;
  if (menu.WaitingItem == this) {
    menu.SubMenuTimer->SetEnabled(false);
    menu.WaitingItem = nullptr;
  }
}

void TskSkinMenuItem::Draw(TCanvas& Canvas) {
  if (!InView) return;
  if (!Skinned()) {
    DefaultDraw(Canvas);
    return;
  }
  TBitmap& image = ParentWindow->ItemBuffer(0);
  if (IsSeparator()) {
    CreateDividerImage(image);
    PutImage(Canvas, image);
    return;
  }
  const bool active = Active();
  if (!EnableMorphing() || (active && MorphKf == 1) || (!active && MorphKf == 0)) {
    CreateItemImage(image, active);
    PutImage(Canvas, image);
    return;
  }
  TBitmap& activeImage = ParentWindow->ItemBuffer(1);
  CreateItemImage(image, false);
  CreateItemImage(activeImage, true);
  TskEffectBmp normal(image.Handle());
  const TskEffectBmp lit(activeImage.Handle());
  switch (ItemDescription->MorphKind) {
    case TMorphKind::mkDefault: normal.Morph(lit, MorphKf); break;
    case TMorphKind::mkGradient: normal.MorphGrad(lit, MorphKf); break;
    case TMorphKind::mkLeftGradient: normal.MorphLeftGrad(lit, MorphKf); break;
    case TMorphKind::mkRightGradient: normal.MorphRightGrad(lit, MorphKf); break;
    case TMorphKind::mkLeftSlide: normal.MorphLeftSlide(lit, MorphKf); break;
    case TMorphKind::mkRightSlide: normal.MorphRightSlide(lit, MorphKf); break;
    case TMorphKind::mkPush: normal.MorphPush(lit, MorphKf); break;
  }
  const TskSkinPopupWindow& window = *ParentWindow;
  if (window.AlphaBlend && !CheckW2KWXP() && window.ScreenEffect)
    normal.MorphRect(*window.ScreenEffect, 1 - window.AlphaBlendValue / 255.0,
                     Rect(0, 0, normal.Width(), normal.Height()), ItemBounds.left, ItemBounds.top);
  normal.Draw(Canvas.Handle(), ItemBounds.left, ItemBounds.top);
}

void TskSkinMenuItem::PutImage(TCanvas& Canvas, TBitmap& Image) {
  const TskSkinPopupWindow& window = *ParentWindow;
  // Systems with layered windows blend the whole window instead.
  if (!window.AlphaBlend || CheckW2KWXP() || !window.ScreenEffect) {
    Canvas.Draw(ItemBounds.left, ItemBounds.top, &Image);
    return;
  }
  TskEffectBmp buffer(Image.Handle());
  buffer.MorphRect(*window.ScreenEffect, 1 - window.AlphaBlendValue / 255.0, Rect(0, 0, buffer.Width(), buffer.Height()),
                   ItemBounds.left, ItemBounds.top);
  buffer.Draw(Canvas.Handle(), ItemBounds.left, ItemBounds.top);
}

void TskSkinMenuItem::CreateDividerImage(TBitmap& Image) {
  const TskDataSkinMenuItem& d = *ItemDescription;
  CreateHSkinImage(d.DividerLeftOffset, d.DividerRightOffset, Image, *ItemPicture, d.DividerRect, RectWidth(ItemBounds),
                   RectHeight(ItemBounds), d.DividerStretchEffect);
}

void TskSkinMenuItem::CreateItemImage(TBitmap& Image, bool AActive) {
  const TskDataSkinMenuItem& d = *ItemDescription;
  const TskSkinMenu& menu = *ParentWindow->OwnerMenu;
  const int width = RectWidth(ItemBounds);
  // An absent active look falls back to the normal one.
  const TRect source = AActive && !IsNullRect(d.ActiveSkinRect) ? d.ActiveSkinRect : d.SkinRect;
  CreateHSkinImage(d.ItemLeftOffset, d.ItemRightOffset, Image, *ItemPicture, source, width, RectHeight(ItemBounds),
                   d.StretchEffect);
  TCanvas& canvas = *Image.Canvas();
  const int column = ParentWindow->ItemImages ? ParentWindow->GlyphColumnWidth : 16;
  TRect tr = d.TextRect;
  tr.right = width + d.TextRect.right - RectWidth(d.SkinRect);
  canvas.Brush()->SetStyle(TBrushStyle::bsClear);
  TFont& font = *canvas.Font();
  if (menu.UseSkinFont) {
    font.SetName(d.FontName);
    font.SetStyle(d.FontStyle);
    font.SetHeight(d.FontHeight);
    font.SetCharset(menu.DefaultMenuItemFont->Charset());
  } else {
    font.Assign(*menu.DefaultMenuItemFont);
  }
  const TskSkinData* skin = menu.LoadedSkin();
  font.SetCharset(skin && skin->ResourceStrData() ? skin->ResourceStrData()->CharSet()
                                                  : menu.DefaultMenuItemFont->Charset());
  font.SetColor(AActive ? d.ActiveFontColor : SourceItem->Enabled() ? d.FontColor : d.UnEnabledFontColor);
  if (SourceItem->OnDrawItem) {
    SourceItem->OnDrawItem(this, canvas, tr, AActive);
    return;
  }
  DrawTexts(canvas, tr, tr.left + column, tr.right - 16, tr.right - 7);
  DrawGlyphs(canvas, tr, tr.left + 2, tr.left + 2, tr.left + 2, font.Color());
}

void TskSkinMenuItem::DrawTexts(TCanvas& Canvas, const TRect& Area, int Left, int Right, int ArrowX) {
  TRect caption{Left, 0, Right, 0};
  DrawMenuText(Canvas, SourceItem->Caption(), caption, DT_CALCRECT | DT_SINGLELINE);
  OffsetRect(&caption, 0, MiddleOf(Area) - caption.bottom / 2);
  caption.right += 2;
  DrawMenuText(Canvas, SourceItem->Caption(), caption, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  if (const String shortCut = ShortCutToText(SourceItem->ShortCut()); !shortCut.empty()) {
    const int w = MenuTextWidth(Canvas, shortCut);
    TRect r{Right - w, caption.top, Right, caption.bottom};
    DrawMenuText(Canvas, shortCut, r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  }
  if (SourceItem->Count() > 0) {
    const int y = MiddleOf(Area) - 4;
    Canvas.Pen()->SetColor(Canvas.Font()->Color());
    for (int i = 0; i < 4; ++i) {
      Canvas.MoveTo(ArrowX + i, y + i);
      Canvas.LineTo(ArrowX + i, y + 7 - i);
    }
  }
}

void TskSkinMenuItem::DrawGlyphs(TCanvas& Canvas, const TRect& Area, int ImageX, int GlyphX, int CheckX, TColor Color) {
  const int middle = MiddleOf(Area);
  TImageList* images = ParentWindow->ItemImages;
  const int index = SourceItem->ImageIndex();
  if (images && index >= 0 && index < images->Count()) {
    const int y = middle - images->Height() / 2;
    if (SourceItem->Checked()) {
      Canvas.Brush()->SetStyle(TBrushStyle::bsClear);
      Canvas.Pen()->SetColor(Color);
      Canvas.Rectangle(ImageX - 1, y - 1, ImageX + images->Width() + 1, y + images->Height() + 1);
    }
    images->Draw(Canvas, ImageX, y, index, SourceItem->Enabled());
    return;
  }
  const String& name = SourceItem->Name();
  const int y = middle - 4;
  if (name == "FSK_CLOSE" || name == "TRAY_FSK_CLOSE")
    DrawCloseImage(Canvas, GlyphX, y, Color);
  else if (name == "FSK_MINITEM")
    DrawMinimizeImage(Canvas, GlyphX, y, Color);
  else if (name == "FSK_MAXITEM")
    DrawMaximizeImage(Canvas, GlyphX, y, Color);
  else if (name == "FSK_RESTORE" || name == "TRAY_FSK_RESTORE")
    DrawRestoreImage(Canvas, GlyphX, y, Color);
  else if (name == "FSK_ROLLUP")
    DrawRollUpImage(Canvas, GlyphX, y, Color);
  else if (name == "FSK_MINTOTRAY")
    DrawMTImage(Canvas, GlyphX, y, Color);
  else if (SourceItem->Checked() && SourceItem->RadioItem()) {
    Canvas.Brush()->SetStyle(TBrushStyle::bsSolid);
    Canvas.Brush()->SetColor(Color);
    Canvas.Pen()->SetColor(Color);
    Canvas.Ellipse(CheckX, middle - 3, CheckX + 6, middle + 3);
  } else if (SourceItem->Checked()) {
    DrawCheckImage(Canvas, CheckX, middle - 4, Color);
  }
}

void TskSkinMenuItem::DefaultDraw(TCanvas& Canvas) {
  const TskSkinMenu& menu = *ParentWindow->OwnerMenu;
  const int width = RectWidth(ItemBounds);
  const int height = RectHeight(ItemBounds);
  const int column = ParentWindow->ItemImages ? ParentWindow->GlyphColumnWidth : DefaultColumnWidth;
  TBitmap& image = ParentWindow->ItemBuffer(0);
  image.SetPixelFormat(TPixelFormat::pf24bit);
  image.SetSize(width, height);
  TCanvas& canvas = *image.Canvas();
  TFont& font = *canvas.Font();
  font.Assign(*menu.DefaultMenuItemFont);
  if (const TskSkinData* skin = menu.LoadedSkin(); skin && skin->ResourceStrData())
    font.SetCharset(skin->ResourceStrData()->CharSet());
  if (Active() && !IsSeparator()) {
    canvas.Pen()->SetColor(clNavy);
    canvas.Brush()->SetStyle(TBrushStyle::bsSolid);
    canvas.Brush()->SetColor(HotFaceColor);
    canvas.Rectangle(0, 0, width, height);
    font.SetColor(clWindowText);
  } else {
    FillBox(canvas, Rect(0, 0, column, height), clBtnFace);
    FillBox(canvas, Rect(column, 0, width, height), clWindow);
    font.SetColor(SourceItem->Enabled() ? clWindowText : clBtnShadow);
  }
  canvas.Brush()->SetStyle(TBrushStyle::bsClear);
  if (IsSeparator()) {
    canvas.Pen()->SetColor(clBtnShadow);
    canvas.MoveTo(column, height / 2);
    canvas.LineTo(width, height / 2);
  } else {
    const TRect inner{2, 2, width - 2, height - 2};
    DrawTexts(canvas, inner, inner.left + column, inner.right - 19, inner.right - 7);
    DrawGlyphs(canvas, inner, inner.left, inner.left + 2, inner.left + 3, font.Color());
  }
  PutImage(Canvas, image);
}

}  // namespace skin
