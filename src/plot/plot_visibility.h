// plot_visibility.h — which overlay parts the globe hides in a frame, so that
// the drawing can leave them out. No GL.
//
// Only what the depth test or the edges of the view would reject anyway is
// left out, so the picture is the same with and without this step. The tests
// are conservative: a part counts as hidden when every pixel it can touch
// lies behind a ball slightly inside the globe's mesh, whose front faces
// then cover it, or beyond one edge of the view.
//
// Conventions: matrices are 16 doubles, column-major, as GL returns them;
// eye space has the camera at the origin looking down -z.
#pragma once

#include <vector>

#include "plot/line_levels.h"
#include "plot/plot_geometry.h"
#include "plot/symbol_sprites.h"

// The view a globe is drawn with, as GL reports it when its overlays are drawn.
struct GlobeView {
    double model_to_eye[16]; // the model-view matrix with the globe transform
    double projection[16];
    int viewport_width = 0, viewport_height = 0; // pixels
};

// The ball that stands for the globe's front faces, and the edges of the
// view, in eye space.
struct GlobeOccluder {
    bool active = false;      // false: the globe hides nothing (a mirrored or unusual view)
    bool framed = false;      // false: nothing lies outside the view (an unusual projection)
    bool perspective = false; // rays meet at the eye; otherwise they run along +z
    double centre[3] = {};
    double radius = 0; // eye units
    double scale = 0;  // eye units per model unit (largest axis)
    double pixel = 0;  // eye units per pixel (orthographic) or per pixel and unit of depth
    double transform[16] = {};
    double side[4][4] = {}; // left, right, bottom, top: unit normal into the view, offset
};

// The occluder of a view. The globe hides nothing when it is mirrored (a
// negative zoom: its back faces are the ones drawn) or seen from inside;
// nothing is hidden at all when the projection is neither of the two the
// program sets up.
GlobeOccluder globe_occluder(const GlobeView& view);

// True when every pixel within `reach_pixels` of the model-space point, or of
// any point within `reach_model` of it, lies behind the globe.
bool point_hidden(const GlobeOccluder& o, const float* point, double reach_model,
                  double reach_pixels);

// True when the same holds for every point of the segment.
bool segment_hidden(const GlobeOccluder& o, const float* a, const float* b, double reach_pixels);

// The size of a pixel in model units where the globe comes nearest the eye;
// 0 when the view gives no measure.
double model_units_per_pixel(const GlobeOccluder& o);

// True when every pixel within `reach_pixels` of the model-space point, or
// of any point within `reach_model` of it, lies beyond one edge of the view.
bool point_outside_view(const GlobeOccluder& o, const float* point, double reach_model,
                        double reach_pixels);

// Per frame: the indices of the items of `t` that are not hidden, in drawing
// order. `visible` keeps its capacity, so a frame allocates nothing once it
// has grown to the arrays' size.
void collect_visible_triangles(const TriangleArrays& t, const GlobeOccluder& o,
                               std::vector<unsigned>& visible);

// Per frame: the vertex indices of the symbols of `s` that are neither
// hidden nor outside the view, six for each quad (two triangles), in layer
// order, written to the front of `visible`; returns how many. `visible` is
// grown once to what the symbols could need at most, so a frame neither
// allocates nor clears it.
size_t collect_visible_sprites(const SymbolSprites& s, const GlobeOccluder& o,
                               std::vector<unsigned>& visible);

// Lines of one width in a row: `count` strips from strip `first` on.
struct StripRun {
    float width; // pixels at zoom 1
    int first;
    int count;
};

// What one drawing sends of a line level: the runs of consecutive segments
// that are neither hidden nor outside the view, each as one line strip of
// `count[k]` vertices from vertex `first[k]`, in layer order.
struct LineStrips {
    std::vector<int> first;
    std::vector<int> count;
    std::vector<StripRun> run;
    std::vector<double> eye; // scratch: a chunk's vertices in eye space
};

// Per frame: the strips of `level`; `zoom` scales the widths. Keeps the
// capacity of `out`.
void collect_visible_strips(const LineLevel& level, const GlobeOccluder& o, float zoom,
                            LineStrips& out);
