// unknown_keys.cpp — spotting misspelt keys and naming the key meant.
#include "config/unknown_keys.h"

#include <algorithm>
#include <cctype>
#include <vector>

#include "config/config_keys.h"

namespace {

// Longer words are not compared: no key is half as long.
constexpr size_t kLongestCompared = 64;

char fold(char c)
{
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

// Levenshtein distance of a and b, letter case ignored.
size_t edit_distance(const std::string& a, const std::string& b)
{
    std::vector<size_t> row(b.size() + 1);
    for (size_t j = 0; j <= b.size(); j++)
        row[j] = j;
    for (size_t i = 1; i <= a.size(); i++) {
        size_t diagonal = row[0];
        row[0] = i;
        for (size_t j = 1; j <= b.size(); j++) {
            const size_t above = row[j];
            const size_t change = diagonal + (fold(a[i - 1]) == fold(b[j - 1]) ? 0 : 1);
            row[j] = std::min({above + 1, row[j - 1] + 1, change});
            diagonal = above;
        }
    }
    return row[b.size()];
}

} // namespace

bool is_unknown_key(const std::string& token)
{
    return token.size() >= 2 && token[0] == '#' &&
           std::isalpha(static_cast<unsigned char>(token[1])) && find_config_key(token) == nullptr;
}

const char* nearest_config_key(const std::string& token)
{
    if (token.size() > kLongestCompared)
        return nullptr;
    const char* best = nullptr;
    size_t best_distance = 0;
    for (size_t i = 0; i < kConfigKeyCount; i++) {
        const size_t d = edit_distance(token, kConfigKeys[i].name);
        if (best == nullptr || d < best_distance) {
            best = kConfigKeys[i].name;
            best_distance = d;
        }
    }
    const size_t allowed = std::max<size_t>(2, token.size() / 4);
    return best_distance <= allowed ? best : nullptr;
}

bool differs_only_in_case(const std::string& token, const char* key)
{
    const std::string name = key;
    return token != name && edit_distance(token, name) == 0;
}
