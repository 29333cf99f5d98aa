#pragma once

#include <gtest/gtest.h>

#include <QPoint>
#include <memory>
#include <string>

#include "display/line_builder.h"
#include "display/line_store.h"
#include "display/url_detector.h"
#include "display/widgets/log_view.h"
#include "platform/sjis.h"

namespace zeph::test {

// A log view over its own line store, shown offscreen at a fixed size.
class LogViewTest : public testing::Test {
 protected:
  static constexpr int kWidth = 300;
  static constexpr int kHeight = 200;

  LogViewTest() : builder_(TUrlDetector::Shared(), nullptr), store_(builder_) {
    store_.SetMaxLines(0);
    view_ = std::make_unique<TLogView>(store_);
    view_->resize(kWidth, kHeight);
    view_->show();
  }

  // Adds a line; texts are written in UTF-8 here and stored as Shift_JIS.
  void Add(const std::string& body, int category = 0, const std::string& nick_piece = "",
           const std::string& nick = "") {
    TLogLineSource source;
    source.body = Sjis(body);
    source.nick_piece = nick_piece;
    source.nick = nick;
    source.category = category;
    store_.AddLine(source, false);
  }

  void AddNumbered(int count) {
    for (int i = 0; i < count; ++i) Add("line " + std::to_string(i));
  }

  // The viewport point over the middle of the character at a byte of a
  // visible line.
  QPoint PointAt(size_t line, size_t byte) {
    int y = TLogView::kContentTop;
    for (size_t l = view_->Top().line; l < line; ++l) {
      const TLineLayout& layout = view_->LayoutOf(l);
      for (int r = l == view_->Top().line ? view_->Top().row : 0; r < layout.RowCount(); ++r)
        y += layout.RowHeight(r);
    }
    const TLineLayout& layout = view_->LayoutOf(line);
    int unit = layout.screen.CharAtByte(byte);
    for (int r = line == view_->Top().line ? view_->Top().row : 0; r < layout.RowCount(); ++r) {
      const TLayoutRow& row = layout.rows[static_cast<size_t>(r)];
      if (unit < row.c1 || r + 1 == layout.RowCount()) {
        float x = UnitX(layout, row, unit) + layout.advance[static_cast<size_t>(unit)] / 2;
        int indent = r > 0 ? ClampedIndent(7, kWidth) : 0;
        return QPoint(TLogView::kContentLeft + indent + static_cast<int>(x), y + row.height / 2);
      }
      y += layout.RowHeight(r);
    }
    return {};
  }

  TLineBuilder builder_;
  TLineStore store_;
  std::unique_ptr<TLogView> view_;
};

}  // namespace zeph::test
