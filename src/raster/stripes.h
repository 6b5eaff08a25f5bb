// Fills made of one-colour stripes that all cover the same columns: the rows
// of a gradient rectangle and the stripes of a colour ramp. Only stripes on
// the canvas are painted; of the others, which may number billions, only
// the last one matters, since each sends its pixels to pixel (0, 0).
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

#include "raster/pixel_access.h"
#include "raster/stray_pixels.h"

namespace raster {

// The columns every stripe of a fill covers, found once for all stripes:
// at most two spans for a run of columns, any number for listed columns.
struct StripeColumns {
  Spans run;                 // columns on the canvas of a run
  std::vector<Span> listed;  // columns on the canvas of a list
  bool any = false;          // a stripe has at least one pixel
  bool strays = false;       // some column lies off the canvas
  bool covers_column_0 = false;

  template <typename Action>
  void for_each_span(Action action) const {
    for (int i = 0; i < run.size; ++i) action(run.span[i]);
    for (const Span& span : listed) action(span);
  }
};

// Columns first .. first + count − 1, wrapping at 2^32.
inline StripeColumns contiguous_columns(const Canvas& canvas, uint32_t first, uint64_t count) {
  StripeColumns columns;
  columns.any = count > 0;
  columns.run = spans_below(first, count, canvas.Width);
  for (int i = 0; i < columns.run.size; ++i)
    columns.covers_column_0 |= columns.run.span[i].first == 0 && columns.run.span[i].count > 0;
  columns.strays = columns.run.total() < count;
  return columns;
}

// Columns given one by one, in any order and with repeats.
inline StripeColumns listed_columns(const Canvas& canvas, std::vector<uint32_t> list) {
  StripeColumns columns;
  columns.any = !list.empty();
  std::sort(list.begin(), list.end());
  list.erase(std::unique(list.begin(), list.end()), list.end());
  for (uint32_t column : list) {
    if (column >= canvas.Width) {
      columns.strays = true;
      continue;
    }
    columns.covers_column_0 |= column == 0;
    Span* last = columns.listed.empty() ? nullptr : &columns.listed.back();
    if (last != nullptr && last->first + last->count == column)
      ++last->count;
    else
      columns.listed.push_back({column, 1});
  }
  return columns;
}

// Paints stripes j = 0 .. rows − 1 in this order, stripe j on row
// first_row + j (row_step 1) or first_row − j (row_step −1), in colour_of (j).
// Distinct stripes share no cell but cell 0, which ends with the colour of
// the last stripe that writes it: one off the canvas, one with a column off
// the canvas, or the stripe on row 0 when it covers column 0.
template <typename Cell, typename ColourOf>
void paint_stripes(const Canvas& canvas, const StripeColumns& columns, uint32_t first_row,
                   int32_t row_step, uint32_t rows, ColourOf colour_of) {
  if (!columns.any || rows == 0) return;
  auto row_of_stripe = [&](uint32_t j) { return row_step > 0 ? first_row + j : first_row - j; };
  uint32_t lowest_row = row_step > 0 ? first_row : first_row - (rows - 1);
  Spans on_rows = spans_below(lowest_row, rows, canvas.Height);
  for (int s = 0; s < on_rows.size; ++s) {
    for (uint32_t r = 0; r < on_rows.span[s].count; ++r) {
      uint32_t row = on_rows.span[s].first + r;
      auto colour = static_cast<Cell>(colour_of(row_step > 0 ? row - first_row : first_row - row));
      Cell* cells = row_of<Cell>(canvas, row);
      columns.for_each_span([&](const Span& span) {
        std::fill(cells + span.first, cells + span.first + span.count, colour);
      });
    }
  }
  // Among any Height + 1 consecutive rows one is off the canvas.
  uint64_t looked_at = columns.strays ? 1 : std::min<uint64_t>(rows, uint64_t{canvas.Height} + 1);
  for (uint64_t back = 0; back < looked_at; ++back) {
    auto j = static_cast<uint32_t>(rows - 1 - back);
    uint32_t row = row_of_stripe(j);
    if (columns.strays || row >= canvas.Height || (row == 0 && columns.covers_column_0)) {
      static_cast<Cell*>(canvas.Pixels)[0] = static_cast<Cell>(colour_of(j));
      return;
    }
  }
}

}  // namespace raster
