// plot_layers.cpp — the plot stores turned into layers, and the generation
// counter that tells the drawing when a layer or store changed.
#include "plot/plot_layers.h"

#include <algorithm>
#include <climits>

#include "core/tyxparam.h"

int new_plot_generation()
{
    static int last_generation = 0;
    last_generation = last_generation == INT_MAX ? 1 : last_generation + 1;
    return last_generation;
}

void build_store_point_layer(PointLayer& out)
{
    out.symbol.clear();
    const int count = std::clamp(plot.num_point, 0, kMaxPoints);
    out.symbol.reserve(count);
    for (int i = 0; i < count; i++) {
        PlotSymbol s;
        std::copy(plot.d_polar_point[i], plot.d_polar_point[i] + 3, s.polar);
        s.size = plot.mat_size_point[i];
        s.type = plot.prop_point[i];
        std::copy(plot.mat_color_point[i], plot.mat_color_point[i] + 4, s.rgba);
        out.symbol.push_back(s);
    }
    out.generation = plot.plot_generation;
}

void build_store_line_layer(LineLayer& out)
{
    out.point.clear();
    out.line.clear();
    const int points = std::clamp(plot.pointnum_senga, 0, kMaxSengaPoints);
    const int lines = std::clamp(plot.linenum_senga, 0, kMaxSengaLines);
    for (int k = 0; k < lines; k++) {
        const int first = plot.lines_senga[k][0], last = plot.lines_senga[k][1];
        if (first < 0 || last >= points || first >= last)
            continue;
        PlotLine line = {unsigned(out.point.size()),
                         unsigned(last - first + 1),
                         plot.mat_line_width_senga[k],
                         {}};
        std::copy(plot.mat_color_senga[k], plot.mat_color_senga[k] + 4, line.rgba);
        for (int i = first; i <= last; i++) {
            const double* p = plot.d_zahyo_senga[i];
            out.point.push_back({float(p[0]), float(p[1]), float(p[2])});
        }
        out.line.push_back(line);
    }
    out.generation = plot.plot_generation;
}
