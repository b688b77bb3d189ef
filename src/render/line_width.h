// line_width.h — the width in pixels of a line drawn on a zoomed globe. No GL.
#pragma once

#include <cmath>

// A line of `width` pixels at zoom 1, seen at `zoom`. A negative eye position
// stores the zoom negated, and GL refuses a negative width, so the width
// follows the zoom's magnitude. Used for the graticule, the plotted lines and
// the freehand strokes alike.
inline float zoomed_line_width(float width, float zoom)
{
    return width * std::fabs(zoom);
}
