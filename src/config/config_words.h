// config_words.h — the words of a configuration text, with their lines.
//
// A word is a run of characters between white space (blanks, tabs, line
// ends, carriage returns); line structure has no other meaning. A word
// longer than kMaxConfigWord is cut there and the rest of it dropped. A
// string value may instead be written in double quotes on one line, and may
// then hold blanks: "my maps/sst".
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

constexpr std::size_t kMaxConfigWord = 4096; // characters kept of one word

struct ConfigWord {
    std::string text;
    int line = 0; // line of its first character
};

class ConfigWords {
  public:
    // `text` must outlive the reading; its first line is numbered `first_line`.
    ConfigWords(std::string_view text, int first_line) : text_(text), line_(first_line) {}

    // The next word; false at the end of the text, with `word` empty and on
    // the last line.
    bool next(ConfigWord* word);

    // The next value of a string key: the next word, or, when that starts
    // with a double quote, what stands between it and the next double quote
    // on the same line. Without a closing quote the word is taken as it is.
    bool next_string(ConfigWord* word);

    // Makes `rest` the next word, on `line`: the part of a word that a number
    // did not use (the ".5" of "1.5" read as an int).
    void put_back(std::string rest, int line);

    // Drops the rest of line `line`: reading goes on at the next line.
    void skip_past_line(int line);

    int first_cut_line() const { return first_cut_line_; }           // 0: no word was cut
    int first_unclosed_line() const { return first_unclosed_line_; } // 0: every quote closed

  private:
    void skip_blanks();

    std::string_view text_;
    std::size_t at_ = 0; // next character
    int line_;           // line of the character at `at_`
    bool has_put_back_ = false;
    ConfigWord put_back_;
    int first_cut_line_ = 0;
    int first_unclosed_line_ = 0;
};
