// icon_art.cpp — the symbols of the icon pictures, on a 64-pixel design grid.
//
// Section index: button and shared symbols; playback; view; screen layer and
// layers; palette and drawing; the picture table.
#include "icon_art.h"

#include <cmath>

namespace {

constexpr Rgb kBody{22, 26, 34};     // button face
constexpr Rgb kRim{150, 160, 176};   // button outline
constexpr Rgb kInk{236, 238, 242};   // symbols
constexpr Rgb kDim{104, 110, 120};   // symbols of a switched-off state
constexpr Rgb kRed{228, 74, 60};     // crossing-out, stop, quit
constexpr Rgb kYellow{250, 204, 64}; // the active pencil
constexpr Rgb kBlue{96, 160, 232};   // second layer sheet
constexpr double kStroke = 4.5;      // main symbol line width, pixels

// ---------------------------------------------------------------------------
// Button and shared symbols

void draw_button(Canvas& c)
{
    fill_rounded_rect(c, 2, 2, 62, 62, 12, kBody);
    stroke_rounded_rect(c, 2, 2, 62, 62, 12, 2.5, kRim);
}

// Filled arrow head with its tip at `tip`, pointing along the angle (degrees, y down).
void draw_arrow_head(Canvas& c, Point tip, double angle, double length, double half_width,
                     Rgb colour)
{
    const double a = angle * 3.141592653589793 / 180;
    const double dx = std::cos(a), dy = std::sin(a);
    const Point base{tip.x - dx * length, tip.y - dy * length};
    fill_polygon(c,
                 {tip,
                  {base.x - dy * half_width, base.y + dx * half_width},
                  {base.x + dy * half_width, base.y - dx * half_width}},
                 colour);
}

// Straight arrow from `from` to the tip `to`.
void draw_arrow(Canvas& c, Point from, Point to, double width, Rgb colour)
{
    const double angle = std::atan2(to.y - from.y, to.x - from.x) * 180 / 3.141592653589793;
    const double head = 2.6 * width;
    const double len = std::hypot(to.x - from.x, to.y - from.y);
    const Point neck{to.x - (to.x - from.x) / len * head * 0.8,
                     to.y - (to.y - from.y) / len * head * 0.8};
    stroke_line(c, from, neck, width, colour);
    draw_arrow_head(c, to, angle, head, head * 0.75, colour);
}

// Red bar from the upper left to the lower right, with a margin of button face.
void draw_cross_out(Canvas& c)
{
    stroke_line(c, {15, 15}, {49, 49}, 9, kBody);
    stroke_line(c, {15, 15}, {49, 49}, 4.5, kRed);
}

void draw_triangle_right(Canvas& c, double x0, double y0, double x1, double y1, Rgb colour)
{
    fill_polygon(c, {{x0, y0}, {x1, (y0 + y1) / 2}, {x0, y1}}, colour);
}

void draw_triangle_left(Canvas& c, double x0, double y0, double x1, double y1, Rgb colour)
{
    fill_polygon(c, {{x1, y0}, {x0, (y0 + y1) / 2}, {x1, y1}}, colour);
}

// Globe seen from the side: outline, meridian ellipse, equator and two parallels.
void draw_graticule(Canvas& c, Rgb colour)
{
    const Point centre{32, 32};
    stroke_arc(c, centre, 20, 20, 0, 360, 3.5, colour);
    stroke_arc(c, centre, 9, 20, 0, 360, 2.5, colour);
    stroke_line(c, {32, 12}, {32, 52}, 2.5, colour);
    stroke_line(c, {12, 32}, {52, 32}, 2.5, colour);
    stroke_line(c, {15.5, 21}, {48.5, 21}, 2.5, colour);
    stroke_line(c, {15.5, 43}, {48.5, 43}, 2.5, colour);
}

// Axis with a turning arrow round it (the spin symbol). The globe turns
// eastward, so the near side of the orbit runs from left to right.
void draw_spin(Canvas& c, Rgb colour)
{
    const Point centre{32, 36};
    const double rx = 21, ry = 8;
    // The far half passes behind the axis: leave a gap there.
    stroke_arc(c, centre, rx, ry, 180, 262, 3.5, colour);
    stroke_arc(c, centre, rx, ry, 278, 360, 3.5, colour);
    stroke_line(c, {32, 9}, {32, 55}, 4, colour);
    stroke_arc(c, centre, rx, ry, 40, 180, 3.5, colour);
    // Head at the right end of the near half, along the orbit.
    const Point tip = arc_point(centre, rx, ry, 8);
    const Point tail = arc_point(centre, rx, ry, 40);
    draw_arrow_head(c, tip, std::atan2(tip.y - tail.y, tip.x - tail.x) * 180 / 3.141592653589793,
                    11, 7, colour);
}

// Two stacked sheets seen at a slant; the front one at the bottom.
void draw_sheets(Canvas& c, double x, double y, double size, Rgb back, Rgb front)
{
    auto sheet = [&](double dy, Rgb colour) {
        const std::vector<Point> corners{{x + size * 0.30, y + dy},
                                         {x + size, y + dy},
                                         {x + size * 0.70, y + dy + size * 0.42},
                                         {x, y + dy + size * 0.42}};
        fill_polygon(c, corners, kBody);
        stroke_polyline(c, {corners[0], corners[1], corners[2], corners[3], corners[0]}, 3, colour);
    };
    sheet(0, back);
    sheet(size * 0.28, front);
}

// A screen image: a small framed rectangle.
void draw_screen_frame(Canvas& c, double x0, double y0, double x1, double y1)
{
    stroke_rect(c, x0, y0, x1, y1, 3.5, kInk);
}

void draw_pencil(Canvas& c, Rgb colour)
{
    // Body along the diagonal from the lower left (tip) to the upper right.
    const double d = 6.5; // half width across the body
    const Point tip{14, 50}, wood{22, 42}, end{47, 17};
    const double k = d / std::sqrt(2.0);
    fill_polygon(c,
                 {{wood.x - k, wood.y - k},
                  {end.x - k, end.y - k},
                  {end.x + k, end.y + k},
                  {wood.x + k, wood.y + k}},
                 colour);
    fill_polygon(c, {{wood.x - k, wood.y - k}, {wood.x + k, wood.y + k}, tip}, colour);
    // Band between wood and body, cap at the end.
    stroke_line(c, {wood.x - k, wood.y - k}, {wood.x + k, wood.y + k}, 2, kBody);
    stroke_line(c, {end.x - k - 4, end.y - k + 4}, {end.x + k - 4, end.y + k + 4}, 2, kBody);
}

// ---------------------------------------------------------------------------
// Playback

void draw_play(Canvas& c)
{
    draw_triangle_right(c, 22, 16, 48, 48, kInk);
}

void draw_pause(Canvas& c)
{
    fill_rounded_rect(c, 20, 17, 28, 47, 2, kInk);
    fill_rounded_rect(c, 36, 17, 44, 47, 2, kInk);
}

void draw_r_play(Canvas& c)
{
    draw_triangle_left(c, 16, 16, 42, 48, kInk);
}

void draw_forward(Canvas& c)
{
    draw_triangle_right(c, 18, 18, 40, 46, kInk);
    fill_rect(c, 41, 18, 47, 46, kInk);
}

void draw_back(Canvas& c)
{
    draw_triangle_left(c, 24, 18, 46, 46, kInk);
    fill_rect(c, 17, 18, 23, 46, kInk);
}

void draw_fast(Canvas& c)
{
    draw_triangle_right(c, 12, 19, 32, 45, kInk);
    draw_triangle_right(c, 32, 19, 52, 45, kInk);
}

void draw_slow(Canvas& c)
{
    // One hollow triangle: the play symbol with less weight.
    stroke_polyline(c, {{23, 20}, {43, 32}, {23, 44}, {23, 20}}, 4, kInk);
}

void draw_spin_icon(Canvas& c)
{
    draw_spin(c, kInk);
}

void draw_stop_spin(Canvas& c)
{
    draw_spin(c, kInk);
    fill_rounded_rect(c, 37, 37, 57, 57, 3, kBody);
    fill_rounded_rect(c, 40, 40, 54, 54, 2, kRed);
}

// ---------------------------------------------------------------------------
// View

void draw_initial(Canvas& c)
{
    // A house: back to the starting view.
    fill_polygon(c, {{32, 12}, {53, 31}, {11, 31}}, kInk);
    fill_rect(c, 17, 30, 47, 51, kInk);
    fill_rect(c, 28, 37, 36, 51, kBody);
}

void draw_line(Canvas& c)
{
    draw_graticule(c, kInk);
}

void draw_delete_line(Canvas& c)
{
    draw_graticule(c, kDim);
    draw_cross_out(c);
}

void draw_magnifier(Canvas& c)
{
    stroke_arc(c, {28, 28}, 13, 13, 0, 360, 4.5, kInk);
    stroke_line(c, {38, 38}, {50, 50}, 7, kInk);
    stroke_line(c, {21, 28}, {35, 28}, 4, kInk);
}

void draw_zoomin(Canvas& c)
{
    draw_magnifier(c);
    stroke_line(c, {28, 21}, {28, 35}, 4, kInk);
}

void draw_zoomout(Canvas& c)
{
    draw_magnifier(c);
}

void draw_north(Canvas& c)
{
    draw_arrow_head(c, {32, 9}, 270, 11, 9, kInk);
    stroke_polyline(c, {{22, 50}, {22, 25}, {42, 50}, {42, 25}}, kStroke, kInk);
}

void draw_quit(Canvas& c)
{
    // Power symbol.
    stroke_arc(c, {32, 34}, 16, 16, 300, 600, 5, kRed);
    stroke_line(c, {32, 12}, {32, 32}, 5, kRed);
}

// Four corner brackets; `outward` puts the corners at the outside.
void draw_corners(Canvas& c, bool outward)
{
    const double near = 16, far = 48, arm = 10;
    for (int sx = -1; sx <= 1; sx += 2) {
        for (int sy = -1; sy <= 1; sy += 2) {
            const double cx = sx < 0 ? near : far, cy = sy < 0 ? near : far;
            if (outward) {
                stroke_polyline(c, {{cx, cy - sy * arm}, {cx, cy}, {cx - sx * arm, cy}}, kStroke,
                                kInk);
            } else {
                const double ix = cx - sx * 8, iy = cy - sy * 8;
                stroke_polyline(c, {{ix, iy + sy * arm}, {ix, iy}, {ix + sx * arm, iy}}, kStroke,
                                kInk);
            }
        }
    }
}

void draw_normalscreen(Canvas& c)
{
    draw_corners(c, false);
}

void draw_fullscreen(Canvas& c)
{
    draw_corners(c, true);
}

// ---------------------------------------------------------------------------
// Screen layer and layers

void draw_logo_small(Canvas& c)
{
    draw_screen_frame(c, 13, 17, 51, 47);
    stroke_line(c, {23, 32}, {41, 32}, kStroke, kInk);
}

void draw_logo_large(Canvas& c)
{
    draw_screen_frame(c, 13, 17, 51, 47);
    stroke_line(c, {23, 32}, {41, 32}, kStroke, kInk);
    stroke_line(c, {32, 23}, {32, 41}, kStroke, kInk);
}

void draw_logo_left(Canvas& c)
{
    draw_screen_frame(c, 32, 22, 52, 42);
    draw_arrow(c, {28, 32}, {10, 32}, 4, kInk);
}

void draw_logo_right(Canvas& c)
{
    draw_screen_frame(c, 12, 22, 32, 42);
    draw_arrow(c, {36, 32}, {54, 32}, 4, kInk);
}

void draw_logo_down(Canvas& c)
{
    draw_screen_frame(c, 20, 12, 44, 30);
    draw_arrow(c, {32, 34}, {32, 54}, 4, kInk);
}

void draw_logo_up(Canvas& c)
{
    draw_screen_frame(c, 20, 34, 44, 52);
    draw_arrow(c, {32, 30}, {32, 10}, 4, kInk);
}

void draw_layer1(Canvas& c)
{
    draw_sheets(c, 8, 23, 32, kDim, kInk);
    stroke_text(c, "1", {44, 14}, 18, 3.5, kInk);
}

void draw_layer2(Canvas& c)
{
    draw_sheets(c, 8, 23, 32, kInk, kBlue);
    stroke_text(c, "2", {42, 14}, 18, 3.5, kInk);
}

void draw_screen_on(Canvas& c)
{
    fill_rounded_rect(c, 13, 18, 51, 46, 3, kInk);
}

void draw_screen_off(Canvas& c)
{
    stroke_rounded_rect(c, 13, 18, 51, 46, 3, 3.5, kInk);
}

// 3 × 3 small squares, filled or outlined.
void draw_square_grid(Canvas& c, bool filled)
{
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < 3; ++col) {
            const double x = 14 + col * 13, y = 14 + row * 13;
            if (filled)
                fill_rounded_rect(c, x, y, x + 10, y + 10, 2, kInk);
            else
                stroke_rounded_rect(c, x, y, x + 10, y + 10, 2, 2.5, kDim);
        }
    }
}

