#include "skin/controls/SkinNotebook.h"

#include <algorithm>

namespace skin {

using namespace classlib;

namespace {

bool Designing(const TComponent& Component) {
  return Component.ComponentState().Contains(TComponentStateItem::csDesigning);
}

bool Loading(const TComponent& Component) {
  return Component.ComponentState().Contains(TComponentStateItem::csLoading);
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// TskSkinPage

TskSkinPage::TskSkinPage(TComponent* AOwner) : TskSkinPanel(AOwner) {
  SetVisible(false);
  SetAlign(TAlign::alClient);
  SetBorderStyle(TskSkinBorderStyle::bvNone);
}

void TskSkinPage::SetParentComponent(TComponent* Value) {
  TskSkinPanel::SetParentComponent(Value);
  auto* notebook = dynamic_cast<TskSkinNotebook*>(Value);
  if (notebook && ComponentState().Contains(TComponentStateItem::csReading)) notebook->ReadPage(this);
}

void TskSkinPage::Dispatch(TMessage& Message) {
  // The mouse goes to what lies below the page's own surface (the notebook), not to the page.
  if (Message.Msg == WM_NCHITTEST && !Designing(*this)) {
    Message.Result = HTTRANSPARENT;
    return;
  }
  TskSkinPanel::Dispatch(Message);
}

// ---------------------------------------------------------------------------------------------
// TskPageButton

TskPageButton::TskPageButton(TComponent* AOwner, int APageNumber, TskSkinNotebook* ANotebook)
    : TskSkinSpeedButton(AOwner), FOwnerNotebook(ANotebook), FButtonPage(APageNumber) {
  SetNumGlyphs(1);
  SetSpacing(5);
  SetSkinDataName(ANotebook->ButtonSkinDataName());
}

void TskPageButton::ButtonClick() {
  FOwnerNotebook->SetPageIndex(FButtonPage);
  TskSkinSpeedButton::ButtonClick();
}

// ---------------------------------------------------------------------------------------------
// TskPageAccess

String TskPageAccess::Get(int Index) const {
  if (Index < 0 || Index >= GetCount()) IndexError(Index);
  return FOwnerNotebook.Page(Index).Caption();
}

int TskPageAccess::GetCount() const { return FOwnerNotebook.PageCount(); }

TObject* TskPageAccess::GetObject(int Index) const {
  if (Index < 0 || Index >= GetCount()) IndexError(Index);
  return &FOwnerNotebook.Page(Index);
}

void TskPageAccess::Put(int Index, const String& S) {
  if (Index < 0 || Index >= GetCount()) IndexError(Index);
  FOwnerNotebook.Page(Index).SetCaption(S);
  if (FOwnerNotebook.ButtonsMode()) FOwnerNotebook.UpdateButton(Index, S);
}

int TskPageAccess::Add(const String& S) {
  TskSkinNotebook& nb = FOwnerNotebook;
  nb.FPageObjects.push_back(nb.NewPage(S));
  nb.SetPageIndex(GetCount() - 1);
  if (nb.FButtonsMode) nb.UpdateButtons();
  return GetCount() - 1;
}

void TskPageAccess::Insert(int Index, const String& S) {
  TskSkinNotebook& nb = FOwnerNotebook;
  if (Index < 0 || Index > GetCount()) IndexError(Index);
  nb.FPageObjects.insert(nb.FPageObjects.begin() + Index, nb.NewPage(S));
  // The index follows the page shown, which moved down the list.
  if (Index <= nb.FPageIndex) ++nb.FPageIndex;
  nb.SetPageIndex(Index);
  if (nb.FButtonsMode) nb.UpdateButtons();
}

void TskPageAccess::Delete(int Index) {
  TskSkinNotebook& nb = FOwnerNotebook;
  if (Index < 0 || Index >= GetCount()) IndexError(Index);
  TskSkinPage* page = nb.FPageObjects[static_cast<size_t>(Index)];
  nb.FPageObjects.erase(nb.FPageObjects.begin() + Index);
  delete page;
  // The shown page stays shown; deleting it shows the page that takes its place.
  if (Index < nb.FPageIndex) --nb.FPageIndex;
  nb.ShowOnlyCurrent();
  if (nb.FButtonsMode) nb.UpdateButtons();
}

void TskPageAccess::Clear() {
  TskSkinNotebook& nb = FOwnerNotebook;
  std::vector<TskSkinPage*> pages;
  pages.swap(nb.FPageObjects);
  for (TskSkinPage* page : pages) delete page;
  nb.FPageIndex = -1;
  if (nb.FButtonsMode) nb.UpdateButtons();
}

void TskPageAccess::Move(int CurIndex, int NewIndex) {
  TskSkinNotebook& nb = FOwnerNotebook;
  if (CurIndex == NewIndex) return;
  if (CurIndex < 0 || CurIndex >= GetCount()) IndexError(CurIndex);
  if (NewIndex < 0 || NewIndex >= GetCount()) IndexError(NewIndex);
  std::swap(nb.FPageObjects[static_cast<size_t>(CurIndex)], nb.FPageObjects[static_cast<size_t>(NewIndex)]);
  nb.ShowOnlyCurrent();
  if (nb.FButtonsMode) nb.UpdateButtons();
}

// ---------------------------------------------------------------------------------------------
// TskSkinNotebook

TskSkinNotebook::TskSkinNotebook(TComponent* AOwner)
    : TskSkinPanel(AOwner), FPages(std::make_unique<TskPageAccess>(*this)) {
  SetBorderStyle(TskSkinBorderStyle::bvFrame);
  SetBounds(Left(), Top(), 150, 150);
  FPages->Add("Default");
}

TskSkinNotebook::~TskSkinNotebook() {
  ClearButtons();
  // The pages made here are the notebook's; those read from a form belong to the form.
  std::vector<TskSkinPage*> pages;
  pages.swap(FPageObjects);
  for (TskSkinPage* page : pages)
    if (page->Owner() == this) delete page;
}

void TskSkinNotebook::CreateParams(TCreateParams& Params) {
  TskSkinPanel::CreateParams(Params);
  Params.Style |= WS_CLIPCHILDREN;
}

TskSkinPage* TskSkinNotebook::NewPage(const String& Caption) {
  auto* page = new TskSkinPage(this);
  page->SetParent(this);
  page->SetCaption(Caption);
  return page;
}

void TskSkinNotebook::ReadPage(TskSkinPage* Page) {
  if (!FReadingPages) {
    FReadingPages = true;
    const int index = FPageIndex;
    FPages->Clear();
    FPageIndex = index;
  }
  FPageObjects.push_back(Page);
}

void TskSkinNotebook::SetPages(const TStrings& Value) {
  FPages->Clear();
  for (int i = 0; i < Value.Count(); ++i) FPages->Add(Value.Strings(i));
  if (FButtonsMode) UpdateButtons();
}

String TskSkinNotebook::ActivePage() const {
  return FPageIndex >= 0 && FPageIndex < PageCount() ? Page(FPageIndex).Caption() : String();
}

void TskSkinNotebook::SetActivePage(const String& Value) {
  const int index = FPages->IndexOf(Value);
  if (index != -1) SetPageIndex(index);
}

void TskSkinNotebook::SetButtonsMode(bool Value) {
  FButtonsMode = Value;
  if (Value) UpdateButtons();
  else ClearButtons();
}

void TskSkinNotebook::SetImages(TImageList* Value) {
  if (FImages) FImages->RemoveFreeNotification(this);
  FImages = Value;
  if (FImages) FImages->FreeNotification(this);
  if (FButtonsMode) UpdateButtons();
}

void TskSkinNotebook::Notification(TComponent* AComponent, TOperation Operation) {
  TskSkinPanel::Notification(AComponent, Operation);
  if (Operation != TOperation::opRemove) return;
  if (AComponent == FImages) SetImages(nullptr);
  // A page freed from outside (with the form that read it) leaves the list.
  const auto page = std::find(FPageObjects.begin(), FPageObjects.end(), AComponent);
  if (page != FPageObjects.end()) {
    if (page - FPageObjects.begin() < FPageIndex) --FPageIndex;
    FPageObjects.erase(page);
    FPageIndex = std::min(FPageIndex, PageCount() - 1);
  }
  const auto button = std::find(FPageButtons.begin(), FPageButtons.end(), AComponent);
  if (button != FPageButtons.end()) FPageButtons.erase(button);
}

void TskSkinNotebook::ShowPage(int I) {
  TskSkinPage& page = Page(I);
  page.BringToFront();
  page.SetSkinData(FSkinData);
  page.SetVisible(true);
  page.SetAlign(TAlign::alClient);
}

void TskSkinNotebook::ShowOnlyCurrent() {
  FPageIndex = PageCount() == 0 ? -1 : std::clamp(FPageIndex, 0, PageCount() - 1);
  for (int i = 0; i < PageCount(); ++i)
    if (i != FPageIndex) Page(i).SetVisible(false);
  if (FPageIndex >= 0) ShowPage(FPageIndex);
  PlaceButtons();
}

void TskSkinNotebook::ShowControl(TControl* AControl) {
  const auto it = std::find(FPageObjects.begin(), FPageObjects.end(), AControl);
  if (it == FPageObjects.end()) return TskSkinPanel::ShowControl(AControl);
  SetPageIndex(static_cast<int>(it - FPageObjects.begin()));
}

void TskSkinNotebook::SetPageIndex(int Value) {
  if (Loading(*this)) {
    FPageIndex = Value;
    return;
  }
  if (Value == FPageIndex || Value < 0 || Value >= PageCount()) return;
  const HWND focus = GetFocus();
  const bool focusInside = HandleAllocated() && focus && IsChild(Handle(), focus);
  ShowPage(Value);
  if (FPageIndex >= 0 && FPageIndex < PageCount()) Page(FPageIndex).SetVisible(false);
  FPageIndex = Value;
  // The focus leaves the hidden page for the first control of the shown one.
  if (focusInside) {
    TskSkinPage& page = Page(FPageIndex);
    const HWND first = page.HandleAllocated() ? GetNextDlgTabItem(page.Handle(), nullptr, FALSE) : nullptr;
    ::SetFocus(first && IsChild(page.Handle(), first) ? first : Handle());
  }
  PlaceButtons();
  if (OnPageChanged) OnPageChanged(this);
}

void TskSkinNotebook::PlaceButtons() {
  if (!FButtonsMode) return;
  for (int i = ButtonCount() - 1; i >= 0; --i) {
    TskPageButton& b = PageButton(i);
    if (b.ButtonPage() > FPageIndex && b.Align() != TAlign::alBottom) b.SetAlign(TAlign::alBottom);
  }
  for (int i = 0; i < ButtonCount(); ++i) {
    TskPageButton& b = PageButton(i);
    if (b.ButtonPage() <= FPageIndex && b.Align() != TAlign::alTop) b.SetAlign(TAlign::alTop);
  }
  // The class library stacks aligned controls in the order of its list (the first at the top, or at
  // the bottom): the buttons above in page order, then those below in reverse.
  for (int i = 0; i < ButtonCount(); ++i)
    if (PageButton(i).Align() == TAlign::alTop) PageButton(i).BringToFront();
  for (int i = ButtonCount() - 1; i >= 0; --i)
    if (PageButton(i).Align() == TAlign::alBottom) PageButton(i).BringToFront();
  Realign();
}

void TskSkinNotebook::ClearButtons() {
  std::vector<TskPageButton*> buttons;
  buttons.swap(FPageButtons);
  for (TskPageButton* b : buttons) delete b;
}

void TskSkinNotebook::UpdateButtons() {
  // A notebook left without pages keeps no buttons for them.
  ClearButtons();
  for (int n = 0; n < PageCount(); ++n) {
    auto* b = new TskPageButton(this, n, this);
    FPageButtons.push_back(b);
    // Placed past the end first, each new button lines up after the earlier ones.
    b->SetTop(Height());
    b->SetAlign(FPageIndex < n ? TAlign::alBottom : TAlign::alTop);
    b->SetParent(this);
    b->SetDefaultHeight(25);
    b->SetSkinData(FSkinData);
    b->SetCaption(Page(n).Caption());
    const int image = Page(n).ImageIndex();
    if (image != -1 && FImages && image < FImages->Count()) {
      b->SetAssignedImages(FImages);
      b->SetImageIndex(image);
    } else {
      b->SetAssignedImages(nullptr);
      b->SetImageIndex(-1);
    }
  }
  PlaceButtons();
}

void TskSkinNotebook::UpdateButton(int Index, const String& S) {
  for (TskPageButton* b : FPageButtons) {
    if (b->ButtonPage() != Index) continue;
    b->SetCaption(S);
    b->SetAssignedImages(FImages);
    b->SetImageIndex(Page(Index).ImageIndex());
    b->Invalidate();
  }
}

void TskSkinNotebook::Loaded() {
  TskSkinPanel::Loaded();
  FReadingPages = false;
  if (FPageIndex < 0 || FPageIndex >= PageCount()) {
    FPageIndex = -1;
  } else {
    for (int i = 0; i < PageCount(); ++i)
      if (i != FPageIndex) Page(i).SetVisible(false);
    ShowPage(FPageIndex);
  }
  if (FButtonsMode) UpdateButtons();
}

void NotebookHandlesNeeded(TskSkinNotebook* Notebook) {
  if (!Notebook) return;
  for (int i = 0; i < Notebook->PageCount(); ++i) {
    TskSkinPage& page = Notebook->Page(i);
    page.DisableAlign();
    try {
      page.HandleNeeded();
    } catch (...) {
      page.EnableAlign();
      throw;
    }
    page.EnableAlign();
  }
}

}  // namespace skin
