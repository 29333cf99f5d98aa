#pragma once

#include <QAbstractScrollArea>
#include <QElapsedTimer>
#include <QPixmap>
#include <QTimer>
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "display/line_store.h"
#include "display/log_search.h"
#include "display/widgets/line_layout.h"
#include "display/widgets/screen_look.h"

// The window that shows one log: a unit log, a channel, talk or DCC chat,
// the console, or the preview of the settings dialog. It draws straight from
// the line store (no widget or string kept per line), converts and lays out
// only the lines it shows, and keeps those layouts for its width. It
// follows the store through its change notices and never polls it.
namespace zeph {

class TLogView;
struct TPreferences;

// What the view reports to its owner. Menus are the owner's: the view says
// where and what (MenuText), the owner shows them.
class TLogViewListener {
 public:
  virtual ~TLogViewListener() = default;
  virtual void OpenUrl(TLogView& view, const std::string& url) {}
  virtual void ShowGeneralMenu(TLogView& view, QPoint screen) {}
  virtual void ShowUrlMenu(TLogView& view, QPoint screen) {}
  virtual void ShowAddressMenu(TLogView& view, QPoint screen) {}
  // A key the view does not handle itself (Qt key code with modifiers).
  virtual void Key(TLogView& view, int key) {}
  // An Alt combination; true when the listener handled it.
  virtual bool SystemKey(TLogView& view, int key) { return false; }
};

class TLogNickListener {
 public:
  virtual ~TLogNickListener() = default;
  virtual void ShowNickMenu(TLogView& view, QPoint screen) = 0;
};

class TLogLinkListener {
 public:
  virtual ~TLogLinkListener() = default;
  virtual void OpenLink(TLogView& view, const TLinkKey& key) = 0;
};

// A visible place: a line index and the index of a row of its layout. A
// line index equal to the line count stands for the end of the log.
struct TRowPos {
  size_t line = 0;
  int row = 0;

  auto operator<=>(const TRowPos&) const = default;
};

class TLogView : public QAbstractScrollArea, private TLineStoreObserver {
  Q_OBJECT
 public:
  static constexpr int kContentLeft = 3;
  static constexpr int kContentTop = 2;
  static constexpr int kContentRight = 1;

  // The view observes the store until it is destroyed; `console` picks the
  // console's background.
  explicit TLogView(TLineStore& store, bool console = false, QWidget* parent = nullptr);
  ~TLogView() override;

  TLineStore& Store() { return store_; }

  // Look and preferences.
  void SetLook(std::shared_ptr<const TScreenLook> look);
  const TScreenLook& Look() const { return *look_; }
  void SetIndent(int pixels);
  void SetLeading(int pixels);
  void SetBottomMargin(int pixels);
  void SetInstantCopy(bool on) { instant_copy_ = on; }
  void SetNickMenu(bool on) { nick_menu_ = on; }
  // Every layout is made again (fonts or widths changed).
  void Relayout();

  void SetViewListener(TLogViewListener* listener) { view_listener_ = listener; }
  void SetNickListener(TLogNickListener* listener) { nick_listener_ = listener; }
  void SetLinkListener(TLogLinkListener* listener) { link_listener_ = listener; }
  // The URL, address or nick under the pointer when a menu was asked for.
  const std::string& MenuText() const { return menu_text_; }

  // Scrolling.
  TRowPos Top() {
    Settle();
    return top_;
  }
  TRowPos Bottom() {
    Settle();
    return bottom_;
  }
  bool IsAtEnd() const { return bottom_.line >= store_.Count(); }
  void ScrollRows(int rows);  // down for positive, up for negative
  void PageUp();
  void PageDown();
  void ScrollToTop();
  void ScrollToEnd();
  void EnsureLineVisible(size_t line);
  void EnsureSelectionVisible();
  // Shows the line with this serial; false when it is no longer stored.
  bool ShowLineBySerial(std::uint64_t serial);

  // Selection: anchor and caret as (line, byte offset).
  void SelectAll();
  void ClearSelection();
  void SetSelection(TLogPos anchor, TLogPos caret);
  bool HasSelection() const { return sel_start_ != sel_end_; }
  TLogPos SelectionStart() const { return sel_start_; }
  TLogPos SelectionEnd() const { return sel_end_; }
  std::string SelectedText();
  // Copies the selection to the clipboard and clears it; nothing without one.
  void CopySelection();

  // The find dialog's search; selects what it finds and shows it.
  bool Find(const std::string& text, bool match_case, bool downward, bool wrap);
  // The shared search highlight: an empty list ends it and goes back to
  // where the view was when it started.
  void SetHighlightWords(const std::vector<std::string>& words);
  bool FindHighlight(bool downward, bool from_start);

