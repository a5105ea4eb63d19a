#include "platform/classlib/StdCtrls.h"

#include "platform/classlib/ClassRegistry.h"
#include "platform/classlib/SysUtils.h"
#include "platform/classlib/WideText.h"

#include <algorithm>

namespace classlib {

namespace {

bool IsLoading(const TComponent& Component) {
  return Component.ComponentState().Contains(TComponentStateItem::csLoading);
}

// The screen's DC, for measuring text before (or without) a window of one's own.
class TScreenDC {
public:
  TScreenDC() : FDC(GetDC(nullptr)) {}
  ~TScreenDC() { ReleaseDC(nullptr, FDC); }
  TScreenDC(const TScreenDC&) = delete;
  TScreenDC& operator=(const TScreenDC&) = delete;
  HDC Handle() const { return FDC; }

private:
  HDC FDC;
};

// Selects a font into a DC for one scope. A font the DC already has is left as it is: under Wine a
// selection reaches the display driver, which looks up the X resources each time.
class TFontSelection {
public:
  TFontSelection(HDC DC, HFONT Font)
      : FDC(DC), FOld(GetCurrentObject(DC, OBJ_FONT) == Font ? nullptr : SelectObject(DC, Font)) {}
  ~TFontSelection() {
    if (FOld) SelectObject(FDC, FOld);
  }
  TFontSelection(const TFontSelection&) = delete;
  TFontSelection& operator=(const TFontSelection&) = delete;

private:
  HDC FDC;
  HGDIOBJ FOld;
};

UINT AlignmentFlag(TAlignment Alignment) {
  switch (Alignment) {
    case TAlignment::taRightJustify: return DT_RIGHT;
    case TAlignment::taCenter: return DT_CENTER;
    case TAlignment::taLeftJustify: break;
  }
  return DT_LEFT;
}

String WindowText(HWND Window) {
  const int length = GetWindowTextLengthW(Window);
  WideString text(static_cast<size_t>(length) + 1, 0);
  const int copied = GetWindowTextW(Window, text.data(), length + 1);
  return FromWide(text.data(), copied);
}

// A line height of the font, as list boxes and combo boxes space their lines.
int LineHeight(TFont& Font) {
  TScreenDC dc;
  TFontSelection selection(dc.Handle(), Font.Handle());
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc.Handle(), &metrics);
  return metrics.tmHeight;
}

// Hands a DC to a control's canvas for one scope (to measure text through the control's own
// drawing code before it has a window).
class TCanvasHandleScope {
public:
  TCanvasHandleScope(TCanvas& Canvas, HDC DC) : FCanvas(Canvas), FOld(Canvas.HandleAllocated() ? Canvas.Handle() : nullptr) {
    FCanvas.Lock();
    FCanvas.SetHandle(DC);
  }
  ~TCanvasHandleScope() {
    FCanvas.SetHandle(FOld);
    FCanvas.Unlock();
  }
  TCanvasHandleScope(const TCanvasHandleScope&) = delete;
  TCanvasHandleScope& operator=(const TCanvasHandleScope&) = delete;

private:
  TCanvas& FCanvas;
  HDC FOld;
};

}  // namespace

LRESULT ControlColors(TWinControl& Control, HDC DC) {
  SetTextColor(DC, ColorToRGB(Control.Font().Color()));
  SetBkColor(DC, ColorToRGB(Control.Brush().Color()));
  return reinterpret_cast<LRESULT>(Control.Brush().Handle());
}

TForm* GetParentForm(TControl* Control) {
  for (TControl* c = Control; c; c = c->Parent())
    if (auto* form = dynamic_cast<TForm*>(c)) return form;
  return nullptr;
}

int DrawControlText(HDC DC, TFont& Font, const String& Text, TRect& Rect, UINT Flags) {
  TFontSelection selection(DC, Font.Handle());
  const int oldMode = SetBkMode(DC, TRANSPARENT);
  const COLORREF oldColor = SetTextColor(DC, ColorToRGB(Font.Color()));
  const WideString text = ToWide(Text);
  const int height = DrawTextW(DC, text.c_str(), static_cast<int>(text.size()), &Rect, Flags);
  SetTextColor(DC, oldColor);
  SetBkMode(DC, oldMode);
  return height;
}

// ---------------------------------------------------------------------------------------------
// TCustomLabel

TCustomLabel::TCustomLabel(TComponent* AOwner) : TGraphicControl(AOwner) {
  SetBounds(0, 0, 65, 17);
  SetParentColor(true);
}

void TCustomLabel::SetAlignment(TAlignment Value) {
  if (Value == FAlignment) return;
  FAlignment = Value;
  Invalidate();
}

void TCustomLabel::SetLayout(TTextLayout Value) {
  if (Value == FLayout) return;
  FLayout = Value;
  Invalidate();
}

void TCustomLabel::SetWordWrap(bool Value) {
  if (Value == FWordWrap) return;
  FWordWrap = Value;
  AdjustBounds();
  Invalidate();
}

void TCustomLabel::SetTransparent(bool Value) {
  if (Value == FTransparent) return;
  FTransparent = Value;
  Invalidate();
}

void TCustomLabel::SetAutoSize(bool Value) {
  if (Value == FAutoSize) return;
  FAutoSize = Value;
  AdjustBounds();
}

void TCustomLabel::SetShowAccelChar(bool Value) {
  if (Value == FShowAccelChar) return;
  FShowAccelChar = Value;
  AdjustBounds();
  Invalidate();
}

UINT TCustomLabel::DrawTextFlags() const {
  UINT flags = DT_EXPANDTABS;
  if (FWordWrap) flags |= DT_WORDBREAK;
  if (!FShowAccelChar) flags |= DT_NOPREFIX;
  return flags;
}

