// icon_palette_gl.cpp — draws the icon palette.
#include "ui/icon_palette.h"

#include <GL/freeglut.h>

#include "core/tyxparam.h"
#include "render/flat_quad_gl.h"

namespace {

// One textured square with its top-left corner at (x, y) and side s; the
// picture's first row at the top.
void draw_icon_quad(unsigned int texture, double x, double y, double s)
{
    glBindTexture(GL_TEXTURE_2D, texture);
    draw_flat_picture(x, y, s, s);
}

} // namespace

// GL state: expects the camera alone on the model-view stack, the depth
// function passing always, blending SRC_ALPHA / ONE_MINUS_SRC_ALPHA and the
// texture environment GL_REPLACE. Leaves 2D texturing off and the last
// picture's texture bound.
void show_icon()
{
    int window = glutGetWindow();
    for (int i = 0; i < icon_places_in_use(); i++) {
        int picture = icon_picture(i);
        // No texture when the pictures were never uploaded (the palette was
        // off at the first load and a reload brought "#Icon" back): an
        // untextured square would show instead.
        if (picture < 0 || img.icontexName[picture] == 0)
            continue;
        double x = icons.icon_posi_x[i], y = icons.icon_posi_y[i], s = icons.icon_scale[i];
        draw_icon_quad(img.icontexName[picture], x, y, s);
        if (icon_shows_pressed(i, window) && img.pushed_icontexName != 0)
            draw_icon_quad(img.pushed_icontexName, x, y, s);
    }
}
