// menu_entries.cpp — chooses the menu texts from the state, and maps the
// entries' values to their commands.
#include "view/menu_entries.h"

#include <cstdio>

#include "core/tyxparam.h"

namespace {
// The speed lines are formatted exactly as "%s%d%s".
std::string speed_line(const char* head, int level, const char* tail)
{
    char line[128];
    std::snprintf(line, sizeof line, "%s%d%s", head, level, tail);
    return line;
}
} // namespace

MenuLayout menu_entries()
{
    MenuLayout m;
    m.submenu_title = "Applications";
    // Entries that stand for a state name the command a click would give.
    m.applications.push_back({play.anim == 1 ? "Stop play(space)" : "Play(space)", kMenuPlay});
    m.applications.push_back({play.anim == -1 ? "Stop reverse(r)" : "Reverse(r)", kMenuReverse});
    if (spin.jitenornot == 0)
        m.applications.push_back({"Spin(s)", kMenuSpin});
    else if (spin.jitenornot == 1)
        m.applications.push_back({"Stop spin(s)", kMenuSpin});
    m.applications.push_back(
        {txt.labels_display_onoff == 1 ? "Hide labels(T)" : "Show labels(T)", kMenuLabels});
    m.applications.push_back({wnd.perspec == 1 ? "Orthogonal" : "Perspective", kMenuProjection});
    m.applications.push_back(
        {wnd.fullscreen == 1 ? "Default screen size" : "Full screen", kMenuFullScreen});
    m.applications.push_back({"Initialization (i)", kMenuReset});
    m.applications.push_back({"Quit(q)", kMenuQuit});

    m.information.push_back({"Scaling(Shift+mouse) ", kMenuInformation});
    m.information.push_back({"Parallel displacement(Alt+mouse) ", kMenuInformation});
    m.information.push_back(
        {speed_line("Play speed ", play.animsokudo, "; fast(+), slow(-)"), kMenuInformation});
    m.information.push_back(
        {speed_line("Spin speed ", spin.jitensokudo, "; fast(>), slow(<)"), kMenuInformation});
    return m;
}

MenuState menu_state()
{
    return {play.anim,      spin.jitenornot, wnd.perspec,
            wnd.fullscreen, play.animsokudo, spin.jitensokudo};
}

bool command_for_menu_value(int value, Command* command)
{
    switch (value) {
    case kMenuQuit:
        *command = Command::kQuit;
        return true;
    case kMenuReset:
        *command = Command::kResetView;
        return true;
    case kMenuProjection:
        *command = Command::kProjection;
        return true;
    case kMenuPlay:
        *command = Command::kPlayForward;
        return true;
    case kMenuReverse:
        *command = Command::kPlayBackward;
        return true;
    case kMenuFullScreen:
        *command = Command::kFullScreen;
        return true;
    case kMenuSpin:
        *command = Command::kSpin;
        return true;
    case kMenuLabels:
        *command = Command::kLabels;
        return true;
    default:
        return false;
    }
}
