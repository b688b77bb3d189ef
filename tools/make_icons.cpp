// make_icons.cpp — writes the icon pictures of the palette as binary PPM files.
// Usage: make_icons FOLDER   (the build runs it for <build>/data/icons)
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

#include "icon_art.h"

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_icons FOLDER\n");
        return 2;
    }
    std::error_code ignored;
    std::filesystem::create_directories(argv[1], ignored);
    std::string error;
    if (!write_icons(argv[1], &error)) {
        std::fprintf(stderr, "make_icons: %s\n", error.c_str());
        return 1;
    }
    return 0;
}
