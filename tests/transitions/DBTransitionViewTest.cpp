#include "tests/transitions/ViewTesting.h"

#include "platform/classlib/DB.h"
#include "platform/classlib/Icon.h"
#include "platform/classlib/JPEGImage.h"
#include "platform/classlib/Metafile.h"
#include "platform/classlib/Streams.h"
#include "transitions/DBTransitionView.h"

#include <optional>
#include <typeinfo>

using namespace classlib;
using namespace transitions;
using namespace viewtesting;

namespace {

String Bytes(TMemoryStream& Stream) {
  return String(reinterpret_cast<const char*>(Stream.Memory()), static_cast<std::size_t>(Stream.Size()));
}

String BitmapBytes(int Width, int Height) {
  TMemoryStream stream;
  PatternBitmap(Width, Height, 0)->SaveToStream(stream);
  return Bytes(stream);
}

String JfifBytes() {
  TJPEGImage jpeg;
  jpeg.Assign(*PatternBitmap(40, 30, 0));
  TMemoryStream stream;
  jpeg.SaveToStream(stream);
  return Bytes(stream);
}

// A JPEG as cameras write it: FF D8, then no JFIF segment.
String JpegWithoutJfif() {
  const String jfif = JfifBytes();
  const std::size_t app0Length = (static_cast<unsigned char>(jfif[4]) << 8) | static_cast<unsigned char>(jfif[5]);
  return jfif.substr(0, 2) + jfif.substr(4 + app0Length);
}

String EmfBytes() {
  const HDC dc = CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr);
  Rectangle(dc, 0, 0, 50, 40);
  const HENHMETAFILE emf = CloseEnhMetaFile(dc);
  String data(GetEnhMetaFileBits(emf, 0, nullptr), '\0');
  GetEnhMetaFileBits(emf, static_cast<UINT>(data.size()), reinterpret_cast<BYTE*>(data.data()));
  DeleteEnhMetaFile(emf);
  return data;
}

// A data set of named pictures and a data-aware control on a shown form, linked to its Picture field.
class TDBFixture {
public:
  explicit TDBFixture(const std::vector<std::optional<String>>& Pictures) : Form(160, 120) {
    Data.AddField("Name", TFieldType::ftString);
    Data.AddField("Picture", TFieldType::ftGraphic);
    Data.Open();
    for (const auto& picture : Pictures) {
      Data.Append();
      Data.FieldByName("Name").SetAsString("record " + std::to_string(Data.RecordCount()));
      if (picture) Data.FieldByName("Picture").SetAsString(*picture);
      Data.Post();
    }
    Data.First();
    Source.SetDataSet(&Data);
    View = new TDBTransitionView(Form.Form);
    View->SetParent(Form.Form);
    View->SetAutoSize(false);
    View->SetBounds(0, 0, 160, 120);
    View->SetDelay(1);
    View->SetStep(50);
    View->OnStart = [this](TObject*, TBitmap*, TBitmap*) { ++Starts; };
  }

  ~TDBFixture() { delete View; }

  // Links the control (which loads the current record's picture) and waits for its transition.
  void Link() {
    View->SetDataField("Picture");
    View->SetDataSource(&Source);
    Wait();
  }

  void Wait() {
    const DWORD start = GetTickCount();
    while (View->Busy() && GetTickCount() - start < 5000) windowtesting::PumpFor(5);
    EXPECT_FALSE(View->Busy());
  }

  TViewForm Form;
  TDataSet Data{nullptr};
  TDataSource Source{nullptr};
  TDBTransitionView* View;  // owned by the form
  int Starts = 0;
};

TEST(DBTransitionView, LoadsEachKnownFormat) {
  const struct {
    const char* Case;
    String Data;
    const std::type_info& Class;
    int Width;
  } cases[] = {
      {"BM", BitmapBytes(33, 21), typeid(TBitmap), 33},
      {"JFIF", JfifBytes(), typeid(TJPEGImage), 40},
      {"FF D8 FF", JpegWithoutJfif(), typeid(TJPEGImage), 40},
      {"EMF", EmfBytes(), typeid(TMetafile), 0},
  };
  for (const auto& c : cases) {
    TDBFixture f({c.Data});
    f.Link();
    TGraphic* graphic = f.View->Picture().Graphic();
    ASSERT_NE(graphic, nullptr) << c.Case;
    EXPECT_EQ(typeid(*graphic), c.Class) << c.Case;
    if (c.Width) {
      EXPECT_EQ(graphic->Width(), c.Width) << c.Case;
    }
    EXPECT_FALSE(graphic->Empty()) << c.Case;
    EXPECT_TRUE(f.View->PictureLoaded()) << c.Case;
    EXPECT_EQ(f.Starts, 1) << c.Case;
  }
}

