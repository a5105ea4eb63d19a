// Data access: a data set of records held in memory with its fields, the data source that connects
// it to data-aware controls, and the links through which those controls follow it.
//
// Classes in this file: TField, TBlobField, TDataSet, TDataSource, TDataLink, TFieldDataLink.
#pragma once

#include "platform/classlib/Component.h"
#include "platform/classlib/Messages.h"

#include <memory>
#include <optional>
#include <vector>

namespace classlib {

class TStream;
class TDataSet;
class TDataSource;
class TDataLink;

class EDatabaseError : public Exception {
public:
  using Exception::Exception;
};

// Asked of a data-aware control: its TDataLink* as the result.
constexpr UINT CM_GETDATALINK = CM_BASE + 37;

enum class TDataSetState { dsInactive, dsBrowse, dsEdit, dsInsert };
enum class TFieldType { ftString, ftBlob, ftGraphic };

// What a data set tells its data sources' links.
enum class TDataEvent {
  deFieldChange,    // a field of the current record changed (the field is given)
  deRecordChange,   // the current record changed
  deDataSetChange,  // records were added, removed or posted
  deDataSetScroll,  // another record became the current one
  deUpdateRecord,   // a post is under way: links write their controls' data into the fields
  deUpdateState,    // the data set's state changed
};

// One column of the data set; its value is that of the current record (or of the record being
// edited). A value is a byte string or null.
class TField : public TObject {
public:
  TField(TDataSet& DataSet, String FieldName, TFieldType DataType, int Index);

  TDataSet& DataSet() const { return FDataSet; }
  const String& FieldName() const { return FFieldName; }
  TFieldType DataType() const { return FDataType; }
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool Value) { FReadOnly = Value; }
  bool CanModify() const;

  bool IsNull() const;
  String AsString() const;
  void SetAsString(const String& Value);
  // Makes the value null.
  void Clear();

protected:
  const std::optional<String>& Value() const;
  // Only while the data set edits or inserts (else EDatabaseError); tells the links.
  void SetValue(std::optional<String> Value);

private:
  TDataSet& FDataSet;
  String FFieldName;
  TFieldType FDataType;
  int FIndex;
  bool FReadOnly = false;
};

class TBlobField : public TField {
public:
  using TField::TField;
  // Writes the value (nothing for null) at the stream's position.
  void SaveToStream(TStream& Stream) const;
  // The value becomes what the stream holds from its position to its end.
  void LoadFromStream(TStream& Stream);
};

// Records in memory: fields are defined while the data set is closed; records are added with Append
// or Insert, changed with Edit, and kept with Post.
class TDataSet : public TComponent {
public:
  explicit TDataSet(TComponent* AOwner);
  ~TDataSet() override;

  // ftBlob and ftGraphic make TBlobField, ftString TField.
  TField& AddField(const String& FieldName, TFieldType DataType);
  int FieldCount() const { return static_cast<int>(FFields.size()); }
  TField& Fields(int Index) const { return *FFields.at(static_cast<std::size_t>(Index)); }
  TField* FindField(const String& FieldName) const;
  // EDatabaseError ("Field 'x' not found") when there is none.
  TField& FieldByName(const String& FieldName) const;

  bool Active() const { return FState != TDataSetState::dsInactive; }
  void SetActive(bool Value);
  void Open() { SetActive(true); }
  void Close() { SetActive(false); }
  TDataSetState State() const { return FState; }

  int RecordCount() const { return static_cast<int>(FRecords.size()); }
  bool IsEmpty() const { return FRecords.empty(); }
  // The current record counted from 1; 0 when there is none.
  int RecNo() const { return FCurrent + 1; }
  void SetRecNo(int Value);
  void First();
  void Last();
  void Next();
  void Prior();

  // Edit starts changing the current record (inserting one when there is none); Insert and Append
  // start a new one before the current record or at the end. Post keeps the change, Cancel drops it.
  void Edit();
  void Insert();
  void Append();
  void Post();
  void Cancel();
  void Delete();

private:
  friend class TField;
  friend class TDataSource;

  using TRecord = std::vector<std::optional<String>>;

