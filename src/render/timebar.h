// timebar.h — the flat slider showing the frame position.
#pragma once

// Draws the time bar at z = 0 under the camera, texturing off. Not built
// yet: draws nothing.
void functimebar();
