// The data-aware picture show: shows the picture held in a blob field of a data set's current record
// and changes to each new record's picture with a transition.
//
// Classes in this file: TDBTransitionView.
#pragma once

#include "platform/classlib/DB.h"
#include "transitions/TransitionView.h"

namespace classlib {
class TStream;
}

namespace transitions {

// A kind of picture a field's data can hold: the class of graphic that loads it.
struct TGraphicClassInfo {
  const char* Name;
  std::unique_ptr<classlib::TGraphic> (*Create)();
};
using TGraphicClass = const TGraphicClassInfo*;

extern const TGraphicClassInfo BitmapGraphicClass;
extern const TGraphicClassInfo JPEGGraphicClass;
extern const TGraphicClassInfo MetafileGraphicClass;
extern const TGraphicClassInfo IconGraphicClass;

// May replace the class found for a field's data (null: none known).
using TGetGraphicClassEvent = std::function<void(classlib::TObject* Sender, TGraphicClass& GraphicClass)>;

class TDBTransitionView : public TCustomTransitionView {
public:
  explicit TDBTransitionView(classlib::TComponent* AOwner);
  ~TDBTransitionView() override;

  classlib::TNotifyEvent OnAfterLoadPicture;
  classlib::TNotifyEvent OnBeforeLoadPicture;
  TGetGraphicClassEvent OnGetGraphicClass;

  // Attributes

  bool AutoDisplay() const { return FAutoDisplay; }
  void SetAutoDisplay(bool Value);
  const classlib::String& DataField() const { return FLink->FieldName(); }
  void SetDataField(const classlib::String& Value) { FLink->SetFieldName(Value); }
  classlib::TDataSource* DataSource() const { return FLink->DataSource(); }
  void SetDataSource(classlib::TDataSource* Value);
  bool ReadOnly() const { return FLink->ReadOnly(); }
  void SetReadOnly(bool Value) { FLink->SetReadOnly(Value); }
  classlib::TField* Field() const { return FLink->Field(); }
  bool Modified() const { return FModified; }
  bool PictureLoaded() const { return FPictureLoaded; }

  // Operations

  // Shows the field's picture (once per record): a transition to it, or a cleared control when the
  // field is null or empty. A picture in a format not known raises "Unknown picture format".
  void LoadPicture();

  void Dispatch(classlib::TMessage& Message) override;

protected:
  // The class for the data from the stream's start (FF D8 FF at the start counts as JPEG, as camera
  // pictures carry no "JFIF"), or null; OnGetGraphicClass has the last word.
  virtual TGraphicClass FindGraphicClass(classlib::TStream& Stream);
  virtual void LoadPictureFromStream(classlib::TStream& Stream, TGraphicClass GraphicClass);
  void DoChange() override;
  void Notification(classlib::TComponent* AComponent, classlib::TOperation Operation) override;

private:
  void DataChange();
  void EditingChange();
  void UpdateData();
  // Clears the control for an empty picture, else plays the transition to it.
  void ShowPicture();

  std::unique_ptr<classlib::TFieldDataLink> FLink;
  bool FAutoDisplay = true;
  bool FModified = false;
  bool FPictureLoaded = false;
  bool FSkipDataChange = false;
};

}  // namespace transitions
