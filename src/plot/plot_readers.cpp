// plot_readers.cpp — the lines, points and arrows readers.
#include "plot/plot_readers.h"

#include <cmath>
#include <cstdio>
#include <string>

#include "core/file_notices.h"
#include "plot/plot_labels.h"

namespace {

constexpr double kDegreesToRadians = 0.01745329251;
constexpr double kRadiansToDegrees = 57.2957795131;

bool plausible_height(double height)
{
    return height >= kMinPlotHeight && height <= kMaxPlotHeight;
}

void report_capacity(const char* name, int capacity, const char* what, PlotReadOutcome& outcome)
{
    outcome.stopped = true;
    if (first_file_notice(name, "capacity"))
        std::fprintf(stderr, "tyx: %s: capacity of %d %s reached, rest of the file skipped\n", name,
                     capacity, what);
}

void leave_out(const PlotText& text, PlotReadOutcome& outcome)
{
    if (outcome.left_out++ == 0)
        outcome.first_left_out = text.line_number;
}

// Adds what the text layer skipped by itself, and tells it.
PlotReadOutcome& finish(const PlotText& text, const char* name, PlotReadOutcome& outcome)
{
    outcome.opened = true;
    if (text.long_lines > 0) {
        if (outcome.first_left_out == 0 || text.first_long_line < outcome.first_left_out)
            outcome.first_left_out = text.first_long_line;
        outcome.left_out += text.long_lines;
        if (first_file_notice(name, "long line")) {
            std::fprintf(stderr, "tyx: %s:%d: a line longer than %d characters was skipped", name,
                         text.first_long_line, kMaxPlotLine);
            if (text.long_lines > 1)
                std::fprintf(stderr, " (and %d more)", text.long_lines - 1);
            std::fputc('\n', stderr);
        }
    }
    if (text.cut) {
        outcome.stopped = true;
        if (first_file_notice(name, "size"))
            std::fprintf(stderr, "tyx: %s: only the first %lld MiB of the file were read\n", name,
                         kMaxPlotFileBytes >> 20);
    }
    return outcome;
}

void store_polar(double* polar, double latitude, double longitude, double height, double radius)
{
    polar[0] = radius * height;
    polar[1] = 90.0 - latitude;
    polar[2] = longitude + 180.0;
}

// Closes the block that received the last `members` entries before `count`
// (none: an empty range), as entry `index` of `ranges`.
void close_block(int (*ranges)[2], int& index, int count, int members)
{
    ranges[index][0] = count - members;
    ranges[index][1] = count - 1;
    index++;
}

void store_color(float* color, const double* rgba)
{
    for (int k = 0; k < 4; k++)
        color[k] = float(rgba[k]);
}

} // namespace

PlotReadOutcome read_lines_text(PlotText& text, const char* name, const LineStore& store,
                                double radius_factor)
{
    PlotReadOutcome outcome;
    int& points = *store.point_count;
    int& lines = *store.line_count;
    if (points < 0 || points > store.point_capacity || lines < 0 || lines > store.line_capacity)
        return outcome;
    bool in_block = false;
    int block_points = 0;
    double v[5];
    while (next_plot_line(text)) {
        char* line = text.line;
        if (!in_block) {
            if (line[0] != '#')
                continue;
            if (lines == store.line_capacity) {
                report_capacity(name, store.line_capacity, "lines", outcome);
                break;
            }
            const char* header = strip_header_marks(line);
            if (scan_plot_fields(header, "fffff", v) == 5) {
                store.widths[lines] = float(v[0]);
                store_color(store.colors[lines], v + 1);
            } else {
                if (header[0] != '\0')
                    leave_out(text, outcome);
                store.widths[lines] = kDefaultLineWidth;
                for (int k = 0; k < 4; k++)
                    store.colors[lines][k] = kDefaultLineColor[k];
            }
            in_block = true;
            block_points = 0;
            continue;
        }
        if (line[0] == '\0')
            continue;
        if (line[0] == '#' || line[0] == ',') {
            leave_out(text, outcome);
            continue;
        }
        if (line[0] == '/') {
            close_block(store.ranges, lines, points, block_points);
            in_block = false;
            continue;
        }
        if (scan_plot_fields(line, "ddd", v) != 3 || !plausible_height(v[2])) {
            leave_out(text, outcome);
            continue;
        }
        if (points == store.point_capacity) {
            report_capacity(name, store.point_capacity, "line points", outcome);
            break;
        }
        const double c = (90.0 - v[0]) * kDegreesToRadians;
        const double l = (v[1] + 180.0) * kDegreesToRadians;
        const double r = radius_factor * v[2];
        store.points[points][0] = r * std::sin(c) * std::cos(l);
        store.points[points][1] = r * std::sin(c) * std::sin(l);
        store.points[points][2] = r * std::cos(c);
        points++;
        block_points++;
    }
    if (in_block)
        close_block(store.ranges, lines, points, block_points);
    return finish(text, name, outcome);
}

