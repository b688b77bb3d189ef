// plot_labels.cpp — names after the numbers of a points line.
#include "plot/plot_labels.h"

#include "text/utf8.h"

namespace {

bool blank(char c)
{
    return c == ' ' || c == '\t' || c == '\r';
}

} // namespace

bool point_label_text(const PlotText& text, const char* numbers_end, std::string* name)
{
    name->clear();
    const long cleaned = numbers_end - text.line;
    if (cleaned < 0 || cleaned > text.length)
        return false;
    // The cleaned line is the written one without its blanks, so the
    // numbers end in the written line after as many other bytes.
    const char* p = text.raw;
    for (long seen = 0; *p != '\0' && seen < cleaned; p++)
        if (!blank(*p))
            seen++;
    while (blank(*p))
        p++;
    if (*p == ',')
        p++;
    while (blank(*p))
        p++;
    const char* first = p;
    const char* last = p;
    if (*p == '"') {
        first = ++p;
        while (*p != '\0' && *p != '"')
            p++;
        last = p;
    } else {
        while (*p != '\0' && *p != '!')
            p++;
        last = p;
        while (last > first && blank(last[-1]))
            last--;
    }
    const std::string_view found(first, size_t(last - first));
    name->assign(found.substr(0, utf8_prefix_length(found, kMaxLabelBytes)));
    return !name->empty();
}
