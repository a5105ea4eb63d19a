// The number rules the numeric edit and the spin edit share, typed for real into both: the key
// filter, the value following the text, the correction of texts out of the range, and the text
// written anew when the field loses the focus.
#include "tests/skin/boxes/SkinBoxesTesting.h"

#include "platform/classlib/FloatText.h"
#include "skin/boxes/SkinNumericEdit.h"
#include "skin/boxes/SkinSpinEdit.h"

#include <functional>
#include <string>

using namespace classlib;
using namespace skin;
using namespace skinboxestesting;

namespace {

const char NumberForm[] = R"(object TestForm: TForm
  Left = 100
  Top = 100
  Width = 400
  Height = 200
  object N: TskSkinNumericEdit
    Left = 10
    Top = 10
  end
  object S: TskSkinSpinEdit
    Left = 10
    Top = 50
  end
  object Other: TskSkinEdit
    Left = 10
    Top = 90
  end
end)";

// One field as the typing sees it: the window that takes the keys, its text and value.
struct TField {
  const char* Name;
  std::function<void(TskValueType, int, double, double, double)> Configure;  // type, decimals, start, min, max
  std::function<TWinControl&()> Window;
  std::function<String()> Shown;
  std::function<double()> Value;
};

class SkinNumberTextTest : public ::testing::Test {
protected:
  void SetUp() override {
    MouseTo(1270, 1010);
    Form = ShowForm(NumberForm);
    Numeric = dynamic_cast<TskSkinNumericEdit*>(Form->FindComponent("N"));
    Spin = dynamic_cast<TskSkinSpinEdit*>(Form->FindComponent("S"));
    Other = dynamic_cast<TskSkinEdit*>(Form->FindComponent("Other"));
    ASSERT_NE(Numeric, nullptr);
    ASSERT_NE(Spin, nullptr);
    ASSERT_NE(Other, nullptr);
  }

  std::vector<TField> Fields() {
    return {
        {"numeric edit",
         [this](TskValueType Type, int Decimal, double Start, double Min, double Max) {
           Numeric->SetValueType(Type);
           Numeric->SetDecimal(static_cast<std::uint8_t>(Decimal));
           Numeric->SetMinValue(0);
           Numeric->SetMaxValue(0);
           Numeric->SetValue(Start);
           Numeric->SetMinValue(Min);
           Numeric->SetMaxValue(Max);
         },
         [this]() -> TWinControl& { return *Numeric; }, [this] { return Numeric->Text(); },
         [this] { return Numeric->Value(); }},
        {"spin edit",
         [this](TskValueType Type, int Decimal, double Start, double Min, double Max) {
           Spin->SetValueType(Type);
           Spin->SetDecimal(static_cast<std::uint8_t>(Decimal));
           // Its range setters move the value into the new range: the value comes last.
           Spin->SetMinValue(0);
           Spin->SetMaxValue(0);
           Spin->SetMaxValue(Max);
           Spin->SetMinValue(Min);
           Spin->SetValue(Start);
         },
         [this]() -> TWinControl& { return Spin->Editor(); },
         [this] {
           EXPECT_EQ(Spin->Text(), Spin->Editor().Text()) << "the control's Text follows the editor";
           return Spin->Editor().Text();
         },
         [this] { return Spin->Value(); }},
    };
  }

  // Focuses the field with its whole text selected and types Keys.
  void Type(TField& Field, const char* Keys) {
    Field.Window().SetFocus();
    windowtesting::Pump();
    SendMessageW(Field.Window().Handle(), EM_SETSEL, 0, -1);
    for (const char* k = Keys; *k; ++k) TypeChar(*k);
  }

  void Leave() {
    Other->SetFocus();
    windowtesting::PumpFor(30);
  }

  std::unique_ptr<TForm> Form;
  TskSkinNumericEdit* Numeric = nullptr;
  TskSkinSpinEdit* Spin = nullptr;
  TskSkinEdit* Other = nullptr;
};

struct TTyping {
  const char* Name;
  TskValueType Type;
  int Decimal;
  double Start, Min, Max;
  const char* Keys;
  const char* Shown;  // while the field keeps the focus
  double Value;
  const char* Left;  // after the field lost the focus
};

constexpr TskValueType I = TskValueType::vtInteger;
constexpr TskValueType F = TskValueType::vtFloat;

}  // namespace

