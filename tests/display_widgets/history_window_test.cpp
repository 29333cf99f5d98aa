// A history window leads from a double-clicked line to where it was printed.
#include <gtest/gtest.h>

#include <QPushButton>
#include <QTest>

#include "display/line_builder.h"
#include "display/line_history.h"
#include "display/url_detector.h"
#include "display/widgets/history_window.h"
#include "platform/sjis.h"

namespace zeph {
namespace {

TEST(HistoryWindowTest, DoubleClickOnALineOpensItsOrigin) {
  TLineBuilder builder(TUrlDetector::Shared(), nullptr);
  TLineHistory history(builder);
  TLogLineSource source;
  source.body = "see http://example.com/";
  source.link_key = TLinkKey::ForLine(7, 8, 42);
  history.Add(source);

  THistoryWindow window(history, QStringLiteral("URL履歴"));
  window.resize(400, 200);
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  std::optional<TLinkKey> opened;
  window.open_line = [&](const TLinkKey& key) { opened = key; };
  QTest::mouseDClick(window.View().viewport(), Qt::LeftButton, {}, QPoint(8, 6));
  ASSERT_TRUE(opened);
  EXPECT_EQ(opened->unit, 7u);
  EXPECT_EQ(opened->channel, 8u);
  EXPECT_GE(window.minimumWidth(), 300);
}

}  // namespace
}  // namespace zeph
