// utf8.h — decoding UTF-8 text one code point at a time. No GL here.
//
// Every byte sequence decodes: what is not well-formed UTF-8 (a stray
// continuation byte, an overlong form, a surrogate, a value beyond U+10FFFF,
// a sequence cut short by the end of the text or by a byte that does not
// continue it) gives U+FFFD, the replacement character, and decoding goes on
// with the next byte that can start a character.
#pragma once

#include <cstddef>
#include <string_view>

constexpr char32_t kReplacementCharacter = 0xFFFD;

// Decodes the character starting at text[*at] and moves *at past it (by at
// least one byte). *at must be below text.size().
char32_t next_code_point(std::string_view text, size_t* at);

// The length of the longest start of `text` not above `bytes` bytes that
// does not cut a character in two (for cutting a line to a size).
size_t utf8_prefix_length(std::string_view text, size_t bytes);
