// plot_text.cpp — cleaned lines and comma-separated numbers for the plot readers.
#include "plot/plot_text.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdlib>

#include "core/input_file.h"

namespace {

// Reads the next chunk of a file within its budget; false at its end, at the
// bound or on a read error, which all close the file.
bool refill_chunk(PlotText& text)
{
    while (text.fd >= 0) {
        if (text.budget == 0) {
            char more;
            text.cut = read(text.fd, &more, 1) == 1;
            close_plot_text(text);
            break;
        }
        size_t wanted = sizeof text.chunk;
        if (text.budget > 0)
            wanted = size_t(std::min<long long>(text.budget, wanted));
        const ssize_t n = read(text.fd, text.chunk, wanted);
        if (n > 0) {
            text.next = text.chunk;
            text.end = text.chunk + n;
            if (text.budget > 0)
                text.budget -= n;
            return true;
        }
        if (n < 0 && errno == EINTR)
            continue;
        close_plot_text(text);
    }
    return false;
}

void start_text(PlotText& text)
{
    close_plot_text(text);
    text.next = text.end = nullptr;
    text.budget = -1;
    text.cut = false;
    text.length = text.line_number = text.long_lines = text.first_long_line = 0;
}

} // namespace

bool open_plot_file(PlotText& text, const char* file)
{
    start_text(text);
    const int fd = open_input_fd(file);
    if (fd < 0)
        return false;
    text.fd = fd;
    text.budget = kMaxPlotFileBytes;
    return true;
}

void open_plot_memory(PlotText& text, const char* data, size_t size)
{
    start_text(text);
    text.next = data;
    text.end = data + size;
}

void close_plot_text(PlotText& text)
{
    if (text.fd >= 0)
        close(text.fd);
    text.fd = -1;
}

bool next_plot_line(PlotText& text)
{
    for (;;) {
        int length = 0, raw_length = 0;
        bool consumed = false; // a byte (or the line end) of this line was read
        bool comment = false;
        bool too_long = false;
        bool line_end = false;
        while (!line_end) {
            if (text.next == text.end && !refill_chunk(text))
                break;
            consumed = true;
            const char* p = text.next;
            const char* const end = text.end;
            while (p < end) {
                const char c = *p++;
                if (c == '\n') {
                    line_end = true;
                    break;
                }
                if (text.keep_raw && raw_length < kMaxPlotLine)
                    text.raw[raw_length++] = c;
                if (comment || c == ' ' || c == '\t' || c == '\r')
                    continue;
                if (c == '!')
                    comment = true;
                else if (length < kMaxPlotLine)
                    text.line[length++] = c;
                else
                    too_long = true;
            }
            text.next = p;
        }
        if (!consumed)
            return false;
        text.line_number++;
        // The bound may have cut the last line anywhere, even inside a number.
        if (!line_end && text.cut)
            return false;
        if (too_long) {
            if (text.long_lines++ == 0)
                text.first_long_line = text.line_number;
            continue;
        }
        text.line[length] = '\0';
        text.length = length;
        text.raw[raw_length] = '\0';
        return true;
    }
}

const char* strip_header_marks(char* line)
{
    char* out = line;
    for (const char* in = line; *in != '\0'; in++)
        if (*in != '#')
            *out++ = *in;
    *out = '\0';
    return line[0] == ',' ? line + 1 : line;
}

int scan_plot_fields(const char* text, const char* kinds, double* values, const char** end)
{
    int n = 0;
    if (end != nullptr)
        *end = text;
    for (; kinds[n] != '\0'; n++) {
        if (n > 0) {
            if (*text != ',')
                return n;
            text++;
        }
        char* after = nullptr;
        double value = 0;
        if (kinds[n] == 'd') {
            value = std::strtod(text, &after);
        } else if (kinds[n] == 'f') {
            value = std::strtof(text, &after);
        } else if (kinds[n] == 'i') {
            errno = 0;
            const long whole = std::strtol(text, &after, 10);
            if (errno == ERANGE || whole < INT_MIN || whole > INT_MAX)
                return n;
            value = double(whole);
        } else {
            return n;
        }
        if (after == text || !std::isfinite(value))
            return n;
        values[n] = value;
        text = after;
        if (end != nullptr)
            *end = text;
    }
    return n;
}
