#include "platform/classlib/HeaderControl.h"

#include "platform/classlib/ClassRegistry.h"
#include "platform/classlib/WideText.h"

#include <algorithm>
#include <string>

namespace classlib {

namespace {

[[noreturn]] void IndexError(int Index) {
  throw EStringListError("List index out of bounds (" + std::to_string(Index) + ")");
}

bool SameName(const String& A, const String& B) { return !TNameLess{}(A, B) && !TNameLess{}(B, A); }

int SectionFormat(const THeaderSection& Section) {
  int format = Section.Style() == THeaderSectionStyle::hsOwnerDraw ? HDF_OWNERDRAW : HDF_STRING;
  switch (Section.Alignment()) {
    case TAlignment::taRightJustify: format |= HDF_RIGHT; break;
    case TAlignment::taCenter: format |= HDF_CENTER; break;
    case TAlignment::taLeftJustify: break;
  }
  if (Section.ImageIndex() >= 0) format |= HDF_IMAGE;
  return format;
}

TAlignment ReadAlignment(const TFormValue& Value) {
  const String& name = formvalue::ToIdent(Value);
  if (SameName(name, "taLeftJustify")) return TAlignment::taLeftJustify;
  if (SameName(name, "taRightJustify")) return TAlignment::taRightJustify;
  if (SameName(name, "taCenter")) return TAlignment::taCenter;
  throw EReadError("invalid value " + name);
}

THeaderSectionStyle ReadSectionStyle(const TFormValue& Value) {
  const String& name = formvalue::ToIdent(Value);
  if (SameName(name, "hsText")) return THeaderSectionStyle::hsText;
  if (SameName(name, "hsOwnerDraw")) return THeaderSectionStyle::hsOwnerDraw;
  throw EReadError("invalid value " + name);
}

// Lends the DC of the system's draw-item request to the control's canvas for one section.
class TDrawItemScope {
public:
  TDrawItemScope(TControlCanvas& Canvas, HDC DC) : FCanvas(Canvas) {
    FCanvas.FreeHandle();
    FCanvas.Lock();
    FCanvas.SetHandle(DC);
  }
  ~TDrawItemScope() {
    FCanvas.SetHandle(nullptr);
    FCanvas.Unlock();
  }
  TDrawItemScope(const TDrawItemScope&) = delete;
  TDrawItemScope& operator=(const TDrawItemScope&) = delete;

private:
  TControlCanvas& FCanvas;
};

}  // namespace

// ---------------------------------------------------------------------------------------------
// THeaderSection

void THeaderSection::SetText(const String& Value) {
  FText = Value;
  FOwner.FOwner.WriteSection(Index(), false);
}

int THeaderSection::Width() const {
  const THeaderControl& header = FOwner.FOwner;
  if (!header.HandleAllocated()) return FWidth;
  HDITEMW item{};
  item.mask = HDI_WIDTH;
  if (!header.Send(HDM_GETITEMW, static_cast<WPARAM>(Index()), reinterpret_cast<LPARAM>(&item))) return FWidth;
  return item.cxy;
}

void THeaderSection::SetWidth(int Value) {
  FWidth = std::clamp(Value, FMinWidth, std::max(FMinWidth, FMaxWidth));
  FOwner.FOwner.WriteSection(Index(), false);
}

void THeaderSection::SetMinWidth(int Value) {
  FMinWidth = std::max(Value, 0);
  if (FWidth < FMinWidth) SetWidth(FWidth);
}

void THeaderSection::SetMaxWidth(int Value) {
  FMaxWidth = std::max(Value, 0);
  if (FWidth > FMaxWidth) SetWidth(FWidth);
}

void THeaderSection::SetAlignment(TAlignment Value) {
  FAlignment = Value;
  FOwner.FOwner.WriteSection(Index(), false);
}

void THeaderSection::SetImageIndex(int Value) {
  FImageIndex = Value;
  FOwner.FOwner.WriteSection(Index(), false);
}

void THeaderSection::SetStyle(THeaderSectionStyle Value) {
  FStyle = Value;
  FOwner.FOwner.WriteSection(Index(), false);
}

int THeaderSection::Index() const {
  const auto& sections = FOwner.FSections;
  const auto it = std::find_if(sections.begin(), sections.end(), [this](const auto& s) { return s.get() == this; });
  return static_cast<int>(it - sections.begin());
}

int THeaderSection::Left() const {
  const THeaderControl& header = FOwner.FOwner;
  if (header.HandleAllocated()) {
    RECT r{};
    if (header.Send(HDM_GETITEMRECT, static_cast<WPARAM>(Index()), reinterpret_cast<LPARAM>(&r))) return r.left;
  }
  int left = 0;
  for (const auto& section : FOwner.FSections) {
    if (section.get() == this) break;
    left += section->FWidth;
  }
  return left;
}

// ---------------------------------------------------------------------------------------------
// THeaderSections

THeaderSection* THeaderSections::Add() {
  FSections.push_back(std::unique_ptr<THeaderSection>(new THeaderSection(*this)));
  FOwner.WriteSection(Count() - 1, true);
  return FSections.back().get();
}

void THeaderSections::Clear() {
  if (FOwner.HandleAllocated())
    while (FOwner.Send(HDM_GETITEMCOUNT, 0, 0) > 0) FOwner.Send(HDM_DELETEITEM, 0, 0);
  FSections.clear();
}

void THeaderSections::Delete(int Index) {
  Items(Index);
  FOwner.Send(HDM_DELETEITEM, static_cast<WPARAM>(Index), 0);
  FSections.erase(FSections.begin() + Index);
}

THeaderSection* THeaderSections::Items(int Index) const {
  if (Index < 0 || Index >= Count()) IndexError(Index);
  return FSections[static_cast<size_t>(Index)].get();
}

// ---------------------------------------------------------------------------------------------
// THeaderControl

THeaderControl::THeaderControl(TComponent* AOwner)
    : TWinControl(AOwner), FSections(new THeaderSections(*this)), FCanvas(std::make_unique<TControlCanvas>(*this)) {
  SetBounds(0, 0, 150, 17);
  SetAlign(TAlign::alTop);
}

THeaderControl::~THeaderControl() = default;

LRESULT THeaderControl::Send(UINT Msg, WPARAM WParam, LPARAM LParam) const {
  return FHandle ? SendMessageW(FHandle, Msg, WParam, LParam) : 0;
}

DWORD THeaderControl::StyleBits() const {
  return (FStyle == THeaderStyle::hsButtons ? HDS_BUTTONS : 0) | (FDragReorder ? HDS_DRAGDROP : 0) |
         (FFullDrag ? HDS_FULLDRAG : 0) | (FHotTrack ? HDS_HOTTRACK : 0);
}

void THeaderControl::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  Params.SystemClass = "SysHeader32";
  Params.Style |= StyleBits() | HDS_HORZ;
}