void TCustomLabel::TextChanged() {
  TGraphicControl::TextChanged();
  AdjustBounds();
}

void TCustomLabel::FontChanged() {
  TGraphicControl::FontChanged();
  AdjustBounds();
}

void TCustomLabel::Loaded() {
  TGraphicControl::Loaded();
  AdjustBounds();
}

void TCustomLabel::AdjustBounds() {
  if (!FAutoSize || IsLoading(*this)) return;
  TRect r = Rect(0, 0, FWordWrap ? Width() : 0, 0);
  {
    TScreenDC dc;
    TCanvasHandleScope scope(Canvas(), dc.Handle());
    DoDrawText(r, DrawTextFlags() | DT_CALCRECT);
  }
  int left = Left();
  // A right-aligned caption keeps its right edge where it was.
  if (!FWordWrap && FAlignment == TAlignment::taRightJustify) left += Width() - r.right;
  SetBounds(left, Top(), r.right, r.bottom);
}

void TCustomLabel::DrawLabelCaption(TFont& Font, const String& Text, TRect& Rect, UINT Flags) {
  const HDC dc = Canvas().Handle();
  if (Enabled() || (Flags & DT_CALCRECT)) {
    DrawControlText(dc, Font, Text, Rect, Flags);
    return;
  }
  TFont engraved;
  engraved.Assign(Font);
  engraved.SetColor(clBtnHighlight);
  OffsetRect(&Rect, 1, 1);
  DrawControlText(dc, engraved, Text, Rect, Flags);
  engraved.SetColor(clBtnShadow);
  OffsetRect(&Rect, -1, -1);
  DrawControlText(dc, engraved, Text, Rect, Flags);
}

void TCustomLabel::DoDrawText(TRect& Rect, UINT Flags) {
  String text = Caption();
  if ((Flags & DT_CALCRECT) && (text.empty() || (FShowAccelChar && text == "&"))) text += ' ';
  if (!FShowAccelChar) Flags |= DT_NOPREFIX;
  DrawLabelCaption(Font(), text, Rect, Flags);
}

void TCustomLabel::Paint() {
  TCanvas& canvas = Canvas();
  const TRect client = ClientRect();
  if (!FTransparent) {
    canvas.Brush()->SetStyle(TBrushStyle::bsSolid);
    canvas.Brush()->SetColor(Color());
    canvas.FillRect(client);
  }
  if (Caption().empty()) return;
  const UINT flags = DrawTextFlags() | AlignmentFlag(FAlignment);
  TRect r = client;
  if (FLayout != TTextLayout::tlTop) {
    TRect measured = client;
    DoDrawText(measured, flags | DT_CALCRECT);
    const int free = (client.bottom - client.top) - (measured.bottom - measured.top);
    r.top += FLayout == TTextLayout::tlBottom ? free : free / 2;
  }
  DoDrawText(r, flags);
}

// ---------------------------------------------------------------------------------------------
// TButton

TButton::TButton(TComponent* AOwner) : TWinControl(AOwner) {
  SetBounds(0, 0, 75, 25);
  SetTabStop(true);
}

void TButton::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  Params.SystemClass = "BUTTON";
  Params.Style |= BS_PUSHBUTTON;
}

void TButton::Click() {
  if (FModalResult != mrNone)
    if (TForm* form = GetParentForm(this)) form->SetModalResult(FModalResult);
  TWinControl::Click();
}

void TButton::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CN_COMMAND:
      if (HIWORD(Message.WParam) == BN_CLICKED) {
        Click();
        return;
      }
      break;
    case CN_CTLCOLORBTN:
      Message.Result = ControlColors(*this, reinterpret_cast<HDC>(Message.WParam));
      return;
  }
  TWinControl::Dispatch(Message);
}

// ---------------------------------------------------------------------------------------------
// TCheckBox

TCheckBox::TCheckBox(TComponent* AOwner) : TWinControl(AOwner) {
  SetBounds(0, 0, 97, 17);
  SetTabStop(true);
}

void TCheckBox::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  Params.SystemClass = "BUTTON";
  Params.Style |= BS_AUTOCHECKBOX;
}

void TCheckBox::CreateHandleDone() {
  TWinControl::CreateHandleDone();
  SendMessageW(FHandle, BM_SETCHECK, FChecked ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool TCheckBox::Checked() const { return FChecked; }

void TCheckBox::SetChecked(bool Value) {
  if (Value == FChecked) return;
  FChecked = Value;
  if (FHandle) SendMessageW(FHandle, BM_SETCHECK, Value ? BST_CHECKED : BST_UNCHECKED, 0);
  if (!IsLoading(*this)) Click();
}

void TCheckBox::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CN_COMMAND:
      if (HIWORD(Message.WParam) == BN_CLICKED) {
        FChecked = SendMessageW(FHandle, BM_GETCHECK, 0, 0) == BST_CHECKED;
        Click();
        return;
      }
      break;
    case CN_CTLCOLORBTN:
    case CN_CTLCOLORSTATIC:
      Message.Result = ControlColors(*this, reinterpret_cast<HDC>(Message.WParam));
      return;
  }
  TWinControl::Dispatch(Message);
}

// ---------------------------------------------------------------------------------------------
// TCustomEdit, TEdit, TMemo

TCustomEdit::TCustomEdit(TComponent* AOwner) : TWinControl(AOwner) {
  SetBounds(0, 0, 121, 21);
  SetTabStop(true);
  SetColor(clWindow);
}

