#include "skin/data/Skconst.h"

#include <iterator>

namespace skin {

namespace {

struct TNamedString {
  const char* Name;
  const char* Text;
};

#define SKIN_ENGINE_STRING_ENTRY(Name, Text) {"SK_" #Name, Text},
constexpr TNamedString kStrings[] = {SKIN_ENGINE_STRINGS(SKIN_ENGINE_STRING_ENTRY)};
#undef SKIN_ENGINE_STRING_ENTRY

}  // namespace

bool FindSkinEngineString(const classlib::String& Name, classlib::String& Text) {
  for (const TNamedString& entry : kStrings)
    if (Name == entry.Name) {
      Text = entry.Text;
      return true;
    }
  return false;
}

}  // namespace skin
