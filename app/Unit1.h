// The main window: six pages switched in code (home, picture list, player, TV, picture viewer and
// CD ripper), the caption clock, the home page's labels with their highlights, and the start-up
// work that reads the settings and notes the capture devices.
#pragma once

#include "app/ChannelDisplay.h"
#include "app/MediaPlayer.h"
#include "app/PictureFit.h"
#include "app/TvPage.h"
#include "image/PxImage.h"
#include "platform/classlib/ComCtrls.h"
#include "platform/classlib/ExtCtrls.h"
#include "platform/classlib/Forms.h"
#include "platform/classlib/StdCtrls.h"
#include "platform/classlib/Timer.h"
#include "skin/boxes/SkinComboBox.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinGauge.h"
#include "skin/controls/SkinListView.h"
#include "skin/controls/SkinPageControl.h"
#include "skin/controls/SkinSpeedButton.h"
#include "skin/controls/SkinTrackBar.h"
#include "skin/form/SkinPopupMenu.h"
#include "skin/shell/SkinOpenDialog.h"

#include <functional>
#include <memory>
#include <vector>

// Whether start-up found a video capture device; the TV page needs one.
extern bool HasVideoDevice;

class TForm1 : public classlib::TForm {
public:
  explicit TForm1(classlib::TComponent* AOwner);
  // Ends what FormClose ends, for a window freed without being closed.
  ~TForm1() override;

  // Components of the stored form that the code uses.
  skin::TskSkinPageControl* skSkinPageControl1 = nullptr;
  skin::TskSkinTabSheet* skSkinTabSheet1 = nullptr;  // home
  skin::TskSkinTabSheet* skSkinTabSheet2 = nullptr;  // picture list
  skin::TskSkinTabSheet* skSkinTabSheet3 = nullptr;  // player
  skin::TskSkinTabSheet* skSkinTabSheet4 = nullptr;  // TV
  skin::TskSkinTabSheet* skSkinTabSheet5 = nullptr;  // picture viewer
  skin::TskSkinTabSheet* skSkinTabSheet6 = nullptr;  // CD ripper
  classlib::TImage* Image11 = nullptr;
  classlib::TImage* Image10 = nullptr;
  classlib::TImage* Image9 = nullptr;
  classlib::TImage* Image24 = nullptr;
  skin::TskSkinListView* skSkinListView1 = nullptr;
  skin::TskSkinComboBox* ComboBox1 = nullptr;
  skin::TskSkinComboBox* ComboBox2 = nullptr;
  skin::TskSkinPopupMenu* skSkinPopupMenu5 = nullptr;

  // CD ripper page
  skin::TskSkinComboBox* skSkinComboBox1 = nullptr;
  skin::TskSkinListView* skSkinListView2 = nullptr;
  skin::TskSkinButton* skSkinButton2 = nullptr;
  skin::TskSkinButton* skSkinButton3 = nullptr;
  skin::TskSkinGauge* skSkinGauge1 = nullptr;
  classlib::TTimer* Timer5 = nullptr;
  // Lists the CD-ROM drives in the drive combo box; selecting the first opens it.
  void ListCdDrives();
  void skSkinComboBox1Change(classlib::TObject* Sender);
  void Timer5Timer(classlib::TObject* Sender);
  void skSkinButton2Click(classlib::TObject* Sender);  // CD page "Start"
  void skSkinButton3Click(classlib::TObject* Sender);  // CD page "Stop"
  // Ends a running job as "Stop" does and waits for its thread.
  void EndRipJob();
  // The end of a job, posted by its thread: the page's list, drive box and "Start" are usable
  // again and no track is ticked.
  void RipJobEnded();
  void Dispatch(classlib::TMessage& Message) override;

  // The slide show's folder, ending in "\".
  classlib::String SlideShowFolder;

  // Where the settings live, what the clock reads and how a folder is chosen; tests put their own here.
  classlib::String ConfigFile;
  std::function<SYSTEMTIME()> LocalTime;
  std::function<classlib::String()> ChooseFolder;

