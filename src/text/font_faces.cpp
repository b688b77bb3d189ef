// font_faces.cpp — fontconfig, FreeType and the atlases of each face and size.
#include "text/font_faces.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include <unistd.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <list>
#include <memory>

#include "core/input_file.h"
#include "core/tyxparam.h"

namespace {

constexpr const char* kKeyFont = "DejaVu Sans Mono";
// Atlases kept at once; the least recently used goes first. A window being
// resized asks for many sizes of the time bar's text.
constexpr size_t kMostAtlases = 24;

struct SizedAtlas {
    TextFace face;
    int pixels;
    std::unique_ptr<GlyphAtlas> atlas;
};

struct Fonts {
    FT_Library library = nullptr;
    bool library_failed = false;
    bool loaded = false;
    std::string loaded_for;        // txt.font the faces were loaded for
    FT_Face text_face = nullptr;   // null: no font at all
    FT_Face key_face = nullptr;    // the text face when the key font is missing
    std::list<SizedAtlas> atlases; // most recently used first
    unsigned long next_id = 1;
    unsigned long set_generation = 1;
};

Fonts& fonts()
{
    static Fonts f;
    return f;
}

// fontconfig's configuration with the fonts installed, loaded on first use
// and kept for the run. It is the viewer's own rather than the library's
// global one, so that it can be released at exit and leak checkers see
// nothing left behind. Null when fontconfig cannot load one.
FcConfig* font_config()
{
    static FcConfig* config = nullptr;
    static bool tried = false;
    if (!tried) {
        tried = true;
        config = FcInitLoadConfigAndFonts();
        if (config != nullptr)
            std::atexit([] { FcConfigDestroy(config); });
    }
    return config;
}

bool same_family(const char* a, const char* b)
{
    return a != nullptr && b != nullptr &&
           FcStrCmpIgnoreCase(reinterpret_cast<const FcChar8*>(a),
                              reinterpret_cast<const FcChar8*>(b)) == 0;
}

// fontconfig's best match for `pattern`, and whether its family is the one
// the pattern asks for (a pattern without a family always matches).
std::string match_font(const std::string& pattern, bool* family_found)
{
    *family_found = false;
    FcConfig* config = font_config();
    if (config == nullptr)
        return "";
    FcPattern* wanted = FcNameParse(reinterpret_cast<const FcChar8*>(pattern.c_str()));
    if (wanted == nullptr)
        return "";
    FcConfigSubstitute(config, wanted, FcMatchPattern);
    FcDefaultSubstitute(wanted);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(config, wanted, &result);
    std::string file;
    if (match != nullptr) {
        FcChar8* path = nullptr;
        if (FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch && path != nullptr)
            file = reinterpret_cast<const char*>(path);
        // The family asked for is the first one of the parsed pattern (the
        // substitutions append others); any of the match's families counts.
        FcPattern* asked = FcNameParse(reinterpret_cast<const FcChar8*>(pattern.c_str()));
        FcChar8* family = nullptr;
        if (asked == nullptr || FcPatternGetString(asked, FC_FAMILY, 0, &family) != FcResultMatch) {
            *family_found = true;
        } else {
            FcChar8* got = nullptr;
            for (int k = 0; FcPatternGetString(match, FC_FAMILY, k, &got) == FcResultMatch; k++)
                if (same_family(reinterpret_cast<const char*>(family),
                                reinterpret_cast<const char*>(got)))
                    *family_found = true;
        }
        if (asked != nullptr)
            FcPatternDestroy(asked);
        FcPatternDestroy(match);
    }
    FcPatternDestroy(wanted);
    return file;
}

FT_Library library()
{
    Fonts& f = fonts();
    if (f.library == nullptr && !f.library_failed && FT_Init_FreeType(&f.library) != 0) {
        f.library = nullptr;
        f.library_failed = true;
    }
    return f.library;
}

FT_Face open_face(const std::string& file)
{
    FT_Face face = nullptr;
    if (file.empty() || library() == nullptr || FT_New_Face(library(), file.c_str(), 0, &face) != 0)
        return nullptr;
    // Only scalable fonts can be set at every size the windows ask for.
    if (!FT_IS_SCALABLE(face)) {
        FT_Done_Face(face);
        return nullptr;
    }
    return face;
}

void close_faces(Fonts& f)
{
    if (f.key_face != nullptr && f.key_face != f.text_face)
        FT_Done_Face(f.key_face);
    if (f.text_face != nullptr)
        FT_Done_Face(f.text_face);
    f.text_face = f.key_face = nullptr;
    f.atlases.clear();
    f.set_generation++;
}

void load_faces(Fonts& f)
{
    close_faces(f);
    f.loaded = true;
    f.loaded_for = txt.font;
    std::string message;
    const std::string file = find_font_file(txt.font, &message);
    f.text_face = open_face(file);
    if (f.text_face == nullptr && !file.empty()) {
        message = "tyx: font file " + file + " cannot be read; using " + kDefaultFont;
        f.text_face = open_face(find_font_file(kDefaultFont, &message));
    }
    if (f.text_face == nullptr)
        f.text_face = open_face(kDefaultFontFile);
    if (f.text_face == nullptr)
        message = "tyx: no font can be loaded (install fonts-dejavu-core); text is drawn in "
                  "GLUT's bitmap font";
    if (!message.empty())
        std::fprintf(stderr, "%s\n", message.c_str());
    if (f.text_face == nullptr)
        return;
    bool found = false;
    f.key_face = open_face(match_font(kKeyFont, &found));
    if (f.key_face != nullptr && !found) {
        FT_Done_Face(f.key_face);
        f.key_face = nullptr;
    }
    if (f.key_face == nullptr)
        f.key_face = f.text_face;
}

// FreeType's 26.6 fixed point to whole pixels, rounded up.
int whole_pixels(FT_Pos value)
{
    return static_cast<int>((value + 63) >> 6);
}

bool rasterise(FT_Face face, int pixels, char32_t code_point, GlyphBitmap* out)
{
    if (FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixels)) != 0)
        return false;
    // Index 0 is the font's missing-glyph box, which the atlas keeps once
    // for every character the font lacks.
    const FT_UInt index = code_point == 0 ? 0 : FT_Get_Char_Index(face, code_point);
    if (index == 0 && code_point != 0)
        return false;
    if (FT_Load_Glyph(face, index, FT_LOAD_RENDER | FT_LOAD_TARGET_LIGHT) != 0)
        return false;
    const FT_GlyphSlot slot = face->glyph;
    const FT_Bitmap& bitmap = slot->bitmap;
    out->advance = static_cast<float>(slot->advance.x) / 64;
    out->left = slot->bitmap_left;
    out->top = -slot->bitmap_top;
    if (bitmap.pixel_mode != FT_PIXEL_MODE_GRAY || bitmap.width == 0 || bitmap.rows == 0) {
        out->width = out->height = 0;
        return true;
    }
    out->width = static_cast<int>(bitmap.width);
    out->height = static_cast<int>(bitmap.rows);
    out->coverage.resize(size_t(out->width) * out->height);
    const int levels = bitmap.num_grays > 1 ? bitmap.num_grays - 1 : 255;
    for (int y = 0; y < out->height; y++) {
        const unsigned char* row = bitmap.buffer + static_cast<long>(y) * bitmap.pitch;
        for (int x = 0; x < out->width; x++)
            out->coverage[size_t(y) * out->width + x] =
                static_cast<unsigned char>(row[x] * 255 / levels);
    }
    return true;
}

