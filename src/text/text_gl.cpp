// text_gl.cpp — the atlas textures and the text drawing of each GL context.
#include "text/text_gl.h"

#include <GL/freeglut.h>

#include <algorithm>
#include <map>

#include "text/utf8.h"

namespace {

// One atlas as uploaded in one context.
struct AtlasTexture {
    GLuint name = 0;
    unsigned long generation = 0; // the atlas's generation when uploaded
};

// Per context (GLUT window): the textures of the atlases, and the atlas set
// generation last seen, to delete the textures of atlases that are gone.
struct ContextTextures {
    std::map<unsigned long, AtlasTexture> atlases;
    unsigned long set_generation = 0;
};
std::map<int, ContextTextures> contexts;

std::vector<float> scratch_quads; // the quads of one draw_text call, reused

// What begin_text_pass found, for end_text_pass to put back (passes do not
// nest).
struct SavedTextState {
    GLboolean depth_test = GL_FALSE, texture_2d = GL_FALSE, blend = GL_TRUE;
    GLint texture = 0, environment = GL_REPLACE, matrix_mode = GL_MODELVIEW;
    GLfloat colour[4] = {1, 1, 1, 1};
};
SavedTextState saved_state;

ContextTextures& current_context()
{
    ContextTextures& c = contexts[glutGetWindow()];
    if (c.set_generation != text_atlas_set_generation()) {
        for (auto it = c.atlases.begin(); it != c.atlases.end();) {
            if (text_atlas_exists(it->first)) {
                ++it;
                continue;
            }
            glDeleteTextures(1, &it->second.name);
            it = c.atlases.erase(it);
        }
        c.set_generation = text_atlas_set_generation();
    }
    return c;
}

// Binds the atlas's texture, uploading it when the atlas has changed since.
void bind_atlas(const GlyphAtlas& atlas)
{
    AtlasTexture& t = current_context().atlases[atlas.id];
    if (t.name == 0) {
        glGenTextures(1, &t.name);
        glBindTexture(GL_TEXTURE_2D, t.name);
        // The quads sit on whole pixels, texel for pixel.
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    } else {
        glBindTexture(GL_TEXTURE_2D, t.name);
    }
    if (t.generation != atlas.generation && atlas.height > 0) {
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_LUMINANCE_ALPHA, kAtlasWidth, atlas.height, 0,
                     GL_LUMINANCE_ALPHA, GL_UNSIGNED_BYTE, atlas.texels.data());
        t.generation = atlas.generation;
    }
}

// GLUT's bitmap fonts, for when no font could be loaded: the largest not
// above the size asked for.
struct BitmapFont {
    void* font;
    int height;
};

BitmapFont bitmap_font(TextFace face, int pixels)
{
    if (face == TextFace::kKeys)
        return pixels >= 15 ? BitmapFont{GLUT_BITMAP_9_BY_15, 15}
                            : BitmapFont{GLUT_BITMAP_8_BY_13, 13};
    if (pixels >= 24)
        return {GLUT_BITMAP_TIMES_ROMAN_24, 24};
    if (pixels >= 18)
        return {GLUT_BITMAP_HELVETICA_18, 18};
    if (pixels >= 12)
        return {GLUT_BITMAP_HELVETICA_12, 12};
    return {GLUT_BITMAP_HELVETICA_10, 10};
}

// The bitmap font's character for a code point: ASCII as it is, "?" else.
int bitmap_character(char32_t c)
{
    return c >= 0x20 && c < 0x7F ? static_cast<int>(c) : '?';
}

float bitmap_text(void* font, std::string_view text, float x, float baseline, float right,
                  bool draw)
{
    float pen = x;
    size_t at = 0;
    if (draw)
        glRasterPos2f(x, baseline);
    while (at < text.size()) {
        const char32_t c = next_code_point(text, &at);
        if (c < 0x20)
            continue;
        const int ch = bitmap_character(c);
        const int advance = glutBitmapWidth(font, ch);
        if (pen + advance > right)
            break;
        if (draw)
            glutBitmapCharacter(font, ch);
        pen += advance;
    }
    return pen;
}

} // namespace

TextMetrics text_metrics(TextFace face, int pixels)
{
    TextMetrics m;
    if (GlyphAtlas* atlas = text_atlas(face, pixels)) {
        m.ascent = atlas->ascent;
        m.descent = atlas->descent;
        m.line_height = atlas->line_height;
        m.cap_height = atlas->cap_height;
        return m;
    }
    const BitmapFont font = bitmap_font(face, pixels);
    m.line_height = glutBitmapHeight(font.font);
    m.ascent = m.line_height * 3 / 4;
    m.descent = m.line_height - m.ascent;
    m.cap_height = m.ascent * 3 / 4;
    return m;
}

