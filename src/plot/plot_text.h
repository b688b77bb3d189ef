// plot_text.h — the text layer shared by the plot readers: cleaned lines from
// a file or from memory, and comma-separated numbers read as sscanf would.
//
// A cleaned line has every blank, tab and carriage return removed and loses
// everything from the first "!" on (a comment). Nothing here allocates: the
// read buffer and the line live in the PlotText record, which callers keep on
// the stack.
#pragma once

#include <cstddef>

constexpr int kMaxPlotLine = 4096;     // longest cleaned line kept; longer lines are skipped
constexpr int kPlotChunkBytes = 32768; // bytes read from a file at a time
// Bytes read of one file. The largest store needs about 2 MB of text; a
// bigger file is mostly something else, and reading it all would hold up
// the frame that reads it.
constexpr long long kMaxPlotFileBytes = 64ll << 20;

// One text being read: a regular file, or bytes in memory.
struct PlotText {
    int fd = -1;                      // open file, or -1 when reading memory or done
    const char* next = nullptr;       // first unread byte of the current chunk
    const char* end = nullptr;        // one past its last byte
    long long budget = -1;            // bytes of the file still to read; -1: no bound
    bool cut = false;                 // the file went on past kMaxPlotFileBytes
    char chunk[kPlotChunkBytes];      // read buffer of a file
    char line[kMaxPlotLine + 1] = {}; // the current cleaned line, NUL-terminated
    int length = 0;                   // its length
    int line_number = 0;              // of the current line, from 1
    int long_lines = 0;               // lines skipped for their length
    int first_long_line = 0;          // line number of the first of them
    bool keep_raw = false;            // also keep the line as written (for names in it)
    char raw[kMaxPlotLine + 1] = {};  // with keep_raw: its first kMaxPlotLine bytes, NUL-terminated
};

// Opens `file` for reading. Only regular files are read: a missing file, a
// directory, a pipe or a device gives false and leaves nothing open.
// Reading stops after kMaxPlotFileBytes (and `cut` is set); a line the
// bound cuts in two is left out.
bool open_plot_file(PlotText& text, const char* file);

// Reads `size` bytes at `data` (which must outlive the reading) as a text.
void open_plot_memory(PlotText& text, const char* data, size_t size);

// Closes the file, if any. Safe to call twice.
void close_plot_text(PlotText& text);

// Moves to the next cleaned line (possibly empty); false at the end of the
// text. A line longer than kMaxPlotLine after cleaning is skipped whole and
// counted in `long_lines`. A read error ends the text.
bool next_plot_line(PlotText& text);

// Removes every "#" from the line in place, then a single leading ",", and
// returns where the header numbers begin.
const char* strip_header_marks(char* line);

// Reads comma-separated fields from `text` as sscanf would with a format such
// as "%lf,%lf,%d": one letter of `kinds` per field, 'd' for a double, 'f' for
// a float, 'i' for an int. Fields are separated by exactly one comma; text
// after the last field is ignored. Reading stops at the first field that is
// missing, malformed, out of the type's range or not finite (nan, inf).
// Returns the number of fields read; field k is in values[k] (a float or an
// int is stored exactly). `end`, when given, receives where the last field
// read ends.
int scan_plot_fields(const char* text, const char* kinds, double* values,
                     const char** end = nullptr);
