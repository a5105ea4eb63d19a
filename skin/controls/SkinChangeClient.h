// What the form skinning component's skin-change walk needs of a control: the skin it follows and
// the two steps around a change of that skin. Every skinned control joins through this interface, so
// the walk reaches controls written later without knowing their classes.
//
// Classes in this file: TskSkinChangeClient.
#pragma once

namespace skin {

class TskSkinData;

class TskSkinChangeClient {
public:
  virtual ~TskSkinChangeClient() = default;

  // The skin the control follows; null for none.
  virtual TskSkinData* SkinData() const = 0;
  // Before the skin changes: drop whatever points into the old skin's descriptions.
  virtual void BeforeChangeSkinData() {}
  // After the skin changed: look the description up again and repaint.
  virtual void ChangeSkinData() = 0;
};

}  // namespace skin
