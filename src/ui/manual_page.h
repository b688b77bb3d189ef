// manual_page.h — the manual page tyx(1), made from the tables that "--help"
// and the key reference (key ?) show: the command-line options and files
// (core/command_line.h), the key and pointer bindings with the commands'
// descriptions (ui/help_overlay.h), and the configuration keys with their
// defaults (config/config_keys.h). The build writes it with
// tools/make_manual_page. No GL here.
#pragma once

#include <string>

// The page in man(7) markup. Reads the key defaults from a fresh viewer
// state and leaves the state reset.
std::string manual_page_text();

// `text` as troff prints it literally: backslashes and minus signs escaped,
// and a leading "\&" so that no line starts a request.
std::string troff_text(const std::string& text);
