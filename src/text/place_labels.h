// place_labels.h — names drawn beside points on the globe: the list of
// labels with their places, and where each lands in the window for a view.
// No GL here; place_labels_gl.cpp reads the view from GL and draws.
//
// Conventions: positions are the globe's model space (the unit globe, z
// towards the north pole), as the plot overlays use; window pixels count
// from the top-left corner, y downwards. Matrices are 16 doubles,
// column-major, as GL returns them.
#pragma once

#include <string>
#include <vector>

#include "plot/plot_visibility.h"

// One label: where its point is, how far its symbol reaches from there (the
// label starts beyond it), and its text.
struct PlaceLabel {
    float position[3];
    float clearance; // model units
    std::string text;
};

// The labels of the plot's points: each named point in use, with the reach
// of its symbol. Other sources of named points append their own. Called
// when the plot stores changed.
void collect_point_labels(std::vector<PlaceLabel>* out);

// Where a label goes: `shown` is false for a point on the far side of the
// globe (or behind the eye); otherwise the label's left end is `x` and its
// line is centred on row `y`.
struct LabelSpot {
    bool shown = false;
    float x = 0, y = 0;
};

// The spot of a label at `position` whose symbol reaches `clearance` model
// units from it: its point's pixel, moved right by the symbol's reach as
// drawn at the point's distance and by `gap` pixels more. A point counts as
// on the far side when the globe's ball (the unit sphere of the view) lies
// between it and the eye.
LabelSpot place_label(const GlobeView& view, const float position[3], float clearance, float gap);

// The room labels take in a window, so that none is drawn over another:
// labels claim their boxes in list order (the first line of a file first),
// and a label whose box meets one already claimed is left out of this
// drawing. It comes back when turning or zooming makes room. The window is
// kept in cells of kLabelCell pixels; a box claims every cell it touches.
constexpr int kLabelCell = 4;
struct LabelRoom {
    int columns = 0, rows = 0;
    std::vector<unsigned char> taken; // per cell, rows top first
};

// Frees the room of a window of width x height pixels (allocates only when
// the window grew).
void clear_label_room(LabelRoom& room, int width, int height);

// Claims the box from (left, top) to (right, bottom) in window pixels and
// returns true when none of it was taken; false, claiming nothing, when some
// was. A box wholly outside the window takes no room and is refused.
bool claim_label_room(LabelRoom& room, float left, float top, float right, float bottom);
