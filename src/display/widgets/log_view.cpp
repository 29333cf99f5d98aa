#include "display/widgets/log_view.h"

#include <QClipboard>
#include <QResizeEvent>
#include <QGuiApplication>
#include <QScrollBar>
#include <algorithm>

#include "platform/qt/qt_text.h"
#include "settings/preferences.h"
#include "platform/sjis.h"

namespace zeph {
namespace {

// Layouts are kept for the lines shown and their neighbours; a page holds
// far fewer lines than this.
constexpr size_t kMaxCachedLayouts = 512;
// 20 frames a second while lines pour in: smooth enough to read a flood,
// and a small share of a core.
constexpr int kMinFrameMs = 50;

TLogPos ShiftedDown(TLogPos pos, size_t count) {
  if (pos.line < count) return {0, 0};
  return {pos.line - count, pos.offset};
}

TRowPos ShiftedDown(TRowPos pos, size_t count) {
  if (pos.line < count) return {0, 0};
  return {pos.line - count, pos.row};
}

}  // namespace

TLogView::TLogView(TLineStore& store, bool console, QWidget* parent)
    : QAbstractScrollArea(parent), store_(store), reader_(store), console_(console), look_(DefaultScreenLook()) {
  setObjectName(QStringLiteral("Zephlora2LogView"));
  setFocusPolicy(Qt::StrongFocus);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  viewport()->setMouseTracking(true);
  viewport()->setCursor(Qt::IBeamCursor);
  viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
  connect(verticalScrollBar(), &QScrollBar::actionTriggered, this, [this](int action) { OnScrollAction(action); });
  connect(&auto_timer_, &QTimer::timeout, this, [this] { AutoScrollStep(); });
  repaint_timer_.setSingleShot(true);
  connect(&repaint_timer_, &QTimer::timeout, viewport(), qOverload<>(&QWidget::update));
  clock_.start();
  store_.SetObserver(this);
  SetLook(look_);
  ScrollToEnd();
}

TLogView::~TLogView() { store_.SetObserver(nullptr); }

void TLogView::SetLook(std::shared_ptr<const TScreenLook> look) {
  look_ = std::move(look);
  const QImage& picture = look_->Background(console_).picture;
  picture_ = picture.isNull() ? QPixmap() : QPixmap::fromImage(picture);
  scaled_picture_ = QPixmap();
  Relayout();
}

void TLogView::SetIndent(int pixels) {
  if (indent_ == pixels) return;
  indent_ = pixels;
  Relayout();
}

void TLogView::SetLeading(int pixels) {
  if (leading_ == pixels) return;
  leading_ = pixels;
  Relayout();
}

void TLogView::SetBottomMargin(int pixels) { bottom_margin_ = std::max(0, pixels); }

void TLogView::Relayout() {
  Settle();
  bool at_end = IsAtEnd();
  if (layout_width_ != WrapWidth() || !layouts_.empty()) {
    layouts_.clear();
    layout_order_.clear();
  }
  layout_width_ = WrapWidth();
  if (store_.Count() > 0 && top_.line < store_.Count() && top_.row > LastRow(top_.line)) top_ = {top_.line + 1, 0};
  if (at_end) {
    ScrollToEnd();
  } else {
    ComputeBottom(0);
    PositionChanged();
  }
}

void TLogView::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  // Relayout keeps the end in sight when the view was there, else the top.
  Relayout();
}

// ---- Lines and layouts ----

const TLogLine& TLogView::Line(size_t index) { return reader_.Read(index); }

int TLogView::WrapWidth() const { return viewport()->width() - kContentLeft - kContentRight; }

int TLogView::ClientHeight() const { return viewport()->height(); }

const TLineLayout& TLogView::LayoutOf(size_t line) {
  if (layout_width_ != WrapWidth()) {
    layouts_.clear();
    layout_order_.clear();
    layout_width_ = WrapWidth();
  }
  std::uint64_t serial = SerialOf(line);
  auto found = layouts_.find(serial);
  if (found != layouts_.end()) return found->second;
  while (layouts_.size() >= kMaxCachedLayouts) {
    layouts_.erase(layout_order_.front());
    layout_order_.pop_front();
  }
  TLineLayout& layout = layouts_[serial];
  layout_order_.push_back(serial);
  LayoutLine(Line(line), look_->Style(), look_->Fonts(), layout_width_, indent_, leading_, layout);
  return layout;
}

