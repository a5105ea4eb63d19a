// One of the user's regional settings changed for the life of an object and put back afterwards,
// so that a test can run under a given date picture or separator.
#pragma once

#include <windows.h>

#include <array>

namespace testsupport {

class TLocaleOverride {
public:
  TLocaleOverride(LCTYPE Type, const WCHAR* Value) : FType(Type) {
    FHad = GetLocaleInfoW(LOCALE_USER_DEFAULT, Type, FSaved.data(), static_cast<int>(FSaved.size())) > 0;
    FApplied = SetLocaleInfoW(LOCALE_USER_DEFAULT, Type, Value) != FALSE;
  }
  ~TLocaleOverride() {
    if (FApplied && FHad) SetLocaleInfoW(LOCALE_USER_DEFAULT, FType, FSaved.data());
  }
  TLocaleOverride(const TLocaleOverride&) = delete;
  TLocaleOverride& operator=(const TLocaleOverride&) = delete;

  bool Applied() const { return FApplied; }

private:
  LCTYPE FType;
  std::array<WCHAR, 128> FSaved{};
  bool FHad = false;
  bool FApplied = false;
};

}  // namespace testsupport
