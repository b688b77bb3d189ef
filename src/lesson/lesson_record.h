// lesson_record.h — key k: the view shown, added to the lesson file as a new
// step. No GL here.
#pragma once

#include <string>

// The step that reproduces what window 1 shows: the title line, then the
// view centre, zoom, heading and shift of globe 1, the map shown and the
// layers that are on, one key a line.
std::string view_step_text(const std::string& title);

// The text of a lesson with `step` added at its end: one empty line between
// the lesson's last line and the step.
std::string lesson_with_step(const std::string& lesson, const std::string& step);

// Adds the view as the last step of lesson_target_file(), replacing the file
// whole (core/file_replace.h), and says where in a notice and on the
// console. A lesson file that is too large to be read whole, or not a
// regular file, is left as it is. When the file is the lesson loaded or
// named, it is read again with the new step as the one shown. False when
// nothing was written.
bool record_view_step();
