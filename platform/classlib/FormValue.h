// The parsed form of a stored form description: objects, their properties and values.
#pragma once

#include "platform/classlib/Types.h"

#include <cstdint>
#include <vector>

namespace classlib {

struct TFormItem;

// One property value as written in a form description.
struct TFormValue {
  enum class Kind { Integer, Float, String, Ident, Set, Binary, List, Collection };

  Kind kind = Kind::Integer;
  std::int64_t Integer = 0;
  double Float = 0;
  String Text;                          // String (decoded, UTF-8) and Ident
  std::vector<String> Names;            // Set: the member identifiers, as written
  std::vector<std::uint8_t> Bytes;      // Binary: the bytes of a { ... } block
  std::vector<TFormValue> Items;        // List: the values of a ( ... ) list
  std::vector<TFormItem> Collection;    // Collection: the items of a < ... > block
  int Line = 0;                         // where the value starts, for messages
};

struct TFormProperty {
  String Name;  // may be dotted ("Font.Height", "Items.Strings")
  TFormValue Value;
  int Line = 0;
};

// One "item ... end" of a collection.
struct TFormItem {
  std::vector<TFormProperty> Properties;
};

// One "object Name: TClass ... end" with its properties and children in stored order.
struct TFormObject {
  String Name;
  String ClassName;
  std::vector<TFormProperty> Properties;
  std::vector<TFormObject> Children;
  int Line = 0;
};

}  // namespace classlib
