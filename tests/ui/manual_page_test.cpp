// manual_page_test.cpp — the manual page's markup of literal text, and that
// it carries every option and every configuration key with its default.
// (Its key list is checked on the installed page, tests/packaging.)
#include "ui/manual_page.h"

#include <gtest/gtest.h>

#include "config/config_keys.h"
#include "core/command_line.h"
#include "support/state_fixture.h"

using ManualPage = StateTest;

TEST(ManualPageText, LiteralTextStartsNoRequestAndKeepsItsSigns)
{
    const std::pair<const char*, const char*> cases[] = {
        {".", "\\&."},             // the "blank screen" key would be a request
        {"'x", "\\&'x"},           // so would a leading apostrophe
        {"-n -1", "\\&\\-n \\-1"}, // minus signs, not hyphens
        {"a\\b", "\\&a\\eb"},
    };
    for (const auto& [text, marked] : cases)
        EXPECT_EQ(troff_text(text), marked) << text;
}

TEST_F(ManualPage, ListsEveryOptionAndEveryKeyWithItsDefault)
{
    const std::string page = manual_page_text();
    for (const CommandLineOption& option : command_line_options()) {
        for (const char* name : {option.short_name, option.long_name}) {
            if (name[0] == '\0')
                continue;
            EXPECT_NE(page.find("\\fB" + troff_text(name).substr(2) + "\\fR"), std::string::npos)
                << name;
        }
    }
    EXPECT_NE(page.find("\n\\&#WindowSizeXY 800 600\n"), std::string::npos);
    EXPECT_NE(page.find("\n\\&#WindowPositionXY2 \\-9999 \\-9999\n"), std::string::npos);
    for (std::size_t i = 0; i < kConfigKeyCount; i++)
        EXPECT_NE(page.find(std::string("\n\\&") + kConfigKeys[i].name + " "), std::string::npos)
            << kConfigKeys[i].name;
    // The defaults were read from a fresh state and the state was left so.
    EXPECT_EQ(wnd.perspec, 2);
}