TEST_F(SkinNumberTextTest, TypedTextsAndTheirCorrections) {
  const TTyping table[] = {
      {"below a positive minimum: kept as typed", I, 2, 50, 10, 100, "5", "5", 10, "10"},
      {"above the maximum: replaced at the third digit", I, 2, 50, 10, 100, "150", "100", 100, "100"},
      {"within the range", I, 2, 50, 10, 100, "42", "42", 42, "42"},
      {"below a negative minimum", I, 2, 5, -10, 10, "-15", "-10", -10, "-10"},
      {"negative against a zero minimum: kept", I, 2, 50, 0, 100, "-5", "-5", 0, "0"},
      {"negative against a positive minimum: replaced", I, 2, 50, 1, 100, "-5", "1", 1, "1"},
      {"a lone minus is no number", I, 2, 50, 0, 100, "-", "-", 50, "50"},
      {"minus after digits: accepted, no number", I, 2, 0, 0, 0, "12-", "12-", 12, "12"},
      {"a second minus is dropped", I, 2, 0, 0, 0, "-1-2", "-12", -12, "-12"},
      {"letters and a separator are dropped", I, 2, 0, 0, 0, "a1.b2", "12", 12, "12"},
      {"no range", I, 2, 0, 0, 0, "-123456", "-123456", -123456, "-123456"},
      {"an integer past 32 bits is no number", I, 2, 0, 0, 0, "99999999999", "99999999999", 999999999, "999999999"},
      {"the largest integer", I, 2, 0, 0, 0, "2147483647", "2147483647", 2147483647, "2147483647"},
      {"float without a range: kept as typed", F, 2, 0, 0, 0, "3", "3", 3, "3.00"},
      {"float with a negative minimum: formatted at once", F, 2, 0, -10, 10, "3", "3.00", 3, "3.00"},
      {"float decimals", F, 3, 0, 0, 0, "2.5", "2.5", 2.5, "2.500"},
      {"a second separator is dropped", F, 2, 0, 0, 0, "1.2.3", "1.23", 1.23, "1.23"},
      {"a leading separator is no number", F, 0, 7, 0, 0, ".5", ".5", 7, "7"},
      {"float above the maximum", F, 1, 0, 0, 10, "12", "10.0", 10, "10.0"},
  };
  for (TField& field : Fields()) {
    for (const TTyping& row : table) {
      SCOPED_TRACE(std::string(field.Name) + ": " + row.Name);
      field.Configure(row.Type, row.Decimal, row.Start, row.Min, row.Max);
      Type(field, row.Keys);
      EXPECT_EQ(field.Shown(), row.Shown);
      EXPECT_DOUBLE_EQ(field.Value(), row.Value);
      Leave();
      EXPECT_EQ(field.Shown(), row.Left);
      EXPECT_DOUBLE_EQ(field.Value(), row.Value);
    }
  }
}

TEST_F(SkinNumberTextTest, CharactersPastASCIIAreDropped) {
  for (TField& field : Fields()) {
    SCOPED_TRACE(field.Name);
    field.Configure(TskValueType::vtFloat, 2, 0, 0, 0);
    Type(field, "12");
    for (WPARAM c : {0xE9, 0x661, 0x2212}) SendMessageW(field.Window().Handle(), WM_CHAR, c, 0);
    EXPECT_EQ(field.Shown(), "12");
    EXPECT_DOUBLE_EQ(field.Value(), 12);
  }
}

// The user's decimal separator set for the test's span, then given back.
class TDecimalSeparator {
public:
  explicit TDecimalSeparator(const WCHAR* Separator) {
    GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, FSaved, 8);
    SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, Separator);
  }
  ~TDecimalSeparator() { SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, FSaved); }
  TDecimalSeparator(const TDecimalSeparator&) = delete;
  TDecimalSeparator& operator=(const TDecimalSeparator&) = delete;

private:
  WCHAR FSaved[8] = {};
};

TEST_F(SkinNumberTextTest, TheSeparatorIsTheLocales) {
  const char before = DecimalSeparator();
  {
    TDecimalSeparator comma(L",");
    ASSERT_EQ(DecimalSeparator(), ',');
    for (TField& field : Fields()) {
      SCOPED_TRACE(field.Name);
      field.Configure(TskValueType::vtFloat, 2, 0, 0, 0);
      EXPECT_EQ(field.Shown(), "0,00");
      Type(field, "1.5");
      EXPECT_EQ(field.Shown(), "15") << "a full stop is no separator here";
      Type(field, "1,5");
      EXPECT_DOUBLE_EQ(field.Value(), 1.5);
      Leave();
      EXPECT_EQ(field.Shown(), "1,50");
    }
  }
  EXPECT_EQ(DecimalSeparator(), before);
}
