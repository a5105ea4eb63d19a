#include "platform/classlib/DB.h"

#include "platform/classlib/Streams.h"
#include "platform/classlib/SysUtils.h"

#include <algorithm>

namespace classlib {

namespace {

template <class T>
void RemoveFrom(std::vector<T*>& List, T* Item) {
  List.erase(std::remove(List.begin(), List.end(), Item), List.end());
}

bool IsEditing(TDataSetState State) { return State == TDataSetState::dsEdit || State == TDataSetState::dsInsert; }

}  // namespace

// ---------------------------------------------------------------------------------------------
// TField

TField::TField(TDataSet& DataSet, String FieldName, TFieldType DataType, int Index)
    : FDataSet(DataSet), FFieldName(std::move(FieldName)), FDataType(DataType), FIndex(Index) {}

bool TField::CanModify() const { return !FReadOnly && FDataSet.Active(); }

const std::optional<String>& TField::Value() const {
  static const std::optional<String> none;
  if (IsEditing(FDataSet.FState)) return FDataSet.FBuffer.at(static_cast<std::size_t>(FIndex));
  if (FDataSet.FCurrent < 0) return none;
  return FDataSet.FRecords[static_cast<std::size_t>(FDataSet.FCurrent)].at(static_cast<std::size_t>(FIndex));
}

void TField::SetValue(std::optional<String> Value) {
  if (!IsEditing(FDataSet.FState)) throw EDatabaseError("Dataset not in edit or insert mode");
  if (FReadOnly) throw EDatabaseError("Field '" + FFieldName + "' cannot be modified");
  FDataSet.FBuffer.at(static_cast<std::size_t>(FIndex)) = std::move(Value);
  FDataSet.DataEvent(TDataEvent::deFieldChange, this);
}

bool TField::IsNull() const { return !Value().has_value(); }

String TField::AsString() const { return Value().value_or(String()); }

void TField::SetAsString(const String& Value) { SetValue(Value); }

void TField::Clear() { SetValue(std::nullopt); }

void TBlobField::SaveToStream(TStream& Stream) const {
  const std::optional<String>& value = Value();
  if (value && !value->empty()) Stream.WriteBuffer(value->data(), static_cast<int>(value->size()));
}

void TBlobField::LoadFromStream(TStream& Stream) {
  String data(static_cast<std::size_t>(std::max<std::int64_t>(Stream.Size() - Stream.Position(), 0)), '\0');
  if (!data.empty()) Stream.ReadBuffer(data.data(), static_cast<int>(data.size()));
  SetValue(std::move(data));
}

// ---------------------------------------------------------------------------------------------
// TDataSet

TDataSet::TDataSet(TComponent* AOwner) : TComponent(AOwner) {}

TDataSet::~TDataSet() {
  for (TDataSource* source : std::vector<TDataSource*>(FDataSources)) source->SetDataSet(nullptr);
}

TField& TDataSet::AddField(const String& FieldName, TFieldType DataType) {
  if (Active()) throw EDatabaseError("Cannot add a field to an open dataset");
  if (FindField(FieldName)) throw EDatabaseError("Duplicate field name '" + FieldName + "'");
  const int index = FieldCount();
  if (DataType == TFieldType::ftString)
    FFields.push_back(std::make_unique<TField>(*this, FieldName, DataType, index));
  else
    FFields.push_back(std::make_unique<TBlobField>(*this, FieldName, DataType, index));
  return *FFields.back();
}

TField* TDataSet::FindField(const String& FieldName) const {
  for (const auto& field : FFields)
    if (SameText(field->FieldName(), FieldName)) return field.get();
  return nullptr;
}

TField& TDataSet::FieldByName(const String& FieldName) const {
  if (TField* field = FindField(FieldName)) return *field;
  throw EDatabaseError("Field '" + FieldName + "' not found");
}

void TDataSet::SetActive(bool Value) {
  if (Value == Active()) return;
  if (Value) {
    FCurrent = FRecords.empty() ? -1 : 0;
    SetState(TDataSetState::dsBrowse);
  } else {
    FBuffer.clear();
    SetState(TDataSetState::dsInactive);
  }
}

void TDataSet::CheckActive() const {
  if (!Active()) throw EDatabaseError("Cannot perform this operation on a closed dataset");
}

void TDataSet::CheckBrowseMode() {
  CheckActive();
  if (IsEditing(FState)) Post();
}

void TDataSet::SetState(TDataSetState Value) {
  if (Value == FState) return;
  FState = Value;
  DataEvent(TDataEvent::deUpdateState, nullptr);
}

void TDataSet::MoveTo(int Index) {
  CheckBrowseMode();
  if (FRecords.empty()) return;
  Index = std::clamp(Index, 0, RecordCount() - 1);
  if (Index == FCurrent) return;
  FCurrent = Index;
  DataEvent(TDataEvent::deDataSetScroll, nullptr);
}

void TDataSet::SetRecNo(int Value) { MoveTo(Value - 1); }
void TDataSet::First() { MoveTo(0); }
void TDataSet::Last() { MoveTo(RecordCount() - 1); }
void TDataSet::Next() { MoveTo(FCurrent + 1); }
void TDataSet::Prior() { MoveTo(FCurrent - 1); }

void TDataSet::Edit() {
  CheckActive();
  if (IsEditing(FState)) return;
  if (FRecords.empty()) return Insert();
  FBuffer = FRecords[static_cast<std::size_t>(FCurrent)];
  SetState(TDataSetState::dsEdit);
  DataEvent(TDataEvent::deRecordChange, nullptr);
}

void TDataSet::StartInsert(int Position) {
  CheckBrowseMode();
  FBuffer.assign(FFields.size(), std::nullopt);
  FInsertPosition = Position;
  SetState(TDataSetState::dsInsert);
  DataEvent(TDataEvent::deDataSetChange, nullptr);
}

void TDataSet::Insert() { StartInsert(std::max(FCurrent, 0)); }
void TDataSet::Append() { StartInsert(RecordCount()); }

void TDataSet::Post() {
  CheckActive();
  if (!IsEditing(FState)) return;
  DataEvent(TDataEvent::deUpdateRecord, nullptr);
  if (FState == TDataSetState::dsInsert) {
    FRecords.insert(FRecords.begin() + FInsertPosition, std::move(FBuffer));
    FCurrent = FInsertPosition;
  } else {
    FRecords[static_cast<std::size_t>(FCurrent)] = std::move(FBuffer);
  }
  FBuffer.clear();
  SetState(TDataSetState::dsBrowse);
  DataEvent(TDataEvent::deDataSetChange, nullptr);
}

void TDataSet::Cancel() {
  if (!IsEditing(FState)) return;
  FBuffer.clear();
  SetState(TDataSetState::dsBrowse);
  DataEvent(TDataEvent::deDataSetChange, nullptr);
}

void TDataSet::Delete() {
  CheckActive();
  if (IsEditing(FState)) Cancel();
  if (FRecords.empty()) throw EDatabaseError("Cannot perform this operation on an empty dataset");
  FRecords.erase(FRecords.begin() + FCurrent);
  FCurrent = std::min(FCurrent, RecordCount() - 1);
  DataEvent(TDataEvent::deDataSetChange, nullptr);
}

void TDataSet::DataEvent(TDataEvent Event, TField* Field) {
  for (TDataSource* source : std::vector<TDataSource*>(FDataSources)) source->DataEvent(Event, Field);
}

// ---------------------------------------------------------------------------------------------
// TDataSource

TDataSource::TDataSource(TComponent* AOwner) : TComponent(AOwner) {}

TDataSource::~TDataSource() {
  SetDataSet(nullptr);
  for (TDataLink* link : std::vector<TDataLink*>(FDataLinks)) link->SetDataSource(nullptr);
}

void TDataSource::SetDataSet(TDataSet* Value) {
  if (Value == FDataSet) return;
  // The links let go of the old data set before they take up the new one.
  if (FDataSet) {
    RemoveFrom(FDataSet->FDataSources, this);
    FDataSet = nullptr;
    DataEvent(TDataEvent::deUpdateState, nullptr);
  }
  if (!Value) return;
  FDataSet = Value;
  Value->FDataSources.push_back(this);
  Value->FreeNotification(this);
  DataEvent(TDataEvent::deUpdateState, nullptr);
}

void TDataSource::SetEnabled(bool Value) {
  if (Value == FEnabled) return;
  FEnabled = Value;
  DataEvent(TDataEvent::deUpdateState, nullptr);
}

TDataSetState TDataSource::State() const { return FDataSet ? FDataSet->State() : TDataSetState::dsInactive; }

void TDataSource::Edit() {
  if (FAutoEdit && State() == TDataSetState::dsBrowse) FDataSet->Edit();
}

void TDataSource::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == TOperation::opRemove && AComponent == FDataSet) SetDataSet(nullptr);
}

