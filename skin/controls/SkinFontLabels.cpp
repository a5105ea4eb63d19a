#include "skin/controls/SkinFontLabels.h"

#include "platform/classlib/Shell.h"
#include "skin/controls/SkinControl.h"
#include "skin/data/ResourceStrData.h"
#include "skin/data/SkinButtonDescriptions.h"

#include <algorithm>

namespace skin {

using namespace classlib;

namespace {

bool Designing(const TComponent& Component) {
  return Component.ComponentState().Contains(TComponentStateItem::csDesigning);
}

bool IsLoading(const TComponent& Component) {
  return Component.ComponentState().Contains(TComponentStateItem::csLoading) ||
         Component.ComponentState().Contains(TComponentStateItem::csReading);
}

UINT AlignmentFlag(TAlignment Alignment) {
  switch (Alignment) {
    case TAlignment::taRightJustify: return DT_RIGHT;
    case TAlignment::taCenter: return DT_CENTER;
    case TAlignment::taLeftJustify: break;
  }
  return DT_LEFT;
}

// DrawText of Text in Font; disabled text is drawn twice, in the highlight colour one pixel down
// and right, then in the shadow colour in place. Measuring draws nothing.
void DrawLabelText(HDC DC, TFont& Font, const String& Text, TRect& Rect, UINT Flags, bool Enabled) {
  if (Enabled || (Flags & DT_CALCRECT)) {
    DrawControlText(DC, Font, Text, Rect, Flags);
    return;
  }
  TFont engraved;
  engraved.Assign(Font);
  engraved.SetColor(clBtnHighlight);
  OffsetRect(&Rect, 1, 1);
  DrawControlText(DC, engraved, Text, Rect, Flags);
  engraved.SetColor(clBtnShadow);
  OffsetRect(&Rect, -1, -1);
  DrawControlText(DC, engraved, Text, Rect, Flags);
}

// Hands the screen's DC to a control's canvas for one scope, to measure text before the control is
// painted.
class TScreenCanvasScope {
public:
  explicit TScreenCanvasScope(TCanvas& Canvas) : FCanvas(Canvas), FDC(GetDC(nullptr)) {
    FCanvas.Lock();
    FCanvas.SetHandle(FDC);
  }
  ~TScreenCanvasScope() {
    FCanvas.SetHandle(nullptr);
    FCanvas.Unlock();
    ReleaseDC(nullptr, FDC);
  }
  TScreenCanvasScope(const TScreenCanvasScope&) = delete;
  TScreenCanvasScope& operator=(const TScreenCanvasScope&) = delete;

private:
  TCanvas& FCanvas;
  HDC FDC;
};

// Follows a skin's destruction for a control that keeps a reference to it.
template <class C>
void LinkSkin(C& Control, TskSkinData*& Field, TskSkinData* Value) {
  if (Field && Field != Value) Field->RemoveFreeNotification(&Control);
  Field = Value;
  if (Field) Field->FreeNotification(&Control);
}

void OpenURL(const String& URL) {
  // The shell's answer is of no use to a label: a link that cannot be opened simply does nothing.
  ExecuteShell(nullptr, "open", URL, String(), String(), SW_SHOWNORMAL);
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// TskStdLabelFont

TskStdLabelFont::TskStdLabelFont() : DefaultFont(std::make_unique<TFont>()) {}

void TskStdLabelFont::Read(const TskSkinData* Skin, const String& Name) {
  SkinControlIndex = FindSkinControlIndex(Skin, Name);
  if (SkinControlIndex == -1) return;
  const auto* data =
      dynamic_cast<const TskDataSkinStdLabelControl*>(Skin->CtrlList[static_cast<size_t>(SkinControlIndex)].get());
  if (!data) return;
  FontName = data->FontName;
  FontColor = data->FontColor;
  FontStyle = data->FontStyle;
  FontHeight = data->FontHeight;
  ActiveFontColor = data->ActiveFontColor;
}

void TskStdLabelFont::Apply(TFont& Target, const TFont& Font, const TskSkinData* Skin) const {
  if (SkinControlIndex == -1) {
    Target.Assign(UseSkinFont ? *DefaultFont : Font);
  } else {
    if (UseSkinFont) {
      Target.Assign(*DefaultFont);
      Target.SetName(FontName);
      Target.SetStyle(FontStyle);
      Target.SetHeight(FontHeight);
    } else {
      Target.Assign(Font);
    }
    Target.SetColor(FontColor);
  }
  const TskResourceStrData* strings = Skin ? Skin->ResourceStrData() : nullptr;
  Target.SetCharset(strings ? strings->CharSet() : DefaultFont->Charset());
}

// ---------------------------------------------------------------------------------------------
// TskSkinStdLabel

TskSkinStdLabel::TskSkinStdLabel(TComponent* AOwner) : TCustomLabel(AOwner) { SetTransparent(true); }

TskSkinStdLabel::~TskSkinStdLabel() {
  if (FSkinData) FSkinData->RemoveFreeNotification(this);
}

void TskSkinStdLabel::SetSkinData(TskSkinData* Value) {
  LinkSkin(*this, FSkinData, Value);
  if (FSkinData) ChangeSkinData();
}

void TskSkinStdLabel::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomLabel::Notification(AComponent, Operation);
  if (Operation == TOperation::opRemove && AComponent == FSkinData) FSkinData = nullptr;
}

void TskSkinStdLabel::ChangeSkinData() {
  GetSkinData();
  AdjustBounds();
  Invalidate();
}

void TskSkinStdLabel::DoDrawText(TRect& Rect, UINT Flags) {
  String text = Caption();
  if ((Flags & DT_CALCRECT) && (text.empty() || (ShowAccelChar() && text == "&"))) text += ' ';
  if (!ShowAccelChar()) Flags |= DT_NOPREFIX;
  GetSkinData();
  TFont& font = *Canvas().Font();
  FLook.Apply(font, Font(), FSkinData);
  DrawLabelText(Canvas().Handle(), font, text, Rect, Flags, Enabled());
}

// ---------------------------------------------------------------------------------------------
// TskSkinTextLabel

TskSkinTextLabel::TskSkinTextLabel(TComponent* AOwner)
    : TGraphicControl(AOwner), FLines(std::make_unique<TStringList>()) {
  SetBounds(0, 0, 65, 65);
  FLines->OnChange = [this](TObject*) {
    if (FAutoSize) AdjustBounds();
    Invalidate();
  };
}

TskSkinTextLabel::~TskSkinTextLabel() {
  FLines->OnChange = nullptr;
  if (FSkinData) FSkinData->RemoveFreeNotification(this);
}

void TskSkinTextLabel::SetSkinData(TskSkinData* Value) {
  LinkSkin(*this, FSkinData, Value);
  if (FSkinData) ChangeSkinData();
}

void TskSkinTextLabel::Notification(TComponent* AComponent, TOperation Operation) {
  TGraphicControl::Notification(AComponent, Operation);
  if (Operation == TOperation::opRemove && AComponent == FSkinData) FSkinData = nullptr;
}

void TskSkinTextLabel::ChangeSkinData() {
  GetSkinData();
  if (FAutoSize) AdjustBounds();
  Invalidate();
}

void TskSkinTextLabel::SetLines(const TStrings& Value) {
  FLines->Assign(Value);
  Invalidate();
}

void TskSkinTextLabel::SetAlignment(TAlignment Value) {
  if (Value == FAlignment) return;
  FAlignment = Value;
  Invalidate();
}

void TskSkinTextLabel::SetAutoSize(bool Value) {
  if (Value == FAutoSize) return;
  FAutoSize = Value;
  AdjustBounds();
}

void TskSkinTextLabel::SetLayout(TTextLayout Value) {
  if (Value == FLayout) return;
  FLayout = Value;
  Invalidate();
}

void TskSkinTextLabel::SetWordWrap(bool Value) {
  if (Value == FWordWrap) return;
  FWordWrap = Value;
  AdjustBounds();
  Invalidate();
}

String TskSkinTextLabel::GetLabelText() const {
  String text;
  for (int i = 0; i < FLines->Count(); ++i) text += FLines->Strings(i) + "\r\n";
  return text;
}

void TskSkinTextLabel::Loaded() {
  TGraphicControl::Loaded();
  AdjustBounds();
}

void TskSkinTextLabel::FontChanged() {
  TGraphicControl::FontChanged();
  AdjustBounds();
  Invalidate();
}

void TskSkinTextLabel::DoDrawText(TRect& Rect, UINT Flags) {
  GetSkinData();
  TFont& font = *Canvas().Font();
  FLook.Apply(font, Font(), FSkinData);
  DrawLabelText(Canvas().Handle(), font, GetLabelText(), Rect, Flags, Enabled());
}

void TskSkinTextLabel::Paint() {
  Canvas().Brush()->SetStyle(TBrushStyle::bsClear);
  TRect r = ClientRect();
  UINT flags = DT_EXPANDTABS | AlignmentFlag(FAlignment);
  if (FWordWrap) flags |= DT_WORDBREAK;
  if (FLayout != TTextLayout::tlTop) {
    TRect measured = r;
    DoDrawText(measured, flags | DT_CALCRECT);
    const int free = Height() - measured.bottom;
    OffsetRect(&r, 0, FLayout == TTextLayout::tlBottom ? free : free / 2);
  }
  DoDrawText(r, flags);
}

void TskSkinTextLabel::AdjustBounds() {
  if (IsLoading(*this) || !FAutoSize) return;
  TRect r = ClientRect();
  int lastLine = 0;
  {
    TScreenCanvasScope scope(Canvas());
    DoDrawText(r, DT_EXPANDTABS | DT_CALCRECT | (FWordWrap ? DT_WORDBREAK : 0u));
    // The line break after the last line may measure as one more, empty line (it does on Windows,
    // not under Wine): that line is not part of the label.
    TFont& font = *Canvas().Font();
    TRect one{}, broken{};
    DrawControlText(Canvas().Handle(), font, "A", one, DT_CALCRECT);
    DrawControlText(Canvas().Handle(), font, "A\r\n", broken, DT_CALCRECT);
    lastLine = broken.bottom - one.bottom;
  }
  int x = Left();
  if (FAlignment == TAlignment::taRightJustify) x += Width() - r.right;
  SetBounds(x, Top(), r.right, std::max(0, static_cast<int>(r.bottom) - lastLine));
}

// ---------------------------------------------------------------------------------------------
// TskSkinLinkLabel

TskSkinLinkLabel::TskSkinLinkLabel(TComponent* AOwner) : TCustomLabel(AOwner) {
  SetTransparent(true);
  TFont& font = *FLook.DefaultFont;
  font.SetName("Arial");
  font.SetHeight(14);
  TFontStyles style;
  style.Include(TFontStyle::fsUnderline);
  font.SetStyle(style);
  Font().Assign(font);
  SetCursor(crHandPoint);
}

TskSkinLinkLabel::~TskSkinLinkLabel() {
  if (FSkinData) FSkinData->RemoveFreeNotification(this);
}

void TskSkinLinkLabel::SetSkinData(TskSkinData* Value) {
  LinkSkin(*this, FSkinData, Value);
  if (FSkinData) ChangeSkinData();
}

void TskSkinLinkLabel::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomLabel::Notification(AComponent, Operation);
  if (Operation == TOperation::opRemove && AComponent == FSkinData) FSkinData = nullptr;
}

void TskSkinLinkLabel::ChangeSkinData() {
  GetSkinData();
  Invalidate();
}

void TskSkinLinkLabel::Dispatch(TMessage& Message) {
  TCustomLabel::Dispatch(Message);
  if ((Message.Msg == CM_MOUSEENTER || Message.Msg == CM_MOUSELEAVE) && !Designing(*this)) {
    FHovered = Message.Msg == CM_MOUSEENTER;
    Invalidate();
  }
}

void TskSkinLinkLabel::Click() {
  TCustomLabel::Click();
  OpenURL(FURL);
}

void TskSkinLinkLabel::DoDrawText(TRect& Rect, UINT Flags) {
  String text = Caption();
  if ((Flags & DT_CALCRECT) && (text.empty() || (ShowAccelChar() && text == "&"))) text += ' ';
  if (!ShowAccelChar()) Flags |= DT_NOPREFIX;
  GetSkinData();
  TFont& font = *Canvas().Font();
  FLook.Apply(font, Font(), FSkinData);
  const bool skinned = FLook.SkinControlIndex != -1;
  if (!skinned || FLook.UseSkinFont) {
    TFontStyles style = font.Style();
    style.Include(TFontStyle::fsUnderline);
    font.SetStyle(style);
  }
  if (skinned) font.SetColor(FHovered ? FLook.ActiveFontColor : FLook.FontColor);
  else if (FHovered) font.SetColor(FDefaultActiveFontColor);
  DrawLabelText(Canvas().Handle(), font, text, Rect, Flags, Enabled());
}

// ---------------------------------------------------------------------------------------------
// TskSkinLinkImage

TskSkinLinkImage::TskSkinLinkImage(TComponent* AOwner) : TImage(AOwner) {
  SetAutoSize(true);
  SetCursor(crHandPoint);
}

void TskSkinLinkImage::Click() {
  TImage::Click();
  OpenURL(FURL);
}

// ---------------------------------------------------------------------------------------------
// TskSkinButtonLabel

TskSkinButtonLabel::TskSkinButtonLabel(TComponent* AOwner)
    : TGraphicControl(AOwner), FGlyph(std::make_unique<TBitmap>()) {
  FLook.DefaultFont->SetName("Arial");
  FLook.DefaultFont->SetHeight(14);
  SetBounds(0, 0, 100, 50);
}

TskSkinButtonLabel::~TskSkinButtonLabel() {
  if (FSkinData) FSkinData->RemoveFreeNotification(this);
}

void TskSkinButtonLabel::SetSkinData(TskSkinData* Value) {
  LinkSkin(*this, FSkinData, Value);
  if (FSkinData) ChangeSkinData();
}

void TskSkinButtonLabel::Notification(TComponent* AComponent, TOperation Operation) {
  TGraphicControl::Notification(AComponent, Operation);
  if (Operation == TOperation::opRemove && AComponent == FSkinData) FSkinData = nullptr;
}

void TskSkinButtonLabel::ChangeSkinData() {
  GetSkinData();
  Invalidate();
}

void TskSkinButtonLabel::SetDefaultFont(const TFont& Value) {
  FLook.DefaultFont->Assign(Value);
  Invalidate();
}

void TskSkinButtonLabel::SetGlyph(const TBitmap& Value) {
  FGlyph->Assign(Value);
  Invalidate();
}

void TskSkinButtonLabel::SetNumGlyphs(int Value) {
  FNumGlyphs = std::clamp(Value, 1, 4);
  Invalidate();
}

void TskSkinButtonLabel::SetMargin(int Value) {
  if (Value == FMargin || Value < -1) return;
  FMargin = Value;
  Invalidate();
}

void TskSkinButtonLabel::SetSpacing(int Value) {
  if (Value == FSpacing) return;
  FSpacing = Value;
  Invalidate();
}

void TskSkinButtonLabel::SetLayout(TskButtonLayout Value) {
  if (Value == FLayout) return;
  FLayout = Value;
  Invalidate();
}

int TskSkinButtonLabel::GlyphFrame() const {
  if (FPressed && FHovered && FNumGlyphs > 2) return 3;
  if (FHovered && FNumGlyphs > 3) return 4;
  if (Enabled() || FNumGlyphs < 2) return 1;
  return 2;
}

void TskSkinButtonLabel::Dispatch(TMessage& Message) {
  TGraphicControl::Dispatch(Message);
  if ((Message.Msg == CM_MOUSEENTER || Message.Msg == CM_MOUSELEAVE) && !Designing(*this)) {
    FHovered = Message.Msg == CM_MOUSEENTER;
    Invalidate();
  }
}

void TskSkinButtonLabel::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  FPressed = true;
  Invalidate();
  TGraphicControl::MouseDown(Button, Shift, X, Y);
}

void TskSkinButtonLabel::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  FPressed = false;
  Invalidate();
  TGraphicControl::MouseUp(Button, Shift, X, Y);
}

void TskSkinButtonLabel::Paint() {
  GetSkinData();
  TFont& font = *Canvas().Font();
  if (FLook.SkinControlIndex == -1) {
    font.Assign(*FLook.DefaultFont);
    if (FHovered) font.SetColor(FDefaultActiveFontColor);
  } else {
    font.Assign(*FLook.DefaultFont);
    if (FLook.UseSkinFont) {
      font.SetName(FLook.FontName);
      font.SetHeight(FLook.FontHeight);
      font.SetStyle(FLook.FontStyle);
    }
    font.SetColor(FHovered ? FLook.ActiveFontColor : FLook.FontColor);
  }
  const TskResourceStrData* strings = FSkinData ? FSkinData->ResourceStrData() : nullptr;
  font.SetCharset(strings ? strings->CharSet() : FLook.DefaultFont->Charset());
  DrawGlyphAndText(Canvas(), ClientRect(), FMargin, FSpacing, FLayout, Caption(), *FGlyph, FNumGlyphs, GlyphFrame(),
                   FPressed);
}

}  // namespace skin
