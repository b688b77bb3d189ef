// drawing_save.cpp — saving the drawing file through a replacement that
// never loses the old one (core/file_replace.h); a user file that was not
// loaded whole is kept, the strokes going to a new file beside it.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "core/file_replace.h"
#include "core/tyxparam.h"
#include "drawing/drawing_store.h"
#include "text/notices.h"

namespace {

// Numbered names tried for a file beside the user's one.
constexpr int kMaxDivertedNumber = 9999;

void report_not_saved(const char* path, const char* why)
{
    std::fprintf(stderr, "tyx: %s: not saved: %s\n", path, why);
    post_notice(std::string("Drawing not saved: ") + path + ": " + why);
}

// Chooses the first free name stem-N.suffix beside `path` and creates it
// empty, so that no other save takes it. Returns 0, or the error.
int reserve_file_beside(const char* path, std::string* name)
{
    const std::string target = path;
    const size_t slash = target.rfind('/');
    size_t dot = target.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        dot = target.size();
    const mode_t mode = new_file_mode();
    for (int n = 1; n <= kMaxDivertedNumber; n++) {
        std::string candidate =
            target.substr(0, dot) + "-" + std::to_string(n) + target.substr(dot);
        const int fd = open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd >= 0) {
            close(fd);
            *name = std::move(candidate);
            return 0;
        }
        if (errno != EEXIST)
            return errno;
    }
    return EEXIST;
}

} // namespace

bool save_drawings_as(const char* path)
{
    std::string why;
    if (!replace_file(path, write_drawings, &why)) {
        report_not_saved(path, why.c_str());
        return false;
    }
    post_notice(std::string("Drawing saved to ") + path);
    return true;
}

bool save_drawings()
{
    if (drawing.user_file_partial == 0)
        return save_drawings_as(kUserDrawingFile);
    if (drawing.diverted_file.empty()) {
        const int error = reserve_file_beside(kUserDrawingFile, &drawing.diverted_file);
        if (error != 0) {
            report_not_saved(kUserDrawingFile, std::strerror(error));
            return false;
        }
    }
    if (!save_drawings_as(drawing.diverted_file.c_str()))
        return false;
    std::fprintf(stderr, "tyx: saved to %s; %s was not loaded whole and is kept as it is\n",
                 drawing.diverted_file.c_str(), kUserDrawingFile);
    post_notice("Drawing saved to " + drawing.diverted_file + "; " + kUserDrawingFile +
                " is kept as it is");
    return true;
}
