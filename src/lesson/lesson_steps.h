// lesson_steps.h — stepping through a lesson: which step is shown, applying
// a step's settings over the configuration files, and what a step then
// shows (its maps, its view, its title). No GL here.
//
// A step is applied as a configuration reading: the three configuration
// files, then the step's lines, read by the configuration reader. What the
// step's lines changed is kept, so that the next reading first puts it back:
// each step shows the configuration files plus its own lines, never what an
// earlier step set. The step's view keys ("#Latitude", "#Longitude",
// "#Heading", "#Scale", "#EarthXY") give the view globe 1 flies to; a step
// without them keeps the view. Its maps are loaded only when they differ
// from those shown; a step whose first map is missing keeps the maps shown.
#pragma once

#include <string>

// True while a lesson with steps is loaded: the page keys then step it.
bool lesson_loaded();

// The lesson file a step recorded from the window goes to: the lesson named
// by --lesson or "#Lesson", else kDefaultLessonFile.
constexpr const char* kDefaultLessonFile = "data/conf/lesson.txt";
std::string lesson_target_file();

// Called by the configuration reader before it reads the files: puts back
// what the step settings of the previous reading changed.
void undo_lesson_step_settings();

// Called by the configuration reader after the files: reads the lesson
// named by --lesson or "#Lesson" when it is another than the one held (or,
// at a reading that is no step change, the same one again, so that edits
// show), then applies the current step's lines. A line that does not parse
// is told with its file, line and step and skipped alone.
void apply_lesson_step_settings();

// Asks window 1's next frame to apply step `step` (from 0). False when no
// lesson is loaded or there is no such step.
bool request_lesson_step(int step);

// Applies the step asked for, if any: the configuration reading with its
// lines and the captions it names, its maps when they differ, its map ("#Frame"), the flight to its
// view, its notice and title. Called by window 1's frame before its images
// are loaded.
void carry_out_lesson_step();

// What the start shows once the windows exist: the first step's title, and
// the flight from the configuration files' view to the first step's view,
// or to the place of --view. Called once by start-up.
void show_start_view();

// After key k added step `step` to lesson file `path`, whose text is now
// `text`: when that is the lesson named, its steps are taken from the text,
// with the new step as the one shown (its view is on the screen already).
void adopt_recorded_step(const std::string& path, const std::string& text, int step);

// Forgets the kept step settings without putting them back. Called by
// reset_viewer_state().
void forget_lesson_step_settings();

// ---------------------------------------------------------------------------
// GLUT side (lesson_glut.cpp).

// Window 1's part of a frame: applies a step asked for and shows the step's
// title in the window's title. Called by window 1's frame, with window 1
// current, before its images are loaded.
void carry_out_lesson_frame();