TEST(DBTransitionView, UnknownFormatClearsAndRaises) {
  for (const String& data : {String("\xFF\xD8"), String("B"), String("GIF89a and more than enough bytes here")}) {
    TDBFixture f({BitmapBytes(16, 16), data});
    f.Link();
    EXPECT_FALSE(f.View->Media().Empty());
    try {
      f.Data.Next();
      ADD_FAILURE() << "no error for " << data;
    } catch (const EInvalidGraphic& e) {
      EXPECT_STREQ(e.what(), "Unknown picture format");
    }
    f.Wait();
    EXPECT_EQ(f.View->Picture().Graphic(), nullptr);
    EXPECT_TRUE(f.View->PictureLoaded());
    EXPECT_TRUE(f.View->Media().Empty());  // cleared
  }
}

// Icon data matches no signature: the handler names the class.
TEST(DBTransitionView, OnGetGraphicClassHasTheLastWord) {
  TIcon icon;
  icon.SetHandle(LoadIconW(nullptr, IDI_APPLICATION), false);
  TMemoryStream iconData;
  icon.SaveToStream(iconData);
  TDBFixture f({Bytes(iconData)});
  int asked = 0;
  f.View->OnGetGraphicClass = [&](TObject*, TGraphicClass& cls) {
    ++asked;
    EXPECT_EQ(cls, nullptr);
    cls = &IconGraphicClass;
  };
  f.Link();
  ASSERT_EQ(asked, 1);
  ASSERT_NE(f.View->Picture().Graphic(), nullptr);
  EXPECT_EQ(typeid(*f.View->Picture().Graphic()), typeid(TIcon));
  EXPECT_EQ(f.Starts, 1);
}

TEST(DBTransitionView, NullFieldClearsWithoutTransition) {
  TDBFixture f({BitmapBytes(16, 16), std::nullopt});
  f.Link();
  EXPECT_EQ(f.Starts, 1);
  f.Data.Next();
  f.Wait();
  EXPECT_EQ(f.Starts, 1);
  EXPECT_TRUE(f.View->Empty());
  EXPECT_TRUE(f.View->Media().Empty());
}

TEST(DBTransitionView, AutoDisplayOffLoadsNothing) {
  TDBFixture f({BitmapBytes(16, 16), BitmapBytes(20, 20)});
  f.Link();
  f.View->SetAutoDisplay(false);
  f.Data.Next();
  f.Wait();
  EXPECT_TRUE(f.View->Empty());
  EXPECT_FALSE(f.View->PictureLoaded());
  EXPECT_EQ(f.Starts, 1);
  f.View->SetAutoDisplay(true);
  f.Wait();
  EXPECT_EQ(f.View->Picture().Width(), 20);
  EXPECT_EQ(f.Starts, 2);
}

TEST(DBTransitionView, PictureChangedWhileEditingIsPosted) {
  TDBFixture f({BitmapBytes(16, 16)});
  f.Link();
  f.Data.Edit();
  EXPECT_TRUE(f.View->PictureLoaded());
  f.View->Picture().SetGraphic(PatternBitmap(24, 18, 1).get());
  EXPECT_TRUE(f.View->Modified());
  f.Wait();
  f.Data.Post();
  EXPECT_FALSE(f.View->Modified());
  TBitmap stored;
  TMemoryStream stream;
  static_cast<TBlobField&>(f.Data.FieldByName("Picture")).SaveToStream(stream);
  stream.SetPosition(0);
  stored.LoadFromStream(stream);
  EXPECT_EQ(stored.Width(), 24);
  EXPECT_EQ(stored.Height(), 18);
  // The post does not load the picture again.
  EXPECT_EQ(f.View->Picture().Width(), 24);
}

TEST(DBTransitionView, AnswersTheDataLinkMessage) {
  TDBFixture f({});
  f.View->SetDataField("Picture");
  auto* link = reinterpret_cast<TFieldDataLink*>(f.View->Perform(CM_GETDATALINK, 0, 0));
  ASSERT_NE(link, nullptr);
  EXPECT_EQ(link->FieldName(), "Picture");
}

}  // namespace
