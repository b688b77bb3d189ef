// series_discovery.h — counts the frames of the numbered map series.
#pragma once

// Sets play.ntimemax to the length of the unbroken run of numbers from
// tex_start for which a map or a screen image exists, capped by tex_end.
void fileornot();
