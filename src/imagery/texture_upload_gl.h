// texture_upload_gl.h — the GL side of the loader: texture names per window
// context, uploads of the image tables, texture parameters. Needs a current
// GL context.
#pragma once

#include "core/tyxparam.h"

// GL_MAX_TEXTURE_SIZE of the current context.
int max_texture_size();

// What an empty record (no file, failed decode) uploads: a dark grey texel
// for globe layers, so that the globe shows as a plain sphere instead of
// vanishing on the black background, or a clear texel for flat layers.
enum class EmptyTexel { globe, clear };

// Binds `name` and replaces its image with `image` at level 0, with the
// loader's parameters: GL_NEAREST filters, GL_REPEAT wrapping, the format
// and unpack alignment of the record's own channel count. An image over the
// context's size limit is sent shrunk (the tables are normally shrunk at load).
void upload_texture(unsigned int name, const TexImage& image, EmptyTexel empty);

// Makes img.texName usable in the window's context: names shared with the
// other window's context are taken over, new ones are chosen free in both, and
// this context's earlier frame textures that the set replaced are deleted.
void prepare_frame_texture_names(int window);

// Uploads slot ntime + the window's offset into the four frame textures.
// False, touching nothing, when the slot is streamed and its frame is not
// decoded yet: the textures keep the frame shown before.
bool upload_frame_textures(int window);

// Empties the window's frame textures (a plain globe, no screen) until the
// next upload; for a load whose first frame is not decoded in time.
void clear_frame_textures(int window);

// Width and height of layer `layer` (0 map ... 3 second screen) as last
// uploaded into the window's frame textures; false when that was empty.
bool shown_layer_size(int window, int layer, int* width, int* height);

// True when the window's frame textures do not hold what it must show now:
// their names are not img.texName, or they were filled from another slot, or
// from tables that have been filled or released since. The frame routines
// then call texture_change, whatever the order in which the windows draw.
bool frame_textures_stale(int window);

// Creates the 35 icon textures and uploads the pictures (once per run; only
// the window that draws the palette calls it).
void upload_icon_textures();

// Uploads the pressed-icon overlay, reusing its texture name.
void upload_pushed_icon_texture();

// The texture environment every textured drawing relies on: GL_REPLACE.
void set_texture_environment();