void TDataSource::DataEvent(TDataEvent Event, TField* Field) {
  for (TDataLink* link : std::vector<TDataLink*>(FDataLinks)) link->DataEvent(Event, Field);
}

// ---------------------------------------------------------------------------------------------
// TDataLink

TDataLink::~TDataLink() { Detach(); }

void TDataLink::Detach() {
  if (FDataSource) RemoveFrom(FDataSource->FDataLinks, this);
  FDataSource = nullptr;
}

void TDataLink::SetDataSource(TDataSource* Value) {
  if (Value == FDataSource) return;
  Detach();
  FDataSource = Value;
  if (Value) Value->FDataLinks.push_back(this);
  UpdateState();
}

void TDataLink::SetReadOnly(bool Value) {
  if (Value == FReadOnly) return;
  FReadOnly = Value;
  UpdateState();
}

void TDataLink::UpdateState() {
  const bool active = FDataSource && FDataSource->Enabled() && FDataSource->State() != TDataSetState::dsInactive;
  if (active != FActive) {
    FActive = active;
    ActiveChanged();
  }
  const bool editing = active && !FReadOnly && IsEditing(FDataSource->State());
  if (editing != FEditing) {
    FEditing = editing;
    EditingChanged();
  }
}

bool TDataLink::Edit() {
  if (!FReadOnly && FDataSource) FDataSource->Edit();
  return FEditing;
}

