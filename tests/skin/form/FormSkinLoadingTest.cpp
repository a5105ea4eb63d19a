#include "tests/skin/form/FormSkinObjectsTesting.h"

#include "skin/data/ResourceStrData.h"
#include "skin/data/Skutils.h"
#include "skin/form/FormSkinObjects.h"
#include "skin/form/FormSkinValueObjects.h"

#include <typeinfo>

using namespace classlib;
using namespace skin;
using namespace formskinobjectstesting;

namespace {

TskSkinStdButtonObject* Button(TskFormSkin& F, const char* Name) {
  const int index = F.GetIndex(Name);
  return index < 0 ? nullptr : dynamic_cast<TskSkinStdButtonObject*>(F.FrameObjects[static_cast<size_t>(index)].get());
}

}  // namespace

TEST(FrameObjectLoading, EachDescriptionMakesTheObjectOfItsClass) {
  TObjectSkin skin;
  TSkinnedForm skinned(200, 120, "Loading", false);
  skinned.FormSkin->SetSkinData(&skin.Skin());
  const auto& objects = skinned.FormSkin->FrameObjects;
  // The menu item and the menu bar's button make no frame object.
  const std::vector<std::pair<String, const std::type_info*>> expected = {
      {"closebutton", &typeid(TskSkinStdButtonObject)}, {"maxbutton", &typeid(TskSkinStdButtonObject)},
      {"minbutton", &typeid(TskSkinStdButtonObject)},   {"caption", &typeid(TskSkinCaptionObject)},
      {"groupa", &typeid(TskSkinButtonObject)},         {"groupb", &typeid(TskSkinButtonObject)},
      {"userobj", &typeid(TskUserObject)},              {"badpicture", &typeid(TskSkinButtonObject)},
      {"custom", &typeid(TskSkinStdButtonObject)},       {"gauge", &typeid(TskSkinGaugeObject)},
  };
  ASSERT_EQ(objects.size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(objects[i]->IDName, expected[i].first);
    EXPECT_TRUE(typeid(*objects[i]) == *expected[i].second) << expected[i].first;
  }
  auto* close = Button(*skinned.FormSkin, "closebutton");
  ASSERT_TRUE(close);
  EXPECT_TRUE(close->SkinSupport);
  EXPECT_EQ(close->Command, TStdCommand::cmClose);
  EXPECT_EQ(close->SourcePicture, skin.Skin().Picture.get());
  EXPECT_EQ(close->ObjectPicture, skin.Skin().ActivePictures[0].get());
  EXPECT_EQ(close->Parent, skinned.FormSkin);
}

TEST(FrameObjectLoading, GetIndexComparesNamesExactly) {
  TObjectSkin skin;
  TSkinnedForm skinned(200, 120, "Loading", false);
  skinned.FormSkin->SetSkinData(&skin.Skin());
  for (const auto& [name, index] : {std::pair{"closebutton", 0}, {"caption", 3}, {"custom", 8}, {"CloseButton", -1},
                                    {"closebutton ", -1}, {"", -1}, {"menu", -1}})
    EXPECT_EQ(skinned.FormSkin->GetIndex(name), index) << name;
}

TEST(FrameObjectLoading, SixDefaultCaptionButtons) {
  TSkinnedForm plain(300, 200, "Plain", false);
  auto& f = *plain.FormSkin;
  f.SetBorderIcons(TskBorderIcons{TskBorderIcon::biSystemMenu, TskBorderIcon::biMinimize, TskBorderIcon::biMaximize,
                                  TskBorderIcon::biRollUp, TskBorderIcon::biMinimizeToTray});
  f.LoadDefObjects();
  const std::pair<const char*, TStdCommand> expected[] = {
      {"closebutton", TStdCommand::cmClose},   {"maxbutton", TStdCommand::cmMaximize},
      {"minbutton", TStdCommand::cmMinimize},  {"rollupbutton", TStdCommand::cmRollUp},
      {"sysmenubutton", TStdCommand::cmSysMenu}, {"traybutton", TStdCommand::cmMinimizeToTray},
  };
  ASSERT_EQ(f.FrameObjects.size(), 6u);
  for (size_t i = 0; i < 6; ++i) {
    auto* button = dynamic_cast<TskSkinStdButtonObject*>(f.FrameObjects[i].get());
    ASSERT_TRUE(button) << i;
    EXPECT_EQ(button->IDName, expected[i].first);
    EXPECT_EQ(button->Command, expected[i].second);
    EXPECT_FALSE(button->SkinSupport);
    EXPECT_TRUE(button->SkinRectInAPicture);
    for (const TRect& r : {button->SkinRect, button->ActiveSkinRect, button->DownRect})
      EXPECT_TRUE(EqRects(r, Rect(0, 0, 1, 1))) << expected[i].first;
    EXPECT_TRUE(button->Visible && button->Enabled) << expected[i].first;
  }
}

