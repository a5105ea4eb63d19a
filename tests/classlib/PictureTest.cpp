#include "tests/support/testing.h"

#include "platform/classlib/Bitmap.h"
#include "platform/classlib/Icon.h"
#include "platform/classlib/Picture.h"
#include "platform/classlib/Streams.h"

using namespace classlib;
using testing_support::HasTool;
using testing_support::RunTool;
using testing_support::TempDir;
using testing_support::WriteUnixFile;

namespace {

// A format of the test's own: the file's bytes are the picture, one pixel per byte.
class TProbeGraphic : public TGraphic {
public:
  explicit TProbeGraphic(String Kind = "probe") : FKind(std::move(Kind)) {}
  String FKind;
  String FBytes;

  bool Empty() const override { return FBytes.empty(); }
  int Width() const override { return int(FBytes.size()); }
  int Height() const override { return 1; }
  void SetWidth(int Value) override { FBytes.resize(std::size_t(Value)); }
  void SetHeight(int) override {}
  void LoadFromStream(TStream& Stream) override {
    FBytes.resize(std::size_t(Stream.Size() - Stream.Position()));
    Stream.ReadBuffer(FBytes.data(), int(FBytes.size()));
  }
  void SaveToStream(TStream& Stream) const override { Stream.WriteBuffer(FBytes.data(), int(FBytes.size())); }
  std::unique_ptr<TGraphic> Clone() const override {
    auto copy = std::make_unique<TProbeGraphic>(FKind);
    copy->FBytes = FBytes;
    return copy;
  }

protected:
  void Draw(TCanvas&, const TRect&) override {}
};

std::unique_ptr<TBitmap> SolidBitmap(int width, int height, TColor colour) {
  auto bitmap = std::make_unique<TBitmap>();
  bitmap->SetPixelFormat(TPixelFormat::pf24bit);
  bitmap->SetSize(width, height);
  bitmap->Canvas()->Brush()->SetColor(colour);
  bitmap->Canvas()->FillRect(Rect(0, 0, width, height));
  return bitmap;
}

TEST(Picture, LoadFromFileChoosesTheClassByExtension) {
  TempDir dir;
  SolidBitmap(5, 4, clRed)->SaveToFile(dir.windowsFile("a.bmp"));
  SolidBitmap(2, 3, clBlue)->SaveToFile(dir.windowsFile("B.BMP"));
  WriteUnixFile(dir.unixFile("c.TsT"), "abc");
  TPicture::RegisterFileFormat("tst", "Probe pictures", [] { return std::make_unique<TProbeGraphic>(); });

  TPicture picture;
  picture.LoadFromFile(dir.windowsFile("a.bmp"));
  ASSERT_NE(dynamic_cast<TBitmap*>(picture.Graphic()), nullptr);
  EXPECT_EQ(picture.Width(), 5);
  EXPECT_EQ(picture.Height(), 4);
  EXPECT_EQ(picture.Bitmap()->Canvas()->Pixels(4, 3), clRed);
  picture.LoadFromFile(dir.windowsFile("B.BMP"));
  EXPECT_EQ(picture.Width(), 2);

  picture.LoadFromFile(dir.windowsFile("c.TsT"));
  auto* probe = dynamic_cast<TProbeGraphic*>(picture.Graphic());
  ASSERT_NE(probe, nullptr);
  EXPECT_EQ(probe->FBytes, "abc");

  // A later registration of the extension wins.
  TPicture::RegisterFileFormat(".TST", "Other probes", [] { return std::make_unique<TProbeGraphic>("other"); });
  picture.LoadFromFile(dir.windowsFile("c.TsT"));
  EXPECT_EQ(static_cast<TProbeGraphic*>(picture.Graphic())->FKind, "other");

  if (HasTool("convert")) {
    ASSERT_EQ(RunTool("convert -size 16x16 xc:red '" + dir.unixFile("d.ico") + "'"), 0);
    picture.LoadFromFile(dir.windowsFile("d.ico"));
    EXPECT_NE(dynamic_cast<TIcon*>(picture.Graphic()), nullptr);
    EXPECT_EQ(picture.Width(), 16);
  }
}

TEST(Picture, AFailedLoadKeepsThePicture) {
  TempDir dir;
  SolidBitmap(5, 4, clRed)->SaveToFile(dir.windowsFile("good.bmp"));
  WriteUnixFile(dir.unixFile("bad.bmp"), "BM not really");
  WriteUnixFile(dir.unixFile("x.xyz"), "?");
  WriteUnixFile(dir.unixFile("dotless"), "?");
  TPicture picture;
  picture.LoadFromFile(dir.windowsFile("good.bmp"));
  TGraphic* held = picture.Graphic();

  const std::pair<String, String> failures[] = {
      {"x.xyz", "Unknown picture file extension (.xyz)"},
      {"dotless", "Unknown picture file extension (.)"},
      {"bad.bmp", "Bitmap image is not valid"},
  };
  for (const auto& [name, message] : failures) {
    try {
      picture.LoadFromFile(dir.windowsFile(name));
      ADD_FAILURE() << name << " loaded";
    } catch (const EInvalidGraphic& e) {
      EXPECT_EQ(e.Message(), message);
    }
    EXPECT_EQ(picture.Graphic(), held);
  }
  EXPECT_THROW(picture.LoadFromFile(dir.windowsFile("missing.bmp")), Exception);
  EXPECT_EQ(picture.Graphic(), held);
  EXPECT_EQ(picture.Width(), 5);
}

TEST(Picture, HoldsCopiesAndTellsOfChanges) {
  TPicture picture;
  int changes = 0;
  picture.OnChange = [&](TObject* sender) {
    EXPECT_EQ(sender, &picture);
    ++changes;
  };
  EXPECT_EQ(picture.Graphic(), nullptr);
  EXPECT_EQ(picture.Width(), 0);

  // Bitmap() makes one when there is none.
  TBitmap* bitmap = picture.Bitmap();
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(picture.Bitmap(), bitmap);
  bitmap->SetSize(3, 3);  // a change of the graphic is a change of the picture
  EXPECT_EQ(changes, 2);

  auto red = SolidBitmap(4, 2, clRed);
  picture.SetGraphic(red.get());
  EXPECT_EQ(changes, 3);
  ASSERT_NE(picture.Graphic(), red.get());
  red->Canvas()->SetPixels(0, 0, clBlue);
  EXPECT_EQ(picture.Bitmap()->Canvas()->Pixels(0, 0), clRed);

  TPicture other;
  other.Assign(picture);
  EXPECT_NE(other.Graphic(), picture.Graphic());
  EXPECT_EQ(other.Width(), 4);
  other.Assign(*red);
  EXPECT_EQ(other.Bitmap()->Canvas()->Pixels(0, 0), clBlue);

  // Anything else than a bitmap makes way for an empty one.
  TProbeGraphic probe;
  probe.FBytes = "xy";
  picture.SetGraphic(&probe);
  EXPECT_EQ(picture.Width(), 2);
  EXPECT_TRUE(picture.Bitmap()->Empty());

  picture.SetGraphic(nullptr);
  EXPECT_EQ(picture.Graphic(), nullptr);
  EXPECT_THROW(picture.Assign(TPen()), EComponentError);
}

TEST(Picture, SavesWhatItHolds) {
  TempDir dir;
  TPicture picture;
  picture.SaveToFile(dir.windowsFile("nothing.bmp"));
  EXPECT_EQ(GetFileAttributesA(dir.windowsFile("nothing.bmp").c_str()), INVALID_FILE_ATTRIBUTES);

  auto bitmap = SolidBitmap(6, 5, clLime);
  picture.SetGraphic(bitmap.get());
  picture.SaveToFile(dir.windowsFile("saved.bmp"));
  TPicture loaded;
  loaded.LoadFromFile(dir.windowsFile("saved.bmp"));
  EXPECT_EQ(loaded.Width(), 6);
  EXPECT_EQ(loaded.Bitmap()->Canvas()->Pixels(5, 4), clLime);
}

}  // namespace
