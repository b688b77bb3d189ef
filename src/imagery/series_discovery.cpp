// series_discovery.cpp — finds how many frames the map series has.
#include "imagery/series_discovery.h"

#include "core/tyxparam.h"

void fileornot() {}