  // Handlers
  void FormCreate(classlib::TObject* Sender);
  // Closing the main window ends the program: the ripping job and the player's graph end first,
  // while every form still exists.
  void FormClose(classlib::TObject* Sender, classlib::TCloseAction& Action);
  void Timer1Timer(classlib::TObject* Sender);
  void Label1Click(classlib::TObject* Sender);
  void Label2Click(classlib::TObject* Sender);
  void Label3Click(classlib::TObject* Sender);
  void Label21Click(classlib::TObject* Sender);
  void CDripper1Click(classlib::TObject* Sender);
  void Label1MouseEnter(classlib::TObject* Sender);
  void Label1MouseLeave(classlib::TObject* Sender);
  void Label2MouseEnter(classlib::TObject* Sender);
  void Label2MouseLeave(classlib::TObject* Sender);
  void Label3MouseEnter(classlib::TObject* Sender);
  void Label3MouseLeave(classlib::TObject* Sender);
  void Label21MouseEnter(classlib::TObject* Sender);
  void Label21MouseLeave(classlib::TObject* Sender);
  void Home1Click(classlib::TObject* Sender);            // picture list popup "Home"
  void skSkinButton4Click(classlib::TObject* Sender);    // CD page "Home"
  void Return2Click(classlib::TObject* Sender);          // player popup "Home"
  void skSkinSpeedButton24Click(classlib::TObject* Sender);  // player "Home"
  void Homme1Click(classlib::TObject* Sender);           // TV popup "Home"
  void SetFolder1Click(classlib::TObject* Sender);       // player popup "Set Folder"
  void SetFolder2Click(classlib::TObject* Sender);       // picture list popup "Set Folder"
  void Play3Click(classlib::TObject* Sender);            // picture list popup "SlideShow" > "Play"
  void Play2Click(classlib::TObject* Sender);            // player popup "SilideShow" > "Play"
  void setcapturepath1Click(classlib::TObject* Sender);  // TV popup "Capture path"
  void device1Click(classlib::TObject* Sender);          // TV popup "Device"

  // Lets the user choose the slide show's folder and stores it as "Default Pic".
  void SetSlideShowFolder();
  // Lets the user choose the folder of TV recordings and stores it as "TV Capture".
  void SetCaptureFolder();

  // ----- Picture list and picture viewer pages -----
  classlib::TImage* Image5 = nullptr;
  classlib::TImage* Image8 = nullptr;
  classlib::TImage* Image12 = nullptr;
  classlib::TLabel* pic_name = nullptr;
  classlib::TLabel* pic_location = nullptr;
  classlib::TLabel* pic_wh = nullptr;
  classlib::TLabel* pic_modify = nullptr;
  classlib::TImageList* ImageList1 = nullptr;
  skin::TskSkinOpenDialog* OpenDialog1 = nullptr;
  skin::TskSkinSaveDialog* skSkinSaveDialog1 = nullptr;

  // The item last clicked in the picture list.
  classlib::String SelectedFileName;
  PxImageFormat SelectedFormat = FMT_UNKNOWN;
  // The picture the viewer shows, the file it came from and where it is drawn.
  std::unique_ptr<PxImage> ViewerImage;
  classlib::String ViewerFileName;
  PxImageFormat ViewerFormat = FMT_UNKNOWN;
  TPictureRect ViewerRect;

  // The answers of the open and save dialogs (chosen files, empty on cancel; the name to save
  // under, empty on cancel); tests put their own here.
  std::function<std::vector<classlib::String>()> ChoosePictureFiles;
  std::function<classlib::String()> ChooseSaveFileName;

