// drawing_palette.cpp — pen colour selection from the palette's swatches.
#include "drawing/drawing_palette.h"

#include "core/tyxparam.h"
#include "drawing/drawing_store.h"
#include "view/mouse_drag.h"

namespace {

bool on_swatch(int which, int i, int x, int y)
{
    return strictly_inside(drawing.palette_posi_x_window[which][i],
                           drawing.palette_posi_y_window[which][i], x, y);
}

} // namespace

void press_palette(int x, int y, bool second_window)
{
    for (int i = 0; i < kPaletteCells; i++)
        if (on_swatch(second_window ? 1 : 0, i, x, y))
            drawing.pushbutton_palette[i] = 1;
}

void release_palette(int x, int y, bool second_window)
{
    for (int i = 0; i < kPaletteCells; i++)
        if (drawing.pushbutton_palette[i] == 1 && on_swatch(second_window ? 1 : 0, i, x, y))
            select_pen_color(drawing.color_palette[i]);
    for (int i = 0; i < kPaletteCells; i++)
        drawing.pushbutton_palette[i] = 0;
}
