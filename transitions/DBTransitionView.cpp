#include "transitions/DBTransitionView.h"

#include "platform/classlib/Bitmap.h"
#include "platform/classlib/Icon.h"
#include "platform/classlib/JPEGImage.h"
#include "platform/classlib/Metafile.h"
#include "platform/classlib/Streams.h"

#include <algorithm>
#include <cstring>

using namespace classlib;

namespace transitions {

const TGraphicClassInfo BitmapGraphicClass{"TBitmap", []() -> std::unique_ptr<TGraphic> { return std::make_unique<TBitmap>(); }};
const TGraphicClassInfo JPEGGraphicClass{"TJPEGImage",
                                         []() -> std::unique_ptr<TGraphic> { return std::make_unique<TJPEGImage>(); }};
const TGraphicClassInfo MetafileGraphicClass{"TMetafile",
                                             []() -> std::unique_ptr<TGraphic> { return std::make_unique<TMetafile>(); }};
const TGraphicClassInfo IconGraphicClass{"TIcon", []() -> std::unique_ptr<TGraphic> { return std::make_unique<TIcon>(); }};

namespace {

struct TSignature {
  int Offset;
  const char* Bytes;
  int Length;
  TGraphicClass Class;
};

// Tested in this order; the first whose bytes lie inside the data and match wins.
const TSignature Signatures[] = {
    {0, "BM", 2, &BitmapGraphicClass},
    {6, "JFIF", 4, &JPEGGraphicClass},
    {0, "\xFF\xD8\xFF", 3, &JPEGGraphicClass},  // any JPEG starts so; Exif pictures lack "JFIF"
    {0, "\xD7\xCD\xC6\x9A", 4, &MetafileGraphicClass},
    {41, "EMF", 3, &MetafileGraphicClass},
};

}  // namespace

TDBTransitionView::TDBTransitionView(TComponent* AOwner)
    : TCustomTransitionView(AOwner), FLink(std::make_unique<TFieldDataLink>()) {
  FLink->Control = this;
  FLink->OnDataChange = [this](TObject*) { DataChange(); };
  FLink->OnUpdateData = [this](TObject*) { UpdateData(); };
  FLink->OnEditingChange = [this](TObject*) { EditingChange(); };
}

TDBTransitionView::~TDBTransitionView() {
  BeginDestruction();
  FLink.reset();
}

void TDBTransitionView::SetDataSource(TDataSource* Value) {
  if (FLink->DataSourceFixed() && ComponentState().Contains(TComponentStateItem::csLoading)) return;
  FLink->SetDataSource(Value);
  if (Value) Value->FreeNotification(this);
}

void TDBTransitionView::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomTransitionView::Notification(AComponent, Operation);
  if (Operation == TOperation::opRemove && FLink && AComponent == DataSource()) SetDataSource(nullptr);
}

void TDBTransitionView::SetAutoDisplay(bool Value) {
  if (Value == FAutoDisplay) return;
  FAutoDisplay = Value;
  if (Value && !FLink->Editing()) LoadPicture();
}

TGraphicClass TDBTransitionView::FindGraphicClass(TStream& Stream) {
  const std::int64_t size = Stream.Size();
  const std::int64_t position = Stream.Position();
  char head[44] = {};
  Stream.SetPosition(0);
  const int read = Stream.Read(head, static_cast<int>(std::min<std::int64_t>(size, sizeof head)));
  Stream.SetPosition(position);
  TGraphicClass found = nullptr;
  for (const TSignature& s : Signatures)
    if (s.Offset + s.Length <= read && std::memcmp(head + s.Offset, s.Bytes, static_cast<std::size_t>(s.Length)) == 0) {
      found = s.Class;
      break;
    }
  if (OnGetGraphicClass) OnGetGraphicClass(this, found);
  return found;
}

void TDBTransitionView::LoadPictureFromStream(TStream& Stream, TGraphicClass GraphicClass) {
  if (!GraphicClass) {
    Picture().SetGraphic(nullptr);
    throw EInvalidGraphic("Unknown picture format");
  }
  if (GraphicClass == &BitmapGraphicClass) return Picture().Bitmap()->LoadFromStream(Stream);
  const std::unique_ptr<TGraphic> graphic = GraphicClass->Create();
  graphic->LoadFromStream(Stream);
  Picture().SetGraphic(graphic.get());
}

void TDBTransitionView::LoadPicture() {
  TField* field = FLink->Field();
  auto* blob = dynamic_cast<TBlobField*>(field);
  if (FPictureLoaded || !blob) return;
  Stop();
  try {
    if (!blob->IsNull()) {
      if (OnBeforeLoadPicture) OnBeforeLoadPicture(this);
      TMemoryStream stream;
      blob->SaveToStream(stream);
      if (stream.Size() > 0) {
        stream.SetPosition(0);
        LoadPictureFromStream(stream, FindGraphicClass(stream));
      }
      if (OnAfterLoadPicture) OnAfterLoadPicture(this);
    }
  } catch (...) {
    FPictureLoaded = true;
    ShowPicture();
    throw;
  }
  FPictureLoaded = true;
  ShowPicture();
}

void TDBTransitionView::ShowPicture() {
  if (Empty())
    Clear();
  else
    Execute();
}

void TDBTransitionView::DataChange() {
  struct TReset {
    bool& Skip;
    ~TReset() { Skip = false; }
  } reset{FSkipDataChange};
  if (FSkipDataChange) return;
  FPictureLoaded = false;
  FModified = false;
  Picture().SetGraphic(nullptr);
  if (FAutoDisplay) LoadPicture();
}

void TDBTransitionView::EditingChange() {
  if (FLink->Editing())
    FSkipDataChange = DataSource()->State() != TDataSetState::dsInsert;
  else
    FSkipDataChange = !FModified;
}

void TDBTransitionView::DoChange() {
  TCustomTransitionView::DoChange();
  if (!FPictureLoaded || !FLink->Editing()) return;
  FLink->Modified();
  FModified = true;
  Stop();
  ShowPicture();
}

void TDBTransitionView::UpdateData() {
  FModified = false;
  TField* field = FLink->Field();
  field->Clear();
  auto* blob = dynamic_cast<TBlobField*>(field);
  if (Empty() || !blob) return;
  TMemoryStream stream;
  Picture().Graphic()->SaveToStream(stream);
  stream.SetPosition(0);
  blob->LoadFromStream(stream);
}

void TDBTransitionView::Dispatch(TMessage& Message) {
  if (Message.Msg == CM_GETDATALINK) {
    Message.Result = reinterpret_cast<LRESULT>(FLink.get());
    return;
  }
  TCustomTransitionView::Dispatch(Message);
}

}  // namespace transitions