  void Edit1Click(classlib::TObject* Sender);
  void Add1Click(classlib::TObject* Sender);
  void AddRot1Click(classlib::TObject* Sender);
  void Remove1Click(classlib::TObject* Sender);
  void Removeall1Click(classlib::TObject* Sender);
  void skSkinListView1Click(classlib::TObject* Sender);
  void skSkinListView1DblClick(classlib::TObject* Sender);
  void skSkinListView1CustomDraw(classlib::TObject* Sender, const classlib::TRect& ARect, bool& DefaultDraw);
  void Mirror1Click(classlib::TObject* Sender);
  void Flip1Click(classlib::TObject* Sender);
  void Negative1Click(classlib::TObject* Sender);
  void Rotate1Click(classlib::TObject* Sender);
  void GrayScale1Click(classlib::TObject* Sender);
  void Dither1Click(classlib::TObject* Sender);
  void ColorSpace1Click(classlib::TObject* Sender);
  void Lighten1Click(classlib::TObject* Sender);
  void Darken1Click(classlib::TObject* Sender);
  void Contrast1Click(classlib::TObject* Sender);
  void Erode1Click(classlib::TObject* Sender);
  void Dilate1Click(classlib::TObject* Sender);
  void Blur1Click(classlib::TObject* Sender);
  void Soften1Click(classlib::TObject* Sender);
  void Sharpen1Click(classlib::TObject* Sender);
  void Edge1Click(classlib::TObject* Sender);
  void Emobss1Click(classlib::TObject* Sender);
  void FullScreen1Click(classlib::TObject* Sender);
  void Image12DblClick(classlib::TObject* Sender);
  void Saveto1Click(classlib::TObject* Sender);
  void ResetGraph1Click(classlib::TObject* Sender);
  void return1Click(classlib::TObject* Sender);
  void skSkinTabSheet5Hide(classlib::TObject* Sender);

  // Puts a picture made by the colour-space or rotation dialog into the viewer's old rectangle.
  void ReloadViewer(PxImageFormat Format, const classlib::String& FileName);

  // ---- Media player page ----
  skin::TskSkinTrackBar* skSkinTrackBar1 = nullptr;  // seek bar, in tenths of a second once a file plays
  skin::TskSkinTrackBar* skSkinTrackBar2 = nullptr;  // volume, in hundredths of a decibel
  classlib::TLabel* Label20 = nullptr;               // position, or why a file was skipped
  classlib::TPanel* Panel2 = nullptr;                // host of the video window
  classlib::TImage* Image7 = nullptr;                // shown while a graph is being built
  classlib::TTimer* Timer3 = nullptr;                // position display and graph events

  TPlayerGraph PlayerGraph;
  bool Playing = false;          // a graph was built by Play and has not been stopped
  BYTE PlayState = 0;            // 2 running, 1 paused
  bool VideoFullScreen = false;  // the video window lives in the full-screen form
  int CurrentTrack = 0;          // the play-list entry Play last started
  int SavedVolume = 0;           // the volume Mute silenced
  LONGLONG Duration = 0;         // of the current file, in 100-ns units

  void skSkinSpeedButton17Click(classlib::TObject* Sender);  // Play
  void Play1Click(classlib::TObject* Sender);
  void skSkinSpeedButton18Click(classlib::TObject* Sender);  // Pause / resume
  void Pause1Click(classlib::TObject* Sender);
  void skSkinSpeedButton19Click(classlib::TObject* Sender);  // Stop
  void Stop1Click(classlib::TObject* Sender);
  void skSkinSpeedButton20Click(classlib::TObject* Sender);  // Mute
  void Mute1Click(classlib::TObject* Sender);
  void skSkinSpeedButton21Click(classlib::TObject* Sender);  // Previous
  void N8Click(classlib::TObject* Sender);
  void Label15Click(classlib::TObject* Sender);
  void skSkinSpeedButton22Click(classlib::TObject* Sender);  // Next
  void N9Click(classlib::TObject* Sender);
  void Label16Click(classlib::TObject* Sender);
  void skSkinSpeedButton23Click(classlib::TObject* Sender);  // Full screen
  void FullScreen2Click(classlib::TObject* Sender);
  void Label17Click(classlib::TObject* Sender);
  void Panel2DblClick(classlib::TObject* Sender);
  void skSkinTrackBar2Change(classlib::TObject* Sender);     // volume
  void Label13Click(classlib::TObject* Sender);
  void Label14Click(classlib::TObject* Sender);
  void Label13MouseEnter(classlib::TObject* Sender);
  void Label13MouseLeave(classlib::TObject* Sender);
  void Label14MouseEnter(classlib::TObject* Sender);
  void Label14MouseLeave(classlib::TObject* Sender);
  void Label15MouseEnter(classlib::TObject* Sender);
  void Label15MouseLeave(classlib::TObject* Sender);
  void Label16MouseEnter(classlib::TObject* Sender);
  void Label16MouseLeave(classlib::TObject* Sender);
  void Label17MouseEnter(classlib::TObject* Sender);
  void Label17MouseLeave(classlib::TObject* Sender);
  void Timer3Timer(classlib::TObject* Sender);

