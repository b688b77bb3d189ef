// drawing_save.cpp — replacing a drawing file without ever losing one: the
// new text is written beside it, synced and renamed over it; a read-only
// file is refused; what killed saves left behind goes; and a user file that
// was not loaded whole is kept, the strokes going to a new file beside it.
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

#include "core/tyxparam.h"
#include "drawing/drawing_store.h"
#include "text/notices.h"

namespace {

// A save's temporary file: the target's name, this mark and mkstemp's six
// characters.
constexpr const char* kTemporaryMark = ".tmp-";
constexpr size_t kTemporaryRandom = 6;
// Numbered names tried for a file beside the user's one.
constexpr int kMaxDivertedNumber = 9999;

void report_not_saved(const char* path, const char* why)
{
    std::fprintf(stderr, "tyx: %s: not saved: %s\n", path, why);
    post_notice(std::string("Drawing not saved: ") + path + ": " + why);
}

// Creates `folder` and its parents where missing; errors show at the write.
void make_folders(const std::string& folder)
{
    for (size_t slash = folder.find('/', 1);; slash = folder.find('/', slash + 1)) {
        mkdir(folder.substr(0, slash).c_str(), 0777);
        if (slash == std::string::npos)
            return;
    }
}

mode_t new_file_mode()
{
    mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

// The permissions the saved file gets: those of the file it replaces, or the
// usual ones for a new file.
mode_t saved_file_mode(const char* path)
{
    struct stat old;
    if (stat(path, &old) == 0 && S_ISREG(old.st_mode))
        return old.st_mode & 07777;
    return new_file_mode();
}

// Makes the rename itself durable; a failure here loses nothing written.
void sync_folder(const std::string& folder)
{
    int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd < 0)
        return;
    fsync(fd);
    close(fd);
}

// Why the file at `path` must not be replaced, or null. The rename would
// replace a file that its owner made read-only, even as root, so the
// permissions are looked at first.
const char* replace_refusal(const char* path)
{
    struct stat info;
    if (stat(path, &info) != 0 || !S_ISREG(info.st_mode))
        return nullptr; // a new file; a folder in the way fails at the rename
    if ((info.st_mode & 0222) == 0)
        return "the file is read-only";
    if (faccessat(AT_FDCWD, path, W_OK, AT_EACCESS) != 0)
        return std::strerror(errno);
    return nullptr;
}

// Removes the temporary files of `base` in `folder` that earlier saves left
// when they were killed. Every save holds a lock on its own temporary file
// from creation to rename, so one that nobody holds has no writer any more.
void remove_stale_temporaries(const std::string& folder, const std::string& base)
{
    DIR* dir = opendir(folder.c_str());
    if (dir == nullptr)
        return;
    const std::string prefix = base + kTemporaryMark;
    while (const dirent* entry = readdir(dir)) {
        const std::string name = entry->d_name;
        if (name.size() != prefix.size() + kTemporaryRandom ||
            name.compare(0, prefix.size(), prefix))
            continue;
        const std::string path = folder + "/" + name;
        const int fd = open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0)
            continue;
        struct stat info;
        if (fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && flock(fd, LOCK_EX | LOCK_NB) == 0)
            unlink(path.c_str());
        close(fd);
    }
    closedir(dir);
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
    std::string target = path;
    size_t slash = target.rfind('/');
    std::string folder = slash == std::string::npos ? "."
                         : slash == 0               ? "/"
                                                    : target.substr(0, slash);
    if (slash != std::string::npos && slash > 0)
        make_folders(folder);
    if (const char* why = replace_refusal(path)) {
        report_not_saved(path, why);
        return false;
    }
    remove_stale_temporaries(folder,
                             slash == std::string::npos ? target : target.substr(slash + 1));

    std::string pattern = target + kTemporaryMark + std::string(kTemporaryRandom, 'X');
    std::vector<char> temp(pattern.begin(), pattern.end());
    temp.push_back('\0');
    int fd = mkstemp(temp.data());
    if (fd < 0) {
        report_not_saved(path, std::strerror(errno));
        return false;
    }
    // Held until the file is renamed or removed: the mark of a live save.
    flock(fd, LOCK_EX);
    fchmod(fd, saved_file_mode(path));
    FILE* out = fdopen(fd, "w");
    if (out == nullptr) {
        int error = errno;
        close(fd);
        unlink(temp.data());
        report_not_saved(path, std::strerror(error));
        return false;
    }

    int error = 0;
    errno = 0;
    if (!write_drawings(out) || std::fflush(out) != 0 || fsync(fd) != 0)
        error = errno != 0 ? errno : EIO;
    // Renamed while still locked; everything was flushed and synced above.
    if (error == 0 && std::rename(temp.data(), path) != 0)
        error = errno;
    if (error != 0)
        unlink(temp.data());
    std::fclose(out);
    if (error != 0) {
        report_not_saved(path, std::strerror(error));
        return false;
    }
    sync_folder(folder);
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
