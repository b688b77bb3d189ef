// texture_loading.h — bulk loading of a window's images and the per-frame
// texture uploads.
#pragma once

// Loads the icons (once per run) and every frame of the window's series, then
// creates the window's textures. The window is current.
void fileyomitori(int window);

// Re-uploads the current frame into the window's four frame textures; false
// while the frame of a streamed series is not decoded yet (the textures then
// keep the frame shown before, and the caller tries again next frame).
bool texture_change(int window);