  // The player's commands, as the handlers above run them.
  void PlaySelected();
  void PausePlayback();
  void StopPlayback();
  void MutePlayback();
  void PlayPrevious();
  void PlayNext();
  void ShowFullScreen();
  void LeavePlayer();
  // Stops and releases the graph, playing, paused or stopped.
  void ReleasePlayer();

  // Gives the video back to Panel2 when the full-screen form closes.
  void RestoreVideoWindow();
  void UpdatePlayPosition();
  // 0 reads the graph's current position.
  void ShowPlayPosition(LONGLONG Position);
  // The seek bar's window procedure: seeks once the thumb is released.
  void SeekBarWndProc(classlib::TMessage& Message);

  // ---- TV page ----
  classlib::TPanel* Panel1 = nullptr;        // host of the TV video window
  classlib::TPanel* Panel6 = nullptr;        // surface of the channel number
  classlib::TComboBox* ComboBox3 = nullptr;  // the card's inputs (stored hidden)
  classlib::TTimer* Timer1 = nullptr;        // the caption clock
  classlib::TTimer* Timer2 = nullptr;        // hides the channel number

  TTvGraph TvGraph;
  bool Recording = false;           // the graph writes the card's picture and sound to a file
  classlib::String ChannelText;     // the channel last entered or stepped to, as shown
  bool TwoDigitEntry = false;       // "/+" asked for a two-digit number
  classlib::String PendingChannel;  // its first digit, until the second comes
  TDisplayFont DisplayFont;

  void skSkinTabSheet4Hide(classlib::TObject* Sender);
  void ComboBox3Change(classlib::TObject* Sender);
  void Label9MouseEnter(classlib::TObject* Sender);
  void Label9MouseLeave(classlib::TObject* Sender);
  void Label10MouseEnter(classlib::TObject* Sender);
  void Label10MouseLeave(classlib::TObject* Sender);
  void Label11MouseEnter(classlib::TObject* Sender);
  void Label11MouseLeave(classlib::TObject* Sender);
  void Label12MouseEnter(classlib::TObject* Sender);
  void Label12MouseLeave(classlib::TObject* Sender);
  void Label18MouseEnter(classlib::TObject* Sender);
  void Label18MouseLeave(classlib::TObject* Sender);
  // The keypad: digits, "/+", "+" and "-".
  void skSkinSpeedButton12Click(classlib::TObject* Sender);
  void skSkinSpeedButton10Click(classlib::TObject* Sender);
  void skSkinSpeedButton2Click(classlib::TObject* Sender);
  void skSkinSpeedButton3Click(classlib::TObject* Sender);
  void skSkinSpeedButton4Click(classlib::TObject* Sender);
  void skSkinSpeedButton5Click(classlib::TObject* Sender);
  void skSkinSpeedButton6Click(classlib::TObject* Sender);
  void skSkinSpeedButton7Click(classlib::TObject* Sender);
  void skSkinSpeedButton8Click(classlib::TObject* Sender);
  void skSkinSpeedButton9Click(classlib::TObject* Sender);
  void skSkinSpeedButton15Click(classlib::TObject* Sender);
  void skSkinSpeedButton11Click(classlib::TObject* Sender);
  void skSkinSpeedButton13Click(classlib::TObject* Sender);
  void Label9Click(classlib::TObject* Sender);   // channel -1
  void Label11Click(classlib::TObject* Sender);  // channel +1
  void Label10Click(classlib::TObject* Sender);  // line-in volume up
  void Label12Click(classlib::TObject* Sender);  // line-in volume down
  void Timer2Timer(classlib::TObject* Sender);
  void Label18Click(classlib::TObject* Sender);
  void Panel1DblClick(classlib::TObject* Sender);
  void FullScreen3Click(classlib::TObject* Sender);
  void skSkinSpeedButton14Click(classlib::TObject* Sender);  // keypad "Rec"
  void Recoder1Click(classlib::TObject* Sender);
  void skSkinSpeedButton16Click(classlib::TObject* Sender);  // keypad "Stop"
  void Stop2Click(classlib::TObject* Sender);