void TCustomEdit::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  Params.SystemClass = "EDIT";
  Params.Style |= ES_AUTOHSCROLL;
  if (FReadOnly) Params.Style |= ES_READONLY;
  Params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomEdit::SetReadOnly(bool Value) {
  if (Value == FReadOnly) return;
  FReadOnly = Value;
  if (FHandle) SendMessageW(FHandle, EM_SETREADONLY, Value, 0);
}

void TCustomEdit::SelectAll() {
  if (FHandle) SendMessageW(FHandle, EM_SETSEL, 0, -1);
}

void TCustomEdit::Change() {
  if (OnChange) OnChange(this);
}

void TCustomEdit::TextChanged() {
  // A multi-line edit does not report text set by the program; then the change is announced here.
  FChangeNotified = false;
  TWinControl::TextChanged();
  if (!FChangeNotified && !IsLoading(*this)) Change();
}

void TCustomEdit::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CN_COMMAND:
      if (HIWORD(Message.WParam) == EN_CHANGE) {
        FText = WindowText(FHandle);
        FChangeNotified = true;
        if (!IsLoading(*this)) Change();
        return;
      }
      break;
    case CN_CTLCOLOREDIT:
    case CN_CTLCOLORSTATIC:
      Message.Result = ControlColors(*this, reinterpret_cast<HDC>(Message.WParam));
      return;
  }
  TWinControl::Dispatch(Message);
}

TEdit::TEdit(TComponent* AOwner) : TCustomEdit(AOwner) {}

namespace {

// A memo's lines are the lines of its text, kept there alone; every change writes the text anew.
class TMemoStrings : public TStrings {
public:
  explicit TMemoStrings(TMemo& Memo) : FMemo(Memo) {}

  void Clear() override { FMemo.SetText(String()); }
  void Delete(int Index) override {
    std::vector<String> lines = Lines();
    CheckIndex(Index, lines.size());
    lines.erase(lines.begin() + Index);
    Write(lines);
  }
  void Insert(int Index, const String& S) override {
    std::vector<String> lines = Lines();
    CheckIndex(Index, lines.size() + 1);
    lines.insert(lines.begin() + Index, S);
    Write(lines);
  }

protected:
  String Get(int Index) const override {
    const std::vector<String> lines = Lines();
    CheckIndex(Index, lines.size());
    return lines[static_cast<size_t>(Index)];
  }
  int GetCount() const override { return static_cast<int>(Lines().size()); }
  void Put(int Index, const String& S) override {
    std::vector<String> lines = Lines();
    CheckIndex(Index, lines.size());
    lines[static_cast<size_t>(Index)] = S;
    Write(lines);
  }
  String GetTextStr() const override { return FMemo.Text(); }
  // Line ends become CR LF, the only ones an edit control breaks lines at.
  void SetTextStr(const String& Value) override { Write(SplitLines(Value)); }

private:
  static void CheckIndex(int Index, size_t Count) {
    if (Index < 0 || static_cast<size_t>(Index) >= Count) IndexError(Index);
  }
  // Lines end at CR LF, LF or CR; a last line needs no end.
  static std::vector<String> SplitLines(const String& Text) {
    std::vector<String> lines;
    size_t start = 0;
    while (start < Text.size()) {
      const size_t end = std::min(Text.find_first_of("\r\n", start), Text.size());
      lines.push_back(Text.substr(start, end - start));
      start = end;
      if (start < Text.size() && Text[start] == '\r') ++start;
      if (start < Text.size() && Text[start] == '\n') ++start;
    }
    return lines;
  }
  std::vector<String> Lines() const { return SplitLines(FMemo.Text()); }
  void Write(const std::vector<String>& Lines) {
    String text;
    for (const String& line : Lines) text += line + "\r\n";
    FMemo.SetText(text);
  }

  TMemo& FMemo;
};

}  // namespace

TMemo::TMemo(TComponent* AOwner) : TCustomEdit(AOwner), FLines(std::make_unique<TMemoStrings>(*this)) {
  SetBounds(0, 0, 185, 89);
}

void TMemo::CreateParams(TCreateParams& Params) {
  TCustomEdit::CreateParams(Params);
  Params.Style |= ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL;
  if (FWordWrap) Params.Style &= ~static_cast<DWORD>(ES_AUTOHSCROLL);
  if (FScrollBars == TScrollStyle::ssHorizontal || FScrollBars == TScrollStyle::ssBoth) Params.Style |= WS_HSCROLL;
  if (FScrollBars == TScrollStyle::ssVertical || FScrollBars == TScrollStyle::ssBoth) Params.Style |= WS_VSCROLL;
  if (FAlignment == TAlignment::taRightJustify) Params.Style |= ES_RIGHT;
  if (FAlignment == TAlignment::taCenter) Params.Style |= ES_CENTER;
  if (!FHideSelection) Params.Style |= ES_NOHIDESEL;
}

void TMemo::CreateHandleDone() {
  TCustomEdit::CreateHandleDone();
  if (FMaxLength > 0) SendMessageW(FHandle, EM_LIMITTEXT, static_cast<WPARAM>(FMaxLength), 0);
}

void TMemo::Dispatch(TMessage& Message) {
  if (Message.Msg == WM_CHAR && Message.WParam == '\r' && !FWantReturns) return;
  TCustomEdit::Dispatch(Message);
}

void TMemo::SetAlignment(TAlignment Value) {
  if (Value == FAlignment) return;
  FAlignment = Value;
  RecreateWindow();
}

void TMemo::SetMaxLength(int Value) {
  FMaxLength = std::max(Value, 0);
  if (FHandle) SendMessageW(FHandle, EM_LIMITTEXT, static_cast<WPARAM>(FMaxLength), 0);
}

void TMemo::SetHideSelection(bool Value) {
  if (Value == FHideSelection) return;
  FHideSelection = Value;
  RecreateWindow();
}

