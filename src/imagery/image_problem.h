// image_problem.h — the readers' side of last_image_problem(). No GL here.
#pragma once

#include <string>

#include "imagery/image_readers.h"

// Called by the readers only.
void set_image_problem(std::string reason);
void clear_image_problem();
bool jpeg_messages_are_kept();
