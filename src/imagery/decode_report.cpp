// decode_report.cpp — collects and prints the decoding problems of one load.
#include "imagery/decode_report.h"

#include <algorithm>
#include <cstdio>
#include <deque>

void note_decode_problem(DecodeReport& report, DecodeProblem problem)
{
    std::lock_guard<std::mutex> guard(report.lock);
    report.count++;
    auto by_order = [](const DecodeProblem& a, const DecodeProblem& b) {
        return a.order < b.order;
    };
    auto place = std::upper_bound(report.shown.begin(), report.shown.end(), problem, by_order);
    if (place - report.shown.begin() >= kDecodeProblemsShown)
        return;
    report.shown.insert(place, std::move(problem));
    if (report.shown.size() > size_t(kDecodeProblemsShown))
        report.shown.pop_back();
}

std::string decode_problem_line(const DecodeProblem& p)
{
    return (p.unreadable ? "tyx: cannot read " : "tyx: ") + p.path + ": " + p.what;
}

void print_decode_report(DecodeReport& report)
{
    std::lock_guard<std::mutex> guard(report.lock);
    for (const DecodeProblem& p : report.shown)
        std::fprintf(stderr, "%s\n", decode_problem_line(p).c_str());
    const int rest = report.count - int(report.shown.size());
    if (rest > 0)
        std::fprintf(stderr, "tyx: and %d more image file%s with such problems\n", rest,
                     rest == 1 ? "" : "s");
    std::fflush(stderr);
    report.shown.clear();
    report.count = 0;
}

namespace {

// The notices not yet taken; kept for the life of the process.
std::mutex notices_lock;
std::deque<DecodeProblem> notices;

} // namespace

void post_decode_notice(DecodeProblem problem)
{
    std::lock_guard<std::mutex> guard(notices_lock);
    notices.push_back(std::move(problem));
    if (notices.size() > size_t(kDecodeNoticesKept))
        notices.pop_front();
}

std::vector<DecodeProblem> take_decode_notices()
{
    std::lock_guard<std::mutex> guard(notices_lock);
    std::vector<DecodeProblem> taken(notices.begin(), notices.end());
    notices.clear();
    return taken;
}
