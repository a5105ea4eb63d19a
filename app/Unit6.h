// "SlideShow": the full-screen slide show. Pictures drawn at random from one folder are converted one
// by one to the work file "repp.jpg" and shown by a picture-show control, which changes from one to
// the next with a transition chosen at random every five seconds until the user double-clicks.
#pragma once

#include "platform/classlib/Forms.h"
#include "platform/classlib/Random.h"
#include "platform/classlib/Timer.h"
#include "transitions/TransitionView.h"

#include <cstdint>
#include <functional>
#include <vector>

class TForm6 : public classlib::TForm {
public:
  explicit TForm6(classlib::TComponent* AOwner);

  classlib::TTimer* Timer1 = nullptr;  // next picture
  classlib::TTimer* Timer2 = nullptr;  // hides the mouse cursor

  // The candidate files (folder + name), rebuilt at every start.
  std::vector<classlib::String> SlideFiles;
  // The control showing the pictures; null when there is none.
  transitions::TTransitionView* SlideShowControl = nullptr;
  // Failed picks of the current show.
  int PickRetries = 0;
  // What seeds the generator at every start: the time in seconds; tests put a fixed seed here.
  std::function<std::uint32_t()> SlideShowSeed;

  // "Play": starts the show over Folder and shows the form modally until the show ends; nothing
  // when it cannot start.
  void Play(const classlib::String& Folder);
  // Lists the folder, converts the first picture and sets up the control; false when the show
  // cannot start.
  bool StartSlideShow(const classlib::String& Folder);
  // Fills SlideFiles with the folder's plain files: no folders, and no file with an attribute
  // besides "archive" (read-only, hidden, system, compressed...).
  void ListSlideFolder(const classlib::String& Folder);
  // Converts a random candidate to "repp.jpg". False (the show is over) when the folder holds no
  // picture to be found.
  bool PickRandomPicture();
  // Makes the control for a new show, with the converted picture as its background.
  void SetUpTransitionView();
  // Starts a transition to the picture in "repp.jpg" with a random style.
  void NextSlide();

  void Timer1Timer(classlib::TObject* Sender);
  void Timer2Timer(classlib::TObject* Sender);
  void FormClose(classlib::TObject* Sender, classlib::TCloseAction& Action);
  // Every message of View: a double click ends the show, a mouse move shows the cursor.
  void TransitionViewWndProc(transitions::TTransitionView& View, classlib::TMessage& Message);

protected:
  void Notification(classlib::TComponent* AComponent, classlib::TOperation Operation) override;

private:
  // Ends the show with a message: the cursor comes back, the timers stop.
  bool FailPick(const classlib::String& Text);
  // Converts Path to "repp.jpg"; a file that does not convert is reported and the previous
  // picture stays.
  void ConvertPicture(const classlib::String& Path);
  // Loads "repp.jpg" into Picture, picking a picture first when the file is still empty; false
  // (Picture unchanged) when there is nothing to load.
  bool LoadWorkPicture(classlib::TPicture& Picture);
  void FreeSlideShowControl();

  classlib::TRandomGenerator FRandom;
  // A message box of a tick lets the timers fire again; such a tick waits for the next one.
  bool FInTick = false;
};

extern TForm6* Form6;
