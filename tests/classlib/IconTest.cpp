#include "tests/support/testing.h"

#include "platform/classlib/Bitmap.h"
#include "platform/classlib/Icon.h"
#include "platform/classlib/Streams.h"

#include <cstring>

using namespace classlib;
using testing_support::HasTool;
using testing_support::ReadUnixFile;
using testing_support::RunTool;
using testing_support::TempDir;

namespace {

template <class T>
void Put(std::string& out, T value) {
  out.append(reinterpret_cast<const char*>(&value), sizeof value);
}

// One 16 x 16 32-bit image: left half red, right half see-through.
std::string SmallIcon() {
  std::string image;
  Put(image, BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), 16, 32, 1, 32, BI_RGB, 0, 0, 0, 0, 0});
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) Put(image, DWORD(x < 8 ? 0xFFFF0000 : 0));
  for (int y = 0; y < 16; ++y) Put(image, DWORD(0x0000FF00));  // mask rows: 1 = transparent, right half
  std::string file;
  Put(file, WORD(0));
  Put(file, WORD(1));
  Put(file, WORD(1));
  file += {16, 16, 0, 0};
  Put(file, WORD(1));
  Put(file, WORD(32));
  Put(file, DWORD(image.size()));
  Put(file, DWORD(22));
  return file + image;
}

void LoadBytes(TIcon& icon, const std::string& bytes) {
  TMemoryStream stream;
  if (!bytes.empty()) stream.WriteBuffer(bytes.data(), int(bytes.size()));
  stream.SetPosition(0);
  icon.LoadFromStream(stream);
}

std::string SaveBytes(const TIcon& icon) {
  TMemoryStream stream;
  icon.SaveToStream(stream);
  return std::string(reinterpret_cast<const char*>(stream.Memory()), std::size_t(stream.Size()));
}

std::unique_ptr<TBitmap> DrawOnWhite(TIcon& icon) {
  auto bitmap = std::make_unique<TBitmap>();
  bitmap->SetPixelFormat(TPixelFormat::pf32bit);
  bitmap->SetSize(icon.Width(), icon.Height());
  bitmap->Canvas()->Brush()->SetColor(clWhite);
  bitmap->Canvas()->FillRect(Rect(0, 0, icon.Width(), icon.Height()));
  bitmap->Canvas()->Draw(0, 0, &icon);
  return bitmap;
}

TEST(Icon, DrawsItsImageThroughItsMask) {
  TIcon icon;
  const std::string file = SmallIcon();
  LoadBytes(icon, file);
  ASSERT_EQ(icon.Width(), 16);
  ASSERT_EQ(icon.Height(), 16);
  auto drawn = DrawOnWhite(icon);
  EXPECT_EQ(drawn->Canvas()->Pixels(2, 5), clRed);
  EXPECT_EQ(drawn->Canvas()->Pixels(12, 5), clWhite);
  EXPECT_EQ(SaveBytes(icon), file);  // saved as it was read
  EXPECT_THROW(icon.SetWidth(8), EInvalidGraphicOperation);
}

TEST(Icon, PicksTheStandardSizeFromImageMagicksFiles) {
  if (!HasTool("convert")) GTEST_SKIP() << "ImageMagick missing";
  TempDir dir;
  ASSERT_EQ(RunTool("convert -size 48x48 xc:none -fill blue -draw 'rectangle 8,8 39,39' "
                    "-define icon:auto-resize=16,32,48 '" + dir.unixFile("multi.ico") + "'"),
            0);
  TIcon icon;
  icon.LoadFromFile(dir.windowsFile("multi.ico"));
  EXPECT_EQ(icon.Width(), GetSystemMetrics(SM_CXICON));
  auto drawn = DrawOnWhite(icon);
  const int middle = icon.Width() / 2;
  EXPECT_EQ(drawn->Canvas()->Pixels(middle, middle), clBlue);
  EXPECT_EQ(drawn->Canvas()->Pixels(1, 1), clWhite);
  EXPECT_EQ(SaveBytes(icon), ReadUnixFile(dir.unixFile("multi.ico")));
}

