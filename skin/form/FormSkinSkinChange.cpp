// Re-skinning the frame, the walks that tell the form's controls and components of a skin change,
// and the controls kept on named areas of the skin picture.
#include "skin/form/FormSkin.h"

#include "skin/controls/SkinChangeClient.h"
#include "skin/controls/SkinControl.h"
#include "skin/data/Skutils.h"
#include "skin/form/FormSkinObjects.h"
#include "skin/form/SkinHint.h"
#include "skin/form/SkinMainMenuBar.h"
#include "skin/form/SkinPopupMenu.h"
#include "skin/form/SkinTrayIcon.h"

#include <algorithm>

using namespace classlib;

namespace skin {

void TskFormSkin::SetSkinData(TskSkinData* Value) {
  if (FSkinData) FSkinData->RemoveFreeNotification(this);
  FSkinData = Value;
  if (Value) Value->FreeNotification(this);
  if (!Designing()) ChangeSkinData();
  TrayMenu->SetSkinData(Value);
}

void TskFormSkin::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation != TOperation::opRemove) return;
  if (AComponent == FSkinData) {
    FSkinData = nullptr;
    // The frame's objects and pieces point into the freed skin's pictures: the form falls back to
    // its default frame at once unless it is going too.
    const bool formAlive = Form && !Form->ComponentState().Contains(TComponentStateItem::csDestroying);
    if (formAlive && !Designing() && !ComponentState().Contains(TComponentStateItem::csDestroying)) ChangeSkinData();
  }
  if (AComponent == FMenusSkinData) FMenusSkinData = nullptr;
  if (AComponent == FMainMenu) FMainMenu = nullptr;
  if (AComponent == FSystemMenu) FSystemMenu = nullptr;
  if (AComponent == FMainMenuBar) FMainMenuBar = nullptr;
  if (FSkinHint && AComponent == FSkinHint) FSkinHint = nullptr;
  if (FTrayIcon && AComponent == FTrayIcon) FTrayIcon = nullptr;
  MDINotification(AComponent);
  // A control hidden by a shaped roll-up that is freed meanwhile cannot be shown again.
  HiddenByRollUp.erase(std::remove(HiddenByRollUp.begin(), HiddenByRollUp.end(), AComponent), HiddenByRollUp.end());
  AreaLinks.erase(std::remove_if(AreaLinks.begin(), AreaLinks.end(),
                                 [AComponent](const TskAreaLink& Link) { return Link.Control == AComponent; }),
                  AreaLinks.end());
}

void TskFormSkin::ChangeSkinData() {
  ActiveObject = OldActiveObject = CaptureObject = -1;
  // A new skin may bring pictures of the same size under a recycled handle.
  FPieces.BandsKey = FPieces.SidesKey = {};
  FClientTile.Source = nullptr;
  SkinActive = FSkinData && !FSkinData->Empty;
  if (FSupportNCArea) {
    if (SkinActive && CanNCSupport()) {
      LoadObjects();
      CheckObjects();
    } else {
      // A skin that draws no frame ("clientrect") leaves the form the default frame and its buttons.
      ClearObjects();
      CreateNewRegion(true);
      if (SkinActive) LoadDefObjects();
    }
    SkinChanging = true;
    const int minW = GetMinWidth(), minH = GetMinHeight();
    if (Form->Width() < minW && Form->Height() < minH)
      Form->SetBounds(Form->Left(), Form->Top(), minW, minH);
    else if (Form->Height() < minH)
      Form->SetHeight(minH);
    else if (Form->Width() < minW)
      Form->SetWidth(minW);
    else
      UpDateForm();
    if ((RollUpState || WindowState == TWindowState::wsMinimized) && Form->Height() != GetMinHeight())
      Form->SetHeight(GetMinHeight());
    if (WindowState == TWindowState::wsMinimized && Form->Width() != GetMinWidth()) Form->SetWidth(GetMinWidth());
    FormWidth = Form->Width();
    FormHeight = Form->Height();
    if (SkinActive) CreateNewForm(true);
    if (IsMDIForm()) {
      ResizeMDIChilds();
    } else {
      Form->Repaint();
    }
    FormChangeActive(!IsMaximizedMDIChild());
    PointerTimer->SetEnabled(true);
    if (OnChangeSkinData) OnChangeSkinData(this);
    SkinChanging = false;
    if (FClientWidth > 0) Form->SetClientWidth(FClientWidth);
    if (FClientHeight > 0) Form->SetClientHeight(FClientHeight);
    return;
  }
  if (!SkinActive) return;
  const bool scalable = CanScale();
  bool unrolled = false;
  if (RollUpState && (!FSkinData->RollUpPicture || FSkinData->RollUpPicture->Empty())) {
    RollUpState = false;
    RestoreRollUpForm();
    unrolled = true;
  }
  if (!RollUpState) CheckSize();
  LoadObjects();
  CheckObjects();
  if (!unrolled && RollUpState) CreateRollUpForm();
  SkinChanging = true;
  if (OnChangeSkinData) OnChangeSkinData(this);
  const int w0 = FSkinData->Picture->Width(), h0 = FSkinData->Picture->Height();
  if (!RollUpState && (scalable || (w0 == Form->ClientWidth() && h0 == Form->ClientHeight())))
    CreateNewForm(scalable);
  CalcAllRealObjectRect();
  LinkControlsToAreas();
  ControlsToAreas();
  FormChangeActive(true);
  SkinChanging = false;
  PointerTimer->SetEnabled(true);
}

