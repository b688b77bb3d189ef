// ppm_header.cpp — reads binary PPM headers for the PPM readers. No GL here.
#include "imagery/ppm_header.h"

#include "imagery/image_readers.h"

namespace {

// Numbers saturate here, far above every accepted value, so that long digit
// runs cannot overflow.
constexpr long kNumberCap = 10000000;

// Whitespace other than line ends.
bool is_blank(int c)
{
    return c == ' ' || c == '\t' || c == '\v' || c == '\f';
}

// After a CR: takes a following LF as part of the same line end.
void skip_lf_after_cr(FILE* fp)
{
    int c = getc(fp);
    if (c != '\n' && c != EOF)
        ungetc(c, fp);
}

// After a "#": skips the comment and its line end (LF, CR or CR LF).
void skip_comment(FILE* fp)
{
    int c;
    do {
        c = getc(fp);
    } while (c != '\n' && c != '\r' && c != EOF);
    if (c == '\r')
        skip_lf_after_cr(fp);
}

// Skips whitespace and comments, then reads an unsigned decimal number into
// *value. *first_on_line tells whether a line end came before it. The
// character after the digits stays unread.
bool read_number(FILE* fp, long* value, bool* first_on_line)
{
    *first_on_line = false;
    int c = getc(fp);
    for (;;) {
        if (c == '#') {
            skip_comment(fp);
            *first_on_line = true;
        } else if (c == '\n' || c == '\r') {
            *first_on_line = true;
        } else if (!is_blank(c)) {
            break;
        }
        c = getc(fp);
    }
    if (c < '0' || c > '9')
        return false;
    long v = 0;
    for (; c >= '0' && c <= '9'; c = getc(fp))
        if (v < kNumberCap)
            v = v * 10 + (c - '0');
    ungetc(c, fp);
    *value = v;
    return true;
}

// Consumes what separates the maximum value from the samples. Files written
// line by line may end the maximum-value line with blanks, which the old line
// reader skipped; that is honoured when the value stands alone on its line
// and only blanks follow it up to the line end. Otherwise one whitespace
// character (or a comment up to its line end) is the separator.
bool skip_sample_separator(FILE* fp, bool value_first_on_line)
{
    int c = getc(fp);
    if (c == EOF || c == '\n')
        return true;
    if (c == '\r') {
        skip_lf_after_cr(fp);
        return true;
    }
    if (c == '#') {
        skip_comment(fp);
        return true;
    }
    if (!is_blank(c))
        return false;
    if (!value_first_on_line)
        return true;
    const long samples_if_not = ftell(fp);
    if (samples_if_not < 0)
        return true; // not seekable: keep the one-character separator
    do {
        c = getc(fp);
    } while (is_blank(c) || c == '\r');
    if (c == '\n')
        return true;
    clearerr(fp);
    return fseek(fp, samples_if_not, SEEK_SET) == 0;
}

} // namespace

bool parse_ppm_header(FILE* fp, PpmHeader* header)
{
    if (getc(fp) != 'P' || getc(fp) != '6')
        return false;
    long width = 0, height = 0, maxval = 0;
    bool first_on_line = false;
    if (!read_number(fp, &width, &first_on_line) || !read_number(fp, &height, &first_on_line) ||
        !read_number(fp, &maxval, &first_on_line))
        return false;
    if (width < 1 || width > kMaxImageSide || height < 1 || height > kMaxImageSide || maxval < 1 ||
        maxval > 65535)
        return false;
    if (!skip_sample_separator(fp, first_on_line))
        return false;
    header->width = int(width);
    header->height = int(height);
    header->maxval = int(maxval);
    return true;
}
