// help_overlay_test.cpp — the key reference: made from the bindings and the
// command table in each key mode, laid out in the largest font that fits,
// and the README's key table saying the same.
#include "ui/help_overlay.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <set>
#include <sstream>

#include "support/state_fixture.h"
#include "view/command_table.h"
#include "view/key_actions.h"

namespace {

using HelpOverlay = StateTest;

std::vector<std::string> split_keys(const std::string& keys)
{
    std::vector<std::string> out;
    std::stringstream in(keys);
    std::string key;
    while (std::getline(in, key, ','))
        out.push_back(key.substr(key.find_first_not_of(' ')));
    return out;
}

// A font whose every character is `advance` pixels wide.
HelpFont fixed_font(int line_height, int advance)
{
    HelpFont font;
    font.line_height = line_height;
    font.ascent = line_height * 3 / 4;
    font.width = [advance](const std::string& s) { return static_cast<int>(s.size()) * advance; };
    font.key_width = font.width;
    return font;
}

} // namespace

TEST_F(HelpOverlay, ListsEveryKeyOfTheModeOnceWithItsCommandsDescription)
{
    for (auto [presentation, lesson] :
         {std::pair{false, false}, {true, false}, {false, true}, {true, true}}) {
        const std::vector<HelpLine> lines = help_lines(presentation, lesson);
        std::set<std::string> listed;
        for (const HelpLine& line : lines)
            for (const std::string& key : split_keys(line.keys))
                EXPECT_TRUE(listed.insert(key).second) << key << " listed twice";

        for (const KeyBinding& b : key_bindings()) {
            bool holds = binding_holds(b, presentation, lesson);
            const HelpLine* found = nullptr;
            for (const HelpLine& line : lines)
                for (const std::string& key : split_keys(line.keys))
                    if (key == b.key_name)
                        found = &line;
            if (!holds)
                continue;
            ASSERT_NE(found, nullptr) << b.key_name << " " << presentation;
            EXPECT_EQ(found->text, command_entry(b.command)->description) << b.key_name;
        }
        for (const PointerBinding& b : pointer_bindings())
            EXPECT_TRUE(listed.count(b.name)) << b.name;
        EXPECT_NE(help_title(presentation).find("?"), std::string::npos);
    }
    // Keys of one command share a line; the clicker's arrows step frames.
    auto line_of = [](bool presentation, const std::string& key) {
        for (const HelpLine& line : help_lines(presentation))
            for (const std::string& k : split_keys(line.keys))
                if (k == key)
                    return line;
        return HelpLine{};
    };
    EXPECT_EQ(line_of(false, "a").keys, "a, PageDown");
    EXPECT_EQ(line_of(false, "Right").text, command_entry(Command::kTurnRight)->description);
    EXPECT_EQ(line_of(true, "Right").keys, "a, Right, PageDown");
    EXPECT_EQ(line_of(false, "F5").keys, "");
    // A lesson's keys replace the map steps of PageDown and friends.
    for (const HelpLine& line : help_lines(true, true)) {
        if (line.text == command_entry(Command::kNextStep)->description) {
            EXPECT_EQ(line.keys, "PageDown, Right");
        }
    }
    // The time bar's gesture only where scrubbing is on.
    EXPECT_EQ(line_of(false, "Time bar").keys, "");
    overlay.time_scrub = 1;
    EXPECT_EQ(help_lines(false).back().keys, "Time bar");
}

TEST_F(HelpOverlay, TakesTheLargestFontThatFitsAndKeepsTheTextInItsBox)
{
    const std::vector<HelpFont> fonts = {fixed_font(28, 12), fixed_font(16, 7), fixed_font(13, 6)};
    const std::vector<HelpLine> lines = help_lines(false);
    struct Case {
        int width, height;
        int font, columns;
        bool fits;
    };
    const Case cases[] = {
        {1920, 1200, 0, 2, true}, // full screen: the large font
        {800, 640, 1, 2, true},   // a little above the default window
        {660, 500, 2, 2, true},
        // Nothing fits: the smallest font in the columns that overflow
        // least, from the top-left corner.
        {640, 480, 2, 2, false},
        {1000, 200, 2, 3, false},
    };
    for (const Case& c : cases) {
        HelpLayout layout = layout_help("Keys", lines, c.width, c.height, fonts);
        EXPECT_EQ(layout.font, c.font) << c.width;
        std::set<int> columns;
        for (size_t i = 1; i < layout.texts.size(); i += 2)
            columns.insert(layout.texts[i].x);
        EXPECT_EQ(static_cast<int>(columns.size()), c.columns) << c.width;
        ASSERT_EQ(layout.texts.size(), 1 + 2 * lines.size());
        EXPECT_GE(layout.left, 0);
        EXPECT_GE(layout.top, 0);
        if (c.fits) {
            EXPECT_LE(layout.left + layout.width, c.width) << c.width;
            EXPECT_LE(layout.top + layout.height, c.height) << c.width;
        }
        const HelpFont& font = fonts[layout.font];
        for (const HelpText& t : layout.texts) {
            EXPECT_GE(t.x, layout.left);
            EXPECT_LE(t.x + font.width(t.text), layout.left + layout.width) << t.text;
            EXPECT_GE(t.baseline - font.ascent, layout.top) << t.text;
            EXPECT_LE(t.baseline, layout.top + layout.height) << t.text;
        }
    }
}

TEST_F(HelpOverlay, TheReadmeKeyTablesSayWhatTheKeysDo)
{
    // The rows of the README table between the markers that start with
    // `marker`: | `a`, `PageDown` | One map forward |
    auto readme_table = [](const std::string& marker) {
        std::ifstream in(TYX_SOURCE_DIR "/README.md");
        EXPECT_TRUE(in) << "README.md";
        std::vector<HelpLine> table;
        std::string row;
        bool inside = false;
        while (std::getline(in, row)) {
            if (row.rfind(marker, 0) == 0) {
                inside = !inside;
                continue;
            }
            if (!inside || row.rfind("| `", 0) != 0)
                continue;
            size_t bar = row.find(" | ");
            std::string keys = row.substr(2, bar - 2), text = row.substr(bar + 3);
            text = text.substr(0, text.rfind(" |"));
            std::string plain;
            for (char c : keys)
                if (c != '`')
                    plain += c;
            table.push_back({plain, text});
        }
        return table;
    };
    // The lesson's table holds what a lesson adds to the reference.
    const std::vector<HelpLine> plain = help_lines(false);
    std::vector<HelpLine> added;
    for (const HelpLine& line : help_lines(false, true))
        if (std::none_of(plain.begin(), plain.end(),
                         [&](const HelpLine& p) { return p.text == line.text; }))
            added.push_back(line);
    for (auto [marker, lines] :
         {std::pair{"<!-- key table", plain}, {"<!-- lesson key table", added}}) {
        const std::vector<HelpLine> table = readme_table(marker);
        ASSERT_EQ(table.size(), lines.size()) << "rows in the README's table " << marker;
        for (size_t i = 0; i < lines.size(); i++) {
            EXPECT_EQ(table[i].keys, lines[i].keys) << marker << " row " << i;
            EXPECT_EQ(table[i].text, lines[i].text) << marker << " row " << i;
        }
    }
}
