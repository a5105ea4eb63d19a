#include "platform/classlib/Strings.h"

#include "platform/classlib/Streams.h"
#include "platform/classlib/SysUtils.h"
#include "platform/classlib/WideText.h"

#include <algorithm>

namespace classlib {

// ---------------------------------------------------------------------------------------------
// TStrings

void TStrings::IndexError(int Index) {
  throw EStringListError("List index out of bounds (" + IntToStr(Index) + ")");
}

int TStrings::Add(const String& S) {
  const int index = GetCount();
  Insert(index, S);
  return index;
}

int TStrings::AddObject(const String& S, TObject* AObject) {
  const int index = Add(S);
  PutObject(index, AObject);
  return index;
}

void TStrings::AddStrings(const TStrings& Strings) {
  BeginUpdate();
  const int count = Strings.Count();  // fixed first: the source may be this list
  for (int i = 0; i < count; ++i) AddObject(Strings.Get(i), Strings.GetObject(i));
  EndUpdate();
}

void TStrings::Assign(const TPersistent& Source) {
  const auto* source = dynamic_cast<const TStrings*>(&Source);
  if (!source) {
    TPersistent::Assign(Source);
    return;
  }
  if (source == this) return;
  BeginUpdate();
  Clear();
  AddStrings(*source);
  EndUpdate();
}

void TStrings::InsertObject(int Index, const String& S, TObject* AObject) {
  Insert(Index, S);
  PutObject(Index, AObject);
}

void TStrings::Exchange(int Index1, int Index2) {
  BeginUpdate();
  const String s1 = Get(Index1);
  TObject* const o1 = GetObject(Index1);
  Put(Index1, Get(Index2));
  PutObject(Index1, GetObject(Index2));
  Put(Index2, s1);
  PutObject(Index2, o1);
  EndUpdate();
}

void TStrings::Move(int CurIndex, int NewIndex) {
  if (CurIndex == NewIndex) return;
  BeginUpdate();
  const String s = Get(CurIndex);
  TObject* const object = GetObject(CurIndex);
  Delete(CurIndex);
  InsertObject(NewIndex, s, object);
  EndUpdate();
}

int TStrings::IndexOf(const String& S) const {
  for (int i = 0, count = GetCount(); i < count; ++i)
    if (CompareStrings(Get(i), S) == 0) return i;
  return -1;
}

int TStrings::IndexOfName(const String& Name) const {
  for (int i = 0, count = GetCount(); i < count; ++i) {
    const String line = Get(i);
    const size_t equals = line.find('=');
    if (equals != String::npos && CompareStrings(line.substr(0, equals), Name) == 0) return i;
  }
  return -1;
}

String TStrings::Names(int Index) const {
  const String line = Get(Index);
  const size_t equals = line.find('=');
  return equals == String::npos ? String() : line.substr(0, equals);
}

String TStrings::ValueFromIndex(int Index) const {
  const String line = Get(Index);
  const size_t equals = line.find('=');
  return equals == String::npos ? String() : line.substr(equals + 1);
}

int TStrings::IndexOfObject(const TObject* AObject) const {
  for (int i = 0, count = GetCount(); i < count; ++i)
    if (GetObject(i) == AObject) return i;
  return -1;
}

// SetUpdateState runs while UpdateCount() is still (or again) 0, so it may announce the change.
void TStrings::BeginUpdate() {
  if (FUpdateCount == 0) SetUpdateState(true);
  ++FUpdateCount;
}

void TStrings::EndUpdate() {
  if (FUpdateCount == 0) return;
  if (--FUpdateCount == 0) SetUpdateState(false);
}

void TStrings::LoadFromFile(const String& FileName) {
  TFileStream stream(FileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(stream);
}

void TStrings::SaveToFile(const String& FileName) const {
  TFileStream stream(FileName, fmCreate);
  SaveToStream(stream);
}

void TStrings::LoadFromStream(TStream& Stream) {
  const std::int64_t size = Stream.Size() - Stream.Position();
  if (size > 0x7FFFFFFF) throw EStreamError("Stream read error");
  std::string bytes(static_cast<size_t>(std::max<std::int64_t>(size, 0)), '\0');
  Stream.ReadBuffer(bytes.data(), static_cast<int>(bytes.size()));
  SetTextStr(FromAnsi(bytes));
}

void TStrings::SaveToStream(TStream& Stream) const {
  const std::string bytes = ToAnsi(GetTextStr());
  Stream.WriteBuffer(bytes.data(), static_cast<int>(bytes.size()));
}

TObject* TStrings::GetObject(int) const { return nullptr; }

void TStrings::PutObject(int, TObject*) {
  // A list without objects has nowhere to keep one (see GetObject).
}

void TStrings::Put(int Index, const String& S) {
  TObject* const object = GetObject(Index);
  BeginUpdate();
  Delete(Index);
  InsertObject(Index, S, object);
  EndUpdate();
}

String TStrings::GetTextStr() const {
  String text;
  for (int i = 0, count = GetCount(); i < count; ++i) text += Get(i) + "\r\n";
  return text;
}

void TStrings::SetTextStr(const String& Value) {
  BeginUpdate();
  Clear();
  size_t start = 0;
  while (start < Value.size()) {
    const size_t end = std::min(Value.find_first_of("\r\n", start), Value.size());
    Add(Value.substr(start, end - start));
    start = end;
    if (start < Value.size() && Value[start] == '\r') ++start;
    if (start < Value.size() && Value[start] == '\n') ++start;
  }
  EndUpdate();
}

void TStrings::SetUpdateState(bool) {
  // Only lists that announce their changes (TStringList) or that drive a window care.
}

int TStrings::CompareStrings(const String& S1, const String& S2) const { return AnsiCompareText(S1, S2); }

// ---------------------------------------------------------------------------------------------
// TStringList

void TStringList::CheckIndex(int Index) const {
  if (Index < 0 || Index >= GetCount()) IndexError(Index);
}

void TStringList::CheckNotSorted() const {
  if (FSorted) throw EStringListError("Operation not allowed on sorted list");
}

void TStringList::Changing() {
  if (UpdateCount() == 0 && OnChanging) OnChanging(this);
}

void TStringList::Changed() {
  if (UpdateCount() == 0 && OnChange) OnChange(this);
}

void TStringList::SetUpdateState(bool Updating) {
  if (Updating)
    Changing();
  else
    Changed();
}

int TStringList::CompareStrings(const String& S1, const String& S2) const {
  return FCaseSensitive ? AnsiCompareStr(S1, S2) : AnsiCompareText(S1, S2);
}

String TStringList::Get(int Index) const {
  CheckIndex(Index);
  return FList[static_cast<size_t>(Index)].FString;
}

TObject* TStringList::GetObject(int Index) const {
  CheckIndex(Index);
  return FList[static_cast<size_t>(Index)].FObject;
}

void TStringList::PutObject(int Index, TObject* AObject) {
  CheckIndex(Index);
  Changing();
  FList[static_cast<size_t>(Index)].FObject = AObject;
  Changed();
}

void TStringList::Put(int Index, const String& S) {
  CheckNotSorted();
  CheckIndex(Index);
  Changing();
  FList[static_cast<size_t>(Index)].FString = S;
  Changed();
}

int TStringList::Add(const String& S) { return AddObject(S, nullptr); }

int TStringList::AddObject(const String& S, TObject* AObject) {
  int index = GetCount();
  if (FSorted && Find(S, index)) {
    if (FDuplicates == TDuplicates::dupIgnore) return index;
    if (FDuplicates == TDuplicates::dupError) throw EStringListError("String list does not allow duplicates");
  }
  InsertItem(index, S, AObject);
  return index;
}

void TStringList::Insert(int Index, const String& S) { InsertObject(Index, S, nullptr); }

void TStringList::InsertObject(int Index, const String& S, TObject* AObject) {
  CheckNotSorted();
  if (Index < 0 || Index > GetCount()) IndexError(Index);
  InsertItem(Index, S, AObject);
}

void TStringList::InsertItem(int Index, const String& S, TObject* AObject) {
  Changing();
  FList.insert(FList.begin() + Index, TStringItem{S, AObject});
  Changed();
}

void TStringList::Clear() {
  if (FList.empty()) return;
  Changing();
  FList.clear();
  Changed();
}

void TStringList::Delete(int Index) {
  CheckIndex(Index);
  Changing();
  FList.erase(FList.begin() + Index);
  Changed();
}

void TStringList::Exchange(int Index1, int Index2) {
  // Swapping two lines of a sorted list would leave it unsorted, and Find would miss lines.
  CheckNotSorted();
  CheckIndex(Index1);
  CheckIndex(Index2);
  Changing();
  std::swap(FList[static_cast<size_t>(Index1)], FList[static_cast<size_t>(Index2)]);
  Changed();
}

int TStringList::IndexOf(const String& S) const {
  if (!FSorted) return TStrings::IndexOf(S);
  int index = 0;
  return Find(S, index) ? index : -1;
}

bool TStringList::Find(const String& S, int& Index) const {
  // The first line not ordered before S: with duplicates, the first of equal lines.
  const auto at = std::lower_bound(FList.begin(), FList.end(), S, [this](const TStringItem& item, const String& s) {
    return CompareStrings(item.FString, s) < 0;
  });
  Index = static_cast<int>(at - FList.begin());
  return at != FList.end() && CompareStrings(at->FString, S) == 0;
}

void TStringList::SortItems() {
  if (FList.size() < 2) return;
  Changing();
  std::stable_sort(FList.begin(), FList.end(), [this](const TStringItem& a, const TStringItem& b) {
    return CompareStrings(a.FString, b.FString) < 0;
  });
  Changed();
}

void TStringList::Sort() {
  if (!FSorted) SortItems();
}

void TStringList::SetSorted(bool Value) {
  if (Value == FSorted) return;
  if (Value) SortItems();
  FSorted = Value;
}

void TStringList::SetCaseSensitive(bool Value) {
  if (Value == FCaseSensitive) return;
  FCaseSensitive = Value;
  if (FSorted) SortItems();
}

}  // namespace classlib
