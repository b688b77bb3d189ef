// config_text.cpp — the key loop over the words of a configuration text and
// the problems it finds.
#include "config/config_text.h"

#include "config/config_keys.h"
#include "config/unknown_keys.h"

namespace {

// Unknown keys told per text; beyond that they are counted.
constexpr int kUnknownKeysShown = 10;
// Characters of a word shown in a message.
constexpr std::size_t kShownChars = 40;

const std::string kByteOrderMark = "\xEF\xBB\xBF";

std::string shortened(std::string word)
{
    // Keep the line readable when the file is not text at all.
    if (word.size() > kShownChars)
        word = word.substr(0, kShownChars) + "...";
    return word;
}

struct Problems {
    const std::string& name;
    std::vector<std::string>* lines;

    void add(int line, const std::string& what)
    {
        lines->push_back(name + ":" + std::to_string(line) + ": " + what);
    }
};

bool has_byte_order_mark(const std::string& word)
{
    return word.compare(0, kByteOrderMark.size(), kByteOrderMark) == 0;
}

// A word that was meant as a key but is none, also behind a byte-order mark.
bool meant_as_key(const std::string& word)
{
    if (has_byte_order_mark(word)) {
        const std::string bare = word.substr(kByteOrderMark.size());
        return find_config_key(bare) != nullptr || is_unknown_key(bare);
    }
    return is_unknown_key(word);
}

// The unknown key `word` with the key that was probably meant.
std::string describe_unknown_key(const std::string& word)
{
    const bool marked = has_byte_order_mark(word);
    const std::string bare = marked ? word.substr(kByteOrderMark.size()) : word;
    // A byte-order mark in front of the first key makes it a different word;
    // saying so names the real cause.
    if (marked && find_config_key(bare) != nullptr)
        return "a byte-order mark hides the key " + bare + "; save the file as UTF-8 without BOM";
    const char* meant = nearest_config_key(bare);
    if (meant != nullptr && differs_only_in_case(bare, meant))
        return "unknown key " + bare + " is ignored (key names are case-sensitive: " + meant + ")";
    if (meant != nullptr)
        return "unknown key " + shortened(bare) + " is ignored (did you mean " + meant + "?)";
    return "unknown key " + shortened(bare) + " is ignored";
}

std::string describe_failed_value(const char* key, const ConfigWord& value, OnBadValue on_bad)
{
    const char* skipped =
        on_bad == OnBadValue::skip_rest_of_text ? "the rest of this file" : "the rest of this line";
    if (value.text.empty())
        return std::string("the file ends where ") + key + " expects a value";
    return std::string(key) + " cannot take \"" + shortened(value.text) + "\"; " + skipped +
           " was skipped";
}

} // namespace

void read_config_text(std::string_view text, const std::string& name, int first_line,
                      OnBadValue on_bad_value, std::vector<std::string>* problems,
                      ConfigJournal* journal)
{
    Problems told{name, problems};
    ConfigWords words(text, first_line);
    int unknown = 0;
    ConfigWord word;
    while (words.next(&word)) {
        const ConfigKey* key = find_config_key(word.text);
        if (key == nullptr) {
            if (meant_as_key(word.text) && ++unknown <= kUnknownKeysShown)
                told.add(word.line, describe_unknown_key(word.text));
            continue;
        }
        ValueReader values(words, journal);
        key->read(values);
        if (!values.failed())
            continue;
        const ConfigWord& value = values.failed_value();
        told.add(value.text.empty() ? word.line : value.line,
                 describe_failed_value(key->name, value, on_bad_value));
        if (on_bad_value == OnBadValue::skip_rest_of_text || value.text.empty())
            break;
        words.skip_past_line(value.line);
    }
    if (unknown > kUnknownKeysShown)
        problems->push_back(name + ": and " + std::to_string(unknown - kUnknownKeysShown) +
                            " more unknown keys");
    if (words.first_cut_line() != 0)
        told.add(words.first_cut_line(), "a word longer than " + std::to_string(kMaxConfigWord) +
                                             " characters was cut there");
    if (words.first_unclosed_line() != 0)
        told.add(words.first_unclosed_line(),
                 "a value opens with \" but does not close it on its line; it ends at the first "
                 "blank");
}
