#include "tests/support/testing.h"

#include "platform/classlib/Streams.h"
#include "platform/classlib/Strings.h"

using namespace classlib;
using testing_support::ReadUnixFile;
using testing_support::TempDir;
using testing_support::WriteUnixFile;

namespace {

std::vector<String> Lines(const TStrings& strings) {
  std::vector<String> lines;
  for (int i = 0; i < strings.Count(); ++i) lines.push_back(strings[i]);
  return lines;
}

template <class Call>
String StringListErrorOf(Call call) {
  try {
    call();
  } catch (const EStringListError& e) {
    return e.Message();
  }
  return "no exception";
}

TEST(StringList, LoadFromFileEndsLinesAtCrLfLfOrCr) {
  const struct {
    const char* bytes;
    std::vector<String> lines;
  } cases[] = {
      {"a\r\nb\r\n", {"a", "b"}},
      {"a\nb\n", {"a", "b"}},
      {"a\rb\r", {"a", "b"}},
      {"a\r\nb\nc\rd", {"a", "b", "c", "d"}},  // mixed, last line without an end
      {"C:\\x.mp3", {"C:\\x.mp3"}},
      {"a\r\n\r\nb\r\n", {"a", "", "b"}},  // an empty line is an entry
      {"\r\n\n\r", {"", "", ""}},
      {"a\r\r\nb", {"a", "", "b"}},  // CR, then CR LF
      {"a\n\rb", {"a", "", "b"}},    // LF, then CR
      {"", {}},
  };
  TempDir dir;
  TStringList list;
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(std::string(c.bytes)));
    WriteUnixFile(dir.unixFile("list.lst"), c.bytes);
    list.Add("left over");
    list.LoadFromFile(dir.windowsFile("list.lst"));
    EXPECT_EQ(Lines(list), c.lines);
  }
}

TEST(StringList, SaveToFileEndsEveryLineWithCrLfInTheAnsiCodePage) {
  TempDir dir;
  TStringList list;
  list.SetText("C:\\Music\\a.mp3\n\nlast");
  list.SaveToFile(dir.windowsFile("out.lst"));
  EXPECT_EQ(ReadUnixFile(dir.unixFile("out.lst")), "C:\\Music\\a.mp3\r\n\r\nlast\r\n");

  // Non-ASCII text goes out in the system code page and comes back unchanged.
  list.SetText("Caf\xC3\xA9\n");  // UTF-8 in memory
  list.SaveToFile(dir.windowsFile("accent.lst"));
  const std::string bytes = ReadUnixFile(dir.unixFile("accent.lst"));
  if (GetACP() == 1252) {
    EXPECT_EQ(bytes, "Caf\xE9\r\n");
  }
  TStringList loaded;
  loaded.LoadFromFile(dir.windowsFile("accent.lst"));
  EXPECT_EQ(Lines(loaded), std::vector<String>{"Caf\xC3\xA9"});

  TStringList empty;
  empty.SaveToFile(dir.windowsFile("empty.lst"));
  EXPECT_EQ(ReadUnixFile(dir.unixFile("empty.lst")), "");
  EXPECT_THROW(list.LoadFromFile(dir.windowsFile("missing.lst")), EStreamError);
}

TEST(StringList, LoadFromStreamReadsFromThePositionToTheEnd) {
  TMemoryStream stream;
  stream.WriteBuffer("skip|one\r\ntwo", 13);
  stream.SetPosition(5);
  TStringList list;
  list.LoadFromStream(stream);
  EXPECT_EQ(Lines(list), (std::vector<String>{"one", "two"}));
  EXPECT_EQ(list.Text(), "one\r\ntwo\r\n");

  TMemoryStream out;
  list.SaveToStream(out);
  EXPECT_EQ(String(reinterpret_cast<const char*>(out.Memory()), static_cast<size_t>(out.Size())), "one\r\ntwo\r\n");
}

TEST(StringList, BadIndexesRaiseListIndexOutOfBounds) {
  TStringList list;
  list.SetText("a\nb\nc");
  EXPECT_EQ(StringListErrorOf([&] { list.Strings(3); }), "List index out of bounds (3)");
  EXPECT_EQ(StringListErrorOf([&] { list.Objects(-1); }), "List index out of bounds (-1)");
  EXPECT_EQ(StringListErrorOf([&] { list.Delete(5); }), "List index out of bounds (5)");
  EXPECT_EQ(StringListErrorOf([&] { list.Insert(4, "x"); }), "List index out of bounds (4)");
  EXPECT_EQ(StringListErrorOf([&] { list.SetString(3, "x"); }), "List index out of bounds (3)");
  EXPECT_EQ(StringListErrorOf([&] { list.Exchange(0, 3); }), "List index out of bounds (3)");
  list.Insert(3, "d");  // at the end is allowed
  EXPECT_EQ(Lines(list), (std::vector<String>{"a", "b", "c", "d"}));
}

