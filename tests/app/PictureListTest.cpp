// The picture list page: thumbnails from the open dialog and from a folder, the information of the
// item clicked, deleting and clearing.
#include "tests/app/PictureTesting.h"

#include "skin/controls/SkinScrollBar.h"

#include <algorithm>
#include <commctrl.h>

using namespace classlib;
using picturetesting::PictureWindow;
using picturetesting::WritePicture;

namespace {

// The colour in the middle of thumbnail Index of the list's image list.
COLORREF ThumbnailCentre(TImageList& List, int Index) {
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 100, 100);
  HGDIOBJ old = SelectObject(memory, bitmap);
  PatBlt(memory, 0, 0, 100, 100, BLACKNESS);
  ImageList_Draw(List.Handle(), Index, memory, 0, 0, ILD_NORMAL);
  const COLORREF centre = GetPixel(memory, 50, 50);
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return centre;
}

class PictureList : public PictureWindow {
protected:
  String Picture(const std::string& Name, RGBQUAD Color, PxImageFormat Format, int Width = 40, int Height = 30) {
    const std::string path = Pictures.windowsFile(Name);
    WritePicture(path, Width, Height, Color, Format);
    return path;
  }
  std::vector<String> Captions() {
    std::vector<String> captions;
    for (int i = 0; i < ItemCount(); ++i) captions.push_back(Item(i)->Caption());
    return captions;
  }
};

TEST_F(PictureList, AddListsEachNewFileOnceWithOneThumbnailEach) {
  const String red = Picture("red.bmp", MakeColor(255, 0, 0), FMT_BMP);
  const String green = Picture("green.png", MakeColor(0, 255, 0), FMT_PNG);
  // Lower-case "red.BMP" is another path to the platform's eyes here: it is compared exactly.
  const String redUpper = Picture("red.BMP", MakeColor(255, 0, 0), FMT_BMP);
  Chosen = {red, green};
  Form->Add1Click(nullptr);
  Chosen = {green, red, redUpper};
  Form->Add1Click(nullptr);

  ASSERT_EQ(ItemCount(), 3);
  EXPECT_EQ(Form->ImageList1->Count(), 3);
  EXPECT_EQ(Captions(), (std::vector<String>{"red.bmp", "green.png", "red.BMP"}));
  for (int i = 0; i < 3; ++i) EXPECT_EQ(Item(i)->ImageIndex(), i);
  EXPECT_EQ(Item(1)->SubItems()[0], green);
  EXPECT_EQ(ThumbnailCentre(*Form->ImageList1, 0), RGB(255, 0, 0));
  EXPECT_EQ(ThumbnailCentre(*Form->ImageList1, 1), RGB(0, 255, 0));
  EXPECT_TRUE(Form->skSkinListView1->Enabled());

  // The thumbnails stay when the items go, so new items point past them.
  Form->Removeall1Click(nullptr);
  EXPECT_EQ(ItemCount(), 0);
  Chosen = {green};
  Form->Add1Click(nullptr);
  ASSERT_EQ(ItemCount(), 1);
  EXPECT_EQ(Item(0)->ImageIndex(), 3);
  EXPECT_EQ(Form->ImageList1->Count(), 4);
  EXPECT_EQ(ThumbnailCentre(*Form->ImageList1, 3), RGB(0, 255, 0));

  Chosen = {};
  Form->Add1Click(nullptr);
  EXPECT_EQ(ItemCount(), 1);
  EXPECT_TRUE(Form->skSkinListView1->Enabled());
}

TEST_F(PictureList, UnreadablePictureIsReportedAndGetsAnEmptyThumbnail) {
  const String red = Picture("red.bmp", MakeColor(255, 0, 0), FMT_BMP);
  const std::string broken = Pictures.windowsFile("broken.png");
  testing_support::WriteUnixFile(Pictures.unixFile("broken.png"), "not a picture at all");
  Chosen = {red, broken};
  apptesting::TDialogAnswerer answerer(IDOK);
  Form->Add1Click(nullptr);

  ASSERT_EQ(ItemCount(), 2);
  EXPECT_EQ(ThumbnailCentre(*Form->ImageList1, 1), RGB(255, 255, 255));
  const auto seen = answerer.Seen();
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].Caption, "Information");
  EXPECT_NE(seen[0].Text.find("broken.png"), std::string::npos);
}

