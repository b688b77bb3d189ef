// plot_text_test.cpp — line cleaning and field scanning of the plot text layer.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "plot/plot_text.h"

namespace {

std::vector<std::string> cleaned_lines(const std::string& content)
{
    PlotText text;
    open_plot_memory(text, content.data(), content.size());
    std::vector<std::string> lines;
    while (next_plot_line(text))
        lines.emplace_back(text.line, text.length);
    return lines;
}

TEST(PlotText, CleansEveryLine)
{
    const std::string longest(kMaxPlotLine, '8');
    const std::string raw[] = {
        " 12 ,\t3\r",                 // blanks, tab and CR go
        "! comment only",             // nothing is left
        "4,5 ! note, 6",              // the comment goes
        "",                           //
        longest + "9 ! one too many", // skipped whole
        "  " + longest + " ",         // fits once cleaned
        "/ last",                     // no line end follows
    };
    std::string content;
    for (const std::string& line : raw)
        content += line + "\n";
    content.pop_back();
    const std::vector<std::string> expected = {"12,3", "", "4,5", "", longest, "/last"};
    EXPECT_EQ(cleaned_lines(content), expected);
    EXPECT_TRUE(cleaned_lines("").empty());
}

TEST(PlotText, ScansFieldsAsSscanfWould)
{
    struct Case {
        const char* text;
        const char* kinds;
        int fields;
        std::vector<double> values;
    };
    const Case cases[] = {
        {"1,2.5,-3", "ddd", 3, {1, 2.5, -3}},
        {"1,2,3,4", "ddd", 3, {1, 2, 3}}, // text after the last field is ignored
        {"0x10,-.5e1,7", "ddi", 3, {16, -5, 7}},
        {"1,2", "ddd", 2, {1, 2}},
        {"1,,3", "ddd", 1, {1}},
        {"nan,1", "dd", 0, {}},
        {"1e400", "d", 0, {}},
        {"1e39", "f", 0, {}},          // beyond a float
        {"1,2.5,3", "dif", 2, {1, 2}}, // "%d" stops at the point
        {"99999999999", "i", 0, {}},
    };
    for (const Case& c : cases) {
        double values[8] = {};
        ASSERT_EQ(scan_plot_fields(c.text, c.kinds, values), c.fields) << c.text;
        EXPECT_EQ(std::vector<double>(values, values + c.fields), c.values) << c.text;
    }
}

} // namespace