std::unique_ptr<GlyphAtlas> make_atlas(Fonts& f, FT_Face face, int pixels)
{
    if (FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixels)) != 0)
        return nullptr;
    auto atlas = std::make_unique<GlyphAtlas>();
    atlas->id = f.next_id++;
    // About a tenth of the size: a thin edge on small text, never a blob.
    atlas->halo = std::clamp(pixels / 10, 1, 4);
    const FT_Size_Metrics& m = face->size->metrics;
    atlas->ascent = whole_pixels(m.ascender);
    atlas->descent = whole_pixels(-m.descender);
    atlas->line_height = std::max(whole_pixels(m.height), atlas->ascent + atlas->descent);
    atlas->cap_height = atlas->ascent * 3 / 4;
    if (FT_Load_Char(face, 'H', FT_LOAD_DEFAULT) == 0)
        atlas->cap_height = whole_pixels(face->glyph->metrics.horiBearingY);
    atlas->rasterise = [face, pixels](char32_t c, GlyphBitmap* out) {
        return rasterise(face, pixels, c, out);
    };
    return atlas;
}

} // namespace

int points_to_pixels(double points)
{
    const double pixels = points * 96 / 72;
    if (!(pixels >= kMinTextPixels))
        return kMinTextPixels;
    return std::min(static_cast<int>(std::lround(pixels)), kMaxTextPixels);
}

std::string find_font_file(const std::string& wanted, std::string* message)
{
    if (wanted.find('/') != std::string::npos) {
        // FreeType opens the file itself: a FIFO or a device named here
        // would hold the frame for ever, so only a regular file is handed on.
        InputRefusal why = InputRefusal::none;
        const int fd = open_input_fd(wanted.c_str(), &why);
        if (fd >= 0) {
            close(fd);
            return wanted;
        }
        *message =
            "tyx: font file " + wanted + " cannot be opened: " +
            (why == InputRefusal::not_regular ? "not a regular file" : std::strerror(errno)) +
            "; using " + kDefaultFont;
    } else {
        bool found = false;
        std::string file = match_font(wanted, &found);
        if (found && !file.empty())
            return file;
        *message = "tyx: no font \"" + wanted + "\" is installed; using " + kDefaultFont;
    }
    bool found = false;
    return match_font(kDefaultFont, &found);
}

GlyphAtlas* text_atlas(TextFace face, int pixels)
{
    Fonts& f = fonts();
    if (!f.loaded || f.loaded_for != txt.font)
        load_faces(f);
    FT_Face ft = face == TextFace::kKeys ? f.key_face : f.text_face;
    if (ft == nullptr)
        return nullptr;
    pixels = std::clamp(pixels, kMinTextPixels, kMaxTextPixels);
    for (auto it = f.atlases.begin(); it != f.atlases.end(); ++it)
        if (it->face == face && it->pixels == pixels) {
            f.atlases.splice(f.atlases.begin(), f.atlases, it);
            return f.atlases.front().atlas.get();
        }
    std::unique_ptr<GlyphAtlas> atlas = make_atlas(f, ft, pixels);
    if (atlas == nullptr)
        return nullptr;
    f.atlases.push_front({face, pixels, std::move(atlas)});
    if (f.atlases.size() > kMostAtlases) {
        f.atlases.pop_back();
        f.set_generation++;
    }
    return f.atlases.front().atlas.get();
}

bool text_atlas_exists(unsigned long id)
{
    for (const SizedAtlas& a : fonts().atlases)
        if (a.atlas->id == id)
            return true;
    return false;
}

unsigned long text_atlas_set_generation()
{
    return fonts().set_generation;
}
