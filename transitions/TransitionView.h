// The picture-show control: shows one picture and animates the change to the next one with one of the
// transitions of the effect table, paced on a worker thread or by a loop that keeps the message queue
// serviced.
//
// Classes in this file: TCustomTransitionView, TTransitionView.
#pragma once

#include "platform/classlib/Bitmap.h"
#include "platform/classlib/Controls.h"
#include "platform/classlib/Picture.h"
#include "platform/classlib/Random.h"
#include "platform/classlib/Threads.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>

namespace transitions {

class TAnimateThread;

// 0 draws frames through OnCustomDraw; 1..150 index the effect table.
using TShowStyle = int;
using TPercent = std::uint8_t;

enum class TBackgroundMode { bmNone, bmTiled, bmStretched, bmCentered };

// Picture is the new picture as a bitmap, Screen the frame being composed (in OnStart: the snapshot
// of the old screen).
using TCustomDrawEvent =
    std::function<void(classlib::TObject* Sender, classlib::TBitmap* Picture, classlib::TBitmap* Screen)>;

// The posted message with which a worker reports its end to the control's window.
constexpr UINT WM_ANIMATETHREADTERMINATED = WM_USER + 1;

// Work bitmaps (the old screen and the new picture as a bitmap) live from Prepare to Unprepare. All
// public operations belong to the thread that created the window.
class TCustomTransitionView : public classlib::TCustomControl {
public:
  explicit TCustomTransitionView(classlib::TComponent* AOwner);
  ~TCustomTransitionView() override;

  // Data members: the events (OnMouseEnter and OnMouseLeave are the control's own). OnProgress,
  // OnBeforeNewFrame, OnAfterNewFrame and OnCustomDraw run on the worker thread in threaded mode.
  classlib::TNotifyEvent OnChange;
  classlib::TNotifyEvent OnProgress;
  classlib::TNotifyEvent OnComplete;
  classlib::TNotifyEvent OnStop;
  TCustomDrawEvent OnCustomDraw;
  TCustomDrawEvent OnBeforeNewFrame;
  TCustomDrawEvent OnAfterNewFrame;
  TCustomDrawEvent OnStart;

  // Attributes

  // The picture the next Execute changes to.
  classlib::TPicture& Picture() { return *FPicture; }
  // Null clears the picture; anything else is copied.
  void SetPicture(const classlib::TPicture* Value);
  classlib::TPicture& BgPicture() { return *FBgPicture; }
  void SetBgPicture(const classlib::TPicture* Value);
  TBackgroundMode BgMode() const { return FBgMode; }
  void SetBgMode(TBackgroundMode Value);
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool Value);
  bool Center() const { return FCenter; }
  void SetCenter(bool Value);
  bool Stretch() const { return FStretch; }
  void SetStretch(bool Value);
  bool StretchFine() const { return FStretchFine; }
  void SetStretchFine(bool Value);
  bool OverDraw() const { return FOverDraw; }
  void SetOverDraw(bool Value) { FOverDraw = Value; }
  bool Threaded() const { return FThreaded; }
  void SetThreaded(bool Value) { FThreaded = Value; }
  classlib::TThreadPriority ThreadPriority() const { return FThreadPriority; }
  void SetThreadPriority(classlib::TThreadPriority Value) { FThreadPriority = Value; }
  bool Manual() const { return FManual; }
  void SetManual(bool Value);
  TShowStyle Style() const { return FStyle; }
  void SetStyle(TShowStyle Value);
  // "Custom" for style 0, else the effect's name; setting a name no effect has changes nothing.
  classlib::String StyleName() const;
  void SetStyleName(const classlib::String& Value);
  int Step() const { return FStep; }
  // 0 counts as 1, above 100 as 100.
  void SetStep(int Value);
  int Delay() const { return FDelay; }
  void SetDelay(int Value) { FDelay = static_cast<std::uint16_t>(Value); }
  bool Reverse() const { return FReverse; }
  void SetReverse(bool Value) { FReverse = Value; }
  bool ExactTiming() const { return FExactTiming; }
  void SetExactTiming(bool Value) { FExactTiming = Value; }

  bool Busy() const { return FBusy; }
  TPercent Progress() const { return FProgress; }
  // Composes and shows the frame at Value (above 100 counts as 100); nothing outside a run.
  void SetProgress(int Value);
  // The picture has no graphic or an empty one.
  bool Empty() const;

  // The frame shown and where it is drawn in the client area.
  classlib::TBitmap& Media() { return *FMedia; }
  classlib::TRect PicRect() const;

  // Operations

