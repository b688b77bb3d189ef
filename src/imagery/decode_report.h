// decode_report.h — the image files of one load that could not be decoded, or
// only in part, told on standard error once the load is over. No GL here.
#pragma once

#include <mutex>
#include <string>
#include <vector>

struct DecodeProblem {
    int order = 0;          // place in the load, so the lines keep file order on any thread
    std::string path;       // the file as opened
    std::string what;       // the reader's reason, with what to do where that is known
    bool unreadable = true; // no image at all; false: an image with parts missing
};

// Lines printed per load; the rest are counted.
constexpr int kDecodeProblemsShown = 10;

// Filled by the decoding threads of one load (thread-safe), printed after
// they have joined. Lives as long as that load.
struct DecodeReport {
    std::mutex lock;
    std::vector<DecodeProblem>
        shown;     // the earliest problems by order, at most kDecodeProblemsShown
    int count = 0; // every problem noted
};

void note_decode_problem(DecodeReport& report, DecodeProblem problem);

// One line per shown problem in load order, then one line counting the rest
// ("and 230 more"); nothing when the load had no problem. Clears the report.
void print_decode_report(DecodeReport& report);

// The line that tells one problem: "tyx: cannot read map/sample3.jpg: ...".
std::string decode_problem_line(const DecodeProblem& problem);

// Problems with files met while the series plays (a streamed series decodes
// as it goes), in the order they were told, for whatever shows notices in
// the window. Safe from any thread; at most kDecodeNoticesKept wait, the
// oldest dropped first.
constexpr int kDecodeNoticesKept = 32;
void post_decode_notice(DecodeProblem problem);
std::vector<DecodeProblem> take_decode_notices();