TEST(Icon, AnAdoptedHandleIsSavedAsAnIconFile) {
  // A colour icon of the system (shared: not to be destroyed) and a monochrome one of our own.
  const BYTE andBits[32 * 4] = {};
  BYTE xorBits[32 * 4];
  for (int i = 0; i < 32 * 4; ++i) xorBits[i] = BYTE(i % 8 < 4 ? 0xF0 : 0x0F);
  HICON monochrome = CreateIcon(nullptr, 32, 32, 1, 1, andBits, xorBits);
  ASSERT_NE(monochrome, nullptr);
  const std::pair<HICON, bool> handles[] = {{LoadIconW(nullptr, IDI_APPLICATION), false}, {monochrome, true}};
  for (const auto& [handle, owned] : handles) {
    TIcon original;
    original.SetHandle(handle, owned);
    EXPECT_EQ(original.OwnsHandle(), owned);
    TIcon reloaded;
    LoadBytes(reloaded, SaveBytes(original));
    ASSERT_EQ(reloaded.Width(), original.Width());
    ASSERT_EQ(reloaded.Height(), original.Height());
    auto a = DrawOnWhite(original);
    auto b = DrawOnWhite(reloaded);
    int differences = 0;
    for (int y = 0; y < original.Height(); ++y)
      differences += std::memcmp(a->ScanLine(y), b->ScanLine(y), std::size_t(4 * original.Width())) != 0;
    EXPECT_EQ(differences, 0);
  }
  // The system icon was only borrowed: it still works.
  ICONINFO info{};
  ASSERT_TRUE(GetIconInfo(LoadIconW(nullptr, IDI_APPLICATION), &info));
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);

  TIcon icon;
  HICON own = CopyIcon(LoadIconW(nullptr, IDI_APPLICATION));
  icon.SetHandle(own);
  EXPECT_EQ(icon.ReleaseHandle(), own);
  EXPECT_TRUE(icon.Empty());
  EXPECT_TRUE(DestroyIcon(own));
}

TEST(Icon, CorruptFilesRaiseAndLeaveTheIconAsItWas) {
  const std::string good = SmallIcon();
  auto patched = [&good](std::size_t offset, auto value) {
    std::string bytes = good;
    std::memcpy(bytes.data() + offset, &value, sizeof value);
    return bytes;
  };
  // Offsets: 0 reserved, 2 type, 4 count; the entry: 14 image size, 18 image offset; the image at 22.
  const std::pair<const char*, std::string> cases[] = {
      {"empty", ""},
      {"directory cut short", good.substr(0, 5)},
      {"entry cut short", good.substr(0, 20)},
      {"image cut short", good.substr(0, good.size() - 1)},
      {"reserved word set", patched(0, WORD(1))},
      {"a cursor", patched(2, WORD(2))},
      {"no images", patched(4, WORD(0))},
      {"more entries than bytes", patched(4, WORD(100))},
      {"image inside the directory", patched(18, DWORD(6))},
      {"image past the end", patched(18, DWORD(5000))},
      {"image size 4G", patched(14, DWORD(0xFFFFFFFF))},
      {"image size 0", patched(14, DWORD(0))},
      {"image header size 0", patched(22, DWORD(0))},
      {"image wider than its bytes", patched(26, LONG(200))},
      {"image header of 7 bits", patched(22 + 14, WORD(7))},
  };
  TIcon icon;
  LoadBytes(icon, good);
  HICON before = icon.Handle();
  for (const auto& [name, bytes] : cases) {
    SCOPED_TRACE(name);
    try {
      LoadBytes(icon, bytes);
      ADD_FAILURE() << "loaded";
    } catch (const EInvalidGraphic& e) {
      EXPECT_EQ(e.Message(), "Icon image is not valid");
    }
    EXPECT_EQ(icon.Handle(), before);
    EXPECT_EQ(icon.Width(), 16);
  }
}

}  // namespace
