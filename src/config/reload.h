// reload.h — requests a full reload of the configuration and all images.
#pragma once

// Prints the reload notice, raises the three request flags, releases every
// frame image and deletes the frame textures of the current GL context.
void reload_texture_init_file();
