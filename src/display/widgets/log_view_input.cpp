// The log view's mouse and keyboard.
#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyleHints>
#include <QWheelEvent>

#include "display/auto_scroll.h"
#include "display/widgets/log_view.h"
#include "display/word_select.h"

namespace zeph {
namespace {

int DoubleClickMs() { return QApplication::doubleClickInterval(); }

}  // namespace

TLogElement TLogView::ElementAt(TLogPos pos) {
  if (pos.line >= store_.Count()) return TLogElement::Text;
  return Line(pos.line).ElementAt(pos.offset);
}

// A nick menu goes with the nick piece of a message line, and with a line
// of any other kind wherever it is hit: a join or a quit is about its nick.
bool TLogView::NickQualifies(TLogPos pos) {
  if (!nick_listener_ || !nick_menu_ || pos.line >= store_.Count()) return false;
  const TLogLine& line = Line(pos.line);
  if (line.nick.empty()) return false;
  return line.ElementAt(pos.offset) == TLogElement::Nick || !IsMessageCategory(line.category);
}

void TLogView::UpdateCursor(QPoint point) {
  TLogPos pos = HitTest(point);
  TLogElement element = ElementAt(pos);
  Qt::CursorShape shape = Qt::IBeamCursor;
  if (pos.line < store_.Count()) {
    if (element == TLogElement::Url && view_listener_)
      shape = Qt::PointingHandCursor;
    else if (element == TLogElement::Address || NickQualifies(pos))
      shape = Qt::ArrowCursor;
  }
  if (viewport()->cursor().shape() != shape) viewport()->setCursor(shape);
}

void TLogView::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    if (event->button() == Qt::RightButton) setFocus(Qt::MouseFocusReason);
    return;
  }
  setFocus(Qt::MouseFocusReason);
  std::int64_t now = clock_.elapsed();
  TLogPos hit = HitTest(event->position().toPoint());
  if (now - double_click_time_ <= DoubleClickMs() && hit == last_click_ && hit.line < store_.Count()) {
    triple_click_time_ = now;
    SetSelection({hit.line, 0}, {hit.line, Line(hit.line).text.size()});
    return;
  }
  dragging_ = true;
  anchor_ = caret_ = hit;
  Normalise();
  viewport()->update();
}

void TLogView::mouseMoveEvent(QMouseEvent* event) {
  QPoint point = event->position().toPoint();
  if (!dragging_) {
    UpdateCursor(point);
    return;
  }
  TAutoScroll scroll = AutoScrollFor(point.y(), ClientHeight());
  if (scroll.speed == 0) {
    StopAutoScroll();
    MoveCaret(HitTest(point));
    return;
  }
  if (scroll.speed != auto_speed_) StartAutoScroll(scroll.speed, scroll.interval_ms);
}

void TLogView::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  bool was_scrolling = auto_speed_ != 0;
  StopAutoScroll();
  if (!dragging_) return;
  dragging_ = false;
  if (!was_scrolling) MoveCaret(HitTest(event->position().toPoint()));
  if (!HasSelection()) {
    last_click_ = caret_;
    ClearSelection();
  } else if (instant_copy_) {
    CopySelection();
  }
}

void TLogView::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  std::int64_t now = clock_.elapsed();
  dragging_ = false;
  if (now - triple_click_time_ <= DoubleClickMs()) return;
  double_click_time_ = now;
  TLogPos hit = HitTest(event->position().toPoint());
  if (hit.line >= store_.Count()) return;
  const TLogLine& line = Line(hit.line);
  if (line.ElementAt(hit.offset) == TLogElement::Url && view_listener_) {
    view_listener_->OpenUrl(*this, std::string(line.UrlAt(hit.offset)));
    return;
  }
  if (link_listener_ && !line.link_key.IsEmpty()) {
    TLinkKey key = line.link_key;
    link_listener_->OpenLink(*this, key);
    return;
  }
  TTextRange word = WordAt(line.text, hit.offset);
  if (word.start == word.end) return;
  SetSelection({hit.line, word.start}, {hit.line, word.end});
}

void TLogView::StartAutoScroll(int speed, int interval) {
  auto_speed_ = speed;
  auto_interval_ = interval;
  auto_last_step_ = clock_.elapsed() - interval;
  auto_timer_.start(interval);
  AutoScrollStep();
}

