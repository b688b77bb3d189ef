// plot_visibility.h — which overlay parts the globe hides in a frame, so that
// the drawing can leave them out. No GL.
//
// Only what the depth test would reject anyway is left out, so the picture is
// the same with and without this step. The test is conservative: a part
// counts as hidden when every pixel it can touch lies behind a ball slightly
// inside the globe's mesh, whose front faces then cover it.
//
// Conventions: matrices are 16 doubles, column-major, as GL returns them;
// eye space has the camera at the origin looking down -z.
#pragma once

#include <vector>

#include "plot/plot_geometry.h"

// The view a globe is drawn with, as GL reports it when its overlays are drawn.
struct GlobeView {
    double model_to_eye[16]; // the model-view matrix with the globe transform
    double projection[16];
    int viewport_width = 0, viewport_height = 0; // pixels
};

// The ball that stands for the globe's front faces, in eye space.
struct GlobeOccluder {
    bool active = false;      // false: hide nothing (a mirrored or unusual view)
    bool perspective = false; // rays meet at the eye; otherwise they run along +z
    double centre[3] = {};
    double radius = 0; // eye units
    double scale = 0;  // eye units per model unit (largest axis)
    double pixel = 0;  // eye units per pixel (orthographic) or per pixel and unit of depth
    double transform[16] = {};
};

// The occluder of a view. It hides nothing when the globe is mirrored (a
// negative zoom: its back faces are the ones drawn), seen from inside, or
// the projection is neither of the two the program sets up.
GlobeOccluder globe_occluder(const GlobeView& view);

// True when every pixel within `reach_pixels` of the model-space point, or of
// any point within `reach_model` of it, lies behind the globe.
bool point_hidden(const GlobeOccluder& o, const float* point, double reach_model,
                  double reach_pixels);

// True when the same holds for every point of the segment.
bool segment_hidden(const GlobeOccluder& o, const float* a, const float* b, double reach_pixels);

// Per frame: the indices of the items of `t` that are not hidden, in drawing
// order. `visible` keeps its capacity, so a frame allocates nothing once it
// has grown to the arrays' size.
void collect_visible_triangles(const TriangleArrays& t, const GlobeOccluder& o,
                               std::vector<unsigned>& visible);

// Per frame: the vertex indices of the segments that are not hidden, and
// their runs (`first` and `count` in `visible`); `zoom` scales the widths.
void collect_visible_segments(const LineArrays& l, const GlobeOccluder& o, float zoom,
                              std::vector<unsigned>& visible, std::vector<LineRun>& runs);
