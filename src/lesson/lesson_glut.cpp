// lesson_glut.cpp — the lesson's part of window 1's frame: the step asked
// for, and the step's title in the window's title.
#include <GL/freeglut.h>

#include "core/tyxparam.h"
#include "lesson/lesson_steps.h"

void carry_out_lesson_frame()
{
    carry_out_lesson_step();
    if (lesson.title_changed == 1) {
        lesson.title_changed = 0;
        glutSetWindowTitle(lesson.window_title.c_str());
    }
}
