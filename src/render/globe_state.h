// globe_state.h — the state step that comes before each globe is drawn. No GL.
#pragma once

// Advances what moves by itself between two drawn globes: the inertia of both
// globes (globe 1 first), one spin step at time `now` (seconds from
// elapsed_seconds()), the flight to a lesson step's view (which holds the
// spin still while it lasts), globe 2's zoom following globe 1's while synch is 1,
// and the graticule switched off for good while the perspective projection
// is in use. Called by display and display2 right before each display_earth,
// so every drawn globe advances the inertia once and the drawing itself only
// reads the state.
void advance_globe_state(double now);
