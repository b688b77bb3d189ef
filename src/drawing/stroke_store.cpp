// stroke_store.cpp — the stroke store's bookkeeping: ending strokes, drawing
// mode, undo and redo, the pen, fading, and what the frame draws.
#include <cmath>

#include "core/tyxparam.h"
#include "drawing/drawing_store.h"
#include "render/line_width.h"
#include "ui/icon_palette.h"

namespace {

// Stroke k's point range, cut to the points in use; last < first when the
// stroke has none.
void stroke_range(int k, int* first, int* last)
{
    *first = drawing.lines[k][0] < 0 ? 0 : drawing.lines[k][0];
    *last = drawing.lines[k][1] < kMaxDrawPoints ? drawing.lines[k][1] : kMaxDrawPoints - 1;
}

// Stores the pen into the strokes below `end` that follow it, so that they
// keep the look they show now once they no longer follow it.
void fix_pen_strokes(int end)
{
    for (int k = drawing.saved_num_line; k < end && k < kMaxStrokes; k++)
        stroke_pen(k, &drawing.mat_line_width_drawing[k], drawing.mat_color_drawing[k]);
}

} // namespace

void end_stroke()
{
    if (drawing.line_continue != 1)
        return;
    drawing.line_continue = 0;
    // Capture starts a stroke only while an entry is free.
    if (drawing.linenum < 0 || drawing.linenum >= kMaxStrokes)
        return;
    drawing.lines[drawing.linenum][1] = drawing.pointnum - 1;
    drawing.linenum++;
}

void toggle_drawing_mode()
{
    if (drawing.drawing_onoff == 1 || wnd.perspec == 1) {
        // A stroke left open would be continued from its old end when
        // drawing mode comes back.
        end_stroke();
        if (drawing.drawing_onoff == 1) {
            // Give back the configured drag setting rather than freeing drags
            // that "#NoMouseDragRotation" turned off.
            view.nomousedrag = drawing.nomousedrag_outside_drawing;
        }
        drawing.drawing_onoff = 0;
        show_drawing_icons(false);
        return;
    }
    drawing.nomousedrag_outside_drawing = view.nomousedrag;
    drawing.drawing_onoff = 1;
    view.nomousedrag = 1;
    show_drawing_icons(true);
}

bool undo_stroke()
{
    end_stroke(); // a key pressed mid-stroke removes that stroke
    if (drawing.linenum <= drawing.min_linenum_undo)
        return false;
    if (drawing.max_linenum_undo < drawing.linenum)
        drawing.max_linenum_undo = drawing.linenum;
    // The removed stroke's points become free again; they stay in place for
    // a redo until a new stroke takes them (which also rules out that redo).
    int first = drawing.lines[drawing.linenum - 1][0];
    if (first >= 0 && first <= drawing.pointnum)
        drawing.pointnum = first;
    drawing.linenum--;
    if (drawing.linenum < drawing.saved_num_line) {
        if (drawing.max_saved_num_line_undo < drawing.saved_num_line)
            drawing.max_saved_num_line_undo = drawing.saved_num_line;
        drawing.saved_num_line = drawing.linenum;
    }
    return true;
}

bool redo_stroke()
{
    end_stroke();
    if (drawing.linenum >= drawing.max_linenum_undo)
        return false;
    drawing.linenum++;
    drawing.pointnum = drawing.lines[drawing.linenum - 1][1] + 1;
    if (drawing.saved_num_line < drawing.max_saved_num_line_undo)
        drawing.saved_num_line++;
    return true;
}

float fade_factor(int level)
{
    if (level >= drawing.line_alpha_multiply_levels_max)
        return 0;
    return std::pow(drawing.line_alpha_multiply_exponent, static_cast<float>(level - 1));
}

void fade_strokes_more()
{
    if (drawing.line_alpha_multiply_levels >= drawing.line_alpha_multiply_levels_max)
        return;
    drawing.line_alpha_multiply_levels++;
    drawing.line_alpha_multiply = fade_factor(drawing.line_alpha_multiply_levels);
}

void fade_strokes_less()
{
    if (drawing.line_alpha_multiply_levels <= 1)
        return;
    drawing.line_alpha_multiply_levels--;
    drawing.line_alpha_multiply = fade_factor(drawing.line_alpha_multiply_levels);
}

int& configured_nomousedrag()
{
    return drawing.drawing_onoff == 1 ? drawing.nomousedrag_outside_drawing : view.nomousedrag;
}

void set_configured_pen(float width, const float color[4])
{
    bool same = width == drawing.line_width_drawing;
    for (int c = 0; c < 4; c++)
        same = same && color[c] == drawing.color_drawing[c];
    if (same)
        return;
    // A reload in the middle of a drag leaves that stroke as it began.
    int drawn = drawing.linenum + (drawing.line_continue == 1 ? 1 : 0);
    fix_pen_strokes(drawn);
    if (drawing.saved_num_line < drawn)
        drawing.saved_num_line = drawn;
    drawing.line_width_drawing = width;
    for (int c = 0; c < 4; c++)
        drawing.color_drawing[c] = color[c];
}

void select_pen_color(const float color[4])
{
    fix_pen_strokes(drawing.linenum);
    for (int c = 0; c < 4; c++)
        drawing.color_drawing[c] = color[c];
    drawing.saved_num_line = drawing.linenum;
}

int visible_stroke_count()
{
    if (drawing.drawing_display_onoff == 0 || drawing.pointnum <= 1)
        return 0;
    int n = drawing.linenum + (drawing.line_continue == 1 ? 1 : 0);
    return n < kMaxStrokes ? n : kMaxStrokes;
}

void stroke_pen(int k, float* width, float color[4])
{
    bool follows_pen = k >= drawing.saved_num_line;
    *width = follows_pen ? drawing.line_width_drawing : drawing.mat_line_width_drawing[k];
    const float* source = follows_pen ? drawing.color_drawing : drawing.mat_color_drawing[k];
    for (int c = 0; c < 4; c++)
        color[c] = source[c];
}

StrokeLook stroke_look(int k)
{
    StrokeLook look;
    stroke_range(k, &look.first, &look.last);
    float width;
    stroke_pen(k, &width, look.color);
    look.width = zoomed_line_width(width, view.scale_factor);
    // GL refuses a line width that is not positive (a width of 0 or below in
    // a file, a zoom of 0): such a stroke is not drawn.
    if (!(look.width > 0))
        look.last = look.first - 1;
    look.color[3] *= drawing.line_alpha_multiply;
    return look;
}
