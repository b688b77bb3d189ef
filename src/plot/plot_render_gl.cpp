// plot_render_gl.cpp — issues the plot overlays to GL from arrays rebuilt only
// when the plot stores change, leaving out each frame what the globe hides.
//
// GL state expected: the globe transform on the model-view stack, the
// globe's mesh drawn with depth testing on, 2D texturing on. Each shown layer
// turns texturing off and line smoothing on while it draws, then line
// smoothing off and texturing on again. Left as found: the matrices,
// texturing on, line smoothing off; client arrays are enabled only while
// drawing. The current colour is left undefined (the colour array sets it).
//
// The arrays live in client memory, so both windows, each with its own GL
// context, draw from the same copy.
#include <GL/gl.h>

#include <algorithm>

#include <vector>

#include "core/tyxparam.h"
#include "plot/plot_geometry.h"
#include "plot/plot_render.h"
#include "plot/plot_visibility.h"
#include "render/line_width.h"

namespace {

struct OverlayArrays {
    bool built = false;
    int generation = 0; // plot_generation the arrays were built from
    TriangleArrays points;
    TriangleArrays arrows;
    LineArrays lines;
    // What one drawing shows of them; sized with the arrays, refilled per drawing.
    std::vector<unsigned> visible;
    std::vector<LineRun> visible_runs;
};

bool leave_out_hidden = true; // tests switch it off to compare

OverlayArrays& overlay_arrays()
{
    static OverlayArrays arrays;
    if (!arrays.built || arrays.generation != plot.plot_generation) {
        build_point_triangles(arrays.points);
        build_arrow_triangles(arrays.arrows);
        build_line_segments(arrays.lines);
        arrays.visible.reserve(std::max({arrays.points.index.size(), arrays.arrows.index.size(),
                                         arrays.lines.position.size() / 3}));
        arrays.visible_runs.reserve(arrays.lines.run.size());
        arrays.built = true;
        arrays.generation = plot.plot_generation;
    }
    return arrays;
}

GlobeOccluder current_occluder()
{
    if (!leave_out_hidden)
        return GlobeOccluder();
    GlobeView view;
    GLint viewport[4] = {};
    glGetDoublev(GL_MODELVIEW_MATRIX, view.model_to_eye);
    glGetDoublev(GL_PROJECTION_MATRIX, view.projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    view.viewport_width = viewport[2];
    view.viewport_height = viewport[3];
    return globe_occluder(view);
}

void begin_layer(const std::vector<float>& position, const std::vector<float>& color)
{
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_LINE_SMOOTH);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, position.data());
    glColorPointer(4, GL_FLOAT, 0, color.data());
}

void end_layer()
{
    glDisableClientState(GL_COLOR_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
    glDisable(GL_LINE_SMOOTH);
    glEnable(GL_TEXTURE_2D);
}

void draw_triangles(const TriangleArrays& t, const GlobeOccluder& o, std::vector<unsigned>& visible)
{
    begin_layer(t.position, t.color);
    collect_visible_triangles(t, o, visible);
    if (!visible.empty())
        glDrawElements(GL_TRIANGLES, GLsizei(visible.size()), GL_UNSIGNED_INT, visible.data());
    end_layer();
}

// Widths follow the zoom of globe 1 in both windows.
void draw_lines(const LineArrays& l, const GlobeOccluder& o, std::vector<unsigned>& visible,
                std::vector<LineRun>& runs)
{
    begin_layer(l.position, l.color);
    collect_visible_segments(l, o, view.scale_factor, visible, runs);
    for (const LineRun& run : runs) {
        glLineWidth(zoomed_line_width(run.width, view.scale_factor));
        glDrawElements(GL_LINES, run.count, GL_UNSIGNED_INT, visible.data() + run.first);
    }
    end_layer();
}

} // namespace

void draw_plot_overlays()
{
    const bool points = plot.point_display_onoff != 0 && plot.num_point > 0;
    const bool arrows = plot.arrow_display_onoff != 0 && plot.num_arrow > 0;
    const bool lines = plot.senga_display_onoff != 0 && plot.pointnum_senga > 1;
    if (!points && !arrows && !lines)
        return;
    OverlayArrays& arrays = overlay_arrays();
    const GlobeOccluder occluder = current_occluder();
    if (points)
        draw_triangles(arrays.points, occluder, arrays.visible);
    if (arrows)
        draw_triangles(arrays.arrows, occluder, arrays.visible);
    if (lines)
        draw_lines(arrays.lines, occluder, arrays.visible, arrays.visible_runs);
}

void leave_out_hidden_overlays(bool on)
{
    leave_out_hidden = on;
}