TEST_F(PictureList, AddRotAddsTheFolderKnownPicturesNotYetListed) {
  const String listed = Picture("listed.bmp", MakeColor(10, 10, 10), FMT_BMP);
  Picture("b.jpg", MakeColor(0, 0, 255), FMT_JPG);
  Picture("c.gif", MakeColor(0, 255, 0), FMT_GIF);
  Picture("d.tif", MakeColor(255, 0, 0), FMT_TIF);
  Picture("e.pcx", MakeColor(255, 255, 0), FMT_PCX);
  Picture("f.tga", MakeColor(0, 255, 255), FMT_TGA);
  Picture("g.wbmp.txt", MakeColor(255, 255, 255), FMT_BMP);  // a picture by an extension the list does not know
  testing_support::WriteUnixFile(Pictures.unixFile("notes.txt"), "text");
  ASSERT_EQ(testing_support::RunTool("mkdir " + Pictures.unixFile("sub.png")), 0);
  Chosen = {listed};
  Form->Add1Click(nullptr);

  Folder = Pictures.windowsPath();
  {
    apptesting::TDialogAnswerer answerer(IDOK);
    Form->AddRot1Click(nullptr);
    EXPECT_TRUE(answerer.Seen().empty()) << answerer.Seen()[0].Text;
  }

  std::vector<String> captions = Captions();
  ASSERT_EQ(captions.size(), 6u);
  EXPECT_EQ(captions[0], "listed.bmp");
  std::sort(captions.begin() + 1, captions.end());
  EXPECT_EQ(captions, (std::vector<String>{"listed.bmp", "b.jpg", "c.gif", "d.tif", "e.pcx", "f.tga"}));
  EXPECT_EQ(Form->ImageList1->Count(), 6);
  for (int i = 0; i < ItemCount(); ++i) {
    EXPECT_EQ(Item(i)->ImageIndex(), i);
    EXPECT_EQ(Item(i)->SubItems()[0], Folder + "\\" + Item(i)->Caption());
  }
  EXPECT_TRUE(Form->skSkinListView1->Enabled());

  Folder = "";
  Form->AddRot1Click(nullptr);
  EXPECT_EQ(ItemCount(), 6);
}

TEST_F(PictureList, ClickShowsNameFolderDateAndSize) {
  const String path = Picture("photo.png", MakeColor(1, 2, 3), FMT_PNG, 64, 48);
  ASSERT_EQ(testing_support::RunTool("TZ=UTC touch -d '2006-05-07 23:30:00' " + Pictures.unixFile("photo.png")), 0);
  Chosen = {path};
  Form->Add1Click(nullptr);

  Form->skSkinListView1Click(nullptr);  // nothing selected: nothing shown
  EXPECT_EQ(Form->pic_name->Caption(), " ");

  Select(0);
  Form->skSkinListView1Click(nullptr);
  EXPECT_EQ(Form->SelectedFileName, path);
  EXPECT_EQ(Form->SelectedFormat, FMT_PNG);
  EXPECT_EQ(Form->pic_name->Caption(), "photo.png");
  EXPECT_EQ(Form->pic_location->Caption(), Pictures.windowsPath() + "\\");
  EXPECT_EQ(Form->pic_modify->Caption(), "2006 / 5 / 7");
  EXPECT_EQ(Form->pic_wh->Caption(), "64 x 48");
}

TEST_F(PictureList, DeleteRemovesTheSelectionAndSortsByCaption) {
  Chosen = {Picture("c.bmp", MakeColor(1, 1, 1), FMT_BMP), Picture("a.bmp", MakeColor(1, 1, 1), FMT_BMP),
            Picture("d.bmp", MakeColor(1, 1, 1), FMT_BMP), Picture("b.bmp", MakeColor(1, 1, 1), FMT_BMP)};
  Form->Add1Click(nullptr);
  Form->Remove1Click(nullptr);  // nothing selected
  EXPECT_EQ(ItemCount(), 4);

  Select(2);
  Form->skSkinListView1Click(nullptr);
  EXPECT_EQ(Form->pic_name->Caption(), "d.bmp");
  Form->Remove1Click(nullptr);
  EXPECT_EQ(Captions(), (std::vector<String>{"a.bmp", "b.bmp", "c.bmp"}));
  for (TLabel* label : {Form->pic_name, Form->pic_location, Form->pic_wh, Form->pic_modify})
    EXPECT_EQ(label->Caption(), " ");
  EXPECT_EQ(Form->ImageList1->Count(), 4);
}

TEST_F(PictureList, BackgroundPictureCoversTheWholeListWhenItsScrollBarHides) {
  Form->Show();
  Form->skSkinPageControl1->SetActivePage(Form->skSkinTabSheet2);
  skin::TskSkinListView& view = *Form->skSkinListView1;
  RedrawWindow(Form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  Application->ProcessMessages();

  // No items: the bar hides and the view takes its place, wider than the picture behind it.
  ASSERT_NE(view.VScrollBar(), nullptr);
  ASSERT_FALSE(view.VScrollBar()->Visible());
  auto* picture = dynamic_cast<TBitmap*>(Form->Image5->Picture().Graphic());
  ASSERT_NE(picture, nullptr);
  const TRect client = view.ClientRect();
  ASSERT_GT(client.right, picture->Width());
  ASSERT_GE(picture->Height(), client.bottom);
  // The strip beyond the picture carries on its last column: the bare window shows nowhere.
  const HDC dc = GetDC(view.Handle());
  for (int y : {40, client.bottom / 2, client.bottom - 3}) {
    SCOPED_TRACE(y);
    const COLORREF edge = ColorToRGB(picture->Canvas()->Pixels(picture->Width() - 1, y));
    EXPECT_EQ(GetPixel(dc, picture->Width() - 1, y), edge);
    for (int x = picture->Width(); x < client.right; ++x) EXPECT_EQ(GetPixel(dc, x, y), edge) << "at " << x;
  }
  ReleaseDC(view.Handle(), dc);
  Form->Hide();
}

}  // namespace
