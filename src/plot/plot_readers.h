// plot_readers.h — the readers of the lines, points and arrows formats, each
// appending to a fixed-capacity store described by a record of pointers.
//
// Conventions: latitude and longitude in degrees (north and east positive);
// heights in globe radii; Cartesian points have z towards the north pole,
// x = r sin c cos(lon + 180), y = r sin c sin(lon + 180), z = r cos c with c
// the colatitude; polar entries are (r, colatitude, longitude + 180) in
// degrees. Ranges are first and last index, inclusive.
//
// What every reader guarantees, whatever the file holds:
// - nothing is written at or past a capacity; the first record that does not
//   fit ends the reading of that file, with one line on standard error naming
//   the file and the capacity;
// - a block still open at the end of the file (or at a capacity) is closed
//   there with the range of what it received;
// - a data line that does not parse completely, holds a number that is not
//   finite, or places its point at a height outside kMinPlotHeight ..
//   kMaxPlotHeight is skipped;
// - a line longer than kMaxPlotLine is skipped, and a file longer than
//   kMaxPlotFileBytes is read up to there, each told in one line on standard
//   error;
// - a missing file, or one that is not a regular file, changes nothing and
//   prints nothing;
// - counts that are already out of 0 .. capacity make the reader do nothing.
// Each message is told once per file and load (core/file_notices.h), however
// often the file is read. Nothing is allocated.
#pragma once

#include <vector>

#include "core/tyxparam.h"
#include "plot/plot_text.h"

// Accepted heights, globe radii. Below the lowest, the square of a point's
// coordinates underflows and its height would be saved as 0.
constexpr double kMinPlotHeight = 1e-6;
constexpr double kMaxPlotHeight = 100.0;

// What a reading did not take from its file: the drawing loader needs to know
// whether a save would lose something.
struct PlotReadOutcome {
    bool opened = false;    // the file was read at all
    int left_out = 0;       // lines whose content the store does not hold
    int first_left_out = 0; // line number of the first of them; 0 when none
    bool stopped = false;   // a capacity or the size bound ended the reading early
};

// Polylines: plotted lines, and the freehand strokes, which use the same
// format for their files. A store that must keep entries free after the data
// read (a stroke being drawn) passes capacities that much lower.
struct LineStore {
    double (*points)[3]; // Cartesian point coordinates
    int (*ranges)[2];    // first and last point of each line
    float* widths;       // line width of each line, pixels at zoom 1
    float (*colors)[4];  // red, green, blue, alpha of each line
    int* point_count;    // points in use; advanced by the reader
    int* line_count;     // lines in use; advanced by the reader
    int point_capacity;  // entries of `points`
    int line_capacity;   // entries of `ranges`, `widths` and `colors`
};

struct PointStore {
    double (*polar)[3]; // radius, colatitude, longitude + 180
    float (*colors)[4];
    double* sizes; // symbol size, globe radii
    int* types;    // symbol type
    int* count;
    int capacity;
    std::vector<PointLabel>* labels = nullptr; // names after the numbers; null: not read
};

struct ArrowStore {
    double (*polar)[3]; // radius, colatitude, longitude + 180
    float (*colors)[4];
    double* lengths;    // vector magnitude / the block's reference length
    double* angles;     // degrees counter-clockwise from east
    int (*blocks)[2];   // first and last arrow of each block
    double* std_length; // reference length of the block being read
    double* sincho;     // per block: notch position,
    double* sencho;     // head length,
    double* sinfuku;    // shaft width,
    double* senfuku;    // head width
    int* count;         // arrows in use
    int* block_count;   // blocks in use
    int capacity;       // entries of the per-arrow arrays
    int block_capacity; // entries of the per-block arrays
};

// Width and colour of a line whose header does not parse: those the first
// entry of a line store holds at load.
constexpr float kDefaultLineWidth = 3.0f;
constexpr float kDefaultLineColor[4] = {1, 1, 1, 1};

// Append the contents of a file to a store; points are placed at
// `radius_factor` times their height. Called by start-up and by the frame
// change for the plot stores, and by the drawing store's loader.
PlotReadOutcome read_lines(const char* file, const LineStore& store, double radius_factor);
PlotReadOutcome read_point(const char* file, const PointStore& store, double radius_factor);
PlotReadOutcome read_arrow(const char* file, const ArrowStore& store, double radius_factor);

// The same on a text already opened; `name` is used in messages. The text is
// read to its end or to the first record that does not fit. Left out are
// data lines that are skipped, headers that do not parse (an empty one only
// asks for the default look), and in a block the lines the format ignores
// ("#" or "," first).
PlotReadOutcome read_lines_text(PlotText& text, const char* name, const LineStore& store,
                                double radius_factor);
PlotReadOutcome read_point_text(PlotText& text, const char* name, const PointStore& store,
                                double radius_factor);
PlotReadOutcome read_arrow_text(PlotText& text, const char* name, const ArrowStore& store,
                                double radius_factor);
