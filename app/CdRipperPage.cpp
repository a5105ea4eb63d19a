// The CD ripper page: the CD-ROM drives, the disc's tracks with their check boxes, and "Start" and
// "Stop" of the ripping thread.
#include "app/Ripper.h"
#include "app/Unit1.h"

#include "platform/cdimage/CdDrive.h"
#include "platform/classlib/SysUtils.h"
#include "platform/classlib/WideText.h"

#include <vector>

using namespace classlib;

void TForm1::ListCdDrives() {
  Timer5->SetEnabled(false);
  skSkinComboBox1->GetItems().Clear();
  for (char letter = 'C'; letter <= 'Y'; ++letter) {
    const String drive = Format("%s:", String(1, letter));
    if (CdGetDriveType(ToWide(drive + "\\").c_str()) == DRIVE_CDROM) skSkinComboBox1->GetItems().Add(drive);
    skSkinComboBox1->SetItemIndex(0);
  }
}

void TForm1::skSkinComboBox1Change(TObject*) {
  const HANDLE drive = CdCreateFile(ToWide("\\\\.\\" + skSkinComboBox1->Text()).c_str(), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
  if (drive == INVALID_HANDLE_VALUE) return;
  // The drive opened before is of no further use.
  if (CdDrive != INVALID_HANDLE_VALUE) CdCloseHandle(CdDrive);
  CdDrive = drive;
  Timer5->SetEnabled(true);
}

void TForm1::Timer5Timer(TObject*) {
  DWORD returned = 0;
  // No disc or a drive not ready yet: the timer asks again.
  if (!CdDeviceIoControl(CdDrive, IOCTL_CDROM_READ_TOC, nullptr, 0, &CdToc, sizeof CdToc, &returned, nullptr))
    return;
  TListItems& items = skSkinListView2->Items();
  items.Clear();
  for (const TTrackRow& row : TrackRows(CdToc)) {
    TListItem* item = items.Add();
    item->SetCaption(row.Caption);
    for (const String& text : row.SubItems) item->SubItems().Add(text);
  }
  Timer5->SetEnabled(false);
}

void TForm1::skSkinButton2Click(TObject*) {
  // The thread gets the ticked tracks as they are now: it never reads the list's window itself.
  TListItems& items = skSkinListView2->Items();
  std::vector<int> tracks;
  for (int i = 0; i < items.Count(); ++i)
    if (items.Item(i)->Checked()) tracks.push_back(i);
  if (tracks.empty()) return;
  RipFolder = ChooseFolder();
  if (RipFolder.empty()) return;

  skSkinComboBox1->SetEnabled(false);
  Ripping = true;
  // The job before, if any, has ended: "Start" is enabled again only when its end was handled.
  RipThread = std::make_unique<cap>(true, std::move(tracks), Handle());
  RipThread->SetPriority(TThreadPriority::tpLower);
  skSkinListView2->SetEnabled(false);
  skSkinButton2->SetEnabled(false);
  RipThread->Start();
}

void TForm1::skSkinButton3Click(TObject*) { Ripping = false; }

void TForm1::RipJobEnded() {
  skSkinListView2->SetEnabled(true);
  skSkinComboBox1->SetEnabled(true);
  TListItems& items = skSkinListView2->Items();
  for (int i = 0; i < items.Count(); ++i) items.Item(i)->SetChecked(false);
  skSkinButton2->SetEnabled(true);
}

void TForm1::Dispatch(TMessage& Message) {
  if (Message.Msg == WM_RIPJOBENDED) {
    RipJobEnded();
    return;
  }
  TForm::Dispatch(Message);
}

void TForm1::EndRipJob() {
  Timer5->SetEnabled(false);
  if (!RipThread) return;
  Ripping = false;
  // The thread posts its end and never waits for this one; the wait still serves what the system
  // sends from the thread (its message boxes are owned by this window).
  RipThread->WaitFor();
  RipThread.reset();
}
