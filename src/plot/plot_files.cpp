// plot_files.cpp — which plot files are read into which store, and when.
#include "plot/plot_files.h"

#include <cstdio>
#include <string>

#include "core/data_folders.h"
#include "core/tyxparam.h"
#include "plot/plot_layers.h"

namespace {

constexpr int kMaxStepFileName = 4096; // bytes of a step file name, terminator included

// Writes stem + frame + "." + suffix into `name`; false when it does not fit,
// so that a cut name is never opened.
bool step_file_name(char (&name)[kMaxStepFileName], const std::string& stem, int frame,
                    const std::string& suffix)
{
    const int n = std::snprintf(name, sizeof name, "%s%d.%s", stem.c_str(), frame, suffix.c_str());
    return n > 0 && n < int(sizeof name);
}

// Whether the stores hold anything beyond the base data.
bool holds_step_data()
{
    return plot.pointnum_senga != plot.pointnum_senga_permanent ||
           plot.linenum_senga != plot.linenum_senga_permanent ||
           plot.num_point != plot.num_point_permanent ||
           plot.num_arrow != plot.num_arrow_permanent ||
           plot.arrow_prop_num != plot.arrow_prop_num_permanent;
}

// The names of the points after the base data go with them.
void drop_step_point_labels()
{
    std::vector<PointLabel>& labels = plot.point_labels;
    while (!labels.empty() && labels.back().point >= plot.num_point_permanent)
        labels.pop_back();
}

} // namespace

void plot_data_changed()
{
    plot.plot_generation = new_plot_generation();
}

LineStore senga_line_store()
{
    LineStore store;
    store.points = plot.d_zahyo_senga;
    store.ranges = plot.lines_senga;
    store.widths = plot.mat_line_width_senga;
    store.colors = plot.mat_color_senga;
    store.point_count = &plot.pointnum_senga;
    store.line_count = &plot.linenum_senga;
    store.point_capacity = kMaxSengaPoints;
    store.line_capacity = kMaxSengaLines;
    return store;
}

PointStore plot_point_store()
{
    PointStore store;
    store.polar = plot.d_polar_point;
    store.colors = plot.mat_color_point;
    store.sizes = plot.mat_size_point;
    store.types = plot.prop_point;
    store.count = &plot.num_point;
    store.capacity = kMaxPoints;
    store.labels = &plot.point_labels;
    return store;
}

ArrowStore plot_arrow_store()
{
    ArrowStore store;
    store.polar = plot.d_polar_arrow;
    store.colors = plot.mat_color_arrow;
    store.lengths = plot.mat_size_arrow;
    store.angles = plot.angle_arrow;
    store.blocks = plot.arrow_prop;
    store.std_length = &plot.std_length;
    store.sincho = plot.sincho;
    store.sencho = plot.sencho;
    store.sinfuku = plot.sinfuku;
    store.senfuku = plot.senfuku;
    store.count = &plot.num_arrow;
    store.block_count = &plot.arrow_prop_num;
    store.capacity = kMaxArrows;
    store.block_capacity = kMaxArrowBlocks;
    return store;
}

void read_base_plot_files()
{
    if (plot.senga_mode_onoff != 0) {
        plot.pointnum_senga = plot.linenum_senga = 0;
        read_lines(in_folder(series.content_folder, kBaseLinesFile).c_str(), senga_line_store(),
                   plot.d_radius_senga);
        plot.pointnum_senga_permanent = plot.pointnum_senga;
        plot.linenum_senga_permanent = plot.linenum_senga;
    }
    if (plot.point_mode_onoff != 0) {
        plot.num_point = 0;
        plot.point_labels.clear();
        read_point(in_folder(series.content_folder, kBasePointsFile).c_str(), plot_point_store(),
                   plot.d_radius_point);
        plot.num_point_permanent = plot.num_point;
    }
    if (plot.arrow_mode_onoff != 0) {
        plot.num_arrow = plot.arrow_prop_num = 0;
        read_arrow(in_folder(series.content_folder, kBaseArrowsFile).c_str(), plot_arrow_store(),
                   plot.d_radius_arrow);
        plot.num_arrow_permanent = plot.num_arrow;
        plot.arrow_prop_num_permanent = plot.arrow_prop_num;
    }
    plot_data_changed();
}

void read_step_plot_files(int frame)
{
    const bool had_step_data = holds_step_data();
    char name[kMaxStepFileName];
    if (plot.senga_mode_onoff != 0) {
        plot.pointnum_senga = plot.pointnum_senga_permanent;
        plot.linenum_senga = plot.linenum_senga_permanent;
        if (step_file_name(name, plot.str_senga, frame, plot.str_senga_s))
            read_lines(name, senga_line_store(), plot.d_radius_senga);
    }
    if (plot.point_mode_onoff != 0) {
        plot.num_point = plot.num_point_permanent;
        drop_step_point_labels();
        if (step_file_name(name, plot.str_points, frame, plot.str_points_s))
            read_point(name, plot_point_store(), plot.d_radius_point);
    }
    if (plot.arrow_mode_onoff != 0) {
        plot.num_arrow = plot.num_arrow_permanent;
        plot.arrow_prop_num = plot.arrow_prop_num_permanent;
        if (step_file_name(name, plot.str_arrows, frame, plot.str_arrows_s))
            read_arrow(name, plot_arrow_store(), plot.d_radius_arrow);
    }
    // Base entries are never overwritten, so a step without data after one
    // without data leaves the stores as they were: the drawing keeps its
    // arrays through a series that has no step files.
    if (had_step_data || holds_step_data())
        plot_data_changed();
}
