// captions.cpp — the caption file and the time bar's reading.
#include "text/captions.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "core/input_file.h"
#include "core/tyxparam.h"
#include "text/utf8.h"

namespace {

// Adds a line without its CR (nor, for the first, a byte-order mark), cut to
// the kept length.
void keep_line(std::string line)
{
    if (txt.captions.empty() && line.compare(0, 3, "\xEF\xBB\xBF") == 0)
        line.erase(0, 3);
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    line.resize(utf8_prefix_length(line, kMaxCaptionBytes));
    txt.captions.push_back(std::move(line));
}

void tell_unreadable(const std::string& path, const char* why)
{
    std::fprintf(stderr, "tyx: caption file %s cannot be read: %s; no captions are shown\n",
                 path.c_str(), why);
}

} // namespace

void load_caption_file()
{
    txt.captions.clear();
    const std::string& path = txt.caption_file;
    if (path.empty())
        return;
    InputRefusal why = InputRefusal::none;
    const int fd = open_input_fd(path.c_str(), &why);
    if (fd < 0) {
        tell_unreadable(path, why == InputRefusal::not_regular ? "not a regular file"
                                                               : std::strerror(errno));
        return;
    }
    std::string line;
    size_t total = 0;
    char chunk[16384];
    for (;;) {
        const ssize_t n = read(fd, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        for (ssize_t i = 0; i < n; i++) {
            if (chunk[i] == '\n') {
                keep_line(std::move(line));
                line.clear();
                if (txt.captions.size() >= size_t(kMaxFrames))
                    break;
            } else if (line.size() <= kMaxCaptionBytes + 3) { // room for a mark and a CR
                line += chunk[i];
            }
        }
        total += size_t(n);
        if (total >= kMaxCaptionFileBytes || txt.captions.size() >= size_t(kMaxFrames))
            break;
    }
    if (!line.empty() && txt.captions.size() < size_t(kMaxFrames))
        keep_line(std::move(line));
    close(fd);
}

const std::string& frame_caption(int frame)
{
    static const std::string none;
    if (frame < 0 || size_t(frame) >= txt.captions.size())
        return none;
    return txt.captions[size_t(frame)];
}

void timebar_reading(int frame, int frames, std::string* out)
{
    out->clear();
    if (frames <= 0)
        return;
    const std::string& caption = frame_caption(frame);
    if (!caption.empty()) {
        out->assign(caption);
        return;
    }
    char numbers[32];
    std::snprintf(numbers, sizeof numbers, "%d / %d", frame + 1, frames);
    out->assign(numbers);
}
