// place_labels.cpp — the point labels and their places in the window.
#include "text/place_labels.h"

#include <algorithm>
#include <cmath>

#include "core/tyxparam.h"
#include "plot/plot_geometry.h"
#include "plot/plot_shapes.h"

namespace {

// How far the symbol of point i reaches from its centre, black rim included.
float symbol_reach(int i)
{
    const SymbolShape* shape = symbol_shape(plot.prop_point[i]);
    if (shape == nullptr)
        return 0;
    double reach = 0;
    for (int v = 0; v < shape->vertex_count; v++)
        reach = std::max(reach, std::hypot(shape->vertex[v].x, shape->vertex[v].y));
    if (shape->border_inradius > 0)
        reach *= (shape->border_inradius + plot.point_thickness) / shape->border_inradius;
    const double size = std::fabs(plot.mat_size_point[i]) * reach;
    return std::isfinite(size) ? static_cast<float>(size) : 0.0f;
}

void to_eye(const double* m, const float* p, double* q)
{
    for (int r = 0; r < 3; r++)
        q[r] = m[r] * p[0] + m[4 + r] * p[1] + m[8 + r] * p[2] + m[12 + r];
}

double dot(const double* a, const double* b)
{
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

bool perspective(const double* p)
{
    return p[15] == 0;
}

// Whether the ball of radius r about c hides eye-space point q.
bool behind_ball(const double* q, const double* c, double r, bool from_point)
{
    const double d[3] = {q[0] - c[0], q[1] - c[1], q[2] - c[2]};
    if (!from_point) {
        // The way to the eye runs along +z.
        const double across = d[0] * d[0] + d[1] * d[1];
        return across < r * r && d[2] < std::sqrt(r * r - across);
    }
    // The way to the eye is the segment from q to the origin.
    const double qq = dot(q, q);
    if (!(qq > 0))
        return false;
    const double u = std::clamp(dot(q, c) / qq, 0.0, 1.0);
    const double e[3] = {u * q[0] - c[0], u * q[1] - c[1], u * q[2] - c[2]};
    return dot(e, e) < r * r;
}

} // namespace

void collect_point_labels(std::vector<PlaceLabel>* out)
{
    for (const PointLabel& label : plot.point_labels) {
        const int i = label.point;
        if (i < 0 || i >= plot.num_point || i >= kMaxPoints || label.text.empty())
            continue;
        const SymbolFrame frame = symbol_frame(plot.d_polar_point[i]);
        PlaceLabel place;
        for (int k = 0; k < 3; k++)
            place.position[k] = static_cast<float>(frame.origin[k]);
        if (!std::isfinite(place.position[0]) || !std::isfinite(place.position[1]) ||
            !std::isfinite(place.position[2]))
            continue;
        place.clearance = symbol_reach(i);
        place.text = label.text;
        out->push_back(std::move(place));
    }
}

LabelSpot place_label(const GlobeView& view, const float position[3], float clearance, float gap)
{
    LabelSpot spot;
    const double* m = view.model_to_eye;
    const double* p = view.projection;
    double q[3];
    to_eye(m, position, q);
    const double centre[3] = {m[12], m[13], m[14]};
    // Eye units per model unit: the zoom, whatever the rotation.
    const double scale = std::sqrt(m[0] * m[0] + m[1] * m[1] + m[2] * m[2]);
    const bool from_point = perspective(p);
    if (from_point && !(q[2] < 0))
        return spot; // at or behind the eye
    if (behind_ball(q, centre, scale, from_point))
        return spot;
    const double w = from_point ? -q[2] : 1;
    const double ndc_x = (p[0] * q[0] + p[4] * q[1] + p[8] * q[2] + p[12]) / w;
    const double ndc_y = (p[1] * q[0] + p[5] * q[1] + p[9] * q[2] + p[13]) / w;
    const double half_width = view.viewport_width / 2.0, half_height = view.viewport_height / 2.0;
    const double pixels_per_unit = std::fabs(p[0]) * half_width / w;
    const double x = (ndc_x + 1) * half_width + clearance * scale * pixels_per_unit + gap;
    const double y = (1 - ndc_y) * half_height;
    if (!std::isfinite(x) || !std::isfinite(y))
        return spot;
    spot.shown = true;
    spot.x = static_cast<float>(x);
    spot.y = static_cast<float>(y);
    return spot;
}

void clear_label_room(LabelRoom& room, int width, int height)
{
    room.columns = std::max(0, (width + kLabelCell - 1) / kLabelCell);
    room.rows = std::max(0, (height + kLabelCell - 1) / kLabelCell);
    room.taken.assign(size_t(room.columns) * room.rows, 0);
}

bool claim_label_room(LabelRoom& room, float left, float top, float right, float bottom)
{
    if (!(left < right && top < bottom))
        return false;
    const int c0 = std::max(0, static_cast<int>(std::floor(left / kLabelCell)));
    const int r0 = std::max(0, static_cast<int>(std::floor(top / kLabelCell)));
    const int c1 = std::min(room.columns - 1, static_cast<int>(std::floor(right / kLabelCell)));
    const int r1 = std::min(room.rows - 1, static_cast<int>(std::floor(bottom / kLabelCell)));
    if (c0 > c1 || r0 > r1)
        return false;
    for (int r = r0; r <= r1; r++)
        for (int c = c0; c <= c1; c++)
            if (room.taken[size_t(r) * room.columns + c] != 0)
                return false;
    for (int r = r0; r <= r1; r++)
        std::fill_n(room.taken.begin() + size_t(r) * room.columns + c0, c1 - c0 + 1, 1);
    return true;
}
