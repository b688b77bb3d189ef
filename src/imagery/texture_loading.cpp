// texture_loading.cpp — loads the series into the image tables and keeps the
// current frame on the graphics card.
#include "imagery/texture_loading.h"

#include "core/tyxparam.h"

void fileyomitori(int /*window*/) {}

void texture_change(int /*window*/) {}
