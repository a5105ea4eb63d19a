// Lists of text lines: the abstract TStrings that controls expose their lines through, and
// TStringList, which keeps them itself (optionally sorted), each line with an object pointer.
#pragma once

#include "platform/classlib/Component.h"

#include <vector>

namespace classlib {

class TStream;

// What a sorted list does with a line that it already holds.
enum class TDuplicates { dupIgnore, dupAccept, dupError };

class TStrings : public TPersistent {
public:
  int Count() const { return GetCount(); }
  // Raise EStringListError "List index out of bounds (N)" for a bad index, as do all indexed members.
  String Strings(int Index) const { return Get(Index); }
  String operator[](int Index) const { return Get(Index); }
  void SetString(int Index, const String& S) { Put(Index, S); }
  TObject* Objects(int Index) const { return GetObject(Index); }
  void SetObject(int Index, TObject* AObject) { PutObject(Index, AObject); }

  // Every line followed by CR LF.
  String Text() const { return GetTextStr(); }
  // Replaces the lines; a line ends at CR LF, LF or CR, and a last line needs no end.
  void SetText(const String& Value) { SetTextStr(Value); }

  virtual int Add(const String& S);
  virtual int AddObject(const String& S, TObject* AObject);
  virtual void AddStrings(const TStrings& Strings);
  // Copies the lines and objects of another TStrings.
  void Assign(const TPersistent& Source) override;
  virtual void Clear() = 0;
  virtual void Delete(int Index) = 0;
  virtual void Insert(int Index, const String& S) = 0;
  virtual void InsertObject(int Index, const String& S, TObject* AObject);
  virtual void Exchange(int Index1, int Index2);
  virtual void Move(int CurIndex, int NewIndex);
  // Index of the first line equal to S (by CompareStrings: without regard to case here), or -1.
  virtual int IndexOf(const String& S) const;
  int IndexOfObject(const TObject* AObject) const;

  // Lines of the form name=value: the name is the text before the first "=", the value all after it.
  // IndexOfName compares names as CompareStrings does; a line without "=" has no name.
  int IndexOfName(const String& Name) const;
  String Names(int Index) const;
  String ValueFromIndex(int Index) const;

  // Changes between BeginUpdate and the matching EndUpdate are announced once, at the end.
  void BeginUpdate();
  void EndUpdate();

  // The file's or stream's bytes are text in the system's ANSI code page.
  void LoadFromFile(const String& FileName);
  void SaveToFile(const String& FileName) const;
  // Reads from the stream's position to its end.
  virtual void LoadFromStream(TStream& Stream);
  virtual void SaveToStream(TStream& Stream) const;

protected:
  virtual String Get(int Index) const = 0;
  virtual int GetCount() const = 0;
  // A list that keeps no objects answers nullptr and ignores objects given to it.
  virtual TObject* GetObject(int Index) const;
  virtual void PutObject(int Index, TObject* AObject);
  virtual void Put(int Index, const String& S);
  virtual String GetTextStr() const;
  virtual void SetTextStr(const String& Value);
  // Told when the first BeginUpdate starts a batch (true) and the last EndUpdate ends it (false).
  virtual void SetUpdateState(bool Updating);
  virtual int CompareStrings(const String& S1, const String& S2) const;

  int UpdateCount() const { return FUpdateCount; }
  [[noreturn]] static void IndexError(int Index);

private:
  int FUpdateCount = 0;
};

class TStringList : public TStrings {
public:
  int Add(const String& S) override;
  int AddObject(const String& S, TObject* AObject) override;
  void Clear() override;
  void Delete(int Index) override;
  void Insert(int Index, const String& S) override;
  void InsertObject(int Index, const String& S, TObject* AObject) override;
  void Exchange(int Index1, int Index2) override;
  int IndexOf(const String& S) const override;

  // In a sorted list: whether S is there, and in Index its position or the place it would go.
  bool Find(const String& S, int& Index) const;
  void Sort();

  bool Sorted() const { return FSorted; }
  void SetSorted(bool Value);
  TDuplicates Duplicates() const { return FDuplicates; }
  void SetDuplicates(TDuplicates Value) { FDuplicates = Value; }
  bool CaseSensitive() const { return FCaseSensitive; }
  void SetCaseSensitive(bool Value);

  TNotifyEvent OnChange;    // after every change (once per update batch)
  TNotifyEvent OnChanging;  // before it

protected:
  String Get(int Index) const override;
  int GetCount() const override { return static_cast<int>(FList.size()); }
  TObject* GetObject(int Index) const override;
  void PutObject(int Index, TObject* AObject) override;
  void Put(int Index, const String& S) override;
  void SetUpdateState(bool Updating) override;
  int CompareStrings(const String& S1, const String& S2) const override;

  virtual void Changing();
  virtual void Changed();

private:
  struct TStringItem {
    String FString;
    TObject* FObject = nullptr;
  };

  void CheckIndex(int Index) const;
  void CheckNotSorted() const;
  void InsertItem(int Index, const String& S, TObject* AObject);
  void SortItems();

  std::vector<TStringItem> FList;
  bool FSorted = false;
  bool FCaseSensitive = false;
  TDuplicates FDuplicates = TDuplicates::dupIgnore;
};

}  // namespace classlib
