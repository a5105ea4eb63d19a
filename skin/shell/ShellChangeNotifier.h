// Watching one directory for changes: a worker thread blocks on the system's change notification
// and hands each change to the user-interface thread, where the notifier's OnChange runs.
#pragma once

#include "platform/classlib/Component.h"
#include "platform/classlib/Threads.h"
#include "skin/shell/ShellFolder.h"

#include <atomic>
#include <memory>

namespace skin {

enum class TNotifyFilter { nfFileNameChange, nfDirNameChange, nfAttributeChange, nfSizeChange, nfWriteChange, nfSecurityChange };
using TNotifyFilters = classlib::Set<TNotifyFilter>;
// The system's change flags (FILE_NOTIFY_CHANGE_...) for a set.
DWORD NotifyFlags(TNotifyFilters Filters);

// What a notifier and its worker share. The worker frees itself when it ends, so the notifier
// talks to it only through this, which lives as long as either of them.
struct TskShellChangeWatch {
  TskShellChangeWatch();
  ~TskShellChangeWatch();
  TskShellChangeWatch(const TskShellChangeWatch&) = delete;
  TskShellChangeWatch& operator=(const TskShellChangeWatch&) = delete;

  // Wakes the worker: new options wait, or it is to stop.
  void Wake() const { SetEvent(FWake); }

  HANDLE FWake;
  // Set on the user-interface thread when the notifier goes: no change reaches its handler after.
  std::atomic<bool> Stopped{false};
  // Set by the worker when it has ended by itself or been stopped.
  std::atomic<bool> Ended{false};
  // Under the unit's lock.
  classlib::String Directory;
  bool WatchSubTree = true;
  DWORD NotifyFlags = 0;
  bool OptionsChanged = false;
  classlib::TThreadMethod ChangeMethod;
};

class TskShellChangeThread : public classlib::TThread {
public:
  // Created suspended; frees itself when it ends.
  explicit TskShellChangeThread(std::shared_ptr<TskShellChangeWatch> Watch);
  // The options apply from the worker's next wake (before it starts: to its first notification).
  static void SetDirectoryOptions(TskShellChangeWatch& Watch, const classlib::String& Directory, bool WatchSubTree,
                                  DWORD NotifyFlags);

protected:
  void Execute() override;

private:
  // Runs the change method on the user-interface thread unless the notifier has gone.
  void ReportChange();

  std::shared_ptr<TskShellChangeWatch> FWatch;
};

class TskCustomShellChangeNotifier : public classlib::TComponent {
public:
  explicit TskCustomShellChangeNotifier(classlib::TComponent* AOwner);
  ~TskCustomShellChangeNotifier() override;

  TNotifyFilters NotifyFilters() const { return FNotifyFilters; }
  void SetFilters(TNotifyFilters Value);
  const TRoot& Root() const { return FRoot; }
  void SetRoot(const TRoot& Value);
  bool WatchSubTree() const { return FWatchSubTree; }
  void SetWatchSubTree(bool Value);
  const classlib::TThreadMethod& OnChange() const { return FOnChange; }
  void SetOnChange(classlib::TThreadMethod Value);

  // True while a worker watches.
  bool Watching() const { return FWatch && !FWatch->Ended; }

protected:
  // Starts a worker when a handler is set.
  void Start();
  // Passes the current options to a running worker.
  void Change();

private:
  TNotifyFilters FNotifyFilters{TNotifyFilter::nfFileNameChange, TNotifyFilter::nfDirNameChange};
  bool FWatchSubTree = true;
  TRoot FRoot = "C:\\";
  std::shared_ptr<TskShellChangeWatch> FWatch;
  classlib::TThreadMethod FOnChange;
};

// The form of the notifier that forms hold.
class TskShellChangeNotifier : public TskCustomShellChangeNotifier {
public:
  using TskCustomShellChangeNotifier::TskCustomShellChangeNotifier;
};

}  // namespace skin
