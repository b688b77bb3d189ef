// lesson_file.h — reading a lesson: its steps, each a title and the
// configuration lines that follow it. No GL here.
//
// A lesson is a text of steps. A step begins with a line whose first
// character other than a blank is "=": the rest of that line is the step's
// title ("= Africa, with the winds"). The lines after it, up to the next
// title line, hold the step's settings in the configuration files' format;
// the configuration reader applies them (lesson_steps.h). Text before the
// first title line is a note and is not read.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "core/tyxparam.h"

constexpr std::size_t kMaxLessonBytes = 4u << 20; // bytes of a lesson file read
constexpr int kMaxLessonSteps = 10000;            // steps taken from one lesson
constexpr std::size_t kMaxStepTitleChars = 120;   // characters of a title kept

struct LessonText {
    std::vector<LessonStep> steps;
    std::vector<std::string> problems; // "name:line: what", without a line end
};

// The steps of `text`, the lesson named `name` in the problems: a title cut
// for its length (UTF-8 characters), steps beyond kMaxLessonSteps, settings
// before the first step, a lesson without steps. An empty title becomes
// "Step N"; control characters in a title become blanks.
LessonText parse_lesson(std::string_view text, const std::string& name);

// Reads and parses the lesson file `path` (at most kMaxLessonBytes of it).
// False when it cannot be read, with the reason in `why`; a file that holds
// more than the bound reads its first part, with a problem saying so.
bool read_lesson_file(const std::string& path, LessonText* lesson, std::string* why);