  // Rec: records the channel being watched into a new file in the capture folder; a recording
  // that cannot start says so and leaves the preview running.
  void StartRecording();
  // Stop: finishes the file and previews the same channel again.
  void StopRecording();

  // Tunes a digit, or the two-digit number it completes, and shows it.
  void EnterChannelDigit(const classlib::String& Digit);
  // Tunes the channel Delta away from the tuner's and shows it.
  void StepChannel(int Delta);
  // The channel display drawn on Panel6 again, hidden until the next change.
  void InitChannelDisplay();
  // Gives the video back to Panel1 when full-screen TV ends.
  void RestoreTvVideoWindow();
  // Stops and releases the TV graph; nothing when there is none.
  void CloseTvGraph();
  // ComboBox3: the names of the crossbar's inputs.
  void FillTvSourceList(IAMCrossbar* Crossbar);
  // The Device Settings form's source lists: the crossbar's video and its audio inputs.
  void FillDeviceSourceLists(IAMCrossbar* Crossbar);
  // Routes the video decoder to the first input whose name is SourceName.
  void RouteCrossbar(const classlib::String& SourceName);

private:
  // TV page
  void RegisterTvHandlers();
  void RegisterChannelHandlers();
  void BindTvControls();
  // Fills the Device Settings form's device lists; false when no video device can be enumerated.
  bool ListTvDevices();
  void BuildTvPreview();
  // Puts the graph's video window into Panel1; NotifyPanel also sends the graph's events there.
  void PlaceTvVideoWindow(bool NotifyPanel);
  void RegisterRecordingHandlers();
  // Builds and runs the recording graph into FileName; false when the file is not being written.
  bool BuildRecordingGraph(const classlib::String& FileName);
  // A graph around ComboBox1's device with its interfaces; false when something is missing.
  bool OpenRecordingGraph();
  // The preview of ComboBox1's device on the saved channel, as after a recording.
  void BuildRecordingPreview();
  void FindTvCrossbar();
  void ShowChannelNumber(const classlib::String& Text);
  void ShowTvFullScreen();

  void ShowHomePage();
  void ListCaptureDevices();
  // Player page
  void RegisterPlayerHandlers();
  void BindPlayerControls();
  void TearDownPlayerGraph();
  void PlaceVideoWindow(classlib::TWinControl& Owner);
  void SkipUnplayable(const classlib::String& FileName);
  void SetPadHighlight(int Number, bool Shown);
  int FUnplayableInRow = 0;  // files in a row that could not be rendered

  // ----- Picture list and picture viewer pages -----
  std::vector<classlib::String> RunOpenDialog();
  classlib::String RunSaveDialog();
  bool IsListed(const classlib::String& Path);
  bool AddThumbnail(const classlib::String& Path, PxImageFormat Format, int ImageIndex);
  void BeginListWork();
  void EndListWork();
  void ClearPictureInfo();
  void OpenSelectedPicture();
  void DrawViewerBackground();
  void DrawViewerPicture();
  void ApplyViewerEffect(const std::function<bool(PxImage&)>& Effect);
  void ApplyViewerKernel(const std::int32_t (&Kernel)[9], std::int32_t Divisor, std::int32_t Offset);
};

extern TForm1* Form1;
