// hour_label.h — the time caption that the demo shows as its screen layer, one per frame.
#pragma once

#include <string>

#include "raster.h"

// "21 JUN 06:00 UTC"-style caption: light lettering with a dark edge on pure
// black, which the viewer's screen layer shows as transparent. `date` may use
// the letters of stroke_text only.
Picture draw_hour_label(const std::string& date, int hour, int minute);
