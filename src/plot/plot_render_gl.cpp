// plot_render_gl.cpp — issues the plot overlays to GL from arrays rebuilt only
// when the plot stores change.
//
// GL state expected: the globe transform on the model-view stack, depth
// testing on, 2D texturing on. Each shown layer turns texturing off and line
// smoothing on while it draws, then line smoothing off and texturing on
// again. Left as found: the model-view matrix, texturing on, line smoothing
// off; client arrays are enabled only while drawing. The current colour is
// left undefined (the colour array sets it).
//
// The arrays live in client memory, so both windows, each with its own GL
// context, draw from the same copy.
#include <GL/gl.h>

#include "core/tyxparam.h"
#include "plot/plot_geometry.h"
#include "plot/plot_render.h"
#include "render/line_width.h"

namespace {

struct OverlayArrays {
    bool built = false;
    int generation = 0; // plot_generation the arrays were built from
    TriangleArrays points;
    TriangleArrays arrows;
    LineArrays lines;
};

const OverlayArrays& overlay_arrays()
{
    static OverlayArrays arrays;
    if (!arrays.built || arrays.generation != plot.plot_generation) {
        build_point_triangles(arrays.points);
        build_arrow_triangles(arrays.arrows);
        build_line_segments(arrays.lines);
        arrays.built = true;
        arrays.generation = plot.plot_generation;
    }
    return arrays;
}

void begin_layer()
{
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_LINE_SMOOTH);
}

void end_layer()
{
    glDisable(GL_LINE_SMOOTH);
    glEnable(GL_TEXTURE_2D);
}

void draw_triangles(const TriangleArrays& t)
{
    if (t.index.empty())
        return;
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, t.position.data());
    glColorPointer(4, GL_FLOAT, 0, t.color.data());
    glDrawElements(GL_TRIANGLES, GLsizei(t.index.size()), GL_UNSIGNED_INT, t.index.data());
    glDisableClientState(GL_COLOR_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
}

// Widths follow the zoom of globe 1 in both windows.
void draw_lines(const LineArrays& l)
{
    if (l.run.empty())
        return;
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, l.position.data());
    glColorPointer(4, GL_FLOAT, 0, l.color.data());
    for (const LineRun& run : l.run) {
        const float width = zoomed_line_width(run.width, view.scale_factor);
        if (width > 0) {
            glLineWidth(width);
            glDrawArrays(GL_LINES, run.first, run.count);
        }
    }
    glDisableClientState(GL_COLOR_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
}

} // namespace

void draw_plot_overlays()
{
    const bool points = plot.point_display_onoff != 0 && plot.num_point > 0;
    const bool arrows = plot.arrow_display_onoff != 0 && plot.num_arrow > 0;
    const bool lines = plot.senga_display_onoff != 0 && plot.pointnum_senga > 1;
    if (!points && !arrows && !lines)
        return;
    const OverlayArrays& arrays = overlay_arrays();
    if (points) {
        begin_layer();
        draw_triangles(arrays.points);
        end_layer();
    }
    if (arrows) {
        begin_layer();
        draw_triangles(arrays.arrows);
        end_layer();
    }
    if (lines) {
        begin_layer();
        draw_lines(arrays.lines);
        end_layer();
    }
}