void TLogView::StopAutoScroll() {
  auto_speed_ = 0;
  auto_timer_.stop();
}

void TLogView::AutoScrollStep() {
  if (auto_speed_ == 0) return;
  std::int64_t now = clock_.elapsed();
  int rows = AutoScrollRows(now - auto_last_step_, auto_interval_);
  auto_last_step_ = now;
  bool up = auto_speed_ < 0;
  ScrollRows(up ? -rows : rows);
  MoveCaret(HitTest(QPoint(0, up ? 0 : ClientHeight())));
}

void TLogView::focusOutEvent(QFocusEvent* event) {
  StopAutoScroll();
  QAbstractScrollArea::focusOutEvent(event);
}

void TLogView::wheelEvent(QWheelEvent* event) {
  wheel_delta_ += event->angleDelta().y();
  int notches = wheel_delta_ / 120;
  wheel_delta_ %= 120;
  event->accept();
  if (notches == 0) return;
  int rows = QApplication::wheelScrollLines();
  if (rows <= 0) rows = 3;
  if (rows >= 1000) {
    for (int i = 0; i < std::abs(notches); ++i) notches > 0 ? PageUp() : PageDown();
    return;
  }
  ScrollRows(-rows * notches);
}

void TLogView::keyPressEvent(QKeyEvent* event) {
  Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
  int key = event->key();
  if (modifiers & Qt::AltModifier) {
    if (!view_listener_ || !view_listener_->SystemKey(*this, key | static_cast<int>(modifiers))) event->ignore();
    return;
  }
  if (modifiers == Qt::ShiftModifier && key == Qt::Key_F10) {
    ShowMenuAt(viewport()->rect().center());
    return;
  }
  if (modifiers == Qt::ControlModifier && key == Qt::Key_A) return SelectAll();
  if (modifiers == Qt::ControlModifier && key == Qt::Key_C) return CopySelection();
  if (modifiers == Qt::NoModifier) {
    switch (key) {
      case Qt::Key_PageUp: return PageUp();
      case Qt::Key_PageDown: return PageDown();
      case Qt::Key_End: return ScrollToEnd();
      case Qt::Key_Home: return ScrollToTop();
      case Qt::Key_Up: return ScrollRows(-1);
      case Qt::Key_Down: return ScrollRows(1);
      default: break;
    }
  }
  switch (key) {
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Meta:
    case Qt::Key_Super_L:
    case Qt::Key_Super_R: return;
    default: break;
  }
  if (view_listener_) {
    view_listener_->Key(*this, key | static_cast<int>(modifiers));
  } else {
    event->ignore();
  }
}

void TLogView::contextMenuEvent(QContextMenuEvent* event) {
  QPoint point = event->reason() == QContextMenuEvent::Mouse ? event->pos() : viewport()->rect().center();
  ShowMenuAt(point);
}

void TLogView::ShowMenuAt(QPoint point) {
  setFocus(Qt::OtherFocusReason);
  dragging_ = false;
  StopAutoScroll();
  QPoint screen = viewport()->mapToGlobal(point);
  TLogPos hit = HitTest(point);
  if (hit.line >= store_.Count()) {
    if (view_listener_) view_listener_->ShowGeneralMenu(*this, screen);
    return;
  }
  const TLogLine& line = Line(hit.line);
  TLogElement element = line.ElementAt(hit.offset);
  bool selected = HasSelection() && sel_start_ <= hit && hit < sel_end_;
  if (!selected && element == TLogElement::Url && view_listener_) {
    menu_text_ = std::string(line.UrlAt(hit.offset));
    view_listener_->ShowUrlMenu(*this, screen);
  } else if (!selected && element == TLogElement::Address && view_listener_) {
    menu_text_ = std::string(line.AddressAt(hit.offset));
    view_listener_->ShowAddressMenu(*this, screen);
  } else if (!selected && NickQualifies(hit)) {
    menu_text_ = Line(hit.line).nick;
    nick_listener_->ShowNickMenu(*this, screen);
  } else if (view_listener_) {
    view_listener_->ShowGeneralMenu(*this, screen);
  }
}

}  // namespace zeph