void THeaderControl::CreateHandleDone() {
  TWinControl::CreateHandleDone();
  WriteImages();
  for (int i = 0; i < FSections->Count(); ++i) WriteSection(i, true);
}

void THeaderControl::DestroyWnd() {
  // The widths the user dragged the sections to live in the window: keep them for the next one.
  if (FHandle)
    for (auto& section : FSections->FSections) section->FWidth = section->Width();
  TWinControl::DestroyWnd();
}

void THeaderControl::WriteSection(int Index, bool Insert) {
  if (!FHandle || Index < 0 || Index >= FSections->Count()) return;
  const THeaderSection& section = *FSections->FSections[static_cast<size_t>(Index)];
  WideString text = ToWide(section.FText);
  HDITEMW item{};
  // An update leaves the width the user may have dragged the section to.
  item.mask = HDI_TEXT | HDI_FORMAT | HDI_IMAGE | HDI_LPARAM | (Insert ? HDI_WIDTH : 0);
  item.pszText = text.data();
  item.cchTextMax = static_cast<int>(text.size());
  item.cxy = section.FWidth;
  item.fmt = SectionFormat(section);
  item.iImage = section.FImageIndex;
  item.lParam = reinterpret_cast<LPARAM>(&section);
  Send(Insert ? HDM_INSERTITEMW : HDM_SETITEMW, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(&item));
  if (!Insert && section.FWidth != section.Width()) {
    item.mask = HDI_WIDTH;
    Send(HDM_SETITEMW, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(&item));
  }
}

void THeaderControl::UpdateStyle() {
  if (!FHandle) return;
  constexpr DWORD mask = HDS_BUTTONS | HDS_DRAGDROP | HDS_FULLDRAG | HDS_HOTTRACK;
  const LONG_PTR style = GetWindowLongPtrW(FHandle, GWL_STYLE);
  SetWindowLongPtrW(FHandle, GWL_STYLE, (style & ~static_cast<LONG_PTR>(mask)) | static_cast<LONG_PTR>(StyleBits()));
  InvalidateRect(FHandle, nullptr, TRUE);
}

void THeaderControl::SetStyle(THeaderStyle Value) {
  FStyle = Value;
  UpdateStyle();
}

void THeaderControl::SetDragReorder(bool Value) {
  FDragReorder = Value;
  UpdateStyle();
}

void THeaderControl::SetFullDrag(bool Value) {
  FFullDrag = Value;
  UpdateStyle();
}

