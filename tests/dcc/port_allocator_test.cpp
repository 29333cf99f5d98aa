#include "dcc/port_allocator.h"

#include <gtest/gtest.h>

#include "settings/preferences.h"

namespace zeph {
namespace {

TEST(DccPorts, AnOfferWalksTheRangeOnceThenGivesUp) {
  TPortAllocator allocator;
  TPortSearch search(allocator, {1096, 1097});
  EXPECT_EQ(search.Next(), 1096);
  EXPECT_EQ(search.Next(), 1097);  // 1096 was busy
  EXPECT_EQ(search.Next(), std::nullopt);  // back at 1096: "空きポートがありません"

  // The next offer goes on from where the cursor stands.
  TPortSearch again(allocator, {1096, 1097});
  EXPECT_EQ(again.Next(), 1097);
}

TEST(DccPorts, OneCursorServesEveryOfferOfARange) {
  TPreferences prefs;
  TPortAllocator files;
  TPortAllocator chats;
  EXPECT_EQ(files.Next(FileOfferPorts(prefs)), 1096);
  EXPECT_EQ(files.Next(FileOfferPorts(prefs)), 1097);
  EXPECT_EQ(chats.Next(ChatOfferPorts(prefs)), 1196);
  for (int port = 1098; port <= 1115; ++port) ASSERT_EQ(files.Next(FileOfferPorts(prefs)), port);
  EXPECT_EQ(files.Next(FileOfferPorts(prefs)), 1096);
}

TEST(DccPorts, RangesOutsideTheValidPortsAreHeldToThem) {
  struct Case {
    TPortRange range;
    std::optional<int> first;
    std::optional<int> second;
  } cases[] = {
      {{1100, 1099}, std::nullopt, std::nullopt},
      {{0, 1}, 1, 1},
      {{-5, 0}, std::nullopt, std::nullopt},
      {{65535, 70000}, 65535, 65535},
      {{65536, 70000}, std::nullopt, std::nullopt},
  };
  for (const Case& c : cases) {
    TPortAllocator allocator;
    EXPECT_EQ(allocator.Next(c.range), c.first) << c.range.start << ".." << c.range.end;
    EXPECT_EQ(allocator.Next(c.range), c.second) << c.range.start << ".." << c.range.end;
  }
  TPortAllocator allocator;
  EXPECT_EQ(TPortSearch(allocator, {1100, 1099}).Next(), std::nullopt);
}

}  // namespace
}  // namespace zeph
