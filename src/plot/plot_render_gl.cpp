// plot_render_gl.cpp — issues the plot overlays to GL from vertex buffers
// built only when the data, the border width or the level of detail a view
// needs change, leaving out each frame what the globe hides or the view
// does not reach.
//
// Symbols are one quad each, textured from the symbol atlas with the
// point's colour and alpha applied by the texture environment (modulate),
// and the filled ones a second quad for their black copy, a little
// lower, so that the depth test leaves the copy only where no symbol covers
// it. The alpha test keeps the empty texels from writing depth. Arrows are
// triangles; lines are strips of the level that the view's pixel size calls
// for.
//
// GL state expected: the globe transform on the model-view stack, the
// globe's mesh drawn with depth testing on, 2D texturing on with the
// globe's texture bound and the texture environment replace. Each shown
// kind turns line smoothing on while it draws and off again. Left as found:
// the matrices, texturing on, the bound texture, the texture environment,
// line smoothing, alpha test and blending state, no buffer bound, client
// arrays disabled. The current colour is left undefined.
//
// Buffers and textures belong to one window's GL context, so each window
// gets its own, found by GLUT window (freeglut never reuses a window
// number); what they are made from is shared.
#define GL_GLEXT_PROTOTYPES // buffer objects and multi-draw are past what gl.h declares
#include <GL/freeglut.h>

#include <cstddef>
#include <vector>

#include "core/tyxparam.h"
#include "plot/line_levels.h"
#include "plot/plot_geometry.h"
#include "plot/plot_layers.h"
#include "plot/plot_render.h"
#include "plot/plot_visibility.h"
#include "plot/symbol_atlas.h"
#include "plot/symbol_sprites.h"
#include "render/line_width.h"

namespace {

// What the drawing made of one symbol layer.
struct SymbolLayerData {
    int generation = -1;
    int atlas_version = -1; // the sprites' cells follow the atlas
    double lift = 0;        // and their copies the points' radius factor
    SymbolSprites sprites;
    bool triangles_built = false; // the reference triangles, made only when asked for
    TriangleArrays triangles;
};

struct LineLayerData {
    int generation = -1;
    std::vector<float> rank;
};

// Shared by the windows. Layer 0 of each kind is the stores' own.
struct OverlayData {
    SymbolAtlas atlas;
    int atlas_version = 0;
    int store_generation = -1;
    PointLayer store_points;
    LineLayer store_lines;
    std::vector<SymbolLayerData> symbols;
    std::vector<LineLayerData> lines;
    int arrow_generation = -1;
    TriangleArrays arrows;
    // What one drawing shows; refilled per drawing, capacity kept.
    std::vector<unsigned> visible;
    LineStrips strips;
};

struct BufferRecord {
    GLuint buffer = 0;
    int generation = -1; // of the data it holds
    int atlas_version = -1;
};

struct LineLevelRecord {
    GLuint buffer = 0;
    int generation = -1;
    LineLevel level;
};

// One window's GL objects.
struct WindowOverlay {
    int window = 0;
    GLuint atlas_texture = 0;
    int atlas_version = -1;
    std::vector<BufferRecord> symbols;
    std::vector<LineLevelRecord> lines;
    BufferRecord arrows;
};

bool leave_out_hidden = true;      // tests switch it off to compare
bool symbols_as_triangles = false; // tests switch it on for the reference

OverlayData& overlay_data()
{
    static OverlayData data;
    return data;
}

WindowOverlay& window_overlay()
{
    static std::vector<WindowOverlay> windows;
    const int window = glutGetWindow();
    for (WindowOverlay& w : windows)
        if (w.window == window)
            return w;
    windows.emplace_back();
    windows.back().window = window;
    return windows.back();
}

int point_layer_count()
{
    return 1 + int(plot.point_layers.size());
}

int line_layer_count()
{
    return 1 + int(plot.line_layers.size());
}

const PointLayer& point_layer(const OverlayData& d, int i)
{
    return i == 0 ? d.store_points : plot.point_layers[i - 1];
}

const LineLayer& line_layer(const OverlayData& d, int i)
{
    return i == 0 ? d.store_lines : plot.line_layers[i - 1];
}

// Brings what is shared up to the data: the stores' layers, the atlas, the
// sprites and the line ranks.
void update_overlay_data(OverlayData& d)
{
    if (d.store_generation != plot.plot_generation) {
        build_store_point_layer(d.store_points);
        build_store_line_layer(d.store_lines);
        d.store_generation = plot.plot_generation;
    }
    if (d.atlas.point_thickness != plot.point_thickness) {
        build_symbol_atlas(plot.point_thickness, d.atlas);
        d.atlas_version++;
    }
    d.symbols.resize(point_layer_count());
    for (int i = 0; i < point_layer_count(); i++) {
        SymbolLayerData& s = d.symbols[i];
        const PointLayer& layer = point_layer(d, i);
        const double lift = plot.d_radius_point - 1;
        if (s.generation == layer.generation && s.atlas_version == d.atlas_version &&
            s.lift == lift)
            continue;
        build_symbol_sprites(layer, d.atlas, lift, s.sprites);
        s.generation = layer.generation;
        s.atlas_version = d.atlas_version;
        s.lift = lift;
        s.triangles_built = false;
        s.triangles.clear();
    }
    d.lines.resize(line_layer_count());
    for (int i = 0; i < line_layer_count(); i++) {
        LineLayerData& l = d.lines[i];
        const LineLayer& layer = line_layer(d, i);
        if (l.generation == layer.generation)
            continue;
        rank_line_points(layer, l.rank);
        l.generation = layer.generation;
    }
    if (d.arrow_generation != plot.plot_generation) {
        build_arrow_triangles(d.arrows);
        d.arrow_generation = plot.plot_generation;
    }
}

GlobeOccluder current_occluder()
{
    GlobeView view;
    GLint viewport[4] = {};
    glGetDoublev(GL_MODELVIEW_MATRIX, view.model_to_eye);
    glGetDoublev(GL_PROJECTION_MATRIX, view.projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    view.viewport_width = viewport[2];
    view.viewport_height = viewport[3];
    return globe_occluder(view);
}

// Byte offset into the bound buffer, as the pointer GL expects.
const void* buffer_offset(size_t bytes)
{
    return reinterpret_cast<const void*>(bytes);
}

void fill_buffer(GLuint& buffer, const void* data, size_t bytes)
{
    if (buffer == 0)
        glGenBuffers(1, &buffer);
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(bytes), data, GL_STATIC_DRAW);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
}

void upload_atlas(WindowOverlay& w, const OverlayData& d)
{
    if (w.atlas_version == d.atlas_version)
        return;
    if (w.atlas_texture == 0)
        glGenTextures(1, &w.atlas_texture);
    glBindTexture(GL_TEXTURE_2D, w.atlas_texture);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    // Unfiltered: a lookup at a pixel's centre says, as the rasteriser
    // would, whether the shape covers that centre.
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_ALPHA8, kSymbolAtlasWidth, kSymbolAtlasHeight, 0, GL_ALPHA,
                 GL_UNSIGNED_BYTE, d.atlas.texels.data());
    w.atlas_version = d.atlas_version;
}

