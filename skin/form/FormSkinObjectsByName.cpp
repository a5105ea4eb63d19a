// The application's way to the frame objects: it holds none of them and reaches each by the name
// the skin gives it. A name that is missing or names an object of another class is no error: the
// setters do nothing and the getters give their defaults, since one program runs with many skins.
#include "skin/form/FormSkinObjects.h"
#include "skin/form/FormSkinValueObjects.h"

namespace skin {

using classlib::String;

template <class T>
T* TskFormSkin::NamedObject(const String& IDName) const {
  const int index = GetIndex(IDName);
  if (index < 0) return nullptr;
  return dynamic_cast<T*>(FrameObjects[static_cast<size_t>(index)].get());
}

void TskFormSkin::UserObjectDraw(const String& IDName) {
  if (auto* object = NamedObject<TskUserObject>(IDName)) object->Draw(Form->Canvas(), true);
}

void TskFormSkin::AnimateStart(const String& IDName) {
  if (auto* object = NamedObject<TskSkinAnimateObject>(IDName)) object->Start();
}

void TskFormSkin::AnimateStop(const String& IDName) {
  if (auto* object = NamedObject<TskSkinAnimateObject>(IDName)) object->Stop();
}

void TskFormSkin::TrackBarSetValue(const String& IDName, int Value) {
  auto* object = NamedObject<TskSkinTrackBarObject>(IDName);
  if (!object) return;
  if (SkinChanging) object->SimplySetValue(Value);
  else object->SetValue(Value);
}

int TskFormSkin::TrackBarGetValue(const String& IDName) const {
  const auto* object = NamedObject<TskSkinTrackBarObject>(IDName);
  return object ? object->Value : 0;
}

void TskFormSkin::FrameRegulatorSetValue(const String& IDName, int Value) {
  auto* object = NamedObject<TskSkinFrameRegulatorObject>(IDName);
  if (!object) return;
  if (SkinChanging) object->SimplySetValue(Value);
  else object->SetValue(Value);
}

int TskFormSkin::FrameRegulatorGetValue(const String& IDName) const {
  const auto* object = NamedObject<TskSkinFrameRegulatorObject>(IDName);
  return object ? object->Value : 0;
}

void TskFormSkin::GaugeSetValue(const String& IDName, int Value) {
  auto* object = NamedObject<TskSkinGaugeObject>(IDName);
  if (!object) return;
  if (SkinChanging) object->SimplySetValue(Value);
  else object->SetValue(Value);
}

void TskFormSkin::FrameGaugeSetValue(const String& IDName, int Value) {
  auto* object = NamedObject<TskSkinFrameGaugeObject>(IDName);
  if (!object) return;
  if (SkinChanging) object->SimplySetValue(Value);
  else object->SetValue(Value);
}

void TskFormSkin::LabelSetText(const String& IDName, const String& Text) {
  if (auto* object = NamedObject<TskSkinLabelObject>(IDName)) object->SetTextValue(Text, !SkinChanging);
}

void TskFormSkin::BitLabelSetText(const String& IDName, const String& Text) {
  if (auto* object = NamedObject<TskSkinBitLabelObject>(IDName)) object->SetTextValue(Text, !SkinChanging);
}

void TskFormSkin::CaptionSetText(const String& IDName, const String& Text) {
  auto* object = NamedObject<TskSkinCaptionObject>(IDName);
  if (!object) return;
  if (SkinChanging) object->SimpleSetTextValue(Text);
  else object->SetTextValue(Text);
}

void TskFormSkin::SwitchSetState(const String& IDName, TSwitchState State) {
  auto* object = NamedObject<TskSkinSwitchObject>(IDName);
  if (!object) return;
  if (SkinChanging) object->SimpleSetState(State);
  else object->SetState(State);
}

TSwitchState TskFormSkin::SwitchGetState(const String& IDName) const {
  const auto* object = NamedObject<TskSkinSwitchObject>(IDName);
  return object ? object->State : TSwitchState::swsOff;
}

void TskFormSkin::ButtonSetDown(const String& IDName, bool Value) {
  if (auto* object = NamedObject<TskSkinButtonObject>(IDName)) object->SetDown(Value);
}

bool TskFormSkin::ButtonGetDown(const String& IDName) const {
  const auto* object = NamedObject<TskSkinButtonObject>(IDName);
  return object && object->Down;
}

void TskFormSkin::SetEnabled(const String& IDName, bool Value) {
  if (auto* object = NamedObject<TskActiveSkinObject>(IDName)) object->Enabled = Value;
}

void TskFormSkin::LinkMenu(const String& IDName, classlib::TMenu* Menu, bool OpenUpward) {
  classlib::TMenuItem* const items = Menu ? Menu->Items() : nullptr;
  if (auto* button = NamedObject<TskSkinButtonObject>(IDName)) {
    button->MenuItem = items;
    button->OpenUpward = OpenUpward;
  } else if (auto* animation = NamedObject<TskSkinAnimateObject>(IDName); animation && animation->ButtonStyle) {
    animation->MenuItem = items;
    animation->OpenUpward = OpenUpward;
  }
}

void TskFormSkin::SwitchChangeStateEvent(const String& IDName, TSwitchState State) {
  if (OnSwitchChangeStateEvent) OnSwitchChangeStateEvent(IDName, State);
}

void TskFormSkin::TrackBarChangeValueEvent(const String& IDName, int Value) {
  if (OnTrackBarChangeValueEvent) OnTrackBarChangeValueEvent(IDName, Value);
}

void TskFormSkin::FrameRegulatorChangeValueEvent(const String& IDName, int Value) {
  if (OnFrameRegulatorChangeValueEvent) OnFrameRegulatorChangeValueEvent(IDName, Value);
}

}  // namespace skin
