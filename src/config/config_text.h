// config_text.h — applying the keys of one configuration text to the viewer
// state, with every problem told as "file:line: what".
//
// The configuration files stop at a value that does not parse; a caller that
// applies settings line by line (a lesson step) can skip just that line
// instead. The problems come back as lines for the caller to show.
#pragma once

#include <string>
#include <string_view>
#include <vector>

class ConfigJournal;

// What a value that does not parse ends.
enum class OnBadValue {
    skip_rest_of_text, // the configuration files: the rest of the file is skipped
    skip_rest_of_line, // go on with the next line
};

// Applies every key of `text` in the order met. `name` is the file named in
// the problems, `first_line` the number of the text's first line. Each
// problem adds one line, without a line end: a value that does not parse
// (with its key), unknown keys that look like misspelt ones (the first ten,
// then a count), a word cut for its length, a quote without its end. With a
// journal, every variable the text changes is kept in it first.
void read_config_text(std::string_view text, const std::string& name, int first_line,
                      OnBadValue on_bad_value, std::vector<std::string>* problems,
                      ConfigJournal* journal = nullptr);
