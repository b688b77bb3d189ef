// input_file.cpp — non-blocking, regular-only opening of input files.
#include "core/input_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

int open_input_fd(const char* path, InputRefusal* why)
{
    InputRefusal refusal = InputRefusal::missing;
    // O_NONBLOCK keeps the open of a FIFO without writer from waiting; the
    // check below then refuses it.
    int fd = path == nullptr ? -1 : open(path, O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd >= 0) {
        struct stat info;
        if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
            close(fd);
            fd = -1;
            refusal = InputRefusal::not_regular;
        } else {
            // Regular files never block; plain reads from here on.
            fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
            refusal = InputRefusal::none;
        }
    }
    if (why != nullptr)
        *why = refusal;
    return fd;
}

FILE* open_input_file(const char* path, InputRefusal* why)
{
    const int fd = open_input_fd(path, why);
    if (fd < 0)
        return nullptr;
    FILE* fp = fdopen(fd, "rb");
    if (fp == nullptr) {
        close(fd);
        if (why != nullptr)
            *why = InputRefusal::missing;
    }
    return fp;
}

bool read_input_text(const char* path, size_t limit, InputText* text, InputRefusal* why)
{
    *text = InputText{};
    const int fd = open_input_fd(path, why);
    if (fd < 0)
        return false;
    struct stat info;
    if (fstat(fd, &info) == 0)
        text->file_bytes = info.st_size;
    // One byte past the limit tells whether the file goes on.
    const size_t wanted = limit + 1;
    text->bytes.resize(info.st_size >= 0 && size_t(info.st_size) < limit ? size_t(info.st_size) + 1
                                                                         : wanted);
    size_t got = 0;
    bool failed = false;
    while (got < wanted) {
        if (got == text->bytes.size())
            text->bytes.resize(wanted); // the file grew since fstat
        const ssize_t n = read(fd, &text->bytes[got], text->bytes.size() - got);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            failed = n < 0;
            break;
        }
        got += size_t(n);
    }
    close(fd);
    if (failed) {
        *text = InputText{};
        return false;
    }
    text->cut = got > limit;
    text->bytes.resize(text->cut ? limit : got);
    if (text->file_bytes < static_cast<long long>(got))
        text->file_bytes = static_cast<long long>(got);
    return true;
}