void draw_icon_on(Canvas& c)
{
    draw_square_grid(c, true);
}

void draw_icon_off(Canvas& c)
{
    draw_square_grid(c, false);
    draw_cross_out(c);
}

// ---------------------------------------------------------------------------
// Drawing

void draw_drawing_off(Canvas& c)
{
    draw_pencil(c, kDim);
}

void draw_drawing_on(Canvas& c)
{
    draw_pencil(c, kYellow);
    stroke_polyline(c, {{32, 52}, {40, 47}, {46, 51}, {53, 46}}, 3, kInk);
}

void draw_drawing_erase(Canvas& c)
{
    // Undo: a U-turn arrow pointing back to the left.
    stroke_line(c, {22, 22}, {36, 22}, kStroke, kInk);
    stroke_arc(c, {36, 33}, 12, 11, 270, 450, kStroke, kInk);
    stroke_line(c, {36, 44}, {20, 44}, kStroke, kInk);
    draw_arrow_head(c, {10, 22}, 180, 13, 8, kInk);
}

void draw_drawing_save(Canvas& c)
{
    // Floppy disk: body with a clipped corner, shutter and label.
    fill_polygon(c, {{14, 14}, {44, 14}, {50, 20}, {50, 50}, {14, 50}}, kInk);
    fill_rect(c, 21, 14, 41, 26, kBody);
    fill_rect(c, 34, 16, 39, 24, kInk);
    fill_rounded_rect(c, 20, 33, 44, 50, 2, kBody);
    stroke_line(c, {24, 39}, {40, 39}, 2, kDim);
    stroke_line(c, {24, 44}, {40, 44}, 2, kDim);
}