float measure_text(TextFace face, int pixels, std::string_view text)
{
    if (GlyphAtlas* atlas = text_atlas(face, pixels))
        return text_width(*atlas, text);
    return bitmap_text(bitmap_font(face, pixels).font, text, 0, 0, kNoRightEdge, false);
}

void begin_text_pass()
{
    // The few states a pass changes are saved one by one: pushing whole
    // attribute groups costs a still frame more than its text does.
    SavedTextState& saved = saved_state;
    saved.depth_test = glIsEnabled(GL_DEPTH_TEST);
    saved.texture_2d = glIsEnabled(GL_TEXTURE_2D);
    saved.blend = glIsEnabled(GL_BLEND);
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &saved.texture);
    glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &saved.environment);
    glGetFloatv(GL_CURRENT_COLOR, saved.colour);
    glGetIntegerv(GL_MATRIX_MODE, &saved.matrix_mode);
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    glDisable(GL_DEPTH_TEST);
    glEnable(GL_BLEND); // with the program's fixed SRC_ALPHA, ONE_MINUS_SRC_ALPHA
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0, viewport[2], viewport[3], 0, -1, 1); // y downwards, as the layouts count
    glMatrixMode(GL_TEXTURE);
    glPushMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
}

void end_text_pass()
{
    const SavedTextState& saved = saved_state;
    glPopMatrix(); // model-view
    glMatrixMode(GL_TEXTURE);
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(static_cast<GLenum>(saved.matrix_mode));
    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(saved.texture));
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, saved.environment);
    glColor4fv(saved.colour);
    if (saved.depth_test)
        glEnable(GL_DEPTH_TEST);
    if (saved.texture_2d)
        glEnable(GL_TEXTURE_2D);
    else
        glDisable(GL_TEXTURE_2D);
    if (!saved.blend)
        glDisable(GL_BLEND);
}

void draw_text_quads(GlyphAtlas& atlas, const std::vector<float>& quads, const float rgba[4])
{
    if (quads.empty() || atlas.height <= 0)
        return;
    bind_atlas(atlas);
    glEnable(GL_TEXTURE_2D);
    // Luminance carries the glyph, alpha its halo: the colour where the glyph
    // is, black fading out around it.
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glMatrixMode(GL_TEXTURE);
    glLoadIdentity();
    glScaled(1.0 / kAtlasWidth, 1.0 / atlas.height, 1);
    glMatrixMode(GL_MODELVIEW);
    glColor4fv(rgba);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    const GLsizei stride = kTextFloatsPerCorner * sizeof(float);
    glVertexPointer(2, GL_FLOAT, stride, quads.data());
    glTexCoordPointer(2, GL_FLOAT, stride, quads.data() + 2);
    glDrawArrays(GL_QUADS, 0, GLsizei(quads.size() / kTextFloatsPerCorner));
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
    glDisable(GL_TEXTURE_2D);
}

float draw_text(TextFace face, int pixels, std::string_view text, float x, float baseline,
                const float rgba[4], float right)
{
    if (GlyphAtlas* atlas = text_atlas(face, pixels)) {
        scratch_quads.clear();
        const float end = lay_out_text(*atlas, text, x, baseline, &scratch_quads, right);
        draw_text_quads(*atlas, scratch_quads, rgba);
        return end;
    }
    // No halo in the bitmap font: a dark copy one pixel down and right
    // stands in for it.
    void* font = bitmap_font(face, pixels).font;
    glDisable(GL_TEXTURE_2D);
    glColor4f(0, 0, 0, rgba[3]);
    bitmap_text(font, text, x + 1, baseline + 1, right, true);
    glColor4fv(rgba);
    return bitmap_text(font, text, x, baseline, right, true);
}

void fill_text_backing(float left, float top, float right, float bottom, const float rgba[4])
{
    glDisable(GL_TEXTURE_2D);
    glColor4fv(rgba);
    glBegin(GL_QUADS); // counter-clockwise on the screen, which culling keeps
    glVertex2f(left, top);
    glVertex2f(left, bottom);
    glVertex2f(right, bottom);
    glVertex2f(right, top);
    glEnd();
}
