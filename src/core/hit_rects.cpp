// hit_rects.cpp — maps the screen-unit placement of icons and palette cells to
// window pixels. The view spans y from -2 to 2 and x from -2*aspect to
// 2*aspect whatever size_ortho is; rows count from the top.
#include "core/hit_rects.h"

#include "core/tyxparam.h"

void compute_hit_rectangles(int which, int width, int height)
{
    if (which != 0 && which != 1)
        return;
    double aspect = static_cast<double>(width) / height;
    double quarter = height / 4.0;
    auto column = [&](double x) { return (x + 2 * aspect) * quarter; };
    auto row = [&](double y) { return (2 - y) * quarter; };

    int count = icons.int_button < kIconPlaces ? icons.int_button : kIconPlaces;
    for (int i = 0; i < count; i++) {
        double x = icons.icon_posi_x[i], y = icons.icon_posi_y[i], s = icons.icon_scale[i];
        icons.icon_posi_x_window[which][i][0] = column(x);
        icons.icon_posi_x_window[which][i][1] = column(x + s);
        icons.icon_posi_y_window[which][i][0] = row(y);
        icons.icon_posi_y_window[which][i][1] = row(y - s);
    }

    double p = drawing.pscale, x = drawing.palette_posi_x, y = drawing.palette_posi_y;
    for (int j = 0; j < kPaletteCells; j++) {
        drawing.palette_posi_x_window[which][j][0] = column(x);
        drawing.palette_posi_x_window[which][j][1] = column(x + p);
        drawing.palette_posi_y_window[which][j][0] = row(y - (j + 1) * p);
        drawing.palette_posi_y_window[which][j][1] = row(y - (j + 1) * p - p);
    }
}
