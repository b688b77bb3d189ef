// timebar_gl.cpp — draws the time bar (end caps, knob, groove).
#include <GL/gl.h>

#include "core/tyxparam.h"
#include "render/flat_quad_gl.h"
#include "render/timebar.h"

// Called by display_earth after the globe, with the depth function set to
// always pass. GL state: expects the camera alone on the model-view stack and
// texturing off; changes only the current colour (left dark grey).
void functimebar()
{
    double s = overlay.time_scale;
    if (!timebar_has_size(s))
        return;
    TimebarShape shape = timebar_shape(s);
    double x = overlay.time_x, y = overlay.time_y;
    double middle = y - shape.height / 2;
    double right_cap = x + shape.length;

    glColor4fv(overlay.timebar_cap_color);
    glBegin(GL_QUADS);
    flat_quad_corners(x, y, x + shape.cap, y - shape.height);
    flat_quad_corners(right_cap, y, right_cap + shape.cap, y - shape.height);
    glEnd();

    glColor4fv(overlay.gray);

    // Without frames there is nothing for the knob to show.
    if (play.ntimemax >= 1) {
        double p = timebar_knob_offset(play.ntime, play.ntimemax, s);
        glBegin(GL_QUADS);
        flat_quad_corners(x + p, middle + shape.knob_height / 2, x + p + shape.knob_width,
                          middle - shape.knob_height / 2);
        glEnd();
    }

    // The groove goes last and so crosses the knob.
    glColor4fv(overlay.darkgray);
    glBegin(GL_QUADS);
    flat_quad_corners(x, middle + shape.groove / 2, right_cap + shape.cap,
                      middle - shape.groove / 2);
    glEnd();
}
