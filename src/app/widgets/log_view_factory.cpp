#include "app/widgets/log_view_factory.h"

#include <QPlainTextEdit>
#include <QScrollBar>

#include "display/line_store.h"
#include "platform/qt/qt_text.h"

namespace zeph {
namespace {

// A plain text view that follows its line store: the lines there are, and
// each new one as it comes; dropped lines leave from the top.
class TPlainLogView final : public QPlainTextEdit, private TLineStoreObserver {
 public:
  TPlainLogView(TLineStore& lines, QWidget* parent) : QPlainTextEdit(parent), lines_(lines) {
    setReadOnly(true);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setObjectName("Zephlora2LogView");
    for (size_t i = 0; i < lines_.Count(); ++i) appendPlainText(ToQString(lines_.At(i).text));
    lines_.SetObserver(this);
  }
  ~TPlainLogView() override { lines_.SetObserver(nullptr); }

 private:
  void AfterLineAdded() override {
    QScrollBar* bar = verticalScrollBar();
    bool at_end = bar->value() == bar->maximum();
    appendPlainText(ToQString(lines_.At(lines_.Count() - 1).text));
    if (at_end) bar->setValue(bar->maximum());
  }
  void LinesDropped(size_t count) override {
    QTextCursor cursor(document());
    cursor.movePosition(QTextCursor::Start);
    cursor.movePosition(QTextCursor::Down, QTextCursor::KeepAnchor, static_cast<int>(count));
    cursor.removeSelectedText();
  }

  TLineStore& lines_;
};

}  // namespace

QWidget* MakeLogView(TLineStore& lines, QWidget* parent) { return new TPlainLogView(lines, parent); }

}  // namespace zeph
