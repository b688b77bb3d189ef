// raster.cpp — coverage-sampled shapes and the PPM writer of the data generators.
#include "raster.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

constexpr double kPi = 3.141592653589793;

// Paints every sample whose centre lies in the box and satisfies `inside`.
// The box is in pixels and only limits the search.
template <typename Inside>
void paint(Canvas& canvas, double x0, double y0, double x1, double y1, Rgb colour, Inside inside)
{
    const int columns = canvas.width * kSamples;
    const int rows = canvas.height * kSamples;
    const int i0 = std::max(0, static_cast<int>(std::floor(x0 * kSamples)));
    const int i1 = std::min(columns - 1, static_cast<int>(std::ceil(x1 * kSamples)));
    const int j0 = std::max(0, static_cast<int>(std::floor(y0 * kSamples)));
    const int j1 = std::min(rows - 1, static_cast<int>(std::ceil(y1 * kSamples)));
    for (int j = j0; j <= j1; ++j) {
        const double y = (j + 0.5) / kSamples;
        for (int i = i0; i <= i1; ++i) {
            const double x = (i + 0.5) / kSamples;
            if (inside(x, y))
                canvas.samples[static_cast<size_t>(j) * columns + i] = colour;
        }
    }
}

double distance_to_segment(double x, double y, Point a, Point b)
{
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double length2 = dx * dx + dy * dy;
    double t = length2 > 0 ? ((x - a.x) * dx + (y - a.y) * dy) / length2 : 0;
    t = std::clamp(t, 0.0, 1.0);
    const double px = a.x + t * dx - x, py = a.y + t * dy - y;
    return std::sqrt(px * px + py * py);
}

bool inside_rounded_rect(double x, double y, double x0, double y0, double x1, double y1, double r)
{
    if (x < x0 || x > x1 || y < y0 || y > y1)
        return false;
    const double cx = std::clamp(x, x0 + r, x1 - r);
    const double cy = std::clamp(y, y0 + r, y1 - r);
    return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r;
}

} // namespace

Canvas make_canvas(int width, int height)
{
    Canvas canvas;
    canvas.width = width;
    canvas.height = height;
    canvas.samples.assign(static_cast<size_t>(width) * height * kSamples * kSamples, Rgb{});
    return canvas;
}

Picture resolve_canvas(const Canvas& canvas)
{
    Picture picture;
    picture.width = canvas.width;
    picture.height = canvas.height;
    picture.rgb.assign(static_cast<size_t>(canvas.width) * canvas.height * 3, 0);
    const int columns = canvas.width * kSamples;
    for (int r = 0; r < canvas.height; ++r) {
        for (int c = 0; c < canvas.width; ++c) {
            int sum[3] = {0, 0, 0};
            bool touched = false;
            for (int j = 0; j < kSamples; ++j) {
                for (int i = 0; i < kSamples; ++i) {
                    const Rgb& s = canvas.samples[static_cast<size_t>(r * kSamples + j) * columns +
                                                  c * kSamples + i];
                    sum[0] += s.r;
                    sum[1] += s.g;
                    sum[2] += s.b;
                    touched = touched || s.r != 0 || s.g != 0 || s.b != 0;
                }
            }
            std::uint8_t* out = &picture.rgb[(static_cast<size_t>(r) * canvas.width + c) * 3];
            for (int k = 0; k < 3; ++k) {
                int v = (sum[k] + kSamples * kSamples / 2) / (kSamples * kSamples);
                if (touched)
                    v = std::max(v, 1);
                out[k] = static_cast<std::uint8_t>(v);
            }
        }
    }
    return picture;
}

void fill_polygon(Canvas& canvas, const std::vector<Point>& corners, Rgb colour)
{
    if (corners.size() < 3)
        return;
    double x0 = corners[0].x, x1 = x0, y0 = corners[0].y, y1 = y0;
    for (const Point& p : corners) {
        x0 = std::min(x0, p.x);
        x1 = std::max(x1, p.x);
        y0 = std::min(y0, p.y);
        y1 = std::max(y1, p.y);
    }
    // Even-odd rule by counting edge crossings of a ray towards +x.
    paint(canvas, x0, y0, x1, y1, colour, [&](double x, double y) {
        bool in = false;
        for (size_t k = 0, prev = corners.size() - 1; k < corners.size(); prev = k++) {
            const Point& a = corners[k];
            const Point& b = corners[prev];
            if ((a.y > y) != (b.y > y) && x < (b.x - a.x) * (y - a.y) / (b.y - a.y) + a.x)
                in = !in;
        }
        return in;
    });
}

