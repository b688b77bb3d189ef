// file_notices.cpp — which per-file messages were told in this load.
#include "core/file_notices.h"

#include <mutex>
#include <set>

namespace {

// Listed in tyxparam.h: cleared by every configuration reading and by
// reset_viewer_state().
std::mutex notices_lock;
std::set<std::string> told; // file, NUL, kind

} // namespace

bool first_file_notice(const std::string& file, const char* kind)
{
    std::string entry = file;
    entry += '\0';
    entry += kind;
    const std::lock_guard<std::mutex> hold(notices_lock);
    return told.insert(std::move(entry)).second;
}

void forget_file_notices()
{
    const std::lock_guard<std::mutex> hold(notices_lock);
    told.clear();
}
