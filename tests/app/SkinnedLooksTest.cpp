// The skinned controls of the program's forms: each names a description its form's skin holds, and
// on the screen each draws from that skin. Every page of the main window and the play-list, colour,
// rotate and device forms are photographed into the build folder for a person to look at.
#include "tests/app/AppTesting.h"

#include "app/Unit1.h"
#include "app/Unit10.h"
#include "app/Unit2.h"
#include "app/Unit3.h"
#include "app/Unit9.h"
#include "skin/controls/SkinControl.h"
#include "skin/controls/SkinListView.h"
#include "skin/controls/SkinScrollBar.h"
#include "skin/data/SkinBarDescriptions.h"
#include "skin/data/SkinEditDescriptions.h"

#include <iostream>
#include <vector>

using namespace classlib;
using namespace skin;

namespace {

// The skin a control draws from and the name of its description; no skin for other controls.
struct TSkinned {
  TskSkinData* Skin = nullptr;
  String Name;
  bool IsSkinnedControl = false;
};

TSkinned SkinnedOf(TComponent& Component) {
  if (auto* control = dynamic_cast<TskSkinControl*>(&Component)) return {control->SkinData(), control->SkinDataName(), true};
  if (auto* control = dynamic_cast<TskGraphicSkinControl*>(&Component))
    return {control->SkinData(), control->SkinDataName(), true};
  if (auto* view = dynamic_cast<TskSkinCustomListView*>(&Component)) return {view->SkinData(), view->SkinDataName(), true};
  return {};
}

TComponent& Find(TComponent& Form, const char* Name) {
  TComponent* component = Form.FindComponent(Name);
  if (!component) throw Exception(String("no ") + Name);
  return *component;
}

// Every skinned control of the form that has a skin finds its description in it, and the skin is
// one the form itself holds; returns how many controls have a skin.
int ExpectEveryDescriptionFound(TComponent& Form) {
  int skinned = 0;
  for (int i = 0; i < Form.ComponentCount(); ++i) {
    TComponent& component = *Form.Components(i);
    const TSkinned s = SkinnedOf(component);
    if (!s.Skin) continue;
    ++skinned;
    SCOPED_TRACE(component.Name());
    EXPECT_EQ(s.Skin->Owner(), &Form);
    EXPECT_FALSE(s.Skin->Empty);
    EXPECT_GE(s.Skin->GetControlIndex(s.Name), 0) << s.Name;
  }
  return skinned;
}

struct TNamedSkin {
  const char* Control;
  const char* Skin;  // nullptr: no skin
  const char* Name;
};

void ExpectSkins(TComponent& Form, std::initializer_list<TNamedSkin> Rows) {
  for (const TNamedSkin& row : Rows) {
    SCOPED_TRACE(row.Control);
    const TSkinned s = SkinnedOf(Find(Form, row.Control));
    ASSERT_TRUE(s.IsSkinnedControl);
    EXPECT_EQ(s.Skin, row.Skin ? &Find(Form, row.Skin) : nullptr);
    EXPECT_EQ(s.Name, row.Name);
  }
}

TEST(SkinnedControlsOnForms, EachControlNamesADescriptionOfItsSkin) {
  auto main = apptesting::MakeForm<TForm1>();
  EXPECT_EQ(ExpectEveryDescriptionFound(*main), 37);
  EXPECT_EQ(main->skSkinPageControl1->SkinData(), nullptr);
  EXPECT_EQ(main->skSkinPageControl1->SkinDataName(), "tab");
  EXPECT_TRUE(main->skSkinPageControl1->MultiLine());
  ExpectSkins(*main, {{"skSkinListView1", "skSkinData1", "listview"},
                      {"skSkinListView2", "skSkinData1", "listview"},
                      {"skSkinScrollBar1", "skSkinData2", "vscrollbar"},
                      {"skSkinTrackBar1", "skSkinData2", "htrackbar"},
                      {"skSkinTrackBar2", "skSkinData2", "trackbar"},
                      {"skSkinSpeedButton17", "skSkinData2", "toolbutton"},
                      {"skSkinSpeedButton24", "skSkinData2", "toolbutton"},
                      {"skSkinSpeedButton12", "skSkinData2", "toolbutton"},
                      {"skSkinSpeedButton16", "skSkinData2", "toolbutton"},
                      {"skSkinPanel2", "skSkinData1", "panel"},
                      {"skSkinPanel1", "skSkinData1", "panel"},
                      {"skSkinButton2", "skSkinData1", "button"},
                      {"skSkinButton4", "skSkinData1", "button"},
                      {"skSkinGauge1", "skSkinData1", "gauge"},
                      {"skSkinComboBox1", "skSkinData1", "combobox"},
                      {"ComboBox1", "skSkinData1", "combobox"},
                      {"ComboBox2", "skSkinData1", "combobox"}});
  auto& bar = dynamic_cast<TskSkinScrollBar&>(Find(*main, "skSkinScrollBar1"));
  EXPECT_EQ(bar.Kind(), TScrollBarKind::sbVertical);
  EXPECT_EQ(bar.Width(), 19);
  EXPECT_EQ(main->skSkinListView1->VScrollBar(), &bar);

  auto playList = apptesting::MakeForm<TForm2>();
  EXPECT_EQ(ExpectEveryDescriptionFound(*playList), 3);
  ExpectSkins(*playList, {{"skSkinPanel1", "skSkinData2", "panel"},
                          {"skSkinScrollBar1", "skSkinData2", "vscrollbar"},
                          {"skSkinListView1", "skSkinData2", "listview"}});

  auto colour = apptesting::MakeForm<TForm3>();
  EXPECT_EQ(ExpectEveryDescriptionFound(*colour), 9);
  ExpectSkins(*colour, {{"skSkinTrackBar5", "skSkinData1", "htrackbar"},
                        {"skSkinCheckRadioBox1", "skSkinData1", "checkbox"},
                        {"skSkinButton1", "skSkinData1", "button"}});
  auto rotate = apptesting::MakeForm<TForm9>();
  EXPECT_EQ(ExpectEveryDescriptionFound(*rotate), 5);
  auto devices = apptesting::MakeForm<TForm10>();
  EXPECT_EQ(ExpectEveryDescriptionFound(*devices), 6);
  ExpectSkins(*devices, {{"skSkinComboBox1", "skSkinData1", "combobox"},
                         {"skSkinComboBox4", "skSkinData1", "combobox"}});
}

// ---------------------------------------------------------------------------------------------
// On the screen

// The form's client area as the screen shows it.
std::unique_ptr<TBitmap> Photograph(TForm& Form) {
  RECT r;
  GetClientRect(Form.Handle(), &r);
  auto photo = std::make_unique<TBitmap>();
  photo->SetPixelFormat(TPixelFormat::pf24bit);
  photo->SetSize(r.right, r.bottom);
  const HDC dc = GetDC(Form.Handle());
  BitBlt(photo->Canvas()->Handle(), 0, 0, r.right, r.bottom, dc, 0, 0, SRCCOPY);
  ReleaseDC(Form.Handle(), dc);
  return photo;
}

// For a person to look at: <build>/tests/looks/<Name>.png.
void SaveForAPerson(TBitmap& Photo, const std::string& Name) {
  const std::string folder = std::string(TAVREL_BINARY_DIR) + "/tests/looks";
  ASSERT_EQ(testing_support::RunTool("mkdir -p '" + folder + "'"), 0);
  const std::string bmp = folder + "/" + Name + ".bmp";
  const std::string png = folder + "/" + Name + ".png";
  Photo.SaveToFile(testing_support::UnixToWindowsPath(bmp));
  ASSERT_EQ(testing_support::RunTool("bmptopnm '" + bmp + "' 2>/dev/null | pnmtopng > '" + png + "' && rm '" + bmp + "'"), 0);
  std::cout << Name << ": " << png << "\n";
}

// Where the control's top left corner lies in its form's client area.
POINT OriginInForm(TControl& Control, TForm& Form) {
  POINT at{Control.Left(), Control.Top()};
  MapWindowPoints(Control.Parent()->Handle(), Form.Handle(), &at, 1);
  return at;
}

// A point of a control, counted from its left or top edge (0 and up) or from its right or bottom
// edge (-1 and down), and of the same place in the control's picture in the skin.
struct TCorner {
  const char* Control;
  int X, Y;
};

int FromEdge(int Offset, int Length) { return Offset >= 0 ? Offset : Length + Offset; }

// The control shows, at the corner, the pixel of its description's picture at the same corner of
// the description's rectangle: it drew from its skin, not in its default look.
void ExpectDrawnFromSkin(TForm& Form, TBitmap& Photo, const std::vector<TCorner>& Corners) {
  for (const TCorner& corner : Corners) {
    SCOPED_TRACE(corner.Control);
    auto& control = dynamic_cast<TControl&>(Find(Form, corner.Control));
    const TSkinned s = SkinnedOf(control);
    ASSERT_NE(s.Skin, nullptr);
    const int index = s.Skin->GetControlIndex(s.Name);
    ASSERT_GE(index, 0);
    const TskDataSkinControl& data = *s.Skin->CtrlList[static_cast<size_t>(index)];
    ASSERT_GE(data.PictureIndex, 0);
    TBitmap& picture = *s.Skin->ActivePictures[static_cast<size_t>(data.PictureIndex)];
    const POINT origin = OriginInForm(control, Form);
    const int x = FromEdge(corner.X, control.Width());
    const int y = FromEdge(corner.Y, control.Height());
    const int px = data.SkinRect.left + FromEdge(corner.X, data.SkinRect.right - data.SkinRect.left);
    const int py = data.SkinRect.top + FromEdge(corner.Y, data.SkinRect.bottom - data.SkinRect.top);
    const TColor expected = picture.Canvas()->Pixels(px, py);
    const TColor shown = Photo.Canvas()->Pixels(origin.x + x, origin.y + y);
    EXPECT_EQ(shown, expected) << "at " << x << "," << y << " of the control, " << px << "," << py << " of the picture";
  }
}

// A list view shows its description's background colour at the point (in its client area).
void ExpectListBackground(TForm& Form, TBitmap& Photo, const char* Name, int X, int Y) {
  SCOPED_TRACE(Name);
  auto& view = dynamic_cast<TskSkinCustomListView&>(Find(Form, Name));
  const int index = view.SkinData()->GetControlIndex(view.SkinDataName());
  ASSERT_GE(index, 0);
  const auto* data = dynamic_cast<const TskDataSkinListView*>(view.SkinData()->CtrlList[static_cast<size_t>(index)].get());
  ASSERT_NE(data, nullptr);
  POINT at{X, Y};
  MapWindowPoints(view.Handle(), Form.Handle(), &at, 1);
  EXPECT_EQ(Photo.Canvas()->Pixels(at.x, at.y), ColorToRGB(data->BGColor));
}

void Settle(TForm& Form) {
  RedrawWindow(Form.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < 400) {
    Application->ProcessMessages();
    Sleep(5);
  }
}

class SkinnedLooks : public ::testing::Test {
protected:
  // The pointer stays off the forms, so that no control shows its hover look.
  void SetUp() override { SetCursorPos(0, 0); }