  // Starts a run from what is shown to Picture; nothing without a picture or while Busy.
  virtual void Execute();
  // Ends a run early: OnStop without OnComplete. Ignored when called from a handler on the worker,
  // which would otherwise wait for itself.
  virtual void Stop();
  // Forgets the frame shown; nothing while Busy.
  virtual void Clear();

  // Scaled drawing helpers of the control.
  static void TileGraphic(classlib::TCanvas& Canvas, const classlib::TRect& R, classlib::TGraphic* Graphic);
  // P's aspect ratio fitted into B and centred there.
  static classlib::TRect StretchFineRect(const classlib::TRect& P, const classlib::TRect& B);

  void Dispatch(classlib::TMessage& Message) override;

protected:
  void Paint() override;
  virtual void PaintBackground(classlib::TCanvas& Canvas, const classlib::TRect& R);
  virtual void DoChange();
  virtual void DoProgress();
  virtual void DoCustomDraw(classlib::TBitmap* Picture, classlib::TBitmap* Screen);
  virtual void DoBeforeNewFrame(classlib::TBitmap* Picture, classlib::TBitmap* Screen);
  virtual void DoAfterNewFrame(classlib::TBitmap* Picture, classlib::TBitmap* Screen);
  virtual void DoComplete();
  virtual void DoStart(classlib::TBitmap* Picture, classlib::TBitmap* Screen);
  virtual void DoStop();

  void Prepare();
  // Composes the frame at Progress; called inside FrameLock.
  void UpdateMedia();
  void Unprepare();
  void CalculatePicRect();
  void AdjustClientSize();
  // R in picture coordinates.
  void InvalidateArea(const classlib::TRect& R);

  // Pacing (the animation unit).
  void Animate();
  // Ends and joins the worker; false when there is none.
  bool WaitForThread();
  void ThreadTerminated();

  // Begins destruction: no event fires from here on and a running transition is stopped. Each
  // destructor of the family calls it first; later calls do nothing.
  void BeginDestruction();
  bool IsDestroying() const { return FDestroying; }

private:
  friend class TAnimateThread;

  void PictureChange();
  void BgPictureChange();
  bool OnWorkerThread() const;
  // The next value of Progress after an increment of N, towards the run's end value.
  int NextProgress(int N) const;
  int EndProgress() const { return FReverse ? 0 : 100; }
  void FreeWorkBitmaps();
  // The run without a worker: steps and services the message queue until the run has ended.
  void AnimateInPlace();

  std::unique_ptr<classlib::TPicture> FPicture;
  std::unique_ptr<classlib::TPicture> FBgPicture;
  TBackgroundMode FBgMode = TBackgroundMode::bmTiled;
  bool FAutoSize = true;
  std::atomic<bool> FCenter{false};
  std::atomic<bool> FStretch{false};
  std::atomic<bool> FStretchFine{false};
  bool FOverDraw = true;
  bool FThreaded = true;
  classlib::TThreadPriority FThreadPriority = classlib::TThreadPriority::tpNormal;
  std::atomic<bool> FManual{false};
  // What the worker reads while the window's thread may change it.
  std::atomic<int> FStyle{51};
  std::atomic<int> FStep{4};
  std::atomic<std::uint16_t> FDelay{40};
  std::atomic<int> FProgress{0};
  std::atomic<bool> FReverse{false};
  std::atomic<bool> FBusy{false};
  std::atomic<bool> FExactTiming{false};

  std::unique_ptr<classlib::TBitmap> FMedia;
  classlib::TRect FPicRect{0, 0, 0, 0};
  mutable std::mutex FPicRectLock;  // the worker reads PicRect when it invalidates a frame
  std::unique_ptr<TAnimateThread> FThread;
  bool FInPaint = false;
  std::unique_ptr<classlib::TBitmap> FOffScreen;
  bool FStopping = false;
  bool FNeedBackground = true;
  std::unique_ptr<classlib::TBitmap> FOldScreen;
  std::unique_ptr<classlib::TBitmap> FPicBitmap;
  int FPicWidth = 0;
  int FPicHeight = 0;
  classlib::TCriticalSection FFrameLock;
  HANDLE FFramePainted = nullptr;
  // The random families of effects draw from this, on the thread that composes.
  classlib::TRandomGenerator FRandom;
  std::atomic<bool> FDestroying{false};
  // Cleared when the control dies, so a loop that serviced messages can tell it no longer exists.
  std::shared_ptr<bool> FAlive = std::make_shared<bool>(true);
};

// The control with its properties published for form descriptions.
class TTransitionView : public TCustomTransitionView {
public:
  using TCustomTransitionView::TCustomTransitionView;
};

}  // namespace transitions
