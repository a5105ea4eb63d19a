#include "tests/support/testing.h"

#include "skin/shell/ItemIDLists.h"

#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

using namespace skin;

using TOwnedList = std::unique_ptr<ITEMIDLIST, TItemIDListFree>;

// A list of items whose bodies are the given texts (each item: its count, then the text's bytes).
TOwnedList MakeList(const std::vector<std::string>& Items) {
  UINT size = 2;
  for (const std::string& item : Items) size += 2 + static_cast<UINT>(item.size());
  TOwnedList list(AllocItemIDList(size));
  auto* at = reinterpret_cast<BYTE*>(list.get());
  for (const std::string& item : Items) {
    const auto count = static_cast<USHORT>(2 + item.size());
    std::memcpy(at, &count, 2);
    std::memcpy(at + 2, item.data(), item.size());
    at += count;
  }
  return list;
}

// The item bodies of a list, back as texts.
std::vector<std::string> Items(LPCITEMIDLIST List) {
  std::vector<std::string> items;
  for (LPCITEMIDLIST item = List; item->mkid.cb; item = NextItemID(item))
    items.emplace_back(reinterpret_cast<const char*>(item->mkid.abID), item->mkid.cb - 2u);
  return items;
}

TEST(ItemIDLists, SizesCountsAndCopies) {
  EXPECT_EQ(ItemIDListSize(nullptr), 0u);
  const TOwnedList empty = MakeList({});
  EXPECT_EQ(ItemIDListSize(empty.get()), 2u);
  EXPECT_EQ(CountItemIDs(empty.get()), 0);
  const TOwnedList three = MakeList({"ab", "cde", "f"});
  EXPECT_EQ(ItemIDListSize(three.get()), 2u + 4 + 5 + 3);
  EXPECT_EQ(CountItemIDs(three.get()), 3);
  const TOwnedList copy(CopyItemIDList(three.get()));
  EXPECT_EQ(Items(copy.get()), (std::vector<std::string>{"ab", "cde", "f"}));
  const TOwnedList last(LastItemID(three.get()));
  EXPECT_EQ(Items(last.get()), std::vector<std::string>{"f"});
}

TEST(ItemIDLists, JoinAndStrip) {
  const TOwnedList first = MakeList({"ab"}), second = MakeList({"cde", "f"});
  const TOwnedList joined(JoinItemIDLists(first.get(), second.get()));
  EXPECT_EQ(Items(joined.get()), (std::vector<std::string>{"ab", "cde", "f"}));
  const TOwnedList alone(JoinItemIDLists(nullptr, second.get()));
  EXPECT_EQ(Items(alone.get()), (std::vector<std::string>{"cde", "f"}));

  StripLastItemID(joined.get());
  EXPECT_EQ(Items(joined.get()), (std::vector<std::string>{"ab", "cde"}));
  const TOwnedList empty = MakeList({});
  StripLastItemID(empty.get());
  EXPECT_EQ(ItemIDListSize(empty.get()), 2u);
  StripLastItemID(nullptr);
}

TEST(ItemIDLists, AncestorsShortestFirst) {
  const TOwnedList three = MakeList({"ab", "cde", "f"});
  std::vector<LPITEMIDLIST> ancestors = AncestorIDLists(three.get());
  ASSERT_EQ(ancestors.size(), 3u);
  EXPECT_TRUE(Items(ancestors[0]).empty());
  EXPECT_EQ(Items(ancestors[1]), std::vector<std::string>{"ab"});
  EXPECT_EQ(Items(ancestors[2]), (std::vector<std::string>{"ab", "cde"}));
  FreeIDLists(ancestors);
  EXPECT_TRUE(ancestors.empty());

  const TOwnedList empty = MakeList({});
  EXPECT_TRUE(AncestorIDLists(empty.get()).empty());
}

TEST(ItemIDLists, DesktopListIsEmptyAndItself) {
  const TOwnedList desktop(DesktopItemIDList());
  EXPECT_EQ(ItemIDListSize(desktop.get()), 2u);
  LPITEMIDLIST drives = nullptr;
  ASSERT_TRUE(SUCCEEDED(SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &drives)));
  const TOwnedList ownedDrives(drives);
  EXPECT_TRUE(SameItemIDList(desktop.get(), desktop.get()));
  EXPECT_FALSE(SameItemIDList(desktop.get(), drives));
  EXPECT_GE(ShellImageIndex(drives, false, false), 0);
}

}  // namespace
