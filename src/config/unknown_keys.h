// unknown_keys.h — recognising words in a configuration file that were meant
// as keys but are none, and the key they were most likely meant to be.
#pragma once

#include <string>

// True for a word that looks like a key but is not one: "#" and a letter,
// such as "#TextureSufix" or "#spin". Decoration such as "#", "##" or "#1"
// is free text like any other.
bool is_unknown_key(const std::string& token);

// The key name nearest to `token` by edit distance with letter case ignored,
// or null when none is close enough to be a likely slip (about one wrong
// character in four).
const char* nearest_config_key(const std::string& token);

// True when `token` and `key` spell the same word in other letter case.
bool differs_only_in_case(const std::string& token, const char* key);