  void CheckActive() const;
  // Posts a pending change before the data set moves.
  void CheckBrowseMode();
  void SetState(TDataSetState Value);
  void StartInsert(int Position);
  void MoveTo(int Index);
  void DataEvent(TDataEvent Event, TField* Field);

  std::vector<std::unique_ptr<TField>> FFields;
  std::vector<TRecord> FRecords;
  TRecord FBuffer;  // the record being edited or inserted
  int FCurrent = -1;
  int FInsertPosition = 0;
  TDataSetState FState = TDataSetState::dsInactive;
  std::vector<TDataSource*> FDataSources;
};

class TDataSource : public TComponent {
public:
  explicit TDataSource(TComponent* AOwner);
  ~TDataSource() override;

  TDataSet* DataSet() const { return FDataSet; }
  void SetDataSet(TDataSet* Value);
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value);
  // Whether a control's Edit may put the data set into edit mode; default true.
  bool AutoEdit() const { return FAutoEdit; }
  void SetAutoEdit(bool Value) { FAutoEdit = Value; }
  TDataSetState State() const;
  // Starts editing the data set when AutoEdit allows it and it only browses.
  void Edit();

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  friend class TDataSet;
  friend class TDataLink;

  void DataEvent(TDataEvent Event, TField* Field);

  TDataSet* FDataSet = nullptr;
  bool FEnabled = true;
  bool FAutoEdit = true;
  std::vector<TDataLink*> FDataLinks;
};

// A control's connection to a data source: it learns of the data set's changes through the
// virtual operations below.
class TDataLink : public TPersistent {
public:
  TDataLink() = default;
  ~TDataLink() override;

  TDataSource* DataSource() const { return FDataSource; }
  void SetDataSource(TDataSource* Value);
  // A data source that the owning control fixes itself (while loading it keeps it).
  bool DataSourceFixed() const { return FDataSourceFixed; }
  void SetDataSourceFixed(bool Value) { FDataSourceFixed = Value; }
  TDataSet* DataSet() const { return FDataSource ? FDataSource->DataSet() : nullptr; }
  bool Active() const { return FActive; }
  bool Editing() const { return FEditing; }
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool Value);
  // Asks the data source to edit; true when the link then edits.
  bool Edit();
  // Writes the control's data into the record (UpdateData) without reporting the field change back.
  void UpdateRecord();

protected:
  virtual void ActiveChanged() {}
  virtual void EditingChanged() {}
  virtual void RecordChanged(TField*) {}
  virtual void DataSetChanged() { RecordChanged(nullptr); }
  virtual void UpdateData() {}

private:
  friend class TDataSource;

  void DataEvent(TDataEvent Event, TField* Field);
  void UpdateState();
  void Detach();

  TDataSource* FDataSource = nullptr;
  bool FDataSourceFixed = false;
  bool FActive = false;
  bool FEditing = false;
  bool FReadOnly = false;
  bool FUpdating = false;
};

// The link of a control that shows one field of the current record.
class TFieldDataLink : public TDataLink {
public:
  const String& FieldName() const { return FFieldName; }
  void SetFieldName(const String& Value);
  TField* Field() const { return FField; }
  // The owning control.
  TComponent* Control = nullptr;

  bool CanModify() const { return !ReadOnly() && FField && FField->CanModify(); }
  // Editing, and the field can be changed.
  bool Editing() const { return FEditing; }
  bool Edit();
  // The control changed the field's data: UpdateData will run at the next post.
  void Modified() { FModified = true; }
  // The control shows the field's data again.
  void Reset() { RecordChanged(nullptr); }

  TNotifyEvent OnDataChange;
  TNotifyEvent OnEditingChange;
  TNotifyEvent OnUpdateData;
  TNotifyEvent OnActiveChange;

protected:
  void ActiveChanged() override;
  void EditingChanged() override;
  void RecordChanged(TField* Field) override;
  void UpdateData() override;

private:
  void UpdateField();
  void SetField(TField* Value);
  void SetEditing(bool Value);

  String FFieldName;
  TField* FField = nullptr;
  bool FEditing = false;
  bool FModified = false;
};

}  // namespace classlib
