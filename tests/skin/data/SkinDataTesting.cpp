#include "tests/skin/data/SkinDataTesting.h"

#include "platform/classlib/JPEGImage.h"
#include "skin/data/SkinData.h"

namespace skindatatesting {

void DrawCoded(classlib::TBitmap& Bitmap, int Width, int Height, int Seed) {
  Bitmap.SetPixelFormat(classlib::TPixelFormat::pf24bit);
  Bitmap.SetSize(Width, Height);
  for (int y = 0; y < Height; ++y) {
    auto* row = static_cast<std::uint8_t*>(Bitmap.ScanLine(y));
    for (int x = 0; x < Width; ++x) {
      row[3 * x] = static_cast<std::uint8_t>(Seed);
      row[3 * x + 1] = static_cast<std::uint8_t>(y);
      row[3 * x + 2] = static_cast<std::uint8_t>(x);
    }
  }
}

bool SamePixels(const classlib::TBitmap& A, const classlib::TBitmap& B) {
  if (A.Width() != B.Width() || A.Height() != B.Height()) return false;
  auto& a = const_cast<classlib::TBitmap&>(A);
  auto& b = const_cast<classlib::TBitmap&>(B);
  for (int y = 0; y < A.Height(); ++y)
    for (int x = 0; x < A.Width(); ++x)
      if (a.Canvas()->Pixels(x, y) != b.Canvas()->Pixels(x, y)) return false;
  return true;
}

std::string TestSkinIni(const std::string& Extra) {
  return "[VERSION]\r\nver=2\r\nskinname=Test skin\r\nskinauthor=Tavrel\r\n"
         "[PICTURES]\r\npicture=frame.bmp\r\nmask=mask.bmp\r\nactivepicturescount=2\r\n0=sheet.bmp\r\n1=photo.jpg\r\n"
         "[FORMINFO]\r\nlefttoppoint=15,35\r\nrighttoppoint=140,35\r\nleftbottompoint=15,110\r\n"
         "rightbottompoint=140,110\r\nclientrect=11,32,148,118\r\nhittestlefttoppoint=2,2\r\n"
         "hittestrighttoppoint=150,2\r\nhittestleftbottompoint=2,120\r\nhittestrightbottompoint=150,120\r\n"
         "captionrect=-5,2,60,20\r\ninactiveeffect=iedarkness\r\n"
         "[POPUPWINDOW]\r\nwindowpictureindex=0\r\nitemsrect=2,2,30,30\r\nrightstretch=1\r\n"
         "[HINTWINDOW]\r\nfontname=Liberation Sans\r\nfontstyle=fsbold,fsunderline\r\n"
         "[SKINAREAS]\r\ncount=2\r\n0=caption:10,0,100,20\r\n1=closebutton:-4,3,20,17\r\n"
         "[SKINOBJECTS]\r\ncount=0\r\n"
         "[SKINCONTROLS]\r\ncount=4\r\n0=Bad:Splitter\r\n1=split:splitter\r\n2=nocolon\r\n3=split2:splitter\r\n"
         "[split]\r\npictureindex=0\r\nskinrect=0,0,20,10\r\nlefttoppoint=2,2\r\nclientrect=2,2,18,8\r\nstretcheffect=1\r\n"
         "[split2]\r\npictureindex=1\r\n" +
         Extra;
}

void WriteTestSkin(const testing_support::TempDir& Dir, const std::string& Ini) {
  testing_support::WriteUnixFile(Dir.unixFile("skin.ini"), Ini);
  classlib::TBitmap frame, mask, sheet, photo;
  DrawCoded(frame, 160, 130, 1);
  frame.SaveToFile(Dir.windowsFile("frame.bmp"));
  DrawCoded(mask, 160, 130, 0);
  mask.SaveToFile(Dir.windowsFile("mask.bmp"));
  DrawCoded(sheet, 40, 20, 2);
  sheet.SaveToFile(Dir.windowsFile("sheet.bmp"));
  DrawCoded(photo, 32, 16, 3);
  classlib::TJPEGImage jpeg;
  jpeg.Assign(photo);
  jpeg.SaveToFile(Dir.windowsFile("photo.jpg"));
}

void TRecordingForm::Dispatch(classlib::TMessage& Message) {
  switch (Message.Msg) {
    case skin::WM_BEFORECHANGESKINDATA:
    case skin::WM_CHANGESKINDATA:
    case skin::WM_AFTERCHANGESKINDATA:
    case skin::WM_CHANGERESSTRDATA: FLog.push_back({Message.Msg, Message.WParam, Message.LParam, this}); break;
  }
  TForm::Dispatch(Message);
}

}  // namespace skindatatesting