void TMemo::GetSel(int& Start, int& End) const {
  DWORD s = 0, e = 0;
  if (FHandle) SendMessageW(FHandle, EM_GETSEL, reinterpret_cast<WPARAM>(&s), reinterpret_cast<LPARAM>(&e));
  Start = static_cast<int>(s);
  End = static_cast<int>(e);
}

int TMemo::SelStart() const {
  int start = 0, end = 0;
  GetSel(start, end);
  return start;
}

int TMemo::SelLength() const {
  int start = 0, end = 0;
  GetSel(start, end);
  return end - start;
}

String TMemo::SelText() const {
  int start = 0, end = 0;
  GetSel(start, end);
  const WideString text = ToWide(Text());
  start = std::min(start, static_cast<int>(text.size()));
  end = std::min(end, static_cast<int>(text.size()));
  return FromWide(text.c_str() + start, end - start);
}

bool TMemo::CanUndo() const { return FHandle && SendMessageW(FHandle, EM_CANUNDO, 0, 0); }

void TMemo::Undo() {
  if (FHandle) SendMessageW(FHandle, WM_UNDO, 0, 0);
}

void TMemo::CutToClipboard() {
  if (FHandle) SendMessageW(FHandle, WM_CUT, 0, 0);
}

void TMemo::CopyToClipboard() {
  if (FHandle) SendMessageW(FHandle, WM_COPY, 0, 0);
}

void TMemo::PasteFromClipboard() {
  if (FHandle) SendMessageW(FHandle, WM_PASTE, 0, 0);
}

void TMemo::ClearSelection() {
  if (FHandle) SendMessageW(FHandle, WM_CLEAR, 0, 0);
}

void TMemo::SetWordWrap(bool Value) {
  if (Value == FWordWrap) return;
  FWordWrap = Value;
  RecreateWindow();
}

void TMemo::SetScrollBars(TScrollStyle Value) {
  if (Value == FScrollBars) return;
  FScrollBars = Value;
  RecreateWindow();
}

// Wrapping and scroll bars are fixed when an edit window is made.
void TMemo::RecreateWindow() {
  if (!FHandle) return;
  DestroyHandle();
  HandleNeeded();
}

// ---------------------------------------------------------------------------------------------
// TControlItems

TControlItems::TControlItems(TWinControl& Control, const TListMessages& Messages)
    : FControl(Control), FMessages(Messages) {}

LRESULT TControlItems::Send(UINT Msg, WPARAM WParam, LPARAM LParam) {
  return FControl.HandleAllocated() ? SendMessageW(FControl.Handle(), Msg, WParam, LParam) : 0;
}

void TControlItems::CheckIndex(int Index) const {
  if (Index < 0 || Index >= GetCount()) IndexError(Index);
}

int TControlItems::Add(const String& S) { return AddObject(S, nullptr); }

int TControlItems::AddObject(const String& S, TObject* AObject) {
  int index = GetCount();
  if (FSorted) {
    // After the lines that compare equal, so that equal lines keep the order they came in.
    const auto at = std::upper_bound(FItems.begin(), FItems.end(), S,
                                     [this](const String& s, const TItem& item) { return CompareStrings(s, item.Text) < 0; });
    index = static_cast<int>(at - FItems.begin());
  }
  InsertItem(index, S, AObject);
  return index;
}

void TControlItems::AddStrings(const TStrings& Strings) {
  const int count = Strings.Count();
  Send(FMessages.InitStorage, static_cast<WPARAM>(count), 0);
  if (!FSorted) {
    TStrings::AddStrings(Strings);
    return;
  }
  std::vector<TItem> added;  // copied first: the source may be this list
  added.reserve(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) added.push_back(TItem{Strings[i], Strings.Objects(i), nullptr});
  SortItems(added);

  // Each new line goes after the lines that compare equal, as Add puts it.
  std::vector<TItem> merged;
  merged.reserve(FItems.size() + added.size());
  std::vector<int> newIndexes;
  newIndexes.reserve(added.size());
  size_t existing = 0;
  for (TItem& item : added) {
    while (existing < FItems.size() && CompareStrings(FItems[existing].Text, item.Text) <= 0)
      merged.push_back(std::move(FItems[existing++]));
    newIndexes.push_back(static_cast<int>(merged.size()));
    merged.push_back(std::move(item));
  }
  while (existing < FItems.size()) merged.push_back(std::move(FItems[existing++]));
  FItems = std::move(merged);

  BeginUpdate();
  for (const int index : newIndexes) InsertIntoWindow(index);
  EndUpdate();
}

void TControlItems::SortItems(std::vector<TItem>& Items) const {
  // The locale's sort keys give the order with byte compares alone. The locale is then asked only
  // to confirm it, neighbour by neighbour, and sorts the lines itself where it does not.
  struct TKeyed {
    std::string Key;
    size_t Arrival;
  };
  std::vector<TKeyed> keyed;
  keyed.reserve(Items.size());
  for (size_t i = 0; i < Items.size(); ++i) keyed.push_back({AnsiSortKeyText(Items[i].Text), i});
  std::sort(keyed.begin(), keyed.end(), [](const TKeyed& a, const TKeyed& b) {
    return a.Key != b.Key ? a.Key < b.Key : a.Arrival < b.Arrival;
  });
  const auto before = [&](size_t a, size_t b) {
    const int order = CompareStrings(Items[a].Text, Items[b].Text);
    return order < 0 || (order == 0 && a < b);
  };
  bool confirmed = true;
  for (size_t i = 1; i < keyed.size() && confirmed; ++i) confirmed = before(keyed[i - 1].Arrival, keyed[i].Arrival);
  std::vector<size_t> order(keyed.size());
  for (size_t i = 0; i < keyed.size(); ++i) order[i] = keyed[i].Arrival;
  if (!confirmed) std::sort(order.begin(), order.end(), before);

  std::vector<TItem> sorted;
  sorted.reserve(Items.size());
  for (const size_t i : order) sorted.push_back(std::move(Items[i]));
  Items = std::move(sorted);
}