void fill_rect(Canvas& canvas, double x0, double y0, double x1, double y1, Rgb colour)
{
    paint(canvas, x0, y0, x1, y1, colour,
          [&](double x, double y) { return x >= x0 && x <= x1 && y >= y0 && y <= y1; });
}

void fill_rounded_rect(Canvas& canvas, double x0, double y0, double x1, double y1, double radius,
                       Rgb colour)
{
    paint(canvas, x0, y0, x1, y1, colour,
          [&](double x, double y) { return inside_rounded_rect(x, y, x0, y0, x1, y1, radius); });
}

void fill_circle(Canvas& canvas, Point centre, double radius, Rgb colour)
{
    paint(canvas, centre.x - radius, centre.y - radius, centre.x + radius, centre.y + radius,
          colour, [&](double x, double y) {
              const double dx = x - centre.x, dy = y - centre.y;
              return dx * dx + dy * dy <= radius * radius;
          });
}

void stroke_line(Canvas& canvas, Point a, Point b, double width, Rgb colour)
{
    stroke_polyline(canvas, {a, b}, width, colour);
}

void stroke_polyline(Canvas& canvas, const std::vector<Point>& points, double width, Rgb colour)
{
    if (points.empty())
        return;
    const double half = width / 2;
    double x0 = points[0].x, x1 = x0, y0 = points[0].y, y1 = y0;
    for (const Point& p : points) {
        x0 = std::min(x0, p.x);
        x1 = std::max(x1, p.x);
        y0 = std::min(y0, p.y);
        y1 = std::max(y1, p.y);
    }
    // The union of round-capped segments, tested as a whole so that joins
    // are painted once and stay round.
    paint(canvas, x0 - half, y0 - half, x1 + half, y1 + half, colour, [&](double x, double y) {
        if (points.size() == 1)
            return distance_to_segment(x, y, points[0], points[0]) <= half;
        for (size_t k = 1; k < points.size(); ++k)
            if (distance_to_segment(x, y, points[k - 1], points[k]) <= half)
                return true;
        return false;
    });
}

void stroke_rect(Canvas& canvas, double x0, double y0, double x1, double y1, double width,
                 Rgb colour)
{
    stroke_polyline(canvas, {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}, {x0, y0}}, width, colour);
}

Point arc_point(Point centre, double rx, double ry, double angle)
{
    const double a = angle * kPi / 180;
    return {centre.x + rx * std::cos(a), centre.y + ry * std::sin(a)};
}

void stroke_arc(Canvas& canvas, Point centre, double rx, double ry, double from, double to,
                double width, Rgb colour)
{
    const int steps = std::max(2, static_cast<int>(std::ceil((to - from) / 3)));
    std::vector<Point> points;
    for (int k = 0; k <= steps; ++k)
        points.push_back(arc_point(centre, rx, ry, from + (to - from) * k / steps));
    stroke_polyline(canvas, points, width, colour);
}

void stroke_rounded_rect(Canvas& canvas, double x0, double y0, double x1, double y1, double radius,
                         double width, Rgb colour)
{
    const double inner = std::max(0.0, radius - width);
    paint(canvas, x0, y0, x1, y1, colour, [&](double x, double y) {
        return inside_rounded_rect(x, y, x0, y0, x1, y1, radius) &&
               !inside_rounded_rect(x, y, x0 + width, y0 + width, x1 - width, y1 - width, inner);
    });
}

