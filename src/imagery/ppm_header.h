// ppm_header.h — the binary PPM ("P6") header parser shared by the PPM readers.
// No GL here.
#pragma once

#include <cstdio>

struct PpmHeader {
    int width = 0;  // pixels, 1 .. kMaxImageSide
    int height = 0; // pixels, 1 .. kMaxImageSide
    int maxval = 0; // largest sample value, 1 .. 65535; above 255 samples take two bytes
};

// Reads the header from the start of fp and leaves fp at the first sample
// byte. False (header unusable) for a magic other than P6, a missing or
// malformed number, a side outside 1 .. kMaxImageSide or a maximum value
// outside 1 .. 65535.
//
// Accepts the netpbm layout (fields separated by any whitespace, "#" comments
// up to the line end wherever whitespace may stand) and therefore also the
// line layout that older tyx data files use: magic line, comment lines, an
// empty line, "width height" line, maximum-value line, samples. Line ends may
// be LF or CR LF. Where the maximum value stands alone on its line, the rest of
// that line (blanks, a comment, or other text when the samples still fit after
// it) is skipped before the samples; otherwise exactly one whitespace character
// (CR LF counting as one) separates them. A refused header leaves its reason in
// last_image_problem().
bool parse_ppm_header(FILE* fp, PpmHeader* header);
