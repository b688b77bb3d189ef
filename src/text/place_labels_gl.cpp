// place_labels_gl.cpp — the place labels of a globe, drawn facing the viewer
// at a fixed size in one batch, beside their points.
#include <GL/gl.h>

#include <cmath>
#include <vector>

#include "core/tyxparam.h"
#include "plot/plot_render.h"
#include "text/place_labels.h"
#include "text/place_labels_gl.h"
#include "text/text_gl.h"

namespace {

// The labels laid out once, each at the origin; rebuilt when the plot stores,
// the label size or the font change.
struct LaidOutLabels {
    int generation = -1;        // plot_generation they were made from
    int pixels = 0;             // label size
    unsigned long atlas_id = 0; // the atlas the quads point into
    std::vector<PlaceLabel> labels;
    std::vector<float> quads;  // every label's quads, in label order
    std::vector<size_t> first; // per label: its first float in `quads`, and one past the last
    std::vector<float> widths; // per label: pixels its line takes
    std::vector<float> batch;  // this drawing's quads, moved to their spots
    LabelRoom room;            // what this drawing's labels take of the window
};
LaidOutLabels laid_out;

bool labels_shown()
{
    return txt.labels_display_onoff == 1 && plot.point_display_onoff != 0 && plot.num_point > 0 &&
           !plot.point_labels.empty();
}

void lay_out_labels(GlyphAtlas* atlas, int pixels)
{
    LaidOutLabels& l = laid_out;
    if (l.generation == plot.plot_generation && l.pixels == pixels &&
        l.atlas_id == (atlas != nullptr ? atlas->id : 0))
        return;
    l.generation = plot.plot_generation;
    l.pixels = pixels;
    l.atlas_id = atlas != nullptr ? atlas->id : 0;
    l.labels.clear();
    collect_point_labels(&l.labels);
    l.quads.clear();
    l.first.assign(1, 0);
    l.widths.clear();
    for (const PlaceLabel& label : l.labels) {
        l.widths.push_back(atlas != nullptr ? lay_out_text(*atlas, label.text, 0, 0, &l.quads)
                                            : measure_text(TextFace::kText, pixels, label.text));
        l.first.push_back(l.quads.size());
    }
    l.batch.reserve(l.quads.size());
}

} // namespace

void draw_place_labels()
{
    if (!labels_shown())
        return;
    const int pixels = points_to_pixels(txt.label_size);
    GlyphAtlas* atlas = text_atlas(TextFace::kText, pixels);
    lay_out_labels(atlas, pixels);
    const GlobeView view = current_globe_view();
    const TextMetrics m = text_metrics(TextFace::kText, pixels);
    const float gap = std::round(pixels / 4.0f);
    LaidOutLabels& l = laid_out;
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
        for (size_t k = l.first[i]; k < l.first[i + 1]; k += kTextFloatsPerCorner) {
            l.batch.push_back(l.quads[k] + dx);
            l.batch.push_back(l.quads[k + 1] + dy);
            l.batch.push_back(l.quads[k + 2]);
            l.batch.push_back(l.quads[k + 3]);
        }
    }
    if (atlas != nullptr)
        draw_text_quads(*atlas, l.batch, txt.label_color);
    end_text_pass();
}
