#include "platform/classlib/FormParser.h"

#include <charconv>
#include <cstdint>
#include <cstdio>
#include <string_view>
#include <system_error>
#include <utility>

namespace classlib {
namespace {

// Real forms nest a dozen levels deep; the limit keeps hostile text from exhausting the stack.
constexpr int kMaxNesting = 256;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsIdentStart(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
bool IsIdentChar(char c) { return IsIdentStart(c) || IsDigit(c); }
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v'; }

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// Keywords of the format compare without regard to case, as the identifiers of the language do.
bool SameText(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
    if (x != y) return false;
  }
  return true;
}

// A character for a message: itself when printable, else its byte value.
String DescribeChar(char c) {
  const auto byte = static_cast<unsigned char>(c);
  if (byte > 0x20 && byte < 0x7F) return String("\"") + c + "\"";
  char text[16];
  std::snprintf(text, sizeof text, "(byte 0x%02X)", byte);
  return text;
}

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool IsValidUtf8(std::string_view text) {
  size_t i = 0;
  while (i < text.size()) {
    const auto lead = static_cast<unsigned char>(text[i]);
    size_t length;
    std::uint32_t code;
    if (lead < 0x80) {
      ++i;
      continue;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
      length = 2, code = lead & 0x1Fu;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      length = 3, code = lead & 0x0Fu;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      length = 4, code = lead & 0x07u;
    } else {
      return false;
    }
    if (text.size() - i < length) return false;
    for (size_t k = 1; k < length; ++k) {
      const auto next = static_cast<unsigned char>(text[i + k]);
      if ((next & 0xC0) != 0x80) return false;
      code = (code << 6) | (next & 0x3Fu);
    }
    if ((length == 3 && code < 0x800) || (length == 4 && code < 0x10000)) return false;
    if ((code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF) return false;
    i += length;
  }
  return true;
}

void AppendUtf8(String& text, std::uint32_t code) {
  if (code < 0x80) {
    text += static_cast<char>(code);
  } else if (code < 0x800) {
    text += static_cast<char>(0xC0 | (code >> 6));
    text += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    text += static_cast<char>(0xE0 | (code >> 12));
    text += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    text += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    text += static_cast<char>(0xF0 | (code >> 18));
    text += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    text += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    text += static_cast<char>(0x80 | (code & 0x3F));
  }
}

// One quoted run or one #N character code of a string literal.
struct TStringPiece {
  bool IsCode = false;
  String Text;             // the bytes of a quoted run, quotes undoubled
  std::uint32_t Code = 0;  // the value of #N
};

enum class TTokenKind { End, Ident, Integer, Float, String, Binary, Symbol };

struct TToken {
  TTokenKind Kind = TTokenKind::End;
  String Text;  // an identifier, number or symbol as written
  std::int64_t Integer = 0;
  double Float = 0;
  std::vector<TStringPiece> Pieces;
  std::vector<std::uint8_t> Bytes;
  int Line = 1;
};

String DescribeToken(const TToken& token) {
  switch (token.Kind) {
    case TTokenKind::End: return "end of text";
    case TTokenKind::String: return "a string";
    case TTokenKind::Binary: return "a binary block";
    default: return "\"" + token.Text + "\"";
  }
}

// Splits the text into tokens, one token ahead of the parser.
class TFormLexer {
public:
  TFormLexer(std::string_view Text, const String& FormName) : FText(Text), FFormName(FormName) {
    if (FText.substr(0, 3) == "\xEF\xBB\xBF") FPos = 3;
    FCurrent = Scan();
  }

  const TToken& Current() const { return FCurrent; }
  void Advance() { FCurrent = Scan(); }
  TToken Take() { return std::exchange(FCurrent, Scan()); }

  EReadError Error(int Line, const String& What) const { return FormError(FFormName, Line, What); }

private:
  bool AtEnd() const { return FPos >= FText.size(); }
  char Peek(size_t Ahead = 0) const { return FPos + Ahead < FText.size() ? FText[FPos + Ahead] : '\0'; }

  // Consumes one blank character, counting CR LF, LF and a lone CR as one line break.
  bool SkipBlank() {
    if (AtEnd() || !IsBlank(Peek())) return false;
    const char c = FText[FPos++];
    if (c == '\n' || c == '\r') {
      ++FLine;
      if (c == '\r' && Peek() == '\n') ++FPos;
    }
    return true;
  }

  TToken Scan() {
    while (SkipBlank()) {
    }
    TToken token;
    token.Line = FLine;
    if (AtEnd()) return token;
    const char c = Peek();
    if (IsIdentStart(c)) {
      const size_t start = FPos;
      while (IsIdentChar(Peek())) ++FPos;
      token.Kind = TTokenKind::Ident;
      token.Text = String(FText.substr(start, FPos - start));
    } else if (IsDigit(c) || c == '$' || (c == '-' && (IsDigit(Peek(1)) || Peek(1) == '$'))) {
      ScanNumber(token);
    } else if (c == '\'' || c == '#') {
      ScanString(token);
    } else if (c == '{') {
      ScanBinary(token);
    } else if (String("=:.,[]()<>+").find(c) != String::npos) {
      ++FPos;
      token.Kind = TTokenKind::Symbol;
      token.Text = String(1, c);
    } else {
      throw Error(FLine, "invalid character " + DescribeChar(c));
    }
    return token;
  }

  void ScanNumber(TToken& token) {
    const size_t start = FPos;
    const bool negative = Peek() == '-';
    if (negative) ++FPos;
    bool isFloat = false;
    if (Peek() == '$') {
      ++FPos;
      while (HexValue(Peek()) >= 0) ++FPos;
    } else {
      while (IsDigit(Peek())) ++FPos;
      if (Peek() == '.' && IsDigit(Peek(1))) {
        isFloat = true;
        ++FPos;
        while (IsDigit(Peek())) ++FPos;
      }
      const size_t sign = (Peek(1) == '+' || Peek(1) == '-') ? 1 : 0;
      if ((Peek() == 'e' || Peek() == 'E') && IsDigit(Peek(1 + sign))) {
        isFloat = true;
        FPos += 1 + sign;
        while (IsDigit(Peek())) ++FPos;
      }
    }
    // Whatever sticks to the number belongs to it: "12ab" and "1." are bad numbers, not two tokens.
    while (IsIdentChar(Peek()) || Peek() == '.' || Peek() == '$') ++FPos;
    token.Text = String(FText.substr(start, FPos - start));
    const char* first = FText.data() + start;
    const char* last = FText.data() + FPos;
    std::from_chars_result result{};
    if (isFloat) {
      token.Kind = TTokenKind::Float;
      result = std::from_chars(first, last, token.Float);
    } else if (token.Text[negative ? 1 : 0] == '$') {
      token.Kind = TTokenKind::Integer;
      std::uint64_t magnitude = 0;
      result = std::from_chars(first + (negative ? 2 : 1), last, magnitude, 16);
      // Hexadecimal is a bit pattern: $FFFFFFFF is the unsigned 32-bit value, and 64 bits wrap as in Int64.
      if (result.ec == std::errc{} && negative && magnitude > (std::uint64_t{1} << 63))
        result.ec = std::errc::result_out_of_range;
      token.Integer = static_cast<std::int64_t>(negative ? 0 - magnitude : magnitude);
    } else {
      token.Kind = TTokenKind::Integer;
      result = std::from_chars(first, last, token.Integer);
    }
    if (result.ec == std::errc::result_out_of_range) throw Error(FLine, "number out of range: " + token.Text);
    if (result.ec != std::errc{} || result.ptr != last) throw Error(FLine, "invalid number " + token.Text);
  }

  // Quoted runs ('it''s') and character codes (#13) written side by side make one string.
  void ScanString(TToken& token) {
    token.Kind = TTokenKind::String;
    while (true) {
      if (Peek() == '\'') {
        ++FPos;
        TStringPiece piece;
        while (true) {
          if (AtEnd() || Peek() == '\n' || Peek() == '\r') throw Error(FLine, "unterminated string");
          const char c = FText[FPos++];
          if (c != '\'') {
            piece.Text += c;
          } else if (Peek() == '\'') {
            piece.Text += '\'';
            ++FPos;
          } else {
            break;
          }
        }
        if (!IsValidUtf8(piece.Text)) throw Error(FLine, "invalid UTF-8 in a string");
        token.Pieces.push_back(std::move(piece));
      } else if (Peek() == '#') {
        ++FPos;
        if (!IsDigit(Peek())) throw Error(FLine, "a character code is expected after \"#\"");
        TStringPiece piece;
        piece.IsCode = true;
        while (IsDigit(Peek())) {
          piece.Code = piece.Code * 10 + static_cast<std::uint32_t>(Peek() - '0');
          if (piece.Code > 0x10FFFF) throw Error(FLine, "character code out of range");
          ++FPos;
        }
        token.Pieces.push_back(std::move(piece));
      } else {
        return;
      }
    }
  }

  void ScanBinary(TToken& token) {
    const int startLine = FLine;
    ++FPos;
    token.Kind = TTokenKind::Binary;
    int highNibble = -1;
    while (true) {
      if (AtEnd()) throw Error(startLine, "unterminated binary block");
      if (SkipBlank()) continue;
      const char c = FText[FPos];
      if (c == '}') break;
      const int value = HexValue(c);
      if (value < 0) throw Error(FLine, "invalid character " + DescribeChar(c) + " in a binary block");
      ++FPos;
      if (highNibble < 0) {
        highNibble = value;
      } else {
        token.Bytes.push_back(static_cast<std::uint8_t>(highNibble << 4 | value));
        highNibble = -1;
      }
    }
    ++FPos;
    if (highNibble >= 0) throw Error(startLine, "odd number of hex digits in a binary block");
  }

  std::string_view FText;
  const String& FFormName;
  size_t FPos = 0;
  int FLine = 1;
  TToken FCurrent;
};

// Joins the pieces of a string value into UTF-8. #N codes are code points, but a surrogate pair
// (#55357#56832, as UTF-16 text is written) is joined into one, even across a "+" line break.
class TStringDecoder {
public:
  explicit TStringDecoder(const TFormLexer& Lexer) : FLexer(Lexer) {}

  void Append(const TToken& token) {
    for (const TStringPiece& piece : token.Pieces) {
      if (!piece.IsCode) {
        CheckNoPendingHalf();
        FText += piece.Text;
      } else if (piece.Code >= 0xD800 && piece.Code <= 0xDBFF) {
        CheckNoPendingHalf();
        FHighHalf = piece.Code;
        FHighHalfLine = token.Line;
      } else if (piece.Code >= 0xDC00 && piece.Code <= 0xDFFF) {
        if (FHighHalf == 0) throw FLexer.Error(token.Line, "unpaired surrogate #" + std::to_string(piece.Code));
        AppendUtf8(FText, 0x10000 + ((FHighHalf - 0xD800) << 10) + (piece.Code - 0xDC00));
        FHighHalf = 0;
      } else {
        CheckNoPendingHalf();
        AppendUtf8(FText, piece.Code);
      }
    }
  }

  String Finish() {
    CheckNoPendingHalf();
    return std::move(FText);
  }

private:
  void CheckNoPendingHalf() const {
    if (FHighHalf != 0) throw FLexer.Error(FHighHalfLine, "unpaired surrogate #" + std::to_string(FHighHalf));
  }

  const TFormLexer& FLexer;
  String FText;
  std::uint32_t FHighHalf = 0;
  int FHighHalfLine = 0;
};

class TFormParser {
public:
  TFormParser(std::string_view Text, const String& FormName) : FLexer(Text, FormName) {}

  TFormObject ParseRoot() {
    TFormObject root = ParseObject();
    if (Current().Kind != TTokenKind::End) throw Error(Current().Line, "text after the end of the form");
    return root;
  }

private:
  // Counts the depth of objects and values for as long as one is being parsed.
  class TNesting {
  public:
    TNesting(TFormParser& Parser, int Line) : FDepth(Parser.FDepth) {
      if (FDepth >= kMaxNesting) throw Parser.Error(Line, "nesting too deep");
      ++FDepth;
    }
    ~TNesting() { --FDepth; }
    TNesting(const TNesting&) = delete;
    TNesting& operator=(const TNesting&) = delete;

  private:
    int& FDepth;
  };

  const TToken& Current() const { return FLexer.Current(); }
  EReadError Error(int Line, const String& What) const { return FLexer.Error(Line, What); }
  EReadError Unexpected(const String& Expected) const {
    return Error(Current().Line, Expected + " expected but " + DescribeToken(Current()) + " found");
  }

  bool IsKeyword(const char* Word) const {
    return Current().Kind == TTokenKind::Ident && SameText(Current().Text, Word);
  }
  bool IsObjectStart() const { return IsKeyword("object") || IsKeyword("inherited") || IsKeyword("inline"); }
  bool IsSymbol(char Symbol) const {
    return Current().Kind == TTokenKind::Symbol && Current().Text[0] == Symbol;
  }
  bool AtEnd() const { return Current().Kind == TTokenKind::End; }

  String ExpectIdent(const String& What) {
    if (Current().Kind != TTokenKind::Ident) throw Unexpected(What);
    return FLexer.Take().Text;
  }
  void ExpectSymbol(char Symbol) {
    if (!IsSymbol(Symbol)) throw Unexpected(String("\"") + Symbol + "\"");
    FLexer.Advance();
  }

  TFormObject ParseObject() {
    const TNesting nesting(*this, Current().Line);
    if (IsKeyword("inherited") || IsKeyword("inline"))
      throw Error(Current().Line, "\"" + Current().Text + "\" objects are not supported");
    if (!IsKeyword("object")) throw Unexpected("\"object\"");
    TFormObject object;
    object.Line = Current().Line;
    FLexer.Advance();
    object.Name = ExpectIdent("a component name");
    ExpectSymbol(':');
    object.ClassName = ExpectIdent("a class name");
    while (!IsKeyword("end")) {
      if (AtEnd()) throw Error(object.Line, "missing \"end\" of object " + object.Name);
      if (IsObjectStart()) {
        object.Children.push_back(ParseObject());
      } else if (object.Children.empty()) {
        object.Properties.push_back(ParseProperty());
      } else {
        throw Error(Current().Line, "properties must come before the child objects");
      }
    }
    FLexer.Advance();
    return object;
  }

  TFormProperty ParseProperty() {
    TFormProperty property;
    property.Line = Current().Line;
    property.Name = ExpectIdent("a property name");
    while (IsSymbol('.')) {
      FLexer.Advance();
      property.Name += "." + ExpectIdent("a property name");
    }
    ExpectSymbol('=');
    property.Value = ParseValue();
    return property;
  }

  TFormValue ParseValue() {
    const TNesting nesting(*this, Current().Line);
    TFormValue value;
    value.Line = Current().Line;
    switch (Current().Kind) {
      case TTokenKind::Integer:
        value.kind = TFormValue::Kind::Integer;
        value.Integer = FLexer.Take().Integer;
        break;
      case TTokenKind::Float:
        value.kind = TFormValue::Kind::Float;
        value.Float = FLexer.Take().Float;
        break;
      case TTokenKind::Ident:
        // A keyword here means the value was left out ("Caption =" before "end").
        if (IsObjectStart() || IsKeyword("end")) throw Unexpected("a property value");
        value.kind = TFormValue::Kind::Ident;
        value.Text = FLexer.Take().Text;
        break;
      case TTokenKind::String:
        value.kind = TFormValue::Kind::String;
        value.Text = ParseString();
        break;
      case TTokenKind::Binary:
        value.kind = TFormValue::Kind::Binary;
        value.Bytes = FLexer.Take().Bytes;
        break;
      case TTokenKind::Symbol:
        if (IsSymbol('['))
          ParseSet(value);
        else if (IsSymbol('('))
          ParseList(value);
        else if (IsSymbol('<'))
          ParseCollection(value);
        else
          throw Unexpected("a property value");
        break;
      case TTokenKind::End:
        throw Unexpected("a property value");
    }
    if (value.kind != TFormValue::Kind::String && IsSymbol('+')) throw Error(Current().Line, "\"+\" joins only strings");
    return value;
  }

  // 'a' + 'b' across lines is one string.
  String ParseString() {
    TStringDecoder decoder(FLexer);
    decoder.Append(FLexer.Take());
    while (IsSymbol('+')) {
      FLexer.Advance();
      if (Current().Kind != TTokenKind::String) throw Unexpected("a string after \"+\"");
      decoder.Append(FLexer.Take());
    }
    return decoder.Finish();
  }

  void ParseSet(TFormValue& value) {
    value.kind = TFormValue::Kind::Set;
    FLexer.Advance();
    while (!IsSymbol(']')) {
      if (AtEnd()) throw Error(value.Line, "unterminated set");
      if (!value.Names.empty()) ExpectSymbol(',');
      if (AtEnd()) throw Error(value.Line, "unterminated set");
      value.Names.push_back(ExpectIdent("a set member"));
    }
    FLexer.Advance();
  }

  void ParseList(TFormValue& value) {
    value.kind = TFormValue::Kind::List;
    FLexer.Advance();
    while (!IsSymbol(')')) {
      if (AtEnd()) throw Error(value.Line, "unterminated list");
      value.Items.push_back(ParseValue());
    }
    FLexer.Advance();
  }

  void ParseCollection(TFormValue& value) {
    value.kind = TFormValue::Kind::Collection;
    FLexer.Advance();
    while (!IsSymbol('>')) {
      if (AtEnd()) throw Error(value.Line, "unterminated collection");
      if (!IsKeyword("item")) throw Unexpected("\"item\"");
      const int itemLine = Current().Line;
      FLexer.Advance();
      TFormItem item;
      while (!IsKeyword("end")) {
        if (AtEnd()) throw Error(itemLine, "missing \"end\" of a collection item");
        if (IsObjectStart()) throw Error(Current().Line, "a collection item cannot hold objects");
        item.Properties.push_back(ParseProperty());
      }
      FLexer.Advance();
      value.Collection.push_back(std::move(item));
    }
    FLexer.Advance();
  }

  TFormLexer FLexer;
  int FDepth = 0;
};

}  // namespace

TFormObject ParseFormDescription(const String& Text, const String& FormName) {
  return TFormParser(Text, FormName).ParseRoot();
}

}  // namespace classlib
