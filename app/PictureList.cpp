// The picture list page: thumbnails of picture files added from the open dialog or a whole folder,
// and the name, folder, date and size of the item last clicked.
#include "app/PictureFormat.h"
#include "app/Unit1.h"
#include "platform/classlib/SysUtils.h"
#include "platform/classlib/WideText.h"

#include <commctrl.h>

using namespace classlib;

namespace {

// The side of the square each thumbnail is drawn into, whatever the picture's proportions.
constexpr int kThumbnailSide = 105;

// The last-write date as "2006 / 5 / 7", read the way the page always has: from a handle that
// shares the file with nobody, in universal time. Empty when the file cannot be opened.
String ModificationDate(const String& Path) {
  HANDLE file = CreateFileW(ToWide(Path).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return " ";
  FILETIME written{};
  const bool known = GetFileTime(file, nullptr, nullptr, &written) != FALSE;
  CloseHandle(file);
  SYSTEMTIME date{};
  if (!known || !FileTimeToSystemTime(&written, &date)) return " ";
  return IntToStr(date.wYear) + " / " + IntToStr(date.wMonth) + " / " + IntToStr(date.wDay);
}

// The background picture at its own size from the top left corner, and its last column and row
// drawn out to the edges of a larger client: the list widens by its bar's width when the bar hides,
// past the picture, and no strip of the bare window may show there.
void DrawListBackground(TCanvas& Canvas, TGraphic* Picture, const TRect& Client) {
  Canvas.Draw(0, 0, Picture);
  auto* bitmap = dynamic_cast<TBitmap*>(Picture);
  if (!bitmap || bitmap->Empty()) return;
  const int w = bitmap->Width(), h = bitmap->Height();
  TCanvas& source = *bitmap->Canvas();
  if (Client.right > w) Canvas.CopyRect(Rect(w, 0, Client.right, h), source, Rect(w - 1, 0, w, h));
  if (Client.bottom > h) Canvas.CopyRect(Rect(0, h, w, Client.bottom), source, Rect(0, h - 1, w, h));
  if (Client.right > w && Client.bottom > h)
    Canvas.CopyRect(Rect(w, h, Client.right, Client.bottom), source, Rect(w - 1, h - 1, w, h));
}

void ReportUnreadablePictures(const std::vector<String>& Names) {
  if (Names.empty()) return;
  String text = "These pictures could not be read:";
  for (const String& name : Names) text += "\r\n" + name;
  Application->MessageBox(text, "Information", MB_OK | MB_ICONINFORMATION);
}

}  // namespace

std::vector<String> TForm1::RunOpenDialog() {
  std::vector<String> files;
  if (!OpenDialog1->Execute()) return files;
  for (int i = 0; i < OpenDialog1->Files().Count(); ++i) files.push_back(OpenDialog1->Files()[i]);
  return files;
}

bool TForm1::IsListed(const String& Path) {
  TListItems& items = skSkinListView1->Items();
  for (int i = 0; i < items.Count(); ++i) {
    TListItem* item = items.Item(i);
    if (item->SubItems().Count() > 0 && item->SubItems()[0] == Path) return true;
  }
  return false;
}

// Appends one thumbnail and its item. A picture that cannot be decoded gets an empty square rather
// than whatever the canvas held before; the caller reports it.
bool TForm1::AddThumbnail(const String& Path, PxImageFormat Format, int ImageIndex) {
  const auto picture = std::make_unique<PxImage>(FMT_UNKNOWN);
  const bool decoded = picture->LoadFile(Path.c_str(), Format);
  const HDC canvas = Image8->Canvas().Handle();
  PatBlt(canvas, 0, 0, kThumbnailSide, kThumbnailSide, WHITENESS);
  if (decoded) picture->DrawToDC(canvas, 0, 0, kThumbnailSide, kThumbnailSide, nullptr, false);
  // Paint messages get through while a long list is added; the disabled list ignores clicks.
  Application->ProcessMessages();
  ImageList1->Add(Image8->Picture().Bitmap(), nullptr);

  TListItem* item = skSkinListView1->Items().Add();
  item->SetCaption(ExtractFileName(Path));
  item->SubItems().Add(Path);
  item->SetImageIndex(ImageIndex);
  return decoded;
}

void TForm1::BeginListWork() {
  skSkinListView1->SetCursor(crHourGlass);
  skSkinListView1->SetEnabled(false);
}

void TForm1::EndListWork() {
  skSkinListView1->SetCursor(crDefault);
  skSkinListView1->SetEnabled(true);
}

void TForm1::Add1Click(TObject*) {
  const std::vector<String> files = ChoosePictureFiles();
  BeginListWork();
  const int firstIndex = ImageList1->Count();
  int added = 0;
  std::vector<String> unreadable;
  for (const String& path : files) {
    if (IsListed(path)) continue;
    if (!AddThumbnail(path, FormatFromFileName(path), firstIndex + added)) unreadable.push_back(path);
    ++added;
  }
  EndListWork();
  ReportUnreadablePictures(unreadable);
}

void TForm1::AddRot1Click(TObject*) {
  const String folder = ChooseFolder();
  if (folder.empty()) return;
  const int firstIndex = ImageList1->Count();
  int added = 0;
  std::vector<String> unreadable;
  WIN32_FIND_DATAW entry{};
  HANDLE search = FindFirstFileW(ToWide(folder + "\\*.*").c_str(), &entry);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    BeginListWork();
    const String name = FromWide(entry.cFileName);
    const String path = folder + "\\" + name;
    const PxImageFormat format = FormatFromFileName(name);
    // Folders (".", ".." and any named like a picture) hold no picture to show.
    const bool isFolder = (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    if (!isFolder && format != FMT_UNKNOWN && !IsListed(path)) {
      if (!AddThumbnail(path, format, firstIndex + added)) unreadable.push_back(path);
      ++added;
    }
    EndListWork();
  } while (FindNextFileW(search, &entry));
  FindClose(search);
  ReportUnreadablePictures(unreadable);
}

void TForm1::ClearPictureInfo() {
  for (TLabel* label : {pic_name, pic_location, pic_wh, pic_modify}) label->SetCaption(" ");
}

void TForm1::Remove1Click(TObject*) {
  if (!skSkinListView1->Selected()) return;
  skSkinListView1->DeleteSelected();
  ClearPictureInfo();
  skSkinListView1->SetSortType(TSortType::stText);
  skSkinListView1->Invalidate();
}

// The thumbnails stay in the image list, so items added later keep pointing past them.
void TForm1::Removeall1Click(TObject*) {
  skSkinListView1->Clear();
  ClearPictureInfo();
}

void TForm1::skSkinListView1Click(TObject*) {
  TListItem* item = skSkinListView1->Selected();
  if (!item || item->SubItems().Count() == 0) return;
  SelectedFileName = item->SubItems()[0];
  pic_name->SetCaption(ExtractFileName(SelectedFileName));
  pic_location->SetCaption(ExtractFilePath(SelectedFileName));
  pic_modify->SetCaption(ModificationDate(SelectedFileName));
  SelectedFormat = FormatFromFileName(SelectedFileName);

  const auto picture = std::make_unique<PxImage>(FMT_UNKNOWN);
  picture->LoadFile(SelectedFileName.c_str(), SelectedFormat);
  pic_wh->SetCaption(IntToStr(picture->Width()) + " x " + IntToStr(picture->Height()));
}

// The page's background picture behind the thumbnails, with no box behind items or captions.
void TForm1::skSkinListView1CustomDraw(TObject*, const TRect&, bool&) {
  DrawListBackground(skSkinListView1->Canvas(), Image5->Picture().Graphic(), skSkinListView1->ClientRect());
  skSkinListView1->SetColor(clNone);
  SetBkMode(skSkinListView1->Canvas().Handle(), TRANSPARENT);
  ListView_SetBkColor(skSkinListView1->Handle(), CLR_NONE);
  ListView_SetTextBkColor(skSkinListView1->Handle(), CLR_NONE);
}
