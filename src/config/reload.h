// reload.h — requests a full reload of the configuration and all images.
#pragma once

// Prints the reload notice, raises the three request flags, releases every
// frame image and gives up the frame texture names (each window deletes its
// own textures when it loads again). Called by the key Z and the automatic
// reload of window 1's frame.
void reload_texture_init_file();

// The image half of it, without the notice: raises both windows' image
// requests and releases every frame image and texture name. Called by the
// full reload and by a lesson step that shows other maps.
void reload_frame_images();
