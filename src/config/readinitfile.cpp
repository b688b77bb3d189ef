// readinitfile.cpp — reads the configuration files into the viewer state.
#include "config/readinitfile.h"

#include <cmath>
#include <cstdio>
#include <fstream>
#include <string>

#include "config/config_keys.h"
#include "config/unknown_keys.h"
#include "core/tyxparam.h"

namespace {

// Unknown keys told per file; beyond that they are counted.
constexpr int kUnknownKeysShown = 10;
// Characters of a word shown in a message.
constexpr std::size_t kShownChars = 40;

const std::string kByteOrderMark = "\xEF\xBB\xBF";

std::string shortened(std::string token)
{
    // Keep the line readable when the file is not text at all.
    if (token.size() > kShownChars)
        token = token.substr(0, kShownChars) + "...";
    return token;
}

// Line numbers for messages. Line ends have no meaning to the reader, so
// they are counted only when a message needs one, from a second pass over
// the file up to the word in question; the words asked about come in file
// order, so each pass goes on where the last one stopped.
struct LineCounter {
    std::ifstream file;
    std::streamoff counted = 0; // bytes looked at so far
    int line = 1;               // line of the byte at `counted`

    int line_at(const std::string& path, std::streamoff offset)
    {
        if (!file.is_open())
            file.open(path, std::ios::binary);
        for (char c; counted < offset && file.get(c); counted++)
            line += c == '\n';
        return line;
    }
};

// Where the token just extracted from `in` begins.
std::streamoff token_start(std::istream& in, const std::string& token)
{
    std::streamoff end;
    if (in.eof()) {
        in.clear();
        end = in.seekg(0, std::ios::end).tellg();
        in.setstate(std::ios::eofbit);
    } else {
        end = in.tellg();
    }
    return end - static_cast<std::streamoff>(token.size());
}

// The unknown keys of one file: the first few told with their line and the
// key that was probably meant, the rest counted.
struct UnknownKeys {
    const std::string& path;
    LineCounter lines;
    int count = 0;

    void tell(std::istream& in, const std::string& token)
    {
        if (++count > kUnknownKeysShown)
            return;
        const int line = lines.line_at(path, token_start(in, token));
        const bool marked = token.compare(0, kByteOrderMark.size(), kByteOrderMark) == 0;
        const std::string word = marked ? token.substr(kByteOrderMark.size()) : token;
        // A byte-order mark in front of the first key makes it a different
        // word; saying so names the real cause.
        if (marked && find_config_key(word) != nullptr) {
            std::fprintf(stderr,
                         "tyx: %s:%d: a byte-order mark hides the key %s; save the file as "
                         "UTF-8 without BOM\n",
                         path.c_str(), line, word.c_str());
            return;
        }
        const char* meant = nearest_config_key(word);
        if (meant != nullptr && differs_only_in_case(word, meant))
            std::fprintf(stderr,
                         "tyx: %s:%d: unknown key %s is ignored (key names are case-sensitive: "
                         "%s)\n",
                         path.c_str(), line, word.c_str(), meant);
        else if (meant != nullptr)
            std::fprintf(stderr, "tyx: %s:%d: unknown key %s is ignored (did you mean %s?)\n",
                         path.c_str(), line, shortened(word).c_str(), meant);
        else
            std::fprintf(stderr, "tyx: %s:%d: unknown key %s is ignored\n", path.c_str(), line,
                         shortened(word).c_str());
    }

    void tell_rest() const
    {
        if (count > kUnknownKeysShown)
            std::fprintf(stderr, "tyx: %s: and %d more unknown keys\n", path.c_str(),
                         count - kUnknownKeysShown);
    }
};

// A word that was meant as a key but is none, also behind a byte-order mark.
bool meant_as_key(const std::string& token)
{
    if (token.compare(0, kByteOrderMark.size(), kByteOrderMark) == 0)
        return find_config_key(token.substr(kByteOrderMark.size())) != nullptr ||
               is_unknown_key(token.substr(kByteOrderMark.size()));
    return is_unknown_key(token);
}

// The token at `where`, where the value that stopped the reading begins;
// empty when the file ends there.
std::string token_at(std::istream& in, std::streampos where)
{
    in.clear();
    std::string token;
    if (where == std::streampos(-1) || !in.seekg(where) || !(in >> token))
        return "";
    return token;
}

// A value that does not parse ends the reading of its file and everything
// after it is lost, so the presenter is told where and why.
void report_failed_value(const std::string& path, const char* key, std::string token)
{
    if (token.empty()) {
        std::fprintf(stderr, "tyx: %s: the file ends where %s expects a value\n", path.c_str(),
                     key);
        return;
    }
    token = shortened(token);
    std::fprintf(stderr,
                 "tyx: %s: %s cannot take \"%s\" as its value; the rest of this file was "
                 "skipped\n",
                 path.c_str(), key, token.c_str());
}

// Applies every key of one file in the order met. Tokens that are no key are
// skipped one at a time, so free text between keys needs no comment syntax;
// those that look like a misspelt key are told.
void read_config_file(const std::string& path)
{
    std::ifstream in(path);
    if (!in)
        return;
    UnknownKeys unknown{path, {}, 0};
    std::string token;
    while (in >> token) {
        const ConfigKey* key = find_config_key(token);
        if (key == nullptr) {
            if (meant_as_key(token))
                unknown.tell(in, token);
            continue;
        }
        ValueReader values(in);
        key->read(values);
        if (values.failed()) {
            report_failed_value(path, key->name, token_at(in, values.failed_at()));
            break;
        }
    }
    unknown.tell_rest();
}

// Window 2 opens with window 1's size, just right of it, unless configured.
void derive_window2_geometry()
{
    if (wnd.pixsize2_x == -9999)
        wnd.pixsize2_x = wnd.pixsize_x;
    if (wnd.pixsize2_y == -9999)
        wnd.pixsize2_y = wnd.pixsize_y;
    if (wnd.pixposition2_x == -9999)
        wnd.pixposition2_x = wnd.pixposition_x + wnd.pixsize_x;
    if (wnd.pixposition2_y == -9999)
        wnd.pixposition2_y = wnd.pixposition_y;
}

// The fixed tilt of globe 2 against globe 1 and its inverse. The axis is used
// as configured, without normalising it.
void derive_globe2_tilt()
{
    const double a = view.angle2 * 3.141592653589793 / 180;
    const double ax = view.angle_axis2[0];
    const double ay = view.angle_axis2[1];
    view.qzure[0] = std::cos(a / 2);
    view.qzure[1] = ax * std::sin(a / 2);
    view.qzure[2] = ay * std::sin(a / 2);
    view.qzure[3] = 0;
    view.qzure_inv[0] = std::cos(-a / 2);
    view.qzure_inv[1] = ax * std::sin(-a / 2);
    view.qzure_inv[2] = ay * std::sin(-a / 2);
    view.qzure_inv[3] = 0;
}

} // namespace

void func_readinit_file()
{
    for (const std::string& path : series.init_file) {
        if (!path.empty())
            read_config_file(path);
        // Globe 2 can have its own series only when it exists.
        if (wnd.nsphere == 1)
            series.second_sphere_texture = 0;
    }
    derive_window2_geometry();
    derive_globe2_tilt();
}