// ---- Following the store ----

void TLogView::BeforeLineAdded() { was_at_end_ = IsAtEnd(); }

void TLogView::AfterLineAdded() {
  if (was_at_end_) {
    bottom_ = {store_.Count(), 0};
    pending_ = TPending::End;
  } else if (pending_ == TPending::None) {
    pending_ = TPending::Bottom;
  }
  ScheduleRepaint();
}

void TLogView::ScheduleRepaint() {
  if (repaint_timer_.isActive()) return;
  std::int64_t since = clock_.elapsed() - last_paint_;
  if (since >= kMinFrameMs)
    viewport()->update();
  else
    repaint_timer_.start(static_cast<int>(kMinFrameMs - since));
}

void TLogView::Settle() {
  TPending pending = pending_;
  pending_ = TPending::None;
  if (pending == TPending::End) {
    KeepEndInSight();
  } else if (pending == TPending::Bottom) {
    ComputeBottom(0);
    PositionChanged();
  }
}

void TLogView::LinesDropped(size_t count) {
  top_ = ShiftedDown(top_, count);
  bottom_ = ShiftedDown(bottom_, count);
  saved_top_ = ShiftedDown(saved_top_, count);
  anchor_ = ShiftedDown(anchor_, count);
  caret_ = ShiftedDown(caret_, count);
  last_click_ = ShiftedDown(last_click_, count);
  Normalise();
  if (store_.Count() == 0) top_ = bottom_ = {};
  if (pending_ == TPending::None) pending_ = TPending::Bottom;
  ScheduleRepaint();
}

// ---- Scrolling ----

void TLogView::ComputeBottom(int margin) {
  int limit = ClientHeight() - margin;
  int y = kContentTop;
  size_t count = store_.Count();
  for (size_t line = top_.line; line < count; ++line) {
    const TLineLayout& layout = LayoutOf(line);
    for (int row = line == top_.line ? top_.row : 0; row < layout.RowCount(); ++row) {
      y += layout.RowHeight(row);
      if (y > limit) {
        bottom_ = {line, row};
        return;
      }
    }
  }
  bottom_ = {count, 0};
}

TRowPos TLogView::TopAbove(TRowPos bottom, int margin) {
  int room = ClientHeight() - kContentTop - margin;
  TRowPos top = bottom;
  int used = 0;
  while (top.line > 0 || top.row > 0) {
    TRowPos above = top;
    if (above.row > 0) {
      --above.row;
    } else {
      --above.line;
      above.row = LastRow(above.line);
    }
    used += LayoutOf(above.line).RowHeight(above.row);
    // A single row taller than the view is still shown.
    if (used > room && top != bottom) break;
    top = above;
    if (used > room) break;
  }
  return top;
}

void TLogView::KeepEndInSight() {
  ComputeBottom(bottom_margin_);
  if (IsAtEnd()) {
    PositionChanged();
  } else {
    ScrollToEnd();
  }
}

void TLogView::ScrollToEnd() {
  pending_ = TPending::None;
  size_t count = store_.Count();
  top_ = count == 0 ? TRowPos{} : TopAbove({count, 0}, bottom_margin_);
  bottom_ = {count, 0};
  PositionChanged();
}

void TLogView::ScrollToTop() {
  pending_ = TPending::None;
  top_ = {};
  ComputeBottom(0);
  PositionChanged();
}

void TLogView::ScrollRows(int rows) {
  Settle();
  size_t count = store_.Count();
  if (count == 0 || rows == 0) return;
  for (; rows < 0 && (top_.line > 0 || top_.row > 0); ++rows) {
    if (top_.row > 0) {
      --top_.row;
    } else {
      --top_.line;
      top_.row = LastRow(top_.line);
    }
  }
  if (top_.line >= count) top_ = {count - 1, LastRow(count - 1)};
  for (; rows > 0; --rows) {
    if (top_.row < LastRow(top_.line)) {
      ++top_.row;
    } else if (top_.line + 1 < count) {
      top_ = {top_.line + 1, 0};
    } else {
      break;
    }
  }
  ComputeBottom(0);
  PositionChanged();
}

