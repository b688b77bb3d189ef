// picture_export.cpp — file names of exported pictures, the snapshot
// requests, and the writer thread that encodes and writes them.
#include "render/picture_export.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <mutex>
#include <thread>

#include "core/tyxparam.h"
#include "imagery/png_writer.h"
#include "text/notices.h"

namespace fs = std::filesystem;

namespace {

// Pictures of key S that may wait for the writer; a held-down key would
// otherwise pile up screen-sized buffers faster than they are encoded.
constexpr int kMaxWaitingSnapshots = 8;

// Longest number read from a tyx-N.png name, so that one more still fits.
constexpr size_t kMaxNumberDigits = 9;

struct ExportJob {
    CapturedPicture picture;
    std::string folder; // snapshot: the folder to number in
    std::string path;   // series frame: the file; empty for a snapshot
    int index = 0;      // series frame index and frame count
    int count = 0;
};

// The writer: one thread taking jobs in order, so that each snapshot sees
// the files of the ones before it when it chooses its number.
struct Writer {
    std::mutex lock;
    std::condition_variable work;     // a job arrived, or the program ends
    std::condition_variable progress; // a job is done
    std::deque<ExportJob> jobs;
    int unfinished = 0; // queued or being written
    bool ending = false;
    std::thread thread;
};

// Made at the first export and never destroyed; the thread is joined at exit.
Writer* writer = nullptr;
std::atomic<bool> series_failed{false};

bool snapshot_number(const std::string& name, int* number)
{
    const std::string prefix = "tyx-", suffix = ".png";
    if (name.size() <= prefix.size() + suffix.size() || name.compare(0, 4, prefix) != 0 ||
        name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0)
        return false;
    const std::string digits =
        name.substr(prefix.size(), name.size() - prefix.size() - suffix.size());
    if (digits.size() > kMaxNumberDigits ||
        !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return false;
    *number = std::stoi(digits);
    return true;
}

void write_snapshot(const ExportJob& job)
{
    const CapturedPicture& p = job.picture;
    std::error_code failure;
    fs::create_directories(job.folder, failure);
    if (failure) {
        std::fprintf(stderr, "tyx: cannot save the picture: cannot make the folder %s: %s\n",
                     job.folder.c_str(), failure.message().c_str());
        std::fflush(stderr);
        post_notice("Picture not saved: cannot make the folder " + job.folder + ": " +
                    failure.message());
        return;
    }
    const std::string path = next_snapshot_file_name(job.folder);
    std::string error;
    if (!write_png_file(path, p.rgb.data(), p.width, p.height, 3, true, &error)) {
        std::fprintf(stderr, "tyx: cannot save the picture as %s: %s\n", path.c_str(),
                     error.c_str());
        std::fflush(stderr);
        post_notice("Picture not saved as " + path + ": " + error);
        return;
    }
    std::printf("%s\n", path.c_str());
    std::fflush(stdout);
    post_notice("Picture saved as " + path);
}

void write_series_frame(const ExportJob& job)
{
    if (series_failed)
        return;
    const CapturedPicture& p = job.picture;
    std::string error;
    if (!write_png_file(job.path, p.rgb.data(), p.width, p.height, 3, true, &error)) {
        std::fprintf(stderr, "tyx: cannot write frame %d as %s: %s\n", job.index + 1,
                     job.path.c_str(), error.c_str());
        series_failed = true;
    } else {
        std::fprintf(stderr, "tyx: frame %d of %d: %s\n", job.index + 1, job.count,
                     job.path.c_str());
    }
    std::fflush(stderr);
}

void run_writer(Writer* w)
{
    std::unique_lock<std::mutex> guard(w->lock);
    for (;;) {
        w->work.wait(guard, [w] { return w->ending || !w->jobs.empty(); });
        if (w->jobs.empty())
            return; // ending, and everything handed over is written
        ExportJob job = std::move(w->jobs.front());
        w->jobs.pop_front();
        guard.unlock();
        if (job.path.empty())
            write_snapshot(job);
        else
            write_series_frame(job);
        guard.lock();
        w->unfinished--;
        w->progress.notify_all();
    }
}

// At exit: pictures already handed over are still written (a snapshot just
// before the quit key), then the thread ends.
void stop_writer()
{
    {
        std::lock_guard<std::mutex> guard(writer->lock);
        writer->ending = true;
    }
    writer->work.notify_all();
    if (writer->thread.joinable())
        writer->thread.join();
}

Writer& the_writer()
{
    if (writer == nullptr) {
        writer = new Writer;
        writer->thread = std::thread(run_writer, writer);
        std::atexit(stop_writer);
    }
    return *writer;
}

bool queue(ExportJob job, int limit)
{
    Writer& w = the_writer();
    {
        std::lock_guard<std::mutex> guard(w.lock);
        if (limit > 0 && w.unfinished >= limit)
            return false;
        w.jobs.push_back(std::move(job));
        w.unfinished++;
    }
    w.work.notify_one();
    return true;
}

std::string numbered(const std::string& folder, const char* stem, int number)
{
    char digits[16];
    std::snprintf(digits, sizeof digits, "%05d", number);
    return (fs::path(folder) / (std::string(stem) + digits + ".png")).string();
}

} // namespace

std::string snapshot_file_name(const std::string& folder, int number)
{
    return numbered(folder, "tyx-", number);
}

std::string next_snapshot_file_name(const std::string& folder)
{
    int highest = 0;
    std::error_code failure;
    for (fs::directory_iterator it(folder, failure), end; !failure && it != end;
         it.increment(failure)) {
        int number = 0;
        if (snapshot_number(it->path().filename().string(), &number))
            highest = std::max(highest, number);
    }
    return snapshot_file_name(folder, highest + 1);
}

std::string series_frame_file_name(const std::string& folder, int index)
{
    return numbered(folder, "frame-", index + 1);
}

void request_snapshot(bool second_window)
{
    (second_window ? wnd.snapshot_request2 : wnd.snapshot_request) = 1;
}

bool take_snapshot_request(bool second_window)
{
    int& request = second_window ? wnd.snapshot_request2 : wnd.snapshot_request;
    const bool requested = request == 1;
    request = 0;
    return requested;
}

bool queue_snapshot(CapturedPicture picture, const std::string& folder)
{
    ExportJob job;
    job.picture = std::move(picture);
    job.folder = folder;
    if (queue(std::move(job), kMaxWaitingSnapshots))
        return true;
    std::fprintf(stderr, "tyx: still writing earlier pictures; this one is not saved\n");
    std::fflush(stderr);
    post_notice("Picture not saved: still writing earlier pictures");
    return false;
}

void queue_series_frame(CapturedPicture picture, const std::string& path, int index, int count)
{
    ExportJob job;
    job.picture = std::move(picture);
    job.path = path;
    job.index = index;
    job.count = count;
    queue(std::move(job), 0);
}

void wait_for_exports(int pending)
{
    if (writer == nullptr)
        return;
    std::unique_lock<std::mutex> guard(writer->lock);
    writer->progress.wait(guard, [pending] { return writer->unfinished <= pending; });
}

bool series_export_failed()
{
    return series_failed;
}

void clear_series_export_failure()
{
    series_failed = false;
}