void TControlItems::Insert(int Index, const String& S) { InsertObject(Index, S, nullptr); }

void TControlItems::InsertObject(int Index, const String& S, TObject* AObject) {
  if (FSorted) throw EStringListError("Operation not allowed on sorted list");
  if (Index < 0 || Index > GetCount()) IndexError(Index);
  InsertItem(Index, S, AObject);
}

void TControlItems::InsertItem(int Index, const String& S, TObject* AObject) {
  FItems.insert(FItems.begin() + Index, TItem{S, AObject, nullptr});
  InsertIntoWindow(Index);
}

void TControlItems::InsertIntoWindow(int Index) {
  if (!FControl.HandleAllocated()) return;
  const WideString text = ToWide(FItems[static_cast<size_t>(Index)].Text);
  Send(FMessages.InsertString, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(text.c_str()));
}

void TControlItems::Delete(int Index) {
  CheckIndex(Index);
  FItems.erase(FItems.begin() + Index);
  Send(FMessages.DeleteString, static_cast<WPARAM>(Index), 0);
}

void TControlItems::Clear() {
  FItems.clear();
  Send(FMessages.ResetContent, 0, 0);
}

String TControlItems::Get(int Index) const {
  CheckIndex(Index);
  return FItems[static_cast<size_t>(Index)].Text;
}

TObject* TControlItems::GetObject(int Index) const {
  CheckIndex(Index);
  return FItems[static_cast<size_t>(Index)].Object;
}

void TControlItems::PutObject(int Index, TObject* AObject) {
  CheckIndex(Index);
  FItems[static_cast<size_t>(Index)].Object = AObject;
}

TObject* TControlItems::Extra(int Index) const {
  CheckIndex(Index);
  return FItems[static_cast<size_t>(Index)].Extra.get();
}

void TControlItems::SetExtra(int Index, std::unique_ptr<TObject> Value) {
  CheckIndex(Index);
  FItems[static_cast<size_t>(Index)].Extra = std::move(Value);
}

void TControlItems::Put(int Index, const String& S) {
  if (FSorted) throw EStringListError("Operation not allowed on sorted list");
  CheckIndex(Index);
  FItems[static_cast<size_t>(Index)].Text = S;
  if (!FControl.HandleAllocated()) return;
  const LRESULT selected = Send(FMessages.GetCurSel, 0, 0);
  Send(FMessages.DeleteString, static_cast<WPARAM>(Index), 0);
  InsertIntoWindow(Index);
  if (selected == Index) Send(FMessages.SetCurSel, static_cast<WPARAM>(Index), 0);
}

void TControlItems::SetUpdateState(bool Updating) {
  if (!FControl.HandleAllocated()) return;
  Send(WM_SETREDRAW, !Updating, 0);
  if (!Updating) InvalidateRect(FControl.Handle(), nullptr, TRUE);
}

void TControlItems::SetSorted(bool Value) {
  if (Value == FSorted) return;
  FSorted = Value;
  if (!Value) return;
  SortItems(FItems);
  WriteToWindow();
}

void TControlItems::WriteToWindow() {
  if (!FControl.HandleAllocated()) return;
  Send(FMessages.ResetContent, 0, 0);
  Send(FMessages.InitStorage, static_cast<WPARAM>(GetCount()), 0);
  for (int i = 0; i < GetCount(); ++i) InsertIntoWindow(i);
}

// ---------------------------------------------------------------------------------------------
// TListBox

TListBox::TListBox(TComponent* AOwner)
    : TWinControl(AOwner),
      FItems(std::make_unique<TControlItems>(
          *this, TControlItems::TListMessages{LB_INSERTSTRING, LB_DELETESTRING, LB_RESETCONTENT, LB_GETCURSEL,
                                              LB_SETCURSEL, LB_INITSTORAGE})) {
  SetBounds(0, 0, 121, 97);
  SetTabStop(true);
  SetColor(clWindow);
}

TListBox::~TListBox() = default;

void TListBox::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  Params.SystemClass = "LISTBOX";
  Params.Style |= LBS_NOTIFY | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT | WS_VSCROLL;
  if (FStyle == TListBoxStyle::lbOwnerDrawFixed) Params.Style |= LBS_OWNERDRAWFIXED;
  if (FColumns > 0) Params.Style |= LBS_MULTICOLUMN | WS_HSCROLL;
  if (FMultiSelect) Params.Style |= FExtendedSelect ? LBS_EXTENDEDSEL : LBS_MULTIPLESEL;
  Params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TListBox::CreateHandleDone() {
  TWinControl::CreateHandleDone();
  if (FStyle == TListBoxStyle::lbOwnerDrawFixed) SendMessageW(FHandle, LB_SETITEMHEIGHT, 0, FItemHeight);
  SetColumnWidth();
  FItems->WriteToWindow();
  if (FItemIndex >= 0 && FItemIndex < FItems->Count()) SetItemIndex(FItemIndex);
  if (FTopIndex > 0) SendMessageW(FHandle, LB_SETTOPINDEX, static_cast<WPARAM>(FTopIndex), 0);
}

void TListBox::DestroyWnd() {
  if (FHandle) {
    FItemIndex = ItemIndex();
    FTopIndex = TopIndex();
  }
  if (FCanvas) static_cast<TControlCanvas&>(*FCanvas).FreeHandle();
  TWinControl::DestroyWnd();
}

