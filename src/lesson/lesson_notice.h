// lesson_notice.h — the notice a lesson step shows in window 1.
#pragma once

#include <string>

// Shows `text` as a notice in window 1 for a few seconds. Empty until the
// windows can show notices: the step's console line stands in for it.
inline void post_lesson_notice(const std::string& /*text*/) {}
