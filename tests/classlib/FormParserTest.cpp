#include "tests/support/testing.h"

#include "platform/classlib/FormParser.h"

#include <cstdio>

using namespace classlib;

namespace {

// A value in one canonical line, so a table can state what a value must parse to.
String Dump(const TFormValue& value);

String DumpProperties(const std::vector<TFormProperty>& properties) {
  String text;
  for (const TFormProperty& property : properties) text += " " + property.Name + "=" + Dump(property.Value);
  return text;
}

String Dump(const TFormValue& value) {
  String text;
  switch (value.kind) {
    case TFormValue::Kind::Integer: return "int:" + std::to_string(value.Integer);
    case TFormValue::Kind::Float: {
      char number[32];
      std::snprintf(number, sizeof number, "%g", value.Float);
      return String("float:") + number;
    }
    case TFormValue::Kind::String:
      for (char c : value.Text) {
        const auto byte = static_cast<unsigned char>(c);
        char escaped[8];
        std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
        text += (byte >= 0x20 && byte < 0x7F) ? String(1, c) : String(escaped);
      }
      return "str:" + text;
    case TFormValue::Kind::Ident: return "id:" + value.Text;
    case TFormValue::Kind::Set:
      for (const String& name : value.Names) text += (text.empty() ? "" : ",") + name;
      return "set[" + text + "]";
    case TFormValue::Kind::Binary:
      for (std::uint8_t byte : value.Bytes) {
        char hex[4];
        std::snprintf(hex, sizeof hex, "%02X", byte);
        text += hex;
      }
      return "bin:" + text;
    case TFormValue::Kind::List:
      for (const TFormValue& item : value.Items) text += " " + Dump(item);
      return "list(" + text + " )";
    case TFormValue::Kind::Collection:
      for (const TFormItem& item : value.Collection) text += " item{" + DumpProperties(item.Properties) + " }";
      return "coll<" + text + " >";
  }
  return "?";
}

// The value of the one property P of a description around ValueText.
TFormValue ParseValue(const String& valueText) {
  const TFormObject object = ParseFormDescription("object A: TA\n  P = " + valueText + "\nend\n", "Form1");
  EXPECT_EQ(object.Properties.size(), 1u);
  return object.Properties.empty() ? TFormValue{} : object.Properties[0].Value;
}

TEST(FormParser, ReadsObjectsPropertiesAndChildrenInOrderWithTheirLines) {
  // Keywords in any case, CR LF line breaks, blank lines and free indentation.
  const String text =
      "\xEF\xBB\xBF"
      "object Form1: TForm1\r\n"
      "  Left = 10\r\n"
      "  Font.Height = -11\r\n"
      "\r\n"
      "  OBJECT Panel1: TPanel\r\n"
      "      Align = alClient\r\n"
      "    object Button1: TButton\r\n"
      "      Caption = 'OK'\r\n"
      "    End\r\n"
      "    object Button2: TButton\r\n"
      "    end\r\n"
      "  end\r\n"
      "object Timer1: TTimer\r\n"
      "  Interval = 50 end\r\n"
      "end\r\n";
  const TFormObject form = ParseFormDescription(text, "Form1");
  EXPECT_EQ(form.Name, "Form1");
  EXPECT_EQ(form.ClassName, "TForm1");
  EXPECT_EQ(form.Line, 1);
  ASSERT_EQ(form.Properties.size(), 2u);
  EXPECT_EQ(form.Properties[1].Name, "Font.Height");
  EXPECT_EQ(form.Properties[1].Line, 3);
  EXPECT_EQ(Dump(form.Properties[1].Value), "int:-11");

  ASSERT_EQ(form.Children.size(), 2u);
  const TFormObject& panel = form.Children[0];
  EXPECT_EQ(panel.Name, "Panel1");
  EXPECT_EQ(panel.ClassName, "TPanel");
  EXPECT_EQ(panel.Line, 5);
  ASSERT_EQ(panel.Children.size(), 2u);
  EXPECT_EQ(panel.Children[0].Name, "Button1");
  EXPECT_EQ(panel.Children[0].Properties[0].Line, 8);
  EXPECT_EQ(panel.Children[1].Name, "Button2");
  EXPECT_TRUE(panel.Children[1].Properties.empty());
  EXPECT_EQ(form.Children[1].Name, "Timer1");
  EXPECT_EQ(form.Children[1].Line, 13);
  EXPECT_EQ(DumpProperties(form.Children[1].Properties), " Interval=int:50");
}

TEST(FormParser, ParsesEveryKindOfValue) {
  const struct {
    const char* text;
    const char* expected;
  } cases[] = {
      {"42", "int:42"},
      {"-11", "int:-11"},
      {"$1F", "int:31"},
      {"$80000005", "int:2147483653"},
      {"-$10", "int:-16"},
      {"9223372036854775807", "int:9223372036854775807"},
      {"-9223372036854775808", "int:-9223372036854775808"},
      {"1.5", "float:1.5"},
      {"-0.25", "float:-0.25"},
      {"1.5E3", "float:1500"},
      {"'Hello'", "str:Hello"},
      {"''", "str:"},
      {"'it''s'", "str:it's"},
      {"'a'#13#10'b'", "str:a\\x0D\\x0Ab"},
      {"#39", "str:'"},
      {"'caf'#233", "str:caf\\xC3\\xA9"},
      {"#1234", "str:\\xD3\\x92"},
      {"#55357#56832", "str:\\xF0\\x9F\\x98\\x80"},
      {"'\xC3\xBC'", "str:\\xC3\\xBC"},
      {"'first line ' +\n    'second'", "str:first line second"},
      {"'a' + #13 +\n#10 + 'b'", "str:a\\x0D\\x0Ab"},
      {"#55357 +\n  #56832", "str:\\xF0\\x9F\\x98\\x80"},
      {"True", "id:True"},
      {"clBtnFace", "id:clBtnFace"},
      {"Button1Click", "id:Button1Click"},
      {"[akLeft, akTop]", "set[akLeft,akTop]"},
      {"[ akLeft ]", "set[akLeft]"},
      {"[]", "set[]"},
      {"{\n    0A1B\n    ff00}", "bin:0A1BFF00"},
      {"{}", "bin:"},
      {"(\n    'a'\n    'b' +\n    'c'\n    1)", "list( str:a str:bc int:1 )"},
      {"()", "list( )"},
      {"<\n    item\n      Width = 10\n      Caption = 'x'\n    end\n    item\n    end>",
       "coll< item{ Width=int:10 Caption=str:x } item{ } >"},
      {"<>", "coll< >"},
      {"<\n  item\n    Lines.Strings = ('x' 'y')\n  end>", "coll< item{ Lines.Strings=list( str:x str:y ) } >"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(Dump(ParseValue(c.text)), c.expected);
  }
}

TEST(FormParser, ValuesKnowTheLineTheyStartOn) {
  const TFormObject object = ParseFormDescription(
      "object A: TA\n  Items.Strings = (\n    'a'\n    'b')\n  Data =\n    {00}\nend", "Form1");
  ASSERT_EQ(object.Properties.size(), 2u);
  EXPECT_EQ(object.Properties[0].Value.Line, 2);
  EXPECT_EQ(object.Properties[0].Value.Items[1].Line, 4);
  EXPECT_EQ(object.Properties[1].Line, 5);
  EXPECT_EQ(object.Properties[1].Value.Line, 6);
}

TEST(FormParser, MalformedDescriptionsNameTheFormTheLineAndTheFault) {
  const String deepLists = "object A: TA\n  P = " + String(100000, '(') + "\nend";
  String deepObjects;
  for (int i = 0; i < 300; ++i) deepObjects += "object A" + std::to_string(i) + ": TA\n";
  const struct {
    String text;
    int line;
    const char* fault;
  } cases[] = {
      {"", 1, "\"object\" expected but end of text found"},
      {"  \n\n", 3, "\"object\" expected but end of text found"},
      {"object Form1\n  Left = 1\nend", 2, "\":\" expected but \"Left\" found"},
      {"object Form1: TForm1\n  Caption = 'abc\nend", 2, "unterminated string"},
      {"object Form1: TForm1\n  Caption = 'abc", 2, "unterminated string"},
      {"object Form1: TForm1\n  Left = 1\n", 1, "missing \"end\" of object Form1"},
      {"object Form1: TForm1\n  object B: TB\n    Left = 1\n  end\n", 1, "missing \"end\" of object Form1"},
      {"inherited Form1: TForm1\nend", 1, "\"inherited\" objects are not supported"},
      {"object F: TF\n  inline Frame1: TFrame1\n  end\nend", 2, "\"inline\" objects are not supported"},
      {"object F: TF\n  Left =\nend", 3, "a property value expected but \"end\" found"},
      {"object F: TF\n  Left = 1\n  Top\nend", 4, "\"=\" expected but \"end\" found"},
      {"object F: TF\n  Left 5\nend", 2, "\"=\" expected but \"5\" found"},
      {"object F: TF\n  Font. = 1\nend", 2, "a property name expected but \"=\" found"},
      {"object F: TF\n  Left = 1 // the left edge\nend", 2, "invalid character \"/\""},
      {"object F: TF\n  Left = \x01\nend", 2, "invalid character (byte 0x01)"},
      {"object F: TF\n  Left = 99999999999999999999\nend", 2, "number out of range: 99999999999999999999"},
      {"object F: TF\n  Left = $10000000000000000\nend", 2, "number out of range"},
      {"object F: TF\n  Left = -$8000000000000001\nend", 2, "number out of range"},
      {"object F: TF\n  Left = 1e999\nend", 2, "number out of range: 1e999"},
      {"object F: TF\n  Left = 12ab\nend", 2, "invalid number 12ab"},
      {"object F: TF\n  Left = 1.\nend", 2, "invalid number 1."},
      {"object F: TF\n  Left = $\nend", 2, "invalid number $"},
      {"object F: TF\n  Left = 1 + 2\nend", 2, "\"+\" joins only strings"},
      {"object F: TF\n  Caption = 'a' +\nend", 3, "a string after \"+\" expected but \"end\" found"},
      {"object F: TF\n  Caption = #\nend", 2, "a character code is expected after \"#\""},
      {"object F: TF\n  Caption = 'a'#1114112\nend", 2, "character code out of range"},
      {"object F: TF\n  Caption = #55357'a'\nend", 2, "unpaired surrogate #55357"},
      {"object F: TF\n  Caption = 'a' +\n #55357\nend", 3, "unpaired surrogate #55357"},
      {"object F: TF\n  Caption = #56832\nend", 2, "unpaired surrogate #56832"},
      {"object F: TF\n  Caption = 'a\xC3('\nend", 2, "invalid UTF-8 in a string"},
      {"object F: TF\n  Caption = '\xED\xA0\x80'\nend", 2, "invalid UTF-8 in a string"},
      {"object F: TF\n  Data = {\n    0A1\n  }\nend", 2, "odd number of hex digits in a binary block"},
      {"object F: TF\n  Data = {\n    0A\n    1G }\nend", 4, "invalid character \"G\" in a binary block"},
      {"object F: TF\n  Data = { 0A\n", 2, "unterminated binary block"},
      {"object F: TF\n  Anchors = [akLeft,\n", 2, "unterminated set"},
      {"object F: TF\n  Anchors = [akLeft akTop]\nend", 2, "\",\" expected but \"akTop\" found"},
      {"object F: TF\n  Anchors = [akLeft,]\nend", 2, "a set member expected but \"]\" found"},
      {"object F: TF\n  Anchors = [1]\nend", 2, "a set member expected but \"1\" found"},
      {"object F: TF\n  Items.Strings = (\n    'a'\n", 2, "unterminated list"},
      {"object F: TF\n  Items.Strings = (\n    'a' = )\nend", 3, "a property value expected but \"=\" found"},
      {"object F: TF\n  Columns = <\n    Width = 1>\nend", 3, "\"item\" expected but \"Width\" found"},
      {"object F: TF\n  Columns = <\n    item\n      Width = 1\n", 3, "missing \"end\" of a collection item"},
      {"object F: TF\n  Columns = <\n    item\n    end\n", 2, "unterminated collection"},
      {"object F: TF\n  Columns = <\n    item\n      object B: TB\n      end\n    end>\nend", 4,
       "a collection item cannot hold objects"},
      {"object F: TF\n  object B: TB\n  end\n  Left = 1\nend", 4, "properties must come before the child objects"},
      {"object F: TF\nend\nobject G: TG\nend", 3, "text after the end of the form"},
      {deepLists, 2, "nesting too deep"},
      {deepObjects, 257, "nesting too deep"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text.substr(0, 80));
    try {
      ParseFormDescription(c.text, "Form1");
      ADD_FAILURE() << "no error";
    } catch (const EReadError& e) {
      const String expected = "Form1: line " + std::to_string(c.line) + ": ";
      EXPECT_EQ(e.Message().substr(0, expected.size()), expected) << e.Message();
      EXPECT_NE(e.Message().find(c.fault), String::npos) << e.Message();
    }
  }
}

TEST(FormParser, EveryTruncationOfAGoodDescriptionIsAnError) {
  const String text =
      "object Form1: TForm1\n"
      "  Caption = 'it''s'#13#10'ok' +\n"
      "    'more'\n"
      "  Left = -$1F\n"
      "  Scale = 1.5E2\n"
      "  Anchors = [akLeft, akTop]\n"
      "  Data = {\n"
      "    0A1B}\n"
      "  Items.Strings = (\n"
      "    'a'\n"
      "    1)\n"
      "  Columns = <\n"
      "    item\n"
      "      Width = 1\n"
      "    end>\n"
      "  object Panel1: TPanel\n"
      "  end\n"
      "end";
  ASSERT_NO_THROW(ParseFormDescription(text, "Form1"));
  for (size_t length = 0; length < text.size(); ++length) {
    SCOPED_TRACE(length);
    EXPECT_THROW(ParseFormDescription(text.substr(0, length), "Form1"), EReadError);
  }
}

}  // namespace