void TListBox::BoundsChanged() {
  TWinControl::BoundsChanged();
  SetColumnWidth();
}

void TListBox::SetColumnWidth() {
  if (FHandle && FColumns > 0)
    SendMessageW(FHandle, LB_SETCOLUMNWIDTH, static_cast<WPARAM>(std::max(1, ClientWidth() / FColumns)), 0);
}

void TListBox::SetStyle(TListBoxStyle Value) {
  if (Value == FStyle) return;
  FStyle = Value;
  RecreateWnd();
}

void TListBox::SetItemHeight(int Value) {
  if (Value <= 0 || Value == FItemHeight) return;
  FItemHeight = Value;
  if (FHandle && FStyle == TListBoxStyle::lbOwnerDrawFixed) {
    SendMessageW(FHandle, LB_SETITEMHEIGHT, 0, Value);
    Invalidate();
  }
}

void TListBox::SetColumns(int Value) {
  if (Value < 0) Value = 0;
  if (Value == FColumns) return;
  // One column and several are different window styles; a change of count only resizes them.
  const bool restyle = (Value > 0) != (FColumns > 0);
  FColumns = Value;
  if (restyle)
    RecreateWnd();
  else
    SetColumnWidth();
}

void TListBox::SetMultiSelect(bool Value) {
  if (Value == FMultiSelect) return;
  FMultiSelect = Value;
  RecreateWnd();
}

void TListBox::SetExtendedSelect(bool Value) {
  if (Value == FExtendedSelect) return;
  FExtendedSelect = Value;
  if (FMultiSelect) RecreateWnd();
}

int TListBox::ItemIndex() const {
  if (FHandle) {
    if (FMultiSelect) {
      const int caret = static_cast<int>(SendMessageW(FHandle, LB_GETCARETINDEX, 0, 0));
      return caret >= 0 && caret < FItems->Count() ? caret : -1;
    }
    return static_cast<int>(SendMessageW(FHandle, LB_GETCURSEL, 0, 0));  // LB_ERR is -1
  }
  return FItemIndex < FItems->Count() ? FItemIndex : -1;
}

void TListBox::SetItemIndex(int Value) {
  if (Value < 0 || Value >= FItems->Count()) Value = -1;
  FItemIndex = Value;
  if (!FHandle) return;
  if (FMultiSelect) {
    if (Value >= 0) SendMessageW(FHandle, LB_SETCARETINDEX, static_cast<WPARAM>(Value), FALSE);
  } else {
    SendMessageW(FHandle, LB_SETCURSEL, static_cast<WPARAM>(Value), 0);
  }
}

int TListBox::TopIndex() const {
  return FHandle ? static_cast<int>(SendMessageW(FHandle, LB_GETTOPINDEX, 0, 0)) : FTopIndex;
}

void TListBox::SetTopIndex(int Value) {
  FTopIndex = std::max(0, Value);
  if (FHandle) SendMessageW(FHandle, LB_SETTOPINDEX, static_cast<WPARAM>(FTopIndex), 0);
}

int TListBox::SelCount() const {
  if (!FMultiSelect || !FHandle) return 0;
  return std::max(0, static_cast<int>(SendMessageW(FHandle, LB_GETSELCOUNT, 0, 0)));
}

bool TListBox::Selected(int Index) const {
  if (Index < 0 || Index >= FItems->Count()) throw EStringListError("List index out of bounds (" + IntToStr(Index) + ")");
  if (!FHandle) return Index == FItemIndex;
  return SendMessageW(FHandle, LB_GETSEL, static_cast<WPARAM>(Index), 0) > 0;
}

void TListBox::SetSelected(int Index, bool Value) {
  if (Index < 0 || Index >= FItems->Count()) throw EStringListError("List index out of bounds (" + IntToStr(Index) + ")");
  if (!FMultiSelect) {
    if (Value) SetItemIndex(Index);
    else if (ItemIndex() == Index) SetItemIndex(-1);
    return;
  }
  if (FHandle) SendMessageW(FHandle, LB_SETSEL, Value, static_cast<LPARAM>(Index));
}

TRect TListBox::ItemRect(int Index) const {
  RECT r{};
  const int count = FItems->Count();
  if (!FHandle || Index < 0 || Index > count) return r;
  if (Index < count) {
    SendMessageW(FHandle, LB_GETITEMRECT, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(&r));
  } else if (count > 0) {
    // The place a line after the last would take.
    SendMessageW(FHandle, LB_GETITEMRECT, static_cast<WPARAM>(count - 1), reinterpret_cast<LPARAM>(&r));
    OffsetRect(&r, 0, r.bottom - r.top);
  }
  return r;
}

int TListBox::ItemAtPos(const TPoint& Pos, bool Existing) const {
  const int count = FItems->Count();
  if (FHandle && count > 0) {
    int index = -1;
    if (FColumns > 0) {
      const LRESULT hit = SendMessageW(FHandle, LB_ITEMFROMPOINT, 0, MAKELPARAM(Pos.x, Pos.y));
      if (HIWORD(hit) == 0) index = LOWORD(hit);
    } else if (Pos.y >= 0) {
      // From the rows, not LB_ITEMFROMPOINT, whose 16-bit answer cannot name lines past 65,535.
      const int top = TopIndex();
      const TRect first = ItemRect(top);
      const int height = std::max(1, static_cast<int>(first.bottom - first.top));
      index = top + (Pos.y - first.top) / height;
    }
    if (index >= 0 && index < count) {
      const TRect r = ItemRect(index);
      if (Pos.x >= r.left && Pos.x < r.right && Pos.y >= r.top && Pos.y < r.bottom) return index;
    }
  }
  return Existing ? -1 : count;
}

