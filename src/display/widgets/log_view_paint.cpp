// Painting the log view. Qt's backing store already draws off-screen and
// puts the result on the screen in one step, so the view paints its whole
// client area straight into it without flicker.
#include <QPainter>
#include <QPaintEvent>
#include <cmath>

#include "display/background.h"
#include "display/palette.h"
#include "display/widgets/log_view.h"
#include "platform/sjis.h"

namespace zeph {
namespace {

constexpr QPoint kDropShadow[] = {{0, 1}, {1, 0}, {1, 1}};
constexpr QPoint kOutline[] = {{-1, -1}, {0, -1}, {1, -1}, {-1, 0}, {1, 0}, {-1, 1}, {0, 1}, {1, 1}};

// Unit spans of a row that something covers, clipped to the row.
struct TSpan {
  int c0;
  int c1;
};

bool Clip(TSpan span, const TLayoutRow& row, TSpan* out) {
  out->c0 = std::max(span.c0, row.c0);
  out->c1 = std::min(span.c1, row.c1);
  return out->c0 < out->c1;
}

}  // namespace

void TLogView::paintEvent(QPaintEvent* event) {
  Settle();
  last_paint_ = clock_.elapsed();
  QPainter painter(viewport());
  PaintBackground(painter);
  size_t count = store_.Count();
  int height = ClientHeight();
  int y = kContentTop;
  std::vector<TTextRange> highlights;
  std::string folded;
  for (size_t line = top_.line; line < count && y < height; ++line) {
    const TLineLayout& layout = LayoutOf(line);
    highlights.clear();
    if (!highlight_words_.empty()) {
      folded = AsciiLowerText(layout.text);
      for (const std::string& word : highlight_words_) FindAllWords(folded, word, highlights);
    }
    for (int row = line == top_.line ? top_.row : 0; row < layout.RowCount() && y < height; ++row) {
      PaintRow(painter, layout, row, y, line, highlights);
      y += layout.RowHeight(row);
    }
  }
}

void TLogView::PaintBackground(QPainter& painter) {
  const TScreenBackground& background = look_->Background(console_);
  QRect area = viewport()->rect();
  TBackgroundPlacement placement =
      PlaceBackground(background.loaded.style, area.width(), area.height(), picture_.width(), picture_.height());
  if (placement.fill) painter.fillRect(area, ScreenColor(background.loaded.color));
  QRect rect(placement.rect.x, placement.rect.y, placement.rect.width, placement.rect.height);
  if (placement.drawing == TPictureDrawing::Tiled) {
    painter.drawTiledPixmap(rect, picture_);
  } else if (placement.drawing == TPictureDrawing::Single) {
    if (rect.size() == picture_.size()) {
      painter.drawPixmap(rect.topLeft(), picture_);
    } else {
      // Scaled once per size: painting only copies it.
      if (scaled_size_ != rect.size() || scaled_picture_.isNull()) {
        scaled_picture_ = picture_.scaled(rect.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        scaled_size_ = rect.size();
      }
      painter.drawPixmap(rect.topLeft(), scaled_picture_);
    }
  }
}

void TLogView::PaintRow(QPainter& painter, const TLineLayout& layout, int row_index, int top, size_t line,
                        const std::vector<TTextRange>& highlights) {
  const TLogStyle& style = look_->Style();
  TLogFonts& fonts = look_->Fonts();
  const TLayoutRow& row = layout.rows[static_cast<size_t>(row_index)];
  const int text_top = top + layout.leading / 2;
  const float left = static_cast<float>(kContentLeft + (row_index > 0 ? ClampedIndent(indent_, layout_width_) : 0));
  auto x_of = [&](int unit) { return left + UnitX(layout, row, unit); };
  auto span_rect = [&](TSpan span) {
    return QRectF(QPointF(x_of(span.c0), text_top), QPointF(x_of(span.c1), text_top + row.height));
  };
  auto pieces = [&] {
    const TLayoutPiece* first = layout.pieces.data() + row.first_piece;
    return std::pair(first, first + row.piece_count);
  };
  auto [begin, end] = pieces();
  auto draw = [&](const TLayoutPiece& piece, int c0, int c1, QPointF offset) {
    if (c0 >= c1) return;
    painter.drawText(QPointF(x_of(c0), text_top + piece.ascent) + offset, layout.screen.text.mid(c0, c1 - c0));
  };

  // The selected and highlighted units of this row.
  TSpan selected{0, 0};
  if (HasSelection() && sel_start_.line <= line && line <= sel_end_.line) {
    size_t from = sel_start_.line == line ? sel_start_.offset : 0;
    size_t to = sel_end_.line == line ? sel_end_.offset : layout.text.size();
    Clip({layout.screen.CharAtByte(from), layout.screen.CharAtByte(to)}, row, &selected);
  }
  std::vector<TSpan> lit;
  for (const TTextRange& range : highlights) {
    TSpan span;
    if (Clip({layout.screen.CharAtByte(range.start), layout.screen.CharAtByte(range.end)}, row, &span))
      lit.push_back(span);
  }

  // 1. Shadows.
  int shadow_kind = style.shadow_kind;
  if (shadow_kind == 1 || shadow_kind == 2) {
    painter.setPen(ScreenColor(style.shadow_color));
    for (const TLayoutPiece* piece = begin; piece != end; ++piece) {
      painter.setFont(fonts.At(piece->slot).Font());
      if (shadow_kind == 1)
        for (QPoint offset : kDropShadow) draw(*piece, piece->c0, piece->c1, offset);
      else
        for (QPoint offset : kOutline) draw(*piece, piece->c0, piece->c1, offset);
    }
  }
  // 2. Piece backgrounds.
  for (const TLayoutPiece* piece = begin; piece != end; ++piece) {
    if (piece->decoration.has_back)
      painter.fillRect(span_rect({piece->c0, piece->c1}), ScreenColor(PaletteColor(piece->decoration.back)));
    else if (shadow_kind == 3)
      painter.fillRect(span_rect({piece->c0, piece->c1}), ScreenColor(style.shadow_color));
  }
  // 3. Search highlight, 4. selection.
  for (TSpan span : lit) painter.fillRect(span_rect(span), ScreenColor(style.hilight_back_color));
  if (selected.c0 < selected.c1) painter.fillRect(span_rect(selected), ScreenColor(style.select_back_color));
  // 5. Text; the selected part in the selection's colour.
  for (const TLayoutPiece* piece = begin; piece != end; ++piece) {
    painter.setFont(fonts.At(piece->slot).Font());
    QColor color = ScreenColor(piece->color);
    int s0 = std::clamp(selected.c0, piece->c0, piece->c1);
    int s1 = std::clamp(selected.c1, s0, piece->c1);
    painter.setPen(color);
    draw(*piece, piece->c0, s0, {});
    draw(*piece, s1, piece->c1, {});
    painter.setPen(ScreenColor(style.select_text_color));
    draw(*piece, s0, s1, {});
  }
  // 6. Reverse video, where neither the selection nor a highlight lies.
  bool any_reverse = false;
  for (const TLayoutPiece* piece = begin; piece != end; ++piece) any_reverse |= piece->decoration.reverse != 0;
  if (!any_reverse) return;
  painter.save();
  painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
  for (const TLayoutPiece* piece = begin; piece != end; ++piece) {
    if (!piece->decoration.reverse) continue;
    int start = piece->c0;
    for (int unit = piece->c0; unit <= piece->c1; ++unit) {
      bool covered = unit < piece->c1 && ((unit >= selected.c0 && unit < selected.c1) ||
                                          std::any_of(lit.begin(), lit.end(), [unit](TSpan s) {
                                            return unit >= s.c0 && unit < s.c1;
                                          }));
      if (covered || unit == piece->c1) {
        if (start < unit) painter.fillRect(span_rect({start, unit}), Qt::white);
        start = unit + 1;
      }
    }
  }
  painter.restore();
}

}  // namespace zeph
