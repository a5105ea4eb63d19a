#include "tests/support/testing.h"

#include "platform/classlib/DB.h"
#include "platform/classlib/Streams.h"

#include <memory>

using namespace classlib;

namespace {

struct TNamesFixture {
  TNamesFixture() {
    Data.AddField("Name", TFieldType::ftString);
    Data.AddField("Blob", TFieldType::ftBlob);
    Data.Open();
    for (const char* name : {"a", "b", "c"}) {
      Data.Append();
      Data.FieldByName("Name").SetAsString(name);
      Data.Post();
    }
    Data.First();
  }
  String Name() const { return Data.FieldByName("Name").AsString(); }

  TDataSet Data{nullptr};
};

TEST(DataSet, RecordsEditsAndErrors) {
  TNamesFixture f;
  EXPECT_EQ(f.Data.RecordCount(), 3);
  EXPECT_EQ(f.Name(), "a");
  f.Data.Last();
  EXPECT_EQ(f.Name(), "c");
  EXPECT_EQ(f.Data.RecNo(), 3);
  f.Data.Next();  // stays on the last record
  EXPECT_EQ(f.Data.RecNo(), 3);
  f.Data.SetRecNo(2);
  EXPECT_EQ(f.Name(), "b");
  EXPECT_TRUE(f.Data.FieldByName("Blob").IsNull());

  // Fields change only while editing; Cancel drops the change, Post keeps it.
  EXPECT_THROW(f.Data.FieldByName("Name").SetAsString("x"), EDatabaseError);
  f.Data.Edit();
  f.Data.FieldByName("Name").SetAsString("x");
  EXPECT_EQ(f.Name(), "x");
  f.Data.Cancel();
  EXPECT_EQ(f.Name(), "b");
  f.Data.Edit();
  f.Data.FieldByName("Name").SetAsString("y");
  f.Data.Next();  // moving posts the pending change
  f.Data.Prior();
  EXPECT_EQ(f.Name(), "y");

  // Insert goes before the current record.
  f.Data.Insert();
  f.Data.FieldByName("Name").SetAsString("new");
  f.Data.Post();
  EXPECT_EQ(f.Data.RecNo(), 2);
  EXPECT_EQ(f.Data.RecordCount(), 4);
  f.Data.Delete();
  EXPECT_EQ(f.Name(), "y");

  EXPECT_THROW(f.Data.FieldByName("Missing"), EDatabaseError);
  EXPECT_THROW(f.Data.AddField("More", TFieldType::ftString), EDatabaseError);
  f.Data.Close();
  EXPECT_THROW(f.Data.Edit(), EDatabaseError);
}

TEST(DataSet, BlobFieldsKeepBytes) {
  TNamesFixture f;
  const String bytes("\0\1\2BM\xFF", 6);
  auto& blob = static_cast<TBlobField&>(f.Data.FieldByName("Blob"));
  f.Data.Edit();
  TMemoryStream in;
  in.WriteBuffer(bytes.data(), static_cast<int>(bytes.size()));
  in.SetPosition(0);
  blob.LoadFromStream(in);
  f.Data.Post();
  TMemoryStream out;
  blob.SaveToStream(out);
  EXPECT_EQ(String(reinterpret_cast<const char*>(out.Memory()), static_cast<std::size_t>(out.Size())), bytes);
}

// What a field link reports to its control.
struct TLinkFixture : TNamesFixture {
  TLinkFixture() {
    Link.OnDataChange = [this](TObject*) { ++DataChanges; };
    Link.OnEditingChange = [this](TObject*) { ++EditingChanges; };
    Link.OnUpdateData = [this](TObject*) {
      ++Updates;
      Link.Field()->SetAsString("from the control");
    };
    Source.SetDataSet(&Data);
    Link.SetFieldName("Name");
    Link.SetDataSource(&Source);
  }

  TDataSource Source{nullptr};
  TFieldDataLink Link;
  int DataChanges = 0, EditingChanges = 0, Updates = 0;
};

TEST(FieldDataLink, FollowsTheDataSet) {
  TLinkFixture f;
  EXPECT_TRUE(f.Link.Active());
  ASSERT_NE(f.Link.Field(), nullptr);
  EXPECT_EQ(f.DataChanges, 1);
  f.Data.Next();
  EXPECT_EQ(f.DataChanges, 2);

  EXPECT_TRUE(f.Link.Edit());
  EXPECT_TRUE(f.Link.Editing());
  EXPECT_EQ(f.EditingChanges, 1);
  // A change to another field is not this link's business.
  const int before = f.DataChanges;
  f.Data.FieldByName("Blob").SetAsString("x");
  EXPECT_EQ(f.DataChanges, before);
  f.Data.FieldByName("Name").SetAsString("typed");
  EXPECT_EQ(f.DataChanges, before + 1);

  // Only a modified link writes its data at the post.
  f.Link.Modified();
  f.Data.Post();
  EXPECT_EQ(f.Updates, 1);
  EXPECT_EQ(f.Name(), "from the control");
  EXPECT_FALSE(f.Link.Editing());
  f.Data.Edit();
  f.Data.Post();
  EXPECT_EQ(f.Updates, 1);
}

TEST(FieldDataLink, ReadOnlyAndDetached) {
  TLinkFixture f;
  f.Link.SetReadOnly(true);
  EXPECT_FALSE(f.Link.Edit());
  EXPECT_EQ(f.Data.State(), TDataSetState::dsBrowse);
  f.Source.SetAutoEdit(false);
  f.Link.SetReadOnly(false);
  EXPECT_FALSE(f.Link.Edit());

  auto data = std::make_unique<TDataSet>(nullptr);
  data->AddField("Name", TFieldType::ftString);
  data->Open();
  f.Source.SetDataSet(data.get());
  EXPECT_TRUE(f.Link.Active());
  ASSERT_NE(f.Link.Field(), nullptr);
  EXPECT_EQ(&f.Link.Field()->DataSet(), data.get());
  data.reset();  // the source lets go of a data set that dies
  EXPECT_EQ(f.Source.DataSet(), nullptr);
  EXPECT_FALSE(f.Link.Active());
  EXPECT_EQ(f.Link.Field(), nullptr);
}

}  // namespace
