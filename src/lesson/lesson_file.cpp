// lesson_file.cpp — splitting a lesson text into its steps.
#include "lesson/lesson_file.h"

#include "config/config_keys.h"
#include "config/config_words.h"
#include "config/unknown_keys.h"
#include "core/input_file.h"

namespace {

bool is_blank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

bool is_continuation_byte(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// The title of a title line (the text after "="), without blanks at its ends
// and with control characters as blanks; cut after kMaxStepTitleChars
// characters, then marked with "...".
std::string title_of(std::string_view line, bool* cut)
{
    std::size_t first = line.find('=') + 1;
    while (first < line.size() && is_blank(line[first]))
        first++;
    std::size_t end = line.size();
    while (end > first && is_blank(line[end - 1]))
        end--;
    std::string title;
    std::size_t chars = 0;
    *cut = false;
    for (std::size_t i = first; i < end; i++) {
        char c = line[i];
        if (!is_continuation_byte(c) && ++chars > kMaxStepTitleChars) {
            *cut = true;
            return title + "...";
        }
        title += static_cast<unsigned char>(c) < 0x20 || c == 0x7F ? ' ' : c;
    }
    return title;
}

bool is_title_line(std::string_view line)
{
    std::size_t i = 0;
    while (i < line.size() && is_blank(line[i]))
        i++;
    return i < line.size() && line[i] == '=';
}

// True when the note before the first step holds a word that is or looks
// like a key, which the writer will have meant as a setting.
bool holds_settings(std::string_view text)
{
    ConfigWords words(text, 1);
    ConfigWord word;
    while (words.next(&word))
        if (find_config_key(word.text) != nullptr || is_unknown_key(word.text))
            return true;
    return false;
}

} // namespace

LessonText parse_lesson(std::string_view text, const std::string& name)
{
    LessonText lesson;
    auto told = [&](int line, const std::string& what) {
        lesson.problems.push_back(name + ":" + std::to_string(line) + ": " + what);
    };
    std::size_t at = 0;
    std::size_t gathered_from = 0; // start of the text being gathered
    int open = -1;                 // step whose settings are being gathered; -1 none
    bool in_note = true;           // before the first title line
    bool extra_steps = false;
    // The text from gathered_from up to `end` belongs to the open step, or
    // is the note before the first step.
    auto close = [&](std::size_t end) {
        std::string_view part = text.substr(gathered_from, end - gathered_from);
        if (open >= 0)
            lesson.steps[open].settings.assign(part);
        else if (in_note && holds_settings(part))
            told(1, "settings before the first step (a line \"= Title\") are not read");
    };
    for (int line = 1; at < text.size(); line++) {
        std::size_t newline = text.find('\n', at);
        std::size_t end = newline == std::string_view::npos ? text.size() : newline;
        std::size_t next = newline == std::string_view::npos ? text.size() : newline + 1;
        std::string_view row = text.substr(at, end - at);
        if (is_title_line(row)) {
            close(at);
            in_note = false;
            open = -1;
            gathered_from = next;
            if (static_cast<int>(lesson.steps.size()) < kMaxLessonSteps) {
                bool cut = false;
                LessonStep step;
                step.title = title_of(row, &cut);
                step.title_line = line;
                if (step.title.empty())
                    step.title = "Step " + std::to_string(lesson.steps.size() + 1);
                if (cut)
                    told(line, "the title is cut to its first " +
                                   std::to_string(kMaxStepTitleChars) + " characters");
                lesson.steps.push_back(std::move(step));
                open = static_cast<int>(lesson.steps.size()) - 1;
            } else if (!extra_steps) {
                extra_steps = true;
                told(line, "only the first " + std::to_string(kMaxLessonSteps) + " steps are read");
            }
        }
        at = next;
    }
    close(text.size());
    if (lesson.steps.empty())
        lesson.problems.push_back(name + ": no steps; a step begins with a line \"= Title\"");
    return lesson;
}

bool read_lesson_file(const std::string& path, LessonText* lesson, std::string* why)
{
    InputText text;
    InputRefusal refusal = InputRefusal::none;
    if (!read_input_text(path.c_str(), kMaxLessonBytes, &text, &refusal)) {
        *why = refusal == InputRefusal::not_regular ? "not a regular file" : "cannot be read";
        return false;
    }
    *lesson = parse_lesson(text.bytes, path);
    if (text.cut)
        lesson->problems.push_back(path + ": only the first " +
                                   std::to_string(kMaxLessonBytes >> 20) + " MiB of its " +
                                   std::to_string(text.file_bytes >> 20) + " MiB were read");
    return true;
}
