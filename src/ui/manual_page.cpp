// manual_page.cpp — tyx(1) from the option, file, binding and key tables.
#include "ui/manual_page.h"

#include <algorithm>
#include <vector>

#include "config/config_keys.h"
#include "core/command_line.h"
#include "core/tyxparam.h"
#include "ui/help_overlay.h"

namespace {

std::string bold(const std::string& text)
{
    return "\\fB" + text + "\\fR";
}

std::string italic(const std::string& text)
{
    return "\\fI" + text + "\\fR";
}

// Escapes without the leading "\&", for pieces of a line.
std::string escaped(const std::string& text)
{
    std::string out;
    for (char c : text) {
        if (c == '\\')
            out += "\\e";
        else if (c == '-')
            out += "\\-";
        else
            out += c;
    }
    return out;
}

// A tagged paragraph: the tag line (already marked up) and its text.
std::string tagged(const std::string& tag, const std::string& text)
{
    return ".TP\n\\&" + tag + "\n" + troff_text(text) + "\n";
}

std::string option_tag(const CommandLineOption& option)
{
    const std::string argument =
        option.argument[0] != '\0' ? " " + italic(escaped(option.argument)) : "";
    std::string tag;
    for (const char* name : {option.short_name, option.long_name}) {
        if (name[0] == '\0')
            continue;
        tag += (tag.empty() ? "" : ", ") + bold(escaped(name)) + argument;
    }
    return tag.empty() ? italic(escaped(option.argument)) : tag;
}

std::string options_section()
{
    std::string page = ".SH OPTIONS\n";
    for (const CommandLineOption& option : command_line_options())
        page += tagged(option_tag(option), option.help);
    return page + ".PP\nX options such as " + bold("\\-display") + " and " + bold("\\-geometry") +
           " work as in other X programs.\n";
}

// The key reference of the window, with the time bar's line that the
// shipped configuration switches on.
std::vector<HelpLine> reference_lines(bool presentation_mode)
{
    const int scrub = overlay.time_scrub;
    overlay.time_scrub = 1;
    std::vector<HelpLine> lines = help_lines(presentation_mode);
    overlay.time_scrub = scrub;
    return lines;
}

bool same_line(const HelpLine& a, const HelpLine& b)
{
    return a.keys == b.keys && a.text == b.text;
}

std::string keys_section()
{
    std::string page = ".SH KEYS AND MOUSE\n" +
                       troff_text("In the window, ? shows this list over the globe; the "
                                  "time bar takes a press or drag where #TimeBarScrub is 1.") +
                       "\n";
    const std::vector<HelpLine> normal = reference_lines(false);
    page += ".PD 0\n";
    for (const HelpLine& line : normal)
        page += tagged(bold(escaped(line.keys)), line.text);
    page += ".PD\n";

    page += ".SS Clicker mode\n" +
            troff_text("With #PresentationRemoteMode 1, for clickers whose buttons send the "
                       "arrow keys, F5 and Esc, these keys differ from the list above:") +
            "\n";
    page += ".PD 0\n";
    for (const HelpLine& line : reference_lines(true)) {
        auto listed = [&line](const HelpLine& other) { return same_line(line, other); };
        if (std::none_of(normal.begin(), normal.end(), listed))
            page += tagged(bold(escaped(line.keys)), line.text);
    }
    return page + ".PD\n";
}

std::string files_section()
{
    std::string page = ".SH FILES\n" +
                       troff_text("tyx finds its files in the presentation folder, the working "
                                  "directory (see -C), unless told otherwise:") +
                       "\n";
    for (const DataFileEntry& file : data_files())
        page += tagged(italic(escaped(file.path)), file.help);
    page += ".PP\n" +
            troff_text("The installed data lie in share/tyx of the installation (for the "
                       "Debian package /usr/share/tyx): data/conf/init_conf.txt with notes on "
                       "every common setting, data/icons, and demo, a presentation folder "
                       "with the demo's maps, settings and plot files. A build folder holds "
                       "the same as data and demo beside the program.") +
            "\n";
    return page;
}

std::string configuration_section()
{
    std::string page =
        ".SH CONFIGURATION\n" +
        troff_text("A configuration file is a stream of words. A word that is a key name sets "
                   "the key from the words after it; every other word is skipped, so notes "
                   "need no comment marks. A value that does not parse ends the reading of "
                   "that file. A key read later wins. The keys, with the values they hold "
                   "when no file sets them:") +
        "\n.PP\n.RS\n.nf\n";
    for (std::size_t i = 0; i < kConfigKeyCount; i++) {
        reset_viewer_state();
        const ConfigKey& key = kConfigKeys[i];
        page += troff_text(std::string(key.name) + " " + config_key_values(key)) + "\n";
    }
    reset_viewer_state();
    return page + ".fi\n.RE\n";
}

std::string environment_section()
{
    return ".SH ENVIRONMENT\n" +
           tagged(bold("XDG_CONFIG_HOME"),
                  "folder of the user's configuration, tyx/conf.txt in it; when unset or "
                  "not absolute, ~/.config") +
           tagged(bold("HOME"), "the user's home folder") +
           tagged(bold("DISPLAY"), "the X display the windows open on");
}

std::string exit_status_section()
{
    return ".SH EXIT STATUS\n" +
           tagged(bold("0"), "the viewer was quit, or help or the version was printed") +
           tagged(bold("1"), "a frame of --export-frames could not be written") +
           tagged(bold("2"), "an option was unknown or incomplete, or the folder of -C could "
                             "not be entered");
}

} // namespace

std::string troff_text(const std::string& text)
{
    return "\\&" + escaped(text);
}

std::string manual_page_text()
{
    std::string page = ".TH TYX 1 \"\" \"tyx " + std::string(kTyxVersion) +
                       "\" \"User Commands\"\n"
                       ".SH NAME\n"
                       "tyx \\- interactive globe viewer for teaching and presenting\n"
                       ".SH SYNOPSIS\n"
                       ".B tyx\n"
                       "[\\fIOPTION\\fR]... [\\fILANGUAGE\\fR]\n"
                       ".SH DESCRIPTION\n" +
                       troff_text("tyx wraps equirectangular maps around a globe that you turn "
                                  "with the mouse, the keyboard or a presentation clicker. It "
                                  "plays a numbered map series as an animation with a time "
                                  "bar, lays plot data (points, arrows, lines) and freehand "
                                  "strokes over the globe, and can show a second globe in a "
                                  "second window. Plain text files set it up.") +
                       "\n.PP\n" +
                       troff_text("Started in a folder without a base configuration, tyx takes "
                                  "the installed one and its icons, and without maps of the "
                                  "folder's own it shows the installed demo: one day of "
                                  "sunlight on the Earth.") +
                       "\n";
    page += options_section() + keys_section() + files_section() + configuration_section() +
            environment_section() + exit_status_section();
    return page;
}
