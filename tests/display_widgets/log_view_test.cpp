#include <QApplication>
#include <QClipboard>
#include <QScrollBar>
#include <QTest>

#include "display/widgets/log_view.h"
#include "display_widgets/log_view_fixture.h"
#include "platform/qt/qt_text.h"

namespace zeph::test {
namespace {

int ContentHeight(TLogView& view, size_t count) {
  int y = TLogView::kContentTop;
  for (size_t line = view.Top().line; line < count; ++line) {
    const TLineLayout& layout = view.LayoutOf(line);
    for (int r = line == view.Top().line ? view.Top().row : 0; r < layout.RowCount(); ++r) y += layout.RowHeight(r);
  }
  return y;
}

TEST_F(LogViewTest, WrapsMixedTextAtCharacterBoundariesWithIndentedRows) {
  const std::string body = "abcこんにちは世界def全角ＡＢＣ漢字かなカナmixedテキスト1234567890ラーメン";
  Add(body + body + body);
  const TLineLayout& layout = view_->LayoutOf(0);
  ASSERT_GT(layout.RowCount(), 1);
  const int width = kWidth - TLogView::kContentLeft - TLogView::kContentRight - view_->verticalScrollBar()->width();
  int expected_start = 0;
  for (int r = 0; r < layout.RowCount(); ++r) {
    const TLayoutRow& row = layout.rows[static_cast<size_t>(r)];
    EXPECT_EQ(row.c0, expected_start) << "rows cover the text without gaps";
    expected_start = row.c1;
    // A row starts on a character: the byte before it ends a character.
    size_t byte = layout.screen.ByteAtChar(row.c0);
    EXPECT_EQ(layout.screen.CharAtByte(byte), row.c0);
    EXPECT_LE(UnitX(layout, row, row.c1), static_cast<float>(width - (r > 0 ? 7 : 0)) + 0.01f) << "row " << r;
    EXPECT_GE(row.height, 1);
  }
  EXPECT_EQ(expected_start, layout.screen.text.size());
}

TEST_F(LogViewTest, NarrowOrEmptyLinesStillTakeRows) {
  struct Case {
    int width;
    int indent;
    int leading;
  } cases[] = {{1, 7, 0}, {5, 100, -4}, {40, 39, 2}, {0, 7, 0}, {-10, 7, 0}};
  TLogLine line = builder_.Build([] {
    TLogLineSource source;
    source.body = Sjis("日本語とASCII");
    return source;
  }(), false);
  for (const Case& c : cases) {
    TLineLayout layout;
    LayoutLine(line, view_->Look().Style(), view_->Look().Fonts(), c.width, c.indent, c.leading, layout);
    ASSERT_GE(layout.RowCount(), 1) << c.width;
    EXPECT_EQ(layout.leading, std::max(0, c.leading));
    if (c.width > 0) EXPECT_EQ(layout.rows.back().c1, layout.screen.text.size()) << "all text shown at " << c.width;
    int sum = 0;
    for (const TLayoutRow& row : layout.rows) {
      EXPECT_GE(row.height, 1);
      sum += row.height + layout.leading;
    }
    EXPECT_EQ(layout.height, sum);
  }
  TLineLayout empty;
  LayoutLine(TLogLine{}, view_->Look().Style(), view_->Look().Fonts(), 100, 7, 0, empty);
  ASSERT_EQ(empty.RowCount(), 1);
  EXPECT_EQ(empty.rows[0].height, 10);
  EXPECT_EQ(ClampedIndent(500, 100), 99);
  EXPECT_EQ(ClampedIndent(-3, 100), 0);
}

TEST_F(LogViewTest, AtTheEndTheLastLineEndsBottomMarginAboveTheEdge) {
  AddNumbered(50);
  ASSERT_TRUE(view_->IsAtEnd());
  int client = view_->viewport()->height();
  int bottom = ContentHeight(*view_, store_.Count());
  EXPECT_LE(bottom, client - 10);
  EXPECT_GT(bottom, client - 10 - view_->LayoutOf(49).RowHeight(0));
  view_->SetBottomMargin(40);
  view_->ScrollToEnd();
  bottom = ContentHeight(*view_, store_.Count());
  EXPECT_LE(bottom, client - 40);
  EXPECT_GT(bottom, client - 40 - view_->LayoutOf(49).RowHeight(0));
}

TEST_F(LogViewTest, AddingLinesFollowsTheEndOnlyWhenAtTheEnd) {
  AddNumbered(50);
  view_->ScrollRows(-10);
  TRowPos top = view_->Top();
  ASSERT_FALSE(view_->IsAtEnd());
  AddNumbered(5);
  EXPECT_EQ(view_->Top(), top);
  EXPECT_FALSE(view_->IsAtEnd());

  view_->ScrollToEnd();
  top = view_->Top();
  AddNumbered(5);
  EXPECT_TRUE(view_->IsAtEnd());
  EXPECT_GT(view_->Top().line, top.line);
  EXPECT_EQ(view_->verticalScrollBar()->value(), static_cast<int>(view_->Top().line));
}

TEST_F(LogViewTest, DroppedLinesShiftPositionsAndSelection) {
  AddNumbered(40);
  view_->ScrollRows(-15);
  size_t top = view_->Top().line;
  view_->SetSelection({20, 1}, {22, 3});
  store_.SetMaxLines(35);
  EXPECT_EQ(view_->Top().line, top - 5);
  EXPECT_EQ(view_->SelectionStart(), (TLogPos{15, 1}));
  EXPECT_EQ(view_->SelectionEnd(), (TLogPos{17, 3}));
  view_->SetSelection({2, 1}, {3, 2});
  store_.RemoveOldest(10);
  EXPECT_FALSE(view_->HasSelection()) << "a selection inside dropped lines shrinks to the start";
  store_.Clear();
  EXPECT_EQ(view_->Top(), TRowPos{});
  EXPECT_TRUE(view_->IsAtEnd());
}

TEST_F(LogViewTest, PositionsPastTheEndMeanTheEnd) {
  EXPECT_EQ(view_->HitTest({10, 10}), (TLogPos{0, 0}));
  AddNumbered(2);
  EXPECT_EQ(view_->HitTest({10, kHeight - 5}), (TLogPos{2, 0}));
  view_->SetSelection({0, 2}, {7, 9});
  EXPECT_EQ(view_->SelectedText(), "ne 0\r\nline 1");
  view_->EnsureLineVisible(99);
  EXPECT_FALSE(view_->ShowLineBySerial(99));
  EXPECT_TRUE(view_->ShowLineBySerial(1));
}

TEST_F(LogViewTest, PagesAndRowsMoveTheTop) {
  AddNumbered(100);
  view_->ScrollToTop();
  EXPECT_EQ(view_->Top(), TRowPos{});
  TRowPos bottom = view_->Bottom();
  view_->PageDown();
  EXPECT_EQ(view_->Top(), bottom);
  view_->PageUp();
  EXPECT_EQ(view_->Top(), TRowPos{});
  view_->ScrollRows(3);
  EXPECT_EQ(view_->Top(), (TRowPos{3, 0}));
  view_->ScrollRows(-10);
  EXPECT_EQ(view_->Top(), TRowPos{});
  view_->ScrollRows(1000);
  EXPECT_EQ(view_->Top(), (TRowPos{99, 0}));
  QTest::keyClick(view_.get(), Qt::Key_Home);
  EXPECT_EQ(view_->Top(), TRowPos{});
  QTest::keyClick(view_.get(), Qt::Key_End);
  EXPECT_TRUE(view_->IsAtEnd());
}

TEST_F(LogViewTest, DoubleClickSelectsJapaneseWords) {
  Add("こんにちは世界");
  Add("ラーメン");
  struct Case {
    size_t line;
    std::string at;      // the character double-clicked
    std::string word;    // what it selects
  } cases[] = {
      {0, "に", "こんにちは"},
      {0, "世", "世界"},
      {1, "メ", "ラーメン"},
      {1, "ー", "ー"},
  };
  for (const Case& c : cases) {
    std::string text = store_.At(c.line).text;
    size_t byte = text.find(Sjis(c.at));
    ASSERT_NE(byte, std::string::npos);
    view_->ClearSelection();
    QTest::mouseDClick(view_->viewport(), Qt::LeftButton, {}, PointAt(c.line, byte));
    EXPECT_EQ(view_->SelectedText(), Sjis(c.word)) << c.at;
    QTest::qWait(QApplication::doubleClickInterval() + 20);
  }
}

TEST_F(LogViewTest, DragSelectsAndTripleClickSelectsTheLine) {
  Add("hello world");
  Add("second line");
  QTest::mousePress(view_->viewport(), Qt::LeftButton, {}, PointAt(0, 0));
  QTest::mouseMove(view_->viewport(), PointAt(1, 3));
  QTest::mouseRelease(view_->viewport(), Qt::LeftButton, {}, PointAt(1, 3));
  EXPECT_EQ(view_->SelectedText(), "hello world\r\nsec");

  QPoint point = PointAt(1, 8);
  QTest::mouseClick(view_->viewport(), Qt::LeftButton, {}, point);
  EXPECT_FALSE(view_->HasSelection());
  QTest::mouseDClick(view_->viewport(), Qt::LeftButton, {}, point);
  EXPECT_EQ(view_->SelectedText(), "line");
  QTest::mousePress(view_->viewport(), Qt::LeftButton, {}, point);
  QTest::mouseRelease(view_->viewport(), Qt::LeftButton, {}, point);
  EXPECT_EQ(view_->SelectedText(), "second line");
}

TEST_F(LogViewTest, CopiesOnlyASelection) {
  Add("日本語のテキスト");
  QClipboard* clipboard = QGuiApplication::clipboard();
  clipboard->setText(QStringLiteral("before"));
  QTest::keyClick(view_.get(), Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(clipboard->text(), QStringLiteral("before"));
  QTest::keyClick(view_.get(), Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(view_.get(), Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(clipboard->text(), QString::fromUtf8("日本語のテキスト"));
  EXPECT_FALSE(view_->HasSelection());

  view_->SetInstantCopy(true);
  QTest::mousePress(view_->viewport(), Qt::LeftButton, {}, PointAt(0, 0));
  QTest::mouseMove(view_->viewport(), PointAt(0, 4));
  QTest::mouseRelease(view_->viewport(), Qt::LeftButton, {}, PointAt(0, 4));
  EXPECT_EQ(clipboard->text(), QString::fromUtf8("日本"));
  EXPECT_FALSE(view_->HasSelection());
}

class RecordingListener : public TLogViewListener, public TLogNickListener, public TLogLinkListener {
 public:
  void OpenUrl(TLogView&, const std::string& url) override { events.push_back("open " + url); }
  void ShowGeneralMenu(TLogView&, QPoint) override { events.push_back("general"); }
  void ShowUrlMenu(TLogView& view, QPoint) override { events.push_back("url " + view.MenuText()); }
  void ShowAddressMenu(TLogView& view, QPoint) override { events.push_back("address " + view.MenuText()); }
  void ShowNickMenu(TLogView& view, QPoint) override { events.push_back("nick " + view.MenuText()); }
  void OpenLink(TLogView&, const TLinkKey& key) override { events.push_back("link " + std::to_string(key.unit)); }
  void Key(TLogView&, int key) override { events.push_back("key " + std::to_string(key)); }
  std::vector<std::string> events;
};

TEST_F(LogViewTest, MenusFollowWhatIsUnderThePointer) {
  constexpr int kJoin = 3;
  Add("taro has joined", kJoin, "", "taro");
  Add("hello see http://example.com/x now", 0, "<hanako> ", "hanako");
  RecordingListener listener;
  view_->SetViewListener(&listener);
  view_->SetNickListener(&listener);
  auto right_click = [&](size_t line, size_t byte) {
    QPoint point = PointAt(line, byte);
    QContextMenuEvent event(QContextMenuEvent::Mouse, point, view_->viewport()->mapToGlobal(point));
    QApplication::sendEvent(view_->viewport(), &event);
    std::string last = listener.events.empty() ? "" : listener.events.back();
    listener.events.clear();
    return last;
  };
  EXPECT_EQ(right_click(0, 10), "nick taro") << "anywhere on a join line";
  EXPECT_EQ(right_click(1, 2), "nick hanako") << "the nick piece of a message";
  std::string privmsg = store_.At(1).text;
  EXPECT_EQ(right_click(1, privmsg.find("see")), "general");
  EXPECT_EQ(right_click(1, privmsg.find("example")), "url http://example.com/x");
  view_->SetNickMenu(false);
  EXPECT_EQ(right_click(0, 10), "general");

  QTest::mouseDClick(view_->viewport(), Qt::LeftButton, {}, PointAt(1, privmsg.find("example")));
  ASSERT_FALSE(listener.events.empty());
  EXPECT_EQ(listener.events.back(), "open http://example.com/x");
}

TEST_F(LogViewTest, DoubleClickOnALinkedLineOpensItsLink) {
  TLogLineSource source;
  source.body = "copied line";
  source.link_key = TLinkKey::ForTarget(7, 0);
  store_.AddLine(source, false);
  RecordingListener listener;
  view_->SetLinkListener(&listener);
  QTest::mouseDClick(view_->viewport(), Qt::LeftButton, {}, PointAt(0, 2));
  ASSERT_EQ(listener.events.size(), 1u);
  EXPECT_EQ(listener.events[0], "link 7");
  EXPECT_FALSE(view_->HasSelection());
}

TEST_F(LogViewTest, FindsUpAndDownAndWraps) {
  Add("alpha beta");
  Add("gamma Beta");
  Add("delta");
  EXPECT_TRUE(view_->Find("beta", false, true, false));
  EXPECT_EQ(view_->SelectionStart(), (TLogPos{0, 6}));
  EXPECT_TRUE(view_->Find("beta", false, true, false));
  EXPECT_EQ(view_->SelectionStart(), (TLogPos{1, 6}));
  EXPECT_FALSE(view_->Find("beta", true, true, false)) << "case matters when asked";
  EXPECT_TRUE(view_->Find("beta", false, false, false));
  EXPECT_EQ(view_->SelectionStart(), (TLogPos{0, 6}));
  // Upward without wrap and nothing earlier: not found, selection kept.
  EXPECT_FALSE(view_->Find("beta", false, false, false));
  EXPECT_EQ(view_->SelectionStart(), (TLogPos{0, 6}));
  EXPECT_TRUE(view_->Find("beta", false, false, true));
  EXPECT_EQ(view_->SelectionStart(), (TLogPos{1, 6}));
  EXPECT_FALSE(view_->Find("", false, true, true));
}

TEST_F(LogViewTest, HighlightWordsMoveToMatchesAndRestoreThePosition) {
  AddNumbered(60);
  Add("needle here");
  AddNumbered(60);
  ASSERT_TRUE(view_->IsAtEnd());
  view_->SetHighlightWords({"NEEDLE"});
  EXPECT_EQ(view_->SelectionStart(), (TLogPos{60, 0}));
  EXPECT_FALSE(view_->IsAtEnd());
  EXPECT_TRUE(view_->FindHighlight(true, false)) << "wraps to the only match";
  view_->SetHighlightWords({});
  EXPECT_TRUE(view_->IsAtEnd());
}

TEST_F(LogViewTest, WheelAndKeysScrollRows) {
  AddNumbered(100);
  view_->ScrollToTop();
  QWheelEvent down(QPointF(10, 10), view_->mapToGlobal(QPoint(10, 10)), {}, QPoint(0, -120), Qt::NoButton,
                   Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(view_->viewport(), &down);
  EXPECT_EQ(view_->Top().line, static_cast<size_t>(QApplication::wheelScrollLines()));
  QTest::keyClick(view_.get(), Qt::Key_Up);
  EXPECT_EQ(view_->Top().line, static_cast<size_t>(QApplication::wheelScrollLines() - 1));
  RecordingListener listener;
  view_->SetViewListener(&listener);
  QTest::keyClick(view_.get(), Qt::Key_X);
  ASSERT_EQ(listener.events.size(), 1u);
  EXPECT_EQ(listener.events[0], "key " + std::to_string(Qt::Key_X));
}

}  // namespace
}  // namespace zeph::test

namespace zeph::test {
namespace {

TEST_F(LogViewTest, DraggingAboveTheViewScrollsUpAndMovesTheCaret) {
  AddNumbered(100);
  view_->ScrollRows(-20);
  TRowPos top = view_->Top();
  QPoint start = PointAt(top.line + 2, 2);
  QTest::mousePress(view_->viewport(), Qt::LeftButton, {}, start);
  QTest::mouseMove(view_->viewport(), QPoint(start.x(), -100));  // the fastest rate: a step at once
  EXPECT_LT(view_->Top().line, top.line);
  EXPECT_EQ(view_->SelectionStart().line, view_->Top().line);
  QTest::mouseRelease(view_->viewport(), Qt::LeftButton, {}, QPoint(start.x(), -100));
  EXPECT_TRUE(view_->HasSelection()) << "released outside: the selection is kept as scrolled";
  TRowPos after = view_->Top();
  QTest::qWait(50);
  EXPECT_EQ(view_->Top(), after) << "the release stopped the scrolling";
}

}  // namespace
}  // namespace zeph::test

namespace zeph::test {
namespace {

TEST_F(LogViewTest, ResizingRewrapsAndKeepsTheEndOrTheTop) {
  for (int i = 0; i < 40; ++i) Add("長い行は狭い窓では何行にも折り返されます。ASCII と日本語が混ざっています。" + std::to_string(i));
  int rows = view_->LayoutOf(39).RowCount();
  view_->resize(kWidth / 2, kHeight);
  EXPECT_GT(view_->LayoutOf(39).RowCount(), rows);
  EXPECT_TRUE(view_->IsAtEnd());
  EXPECT_EQ(view_->Bottom().line, store_.Count());

  view_->ScrollToTop();
  view_->ScrollRows(1);
  TRowPos top = view_->Top();
  ASSERT_GT(top.row, 0) << "the top is inside a wrapped line";
  view_->resize(kWidth * 3, kHeight);
  EXPECT_EQ(view_->Top(), (TRowPos{top.line + 1, 0})) << "a row the line no longer has moves to the next line";
  EXPECT_FALSE(view_->IsAtEnd());
}

TEST_F(LogViewTest, LinesAboveAreShownOneLineBelowTheTopAndLinesBelowAtTheBottom) {
  AddNumbered(200);
  view_->EnsureLineVisible(50);
  EXPECT_EQ(view_->Top(), (TRowPos{49, 0}));
  view_->EnsureLineVisible(120);
  EXPECT_EQ(view_->Bottom().line, 121u) << "the line is the last one fully shown";
  TRowPos top = view_->Top();
  view_->EnsureLineVisible(top.line + 1);
  EXPECT_EQ(view_->Top(), top) << "a visible line does not scroll";
}

TEST_F(LogViewTest, TheCursorShowsWhatAClickWouldDo) {
  Add("see http://example.com/ here", 0, "<hanako> ", "hanako");
  RecordingListener listener;
  auto cursor_at = [&](size_t byte) {
    QTest::mouseMove(view_->viewport(), QPoint(1, kHeight - 30));  // a move is only sent for a new place
    QTest::mouseMove(view_->viewport(), PointAt(0, byte));
    return view_->viewport()->cursor().shape();
  };
  std::string text = store_.At(0).text;
  EXPECT_EQ(cursor_at(text.find("example")), Qt::IBeamCursor) << "no listener, no link";
  view_->SetViewListener(&listener);
  view_->SetNickListener(&listener);
  EXPECT_EQ(cursor_at(text.find("example")), Qt::PointingHandCursor);
  EXPECT_EQ(cursor_at(2), Qt::ArrowCursor) << "the nick piece";
  EXPECT_EQ(cursor_at(text.find("here")), Qt::IBeamCursor);
}

}  // namespace
}  // namespace zeph::test