// ---------------------------------------------------------------------------------------------
// The walks

void TskFormSkin::HandleSkinControl(TControl* Control, TskSkinData* S, bool Before) {
  auto* client = dynamic_cast<TskSkinChangeClient*>(Control);
  if (!client || (S && client->SkinData() != S)) return;
  if (Before)
    client->BeforeChangeSkinData();
  else
    client->ChangeSkinData();
}

void TskFormSkin::BeforeUpDateSkinControls(TskSkinData* S, TWinControl* Root) {
  HandleSkinControl(Root, S, true);
  for (int i = 0; i < Root->ControlCount(); ++i) {
    TControl* child = Root->Controls(i);
    if (auto* win = dynamic_cast<TWinControl*>(child))
      BeforeUpDateSkinControls(S, win);
    else
      HandleSkinControl(child, S, true);
  }
}

void TskFormSkin::UpDateSkinControls(TskSkinData* S, TWinControl* Root) {
  HandleSkinControl(Root, S, false);
  for (int i = 0; i < Root->ControlCount(); ++i) {
    TControl* child = Root->Controls(i);
    if (auto* win = dynamic_cast<TWinControl*>(child))
      UpDateSkinControls(S, win);
    else
      HandleSkinControl(child, S, false);
  }
}

void TskFormSkin::BeforeUpDateSkinComponents(TskSkinData*) {
  for (int i = 0; i < Form->ComponentCount(); ++i)
    if (auto* component = dynamic_cast<TskSkinComponent*>(Form->Components(i))) component->BeforeChangeSkinData();
}

void TskFormSkin::UpDateSkinComponents(TskSkinData*) {
  for (int i = 0; i < Form->ComponentCount(); ++i)
    if (auto* component = dynamic_cast<TskSkinComponent*>(Form->Components(i))) component->ChangeSkinData();
}

// ---------------------------------------------------------------------------------------------
// Skin areas

void TskFormSkin::LinkControlsToAreas() {
  for (int i = 0; i < Form->ControlCount(); ++i) {
    TControl* control = Form->Controls(i);
    if (auto* windowed = dynamic_cast<TskSkinControl*>(control)) {
      if (!windowed->AreaName().empty()) LinkControlToArea(windowed->AreaName(), control);
    } else if (auto* graphic = dynamic_cast<TskGraphicSkinControl*>(control)) {
      if (!graphic->AreaName().empty()) LinkControlToArea(graphic->AreaName(), control);
    }
  }
}

void TskFormSkin::LinkControlToArea(const String& AreaName, TControl* Control) {
  if (!FSkinData) return;
  const int index = FSkinData->GetAreaIndex(AreaName);
  if (index == -1) return;
  const TRect r = FSkinData->AreaList[static_cast<size_t>(index)]->AreaRect;
  if (IsNullRect(r)) return;
  Control->SetAlign(TAlign::alNone);
  Control->FreeNotification(this);
  AreaLinks.push_back(TskAreaLink{Control, r});
}

void TskFormSkin::UnLinkControlFromArea(TControl* Control) {
  const auto it = std::find_if(AreaLinks.begin(), AreaLinks.end(),
                               [Control](const TskAreaLink& Link) { return Link.Control == Control; });
  if (it != AreaLinks.end()) AreaLinks.erase(it);
}

void TskFormSkin::ControlsToAreas() {
  if (AreaLinks.empty()) return;
  const bool scalable = CanScale();
  for (const TskAreaLink& link : AreaLinks) {
    const TRect r = scalable ? CalcRealObjectRect(link.AreaRect) : link.AreaRect;
    link.Control->SetBounds(r.left, r.top, RectWidth(r), RectHeight(r));
  }
}

}  // namespace skin
