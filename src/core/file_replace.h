// file_replace.h — writing a file the viewer owns (the drawing, a lesson)
// without ever losing the one it replaces: the new text goes to a temporary
// file beside it, is synced and renamed over it. No GL here.
#pragma once

#include <sys/types.h>

#include <cstdio>
#include <functional>
#include <string>

// Writes `path` through `write`, which fills the stream and returns false on
// a write error. The folder is created when missing, and temporary files
// that killed writes left there are removed. A file without write
// permission is refused, even for root. Returns false with the reason in
// `why` when nothing was replaced; the old file is then as it was.
bool replace_file(const char* path, const std::function<bool(FILE*)>& write, std::string* why);

// The permissions a new file gets under the process's umask.
mode_t new_file_mode();
