// image_problem.cpp — the per-thread record of why the last image read failed,
// and the switch that keeps JPEG library messages for the caller. No GL here.
#include "imagery/image_problem.h"

namespace {

// Per decoding thread; each reader call starts by clearing it.
thread_local std::string problem;
thread_local bool jpeg_messages_kept = false;

} // namespace

const std::string& last_image_problem()
{
    return problem;
}

void keep_jpeg_messages(bool keep)
{
    jpeg_messages_kept = keep;
}

bool jpeg_messages_are_kept()
{
    return jpeg_messages_kept;
}

void set_image_problem(std::string reason)
{
    problem = std::move(reason);
}

void clear_image_problem()
{
    problem.clear();
}