TEST(FrameObjectLoading, BorderIconsDisableTheirButtons) {
  // Default buttons carry "skinrectinapicture" and disappear; the skin's are part of the frame
  // picture and stay visible but dead. The close button always stays.
  const TskBorderIcons application{TskBorderIcon::biSystemMenu, TskBorderIcon::biMinimize, TskBorderIcon::biRollUp};
  TSkinnedForm plain(300, 200, "Plain", false);
  plain.FormSkin->SetBorderIcons(application);
  plain.FormSkin->LoadDefObjects();
  struct Case {
    const char* Name;
    bool Enabled, Visible;
  } plainCases[] = {{"closebutton", true, true},  {"maxbutton", false, false},    {"minbutton", true, true},
                    {"rollupbutton", true, true}, {"sysmenubutton", true, true}, {"traybutton", false, false}};
  for (const auto& c : plainCases) {
    auto* button = Button(*plain.FormSkin, c.Name);
    ASSERT_TRUE(button) << c.Name;
    EXPECT_EQ(button->Enabled, c.Enabled) << c.Name;
    EXPECT_EQ(button->Visible, c.Visible) << c.Name;
  }

  TObjectSkin skin;
  TSkinnedForm skinned(200, 120, "Skinned", false);
  skinned.FormSkin->SetBorderIcons(TskBorderIcons{TskBorderIcon::biSystemMenu, TskBorderIcon::biRollUp});
  skinned.FormSkin->SetSkinData(&skin.Skin());
  Case skinnedCases[] = {{"closebutton", true, true}, {"maxbutton", false, true}, {"minbutton", false, true}};
  for (const auto& c : skinnedCases) {
    auto* button = Button(*skinned.FormSkin, c.Name);
    ASSERT_TRUE(button) << c.Name;
    EXPECT_EQ(button->Enabled, c.Enabled) << c.Name;
    EXPECT_EQ(button->Visible, c.Visible) << c.Name;
  }
}

TEST(FrameObjectLoading, HiddenCaptionButtonsAreAllDisabled) {
  TSkinnedForm plain(300, 200, "Plain", false);
  plain.FormSkin->SetHideCaptionButtons(true);
  plain.FormSkin->LoadDefObjects();
  for (const auto& object : plain.FormSkin->FrameObjects) {
    EXPECT_FALSE(object->Enabled) << object->IDName;
    EXPECT_FALSE(object->Visible) << object->IDName;
  }
  TObjectSkin skin;
  TSkinnedForm skinned(200, 120, "Skinned", false);
  skinned.FormSkin->SetHideCaptionButtons(true);
  skinned.FormSkin->SetSkinData(&skin.Skin());
  auto* close = Button(*skinned.FormSkin, "closebutton");
  ASSERT_TRUE(close);
  EXPECT_FALSE(close->Enabled);
  EXPECT_TRUE(close->Visible);
  // Plain buttons are not caption buttons.
  EXPECT_TRUE(skinned.FormSkin->FrameObjects[4]->Enabled);
}

TEST(FrameObjectLoading, CustomButtonShowsOnlyWhenTheApplicationSaysSo) {
  TObjectSkin skin;
  TSkinnedForm skinned(200, 120, "Skinned", false);
  skinned.FormSkin->SetSkinData(&skin.Skin());
  auto* custom = Button(*skinned.FormSkin, "custom");
  ASSERT_TRUE(custom);
  EXPECT_FALSE(custom->Visible);
  std::vector<String> asked;
  skinned.FormSkin->OnActivateCustomObject = [&](const String& Name, bool& Visible) {
    asked.push_back(Name);
    Visible = true;
  };
  skinned.FormSkin->LoadObjects();
  skinned.FormSkin->CheckObjects();
  custom = Button(*skinned.FormSkin, "custom");
  EXPECT_TRUE(custom->Visible);
  EXPECT_EQ(asked, std::vector<String>{"custom"});
}

TEST(FrameObjectLoading, FirstCaptionStandsForTheFormsCaption) {
  TObjectSkin skin;
  TSkinnedForm skinned(200, 120, "My caption", false);
  skinned.FormSkin->SetSkinData(&skin.Skin());
  auto& caption = dynamic_cast<TskSkinCaptionObject&>(*skinned.FormSkin->FrameObjects[3]);
  EXPECT_TRUE(caption.DefaultCaption);
  EXPECT_EQ(caption.TextValue, "My caption");
  skinned.Form->SetCaption("Changed");
  skinned.FormSkin->SetDefaultCaptionText("ignored");
  EXPECT_EQ(caption.TextValue, "Changed");
}

