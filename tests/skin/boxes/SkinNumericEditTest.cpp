// The numeric edit: its range, the Up and Down keys, OnChange, and reading it from a description.
// The typing rules it shares with the spin edit are tested with both in SkinNumberTextTest.
#include "tests/skin/boxes/SkinBoxesTesting.h"

#include "skin/boxes/SkinNumericEdit.h"

#include <utility>

using namespace classlib;
using namespace skin;
using namespace skinboxestesting;

namespace {

const char NumericForm[] = R"(object TestForm: TForm
  Left = 100
  Top = 100
  Width = 400
  Height = 200
  object Plain: TskSkinNumericEdit
    Left = 10
    Top = 10
  end
  object N: TskSkinNumericEdit
    Left = 10
    Top = 50
    ValueType = vtFloat
    Decimal = 3
    MinValue = -1
    MaxValue = 1
    Value = 5
    Increment = 0.25
    SupportUpDownKeys = True
    Alignment = taRightJustify
  end
end)";

class SkinNumericEditTest : public ::testing::Test {
protected:
  void SetUp() override {
    MouseTo(1270, 1010);
    Form = ShowForm(NumericForm);
    Plain = dynamic_cast<TskSkinNumericEdit*>(Form->FindComponent("Plain"));
    Edit = dynamic_cast<TskSkinNumericEdit*>(Form->FindComponent("N"));
    ASSERT_NE(Plain, nullptr);
    ASSERT_NE(Edit, nullptr);
  }

  std::unique_ptr<TForm> Form;
  TskSkinNumericEdit* Plain = nullptr;
  TskSkinNumericEdit* Edit = nullptr;
};

}  // namespace

TEST_F(SkinNumericEditTest, DescriptionsSetThePublishedPropertiesOverTheDefaults) {
  EXPECT_EQ(Plain->ValueType(), TskValueType::vtInteger);
  EXPECT_EQ(Plain->Value(), 0);
  EXPECT_EQ(Plain->Text(), "0");
  EXPECT_EQ(Plain->MinValue(), 0);
  EXPECT_EQ(Plain->MaxValue(), 0);
  EXPECT_EQ(Plain->Increment(), 1);
  EXPECT_EQ(Plain->Decimal(), 2);
  EXPECT_FALSE(Plain->SupportUpDownKeys());
  EXPECT_EQ(Plain->SkinDataName(), "edit");
  EXPECT_EQ(Plain->Width(), 120);
  EXPECT_EQ(Plain->Height(), 20);

  EXPECT_EQ(Edit->ValueType(), TskValueType::vtFloat);
  EXPECT_EQ(Edit->Decimal(), 3);
  EXPECT_EQ(Edit->MinValue(), -1);
  EXPECT_EQ(Edit->MaxValue(), 1);
  EXPECT_EQ(Edit->Value(), 1) << "clamped";
  EXPECT_EQ(Edit->Text(), "1.000");
  EXPECT_EQ(Edit->Increment(), 0.25);
  EXPECT_TRUE(Edit->SupportUpDownKeys());
  EXPECT_EQ(Edit->Alignment(), TAlignment::taRightJustify);
}

TEST_F(SkinNumericEditTest, RangeAndValueWrites) {
  int changes = 0;
  Plain->OnChange = [&](TObject*) { ++changes; };
  // Equal bounds set no limit; otherwise the value is clamped.
  struct TCheck {
    double Min, Max, X, Expected;
  };
  const TCheck checks[] = {{0, 0, -1e9, -1e9}, {5, 5, 7, 7}, {5, 5, -7, -7}, {1, 10, 0, 1}, {1, 10, 11, 10}, {1, 10, 4, 4}};
  for (const TCheck& c : checks) {
    Plain->SetMinValue(c.Min);
    Plain->SetMaxValue(c.Max);
    EXPECT_EQ(Plain->CheckValue(c.X), c.Expected) << c.Min << ".." << c.Max << " " << c.X;
  }
  // A new range leaves the value and the text alone; a write clamps and raises OnChange.
  Plain->SetMinValue(0);
  Plain->SetMaxValue(0);
  Plain->SetValue(50);
  EXPECT_EQ(changes, 1);
  Plain->SetMinValue(1);
  Plain->SetMaxValue(10);
  EXPECT_EQ(Plain->Value(), 50);
  EXPECT_EQ(Plain->Text(), "50");
  Plain->SetValue(Plain->Value());
  EXPECT_EQ(Plain->Value(), 10);
  EXPECT_EQ(Plain->Text(), "10");
  EXPECT_EQ(changes, 2);
  // Integers round halves to the even neighbour.
  Plain->SetMaxValue(0);
  Plain->SetMinValue(0);
  const std::pair<double, const char*> rounded[] = {{2.5, "2"}, {3.5, "4"}, {-2.5, "-2"}, {-0.4, "0"}};
  for (const auto& [value, text] : rounded) {
    Plain->SetValue(value);
    EXPECT_EQ(Plain->Text(), text) << value;
  }
}

TEST_F(SkinNumericEditTest, UpAndDownStepOnlyWhenSupported) {
  Plain->SetMaxValue(3);
  Plain->SetMinValue(-3);
  Plain->SetFocus();
  windowtesting::Pump();
  TapKey(VK_UP);
  EXPECT_EQ(Plain->Value(), 0) << "off after construction";

  Edit->SetFocus();
  windowtesting::Pump();
  TapKey(VK_DOWN);
  EXPECT_EQ(Edit->Value(), 0.75);
  EXPECT_EQ(Edit->Text(), "0.750");
  for (int i = 0; i < 3; ++i) TapKey(VK_UP);
  EXPECT_EQ(Edit->Value(), 1) << "held at the maximum";
  for (int i = 0; i < 10; ++i) TapKey(VK_DOWN);
  EXPECT_EQ(Edit->Value(), -1) << "held at the minimum";
}
