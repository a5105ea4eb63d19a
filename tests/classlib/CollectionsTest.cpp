#include "tests/support/testing.h"

#include "platform/classlib/ClassRegistry.h"
#include "platform/classlib/Collections.h"
#include "platform/classlib/Exception.h"

#include <mutex>

using namespace classlib;

namespace {

class TNoteItem : public TCollectionItem {
public:
  using TCollectionItem::TCollectionItem;
  String Text;
  int Size = 0;
  void SetText(const String& Value) {
    Text = Value;
    Changed(false);
  }
  void SetSize(int Value) { Size = Value; }
  void Assign(const TPersistent& Source) override {
    const auto* note = dynamic_cast<const TNoteItem*>(&Source);
    if (!note) return TCollectionItem::Assign(Source);
    Text = note->Text;
    Size = note->Size;
  }
};

// Records what it is told of its items' changes: an item's index, or -1 for all of them.
class TNotes : public TCollection {
public:
  std::vector<int> Heard;
  TNoteItem* Add() { return static_cast<TNoteItem*>(TCollection::Add()); }
  TNoteItem* Note(int Index) const { return static_cast<TNoteItem*>(Items(Index)); }

protected:
  std::unique_ptr<TCollectionItem> CreateItem() override { return std::make_unique<TNoteItem>(nullptr); }
  void Update(TCollectionItem* Item) override { Heard.push_back(Item ? Item->Index() : -1); }
};

class TOtherNotes : public TNotes {};

void RegisterNoteItem() {
  static std::once_flag once;
  std::call_once(once, [] {
    TClassRegistry::Instance()
        .Register<TNoteItem>("TNoteItem", "TCollectionItem")
        .Text("Text", &TNoteItem::SetText)
        .Integer("Size", &TNoteItem::SetSize);
  });
}

TFormValue Block(std::vector<std::vector<TFormProperty>> Items) {
  TFormValue value;
  value.kind = TFormValue::Kind::Collection;
  for (auto& properties : Items) value.Collection.push_back(TFormItem{std::move(properties)});
  return value;
}

TFormProperty Property(const String& Name, TFormValue Value) { return TFormProperty{Name, std::move(Value), 0}; }

TFormValue Text(const String& Text) {
  TFormValue value;
  value.kind = TFormValue::Kind::String;
  value.Text = Text;
  return value;
}

}  // namespace

TEST(Collections, ItemsJoinLeaveAndReportTheirChanges) {
  TNotes notes;
  TNoteItem* a = notes.Add();
  TNoteItem* b = notes.Add();
  EXPECT_EQ((std::vector<int>{-1, -1}), notes.Heard);
  EXPECT_EQ(1, b->Index());
  b->SetText("b");
  EXPECT_EQ(1, notes.Heard.back());
  EXPECT_EQ("TNoteItem", a->DisplayName());

  notes.Heard.clear();
  notes.BeginUpdate();
  a->SetText("a");
  notes.Add();
  notes.EndUpdate();
  EXPECT_EQ((std::vector<int>{-1}), notes.Heard) << "one report for the whole update";

  // An item freed by other code leaves the collection; Delete and Clear free them.
  delete a;
  ASSERT_EQ(2, notes.Count());
  EXPECT_EQ(b, notes.Items(0));
  EXPECT_EQ(0, b->Index());
  notes.Delete(1);
  EXPECT_EQ(1, notes.Count());
  EXPECT_THROW(notes.Items(1), EComponentError);
  EXPECT_THROW(notes.Delete(-1), EComponentError);
  notes.Clear();
  EXPECT_EQ(0, notes.Count());
  TNoteItem loose(nullptr);
  EXPECT_EQ(-1, loose.Index());
}

TEST(Collections, InsertPlacesTheNewItem) {
  TNotes notes;
  notes.Add()->SetText("b");
  notes.Heard.clear();
  static_cast<TNoteItem*>(notes.Insert(0))->SetText("a");
  static_cast<TNoteItem*>(notes.Insert(2))->SetText("c");
  ASSERT_EQ(3, notes.Count());
  EXPECT_EQ("a", notes.Note(0)->Text);
  EXPECT_EQ("b", notes.Note(1)->Text);
  EXPECT_EQ("c", notes.Note(2)->Text);
  EXPECT_EQ(2, notes.Note(2)->Index());
  EXPECT_EQ((std::vector<int>{-1, 0, -1, 2}), notes.Heard);
  EXPECT_THROW(notes.Insert(4), EComponentError);
  EXPECT_THROW(notes.Insert(-1), EComponentError);
  EXPECT_EQ(3, notes.Count());
}

TEST(Collections, AssignCopiesItemsOfTheSameClassOnly) {
  TNotes source;
  source.Add()->SetText("one");
  source.Add()->Size = 7;
  TNotes copy;
  copy.Add()->SetText("old");
  copy.Heard.clear();
  copy.Assign(source);
  ASSERT_EQ(2, copy.Count());
  EXPECT_EQ("one", copy.Note(0)->Text);
  EXPECT_EQ(7, copy.Note(1)->Size);
  EXPECT_EQ((std::vector<int>{-1}), copy.Heard);
  TOtherNotes other;
  EXPECT_THROW(other.Assign(source), EComponentError);
}

TEST(Collections, ReadFromStoredItems) {
  RegisterNoteItem();
  TReadContext context(nullptr, "Test");
  TNotes notes;
  notes.Add();
  TFormValue size;
  size.Integer = 3;
  ReadCollection(notes, Block({{Property("Text", Text("a")), Property("Size", size)}, {}}), context, "TNoteItem");
  ASSERT_EQ(2, notes.Count());
  EXPECT_EQ("a", notes.Note(0)->Text);
  EXPECT_EQ(3, notes.Note(0)->Size);
  EXPECT_EQ("", notes.Note(1)->Text);

  const auto message = [&](const TFormValue& Value, const String& ItemClass) -> String {
    try {
      ReadCollection(notes, Value, context, ItemClass);
    } catch (const EReadError& e) {
      return e.Message();
    }
    return "no error";
  };
  EXPECT_EQ("unknown property Colour of TNoteItem", message(Block({{Property("Colour", size)}}), "TNoteItem"));
  EXPECT_EQ("a collection is expected", message(size, "TNoteItem"));
  EXPECT_EQ("unknown collection item class TNothing", message(Block({}), "TNothing"));
}
