// config_keys.h — the table of configuration keys and the typed value reader
// their entries use.
//
// A key's entry reads its values from the words of the text in order, each
// number with the stream's typed extraction, stores them in the viewer state
// and applies the key's check or conversion. A value that does not parse
// leaves its variable as it was and every later value of the key fails too;
// the text reader then stops reading that file (or that line).
#pragma once

#include <cstddef>
#include <ostream>
#include <sstream>
#include <string>

#include "config/config_journal.h"
#include "config/config_words.h"

// Typed extraction of one value at a time from a configuration text.
class ValueReader {
  public:
    // With a journal, every variable the reader changes is kept in it first.
    explicit ValueReader(ConfigWords& words, ConfigJournal* journal = nullptr)
        : words_(&words), journal_(journal)
    {
    }
    // A reader that extracts nothing: every take() writes the variable's
    // present value to `values` instead (as a file would hold it) and leaves
    // the variable as it is. Running a key's entry on it tells the values
    // the key holds. A key that reads into a local variable first sets the
    // local from the state, so that this shows the state's value.
    explicit ValueReader(std::ostream* values) : values_(values) {}

    // Extracts the next value into `variable` and returns true; on failure
    // (no value, a word where a number is expected, or a number out of the
    // type's range) returns false and leaves `variable` untouched. Does
    // nothing once an earlier value of the same key has failed. A number
    // takes what the stream takes from its word; the rest of the word comes
    // next ("1.5" as an int gives 1, then ".5").
    template <typename T> bool take(T& variable)
    {
        if (values_ != nullptr) {
            describe(variable);
            return true;
        }
        ConfigWord word;
        if (failed_ || !take_word(&word, false))
            return false;
        std::istringstream in(word.text);
        T value;
        if (!(in >> value))
            return fail(word);
        if (!in.eof()) {
            const std::streamoff used = in.tellg();
            if (used > 0 && std::size_t(used) < word.text.size())
                words_->put_back(word.text.substr(std::size_t(used)), word.line);
        }
        keep(variable);
        variable = value;
        return true;
    }
    // A string value: one word, or a text in double quotes.
    bool take(std::string& variable)
    {
        if (values_ != nullptr) {
            describe(variable);
            return true;
        }
        ConfigWord word;
        if (failed_ || !take_word(&word, true))
            return false;
        keep(variable);
        variable = std::move(word.text);
        return true;
    }

    // Keys that convert a value before they store it, or store it twice,
    // announce each variable they change here.
    template <typename T> void keep(T& variable)
    {
        if (journal_ != nullptr)
            journal_->keep(variable);
    }

    bool failed() const { return failed_; }
    // The value that failed, empty when the text ended first, and its line
    // (the last line then).
    const ConfigWord& failed_value() const { return failed_value_; }

  private:
    bool take_word(ConfigWord* word, bool string)
    {
        if (string ? words_->next_string(word) : words_->next(word))
            return true;
        return fail(*word);
    }
    bool fail(const ConfigWord& word)
    {
        failed_ = true;
        failed_value_ = word;
        return false;
    }
    template <typename T> void describe(const T& value)
    {
        *values_ << (values_->tellp() > 0 ? " " : "") << value;
    }
    // A string with blanks (the window titles) or none at all (no caption
    // file) stands in a file in double quotes, as one value.
    void describe(const std::string& value)
    {
        const bool quoted = value.empty() || value.find_first_of(" \t\r\n") != std::string::npos;
        describe<std::string>(quoted ? '"' + value + '"' : value);
    }

    ConfigWords* words_ = nullptr;
    ConfigJournal* journal_ = nullptr;
    std::ostream* values_ = nullptr;
    bool failed_ = false;
    ConfigWord failed_value_;
};

struct ConfigKey {
    const char* name;             // the exact token, "#" included
    void (*read)(ValueReader& r); // reads the values and applies the check
};

extern const ConfigKey kConfigKeys[];
extern const std::size_t kConfigKeyCount;

// The entry whose name equals `token` exactly, or null.
const ConfigKey* find_config_key(const std::string& token);

// The values `key` holds in the present state, as a configuration file
// writes them after the key ("800 600"); on a fresh state, its defaults.
// Runs the key's entry on a describing ValueReader, so the key's checks run
// too and may change the state (callers that need it start from a reset).
std::string config_key_values(const ConfigKey& key);
