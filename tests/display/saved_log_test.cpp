#include "display/saved_log.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "display/auto_scroll.h"
#include "display/line_builder.h"
#include "display/line_store.h"
#include "display/url_detector.h"
#include "platform/sjis.h"
#include "support/temp_dir.h"

namespace zeph {
namespace {

TEST(SavedLogTest, FileNamesReplaceForbiddenCharactersOnly) {
  EXPECT_EQ(SavedLogFileName("#a:b<c>d\\e/f*g?h|i\"j", 2026, 3, 9), "#a_b_c_d_e_f_g_h_i_j-20260309.txt");
  // "表" ends in 0x5C, which is a backslash only when it stands alone.
  EXPECT_EQ(SavedLogFileName(Sjis("#表示"), 2026, 12, 31), Sjis("#表示") + "-20261231.txt");
}

TEST(SavedLogTest, WritesShiftJisLinesEndedByCrLfOverTheFile) {
  TLineBuilder builder(TUrlDetector::Shared(), nullptr);
  TLineStore store(builder);
  for (const char* body : {"日本語", "\x02" "bold" "\x02 text", ""}) {
    TLogLineSource source;
    source.body = Sjis(body);
    store.AddLine(source, false);
  }
  test::TTempDir dir;
  std::filesystem::path path = dir.Path() / "log.txt";
  std::ofstream(path) << "an older and much longer file content";
  ASSERT_TRUE(WriteSavedLog(path, store));
  std::ifstream in(path, std::ios::binary);
  std::stringstream bytes;
  bytes << in.rdbuf();
  EXPECT_EQ(bytes.str(), Sjis("日本語") + "\r\nbold text\r\n\r\n");
  EXPECT_FALSE(WriteSavedLog(dir.Path() / "missing" / "log.txt", store));
}

TEST(AutoScrollTest, FartherFromTheEdgeIsFaster) {
  struct Case {
    int y;
    int speed;
    int interval;
  } cases[] = {{-1, -10, 200}, {-10, -50, 160}, {-40, -200, 10}, {-500, -200, 10},
               {101, 10, 200},  {120, 100, 110}, {400, 200, 10},  {50, 0, 0}};
  for (const Case& c : cases) {
    TAutoScroll scroll = AutoScrollFor(c.y, 100);
    EXPECT_EQ(scroll.speed, c.speed) << c.y;
    EXPECT_EQ(scroll.interval_ms, c.interval) << c.y;
  }
  EXPECT_EQ(AutoScrollRows(35, 10), 3);
  EXPECT_EQ(AutoScrollRows(500, 10), 6);
  EXPECT_EQ(AutoScrollRows(2, 10), 1);
  EXPECT_EQ(AutoScrollRows(500, 20), 1);
}

}  // namespace
}  // namespace zeph
