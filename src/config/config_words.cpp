// config_words.cpp — splitting a configuration text into words.
#include "config/config_words.h"

namespace {

bool is_blank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

} // namespace

void ConfigWords::skip_blanks()
{
    for (; at_ < text_.size() && is_blank(text_[at_]); at_++)
        line_ += text_[at_] == '\n';
}

bool ConfigWords::next(ConfigWord* word)
{
    if (has_put_back_) {
        has_put_back_ = false;
        *word = std::move(put_back_);
        return true;
    }
    skip_blanks();
    word->line = line_;
    const std::size_t start = at_;
    while (at_ < text_.size() && !is_blank(text_[at_]))
        at_++;
    std::size_t length = at_ - start;
    if (length > kMaxConfigWord) {
        length = kMaxConfigWord;
        if (first_cut_line_ == 0)
            first_cut_line_ = line_;
    }
    word->text.assign(text_.substr(start, length));
    return !word->text.empty();
}

bool ConfigWords::next_string(ConfigWord* word)
{
    if (has_put_back_)
        return next(word);
    skip_blanks();
    if (at_ < text_.size() && text_[at_] == '"') {
        const std::size_t end = text_.find_first_of("\"\n", at_ + 1);
        if (end != std::string_view::npos && text_[end] == '"' && end - at_ - 1 <= kMaxConfigWord) {
            word->line = line_;
            word->text.assign(text_.substr(at_ + 1, end - at_ - 1));
            at_ = end + 1;
            return true;
        }
        if (first_unclosed_line_ == 0)
            first_unclosed_line_ = line_;
    }
    return next(word);
}

void ConfigWords::put_back(std::string rest, int line)
{
    put_back_.text = std::move(rest);
    put_back_.line = line;
    has_put_back_ = true;
}

void ConfigWords::skip_past_line(int line)
{
    has_put_back_ = false;
    while (at_ < text_.size() && line_ <= line) {
        line_ += text_[at_] == '\n';
        at_++;
    }
}
