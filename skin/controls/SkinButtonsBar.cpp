#include "skin/controls/SkinButtonsBar.h"

#include <algorithm>

namespace skin {

using namespace classlib;

namespace {

// The picture of a button from a list: none unless the index names one of the list's images.
void ApplyImage(TskSkinSpeedButton& Button, int ImageIndex, TImageList* Images) {
  if (ImageIndex >= 0 && Images && ImageIndex < Images->Count()) {
    Button.SetImageIndex(ImageIndex);
    Button.SetAssignedImages(Images);
  } else {
    Button.SetImageIndex(-1);
    Button.SetAssignedImages(nullptr);
  }
}

void KeepList(TComponent& Holder, TImageList*& Field, TImageList* Value) {
  if (Field) Field->RemoveFreeNotification(&Holder);
  Field = Value;
  if (Field) Field->FreeNotification(&Holder);
}

bool DoubleClicked(TMouseButton Button, TShiftState Shift) {
  return Button == TMouseButton::mbLeft && Shift.Contains(TShiftStateItem::ssDouble);
}

// Posted to the bar to free the buttons it took away, once the message that took them has returned:
// a scroll button takes itself away from inside its own click.
UINT FreeButtonsMessage() {
  static const UINT message = RegisterWindowMessageW(L"TskSkinButtonsBar.FreeButtons");
  return message;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// TskButtonBarItem

TskButtonBarItem::TskButtonBarItem(TCollection* Collection) : TCollectionItem(Collection) {}

void TskButtonBarItem::SetText(const String& Value) {
  if (Value == FText) return;
  FText = Value;
  Changed(false);
}

void TskButtonBarItem::SetImageIndex(int Value) {
  if (Value == FImageIndex) return;
  FImageIndex = Value;
  Changed(false);
}

void TskButtonBarItem::SetLayout(TskButtonLayout Value) {
  FLayout = Value;
  Changed(false);
}

void TskButtonBarItem::SetMargin(int Value) {
  FMargin = Value;
  Changed(false);
}

void TskButtonBarItem::SetSpacing(int Value) {
  FSpacing = Value;
  Changed(false);
}

void TskButtonBarItem::Assign(const TPersistent& Source) {
  const auto* item = dynamic_cast<const TskButtonBarItem*>(&Source);
  if (!item) {
    TCollectionItem::Assign(Source);
    return;
  }
  FText = item->FText;
  FImageIndex = item->FImageIndex;
  FTag = item->FTag;
  OnClick = item->OnClick;
  OnDblClick = item->OnDblClick;
  FLayout = item->FLayout;
  FMargin = item->FMargin;
  FSpacing = item->FSpacing;
}

String TskButtonBarItem::GetDisplayName() const { return FText.empty() ? TCollectionItem::GetDisplayName() : FText; }

// ---------------------------------------------------------------------------------------------
// TskButtonBarItems

std::unique_ptr<TCollectionItem> TskButtonBarItems::CreateItem() { return std::make_unique<TskButtonBarItem>(nullptr); }

void TskButtonBarItems::Update(TCollectionItem*) {
  if (FSection) FSection->Changed(false);
}

// ---------------------------------------------------------------------------------------------
// TskButtonBarSection

TskButtonBarSection::TskButtonBarSection(TCollection* Collection) : TCollectionItem(Collection) {}

void TskButtonBarSection::SetText(const String& Value) {
  if (Value == FText) return;
  FText = Value;
  Changed(false);
}

void TskButtonBarSection::SetImageIndex(int Value) {
  if (Value == FImageIndex) return;
  FImageIndex = Value;
  Changed(false);
}

void TskButtonBarSection::SetMargin(int Value) {
  FMargin = Value;
  Changed(false);
}

void TskButtonBarSection::SetSpacing(int Value) {
  FSpacing = Value;
  Changed(false);
}

void TskButtonBarSection::Assign(const TPersistent& Source) {
  const auto* section = dynamic_cast<const TskButtonBarSection*>(&Source);
  if (!section) {
    TCollectionItem::Assign(Source);
    return;
  }
  FText = section->FText;
  FImageIndex = section->FImageIndex;
  FTag = section->FTag;
  OnClick = section->OnClick;
  OnDblClick = section->OnDblClick;
  FMargin = section->FMargin;
  FSpacing = section->FSpacing;
}

String TskButtonBarSection::GetDisplayName() const {
  return FText.empty() ? TCollectionItem::GetDisplayName() : FText;
}

// ---------------------------------------------------------------------------------------------
// TskButtonBarSections

std::unique_ptr<TCollectionItem> TskButtonBarSections::CreateItem() {
  return std::make_unique<TskButtonBarSection>(nullptr);
}

void TskButtonBarSections::Update(TCollectionItem* Item) {
  if (!FBar) return;
  if (Item)
    FBar->UpdateSection(Item->Index());
  else
    FBar->UpdateSections();
}

// ---------------------------------------------------------------------------------------------
// The buttons

TskSectionButton::TskSectionButton(TComponent* AOwner, int AItemIndex, TskSkinButtonsBar* AOwnerBar)
    : TskSkinSpeedButton(AOwner), FOwnerBar(AOwnerBar), FItemIndex(AItemIndex) {
  SetNumGlyphs(1);
  SetSpacing(5);
  SetSkinDataName(AOwnerBar->SectionButtonSkinDataName());
  SetDefaultFont(AOwnerBar->DefaultSectionFont());
  SetUseSkinFont(AOwnerBar->UseSkinFont());
}

void TskSectionButton::ButtonClick() {
  // The section hears of the click once: through opening it, or directly when it is open already.
  if (FOwnerBar->SectionIndex() != FItemIndex) {
    FOwnerBar->OpenSection(FItemIndex);
  } else if (FItemIndex < FOwnerBar->Sections().Count()) {
    TskButtonBarSection* section = FOwnerBar->Sections().GetItem(FItemIndex);
    if (section->OnClick) section->OnClick(section);
  }
  TskSkinSpeedButton::ButtonClick();
}

void TskSectionButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TskSkinSpeedButton::MouseDown(Button, Shift, X, Y);
  if (!DoubleClicked(Button, Shift) || FItemIndex >= FOwnerBar->Sections().Count()) return;
  TskButtonBarSection* section = FOwnerBar->Sections().GetItem(FItemIndex);
  if (section->OnDblClick) section->OnDblClick(section);
}

TskSectionItem::TskSectionItem(TComponent* AOwner, int AItemIndex, int ASectionIndex, TskSkinButtonsBar* AOwnerBar)
    : TskSkinSpeedButton(AOwner), FOwnerBar(AOwnerBar), FItemIndex(AItemIndex), FSectionIndex(ASectionIndex) {
  SetFlat(true);
  SetAlphaBlend(false);
  SetSkinDataName("resizebutton");
  SetNumGlyphs(1);
  SetLayout(TskButtonLayout::blGlyphTop);
  SetSpacing(5);
  SetDefaultFont(AOwnerBar->DefaultItemFont());
  SetUseSkinFont(AOwnerBar->UseSkinFont());
}

TskButtonBarItem* TskSectionItem::Item() const {
  TskButtonBarSections& sections = FOwnerBar->Sections();
  if (FSectionIndex >= sections.Count()) return nullptr;
  TskButtonBarItems& items = sections.GetItem(FSectionIndex)->Items();
  return FItemIndex < items.Count() ? items.GetItem(FItemIndex) : nullptr;
}

void TskSectionItem::ButtonClick() {
  if (TskButtonBarItem* item = Item(); item && item->OnClick) item->OnClick(item);
  TskSkinSpeedButton::ButtonClick();
}

void TskSectionItem::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TskSkinSpeedButton::MouseDown(Button, Shift, X, Y);
  if (!DoubleClicked(Button, Shift)) return;
  if (TskButtonBarItem* item = Item(); item && item->OnDblClick) item->OnDblClick(item);
}

// ---------------------------------------------------------------------------------------------
// TskSkinButtonsBar

TskSkinButtonsBar::TskSkinButtonsBar(TComponent* AOwner)
    : TskSkinPanel(AOwner),
      FDefaultSectionFont(std::make_unique<TFont>()),
      FDefaultItemFont(std::make_unique<TFont>()),
      FItemPanel(std::make_unique<TskSkinPanel>(nullptr)),
      FSections(std::make_unique<TskButtonBarSections>(this)) {
  for (TFont* font : {FDefaultSectionFont.get(), FDefaultItemFont.get()}) {
    font->SetName("Arial");
    font->SetStyle({});
    font->SetHeight(14);
  }
  SetWidth(150);
  SetAlign(TAlign::alLeft);
  SetBorderStyle(TskSkinBorderStyle::bvFrame);
  FItemPanel->SetAlign(TAlign::alClient);
  FItemPanel->SetBorderStyle(TskSkinBorderStyle::bvNone);
  FItemPanel->OnResize = [this](TObject*) { CheckVisibleItems(); };
  FItemPanel->SetParent(this);
}

TskSkinButtonsBar::~TskSkinButtonsBar() {
  // The buttons go while the bar is whole, without the item panel working out its items again.
  FItemPanel->OnResize = nullptr;
  DisableAlign();
  FRetired.clear();
  FItemButtons.clear();
  FUpButton.reset();
  FDownButton.reset();
  FSectionButtons.clear();
}

bool TskSkinButtonsBar::CanBuild() const { return HandleAllocated() && FSections->Count() > 0; }

void TskSkinButtonsBar::SetShowButtons(bool Value) {
  FShowButtons = Value;
  UpdateSections();
}

void TskSkinButtonsBar::SetDefaultButtonHeight(int Value) {
  FDefaultButtonHeight = Value;
  for (int i = 0; i < SectionButtonCount(); ++i) UpdateSection(i);
}

void TskSkinButtonsBar::SetItemHeight(int Value) {
  FItemHeight = Value;
  UpdateItems();
}

void TskSkinButtonsBar::SetItemsTransparent(bool Value) {
  FItemsTransparent = Value;
  UpdateItems();
}

void TskSkinButtonsBar::SetItemImages(TImageList* Value) {
  KeepList(*this, FItemImages, Value);
  UpdateItems();
}

void TskSkinButtonsBar::SetSectionImages(TImageList* Value) {
  KeepList(*this, FSectionImages, Value);
  for (int i = 0; i < SectionButtonCount(); ++i) UpdateSection(i);
}

void TskSkinButtonsBar::SetSectionIndex(int Value) {
  if (Value >= 0 && Value < FSections->Count() && Value != FSectionIndex) OpenSection(Value);
}

void TskSkinButtonsBar::SetSkinData(TskSkinData* Value) {
  TskSkinPanel::SetSkinData(Value);
  FItemPanel->SetSkinData(Value);
  // The item buttons made earlier follow as well, so that the open section does not keep the old
  // skin until it is rebuilt.
  for (const auto& item : FItemButtons) item->SetSkinData(Value);
  for (TskSkinButton* button : {FUpButton.get(), FDownButton.get()})
    if (button) button->SetSkinData(Value);
  UpdateSections();
}

void TskSkinButtonsBar::ChangeSkinData() {
  TskSkinPanel::ChangeSkinData();
  CheckVisibleItems();
}

void TskSkinButtonsBar::Notification(TComponent* AComponent, TOperation Operation) {
  TskSkinPanel::Notification(AComponent, Operation);
  if (Operation != TOperation::opRemove || !AComponent) return;
  if (AComponent == FItemImages) SetItemImages(nullptr);
  if (AComponent == FSectionImages) SetSectionImages(nullptr);
}

void TskSkinButtonsBar::CreateWnd() {
  TskSkinPanel::CreateWnd();
  UpdateSections();
  UpdateItems();
}

void TskSkinButtonsBar::Dispatch(TMessage& Message) {
  if (Message.Msg == FreeButtonsMessage()) {
    FRetired.clear();
    return;
  }
  TskSkinPanel::Dispatch(Message);
}

void TskSkinButtonsBar::Retire(std::unique_ptr<TControl> Button) {
  Button->SetVisible(false);
  FRetired.push_back(std::move(Button));
  if (HandleAllocated()) PostMessageW(Handle(), FreeButtonsMessage(), 0, 0);
}

// ---------------------------------------------------------------------------------------------
// Section buttons

void TskSkinButtonsBar::ApplySection(TskSectionButton& Button, const TskButtonBarSection& Section) {
  Button.SetDefaultHeight(FDefaultButtonHeight);
  Button.SetHint(Section.Hint());
  Button.SetMargin(Section.Margin());
  Button.SetSpacing(Section.Spacing());
  Button.SetShowHint(FShowItemHint);
  ApplyImage(Button, Section.ImageIndex(), FSectionImages);
}

// The classlib aligns by the order of the children: the buttons of the sections up to the open one
// come first (top to bottom), then the later ones from the last (bottom to top).
void TskSkinButtonsBar::OrderSectionButtons() {
  DisableAlign();
  const int count = SectionButtonCount();
  for (int i = 0; i < count; ++i) {
    const int section = i <= FSectionIndex ? i : count - 1 - (i - FSectionIndex - 1);
    TskSectionButton& button = *FSectionButtons[static_cast<size_t>(section)];
    button.SetAlign(section <= FSectionIndex ? TAlign::alTop : TAlign::alBottom);
    button.BringToFront();
  }
  EnableAlign();
}

void TskSkinButtonsBar::UpdateSections() {
  if (!CanBuild()) return;
  for (auto& button : FSectionButtons) Retire(std::move(button));
  FSectionButtons.clear();
  if (!FShowButtons) {
    CheckVisibleItems();
    return;
  }
  DisableAlign();
  for (int i = 0; i < FSections->Count(); ++i) {
    const TskButtonBarSection& section = *FSections->GetItem(i);
    auto button = std::make_unique<TskSectionButton>(nullptr, i, this);
    button->SetSkinData(FSkinData);
    button->SetCaption(section.Text());
    ApplySection(*button, section);
    button->SetParent(this);
    FSectionButtons.push_back(std::move(button));
  }
  OrderSectionButtons();
  EnableAlign();
}

void TskSkinButtonsBar::UpdateSection(int Index) {
  if (!CanBuild()) return;
  if (!FShowButtons) {
    UpdateItems();
    return;
  }
  if (Index < 0 || Index >= SectionButtonCount() || Index >= FSections->Count()) return;
  TskSectionButton& button = *FSectionButtons[static_cast<size_t>(Index)];
  const TskButtonBarSection& section = *FSections->GetItem(Index);
  ApplySection(button, section);
  const bool captionChanged = button.Caption() != section.Text();
  if (captionChanged) button.SetCaption(section.Text());
  button.Repaint();
  if (Index == FSectionIndex && !captionChanged) UpdateItems();
}

void TskSkinButtonsBar::OpenSection(int Index) {
  if (Index == FSectionIndex || Index < 0 || Index >= FSections->Count()) return;
  FSectionIndex = Index;
  if (FShowButtons && SectionButtonCount() == FSections->Count()) OrderSectionButtons();
  UpdateItems();
  TskButtonBarSection* section = FSections->GetItem(Index);
  if (section->OnClick) section->OnClick(section);
}

// ---------------------------------------------------------------------------------------------
// Item buttons

void TskSkinButtonsBar::FreeItemButtons() {
  for (auto& button : FItemButtons) Retire(std::move(button));
  FItemButtons.clear();
  if (FUpButton) Retire(std::move(FUpButton));
  if (FDownButton) Retire(std::move(FDownButton));
  FVisibleItemCount = 0;
}

void TskSkinButtonsBar::UpdateItems() {
  if (!CanBuild() || (FShowButtons && FSectionButtons.empty())) return;
  FreeItemButtons();
  if (FSectionIndex < 0 || FSectionIndex >= FSections->Count()) return;
  const TskButtonBarItems& items = FSections->GetItem(FSectionIndex)->Items();
  if (items.Count() == 0) return;
  FTopIndex = 0;
  for (int i = 0; i < items.Count(); ++i) {
    const TskButtonBarItem& item = *items.GetItem(i);
    auto button = std::make_unique<TskSectionItem>(nullptr, i, FSectionIndex, this);
    button->SetDefaultHeight(FItemHeight);
    button->SetFlat(FItemsTransparent);
    button->SetSkinData(FSkinData);
    button->SetCaption(item.Text());
    button->SetHint(item.Hint());
    button->SetShowHint(FShowItemHint);
    ApplyImage(*button, item.ImageIndex(), FItemImages);
    button->SetLayout(item.Layout());
    button->SetMargin(item.Margin());
    button->SetSpacing(item.Spacing());
    button->SetVisible(false);
    button->SetParent(FItemPanel.get());
    FItemButtons.push_back(std::move(button));
  }
  CheckVisibleItems();
}

void TskSkinButtonsBar::CheckVisibleItems() {
  const int count = ItemButtonCount();
  const int oldVisible = FVisibleItemCount;
  // An item height of 0 or less fits no item.
  const int fit = FItemHeight > 0 ? FItemPanel->Height() / FItemHeight : 0;
  FVisibleItemCount = std::min(std::max(fit, 0), count);
  if (FVisibleItemCount >= count)
    FTopIndex = 0;
  else if (FTopIndex > 0 && FTopIndex + FVisibleItemCount > count)
    FTopIndex = std::max(0, oldVisible + FTopIndex - FVisibleItemCount);
  for (int k = 0; k < count; ++k)
    FItemButtons[static_cast<size_t>(k)]->SetVisible(k >= FTopIndex && k < FTopIndex + FVisibleItemCount);
  ArangeItems();
}

std::unique_ptr<TskSkinButton> TskSkinButtonsBar::MakeScrollButton(const char* Glyph,
                                                                   void (TskSkinButtonsBar::*Scroll)()) {
  auto button = std::make_unique<TskSkinButton>(nullptr);
  button->SetCanFocused(false);
  button->SetTabStop(false);
  button->SetSpacing(0);
  button->SetSkinDataName("resizebutton");
  button->SetRepeatMode(true);
  button->SetRepeatInterval(ScrollRepeatInterval);
  button->SetCaption("");
  button->SetNumGlyphs(1);
  button->SetSkinData(FSkinData);
  TBitmap glyph;
  glyph.LoadFromResourceName(GetModuleHandleW(nullptr), Glyph);
  button->SetGlyph(glyph);
  button->OnClick = [this, Scroll](TObject*) { (this->*Scroll)(); };
  button->SetBounds(0, 0, ScrollButtonSize, ScrollButtonSize);
  button->SetParent(FItemPanel.get());
  return button;
}

void TskSkinButtonsBar::ArangeItems() {
  const int count = ItemButtonCount();
  const bool wantUp = FTopIndex > 0;
  const bool wantDown = FTopIndex + FVisibleItemCount < count;
  if (wantUp && !FUpButton) FUpButton = MakeScrollButton("SK_BB_UP", &TskSkinButtonsBar::ScrollUp);
  if (!wantUp && FUpButton) Retire(std::move(FUpButton));
  if (wantDown && !FDownButton) FDownButton = MakeScrollButton("SK_BB_DOWN", &TskSkinButtonsBar::ScrollDown);
  if (!wantDown && FDownButton) Retire(std::move(FDownButton));
  const int pw = FItemPanel->Width(), ph = FItemPanel->Height();
  if (FUpButton) FUpButton->SetBounds(pw - 23, 5, ScrollButtonSize, ScrollButtonSize);
  if (FDownButton) FDownButton->SetBounds(pw - 23, ph - 23, ScrollButtonSize, ScrollButtonSize);
  int y = 0;
  for (int k = FTopIndex; k < FTopIndex + FVisibleItemCount && k < count; ++k) {
    FItemButtons[static_cast<size_t>(k)]->SetBounds(0, y, pw, FItemHeight);
    y += FItemHeight;
  }
}

void TskSkinButtonsBar::ScrollUp() {
  if (FTopIndex == 0 || FVisibleItemCount == 0) return;
  FItemButtons[static_cast<size_t>(FTopIndex + FVisibleItemCount - 1)]->SetVisible(false);
  --FTopIndex;
  FItemButtons[static_cast<size_t>(FTopIndex)]->SetVisible(true);
  ArangeItems();
}

void TskSkinButtonsBar::ScrollDown() {
  const int count = ItemButtonCount();
  if (FVisibleItemCount == 0 || FTopIndex + FVisibleItemCount >= count) return;
  FItemButtons[static_cast<size_t>(FTopIndex)]->SetVisible(false);
  ++FTopIndex;
  FItemButtons[static_cast<size_t>(FTopIndex + FVisibleItemCount - 1)]->SetVisible(true);
  ArangeItems();
}

}  // namespace skin
