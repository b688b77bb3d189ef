// texture_upload_gl.cpp — texture names and uploads of the image tables.
//
// GL state: binds GL_TEXTURE_2D textures and leaves the last one bound; sets
// GL_UNPACK_ALIGNMENT per upload (1 for RGB, 4 for RGBA) and leaves the last
// value; sets the texture environment to GL_REPLACE. Enables nothing.
//
// The two windows have separate GL contexts but one set of frame texture
// names (img.texName), which the frame routines bind in either context. So
// the same four numbers must name the frame textures in both contexts: the
// first window to load chooses numbers that are free in its own context and
// not used by this loader in the other one, and the other window takes them
// over (binding an unused name creates the texture). Icons live only in the
// context of the window that draws the palette.
#include "imagery/texture_upload_gl.h"

#include <GL/gl.h>

#include <algorithm>
#include <vector>

#include "core/frame_counter.h"
#include "imagery/series_files.h"
#include "imagery/series_loading.h"
#include "imagery/series_stats.h"
#include "imagery/series_stream.h"
#include "imagery/texture_scaling.h"

namespace {

// Texture names this loader holds in one window context, and what the frame
// textures there were last filled from.
struct ContextNames {
    unsigned int frame[4] = {};         // frame textures last set up here
    std::vector<unsigned int> other;    // icon and pressed-icon textures
    int shown_slot = -1;                // table slot last uploaded into `frame`
    unsigned long shown_generation = 0; // frame_tables_generation() of that upload; 0: none
    int shown_width[4] = {}, shown_height[4] = {}; // size of each layer uploaded; 0: empty
};
ContextNames context_names[2]; // [0] window 1 (or a lone window), [1] window 2

int context_index(int window)
{
    return is_second_window(window) ? 1 : 0;
}

bool holds(const ContextNames& names, unsigned int name)
{
    return std::find(std::begin(names.frame), std::end(names.frame), name) !=
               std::end(names.frame) ||
           std::find(names.other.begin(), names.other.end(), name) != names.other.end();
}

bool is_frame_name(unsigned int name)
{
    return std::find(std::begin(img.texName), std::end(img.texName), name) != std::end(img.texName);
}

// Four names free in the current context and unused by the loader in the
// other one.
void choose_frame_names(int index)
{
    const ContextNames& here = context_names[index];
    const ContextNames& there = context_names[1 - index];
    unsigned int candidate = 1;
    for (unsigned int& name : img.texName) {
        while (glIsTexture(candidate) || holds(here, candidate) || holds(there, candidate))
            candidate++;
        name = candidate++;
    }
}

void set_parameters()
{
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
}

// True when level 0 of the bound texture already has this size and internal
// format, so its storage can take the new pixels as they are.
bool bound_texture_matches(int width, int height, GLint format)
{
    GLint held_width = 0, held_height = 0, held_format = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &held_width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &held_height);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_INTERNAL_FORMAT, &held_format);
    return held_width == width && held_height == height && held_format == format;
}

// A frame change usually brings an image of the size and format the texture
// already has: its storage is then refilled in place rather than allocated
// anew, which for a large map is most of the cost of the change.
//
// Four-byte BGRA pixels go into a texture of the unsized format GL_RGBA, for
// which Mesa keeps the storage in the order of the pixels first given, so
// they are copied as they are; a sized GL_RGBA8 would have Mesa's software
// renderer store R, G, B, A and convert every texel (ten times as slow).
// Their alpha is 255 wherever the image is opaque, and the texture
// environment replaces, so they look exactly as RGB pixels would.
void upload_pixels(int width, int height, int channels, bool bgra, const unsigned char* pixels)
{
    const GLenum format = channels == 4 ? (bgra ? GL_BGRA : GL_RGBA) : GL_RGB;
    const GLint internal = channels == 4 ? GL_RGBA : GL_RGB;
    glPixelStorei(GL_UNPACK_ALIGNMENT, channels == 4 ? 4 : 1);
    if (bound_texture_matches(width, height, internal))
        glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, width, height, format, GL_UNSIGNED_BYTE, pixels);
    else
        glTexImage2D(GL_TEXTURE_2D, 0, internal, width, height, 0, format, GL_UNSIGNED_BYTE,
                     pixels);
}

} // namespace

int max_texture_size()
{
    GLint size = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &size);
    return size;
}

void upload_texture(unsigned int name, const TexImage& image, EmptyTexel empty)
{
    glBindTexture(GL_TEXTURE_2D, name);
    set_parameters();
    bool usable = !image.empty() && image.width > 0 && image.height > 0 &&
                  (image.channels == 3 || image.channels == 4);
    if (!usable) {
        // Replace the previous frame's image so that nothing stale shows.
        static const unsigned char grey[3] = {64, 64, 64};
        static const unsigned char clear[4] = {0, 0, 0, 0};
        if (empty == EmptyTexel::globe)
            upload_pixels(1, 1, 3, false, grey);
        else
            upload_pixels(1, 1, 4, false, clear);
        return;
    }
    int limit = max_texture_size();
    int width = 0, height = 0;
    if (fit_texture_size(image.width, image.height, limit, &width, &height)) {
        note_image_scaled(limit);
        TexImage fitted = box_downscale(image, width, height);
        upload_pixels(fitted.width, fitted.height, fitted.channels, fitted.bgra,
                      fitted.pixels.get());
        return;
    }
    upload_pixels(image.width, image.height, image.channels, image.bgra, image.pixels.get());
}