void THeaderControl::SetHotTrack(bool Value) {
  FHotTrack = Value;
  UpdateStyle();
}

void THeaderControl::SetImages(TImageList* Value) {
  if (FImages) FImages->RemoveFreeNotification(this);
  FImages = Value;
  if (Value) Value->FreeNotification(this);
  WriteImages();
}

void THeaderControl::WriteImages() {
  if (FHandle) Send(HDM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(FImages ? FImages->Handle() : nullptr));
}

void THeaderControl::Notification(TComponent* AComponent, TOperation Operation) {
  TWinControl::Notification(AComponent, Operation);
  if (Operation == TOperation::opRemove && AComponent == FImages) {
    FImages = nullptr;
    WriteImages();
  }
}

void THeaderControl::DrawSection(THeaderSection* Section, const TRect& Rect, bool Pressed) {
  if (OnDrawSection) OnDrawSection(this, Section, Rect, Pressed);
}

void THeaderControl::SectionClick(THeaderSection* Section) {
  if (OnSectionClick) OnSectionClick(this, Section);
}

void THeaderControl::SectionResize(THeaderSection* Section) {
  if (OnSectionResize) OnSectionResize(this, Section);
}

void THeaderControl::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CN_NOTIFY: {
      const auto* info = reinterpret_cast<const NMHEADERW*>(Message.LParam);
      const bool known = info->iItem >= 0 && info->iItem < FSections->Count();
      switch (info->hdr.code) {
        case HDN_ITEMCLICKW:
          if (known && FStyle == THeaderStyle::hsButtons && FSections->Items(info->iItem)->AllowClick())
            SectionClick(FSections->Items(info->iItem));
          return;
        case HDN_ENDTRACKW:
          if (known) SectionResize(FSections->Items(info->iItem));
          return;
      }
      break;
    }
    case CN_DRAWITEM: {
      const auto& draw = *reinterpret_cast<const DRAWITEMSTRUCT*>(Message.LParam);
      const int index = static_cast<int>(draw.itemID);
      if (index >= 0 && index < FSections->Count()) {
        TDrawItemScope scope(*FCanvas, draw.hDC);
        DrawSection(FSections->Items(index), draw.rcItem, (draw.itemState & ODS_SELECTED) != 0);
      }
      Message.Result = TRUE;
      return;
    }
  }
  TWinControl::Dispatch(Message);
}

void RegisterHeaderControl(TClassRegistry& Registry) {
  Registry.Register<THeaderControl>("THeaderControl", "TWinControl")
      .Enum("Style", &THeaderControl::SetStyle,
            {{"hsButtons", THeaderStyle::hsButtons}, {"hsFlat", THeaderStyle::hsFlat}})
      .Boolean("DragReorder", &THeaderControl::SetDragReorder)
      .Boolean("FullDrag", &THeaderControl::SetFullDrag)
      .Boolean("HotTrack", &THeaderControl::SetHotTrack)
      .Reference("Images", &THeaderControl::SetImages)
      .Event("OnSectionClick", &THeaderControl::OnSectionClick)
      .Event("OnSectionResize", &THeaderControl::OnSectionResize)
      .Event("OnDrawSection", &THeaderControl::OnDrawSection)
      .Custom("Sections", [](THeaderControl& header, const TFormValue& v, TReadContext&) {
        if (v.kind != TFormValue::Kind::Collection) throw EReadError("a collection is expected");
        header.Sections().Clear();
        for (const TFormItem& item : v.Collection) {
          THeaderSection* section = header.Sections().Add();
          for (const TFormProperty& property : item.Properties) {
            const TFormValue& value = property.Value;
            if (SameName(property.Name, "Text"))
              section->SetText(formvalue::ToText(value));
            else if (SameName(property.Name, "Width"))
              section->SetWidth(formvalue::ToInteger(value));
            else if (SameName(property.Name, "MinWidth"))
              section->SetMinWidth(formvalue::ToInteger(value));
            else if (SameName(property.Name, "MaxWidth"))
              section->SetMaxWidth(formvalue::ToInteger(value));
            else if (SameName(property.Name, "ImageIndex"))
              section->SetImageIndex(formvalue::ToInteger(value));
            else if (SameName(property.Name, "AllowClick"))
              section->SetAllowClick(formvalue::ToBoolean(value));
            else if (SameName(property.Name, "Alignment"))
              section->SetAlignment(ReadAlignment(value));
            else if (SameName(property.Name, "Style"))
              section->SetStyle(ReadSectionStyle(value));
            else
              throw EReadError("unknown property " + property.Name + " of a header section");
          }
        }
      });
}

}  // namespace classlib
