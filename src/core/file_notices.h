// file_notices.h — per-file messages told once per load.
//
// Step files are read again at every step change and every play cycle; what
// is wrong with one of them is told the first time only, until the next
// reading of the configuration starts a new load (start-up, z, Z, the
// automatic reload). The memory holds one entry per file and kind of
// message, so it stays as small as the set of files the viewer reads.
#pragma once

#include <string>

// True the first time `kind` (such as "capacity") is asked about for `file`
// since the last forget_file_notices(), false after. Safe on any thread.
bool first_file_notice(const std::string& file, const char* kind);

// Starts a new load: every message may be told once again. Called by the
// configuration reader and by reset_viewer_state().
void forget_file_notices();
