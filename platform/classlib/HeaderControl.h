// The system header control ("SysHeader32"): a row of resizable column sections. The sections are
// kept here, so that they can be set up before the window exists.
//
// Classes in this file: THeaderSection, THeaderSections, THeaderControl.
#pragma once

#include "platform/classlib/ComCtrls.h"

#include <functional>
#include <memory>
#include <vector>

namespace classlib {

class THeaderControl;
class THeaderSections;

// hsOwnerDraw sections are drawn by the control (DrawSection), not by the system.
enum class THeaderSectionStyle { hsText, hsOwnerDraw };
// hsButtons sections go down when pressed and report clicks; hsFlat ones do neither.
enum class THeaderStyle { hsButtons, hsFlat };

class THeaderSection {
public:
  const String& Text() const { return FText; }
  void SetText(const String& Value);
  // The width the user gave it, while the window exists; held within MinWidth..MaxWidth.
  int Width() const;
  void SetWidth(int Value);
  int MinWidth() const { return FMinWidth; }
  void SetMinWidth(int Value);
  int MaxWidth() const { return FMaxWidth; }
  void SetMaxWidth(int Value);
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);
  // The picture of the header's Images beside the text; -1 for none.
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int Value);
  THeaderSectionStyle Style() const { return FStyle; }
  void SetStyle(THeaderSectionStyle Value);
  bool AllowClick() const { return FAllowClick; }
  void SetAllowClick(bool Value) { FAllowClick = Value; }
  int Index() const;
  // The section's edges in the header's client area, in display order.
  int Left() const;
  int Right() const { return Left() + Width(); }

private:
  friend class THeaderSections;
  friend class THeaderControl;
  explicit THeaderSection(THeaderSections& Owner) : FOwner(Owner) {}

  THeaderSections& FOwner;
  String FText;
  int FWidth = 50;
  int FMinWidth = 0;
  int FMaxWidth = 10000;
  TAlignment FAlignment = TAlignment::taLeftJustify;
  int FImageIndex = -1;
  THeaderSectionStyle FStyle = THeaderSectionStyle::hsText;
  bool FAllowClick = true;
};

class THeaderSections : public TPersistent {
public:
  THeaderSection* Add();
  void Clear();
  void Delete(int Index);
  int Count() const { return static_cast<int>(FSections.size()); }
  // Raises EStringListError for an index out of range.
  THeaderSection* Items(int Index) const;
  THeaderControl& Owner() const { return FOwner; }

private:
  friend class THeaderControl;
  friend class THeaderSection;
  explicit THeaderSections(THeaderControl& Owner) : FOwner(Owner) {}

  THeaderControl& FOwner;
  std::vector<std::unique_ptr<THeaderSection>> FSections;
};

using TSectionNotifyEvent = std::function<void(THeaderControl* HeaderControl, THeaderSection* Section)>;
using TDrawSectionEvent =
    std::function<void(THeaderControl* HeaderControl, THeaderSection* Section, const TRect& Rect, bool Pressed)>;

class THeaderControl : public TWinControl {
public:
  explicit THeaderControl(TComponent* AOwner);
  ~THeaderControl() override;

  // A section of a hsButtons header was clicked.
  TSectionNotifyEvent OnSectionClick;
  // The user changed a section's width.
  TSectionNotifyEvent OnSectionResize;
  // Draws an owner-drawn section on Canvas.
  TDrawSectionEvent OnDrawSection;

  THeaderSections& Sections() { return *FSections; }
  const THeaderSections& Sections() const { return *FSections; }
  TCanvas& Canvas() { return *FCanvas; }
  THeaderStyle Style() const { return FStyle; }
  void SetStyle(THeaderStyle Value);
  // Whether the user may drag sections into another order.
  bool DragReorder() const { return FDragReorder; }
  void SetDragReorder(bool Value);
  // Whether the sections follow the pointer while being resized.
  bool FullDrag() const { return FFullDrag; }
  void SetFullDrag(bool Value);
  bool HotTrack() const { return FHotTrack; }
  void SetHotTrack(bool Value);
  TImageList* Images() const { return FImages; }
  void SetImages(TImageList* Value);

  void Dispatch(TMessage& Message) override;

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateHandleDone() override;
  void DestroyWnd() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  bool ClicksOnMouseUp() const override { return false; }
  // Draws an owner-drawn section (fires OnDrawSection).
  virtual void DrawSection(THeaderSection* Section, const TRect& Rect, bool Pressed);
  virtual void SectionClick(THeaderSection* Section);
  virtual void SectionResize(THeaderSection* Section);

private:
  friend class THeaderSections;
  friend class THeaderSection;

  LRESULT Send(UINT Msg, WPARAM WParam, LPARAM LParam) const;
  DWORD StyleBits() const;
  void UpdateStyle();
  void WriteSection(int Index, bool Insert);
  void WriteImages();

  std::unique_ptr<THeaderSections> FSections;
  std::unique_ptr<TControlCanvas> FCanvas;
  THeaderStyle FStyle = THeaderStyle::hsButtons;
  bool FDragReorder = false;
  bool FFullDrag = true;
  bool FHotTrack = false;
  TImageList* FImages = nullptr;
};

// Registers the header control with the form reader; its Sections are read as a collection of
// items with Text, Width, MinWidth, MaxWidth, Alignment, ImageIndex, Style and AllowClick.
void RegisterHeaderControl(TClassRegistry& Registry);

}  // namespace classlib
