// sphere.h — draws the textured globe and its graticule.
#pragma once

// Draws the globe of radius r with the bound texture, and the graticule when
// switched on. Called by display_earth once per globe per frame.
void sphere(double r);
