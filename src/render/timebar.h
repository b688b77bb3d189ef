// timebar.h — the flat slider showing the frame position.
#pragma once

// Draws the time bar at z = 0 under the camera, texturing off.
void functimebar();
