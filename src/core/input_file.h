// input_file.h — opening the files the viewer reads without ever waiting on
// them: regular files only, opened non-blocking, read within a size bound.
//
// Every reader of configuration, images, plot data and drawings opens its
// file through here. A FIFO without a writer would block the open for ever,
// a FIFO fed without end or a device such as /dev/zero would never end, and
// a directory opens but cannot be read; all of them are refused before a
// byte is read. No GL here; safe on any thread.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

// Why an input was not opened.
enum class InputRefusal {
    none,        // it opened
    missing,     // it does not exist or cannot be opened
    not_regular, // a directory, FIFO, device or socket
};

// Opens `path` for reading and returns the descriptor (close-on-exec), or -1
// with the reason in `why` (unless null).
int open_input_fd(const char* path, InputRefusal* why = nullptr);

// The same as a stream in binary read mode; null when refused.
FILE* open_input_file(const char* path, InputRefusal* why = nullptr);

// A bounded read of a whole file.
struct InputText {
    std::string bytes;        // at most the limit asked for
    long long file_bytes = 0; // size of the file on disk
    bool cut = false;         // the file holds more than `bytes`
};

// Reads at most `limit` bytes of `path` into `text`; false when refused (see
// open_input_fd) or on a read error, with `text` empty.
bool read_input_text(const char* path, size_t limit, InputText* text, InputRefusal* why = nullptr);