TCanvas& TListBox::Canvas() {
  if (!FCanvas) FCanvas = std::make_unique<TControlCanvas>(*this);
  return *FCanvas;
}

void TListBox::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CN_COMMAND:
      if (HIWORD(Message.WParam) == LBN_SELCHANGE) {
        Click();
        return;
      }
      break;
    case CN_CTLCOLORLISTBOX:
      Message.Result = ControlColors(*this, reinterpret_cast<HDC>(Message.WParam));
      return;
    case CN_MEASUREITEM:
      reinterpret_cast<MEASUREITEMSTRUCT*>(Message.LParam)->itemHeight = static_cast<UINT>(FItemHeight);
      Message.Result = TRUE;
      return;
  }
  TWinControl::Dispatch(Message);
}

// ---------------------------------------------------------------------------------------------
// TComboBox

TComboBox::TComboBox(TComponent* AOwner)
    : TWinControl(AOwner),
      FItems(std::make_unique<TControlItems>(
          *this, TControlItems::TListMessages{CB_INSERTSTRING, CB_DELETESTRING, CB_RESETCONTENT, CB_GETCURSEL,
                                              CB_SETCURSEL, CB_INITSTORAGE})) {
  SetBounds(0, 0, 145, 21);
  SetTabStop(true);
  SetColor(clWindow);
}

void TComboBox::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  Params.SystemClass = "COMBOBOX";
  Params.Style |= WS_VSCROLL | (FStyle == TComboBoxStyle::csDropDownList ? CBS_DROPDOWNLIST : CBS_DROPDOWN | CBS_AUTOHSCROLL);
  // A combo box is made as tall as it is when dropped down; it then shows itself at the height of its field.
  Params.Height = DroppedHeight();
}

int TComboBox::DroppedHeight() {
  const int line = FHandle ? static_cast<int>(SendMessageW(FHandle, CB_GETITEMHEIGHT, 0, 0)) : LineHeight(Font());
  return FHeight + FDropDownCount * line + 2;
}

void TComboBox::BoundsChanged() {
  if (FHandle)
    SetWindowPos(FHandle, nullptr, FLeft, FTop, FWidth, DroppedHeight(), SWP_NOZORDER | SWP_NOACTIVATE);
}

void TComboBox::SetDropDownCount(int Value) {
  if (Value == FDropDownCount) return;
  FDropDownCount = std::max(1, Value);
  BoundsChanged();
}

void TComboBox::CreateHandleDone() {
  TWinControl::CreateHandleDone();
  FItems->WriteToWindow();
  if (FItemIndex >= 0 && FItemIndex < FItems->Count())
    SendMessageW(FHandle, CB_SETCURSEL, static_cast<WPARAM>(FItemIndex), 0);
  if (FStyle == TComboBoxStyle::csDropDown) SetWindowTextW(FHandle, ToWide(FText).c_str());
}

void TComboBox::DestroyWnd() {
  if (FHandle) FItemIndex = ItemIndex();
  TWinControl::DestroyWnd();
}

int TComboBox::ItemIndex() const {
  if (FHandle) return static_cast<int>(SendMessageW(FHandle, CB_GETCURSEL, 0, 0));  // CB_ERR is -1
  return FItemIndex < FItems->Count() ? FItemIndex : -1;
}

void TComboBox::SetItemIndex(int Value) {
  // While the form is read, the lines may come after the index.
  if (IsLoading(*this)) {
    FItemIndex = Value;
    return;
  }
  SelectIndex(Value);
}

void TComboBox::SelectIndex(int Value) {
  if (Value < 0 || Value >= FItems->Count()) Value = -1;
  FItemIndex = Value;
  if (FHandle) SendMessageW(FHandle, CB_SETCURSEL, static_cast<WPARAM>(Value), 0);
  FText = Value >= 0 ? FItems->Strings(Value) : String();
}

void TComboBox::SetStyle(TComboBoxStyle Value) {
  if (Value == FStyle) return;
  FStyle = Value;
  if (Value == TComboBoxStyle::csDropDownList) SelectText();
  // The style of a combo box is fixed when its window is made.
  if (!FHandle) return;
  DestroyHandle();
  HandleNeeded();
}

void TComboBox::Clear() {
  FItems->Clear();
  FItemIndex = -1;
  SetText(String());
}

// A drop-down list can show only one of its lines: the one with the text, if any.
void TComboBox::SelectText() {
  if (IsLoading(*this)) return;
  const int index = FItems->IndexOf(FText);
  FItemIndex = index;
  if (FHandle) SendMessageW(FHandle, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  if (index < 0) FText.clear();
}

void TComboBox::TextChanged() {
  if (FStyle == TComboBoxStyle::csDropDownList) {
    SelectText();
    Perform(CM_TEXTCHANGED, 0, 0);
    return;
  }
  // The field shows the text as given; the list selects the line equal to it, if any.
  if (!IsLoading(*this)) {
    FItemIndex = FItems->IndexOf(FText);
    if (FHandle) SendMessageW(FHandle, CB_SETCURSEL, static_cast<WPARAM>(FItemIndex), 0);
  }
  TWinControl::TextChanged();
}

void TComboBox::Loaded() {
  TWinControl::Loaded();
  if (FItemIndex >= FItems->Count()) FItemIndex = -1;
  if (FItemIndex >= 0)
    SelectIndex(FItemIndex);
  else if (FStyle == TComboBoxStyle::csDropDownList)
    SelectText();
}

void TComboBox::Change() {
  if (OnChange) OnChange(this);
}

void TComboBox::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CN_COMMAND:
      switch (HIWORD(Message.WParam)) {
        case CBN_SELCHANGE: {
          // The edit field shows the new line only after this notification: take it from the list.
          const int index = ItemIndex();
          if (index >= 0) FText = FItems->Strings(index);
          Click();
          Change();
          return;
        }
        case CBN_EDITCHANGE:
          FText = WindowText(FHandle);
          Change();
          return;
      }
      break;
    // The edit field and the list of a combo box ask the combo box itself for their colours.
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case CN_CTLCOLOREDIT:
    case CN_CTLCOLORLISTBOX:
    case CN_CTLCOLORSTATIC:
      Message.Result = ControlColors(*this, reinterpret_cast<HDC>(Message.WParam));
      return;
  }
  TWinControl::Dispatch(Message);
}

