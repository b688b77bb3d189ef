// texture_scaling.h — shrinking images that exceed the graphics card's texture
// size. No GL here; the limit is passed in.
#pragma once

#include "core/tyxparam.h"

// Size that fits `width` x `height` within `limit` on both sides, keeping the
// aspect (each side at least 1). Returns false, leaving the size unchanged,
// when the image already fits or the limit is not positive.
bool fit_texture_size(int width, int height, int limit, int* fitted_width, int* fitted_height);

// Box-filtered copy of `source` at the new size: every target pixel is the
// rounded mean of the source pixels whose centres fall into its footprint.
// Works on any channel count; `source` must hold pixels.
TexImage box_downscale(const TexImage& source, int width, int height);

// Shrinks `image` in place when it exceeds `limit`. Returns true when it did.
bool shrink_to_limit(TexImage& image, int limit);

// Says once per run on standard error that images are being shrunk to
// `limit`. Safe to call from the decoding threads.
void note_image_scaled(int limit);
