// plot_labels.h — the name a line of a points file may give its point: the
// text after the ninth number, as written (blanks inside kept), optionally in
// double quotes. No GL here.
//
//   47.37, 8.54, 1, 0.05, 0, 1, 1, 1, 1, Zürich
//   -23.55, -46.63, 1, 0.05, 0, 1, 1, 1, 1, "São Paulo"   ! a comment
//
// An unquoted name ends at a "!" (a comment) or at the end of the line; a
// quoted one at its closing quote, and may hold "!" and commas. A comma
// or blanks between the ninth number and the name are not part of it; so
// that the name is not read as part of the number, begin it with a comma or
// a quote when it starts with a digit.
#pragma once

#include <string>

#include "plot/plot_text.h"

constexpr size_t kMaxLabelBytes = 256; // of a name kept; longer ones are cut

// The name on the current line of `text` (read with keep_raw), whose numbers
// end at `numbers_end` within its cleaned line. False, with `name` empty,
// for a line without one.
bool point_label_text(const PlotText& text, const char* numbers_end, std::string* name);
