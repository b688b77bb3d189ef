// help_overlay_gl.cpp — the black screen and the key and mouse reference drawn
// over a finished frame, with GLUT's bitmap fonts.
#include <GL/freeglut.h>

#include <algorithm>

#include "core/tyxparam.h"
#include "ui/help_overlay.h"

namespace {

// The fonts the reference may use, largest first: the largest that fits the
// window is taken, so that a full screen gets a text that reads from afar.
// Keys are set in a font whose I and l differ.
struct FontPair {
    void* text;
    void* key;
};

const std::vector<FontPair>& bitmap_fonts()
{
    static const std::vector<FontPair> fonts = {
        {GLUT_BITMAP_TIMES_ROMAN_24, GLUT_BITMAP_TIMES_ROMAN_24},
        {GLUT_BITMAP_HELVETICA_18, GLUT_BITMAP_9_BY_15},
        {GLUT_BITMAP_HELVETICA_12, GLUT_BITMAP_8_BY_13},
        {GLUT_BITMAP_HELVETICA_10, GLUT_BITMAP_8_BY_13},
    };
    return fonts;
}

std::function<int(const std::string&)> measure(void* bitmap)
{
    return [bitmap](const std::string& text) {
        return glutBitmapLength(bitmap, reinterpret_cast<const unsigned char*>(text.c_str()));
    };
}

std::vector<HelpFont> help_fonts()
{
    std::vector<HelpFont> fonts;
    for (const FontPair& pair : bitmap_fonts()) {
        HelpFont font;
        font.line_height = std::max(glutBitmapHeight(pair.text), glutBitmapHeight(pair.key));
        font.ascent = font.line_height * 3 / 4;
        font.width = measure(pair.text);
        font.key_width = measure(pair.key);
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
    HelpLayout layout;
};
CachedHelp cached_help[2];

const HelpLayout& help_layout(int index, int width, int height)
{
    CachedHelp& c = cached_help[index];
    bool presentation = icons.presentation_remote == 1;
    if (c.width != width || c.height != height || c.presentation != presentation) {
        c.layout = layout_help(help_title(presentation), help_lines(presentation), width, height,
                               help_fonts());
        c.width = width;
        c.height = height;
        c.presentation = presentation;
    }
    return c.layout;
}

// GL state: expects blending on (SRC_ALPHA, ONE_MINUS_SRC_ALPHA) and depth
// testing and texturing off, as the frame leaves them. Draws in window pixels
// through its own projection and restores both matrices; leaves the current
// colour white, GL's default.
void draw_help(int index, int width, int height)
{
    const HelpLayout& layout = help_layout(index, width, height);
    if (layout.font < 0)
        return;
    const FontPair& fonts = bitmap_fonts()[layout.font];

    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0, width, height, 0, -1, 1); // y downwards, as the layout counts
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();

    // Counter-clockwise on the screen, so back-face culling keeps it.
    const int l = layout.left, t = layout.top;
    const int r = l + layout.width, b = t + layout.height;
    glColor4f(0, 0, 0, 0.85f);
    glBegin(GL_QUADS);
    glVertex2i(l, t);
    glVertex2i(l, b);
    glVertex2i(r, b);
    glVertex2i(r, t);
    glEnd();

    glColor4f(1, 1, 1, 1);
    for (const HelpText& text : layout.texts) {
        void* font = text.key ? fonts.key : fonts.text;
        glRasterPos2i(text.x, text.baseline);
        for (char c : text.text)
            glutBitmapCharacter(font, static_cast<unsigned char>(c));
    }

    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
}

} // namespace

void cover_window(bool second_window)
{
    int index = second_window ? 1 : 0;
    if (overlay.blank_onoff[index] == 1) {
        glClear(GL_COLOR_BUFFER_BIT); // the clear colour is black
        return;
    }
    if (overlay.help_onoff[index] == 1) {
        GLint viewport[4];
        glGetIntegerv(GL_VIEWPORT, viewport);
        draw_help(index, viewport[2], viewport[3]);
    }
}