void draw_forward_changelayer(Canvas& c)
{
    draw_triangle_right(c, 22, 9, 37, 27, kInk);
    fill_rect(c, 38, 9, 43, 27, kInk);
    draw_sheets(c, 13, 31, 38, kInk, kBlue);
}

// ---------------------------------------------------------------------------
// The picture table, in palette picture order.

struct IconArt {
    const char* file_name;
    void (*draw)(Canvas&);
};

const IconArt kIconArt[] = {
    {"play.ppm", draw_play},
    {"pause.ppm", draw_pause},
    {"initial.ppm", draw_initial},
    {"r_play.ppm", draw_r_play},
    {"spin.ppm", draw_spin_icon},
    {"stop_spin.ppm", draw_stop_spin},
    {"forward.ppm", draw_forward},
    {"back.ppm", draw_back},
    {"line.ppm", draw_line},
    {"delete_line.ppm", draw_delete_line},
    {"zoomin.ppm", draw_zoomin},
    {"zoomout.ppm", draw_zoomout},
    {"north.ppm", draw_north},
    {"fast.ppm", draw_fast},
    {"slow.ppm", draw_slow},
    {"quit.ppm", draw_quit},
    {"normalscreen.ppm", draw_normalscreen},
    {"fullscreen.ppm", draw_fullscreen},
    {"logo_small.ppm", draw_logo_small},
    {"logo_large.ppm", draw_logo_large},
    {"logo_left.ppm", draw_logo_left},
    {"logo_right.ppm", draw_logo_right},
    {"logo_down.ppm", draw_logo_down},
    {"logo_up.ppm", draw_logo_up},
    {"layer1.ppm", draw_layer1},
    {"layer2.ppm", draw_layer2},
    {"screen_on.ppm", draw_screen_on},
    {"screen_off.ppm", draw_screen_off},
    {"icon_on.ppm", draw_icon_on},
    {"icon_off.ppm", draw_icon_off},
    {"drawing_off.ppm", draw_drawing_off},
    {"drawing_on.ppm", draw_drawing_on},
    {"drawing_erase.ppm", draw_drawing_erase},
    {"drawing_save.ppm", draw_drawing_save},
    {"forward-changelayer.ppm", draw_forward_changelayer},
};

} // namespace

const std::vector<std::string>& icon_file_names()
{
    static const std::vector<std::string> names = [] {
        std::vector<std::string> list;
        for (const IconArt& art : kIconArt)
            list.push_back(art.file_name);
        return list;
    }();
    return names;
}

Picture draw_icon(const std::string& file_name)
{
    for (const IconArt& art : kIconArt) {
        if (file_name == art.file_name) {
            Canvas canvas = make_canvas(kIconSize, kIconSize);
            draw_button(canvas);
            art.draw(canvas);
            return resolve_canvas(canvas);
        }
    }
    return {};
}

bool write_icons(const std::string& folder, std::string* error)
{
    for (const IconArt& art : kIconArt) {
        const std::string path = folder + "/" + art.file_name;
        if (!write_ppm(path, draw_icon(art.file_name))) {
            if (error != nullptr)
                *error = "cannot write " + path;
            return false;
        }
    }
    return true;
}
