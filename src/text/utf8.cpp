// utf8.cpp — the UTF-8 decoder.
#include "text/utf8.h"

namespace {

bool continues(unsigned char c)
{
    return (c & 0xC0) == 0x80;
}

} // namespace

char32_t next_code_point(std::string_view text, size_t* at)
{
    const unsigned char lead = static_cast<unsigned char>(text[*at]);
    *at += 1;
    if (lead < 0x80)
        return lead;
    int extra = 0;
    char32_t value = 0, least = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        extra = 1;
        value = lead & 0x1F;
        least = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        extra = 2;
        value = lead & 0x0F;
        least = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        extra = 3;
        value = lead & 0x07;
        least = 0x10000;
    } else {
        return kReplacementCharacter; // continuation byte, C0, C1 or F5 .. FF
    }
    for (int k = 0; k < extra; k++) {
        // A byte that does not continue the sequence starts the next one.
        if (*at >= text.size() || !continues(static_cast<unsigned char>(text[*at])))
            return kReplacementCharacter;
        value = value << 6 | (static_cast<unsigned char>(text[*at]) & 0x3F);
        *at += 1;
    }
    if (value < least || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
        return kReplacementCharacter;
    return value;
}

size_t utf8_prefix_length(std::string_view text, size_t bytes)
{
    if (bytes >= text.size())
        return text.size();
    size_t end = bytes;
    // Back off over the continuation bytes of a character cut at `bytes`.
    while (end > 0 && continues(static_cast<unsigned char>(text[end])))
        end--;
    return end;
}