void TLogView::PageDown() {
  Settle();
  if (IsAtEnd()) return;
  top_ = bottom_;
  ComputeBottom(0);
  PositionChanged();
}

void TLogView::PageUp() {
  Settle();
  top_ = TopAbove(top_.line < store_.Count() ? top_ : TRowPos{store_.Count(), 0}, 0);
  ComputeBottom(0);
  PositionChanged();
}

void TLogView::EnsureLineVisible(size_t line) {
  Settle();
  size_t count = store_.Count();
  if (line >= count) return;
  if (line < top_.line || (line == top_.line && top_.row > 0)) {
    // Shown one line below the top edge, so what led up to it is in sight.
    top_ = {line > 0 ? line - 1 : 0, 0};
    ComputeBottom(0);
    if (line >= bottom_.line) top_ = {line, 0};
  } else if (line >= bottom_.line) {
    top_ = TopAbove({line + 1, 0}, 0);
  } else {
    return;
  }
  ComputeBottom(0);
  PositionChanged();
}

void TLogView::EnsureSelectionVisible() { EnsureLineVisible(sel_start_.line); }

bool TLogView::ShowLineBySerial(std::uint64_t serial) {
  auto index = store_.FindBySerial(serial);
  if (!index) return false;
  EnsureLineVisible(*index);
  return true;
}

void TLogView::PositionChanged() {
  SyncScrollBar();
  viewport()->update();
}

void TLogView::SyncScrollBar() {
  QScrollBar* bar = verticalScrollBar();
  syncing_scroll_bar_ = true;
  int count = static_cast<int>(std::min<size_t>(store_.Count(), INT32_MAX));
  bar->setRange(0, std::max(0, count - 1));
  bar->setPageStep(std::max<int>(1, static_cast<int>(std::min<size_t>(bottom_.line - top_.line, INT32_MAX))));
  bar->setValue(static_cast<int>(std::min<size_t>(top_.line, INT32_MAX)));
  syncing_scroll_bar_ = false;
}

void TLogView::OnScrollAction(int action) {
  Settle();
  QScrollBar* bar = verticalScrollBar();
  switch (action) {
    case QAbstractSlider::SliderSingleStepAdd: ScrollRows(1); break;
    case QAbstractSlider::SliderSingleStepSub: ScrollRows(-1); break;
    case QAbstractSlider::SliderPageStepAdd: PageDown(); break;
    case QAbstractSlider::SliderPageStepSub: PageUp(); break;
    case QAbstractSlider::SliderToMinimum: ScrollToTop(); break;
    case QAbstractSlider::SliderToMaximum: ScrollToEnd(); break;
    case QAbstractSlider::SliderMove: {
      size_t line = static_cast<size_t>(std::max(0, bar->sliderPosition()));
      if (line >= store_.Count()) break;
      top_ = {line, 0};
      ComputeBottom(0);
      PositionChanged();
      break;
    }
    default: break;
  }
  bar->setSliderPosition(static_cast<int>(std::min<size_t>(top_.line, INT32_MAX)));
}

// ---- Selection ----

void TLogView::Normalise() {
  sel_start_ = std::min(anchor_, caret_);
  sel_end_ = std::max(anchor_, caret_);
}

void TLogView::SetSelection(TLogPos anchor, TLogPos caret) {
  anchor_ = anchor;
  caret_ = caret;
  Normalise();
  viewport()->update();
}

void TLogView::MoveCaret(TLogPos caret) {
  if (caret == caret_) return;
  caret_ = caret;
  Normalise();
  viewport()->update();
}

void TLogView::SelectAll() { SetSelection({store_.Count(), 0}, {0, 0}); }

void TLogView::ClearSelection() { SetSelection(caret_, caret_); }

std::string TLogView::SelectedText() {
  std::string text;
  if (!HasSelection()) return text;
  size_t last = std::min(sel_end_.line, store_.Count());
  for (size_t line = sel_start_.line; line <= last && line < store_.Count(); ++line) {
    const std::string& whole = Line(line).text;
    size_t from = line == sel_start_.line ? std::min(sel_start_.offset, whole.size()) : 0;
    size_t to = line == sel_end_.line ? std::min(sel_end_.offset, whole.size()) : whole.size();
    if (line != sel_start_.line) text += "\r\n";
    text.append(whole, from, to > from ? to - from : 0);
  }
  return text;
}

