#include "tests/classlib/WindowTesting.h"

#include "platform/classlib/Clipbrd.h"
#include "platform/classlib/Mask.h"
#include "platform/classlib/WideText.h"

#include <memory>

using namespace classlib;
using windowtesting::ReadForm;

namespace {

const char* const MaskForm = R"(object TestForm: TForm
  Left = 10
  Top = 10
  ClientWidth = 300
  ClientHeight = 100
  object Date1: TMaskEdit
    Left = 8
    Top = 8
    EditMask = '!99/99/0000;1;_'
  end
  object Code1: TMaskEdit
    Left = 8
    Top = 40
    EditMask = '>LL-000;1; '
  end
end)";

class MaskEdit : public ::testing::Test {
protected:
  void SetUp() override {
    Form = ReadForm(MaskForm);
    Date = dynamic_cast<TMaskEdit*>(Form->FindComponent("Date1"));
    Code = dynamic_cast<TMaskEdit*>(Form->FindComponent("Code1"));
    ASSERT_NE(Date, nullptr);
    ASSERT_NE(Code, nullptr);
    Date->HandleNeeded();
    Code->HandleNeeded();
  }
  static void Type(TMaskEdit& Edit, const char* Keys) {
    for (const char* k = Keys; *k; ++k) SendMessageW(Edit.Handle(), WM_CHAR, static_cast<unsigned char>(*k), 0);
  }
  static void Caret(TMaskEdit& Edit, int Position) { SendMessageW(Edit.Handle(), EM_SETSEL, Position, Position); }

  std::unique_ptr<TForm> Form;
  TMaskEdit* Date = nullptr;
  TMaskEdit* Code = nullptr;
};

}  // namespace

TEST_F(MaskEdit, TypingFillsThePlacesTheMaskAccepts) {
  EXPECT_EQ(Date->EditText(), "__/__/____") << "blanks and literals from the start";
  Caret(*Date, 0);
  Type(*Date, "1x2");  // the letter is refused, the literal stepped over
  Type(*Date, "0");
  EXPECT_EQ(Date->EditText(), "12/0_/____");
  EXPECT_EQ(Date->SelStart(), 4);
  EXPECT_EQ(Date->Text(), Date->EditText()) << "Text follows the window";

  SendMessageW(Date->Handle(), WM_CHAR, '\b', 0);
  EXPECT_EQ(Date->EditText(), "12/__/____");
  EXPECT_EQ(Date->SelStart(), 3);

  // Letters turn upper case; a blank of its own choosing (" ").
  Caret(*Code, 0);
  Type(*Code, "ab1");
  EXPECT_EQ(Code->EditText(), "AB-1  ");
}

TEST_F(MaskEdit, TextFromTheProgramAndTheClipboardIsLaidIntoTheMask) {
  Date->SetText("31122024");
  EXPECT_EQ(Date->EditText(), "31/12/2024");
  Date->SetText("01/02/2003");
  EXPECT_EQ(Date->EditText(), "01/02/2003") << "a value with its literals keeps them in step";

  ASSERT_TRUE(SetClipboardText("98-7"));
  Code->SetText("");
  Caret(*Code, 0);
  Code->PasteFromClipboard();
  EXPECT_EQ(Code->EditText(), "  -   ") << "the digits have no letter place to go to";
  ASSERT_TRUE(SetClipboardText("qz42"));
  Code->PasteFromClipboard();
  EXPECT_EQ(Code->EditText(), "QZ-42 ");

  // Cut blanks the selection's places and keeps the literals.
  SendMessageW(Code->Handle(), EM_SETSEL, 1, 4);
  Code->CutToClipboard();
  EXPECT_EQ(Code->EditText(), "Q - 2 ");
  EXPECT_EQ(ClipboardText(), "Z-4");
}

TEST_F(MaskEdit, ValidateEditWantsEveryRequiredPlace) {
  Date->SetText("1212");
  EXPECT_THROW(Date->ValidateEdit(), EDBEditError) << "the year's digits are required";
  Date->SetText("  122024");
  EXPECT_NO_THROW(Date->ValidateEdit()) << "the day and month digits are optional";
  Code->SetText("AB12");
  EXPECT_THROW(Code->ValidateEdit(), EDBEditError);
  Code->SetText("AB123");
  EXPECT_NO_THROW(Code->ValidateEdit());
}

TEST_F(MaskEdit, AnUnmaskedEditKeepsWhatIsTypedAndUndoes) {
  Date->SetEditMask("");
  EXPECT_FALSE(Date->IsMasked());
  Date->SetText("");
  Type(*Date, "free text");
  EXPECT_EQ(Date->Text(), "free text");
  SendMessageW(Date->Handle(), EM_SETSEL, 0, 4);
  EXPECT_EQ(Date->SelText(), "free");
  Date->ClearSelection();
  EXPECT_EQ(Date->Text(), " text");
  EXPECT_TRUE(Date->CanUndo());
  Date->Undo();
  EXPECT_EQ(Date->Text(), "free text");
}
