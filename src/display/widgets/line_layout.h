#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "display/log_line.h"
#include "display/log_style.h"
#include "display/widgets/screen_fonts.h"
#include "platform/qt/qt_text.h"

// One log line wrapped to a width: rows of pieces, each piece a part of a
// run that fits on its row. Wrapping breaks at any character boundary, so a
// double-byte character is never split; there is no search for word
// boundaries. Widths come from one measurement (the advance of each
// character in its run's font) that wrapping, painting and hit tests share.
namespace zeph {

struct TLayoutPiece {
  int c0 = 0;  // UTF-16 units of the line's screen text, [c0, c1)
  int c1 = 0;
  float x = 0;      // from the row's left edge
  float width = 0;  // measured, plus the overhang of an italic font
  int height = 1;
  int ascent = 0;
  int slot = 0;  // TLogStyle font slot
  std::uint32_t color = 0;
  TDecoration decoration;
};

struct TLayoutRow {
  int c0 = 0;
  int c1 = 0;
  int height = 1;  // the tallest piece; never below 1
  int first_piece = 0;
  int piece_count = 0;
};

struct TLineLayout {
  std::string text;  // the line's Shift_JIS text
  TScreenText screen;
  std::vector<float> advance;  // per UTF-16 unit, in its run's font
  std::vector<TLayoutPiece> pieces;
  std::vector<TLayoutRow> rows;  // at least one
  int leading = 0;
  int height = 0;  // the rows' heights plus leading per row

  int RowHeight(int row) const { return rows[static_cast<size_t>(row)].height + leading; }
  int RowCount() const { return static_cast<int>(rows.size()); }
};

// Continuation rows start this far right; at most the width minus one, so a
// row always has room, and never negative.
int ClampedIndent(int indent, int width);

// How many units from `from` (up to `to`) fit in `width` pixels, and the
// width they take in *used: the fit measurement of wrapping and hit tests.
int FitUnits(const std::vector<float>& advance, int from, int to, float width, float* used);

// Wraps the line to `width` pixels; rows after the first have `indent`
// pixels less. Empty text, or no width, gives one empty row 10 pixels high.
// A negative leading counts as 0.
void LayoutLine(const TLogLine& line, const TLogStyle& style, TLogFonts& fonts, int width, int indent, int leading,
                TLineLayout& out);

// The left edge of unit `unit` on a row, from the row's left edge; the
// row's end for a unit at or past it.
float UnitX(const TLineLayout& layout, const TLayoutRow& row, int unit);
// The unit a point `x` pixels from the row's left edge falls on: the units
// that fit before it; the row's end past its last piece.
int UnitAtX(const TLineLayout& layout, const TLayoutRow& row, float x);

}  // namespace zeph