  template <class T>
  std::unique_ptr<TBitmap> ShowAndPhotograph(T& Form, const std::string& Name) {
    Form.Show();
    Settle(Form);
    auto photo = Photograph(Form);
    SaveForAPerson(*photo, Name);
    return photo;
  }
};

TEST_F(SkinnedLooks, EveryPageOfTheMainWindow) {
  auto main = apptesting::MakeForm<TForm1>();
  Form1 = main.get();
  struct TPage {
    TskSkinTabSheet* Sheet;
    const char* Name;
    std::vector<TCorner> Corners;
  };
  const TPage pages[] = {
      {main->skSkinTabSheet1, "MainHome", {}},
      {main->skSkinTabSheet2, "MainPictures", {}},
      {main->skSkinTabSheet3,
       "MainPlayer",
       {{"skSkinSpeedButton17", 1, 1}, {"skSkinSpeedButton24", -2, -2}, {"skSkinTrackBar1", -2, 1},
        {"skSkinTrackBar2", 1, 1}}},
      {main->skSkinTabSheet4, "MainTv", {{"skSkinSpeedButton10", 1, 1}, {"skSkinSpeedButton16", -2, -2}}},
      {main->skSkinTabSheet5, "MainViewer", {}},
      {main->skSkinTabSheet6,
       "MainCdRipper",
       {{"skSkinPanel1", 1, 1}, {"skSkinButton2", 1, 1}, {"skSkinButton4", -2, -2}, {"skSkinGauge1", 1, 1}}},
  };
  main->Show();
  for (const TPage& page : pages) {
    SCOPED_TRACE(page.Name);
    main->skSkinPageControl1->SetActivePage(page.Sheet);
    Settle(*main);
    auto photo = Photograph(*main);
    SaveForAPerson(*photo, page.Name);
    ExpectDrawnFromSkin(*main, *photo, page.Corners);
    if (page.Sheet == main->skSkinTabSheet6) ExpectListBackground(*main, *photo, "skSkinListView2", 300, 200);
  }
  main->Hide();
  Form1 = nullptr;
}

TEST_F(SkinnedLooks, PlayListColourRotateAndDeviceForms) {
  auto playList = apptesting::MakeForm<TForm2>();
  auto photo = ShowAndPhotograph(*playList, "PlayList");
  ExpectDrawnFromSkin(*playList, *photo, {{"skSkinPanel1", 1, 1}});
  ExpectListBackground(*playList, *photo, "skSkinListView1", 80, 200);
  playList->Hide();

  auto colour = apptesting::MakeForm<TForm3>();
  photo = ShowAndPhotograph(*colour, "ColorSpace");
  ExpectDrawnFromSkin(*colour, *photo,
                      {{"skSkinPanel1", 1, 1}, {"skSkinTrackBar1", 1, 1}, {"skSkinTrackBar5", -2, -2},
                       {"skSkinButton1", 1, 1}, {"skSkinButton2", -2, -2}});
  colour->Hide();

  auto rotate = apptesting::MakeForm<TForm9>();
  photo = ShowAndPhotograph(*rotate, "Rotate");
  ExpectDrawnFromSkin(*rotate, *photo, {{"skSkinPanel1", 1, 1}, {"skSkinTrackBar1", 1, 1}, {"skSkinButton2", 1, 1}});
  rotate->Hide();

  auto devices = apptesting::MakeForm<TForm10>();
  photo = ShowAndPhotograph(*devices, "DeviceSettings");
  ExpectDrawnFromSkin(*devices, *photo, {{"skSkinButton1", 1, 1}, {"skSkinButton2", -2, -2}});
  devices->Hide();
}

}  // namespace
