// The skin's user-interface strings as name=text lines: a program can translate or reword every
// text of the skin engine by editing them.
#pragma once

#include "platform/classlib/Component.h"
#include "platform/classlib/Strings.h"

#include <cstdint>
#include <memory>

namespace skin {

class TskResourceStrData : public classlib::TComponent {
public:
  explicit TskResourceStrData(classlib::TComponent* AOwner);
  ~TskResourceStrData() override;

  const classlib::TStrings& ResStrings() const { return *FResStrings; }
  // The lines become a copy of Value, replacing all others (the built-in ones too).
  void SetResStrs(const classlib::TStrings& Value);
  // Character set of the fonts that draw these texts; 1 is the platform's default.
  std::uint8_t CharSet() const { return FCharSet; }
  void SetCharSet(std::uint8_t Value) { FCharSet = Value; }

  // The text after the first "=" of the first line named ResName (case ignored); "" when none is.
  classlib::String GetResStr(const classlib::String& ResName) const;
  // Appends the 115 built-in lines.
  void Init();

private:
  std::unique_ptr<classlib::TStringList> FResStrings;
  std::uint8_t FCharSet = 1;
};

}  // namespace skin
