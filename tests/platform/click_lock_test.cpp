// click_lock_test.cpp — which mouse and motion calls the click lock makes of
// each pointer event and F12, from start-up through switching it off and on.
#include "platform/click_lock.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "support/state_fixture.h"
#include "view/key_actions.h"

namespace {

// One input: "start N" (glutSetClickLock), "move x y", "drag x y" (a move with
// a button held), "button b s x y", "key k x y".
struct Step {
    std::string input;
    std::vector<std::string> calls; // "mouse b s x y" or "motion x y", in order
};

std::vector<std::string> feed(const std::string& input)
{
    char kind[16] = {};
    int a = 0, b = 0, c = 0, d = 0;
    std::sscanf(input.c_str(), "%15s %d %d %d %d", kind, &a, &b, &c, &d);
    std::string k = kind;
    PointerCalls calls;
    if (k == "start")
        glutSetClickLock(a);
    else if (k == "move")
        calls = click_lock_move(a, b, false);
    else if (k == "drag")
        calls = click_lock_move(a, b, true);
    else if (k == "button")
        calls = click_lock_button(a, b, c, d);
    else if (k == "key") {
        // A special key as the key handler runs it: F12 is the click-lock command.
        KeyResponse r = special_key(a, false, b, c);
        if (r.press_at_pointer)
            calls.call[calls.count++] = {PointerCall::kMouse, kLeftButton, kButtonDown, r.x, r.y};
    } else
        ADD_FAILURE() << "unknown input " << input;

    std::vector<std::string> out;
    for (int i = 0; i < calls.count; i++) {
        const PointerCall& p = calls.call[i];
        if (p.target == PointerCall::kMouse)
            out.push_back("mouse " + std::to_string(p.button) + " " + std::to_string(p.state) +
                          " " + std::to_string(p.x) + " " + std::to_string(p.y));
        else
            out.push_back("motion " + std::to_string(p.x) + " " + std::to_string(p.y));
    }
    return out;
}

struct Story {
    const char* name;
    std::vector<Step> steps;
};

using ClickLock = StateTest;

} // namespace

TEST_F(ClickLock, RewritesPointerEventsAndF12)
{
    const std::vector<Story> stories = {
        {"off: only drags and button events reach the callbacks",
         {{"start 0", {}},
          {"move 10 20", {}},
          {"drag 11 21", {"motion 11 21"}},
          {"button 0 0 5 6", {"mouse 0 0 5 6"}},
          {"button 0 1 7 8", {"mouse 0 1 7 8"}},
          {"key 1 3 4", {}}}},
        {"on from the start: the first move anchors the turn, later ones turn",
         {{"start 1", {}},
          {"move 10 20", {"mouse 0 0 10 20"}},
          {"move 12 20", {"motion 12 20"}},
          {"drag 14 22", {"motion 14 22"}}}},
        {"on from the start: a real press anchors instead",
         {{"start 1", {}},
          {"button 0 0 30 40", {"mouse 0 0 30 40"}},
          {"move 31 40", {"motion 31 40"}}}},
        {"on: a left release is a press then the release; other buttons pass",
         {{"start 1", {}},
          {"button 0 1 50 60", {"mouse 0 0 50 60", "mouse 0 1 50 60"}},
          {"button 2 0 50 60", {"mouse 2 0 50 60"}},
          {"button 2 1 50 60", {"mouse 2 1 50 60"}},
          {"button 0 0 50 60", {"mouse 0 0 50 60"}}}},
        {"F12 switches off and on again from the pointer; other keys change nothing",
         {{"start 1", {}},
          {"move 1 1", {"mouse 0 0 1 1"}},
          {"key 12 5 5", {}},
          {"move 6 6", {}},
          {"button 0 1 6 6", {"mouse 0 1 6 6"}},
          {"key 5 7 7", {}},
          {"move 8 8", {}},
          {"key 12 100 200", {"mouse 0 0 100 200"}},
          {"move 101 200", {"motion 101 200"}},
          {"key 11 101 200", {}},
          {"move 102 200", {"motion 102 200"}}}},
        {"a configured value other than 1 leaves the lock off",
         {{"start 2", {}}, {"move 3 3", {}}, {"key 12 4 4", {"mouse 0 0 4 4"}}}},
    };
    for (const Story& story : stories) {
        reset_viewer_state();
        for (const Step& step : story.steps)
            EXPECT_EQ(feed(step.input), step.calls) << story.name << ": " << step.input;
    }
}
