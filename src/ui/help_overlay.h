// help_overlay.h — the key and mouse reference that key ? shows over a window:
// its lines, made from the key and pointer bindings and the command table's
// descriptions (so it always says what the keys do), and their layout in the
// window. No GL here; help_overlay_gl.cpp draws it.
//
// Conventions: layout positions are window pixels from the top-left corner,
// y downwards; a text's position is its left end on its baseline.
#pragma once

#include <functional>
#include <string>
#include <vector>

// One line of the reference: the keys or mouse actions, and what they do.
struct HelpLine {
    std::string keys; // "a, PageDown"
    std::string text; // "One map forward"
};

// The heading, naming the key that closes the reference.
std::string help_title(bool presentation_mode);

// The reference for the current key mode: one line per command that has a key
// in that mode (its keys in binding order, then the command's description),
// in the order of the key table; then the mouse: the wheel's bindings, the
// drag gestures and, where it is on, the time bar's scrubbing. With a lesson
// loaded its step keys are listed, and the map steps they replace are not.
std::vector<HelpLine> help_lines(bool presentation_mode, bool lesson_loaded = false);

// What the layout needs to know of a font: one for the descriptions and one
// for the keys, which must tell I from l.
struct HelpFont {
    int line_height = 0;                          // pixels from one baseline to the next
    int ascent = 0;                               // pixels from the top of a line to its baseline
    std::function<int(const std::string&)> width; // pixels a description takes
    std::function<int(const std::string&)> key_width; // pixels a key column entry takes
};

struct HelpText {
    int x = 0, baseline = 0;
    bool key = false; // set in the key font
    std::string text;
};

struct HelpLayout {
    int font = -1; // index into the fonts given; -1 when there was none
    int left = 0, top = 0, width = 0, height = 0; // the box the texts take
    std::vector<HelpText> texts;
};

// Places the title and the lines on a backing box centred in a window of
// `width` x `height` pixels: with the first of `fonts` (largest first) that
// fits in one, two or three columns (fewest first), the lines running down
// each column in turn. When none fits, the last font in three columns, the
// box kept at the window's top-left corner so that the start stays in view.
HelpLayout layout_help(const std::string& title, const std::vector<HelpLine>& lines, int width,
                       int height, const std::vector<HelpFont>& fonts);

// ---------------------------------------------------------------------------
// GL side (help_overlay_gl.cpp).

// What the presenter keys put over a finished frame of window 1 or window 2,
// right before its swap: black over everything while the window is blanked
// (key .), else the reference over everything while it is shown (key ?).
// Then the window is made opaque, so that nothing shows through where
// translucent things were drawn.
void cover_window(bool second_window);
