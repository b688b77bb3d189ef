// ppm_header.cpp — reads binary PPM headers for the PPM readers. No GL here.
#include "imagery/ppm_header.h"

#include <string>

#include "imagery/image_problem.h"

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

// Longest line the line-by-line reader of older tyx versions took in one go;
// text on the maximum-value line beyond it was never skipped.
constexpr long kHeaderLineLimit = 254;

bool is_text(int c)
{
    return (c >= 0x20 && c < 0x7f) || c == '\t' || c == '\r';
}

// Bytes from the current position to the end of fp, or -1 when fp cannot seek.
long bytes_left(FILE* fp)
{
    const long here = ftell(fp);
    if (here < 0 || fseek(fp, 0, SEEK_END) != 0)
        return -1;
    const long end = ftell(fp);
    if (fseek(fp, here, SEEK_SET) != 0 || end < here)
        return -1;
    return end - here;
}

// Consumes what separates the maximum value from the samples; `sample_bytes`
// is the size of the sample block the header announces.
//
// Files written line by line may carry blanks, a "# comment" or other text
// after the maximum value on its line, which the old line reader skipped
// whole. That is honoured when the value stands alone at the start of its
// line: always for blanks; for a comment or other text when the whole sample
// block still fits after the line end, and for a comment also when the file is
// too short either way. Otherwise those bytes are samples that happen to look
// like text, and one whitespace character (or a comment up to its line end)
// is the separator, as in every other layout.
bool skip_sample_separator(FILE* fp, bool value_first_on_line, unsigned long long sample_bytes)
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
    const long left_if_not = bytes_left(fp);
    bool only_blanks = true;
    bool comment = false;
    for (long length = 1;; length++) {
        c = getc(fp);
        if (c == '\n' || c == EOF)
            break;
        if (only_blanks && c == '#')
            comment = true;
        if (!comment && (!is_text(c) || (!only_blanks && length >= kHeaderLineLimit)))
            break;
        if (!is_blank(c) && c != '\r')
            only_blanks = false;
    }
    if (c == '\n') {
        if (only_blanks)
            return true;
        const long line_bytes = ftell(fp) - samples_if_not;
        if (left_if_not >= 0 && line_bytes > 0 && line_bytes <= left_if_not) {
            const auto after_line = static_cast<unsigned long long>(left_if_not - line_bytes);
            const auto after_separator = static_cast<unsigned long long>(left_if_not);
            if (after_line >= sample_bytes || (comment && after_separator < sample_bytes))
                return true;
        }
    }
    clearerr(fp);
    return fseek(fp, samples_if_not, SEEK_SET) == 0;
}

// Names what a file that is no binary PPM holds, from its first two bytes
// (`first` already read), for the message about it.
std::string describe_non_ppm(int first, int second)
{
    if (first == EOF)
        return "the file is empty";
    if (first == 0xff && second == 0xd8)
        return "a JPEG image, not a PPM";
    if (first == 0x89 && second == 'P')
        return "a PNG image, not a PPM";
    if (first == 'P' && second >= '1' && second <= '7') {
        static const char* const kinds[] = {"a text bitmap (P1)", "a text greymap (P2)",
                                            "a text PPM (P3)",    "a bitmap (P4)",
                                            "a greymap (P5)",     "",
                                            "a PAM image (P7)"};
        return std::string(kinds[second - '1']) +
               ", not a binary colour PPM (P6); save it as binary colour PPM";
    }
    return "not a PPM image (it does not begin with P6)";
}

} // namespace

bool parse_ppm_header(FILE* fp, PpmHeader* header)
{
    const int first = getc(fp);
    const int second = first == EOF ? EOF : getc(fp);
    if (first != 'P' || second != '6') {
        set_image_problem(describe_non_ppm(first, second));
        return false;
    }
    long width = 0, height = 0, maxval = 0;
    bool first_on_line = false;
    if (!read_number(fp, &width, &first_on_line) || !read_number(fp, &height, &first_on_line) ||
        !read_number(fp, &maxval, &first_on_line)) {
        set_image_problem(feof(fp) ? "the file ends inside the PPM header"
                                   : "the PPM header does not give width, height and maximum "
                                     "value as numbers");
        return false;
    }
    if (width < 1 || width > kMaxImageSide || height < 1 || height > kMaxImageSide) {
        set_image_problem("the size " + std::to_string(width) + " x " + std::to_string(height) +
                          " is outside 1 .. " + std::to_string(kMaxImageSide));
        return false;
    }
    if (maxval < 1 || maxval > 65535) {
        set_image_problem("the maximum value " + std::to_string(maxval) + " is outside 1 .. 65535");
        return false;
    }
    const unsigned long long sample_bytes =
        static_cast<unsigned long long>(width) * height * 3 * (maxval > 255 ? 2 : 1);
    if (!skip_sample_separator(fp, first_on_line, sample_bytes)) {
        set_image_problem("the PPM header has no white space after the maximum value");
        return false;
    }
    header->width = int(width);
    header->height = int(height);
    header->maxval = int(maxval);
    return true;
}
