// file_replace.cpp — replacing a file through a synced temporary beside it.
#include "core/file_replace.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

namespace {

// A write's temporary file: the target's name, this mark and mkstemp's six
// characters.
constexpr const char* kTemporaryMark = ".tmp-";
constexpr size_t kTemporaryRandom = 6;
// Creates `folder` and its parents where missing; errors show at the write.
void make_folders(const std::string& folder)
{
    for (size_t slash = folder.find('/', 1);; slash = folder.find('/', slash + 1)) {
        mkdir(folder.substr(0, slash).c_str(), 0777);
        if (slash == std::string::npos)
            return;
    }
}

// The permissions the written file gets: those of the file it replaces, or the
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

// Removes the temporary files of `base` in `folder` that earlier writes left
// when they were killed. Every write holds a lock on its own temporary file
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

} // namespace

bool replace_file(const char* path, const std::function<bool(FILE*)>& write, std::string* why)
{
    std::string target = path;
    size_t slash = target.rfind('/');
    std::string folder = slash == std::string::npos ? "."
                         : slash == 0               ? "/"
                                                    : target.substr(0, slash);
    if (slash != std::string::npos && slash > 0)
        make_folders(folder);
    if (const char* refusal = replace_refusal(path)) {
        *why = refusal;
        return false;
    }
    remove_stale_temporaries(folder,
                             slash == std::string::npos ? target : target.substr(slash + 1));

    std::string pattern = target + kTemporaryMark + std::string(kTemporaryRandom, 'X');
    std::vector<char> temp(pattern.begin(), pattern.end());
    temp.push_back('\0');
    int fd = mkstemp(temp.data());
    if (fd < 0) {
        *why = std::strerror(errno);
        return false;
    }
    // Held until the file is renamed or removed: the mark of a live write.
    flock(fd, LOCK_EX);
    fchmod(fd, saved_file_mode(path));
    FILE* out = fdopen(fd, "w");
    if (out == nullptr) {
        int error = errno;
        close(fd);
        unlink(temp.data());
        *why = std::strerror(error);
        return false;
    }

    int error = 0;
    errno = 0;
    if (!write(out) || std::fflush(out) != 0 || fsync(fd) != 0)
        error = errno != 0 ? errno : EIO;
    // Renamed while still locked; everything was flushed and synced above.
    if (error == 0 && std::rename(temp.data(), path) != 0)
        error = errno;
    if (error != 0)
        unlink(temp.data());
    std::fclose(out);
    if (error != 0) {
        *why = std::strerror(error);
        return false;
    }
    sync_folder(folder);
    return true;
}

mode_t new_file_mode()
{
    mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}