// ---------------------------------------------------------------------------------------------
// TGroupBox

TGroupBox::TGroupBox(TComponent* AOwner) : TCustomControl(AOwner) { SetBounds(0, 0, 185, 105); }

void TGroupBox::Paint() {
  const HDC dc = Canvas().Handle();
  TRect caption = Rect(0, 0, 0, 0);
  DrawControlText(dc, Font(), Caption().empty() ? String(" ") : Caption(), caption, DT_CALCRECT | DT_SINGLELINE);
  // The frame runs through the middle of the caption's line.
  TRect frame = ClientRect();
  frame.top += (caption.bottom - caption.top) / 2;
  DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
  if (Caption().empty()) return;
  OffsetRect(&caption, 8, 0);
  caption.right += 2;  // a little room each side of the text
  Canvas().Brush()->SetStyle(TBrushStyle::bsSolid);
  Canvas().Brush()->SetColor(Color());
  Canvas().FillRect(caption);
  OffsetRect(&caption, 1, 0);
  DrawControlText(dc, Font(), Caption(), caption, DT_SINGLELINE | DT_LEFT);
}

// ---------------------------------------------------------------------------------------------
// Registration

void RegisterStdControls(TClassRegistry& Registry) {
  const std::vector<std::pair<String, TAlignment>> alignments = {{"taLeftJustify", TAlignment::taLeftJustify},
                                                                 {"taRightJustify", TAlignment::taRightJustify},
                                                                 {"taCenter", TAlignment::taCenter}};
  Registry.Register<TCustomLabel>("TCustomLabel", "TGraphicControl")
      .Enum("Alignment", &TLabel::SetAlignment, alignments)
      .Enum("Layout", &TLabel::SetLayout,
            {{"tlTop", TTextLayout::tlTop}, {"tlCenter", TTextLayout::tlCenter}, {"tlBottom", TTextLayout::tlBottom}})
      .Boolean("WordWrap", &TLabel::SetWordWrap)
      .Boolean("Transparent", &TLabel::SetTransparent)
      .Boolean("AutoSize", &TLabel::SetAutoSize)
      .Boolean("ShowAccelChar", &TLabel::SetShowAccelChar);
  Registry.Register<TLabel>("TLabel", "TCustomLabel");
  Registry.Register<TButton>("TButton", "TWinControl").Integer("ModalResult", &TButton::SetModalResult);
  Registry.Register<TCheckBox>("TCheckBox", "TWinControl").Boolean("Checked", &TCheckBox::SetChecked);
  Registry.Register<TCustomEdit>("TCustomEdit", "TWinControl")
      .Boolean("ReadOnly", &TCustomEdit::SetReadOnly)
      .Event("OnChange", &TCustomEdit::OnChange);
  Registry.Register<TEdit>("TEdit", "TCustomEdit");
  Registry.Register<TMemo>("TMemo", "TCustomEdit")
      .Boolean("WordWrap", &TMemo::SetWordWrap)
      .Enum("ScrollBars", &TMemo::SetScrollBars,
            {{"ssNone", TScrollStyle::ssNone}, {"ssHorizontal", TScrollStyle::ssHorizontal},
             {"ssVertical", TScrollStyle::ssVertical}, {"ssBoth", TScrollStyle::ssBoth}})
      .Enum("Alignment", &TMemo::SetAlignment, alignments)
      .Boolean("WantReturns", &TMemo::SetWantReturns)
      .Boolean("WantTabs", &TMemo::SetWantTabs)
      .Integer("MaxLength", &TMemo::SetMaxLength)
      .Boolean("HideSelection", &TMemo::SetHideSelection)
      .Custom("Lines.Strings", [](TMemo& memo, const TFormValue& v, TReadContext&) {
        TStringList lines;
        for (const String& line : formvalue::ToStrings(v)) lines.Add(line);
        memo.Lines().Assign(lines);
      });
  Registry.Register<TListBox>("TListBox", "TWinControl")
      .Boolean("Sorted", &TListBox::SetSorted)
      .Custom("Items.Strings", [](TListBox& list, const TFormValue& v, TReadContext&) {
        for (const String& line : formvalue::ToStrings(v)) list.Items().Add(line);
      });
  Registry.Register<TComboBox>("TComboBox", "TWinControl")
      .Enum("Style", &TComboBox::SetStyle,
            {{"csDropDown", TComboBoxStyle::csDropDown}, {"csDropDownList", TComboBoxStyle::csDropDownList}})
      .Boolean("Sorted", &TComboBox::SetSorted)
      .Integer("ItemIndex", &TComboBox::SetItemIndex)
      .Integer("DropDownCount", &TComboBox::SetDropDownCount)
      .Event("OnChange", &TComboBox::OnChange)
      .Custom("Items.Strings", [](TComboBox& combo, const TFormValue& v, TReadContext&) {
        for (const String& line : formvalue::ToStrings(v)) combo.Items().Add(line);
      });
  Registry.Register<TGroupBox>("TGroupBox", "TCustomControl");
}

}  // namespace classlib
