// icon_art.h — the 35 pictures of the viewer's icon palette, drawn from simple shapes.
//
// Every picture is a dark rounded button with a light rim and a light symbol,
// kIconSize pixels square, on pure black: the viewer reads icons with the
// reader that turns pure black transparent, so the corners outside the button
// vanish over the globe. Every drawn pixel has all three channels non-zero,
// so the pressed-look silhouette (made from the play picture) covers the
// whole button.
#pragma once

#include <string>
#include <vector>

#include "raster.h"

constexpr int kIconSize = 64; // pixels; about the size the palette shows at 800 × 600

// The picture file names in palette picture order ("play.ppm" … "forward-changelayer.ppm").
const std::vector<std::string>& icon_file_names();

// Draws the picture stored under `file_name`; an empty picture for a name
// that is not one of icon_file_names().
Picture draw_icon(const std::string& file_name);

// Writes all pictures into `folder` (which must exist). Returns false and
// names the file in `error` when one cannot be written.
bool write_icons(const std::string& folder, std::string* error);
