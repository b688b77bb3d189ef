// decode_report.cpp — collects and prints the decoding problems of one load.
#include "imagery/decode_report.h"

#include <algorithm>
#include <cstdio>

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

void print_decode_report(DecodeReport& report)
{
    std::lock_guard<std::mutex> guard(report.lock);
    for (const DecodeProblem& p : report.shown) {
        if (p.unreadable)
            std::fprintf(stderr, "tyx: cannot read %s: %s\n", p.path.c_str(), p.what.c_str());
        else
            std::fprintf(stderr, "tyx: %s: %s\n", p.path.c_str(), p.what.c_str());
    }
    const int rest = report.count - int(report.shown.size());
    if (rest > 0)
        std::fprintf(stderr, "tyx: and %d more image file%s with such problems\n", rest,
                     rest == 1 ? "" : "s");
    std::fflush(stderr);
    report.shown.clear();
    report.count = 0;
}
