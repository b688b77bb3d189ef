// raster.h — anti-aliased flat shapes on an RGB picture, for the data generators.
//
// Conventions: positions are in picture pixels, x to the right and y downwards
// from the top-left corner of the picture, with pixel (c, r) covering the
// square c … c+1, r … r+1. Angles are in degrees, measured from +x towards +y
// (clockwise on screen). A canvas keeps kSamples × kSamples coverage samples
// per pixel; each shape paints the samples it covers with its colour, later
// shapes over earlier ones, and `resolve_canvas` averages them into pixels.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

constexpr int kSamples = 4; // coverage samples per pixel along each axis

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
};

struct Point {
    double x = 0, y = 0;
};

// A finished picture: rows top first, three bytes per pixel, no padding.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;
};

// Drawing surface: one colour per coverage sample, all black at first.
struct Canvas {
    int width = 0;            // pixels
    int height = 0;           // pixels
    std::vector<Rgb> samples; // (width·kSamples) × (height·kSamples), rows top first
};

Canvas make_canvas(int width, int height);

// Averages each pixel's samples. A pixel that any non-black sample touches
// gets every channel at least 1, so that it never reads as the pure black
// that the viewer turns transparent, and so that the pressed-look mask (which
// needs all three channels non-zero) covers exactly the drawn area.
Picture resolve_canvas(const Canvas& canvas);

// Filled shapes.
void fill_polygon(Canvas& canvas, const std::vector<Point>& corners, Rgb colour);
void fill_rect(Canvas& canvas, double x0, double y0, double x1, double y1, Rgb colour);
void fill_rounded_rect(Canvas& canvas, double x0, double y0, double x1, double y1, double radius,
                       Rgb colour);
void fill_circle(Canvas& canvas, Point centre, double radius, Rgb colour);

// Strokes of the given width with round ends and joins.
void stroke_line(Canvas& canvas, Point a, Point b, double width, Rgb colour);
void stroke_polyline(Canvas& canvas, const std::vector<Point>& points, double width, Rgb colour);
void stroke_rect(Canvas& canvas, double x0, double y0, double x1, double y1, double width,
                 Rgb colour);
// Elliptic arc about `centre` with radii rx, ry, from angle `from` to `to`
// (to > from; a full turn when to − from is 360).
void stroke_arc(Canvas& canvas, Point centre, double rx, double ry, double from, double to,
                double width, Rgb colour);
// Outline of a rounded rectangle whose outer edge is the given box.
void stroke_rounded_rect(Canvas& canvas, double x0, double y0, double x1, double y1, double radius,
                         double width, Rgb colour);

// Point on an ellipse at the given angle, as used by stroke_arc.
Point arc_point(Point centre, double rx, double ry, double angle);

// Writes a binary PPM ("P6", the size on its own line, maximum 255) that the
// viewer's PPM readers take. Returns false when the file cannot be written.
bool write_ppm(const std::string& path, const Picture& picture);

// Stroke lettering for labels: the digits, ':', ' ', 'C', 'J', 'N', 'T' and 'U'
// (other characters are skipped). `height` is the cap height, the glyph box
// 0.6·height wide; the text starts with its top-left corner at `top_left`.
// Returns the x just after the last glyph.
double stroke_text(Canvas& canvas, const std::string& text, Point top_left, double height,
                   double width, Rgb colour);
// Width stroke_text takes for the text at the given height.
double text_width(const std::string& text, double height);
