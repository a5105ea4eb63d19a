// Fixtures for the picture pages' tests: small pictures written by the image library, and a main
// window whose dialogs answer from the test, working in a folder of its own.
#pragma once

#include "tests/app/AppTesting.h"

#include "app/Unit1.h"
#include "image/PxImage.h"
#include "platform/classlib/WideText.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace picturetesting {

// A 24-bit picture whose pixel (x, y) (counted from the top) has the colour Paint gives.
inline std::unique_ptr<PxImage> MakePicture(int Width, int Height, const std::function<RGBQUAD(int, int)>& Paint) {
  auto picture = std::make_unique<PxImage>(Width, Height, 24, FMT_BMP);
  for (int y = 0; y < Height; ++y)
    for (int x = 0; x < Width; ++x) picture->SetPixelColor(x, Height - 1 - y, Paint(x, y));
  return picture;
}

inline void WritePicture(const std::string& WindowsPath, int Width, int Height, RGBQUAD Color, PxImageFormat Format) {
  ASSERT_TRUE(MakePicture(Width, Height, [&](int, int) { return Color; })->SaveFile(WindowsPath.c_str(), Format))
      << WindowsPath;
}

// The main window made from its description, with the current directory in a fresh folder (where
// the work files and "can.bmp" live) and the answers of its dialogs given by the test.
class PictureWindow : public ::testing::Test {
protected:
  void SetUp() override {
    GetCurrentDirectoryW(MAX_PATH, FOldDirectory);
    ASSERT_TRUE(SetCurrentDirectoryW(classlib::ToWide(Work.windowsPath()).c_str()));
    WritePicture(Work.windowsFile("can.bmp"), 70, 53, MakeColor(0, 0, 200), FMT_BMP);
    Form->ChoosePictureFiles = [this] { return Chosen; };
    Form->ChooseFolder = [this] { return Folder; };
    // Without a SaveName the system's save dialog asks, as in the program.
    Form->ChooseSaveFileName = [this, dialog = Form->ChooseSaveFileName] { return SaveName.empty() ? dialog() : SaveName; };
    Form1 = Form.get();
  }
  void TearDown() override {
    Form1 = nullptr;
    SetCurrentDirectoryW(FOldDirectory);
  }

  classlib::TListItem* Item(int Index) { return Form->skSkinListView1->Items().Item(Index); }
  int ItemCount() { return Form->skSkinListView1->Items().Count(); }
  void Select(int Index) {
    for (int i = 0; i < ItemCount(); ++i) Item(i)->SetSelected(i == Index);
  }

  testing_support::TempDir Work;
  testing_support::TempDir Pictures;
  std::unique_ptr<TForm1> Form = apptesting::MakeForm<TForm1>();
  std::vector<classlib::String> Chosen;
  classlib::String Folder;
  classlib::String SaveName;

private:
  WCHAR FOldDirectory[MAX_PATH] = {};
};

}  // namespace picturetesting
