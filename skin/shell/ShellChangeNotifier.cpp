#include "skin/shell/ShellChangeNotifier.h"

#include "platform/classlib/SysUtils.h"
#include "platform/classlib/WideText.h"

namespace skin {

using namespace classlib;

namespace {

// Guards every watch's options and the opening of change notifications.
TCriticalSection& NotifierLock() {
  static TCriticalSection lock;
  return lock;
}

// Holds the unit's lock for a scope; never across a wait or a call to the user-interface thread.
class TLocked {
public:
  TLocked() { NotifierLock().Enter(); }
  ~TLocked() { NotifierLock().Leave(); }
  TLocked(const TLocked&) = delete;
  TLocked& operator=(const TLocked&) = delete;
};

// Opens a notification for the watch's present options and marks them applied.
HANDLE OpenNotification(TskShellChangeWatch& Watch) {
  const TLocked locked;
  Watch.OptionsChanged = false;
  return FindFirstChangeNotificationW(ToWide(Watch.Directory).c_str(), Watch.WatchSubTree, Watch.NotifyFlags);
}

}  // namespace

DWORD NotifyFlags(TNotifyFilters Filters) {
  static constexpr std::pair<TNotifyFilter, DWORD> kFlags[] = {
      {TNotifyFilter::nfFileNameChange, FILE_NOTIFY_CHANGE_FILE_NAME},
      {TNotifyFilter::nfDirNameChange, FILE_NOTIFY_CHANGE_DIR_NAME},
      {TNotifyFilter::nfAttributeChange, FILE_NOTIFY_CHANGE_ATTRIBUTES},
      {TNotifyFilter::nfSizeChange, FILE_NOTIFY_CHANGE_SIZE},
      {TNotifyFilter::nfWriteChange, FILE_NOTIFY_CHANGE_LAST_WRITE},
      {TNotifyFilter::nfSecurityChange, FILE_NOTIFY_CHANGE_SECURITY},
  };
  DWORD flags = 0;
  for (const auto& [filter, flag] : kFlags)
    if (Filters.Contains(filter)) flags |= flag;
  return flags;
}

TskShellChangeWatch::TskShellChangeWatch() : FWake(CreateEventW(nullptr, FALSE, FALSE, nullptr)) {}

TskShellChangeWatch::~TskShellChangeWatch() { CloseHandle(FWake); }

TskShellChangeThread::TskShellChangeThread(std::shared_ptr<TskShellChangeWatch> Watch)
    : TThread(true), FWatch(std::move(Watch)) {
  SetFreeOnTerminate(true);
}

void TskShellChangeThread::SetDirectoryOptions(TskShellChangeWatch& Watch, const String& Directory, bool WatchSubTree,
                                               DWORD NotifyFlags) {
  const TLocked locked;
  Watch.Directory = Directory;
  Watch.WatchSubTree = WatchSubTree;
  Watch.NotifyFlags = NotifyFlags;
  Watch.OptionsChanged = true;
}

void TskShellChangeThread::ReportChange() {
  Synchronize([Watch = FWatch] {
    if (Watch->Stopped) return;
    TThreadMethod method;
    {
      const TLocked locked;
      method = Watch->ChangeMethod;
    }
    if (method) method();
  });
}

void TskShellChangeThread::Execute() {
  TskShellChangeWatch& watch = *FWatch;
  HANDLE change = OpenNotification(watch);
  while (change != INVALID_HANDLE_VALUE && !Terminated() && !watch.Stopped) {
    const HANDLE waits[] = {change, watch.FWake};
    const DWORD woken = WaitForMultipleObjects(2, waits, FALSE, INFINITE);
    if (woken == WAIT_OBJECT_0) {
      ReportChange();
      FindNextChangeNotification(change);
    } else if (woken != WAIT_OBJECT_0 + 1) {
      break;
    }
    if (watch.Stopped) break;
    bool reopen;
    {
      const TLocked locked;
      reopen = watch.OptionsChanged;
    }
    // The old notification is no longer waited on: it goes once the new one is open.
    if (reopen) {
      const HANDLE fresh = OpenNotification(watch);
      FindCloseChangeNotification(change);
      change = fresh;
    }
  }
  if (change != INVALID_HANDLE_VALUE) FindCloseChangeNotification(change);
  watch.Ended = true;
}

TskCustomShellChangeNotifier::TskCustomShellChangeNotifier(TComponent* AOwner) : TComponent(AOwner) { Start(); }

TskCustomShellChangeNotifier::~TskCustomShellChangeNotifier() {
  if (FWatch) {
    FWatch->Stopped = true;
    FWatch->Wake();
  }
}

void TskCustomShellChangeNotifier::Start() {
  if (!FOnChange) return;
  FWatch = std::make_shared<TskShellChangeWatch>();
  FWatch->ChangeMethod = FOnChange;
  TskShellChangeThread::SetDirectoryOptions(*FWatch, FRoot, FWatchSubTree, NotifyFlags(FNotifyFilters));
  (new TskShellChangeThread(FWatch))->Start();
}

void TskCustomShellChangeNotifier::Change() {
  if (!Watching()) return;
  TskShellChangeThread::SetDirectoryOptions(*FWatch, FRoot, FWatchSubTree, NotifyFlags(FNotifyFilters));
  FWatch->Wake();
}

void TskCustomShellChangeNotifier::SetRoot(const TRoot& Value) {
  if (SameText(Value, FRoot)) return;
  FRoot = Value;
  Change();
}

void TskCustomShellChangeNotifier::SetFilters(TNotifyFilters Value) {
  FNotifyFilters = Value;
  Change();
}

void TskCustomShellChangeNotifier::SetWatchSubTree(bool Value) {
  FWatchSubTree = Value;
  Change();
}

void TskCustomShellChangeNotifier::SetOnChange(TThreadMethod Value) {
  FOnChange = std::move(Value);
  if (Watching()) {
    const TLocked locked;
    FWatch->ChangeMethod = FOnChange;
  } else {
    // A worker that ended by itself (a directory it could not watch) is let go for a new one.
    if (FWatch) FWatch->Stopped = true;
    FWatch.reset();
    Start();
  }
}

}  // namespace skin
