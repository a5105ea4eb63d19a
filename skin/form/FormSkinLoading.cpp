// Filling the frame's object list from the skin or with the six default caption buttons, fitting the
// objects to the component's settings, and finding them by name.
#include "skin/form/FormSkinObjects.h"

#include "skin/data/ResourceStrData.h"
#include "skin/data/SkinValueObjectDescriptions.h"

#include <memory>

namespace skin {

using classlib::String;
using classlib::TRect;

namespace {

// The object a description makes; null for the descriptions the menus read and for the kinds of
// object the frame does not make yet (value and animation objects). The first matching row decides,
// so a caption-button description, itself a button description, makes a caption button.
std::unique_ptr<TskActiveSkinObject> MakeFrameObject(TskFormSkin& F, const TskDataSkinObject& D) {
  if (dynamic_cast<const TskDataSkinMainMenuItem*>(&D) || dynamic_cast<const TskDataSkinMenuItem*>(&D) ||
      dynamic_cast<const TskDataSkinMainMenuBarButton*>(&D))
    return nullptr;
  if (dynamic_cast<const TskDataSkinStdButton*>(&D)) return std::make_unique<TskSkinStdButtonObject>(&F, &D);
  if (dynamic_cast<const TskDataSkinButton*>(&D)) return std::make_unique<TskSkinButtonObject>(&F, &D);
  if (const auto* caption = dynamic_cast<const TskDataSkinCaption*>(&D))
    return std::make_unique<TskSkinCaptionObject>(&F, caption);
  if (dynamic_cast<const TskDataUserObject*>(&D)) return std::make_unique<TskUserObject>(&F, &D);
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
    if (auto* button = dynamic_cast<TskSkinStdButtonObject*>(object.get())) {
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
    auto* button = dynamic_cast<TskSkinStdButtonObject*>(object.get());
    if (!button) continue;
    for (const auto& hint : BuiltInHints)
      if (hint.Command == button->Command) button->Hint = strings ? strings->GetResStr(hint.ResName) : String(hint.Text);
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
