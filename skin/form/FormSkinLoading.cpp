// Filling the frame's object list from the skin or with the six default caption buttons, fitting the
// objects to the component's settings, and finding them by name.
#include "skin/form/FormSkinObjects.h"
#include "skin/form/FormSkinValueObjects.h"

#include "skin/data/ResourceStrData.h"
#include "skin/data/SkinValueObjectDescriptions.h"

#include <memory>

namespace skin {

using classlib::String;
using classlib::TRect;

namespace {

// The object a description makes; null for the descriptions the menus read. The first matching
// row decides, so a caption-button description, itself a button description, makes a caption button.
std::unique_ptr<TskActiveSkinObject> MakeFrameObject(TskFormSkin& F, const TskDataSkinObject& D) {
  if (dynamic_cast<const TskDataSkinMainMenuItem*>(&D) || dynamic_cast<const TskDataSkinMenuItem*>(&D) ||
      dynamic_cast<const TskDataSkinMainMenuBarButton*>(&D))
    return nullptr;
  if (const auto* gauge = dynamic_cast<const TskDataSkinGauge*>(&D))
    return std::make_unique<TskSkinGaugeObject>(&F, gauge);
  if (dynamic_cast<const TskDataSkinStdButton*>(&D)) return std::make_unique<TskSkinStdButtonObject>(&F, &D);
  if (dynamic_cast<const TskDataSkinButton*>(&D)) return std::make_unique<TskSkinButtonObject>(&F, &D);
  if (const auto* caption = dynamic_cast<const TskDataSkinCaption*>(&D))
    return std::make_unique<TskSkinCaptionObject>(&F, caption);
  if (dynamic_cast<const TskDataUserObject*>(&D)) return std::make_unique<TskUserObject>(&F, &D);
  if (dynamic_cast<const TskDataSkinSwitch*>(&D)) return std::make_unique<TskSkinSwitchObject>(&F, &D);
  if (const auto* track = dynamic_cast<const TskDataSkinTrackBar*>(&D))
    return std::make_unique<TskSkinTrackBarObject>(&F, track);
  if (const auto* label = dynamic_cast<const TskDataSkinLabel*>(&D))
    return std::make_unique<TskSkinLabelObject>(&F, label);
  if (const auto* animation = dynamic_cast<const TskDataSkinAnimate*>(&D))
    return std::make_unique<TskSkinAnimateObject>(&F, animation);
  if (const auto* bitLabel = dynamic_cast<const TskDataSkinBitLabel*>(&D))
    return std::make_unique<TskSkinBitLabelObject>(&F, bitLabel);
  if (const auto* regulator = dynamic_cast<const TskDataSkinFrameRegulatorObject*>(&D))
    return std::make_unique<TskSkinFrameRegulatorObject>(&F, regulator);
  if (const auto* frameGauge = dynamic_cast<const TskDataSkinFrameGaugeObject*>(&D))
    return std::make_unique<TskSkinFrameGaugeObject>(&F, frameGauge);
  return nullptr;
}

// The border icon a command needs; false for the commands every frame keeps.
bool CommandIcon(TStdCommand Command, TskBorderIcon& Icon) {
  switch (Command) {
    case TStdCommand::cmMinimizeToTray: Icon = TskBorderIcon::biMinimizeToTray; return true;
    case TStdCommand::cmRollUp: Icon = TskBorderIcon::biRollUp; return true;
    case TStdCommand::cmMaximize: Icon = TskBorderIcon::biMaximize; return true;
    case TStdCommand::cmMinimize: Icon = TskBorderIcon::biMinimize; return true;
    case TStdCommand::cmSysMenu: Icon = TskBorderIcon::biSystemMenu; return true;
    default: return false;
  }
}

struct TBuiltInHint {
  TStdCommand Command;
  const char* ResName;
  const char* Text;
};

constexpr TBuiltInHint BuiltInHints[] = {
    {TStdCommand::cmClose, "CLOSEBUTTON_HINT", "Close"},
    {TStdCommand::cmMaximize, "MAXBUTTON_HINT", "Maximize"},
    {TStdCommand::cmMinimize, "MINBUTTON_HINT", "Minimize"},
    {TStdCommand::cmSysMenu, "MENUBUTTON_HINT", "System menu"},
    {TStdCommand::cmRollUp, "ROLLUPBUTTON_HINT", "Roll Up"},
    {TStdCommand::cmMinimizeToTray, "TRAYBUTTON_HINT", "Minimize to Tray"},
};

}  // namespace

void TskFormSkin::LoadObjects() {
  ClearObjects();
  if (!FSkinData) return;
  for (const auto& description : FSkinData->ObjectList)
    if (auto object = MakeFrameObject(*this, *description)) FrameObjects.push_back(std::move(object));
  CreateMainMenu();
}

void TskFormSkin::LoadDefObjects() {
  static constexpr std::pair<const char*, TStdCommand> buttons[] = {
      {"closebutton", TStdCommand::cmClose},   {"maxbutton", TStdCommand::cmMaximize},
      {"minbutton", TStdCommand::cmMinimize},  {"rollupbutton", TStdCommand::cmRollUp},
      {"sysmenubutton", TStdCommand::cmSysMenu}, {"traybutton", TStdCommand::cmMinimizeToTray},
  };
  ClearObjects();
  for (const auto& [name, command] : buttons) {
    auto button = std::make_unique<TskSkinStdButtonObject>(this, nullptr);
    button->IDName = name;
    button->Command = command;
    button->SkinRectInAPicture = true;
    button->SkinRect = button->ActiveSkinRect = button->DownRect = TRect{0, 0, 1, 1};
    FrameObjects.push_back(std::move(button));
  }
  CheckObjects();
}

void TskFormSkin::ClearObjects() {
  FrameObjects.clear();
  AreaLinks.clear();
}

void TskFormSkin::CheckObjects() {
  if (FrameObjects.empty()) return;
  // Objects are fresh after every load: nothing here is ever set back to enabled or visible.
  const auto hide = [](TskActiveSkinObject& Object) {
    Object.Enabled = false;
    Object.Visible = !Object.SkinRectInAPicture;
  };
  for (const auto& object : FrameObjects) {
    if (auto* animation = dynamic_cast<TskSkinAnimateObject*>(object.get())) {
      TskBorderIcon icon{};
      if (FHideCaptionButtons) {
        hide(*animation);
      } else if (animation->ButtonStyle && animation->Command != TStdCommand::cmDefault &&
                 CommandIcon(animation->Command, icon) && !FBorderIcons.Contains(icon)) {
        hide(*animation);
      }
    } else if (auto* button = dynamic_cast<TskSkinStdButtonObject*>(object.get())) {
      TskBorderIcon icon{};
      if (FHideCaptionButtons) {
        hide(*button);
      } else if (button->Command == TStdCommand::cmDefault) {
        bool visible = false;
        if (OnActivateCustomObject) OnActivateCustomObject(button->IDName, visible);
        button->Visible = visible;
      } else if (CommandIcon(button->Command, icon) && !FBorderIcons.Contains(icon)) {
        hide(*button);
      }
    } else if (auto* caption = dynamic_cast<TskSkinCaptionObject*>(object.get())) {
      if (!FHideCaptionButtons && caption->DefaultCaption) caption->TextValue = Form->Caption();
    }
  }
  TskSkinCaptionObject* first = nullptr;
  bool owned = false;
  for (const auto& object : FrameObjects) {
    if (auto* caption = dynamic_cast<TskSkinCaptionObject*>(object.get())) {
      if (!first) first = caption;
      owned = owned || caption->DefaultCaption;
    }
  }
  if (first && !owned) {
    first->DefaultCaption = true;
    first->TextValue = Form->Caption();
  }
  CheckObjectsHint();
}

void TskFormSkin::CheckObjectsHint() {
  if (!FUseDefaultObjectHint || !FSkinData) return;
  const TskResourceStrData* strings = FSkinData->ResourceStrData();
  for (const auto& object : FrameObjects) {
    TStdCommand command{};
    if (const auto* button = dynamic_cast<const TskSkinStdButtonObject*>(object.get())) command = button->Command;
    else if (const auto* animation = dynamic_cast<const TskSkinAnimateObject*>(object.get())) command = animation->Command;
    else continue;
    for (const auto& hint : BuiltInHints)
      if (hint.Command == command) object->Hint = strings ? strings->GetResStr(hint.ResName) : String(hint.Text);
  }
}

int TskFormSkin::GetIndex(const String& IDName) const {
  for (size_t i = 0; i < FrameObjects.size(); ++i)
    if (FrameObjects[i]->IDName == IDName) return static_cast<int>(i);
  return -1;
}

bool TskFormSkin::CanObjectTest(bool RollUp) const { return FSupportNCArea ? !RollUp : RollUp == RollUpState; }

void TskFormSkin::UpDateActiveObjects() {
  for (const auto& object : FrameObjects) {
    if (dynamic_cast<TskSkinCaptionObject*>(object.get())) continue;
    if (auto* animation = dynamic_cast<TskSkinAnimateObject*>(object.get())) {
      animation->Active = false;
      animation->Hovered = false;
      animation->Frame = 1;
      continue;
    }
    if (auto* onOff = dynamic_cast<TskSkinSwitchObject*>(object.get())) {
      // A switch's look is its state, not the pointer's: it stays as it is set.
      onOff->Hovered = false;
      onOff->SimpleSetState(onOff->State);
      continue;
    }
    object->Active = false;
    object->Hovered = false;
    object->MorphKf = 0;
  }
}

void TskFormSkin::SetDefaultCaptionText(const String&) {
  if (!FSkinData || FSkinData->Empty) return;
  for (const auto& object : FrameObjects) {
    auto* caption = dynamic_cast<TskSkinCaptionObject*>(object.get());
    if (caption && caption->DefaultCaption) caption->SetTextValue(Form->Caption());
  }
}

String TskFormSkin::FrameCaptionText() const {
  String text = Form->Caption();
  if (IsMDIForm())
    if (const classlib::TForm* child = GetMaximizeMDIChild()) text += " - [" + child->Caption() + "]";
  return text;
}

}  // namespace skin
