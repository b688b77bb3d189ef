// place_labels_gl.h — drawing the place labels of a globe.
#pragma once

// Draws the labels of the globe being drawn, while they and the points are
// shown: reads the globe's view from GL (the globe transform must be on the
// model-view stack), hides the labels of points on the far side and those
// that would cover a label listed before them, and draws the others in window
// pixels over the globe in one batch, with the GL state restored.
// Called by display_earth after the overlays and strokes, before the flat
// overlays, for both windows.
void draw_place_labels();