void draw_indexed_triangles(const std::vector<unsigned>& indices)
{
    if (!indices.empty())
        glDrawElements(GL_TRIANGLES, GLsizei(indices.size()), GL_UNSIGNED_INT, indices.data());
}

// A layer's symbols, each followed by its black copy.
void draw_symbol_sprites(const SymbolLayerData& s, BufferRecord& b, const GlobeOccluder& o,
                         OverlayData& d)
{
    const SymbolSprites& sprites = s.sprites;
    if (sprites.sprite.empty())
        return;
    if (b.generation != s.generation || b.atlas_version != s.atlas_version) {
        fill_buffer(b.buffer, sprites.vertex.data(), sprites.vertex.size() * sizeof(SymbolVertex));
        b.generation = s.generation;
        b.atlas_version = s.atlas_version;
    }
    const size_t indices = collect_visible_sprites(sprites, o, d.visible);
    if (indices == 0)
        return;
    glBindBuffer(GL_ARRAY_BUFFER, b.buffer);
    const GLsizei stride = sizeof(SymbolVertex);
    glVertexPointer(3, GL_FLOAT, stride, buffer_offset(offsetof(SymbolVertex, position)));
    glTexCoordPointer(2, GL_FLOAT, stride, buffer_offset(offsetof(SymbolVertex, tex)));
    glColorPointer(4, GL_UNSIGNED_BYTE, stride, buffer_offset(offsetof(SymbolVertex, rgba)));
    glDrawElements(GL_TRIANGLES, GLsizei(indices), GL_UNSIGNED_INT, d.visible.data());
    glBindBuffer(GL_ARRAY_BUFFER, 0);
}

void draw_client_triangles(const TriangleArrays& t, const GlobeOccluder& o, OverlayData& d)
{
    glVertexPointer(3, GL_FLOAT, 0, t.position.data());
    glColorPointer(4, GL_FLOAT, 0, t.color.data());
    collect_visible_triangles(t, o, d.visible);
    draw_indexed_triangles(d.visible);
}