void TLogView::CopySelection() {
  if (!HasSelection()) return;
  QGuiApplication::clipboard()->setText(ToQString(SelectedText()));
  ClearSelection();
}

// ---- Finding ----

std::optional<TLogPos> TLogView::SearchStart(bool downward) const {
  if (!HasSelection()) return std::nullopt;
  return downward ? sel_end_ : sel_start_;
}

bool TLogView::SelectMatch(const std::optional<TLogMatch>& match) {
  if (!match) return false;
  SetSelection({match->line, match->range.start}, {match->line, match->range.end});
  EnsureSelectionVisible();
  return true;
}

bool TLogView::Find(const std::string& text, bool match_case, bool downward, bool wrap) {
  TLineTextSource lines = [this](size_t line) -> std::string_view { return Line(line).text; };
  return SelectMatch(FindInLog(store_.Count(), lines, text, match_case, downward, wrap, SearchStart(downward)));
}

void TLogView::SetHighlightWords(const std::vector<std::string>& words) {
  if (words.empty()) {
    if (!highlighting_) return;
    highlighting_ = false;
    highlight_words_.clear();
    if (saved_at_end_) {
      ScrollToEnd();
    } else {
      top_ = saved_top_.line < store_.Count() ? saved_top_ : TRowPos{};
      ComputeBottom(0);
      PositionChanged();
    }
    return;
  }
  if (!highlighting_) {
    Settle();
    highlighting_ = true;
    saved_top_ = top_;
    saved_at_end_ = IsAtEnd();
  }
  ClearSelection();
  highlight_words_.clear();
  for (const std::string& word : words)
    if (!word.empty()) highlight_words_.push_back(AsciiLowerText(word));
  FindHighlight(true, true);
  viewport()->update();
}

bool TLogView::FindHighlight(bool downward, bool from_start) {
  if (highlight_words_.empty()) return false;
  TLineTextSource lines = [this](size_t line) -> std::string_view { return Line(line).text; };
  std::optional<TLogPos> from = from_start ? std::optional<TLogPos>(TLogPos{}) : SearchStart(downward);
  return SelectMatch(FindHighlightInLog(store_.Count(), lines, highlight_words_, downward, from));
}

// ---- Hit test ----

TLogPos TLogView::HitTest(QPoint point) {
  Settle();
  size_t count = store_.Count();
  if (count == 0) return {0, 0};
  int x = std::clamp(point.x(), kContentLeft, std::max(kContentLeft, viewport()->width() - 1));
  int y = std::clamp(point.y(), 0, ClientHeight());
  int row_top = kContentTop;
  for (size_t line = top_.line; line < count; ++line) {
    const TLineLayout& layout = LayoutOf(line);
    for (int r = line == top_.line ? top_.row : 0; r < layout.RowCount(); ++r) {
      const TLayoutRow& row = layout.rows[static_cast<size_t>(r)];
      int above = layout.leading / 2;
      int row_bottom = row_top + row.height + layout.leading;
      if (y < row_bottom) {
        int unit;
        if (y < row_top + above) {
          unit = row.c0;
        } else if (y >= row_top + above + row.height) {
          unit = row.c1;
        } else {
          int indent = r > 0 ? ClampedIndent(indent_, layout_width_) : 0;
          unit = UnitAtX(layout, row, static_cast<float>(x - kContentLeft - indent));
        }
        return {line, layout.screen.ByteAtChar(unit)};
      }
      row_top = row_bottom;
    }
  }
  return {count, 0};
}

void ApplyLogPreferences(TLogView& view, const TPreferences& preferences) {
  view.SetIndent(preferences.Indent);
  view.SetLeading(preferences.LineLeading);
  view.SetBottomMargin(preferences.BottomMargin);
  view.SetInstantCopy(preferences.LogInstantCopy);
  view.SetNickMenu(preferences.EnableNickContextMenu);
}

}  // namespace zeph