void prepare_frame_texture_names(int window)
{
    int index = context_index(window);
    ContextNames& here = context_names[index];
    bool shared = std::all_of(std::begin(img.texName), std::end(img.texName),
                              [](unsigned int name) { return name != 0; });
    if (shared) {
        // A number that already names another texture here cannot be taken
        // over; then both windows move to a new set, and the other window
        // sets its textures up again at its next frame (its names no longer
        // match, so frame_textures_stale holds there).
        bool clash = false;
        for (unsigned int name : img.texName)
            if (glIsTexture(name) && !holds(here, name))
                clash = true;
        if (clash)
            choose_frame_names(index);
    } else {
        choose_frame_names(index);
    }
    for (unsigned int old : here.frame)
        if (old != 0 && !is_frame_name(old) && glIsTexture(old))
            glDeleteTextures(1, &old);
    std::copy(std::begin(img.texName), std::end(img.texName), here.frame);
}

bool upload_frame_textures(int window)
{
    int slot = play.ntime + window_slot_offset(window);
    static const TexImage none;
    bool valid = slot >= 0 && slot < kMaxFrames;
    const TexImage* layers[4] = {&none, &none, &none, &none};
    // A streamed frame is held only while it is uploaded; its presence
    // flags are set here, where it reaches the card.
    std::shared_ptr<const SeriesFrame> streamed;
    if (valid && slot_is_streamed(slot)) {
        streamed = streamed_frame(slot);
        if (!streamed)
            return false;
        for (int l = 0; l < 4; l++)
            layers[l] = &streamed->layer[l];
        img.mask_logo[slot] = streamed->present[1] == 1 ? 1 : 0;
        img.mask_spherelogo[slot] = streamed->present[2] == 1 ? 1 : 0;
        img.mask_doublelogo[slot] = streamed->present[3] == 1 ? 1 : 0;
    } else if (valid) {
        layers[0] = &img.image1[slot];
        layers[1] = &img.image2[slot];
        layers[2] = &img.image3[slot];
        layers[3] = &img.image4[slot];
    }
    // A window that has not set up names in its context since the other one
    // chose them takes them over now.
    ContextNames& here = context_names[context_index(window)];
    if (!std::equal(std::begin(img.texName), std::end(img.texName), here.frame))
        prepare_frame_texture_names(window);
    const EmptyTexel empty[4] = {EmptyTexel::globe, EmptyTexel::clear, EmptyTexel::globe,
                                 EmptyTexel::clear};
    for (int l = 0; l < 4; l++) {
        upload_texture(img.texName[l], *layers[l], empty[l]);
        here.shown_width[l] = layers[l]->empty() ? 0 : layers[l]->width;
        here.shown_height[l] = layers[l]->empty() ? 0 : layers[l]->height;
    }
    const bool new_map = here.shown_slot != slot;
    here.shown_slot = slot;
    here.shown_generation = frame_tables_generation();
    if (new_map && !is_second_window(window)) {
        note_map_shown();
        const SeriesStats stats = series_stats();
        count_series_progress(stats.maps_shown, stats.late_maps, play.ntime);
    }
    return true;
}

void clear_frame_textures(int window)
{
    ContextNames& here = context_names[context_index(window)];
    if (!std::equal(std::begin(img.texName), std::end(img.texName), here.frame))
        prepare_frame_texture_names(window);
    static const TexImage none;
    for (int l = 0; l < 4; l++) {
        upload_texture(img.texName[l], none, l % 2 == 0 ? EmptyTexel::globe : EmptyTexel::clear);
        here.shown_width[l] = here.shown_height[l] = 0;
    }
    here.shown_slot = -1;
}

bool shown_layer_size(int window, int layer, int* width, int* height)
{
    const ContextNames& here = context_names[context_index(window)];
    if (layer < 0 || layer >= 4 || here.shown_width[layer] <= 0)
        return false;
    *width = here.shown_width[layer];
    *height = here.shown_height[layer];
    return true;
}

bool frame_textures_stale(int window)
{
    const ContextNames& here = context_names[context_index(window)];
    return !std::equal(std::begin(img.texName), std::end(img.texName), here.frame) ||
           here.shown_slot != play.ntime + window_slot_offset(window) ||
           here.shown_generation != frame_tables_generation();
}

void upload_icon_textures()
{
    ContextNames& here = context_names[0];
    glGenTextures(kIconPictures, img.icontexName);
    here.other.insert(here.other.end(), std::begin(img.icontexName), std::end(img.icontexName));
    for (int k = 0; k < kIconPictures; k++)
        upload_texture(img.icontexName[k], img.icon[k], EmptyTexel::clear);
}

void upload_pushed_icon_texture()
{
    ContextNames& here = context_names[0];
    if (img.pushed_icontexName == 0 || !glIsTexture(img.pushed_icontexName)) {
        glGenTextures(1, &img.pushed_icontexName);
        here.other.push_back(img.pushed_icontexName);
    }
    upload_texture(img.pushed_icontexName, img.pushed_icon, EmptyTexel::clear);
}

void set_texture_environment()
{
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
}