void draw_symbols(OverlayData& d, WindowOverlay& w, const GlobeOccluder& o)
{
    glEnable(GL_LINE_SMOOTH);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    w.symbols.resize(d.symbols.size());
    if (symbols_as_triangles) {
        glDisable(GL_TEXTURE_2D);
        for (int i = 0; i < point_layer_count(); i++) {
            SymbolLayerData& s = d.symbols[i];
            if (!s.triangles_built)
                build_point_triangles(point_layer(d, i), s.triangles);
            s.triangles_built = true;
            draw_client_triangles(s.triangles, o, d);
        }
        glEnable(GL_TEXTURE_2D);
    } else {
        upload_atlas(w, d);
        glEnableClientState(GL_TEXTURE_COORD_ARRAY);
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
        glBindTexture(GL_TEXTURE_2D, w.atlas_texture);
        glEnable(GL_ALPHA_TEST);
        glAlphaFunc(GL_GREATER, 0);
        for (int i = 0; i < point_layer_count(); i++)
            draw_symbol_sprites(d.symbols[i], w.symbols[i], o, d);
        glDisable(GL_ALPHA_TEST);
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
        glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    }
    glDisableClientState(GL_COLOR_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
    glDisable(GL_LINE_SMOOTH);
}

void draw_arrows(OverlayData& d, WindowOverlay& w, const GlobeOccluder& o)
{
    const TriangleArrays& t = d.arrows;
    if (t.index.empty())
        return;
    BufferRecord& b = w.arrows;
    const size_t positions = t.position.size() * sizeof(float);
    if (b.generation != d.arrow_generation) {
        fill_buffer(b.buffer, nullptr, positions + t.color.size() * sizeof(float));
        glBindBuffer(GL_ARRAY_BUFFER, b.buffer);
        glBufferSubData(GL_ARRAY_BUFFER, 0, GLsizeiptr(positions), t.position.data());
        glBufferSubData(GL_ARRAY_BUFFER, GLintptr(positions),
                        GLsizeiptr(t.color.size() * sizeof(float)), t.color.data());
        glBindBuffer(GL_ARRAY_BUFFER, 0);
        b.generation = d.arrow_generation;
    }
    collect_visible_triangles(t, o, d.visible);
    if (d.visible.empty())
        return;
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_LINE_SMOOTH);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    glBindBuffer(GL_ARRAY_BUFFER, b.buffer);
    glVertexPointer(3, GL_FLOAT, 0, buffer_offset(0));
    glColorPointer(4, GL_FLOAT, 0, buffer_offset(positions));
    draw_indexed_triangles(d.visible);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glDisableClientState(GL_COLOR_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
    glDisable(GL_LINE_SMOOTH);
    glEnable(GL_TEXTURE_2D);
}

// Widths follow the zoom of globe 1 in both windows; the level of detail
// follows this window's own view.
void draw_lines(OverlayData& d, WindowOverlay& w, const GlobeOccluder& o, int level)
{
    w.lines.resize(d.lines.size());
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_LINE_SMOOTH);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    for (int i = 0; i < line_layer_count(); i++) {
        LineLevelRecord& r = w.lines[i];
        const LineLayerData& l = d.lines[i];
        if (r.generation != l.generation || r.level.level != level) {
            build_line_level(line_layer(d, i), l.rank, level, r.level);
            fill_buffer(r.buffer, r.level.vertex.data(),
                        r.level.vertex.size() * sizeof(LineVertex));
            r.generation = l.generation;
        }
        collect_visible_strips(r.level, o, view.scale_factor, d.strips);
        if (d.strips.run.empty())
            continue;
        glBindBuffer(GL_ARRAY_BUFFER, r.buffer);
        const GLsizei stride = sizeof(LineVertex);
        glVertexPointer(3, GL_FLOAT, stride, buffer_offset(offsetof(LineVertex, position)));
        glColorPointer(4, GL_UNSIGNED_BYTE, stride, buffer_offset(offsetof(LineVertex, rgba)));
        for (const StripRun& run : d.strips.run) {
            glLineWidth(zoomed_line_width(run.width, view.scale_factor));
            glMultiDrawArrays(GL_LINE_STRIP, d.strips.first.data() + run.first,
                              d.strips.count.data() + run.first, run.count);
        }
        glBindBuffer(GL_ARRAY_BUFFER, 0);
    }
    glDisableClientState(GL_COLOR_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
    glDisable(GL_LINE_SMOOTH);
    glEnable(GL_TEXTURE_2D);
}

bool any_symbols()
{
    if (plot.num_point > 0)
        return true;
    for (const PointLayer& layer : plot.point_layers)
        if (!layer.symbol.empty())
            return true;
    return false;
}

bool any_lines()
{
    if (plot.pointnum_senga > 1)
        return true;
    for (const LineLayer& layer : plot.line_layers)
        if (layer.point.size() > 1)
            return true;
    return false;
}

} // namespace

void draw_plot_overlays()
{
    const bool points = plot.point_display_onoff != 0 && any_symbols();
    const bool arrows = plot.arrow_display_onoff != 0 && plot.num_arrow > 0;
    const bool lines = plot.senga_display_onoff != 0 && any_lines();
    if (!points && !arrows && !lines)
        return;
    OverlayData& d = overlay_data();
    update_overlay_data(d);
    WindowOverlay& w = window_overlay();
    const GlobeOccluder view_occluder = current_occluder();
    // Tests that draw everything still get the level of detail of the view.
    const GlobeOccluder occluder = leave_out_hidden ? view_occluder : GlobeOccluder();
    GLint texture = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &texture);
    if (points)
        draw_symbols(d, w, occluder);
    if (arrows)
        draw_arrows(d, w, occluder);
    if (lines)
        draw_lines(d, w, occluder, line_level_for(model_units_per_pixel(view_occluder)));
    glBindTexture(GL_TEXTURE_2D, GLuint(texture));
}

void leave_out_hidden_overlays(bool on)
{
    leave_out_hidden = on;
}

void draw_symbols_as_triangles(bool on)
{
    symbols_as_triangles = on;
}
