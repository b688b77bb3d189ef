// font_faces.h — the fonts the text is drawn in: found through fontconfig,
// opened with FreeType, and rasterised into one glyph atlas per size. No GL
// here; text_gl.cpp uploads the atlases.
//
// The text face is txt.font ("#Font": a fontconfig pattern such as
// "DejaVu Sans" or "Noto Sans:bold", or the path of a font file); the key
// face, in which the key reference sets its keys, is DejaVu Sans Mono, whose
// I and l differ. A font that cannot be found or read is told once on
// standard error and replaced by DejaVu Sans; without any font at all the
// atlases are null and the GL side falls back to GLUT's bitmap font.
#pragma once

#include <string>

#include "text/glyph_atlas.h"

enum class TextFace { kText, kKeys };

constexpr const char* kDefaultFont = "DejaVu Sans";
constexpr const char* kDefaultFontFile = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
constexpr int kMinTextPixels = 4;
constexpr int kMaxTextPixels = 400;

// Pixels of a size in points (1/72 inch on a screen of 96 pixels an inch),
// kept within kMinTextPixels .. kMaxTextPixels; a size that is not a number
// gives the smallest.
int points_to_pixels(double points);

// The font file that `wanted` names: the file itself when it is a path
// (contains "/"), else fontconfig's match. When that is not the font asked
// for, `message` receives the line that says so and the default font is
// used; empty when none is found at all.
std::string find_font_file(const std::string& wanted, std::string* message);

// The atlas of `face` at `pixels` (clamped as above), made on first use.
// Loads the faces first, and again whenever txt.font changed, which drops
// every atlas made so far. Null when no font can be loaded. Called on the
// GLUT thread only.
GlyphAtlas* text_atlas(TextFace face, int pixels);

// True while the atlas with this id exists (the GL side deletes the textures
// of atlases that are gone).
bool text_atlas_exists(unsigned long id);

// Changes whenever atlases are dropped.
unsigned long text_atlas_set_generation();