TEST(FrameObjectLoading, BuiltInHintsOfTheCaptionButtons) {
  TObjectSkin skin;
  TSkinnedForm skinned(200, 120, "Hints", false);
  skinned.FormSkin->SetSkinData(&skin.Skin());
  auto& f = *skinned.FormSkin;
  EXPECT_EQ(Button(f, "closebutton")->Hint, "Close");
  EXPECT_EQ(Button(f, "maxbutton")->Hint, "Maximize");
  EXPECT_EQ(Button(f, "minbutton")->Hint, "Minimize");
  EXPECT_EQ(Button(f, "custom")->Hint, "Custom");

  // A skin's string table gives the texts.
  TskResourceStrData strings(nullptr);
  TStringList list;
  list.Add("CLOSEBUTTON_HINT=Fermer");
  strings.SetResStrs(list);
  skin.Skin().SetResourceStrData(&strings);
  f.CheckObjectsHint();
  EXPECT_EQ(Button(f, "closebutton")->Hint, "Fermer");
  EXPECT_EQ(Button(f, "maxbutton")->Hint, "");
  skin.Skin().SetResourceStrData(nullptr);

  // Without the built-in hints the description's hint stays.
  f.SetUseDefaultObjectHint(false);
  f.LoadObjects();
  f.CheckObjects();
  EXPECT_EQ(Button(f, "closebutton")->Hint, "Shut");

  // The default buttons of a form with an empty skin get all six.
  TskSkinData empty(nullptr);
  TSkinnedForm plain(300, 200, "Plain", false);
  plain.FormSkin->SetSkinData(&empty);
  plain.FormSkin->LoadDefObjects();
  const std::pair<const char*, const char*> hints[] = {
      {"closebutton", "Close"},        {"maxbutton", "Maximize"}, {"minbutton", "Minimize"},
      {"sysmenubutton", "System menu"}, {"rollupbutton", "Roll Up"}, {"traybutton", "Minimize to Tray"}};
  for (const auto& [name, hint] : hints) EXPECT_EQ(Button(*plain.FormSkin, name)->Hint, hint) << name;
  plain.FormSkin->SetSkinData(nullptr);
}

TEST(FrameObjectLoading, ObjectsTakePartByTheirRollUpFlag) {
  TSkinnedForm plain(300, 200, "Plain", false);
  auto& f = *plain.FormSkin;
  struct Case {
    bool SupportNCArea, RollUpState, ObjectRollUp, Expected;
  } cases[] = {{true, false, false, true},   {true, false, true, false}, {true, true, false, true},
               {false, false, false, true},  {false, false, true, false}, {false, true, true, true},
               {false, true, false, false}};
  for (const auto& c : cases) {
    f.SetSupportNCArea(c.SupportNCArea);
    f.RollUpState = c.RollUpState;
    EXPECT_EQ(f.CanObjectTest(c.ObjectRollUp), c.Expected)
        << c.SupportNCArea << c.RollUpState << c.ObjectRollUp;
  }
  f.RollUpState = false;
  f.SetSupportNCArea(true);
}

TEST(FrameObjectLoading, UpDateActiveObjectsLeavesTheCaptionAlone) {
  TObjectSkin skin;
  TSkinnedForm skinned(200, 120, "Skinned", false);
  skinned.FormSkin->SetSkinData(&skin.Skin());
  for (const auto& object : skinned.FormSkin->FrameObjects) {
    object->Active = object->Hovered = true;
    object->MorphKf = 0.6;
  }
  skinned.FormSkin->UpDateActiveObjects();
  for (const auto& object : skinned.FormSkin->FrameObjects) {
    const bool caption = dynamic_cast<TskSkinCaptionObject*>(object.get()) != nullptr;
    EXPECT_EQ(object->Active, caption) << object->IDName;
    EXPECT_EQ(object->MorphKf, caption ? 0.6 : 0.0) << object->IDName;
  }
}

TEST(FrameObjectLoading, ClearObjectsEmptiesTheLists) {
  TObjectSkin skin;
  TSkinnedForm skinned(200, 120, "Skinned", false);
  skinned.FormSkin->SetSkinData(&skin.Skin());
  skinned.FormSkin->AreaLinks.push_back(TskAreaLink{nullptr, Rect(0, 0, 1, 1)});
  skinned.FormSkin->ClearObjects();
  EXPECT_TRUE(skinned.FormSkin->FrameObjects.empty());
  EXPECT_TRUE(skinned.FormSkin->AreaLinks.empty());
}