void TDataLink::UpdateRecord() {
  FUpdating = true;
  struct TReset {
    bool& Flag;
    ~TReset() { Flag = false; }
  } reset{FUpdating};
  UpdateData();
}

void TDataLink::DataEvent(TDataEvent Event, TField* Field) {
  if (Event == TDataEvent::deUpdateState) return UpdateState();
  if (!FActive) return;
  switch (Event) {
    case TDataEvent::deFieldChange:
    case TDataEvent::deRecordChange:
      if (!FUpdating) RecordChanged(Field);
      break;
    case TDataEvent::deDataSetChange:
    case TDataEvent::deDataSetScroll:
      DataSetChanged();
      break;
    case TDataEvent::deUpdateRecord:
      UpdateRecord();
      break;
    case TDataEvent::deUpdateState:
      break;
  }
}

// ---------------------------------------------------------------------------------------------
// TFieldDataLink

void TFieldDataLink::SetFieldName(const String& Value) {
  if (Value == FFieldName) return;
  FFieldName = Value;
  UpdateField();
}

bool TFieldDataLink::Edit() {
  if (CanModify()) TDataLink::Edit();
  return FEditing;
}

void TFieldDataLink::UpdateField() {
  SetField(Active() && !FFieldName.empty() ? &DataSet()->FieldByName(FFieldName) : nullptr);
}

void TFieldDataLink::SetField(TField* Value) {
  if (Value == FField) return;
  FField = Value;
  EditingChanged();
  RecordChanged(nullptr);
}

void TFieldDataLink::SetEditing(bool Value) {
  if (Value == FEditing) return;
  FEditing = Value;
  FModified = false;
  if (OnEditingChange) OnEditingChange(this);
}

void TFieldDataLink::ActiveChanged() {
  UpdateField();
  if (OnActiveChange) OnActiveChange(this);
}

void TFieldDataLink::EditingChanged() { SetEditing(TDataLink::Editing() && CanModify()); }

void TFieldDataLink::RecordChanged(TField* Field) {
  if (Field && Field != FField) return;
  if (OnDataChange) OnDataChange(this);
  FModified = false;
}

void TFieldDataLink::UpdateData() {
  if (!FModified) return;
  if (FField && OnUpdateData) OnUpdateData(this);
  FModified = false;
}

}  // namespace classlib
