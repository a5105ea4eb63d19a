#include "app/Unit2.h"

#include "app/Unit1.h"
#include "platform/classlib/SysUtils.h"

using namespace classlib;

TForm2* Form2 = nullptr;

namespace {

// The part after the last backslash or colon.
String FileNamePart(const String& Path) {
  const size_t separator = Path.find_last_of("\\:");
  return separator == String::npos ? Path : Path.substr(separator + 1);
}

}  // namespace

TForm2::TForm2(TComponent* AOwner) : TForm(AOwner) {
  Handler("Remove1Click", &TForm2::Remove1Click);
  Handler("ClearList1Click", &TForm2::ClearList1Click);
  Handler("AddFiles1Click", &TForm2::AddFiles1Click);
  Handler("SaveList1Click", &TForm2::SaveList1Click);
  Handler("SaveListAs1Click", &TForm2::SaveListAs1Click);
  Handler("OpenList1Click", &TForm2::OpenList1Click);
  Handler("AudioMode1Click", &TForm2::AudioMode1Click);
  Handler("VideoMode1Click", &TForm2::VideoMode1Click);
  Handler("skSkinListView1DblClick", &TForm2::skSkinListView1DblClick);
  Handler("FormCloseQuery", &TForm2::FormCloseQuery);
  ReadForm();

  Bind(skSkinListView1, "skSkinListView1");
  Bind(skSkinListBox1, "skSkinListBox1");
  Bind(AudioMode1, "AudioMode1");
  Bind(VideoMode1, "VideoMode1");
  Bind(skSkinOpenDialog1, "skSkinOpenDialog1");
  Bind(skSkinOpenDialog2, "skSkinOpenDialog2");
  Bind(skSkinOpenDialog3, "skSkinOpenDialog3");
  Bind(skSkinSaveDialog1, "skSkinSaveDialog1");
}

String TForm2::EntryPath(int Index) const {
  TListItem* const item = skSkinListView1->Items().Item(Index);
  return item->SubItems().Count() > 0 ? item->SubItems()[0] : String();
}

void TForm2::AddEntry(const String& Path) {
  TListItem* const item = skSkinListView1->Items().Add();
  item->SetCaption(FileNamePart(Path));
  item->SubItems().Add(Path);
}

void TForm2::RefreshList() {
  skSkinListView1->SetHideSelection(true);
  skSkinListView1->SetHideSelection(false);
}

bool TForm2::IsNewPlayListEntry(const String& Path) const {
  for (int i = 0, count = skSkinListView1->Items().Count(); i < count; ++i)
    if (EntryPath(i) == Path) return false;
  return true;
}

void TForm2::AddPlayListFiles(const TStrings& Paths) {
  for (int i = 0; i < Paths.Count(); ++i)
    if (IsNewPlayListEntry(Paths[i])) AddEntry(Paths[i]);
  RefreshList();
}

void TForm2::SavePlayList(const String& FileName) {
  TStrings& lines = skSkinListBox1->GetItems();
  lines.Clear();
  for (int i = 0, count = skSkinListView1->Items().Count(); i < count; ++i) lines.Add(EntryPath(i));
  lines.SaveToFile(FileName);
}

void TForm2::LoadPlayList(const String& FileName) {
  skSkinListView1->Clear();
  if (FileExists(FileName)) {
    TStrings& lines = skSkinListBox1->GetItems();
    lines.LoadFromFile(FileName);
    for (int i = 0; i < lines.Count(); ++i) AddEntry(lines[i]);
  }
  RefreshList();
}

void TForm2::AudioMode1Click(TObject*) {
  if (PlayListMode == 1 && skSkinListView1->Items().Count() > 0) SavePlayList(kVideoPlayList);
  PlayListMode = 0;
  AudioMode1->SetChecked(true);
  VideoMode1->SetChecked(false);
  LoadPlayList(kAudioPlayList);
}

void TForm2::VideoMode1Click(TObject*) {
  if (PlayListMode == 0 && skSkinListView1->Items().Count() > 0) SavePlayList(kAudioPlayList);
  PlayListMode = 1;
  VideoMode1->SetChecked(true);
  AudioMode1->SetChecked(false);
  LoadPlayList(kVideoPlayList);
}

void TForm2::AddFiles1Click(TObject*) {
  skin::TskSkinOpenDialog& dialog = PlayListMode == 0 ? *skSkinOpenDialog1 : *skSkinOpenDialog2;
  if (dialog.Execute()) AddPlayListFiles(dialog.Files());
}

void TForm2::SaveList1Click(TObject*) { SavePlayList(PlayListMode == 0 ? kAudioPlayList : kVideoPlayList); }

void TForm2::SaveListAs1Click(TObject*) {
  if (skSkinSaveDialog1->Execute()) SavePlayList(skSkinSaveDialog1->FileName());
}

void TForm2::OpenList1Click(TObject*) {
  if (skSkinOpenDialog3->Execute()) LoadPlayList(skSkinOpenDialog3->FileName());
}

void TForm2::Remove1Click(TObject*) {
  if (skSkinListView1->Selected()) skSkinListView1->DeleteSelected();
}

void TForm2::ClearList1Click(TObject*) { skSkinListView1->Clear(); }

void TForm2::skSkinListView1DblClick(TObject*) { Form1->PlaySelected(); }

// The form has no close button: the main window alone shows and hides it.
void TForm2::FormCloseQuery(TObject*, bool& CanClose) { CanClose = false; }