TEST(StringList, EditingKeepsEachLinesObject) {
  TObject one, two, three;
  TStringList list;
  list.AddObject("one", &one);
  list.AddObject("two", &two);
  list.InsertObject(0, "three", &three);
  list.Exchange(0, 2);
  EXPECT_EQ(Lines(list), (std::vector<String>{"two", "one", "three"}));
  EXPECT_EQ(list.Objects(0), &two);
  EXPECT_EQ(list.Objects(2), &three);
  list.Move(2, 0);
  EXPECT_EQ(list[0], "three");
  EXPECT_EQ(list.Objects(0), &three);
  list.SetString(0, "THREE");
  EXPECT_EQ(list.Objects(0), &three);
  EXPECT_EQ(list.IndexOfObject(&one), 2);
  list.Delete(0);
  EXPECT_EQ(list.Objects(0), &two);
  list.SetObject(0, nullptr);
  EXPECT_EQ(list.IndexOfObject(&two), -1);
}

TEST(StringList, IndexOfIgnoresCaseUnlessCaseSensitive) {
  TStringList list;
  list.SetText("Alpha\nbeta\nBETA\nÄrger");
  EXPECT_EQ(list.IndexOf("ALPHA"), 0);
  EXPECT_EQ(list.IndexOf("Beta"), 1);
  EXPECT_EQ(list.IndexOf("ärger"), 3);
  EXPECT_EQ(list.IndexOf("gamma"), -1);
  list.SetCaseSensitive(true);
  EXPECT_EQ(list.IndexOf("ALPHA"), -1);
  EXPECT_EQ(list.IndexOf("BETA"), 2);
}

TEST(StringList, SortedListsOrderFindAndHandleDuplicates) {
  TStringList list;
  list.SetText("pear\nApple\nfig");
  list.SetSorted(true);
  EXPECT_EQ(Lines(list), (std::vector<String>{"Apple", "fig", "pear"}));
  EXPECT_EQ(list.Add("banana"), 1);
  EXPECT_EQ(list.Add("BANANA"), 1);  // dupIgnore: the line already there
  EXPECT_EQ(list.Count(), 4);
  int index = -1;
  EXPECT_TRUE(list.Find("FIG", index));
  EXPECT_EQ(index, 2);
  EXPECT_FALSE(list.Find("grape", index));
  EXPECT_EQ(index, 3);
  EXPECT_EQ(list.IndexOf("PEAR"), 3);

  list.SetDuplicates(TDuplicates::dupError);
  EXPECT_EQ(StringListErrorOf([&] { list.Add("apple"); }), "String list does not allow duplicates");
  list.SetDuplicates(TDuplicates::dupAccept);
  list.Add("apple");
  EXPECT_EQ(list.Count(), 5);

  EXPECT_EQ(StringListErrorOf([&] { list.Insert(0, "zzz"); }), "Operation not allowed on sorted list");
  EXPECT_EQ(StringListErrorOf([&] { list.SetString(0, "zzz"); }), "Operation not allowed on sorted list");
  EXPECT_EQ(StringListErrorOf([&] { list.Exchange(0, 1); }), "Operation not allowed on sorted list");

  TStringList unsorted;
  unsorted.SetText("b\nc\na");
  unsorted.Sort();
  EXPECT_EQ(Lines(unsorted), (std::vector<String>{"a", "b", "c"}));
  EXPECT_FALSE(unsorted.Sorted());
}

TEST(StringList, OnChangeFiresOncePerChangeOrUpdateBatch) {
  TStringList list;
  int changing = 0, changed = 0;
  list.OnChanging = [&](TObject* sender) {
    EXPECT_EQ(sender, &list);
    ++changing;
  };
  list.OnChange = [&](TObject* sender) {
    EXPECT_EQ(sender, &list);
    ++changed;
  };
  list.Add("a");
  EXPECT_EQ(changed, 1);
  list.BeginUpdate();
  list.Add("b");
  list.Add("c");
  list.Delete(0);
  list.BeginUpdate();
  list.EndUpdate();
  EXPECT_EQ(changed, 1);
  list.EndUpdate();
  EXPECT_EQ(changed, 2);
  list.SetText("x\ny\nz");
  EXPECT_EQ(changed, 3);
  list.Clear();
  list.Clear();  // nothing to clear: no change
  EXPECT_EQ(changed, 4);
  EXPECT_EQ(changing, changed);
}

TEST(StringList, AssignAndAddStringsCopyLinesAndObjects) {
  TObject marker;
  TStringList source;
  source.AddObject("one", &marker);
  source.Add("two");

  TStringList target;
  target.Add("old");
  target.Assign(source);
  EXPECT_EQ(Lines(target), (std::vector<String>{"one", "two"}));
  EXPECT_EQ(target.Objects(0), &marker);
  target.Assign(target);  // assigning itself changes nothing
  EXPECT_EQ(target.Count(), 2);
  target.AddStrings(target);
  EXPECT_EQ(Lines(target), (std::vector<String>{"one", "two", "one", "two"}));
  EXPECT_EQ(target.Objects(2), &marker);
  EXPECT_THROW(target.Assign(TPersistent()), EComponentError);
}

}  // namespace
