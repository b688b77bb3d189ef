// place_labels_gl.cpp — the place labels of a globe, drawn facing the viewer
// at a fixed size in one batch, beside their points.
#include <GL/gl.h>

#include <cmath>
#include <vector>

#include "core/tyxparam.h"
#include "plot/plot_visibility.h"
#include "text/place_labels.h"
#include "text/place_labels_gl.h"
#include "text/text_gl.h"

namespace {

// The labels with their widths, measured once; rebuilt when the plot stores,
// the label size or the font change. Only the widths are kept: the quads of
// the labels drawn are laid out each drawing, so that a large list (imported
// layers hold hundreds of thousands of names) costs no glyph memory, and the
// window's room bounds what is laid out.
struct MeasuredLabels {
    int generation = -1;        // plot_generation they were made from
    int pixels = 0;             // label size
    unsigned long atlas_id = 0; // the atlas they were measured with
    std::vector<PlaceLabel> labels;
    std::vector<float> widths; // per label: pixels its line takes
    std::vector<float> batch;  // this drawing's quads, at their spots
    LabelRoom room;            // what this drawing's labels take of the window
};
MeasuredLabels measured;

// The view the globe is drawn with, as GL reports it (the globe transform is
// on the model-view stack).
GlobeView current_globe_view()
{
    GlobeView view;
    GLint viewport[4] = {};
    glGetDoublev(GL_MODELVIEW_MATRIX, view.model_to_eye);
    glGetDoublev(GL_PROJECTION_MATRIX, view.projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    view.viewport_width = viewport[2];
    view.viewport_height = viewport[3];
    return view;
}

bool labels_shown()
{
    return txt.labels_display_onoff == 1 && plot.point_display_onoff != 0 && plot.num_point > 0 &&
           !plot.point_labels.empty();
}

void measure_labels(GlyphAtlas* atlas, int pixels)
{
    MeasuredLabels& l = measured;
    const unsigned long atlas_id = atlas != nullptr ? atlas->id : 0;
    if (l.generation == plot.plot_generation && l.pixels == pixels && l.atlas_id == atlas_id)
        return;
    l.generation = plot.plot_generation;
    l.pixels = pixels;
    l.atlas_id = atlas_id;
    l.labels.clear();
    collect_point_labels(&l.labels);
    l.widths.clear();
    for (const PlaceLabel& label : l.labels)
        l.widths.push_back(atlas != nullptr ? text_width(*atlas, label.text)
                                            : measure_text(TextFace::kText, pixels, label.text));
}

} // namespace

void draw_place_labels()
{
    if (!labels_shown())
        return;
    const int pixels = points_to_pixels(txt.label_size);
    GlyphAtlas* atlas = text_atlas(TextFace::kText, pixels);
    measure_labels(atlas, pixels);
    const GlobeView view = current_globe_view();
    const TextMetrics m = text_metrics(TextFace::kText, pixels);
    const float gap = std::round(pixels / 4.0f);
    MeasuredLabels& l = measured;
    l.batch.clear();
    clear_label_room(l.room, view.viewport_width, view.viewport_height);
    begin_text_pass();
    for (size_t i = 0; i < l.labels.size(); i++) {
        const PlaceLabel& label = l.labels[i];
        const LabelSpot spot = place_label(view, label.position, label.clearance, gap);
        if (!spot.shown)
            continue;
        // Whole pixels keep the glyphs sharp; the line's capitals are centred
        // on the point.
        const float dx = std::round(spot.x), dy = std::round(spot.y + m.cap_height / 2.0f);
        if (!claim_label_room(l.room, dx, dy - m.ascent, dx + l.widths[i], dy + m.descent))
            continue;
        if (atlas == nullptr) {
            draw_text(TextFace::kText, pixels, label.text, dx, dy, txt.label_color);
            continue;
        }
        lay_out_text(*atlas, label.text, dx, dy, &l.batch);
    }
    if (atlas != nullptr)
        draw_text_quads(*atlas, l.batch, txt.label_color);
    end_text_pass();
}