namespace {

using Stroke = std::vector<Point>;

// Points of an elliptic arc in the glyph box, `from` to `to` in degrees.
Stroke glyph_arc(double cx, double cy, double rx, double ry, double from, double to)
{
    Stroke points;
    const int steps = std::max(2, static_cast<int>(std::ceil(std::fabs(to - from) / 10)));
    for (int k = 0; k <= steps; ++k)
        points.push_back(arc_point({cx, cy}, rx, ry, from + (to - from) * k / steps));
    return points;
}

Stroke joined(Stroke first, const Stroke& second)
{
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

// Strokes of one glyph in a box 0.6 wide and 1 high, y downwards.
std::vector<Stroke> glyph_strokes(char c)
{
    switch (c) {
    case '0':
        return {glyph_arc(0.3, 0.5, 0.3, 0.5, 0, 360)};
    case '1':
        return {{{0.1, 0.22}, {0.36, 0}, {0.36, 1}}};
    case '2':
        return {joined(glyph_arc(0.3, 0.28, 0.29, 0.28, 190, 385), {{0.02, 1}, {0.62, 1}})};
    case '3':
        return {glyph_arc(0.3, 0.25, 0.27, 0.25, 210, 450),
                glyph_arc(0.3, 0.73, 0.3, 0.27, 270, 510)};
    case '4':
        return {{{0.46, 1}, {0.46, 0}, {0, 0.7}, {0.62, 0.7}}};
    case '5':
        return {
            joined({{0.56, 0}, {0.1, 0}, {0.05, 0.46}}, glyph_arc(0.3, 0.68, 0.3, 0.32, 228, 510))};
    case '6':
        return {{{0.5, 0.02}, {0.08, 0.55}}, glyph_arc(0.3, 0.7, 0.3, 0.3, 0, 360)};
    case '7':
        return {{{0, 0}, {0.6, 0}, {0.2, 1}}};
    case '8':
        return {glyph_arc(0.3, 0.24, 0.24, 0.24, 0, 360), glyph_arc(0.3, 0.74, 0.29, 0.26, 0, 360)};
    case '9':
        return {glyph_arc(0.3, 0.3, 0.3, 0.3, 0, 360), {{0.52, 0.45}, {0.1, 0.98}}};
    case ':':
        return {{{0.12, 0.3}}, {{0.12, 0.8}}};
    case 'C':
        return {glyph_arc(0.32, 0.5, 0.3, 0.5, 40, 320)};
    case 'J':
        return {joined({{0.6, 0}, {0.6, 0.7}}, glyph_arc(0.3, 0.7, 0.3, 0.3, 0, 160))};
    case 'N':
        return {{{0, 1}, {0, 0}, {0.6, 1}, {0.6, 0}}};
    case 'T':
        return {{{0, 0}, {0.6, 0}}, {{0.3, 0}, {0.3, 1}}};
    case 'U':
        return {joined({{0, 0}, {0, 0.7}},
                       joined(glyph_arc(0.3, 0.7, 0.3, 0.3, 180, 0), {{0.6, 0.7}, {0.6, 0}}))};
    default:
        return {};
    }
}

double glyph_advance(char c)
{
    if (c == ':')
        return 0.6;
    if (c == ' ')
        return 0.55;
    return glyph_strokes(c).empty() ? 0 : 0.95;
}

} // namespace

double text_width(const std::string& text, double height)
{
    double advance = 0;
    for (char c : text)
        advance += glyph_advance(c);
    return text.empty() ? 0 : (advance - 0.35) * height;
}

double stroke_text(Canvas& canvas, const std::string& text, Point top_left, double height,
                   double width, Rgb colour)
{
    double x = top_left.x;
    for (char c : text) {
        for (const Stroke& stroke : glyph_strokes(c)) {
            std::vector<Point> points;
            for (const Point& p : stroke)
                points.push_back({x + p.x * height, top_left.y + p.y * height});
            stroke_polyline(canvas, points, width, colour);
        }
        x += glyph_advance(c) * height;
    }
    return x;
}

bool write_ppm(const std::string& path, const Picture& picture)
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr)
        return false;
    std::fprintf(file, "P6\n%d %d\n255\n", picture.width, picture.height);
    const size_t written = std::fwrite(picture.rgb.data(), 1, picture.rgb.size(), file);
    const bool closed = std::fclose(file) == 0;
    return written == picture.rgb.size() && closed;
}
