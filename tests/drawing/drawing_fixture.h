// drawing_fixture.h — the drawing tests' common ground: an 800 x 600 window in
// a scratch working folder, strokes drawn through the capture, and where the
// frame shows a stored point.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <utility>
#include <vector>

#include "core/tyxparam.h"
#include "drawing/drawing_store.h"
#include "support/state_fixture.h"
#include "support/temp_dir.h"
#include "view/orientation.h"

constexpr double kDegrees = 3.141592653589793 / 180;

// Globe 1 facing latitude `lat`, longitude `lon` in an 800 x 600 window, as
// start-up and the reshape handler leave it.
inline void face(double lat, double lon)
{
    wnd.sx[0] = 1.0 / 800;
    wnd.sy[0] = 1.0 / 600;
    view.rad_latitude = (90 - lat) * kDegrees;
    view.rad_longitude = (lon + 180) * kDegrees;
    init_rotate();
}

class DrawingTest : public StateTest {
  protected:
    void SetUp() override
    {
        StateTest::SetUp();
        dir.enter();
        face(0, 0);
    }
    TempDir dir;
};

// One drag: a capture sample at each pixel, then the release.
inline void draw_stroke(const std::vector<std::pair<int, int>>& path)
{
    for (const auto& p : path)
        capture_stroke_sample(p.first, p.second, false);
    end_stroke();
}

// Where the frame shows the map spot beneath a stored point (the point
// brought down to the unit globe), worked out forwards as the frame draws:
// shift by the zoomed shift, the orientation matrix, the spin about z, the
// zoom; the camera turned upside down for a negative eye position. Gives
// window pixels, and whether the spot lies on the half of the globe that
// culling keeps: the one turned towards +z before the zoom, whatever the
// zoom's sign (a negative zoom mirrors the globe in depth only).
struct Shown {
    double px = 0, py = 0;
    bool kept_side = false;
};

inline Shown shown_at(const double stored[3])
{
    const double p[3] = {stored[0] / drawing.d_radius, stored[1] / drawing.d_radius,
                         stored[2] / drawing.d_radius};
    double t = spin.thetajiten * kDegrees;
    double q[3] = {std::cos(t) * p[0] - std::sin(t) * p[1], std::sin(t) * p[0] + std::cos(t) * p[1],
                   p[2]};
    double s = view.scale_factor, c = wnd.ez < 0 ? -1 : 1;
    double v[3];
    for (int r = 0; r < 3; r++)
        v[r] = s * (view.rt[r] * q[0] + view.rt[4 + r] * q[1] + view.rt[8 + r] * q[2]);
    double x = c * (s * view.trans[0] + v[0]), y = c * (s * view.trans[1] + v[1]);
    double w = 1 / wnd.sx[0], h = 1 / wnd.sy[0];
    return {(x * h / wnd.size_ortho + w) / 2, (h - y * h / wnd.size_ortho) / 2, v[2] / s > 0};
}

// Latitude and longitude (degrees) of a Cartesian point.
inline std::pair<double, double> lat_lon(const double p[3])
{
    double lat = std::atan2(p[2], std::hypot(p[0], p[1])) / kDegrees;
    double lon = std::atan2(-p[1], -p[0]) / kDegrees; // x = -cos(lon), y = -sin(lon)
    return {lat, lon};
}
