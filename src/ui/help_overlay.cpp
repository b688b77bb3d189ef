// help_overlay.cpp — the reference's lines from the bindings, and their layout.
#include "ui/help_overlay.h"

#include <algorithm>

#include "core/tyxparam.h"
#include "view/command_table.h"
#include "view/key_actions.h"

namespace {

// Mouse gestures that are no command of their own.
const HelpLine kGestures[] = {
    {"Drag", "Turn the globe (draw in drawing mode)"},
    {"Shift+drag", "Zoom"},
    {"Alt+drag", "Move the globe"},
    {"Right button", "Menu"},
};

bool holds_in(const KeyBinding& b, bool presentation_mode)
{
    return b.mode == KeyMode::kAny || (b.mode == KeyMode::kPresentation) == presentation_mode;
}

// Pixels from the box's edge to its text: half a line.
int padding(const HelpFont& font)
{
    return font.line_height / 2;
}

// Pixels between a key and its description, and between columns: a line.
int gap(const HelpFont& font)
{
    return font.line_height;
}

} // namespace

std::string help_title(bool presentation_mode)
{
    std::string keys;
    for (const KeyBinding& b : key_bindings())
        if (b.command == Command::kHelpOverlay && holds_in(b, presentation_mode))
            keys += keys.empty() ? b.key_name : std::string(" or ") + b.key_name;
    std::string title = presentation_mode ? "Keys and mouse, clicker mode" : "Keys and mouse";
    return keys.empty() ? title : title + " (" + keys + " closes)";
}

std::vector<HelpLine> help_lines(bool presentation_mode, bool lesson_loaded)
{
    std::vector<HelpLine> lines;
    std::vector<Command> listed;
    for (const KeyBinding& b : key_bindings()) {
        if (!binding_holds(b, presentation_mode, lesson_loaded))
            continue;
        auto at = std::find(listed.begin(), listed.end(), b.command);
        if (at != listed.end()) {
            lines[at - listed.begin()].keys += std::string(", ") + b.key_name;
            continue;
        }
        listed.push_back(b.command);
        lines.push_back({b.key_name, command_entry(b.command)->description});
    }
    for (const PointerBinding& b : pointer_bindings())
        lines.push_back({b.name, command_entry(b.command)->description});
    lines.insert(lines.end(), std::begin(kGestures), std::end(kGestures));
    if (overlay.time_scrub == 1)
        lines.push_back({"Time bar", "Press or drag: go to a map"});
    return lines;
}

HelpLayout layout_help(const std::string& title, const std::vector<HelpLine>& lines, int width,
                       int height, const std::vector<HelpFont>& fonts)
{
    HelpLayout layout;
    if (fonts.empty())
        return layout;
    constexpr int kMargin = 8; // window pixels kept free around the box
    constexpr int kMostColumns = 3;
    const int count = static_cast<int>(lines.size());

    // The first font and column count that fit; failing that, the smallest
    // font in the column count that overflows the window least.
    const int room_width = width - 2 * kMargin, room_height = height - 2 * kMargin;
    int chosen = -1, columns = 1, least_overflow = -1;
    int key_width = 0, column_width = 0;
    for (int f = 0; f < static_cast<int>(fonts.size()); f++) {
        const HelpFont& font = fonts[f];
        const bool last_font = f + 1 == static_cast<int>(fonts.size());
        int keys = 0, texts = 0;
        for (const HelpLine& line : lines) {
            keys = std::max(keys, font.key_width(line.keys));
            texts = std::max(texts, font.width(line.text));
        }
        const int pad = padding(font), space = gap(font);
        const int column = keys + space + texts;
        for (int c = 1; c <= kMostColumns; c++) {
            int rows = (count + c - 1) / c;
            int box_width = std::max(c * column + (c - 1) * space, font.width(title)) + 2 * pad;
            int box_height = (rows + 2) * font.line_height + 2 * pad;
            int overflow =
                std::max(0, box_width - room_width) + std::max(0, box_height - room_height);
            if (overflow > 0 && !last_font)
                continue;
            if (overflow > 0 && least_overflow >= 0 && overflow >= least_overflow)
                continue;
            chosen = f;
            columns = c;
            key_width = keys;
            column_width = column;
            layout.width = box_width;
            layout.height = box_height;
            least_overflow = overflow;
            if (overflow == 0)
                break;
        }
        if (least_overflow == 0)
            break;
    }

    const HelpFont& font = fonts[chosen];
    const int pad = padding(font), space = gap(font);
    const int rows = std::max(1, (count + columns - 1) / columns);
    layout.font = chosen;
    layout.left = std::max(0, (width - layout.width) / 2);
    layout.top = std::max(0, (height - layout.height) / 2);
    const int first_baseline = layout.top + pad + font.ascent;
    layout.texts.push_back({layout.left + pad, first_baseline, false, title});
    for (int i = 0; i < count; i++) {
        int column = i / rows, row = i % rows;
        int x = layout.left + pad + column * (column_width + space);
        int baseline = first_baseline + (row + 2) * font.line_height;
        layout.texts.push_back({x, baseline, true, lines[i].keys});
        layout.texts.push_back({x + key_width + space, baseline, false, lines[i].text});
    }
    return layout;
}
