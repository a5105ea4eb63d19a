// A skinned panel holding a stack of pages of which one is shown, filling it. The pages are a
// string list of captions (adding a line adds a page); in ButtonsMode a skinned speed button per
// page stands above (current and earlier pages) or below (later pages) the shown page.
//
// Classes in this file: TskSkinPage, TskPageButton, TskPageAccess, TskSkinNotebook.
#pragma once

#include "platform/classlib/ComCtrls.h"
#include "platform/classlib/Strings.h"
#include "skin/controls/SkinPanel.h"
#include "skin/controls/SkinSpeedButton.h"

#include <memory>
#include <vector>

namespace skin {

class TskSkinNotebook;

// A page: a borderless skinned panel that lets the mouse through its own surface.
class TskSkinPage : public TskSkinPanel {
public:
  explicit TskSkinPage(classlib::TComponent* AOwner);

  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int Value) { FImageIndex = Value; }

  // Read from a form as a child of a notebook, the page joins that notebook's pages.
  void SetParentComponent(classlib::TComponent* Value) override;
  void Dispatch(classlib::TMessage& Message) override;

private:
  int FImageIndex = -1;
};

// The button of page ButtonPage; a click shows that page.
class TskPageButton : public TskSkinSpeedButton {
public:
  TskPageButton(classlib::TComponent* AOwner, int APageNumber, TskSkinNotebook* ANotebook);

  int ButtonPage() const { return FButtonPage; }
  void ButtonClick() override;

private:
  TskSkinNotebook* FOwnerNotebook;
  int FButtonPage;
};

// The notebook's pages as a list of their captions.
class TskPageAccess : public classlib::TStrings {
public:
  explicit TskPageAccess(TskSkinNotebook& Notebook) : FOwnerNotebook(Notebook) {}

  int Add(const classlib::String& S) override;
  void Clear() override;
  void Delete(int Index) override;
  void Insert(int Index, const classlib::String& S) override;
  // Exchanges the two pages.
  void Move(int CurIndex, int NewIndex) override;

protected:
  classlib::String Get(int Index) const override;
  int GetCount() const override;
  classlib::TObject* GetObject(int Index) const override;
  void Put(int Index, const classlib::String& S) override;
  void SetUpdateState(bool) override {}

private:
  TskSkinNotebook& FOwnerNotebook;
};

class TskSkinNotebook : public TskSkinPanel {
public:
  explicit TskSkinNotebook(classlib::TComponent* AOwner);
  ~TskSkinNotebook() override;

  classlib::TNotifyEvent OnPageChanged;

  // Attributes
  classlib::TStrings& Pages() { return *FPages; }
  void SetPages(const classlib::TStrings& Value);
  int PageIndex() const { return FPageIndex; }
  void SetPageIndex(int Value);
  // The caption of the shown page; empty while no page is shown.
  classlib::String ActivePage() const;
  void SetActivePage(const classlib::String& Value);
  bool ButtonsMode() const { return FButtonsMode; }
  void SetButtonsMode(bool Value);
  const classlib::String& ButtonSkinDataName() const { return FButtonSkinDataName; }
  void SetButtonSkinDataName(const classlib::String& Value) { FButtonSkinDataName = Value; }
  classlib::TImageList* Images() const { return FImages; }
  void SetImages(classlib::TImageList* Value);
  int PageCount() const { return static_cast<int>(FPageObjects.size()); }
  TskSkinPage& Page(int Index) const { return *FPageObjects.at(static_cast<size_t>(Index)); }
  int ButtonCount() const { return static_cast<int>(FPageButtons.size()); }
  TskPageButton& PageButton(int Index) const { return *FPageButtons.at(static_cast<size_t>(Index)); }

  // Operations
  void UpdateButtons();
  void UpdateButton(int Index, const classlib::String& S);
  void ClearButtons();
  // Turning to a page shows it; any other child is the panel's to show.
  void ShowControl(classlib::TControl* AControl) override;

protected:
  friend class TskPageAccess;
  friend class TskSkinPage;

  void CreateParams(classlib::TCreateParams& Params) override;
  void Loaded() override;
  void Notification(classlib::TComponent* AComponent, classlib::TOperation Operation) override;
  // A page read from a form joins the pages; the first one read replaces the constructor's page.
  void ReadPage(TskSkinPage* Page);
  // Shows exactly the page PageIndex names, after the list changed under it.
  void ShowOnlyCurrent();
  // Brings page I forward with the notebook's skin, shown and filling the notebook.
  void ShowPage(int I);
  TskSkinPage* NewPage(const classlib::String& Caption);
  void PlaceButtons();

private:
  std::unique_ptr<TskPageAccess> FPages;
  int FPageIndex = -1;
  bool FButtonsMode = false;
  std::vector<TskPageButton*> FPageButtons;
  classlib::TImageList* FImages = nullptr;
  classlib::String FButtonSkinDataName = "toolbutton";
  std::vector<TskSkinPage*> FPageObjects;
  bool FReadingPages = false;
};

// Makes the window of every page of Notebook, each with its aligning held meanwhile.
void NotebookHandlesNeeded(TskSkinNotebook* Notebook);

}  // namespace skin
