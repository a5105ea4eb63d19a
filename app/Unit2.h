// "Play List": the play list beside the player page, in two modes with a list file each.
#pragma once

#include "platform/classlib/Forms.h"
#include "platform/classlib/Menus.h"
#include "skin/controls/SkinListView.h"
#include "skin/boxes/SkinListBox.h"
#include "skin/shell/SkinOpenDialog.h"

#include <windows.h>

// The mode files, named without a folder: they live in the current directory.
inline constexpr const char* kAudioPlayList = "audio.lst";
inline constexpr const char* kVideoPlayList = "video.lst";

class TForm2 : public classlib::TForm {
public:
  explicit TForm2(classlib::TComponent* AOwner);

  // The entries: each item's caption is the file name, its first sub-item the full path.
  skin::TskSkinListView* skSkinListView1 = nullptr;
  // Hidden; holds the lines of a list file while it is written or read.
  skin::TskSkinListBox* skSkinListBox1 = nullptr;
  classlib::TMenuItem* AudioMode1 = nullptr;
  classlib::TMenuItem* VideoMode1 = nullptr;
  skin::TskSkinOpenDialog* skSkinOpenDialog1 = nullptr;  // audio files
  skin::TskSkinOpenDialog* skSkinOpenDialog2 = nullptr;  // video files
  skin::TskSkinOpenDialog* skSkinOpenDialog3 = nullptr;  // list files
  skin::TskSkinSaveDialog* skSkinSaveDialog1 = nullptr;

  BYTE PlayListMode = 0;  // 0 audio, 1 video

  // Handlers
  void Remove1Click(classlib::TObject* Sender);
  void ClearList1Click(classlib::TObject* Sender);
  void AddFiles1Click(classlib::TObject* Sender);
  void SaveList1Click(classlib::TObject* Sender);
  void SaveListAs1Click(classlib::TObject* Sender);
  void OpenList1Click(classlib::TObject* Sender);
  void AudioMode1Click(classlib::TObject* Sender);
  void VideoMode1Click(classlib::TObject* Sender);
  void skSkinListView1DblClick(classlib::TObject* Sender);
  void FormCloseQuery(classlib::TObject* Sender, bool& CanClose);

  // Shows the entries of a list file; a missing file gives an empty list.
  void LoadPlayList(const classlib::String& FileName);
  // Writes every entry's path, one line each, ended by CR LF.
  void SavePlayList(const classlib::String& FileName);
  // True unless some entry has exactly this path (case counts).
  bool IsNewPlayListEntry(const classlib::String& Path) const;
  // Adds each path, in order, that the list does not hold yet.
  void AddPlayListFiles(const classlib::TStrings& Paths);
  // The full path of an entry.
  classlib::String EntryPath(int Index) const;

private:
  void AddEntry(const classlib::String& Path);
  // Toggling HideSelection makes the list view repaint its items.
  void RefreshList();
};

extern TForm2* Form2;
