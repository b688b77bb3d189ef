// help_overlay_gl.cpp — what goes over a finished frame: the black screen,
// or the key and mouse reference over everything else; and the window's
// alpha made opaque, so that nothing drawn earlier shows through.
#include <GL/gl.h>

#include <algorithm>
#include <cmath>

#include "core/tyxparam.h"
#include "lesson/lesson_steps.h"
#include "text/text_gl.h"
#include "ui/help_overlay.h"

namespace {

// The text sizes the reference may use, largest first: the largest that fits
// the window is taken, so that a full screen gets a text that reads from afar.
// Keys are set in the key face, whose I and l differ.
constexpr int kHelpPixels[] = {20, 15, 12, 10};

std::vector<HelpFont> help_fonts()
{
    std::vector<HelpFont> fonts;
    for (int pixels : kHelpPixels) {
        const TextMetrics text = text_metrics(TextFace::kText, pixels);
        const TextMetrics keys = text_metrics(TextFace::kKeys, pixels);
        HelpFont font;
        font.line_height = std::max(text.line_height, keys.line_height);
        font.ascent = std::max(text.ascent, keys.ascent);
        font.width = [pixels](const std::string& s) {
            return static_cast<int>(std::ceil(measure_text(TextFace::kText, pixels, s)));
        };
        font.key_width = [pixels](const std::string& s) {
            return static_cast<int>(std::ceil(measure_text(TextFace::kKeys, pixels, s)));
        };
        fonts.push_back(font);
    }
    return fonts;
}

// The layout of each window's reference, made again only when the window's
// size or the key mode changed, so that a frame with the reference shown
// allocates nothing.
struct CachedHelp {
    int width = -1, height = -1;
    bool presentation = false;
    bool lesson = false;
    HelpLayout layout;
};
CachedHelp cached_help[2];

const HelpLayout& help_layout(int index, int width, int height)
{
    CachedHelp& c = cached_help[index];
    bool presentation = icons.presentation_remote == 1;
    bool lesson = lesson_loaded();
    if (c.width != width || c.height != height || c.presentation != presentation ||
        c.lesson != lesson) {
        c.layout = layout_help(help_title(presentation), help_lines(presentation, lesson), width,
                               height, help_fonts());
        c.width = width;
        c.height = height;
        c.presentation = presentation;
        c.lesson = lesson;
    }
    return c.layout;
}

// In a text pass of its own, over everything drawn before.
void draw_help(int index, int width, int height)
{
    const HelpLayout& layout = help_layout(index, width, height);
    if (layout.font < 0)
        return;
    const int pixels = kHelpPixels[layout.font];
    begin_text_pass();
    // The whole window is dimmed, not only the reference's box: a caption or
    // an icon beside the box would otherwise stand out at full brightness.
    const float backing[4] = {0, 0, 0, 0.85f};
    fill_text_backing(0, 0, float(width), float(height), backing);
    const float white[4] = {1, 1, 1, 1};
    for (const HelpText& text : layout.texts)
        draw_text(text.key ? TextFace::kKeys : TextFace::kText, pixels, text.text, text.x,
                  text.baseline, white);
    end_text_pass();
}

// Blending leaves the window's alpha below 1 wherever something translucent
// was drawn, and a compositor or a screenshot would let the desktop show
// through there: the finished frame is made opaque.
void make_window_opaque()
{
    GLfloat clear[4];
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
    glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_TRUE);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glClearColor(clear[0], clear[1], clear[2], clear[3]);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
}

} // namespace

void cover_window(bool second_window)
{
    int index = second_window ? 1 : 0;
    if (overlay.blank_onoff[index] == 1) {
        glClear(GL_COLOR_BUFFER_BIT); // the clear colour is black
    } else if (overlay.help_onoff[index] == 1) {
        GLint viewport[4];
        glGetIntegerv(GL_VIEWPORT, viewport);
        draw_help(index, viewport[2], viewport[3]);
    }
    make_window_opaque();
}
