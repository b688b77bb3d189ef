// plot_text.cpp — cleaned lines and comma-separated numbers for the plot readers.
#include "plot/plot_text.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdlib>

namespace {

// Reads the next chunk of a file; false at its end or on a read error, which
// both close the file.
bool refill_chunk(PlotText& text)
{
    while (text.fd >= 0) {
        const ssize_t n = read(text.fd, text.chunk, sizeof text.chunk);
        if (n > 0) {
            text.next = text.chunk;
            text.end = text.chunk + n;
            return true;
        }
        if (n < 0 && errno == EINTR)
            continue;
        close_plot_text(text);
    }
    return false;
}

} // namespace

bool open_plot_file(PlotText& text, const char* file)
{
    close_plot_text(text);
    text.next = text.end = nullptr;
    const int fd = open(file, O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return false;
    // A pipe or a device could block the frame or never end; a directory
    // opens but cannot be read.
    struct stat info;
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        close(fd);
        return false;
    }
    text.fd = fd;
    return true;
}

void open_plot_memory(PlotText& text, const char* data, size_t size)
{
    close_plot_text(text);
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
        int length = 0;
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
        if (too_long)
            continue;
        text.line[length] = '\0';
        text.length = length;
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

int scan_plot_fields(const char* text, const char* kinds, double* values)
{
    int n = 0;
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
    }
    return n;
}