  // The (line, offset) under a point of the viewport; the line count with
  // offset 0 below the last line.
  TLogPos HitTest(QPoint point);

  // The layout of a line at the current width (made when stale).
  const TLineLayout& LayoutOf(size_t line);
  // The number of layouts kept; they are made for the lines shown.
  size_t CachedLayouts() const { return layouts_.size(); }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void scrollContentsBy(int dx, int dy) override {}

 private:
  // TLineStoreObserver
  void BeforeLineAdded() override;
  void AfterLineAdded() override;
  void LinesDropped(size_t count) override;

  const TLogLine& Line(size_t index);
  std::uint64_t SerialOf(size_t index) const { return store_.NextSerial() - store_.Count() + index; }
  int WrapWidth() const;
  int ClientHeight() const;
  int LastRow(size_t line) { return LayoutOf(line).RowCount() - 1; }

  // The bottom: the first row from the top that does not fit fully in the
  // client area less `margin` pixels, or the end of the log.
  void ComputeBottom(int margin);
  // The top from which rows up to (not including) `bottom` fill the client
  // area less `margin`.
  TRowPos TopAbove(TRowPos bottom, int margin);
  // While at the end, a change keeps the end in sight.
  void KeepEndInSight();
  void PositionChanged();
  // New or dropped lines repaint at most every kMinFrameMs, so that a flood
  // of lines costs a few frames a second rather than one frame per line.
  void ScheduleRepaint();
  // Lines arriving in a burst only note what they changed; the position
  // is worked out once, before the next paint or query.
  void Settle();
  void SyncScrollBar();
  void OnScrollAction(int action);

  void Normalise();
  void MoveCaret(TLogPos caret);
  bool SelectMatch(const std::optional<TLogMatch>& match);
  std::optional<TLogPos> SearchStart(bool downward) const;

  // Mouse helpers.
  TLogElement ElementAt(TLogPos pos);
  bool NickQualifies(TLogPos pos);
  void UpdateCursor(QPoint point);
  void StartAutoScroll(int speed, int interval);
  void StopAutoScroll();
  void AutoScrollStep();
  void ShowMenuAt(QPoint point);

  // Painting.
  void PaintBackground(QPainter& painter);
  void PaintRow(QPainter& painter, const TLineLayout& layout, int row, int top, size_t line,
                const std::vector<TTextRange>& highlights);

  TLineStore& store_;
  TLineReader reader_;
  bool console_;
  std::shared_ptr<const TScreenLook> look_;
  std::unordered_map<std::uint64_t, TLineLayout> layouts_;  // by serial, for layout_width_
  std::deque<std::uint64_t> layout_order_;                    // oldest first, for eviction
  int layout_width_ = -1;

  int indent_ = 7;
  int leading_ = 0;
  int bottom_margin_ = 10;
  bool instant_copy_ = false;
  bool nick_menu_ = true;

  TRowPos top_;
  TRowPos bottom_;
  bool was_at_end_ = true;
  enum class TPending { None, Bottom, End } pending_ = TPending::None;
  bool syncing_scroll_bar_ = false;

  TLogPos anchor_;
  TLogPos caret_;
  TLogPos sel_start_;
  TLogPos sel_end_;
  TLogPos last_click_;
  QElapsedTimer clock_;
  std::int64_t double_click_time_ = -1'000'000;
  std::int64_t triple_click_time_ = -1'000'000;
  bool dragging_ = false;
  int auto_speed_ = 0;
  int auto_interval_ = 0;
  std::int64_t auto_last_step_ = 0;
  QTimer auto_timer_;
  QTimer repaint_timer_;
  std::int64_t last_paint_ = -1'000'000;
  int wheel_delta_ = 0;

  std::vector<std::string> highlight_words_;  // lower-cased
  bool highlighting_ = false;
  TRowPos saved_top_;
  bool saved_at_end_ = false;

  std::string menu_text_;
  TLogViewListener* view_listener_ = nullptr;
  TLogNickListener* nick_listener_ = nullptr;
  TLogLinkListener* link_listener_ = nullptr;

  // The background picture as drawn: scaled once per client size.
  QPixmap picture_;
  QPixmap scaled_picture_;
  QSize scaled_size_;
};

// The preferences a view takes from its owner (Indent, LineLeading,
// BottomMargin, LogInstantCopy, EnableNickContextMenu), when it is made and
// whenever they change. The line limits belong to the stores' owners.
void ApplyLogPreferences(TLogView& view, const TPreferences& preferences);

}  // namespace zeph
