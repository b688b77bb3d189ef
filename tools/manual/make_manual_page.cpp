// make_manual_page.cpp — writes the manual page tyx.1 at build time, from the
// same tables that the program's help and key reference show.
#include <cstdio>
#include <fstream>

#include "ui/manual_page.h"

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_manual_page OUTPUT\n");
        return 2;
    }
    const std::string page = manual_page_text();
    std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
    out << page;
    out.close();
    if (!out) {
        std::fprintf(stderr, "make_manual_page: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