PlotReadOutcome read_point_text(PlotText& text, const char* name, const PointStore& store,
                                double radius_factor)
{
    PlotReadOutcome outcome;
    int& count = *store.count;
    if (count < 0 || count > store.capacity)
        return outcome;
    double v[9];
    const char* numbers_end = nullptr;
    std::string label;
    text.keep_raw = store.labels != nullptr;
    while (next_plot_line(text)) {
        if (text.line[0] == '\0')
            continue;
        if (scan_plot_fields(text.line, "ddddiffff", v, &numbers_end) != 9 ||
            !plausible_height(v[2])) {
            leave_out(text, outcome);
            continue;
        }
        if (count == store.capacity) {
            report_capacity(name, store.capacity, "points", outcome);
            break;
        }
        store_polar(store.polar[count], v[0], v[1], v[2], radius_factor);
        store.sizes[count] = v[3];
        store.types[count] = int(v[4]);
        store_color(store.colors[count], v + 5);
        if (store.labels != nullptr && point_label_text(text, numbers_end, &label))
            store.labels->push_back({count, label});
        count++;
    }
    return finish(text, name, outcome);
}

PlotReadOutcome read_arrow_text(PlotText& text, const char* name, const ArrowStore& store,
                                double radius_factor)
{
    PlotReadOutcome outcome;
    int& count = *store.count;
    int& blocks = *store.block_count;
    if (count < 0 || count > store.capacity || blocks < 0 || blocks > store.block_capacity)
        return outcome;
    bool in_block = false;
    int block_arrows = 0;
    double v[9];
    while (next_plot_line(text)) {
        char* line = text.line;
        if (!in_block) {
            if (line[0] != '#')
                continue;
            if (blocks == store.block_capacity) {
                report_capacity(name, store.block_capacity, "arrow blocks", outcome);
                break;
            }
            // A header that does not parse gives the block the values the
            // store holds at load: reference length 0 (arrows of length 0)
            // and a zero shape, rather than whatever an earlier block left.
            const char* header = strip_header_marks(line);
            if (scan_plot_fields(header, "ddddd", v) != 5) {
                if (header[0] != '\0')
                    leave_out(text, outcome);
                v[0] = v[1] = v[2] = v[3] = v[4] = 0;
            }
            *store.std_length = v[0];
            store.sincho[blocks] = v[1];
            store.sencho[blocks] = v[2];
            store.sinfuku[blocks] = v[3];
            store.senfuku[blocks] = v[4];
            in_block = true;
            block_arrows = 0;
            continue;
        }
        if (line[0] == '\0')
            continue;
        if (line[0] == '#' || line[0] == ',') {
            leave_out(text, outcome);
            continue;
        }
        if (line[0] == '/') {
            close_block(store.blocks, blocks, count, block_arrows);
            in_block = false;
            continue;
        }
        const bool parsed = scan_plot_fields(line, "dddddffff", v) == 9 && plausible_height(v[2]);
        const double u = v[3], n = v[4];
        const double reference = *store.std_length;
        const double length = !parsed || reference == 0 ? 0 : std::sqrt(u * u + n * n) / reference;
        if (!parsed || !std::isfinite(length)) {
            leave_out(text, outcome);
            continue;
        }
        if (count == store.capacity) {
            report_capacity(name, store.capacity, "arrows", outcome);
            break;
        }
        store_polar(store.polar[count], v[0], v[1], v[2], radius_factor);
        store.lengths[count] = length;
        store.angles[count] = std::atan2(n, u) * kRadiansToDegrees;
        store_color(store.colors[count], v + 5);
        count++;
        block_arrows++;
    }
    if (in_block)
        close_block(store.blocks, blocks, count, block_arrows);
    return finish(text, name, outcome);
}

namespace {

// Opens `file` and runs one of the text readers above on it.
template <typename Store>
PlotReadOutcome read_plot_file(const char* file, const Store& store, double radius_factor,
                               PlotReadOutcome (*read_text)(PlotText&, const char*, const Store&,
                                                            double))
{
    PlotText text;
    if (!open_plot_file(text, file))
        return {};
    const PlotReadOutcome outcome = read_text(text, file, store, radius_factor);
    close_plot_text(text);
    return outcome;
}

} // namespace

PlotReadOutcome read_lines(const char* file, const LineStore& store, double radius_factor)
{
    return read_plot_file(file, store, radius_factor, read_lines_text);
}

PlotReadOutcome read_point(const char* file, const PointStore& store, double radius_factor)
{
    return read_plot_file(file, store, radius_factor, read_point_text);
}

PlotReadOutcome read_arrow(const char* file, const ArrowStore& store, double radius_factor)
{
    return read_plot_file(file, store, radius_factor, read_arrow_text);
}
