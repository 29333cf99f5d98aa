#include "display/widgets/line_layout.h"

#include <algorithm>

namespace zeph {
namespace {

constexpr int kEmptyRowHeight = 10;
// An italic glyph leans out of its box by this much of the line height.
constexpr float kItalicOverhang = 0.414214f;

struct TRowBuilder {
  TLineLayout& out;
  TLayoutRow row;
  float x = 0;

  bool Empty() const { return row.piece_count == 0; }

  void Add(const TLayoutPiece& piece) {
    if (Empty()) row.c0 = piece.c0;
    out.pieces.push_back(piece);
    out.pieces.back().x = x;
    x += piece.width;
    row.c1 = piece.c1;
    row.height = std::max(row.height, piece.height);
    ++row.piece_count;
  }

  void Close() {
    out.rows.push_back(row);
    out.height += row.height + out.leading;
    row = TLayoutRow{row.c1, row.c1, 1, static_cast<int>(out.pieces.size()), 0};
    x = 0;
  }
};

}  // namespace

int ClampedIndent(int indent, int width) { return std::max(0, std::min(indent, width - 1)); }

int FitUnits(const std::vector<float>& advance, int from, int to, float width, float* used) {
  float sum = 0;
  int unit = from;
  for (; unit < to; ++unit) {
    float next = sum + advance[static_cast<size_t>(unit)];
    if (next > width) break;
    sum = next;
  }
  *used = sum;
  return unit - from;
}

void LayoutLine(const TLogLine& line, const TLogStyle& style, TLogFonts& fonts, int width, int indent, int leading,
                TLineLayout& out) {
  out.text = line.text;
  ToScreenText(line.text, out.screen);
  out.advance.assign(static_cast<size_t>(out.screen.text.size()), 0.0f);
  out.pieces.clear();
  out.rows.clear();
  out.leading = std::max(0, leading);
  out.height = 0;
  TRowBuilder builder{out, {}};
  if (line.text.empty() || width <= 0) {
    builder.row.height = kEmptyRowHeight;
    builder.Close();
    return;
  }
  indent = ClampedIndent(indent, width);
  const char16_t* units = reinterpret_cast<const char16_t*>(out.screen.text.utf16());
  for (const TLogRun& run : line.runs) {
    int c0 = out.screen.CharAtByte(run.start);
    int c1 = out.screen.CharAtByte(run.end);
    if (c0 >= c1) continue;
    TRunFont run_font = style.FontForRun(line, run, false);
    TMeasuredFont& font = fonts.At(run_font.slot);
    for (int unit = c0; unit < c1; ++unit) out.advance[static_cast<size_t>(unit)] = font.Advance(units[unit]);
    float overhang = font.Italic() ? kItalicOverhang * static_cast<float>(font.Height()) : 0.0f;
    TLayoutPiece piece{0, 0, 0, 0, font.Height(), font.Ascent(), run_font.slot, run_font.color, run.decoration};
    for (int pos = c0; pos < c1;) {
      float available = static_cast<float>(builder.out.rows.empty() ? width : width - indent) - builder.x;
      float used = 0;
      int fit = FitUnits(out.advance, pos, c1, available - overhang / 2, &used);
      // A character wider than a whole row still gets a row of its own:
      // the text is shown in full however narrow the view.
      if (fit == 0 && builder.Empty()) fit = 1, used = out.advance[static_cast<size_t>(pos)];
      if (fit > 0) {
        piece.c0 = pos;
        piece.c1 = pos + fit;
        piece.width = used + overhang;
        builder.Add(piece);
        pos += fit;
      }
      if (pos < c1) builder.Close();
    }
  }
  if (!builder.Empty() || out.rows.empty()) builder.Close();
}

float UnitX(const TLineLayout& layout, const TLayoutRow& row, int unit) {
  float x = 0;
  for (int i = row.first_piece; i < row.first_piece + row.piece_count; ++i) {
    const TLayoutPiece& piece = layout.pieces[static_cast<size_t>(i)];
    if (unit < piece.c1) {
      x = piece.x;
      for (int u = piece.c0; u < unit; ++u) x += layout.advance[static_cast<size_t>(u)];
      return x;
    }
    x = piece.x + piece.width;
  }
  return x;
}

int UnitAtX(const TLineLayout& layout, const TLayoutRow& row, float x) {
  for (int i = row.first_piece; i < row.first_piece + row.piece_count; ++i) {
    const TLayoutPiece& piece = layout.pieces[static_cast<size_t>(i)];
    if (x < piece.x + piece.width) {
      float used = 0;
      return piece.c0 + FitUnits(layout.advance, piece.c0, piece.c1, std::max(0.0f, x - piece.x), &used);
    }
  }
  return row.c1;
}

}  // namespace zeph
