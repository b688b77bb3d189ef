// plot_layers.h — plot data as the overlay drawing takes it: layers of point
// symbols and of polylines in plain vectors, sized by their data. The fixed
// plot stores become one layer of each kind; other sources add more. No GL.
//
// Conventions: polar positions are (radius, colatitude, longitude + 180) in
// degrees, radius in globe radii; line points are Cartesian in the unit
// globe's frame (z towards the north pole), radius included; colours are
// red, green, blue, alpha in 0 .. 1; widths are pixels at zoom 1.
#pragma once

#include <algorithm>
#include <cmath>
#include <vector>

struct PlotSymbol {
    double polar[3];
    double size; // scale of the unit-area symbol, globe radii
    int type;    // 0 .. 10; any other value draws nothing
    float rgba[4];
};

struct PointLayer {
    int generation = 0; // new value whenever the symbols change (new_plot_generation)
    std::vector<PlotSymbol> symbol;
};

struct LinePoint {
    float x, y, z;
};

// One polyline: `count` consecutive entries of its layer's points.
struct PlotLine {
    unsigned first;
    unsigned count;
    float width;
    float rgba[4];
};

struct LineLayer {
    int generation = 0; // new value whenever the lines change (new_plot_generation)
    std::vector<LinePoint> point;
    std::vector<PlotLine> line;
};

// A colour component as the byte that the vertex buffers hold.
inline unsigned char plot_color_byte(float v)
{
    return static_cast<unsigned char>(std::lround(std::clamp(v, 0.0f, 1.0f) * 255));
}

// A generation that no layer or store had before in this process. Whoever
// fills a layer gives it one, so that the drawing rebuilds what it made of it.
int new_plot_generation();

// The point and line stores of the state block as layers, in store order.
// Lines whose range lies outside the points in use, or holds fewer than two
// points, are left out. Called by the overlay drawing when the stores'
// generation changed.
void build_store_point_layer(PointLayer& out);
void build_store_line_layer(LineLayer& out);
